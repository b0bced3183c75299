#include "gravlet/pad/pad_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/analysis/scramble.h"
#include "common/analysis/text_utils.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "platform/kernel/sjis_text.h"

// ＰＡＤ図作成, ＰＡＤ図出力, ＰＡＤ図印刷, and 309's prefix ＰＡＤ図作成：
#define PAD_FIGURE "ＰＡＤ図"_sjis
#define MAKING "作成"_sjis
#define OUTPUT "出力"_sjis
#define PRINTING "印刷"_sjis

const PdsReadProfile kPdsViewRead = {
    " [JOV:PD", 512, true, false, false, false, gx_message::kCannotMakePad, PAD_FIGURE MAKING, PAD_FIGURE MAKING,
};
const PdsReadProfile kPdsOutputRead = {
    " [JOV", 256, false, true, true, true, gx_message::kTooManyBlocks, PAD_FIGURE OUTPUT, PAD_FIGURE OUTPUT,
};
const PdsReadProfile kPdsPrintRead = {
    " [JOV", 256, false, true, false, true, gx_message::kTooManyBlocks, PAD_FIGURE PRINTING, PAD_FIGURE PRINTING,
};

namespace {

constexpr const char* kTextOverflowPrefix = PAD_FIGURE MAKING "："_sjis;  // ＰＡＤ図作成：

// The row index at which a function has too many rows: its 2999th.
constexpr int kTooManyRowsRow = kPadMaxRows + 1;

int skip_digits_from(std::string_view text, int pos) {
    while (pos < static_cast<int>(text.size()) && text[pos] >= '0' && text[pos] <= '9') ++pos;
    return pos;
}

// The leading decimal digits as a source line, held to what a cell keeps.
int16_t source_line_of(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = std::min(value * 10 + (c - '0'), 32767);
    return static_cast<int16_t>(value);
}

void show_status(PadHost& host, int id, const std::string& argument) {
    host.show_status(format_text(gx_text(id).c_str(), argument.c_str()));
}

// A name or comment row, from its '@' or ';' on, into the name pool and the
// list it belongs to.
void store_name_row(PadGrid& grid, std::string_view text, bool before_first_row, PadHost& host) {
    std::vector<std::string_view>& list = before_first_row ? grid.name_rows : grid.comment_rows;
    const int size = static_cast<int>(text.size());
    // A 65th row of a list has nowhere to go: dropped as a row that does not fit.
    if (static_cast<int>(list.size()) >= kPadListSize || grid.name_pool_used + size + 1 >= kPadPoolBytes) {
        host.show_status(gx_text(gx_message::kCommentBufferOver));
        return;
    }
    char* at = grid.name_pool.data() + grid.name_pool_used;
    std::memcpy(at, text.data(), text.size());
    at[size] = '\0';
    grid.name_pool_used += size + 1;
    list.emplace_back(at, text.size());
}

// The letters of a structure row fit the row's 20 cells: at least one, and
// the row end (after the cell a loop, case or selection takes on its right)
// inside the row.
bool letters_fit(std::string_view letters) {
    if (letters.empty()) return false;
    const char last = letters.back();
    const int end = static_cast<int>(letters.size()) + (last == 'R' || last == 'C' || last == 'S' ? 1 : 0);
    return end < kPadColumns;
}

void fill_structure_row(PadGrid& grid, int row, std::string_view letters, int16_t source_line) {
    grid.clear_row(row);
    const int count = static_cast<int>(letters.size());
    for (int i = 0; i < count; ++i) {
        PadCell* c = grid.cell(row, i);
        c->kind = pad_kind_of_letter(letters[i]);
        c->source_line = source_line;
        // The cell right of a loop head or a case continues it; a further
        // letter takes it over.
        if (letters[i] == 'R') grid.set_kind(row, i + 1, kPadLoopNext);
        if (letters[i] == 'C') grid.set_kind(row, i + 1, kPadCaseNext);
    }
    const char last = letters.back();
    grid.set_kind(row, count + (last == 'R' || last == 'C' || last == 'S' ? 1 : 0), kPadRowEnd);
}

// A head row: its source-line digits, then '@'.
bool is_function_head(std::string_view line) { return byte_at(line, skip_digits_from(line, 0)) == '@'; }

bool only_plus_signs(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '+'; });
}

}  // namespace

bool PdsLineReader::open(const std::string& path) {
    line_number_ = 0;
    return file_.open(path);
}

void PdsLineReader::close() {
    file_.close();
    line_number_ = 0;
}

bool PdsLineReader::seek(int64_t offset, int line_number) {
    if (!file_.seek(offset)) return false;
    line_number_ = line_number - 1;
    return true;
}

