#include "gravlet/pad/pad_layout.h"

#include <algorithm>
#include <cstring>

#include "common/analysis/text_utils.h"

namespace {

constexpr int kViewMargin = 10;

bool is_one_of(int kind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

std::string pad_right(std::string_view lead, std::string_view piece, int width, std::string_view trail) {
    std::string out(lead);
    out += piece;
    if (static_cast<int>(piece.size()) < width) out.append(static_cast<size_t>(width) - piece.size(), ' ');
    out += trail;
    return out;
}

// --- Pass 1: flow lines and selection blocks ---------------------------------------

void fill_flow(PadGrid& grid, int column, int from_row, int to_row) {
    for (int r = from_row; r <= to_row; ++r) {
        if (grid.kind(r, column) == kPadEmpty) grid.set_kind(r, column, kPadFlow);
    }
}

void draw_flow_lines(PadGrid& grid) {
    const int n = grid.row_count;
    for (int c = 0; c < kPadColumns; ++c) {
        int open = 0;
        bool inside_selection = false;
        int start = 0;
        for (int r = 0; r <= n; ++r) {
            const int k = grid.kind(r, c);
            if (k == kPadSelection) {
                start = r;
                inside_selection = true;
                // A selection head's branches hang below it: nothing on its right.
                grid.set_kind(r, c + 1, kPadRowEnd);
                continue;
            }
            if (inside_selection) {
                const bool ends = k == kPadEnd || (k == kPadFlow && grid.kind(r - 1, c + 1) == kPadEnd &&
                                                   grid.kind(r + 1, c) != kPadCase);
                fill_flow(grid, c, start, r - 1);
                if (ends) {
                    grid.set_kind(r - 1, c, kPadSelectionTail);
                    inside_selection = false;
                }
                continue;
            }
            if (open == 0) {
                if (is_one_of(k, {kPadBegin, kPadStatement, kPadFlow, kPadDoubleBox, kPadLoop, kPadNameTerminal,
                                  kPadSelection, kPadCase, kPadLoopNext, kPadCaseNext, kPadCall})) {
                    open = k;
                    start = r;
                }
                continue;
            }
            if (is_one_of(k, {kPadRowEnd, kPadBegin, kPadLoopNext, kPadCaseNext})) {
                open = 0;
                continue;
            }
            if (is_one_of(k, {kPadStatement, kPadFlow, kPadDoubleBox, kPadLoop, kPadNameTerminal, kPadSelection,
                              kPadCase, kPadEnd, kPadReturn, kPadUnused, kPadCall})) {
                // A loop's own column stays open below its head down to the
                // end of an inner block: its body hangs beside it.
                if (!(open == kPadLoop && k == kPadEnd && c != 0)) fill_flow(grid, c, start, r - 1);
                open = k;
                if (is_one_of(k, {kPadEnd, kPadReturn, kPadUnused})) open = 0;
            }
        }
    }
}

// --- Pass 2: bodies beside their loop and case heads ---------------------------------

void pull_up_body(PadGrid& grid, int r, int c) {
    const int n = grid.row_count;
    int s = r + 1;
    while (s <= n && grid.kind(s, c) == kPadFlow) ++s;
    if (s > n) return;
    int to = r;
    int from = s;
    while (from <= n) {
        for (int cc = c; cc < kPadColumns; ++cc) grid.copy_cell(to, cc, from, cc);
        const int k = grid.kind(to, c);
        ++to;
        ++from;
        if (k == kPadEnd || k == kPadReturn) {
            if (k == kPadEnd && grid.kind(r, c) == kPadLoop) grid.set_kind(to - 1, c, kPadRowEnd);
            break;
        }
    }
    // The rows the body came from and did not get back end at this column.
    for (int row = to; row < from; ++row) grid.set_kind(row, c, kPadRowEnd);
}

void pull_up_bodies(PadGrid& grid) {
    for (int r = 1; r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns; ++c) {
            const int k = grid.kind(r, c);
            if (k == kPadRowEnd) break;
            if (k == kPadLoopNext || k == kPadCaseNext) pull_up_body(grid, r, c);
        }
    }
}

// --- Pass 3: runs of blank rows ------------------------------------------------------

bool is_blank_row(const PadGrid& grid, int r) {
    for (int c = 0; c < kPadColumns; ++c) {
        const int k = grid.kind(r, c);
        if (k == kPadRowEnd) return true;
        if (k != kPadEmpty && k != kPadFlow) return false;
    }
    return grid.kind(r, kPadColumns - 1) == kPadEmpty;
}

void shrink_blank_runs(PadGrid& grid) {
    int blanks = 0;
    for (int r = 1; r <= grid.row_count; ++r) {
        if (is_blank_row(grid, r)) {
            ++blanks;
            continue;
        }
        if (blanks >= 2) {
            const int shift = blanks - 1;
            for (int row = r; row <= grid.row_count; ++row) {
                for (int c = 0; c < kPadColumns; ++c) grid.copy_cell(row - shift, c, row, c);
            }
            grid.row_count -= shift;
            r -= shift;
        }
        blanks = 0;
    }
}

// --- Pass 4: line breaks and provisional sizes ----------------------------------------------

void break_texts(PadGrid& grid, const PadLayoutValues& values) {
    int y = values.first_line;
    for (int r = 1; r <= grid.row_count; ++r) {
        int x = values.left;
        int lines = 1;
        int room = 0;
        for (int c = 0; c < kPadColumns; ++c) {
            PadCell* cell = grid.cell(r, c);
            const int a = values.chars_per_line - (values.room_level_width * c * 2 + 7);
            // Too little room left: the breaks go on as at the column before.
            if (a >= 7 || c == 0) room = a;
            cell->x = static_cast<int16_t>(x);
            cell->y = static_cast<int16_t>(y);
            if (cell->kind == kPadRowEnd) break;
            const int wrap = pad_wrap_width(cell->kind, room, values);
            if (wrap > 0) insert_wrap_tabs(cell->text, cell->text_room, wrap);
            CellPieces pieces(cell->text);
            std::string_view piece;
            int width = 0;
            int last = 0;
            while (pieces.next(piece)) {
                const bool first = pieces.count() == 1;
                if (!first) ++lines;
                if (values.output) {
                    width = std::max(width, static_cast<int>(piece.size()) + 2);
                    last = output_piece_length(cell->kind, static_cast<int>(piece.size()), first, values.format_width);
                } else {
                    last = cell_piece_length(cell->kind, static_cast<int>(piece.size()), values.format_width);
                }
            }
            if (!values.output) width = static_cast<int>(std::strlen(cell->text));
            cell->width = static_cast<int16_t>(std::min(width, 32767));
            cell->height = static_cast<int16_t>(lines);
            x += last;
            if (values.output) x += x % 2;
        }
        y += lines;
    }
}

// --- Pass 5: the end terminal -------------------------------------------------------------

void mark_end_terminal(PadGrid& grid) {
    const int n = grid.row_count;
    if (n < 1) return;
    if (n >= 2 && grid.kind(n - 1, 0) == kPadReturn) {
        grid.set_kind(n - 1, 0, kPadEndTerminal);
        grid.row_count = n - 1;
    } else {
        grid.set_kind(n, 0, kPadEndTerminal);
    }
}

}  // namespace

