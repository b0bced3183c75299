#include "orbaline/viewer/chart_layout.h"

#include <algorithm>
#include <string>

#include "common/shell/document.h"
#include "common/shell/viewer/frame.h"
#include "common/shell/window_placement.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/gdi/wingdi.h"

namespace {

constexpr char kLayoutTitle[] = "\xda\xb2\xb1\xb3\xc4";  // ﾚｲｱｳﾄ
constexpr WindowPlacement kDefaultPlacement{450, 90, 312, 500};
constexpr int kMaxPieces = 8;

ChartLayoutState& state() { return chart_layout(); }
ChartSession& session() { return chart(); }

int row_pitch() { return (session().box_lines + 2) * kChartCellHeight; }

// Every primitive of the miniature: scaled, then shifted by the offset.
int layout_x(int x) {
    const ChartLayoutState& s = state();
    return static_cast<int>(static_cast<float>(x) * s.zoom - 7.0f * s.zoom * static_cast<float>(s.offset));
}
int layout_y(int y) {
    const ChartLayoutState& s = state();
    return s.zoom != 1.0f ? static_cast<int>(static_cast<float>(y - 4) * s.zoom) : y - 4;
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, layout_x(x1), layout_y(y1), nullptr);
    LineTo(dc, layout_x(x2), layout_y(y2));
}

void draw_dashes(HDC dc, const std::string& piece, int text_x, int text_y) {
    const ChartLayoutState& s = state();
    const int y = static_cast<int>(static_cast<float>(text_y - 14) * s.zoom);
    const int start = static_cast<int>(s.zoom * static_cast<float>(text_x)) -
                      static_cast<int>(7.0f * s.zoom * static_cast<float>(s.offset));
    for (int x : layout_dash_positions(piece, s.zoom)) {
        MoveToEx(dc, start + x, y, nullptr);
        LineTo(dc, start + x + 2, y);
    }
}

void draw_row(HDC dc, int row, int n) {
    const ChartTable& table = session().table;
    const int w = session().box_width;
    const int l = session().box_lines;
    const int t = (l + 2) * n + 1;
    const int ym = (l + 2) * n + (l + 2) / 2 + 1 - (l % 2 == 0 ? 1 : 0);
    for (int column = 0; column < kChartColumns; ++column) {
        const int32_t code = table.code(row, column);
        if (is_coded_node(code)) {
            const int x0 = 8 * column + 4 + 2;
            HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, layout_x(x0 * 7), layout_y(t * 14 + 7), layout_x((x0 + 2 * w + 1) * 7),
                      layout_y(t * 14 + l * 14 + 21));
            SelectObject(dc, old);
            std::string pieces[kMaxPieces];
            const int count = split_node_text(table.text(row, column), 2 * w, pieces, kMaxPieces);
            for (int k = 0; k < std::min(count, l); ++k)
                draw_dashes(dc, pieces[k], (4 + 8 * column + 3) * 7, (k + t + 2) * 14);
            break;
        }
        const int xc = (8 * column + 4 + 4 + 2) * 7;
        const auto stub = [&] { line(dc, xc, ym * 14 + 7, xc + 4 * 7, ym * 14 + 7); };
        switch (code) {
        case kCodeBranch: line(dc, xc, t * 14 - 7, xc, (t + l + 2) * 14 + 7); stub(); break;
        case kCodeLastBranch: line(dc, xc, t * 14 - 7, xc, ym * 14 + 7); stub(); break;
        case kCodePassThrough: line(dc, xc, t * 14 - 7, xc, (t + l + 2) * 14); break;
        default: break;
        }
    }
}

void draw_page(HDC dc) {
    ChartLayoutState& s = state();
    const int count = session().row_count();
    HGDIOBJ old_pen = SelectObject(dc, orbaline().thin_pen);
    int n = 0;
    for (int row = std::max(1, s.top_row - 1); row <= count; ++row, ++n) {
        if (static_cast<float>((row - s.top_row + 1) * row_pitch()) * s.zoom > static_cast<float>(s.client_height))
            break;
        draw_row(dc, row, n);
    }
    SelectObject(dc, old_pen);
}