bool PdsLineReader::next(std::string& line) {
    if (!file_.next_line(stored_)) return false;
    ++line_number_;
    unscramble_line(stored_, line, line_number_);
    return true;
}

int find_char_index(std::string_view text, char ch, int start) {
    if (start < 0) return -1;
    for (int i = start; i <= static_cast<int>(text.size()); ++i) {
        const char c = i < static_cast<int>(text.size()) ? text[i] : '\0';
        if (c == ch) return i;
    }
    return -1;
}

int store_cell_text(PadGrid& grid, std::string_view text, int level_width, bool reserve_extra_eighth, PadCell& cell) {
    cell.text = pad_empty_text();
    cell.text_room = 0;
    const size_t zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    if (text.empty()) return 0;
    const int n = static_cast<int>(text.size());
    const int level = std::max(level_width, 1);
    // The room the layout's line breaks were thought to need.
    int reserve = static_cast<int>(n * 10.0 / 7.0 / (2.0 * level) + n + 2);
    if (reserve_extra_eighth) reserve += n / 8;
    grid.text_pool_reserved += reserve;
    // Wrapping puts at most one break after each byte, so the text is given
    // that much room whatever the reservation counted.
    const int room = 2 * n + 1;
    if (grid.text_pool_reserved > kPadPoolBytes ||
        grid.text_pool_taken + room > static_cast<int>(grid.text_pool.size())) {
        grid.text_pool_overflowed = true;
        return -1;
    }
    char* at = grid.text_pool.data() + grid.text_pool_taken;
    std::memcpy(at, text.data(), text.size());
    at[n] = '\0';
    grid.text_pool_taken += room;
    cell.text = at;
    cell.text_room = static_cast<int16_t>(room);
    return 0;
}

PdsBlockEnd read_pds_block(PdsLineReader& lines, PadGrid& grid, const PdsReadProfile& profile, int level_width,
                           PadHost& host, std::string_view file_name) {
    grid.clear_row(0);
    int row = 1;
    grid.clear_row(row);
    grid.row_count = row;
    const int keep = profile.line_bytes - 2;
    PdsBlockEnd end = PdsBlockEnd::EndOfFile;
    std::string line;
    while (lines.next(line)) {
        if (profile.pump_each_line && host.pump()) {
            end = PdsBlockEnd::Aborted;
            break;
        }
        if (lines.line_number() == 1 && line.compare(0, profile.header.size(), profile.header) != 0) {
            grid.row_count = 0;
            return PdsBlockEnd::NotPadFile;
        }
        // A row longer than the reader's buffer keeps what fits, whole
        // characters only; the rest is never read as a row of its own.
        if (static_cast<int>(line.size()) > keep) line.resize(char_boundary_at_or_before(line, keep));
        if (byte_at(line, 0) == ' ') continue;
        if (byte_at(line, 0) == '/') {
            end = PdsBlockEnd::Separator;
            break;
        }
        const std::string_view text(line);
        int pos = skip_digits_from(text, 0);
        const int16_t source_line = source_line_of(text.substr(0, pos));
        const char first = byte_at(text, pos);
        if (first == 'B') continue;
        if (first == 'E' || first == '+') ++pos;
        const char letter = byte_at(text, pos);
        if (letter == '@' || letter == ';') {
            grid.name_row_source_line = source_line;
            store_name_row(grid, text.substr(pos), row <= 1, host);
            continue;
        }
        const std::string_view rest = text.substr(pos);
        if (rest.empty() || (profile.plus_rows_end_read && only_plus_signs(rest))) break;
        const size_t colon = rest.find(':');
        const size_t letters_at = static_cast<size_t>(skip_digits_from(rest, 0));
        const std::string_view letters = colon == std::string_view::npos || colon < letters_at
                                             ? std::string_view()
                                             : rest.substr(letters_at, colon - letters_at);
        if (!letters_fit(letters)) {
            show_status(host, gx_message::kFormatError, line);
            continue;
        }
        fill_structure_row(grid, row, letters, source_line);
        const std::string_view cell_text = rest.substr(colon + 1);
        PadCell* last = grid.cell(row, static_cast<int>(letters.size()) - 1);
        if (store_cell_text(grid, cell_text, level_width, profile.reserve_extra_eighth, *last) != 0 &&
            profile.pool_overflow_in_status)
            host.show_status(gx_text(gx_message::kCommentBufferOver));
        if (letters.back() == 'M') grid.function_name.assign(cell_text.substr(0, cell_text.find(':')));
        ++row;
        grid.row_count = row;
        if (row - 1 >= kTooManyRowsRow) {
            if (profile.too_many_rows_message == gx_message::kTooManyBlocks) {
                const std::string name(file_name);
                host.show_status(
                    format_text(gx_text(gx_message::kTooManyBlocks).c_str(), profile.operation, kPadRowsAtOverflow,
                                name.c_str()));
            } else {
                host.show_status(gx_text(profile.too_many_rows_message));
            }
            grid.row_count = 0;
            return PdsBlockEnd::TooManyRows;
        }
    }
    grid.clear_row(row);
    grid.row_count = row - 1;
    if (grid.text_pool_overflowed && end != PdsBlockEnd::Aborted) {
        host.show_box(false, make_box_caption(profile.text_box_operation),
                      format_text(gx_text(gx_message::kTooManyTexts).c_str(), kTextOverflowPrefix),
                      gx_text(gx_message::kLowerNestLevel),
                      format_text(gx_text(gx_message::kFunctionName).c_str(), pad_function_name(grid).c_str()));
    }
    return end;
}

