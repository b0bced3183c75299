// DefWindowProcA: what a window does with the messages its procedure passes on.
#include <algorithm>
#include <cstring>

#include "platform/gdi/wingdi.h"
#include "platform/user/user_internal.h"

using namespace platform_user;

namespace {

// A class background of (HBRUSH)(COLOR_x + 1) names a system colour.
HBRUSH background_brush(HBRUSH brush) {
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value - 1));
    return brush;
}

LRESULT erase_background(HWND window, HDC dc) {
    WindowRecord* w = find_window(window);
    if (!w || !dc) return 0;
    HBRUSH brush = background_brush(w->cls->wc.hbrBackground);
    if (!brush) return 0;
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush);
    return 1;
}

POINT screen_point_of(LPARAM lparam) {
    return POINT{static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))),
                 static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)))};
}

}  // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
        return TRUE;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return erase_background(window, reinterpret_cast<HDC>(wparam));
    case WM_SETTEXT:
        w->text = lparam ? reinterpret_cast<const char*>(lparam) : "";
        return TRUE;
    case WM_GETTEXT: {
        if (wparam == 0 || !lparam) return 0;
        char* buffer = reinterpret_cast<char*>(lparam);
        size_t n = std::min(w->text.size(), static_cast<size_t>(wparam) - 1);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_ACTIVATE:
        if (LOWORD(wparam) != WA_INACTIVE && !w->minimized) SetFocus(window);
        return 0;
    case WM_SETCURSOR:
        // The parent may decide first; else the class cursor, when there is one.
        if (LOWORD(static_cast<uintptr_t>(lparam)) == HTCLIENT) {
            if ((w->style & WS_CHILD) && send_message(w->parent, WM_SETCURSOR, wparam, lparam)) return TRUE;
            w = find_window(window);
            if (w && w->cls->wc.hCursor) {
                SetCursor(w->cls->wc.hCursor);
                return TRUE;
            }
            return FALSE;
        }
        // over the frame: the sizing arrows on the borders
        if (LOWORD(static_cast<uintptr_t>(lparam)) == HTNOWHERE) return FALSE;
        return frame_cursor(window, static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam))));
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        // A press on the frame: the menu bar opens its popup, a scroll bar
        // scrolls, the caption, borders and caption buttons follow the hand.
        // A double click on the caption or the icon is one of its own; on
        // any other part it is a second press.
        const POINT at = screen_point_of(lparam);
        if (!(w->style & WS_CHILD) && state().active != window) activate_window(window, true);
        if (message == WM_NCLBUTTONDBLCLK && frame_double_click(window, static_cast<int>(wparam))) return 0;
        if (wparam == HTMENU) track_menu_bar(window, at);
        else if (wparam == HTVSCROLL || wparam == HTHSCROLL) track_scroll_bar(window, static_cast<int>(wparam), at);
        else frame_button_down(window, static_cast<int>(wparam), at);
        return 0;
    }
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        return system_key(window, message, wparam, lparam);
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SYSCOMMAND:
        switch (wparam & 0xFFF0) {
        case SC_CLOSE:
            send_message(window, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(window, SW_MAXIMIZE);
            break;
        case SC_RESTORE:
            // a title strip of a maximised window comes back maximised
            ShowWindow(window, w->minimized && w->restores_maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
            break;
        case SC_KEYMENU:
            keyboard_menu(window, static_cast<WPARAM>(lparam));
            break;
        case SC_MOVE:
        case SC_SIZE:
            move_or_size_by_keys(window, static_cast<UINT>(wparam & 0xFFF0));
            break;
        default:
            break;
        }
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        bool edit_like = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        SetTextColor(dc, sys_color(COLOR_WINDOWTEXT));
        SetBkColor(dc, sys_color(edit_like ? COLOR_WINDOW : COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(static_cast<int>(edit_like ? COLOR_WINDOW : COLOR_BTNFACE)));
    }
    default:
        return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!procedure) return 0;
    return procedure(window, message, wparam, lparam);
}
