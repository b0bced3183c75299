#include "common/print/text_grid.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "common/print/print_state.h"
#include "platform/kernel/global_memory.h"
#include "platform/user/winuser.h"

namespace {

// Ruled-line entries of a right arm alone (thin, thick): the line starts
// in the cell's second half, so the cell shows as one blank.
constexpr int kRightArmThin = 68;
constexpr int kRightArmThick = 69;
// A double-byte code that puts nothing in the grid.
constexpr int kEmptyDoubleByte = 0x8640;
constexpr int kGridBytes = kTextGridRows * kTextGridColumns * static_cast<int>(sizeof(TextGridCell));

const PageRecordState& geometry() { return spec_print_state().geometry; }

// The steps from `from` to `to` (every `step`-th value, from `from`) that
// can reach the grid, whose last index is `last`: those far outside are
// skipped, so a line drawn far off the page costs nothing.
template <typename Visit>
void visit_steps(int from, int to, int step, int last, Visit visit) {
    int begin = from;
    if (begin < -step) begin += (-step - begin) / step * step;
    const int end = std::min(to, last + step);
    for (int v = begin; v <= end; v += step) visit(v);
}

}  // namespace

// --- TextGrid ---------------------------------------------------------------------

int TextGrid::allocate() {
    release();
    block_ = GlobalAlloc(GHND, kGridBytes);
    if (block_ == nullptr) return -1;
    cells_ = static_cast<TextGridCell*>(GlobalLock(block_));
    if (cells_ == nullptr) {
        release();
        return -1;
    }
    clear();
    return 0;
}

void TextGrid::release() {
    if (block_ == nullptr) return;
    GlobalUnlock(block_);
    GlobalFree(block_);
    block_ = nullptr;
    cells_ = nullptr;
}

void TextGrid::clear() {
    if (cells_ == nullptr) return;
    std::fill(cells_, cells_ + kTextGridRows * kTextGridColumns, TextGridCell{});
    for (int row = 0; row < kTextGridRows; ++row) cells_[row * kTextGridColumns + kTextGridColumns - 1].code = 0;
}

const TextGridCell* TextGrid::at(int row, int column) const {
    if (cells_ == nullptr || row < 0 || row >= kTextGridRows || column < 0 || column >= kTextGridColumns)
        return nullptr;
    return &cells_[row * kTextGridColumns + column];
}

TextGridCell* TextGrid::at(int row, int column) {
    return const_cast<TextGridCell*>(static_cast<const TextGrid&>(*this).at(row, column));
}

int TextGrid::used_height() const {
    if (cells_ == nullptr) return 0;
    for (int row = kTextGridRows - 1; row >= 0; --row) {
        for (int column = 0; column < kTextGridColumns; ++column) {
            const TextGridCell& c = cells_[row * kTextGridColumns + column];
            if (c.right != 0 || c.up != 0 || c.left != 0 || c.down != 0) return row + 1;
            if (c.code != 0 && c.code != ' ') return row + 1;
        }
    }
    return 0;
}

