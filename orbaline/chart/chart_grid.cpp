#include "orbaline/chart/chart_grid.h"

#include <algorithm>
#include <cstring>

#include "common/analysis/scramble.h"
#include "common/analysis/text_utils.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "orbaline/chart/chart_messages.h"
#include "platform/kernel/global_memory.h"

// --- ChartTable -------------------------------------------------------------

namespace {

constexpr char kSharedBlank[] = " ";

// A zero-filled block, locked for as long as the table holds it.
void* take_block(size_t bytes, HGLOBAL& block) {
    block = GlobalAlloc(GHND, bytes);
    if (!block) return nullptr;
    void* address = GlobalLock(block);
    if (!address) {
        GlobalFree(block);
        block = nullptr;
    }
    return address;
}

void give_back_block(HGLOBAL& block) {
    if (!block) return;
    GlobalUnlock(block);
    GlobalFree(block);
    block = nullptr;
}

}  // namespace

ChartTable::~ChartTable() { release(); }

int ChartTable::alloc_chart_grid() {
    release();
    cells_ = static_cast<ChartCell*>(take_block(kChartGridBytes, grid_block_));
    if (cells_) pool_ = static_cast<char*>(take_block(kChartPoolStep, pool_block_));
    if (!cells_ || !pool_) {
        release();
        return -1;
    }
    pool_size_ = kChartPoolStep;
    // Zero bytes are empty cells with text offset 0: point them at the blank,
    // one row made and copied to the others.
    clear_row(0);
    for (int row = 1; row < kChartGridRows; ++row)
        std::memcpy(row_cells(row), row_cells(0), sizeof(ChartCell) * kChartColumns);
    return 0;
}

void ChartTable::release() {
    give_back_block(grid_block_);
    give_back_block(pool_block_);
    cells_ = nullptr;
    pool_ = nullptr;
    pool_size_ = pool_fill_ = pool_shortfall_ = 0;
    row_count = 0;
}

int ChartTable::grow_chart_pool(size_t bytes) {
    const size_t wanted = pool_size_ + bytes;
    give_back_block(pool_block_);
    pool_ = nullptr;
    pool_size_ = pool_fill_ = 0;
    pool_ = static_cast<char*>(take_block(wanted, pool_block_));
    if (!pool_) return -1;
    pool_size_ = wanted;
    pool_shortfall_ = 0;
    return 0;
}

int ChartTable::store_chart_name(std::string_view text, ChartCell& cell) {
    if (text.empty()) {
        cell.text = kSharedBlankText;
        return 0;
    }
    const size_t need = text.size() + 1;
    // Offsets are 32-bit: a pool never grows past what they reach.
    if (!pool_ || pool_fill_ + need > pool_size_ || pool_fill_ + need > 0x7FFFFFFF) {
        pool_shortfall_ = pool_fill_ + need > pool_size_ ? pool_fill_ + need - pool_size_ : 0;
        return -1;
    }
    std::memcpy(pool_ + pool_fill_, text.data(), text.size());
    pool_[pool_fill_ + text.size()] = '\0';
    cell.text = static_cast<int32_t>(pool_fill_);
    pool_fill_ += need;
    return 0;
}

std::string_view ChartTable::text_of(const ChartCell& cell) const {
    if (cell.text < 0 || !pool_ || static_cast<size_t>(cell.text) >= pool_fill_) return kSharedBlank;
    return std::string_view(pool_ + cell.text);
}

ChartCell* ChartTable::row_cells(int row) const {
    if (!cells_ || row < 0 || row >= kChartGridRows) return nullptr;
    return cells_ + static_cast<size_t>(row) * kChartColumns;
}

ChartCell ChartTable::cell(int row, int column) const {
    const ChartCell* cells = row_cells(row);
    if (!cells || column < 0 || column >= kChartColumns) return ChartCell{};
    return cells[column];
}

void ChartTable::set_code(int row, int column, int32_t code) {
    ChartCell* cells = row_cells(row);
    if (cells && column >= 0 && column < kChartColumns) cells[column].code = code;
}

void ChartTable::set_cell(int row, int column, const ChartCell& value) {
    ChartCell* cells = row_cells(row);
    if (cells && column >= 0 && column < kChartColumns) cells[column] = value;
}

void ChartTable::clear_row(int row) {
    set_undefined(row, false);
    ChartCell* cells = row_cells(row);
    if (!cells) return;
    std::fill(cells, cells + kChartColumns, ChartCell{});
}

// --- node lines --------------------------------------------------------------

NodeLineParts parse_node_line(std::string_view line) {
    NodeLineParts parts;
    const int size = static_cast<int>(line.size());
    int pos = 0;
    while (pos < size && line[pos] >= '0' && line[pos] <= '9') ++pos;
    parts.digits = pos;
    while (pos < size && (line[pos] == '+' || line[pos] == '\t')) ++pos;
    parts.level_run = pos - parts.digits;
    parts.text_start = pos;
    return parts;
}

