#include "gravlet/pad/pad_output.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "common/analysis/result_files.h"
#include "common/analysis/text_utils.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_reader.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

constexpr int kMaxParts = 999;
constexpr const char* kFullWidthBlank = "　"_sjis;
constexpr const char* kBackslash = "＼"_sjis;
constexpr const char* kSlash = "／"_sjis;
// The operation of the output's boxes.
constexpr const char* kOutputOperation = "ＰＡＤ図出力"_sjis;

// Where each character of a row starts: true at column i (from 1) when a
// character begins there, false on the second byte of a double-byte one.
void character_starts(std::string_view row, std::vector<bool>& starts) {
    starts.assign(row.size() + 2, true);
    for (int i = 0; i < static_cast<int>(row.size());) {
        const int next = next_char(row, i);
        for (int j = i + 1; j < next; ++j) starts[static_cast<size_t>(j) + 1] = false;
        i = next;
    }
}

// --- Text output file ----------------------------------------------------------------------

// A text file written in text mode under a work name, put in place only when
// complete.
class OutputTextFile {
public:
    bool open(const std::string& path) { return file_.create(path + ".$tx", path); }
    // write_output_text: a non-empty text; false once a write has failed.
    bool write(std::string_view text) { return file_.write(text); }
    bool commit() { return file_.commit(); }
    void discard() { file_.discard(); }

private:
    WorkFileWriter file_;
};

// --- Drawing ------------------------------------------------------------------------------

// One cell's shape drawn around its text.
class CellDrawer {
public:
    CellDrawer(const PadGrid& grid, const PadOutputGeometry& geometry, PageCharBuffer& buffer, int row, int column)
        : grid_(grid), g_(geometry), buffer_(buffer), r_(row), c_(column) {
        const PadCell* cell = grid.cell(row, column);
        x_ = cell->x;
        y_ = cell->y;
        w_ = cell->width;
        h_ = cell->height;
        left_edge_ = x_ - 1;
        // The selection's shape: V columns wide, its right side at K.
        v_ = (64 * g_.level + 20) / 40;
        k_ = left_edge_ + v_ + v_ % 2;
    }

    void draw(int kind) {
        switch (kind) {
        case kPadStatement:
        case kPadReturn: draw_box(); break;
        case kPadDoubleBox: draw_double_box(); break;
        case kPadLoop: draw_loop(); break;
        case kPadCall: draw_call(); break;
        case kPadNameTerminal:
        case kPadEndTerminal: draw_terminal(kind); break;
        case kPadSelection: draw_selection(); break;
        case kPadCase: draw_case(); break;
        case kPadSelectionTail: draw_tail(); break;
        case kPadFlow: draw_flow(); break;
        case kPadLoopNext:
        case kPadCaseNext: piece(y_, left_edge_, kPieceBar); break;
        default: break;
        }
    }

private:
    int above() const { return grid_.kind(r_ - 1, c_); }
    int below() const { return grid_.kind(r_ + 1, c_); }
    int left() const { return c_ > 0 ? grid_.kind(r_, c_ - 1) : kPadEmpty; }
    // A right-hand column at an odd width moves one further right, so that
    // pieces stay on the two-column grid of the left edge.
    int right_of(int width) const { return left_edge_ + width + width % 2; }

    void piece(int line, int column, int k) { buffer_.put(line, column, line_piece(k, g_.code_set)); }
    void text(int line, int column, const char* t) { buffer_.put(line, column, t); }
    void line_run(int line, int from, int to, int k) {
        for (int col = from; col <= to; col += 2) piece(line, col, k);
    }
    void bar_run(int column, int from_line, int to_line, int k = kPieceBar) {
        for (int line = from_line; line <= to_line; ++line) piece(line, column, k);
    }

    int top_left_piece() const {
        int k = above() == kPadFlow ? kPieceTeeRight : kPieceTopLeft;
        if (left() == kPadCase) k = kPieceTeeDown;
        return k;
    }
    int bottom_left_piece() const { return below() == kPadFlow ? kPieceTeeRight : kPieceBottomLeft; }
    void join_from_loop() {
        if (left() == kPadLoop) piece(y_ + 1, left_edge_, kPieceTeeLeft);
    }

