// PAD diagrams as character graphics in a text file: each function re-read,
// laid out in character columns, drawn into a page of characters with the
// ruled-line pieces of the DOS/V or the PC98 code set, and written row by row
// without trailing blanks and without rows of nothing but flow lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/print/ruled_lines.h"
#include "gravlet/pad/pad_grid.h"
#include "gravlet/pad/pad_host.h"
#include "gravlet/pad/pad_layout.h"

// The pieces the drawing uses, by their number in the 76-piece table (the
// ruled-line code index less one).
enum LinePiece : int {
    kPieceLine = 0,               // ─
    kPieceHeavyLine = 1,          // ━
    kPieceBar = 2,                // │
    kPieceHeavyBar = 3,           // ┃
    kPieceTopLeft = 12,           // ┌
    kPieceHeavyTopLeft = 15,      // ┏
    kPieceTopRight = 16,          // ┐
    kPieceHeavyTopRight = 19,     // ┓
    kPieceBottomLeft = 20,        // └
    kPieceHeavyBottomLeft = 23,   // ┗
    kPieceBottomRight = 24,       // ┘
    kPieceHeavyBottomRight = 27,  // ┛
    kPieceTeeRight = 28,          // ├
    kPieceTeeLeft = 36,           // ┤
    kPieceTeeDown = 44,           // ┬
    kPieceHeavyTeeDown = 47,      // ┯
    kPieceTeeUp = 52,             // ┴
    kPieceHeavyTeeUp = 55,        // ┷
    kPieceCross = 60,             // ┼
};
inline constexpr int kLinePieceCount = 76;

// The two bytes of piece k in a code set ("" for a k outside the table).
std::string line_piece(int k, RuledLineCodeSet set);

// A page of characters: 3000 rows of 511 columns and a terminator, rows and
// columns from 1.
class PageCharBuffer {
public:
    static constexpr int kRows = 3000;
    static constexpr int kColumns = 511;

    bool allocate();
    void release();
    bool allocated() const { return !bytes_.empty(); }
    void clear();  // every row 511 blanks

    // Puts the text's bytes from the column on, up to column 511 (a
    // double-byte character that would not fit is left out). A character
    // half covered on either side becomes a blank, so the row always holds
    // whole characters. -1 when the row or column lies outside.
    int put(int row, int column, std::string_view text);
    // The row up to its last non-blank, with "\n"; "" when it holds nothing
    // but blanks, full-width blanks and the code set's vertical line. -1 for
    // a row outside.
    int get(int row, std::string& out, RuledLineCodeSet set) const;
    // The row's 511 columns as they stand.
    std::string_view row(int row) const;

private:
    char* row_bytes(int row);
    std::vector<char> bytes_;
};

int alloc_page_buffer(PageCharBuffer& buffer);
void free_page_buffer(PageCharBuffer& buffer);
void clear_page_buffer(PageCharBuffer& buffer);
int put_page_text(PageCharBuffer& buffer, int row, int column, std::string_view text);
int get_page_row(const PageCharBuffer& buffer, int row, std::string& out, RuledLineCodeSet set);

// The output run's values (PadOutputParameters), from the settings.
struct PadOutputValues {
    int code_set = 0;          // RuledLineCodeSet
    int top_margin = 0;        // T, 0..6 lines before each function
    int left_margin = 0;       // G, 0..20 columns
    int first_function = 1;    // 1..1000
    int last_function = 1000;
    int level_width = 16;      // 8..32, rounded up to even for the shapes
    int chars_per_line = 198;  // P, the wrap limit of statements
    int min_rows = 0;          // functions of fewer rows are left out
    int function_count = 0;    // for the status line; 0: counted from the file
    int progress_total = 0;    // rows counted for the meter; 0: no meter
};

// The run's derived values.
struct PadOutputGeometry {
    int level = 16;        // L, the level width rounded up to even
    int left_column = 6;   // X0 = G + 6: the PAD's main flow line
    int rows = 3000;       // R = 3000 - T: the buffer rows a part may fill
    RuledLineCodeSet code_set = kRuledLinesDosV;
    PadLayoutValues layout;
};
PadOutputGeometry pad_output_geometry(const PadOutputValues& values);

// The output layout: the view's passes with the output's line breaks.
void lay_out_output_pad(PadGrid& grid, const PadOutputGeometry& geometry);
// Rows into parts that fit R buffer rows: at most 999.
std::vector<PadPage> split_output_parts(const PadGrid& grid, const PadOutputGeometry& geometry);
// Puts the cell texts of a part into the buffer and gives every cell its x,
// line, width and height.
void format_output_cell_texts(PadGrid& grid, const PadPage& part, const PadOutputGeometry& geometry,
                              PageCharBuffer& buffer);
// Draws the part's boxes, loops, selections and flow lines around the texts.
void render_pad_characters(const PadGrid& grid, const PadPage& part, const PadOutputGeometry& geometry,
                           PageCharBuffer& buffer);

// The header and footer lines of a heading file, already expanded, and the
// run's mark written after the header line (pad_run_mark_text).
struct PadHeadingLines {
    std::string header;
    std::string footer;
    std::string mark;
};

// Results of the output.
enum : int {
    kPadOutputDone = 0,
    kPadOutputFailed = -1,     // the .pds could not be opened or read
    kPadOutputCancelled = -2,
    kPadOutputNoMemory = -3,
    kPadOutputWriteFailed = -4,  // the output file could not be written whole
    kPadOutputNotOpened = 5,   // the output file could not be created
};

// Writes functions first..last of a .pds into a text file (CR LF lines),
// reading them into the run's grid: the header line, per function its
// heading and its parts, the footer line (header and footer only with heading
// lines). The file takes the place of an older one only when complete; a
// cancelled or failed run keeps the old. The host's pump is asked at each
// line read and each buffer row taken; Cancel in the too-many-rows question
// cancels the run too.
int write_pad_output_file(const std::string& pds_path, const std::string& output_path, const PadOutputValues& values,
                          const PadHeadingLines* headings, PadGrid& grid, PadHost& host);
