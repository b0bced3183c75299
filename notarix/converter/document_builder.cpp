// The document builder: headed comment lines and function heads in, one
// group of function records per function out (.fss scrambled, .fsm and
// .flt plain).

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/scanner.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/converter/converter_state.h"
#include "notarix/converter/converter_texts.h"
#include "platform/kernel/file_io.h"

namespace fspec {

namespace {

constexpr const char* kTags[] = {"",     "NAM:", "FUN:", "PRC:", "INP:", "OUT:", "UPD:", "RET:",
                                 "PRO:", "DAT:", "INC:", "CAL:", "FIL:", "REM:", "===:"};

constexpr int kMessageSpecTooLarge = 59;
constexpr int kMessageCancelled = 63;
constexpr int kNameCut = 512;
constexpr int kPurposeCut = 80;
constexpr int kFunctionTextCut = 256;

int length_of(std::string_view text) { return static_cast<int>(text.size()); }

std::string_view tag_of(std::string_view record) { return record.substr(0, 4); }

// Bytes of a blank at pos: the single-byte blank or the double-byte space.
int blank_at(std::string_view text, int pos) {
    if (byte_at(text, pos) == ' ') return 1;
    if (byte_at(text, pos) == 0x81 && byte_at(text, pos + 1) == 0x40) return 2;
    return 0;
}

int skip_any_blanks(std::string_view text, int pos) {
    while (int n = blank_at(text, pos)) pos += n;
    return pos;
}

// Removes trailing blanks of both widths, stepping double-byte characters whole.
void trim_any_trailing_blanks(std::string& text) {
    int end = 0;
    for (int pos = 0; pos < length_of(text);) {
        int next = next_char(text, pos);
        if (blank_at(text, pos) != next - pos) end = next;
        pos = next;
    }
    text.resize(static_cast<size_t>(end));
}

std::string cut_at_boundary(std::string_view text, int limit) {
    if (length_of(text) <= limit) return std::string(text);
    return std::string(text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, limit))));
}

// Parenthesis depth of every byte outside literals: "(" carries the depth it
// opens, ")" the depth it closes. Literal bytes get -1.
std::vector<int> paren_depths(std::string_view text) {
    std::vector<unsigned char> literal;
    mark_literals(text, literal);
    std::vector<int> depth(text.size(), -1);
    int level = 0;
    for (int pos = 0; pos < length_of(text); ++pos) {
        if (literal[static_cast<size_t>(pos)] != 0) continue;
        if (is_dbcs_at(text, pos)) {
            depth[static_cast<size_t>(pos)] = depth[static_cast<size_t>(pos) + 1] = level;
            ++pos;
            continue;
        }
        char c = text[static_cast<size_t>(pos)];
        if (c == '(') ++level;
        depth[static_cast<size_t>(pos)] = level;
        if (c == ')') --level;
    }
    return depth;
}

// Single-byte flags: 1 where the byte is not part of a double-byte character.
std::vector<bool> single_bytes(std::string_view text) {
    std::vector<bool> single(text.size() + 1, true);
    for (int pos = 0; pos < length_of(text);) {
        int next = next_char(text, pos);
        if (next - pos == 2) single[static_cast<size_t>(pos)] = single[static_cast<size_t>(pos) + 1] = false;
        pos = next;
    }
    return single;
}

size_t used_bytes(const Builder& b) {
    size_t used = 0;
    for (const std::string& r : b.comment_records) used += r.size() + 1;
    if (b.head_started) used += 1;
    for (const std::string& r : b.head_records) used += r.size() + 1;
    return used;
}

// Keeps a record unless the function's record buffer is full (a warning:
// the record is dropped and building goes on). 0, or a failure code.
int keep_record(std::vector<std::string>& list, std::string record) {
    if (used_bytes(g_spec.builder) + record.size() + 1 >= kRecordBufferSize) {
        int r = report_converter_message(kMessageWarning, kMessageSpecTooLarge, kMsgSpecTooLarge, "");
        return r == 1 ? 0 : r;
    }
    list.push_back(std::move(record));
    return 0;
}