    void draw_box() {
        const int w1 = w_ + 1;
        const int right = right_of(w1);
        const int bottom = y_ + h_ + 1;
        piece(y_, left_edge_, top_left_piece());
        line_run(y_, left_edge_ + 2, left_edge_ + w1 - 1, kPieceLine);
        piece(y_, right, kPieceTopRight);
        bar_run(left_edge_, y_ + 1, y_ + h_);
        bar_run(right, y_ + 1, y_ + h_);
        piece(bottom, left_edge_, bottom_left_piece());
        line_run(bottom, left_edge_ + 2, left_edge_ + w1 - 1, kPieceLine);
        piece(bottom, right, kPieceBottomRight);
        join_from_loop();
    }

    // The box with a second right edge two columns further: 'L' boxes,
    // loops and calls. inner is the width up to the first right edge.
    void draw_double_right(int inner, int line_from) {
        const int right = right_of(inner);
        const int bottom = y_ + h_ + 1;
        line_run(y_, line_from, left_edge_ + inner, kPieceLine);
        line_run(bottom, line_from, left_edge_ + inner, kPieceLine);
        piece(y_, right, kPieceTeeDown);
        piece(y_, right + 2, kPieceTopRight);
        piece(bottom, right, kPieceTeeUp);
        piece(bottom, right + 2, kPieceBottomRight);
        bar_run(left_edge_, y_ + 1, y_ + h_);
        bar_run(right, y_ + 1, y_ + h_);
        bar_run(right + 2, y_ + 1, y_ + h_);
        piece(bottom, left_edge_, bottom_left_piece());
    }

    void draw_double_box() {
        piece(y_, left_edge_, above() == kPadFlow ? kPieceTeeRight : kPieceTopLeft);
        draw_double_right(w_ + 1, left_edge_ + 2);
        piece(y_ + 1, left_edge_, kPieceBar);
    }

    void draw_loop() {
        const int w1 = w_ + 1;
        piece(y_, left_edge_, top_left_piece());
        draw_double_right(w1, left_edge_ + 2);
        join_from_loop();
        // The arm from the outer edge to the body in the next column.
        const int right = right_of(w1);
        piece(y_ + 1, right + 2, kPieceTeeRight);
        for (int offset = 4; offset <= 2 * g_.level - w1; offset += 2) piece(y_ + 1, right + offset, kPieceLine);
    }

    void draw_call() {
        const int bottom = y_ + h_ + 1;
        piece(y_, left_edge_, top_left_piece());
        piece(y_, left_edge_ + 2, kPieceTeeDown);
        draw_double_right(w_ + 2, left_edge_ + 4);
        bar_run(left_edge_ + 2, y_ + 1, y_ + h_);
        piece(bottom, left_edge_ + 2, kPieceTeeUp);
        join_from_loop();
    }

    void draw_terminal(int kind) {
        const int d = std::max(w_, 11);
        const int base = x_ + 1;
        const int right = base + d + d % 2;
        const int bottom = y_ + h_ + 1;
        // The edge piece on the main flow line joins it.
        auto edge = [&](int line, int column, bool top) {
            const bool joins = column + 1 == g_.left_column &&
                               (top ? kind == kPadEndTerminal : kind == kPadNameTerminal);
            piece(line, column, joins ? (top ? kPieceHeavyTeeUp : kPieceHeavyTeeDown) : kPieceHeavyLine);
        };
        piece(y_, base, kPieceHeavyTopLeft);
        piece(bottom, base, kPieceHeavyBottomLeft);
        for (int offset = 2; offset < d; offset += 2) {
            edge(y_, base + offset, true);
            edge(bottom, base + offset, false);
        }
        piece(y_, right, kPieceHeavyTopRight);
        piece(bottom, right, kPieceHeavyBottomRight);
        bar_run(base, y_ + 1, y_ + h_, kPieceHeavyBar);
        bar_run(right, y_ + 1, y_ + h_, kPieceHeavyBar);
    }

