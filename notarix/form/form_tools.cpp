#include "notarix/form/form_tools.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "notarix/form/form_texts.h"

namespace {

constexpr int kLastColumn = kFormColumns - 1;
// A double-size character needs its marker columns up to this one.
constexpr int kLastMarkedColumn = kFormColumns - 4;
constexpr int kDoubleSizeStep = 4;
constexpr int kKeyWidth = 3;

// ORDER CODE: the full-width form of the printable ASCII characters 0x20 to
// 0x7E, eight a row.
constexpr int kWideAscii[95] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  // 0x20
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // 0x28
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0x30
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 0x38
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // 0x40
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // 0x48
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // 0x50
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151,  // 0x58
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // 0x60
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // 0x68
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // 0x70
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,          // 0x78
};
// ORDER CODE: the full-width form of the half-width katakana 0xA1 to 0xDF.
constexpr int kWideKana[63] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // 0xA1
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // 0xA9
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // 0xB1
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // 0xB9
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // 0xC1
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // 0xC9
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // 0xD1
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,          // 0xD9
};
constexpr int kWideBlank = 0x8140;
constexpr int kSizeMarker = form_text::kSizeMarker[0] << 8 | form_text::kSizeMarker[1];

FormGrids& grid() { return form_grids(); }
FormCell& at(int row, int column) { return grid().cell(row, column); }
bool inside(int row, int column) { return row >= 0 && row < kFormRows && column >= 0 && column < kFormColumns; }
// Tools act only on rectangles that lie wholly on the form.
bool usable(const CellRect& rect) {
    return grid().allocated() && inside(rect.top, rect.left) && inside(rect.bottom, rect.right) &&
           rect.top <= rect.bottom && rect.left <= rect.right;
}

void blank(int row, int column) {
    if (inside(row, column)) at(row, column) = FormCell{};
}
bool is_blank_cell(const FormCell& cell) { return cell.code == ' ' && !is_line_cell(cell); }
bool is_text_double(const FormCell& cell) { return !is_line_cell(cell) && cell.code > 0xFF && (cell.code & 0x8000); }

// What an edit may take away at the edges of its span.
enum class EdgeKind { AnyDouble, TextOnly, LinesOnly };

bool matches(const FormCell& cell, EdgeKind kind) {
    switch (kind) {
    case EdgeKind::AnyDouble: return is_double_cell(cell);
    case EdgeKind::TextOnly: return is_text_double(cell);
    case EdgeKind::LinesOnly: return is_line_cell(cell);
    }
    return false;
}

// A character that straddles the left edge of an edited span loses its
// first byte; one that straddles the right edge (its first byte the span's
// last column) loses its second, so no half character is left behind.
void fix_left_edge(int row, int left, EdgeKind kind) {
    if (left > 0 && matches(at(row, left - 1), kind)) blank(row, left - 1);
}
void fix_right_edge(int row, int right, bool right_was_double) {
    if (right_was_double) blank(row, right + 1);
}

// One cell of written text: a byte or a double-byte code; a double-byte
// character's second column is blank.
void write_code(int row, int column, int code) {
    at(row, column) = FormCell{code, 0, 0, 0, 0};
    if (code > 0xFF) blank(row, column + 1);
}

// The codes of a text, one per character: control bytes read as blanks, a
// lead byte without its trail is dropped.
std::vector<int> codes_of(std::string_view text) {
    std::vector<int> codes;
    const int size = static_cast<int>(text.size());
    for (int p = 0; p < size;) {
        const unsigned char c = byte_at(text, p);
        if (is_dbcs_at(text, p)) {
            codes.push_back(c << 8 | byte_at(text, p + 1));
            p += 2;
            continue;
        }
        ++p;
        if (is_lead_byte(c)) continue;
        codes.push_back(c < 0x20 ? ' ' : c);
    }
    return codes;
}

int code_width(int code) { return code > 0xFF ? 2 : 1; }

// Writes the codes into the row from the column on while they fit; the
// span's edges are mended. The last column written, or column - 1.
int write_codes(int row, int column, const std::vector<int>& codes) {
    int end = column;
    for (int code : codes) {
        if (end + code_width(code) > kFormColumns) break;
        end += code_width(code);
    }
    if (end == column) return column - 1;
    const bool right_was_double = is_double_cell(at(row, end - 1));
    fix_left_edge(row, column, EdgeKind::AnyDouble);
    int c = column;
    for (int code : codes) {
        if (c >= end) break;
        write_code(row, c, code);
        c += code_width(code);
    }
    fix_right_edge(row, end - 1, right_was_double);
    return end - 1;
}

// Ruled-line arms of a cell by direction.
enum Side { kRight, kUp, kLeft, kDown };

uint8_t& arm(FormCell& cell, Side side) {
    switch (side) {
    case kRight: return cell.right;
    case kUp: return cell.up;
    case kLeft: return cell.left;
    case kDown: break;
    }
    return cell.down;
}