int columns_wide() { return orbaline().chart_width + 4; }
int rows_per_page() {
    const ChartLayoutState& s = state();
    return static_cast<int>(static_cast<float>(s.client_height) / (static_cast<float>(row_pitch()) * s.zoom)) - 1;
}
int horizontal_limit() {
    const ChartLayoutState& s = state();
    return columns_wide() - static_cast<int>(static_cast<float>(s.client_width) / (7.0f * s.zoom));
}

void set_ranges() {
    ChartLayoutState& s = state();
    int horizontal = horizontal_limit();
    if (horizontal <= 0) {
        horizontal = 0;
        s.offset = 0;
    }
    int vertical = session().row_count() -
                   static_cast<int>(static_cast<float>(s.client_height) / (static_cast<float>(row_pitch()) * s.zoom)) + 2;
    if (vertical <= 1) {
        vertical = 1;
        s.top_row = 1;
    }
    SetScrollRange(s.window, SB_HORZ, 0, horizontal, TRUE);
    SetScrollRange(s.window, SB_VERT, 1, vertical, TRUE);
    SetScrollPos(s.window, SB_HORZ, s.offset, TRUE);
    SetScrollPos(s.window, SB_VERT, s.top_row, TRUE);
}

void draw_region() {
    HWND chart_window = state().children.chart;
    HDC dc = GetDC(chart_window);
    if (dc == nullptr) return;
    draw_layout_region(dc, state().region);
    ReleaseDC(chart_window, dc);
}

void scaled_region(int x1, int y1, int x2, int y2) {
    const float z = state().zoom;
    const auto scale = [z](int v, int delta) { return static_cast<int>(static_cast<float>(v) * z) + delta; };
    state().region.set(scale(x1, 2), scale(y1, 2), scale(x2, -2), scale(y2, -2));
}

void save_placement(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    save_window_placement(kOrbalinePlacement, kLayoutWindow,
                          WindowPlacement{r.left, r.top, r.right - r.left, r.bottom - r.top}, IsIconic(window) != FALSE);
}

void click_at(int x, int y) {
    ChartLayoutState& s = state();
    set_status_text(0, "");
    if (!s.dragging) {
        draw_region();
        LayoutRegion& r = s.region;
        const int w = r.width, h = r.height;
        int left = x - w / 2;
        int top = y - h / 2;
        left = std::max(0, std::min(left, s.client_width - w - 1));
        top = std::max(0, top);
        r.set(left, top, left + w, top + h);
        draw_region();
    }
    s.dragging = true;
    s.drag_start = POINT{x, y};
    s.drag_corner = POINT{s.region.left, s.region.top};
}

void drag_to(int x, int y) {
    ChartLayoutState& s = state();
    draw_region();
    LayoutRegion& r = s.region;
    const int left = std::max(0, static_cast<int>(s.drag_corner.x) + x - static_cast<int>(s.drag_start.x));
    const int top = std::max(0, static_cast<int>(s.drag_corner.y) + y - static_cast<int>(s.drag_start.y));
    r.set(left, top, left + r.width, top + r.height);
    draw_region();
}

void release() {
    ChartLayoutState& s = state();
    if (!s.dragging) return;
    s.dragging = false;
    int column = 0, top_row = 1;
    chart_view_position_of_region(&column, &top_row);
    set_chart_scroll(2, column, top_row);
}

void change_zoom(int index) {
    ChartLayoutState& s = state();
    if (index < 0 || index >= kLayoutZoomCount) return;
    const float old_zoom = s.zoom;
    s.zoom_index = index;
    s.zoom = kLayoutZoomFactors[index];
    rescale_layout_region(s.region, old_zoom, s.zoom);
    repaint_chart_layout();
}

LRESULT layout_key(WPARAM key) {
    switch (key) {
    case VK_UP: return scroll_chart_layout(false, SB_LINEUP);
    case VK_DOWN: return scroll_chart_layout(false, SB_LINEDOWN);
    case VK_PRIOR: return scroll_chart_layout(false, SB_PAGEUP);
    case VK_NEXT: return scroll_chart_layout(false, SB_PAGEDOWN);
    case VK_LEFT: return scroll_chart_layout(true, SB_LINELEFT);
    case VK_RIGHT: return scroll_chart_layout(true, SB_LINERIGHT);
    case VK_TAB: return scroll_chart_layout(true, GetKeyState(VK_SHIFT) < 0 ? SB_PAGELEFT : SB_PAGERIGHT);
    default: return 0;
    }
}

}  // namespace

