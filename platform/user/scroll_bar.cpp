// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL): range, page and
// position, and the client area they take when shown.
#include <algorithm>

#include "platform/user/controls_internal.h"

using namespace platform_user;

namespace {

ScrollBarState* bar_of(HWND window, int bar) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (bar == SB_HORZ) return &w->hscroll;
    if (bar == SB_VERT) return &w->vscroll;
    if (bar == SB_CTL) return scroll_control_state(window);
    return nullptr;
}

void clamp_position(ScrollBarState& b) {
    int top = b.max;
    if (b.page > 0) top = b.max - static_cast<int>(b.page) + 1;
    top = std::max(top, b.min);
    b.pos = std::clamp(b.pos, b.min, top);
}

void show_bar(HWND window, int bar, bool show) {
    WindowRecord* w = find_window(window);
    if (!w) return;
    if (bar == SB_CTL) {
        // A scroll bar control stays; it shows its new state.
        InvalidateRect(window, nullptr, TRUE);
        return;
    }
    DWORD bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    bool shown = (w->style & bit) != 0;
    if (shown == show) return;
    RECT old_client = client_rect_in_parent(*w);
    if (show) w->style |= bit;
    else w->style &= ~bit;
    send_size_after_frame_change(window, old_client);
}

}  // namespace

BOOL SetScrollRange(HWND window, int bar, int minimum, int maximum, BOOL /*redraw*/) {
    ScrollBarState* b = bar_of(window, bar);
    if (!b || maximum - minimum > 0x7FFF || maximum < minimum) return FALSE;
    b->min = minimum;
    b->max = maximum;
    clamp_position(*b);
    show_bar(window, bar, minimum != maximum);
    return TRUE;
}

BOOL GetScrollRange(HWND window, int bar, int* minimum, int* maximum) {
    ScrollBarState* b = bar_of(window, bar);
    if (!b) return FALSE;
    if (minimum) *minimum = b->min;
    if (maximum) *maximum = b->max;
    return TRUE;
}

int SetScrollPos(HWND window, int bar, int position, BOOL /*redraw*/) {
    ScrollBarState* b = bar_of(window, bar);
    if (!b) return 0;
    int previous = b->pos;
    b->pos = position;
    clamp_position(*b);
    if (bar == SB_CTL) InvalidateRect(window, nullptr, TRUE);
    return previous;
}

int GetScrollPos(HWND window, int bar) {
    ScrollBarState* b = bar_of(window, bar);
    return b ? b->pos : 0;
}

int SetScrollInfo(HWND window, int bar, const SCROLLINFO* info, BOOL /*redraw*/) {
    ScrollBarState* b = bar_of(window, bar);
    if (!b || !info) return 0;
    if (info->fMask & SIF_RANGE) {
        b->min = info->nMin;
        b->max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) {
        b->page = std::min(info->nPage, static_cast<UINT>(b->max - b->min + 1));
    }
    if (info->fMask & SIF_POS) b->pos = info->nPos;
    clamp_position(*b);
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool scrollable = b->max > b->min && (b->page == 0 || static_cast<int>(b->page) <= b->max - b->min);
        if (info->fMask & SIF_DISABLENOSCROLL) {
            b->disabled = !scrollable;
            show_bar(window, bar, true);
        } else {
            b->disabled = false;
            show_bar(window, bar, scrollable);
        }
    }
    ScrollBarState* again = bar_of(window, bar);
    return again ? again->pos : 0;
}

BOOL GetScrollInfo(HWND window, int bar, SCROLLINFO* info) {
    ScrollBarState* b = bar_of(window, bar);
    if (!b || !info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = b->min;
        info->nMax = b->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = b->page;
    if (info->fMask & SIF_POS) info->nPos = b->pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = b->track;
    return TRUE;
}

BOOL ShowScrollBar(HWND window, int bar, BOOL show) {
    if (!find_window(window)) return FALSE;
    if (bar == SB_HORZ || bar == SB_BOTH) show_bar(window, SB_HORZ, show != FALSE);
    if (bar == SB_VERT || bar == SB_BOTH) show_bar(window, SB_VERT, show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND window, UINT bar, UINT arrows) {
    if (!find_window(window)) return FALSE;
    bool disabled = arrows == ESB_DISABLE_BOTH;
    if (bar == SB_CTL) {
        ScrollBarState* b = bar_of(window, SB_CTL);
        if (!b) return FALSE;
        b->disabled = disabled;
        InvalidateRect(window, nullptr, TRUE);
        return TRUE;
    }
    if (bar == SB_HORZ || bar == SB_BOTH) bar_of(window, SB_HORZ)->disabled = disabled;
    if (bar == SB_VERT || bar == SB_BOTH) bar_of(window, SB_VERT)->disabled = disabled;
    return TRUE;
}
