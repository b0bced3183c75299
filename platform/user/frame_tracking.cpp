// The frame of a top-level window worked by a person's hand, as on Windows
// 95: the parts of the frame under the pointer, a caption drag that moves
// the window, a border or corner drag that sizes it, the caption buttons,
// a double click on the caption, minimised windows as title strips along
// the bottom of the screen, and the system keys (Alt, F10, Alt+letter,
// Alt+Space, Alt+F4). Each tracking loop holds the capture and takes the
// moves and the button-up itself, as a scroll bar's loop does.
#include <algorithm>

#include "platform/automation/host.h"
#include "platform/user/user_internal.h"

namespace platform_user {

namespace {

constexpr int kCaptionHeight = 18;
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kCornerGrip = 16;  // how far along an edge from a corner a drag sizes both ways
constexpr int kKeyStep = 8;      // pixels an arrow key moves or sizes by

bool is_sizing_part(int part) {
    return part >= HTLEFT && part <= HTBOTTOMRIGHT;
}

bool moves_left(int part) {
    return part == HTLEFT || part == HTTOPLEFT || part == HTBOTTOMLEFT;
}
bool moves_right(int part) {
    return part == HTRIGHT || part == HTTOPRIGHT || part == HTBOTTOMRIGHT;
}
bool moves_top(int part) {
    return part == HTTOP || part == HTTOPLEFT || part == HTTOPRIGHT;
}
bool moves_bottom(int part) {
    return part == HTBOTTOM || part == HTBOTTOMLEFT || part == HTBOTTOMRIGHT;
}

WPARAM sizing_edge(int part) {
    switch (part) {
    case HTLEFT: return WMSZ_LEFT;
    case HTRIGHT: return WMSZ_RIGHT;
    case HTTOP: return WMSZ_TOP;
    case HTTOPLEFT: return WMSZ_TOPLEFT;
    case HTTOPRIGHT: return WMSZ_TOPRIGHT;
    case HTBOTTOM: return WMSZ_BOTTOM;
    case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
    default: return WMSZ_BOTTOMRIGHT;
    }
}

// Whether the window's system menu offers the command: a program takes an
// item away to refuse it. A window whose menu was never asked for has all.
bool system_menu_has(const WindowRecord& w, UINT command, bool enabled_too) {
    if (!w.system_menu) return true;
    const UINT bits = GetMenuState(w.system_menu, command, MF_BYCOMMAND);
    if (bits == static_cast<UINT>(-1)) return false;
    return !enabled_too || !(bits & (MF_GRAYED | MF_DISABLED));
}

POINT clamp_to_screen(POINT p) {
    const UserState& s = state();
    return POINT{std::clamp<LONG>(p.x, 0, s.screen_width - 1), std::clamp<LONG>(p.y, 0, s.screen_height - 1)};
}

// One drag of the frame: the window's rectangle when it began and what the
// program said it may be.
struct FrameDrag {
    HWND window = nullptr;
    int part = HTCAPTION;
    POINT start{};
    RECT start_rect{};
    MINMAXINFO limits{};
};

MINMAXINFO ask_limits(HWND window) {
    const UserState& s = state();
    WindowRecord* w = find_window(window);
    const int f = w ? frame_thickness(*w) : 0;
    MINMAXINFO info{};
    info.ptMaxSize = POINT{s.screen_width + 2 * f, s.screen_height + 2 * f};
    info.ptMaxPosition = POINT{-f, -f};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{s.screen_width + 2 * f, s.screen_height + 2 * f};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

// The window's rectangle for the pointer at `p`: moved, or sized within the
// limits (the edge that moves gives way), then as the program wants it.
void follow_pointer(const FrameDrag& drag, POINT p) {
    const int dx = p.x - drag.start.x, dy = p.y - drag.start.y;
    RECT r = drag.start_rect;
    if (drag.part == HTCAPTION) {
        OffsetRect(&r, dx, dy);
        SendMessageA(drag.window, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    } else {
        if (moves_left(drag.part)) r.left += dx;
        if (moves_right(drag.part)) r.right += dx;
        if (moves_top(drag.part)) r.top += dy;
        if (moves_bottom(drag.part)) r.bottom += dy;
        const MINMAXINFO& m = drag.limits;
        const LONG width = std::clamp<LONG>(r.right - r.left, m.ptMinTrackSize.x, std::max(m.ptMinTrackSize.x, m.ptMaxTrackSize.x));
        const LONG height = std::clamp<LONG>(r.bottom - r.top, m.ptMinTrackSize.y, std::max(m.ptMinTrackSize.y, m.ptMaxTrackSize.y));
        if (moves_left(drag.part)) r.left = r.right - width;
        else r.right = r.left + width;
        if (moves_top(drag.part)) r.top = r.bottom - height;
        else r.bottom = r.top + height;
        SendMessageA(drag.window, WM_SIZING, sizing_edge(drag.part), reinterpret_cast<LPARAM>(&r));
    }
    WindowRecord* w = find_window(drag.window);
    if (!w || EqualRect(&r, &w->rect)) return;
    SetWindowPos(drag.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool is_press(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
           message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK;
}

bool is_input(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCLBUTTONDBLCLK);
}

// The loop of a hand at work on the window's frame, holding the capture:
// `take` sees each key and pointer message and says when the work is done;
// other messages go on as usual. False when it was cut short (the window
// went, the capture was taken, the run ended).
template <typename Take>
bool hold_frame(HWND window, const char* what, Take take) {
    const HWND old_capture = SetCapture(window);
    platform_automation::tracking_loop_begins(what);
    bool done = false;
    for (;;) {
        MSG m;
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!IsWindow(window) || GetCapture() != window) break;
        if (!is_input(m.message)) {
            DispatchMessageA(&m);
        } else if (take(m)) {
            done = true;
            break;
        }
    }
    platform_automation::tracking_loop_ends();
    if (IsWindow(window) && GetCapture() == window) {
        if (IsWindow(old_capture)) SetCapture(old_capture);
        else ReleaseCapture();
    }
    return done;
}

// Moves or sizes the window until the button comes up (`by_keys`: until
// Enter or a click; the arrows move the pointer). Esc puts it back.
void track_frame(HWND window, int part, POINT start, bool by_keys) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    FrameDrag drag;
    drag.window = window;
    drag.part = part;
    drag.start = start;
    drag.start_rect = w->rect;
    if (part != HTCAPTION) drag.limits = ask_limits(window);
    SendMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
    POINT pointer = start;
    hold_frame(window, by_keys ? "the frame moved by the keys" : "the frame held by the left button", [&](const MSG& m) {
        if (m.message == WM_MOUSEMOVE) {
            // by the keys, the keys lead: the pointer was not put on the frame
            if (!by_keys) {
                pointer = clamp_to_screen(m.pt);
                follow_pointer(drag, pointer);
            }
            return false;
        }
        if (by_keys ? is_press(m.message) : m.message == WM_LBUTTONUP) return true;
        if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return false;
        const UINT vk = static_cast<UINT>(m.wParam);
        if (vk == VK_ESCAPE) {
            follow_pointer(drag, start);
            return true;
        }
        if (vk == VK_RETURN) return true;
        if (vk == VK_LEFT) pointer.x -= kKeyStep;
        if (vk == VK_RIGHT) pointer.x += kKeyStep;
        if (vk == VK_UP) pointer.y -= kKeyStep;
        if (vk == VK_DOWN) pointer.y += kKeyStep;
        pointer = clamp_to_screen(pointer);
        follow_pointer(drag, pointer);
        return false;
    });
    if (IsWindow(window)) SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
}

RECT button_rect(const WindowRecord& w, int part) {
    const CaptionLayout l = caption_layout(w);
    if (part == HTMINBUTTON) return l.minimize;
    if (part == HTMAXBUTTON) return l.maximize;
    return l.close;
}

// A caption button held down: pushed in while the pointer is on it; its
// command goes when the button comes up there.
void track_caption_button(HWND window, int part) {
    WindowRecord* w = find_window(window);
    if (!w || !caption_button_enabled(*w, part)) return;
    FrameHandState& hand = state().hand;
    hand.pressed_window = window;
    hand.pressed_part = part;
    bool inside = true;
    POINT last{};
    GetCursorPos(&last);
    const bool released = hold_frame(window, "a caption button held by the left button", [&](const MSG& m) {
        if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) {
            const WindowRecord* now = find_window(window);
            const RECT r = button_rect(*now, part);
            last = m.pt;
            inside = PtInRect(&r, m.pt) != FALSE;
            state().hand.pressed_part = inside ? part : 0;
            return m.message == WM_LBUTTONUP;
        }
        if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && m.wParam == VK_ESCAPE) {
            inside = false;
            return true;
        }
        return false;
    });
    state().hand.pressed_window = nullptr;
    state().hand.pressed_part = 0;
    w = find_window(window);
    if (released && inside && w) {
        SendMessageA(window, WM_SYSCOMMAND, caption_button_command(*w, part),
                     MAKELPARAM(static_cast<WORD>(last.x), static_cast<WORD>(last.y)));
    }
}

}  // namespace

