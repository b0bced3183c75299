// The scroll bars of a window (WS_HSCROLL, WS_VSCROLL): range, page and
// position, the client area they take when shown, and where their parts lie.
#include <algorithm>

#include "platform/user/controls_internal.h"

namespace platform_user {

namespace {

constexpr int kArrowLength = 16;
constexpr int kSmallestThumb = 8;

// Lengths along the bar, from its start.
struct Along {
    int arrow = 0;
    int track_start = 0;
    int track_length = 0;
    int thumb_length = 0;  // 0: no thumb
    int span = 0;          // positions the thumb moves through, less one
};

Along measure(int length, const ScrollBarState& b) {
    Along a;
    a.arrow = std::min(kArrowLength, length / 2);
    a.track_start = a.arrow;
    a.track_length = length - 2 * a.arrow;
    const int range = b.max - b.min;
    a.span = range - std::max(0, static_cast<int>(b.page) - 1);
    if (b.disabled || range <= 0 || a.span <= 0) return a;
    // A page makes the thumb as long as the part of the range it shows.
    const int thumb = b.page > 0 ? std::max(kSmallestThumb, static_cast<int>(static_cast<long long>(a.track_length) *
                                                                             b.page / (range + 1)))
                                 : a.arrow;
    if (thumb <= a.track_length) a.thumb_length = thumb;
    return a;
}

int thumb_offset(const Along& a, int position, int minimum) {
    const int room = a.track_length - a.thumb_length;
    const int at = std::clamp(position - minimum, 0, a.span);
    return a.track_start + static_cast<int>(static_cast<long long>(room) * at / a.span);
}

// A stretch [from, to) along the bar as a rectangle across all of it.
RECT stretch(const RECT& whole, bool vertical, int from, int to) {
    if (to <= from) return RECT{0, 0, 0, 0};
    if (vertical) return RECT{whole.left, whole.top + from, whole.right, whole.top + to};
    return RECT{whole.left + from, whole.top, whole.left + to, whole.bottom};
}

}  // namespace

ScrollBarState* scroll_bar_state(HWND window, int bar) {
    WindowRecord* w = find_window(window);
    if (!w) return nullptr;
    if (bar == SB_HORZ) return &w->hscroll;
    if (bar == SB_VERT) return &w->vscroll;
    if (bar == SB_CTL) return scroll_control_state(window);
    return nullptr;
}

ScrollBarLayout scroll_bar_layout(RECT whole, bool vertical, const ScrollBarState& b) {
    ScrollBarLayout l;
    l.whole = whole;
    l.vertical = vertical;
    const int length = vertical ? whole.bottom - whole.top : whole.right - whole.left;
    const Along a = measure(length, b);
    l.first = stretch(whole, vertical, 0, a.arrow);
    l.last = stretch(whole, vertical, length - a.arrow, length);
    if (a.thumb_length == 0) return l;
    // While the thumb is dragged it shows where the hand has it.
    const int at = thumb_offset(a, b.pressed == ScrollPart::thumb ? b.track : b.pos, b.min);
    l.thumb = stretch(whole, vertical, at, at + a.thumb_length);
    l.page_before = stretch(whole, vertical, a.track_start, at);
    l.page_after = stretch(whole, vertical, at + a.thumb_length, a.track_start + a.track_length);
    return l;
}

ScrollPart scroll_part_at(const ScrollBarLayout& l, POINT p) {
    if (PtInRect(&l.first, p)) return ScrollPart::line_up;
    if (PtInRect(&l.last, p)) return ScrollPart::line_down;
    if (PtInRect(&l.thumb, p)) return ScrollPart::thumb;
    if (PtInRect(&l.page_before, p)) return ScrollPart::page_up;
    if (PtInRect(&l.page_after, p)) return ScrollPart::page_down;
    return ScrollPart::none;
}

int scroll_position_for_thumb(const ScrollBarLayout& l, const ScrollBarState& b, int thumb_start) {
    const int length = l.vertical ? l.whole.bottom - l.whole.top : l.whole.right - l.whole.left;
    const Along a = measure(length, b);
    const int room = a.track_length - a.thumb_length;
    if (a.thumb_length == 0 || room <= 0) return b.pos;
    const int offset = std::clamp(thumb_start - a.track_start, 0, room);
    return b.min + static_cast<int>((static_cast<long long>(offset) * a.span + room / 2) / room);
}

RECT window_scroll_bar_rect(const WindowRecord& w, int bar) {
    const DWORD bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (!(w.style & bit) || w.minimized || !has_own_scroll_bars(w)) return RECT{0, 0, 0, 0};
    const RECT client = client_rect_in_parent(w);
    const POINT o = client_origin_on_screen(w);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (bar == SB_VERT) return RECT{o.x + width, o.y, o.x + width + kArrowLength, o.y + height};
    return RECT{o.x, o.y + height, o.x + width, o.y + height + kArrowLength};
}

int scroll_bar_hit(HWND window, POINT screen) {
    const WindowRecord* w = find_window(window);
    if (!w) return 0;
    const RECT vertical = window_scroll_bar_rect(*w, SB_VERT), horizontal = window_scroll_bar_rect(*w, SB_HORZ);
    if (PtInRect(&vertical, screen)) return HTVSCROLL;
    if (PtInRect(&horizontal, screen)) return HTHSCROLL;
    return 0;
}

}  // namespace platform_user

using namespace platform_user;

namespace {

ScrollBarState* bar_of(HWND window, int bar) {
    return scroll_bar_state(window, bar);
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