void ChartLayoutState::reset() {
    const int kept_zoom = zoom_index;
    *this = ChartLayoutState{};
    zoom_index = kept_zoom;
    zoom = kLayoutZoomFactors[kept_zoom];
}

ChartLayoutState& chart_layout() {
    static ChartLayoutState layout;
    return layout;
}

int register_chart_layout_classes(HINSTANCE instance) {
    return register_layout_classes(instance,
                                   LayoutClassProfile{chart_layout_frame_proc, chart_layout_chart_proc, "OQW_mag_csr"});
}

std::vector<int> layout_dash_positions(std::string_view piece, float zoom) {
    std::vector<int> dashes;
    if (static_cast<int>(zoom * 100.0f) <= 10) return dashes;
    for (size_t i = 0; i < piece.size(); ++i) {
        const auto byte = static_cast<unsigned char>(piece[i]);
        // the full-width blank 0xA1 0xA1 is a blank too
        const bool wide_blank = byte == 0xA1 && ((i + 1 < piece.size() && static_cast<unsigned char>(piece[i + 1]) == 0xA1) ||
                                                 (i > 0 && static_cast<unsigned char>(piece[i - 1]) == 0xA1));
        if (byte == ' ' || wide_blank) continue;
        dashes.push_back(static_cast<int>(static_cast<float>(i) * 7.0f * zoom));
    }
    return dashes;
}

void chart_view_position_of_region(int* column, int* top_row) {
    const ChartLayoutState& s = state();
    const float z = s.zoom;
    const int l = session().box_lines;
    *column = static_cast<int>(static_cast<float>(s.region.left - 2) / z / 7.0f) + s.offset;
    *top_row = static_cast<int>((static_cast<float>(s.region.top - 2) / z + static_cast<float>(14 * l + 28) / 2.0f - 1.0f) /
                                static_cast<float>(row_pitch())) +
               s.top_row;
}

void open_chart_layout(HWND parent, int x1, int y1, int x2, int y2) {
    ChartLayoutState& s = state();
    if (s.open()) return;
    s.zoom = kLayoutZoomFactors[s.zoom_index];
    WindowPlacement place = kDefaultPlacement;
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    place.x = origin.x + kDefaultPlacement.x;
    place.y = origin.y + kDefaultPlacement.y;
    load_window_placement(kOrbalinePlacement, kLayoutWindow, place);
    HWND window = CreateWindowA(kLayoutFrameClass, kLayoutTitle,
                                WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, place.x, place.y,
                                place.width, place.height, parent, nullptr, shell().instance, nullptr);
    if (window == nullptr) return;
    s.window = window;
    RECT client{};
    GetClientRect(window, &client);
    s.children = create_layout_children(window, shell().instance, client.right, client.bottom - kLayoutChartTop,
                                        shell().button_font);
    s.client_width = client.right;
    s.client_height = client.bottom - kLayoutChartTop;
    // where the view shows: the miniature starts there when the region
    // would not fit otherwise
    scaled_region(x1, y1, x2, y2);
    const int shift_x = static_cast<int>(7.0f * s.zoom * static_cast<float>(session().left_column));
    const int shift_y = static_cast<int>(static_cast<float>(row_pitch() * (session().top_row - 1)) * s.zoom);
    LayoutRegion& r = s.region;
    if (r.right + shift_x > s.client_width) {
        s.offset = session().left_column;
        r.set(0, r.top, r.width, r.bottom);
    } else {
        s.offset = 0;
        r.set(r.left + shift_x, r.top, r.right + shift_x, r.bottom);
    }
    if (r.bottom + shift_y > s.client_height) {
        s.top_row = session().top_row;
        r.set(r.left, 0, r.right, r.height);
    } else {
        s.top_row = 1;
        r.set(r.left, r.top + shift_y, r.right, r.bottom + shift_y);
    }
    if (s.children.chart != nullptr && orbaline().background_brush != nullptr)
        SetClassLongPtrA(s.children.chart, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(orbaline().background_brush));
    shell().owned.layout = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    repaint_chart_layout();
}

