#include "orbaline/viewer/chart_layout.h"

#include <algorithm>
#include <string>

#include "common/shell/document.h"
#include "common/shell/window_placement.h"
#include "common/viewer/frame.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/gdi/wingdi.h"

namespace {

constexpr int kMaxPieces = 8;

LayoutViewState& state() { return layout_view(); }
ChartSession& session() { return chart(); }

int row_pitch() { return (session().box_lines + 2) * kChartCellHeight; }

// Every primitive of the miniature: scaled, then shifted by the offset.
int layout_x(int x) {
    const LayoutViewState& s = state();
    return static_cast<int>(static_cast<float>(x) * s.zoom - 7.0f * s.zoom * static_cast<float>(s.offset));
}
int layout_y(int y) {
    const LayoutViewState& s = state();
    return s.zoom != 1.0f ? static_cast<int>(static_cast<float>(y - 4) * s.zoom) : y - 4;
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, layout_x(x1), layout_y(y1), nullptr);
    LineTo(dc, layout_x(x2), layout_y(y2));
}

void draw_dashes(HDC dc, const std::string& piece, int text_x, int text_y) {
    const LayoutViewState& s = state();
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
    LayoutViewState& s = state();
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
    const LayoutViewState& s = state();
    return static_cast<int>(static_cast<float>(s.client_height) / (static_cast<float>(row_pitch()) * s.zoom)) - 1;
}
int horizontal_limit() {
    const LayoutViewState& s = state();
    return columns_wide() - static_cast<int>(static_cast<float>(s.client_width) / (7.0f * s.zoom));
}

void set_chart_ranges() {
    LayoutViewState& s = state();
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

// The chart as the shared layout window shows it.
class ChartMiniature : public LayoutContent {
public:
    void view_origin(int* column, int* row) const override {
        *column = session().left_column;
        *row = session().top_row;
    }
    int origin_row_pixels() const override { return row_pitch(); }
    HBRUSH background() const override { return orbaline().background_brush; }
    bool has_content() const override { return session().loaded && session().row_count() > 0; }
    void draw(HDC dc) override { draw_page(dc); }
    void set_ranges() override { set_chart_ranges(); }
    int scroll(bool horizontal, WPARAM code) override { return scroll_chart_layout(horizontal, code); }
    void show_region() override {
        int column = 0, top_row = 1;
        chart_view_position_of_region(&column, &top_row);
        set_chart_scroll(2, column, top_row);
    }
};

ChartMiniature& miniature() {
    static ChartMiniature content;
    return content;
}

const LayoutViewProfile kChartLayoutProfile{&kOrbalinePlacement, kFirstChartZoomCommand, 1, false, false};

}  // namespace

ChartLayoutState& chart_layout() { return layout_view(); }

void open_chart_layout(HWND parent, int x1, int y1, int x2, int y2) {
    install_layout_view(kChartLayoutProfile, miniature());
    open_layout_view(parent, x1, y1, x2, y2);
}

void refresh_chart_layout(int x1, int y1, int x2, int y2) {
    if (layout_view().content != &miniature()) return;
    refresh_layout_view(x1, y1, x2, y2);
}

void repaint_chart_layout() {
    if (layout_view().content != &miniature()) return;
    repaint_layout_view();
}


int register_chart_layout_classes(HINSTANCE instance) {
    return register_layout_classes(instance,
                                   LayoutClassProfile{layout_view_frame_proc, layout_view_chart_proc, "OQW_mag_csr"});
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
    const LayoutViewState& s = state();
    const float z = s.zoom;
    const int l = session().box_lines;
    *column = static_cast<int>(static_cast<float>(s.region.left - 2) / z / 7.0f) + s.offset;
    *top_row = static_cast<int>((static_cast<float>(s.region.top - 2) / z + static_cast<float>(14 * l + 28) / 2.0f - 1.0f) /
                                static_cast<float>(row_pitch())) +
               s.top_row;
}

int scroll_chart_layout(bool horizontal, WPARAM code) {
    LayoutViewState& s = state();
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
        refuse_layout_scroll();
        return -1;
    }
    (horizontal ? s.offset : s.top_row) = value;
    return 0;
}