// Passes over an "(EXT)" with blanks before and inside it.
int skip_ext_suffix(std::string_view text, int pos) {
    int p = skip_any_blanks(text, pos);
    if (byte_at(text, p) != '(') return pos;
    p = skip_any_blanks(text, p + 1);
    if (text.substr(static_cast<size_t>(std::min(p, length_of(text))), 3) != "EXT") return pos;
    p = skip_any_blanks(text, p + 3);
    if (byte_at(text, p) != ')') return pos;
    return p + 1;
}

int append_part_record(int kind, std::string text) {
    Builder& b = g_spec.builder;
    if (g_spec.settings.repeat_tags == 1 && kind == kPartContinuation) kind = b.last_kind;
    if (kind <= kPartNone || kind > kPartContinuation) return 0;
    if (kind == kPartName) {
        b.comment_records.clear();
        text = cut_at_boundary(text, kNameCut);
    } else if (kind == kPartFunction) {
        b.function_seen = true;
        b.purpose = cut_at_boundary(text, kPurposeCut);
        text = cut_at_boundary(text, kFunctionTextCut);
    }
    return keep_record(b.comment_records, kTags[kind] + text);
}

int append_head_records(std::string_view text) {
    Builder& b = g_spec.builder;
    for (std::string& record :
         head_records_for(text, g_spec.settings.head_split, g_spec.settings.repeat_tags, b.parameter_lines)) {
        int r = keep_record(b.head_records, std::move(record));
        if (r != 0) return r;
    }
    return 0;
}

