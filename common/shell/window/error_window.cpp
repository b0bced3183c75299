#include "common/shell/window/error_window.h"

#include <string_view>

#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "common/text/message_table.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

// "生成エラー表示", "一括生成エラー表示", "関数ｻﾏﾘｰ", "関数ｻﾏﾘｰ表示"
#define GENERATION_ERROR_DISPLAY "生成エラー表示"_sjis
#define BATCH_PREFIX "一括"_sjis
#define FUNCTION_SUMMARY "関数ｻﾏﾘｰ"_sjis
#define DISPLAY "表示"_sjis

const ListWindowProfile kNotarixErrorWindow = {
    "CNVERROR",
    "ERRCTRL",
    "ERRORCTRL",
    kErrorWindow,
    GENERATION_ERROR_DISPLAY,
    BATCH_PREFIX GENERATION_ERROR_DISPLAY,
    GENERATION_ERROR_DISPLAY,
    7,
    SC_MINIMIZE,
    false,
    true,
};

const ListWindowProfile kNotarixSummaryWindow = {
    "SUMMARY",
    "SMRYCTRL",
    "SMRYORCTRL",
    kSummaryWindow,
    FUNCTION_SUMMARY,
    nullptr,
    FUNCTION_SUMMARY DISPLAY,
    7,
    SC_MINIMIZE,
    false,
    false,
};

#undef GENERATION_ERROR_DISPLAY
#undef BATCH_PREFIX
#undef FUNCTION_SUMMARY
#undef DISPLAY

namespace {

// "閉じる"
constexpr auto& kCloseLabel = "閉じる"_sjis;

HMENU id_of(int id) {
    return reinterpret_cast<HMENU>(static_cast<uintptr_t>(id));
}

bool is_child(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The whole file as a text-mode read gives it; false when it cannot be opened.
bool read_text_file(const std::string& name, std::string& bytes) {
    const int fd = crt_open(name.c_str(), CRT_O_RDONLY | CRT_O_TEXT);
    if (fd < 0) return false;
    bytes.clear();
    char buffer[4096];
    for (;;) {
        const int n = crt_read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    crt_close(fd);
    return true;
}

}  // namespace

std::vector<std::string> list_items_of(const std::string& bytes) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) end = bytes.size();
        if (end > start && bytes[end - 1] == '\r') --end;
        const std::string_view line(bytes.data() + start, end - start);
        if (line.empty()) items.emplace_back();
        size_t at = 0;
        while (at < line.size()) {
            // Step over characters whole so that no piece ends on a lead byte.
            size_t piece = 0;
            while (at + piece < line.size()) {
                const size_t width =
                    is_sjis_lead_byte(static_cast<unsigned char>(line[at + piece])) && at + piece + 1 < line.size()
                        ? 2
                        : 1;
                if (piece + width > static_cast<size_t>(kListPieceBytes)) break;
                piece += width;
            }
            items.emplace_back(line.substr(at, piece));
            at += piece;
        }
        start = next;
    }
    return items;
}

void ListWindow::reset() {
    open_ = false;
    window_ = bar_ = list_ = button_ = nullptr;
    file_name_.clear();
}

int ListWindow::register_classes(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure_;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "Icon");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = profile_->class_name;
    if (!RegisterClassA(&wc)) return 0;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.lpszClassName = profile_->bar_class_name;
    return RegisterClassA(&wc) ? 1 : 0;
}

void ListWindow::set_title(bool batch) {
    if (!window_) return;
    const char* title = batch && profile_->batch_title ? profile_->batch_title : profile_->title;
    SetWindowTextA(window_, title);
}

int ListWindow::open(HWND owner, const std::string& file_name, bool batch) {
    if (open_ && IsWindow(window_)) return load(file_name, batch);
    file_name_ = file_name;
    const ShellWindowsSetup& setup = shell_windows_setup();
    WindowPlacement place{kListDefaultX, kListDefaultY, kListDefaultWidth, kListDefaultHeight};
    if (profile_->default_from_frame_client && setup.frame) {
        POINT origin{0, 0};
        ClientToScreen(setup.frame, &origin);
        place.x += origin.x;
        place.y += origin.y;
    }
    load_window_placement(setup.placement, profile_->placement_kind, place);

    const char* title = batch && profile_->batch_title ? profile_->batch_title : profile_->title;
    HWND window = CreateWindowA(profile_->class_name, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                place.x, place.y, place.width, place.height, owner, nullptr, setup.instance, nullptr);
    if (!window) return 0;
    RECT client{};
    GetClientRect(window, &client);
    HWND bar = CreateWindowA(profile_->bar_class_name, profile_->bar_title, WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                             kListBarHeight, window, id_of(kListBarId), setup.instance, nullptr);
    // the list fills the window below the bar, to its last pixel
    const DWORD list_style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT;
    HWND list = CreateWindowA("LISTBOX", "", list_style, 0, kListBarHeight, place.width, place.height, window,
                              id_of(kListBoxId), setup.instance, nullptr);
    if (list && setup.list_font)
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(setup.list_font), FALSE);
    HWND button = nullptr;
    if (bar) {
        button = CreateWindowA("BUTTON", kCloseLabel, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 2, 2, 88, 17, bar,
                               id_of(kListCloseButtonId), setup.instance, nullptr);
        if (button && setup.button_font)
            SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(setup.button_font), FALSE);
    }
    if (!list) {
        DestroyWindow(window);
        return 0;
    }
    if (HMENU system = GetSystemMenu(window, FALSE))
        DeleteMenu(system, profile_->removed_system_command, MF_BYCOMMAND);
    window_ = window;
    bar_ = bar;
    list_ = list;
    button_ = button;
    open_ = true;
    layout(window);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return load(file_name, batch);
}

