#include "gravlet/viewer/pad_miniature.h"

#include <algorithm>

#include "common/shell/document.h"
#include "gravlet/pad/pad_layout.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_view.h"

namespace {

constexpr int kWidestMargin = 6;     // characters right of the widest cell
constexpr int kFillSlack = 20;       // pixels the last rows may leave free
constexpr int kLastZoomWithText = 2;  // 1/4: at 1/5 and 1/10 no text marks

PadDocument& pad() { return gravlet_pad(); }
LayoutViewState& view() { return layout_view(); }

bool has_rows() {
    const PadDocument& p = pad();
    return document_state().loaded && p.grid != nullptr && p.file_open && p.grid->row_count > 0;
}

// The whole function measured from its first row.
PadGrid& measured_grid() {
    PadGrid& grid = *pad().grid;
    measure_pad_page(grid, {1, grid.row_count}, pad().layout_values());
    return grid;
}

int rows_in_window() {
    const LayoutViewState& s = view();
    return static_cast<int>(static_cast<float>(s.client_height) / (s.zoom * kCellPixelHeight));
}

class PadMiniature : public LayoutContent {
public:
    void view_origin(int* column, int* row) const override {
        *column = pad().horizontal_position;
        *row = pad().first_shown_row;
    }
    int origin_row_pixels() const override { return kCellPixelHeight; }
    // rows are as tall as their tallest cell
    int row_top_pixels(int row) const override {
        if (!has_rows() || row < 1 || row > pad().grid->row_count) return 0;
        return measured_grid().cell(row, 0)->y * kCellPixelHeight;
    }
    HBRUSH background() const override { return gravlet().background_brush; }
    bool has_content() const override { return has_rows(); }

    void draw(HDC dc) override {
        const LayoutViewState& s = view();
        PadGrid& grid = *pad().grid;
        measure_pad_page(grid, {s.top_row, grid.row_count}, pad().layout_values());
        PadDrawArea area;
        area.first_row = s.top_row;
        area.row_limit = rows_in_window();
        area.zoom = s.zoom;
        area.column = s.offset;
        area.width = s.client_width;
        area.height = s.client_height;
        area.labels = false;
        if (s.zoom_index <= kLastZoomWithText) draw_pad_text_marks(dc, area);
        draw_pad_shapes(dc, area);
    }

    void set_ranges() override {
        LayoutViewState& s = view();
        const int horizontal = has_rows() ? pad_miniature_horizontal_limit() : 0;
        const int vertical = has_rows() ? pad_miniature_largest_first_row() : 1;
        s.offset = std::clamp(s.offset, 0, horizontal);
        s.top_row = std::clamp(s.top_row, 1, vertical);
        SetScrollRange(s.window, SB_HORZ, 0, horizontal, TRUE);
        SetScrollRange(s.window, SB_VERT, 1, vertical, TRUE);
        SetScrollPos(s.window, SB_HORZ, s.offset, TRUE);
        SetScrollPos(s.window, SB_VERT, s.top_row, TRUE);
    }

    int scroll(bool horizontal, WPARAM code) override {
        LayoutViewState& s = view();
        if (!has_rows()) return -1;
        const int low = horizontal ? 0 : 1;
        const int high = horizontal ? pad_miniature_horizontal_limit() : pad_miniature_largest_first_row();
        const int page = horizontal ? 2 * pad().level_width : std::max(1, rows_in_window());
        int& position = horizontal ? s.offset : s.top_row;
        int wanted = position;
        switch (LOWORD(code)) {
        case SB_LINEUP: --wanted; break;
        case SB_LINEDOWN: ++wanted; break;
        case SB_PAGEUP: wanted -= page; break;
        case SB_PAGEDOWN: wanted += page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: wanted = static_cast<short>(HIWORD(code)); break;
        case SB_TOP: wanted = low; break;
        case SB_BOTTOM: wanted = high; break;
        default: return 0;
        }
        wanted = std::clamp(wanted, low, std::max(low, high));
        if (wanted == position) {
            refuse_layout_scroll();
            return -1;
        }
        position = wanted;
        return 0;
    }

    // CHART's top-left goes to the rectangle's top-left: the row under the
    // rectangle's top becomes CHART's first (scroll_pad_to takes the row
    // before the one a y reaches, so the y is one line further down).
    void show_region() override {
        const LayoutViewState& s = view();
        if (!has_rows()) return;
        const PadGrid& grid = measured_grid();
        const int first_line = grid.cell(s.top_row, 0)->y + 1;
        const int x = static_cast<int>(static_cast<float>(s.region.left - 2) / s.zoom) + s.offset * kCellPixelWidth;
        const int y = static_cast<int>(static_cast<float>(s.region.top - 2) / s.zoom) + first_line * kCellPixelHeight;
        scroll_pad_to(2, x, y);
    }
};

PadMiniature& miniature() {
    static PadMiniature content;
    return content;
}

const LayoutViewProfile kPadMiniatureProfile{&kGravletPlacement, kFirstPadZoomCommand, 0, true, true};

}  // namespace

void install_pad_miniature() { install_layout_view(kPadMiniatureProfile, miniature()); }

int register_pad_miniature_classes(HINSTANCE instance) {
    return register_layout_classes(instance,
                                   LayoutClassProfile{layout_view_frame_proc, layout_view_chart_proc, "GXW_mag_csr"});
}

void open_pad_miniature(HWND parent, int x1, int y1, int x2, int y2) {
    install_pad_miniature();
    open_layout_view(parent, x1, y1, x2, y2);
}

void set_pad_miniature_region(int x1, int y1, int x2, int y2) {
    if (view().content != &miniature()) return;
    refresh_layout_view(x1, y1, x2, y2);
}

int pad_row_height(int row) {
    const PadDocument& p = pad();
    if (p.grid == nullptr || row < 1 || row > p.grid->row_count) return 0;
    const PadGrid& grid = *p.grid;
    int tallest = 0;
    for (int c = 0; c < kPadColumns && grid.kind(row, c) != kPadRowEnd; ++c)
        tallest = std::max<int>(tallest, grid.cell(row, c)->height);
    return tallest;
}

int pad_miniature_horizontal_limit() {
    const LayoutViewState& s = view();
    const PadGrid& grid = measured_grid();
    int widest = 0;
    for (int r = 1; r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns && grid.kind(r, c) != kPadRowEnd; ++c)
            widest = std::max(widest, grid.cell(r, c)->x + grid.cell(r, c)->width);
    }
    const int shown = static_cast<int>(static_cast<float>(s.client_width) / (s.zoom * kCellPixelWidth));
    return std::max(0, widest + kWidestMargin - shown);
}

int pad_miniature_largest_first_row() {
    const LayoutViewState& s = view();
    const PadGrid& grid = measured_grid();
    int lines = 0;
    for (int row = grid.row_count; row >= 1; --row) {
        lines += pad_row_height(row);
        if (static_cast<float>(lines * kCellPixelHeight) * s.zoom >= static_cast<float>(s.client_height - kFillSlack))
            return std::clamp(row + 2, 1, grid.row_count);
    }
    // the whole function fits
    return 1;
}
