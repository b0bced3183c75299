// The row table and the row writer of the PAD file: every row passes through
// here on its way into the work file.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/messages.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "gravlet/converter/pad_generator.h"
#include "gravlet/converter/pad_texts.h"

namespace pad {

namespace {

// The line number as "%04d" writes it: four digits at least, zeros first.
void append_line_number(std::string& out, int line) {
    char number[16];
    if (line < 0) {
        const int length = std::snprintf(number, sizeof number, "%04d", line);
        out.append(number, static_cast<size_t>(length));
        return;
    }
    const size_t length = static_cast<size_t>(std::to_chars(number, number + sizeof number, line).ptr - number);
    if (length < 4) out.append(4 - length, '0');
    out.append(number, length);
}

void cut_to(std::string& text, int limit) {
    if (static_cast<int>(text.size()) > limit) text.resize(static_cast<size_t>(char_boundary_at_or_before(text, limit)));
}

// text, cut to at most limit bytes, never inside a double-byte character
void assign_bounded(std::string& out, std::string_view text, int limit) {
    if (static_cast<int>(text.size()) > limit)
        text = text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, limit)));
    out.assign(text);
}

std::string bounded(std::string_view text, int limit) {
    std::string out;
    assign_bounded(out, text, limit);
    return out;
}

bool tagged_lines() { return g_pad.options.line_numbers || g_pad.options.do_post_pass; }

void fill_row(Row& row, int depth, std::string_view letters, std::string_view text, int line) {
    row.depth = depth < 0 ? 0 : depth;
    row.letters.assign(letters);
    assign_bounded(row.text, text, kRowTextLimit);
    row.line = line;
}

Row make_row(int depth, std::string_view letters, std::string_view text, int line) {
    Row row;
    fill_row(row, depth, letters, text, line);
    return row;
}

// Writes a row that needs none of the writer's rules (flows and boxes the
// writer adds itself).
int write_plain(const Row& row) {
    std::string& line = g_pad.row_line;
    format_row_into(row, tagged_lines(), line);
    trim_trailing_blanks(line);
    int r = write_pds_head_line(line, row.line);
    g_pad.last_written = row.letter();
    if (row.letter() != 'F') {
        g_pad.solid_before_last = g_pad.last_solid;
        g_pad.last_solid = row.letter();
    }
    ++g_pad.rows_written;
    return r;
}

// The text as the row shows it: the stand-in bytes become what they show.
void make_shown(std::string& text) {
    trim_trailing_blanks(text);
    if (text == std::string_view("if (\x03) {")) {
        text.assign(1, '{');
        return;
    }
    if (text.size() == 1 && text[0] == kDefaultLabel) {
        text = kLabelOther;
        return;
    }
    for (char& c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (c == kCallSeparator) c = ':';
        else if (c == kPlaceholder && g_pad.options.do_post_pass) continue;
        else if (b >= 1 && b <= 31 && c != '\t') c = '?';
    }
    cut_to(text, kRowTextLimit);
}

}  // namespace

std::string_view comment_text(std::string_view comment, int limit) {
    std::string_view text = comment;
    if (text.substr(0, 2) == "/*") text.remove_prefix(2);
    text = without_trailing_blanks(text);
    if (ends_with(text, "*/")) text.remove_suffix(2);
    text = without_trailing_blanks(without_leading_blanks(text));
    if (static_cast<int>(text.size()) > limit)
        text = text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, limit)));
    return text;
}

void format_row_into(const Row& row, bool with_line, std::string& out) {
    out.clear();
    if (row.letters == "/") {
        out.push_back('/');
        return;
    }
    if (with_line) append_line_number(out, row.line);
    out.append(static_cast<size_t>(row.depth), '+');
    if (row.letter() == '@') {
        out += '@';
        out += row.text;
        out += ' ';
        out += row.function_text;
        return;
    }
    out += row.letters;
    out += ':';
    out += row.text;
}

std::string format_row(const Row& row, bool with_line) {
    std::string out;
    format_row_into(row, with_line, out);
    return out;
}

int write_pds_head_line(std::string_view text, int row_line) {
    State& s = g_pad;
    std::string& plain = s.plain_line;
    plain.assign(text);
    plain += '\n';
    std::string& stored = s.stored_line;
    scramble_line(plain, stored, ++s.lines_written);
    int r = write_text_line_checked(stored, s.work_handle, get_file_number(s.files.work.c_str()));
    if (r < -49) return r;
    if (s.lines_written > 1 && !s.function_open) {
        int& reader_line = g_analysis.current.line_number;
        const int saved = reader_line;
        if (row_line > 0 && row_line <= saved && saved - row_line <= 15) reader_line = row_line;
        r = raise_message(kMessageError, -64, kMsgBadFunctionStart);
        reader_line = saved;
        return r;
    }
    return kCodeOk;
}