CaptionLayout caption_layout(const WindowRecord& w) {
    CaptionLayout l;
    if ((w.style & WS_CHILD) || (w.style & WS_CAPTION) != WS_CAPTION) return l;
    const int f = frame_thickness(w);
    const RECT& r = w.rect;
    l.caption = RECT{r.left + f, r.top + f, r.right - f, r.top + f + kCaptionHeight};
    if (!(w.style & WS_SYSMENU)) return l;
    // a dialog's caption has no icon
    if (!(w.ex_style & WS_EX_DLGMODALFRAME)) {
        l.icon = RECT{l.caption.left + 2, l.caption.top + 1, l.caption.left + 18, l.caption.top + 17};
    }
    RECT b{l.caption.right - 2 - kButtonWidth, l.caption.top + 2, l.caption.right - 2, l.caption.top + 2 + kButtonHeight};
    if (b.left <= l.caption.left) return l;
    l.close = b;
    if (w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        OffsetRect(&b, -(kButtonWidth + 2), 0);
        l.maximize = b;
        OffsetRect(&b, -kButtonWidth, 0);
        l.minimize = b;
    }
    return l;
}

UINT caption_button_command(const WindowRecord& w, int part) {
    if (part == HTCLOSE) return SC_CLOSE;
    if (part == HTMINBUTTON) return w.minimized ? SC_RESTORE : SC_MINIMIZE;
    return w.maximized ? SC_RESTORE : SC_MAXIMIZE;
}

