// The page on the screen: the page form (.lis) and the current page's
// records replayed through the screen back end of the PrimitiveSet, which
// turns page-grid pixels into pixels of the page view shifted by its scroll
// position.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/shell/document.h"
#include "common/shell/page_records.h"
#include "platform/gdi/wingdi.h"

// The screen colours the page view draws with (ColourSet items).
struct ScreenColours {
    COLORREF form_lines = RGB(0, 0, 0);
    COLORREF page_background = RGB(255, 251, 240);
    COLORREF page_text = RGB(0, 0, 192);
};

// The page view's drawing objects: the form-line pen that the page view and
// the layout view share, the page fonts and the page-background brush. This
// record is their one owner; an "LW" record replaces the pen through it.
class ScreenObjects {
public:
    ScreenObjects() = default;
    ~ScreenObjects();
    ScreenObjects(const ScreenObjects&) = delete;
    ScreenObjects& operator=(const ScreenObjects&) = delete;

    // Makes every object afresh in these colours (the pen 1 pixel wide).
    void create(const ScreenColours& colours);
    void destroy();
    bool created() const { return pen_ != nullptr; }

    // A new solid pen of that width in the form-line colour. When `dc` is
    // given the new pen is selected into it before the old one is deleted,
    // so the context never holds a deleted pen.
    void replace_pen(int width, HDC dc);

    HPEN pen() const { return pen_; }
    int pen_width() const { return pen_width_; }
    HFONT page_font() const { return page_font_; }
    HFONT large_page_font() const { return large_page_font_; }
    HBRUSH page_background_brush() const { return background_brush_; }
    const ScreenColours& colours() const { return colours_; }

private:
    ScreenColours colours_;
    HPEN pen_ = nullptr;
    int pen_width_ = 1;
    HFONT page_font_ = nullptr;
    HFONT large_page_font_ = nullptr;
    HBRUSH background_brush_ = nullptr;
};

// The program's set, made at start-up and freed at exit.
ScreenObjects& screen_objects();

// Text colour codes of the records' passes.
enum : int {
    kFormTextColour = 10,   // the form-line colour
    kPageTextColour = 255,  // the page-text colour
};

// The screen back end. Its device context is shared by nesting: a paint
// handler lends its paint context, and a drawing started inside another
// never fetches or releases a second context.
class ScreenRenderer : public PrimitiveSet {
public:
    explicit ScreenRenderer(ScreenObjects& objects) : objects_(objects) {}

    // The paint context while a paint message is handled (nullptr after).
    void set_paint_dc(HDC dc) { paint_dc_ = dc; }
    HDC paint_dc() const { return paint_dc_; }
    // Fetches the window's context for `owner` unless a paint context is
    // lent or another owner holds one; selects the page font, the pen and
    // the null brush. Returns the context drawn into.
    HDC acquire_dc(HWND window, int owner);
    // Releases the context only when this owner fetched it.
    void release_dc(HWND window, int owner);
    HDC dc() const { return dc_; }
    // Releases a context still held and forgets the drawing state.
    void reset();
    int owner() const { return owner_; }

    void set_scroll(int column, int row) {
        scroll_column_ = column;
        scroll_row_ = row;
    }
    // True while page records are drawn (pitch 7), false for the form (6).
    void set_page_text(bool on) { page_text_ = on; }
    // Where "#NAM:" and "#FUN:" records put the page title (nullptr: nowhere).
    void set_title(std::string* title) { title_ = title; }

    int text_x() const { return text_x_; }
    int text_y() const { return text_y_; }

    int move_to(int y, int x) override;
    int set_corner_radius(int radius) override;
    int draw_box(int x1, int y1, int x2, int y2) override;
    int draw_line(int x1, int y1, int x2, int y2) override;
    int set_line_width(int width) override;
    int set_char_size(int height_percent, int width_percent) override;
    int set_text_colour(int code) override;
    int draw_text(std::string_view text) override;
    void comment(std::string_view record) override;

private:
    COLORREF colour_of_code(int code) const;

    ScreenObjects& objects_;
    HDC dc_ = nullptr;
    HWND dc_window_ = nullptr;
    HDC paint_dc_ = nullptr;
    int owner_ = 0;
    int text_x_ = 0, text_y_ = 0;
    int char_height_ = 100, char_width_ = 100;
    int colour_code_ = kPageTextColour;
    bool round_next_box_ = false;
    int radius_ = 0;
    bool page_text_ = false;
    int scroll_column_ = 0, scroll_row_ = 0;
    std::string* title_ = nullptr;
};

// What one page draw needs besides the document.
struct PageDrawContext {
    HWND view = nullptr;
    std::string layout_file;  // the page form, see layout_file_path()
    // Told the form's name when it cannot be opened (message 413).
    std::function<void(const std::string& name)> layout_missing;
    bool drop_last_char = false;  // the formatter's debug levels above 3
};

inline constexpr int kPageDrawOwner = 1;

// The page form, then the current page, into the page view: acquires the
// context for owner 1, draws, releases it. The title is taken afresh.
void draw_page(ScreenRenderer& renderer, DocumentState& document, const PageDrawContext& context);
// 0, or -1 when the layout file cannot be opened.
int draw_page_form(ScreenRenderer& renderer, DocumentState& document, const PageDrawContext& context);
// 0, or -1 when no document file is open.
int draw_page_records(ScreenRenderer& renderer, DocumentState& document, int page,
                      const PageDrawContext& context);