    void draw_selection() {
        const int h1 = h_ + 1;
        int corner = kPieceTeeDown;
        if (left() == kPadLoop) corner = kPieceTopLeft;
        if (above() == kPadFlow) corner = kPieceTeeRight;
        piece(y_, left_edge_, corner);
        line_run(y_, left_edge_ + 2, left_edge_ + v_, kPieceLine);
        piece(y_, k_, kPieceTopRight);
        bar_run(left_edge_, y_ + 1, y_ + h1);
        bar_run(k_, y_ + 1, y_ + h1 + 1);
        join_from_loop();
    }

    // The notch of the selection's right side above a following case or
    // the selection's last cell.
    void notch_above() {
        if (y_ - 1 > 1) text(y_ - 1, k_ - 3, kFullWidthBlank);
        if (y_ > 2) piece(y_ - 2, k_ - 2, kPieceBar);
        text(y_ - 1, k_ - 1, kBackslash);
    }

    // Looking up the column from a row: true when `wanted` comes before `stop`.
    bool met_before(int from_row, int wanted, int stop) const {
        for (int r = from_row; r >= 1; --r) {
            const int k = grid_.kind(r, c_);
            if (k == wanted) return true;
            if (k == stop) return false;
        }
        return false;
    }

    void draw_case() {
        const int h1 = h_ + 1;
        if (met_before(r_ - 1, kPadCase, kPadSelection)) notch_above();
        piece(y_, left_edge_, kPieceTeeRight);
        line_run(y_, left_edge_ + 2, left_edge_ + 2 * g_.level, kPieceLine);
        piece(y_, k_, kPieceCross);
        text(y_ + 1, k_ - 1, kSlash);
        bar_run(left_edge_, y_ + 1, y_ + h1);
        bar_run(k_ - 2, y_ + 2, y_ + h1);
    }

    void draw_tail() {
        const int h1 = h_ + 1;
        notch_above();
        line_run(y_, left_edge_ + 2, left_edge_ + v_, kPieceLine);
        piece(y_, k_, kPieceBottomRight);
        if (below() == kPadFlow) {
            piece(y_, left_edge_, kPieceTeeRight);
            bar_run(left_edge_, y_ + 1, y_ + h1);
        } else {
            piece(y_, left_edge_, kPieceBottomLeft);
        }
    }

    void draw_flow() {
        const int h1 = h_ + 1;
        bar_run(left_edge_, y_ == 1 ? y_ : y_ + 1, y_ + h1);
        // Inside a selection its right side passes by.
        if (met_before(r_, kPadCase, kPadSelectionTail) && below() != kPadSelectionTail)
            bar_run(k_ - 2, y_, y_ + h1 - 1);
    }

    const PadGrid& grid_;
    const PadOutputGeometry& g_;
    PageCharBuffer& buffer_;
    int r_, c_;
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
    int left_edge_ = 0;
    int v_ = 0, k_ = 0;
};

// --- The run's pieces ---------------------------------------------------------------------------

struct OutputRun {
    const PadOutputValues& values;
    PadOutputGeometry geometry;
    const PadHeadingLines* headings;
    PadHost& host;
    OutputTextFile file;
    std::string margin;
    int rows_done = 0;

    bool write(std::string_view text) { return file.write(text); }

    // write_output_heading: 0 the header line, 1 a function's heading, 2 the footer.
    bool write_heading(int mode, const PadGrid& grid) {
        switch (mode) {
        case 0:
            if (!headings) return true;
            return write(margin) && write(headings->header) && write(" ") && write(headings->mark) && write("\n");
        case 1: {
            for (int i = 0; i < values.top_margin; ++i) {
                if (!write("\n")) return false;
            }
            std::string_view head = grid.name_rows.empty() ? std::string_view() : grid.name_rows.front();
            if (!head.empty() && head.front() == '@') head.remove_prefix(1);
            return write(margin) && write(head) && write("\n\n");
        }
        default:
            if (!headings) return true;
            return write(margin) && write(headings->footer) && write("\n");
        }
    }

