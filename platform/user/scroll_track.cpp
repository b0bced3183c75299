// Scroll bars worked by hand: a press on an arrow, the channel or the thumb
// tracked until the button goes up, and the wheel turned into the scroll
// messages that programs written before the wheel understand.
#include <algorithm>

#include "platform/automation/host.h"
#include "platform/kernel/clock.h"
#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

// As Windows 95: a held arrow or channel repeats after this long, then this often.
constexpr DWORD kFirstRepeatMs = 400;
constexpr DWORD kRepeatMs = 50;
constexpr int kLinesANotch = 3;

// A bar being tracked: whose it is and who hears of it.
struct Tracked {
    HWND window = nullptr;  // has the bar (the control itself for SB_CTL)
    int bar = SB_VERT;      // SB_HORZ, SB_VERT or SB_CTL
    HWND listener = nullptr;
    UINT message = WM_VSCROLL;
    LPARAM lparam = 0;      // the control, for a scroll bar control
};

bool layout_of(const Tracked& t, ScrollBarLayout* out) {
    WindowRecord* w = find_window(t.window);
    ScrollBarState* b = scroll_bar_state(t.window, t.bar);
    if (!w || !b) return false;
    RECT whole{};
    bool vertical = t.bar == SB_VERT;
    if (t.bar == SB_CTL) {
        const POINT o = client_origin_on_screen(*w);
        const RECT c = client_rect_in_parent(*w);
        whole = RECT{o.x, o.y, o.x + (c.right - c.left), o.y + (c.bottom - c.top)};
        vertical = (w->style & SBS_VERT) != 0;
    } else {
        whole = window_scroll_bar_rect(*w, t.bar);
    }
    if (IsRectEmpty(&whole)) return false;
    *out = scroll_bar_layout(whole, vertical, *b);
    return true;
}

ScrollPart part_under(const Tracked& t, POINT p) {
    ScrollBarLayout l;
    return layout_of(t, &l) ? scroll_part_at(l, p) : ScrollPart::none;
}

void show_pressed(const Tracked& t, ScrollPart part) {
    ScrollBarState* b = scroll_bar_state(t.window, t.bar);
    if (!b || b->pressed == part) return;
    b->pressed = part;
    // A window's own bars are drawn with its frame; a control paints itself.
    if (t.bar == SB_CTL) InvalidateRect(t.window, nullptr, FALSE);
}

void tell(const Tracked& t, int code, int position = 0) {
    send_message(t.listener, t.message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position)), t.lparam);
}

int code_of(ScrollPart part) {
    switch (part) {
    case ScrollPart::line_up: return SB_LINEUP;
    case ScrollPart::page_up: return SB_PAGEUP;
    case ScrollPart::page_down: return SB_PAGEDOWN;
    case ScrollPart::line_down: return SB_LINEDOWN;
    default: return SB_THUMBTRACK;
    }
}

int along(const ScrollBarLayout& l, POINT p) {
    return l.vertical ? p.y - l.whole.top : p.x - l.whole.left;
}

// The thumb follows the pointer; the listener hears each new position.
void drag_thumb(const Tracked& t, POINT p, int grip) {
    ScrollBarLayout l;
    ScrollBarState* b = scroll_bar_state(t.window, t.bar);
    if (!b || !layout_of(t, &l)) return;
    const int position = scroll_position_for_thumb(l, *b, along(l, p) - grip);
    if (position == b->track) return;
    b->track = position;
    if (t.bar == SB_CTL) InvalidateRect(t.window, nullptr, FALSE);
    tell(t, SB_THUMBTRACK, position);
}