std::string padded(std::string_view text, size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

int write_list_line() {
    const Builder& b = g_spec.builder;
    const std::string& source = g_spec.settings.source;
    int cut = find_last_path_separator(source.c_str());
    std::string_view file = std::string_view(source).substr(cut >= 0 ? static_cast<size_t>(cut) + 1 : 0);
    char number[24];
    std::snprintf(number, sizeof number, " # %4d  ", b.head_line);
    std::string line = padded(file, 12) + number + padded(b.function_name, 16) + " : " + b.purpose + "\n";
    ++g_spec.functions;
    return write_output_line(line, g_spec.flt.handle, g_spec.flt.number);
}

// One unit or comment line at depth 0: 1 when a function body begins, 0
// otherwise, or a failure code.
int write_function_head(const SourceUnit& unit) {
    Builder& b = g_spec.builder;
    const std::string& text = unit.text;
    if (text.empty()) {
        if (unit.comment.empty()) return 0;
        std::string line = unit.comment;
        int kind = classify_comment_line(line);
        b.previous_kind = kind;
        return append_part_record(kind, std::move(line));
    }
    if (is_function_head(text) != 0) {
        b.in_head = true;
        b.head_line = unit.line;
        b.head_started = true;
        b.head_records.clear();
        b.parameter_lines = 0;
        std::string head = cut_head_text(text);
        int r = append_head_records(head);
        if (r != 0) return r;
        b.head_name_record = make_name_record(head);
        b.head_name_record.insert(4, unit.scope);
        b.function_name = b.head_name_record.substr(4);
        if (!b.function_seen) b.purpose = cut_at_boundary(b.function_name, kPurposeCut);
        return write_list_line();
    }
    // a body without a head is not a function of its own
    if (text[0] == '{') return b.in_head ? 1 : 0;
    if (!b.in_head) return 0;
    // qualifiers between the head and its body ("const {", "noexcept {")
    if (text.back() == '{') return 1;
    return append_head_records(text);
}

int write_record(std::string_view record) {
    Builder& b = g_spec.builder;
    if (length_of(record) > kRecordCut)
        record = record.substr(0, static_cast<size_t>(char_boundary_at_or_before(record, kRecordCut)));
    summary_lines_into(record, b.written);
    int r = write_output_line(b.written, g_spec.fsm.handle, g_spec.fsm.number);
    if (r != 0) return r;
    b.plain.assign(record);
    b.plain += '\n';
    scramble_line(b.plain, b.written, ++g_spec.fss_line);
    return write_output_line(b.written, g_spec.fss.handle, g_spec.fss.number);
}

int write_comment_records() {
    const Builder& b = g_spec.builder;
    const std::vector<std::string>& c = b.comment_records;
    size_t i = 0;
    int r;
    // every function's records start with its name, even when the comment
    // begins with a continuation line
    if (c.empty() || tag_of(c[0]) != "NAM:") {
        if ((r = write_record(b.head_name_record)) != 0) return r;
    }
    while (i < c.size() && (tag_of(c[i]) == "NAM:" || tag_of(c[i]) == "===:"))
        if ((r = write_record(c[i++])) != 0) return r;
    if ((r = write_record("TAG:" + g_spec.settings.source + "(" + std::to_string(b.head_line) + ")")) != 0) return r;
    while (i < c.size() && (tag_of(c[i]) == "FUN:" || tag_of(c[i]) == "PRC:" || tag_of(c[i]) == "===:"))
        if ((r = write_record(c[i++])) != 0) return r;
    for (const std::string& h : b.head_records)
        if ((r = write_record(h)) != 0) return r;
    std::string_view first_head = b.head_records.empty() ? std::string_view{} : b.head_records[0];
    for (; i < c.size(); ++i) {
        const std::string& record = c[i];
        std::string_view tag = tag_of(record);
        if (g_spec.settings.retag_external == 1 && (tag == "INP:" || tag == "OUT:" || tag == "UPD:") &&
            is_external_item(record, first_head) == 1) {
            std::string retagged = record;
            retagged.replace(0, 4, tag == "INP:" ? "EIN:" : tag == "OUT:" ? "EOT:" : "EUP:");
            r = write_record(retagged);
        } else {
            r = write_record(record);
        }
        if (r != 0) return r;
    }
    return write_record("///:");
}

// The parameter's name: the first identifier of its own level followed by
// "[", ",", "=" or the end of the parameter.
std::string parameter_name(std::string_view param) {
    std::vector<int> depth = paren_depths(param);
    std::vector<bool> single = single_bytes(param);
    for (int pos = 0; pos < length_of(param);) {
        size_t p = static_cast<size_t>(pos);
        if (single[p] && depth[p] == 0 && is_identifier_start(byte_at(param, pos)) &&
            (pos == 0 || !is_identifier_char(byte_at(param, pos - 1)))) {
            int end = skip_identifier(param, pos);
            int after = skip_blanks(param, end);
            unsigned char c = byte_at(param, after);
            if (after >= length_of(param) || c == '[' || c == ',' || c == '=')
                return std::string(param.substr(p, static_cast<size_t>(end - pos)));
            pos = end;
            continue;
        }
        pos = next_char(param, pos);
    }
    return {};
}

int token_count(std::string_view param) {
    int count = 0;
    bool in_token = false;
    for (char c : param) {
        bool separator = c == ' ' || c == '*' || c == '&';
        if (!separator && !in_token) ++count;
        in_token = !separator;
    }
    return count;
}

std::string trimmed(std::string_view text) {
    std::string out(text);
    trim_leading_blanks(out);
    trim_trailing_blanks(out);
    return out;
}

void split_head(std::string_view text, int repeat_tags, int& parameter_lines, std::vector<std::string>& out) {
    std::vector<int> depth = paren_depths(text);
    int close = -1, open = -1;
    for (int pos = length_of(text) - 1; pos >= 0 && close < 0; --pos)
        if (text[static_cast<size_t>(pos)] == ')' && depth[static_cast<size_t>(pos)] == 1) close = pos;
    for (int pos = close - 1; pos >= 0 && open < 0; --pos)
        if (text[static_cast<size_t>(pos)] == '(' && depth[static_cast<size_t>(pos)] == 1) open = pos;
    std::vector<std::string> params;
    if (open >= 0) {
        int start = open + 1;
        for (int pos = open + 1; pos <= close; ++pos) {
            if (pos == close || (text[static_cast<size_t>(pos)] == ',' && depth[static_cast<size_t>(pos)] == 1)) {
                params.push_back(trimmed(text.substr(static_cast<size_t>(start), static_cast<size_t>(pos - start))));
                start = pos + 1;
            }
        }
    }
    bool named = false;
    for (const std::string& p : params)
        if (token_count(p) >= 2) named = true;
    if (!named) {
        out.push_back("FHD:" + std::string(text));
        return;
    }
    std::string head = "FHD:" + std::string(text.substr(0, static_cast<size_t>(open) + 1));
    for (size_t i = 0; i < params.size(); ++i) {
        if (i > 0) head += ',';
        head += ' ';
        head += parameter_name(params[i]);
    }
    head += " )";
    out.push_back(std::move(head));
    for (const std::string& p : params) {
        const char* tag = parameter_lines == 0 || repeat_tags == 1 ? "FPM:" : "===:";
        out.push_back(tag + p + ";");
        ++parameter_lines;
    }
}

}  // namespace