bool caption_button_enabled(const WindowRecord& w, int part) {
    switch (part) {
    case HTCLOSE:
        return system_menu_has(w, SC_CLOSE, true);
    case HTMINBUTTON:
        return w.minimized || ((w.style & WS_MINIMIZEBOX) && system_menu_has(w, SC_MINIMIZE, false));
    case HTMAXBUTTON:
        return (w.style & WS_MAXIMIZEBOX) && (w.maximized || system_menu_has(w, SC_MAXIMIZE, false));
    default:
        return false;
    }
}

int frame_hit(const WindowRecord& w, POINT p) {
    const CaptionLayout l = caption_layout(w);
    if (PtInRect(&l.close, p)) return HTCLOSE;
    if (PtInRect(&l.maximize, p)) return HTMAXBUTTON;
    if (PtInRect(&l.minimize, p)) return HTMINBUTTON;
    if (PtInRect(&l.icon, p)) return HTSYSMENU;
    if (w.minimized) return HTCAPTION;
    const RECT& r = w.rect;
    const int f = frame_thickness(w);
    if ((w.style & WS_THICKFRAME) && !w.maximized && f > 0) {
        const bool left = p.x < r.left + f, right = p.x >= r.right - f;
        const bool top = p.y < r.top + f, bottom = p.y >= r.bottom - f;
        if (left || right || top || bottom) {
            const int grip = f + kCornerGrip;
            const bool near_left = p.x < r.left + grip, near_right = p.x >= r.right - grip;
            const bool near_top = p.y < r.top + grip, near_bottom = p.y >= r.bottom - grip;
            if ((left && near_top) || (top && near_left)) return HTTOPLEFT;
            if ((right && near_top) || (top && near_right)) return HTTOPRIGHT;
            if ((left && near_bottom) || (bottom && near_left)) return HTBOTTOMLEFT;
            if ((right && near_bottom) || (bottom && near_right)) return HTBOTTOMRIGHT;
            if (left) return HTLEFT;
            if (right) return HTRIGHT;
            return top ? HTTOP : HTBOTTOM;
        }
    }
    // the caption's lower line belongs to it
    const RECT caption{l.caption.left, l.caption.top, l.caption.right, l.caption.bottom + 1};
    if (!IsRectEmpty(&l.caption) && PtInRect(&caption, p)) return HTCAPTION;
    return HTBORDER;
}