    // One buffer row taken: the meter moves every 10 rows and at the total,
    // never past it (a function in parts takes more rows than were counted).
    // False once the meter's cancel was pressed.
    bool count_row() {
        ++rows_done;
        const int total = values.progress_total;
        if (total > 0 && rows_done <= total && (rows_done % 10 == 0 || rows_done == total))
            host.show_progress(rows_done, total);
        return !host.pump();
    }

    enum class Written { Done, Failed, Cancelled };

    Written write_function(PadGrid& grid, PageCharBuffer& buffer) {
        const std::vector<PadPage> parts = split_output_parts(grid, geometry);
        std::string row;
        for (const PadPage& part : parts) {
            buffer.clear();
            format_output_cell_texts(grid, part, geometry, buffer);
            render_pad_characters(grid, part, geometry, buffer);
            for (int r = 1; r <= geometry.rows; ++r) {
                if (!count_row()) return Written::Cancelled;
                if (buffer.get(r, row, geometry.code_set) != 0) return Written::Failed;
                if (!row.empty() && !write(row)) return Written::Failed;
            }
        }
        return write("\n\n") ? Written::Done : Written::Failed;
    }
};

}  // namespace

std::string line_piece(int k, RuledLineCodeSet set) {
    if (k < 0 || k >= kLinePieceCount) return {};
    const int code = ruled_line_code(k + 1, set);
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// --- PageCharBuffer -------------------------------------------------------------------------

bool PageCharBuffer::allocate() {
    try {
        bytes_.assign(static_cast<size_t>(kRows) * (kColumns + 1), ' ');
    } catch (const std::bad_alloc&) {
        bytes_.clear();
        return false;
    }
    clear();
    return true;
}

void PageCharBuffer::release() { std::vector<char>().swap(bytes_); }

void PageCharBuffer::clear() {
    for (int r = 1; r <= kRows && allocated(); ++r) {
        char* row = row_bytes(r);
        std::memset(row, ' ', kColumns);
        row[kColumns] = '\0';
    }
}

char* PageCharBuffer::row_bytes(int row) { return bytes_.data() + static_cast<size_t>(row - 1) * (kColumns + 1); }

std::string_view PageCharBuffer::row(int row) const {
    if (!allocated() || row < 1 || row > kRows) return {};
    return std::string_view(bytes_.data() + static_cast<size_t>(row - 1) * (kColumns + 1), kColumns);
}

int PageCharBuffer::put(int row, int column, std::string_view text) {
    if (!allocated() || row < 1 || row > kRows || column < 1 || column > kColumns) return -1;
    char* bytes = row_bytes(row);
    std::vector<bool> starts;
    character_starts(std::string_view(bytes, kColumns), starts);
    // Whole characters only, as far as column 511.
    int length = 0;
    while (length < static_cast<int>(text.size())) {
        const int next = next_char(text, length);
        if (column + next - 1 > kColumns) break;
        length = next;
    }
    if (length == 0) return 0;
    const int last = column + length - 1;
    // A character of the row that the text covers only half of goes.
    if (!starts[static_cast<size_t>(column)]) bytes[column - 2] = ' ';
    if (last < kColumns && !starts[static_cast<size_t>(last) + 1]) bytes[last] = ' ';
    std::memcpy(bytes + column - 1, text.data(), static_cast<size_t>(length));
    return 0;
}

int PageCharBuffer::get(int row, std::string& out, RuledLineCodeSet set) const {
    out.clear();
    const std::string_view bytes = this->row(row);
    if (bytes.empty()) return -1;
    for (char c : bytes) {
        if (c == '\0') continue;
        if (c == '\n') break;
        out += c;
    }
    const size_t end = out.find_last_not_of(' ');
    out.resize(end == std::string::npos ? 0 : end + 1);
    // A row of nothing but blanks and vertical flow lines is left out.
    const std::string bar = line_piece(kPieceBar, set);
    bool content = false;
    for (int i = 0; i < static_cast<int>(out.size()) && !content;) {
        const int next = next_char(out, i);
        const std::string_view ch = std::string_view(out).substr(i, next - i);
        content = ch != " " && ch != kFullWidthBlank && ch != bar;
        i = next;
    }
    if (!content) {
        out.clear();
        return 0;
    }
    out += '\n';
    return 0;
}

int alloc_page_buffer(PageCharBuffer& buffer) { return buffer.allocate() ? 0 : -1; }
void free_page_buffer(PageCharBuffer& buffer) { buffer.release(); }
void clear_page_buffer(PageCharBuffer& buffer) { buffer.clear(); }
int put_page_text(PageCharBuffer& buffer, int row, int column, std::string_view text) {
    return buffer.put(row, column, text);
}
int get_page_row(const PageCharBuffer& buffer, int row, std::string& out, RuledLineCodeSet set) {
    return buffer.get(row, out, set);
}

// --- Layout, parts, texts and shapes -------------------------------------------------------------

PadOutputGeometry pad_output_geometry(const PadOutputValues& values) {
    PadOutputGeometry g;
    const int level = std::clamp(values.level_width, 8, 32);
    const int left = std::clamp(values.left_margin, 0, 20);
    g.level = level + level % 2;
    g.left_column = left + 6;
    g.rows = PageCharBuffer::kRows - std::clamp(values.top_margin, 0, 6);
    g.code_set = ruled_line_code_set(values.code_set);
    g.layout = output_layout_values(level, left, std::clamp(values.chars_per_line, 60, 198));
    return g;
}

void lay_out_output_pad(PadGrid& grid, const PadOutputGeometry& geometry) { lay_out_pad(grid, geometry.layout); }

std::vector<PadPage> split_output_parts(const PadGrid& grid, const PadOutputGeometry& geometry) {
    std::vector<PadPage> parts;
    int height = 1;
    int first = 1;
    for (int r = 1; r <= grid.row_count; ++r) {
        const int row_height = tallest_cell_height(grid, r) + 1;
        if (height + row_height >= geometry.rows && r > first) {
            parts.push_back({first, r - 1});
            height = 1;
            first = r;
        }
        height += row_height;
    }
    if (first <= grid.row_count) parts.push_back({first, grid.row_count});
    if (static_cast<int>(parts.size()) > kMaxParts) parts.resize(kMaxParts);
    return parts;
}

void format_output_cell_texts(PadGrid& grid, const PadPage& part, const PadOutputGeometry& geometry,
                              PageCharBuffer& buffer) {
    const int format_width = 2 * geometry.level;
    int line = 1;
    for (int r = part.first; r <= part.last && r <= grid.row_count; ++r) {
        const int first_kind = grid.kind(r, 0);
        int x = geometry.left_column;
        if (first_kind == kPadNameTerminal || first_kind == kPadEndTerminal) x -= 6;
        int row_height = 1;
        int cells = 0;
        for (int c = 0; c < kPadColumns; ++c, ++cells) {
            PadCell* cell = grid.cell(r, c);
            cell->x = static_cast<int16_t>(x);
            cell->y = static_cast<int16_t>(line);
            if (cell->kind == kPadRowEnd) break;
            const bool inset = is_inset_text_kind(cell->kind);
            CellPieces pieces(cell->text);
            std::string_view piece;
            // The box encloses its texts with a blank on either side.
            int width = 0;
            std::string formatted;
            while (pieces.next(piece)) {
                const int i = pieces.count() - 1;
                formatted = format_output_piece(cell->kind, piece, i == 0, format_width);
                buffer.put(line + 1 + i, inset ? x + 1 : x, formatted);
                width = std::max(width, static_cast<int>(piece.size()) + 2);
            }
            cell->width = static_cast<int16_t>(std::min(width, 32767));
            cell->height = static_cast<int16_t>(pieces.count());
            row_height = std::max(row_height, pieces.count());
            x += static_cast<int>(formatted.size());
            x += x % 2;
        }
        for (int c = 0; c < cells; ++c) grid.cell(r, c)->height = static_cast<int16_t>(row_height);
        line += row_height + 1;
    }
}

void render_pad_characters(const PadGrid& grid, const PadPage& part, const PadOutputGeometry& geometry,
                           PageCharBuffer& buffer) {
    for (int r = part.first; r <= part.last && r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns; ++c) {
            const int kind = grid.kind(r, c);
            if (kind == kPadRowEnd) break;
            CellDrawer(grid, geometry, buffer, r, c).draw(kind);
        }
    }
}