std::string node_name_of(std::string_view text) {
    // A file reference always follows a blank, so a '<' before the first
    // blank or ';' is part of the name ("operator<").
    int end = 0;
    while (end < static_cast<int>(text.size()) && text[end] != ' ' && text[end] != ';') end = next_char(text, end);
    return std::string(text.substr(0, std::min<size_t>(text.size(), static_cast<size_t>(end))));
}

int find_file_reference(std::string_view text) {
    const int at = find_substring(text, " <");
    return at >= 0 ? at + 1 : -1;
}

bool node_file_of(std::string_view text, std::string& file) {
    file.clear();
    const int open = find_file_reference(text);
    if (open < 0) return false;
    const std::string_view rest = text.substr(open + 1);
    const int close = find_char(rest, '>');
    if (close < 0) return false;
    std::string_view inside = rest.substr(0, close);
    if (inside == "UNDEFINED") return false;
    const int paren = find_char(inside, '(');
    if (paren >= 0) inside = inside.substr(0, paren);
    file.assign(inside);
    return true;
}

int split_node_text(std::string_view text, int width, std::string* pieces, int max_pieces) {
    int count = 0;
    std::string_view rest = text;
    width = std::max(width, 2);
    while (!rest.empty() && count < max_pieces) {
        const int semicolon = find_char(rest, ';');
        int take;
        int skip = 0;
        if (semicolon >= 1 && semicolon <= width) {
            take = semicolon;
            skip = 1;
        } else {
            take = std::min(width, static_cast<int>(rest.size()));
            take = char_boundary_at_or_before(rest, take);
            // A double-byte character wider than what is left of the piece
            // still goes whole into the next one, never lost.
            if (take == 0) take = next_char(rest, 0);
        }
        std::string_view piece = rest.substr(0, take);
        rest.remove_prefix(std::min<size_t>(rest.size(), static_cast<size_t>(take + skip)));
        if (!piece.empty() && piece.front() == ';') piece.remove_prefix(1);
        pieces[count++].assign(piece);
    }
    return count;
}

// --- reading -----------------------------------------------------------------

namespace {

// Blanks the bytes from `open` to the first `close` after it, both included;
// -1 when the pair is not there (nothing changes), else the close position.
int blank_bracketed(std::string& text, int open, char close) {
    if (open < 0) return -1;
    const int found = find_char(std::string_view(text).substr(open + 1), close);
    if (found < 0) return -1;
    const int end = open + 1 + found;
    std::fill(text.begin() + open, text.begin() + end + 1, ' ');
    return end;
}

void blank_references(std::string& text, const TrdReadProfile& profile) {
    const int file_open = find_file_reference(text);
    int file_close = -1;
    if (file_open >= 0) {
        const int found = find_char(std::string_view(text).substr(file_open + 1), '>');
        if (found >= 0) file_close = file_open + 1 + found;
    }
    // The back-reference "[n]" stands right after the file reference; any
    // other '[' belongs to a name ("list[i].draw") or a comment.
    if (profile.blank_back_reference && file_close >= 0 && byte_at(text, file_close + 1) == '[') {
        blank_bracketed(text, file_close + 1, ']');
    }
    if (profile.blank_file_reference && file_close >= 0) blank_bracketed(text, file_open, '>');
}

void show_bad_chart(const ChartHooks& hooks, int message, std::string_view path) {
    ask_box(hooks, ChartBoxKind::Notice, kCaptionMakeChart,
            join_box_lines(orbaline_message_text(message), path, {}));
}

}  // namespace