PadLayoutValues view_layout_values(int level_width, int chars_per_line) {
    PadLayoutValues v;
    v.left = kViewMargin;
    v.first_line = 0;
    v.chars_per_line = chars_per_line;
    v.room_level_width = level_width;
    v.wrap_unit = 2 * level_width;
    v.format_width = 2 * level_width;
    v.output = false;
    return v;
}

PadLayoutValues output_layout_values(int level_width, int left_margin, int chars_per_line) {
    const int even = level_width + level_width % 2;
    PadLayoutValues v;
    v.left = left_margin + 6;
    v.first_line = 1;
    v.chars_per_line = chars_per_line;
    v.room_level_width = level_width;
    v.wrap_unit = 2 * even - 1;
    v.format_width = 2 * even;
    v.output = true;
    return v;
}

PadLayoutValues print_layout_values(int level_width, int left_margin, int chars_per_line) {
    PadLayoutValues v = output_layout_values(level_width, left_margin, chars_per_line);
    v.left = left_margin + 8;
    v.wrap_unit = 2 * level_width - 1;
    v.format_width = 2 * level_width;
    return v;
}

void lay_out_pad(PadGrid& grid, const PadLayoutValues& values) {
    draw_flow_lines(grid);
    pull_up_bodies(grid);
    shrink_blank_runs(grid);
    break_texts(grid, values);
    mark_end_terminal(grid);
}

void insert_wrap_tabs(char* text, int room, int width) {
    if (!text) return;
    width = std::max(width, 2);
    int length = static_cast<int>(std::strlen(text));
    if (length <= width) return;
    int pos = 0;
    while (true) {
        const std::string_view view(text, static_cast<size_t>(length));
        int i = pos;
        int column = 0;
        bool at_tab = false;
        while (i < length) {
            if (text[i] == '\t') {
                at_tab = true;
                break;
            }
            const int step = next_char(view, i) - i;
            if (column + step > width) break;
            column += step;
            i += step;
        }
        if (i >= length) return;
        if (at_tab) {
            pos = i + 1;
            continue;
        }
        // Each line takes a character, even one wider than the line.
        if (i == pos) i = next_char(view, i);
        if (i >= length) return;
        // No room for a further break: the rest stays one line.
        if (length + 2 > room) return;
        std::memmove(text + i + 1, text + i, static_cast<size_t>(length - i) + 1);
        text[i] = '\t';
        ++length;
        pos = i + 1;
    }
}