// The line replaces whatever character lay under its cell: the cell's own
// code and both halves of a character that overlaps it are blanked, so no
// character can hide the line when the row is composed.
void give_arm(int row, int column, Side side, int weight) {
    if (column > 0 && is_double_cell(at(row, column - 1))) blank(row, column - 1);
    FormCell& cell = at(row, column);
    cell.code = ' ';
    arm(cell, side) = static_cast<uint8_t>(weight);
    blank(row, column + 1);
}

void take_arm(FormCell& cell, Side side) { arm(cell, side) = 0; }

// After its arms went: a cell with none left is a blank.
void settle_line_cell(FormCell& cell) {
    if (!is_line_cell(cell)) cell = FormCell{};
}

int even_column(int column) { return column - column % 2; }

// The column of the line cells a drag along a line meant: the cell under
// the pointer, or the one to its left when the pointer was on the second
// half of a ruled-line character.
int line_column(int top, int bottom, int column) {
    if (column == 0) return column;
    for (int r = top; r <= bottom; ++r) {
        if (is_line_cell(at(r, column))) return column;
    }
    for (int r = top; r <= bottom; ++r) {
        if (is_line_cell(at(r, column - 1))) return column - 1;
    }
    return column;
}

std::string area_text(std::string_view key, int width) {
    std::string text(key);
    if (width > kKeyWidth) text.append(static_cast<size_t>(width - kKeyWidth), '-');
    return text;
}

std::vector<int> byte_codes(std::string_view text) {
    std::vector<int> codes;
    for (char c : text) codes.push_back(static_cast<unsigned char>(c));
    return codes;
}

TouchedRows finish(TouchedRows rows) {
    recompose_rows(rows);
    return rows;
}

}  // namespace

CellRect cell_rect(int row1, int column1, int row2, int column2) {
    return CellRect{std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
                    std::max(column1, column2)};
}

void TouchedRows::add(int row) {
    first = std::min(first, row);
    last = std::max(last, row);
}

void TouchedRows::add(const TouchedRows& other) {
    if (other.empty()) return;
    add(other.first);
    add(other.last);
}

bool is_line_cell(const FormCell& cell) {
    return cell.right != 0 || cell.up != 0 || cell.left != 0 || cell.down != 0;
}

bool is_double_cell(const FormCell& cell) { return is_line_cell(cell) || is_text_double(cell); }

int character_column(int row, int column) {
    if (!inside(row, column) || column == 0) return column;
    return is_double_cell(at(row, column - 1)) ? column - 1 : column;
}

int wide_form_of(unsigned char c) {
    if (c >= 0x20 && c <= 0x7E) return kWideAscii[c - 0x20];
    if (c >= 0xA1 && c <= 0xDF) return kWideKana[c - 0xA1];
    return 0;
}

TouchedRows place_form_text(int row, int column, std::string_view text) {
    TouchedRows rows;
    if (!grid().allocated() || !inside(row, column)) return rows;
    if (write_codes(row, column, codes_of(text)) >= column) rows.add(row);
    return finish(rows);
}

TouchedRows place_double_size_text(int row, int column, std::string_view text) {
    TouchedRows rows;
    if (!grid().allocated() || !inside(row, column)) return rows;
    const bool below = row + 1 < kFormRows;
    std::vector<int> codes = codes_of(text);
    int c = column;
    for (int code : codes) {
        if (c >= kLastColumn) break;
        if (code <= 0xFF) code = wide_form_of(static_cast<unsigned char>(code));
        if (code == 0) code = kWideBlank;
        const bool marked = c <= kLastMarkedColumn;
        const int width = marked ? kDoubleSizeStep : 2;
        std::vector<int> top{code}, bottom;
        if (marked) {
            top.push_back(kSizeMarker);
            bottom = {kSizeMarker, kSizeMarker};
        }
        write_codes(row, c, top);
        rows.add(row);
        if (below && marked) {
            // the cells below the character itself hold the marker, and
            // those below its marker too
            write_codes(row + 1, c, bottom);
            rows.add(row + 1);
        }
        c += width;
    }
    return finish(rows);
}

TouchedRows erase_form_text(const CellRect& rect) {
    TouchedRows rows;
    if (!usable(rect)) return rows;
    for (int r = rect.top; r <= rect.bottom; ++r) {
        const int right = rect.right;
        const bool right_was_double = is_text_double(at(r, right));
        fix_left_edge(r, rect.left, EdgeKind::TextOnly);
        for (int c = rect.left; c <= right; ++c) {
            if (!is_line_cell(at(r, c))) blank(r, c);
        }
        fix_right_edge(r, right, right_was_double);
        rows.add(r);
    }
    return finish(rows);
}

TouchedRows erase_all_form_text() {
    TouchedRows rows;
    if (!grid().allocated()) return rows;
    for (int r = 0; r < kFormRows; ++r) {
        for (int c = 0; c < kFormColumns; ++c) {
            const FormCell& cell = at(r, c);
            if (!is_line_cell(cell) && !is_blank_cell(cell)) blank(r, c);
        }
        rows.add(r);
    }
    return finish(rows);
}

TouchedRows erase_whole_form() {
    if (!grid().allocated()) return TouchedRows{};
    grid().clear_cells();
    grid().clear_rows();
    return TouchedRows{0, kFormRows - 1};
}

