#include "common/shell/window/screen_renderer.h"

#include "common/analysis/text_utils.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

namespace {

// "標準明朝" and "ＭＳ 明朝"
constexpr auto& kPageFontFace = "標準明朝"_sjis;
constexpr auto& kLargePageFontFace = "ＭＳ 明朝"_sjis;

constexpr int kColumnPixels = 6;
constexpr int kRowPixels = 12;
constexpr int kTitleBytes = 255;
constexpr int kTitleRecordPrefix = 5;  // "#NAM:" and "#FUN:"

HFONT make_fixed_font(int height, int width, const char* face) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face);
}

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

// --- ScreenObjects --------------------------------------------------------------------------

ScreenObjects::~ScreenObjects() { destroy(); }

void ScreenObjects::create(const ScreenColours& colours) {
    destroy();
    colours_ = colours;
    pen_width_ = 1;
    pen_ = CreatePen(PS_SOLID, 1, colours.form_lines);
    page_font_ = make_fixed_font(12, 6, kPageFontFace);
    large_page_font_ = make_fixed_font(24, 12, kLargePageFontFace);
    background_brush_ = CreateSolidBrush(colours.page_background);
}

void ScreenObjects::destroy() {
    for (HGDIOBJ* object : {&pen_, &page_font_, &large_page_font_, &background_brush_}) {
        if (*object != nullptr) DeleteObject(*object);
        *object = nullptr;
    }
}

void ScreenObjects::replace_pen(int width, HDC dc) {
    HPEN fresh = CreatePen(PS_SOLID, width, colours_.form_lines);
    if (dc != nullptr) SelectObject(dc, fresh);
    if (pen_ != nullptr) DeleteObject(pen_);
    pen_ = fresh;
    pen_width_ = width;
}

ScreenObjects& screen_objects() {
    static ScreenObjects objects;
    return objects;
}

// --- ScreenRenderer ---------------------------------------------------------------------------

HDC ScreenRenderer::acquire_dc(HWND window, int owner) {
    if (paint_dc_ != nullptr) {
        dc_ = paint_dc_;
    } else if (owner_ == 0) {
        dc_ = GetDC(window);
        if (dc_ != nullptr) {
            owner_ = owner;
            dc_window_ = window;
        }
    }
    if (dc_ == nullptr) return nullptr;
    if (!objects_.created()) objects_.create(ScreenColours{});
    SelectObject(dc_, objects_.page_font());
    SelectObject(dc_, objects_.pen());
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    return dc_;
}

void ScreenRenderer::release_dc(HWND window, int owner) {
    if (owner_ != 0 && owner_ == owner) {
        ReleaseDC(window != nullptr ? window : dc_window_, dc_);
        dc_window_ = nullptr;
        owner_ = 0;
        dc_ = nullptr;
    } else if (owner_ == 0 && dc_ == paint_dc_) {
        dc_ = nullptr;  // the paint handler ends its own context
    }
}

void ScreenRenderer::reset() {
    if (owner_ != 0) release_dc(dc_window_, owner_);
    dc_ = paint_dc_ = nullptr;
    text_x_ = text_y_ = 0;
    char_height_ = char_width_ = 100;
    colour_code_ = kPageTextColour;
    round_next_box_ = false;
    radius_ = 0;
    page_text_ = false;
    scroll_column_ = scroll_row_ = 0;
    title_ = nullptr;
}

int ScreenRenderer::move_to(int y, int x) {
    text_x_ = x;
    text_y_ = y + 16;
    return 0;
}

int ScreenRenderer::set_corner_radius(int radius) {
    round_next_box_ = true;
    radius_ = radius;
    return 0;
}

int ScreenRenderer::draw_box(int x1, int y1, int x2, int y2) {
    const bool round = round_next_box_;
    round_next_box_ = false;
    if (dc_ == nullptr) return 0;
    const int dx = kColumnPixels * scroll_column_;
    const int dy = kRowPixels * scroll_row_;
    y1 += 6;
    y2 += 6;
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    // A radius of 0 draws as the plain rectangle a 0 x 0 corner would give.
    if (round && radius_ != 0) {
        RoundRect(dc_, x1 - dx, y1 - dy, x2 - dx, y2 - dy, 2 * radius_, 2 * radius_);
        return 0;
    }
    // wide pens reach one pixel further on the right
    const int right = objects_.pen_width() < 2 ? x2 - dx : x2 - dx + 1;
    Rectangle(dc_, x1 - dx, y1 - dy, right, y2 - dy);
    return 0;
}

int ScreenRenderer::draw_line(int x1, int y1, int x2, int y2) {
    if (dc_ == nullptr) return 0;
    const int dx = kColumnPixels * scroll_column_;
    const int dy = kRowPixels * scroll_row_ - 6;
    MoveToEx(dc_, x1 - dx, y1 - dy, nullptr);
    LineTo(dc_, x2 - dx, y2 - dy);
    return 0;
}

