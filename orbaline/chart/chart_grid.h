// The chart grid: a call tree held as rows of cells, one row per node line
// of a tree file, one column per depth. The viewer keeps one grid for the
// open chart; the output and print runs fill their own from the same reader
// under their own reading profile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "orbaline/chart/chart_hooks.h"
#include "platform/types.h"

// What a cell draws. The reader sets 16 and 32; the line-code pass turns
// them into the others. Tests look at bit 16 (connectors) and bit 32 (nodes).
enum ChartLineCode : int32_t {
    kCodeEmpty = 0,
    kCodeLeftOfNode = 16,     // reader: a cell left of a node
    kCodeBranch = 17,         // tee: the node is in the next column, a sibling follows
    kCodeLastBranch = 18,     // corner: the node is in the next column, no sibling follows
    kCodePassThrough = 19,    // a line of an unfinished subtree passes
    kCodeNoLine = 20,         // a finished subtree's line would pass
    kCodeNode = 32,           // reader: the node
    kCodeRootWithChildren = 33,
    kCodeInnerWithChildren = 34,
    kCodeInnerLeaf = 35,
    kCodeRootLeaf = 36,
};
inline constexpr int32_t kConnectorFamily = 16;
inline constexpr int32_t kNodeFamily = 32;
inline bool is_connector_code(int32_t code) { return (code & 0x30) == kConnectorFamily; }
inline bool is_node_code(int32_t code) { return (code & 0x30) == kNodeFamily; }
// A node box as the drawing and the lookups see it (after the pass).
inline bool is_coded_node(int32_t code) { return code >= kCodeRootWithChildren && code <= kCodeRootLeaf; }

// A cell: its code and its text, an offset into the name pool or the shared
// blank. An offset (not an address) keeps the cell 8 bytes wide and lets the
// pool move when it grows.
struct ChartCell {
    int32_t code = kCodeEmpty;
    int32_t text = -1;
};
static_assert(sizeof(ChartCell) == 8, "a grid row is 64 cells of 8 bytes");

inline constexpr int kChartGridRows = 3002;       // row 0, 3000 node rows, the closing row
inline constexpr int kChartColumns = 64;
inline constexpr int kChartMaxRows = 3000;
inline constexpr size_t kChartGridBytes = sizeof(ChartCell) * kChartGridRows * kChartColumns;  // 1,537,024
inline constexpr size_t kChartPoolStep = 64000;
inline constexpr int32_t kSharedBlankText = -1;   // the text " " of empty cells and empty nodes

// A grid and its name pool, each one global memory block.
class ChartTable {
public:
    ChartTable() = default;
    ~ChartTable();
    ChartTable(const ChartTable&) = delete;
    ChartTable& operator=(const ChartTable&) = delete;

    // Both blocks at their first size: 0, or -1 with nothing allocated.
    int alloc_chart_grid();
    void release();
    bool allocated() const { return cells_ != nullptr && pool_ != nullptr; }

    // The pool taken away and allocated again `bytes` larger (its contents
    // are read afresh after a growth): 0, or -1 with no pool left.
    int grow_chart_pool(size_t bytes);
    size_t pool_size() const { return pool_size_; }
    size_t pool_used() const { return pool_fill_; }
    // Bytes a growth must add at least for the text refused last.
    size_t pool_shortfall() const { return pool_shortfall_; }
    void restart_pool() { pool_fill_ = 0; pool_shortfall_ = 0; }

    // Copies the text and its zero into the pool and points the cell at it;
    // an empty text points at the shared blank. 0, or -1 when it does not fit.
    int store_chart_name(std::string_view text, ChartCell& cell);
    std::string_view text_of(const ChartCell& cell) const;

    // Cells by row and column; outside the grid a cell reads as empty and a
    // write goes nowhere.
    ChartCell cell(int row, int column) const;
    int32_t code(int row, int column) const { return cell(row, column).code; }
    void set_code(int row, int column, int32_t code);
    void set_cell(int row, int column, const ChartCell& cell);
    std::string_view text(int row, int column) const { return text_of(cell(row, column)); }
    void clear_row(int row);
    // A row whose node the generator marked "<UNDEFINED>" (the mark goes with
    // the part of the line the reader drops): a function with no source.
    bool undefined(int row) const { return row >= 0 && row < kChartGridRows && undefined_[row]; }
    void set_undefined(int row, bool value) {
        if (row >= 0 && row < kChartGridRows) undefined_[row] = value;
    }

