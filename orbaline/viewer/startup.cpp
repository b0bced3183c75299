#include "orbaline/viewer/startup.h"

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/shell_dialogs.h"
#include "common/viewer/source_list.h"
#include "common/viewer/viewer_startup.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_layout.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "orbaline/viewer/print_commands.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "resources/orbaline/orbaline_resources.h"

static_assert(int{kOrbalineExitNoWindow} == int{kViewerExitNoWindow});
static_assert(int{kOrbalineExitSettingsUnreadable} == int{kViewerExitSettingsUnreadable});

namespace {

constexpr int kModuleNameBytes = 256;

std::string& directory_override() {
    static std::string directory;
    return directory;
}

void reset_program_state() {
    shell().reset();
    install_orbaline_viewer();
    orbaline().reset();
    chart().reset();
    chart().table.release();
    orbaline_commands().reset();
    chart_layout().reset();
    source_list().reset();
    generation_error_window().reset();
    progress_meter().reset();
    shell_windows_setup().reset();
    document_state().reset();
    install_chart_hooks();
}

}  // namespace

void set_orbaline_directory_override(const std::string& directory) { directory_override() = directory; }

bool start_orbaline(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code) {
    reset_program_state();
    ShellState& s = shell();
    DocumentState& doc = document_state();
    doc.program_directory = find_viewer_program_directory(directory_override(), kModuleNameBytes);
    chart().program_directory = doc.program_directory;
    crt_putenv(("KRT=" + doc.program_directory).c_str());

    s.instance = instance;
    register_shared_dialog_resources();
    register_program_resources(&orbaline_resources::kTable);
    if (previous == nullptr && register_window_classes(instance) == 0) {
        *exit_code = kOrbalineExitNoWindow;
        return false;
    }
    HWND frame = create_viewer_frame(instance, kOrbalineProgram, kOrbalineProgram, exit_code);
    if (frame == nullptr) return false;

    create_frame_children(frame);
    create_gdi_objects(frame);
    orbaline().node_cursor = LoadCursorA(instance, "OQW_idx_csr");
    connect_owned_windows(instance, frame);
    set_chart_menus(0);
    set_dialog_records();
    install_orbaline_print();

    const int opened = open_chart_by_name("");
    if (opened == kChartSettingsWrongKind || opened == kChartSettingsUnreadable || opened == kChartNoMemory) {
        const int message = opened == kChartSettingsWrongKind ? kMsgSettingsWrongVersion
                            : opened == kChartSettingsUnreadable ? 103
                                                                 : kMsgNoMemory;
        show_start_failure(message);
        finish_orbaline();
        *exit_code = opened;
        return false;
    }
    ShowWindow(frame, show);
    UpdateWindow(frame);
    return true;
}

int run_orbaline_loop() { return run_viewer_message_loop(); }

void finish_orbaline() {
    ShellState& s = shell();
    disconnect_owned_windows();
    free_gdi_objects(s.frame_window);
    // the chart's working copy goes with the program (another copy's stays)
    close_chart(chart());
    release_dialog_records();
    const std::string help = program_file_path(orbaline_viewer_profile().help_file);
    WinHelpA(IsWindow(s.frame_window) ? s.frame_window : nullptr, help.c_str(), HELP_QUIT, 0);
}

int orbaline_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR /*command_line*/, int show) {
    int exit_code = 0;
    if (!start_orbaline(instance, previous, show, &exit_code)) return exit_code;
    exit_code = run_orbaline_loop();
    finish_orbaline();
    return exit_code;
}
