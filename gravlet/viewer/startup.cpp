#include "gravlet/viewer/startup.h"

#include <cstdio>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "common/viewer/viewer_startup.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/gravlet_dialogs.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_miniature.h"
#include "gravlet/viewer/pad_print_commands.h"
#include "gravlet/viewer/pad_view.h"
#include "gravlet/viewer/print_commands.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"

// the shared start-up sets these codes
static_assert(int{kGravletExitNoWindow} == int{kViewerExitNoWindow});
static_assert(int{kGravletExitSettingsUnreadable} == int{kViewerExitSettingsUnreadable});

namespace {

constexpr int kModuleNameBytes = 256;

std::string& directory_override() {
    static std::string directory;
    return directory;
}

std::string find_program_directory() {
    return find_viewer_program_directory(directory_override(), kModuleNameBytes);
}


// The function a pick from the function list names becomes the one shown.
void show_chosen_function(int index) {
    document_state().current_page = index;
    show_current_function();
    follow_current_function();
}

void reset_program_state() {
    shell().reset();
    install_gravlet_viewer();
    viewer_hooks().show_function = show_chosen_function;
    gravlet().reset();
    reset_gravlet_pad();
    gravlet_commands().reset();
    layout_view().reset();
    install_pad_print_commands();
    source_list().reset();
    generation_error_window().reset();
    progress_meter().reset();
    shell_windows_setup().reset();
    document_state().reset();
}

}  // namespace

void set_gravlet_directory_override(const std::string& directory) { directory_override() = directory; }

bool start_gravlet(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code) {
    reset_program_state();
    ShellState& s = shell();
    DocumentState& doc = document_state();
    doc.program_directory = find_program_directory();
    crt_putenv(("KRT=" + doc.program_directory).c_str());

    s.instance = instance;
    register_gravlet_resources();
    if (previous == nullptr && register_window_classes(instance) == 0) {
        *exit_code = kGravletExitNoWindow;
        return false;
    }
    HWND frame = create_viewer_frame(instance, kGravletProgram, kGravletProgram, exit_code);
    if (frame == nullptr) return false;

    create_frame_children(frame);
    create_gdi_objects(frame);
    gravlet().cell_cursor = LoadCursorA(instance, "GXW_idx_csr");
    connect_owned_windows(instance, frame);
    set_document_menus(0);

    set_dialog_records();
    install_gravlet_print();
    s.batch_list_name.clear();
    doc.source_extension = ".c";

    const int opened = open_view_file("");
    if (opened == kPadIndexSettingsWrongVersion || opened == kPadIndexSettingsUnreadable ||
        opened == kPadIndexNoGrid) {
        const int message = opened == kPadIndexSettingsWrongVersion ? kMessageSettingsWrongVersion
                            : opened == kPadIndexSettingsUnreadable ? kMessageSettingsMissing
                                                                     : gx_message::kNoMemory;
        show_start_failure(message);
        finish_gravlet();
        *exit_code = opened;
        return false;
    }
    source_list().text.clear();
    ShowWindow(frame, show);
    UpdateWindow(frame);
    return true;
}

void finish_gravlet() {
    ShellState& s = shell();
    disconnect_owned_windows();
    free_gdi_objects(s.frame_window);
    close_view_file();
    source_list().text.clear();
    release_dialog_records();
    const std::string help = program_file_path(viewer_profile().help_file);
    WinHelpA(IsWindow(s.frame_window) ? s.frame_window : nullptr, help.c_str(), HELP_QUIT, 0);
}

int gravlet_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR /*command_line*/, int show) {
    int exit_code = 0;
    if (!start_gravlet(instance, previous, show, &exit_code)) return exit_code;
    exit_code = run_viewer_message_loop();
    finish_gravlet();
    return exit_code;
}