    // Node rows in use: 1..row_count.
    int row_count = 0;

private:
    ChartCell* row_cells(int row) const;

    HGLOBAL grid_block_ = nullptr;
    HGLOBAL pool_block_ = nullptr;
    ChartCell* cells_ = nullptr;
    char* pool_ = nullptr;
    size_t pool_size_ = 0;
    size_t pool_fill_ = 0;
    size_t pool_shortfall_ = 0;
    bool undefined_[kChartGridRows] = {};
};

// --- node lines ---------------------------------------------------------------

// A node line as "<number><level run><text>": the leading digits, then the
// run of level characters ('+' as the viewer's runs write them, or TAB).
struct NodeLineParts {
    int digits = 0;
    int level_run = 0;
    int text_start = 0;
    // The column of the node: the run less one after a number, else the run.
    int depth() const { return digits > 0 ? level_run - 1 : level_run; }
};
NodeLineParts parse_node_line(std::string_view line);

// The node's function name in a node text: up to the first blank or ';',
// else the whole text.
std::string node_name_of(std::string_view text);

// The file of a node text: between the '<' of " <" and the next '>', up to
// a '('. False for "<UNDEFINED>" and a text without the reference.
bool node_file_of(std::string_view text, std::string& file);

// Position of the '<' that opens a node's file reference (found after a
// blank, so an operator name like "operator<" is never taken for it), or -1.
int find_file_reference(std::string_view text);

// The pieces a box shows of a node text, each at most `width` bytes: a ';'
// at byte 1..width ends a piece and is skipped, a double-byte character is
// never cut, a piece's leading ';' is dropped; at most `max_pieces` pieces.
int split_node_text(std::string_view text, int width, std::string* pieces, int max_pieces);

// --- reading ------------------------------------------------------------------

// Where readers of tree files differ.
struct TrdReadProfile {
    bool check_header = true;          // line 1 must be " [JOV:TRD:V1.00 " (the viewer)
    bool skip_header_lines = false;    // lines that start with a blank are left out (output, print)
    bool blank_file_reference = false; // "<file(line)>" becomes blanks
    bool blank_back_reference = false; // "[n]" becomes blanks
    bool show_messages = true;         // the bad-chart and too-many-rows boxes
    bool cancellable = false;          // one pass of the message loop per line, which may cancel
};
inline constexpr TrdReadProfile kChartViewReading{};

// Results of reading.
enum : int {
    kTrdReadOk = 0,
    kTrdNoChart = -1,   // cannot be opened, a bad header or line, nothing read, or cancelled
    kTrdPoolFull = -3,  // a text did not fit the pool: grow it and read again
};

inline constexpr char kTrdKind[] = " [JOV:TRD";
inline constexpr char kTrdHeader[] = " [JOV:TRD:V1.00 ";
// "<" reads standard input.
inline constexpr char kStandardInputName[] = "<";

// Reads a tree file into the table: row 0 and the row after the last are
// empty, node rows hold 16 left of the node and 32 with its text at the
// node's depth. quiet leaves out the too-many-rows box. Lines of any length
// are read whole; an empty line ends the file.
int read_trd_file(bool quiet, std::string_view path, ChartTable& table, const TrdReadProfile& profile,
                  const ChartHooks& hooks);

// Reads with the pool grown by 64,000-byte steps until the file fits: the
// reader's result, or kTrdPoolFull when the pool could not grow (the table
// then has no rows).
int read_trd_growing(bool quiet, std::string_view path, ChartTable& table, const TrdReadProfile& profile,
                     const ChartHooks& hooks);

// The line-code pass over rows 1..row_count: connectors become 17-20,
// nodes 33-36. -1 when cancelled through keep_going, else 0.
int code_chart_lines(ChartTable& table, const ChartHooks* cancel_hooks = nullptr);

// The first node cell (33-36) of a row, 64 when there is none.
int node_column(const ChartTable& table, int row);
