// The one reader of .pds files: the index of function heads, and the rows
// of one function into a PadGrid, for the view, the print job and the text
// output alike. Where their reading differs (header check, line length,
// text-pool reservation, messages) a profile says so.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/shell/page_records.h"
#include "gravlet/pad/pad_grid.h"
#include "gravlet/pad/pad_host.h"

// Lines of a .pds file, unscrambled by their physical number, read whole
// with their true byte offsets (LF and CR LF alike).
class PdsLineReader {
public:
    bool open(const std::string& path);
    void close();
    bool is_open() const { return file_.is_open(); }
    // The next line read is the one at offset, numbered line_number.
    bool seek(int64_t offset, int line_number);
    // False at the end of the file.
    bool next(std::string& line);
    int line_number() const { return line_number_; }  // of the line last read
    int64_t offset() const { return file_.offset(); }  // of the next line

private:
    RecordFileReader file_;
    int line_number_ = 0;
    std::string stored_;
};

// How one caller reads.
struct PdsReadProfile {
    std::string_view header;      // what line 1 must begin with
    int line_bytes;               // a row is kept up to this less two bytes
    bool reserve_extra_eighth;    // the view reserves n / 8 more per cell text
    bool plus_rows_end_read;      // digits followed by '+' only end the read too
    bool pump_each_line;          // one window message per line; stop when aborted
    bool pool_overflow_in_status; // message 622 for each cell text that does not fit
    int too_many_rows_message;    // 500 (view) or 306 (print, output)
    const char* operation;        // 306's prefix, and the caption of the text box
    const char* text_box_operation;
};
extern const PdsReadProfile kPdsViewRead;
extern const PdsReadProfile kPdsOutputRead;
extern const PdsReadProfile kPdsPrintRead;

// How a read of one function ended.
enum class PdsBlockEnd {
    Separator,    // at its "/" line
    EndOfFile,    // at the end of the file, or at a row with nothing after its digits
    NotPadFile,   // line 1 is not a PAD file's header
    TooManyRows,  // the 2999th structure row was met
    Aborted,      // the output run was cancelled while reading
};

// Reads the rows of one function from the reader's position into the grid
// (pools reset by the caller): name and comment rows into the lists, each
// structure row into one grid row, its text into the cell of its last letter.
// level_width decides the text pool's reservation; file_name goes into 306.
PdsBlockEnd read_pds_block(PdsLineReader& lines, PadGrid& grid, const PdsReadProfile& profile, int level_width,
                           PadHost& host, std::string_view file_name);

// The view's parse at an indexed head row: 1 separator, 0 end of file or
// empty row, 2 too many rows (the grid then holds none), -1 no file.
int parse_pds_block(PdsLineReader& lines, int64_t offset, int first_line, PadGrid& grid, int level_width,
                    PadHost& host, std::string_view file_name);

// The print and output readers, reading on from where the last read ended:
// 1 separator, 0 end of file or an empty row, -1 not a PAD file, 6 too many
// rows (the caller skips to the function's "/").
int read_pds_function_for_output(PdsLineReader& lines, PadGrid& grid, int level_width, PadHost& host,
                                 std::string_view file_name);
int read_pds_function_for_print(PdsLineReader& lines, PadGrid& grid, int level_width, PadHost& host,
                                std::string_view file_name);
// Reads on past the "/" that ends a function: true when it was found.
bool skip_to_function_end(PdsLineReader& lines);

// Stores a cell text in the cell-text pool with room for its line breaks:
// 0, or -1 when the pool is full (the cell then shows no text).
int store_cell_text(PadGrid& grid, std::string_view text, int level_width, bool reserve_extra_eighth, PadCell& cell);

// Index of the first occurrence of ch at or after start, the terminator's
// position included; -1 when absent.
int find_char_index(std::string_view text, char ch, int start);

// A function head of the file: its line (from 1) and its byte offset.
struct PdsIndexEntry {
    int line = 0;
    int64_t offset = 0;
};
inline constexpr int kPdsMaxFunctions = 1000;

// Reads the file from its start: false when line 1 is not the view's PAD
// file header; else the heads of at most 1000 functions.
bool index_pds_file(PdsLineReader& lines, std::vector<PdsIndexEntry>& index);

// The grid of a print or output run: 0, or 4 when it cannot be had. Freeing
// twice is harmless.
int alloc_print_work_area(std::unique_ptr<PadGrid>& grid);
void free_print_work_area(std::unique_ptr<PadGrid>& grid);

// The function heads of a file, at most 1000, whatever its header line; 0
// when it cannot be opened.
int count_pds_function_heads(const std::string& path);

// The functions numbered first..last (from 1, every function of the file
// counted) read once more through the print reader: the sum of their row
// counts less one, and extra_per_function for each. 0 when the file cannot
// be opened.
int count_pad_rows_in_range(const std::string& path, int first, int last, int extra_per_function, PadGrid& grid,
                            int level_width);
// The output run's total: also the buffer rows a part may fill (3000 less
// the top margin) less one, per function.
int count_pad_lines_in_range(const std::string& path, int first, int last, int top_margin, PadGrid& grid,
                             int level_width);