std::string TextGrid::row_text(int row, RuledLineCodeSet set) const {
    std::string out;
    if (cells_ == nullptr || row < 0 || row >= kTextGridRows) return out;
    const TextGridCell* cells = cells_ + row * kTextGridColumns;
    for (int c = 0; c < kTextGridColumns;) {
        const TextGridCell& cell = cells[c];
        const int entry = find_ruled_line_by_weights(cell.right, cell.up, cell.left, cell.down);
        if (entry >= 0) {
            // a ruled-line character covers this cell and the next
            if (entry == kRightArmThin || entry == kRightArmThick) {
                out += ' ';
            } else {
                const int code = ruled_line_entry_code(entry, set);
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
            }
            c += 2;
            continue;
        }
        if ((cell.code & 0x8000) != 0) {
            out += static_cast<char>((cell.code >> 8) & 0xFF);
            out += static_cast<char>(cell.code & 0xFF);
            c += 2;
            continue;
        }
        const char low = static_cast<char>(cell.code & 0xFF);
        if (low == 0) break;
        out += low;
        ++c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// --- TextGridBackend ----------------------------------------------------------------

void TextGridBackend::reset() {
    TextGrid* grid = grid_;
    *this = TextGridBackend{};
    grid_ = grid;
}

bool TextGridBackend::cell_of(int x, int y, int& column, int& row) const {
    const PageRecordState& g = geometry();
    // no page set up yet: no cells to put anything in
    if (g.page_cell_width <= 0 || g.page_cell_height <= 0) return false;
    column = x / g.page_cell_width;
    row = y / g.page_cell_height;
    return true;
}

void TextGridBackend::give_arm(int row, int column, Arm arm) {
    TextGridCell* cell = grid_ != nullptr ? grid_->at(row, column) : nullptr;
    if (cell == nullptr) return;
    const auto weight = static_cast<uint8_t>(line_weight_);
    switch (arm) {
    case kRight: cell->right = weight; break;
    case kUp: cell->up = weight; break;
    case kLeft: cell->left = weight; break;
    case kDown: cell->down = weight; break;
    }
}

int TextGridBackend::put_footer(int y, int x, std::string_view text) {
    txt_move_to(y, x);
    return grid_put_text(text);
}

bool TextGridBackend::keep_going() {
    pump_one_message();
    return !print_abort_flag();
}

int TextGridBackend::beep() {
    MessageBeep(0);
    return 0;
}

int TextGridBackend::set_char_cell(int height, int width, int /*ignored*/) { return txt_set_char_cell(height, width); }

int TextGridBackend::set_char_size(int height_percent, int width_percent) {
    height_percent_ = height_percent;
    width_percent_ = width_percent;
    return 0;
}

int TextGridBackend::select_font(int /*a*/, int /*b*/, int /*c*/) { return 0; }

int TextGridBackend::move_to(int y, int x) { return txt_move_to(y, x); }

int TextGridBackend::set_line_type(int style) {
    pen_style_ = style;
    return 0;
}

int TextGridBackend::set_line_attr(int /*attr*/) { return 0; }

int TextGridBackend::set_line_width(int width) { return map_line_width(width); }

int TextGridBackend::set_corner_radius(int radius) {
    round_next_box_ = true;
    radius_ = radius;
    return 0;
}

int TextGridBackend::draw_box(int x1, int y1, int x2, int y2) {
    round_next_box_ = false;
    return grid_draw_box(x1, y1, x2, y2);
}

int TextGridBackend::draw_line(int x1, int y1, int x2, int y2) { return grid_draw_line(x1, y1, x2, y2); }

int TextGridBackend::draw_text(std::string_view text) {
    grid_put_text(text);
    return text_drawn(text);
}

int TextGridBackend::txt_set_char_cell(int height, int width) {
    cell_height_ = height;
    cell_width_ = width;
    base_size_ = std::max(height, width);
    return 0;
}

int TextGridBackend::txt_move_to(int y, int x) {
    text_x_ = x;
    text_y_ = trunc_to_int(static_cast<double>(y) + cell_height_);
    return 0;
}

int TextGridBackend::map_line_width(int width) {
    line_weight_ = width < 3 ? 1 : width < 5 ? 2 : width < 7 ? 3 : 4;
    return 0;
}

int TextGridBackend::grid_put_text(std::string_view text) {
    int column = 0, row = 0;
    if (!cell_of(text_x_, text_y_, column, row)) return 0;
    const int size = static_cast<int>(text.size());
    for (int i = 0; i < size;) {
        const auto byte = static_cast<unsigned char>(text[static_cast<size_t>(i)]);
        if (byte == '\n') break;
        const int next = next_char(text, i);
        TextGridCell* cell = grid_ != nullptr ? grid_->at(row, column) : nullptr;
        if (next - i == 2) {
            const int code = byte * 256 + static_cast<unsigned char>(text[static_cast<size_t>(i) + 1]);
            if (cell != nullptr && code != kEmptyDoubleByte) cell->code = code;
            column += 2;
        } else {
            // blanks are transparent: lines and characters under them stay
            if (cell != nullptr && byte != ' ') cell->code = byte;
            column += 1;
        }
        i = next;
    }
    return 0;
}

int TextGridBackend::grid_draw_box(int x1, int y1, int x2, int y2) {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (!cell_of(x1, y1, c1, r1) || !cell_of(x2, y2, c2, r2)) return 0;
    const int last_column = kTextGridColumns - 1, last_row = kTextGridRows - 1;
    visit_steps(c1, c2, 2, last_column, [&](int c) {
        for (const int row : {r1, r2}) {
            if (c != c1) give_arm(row, c, kLeft);
            if (c == c1 || c != c2) give_arm(row, c, kRight);
        }
    });
    visit_steps(r1, r2, 1, last_row, [&](int r) {
        for (const int column : {c1, c2}) {
            if (r != r1) give_arm(r, column, kUp);
            if (r == r1 || r != r2) give_arm(r, column, kDown);
        }
    });
    return 0;
}

int TextGridBackend::grid_draw_line(int x1, int y1, int x2, int y2) {
    if (y2 < y1) std::swap(y1, y2);
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (!cell_of(x1, y1, c1, r1) || !cell_of(x2, y2, c2, r2)) return 0;
    // a line that starts right of a drawn cell joins it
    const TextGridCell* before = c1 > 0 && grid_ != nullptr ? grid_->at(r1, c1 - 1) : nullptr;
    if (before != nullptr && (before->right != 0 || before->up != 0 || before->left != 0 || before->down != 0)) {
        --c1;
        --c2;
    }
    if (r1 == r2) {
        visit_steps(c1, c2, 2, kTextGridColumns - 1, [&](int c) {
            if (c != c1) give_arm(r1, c, kLeft);
            if (c == c1 || c != c2) give_arm(r1, c, kRight);
        });
        return 0;
    }
    visit_steps(r1, r2, 1, kTextGridRows - 1, [&](int r) {
        if (r != r1) give_arm(r, c1, kUp);
        if (r != r2) give_arm(r, c1, kDown);
    });
    return 0;
}

TextGridBackend& text_grid_backend() {
    static TextGridBackend backend;
    return backend;
}