int ListWindow::load(const std::string& file_name, bool batch) {
    set_title(batch);
    std::string bytes;
    if (!read_text_file(file_name, bytes)) {
        if (profile_->missing_file_is_empty && !crt_exists(file_name.c_str())) {
            bytes.clear();
        } else {
            MessageBeep(0);
            const char* format = lookup_message(profile_->open_error_message);
            const std::string text = format_text(format ? format : "%s", file_name.c_str());
            MessageBoxA(window_, text.c_str(), profile_->box_caption, MB_OK);
            return -1;
        }
    }
    file_name_ = file_name;
    if (!list_) return 0;
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : list_items_of(bytes))
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    return 0;
}

void ListWindow::close() {
    if (open_ && IsWindow(window_)) DestroyWindow(window_);
    open_ = false;
    window_ = bar_ = list_ = button_ = nullptr;
}

void ListWindow::layout(HWND window) {
    if (window != window_ || !bar_ || !list_) return;
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(bar_, 0, 0, client.right, kListBarHeight, TRUE);
    MoveWindow(list_, 0, kListBarHeight, client.right, client.bottom - kListBarHeight, TRUE);
}

void ListWindow::save_placement(HWND window) {
    if (window != window_) return;
    RECT r{};
    GetWindowRect(window, &r);
    const WindowPlacement place{r.left, r.top, r.right - r.left, r.bottom - r.top};
    // A minimised window's rectangle is its icon's: nothing to keep.
    save_window_placement(shell_windows_setup().placement, profile_->placement_kind, place, IsIconic(window));
}

LRESULT ListWindow::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_DESTROY:
        if (window == window_) {
            open_ = false;
            window_ = bar_ = list_ = button_ = nullptr;
        }
        return 0;
    case WM_SIZE:
        if (is_child(window)) return 0;
        layout(window);
        save_placement(window);
        return 0;
    case WM_MOVE:
        if (!is_child(window)) save_placement(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == kListBarId && window_) SetFocus(window_);
        else if (LOWORD(wparam) == kListCloseButtonId && window_) DestroyWindow(window_);
        return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (const auto& entered = shell_windows_setup().pointer_entered) entered(window_ ? window_ : window);
        if (message == WM_NCMOUSEMOVE) break;
        return 0;
    case WM_CREATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_CHAR:
    case WM_TIMER:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_PALETTECHANGED:
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

ListWindow& generation_error_window() {
    static ListWindow window(kNotarixErrorWindow, error_window_wnd_proc);
    return window;
}

int register_error_window_classes(HINSTANCE instance) {
    return generation_error_window().register_classes(instance);
}

int open_generation_error_window(HWND owner, const std::string& file_name, bool batch) {
    return generation_error_window().open(owner, file_name, batch);
}

int load_error_list(const std::string& file_name, bool batch) {
    return generation_error_window().load(file_name, batch);
}

void close_generation_error_window() {
    generation_error_window().close();
}

LRESULT error_window_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return generation_error_window().handle(window, message, wparam, lparam);
}

ListWindow& summary_window() {
    static ListWindow window(kNotarixSummaryWindow, summary_window_wnd_proc);
    return window;
}

int register_summary_classes(HINSTANCE instance) {
    return summary_window().register_classes(instance);
}

int open_summary_window(HWND owner, const std::string& file_name) {
    return summary_window().open(owner, file_name, false);
}

int load_summary_list(const std::string& file_name) {
    return summary_window().load(file_name, false);
}

void close_summary_window() {
    summary_window().close();
}

LRESULT summary_window_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return summary_window().handle(window, message, wparam, lparam);
}
