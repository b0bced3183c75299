#include "common/viewer/layout_view.h"

#include <algorithm>
#include <cmath>

#include "common/shell/document.h"
#include "common/viewer/frame.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/sjis_text.h"

namespace {

constexpr auto& kLayoutTitle = "ﾚｲｱｳﾄ"_sjis;
constexpr WindowPlacement kDefaultPlacement{450, 90, 312, 500};
constexpr COLORREF kFrameGrey = RGB(192, 192, 192);

LayoutViewState& state() { return layout_view(); }
LayoutContent& content() { return *state().content; }

void draw_region() {
    HWND chart_window = state().children.chart;
    HDC dc = GetDC(chart_window);
    if (dc == nullptr) return;
    draw_layout_region(dc, state().region);
    ReleaseDC(chart_window, dc);
}

void save_placement(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    save_window_placement(*state().profile->placement, kLayoutWindow,
                          WindowPlacement{r.left, r.top, r.right - r.left, r.bottom - r.top}, IsIconic(window) != FALSE);
}

// The rectangle centred on the click, kept inside the window; the drag
// starts there.
void click_at(int x, int y) {
    LayoutViewState& s = state();
    set_status_text(0, "");
    if (!s.dragging) {
        draw_region();
        LayoutRegion& r = s.region;
        const int w = r.width, h = r.height;
        int left = std::min(x - w / 2, s.client_width - w - s.profile->right_gap);
        int top = y - h / 2;
        if (s.profile->keep_bottom_inside) top = std::min(top, s.client_height - h);
        left = std::max(0, left);
        top = std::max(0, top);
        r.set(left, top, left + w, top + h);
        draw_region();
    }
    s.dragging = true;
    s.drag_start = POINT{x, y};
    s.drag_corner = POINT{s.region.left, s.region.top};
}

void drag_to(int x, int y) {
    LayoutViewState& s = state();
    draw_region();
    LayoutRegion& r = s.region;
    const int left = std::max(0, static_cast<int>(s.drag_corner.x) + x - static_cast<int>(s.drag_start.x));
    const int top = std::max(0, static_cast<int>(s.drag_corner.y) + y - static_cast<int>(s.drag_start.y));
    r.set(left, top, left + r.width, top + r.height);
    draw_region();
}

// A scroll step of the window, drawn. The rectangle marks a part of the
// content: a step of the bars or keys moves it with the content; a drag
// held at an edge keeps it where it is in the window, so that it goes on
// over the content.
int scroll_layout(bool horizontal, WPARAM code, bool with_content) {
    LayoutViewState& s = state();
    const int column = s.offset, row = s.top_row;
    const int refused = content().scroll(horizontal, code);
    if (refused != 0) return refused;
    if (with_content) {
        // the difference of rounded origins, so that many steps add up to no drift
        const auto scaled = [&s](int pixels) { return static_cast<int>(std::lround(static_cast<float>(pixels) * s.zoom)); };
        const int dx = scaled(7 * column) - scaled(7 * s.offset);
        const int dy = scaled(content().row_top_pixels(row)) - scaled(content().row_top_pixels(s.top_row));
        LayoutRegion& r = s.region;
        r.set(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
    }
    repaint_layout_view();
    return 0;
}

// The pointer put back into the window after an edge scroll; the drag goes
// on from there with the rectangle where it stands.
void put_pointer_back(int x, int y, POINT at) {
    LayoutViewState& s = state();
    if (s.region.width < s.client_width && s.region.height < s.client_height) {
        POINT p{x, y};
        ClientToScreen(s.children.chart, &p);
        SetCursorPos(p.x, p.y);
    } else {
        x = at.x;
        y = at.y;
    }
    s.drag_start = POINT{x, y};
    s.drag_corner = POINT{s.region.left, s.region.top};
}

// Within half the rectangle of an edge the window scrolls one step that way
// instead of the rectangle moving; true when it did. A refused step (the
// content's end) lets the rectangle move on to the edge.
bool scroll_at_edge(int x, int y) {
    LayoutViewState& s = state();
    const int w = s.region.width, h = s.region.height;
    const auto step = [&](bool horizontal, WPARAM code, int px, int py) {
        s.edge_stepping = true;
        const int refused = scroll_layout(horizontal, code, false);
        s.edge_stepping = false;
        if (refused != 0) return false;
        put_pointer_back(px, py, POINT{x, y});
        return true;
    };
    if (y < h / 2 && s.top_row > 1) return step(false, SB_LINEUP, x, h / 2 + 1);
    if (y > s.client_height - h / 2 && y > 1) return step(false, SB_LINEDOWN, x, s.client_height - h / 2 - 2);
    if (x < w / 2 && s.offset > 0) return step(true, SB_LINELEFT, w / 2 + 1, y);
    if (x > s.client_width - w / 2 && x > 1) return step(true, SB_LINERIGHT, s.client_width - w / 2 - 2, y);
    return false;
}

void release() {
    LayoutViewState& s = state();
    if (!s.dragging) return;
    s.dragging = false;
    content().show_region();
}

void change_zoom(int index) {
    LayoutViewState& s = state();
    if (index < 0 || index >= kLayoutZoomCount) return;
    const float old_zoom = s.zoom;
    s.zoom_index = index;
    s.zoom = kLayoutZoomFactors[index];
    rescale_layout_region(s.region, old_zoom, s.zoom);
    repaint_layout_view();
}

LRESULT layout_key(WPARAM key) {
    switch (key) {
    case VK_UP: return scroll_layout(false, SB_LINEUP, true);
    case VK_DOWN: return scroll_layout(false, SB_LINEDOWN, true);
    case VK_PRIOR: return scroll_layout(false, SB_PAGEUP, true);
    case VK_NEXT: return scroll_layout(false, SB_PAGEDOWN, true);
    case VK_LEFT: return scroll_layout(true, SB_LINELEFT, true);
    case VK_RIGHT: return scroll_layout(true, SB_LINERIGHT, true);
    case VK_TAB: return scroll_layout(true, GetKeyState(VK_SHIFT) < 0 ? SB_PAGELEFT : SB_PAGERIGHT, true);
    default: return 0;
    }
}

}  // namespace

void LayoutViewState::reset() {
    LayoutViewState kept;
    kept.profile = profile;
    kept.content = content;
    kept.zoom_index = zoom_index;
    kept.zoom = kLayoutZoomFactors[zoom_index];
    *this = kept;
}

LayoutViewState& layout_view() {
    static LayoutViewState view;
    return view;
}

void install_layout_view(const LayoutViewProfile& profile, LayoutContent& content) {
    LayoutViewState& s = state();
    s.profile = &profile;
    s.content = &content;
}

LayoutRegion scaled_layout_region(int x1, int y1, int x2, int y2, float zoom) {
    const auto scale = [zoom](int v, int delta) { return static_cast<int>(static_cast<float>(v) * zoom) + delta; };
    LayoutRegion r;
    r.set(scale(x1, 2), scale(y1, 2), scale(x2, -2), scale(y2, -2));
    return r;
}

void open_layout_view(HWND parent, int x1, int y1, int x2, int y2) {
    LayoutViewState& s = state();
    if (s.open() || s.content == nullptr) return;
    s.zoom = kLayoutZoomFactors[s.zoom_index];
    WindowPlacement place = kDefaultPlacement;
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    place.x = origin.x + kDefaultPlacement.x;
    place.y = origin.y + kDefaultPlacement.y;
    load_window_placement(*s.profile->placement, kLayoutWindow, place);
    HWND window = CreateWindowA(kLayoutFrameClass, kLayoutTitle,
                                WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, place.x, place.y,
                                place.width, place.height, parent, nullptr, shell().instance, nullptr);
    if (window == nullptr) return;
    s.window = window;
    if (s.profile->remove_minimise) RemoveMenu(GetSystemMenu(window, FALSE), SC_MINIMIZE, MF_BYCOMMAND);
    RECT client{};
    GetClientRect(window, &client);
    s.children = create_layout_children(window, shell().instance, client.right, client.bottom - kLayoutChartTop,
                                        shell().button_font);
    s.client_width = client.right;
    s.client_height = client.bottom - kLayoutChartTop;
    // where the view shows: the window starts there when the rectangle
    // would not fit otherwise
    int column = 0, row = 1;
    content().view_origin(&column, &row);
    s.region = scaled_layout_region(x1, y1, x2, y2, s.zoom);
    const int shift_x = static_cast<int>(7.0f * s.zoom * static_cast<float>(column));
    const int shift_y = static_cast<int>(static_cast<float>(content().origin_row_pixels() * (row - 1)) * s.zoom);
    LayoutRegion& r = s.region;
    if (r.right + shift_x > s.client_width) {
        s.offset = column;
        r.set(0, r.top, r.width, r.bottom);
    } else {
        s.offset = 0;
        r.set(r.left + shift_x, r.top, r.right + shift_x, r.bottom);
    }
    if (r.bottom + shift_y > s.client_height) {
        s.top_row = row;
        r.set(r.left, 0, r.right, r.height);
    } else {
        s.top_row = 1;
        r.set(r.left, r.top + shift_y, r.right, r.bottom + shift_y);
    }
    if (s.children.chart != nullptr && content().background() != nullptr)
        SetClassLongPtrA(s.children.chart, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(content().background()));
    shell().owned.layout = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    repaint_layout_view();
}

void refresh_layout_view(int x1, int y1, int x2, int y2) {
    LayoutViewState& s = state();
    if (!s.open()) return;
    content().view_origin(&s.offset, &s.top_row);
    s.region = scaled_layout_region(x1, y1, x2, y2, s.zoom);
    repaint_layout_view();
}

void refuse_layout_scroll() {
    if (!state().edge_stepping) MessageBeep(0);
}

void repaint_layout_view() {
    LayoutViewState& s = state();
    if (!s.open()) return;
    RECT client{};
    GetClientRect(s.window, &client);
    size_layout_children(s.children, client.right, client.bottom);
    s.client_width = client.right;
    s.client_height = std::max(0L, static_cast<long>(client.bottom) - kLayoutChartTop);
    HWND chart_window = s.children.chart;
    HDC dc = GetDC(chart_window);
    if (dc == nullptr) return;
    HGDIOBJ old_brush = SelectObject(dc, content().background());
    HPEN frame = CreatePen(PS_SOLID, 1, kFrameGrey);
    HGDIOBJ old_pen = SelectObject(dc, frame);
    Rectangle(dc, 0, 0, s.client_width, s.client_height);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(frame);
    content().set_ranges();
    if (content().has_content()) content().draw(dc);
    draw_layout_region(dc, s.region);
    ReleaseDC(chart_window, dc);
}

LRESULT layout_view_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LayoutViewState& s = state();
    const bool is_frame = window == s.window;
    switch (message) {
    case WM_SIZE:
        if (is_frame) {
            size_layout_children(s.children, LOWORD(lparam), HIWORD(lparam));
            save_placement(window);
        }
        return 0;
    case WM_MOVE:
        if (is_frame) save_placement(window);
        return 0;
    case WM_DESTROY:
        if (is_frame) {
            s.window = nullptr;
            s.children = LayoutChildren{};
            s.dragging = false;
            if (shell().owned.layout == window) shell().owned.layout = nullptr;
        }
        return 0;
    case WM_KILLFOCUS: s.dragging = false; return 0;
    case WM_KEYDOWN: return layout_key(wparam);
    case WM_HSCROLL: return scroll_layout(true, wparam, true);
    case WM_VSCROLL: return scroll_layout(false, wparam, true);
    case WM_COMMAND: {
        const UINT id = LOWORD(wparam);
        const UINT first_zoom = s.profile->first_zoom_command;
        if (id == kLayoutZoomButtonId) {
            track_layout_zoom_popup(s.window, s.zoom_index, first_zoom);
        } else if (id == kLayoutCloseButtonId) {
            DestroyWindow(s.window);
        } else if (id >= first_zoom && id < first_zoom + kLayoutZoomCount) {
            change_zoom(static_cast<int>(id - first_zoom));
        }
        return 0;
    }
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT layout_view_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LayoutViewState& s = state();
    const int x = static_cast<short>(LOWORD(lparam));
    const int y = static_cast<short>(HIWORD(lparam));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        s.zoom = kLayoutZoomFactors[s.zoom_index];
        repaint_layout_view();
        return 0;
    }
    case WM_LBUTTONDOWN: click_at(x, y); return 0;
    case WM_MOUSEMOVE:
        if (document_state().busy) {
            SetCursor(LoadCursorA(nullptr, IDC_WAIT));
            return 0;
        }
        if (!s.dragging) return 0;
        if ((wparam & MK_LBUTTON) == 0) {
            s.dragging = false;
            return 0;
        }
        if (!scroll_at_edge(x, y)) drag_to(x, y);
        return 0;
    case WM_LBUTTONUP: release(); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
