// The text grid: a page of 92 rows by 128 character cells, each with a
// character and the weights of the ruled-line arms through it, into which
// the text output replays a function page; and the grid's back end of
// the page-record interpreter. Rows are written out with ruled lines as
// characters of the DOS/V or the PC98 code set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/print/ruled_lines.h"
#include "common/print/function_print.h"
#include "platform/types.h"

inline constexpr int kTextGridRows = 92;
inline constexpr int kTextGridColumns = 128;

// A single-byte character is its byte, a double-byte one lead * 256 + trail
// in its first column; arms in the order right, up, left, down (0 none,
// 1 thin, 2 thick, 3 and 4 from thick pens, which no character shows).
struct TextGridCell {
    int32_t code = ' ';
    uint8_t right = 0, up = 0, left = 0, down = 0;
};
static_assert(sizeof(TextGridCell) == 8, "a grid row is 1024 bytes");

class TextGrid {
public:
    TextGrid() = default;
    ~TextGrid() { release(); }
    TextGrid(const TextGrid&) = delete;
    TextGrid& operator=(const TextGrid&) = delete;

    // One zero-filled global memory block for the whole grid: 0, or -1
    // when it cannot be had. The grid is cleared.
    int allocate();
    void release();
    bool allocated() const { return cells_ != nullptr; }

    // Every cell blank without arms, and the last cell of each row 0, which
    // ends the row's text.
    void clear();

    // The cell at a row and column, or nullptr outside the grid: what falls
    // outside is dropped.
    TextGridCell* at(int row, int column);
    const TextGridCell* at(int row, int column) const;

    // The number (from 1) of the lowest row holding an arm or a character
    // other than 0 and blank; 0 for an empty page.
    int used_height() const;

    // A row's text: ruled lines as characters of the code set (a right arm
    // alone as one blank), characters as they are, up to the row's 0;
    // trailing blanks removed.
    std::string row_text(int row, RuledLineCodeSet set) const;

private:
    HGLOBAL block_ = nullptr;
    TextGridCell* cells_ = nullptr;
};

// The text back end. Positions come in page units and become rows and
// columns with the page cell of the interpreter's geometry.
class TextGridBackend : public PrimitiveSet, public SpecPageSink {
public:
    // The grid drawn into (nullptr: nothing is stored).
    void set_grid(TextGrid* grid) { grid_ = grid; }
    // Back to the start-up values (the line weight keeps its value from
    // one run to the next otherwise).
    void reset();

    PrimitiveSet& primitives() override { return *this; }
    int put_footer(int y, int x, std::string_view text) override;
    bool footer_column_reduced() const override { return false; }

    // Pumps one window message, then goes on unless the job was cancelled.
    bool keep_going() override;
    int beep() override;
    int set_char_cell(int height, int width, int ignored) override;
    int set_char_size(int height_percent, int width_percent) override;
    int select_font(int a, int b, int c) override;
    int move_to(int y, int x) override;
    int set_line_type(int style) override;
    int set_line_attr(int attr) override;
    int set_line_width(int width) override;
    int set_corner_radius(int radius) override;
    int draw_box(int x1, int y1, int x2, int y2) override;
    int draw_line(int x1, int y1, int x2, int y2) override;
    int draw_text(std::string_view text) override;

    // The grid operations under their own names.
    int txt_set_char_cell(int height, int width);
    int txt_move_to(int y, int x);
    int map_line_width(int width);
    int grid_put_text(std::string_view text);
    int grid_draw_box(int x1, int y1, int x2, int y2);
    int grid_draw_line(int x1, int y1, int x2, int y2);

    int line_weight() const { return line_weight_; }
    int text_x() const { return text_x_; }
    int text_y() const { return text_y_; }

private:
    enum Arm { kRight, kUp, kLeft, kDown };
    void give_arm(int row, int column, Arm arm);
    bool cell_of(int x, int y, int& column, int& row) const;

    TextGrid* grid_ = nullptr;
    int cell_height_ = 80, cell_width_ = 40;
    int base_size_ = 78;
    int height_percent_ = 100, width_percent_ = 100;
    int text_x_ = 0, text_y_ = 0;
    int line_weight_ = 1;
    int pen_style_ = 0;
    bool round_next_box_ = false;
    int radius_ = 0;
};

TextGridBackend& text_grid_backend();
