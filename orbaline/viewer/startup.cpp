#include "orbaline/viewer/startup.h"

#include <cstdio>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/viewer/frame.h"
#include "common/shell/viewer/generation_run.h"
#include "common/shell/viewer/shell_boxes.h"
#include "common/shell/viewer/shell_dialogs.h"
#include "common/shell/viewer/source_list.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_layout.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "resources/orbaline/orbaline_resources.h"

namespace {

constexpr int kModuleNameBytes = 256;
constexpr WindowPlacement kDefaultPlacement{10, 10, 880, 600};
// "ＭＳ 明朝", the print font's face
constexpr char kPrintFontFace[] = "\x82l\x82r \x96\xbe\x92\xa9";

std::string& directory_override() {
    static std::string directory;
    return directory;
}

std::string find_program_directory() {
    std::string directory = directory_override();
    if (directory.empty()) {
        std::vector<char> name(kModuleNameBytes + 1, '\0');
        GetModuleFileNameA(nullptr, name.data(), kModuleNameBytes);
        directory = name.data();
        const int cut = find_last_separator(directory, false);
        if (cut > 0) directory.resize(static_cast<size_t>(cut));
    }
    to_lower_ascii(directory);
    return directory;
}

void show_start_failure(int message, std::string_view line2 = {}) {
    show_info_box(1, program_box_caption(), message_text(message), line2);
}

// The owned windows take the frame's objects once they exist.
void connect_owned_windows(HINSTANCE instance, HWND frame) {
    ShellState& s = shell();
    SourceListState& list = source_list();
    list.instance = instance;
    list.owner = frame;
    list.hooks.set_status_text = set_status_text;
    list.font = s.list_font;
    list.button_font = s.button_font;
    list.marker_bitmap = s.source_bitmap;

    ShellWindowsSetup& setup = shell_windows_setup();
    setup.instance = instance;
    setup.frame = frame;
    setup.meter_font = s.dialog_font;
    setup.list_font = s.list_font;
    setup.button_font = s.button_font;
    setup.placement = kOrbalinePlacement;
    setup.pointer_entered = [](HWND window) { shell().cursor_window = window; };
}

void disconnect_owned_windows() {
    SourceListState& list = source_list();
    if (!list.made_font) list.font = nullptr;
    list.button_font = nullptr;
    list.marker_bitmap = nullptr;
    ShellWindowsSetup& setup = shell_windows_setup();
    setup.meter_font = setup.list_font = setup.button_font = nullptr;
}

void set_dialog_records() {
    ShellState& s = shell();
    LOGFONTA& font = s.print_font;
    font = LOGFONTA{};
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", kPrintFontFace);

    PRINTDLGA& pd = s.print_dialog;
    pd = PRINTDLGA{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = s.frame_window;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 1;

    CHOOSEFONTA& cf = s.font_dialog;
    cf = CHOOSEFONTA{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = s.frame_window;
    cf.lpLogFont = &s.print_font;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.nFontType = SCREEN_FONTTYPE;
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
    doc.program_directory = find_program_directory();
    chart().program_directory = doc.program_directory;
    crt_putenv(("KRT=" + doc.program_directory).c_str());

    s.instance = instance;
    register_shared_dialog_resources();
    register_program_resources(&orbaline_resources::kTable);
    if (previous == nullptr && register_window_classes(instance) == 0) {
        *exit_code = kOrbalineExitNoWindow;
        return false;
    }
    s.accelerators = LoadAcceleratorsA(instance, orbaline_viewer_profile().accelerator_name);

    WindowPlacement placement = kDefaultPlacement;
    load_window_placement(kOrbalinePlacement, kMainWindow, placement);
    HWND frame = CreateWindowA(kOrbalineProgram, kOrbalineProgram, WS_OVERLAPPEDWINDOW, placement.x, placement.y,
                               placement.width, placement.height, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        *exit_code = kOrbalineExitNoWindow;
        return false;
    }
    s.frame_window = frame;

    reset_shell_settings(kOrbalineSettings);
    if (read_settings_file(shell_settings(), doc.program_directory) != kSettingsOk) {
        show_start_failure(105, kOrbalineSettings.file_name);
        *exit_code = kOrbalineExitSettingsUnreadable;
        return false;
    }
    build_recent_files_menu(frame, kOrbalineRecentMenu, shell_settings(), s.recent_menu);

    create_frame_children(frame);
    create_gdi_objects(frame);
    orbaline().node_cursor = LoadCursorA(instance, "OQW_idx_csr");
    connect_owned_windows(instance, frame);
    set_chart_menus(0);
    set_dialog_records();

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

int run_orbaline_loop() {
    ShellState& s = shell();
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (TranslateAcceleratorA(s.frame_window, s.accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void finish_orbaline() {
    ShellState& s = shell();
    disconnect_owned_windows();
    free_gdi_objects(s.frame_window);
    ChartSession& c = chart();
    const bool named = !c.chart_path.empty();
    const std::string copy = working_copy_path(c);
    close_chart(c);
    // the working copy of the last chart's folder goes with the program
    if (named && crt_exists(copy.c_str())) crt_remove(copy.c_str());
    PRINTDLGA& pd = s.print_dialog;
    if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
    if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
    pd.hDevNames = pd.hDevMode = nullptr;
    if (pd.hDC != nullptr) DeleteDC(pd.hDC);
    pd.hDC = nullptr;
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