int write_pds_rows(int kind, int statement_class, const Statement& st) {
    State& s = g_pad;
    const int d = st.depth;
    const int line = st.line;
    const std::string_view t = comment_text(st.comment, s.options.comment_length);
    // the group goes straight onto the table and comes off again when it does not fit
    RowTable& rows = s.rows;
    const size_t first = rows.size();
    auto add = [&](int depth, std::string_view letters, std::string_view text = {}) {
        fill_row(rows.add(), depth, letters, text, line);
    };
    const std::string_view other(&kDefaultLabel, 1);
    const std::string_view t_or_other = t.empty() ? other : t;
    switch (kind) {
        case 1: {
            add(d, "@", bounded(s.function_name, kNameLimit));
            rows.back().function_text = s.function_text;
            add(d, "B");
            add(d, "M", s.function_text_seen && !s.function_text.empty() ? s.function_text : s.function_name);
            add(d, "EF");
            break;
        }
        case 2: add(d + 1, "E"); add(0, "/"); break;
        case 4: add(d, "N", t); add(d, "F"); break;
        case 6: add(d, "P", t); add(d, "F"); break;
        case 7: add(d, "U", t); add(d, "F"); break;
        case 8: add(d, "R", t); add(d + 1, "F"); break;
        case 9: add(d + 1, "E", t); add(d, "F"); break;
        case 10: add(d, "S", t); add(d, "F"); break;
        case 11: add(d - 1, "C", t); add(d, "F"); break;
        case 12: add(d - 1, "C", t_or_other); add(d, "F"); break;
        case 13: add(d, "N", t); add(d, "E"); add(d - 1, "F"); break;
        case 14:
            add(d, "S", t);
            add(d, "F");
            add(d, "C", st.text == "{" ? kLabelBlock : kLabelTrue);
            break;
        case 15:
            if (!rows.empty()) rows.back().code.clear();
            add(d + 1, "E");
            add(d, "C", t_or_other);
            add(d + 1, "F");
            break;
        case 17: add(d, "S", t); add(d, "F"); add(d, "C", kLabelBlock); break;
        case 18: add(d, "D", t); add(d + 1, "F"); break;
        default: return kCodeOk;
    }
    if (rows.size() > kRowCapacity - 1) {
        rows.resize(first);
        if (s.options.analysis.verbosity >= 0) host_report_progress(kMsgRowTableFull, 0);
        return raise_message(kMessageError, 15, kMsgSyntaxError) < -99 ? kCodeErrorFileOpen : -50;
    }
    // the statement's own text rides on the row that carries its comment;
    // only the joining modes ever show it
    const size_t carrier = first + (kind == 15 ? 1 : 0);
    if (kind != 1 && kind != 2 && s.options.join_mode != 0) assign_bounded(rows[carrier].code, st.code, s.options.code_bytes);
    rows[first].statement_class = statement_class;
    return kCodeOk;
}


Row* RowTable::new_row() {
    rows_.push_back(std::make_unique<Row>());
    return rows_.back().get();
}

Row& RowTable::add() {
    if (count_ == order_.size()) {
        // a full ring grows at its end once its numbers are in order again
        std::rotate(order_.begin(), order_.begin() + static_cast<long>(head_), order_.end());
        head_ = 0;
        order_.push_back(new_row());
    }
    Row& row = (*this)[count_++];
    row.reset();
    return row;
}

void RowTable::insert(size_t index, Row row) {
    if (index > count_) index = count_;
    add() = std::move(row);
    Row* const added = order_[slot_of(count_ - 1)];
    for (size_t i = count_ - 1; i > index; --i) order_[slot_of(i)] = order_[slot_of(i - 1)];
    order_[slot_of(index)] = added;
}

void RowTable::erase(size_t index) {
    if (index >= count_) return;
    if (index > 0) {
        // the rows behind it move up and it goes behind the last
        Row* const gone = order_[slot_of(index)];
        for (size_t i = index; i + 1 < count_; ++i) order_[slot_of(i)] = order_[slot_of(i + 1)];
        order_[slot_of(count_ - 1)] = gone;
    } else {
        head_ = slot_of(1);
    }
    --count_;
}

Row& RowTable::take_front() {
    if (taken_ == nullptr) taken_ = new_row();
    // the row taken before goes into the ring in the front's place
    std::swap(taken_, order_[head_]);
    erase(0);
    return *taken_;
}

int insert_pds_row(size_t index, Row row) {
    State& s = g_pad;
    if (s.rows.size() >= kRowCapacity) {
        int r = raise_message(kMessageError, 15, kMsgSyntaxError);
        return r < -99 ? r : -61;
    }
    s.rows.insert(index, std::move(row));
    return kCodeOk;
}

void remove_pds_row(size_t index) { g_pad.rows.erase(index); }

int write_pds_row() {
    State& s = g_pad;
    if (s.rows.empty()) return kCodeOk;
    Row& row = s.rows.take_front();
    const char letter = row.letter();
    if (letter == '@') s.list_name = row.text;
    make_shown(letter != '@' ? row.text : row.function_text);
    if (letter == '@' || letter == 'B') s.function_open = true;

    int r = kCodeOk;
    if (s.last_written == 'C' && letter == 'E') {
        // an empty branch shows an empty box
        if (s.solid_before_last != 'S') r = write_plain(make_row(row.depth, "F", "", s.last_line));
        if (r > -50) r = write_plain(make_row(row.depth, "N", s.options.join_mode != 0 ? ";" : "", s.last_line));
        s.pending_flow = false;
    }
    if (r > -50 && s.pending_flow) {
        s.pending_flow = false;
        r = write_plain(make_row(row.depth, "F", "", s.last_line));
    }
    if (r < -49) return r;
    r = write_plain(row);
    s.last_line = row.line;
    if (letter == '/') s.function_open = false;
    show_row_progress();
    return r;
}

}  // namespace pad
