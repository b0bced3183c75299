// The drawing tools of the form editor as changes of the form grid: texts,
// double-size texts, the erasers, ruled lines with their junctions,
// parameter areas, and the one-level UNDO. Each tool changes cells only; it
// reports the rows it touched, whose text rows the caller recomposes
// (recompose_rows) and repaints. No window is involved.
#pragma once

#include <string>
#include <string_view>

#include "notarix/form/form_grid.h"

// A rectangle of cells, rows and columns inclusive, smaller corner first.
struct CellRect {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool horizontal() const { return top == bottom; }
    bool vertical() const { return left == right; }
    bool straight() const { return horizontal() || vertical(); }
};
// The rectangle of two cells, whichever way the drag went.
CellRect cell_rect(int row1, int column1, int row2, int column2);

// The rows an edit touched.
struct TouchedRows {
    int first = kFormRows;
    int last = -1;
    void add(int row);
    void add(const TouchedRows& other);
    bool empty() const { return first > last; }
};

// A cell that holds a ruled-line arm.
bool is_line_cell(const FormCell& cell);
// A cell that takes two columns: a double-byte character or a ruled line.
bool is_double_cell(const FormCell& cell);
// The column where the character over (row, column) starts: one to the left
// when the column holds the second byte of a double-byte character.
int character_column(int row, int column);

// The full-width form of a single-byte character (ASCII or half-width
// katakana); 0 when it has none.
int wide_form_of(unsigned char c);

// Text from (row, column) on, one byte a cell, up to the last column; a
// double-byte character that would not fit stops it.
TouchedRows place_form_text(int row, int column, std::string_view text);
// Each character as a 2 x 2 block four columns apart: the character (made
// full-width) and the size marker in the other three cells.
TouchedRows place_double_size_text(int row, int column, std::string_view text);
// Blanks every cell of the rectangle that is no ruled line.
TouchedRows erase_form_text(const CellRect& rect);
// Blanks every cell that is neither a ruled line nor blank.
TouchedRows erase_all_form_text();
// Blanks every cell and sets every text row to blanks.
TouchedRows erase_whole_form();

// A straight ruled line of the weight (kArmThin, kArmThick); crossing lines
// keep their arms and so form junctions.
TouchedRows draw_form_line(const CellRect& rect, int weight);
// Takes the arms along a straight drag away; arms across it stay.
TouchedRows erase_form_lines_along(const CellRect& rect);
// Blanks every ruled-line cell of the rectangle.
TouchedRows erase_form_lines_in(const CellRect& rect);
TouchedRows erase_all_form_lines();

// A parameter area: the key and dashes over the width on the first row;
// for the rectangle shape the continuation rows below ("-" under the key's
// "$", or the whole area text again for keys that repeat per row).
TouchedRows place_parameter_area(const CellRect& rect, std::string_view key, bool rectangle);
// Keys that may stand in a form any number of times ("$PT", "$PN").
bool parameter_key_repeats(std::string_view key);
// True when a text row of the form holds the key.
bool form_holds_key(std::string_view key);

// The text rows of the touched rows composed again from their cells.
void recompose_rows(const TouchedRows& rows);
void recompose_all_rows();

// One-level UNDO: a copy of the whole grid taken before an edit, restored
// (with every text row recomposed) by undo. False when there is no copy or
// it holds nothing to restore.
bool undo_available();
bool undo_kept();
void take_undo_snapshot();
bool restore_undo_snapshot();
void forget_undo_snapshot();
