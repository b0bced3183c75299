// The layout of a parsed PAD: flow lines and selection blocks, bodies pulled
// up beside their loop and case heads, runs of blank rows shrunk, texts
// broken into lines, provisional positions and the end terminal; then the
// split into pages and the measure of the rows about to be drawn. Everything
// works in place on the grid.
#pragma once

#include <string>
#include <vector>

#include "gravlet/pad/pad_grid.h"

// The values the line breaks and positions take: the view's, the text
// output's or the print job's.
struct PadLayoutValues {
    int left = 10;             // first column of every row
    int first_line = 0;        // y of the first row
    int chars_per_line = 198;  // P: the wrap limit of statements, calls and returns
    int room_level_width = 16; // level width in the room left at a column
    int wrap_unit = 32;        // U: loop U - 4, name 2U - 2, selection U x 80 %, case U x 70 %
    int format_width = 32;     // 2L: the width a cell text is padded to
    bool output = false;       // the output's widths (text + 2) and even columns
};

// The view: L the screen level width, M 10.
PadLayoutValues view_layout_values(int level_width, int chars_per_line);
// The text output: level width as set (rounded up to even for the shapes),
// the PAD's left column X0 = left margin + 6.
PadLayoutValues output_layout_values(int level_width, int left_margin, int chars_per_line);
// The print job: level width as set, rows from left margin + 8.
PadLayoutValues print_layout_values(int level_width, int left_margin, int chars_per_line);

// Passes 1 to 5 on rows 0..N; N may drop. Only the line breaks and the
// provisional positions of pass 4 differ between view, output and print.
void lay_out_pad(PadGrid& grid, const PadLayoutValues& values);

// Inserts TAB line breaks into a text in place so that no line is longer
// than width bytes; a double-byte character is never split, each line takes
// one character at least, and a width below 2 counts as 2. room is the
// storage of the text, terminator included: the text never grows past it.
void insert_wrap_tabs(char* text, int room, int width);

// Columns of a loop's column beside its wrapped text: its double edge and
// the line to the body. Its box is measured without them.
inline constexpr int kPadLoopReserve = 4;

// The wrap width of a cell kind at the given room, or 0 for no break.
int pad_wrap_width(int kind, int room, const PadLayoutValues& values);

// A text piece padded to the column as the view shows it: "%-*s" with 2L,
// " %-*s" with 2L - 1 for name terminals, calls and end terminals.
std::string format_cell_piece(int kind, std::string_view piece, int format_width);
// As the text output writes it: the first piece " %-*s" with 2L ("  %-*s"
// with 2L - 1 for those three kinds), a further piece " %-*s " ("  %-*s").
std::string format_output_piece(int kind, std::string_view piece, bool first, int format_width);
// Whether a kind's text starts a column further right and is padded less.
bool is_inset_text_kind(int kind);
// The lengths of those two formats, without making them.
int cell_piece_length(int kind, int piece_length, int format_width);
int output_piece_length(int kind, int piece_length, bool first, int format_width);

// The pieces of a cell text, cut at its TABs, one after the other; the text
// is not copied.
class CellPieces {
public:
    explicit CellPieces(const char* text) : rest_(text ? text : "") {}
    // False after the last piece.
    bool next(std::string_view& piece);
    int count() const { return count_; }

private:
    std::string_view rest_;
    bool done_ = false;
    int count_ = 0;
};

struct PadPage {
    int first = 1;
    int last = 0;
};
inline constexpr int kPadPageLines = 6000;

// The height of a row's tallest cell up to its row end, as the layout set it.
int tallest_cell_height(const PadGrid& grid, int row);

// Rows 0..N-1 into pages of at most 6000 text lines, by each row's tallest cell.
std::vector<PadPage> compute_pad_extents(const PadGrid& grid);

// The final x, y, width and height of every cell of a page's rows (y from 1
// at the page's first row), as the view draws them.
void measure_pad_page(PadGrid& grid, const PadPage& page, const PadLayoutValues& values);