int read_trd_file(bool quiet, std::string_view path, ChartTable& table, const TrdReadProfile& profile,
                  const ChartHooks& hooks) {
    LineReader reader;
    const std::string name(path);
    const bool opened = path == kStandardInputName ? reader.open_standard_input() : reader.open(name.c_str());
    table.row_count = 0;
    if (!opened || !table.allocated()) return kTrdNoChart;

    table.restart_pool();
    table.clear_row(0);
    int row = 1;
    int line_number = 0;
    bool any_line = false;
    std::string stored;
    std::string line;
    auto fail = [&](int message) {
        if (message && profile.show_messages) show_bad_chart(hooks, message, path);
        table.row_count = 0;
        for (int r = 0; r <= row && r < kChartGridRows; ++r) table.clear_row(r);
        return kTrdNoChart;
    };

    while (reader.next(stored)) {
        ++line_number;
        if (profile.cancellable && !still_going(hooks)) return fail(0);
        if (stored.empty()) break;
        unscramble_line(stored, line, line_number);
        if (line.empty()) break;
        any_line = true;

        if (line_number == 1 && profile.check_header) {
            if (line.compare(0, sizeof kTrdKind - 1, kTrdKind) != 0) return fail(kMsgNotAChart);
            // This version's own text is message 5's.
            if (line.compare(0, sizeof kTrdHeader - 1, kTrdHeader) != 0) return fail(kMsgChartWrongVersion);
            continue;
        }
        if (profile.skip_header_lines && line[0] == ' ') continue;
        if (row > kChartMaxRows) {
            if (!quiet && profile.show_messages) {
                ask_box(hooks, ChartBoxKind::Notice, kCaptionMakeChart, orbaline_message_text(kMsgTooManyBlocks));
            }
            break;
        }

        const size_t tab = line.rfind('\t');
        bool undefined = false;
        if (tab != std::string::npos) {
            undefined = std::string_view(line).substr(tab).find("<UNDEFINED>") != std::string_view::npos;
            line.resize(tab);
        }
        if (profile.blank_file_reference || profile.blank_back_reference) blank_references(line, profile);

        const NodeLineParts parts = parse_node_line(line);
        const int depth = parts.depth();
        // No writer makes these; taking them would write past the row.
        if (depth < 0 || depth >= kChartColumns) return fail(kMsgNotAChart);

        table.clear_row(row);
        for (int column = 0; column < depth; ++column) table.set_code(row, column, kCodeLeftOfNode);
        ChartCell node{kCodeNode, kSharedBlankText};
        if (table.store_chart_name(std::string_view(line).substr(parts.text_start), node) != 0) {
            table.row_count = 0;
            return kTrdPoolFull;
        }
        table.set_cell(row, depth, node);
        table.set_undefined(row, undefined);
        ++row;
    }
    if (reader.failed()) return fail(0);

    table.clear_row(row);
    table.row_count = row - 1;
    if (!any_line) {
        table.row_count = 0;
        return kTrdNoChart;
    }
    return kTrdReadOk;
}

int read_trd_growing(bool quiet, std::string_view path, ChartTable& table, const TrdReadProfile& profile,
                     const ChartHooks& hooks) {
    for (;;) {
        const int result = read_trd_file(quiet, path, table, profile, hooks);
        if (result != kTrdPoolFull) return result;
        // Steps of 64,000 bytes, as many as the refused text needs.
        const size_t steps = std::max<size_t>(1, (table.pool_shortfall() + kChartPoolStep - 1) / kChartPoolStep);
        if (table.grow_chart_pool(steps * kChartPoolStep) != 0) {
            table.row_count = 0;
            return kTrdPoolFull;
        }
    }
}

// --- line codes ----------------------------------------------------------------

namespace {

// Walks up a column from `row`: pass-throughs below a finished subtree lose
// their line, and the branch that opened it becomes its last branch.
void close_column(ChartTable& table, int column, int row) {
    for (; row >= 1; --row) {
        const int32_t code = table.code(row, column);
        if (code == kCodeEmpty || code == kCodeLastBranch) return;
        if (code == kCodePassThrough) {
            table.set_code(row, column, kCodeNoLine);
        } else if (code == kCodeBranch) {
            table.set_code(row, column, kCodeLastBranch);
            return;
        }
    }
}

}  // namespace

int code_chart_lines(ChartTable& table, const ChartHooks* cancel_hooks) {
    const int count = std::min(table.row_count, kChartMaxRows);
    for (int row = 1; row <= count; ++row) {
        if (cancel_hooks && !still_going(*cancel_hooks)) return -1;
        for (int column = 0; column < kChartColumns; ++column) {
            const int32_t code = table.code(row, column);
            const bool child_below = is_connector_code(table.code(row + 1, column));
            if (is_node_code(code)) {
                if (column == 0) {
                    table.set_code(row, column, child_below ? kCodeRootWithChildren : kCodeRootLeaf);
                } else {
                    table.set_code(row, column, child_below ? kCodeInnerWithChildren : kCodeInnerLeaf);
                }
                for (int c = column; c < kChartColumns && table.code(row - 1, c) != kCodeEmpty; ++c) {
                    close_column(table, c, row - 1);
                }
                break;
            }
            if (code == kCodeEmpty) break;
            if (!is_node_code(table.code(row, column + 1))) {
                table.set_code(row, column, kCodePassThrough);
            } else {
                table.set_code(row, column, child_below ? kCodeBranch : kCodeLastBranch);
            }
        }
    }
    for (int column = 0; column < kChartColumns; ++column) close_column(table, column, count);
    return 0;
}

int node_column(const ChartTable& table, int row) {
    for (int column = 0; column < kChartColumns; ++column) {
        if (is_coded_node(table.code(row, column))) return column;
    }
    return kChartColumns;
}
