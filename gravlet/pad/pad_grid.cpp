#include "gravlet/pad/pad_grid.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

char g_empty_text[1] = {'\0'};

// Each text takes at most twice its bytes once its line breaks are in, and
// every text reserves more than its bytes + 2, so twice the pool's limit
// holds whatever the reservations let in.
constexpr int kTextPoolBytes = 2 * kPadPoolBytes + 16;

bool inside(int row, int column) { return row >= 0 && row < kPadRows && column >= 0 && column < kPadColumns; }

}  // namespace

char* pad_empty_text() {
    g_empty_text[0] = '\0';
    return g_empty_text;
}

PadCellKind pad_kind_of_letter(char letter) {
    switch (letter) {
    case 'B': return kPadBegin;
    case 'N': return kPadStatement;
    case 'F': return kPadFlow;
    case 'L': return kPadDoubleBox;
    case 'R': return kPadLoop;
    case 'M': return kPadNameTerminal;
    case 'S': return kPadSelection;
    case 'C': return kPadCase;
    case 'E': return kPadEnd;
    case 'U': return kPadReturn;
    case 'P': return kPadCall;
    default: return kPadEmpty;
    }
}

PadGrid::PadGrid()
    : cells(static_cast<size_t>(kPadRows) * kPadColumns), name_pool(kPadPoolBytes), text_pool(kTextPoolBytes) {
    for (PadCell& c : cells) c.text = pad_empty_text();
    name_rows.reserve(kPadListSize);
    comment_rows.reserve(kPadListSize);
}

PadCell* PadGrid::cell(int row, int column) {
    if (!inside(row, column)) return nullptr;
    highest_row_used = std::max(highest_row_used, row);
    return &cells[static_cast<size_t>(row) * kPadColumns + column];
}

const PadCell* PadGrid::cell(int row, int column) const {
    return inside(row, column) ? &cells[static_cast<size_t>(row) * kPadColumns + column] : nullptr;
}

int PadGrid::kind(int row, int column) const {
    const PadCell* c = cell(row, column);
    return c ? static_cast<int>(c->kind) : static_cast<int>(kPadEmpty);
}

void PadGrid::set_kind(int row, int column, int kind) {
    if (PadCell* c = cell(row, column)) c->kind = static_cast<int16_t>(kind);
}

void PadGrid::clear_row(int row) {
    for (int c = 0; c < kPadColumns; ++c) {
        if (PadCell* p = cell(row, c)) *p = PadCell{kPadEmpty, pad_empty_text()};
    }
}

void PadGrid::reset_pools() {
    name_rows.clear();
    comment_rows.clear();
    name_pool_used = 0;
    text_pool_reserved = 0;
    text_pool_taken = 0;
    text_pool_overflowed = false;
    function_name.clear();
    name_row_source_line = 0;
    row_count = 0;
}

void PadGrid::make_fresh() {
    const PadCell fresh{kPadEmpty, pad_empty_text()};
    const size_t used = static_cast<size_t>(highest_row_used + 1) * kPadColumns;
    std::fill(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(used), fresh);
    highest_row_used = -1;
    std::memset(name_pool.data(), 0, name_pool.size());
    std::memset(text_pool.data(), 0, text_pool.size());
    reset_pools();
}

namespace {

constexpr size_t kKeptGrids = 2;

std::vector<std::unique_ptr<PadGrid>>& kept_grids() {
    static std::vector<std::unique_ptr<PadGrid>> kept;
    return kept;
}

}  // namespace

std::unique_ptr<PadGrid> take_pad_grid() {
    auto& kept = kept_grids();
    if (kept.empty()) return std::unique_ptr<PadGrid>(new (std::nothrow) PadGrid());
    std::unique_ptr<PadGrid> grid = std::move(kept.back());
    kept.pop_back();
    grid->make_fresh();
    return grid;
}

void give_back_pad_grid(std::unique_ptr<PadGrid> grid) {
    auto& kept = kept_grids();
    if (!grid || kept.size() >= kKeptGrids) return;
    if (kept.capacity() < kKeptGrids) kept.reserve(kKeptGrids);
    kept.push_back(std::move(grid));
}

void PadGrid::copy_cell(int to_row, int to_column, int from_row, int from_column) {
    PadCell* to = cell(to_row, to_column);
    const PadCell* from = cell(from_row, from_column);
    if (!to || !from || to == from) return;
    to->kind = from->kind;
    to->text = from->text;
    to->text_room = from->text_room;
    to->source_line = from->source_line;
}

std::string pad_function_name(const PadGrid& grid) {
    if (grid.name_rows.empty()) return {};
    std::string_view head = grid.name_rows.front();
    if (!head.empty()) head.remove_prefix(1);
    return std::string(head.substr(0, head.find(' ')));
}

int count_content_rows(const PadGrid& grid) {
    int count = 0;
    for (int r = 1; r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns; ++c) {
            const int k = grid.kind(r, c);
            if (k == kPadRowEnd) break;
            if (k != kPadEmpty && k != kPadFlow) {
                ++count;
                break;
            }
        }
    }
    return count;
}