std::string cut_record(std::string_view record) {
    if (length_of(record) <= kRecordCut) return std::string(record);
    return std::string(record.substr(0, static_cast<size_t>(char_boundary_at_or_before(record, kRecordCut))));
}

void summary_lines_into(std::string_view record, std::string& out) {
    std::string_view tag = tag_of(record);
    std::string_view text = record.size() > 4 ? record.substr(4) : std::string_view{};
    if (tag == "NAM:") {
        out.assign("-----< ");
        out.append(text);
        out += " >-----\n\n";
        out += kLabelName;
        out.append(text);
        out += '\n';
        return;
    }
    if (tag == "///:") {
        out.assign(" \n");
        return;
    }
    for (const SummaryLabel& l : kSummaryLabels) {
        if (tag != l.tag) continue;
        out.assign(l.label);
        out.append(text);
        out += '\n';
        return;
    }
    out.assign(record);
    out += '\n';
}

std::string summary_lines(std::string_view record) {
    std::string out;
    summary_lines_into(record, out);
    return out;
}

int classify_comment_line(std::string& text) {
    std::string_view t = text;
    int pos = skip_any_blanks(t, 0);
    if (t.substr(static_cast<size_t>(pos), 2) == "/*" || t.substr(static_cast<size_t>(pos), 2) == "//") pos += 2;
    pos = skip_any_blanks(t, pos);
    while (byte_at(t, pos) == '*') ++pos;
    pos = skip_any_blanks(t, pos);

    int kind = kPartNone;
    if (byte_at(t, pos) == ':') {
        kind = kPartContinuation;
    } else {
        for (const KeywordEntry& entry : g_spec.keywords) {
            const std::string& word = entry.word;
            if (word.empty() || t.substr(static_cast<size_t>(pos), word.size()) != word) continue;
            if (is_identifier_char(byte_at(t, pos + length_of(word)))) continue;
            kind = entry.kind;
            pos += length_of(word);
            if (entry.takes_ext != 0) pos = skip_ext_suffix(t, pos);
            break;
        }
    }
    if (kind == kPartNone) return kind;

    for (;;) {
        if (int n = blank_at(t, pos)) {
            pos += n;
        } else if (byte_at(t, pos) == ':') {
            ++pos;
        } else {
            break;
        }
    }
    pos += blank_at(t, pos);
    std::string rest = pos < length_of(t) ? text.substr(static_cast<size_t>(pos)) : std::string{};
    trim_any_trailing_blanks(rest);
    while (!rest.empty() && (rest.back() == '/' || rest.back() == '*')) rest.pop_back();
    trim_any_trailing_blanks(rest);
    text = std::move(rest);
    return kind;
}

std::string cut_head_text(std::string_view head) {
    FunctionHead parts;
    if (!find_function_head(head, parts)) return std::string(head);
    return std::string(head.substr(0, static_cast<size_t>(parts.end)));
}

std::string make_name_record(std::string_view head) {
    std::string record = "NAM:";
    FunctionHead parts;
    if (!find_function_head(head, parts)) return record;
    for (char c : head.substr(static_cast<size_t>(parts.name_start), static_cast<size_t>(parts.name_end - parts.name_start)))
        if (c != ' ') record += c;
    return record;
}

std::vector<std::string> head_records_for(std::string_view text, int head_split, int repeat_tags,
                                          int& parameter_lines) {
    std::vector<std::string> out;
    if (!text.empty() && text.back() == ')') {
        if (head_split == 1)
            split_head(text, repeat_tags, parameter_lines, out);
        else
            out.push_back("FHD:" + std::string(text));
        return out;
    }
    out.push_back((parameter_lines == 0 || repeat_tags == 1 ? "FPM:" : "===:") + std::string(text));
    ++parameter_lines;
    return out;
}