void refresh_chart_layout(int x1, int y1, int x2, int y2) {
    ChartLayoutState& s = state();
    if (!s.open()) return;
    s.offset = session().left_column;
    s.top_row = session().top_row;
    scaled_region(x1, y1, x2, y2);
    repaint_chart_layout();
}

void repaint_chart_layout() {
    ChartLayoutState& s = state();
    if (!s.open()) return;
    RECT client{};
    GetClientRect(s.window, &client);
    size_layout_children(s.children, client.right, client.bottom);
    s.client_width = client.right;
    s.client_height = std::max(0L, static_cast<long>(client.bottom) - kLayoutChartTop);
    HWND chart_window = s.children.chart;
    HDC dc = GetDC(chart_window);
    if (dc == nullptr) return;
    RECT area{0, 0, s.client_width, s.client_height};
    HGDIOBJ old_brush = SelectObject(dc, orbaline().background_brush);
    HPEN frame = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ old_pen = SelectObject(dc, frame);
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(frame);
    set_ranges();
    if (session().loaded && session().row_count() > 0) draw_page(dc);
    draw_layout_region(dc, s.region);
    ReleaseDC(chart_window, dc);
}

int scroll_chart_layout(bool horizontal, WPARAM code) {
    ChartLayoutState& s = state();
    const int position = static_cast<short>(HIWORD(code));
    const int rows = session().row_count();
    const int page = rows_per_page();
    const int limit = horizontal_limit();
    const int step = 2 * session().box_width;
    int value = horizontal ? s.offset : s.top_row;
    bool refused = false;
    switch (LOWORD(code)) {
    case SB_LINEUP: refused = horizontal ? value <= 0 : value <= 1; --value; break;
    case SB_LINEDOWN:
        refused = horizontal ? value > limit : value >= rows - page;
        ++value;
        break;
    case SB_PAGEUP:
        refused = horizontal ? value <= 0 : value <= 1;
        value = horizontal ? std::max(0, value - step) : std::max(1, value - page);
        break;
    case SB_PAGEDOWN:
        refused = horizontal ? value >= limit : value >= rows - page;
        value = horizontal ? std::min(value + step, limit + 1) : std::min(value + page, rows - page);
        break;
    case SB_THUMBPOSITION:
        value = horizontal ? std::min(position, limit + 1) : std::max(1, std::min(position, rows - page));
        break;
    case SB_TOP:
        refused = horizontal ? value <= 0 : value <= 1;
        value = horizontal ? 0 : 1;
        break;
    case SB_BOTTOM:
        refused = horizontal ? value > limit : value == rows - page;
        value = horizontal ? limit + 1 : rows - page;
        break;
    default: return 0;
    }
    if (refused) {
        MessageBeep(0);
        return -1;
    }
    (horizontal ? s.offset : s.top_row) = value;
    repaint_chart_layout();
    return 0;
}

LRESULT chart_layout_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ChartLayoutState& s = state();
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
    case WM_HSCROLL: return scroll_chart_layout(true, wparam);
    case WM_VSCROLL: return scroll_chart_layout(false, wparam);
    case WM_COMMAND: {
        const UINT id = LOWORD(wparam);
        if (id == kLayoutZoomButtonId) {
            track_layout_zoom_popup(s.window, s.zoom_index, kFirstChartZoomCommand);
        } else if (id == kLayoutCloseButtonId) {
            DestroyWindow(s.window);
        } else if (id >= kFirstChartZoomCommand && id < kFirstChartZoomCommand + kLayoutZoomCount) {
            change_zoom(static_cast<int>(id - kFirstChartZoomCommand));
        }
        return 0;
    }
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT chart_layout_chart_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ChartLayoutState& s = state();
    const int x = static_cast<short>(LOWORD(lparam));
    const int y = static_cast<short>(HIWORD(lparam));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        s.zoom = kLayoutZoomFactors[s.zoom_index];
        repaint_chart_layout();
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
        drag_to(x, y);
        return 0;
    case WM_LBUTTONUP: release(); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