int parse_pds_block(PdsLineReader& lines, int64_t offset, int first_line, PadGrid& grid, int level_width,
                    PadHost& host, std::string_view file_name) {
    grid.reset_pools();
    if (!lines.is_open() || !lines.seek(offset, first_line)) return -1;
    switch (read_pds_block(lines, grid, kPdsViewRead, level_width, host, file_name)) {
    case PdsBlockEnd::Separator: return 1;
    case PdsBlockEnd::TooManyRows: return 2;
    default: return 0;
    }
}

namespace {

int read_for_run(PdsLineReader& lines, PadGrid& grid, const PdsReadProfile& profile, int level_width, PadHost& host,
                 std::string_view file_name) {
    switch (read_pds_block(lines, grid, profile, level_width, host, file_name)) {
    case PdsBlockEnd::Separator: return 1;
    case PdsBlockEnd::NotPadFile: return -1;
    case PdsBlockEnd::TooManyRows: return 6;
    default: return 0;
    }
}

}  // namespace

int read_pds_function_for_output(PdsLineReader& lines, PadGrid& grid, int level_width, PadHost& host,
                                 std::string_view file_name) {
    return read_for_run(lines, grid, kPdsOutputRead, level_width, host, file_name);
}

int read_pds_function_for_print(PdsLineReader& lines, PadGrid& grid, int level_width, PadHost& host,
                                std::string_view file_name) {
    return read_for_run(lines, grid, kPdsPrintRead, level_width, host, file_name);
}

bool skip_to_function_end(PdsLineReader& lines) {
    std::string line;
    while (lines.next(line)) {
        if (!line.empty() && line[0] == '/') return true;
    }
    return false;
}

bool index_pds_file(PdsLineReader& lines, std::vector<PdsIndexEntry>& index) {
    index.clear();
    if (!lines.seek(0, 1)) return false;
    std::string line;
    if (!lines.next(line) || line.compare(0, kPdsViewRead.header.size(), kPdsViewRead.header) != 0) return false;
    while (static_cast<int>(index.size()) < kPdsMaxFunctions) {
        const int64_t offset = lines.offset();
        if (!lines.next(line)) break;
        if (is_function_head(line)) index.push_back({lines.line_number(), offset});
    }
    return true;
}

int count_pds_function_heads(const std::string& path) {
    PdsLineReader lines;
    if (!lines.open(path)) return 0;
    int count = 0;
    std::string line;
    while (count < kPdsMaxFunctions && lines.next(line)) {
        if (is_function_head(line)) ++count;
    }
    return count;
}

int count_pad_rows_in_range(const std::string& path, int first, int last, int extra_per_function, PadGrid& grid,
                            int level_width) {
    PdsLineReader lines;
    if (!lines.open(path)) return 0;
    int total = 0;
    for (int number = 1;; ++number) {
        grid.reset_pools();
        const int result = read_pds_function_for_print(lines, grid, level_width, quiet_pad_host(), path);
        if (result == 0 || result == -1) break;
        if (result == 6 && !skip_to_function_end(lines)) break;
        if (number >= first && number <= last) total += std::max(grid.row_count - 1, 0) + extra_per_function;
    }
    return total;
}

int count_pad_lines_in_range(const std::string& path, int first, int last, int top_margin, PadGrid& grid,
                             int level_width) {
    return count_pad_rows_in_range(path, first, last, kPadRows - top_margin - 1, grid, level_width);
}

int alloc_print_work_area(std::unique_ptr<PadGrid>& grid) {
    grid = take_pad_grid();
    return grid ? 0 : 4;
}

void free_print_work_area(std::unique_ptr<PadGrid>& grid) { give_back_pad_grid(std::move(grid)); }