bool frame_part_point(HWND window, int part, POINT* screen) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD) || !screen) return false;
    const CaptionLayout l = caption_layout(*w);
    auto centre = [screen](const RECT& r) {
        if (IsRectEmpty(&r)) return false;
        *screen = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        return true;
    };
    const RECT& r = w->rect;
    const int f = frame_thickness(*w);
    const LONG mid_x = (r.left + r.right) / 2, mid_y = (r.top + r.bottom) / 2;
    switch (part) {
    case HTCAPTION:
        if (IsRectEmpty(&l.caption)) return false;
        *screen = POINT{(caption_title_left(*w) + caption_title_right(*w)) / 2, (l.caption.top + l.caption.bottom) / 2};
        return true;
    case HTSYSMENU: return centre(l.icon);
    case HTMINBUTTON: return centre(l.minimize);
    case HTMAXBUTTON: return centre(l.maximize);
    case HTCLOSE: return centre(l.close);
    case HTLEFT: *screen = POINT{r.left + f / 2, mid_y}; break;
    case HTRIGHT: *screen = POINT{r.right - 1 - f / 2, mid_y}; break;
    case HTTOP: *screen = POINT{mid_x, r.top + f / 2}; break;
    case HTBOTTOM: *screen = POINT{mid_x, r.bottom - 1 - f / 2}; break;
    case HTTOPLEFT: *screen = POINT{r.left + 1, r.top + 1}; break;
    case HTTOPRIGHT: *screen = POINT{r.right - 2, r.top + 1}; break;
    case HTBOTTOMLEFT: *screen = POINT{r.left + 1, r.bottom - 2}; break;
    case HTBOTTOMRIGHT: *screen = POINT{r.right - 2, r.bottom - 2}; break;
    default: return false;
    }
    return (w->style & WS_THICKFRAME) && f > 0;
}

void frame_button_down(HWND window, int part, POINT screen) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD)) return;
    if (part == HTCAPTION) {
        if (!w->maximized) track_frame(window, HTCAPTION, screen, false);
    } else if (is_sizing_part(part)) {
        if ((w->style & WS_THICKFRAME) && !w->maximized && !w->minimized) track_frame(window, part, screen, false);
    } else if (part == HTMINBUTTON || part == HTMAXBUTTON || part == HTCLOSE) {
        track_caption_button(window, part);
    } else if (part == HTSYSMENU) {
        track_system_menu(window, false);
    }
}

