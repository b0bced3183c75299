#include "notarix/layout/layout_renderer.h"

namespace {

// Page pixels of a column and a row of the page grid.
constexpr float kColumnPixels = 6.0f;
constexpr float kRowPixels = 12.0f;
// Where the miniature puts the grid: 4 pixels in, lines half a row lower.
constexpr int kLeftInset = 4;
constexpr int kLineDrop = 6;
// Below this zoom (in hundredths) texts are left out.
constexpr int kSmallestTextZoom = 10;

int trunc_int(float value) { return static_cast<int>(value); }

}  // namespace

void LayoutRenderer::set_dc(HDC dc) {
    dc_ = dc;
    if (dc_ == nullptr) return;
    if (!objects_.created()) objects_.create(ScreenColours{});
    SelectObject(dc_, objects_.pen());
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
}

void LayoutRenderer::reset() {
    dc_ = nullptr;
    zoom_ = 1.0f;
    scroll_column_ = scroll_row_ = 0;
    text_x_ = text_y_ = 0;
    char_height_ = char_width_ = 0;
    round_next_box_ = false;
    radius_ = 0;
}

int LayoutRenderer::scaled(int value) const {
    return zoom_ == 1.0f ? value : trunc_int(static_cast<float>(value) * zoom_);
}

double LayoutRenderer::shift_x() const { return kColumnPixels * zoom_ * static_cast<float>(scroll_column_); }
double LayoutRenderer::shift_y() const { return kRowPixels * zoom_ * static_cast<float>(scroll_row_); }

int LayoutRenderer::move_to(int y, int x) {
    text_x_ = x;
    // a move to the first row of a cell lands on the page's top edge
    text_y_ = y < 0 ? 0 : y;
    return 0;
}

int LayoutRenderer::set_corner_radius(int radius) {
    round_next_box_ = true;
    radius_ = radius;
    return 0;
}

int LayoutRenderer::draw_line(int x1, int y1, int x2, int y2) {
    if (dc_ == nullptr) return 0;
    const int ax = scaled(x1), ay = scaled(y1 + kLineDrop);
    const int bx = scaled(x2), by = scaled(y2 + kLineDrop);
    MoveToEx(dc_, static_cast<int>(ax + kLeftInset - shift_x()), static_cast<int>(ay - shift_y()), nullptr);
    LineTo(dc_, static_cast<int>(bx + kLeftInset - shift_x()), static_cast<int>(by - shift_y()));
    return 0;
}

int LayoutRenderer::draw_box(int x1, int y1, int x2, int y2) {
    const bool round = round_next_box_;
    round_next_box_ = false;
    if (dc_ == nullptr) return 0;
    const int left = static_cast<int>(scaled(x1) + kLeftInset - shift_x());
    const int top = static_cast<int>(scaled(y1 + kLineDrop) - shift_y());
    int right = static_cast<int>(scaled(x2) + kLeftInset - shift_x());
    const int bottom = static_cast<int>(scaled(y2 + kLineDrop) - shift_y());
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    if (!round) {
        Rectangle(dc_, left, top, right, bottom);
        return 0;
    }
    // wide pens reach one pixel further on the right of a square corner
    if (objects_.pen_width() >= 2 && radius_ == 0) ++right;
    const int corner = trunc_int(static_cast<float>(radius_) * zoom_ * 2.0f);
    RoundRect(dc_, left, top, right, bottom, corner, corner);
    return 0;
}

int LayoutRenderer::set_line_width(int width) {
    objects_.replace_pen(width == 3 ? 2 : width, dc_);
    return 0;
}

int LayoutRenderer::set_char_size(int height_percent, int width_percent) {
    char_height_ = height_percent;
    char_width_ = width_percent;
    return 0;
}

std::string double_width_marks(std::string_view text) {
    const size_t end = text.find('\n');
    if (end != std::string_view::npos) text = text.substr(0, end);
    std::string marks;
    marks.reserve(text.size() * 2 + 2);
    for (size_t p = 0; p < text.size(); p += 2) {
        if (p > 0) marks += ' ';
        marks += text.substr(p, 2);
        marks += "..";
    }
    return marks;
}

int LayoutRenderer::draw_text(std::string_view text) {
    if (dc_ == nullptr) return 0;
    const bool wide = char_width_ == 200;
    std::string marks;
    if (wide) {
        marks = double_width_marks(text);
    } else {
        marks.assign(text.substr(0, text.find('\n')));
    }
    const int x0 = trunc_int(static_cast<float>(text_x_) * zoom_);
    const int y0 = trunc_int(static_cast<float>(text_y_ + (wide ? 16 : 22)) * zoom_);
    if (trunc_int(zoom_ * 100.0f) <= kSmallestTextZoom) return 0;
    const float step = kColumnPixels * zoom_;
    const int y = static_cast<int>(y0 - shift_y());
    const size_t size = marks.size();
    for (size_t p = 0; p < size; ++p) {
        const auto c = static_cast<unsigned char>(marks[p]);
        if (c == ' ') continue;
        // the pair 0xA1 0xA1 is a blank of the wide texts: no mark
        if (c == 0xA1 && p + 1 < size && static_cast<unsigned char>(marks[p + 1]) == 0xA1) {
            ++p;
            continue;
        }
        const int x = static_cast<int>(static_cast<float>(p) * step + static_cast<float>(x0) + kLeftInset - shift_x());
        MoveToEx(dc_, x, y, nullptr);
        LineTo(dc_, x + 1, y);
    }
    return 0;
}

int render_form_screen(LayoutRenderer& renderer, const LayoutDrawContext& context) {
    RecordFileReader form;
    if (!form.open(context.layout_file)) return -1;
    FileRecordSource source(form, 0, context.drop_last_char);
    PageRecordState geometry = PageRecordState::screen_state();
    replay_page_records(source, geometry, renderer);
    return 0;
}

int render_function_screen(LayoutRenderer& renderer, DocumentState& document, int page,
                           const LayoutDrawContext& context) {
    if (!document.file.is_open()) return -1;
    renderer.set_char_size(100, 100);  // as in the page view: no form size on the page
    PageRecordState geometry = PageRecordState::screen_state();
    replay_document_page(document, page, renderer, geometry, {}, context.drop_last_char);
    return 0;
}