TouchedRows draw_form_line(const CellRect& rect, int weight) {
    TouchedRows rows;
    if (!usable(rect)) return rows;
    const int left = even_column(rect.left);
    if (rect.horizontal()) {
        const int right = even_column(rect.right);
        for (int c = left; c <= right; c += 2) {
            if (c < right || c == left) give_arm(rect.top, c, kRight, weight);
            if (c > left || c == right) give_arm(rect.top, c, kLeft, weight);
        }
        // a one-cell line is a short dash: both arms
        rows.add(rect.top);
    } else {
        for (int r = rect.top; r <= rect.bottom; ++r) {
            if (r < rect.bottom || r == rect.top) give_arm(r, left, kDown, weight);
            if (r > rect.top || r == rect.bottom) give_arm(r, left, kUp, weight);
            rows.add(r);
        }
    }
    return finish(rows);
}

TouchedRows erase_form_lines_along(const CellRect& rect) {
    TouchedRows rows;
    if (!usable(rect)) return rows;
    if (rect.horizontal()) {
        const int r = rect.top;
        const int start = line_column(r, r, rect.left);
        for (int c = start; c <= rect.right; c += 2) {
            FormCell& cell = at(r, c);
            if (!is_line_cell(cell)) continue;
            const bool first = c == start;
            const bool last = c + 2 > rect.right;
            if (first || !last) take_arm(cell, kRight);
            if (last || !first) take_arm(cell, kLeft);
            if (!first && !last) cell.code = ' ';
            settle_line_cell(cell);
            blank(r, c + 1);
        }
        rows.add(r);
    } else {
        const int c = line_column(rect.top, rect.bottom, rect.left);
        for (int r = rect.top; r <= rect.bottom; ++r) {
            FormCell& cell = at(r, c);
            rows.add(r);
            if (!is_line_cell(cell)) continue;
            const bool first = r == rect.top;
            const bool last = r == rect.bottom;
            if (first || !last) take_arm(cell, kDown);
            if (last || !first) take_arm(cell, kUp);
            if (!first && !last) cell.code = ' ';
            settle_line_cell(cell);
            blank(r, c + 1);
        }
    }
    return finish(rows);
}

TouchedRows erase_form_lines_in(const CellRect& rect) {
    TouchedRows rows;
    if (!usable(rect)) return rows;
    for (int r = rect.top; r <= rect.bottom; ++r) {
        fix_left_edge(r, rect.left, EdgeKind::LinesOnly);
        for (int c = rect.left; c <= rect.right; ++c) {
            if (is_line_cell(at(r, c))) blank(r, c);
        }
        rows.add(r);
    }
    return finish(rows);
}

TouchedRows erase_all_form_lines() {
    TouchedRows rows;
    if (!grid().allocated()) return rows;
    for (int r = 0; r < kFormRows; ++r) {
        for (int c = 0; c < kFormColumns; ++c) {
            if (is_line_cell(at(r, c))) blank(r, c);
        }
        rows.add(r);
    }
    return finish(rows);
}

bool parameter_key_repeats(std::string_view key) { return key == "$PT" || key == "$PN"; }

bool form_holds_key(std::string_view key) {
    for (const std::string& row : grid().rows) {
        if (row.find(key) != std::string::npos) return true;
    }
    return false;
}

TouchedRows place_parameter_area(const CellRect& rect, std::string_view key, bool rectangle) {
    TouchedRows rows;
    if (!usable(rect)) return rows;
    const std::string text = area_text(key, rect.right - rect.left + 1);
    write_codes(rect.top, rect.left, byte_codes(text));
    rows.add(rect.top);
    if (rectangle) {
        const bool repeats = parameter_key_repeats(key);
        for (int r = rect.top + 1; r <= rect.bottom; ++r) {
            rows.add(r);
            if (is_line_cell(at(r, rect.left))) continue;
            write_codes(r, rect.left, repeats ? byte_codes(text) : std::vector<int>{'-'});
        }
    }
    return finish(rows);
}

void recompose_rows(const TouchedRows& rows) {
    FormGrids& form = grid();
    if (!form.allocated()) return;
    std::string text;
    for (int r = std::max(rows.first, 0); r <= std::min(rows.last, kFormRows - 1); ++r) {
        compose_row_text(r, text);
        form.rows[static_cast<size_t>(r)] = text;
    }
}

void recompose_all_rows() { recompose_rows(TouchedRows{0, kFormRows - 1}); }

bool undo_available() { return !grid().undo.empty(); }
bool undo_kept() { return undo_available() && grid().undo_kept; }

void take_undo_snapshot() {
    FormGrids& form = grid();
    if (form.undo.empty() || !form.allocated()) return;
    std::copy(form.cells.begin(), form.cells.end(), form.undo.begin());
    form.undo_kept = true;
}

bool restore_undo_snapshot() {
    FormGrids& form = grid();
    if (!undo_kept()) return false;
    std::copy(form.undo.begin(), form.undo.end(), form.cells.begin());
    form.undo_kept = false;
    recompose_all_rows();
    return true;
}

void forget_undo_snapshot() { grid().undo_kept = false; }