int is_external_item(std::string_view record, std::string_view first_head_record) {
    std::string_view t = record.size() > 4 ? record.substr(4) : std::string_view{};
    int pos = 0;
    for (;;) {
        unsigned char c = byte_at(t, pos);
        if (c == '*' || c == '(' || c == ' ') {
            ++pos;
        } else if (int n = blank_at(t, pos)) {
            pos += n;
        } else {
            break;
        }
    }
    int end = pos;
    while (end < length_of(t) && is_identifier_char(byte_at(t, end))) ++end;
    if (end == pos) return 0;
    std::string_view item = t.substr(static_cast<size_t>(pos), static_cast<size_t>(end - pos));

    std::string_view head = first_head_record;
    std::vector<bool> single = single_bytes(head);
    FunctionHead parts;
    if (!find_function_head(head.substr(std::min<size_t>(4, head.size())), parts)) return 0;
    const int open = parts.open + 4;
    int close = length_of(head);
    for (int p = open + 1; p < length_of(head); ++p) {
        if (single[static_cast<size_t>(p)] && head[static_cast<size_t>(p)] == ')') {
            close = p;
            break;
        }
    }
    std::string_view inside = head.substr(static_cast<size_t>(open), static_cast<size_t>(close - open));
    for (size_t at = inside.find(item); at != std::string_view::npos; at = inside.find(item, at + 1)) {
        int before = static_cast<int>(at) - 1;
        int after = static_cast<int>(at + item.size());
        if (!is_identifier_char(byte_at(inside, before)) && !is_identifier_char(byte_at(inside, after))) return 0;
    }
    return 1;
}

void reset_function_state() {
    Builder& b = g_spec.builder;
    b.comment_records.clear();
    b.head_records.clear();
    b.head_started = false;
    b.in_head = false;
    b.function_seen = false;
    b.head_name_record.clear();
    b.function_name.clear();
    b.purpose.clear();
    b.pending.clear();
}

int init_builder_state() {
    g_spec.builder = Builder{};
    g_spec.fss_line = 0;
    Settings& s = g_spec.settings;
    const CounterOption& counter = s.counter;
    if (!counter.on()) return kCodeOk;
    char format[32];
    if (counter.mode == 1)
        std::snprintf(format, sizeof format, "%%%dd", counter.width);
    else
        std::snprintf(format, sizeof format, "%%c%%%dd", counter.width - 1);
    s.counter_format = format;
    if (counter.first == 0) s.counter_format += '\n';
    if (pool_copy_string(s.counter_format) == nullptr) return kCodeNoMemoryConverter;
    if (counter.mode == 3) show_phase_progress(s.source.c_str());
    return kCodeOk;
}

constexpr int kEndInsideBody = -108;

int build_function_specs() {
    Builder& b = g_spec.builder;
    SourceUnit unit;
    for (;;) {
        if (g_analysis.abort_request != 0) {
            int r = report_converter_message(kMessageError, kMessageCancelled, kMsgCancelled, "");
            return r == 1 ? -kMessageCancelled : r;
        }
        int r = fetch_source_unit(unit);
        if (r == -1) return -1;
        if (is_fatal_code(r)) return r;
        // the source ended inside a body: nothing of this run is worth keeping
        if (r == kEndInsideBody) return r;
        // an error of the scanner ends the loop once its unit is handled;
        // "else without if" is only a warning
        const int kept = r <= -50 && r != -109 ? r : 0;

        if (!b.pending.empty()) {
            if (!unit.text.empty()) {
                b.pending += ' ';
                b.pending += unit.text;
            }
            if (unit.depth != 0 || b.pending.back() != ';') continue;
            unit.text = std::move(b.pending);
            b.pending.clear();
        } else if (b.in_head && (starts_with_word(unit.text, "struct") || starts_with_word(unit.text, "enum")) &&
                   !(unit.depth == 0 && unit.text.back() == ';')) {
            b.pending = unit.text;
            continue;
        }

        if (b.previous_kind != kPartContinuation) b.last_kind = b.previous_kind;
        b.previous_kind = kPartNone;

        if (unit.depth > 0) continue;

        int h = write_function_head(unit);
        if (h < 0) return h;
        if (kept != 0) return kept;
        if (h != 1) continue;
        r = write_comment_records();
        if (r != 0) return r;
        reset_function_state();
    }
}

}  // namespace fspec