int pad_wrap_width(int kind, int room, const PadLayoutValues& values) {
    const int u = values.wrap_unit;
    switch (kind) {
    case kPadStatement: return room > 3 ? room : 0;
    case kPadDoubleBox:
    case kPadCall: return room > 3 ? room - 2 : 0;
    case kPadReturn: return room > 3 ? room - 3 : 0;
    case kPadLoop: return u - kPadLoopReserve;
    case kPadNameTerminal: return 2 * u - 2;
    case kPadSelection: return u * 80 / 100;
    case kPadCase: return u * 70 / 100;
    default: return 0;
    }
}

bool is_inset_text_kind(int kind) {
    return kind == kPadNameTerminal || kind == kPadCall || kind == kPadEndTerminal;
}

std::string format_cell_piece(int kind, std::string_view piece, int format_width) {
    if (is_inset_text_kind(kind)) return pad_right(" ", piece, format_width - 1, "");
    return pad_right("", piece, format_width, "");
}

std::string format_output_piece(int kind, std::string_view piece, bool first, int format_width) {
    if (is_inset_text_kind(kind)) return pad_right("  ", piece, format_width - 1, "");
    return pad_right(" ", piece, format_width, first ? "" : " ");
}

int cell_piece_length(int kind, int piece_length, int format_width) {
    if (is_inset_text_kind(kind)) return 1 + std::max(piece_length, format_width - 1);
    return std::max(piece_length, format_width);
}

int output_piece_length(int kind, int piece_length, bool first, int format_width) {
    if (is_inset_text_kind(kind)) return 2 + std::max(piece_length, format_width - 1);
    return 1 + std::max(piece_length, format_width) + (first ? 0 : 1);
}

bool CellPieces::next(std::string_view& piece) {
    if (done_) return false;
    const size_t tab = rest_.find('\t');
    piece = rest_.substr(0, tab);
    if (tab == std::string_view::npos) done_ = true;
    else rest_.remove_prefix(tab + 1);
    ++count_;
    return true;
}

std::vector<PadPage> compute_pad_extents(const PadGrid& grid) {
    std::vector<PadPage> pages;
    const int n = grid.row_count;
    int sum = 0;
    int first = 1;
    for (int r = 0; r < n; ++r) {
        int height = 0;
        for (int c = 0; c < kPadColumns; ++c) {
            const PadCell* cell = grid.cell(r, c);
            if (cell->kind == kPadRowEnd) break;
            height = std::max<int>(height, cell->height);
        }
        if (sum + height > kPadPageLines && r > first) {
            pages.push_back({first, r - 1});
            sum = height;
            first = r;
        } else {
            sum += height;
        }
    }
    const int last = pages.empty() ? 0 : pages.back().last;
    if (last < n) pages.push_back({first, n});
    return pages;
}

int tallest_cell_height(const PadGrid& grid, int row) {
    int height = 0;
    for (int c = 0; c < kPadColumns; ++c) {
        const PadCell* cell = grid.cell(row, c);
        if (cell->kind == kPadRowEnd) break;
        height = std::max<int>(height, cell->height);
    }
    return height;
}

void measure_pad_page(PadGrid& grid, const PadPage& page, const PadLayoutValues& values) {
    int y = 1;
    for (int r = page.first; r <= page.last && r <= grid.row_count; ++r) {
        int x = values.left;
        const int first_kind = grid.kind(r, 0);
        if ((first_kind == kPadNameTerminal || first_kind == kPadEndTerminal) && values.left > 5) x -= 6;
        int row_lines = 1;
        for (int c = 0; c < kPadColumns; ++c) {
            PadCell* cell = grid.cell(r, c);
            cell->x = static_cast<int16_t>(x);
            cell->y = static_cast<int16_t>(y);
            if (cell->kind == kPadRowEnd) break;
            CellPieces pieces(cell->text);
            std::string_view piece;
            int width = 0;
            int last = 0;
            while (pieces.next(piece)) {
                last = cell_piece_length(cell->kind, static_cast<int>(piece.size()), values.format_width);
                width = std::max(width, last);
            }
            const int lines = pieces.count();
            x += last;
            cell->width = static_cast<int16_t>(std::min(width, 32767));
            cell->height = static_cast<int16_t>(lines);
            row_lines = std::max(row_lines, lines);
            if (row_lines > 1) {
                for (int cc = 0; cc <= c; ++cc) grid.cell(r, cc)->height = static_cast<int16_t>(row_lines);
            }
        }
        y += row_lines;
    }
}
