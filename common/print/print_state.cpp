#include "common/print/print_state.h"

#include <cstdio>

#include "common/print/lips.h"
#include "common/print/postscript.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

// "NXW32_print[%s]", "GXW32_print[%s]", "OQW32_print[%s]"; NOTARIX captions
// its device boxes "印刷処理初期化", the other two "【 印刷処理初期化 】".
const PrintProfile kNotarixPrintProfile{
    "NXW32_print[%s]", "印刷処理初期化"_sjis, true};
const PrintProfile kGravletPrintProfile{
    "GXW32_print[%s]",
    "【 印刷処理初期化 】"_sjis, false, true};
const PrintProfile kOrbalinePrintProfile{
    "OQW32_print[%s]",
    "【 印刷処理初期化 】"_sjis, true};

PRINTDLGA initial_printer_setup() {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 1;
    return pd;
}

LOGFONTA default_printer_font() {
    LOGFONTA font{};
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;

    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "ＭＳ 明朝"_sjis);
    return font;
}

PrintState& print_state() {
    static PrintState state;
    return state;
}

void PrintState::reset() {
    if (job.port > 0) port_close(job.port);
    close_postscript_stream();
    release_preview_dc();
    if (device.dc != nullptr) close_printer_dc();
    delete_printer_font();
    if (device.own_setup.hDC != nullptr) DeleteDC(device.own_setup.hDC);
    failing_file.clear();
    PrintHost kept = std::move(host);
    PRINTDLGA* setup = device.setup;
    const LOGFONTA* font = device.font_choice;
    job = PrintJobState{};
    device = PrinterDeviceState{};
    postscript = PostScriptState{};
    host = std::move(kept);
    device.setup = setup;
    device.font_choice = font;
}

bool& print_abort_flag() {
    bool* flag = print_state().host.abort_flag;
    return flag != nullptr ? *flag : document_state().abort;
}

void notify_print_failure(std::string_view caption, std::string_view text) {
    const PrintHost& host = print_state().host;
    if (host.notify) {
        host.notify(caption, text);
        return;
    }
    MessageBeep(0);
    const std::string body(text), title(caption);
    MessageBoxA(host.owner, body.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
}

void warn_print_user(std::string_view caption, std::string_view text) {
    const PrintHost& host = print_state().host;
    if (host.warn) {
        host.warn(caption, text);
        return;
    }
    MessageBeep(0);
    const std::string body(text), title(caption);
    MessageBoxA(host.owner, body.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

bool ask_print_user(std::string_view caption, std::string_view line1, std::string_view line2,
                    std::string_view line3) {
    const PrintHost& host = print_state().host;
    const std::string text = join_box_lines(line1, line2, line3);
    if (host.ask) return host.ask(caption, text);
    const std::string title(caption);
    const int answer = MessageBoxA(host.owner, text.c_str(), title.c_str(), MB_OKCANCEL | MB_ICONEXCLAMATION);
    return answer == IDOK || answer == IDYES;
}

void set_print_status_text(int mode, const std::string& text) {
    const PrintHost& host = print_state().host;
    if (host.set_status_text) host.set_status_text(mode, text);
}

std::string print_message(int id) {
    const char* text = lookup_message(id);
    return text != nullptr ? text : "";
}

void pump_one_message() {
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    // The program's own loop must still see a quit taken here.
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
