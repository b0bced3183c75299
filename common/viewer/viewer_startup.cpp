#include "common/viewer/viewer_startup.h"

#include <cstdio>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/print_dialogs.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "common/viewer/viewer_profile.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "ＭＳ 明朝", the print font's face
constexpr auto& kPrintFontFace = "ＭＳ 明朝"_sjis;
constexpr WindowPlacement kDefaultPlacement{10, 10, 880, 600};

}  // namespace

std::string find_viewer_program_directory(const std::string& override_directory, int name_bytes) {
    std::string directory = override_directory;
    if (directory.empty()) {
        std::vector<char> name(static_cast<size_t>(name_bytes) + 1, '\0');
        GetModuleFileNameA(nullptr, name.data(), static_cast<uint32_t>(name_bytes));
        directory = name.data();
        const int cut = find_last_separator(directory, false);
        if (cut > 0) directory.resize(static_cast<size_t>(cut));
    }
    to_lower_ascii(directory);
    return directory;
}

void show_start_failure(int message, std::string_view line2) {
    show_info_box(1, program_box_caption(), message_text(message), line2);
}

HWND create_viewer_frame(HINSTANCE instance, const char* frame_class, const char* title, int* exit_code) {
    ShellState& s = shell();
    const ViewerProfile& profile = viewer_profile();
    s.accelerators = LoadAcceleratorsA(instance, profile.accelerator_name);

    WindowPlacement placement = kDefaultPlacement;
    load_window_placement(profile.placement, kMainWindow, placement);
    HWND frame = CreateWindowA(frame_class, title, WS_OVERLAPPEDWINDOW, placement.x, placement.y, placement.width,
                               placement.height, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        *exit_code = kViewerExitNoWindow;
        return nullptr;
    }
    s.frame_window = frame;

    reset_shell_settings(*profile.settings);
    // saves that a killed copy never finished
    remove_stale_settings_temporaries(*profile.settings, document_state().program_directory);
    if (read_settings_file(shell_settings(), document_state().program_directory) != kSettingsOk) {
        show_start_failure(kMessageSettingsCannotOpen, profile.settings->file_name);
        *exit_code = kViewerExitSettingsUnreadable;
        return nullptr;
    }
    build_recent_files_menu(frame, profile.recent_menu, shell_settings(), s.recent_menu);
    return frame;
}

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
    setup.placement = viewer_profile().placement;
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

void release_dialog_records() {
    PRINTDLGA& pd = shell().print_dialog;
    if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
    if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
    pd.hDevNames = pd.hDevMode = nullptr;
    if (pd.hDC != nullptr) DeleteDC(pd.hDC);
    pd.hDC = nullptr;
}

int print_parameter_orientation() {
    const PrintDialogProfile* p = viewer_profile().print_dialogs;
    if (p == nullptr || p->orientation == nullptr) return 1;
    return shell_settings().word(*p->orientation) == 0 ? 0 : 1;
}

int run_printer_setup(HWND frame, int orientation, int* chosen) {
    PRINTDLGA& pd = shell().print_dialog;
    // The dialog opens on the print parameters' orientation, which every
    // job prints on whatever the dialog last said.
    if (pd.hDevMode == nullptr) pd.hDevMode = GlobalAlloc(GHND, sizeof(DEVMODEA));
    if (auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode))) {
        if (mode->dmSize == 0) mode->dmSize = sizeof(DEVMODEA);
        mode->dmFields |= DM_ORIENTATION;
        mode->dmOrientation = orientation == 0 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        GlobalUnlock(pd.hDevMode);
    }
    const DWORD flags = pd.Flags;
    pd.Flags |= PD_PRINTSETUP;
    pd.hwndOwner = frame;
    const bool ok = PrintDlgA(&pd) != FALSE;
    pd.Flags = flags;
    if (chosen != nullptr) {
        *chosen = -1;
        if (const auto* mode = ok && pd.hDevMode != nullptr ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr) {
            *chosen = mode->dmOrientation == DMORIENT_LANDSCAPE ? 0 : 1;
            GlobalUnlock(pd.hDevMode);
        }
    }
    return 0;
}

int run_print_font_dialog(HWND frame) {
    CHOOSEFONTA& cf = shell().font_dialog;
    const DWORD flags = cf.Flags;
    cf.hwndOwner = frame;
    cf.lpLogFont = &shell().print_font;
    ChooseFontA(&cf);
    cf.Flags = flags;
    return 0;
}

namespace {

// The operations of the two commands' notices.
constexpr auto& kPrinterOp = "プリンタ設定"_sjis;
constexpr auto& kFontOp = "フォント選択"_sjis;

}  // namespace

bool print_manager_selected(const char* operation) {
    const ViewerProfile& profile = viewer_profile();
    if (profile.printer_kind != nullptr && shell_settings().word(*profile.printer_kind) == 1) return true;
    shell_notice::notify(shell_notice::caption(operation), profile.print_manager_message);
    return false;
}

int printer_setup(HWND frame) {
    if (!print_manager_selected(kPrinterOp)) return -1;
    return run_printer_setup(frame, print_parameter_orientation());
}

int print_font(HWND frame) {
    if (!print_manager_selected(kFontOp)) return -1;
    return run_print_font_dialog(frame);
}

int run_viewer_message_loop() {
    ShellState& s = shell();
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (TranslateAcceleratorA(s.frame_window, s.accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
