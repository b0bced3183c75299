// The page in miniature: the page form (.lis) and the current page's records
// replayed through the layout back end of the PrimitiveSet, which scales
// every position by the layout window's zoom factor, shifts it by the
// miniature's scroll position and draws each character byte as a one-pixel
// mark. Everything is drawn with the form-line pen the page view shares.
#pragma once

#include <string>
#include <string_view>

#include "common/shell/document.h"
#include "common/shell/page_records.h"
#include "common/shell/window/screen_renderer.h"
#include "platform/gdi/wingdi.h"

class LayoutRenderer : public PrimitiveSet {
public:
    explicit LayoutRenderer(ScreenObjects& objects) : objects_(objects) {}

    // The context of the miniature, fetched and released by the layout
    // window around each drawing (nullptr: nothing is drawn).
    void set_dc(HDC dc);
    HDC dc() const { return dc_; }
    void set_zoom(float zoom) { zoom_ = zoom; }
    float zoom() const { return zoom_; }
    // Columns of 6 and rows of 12 unscaled pixels.
    void set_scroll(int column, int row) {
        scroll_column_ = column;
        scroll_row_ = row;
    }
    // Back to the state of a program that has drawn nothing.
    void reset();

    int text_x() const { return text_x_; }
    int text_y() const { return text_y_; }

    int move_to(int y, int x) override;
    int set_corner_radius(int radius) override;
    int draw_box(int x1, int y1, int x2, int y2) override;
    int draw_line(int x1, int y1, int x2, int y2) override;
    int set_line_width(int width) override;
    int set_char_size(int height_percent, int width_percent) override;
    int draw_text(std::string_view text) override;

private:
    // A page-pixel value at the zoom (truncated), unchanged at 1.
    int scaled(int value) const;
    double shift_x() const;
    double shift_y() const;

    ScreenObjects& objects_;
    HDC dc_ = nullptr;
    float zoom_ = 1.0f;
    int scroll_column_ = 0, scroll_row_ = 0;
    int text_x_ = 0, text_y_ = 0;
    // The last SS record's size, kept from one replay to the next.
    int char_height_ = 0, char_width_ = 0;
    bool round_next_box_ = false;
    int radius_ = 0;
};

// A double-width text as the miniature marks it: each pair of bytes followed
// by "..", the groups one blank apart; an odd last byte makes a group of its
// own. The text ends at its line feed.
std::string double_width_marks(std::string_view text);

struct LayoutDrawContext {
    std::string layout_file;  // the page form, see layout_file_path()
    bool drop_last_char = false;  // the formatter's debug levels above 3
};

// The page form into the miniature; -1 when it cannot be opened (no box:
// the page view reports it).
int render_form_screen(LayoutRenderer& renderer, const LayoutDrawContext& context);
// One page of the open document into the miniature; -1 when none is open.
int render_function_screen(LayoutRenderer& renderer, DocumentState& document, int page,
                           const LayoutDrawContext& context);
