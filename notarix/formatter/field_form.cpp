#include "notarix/formatter/field_form.h"

#include "common/analysis/scramble.h"
#include "common/analysis/text_utils.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"

namespace {

// A form line is read into a 256-byte buffer: longer lines keep their head.
constexpr int kFormLineMax = 255;

// Leading integer of a field (blanks allowed round it); -1 when it has none.
int read_number(std::string_view text) {
    int pos = skip_blanks(text, 0);
    if (pos < 0) return -1;
    bool negative = false;
    if (byte_at(text, pos) == '-' || byte_at(text, pos) == '+') {
        negative = byte_at(text, pos) == '-';
        ++pos;
    }
    if (byte_at(text, pos) < '0' || byte_at(text, pos) > '9') return -1;
    long value = 0;
    while (byte_at(text, pos) >= '0' && byte_at(text, pos) <= '9') {
        if (value < 100000000) value = value * 10 + (byte_at(text, pos) - '0');
        ++pos;
    }
    return static_cast<int>(negative ? -value : value);
}

int key_index(std::string_view line) {
    for (int i = 0; i < kFieldCount; ++i) {
        if (line.starts_with(kFieldKeys[static_cast<size_t>(i)])) return i;
    }
    return -1;
}

void apply_line(std::string_view line, FieldForm& form) {
    const int index = key_index(line);
    if (index < 0) return;
    const FieldNumbers n = parse_field_numbers(line.substr(3));
    if ((index == kFieldArgKind || index == kFieldArgName) && n.rows == 1) {
        auto& list = index == kFieldArgKind ? form.kind_entries : form.name_entries;
        // entries beyond the list's room are left out
        if (list.size() < kMaxFieldEntries) list.push_back({n.row, n.column, n.max_chars});
        return;
    }
    FieldPosition& f = form[index];
    f.row = n.row;
    f.column = n.column;
    f.end_row = n.row + n.rows;
    f.max_chars = n.max_chars;
    f.named = true;
    if (index == kFieldRemarks) form.has_remarks = true;
}

void set_field(FieldForm& form, int index, int row, int column, int rows, int max_chars) {
    form[index] = {row, column, row + rows, max_chars, true};
}

// Fields that follow from others when the form leaves them out.
void derive_missing_fields(FieldForm& form) {
    const FieldPosition head = form[kFieldHead];
    if (!form[kFieldParams].named && head.named) {
        form[kFieldParams] = {head.row + 1, head.column, head.end_row, head.max_chars, true};
    }
    const FieldPosition names = form[kFieldArgName];
    if (!form[kFieldArgMore].named && names.named) {
        form[kFieldArgMore] = {names.end_row, names.column, names.end_row, names.max_chars, true};
    }
}

}  // namespace

FieldNumbers parse_field_numbers(std::string_view text) {
    FieldNumbers n;
    const int open = find_char(text, '(');
    if (open < 0) return n;
    std::string_view rest = text.substr(static_cast<size_t>(open) + 1);
    const int close = find_char(rest, ')');
    if (close >= 0) rest = rest.substr(0, static_cast<size_t>(close));
    // a,b:c,d - the separators split the numbers in this order
    int* slots[4] = {&n.row, &n.column, &n.rows, &n.max_chars};
    size_t slot = 0;
    size_t start = 0;
    for (size_t i = 0; i <= rest.size() && slot < 4; ++i) {
        if (i == rest.size() || rest[i] == ',' || rest[i] == ':' || rest[i] == '(') {
            *slots[slot++] = read_number(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    return n;
}

void fill_builtin_form(FieldForm& form) {
    form = FieldForm{};
    //                          row col rows width
    set_field(form, kFieldName,      7, 16, 1, 38);
    set_field(form, kFieldPurpose,   9, 16, 1, 68);
    set_field(form, kFieldProcess,  13, 4, 17, 54);
    set_field(form, kFieldCalls,    13, 74, 17, 22);
    set_field(form, kFieldHead,     33, 8, 9, 74);
    set_field(form, kFieldParams,   34, 8, 8, 74);
    set_field(form, kFieldArgKind,  45, 4, 16, 4);
    set_field(form, kFieldArgName,  45, 11, 16, 72);
    set_field(form, kFieldArgMore,  61, 4, 13, 76);
    set_field(form, kFieldRemarks,  61, 4, 13, 76);
    set_field(form, kFieldSource,   75, 28, 1, 58);
    set_field(form, kFieldAuthor,   79, 36, 1, 29);
    set_field(form, kFieldRevised,  77, 88, 1, 11);
    set_field(form, kFieldCreated,  79, 88, 1, 11);
    set_field(form, kFieldSystem,    7, 75, 1, 23);
    set_field(form, kFieldOs,       29, 86, 0, 0);
    set_field(form, kFieldLanguage, 79, 16, 1, 6);
    set_field(form, kFieldFooter,   81, 4, 1, 80);
    // $FL has no place: file records go to the remarks.
    form.has_remarks = true;
}

namespace {
// Calls take(line) for each plain line of a form file, cut to its bound,
// until take returns true. -1 when the file cannot be read.
template <typename Take>
void walk_open_form(LineReader& reader, Take take) {
    std::string stored;
    std::string line;
    int line_number = 0;
    while (reader.next(stored)) {
        unscramble_line(stored, line, ++line_number);
        cut_at_char_boundary(line, kFormLineMax);
        if (take(line)) break;
    }
}

template <typename Take>
int walk_form_lines(const char* path, Take take) {
    LineReader reader;
    if (!reader.open(path)) return -1;
    walk_open_form(reader, take);
    return 0;
}
}  // namespace

int read_fms_form(const std::string& path, FieldForm& form) {
    if (path.empty()) {
        fill_builtin_form(form);
        return 0;
    }
    LineReader reader;
    if (!reader.open(path.c_str())) {
        form = FieldForm{};
        return -1;
    }
    read_open_fms_form(reader, form);
    return 0;
}

void read_open_fms_form(LineReader& reader, FieldForm& form) {
    form = FieldForm{};
    walk_open_form(reader, [&](const std::string& line) {
        apply_line(line, form);
        return false;
    });
    derive_missing_fields(form);
}

int find_fms_field_position(const char* form_file, int index, int& column, int& row) {
    if (index < 0 || index >= kFieldCount || form_file == nullptr || *form_file == '\0') return -1;
    bool found = false;
    walk_form_lines(form_file, [&](const std::string& line) {
        if (key_index(line) != index) return false;
        const FieldNumbers n = parse_field_numbers(line.substr(3));
        column = n.column;
        row = n.row;
        found = true;
        return true;
    });
    return found ? 0 : -1;
}