bool frame_double_click(HWND window, int part) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD) || (part != HTCAPTION && part != HTSYSMENU)) return false;
    if (part == HTCAPTION) {
        // maximises or puts back; a title strip comes back
        if (w->minimized) {
            SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (caption_button_enabled(*w, HTMAXBUTTON)) {
            SendMessageA(window, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
        }
    } else if (caption_button_enabled(*w, HTCLOSE)) {
        SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return true;
}

LRESULT frame_cursor(HWND /*window*/, int part) {
    LPCSTR shape = IDC_ARROW;
    if (part == HTLEFT || part == HTRIGHT) shape = IDC_SIZEWE;
    if (part == HTTOP || part == HTBOTTOM) shape = IDC_SIZENS;
    if (part == HTTOPLEFT || part == HTBOTTOMRIGHT) shape = IDC_SIZENWSE;
    if (part == HTTOPRIGHT || part == HTBOTTOMLEFT) shape = IDC_SIZENESW;
    SetCursor(LoadCursorA(nullptr, shape));
    return TRUE;
}

LRESULT system_key(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowRecord* w = find_window(window);
    if (!w) return 0;
    // a control hands the system keys up to its window
    if (w->style & WS_CHILD) return send_message(w->parent, message, wparam, lparam);
    FrameHandState& hand = state().hand;
    const auto data = static_cast<uintptr_t>(lparam);
    switch (message) {
    case WM_SYSKEYDOWN:
        if (wparam == VK_MENU) {
            if (!(data & (1u << 30))) hand.alt_alone = true;  // a repeat leaves it as it is
            return 0;
        }
        hand.alt_alone = false;
        if (wparam == VK_F10) {
            hand.f10_down = true;
        } else if (wparam == VK_F4 && (data & (1u << 29)) && system_menu_has(*w, SC_CLOSE, true)) {
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SYSKEYUP:
        if (wparam == VK_MENU && hand.alt_alone) {
            hand.alt_alone = false;
            send_message(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        } else if (wparam == VK_F10 && hand.f10_down) {
            hand.f10_down = false;
            send_message(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_SYSCHAR:
        hand.alt_alone = false;
        if (wparam == '\r' || wparam == 0x1B) return 0;
        send_message(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wparam));
        return 0;
    default:
        return 0;
    }
}

bool close_from_outside() {
    const UserState& s = state();
    HWND target = top_level_of(s.active);
    if (!find_window(target)) target = s.main_window;
    const WindowRecord* w = find_window(target);
    if (!w) return false;
    // An owner behind a box or dialog waits for it; a box without a way
    // out (Yes/No) has no close.
    if ((w->style & WS_DISABLED) || !system_menu_has(*w, SC_CLOSE, true)) {
        MessageBeep(0);
        return true;
    }
    PostMessageA(target, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

void move_or_size_by_keys(HWND window, UINT command) {
    WindowRecord* w = find_window(window);
    if (!w || (w->style & WS_CHILD) || w->maximized) return;
    if (command == SC_SIZE && (!(w->style & WS_THICKFRAME) || w->minimized)) return;
    const RECT r = w->rect;
    const POINT start = command == SC_MOVE ? POINT{(r.left + r.right) / 2, r.top + frame_thickness(*w) + 9}
                                           : POINT{r.right - 1, r.bottom - 1};
    track_frame(window, command == SC_MOVE ? HTCAPTION : HTBOTTOMRIGHT, start, true);
}

RECT minimized_place(HWND window) {
    const UserState& s = state();
    const int mw = GetSystemMetrics(SM_CXMINIMIZED), mh = GetSystemMetrics(SM_CYMINIMIZED);
    const int per_row = std::max(1, s.screen_width / mw);
    for (int slot = 0;; ++slot) {
        const int x = (slot % per_row) * mw, y = s.screen_height - mh * (1 + slot / per_row);
        bool taken = false;
        for (HWND top : s.top_levels) {
            const WindowRecord* t = find_window(top);
            if (top != window && t && t->minimized && (t->style & WS_VISIBLE) && t->rect.left == x && t->rect.top == y) {
                taken = true;
                break;
            }
        }
        if (!taken || y <= 0) return RECT{x, y, x + mw, y + mh};
    }
}

}  // namespace platform_user
