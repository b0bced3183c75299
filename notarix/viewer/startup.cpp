#include "notarix/viewer/generation_dialogs.h"
#include "notarix/viewer/generation_run.h"
#include "notarix/viewer/settings_dialogs.h"
#include "notarix/viewer/startup.h"


#include "common/print/function_print.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/print/text_grid.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/viewer_startup.h"
#include "notarix/editor/form_editor.h"
#include "notarix/form/form_grid.h"
#include "notarix/layout/layout_window.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/print_commands.h"
#include "notarix/viewer/print_preview.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/source_list.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"

// the shared start-up sets these codes
static_assert(int{kExitNoWindow} == int{kViewerExitNoWindow});
static_assert(int{kExitSettingsUnreadable} == int{kViewerExitSettingsUnreadable});

namespace {

constexpr int kModuleNameBytes = 265;

std::string& directory_override() {
    static std::string directory;
    return directory;
}

int read_settings_for_open() {
    DocumentState& doc = document_state();
    const int result = reread_settings_for_open(shell_settings(), doc.program_directory);
    if (result != 0) return result;
    // linked mode is on after every read
    shell_settings().set_word(nx_settings::kLinkedModeAtOpen, 1);
    doc.tab_width = shell_settings().word(nx_settings::kTabWidth);
    return 0;
}

void connect_page_view() {
    PageViewHooks& hooks = page_view().hooks;
    hooks.set_status_text = set_status_text;
    hooks.update_title_and_status = update_title_and_status;
    hooks.draw_column_gauge = draw_column_gauge;
    hooks.layout_name = [] { return shell_settings().text(nx_settings::kLayoutFile); };
    // the page view calls this only in linked mode, after the page's tag
    // line has become the current source line
    hooks.follow_source = [] { follow_current_function(); };
    hooks.set_source_search_start = set_source_search_start;
    hooks.set_layout_visible_region = set_layout_visible_region;
    shell().close_form_editor = close_form_editor_from_frame;
}


}  // namespace

void set_program_directory_override(const std::string& directory) { directory_override() = directory; }

std::string find_program_directory() {
    return find_viewer_program_directory(directory_override(), kModuleNameBytes);
}

const DocumentHooks& notarix_document_hooks() {
    static const DocumentHooks hooks = [] {
        DocumentHooks h;
        h.read_settings = read_settings_for_open;
        h.set_status_text = set_status_text;
        h.beep = [] { MessageBeep(0); };
        h.set_link_button_label = set_link_button_label;
        h.load_source_text = load_source_text;
        h.forget_source_marker = forget_source_marker;
        return h;
    }();
    return hooks;
}

bool start_notarix(HINSTANCE instance, HINSTANCE previous, int show, int* exit_code) {
    ShellState& s = shell();
    s.reset();
    install_notarix_viewer();
    page_view().reset();
    command_state().reset();
    // the owned windows of an earlier start in this process are gone
    source_list().reset();
    generation_error_window().reset();
    summary_window().reset();
    progress_meter().reset();
    form_editor().reset();
    layout_window().reset();
    shell_windows_setup().reset();
    preview_state().reset();
    print_state().reset();
    spec_print_state().reset();
    text_grid_backend().reset();
    DocumentState& doc = document_state();
    doc.reset();

    doc.program_directory = find_program_directory();
    crt_putenv(("KRT=" + doc.program_directory).c_str());

    s.instance = instance;
    register_notarix_resources();
    if (previous == nullptr && register_window_classes(instance) == 0) {
        *exit_code = kExitNoWindow;
        return false;
    }
    HWND frame = create_viewer_frame(instance, kFrameClass, kProgramTitle, exit_code);
    if (frame == nullptr) return false;

    connect_page_view();
    create_frame_children(frame);
    create_gdi_objects(frame);
    connect_owned_windows(instance, frame);
    install_generation_runs();
    install_generation_dialogs();
    install_settings_dialogs();
    set_document_menus(0);

    set_dialog_records();
    install_print_host();
    s.text_output_name.clear();
    doc.source_extension = ".c";

    const int opened = open_document(doc, "", notarix_document_hooks(), kNotarixDocument);
    if (opened == kOpenSettingsWrongVersion || opened == kOpenSettingsUnreadable) {
        show_start_failure(opened == kOpenSettingsWrongVersion ? kMessageSettingsWrongVersion
                                                               : kMessageSettingsMissing);
        finish_notarix();
        *exit_code = opened;
        return false;
    }
    ShowWindow(frame, show);
    UpdateWindow(frame);
    return true;
}

void finish_notarix() {
    ShellState& s = shell();
    disconnect_owned_windows();
    free_gdi_objects(s.frame_window);
    free_form_grids();
    close_document(document_state());
    // the printer context kept for later jobs, and the print state that
    // points at the dialog records released below
    delete_setup_printer_dc();
    print_state().reset();
    print_state().host = PrintHost{};
    print_state().device.setup = nullptr;
    print_state().device.font_choice = nullptr;
    release_dialog_records();
    const std::string help = document_state().program_directory + "\\nx1000s.hlp";
    WinHelpA(IsWindow(s.frame_window) ? s.frame_window : nullptr, help.c_str(), HELP_QUIT, 0);
}

int notarix_win_main(HINSTANCE instance, HINSTANCE previous, LPSTR /*command_line*/, int show) {
    int exit_code = 0;
    if (!start_notarix(instance, previous, show, &exit_code)) return exit_code;
    exit_code = run_viewer_message_loop();
    finish_notarix();
    return exit_code;
}