void track(const Tracked& t, POINT at) {
    ScrollBarLayout l;
    ScrollBarState* b = scroll_bar_state(t.window, t.bar);
    if (!b || b->disabled || !layout_of(t, &l)) return;
    const ScrollPart part = scroll_part_at(l, at);
    if (part == ScrollPart::none) return;
    const int grip = along(l, at) - along(l, POINT{l.thumb.left, l.thumb.top});
    b->track = b->pos;
    HWND old_capture = SetCapture(t.window);
    platform_automation::tracking_loop_begins("the scroll bar held by the left button");
    show_pressed(t, part);
    const bool repeats = part != ScrollPart::thumb;
    DWORD due = GetTickCount() + kFirstRepeatMs;
    if (repeats) tell(t, code_of(part));
    POINT pointer = at;
    while (IsWindow(t.window) && GetCapture() == t.window) {
        long wait = -1;
        if (repeats) {
            const DWORD now = GetTickCount();
            if (static_cast<LONG>(now - due) >= 0) {
                // Only while the pointer is on the part pressed: so the channel
                // stops once the thumb has come to the pointer.
                if (part_under(t, pointer) == part) tell(t, code_of(part));
                due += kRepeatMs;
                if (static_cast<LONG>(due - now) <= 0) due = now + kRepeatMs;  // a slow program falls behind

                continue;
            }
            wait = static_cast<LONG>(due - now);
        }
        MSG m;
        const int got = take_message_within(&m, wait);
        if (got == 0) continue;
        if (got < 0) break;
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (m.message == WM_LBUTTONUP) {
            pointer = m.pt;
            break;
        }
        if (m.message == WM_MOUSEMOVE) {
            pointer = m.pt;
            if (part == ScrollPart::thumb) drag_thumb(t, pointer, grip);
            else show_pressed(t, part_under(t, pointer) == part ? part : ScrollPart::none);
            continue;
        }
        // Other presses wait until the bar lets go.
        if ((m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) || m.message == WM_NCLBUTTONDOWN) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    show_pressed(t, ScrollPart::none);
    if (ScrollBarState* now = scroll_bar_state(t.window, t.bar); now && part == ScrollPart::thumb) {
        if (t.bar == SB_CTL) InvalidateRect(t.window, nullptr, FALSE);
        tell(t, SB_THUMBPOSITION, now->track);
    }
    if (IsWindow(t.listener)) tell(t, SB_ENDSCROLL);
    platform_automation::tracking_loop_ends();
    if (GetCapture() == t.window) {
        if (IsWindow(old_capture)) SetCapture(old_capture);
        else ReleaseCapture();
    }
}

// The scroll bar control that tells its parent, or the window's own bar.
bool wheel_target(HWND window, bool sideways, Tracked* t) {
    WindowRecord* w = find_window(window);
    if (!w) return false;
    if (control_kind(window) == ControlKind::scrollbar) {
        if (((w->style & SBS_VERT) != 0) == sideways || !(w->style & WS_CHILD)) return false;
        *t = Tracked{window, SB_CTL, w->parent, sideways ? UINT{WM_HSCROLL} : UINT{WM_VSCROLL},
                     reinterpret_cast<LPARAM>(window)};
        return true;
    }
    if (!has_own_scroll_bars(*w) || !(w->style & (sideways ? WS_HSCROLL : WS_VSCROLL))) return false;
    *t = Tracked{window, sideways ? SB_HORZ : SB_VERT, window, sideways ? UINT{WM_HSCROLL} : UINT{WM_VSCROLL}, 0};
    return true;
}

}  // namespace

void track_scroll_bar(HWND window, int hit, POINT screen) {
    const bool vertical = hit == HTVSCROLL;
    // A press on a child's bar activates its window, as a press anywhere in it.
    HWND top = top_level_of(window);
    if (top != window && state().active != top) activate_window(top, true);
    track(Tracked{window, vertical ? SB_VERT : SB_HORZ, window, vertical ? UINT{WM_VSCROLL} : UINT{WM_HSCROLL}, 0},
          screen);
}

void track_scroll_control(HWND control, POINT screen) {
    WindowRecord* w = find_window(control);
    if (!w || !(w->style & WS_CHILD)) return;
    const bool vertical = (w->style & SBS_VERT) != 0;
    track(Tracked{control, SB_CTL, w->parent, vertical ? UINT{WM_VSCROLL} : UINT{WM_HSCROLL},
                  reinterpret_cast<LPARAM>(control)},
          screen);
}

void post_wheel_scrolls(POINT screen, int notches, bool sideways) {
    if (notches == 0) return;
    HWND window = window_from_screen_point(screen);
    WindowRecord* top = find_window(top_level_of(window));
    if (!top || (top->style & WS_DISABLED)) return;
    Tracked t;
    while (window && !wheel_target(window, sideways, &t)) {
        WindowRecord* w = find_window(window);
        window = w && (w->style & WS_CHILD) ? w->parent : nullptr;
    }
    if (!window) return;
    const int code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int n = 0; n < std::abs(notches); ++n) {
        for (int line = 0; line < kLinesANotch; ++line) {
            PostMessageA(t.listener, t.message, MAKEWPARAM(static_cast<WORD>(code), 0), t.lparam);
        }
        PostMessageA(t.listener, t.message, MAKEWPARAM(SB_ENDSCROLL, 0), t.lparam);
    }
}

}  // namespace platform_user
