// The PAD of one function as a grid of cells: one row per structure row of
// the .pds block, one cell per column letter, with the texts kept in two
// pools. The view, the print job and the text output each fill a grid of
// this layout from the same reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <memory>
#include <vector>

// A cell's kind: the .pds column letter it came from, or what the parser and
// the layout made of it.
enum PadCellKind : int16_t {
    kPadRowEnd = -1,       // no further cells in this row
    kPadEmpty = 0,         // ' ', '+', an unknown letter, a cleared cell
    kPadBegin = 1,         // 'B'
    kPadStatement = 2,     // 'N'
    kPadFlow = 3,          // 'F', and the flow lines the layout fills in
    kPadDoubleBox = 4,     // 'L': a loop whose body is empty
    kPadLoop = 5,          // 'R'
    kPadNameTerminal = 6,  // 'M'
    kPadSelection = 7,     // 'S'
    kPadCase = 8,          // 'C'
    kPadEnd = 9,           // 'E'
    kPadReturn = 10,       // 'U'
    kPadLoopNext = 11,     // right of a loop head
    kPadCaseNext = 12,     // right of a case
    kPadUnused = 13,       // never made; the layout takes it as an end
    kPadSelectionTail = 14,
    kPadCall = 15,         // 'P'
    kPadEndTerminal = 16,
};

// Kind of a column letter; 0 for any letter that is not one of the rows'.
PadCellKind pad_kind_of_letter(char letter);

struct PadCell {
    int16_t kind = kPadEmpty;
    char* text = nullptr;     // into the cell-text pool, or the shared empty text
    int16_t text_room = 0;    // bytes the text may grow to with its line breaks, terminator included
    int16_t source_line = 0;  // from the row's leading digits (the view's only)
    int16_t x = 0;            // set by the layouts, in characters
    int16_t y = 0;            // in text lines
    int16_t width = 0;
    int16_t height = 0;
};

inline constexpr int kPadRows = 3000;
inline constexpr int kPadColumns = 20;
inline constexpr int kPadPoolBytes = 128000;  // each of the two pools
inline constexpr int kPadListSize = 64;       // name rows, and comment rows
inline constexpr int kPadMaxRows = 2998;      // structure rows a function may have
inline constexpr int kPadRowsAtOverflow = 3000;  // the row count a refused function is reported with

// The text every cell without a text of its own points to.
char* pad_empty_text();

struct PadGrid {
    PadGrid();

    // Bounds-checked access: a cell outside the grid reads as empty and is
    // never written.
    PadCell* cell(int row, int column);
    const PadCell* cell(int row, int column) const;
    int kind(int row, int column) const;
    void set_kind(int row, int column, int kind);

    // Kind 0, the empty text and no position in every cell of a row.
    void clear_row(int row);
    // Before each function: both pools, both lists, the row count.
    void reset_pools();
    // Everything as a new grid has it.
    void make_fresh();

    // Copies a cell's kind, text and source line (what the layout moves).
    void copy_cell(int to_row, int to_column, int from_row, int from_column);

    std::vector<PadCell> cells;  // kPadRows x kPadColumns
    int row_count = 0;           // structure rows 1..row_count; row 0 is blank

    // Name and comment rows (from their '@' or ';'), in the name pool.
    std::vector<std::string_view> name_rows;     // before the first structure row
    std::vector<std::string_view> comment_rows;  // after it
    int name_pool_used = 0;
    // The cell-text pool's use as reserved for each text (line breaks
    // included), which decides when it is full; and the bytes taken.
    int text_pool_reserved = 0;
    int text_pool_taken = 0;
    bool text_pool_overflowed = false;  // a cell lost its text this read

    std::string function_name;   // the text of the 'M' row up to a further ':'
    int name_row_source_line = 0;  // digits of the last name or comment row

    std::vector<char> name_pool;
    std::vector<char> text_pool;

    // The highest row handed out for writing since the grid was new: what
    // make_fresh has to clear (-1 for none).
    int highest_row_used = -1;
};

// A grid as new, one given back before when there is one: the view takes a
// grid for each document and the print runs one each, and a grid is almost
// 2 MB. Null when memory runs out.
std::unique_ptr<PadGrid> take_pad_grid();
// Keeps the grid for the next take (a few are kept; the rest are freed).
void give_back_pad_grid(std::unique_ptr<PadGrid> grid);

// The function's name for messages: the first name row from its second
// character up to its first blank ("" without a name row).
std::string pad_function_name(const PadGrid& grid);

// Rows 1..N holding, before their row end, a cell that is neither empty nor
// a flow line.
int count_content_rows(const PadGrid& grid);