int ScreenRenderer::set_line_width(int width) {
    objects_.replace_pen(width == 3 ? 2 : width, dc_);
    return 0;
}

int ScreenRenderer::set_char_size(int height_percent, int width_percent) {
    char_height_ = height_percent;
    char_width_ = width_percent;
    return 0;
}

int ScreenRenderer::set_text_colour(int code) {
    colour_code_ = code;
    return 0;
}

COLORREF ScreenRenderer::colour_of_code(int code) const {
    switch (code) {
    case 0: return RGB(0, 0, 0);
    case 1: return RGB(0, 0, 255);
    case 2: return RGB(255, 0, 0);
    case 3: return RGB(255, 0, 255);
    case 4: return RGB(0, 255, 0);
    case 5: return RGB(0, 255, 255);
    case 6: return RGB(255, 255, 0);
    case kFormTextColour: return objects_.colours().form_lines;
    case kPageTextColour: return objects_.colours().page_text;
    default: return RGB(255, 255, 255);
    }
}

int ScreenRenderer::draw_text(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (text.empty()) return -1;
    if (dc_ == nullptr) return 0;
    const int dx = kColumnPixels * scroll_column_;
    const int dy = kRowPixels * scroll_row_;
    SetBkMode(dc_, TRANSPARENT);
    if (char_width_ == 200) {
        SelectObject(dc_, objects_.large_page_font());
        SetTextColor(dc_, colour_of_code(kFormTextColour));
        SetTextCharacterExtra(dc_, 7);
        TextOutA(dc_, text_x_ - dx - 6, text_y_ - dy - 10, text.data(), static_cast<int>(text.size()));
        SetTextCharacterExtra(dc_, 0);
        SelectObject(dc_, objects_.page_font());
        return 0;
    }
    SetTextColor(dc_, colour_of_code(colour_code_));
    SetTextCharacterExtra(dc_, 0);
    // one character at a time, so every one sits on the fixed pitch
    const int pitch = page_text_ ? 7 : 6;
    const int size = static_cast<int>(text.size());
    for (int k = 0; k < size;) {
        const int next = next_char(text, k);
        TextOutA(dc_, text_x_ + pitch * k - dx, text_y_ - dy + 3, text.data() + k, next - k);
        k = next;
    }
    return 0;
}

void ScreenRenderer::comment(std::string_view record) {
    if (title_ == nullptr) return;
    const bool name = starts_with(record, "#NAM:");
    if (!name && !starts_with(record, "#FUN:")) return;
    std::string line(record);
    if (name) {
        cut_at_char_boundary(line, kTitleBytes);
        title_->assign(line.size() > kTitleRecordPrefix ? line.substr(kTitleRecordPrefix) : "");
        return;
    }
    if (title_->size() >= 250) return;
    cut_at_char_boundary(line, kTitleBytes - static_cast<int>(title_->size()));
    *title_ += ' ';
    if (line.size() > kTitleRecordPrefix) *title_ += line.substr(kTitleRecordPrefix);
}

// --- Page drawing -------------------------------------------------------------------------------

int draw_page_form(ScreenRenderer& renderer, DocumentState& document, const PageDrawContext& context) {
    RecordFileReader form;
    if (!form.open(context.layout_file)) {
        if (context.layout_missing) context.layout_missing(context.layout_file);
        return -1;
    }
    renderer.set_scroll(document.scroll_column, document.scroll_row);
    renderer.set_text_colour(kFormTextColour);
    renderer.set_page_text(false);
    FileRecordSource source(form, 0, context.drop_last_char);
    PageRecordState geometry = PageRecordState::screen_state();
    replay_page_records(source, geometry, renderer);
    return 0;
}

int draw_page_records(ScreenRenderer& renderer, DocumentState& document, int page,
                      const PageDrawContext& context) {
    if (!document.file.is_open()) return -1;
    renderer.set_scroll(document.scroll_column, document.scroll_row);
    renderer.set_text_colour(kPageTextColour);
    renderer.set_page_text(true);
    // Only the document's head sets a size, so without this the form's last
    // size would carry onto the texts of every page after the first.
    renderer.set_char_size(100, 100);
    PageRecordState geometry = PageRecordState::screen_state();
    replay_document_page(document, page, renderer, geometry, {}, context.drop_last_char);
    return 0;
}

void draw_page(ScreenRenderer& renderer, DocumentState& document, const PageDrawContext& context) {
    if (renderer.acquire_dc(context.view, kPageDrawOwner) == nullptr) return;
    document.page_title.clear();
    renderer.set_title(&document.page_title);
    draw_page_form(renderer, document, context);
    draw_page_records(renderer, document, document.current_page, context);
    renderer.set_title(nullptr);
    renderer.release_dc(context.view, kPageDrawOwner);
}