// --- The output of a range of functions ---------------------------------------------------------

int write_pad_output_file(const std::string& pds_path, const std::string& output_path, const PadOutputValues& values,
                          const PadHeadingLines* headings, PadGrid& grid, PadHost& host) {
    OutputRun run{values, pad_output_geometry(values), headings, host, {}, {}, 0};
    run.margin.assign(static_cast<size_t>(run.geometry.left_column - 6), ' ');
    const int function_count = values.function_count > 0 ? values.function_count : count_pds_function_heads(pds_path);

    PdsLineReader lines;
    if (!lines.open(pds_path)) return kPadOutputFailed;
    if (!run.file.open(output_path)) {
        host.show_box(false, make_box_caption(kOutputOperation),
                      std::string("出力"_sjis) + gx_text(gx_message::kFileOpenError), output_path, "");
        return kPadOutputNotOpened;
    }
    PageCharBuffer buffer;
    if (!buffer.allocate()) return kPadOutputNoMemory;

    host.show_status(format_text(gx_text(gx_message::kOutputProgress).c_str(), 1, function_count));
    bool failed = !run.write_heading(0, grid);  // a write
    bool read_failed = false;
    bool aborted = false;
    int taken = 0;
    while (!failed && !read_failed) {
        grid.reset_pools();
        const PdsBlockEnd end = read_pds_block(lines, grid, kPdsOutputRead, run.geometry.level, host, pds_path);
        if (end == PdsBlockEnd::Aborted) {
            aborted = true;
            break;
        }
        if (end == PdsBlockEnd::NotPadFile) {
            read_failed = true;
            break;
        }
        if (end == PdsBlockEnd::EndOfFile) break;
        if (end == PdsBlockEnd::TooManyRows) {
            skip_to_function_end(lines);
            const std::string text = format_text(gx_text(gx_message::kTooManyBlocks).c_str(), kOutputOperation,
                                                 kPadRowsAtOverflow, pds_path.c_str());
            if (!host.show_box(true, make_box_caption(kOutputOperation), text, gx_text(gx_message::kContinue), "")) {
                aborted = true;
                break;
            }
            continue;
        }
        lay_out_output_pad(grid, run.geometry);
        if (grid.row_count < values.min_rows) {
            host.show_status(format_text(gx_text(gx_message::kSuppressedFunction).c_str(), grid.function_name.c_str(),
                                         grid.row_count));
            continue;
        }
        if (taken + 1 > values.last_function) break;
        if (taken + 1 < values.first_function) {
            ++taken;
            continue;
        }
        host.show_status(format_text(gx_text(gx_message::kOutputProgress).c_str(), taken + 1, function_count));
        ++taken;
        failed = !run.write_heading(1, grid);
        if (!failed) {
            const OutputRun::Written written = run.write_function(grid, buffer);
            failed = written == OutputRun::Written::Failed;
            aborted = written == OutputRun::Written::Cancelled;
            if (aborted) break;
        }
    }
    if (!failed && !read_failed && !aborted) failed = !run.write_heading(2, grid);
    if (aborted) return kPadOutputCancelled;
    if (read_failed) return kPadOutputFailed;
    if (failed) return kPadOutputWriteFailed;
    return run.file.commit() ? kPadOutputDone : kPadOutputWriteFailed;
}
