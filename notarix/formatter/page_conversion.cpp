// Places the records of a function-record file into the fields of the page
// form: one page per function, ended by "ZC:".
#include <algorithm>
#include <cstring>

#include "common/analysis/converter_host.h"
#include "common/analysis/scramble.h"
#include "common/analysis/text_utils.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "notarix/formatter/formatter_state.h"
#include "notarix/formatter/lin_writer.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

// A record line is read into a 256-byte buffer: longer lines keep their head.
constexpr int kRecordLineMax = 255;


constexpr auto& kRemarksWord = "備考"_sjis;

constexpr auto& kFileRemarkFormat = "使用ファイル：%s"_sjis;
constexpr auto& kLogHeadFormat = "%s【%s】\n"_sjis;
constexpr char kFourBlanks[] = "    ";

// The tag a cut is logged under, per field (field order).
constexpr std::array<const char*, kFieldCount> kFieldLogTags = {
    "NAM", "FUN", "PRC", "CAL", "FHD", "FPM", "PAT", "PAR", "PAA", "FIL",
    "REM", "FSR", "PRO", "DTM", "DAT", "SYS", "OST", "LGT", "FOT",
};

struct LogLabel {
    const char* tag;
    const char* label;
};

// Searched from the front; the first tag that matches wins.
constexpr LogLabel kLogLabels[] = {
    {"NAM", "関数名"_sjis},
    {"FUN", "関数機能概要"_sjis},
    {"PRC", "関数処理内容"_sjis},
    {"CAL", "使用関数"_sjis},
    {"FHD", "関数形式"_sjis},
    {"FPM", "引数形式"_sjis},
    {"PAT", "引数の種類 "_sjis},                 // "引数の種類 "
    {"PAR", "引数の名称（内容）"_sjis},
    {"INP", "引数の名称（内容）"_sjis},
    {"EIN", "引数の名称（内容）"_sjis},
    {"OUT", "引数の名称（内容）"_sjis},
    {"EOT", "引数の名称（内容）"_sjis},
    {"UPD", "引数の名称（内容）"_sjis},
    {"EUP", "引数の名称（内容）"_sjis},
    {"SYS", "システム名"_sjis},
    {"OST", "ＯＳ名称"_sjis},
    {"RET", "引数の名称（内容）"_sjis},
    {"PAA", "引数の名称（追加）"_sjis},
    {"FIL", "使用ファイル"_sjis},
    {"REM", "備考"_sjis},
    {"FSR", "ソースファイル名"_sjis},
    {"PRO", "作成者"_sjis},
    {"DTM", "改定年月日"_sjis},
    {"DAT", "作成年月日"_sjis},
    {"LGT", "作成言語"_sjis},
    {"FOT", "下見出し"_sjis},
};

constexpr auto& kOtherLabel = "その他"_sjis;

struct ArgumentKind {
    const char* tag;
    const char* text;
};

// Written in the $PT column before the first line of each argument.
constexpr ArgumentKind kArgumentKinds[] = {
    {"INP", "Ｉ　"_sjis},
    {"EIN", "ＥＩ"_sjis},
    {"OUT", "Ｏ　"_sjis},
    {"EOT", "ＥＯ"_sjis},
    {"UPD", "Ｕ　"_sjis},
    {"EUP", "ＥＵ"_sjis},
    {"RET", "Ｒ　"_sjis},
};

const char* argument_kind(std::string_view tag) {
    for (const auto& kind : kArgumentKinds) {
        if (tag == kind.tag) return kind.text;
    }
    return nullptr;
}

const char* log_label(std::string_view tag) {
    for (const auto& entry : kLogLabels) {
        if (tag.substr(0, 3) == entry.tag) return entry.label;
    }
    return kOtherLabel;
}

// The source path of a TAG record text: the text without its trailing
// "(line)".
std::string_view strip_line_number(std::string_view text) {
    // "(" is never the second byte of a double-byte character
    const int open = static_cast<int>(text.rfind('('));
    const int size = static_cast<int>(text.size());
    if (open < 0 || text.back() != ')') return text;
    const std::string_view digits = text.substr(open + 1, size - open - 2);
    if (digits.empty()) return text;
    for (char c : digits) {
        if ((c < '0' || c > '9') && c != ' ') return text;
    }
    return text.substr(0, open);
}

// The file name after the last "\" or "/"; a text of single bytes alone
// needs no walk over its characters.
std::string_view after_last_separator(std::string_view path) {
    const bool single_bytes =
        std::none_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const int found = single_bytes ? static_cast<int>(path.find_last_of("\\/")) : find_last_separator(path, false);
    return path.substr(static_cast<size_t>(found + 1));
}

std::string source_name_text(std::string_view text, int form) {
    switch (form) {
        case 2: return std::string(after_last_separator(strip_line_number(text)));
        case 3: return std::string(after_last_separator(text));
        case 4: return std::string(strip_line_number(text));
        case 5: return std::string(text);
        default: return {};
    }
}

class PageConverter {
public:
    PageConverter(FormatterState& g, LinWriter& lin) : g_(g), lin_(lin) {}

    int run(LineReader& records, std::vector<std::string>* kept);
    int run(const std::vector<std::string>& lines);

private:
    // 1 at the end record, -1 when the document could not be written.
    int convert_line(const std::string& line);
    int handle_line(const std::string& line, std::string_view tag, std::string_view text, bool continuation);
    int end_function();

    void note_cut(std::string_view text, std::string_view tag) {
        log_truncated_field(g_.function_name, text, tag);
    }
    // Writes the text at a place, cut to max bytes; nothing for a place the
    // form does not give.
    int place_at(int row, int column, int max_chars, std::string_view text, std::string_view tag);
    int place_single(int field, std::string_view text) {
        const FieldPosition& f = g_.form[field];
        return place_at(f.row, f.column, f.max_chars, text, kFieldLogTags[static_cast<size_t>(field)]);
    }
    // One line per row while the field has rows left.
    int place_next_row(int field, std::string_view text, std::string_view tag);
    int place_wrapped_head(std::string_view text);
    int place_argument(std::string_view tag, std::string_view text, bool continuation);
    int place_dates(std::string_view text);
    void defer(std::string_view tag, std::string_view text);
    void report_progress();

    FormatterState& g_;
    LinWriter& lin_;
    std::string last_tag_;
};

int PageConverter::place_at(int row, int column, int max_chars, std::string_view text, std::string_view tag) {
    if (column < 0 || max_chars < 0) return 0;
    std::string_view placed = text;
    if (static_cast<int>(text.size()) > max_chars) {
        placed = text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, max_chars)));
        note_cut(text, tag);
    }
    return lin_.write_text(row, column, placed);
}

int PageConverter::place_next_row(int field, std::string_view text, std::string_view tag) {
    FieldPosition& f = g_.form[field];
    if (f.column < 0 || f.max_chars < 0) return 0;
    if (f.row >= f.end_row) {
        note_cut(text, tag);
        return 0;
    }
    const int r = place_at(f.row, f.column, f.max_chars, text, tag);
    ++f.row;
    return r;
}

int PageConverter::place_wrapped_head(std::string_view text) {
    FieldPosition& head = g_.form[kFieldHead];
    if (head.column < 0 || head.max_chars < 0) return 0;
    std::string_view rest = text;
    bool first = true;
    while (!rest.empty()) {
        const int piece = char_boundary_at_or_before(rest, head.max_chars);
        if (head.row >= head.end_row || piece <= 0) {
            note_cut(rest, "FHD");
            break;
        }
        if (lin_.write_text(head.row, head.column, rest.substr(0, static_cast<size_t>(piece))) != 0) return -1;
        ++head.row;
        // the parameter declarations start below the wrapped head
        if (!first) ++g_.form[kFieldParams].row;
        first = false;
        rest.remove_prefix(static_cast<size_t>(piece));
    }
    return 0;
}

int PageConverter::place_argument(std::string_view tag, std::string_view text, bool continuation) {
    const char* kind = continuation ? kFourBlanks : argument_kind(tag);
    FieldPosition& kinds = g_.form[kFieldArgKind];
    FieldPosition& names = g_.form[kFieldArgName];
    const FieldPosition& more = g_.form[kFieldArgMore];
    const auto& kind_entries = g_.form.kind_entries;
    const auto& name_entries = g_.form.name_entries;

    if (!kind_entries.empty()) {
        if (g_.kind_next >= kind_entries.size()) {
            note_cut(text, tag);
            return 0;
        }
        const FieldEntry e = kind_entries[g_.kind_next++];
        if (place_at(e.row, e.column, e.max_chars, kind, "PAT") != 0) return -1;
    } else {
        if (more.column < 0) return 0;
        if (names.row >= more.end_row) {
            note_cut(text, tag);
            return 0;
        }
        if (place_at(kinds.row, kinds.column, kinds.max_chars, kind, "PAT") != 0) return -1;
    }

    if (!name_entries.empty()) {
        if (g_.name_next >= name_entries.size()) {
            note_cut(text, tag);
            return 0;
        }
        const FieldEntry e = name_entries[g_.name_next++];
        return place_at(e.row, e.column, e.max_chars, text, tag);
    }
    if (!kind_entries.empty() && more.column >= 0 && names.row >= more.end_row) {
        note_cut(text, tag);
        return 0;
    }
    if (place_at(names.row, names.column, names.max_chars, text, tag) != 0) return -1;
    // every second row in the $PN area, then one a row in the $PA area
    const int step = names.row + 1 < more.row ? 2 : 1;
    names.row += step;
    kinds.row += step;
    return 0;
}

int PageConverter::place_dates(std::string_view text) {
    const int open = find_char(text, '(');
    if (open < 0) return place_single(kFieldCreated, text);
    if (place_single(kFieldRevised, text.substr(0, static_cast<size_t>(open))) != 0) return -1;
    std::string_view second = text.substr(static_cast<size_t>(open) + 1);
    const int close = find_char(second, ')');
    if (close >= 0) second = second.substr(0, static_cast<size_t>(close));
    return place_single(kFieldCreated, second);
}

void PageConverter::defer(std::string_view tag, std::string_view text) {
    if (g_.deferred_count >= kDeferredSlots) {
        // no slot left: the line cannot reach the page
        note_cut(text, tag);
        return;
    }
    std::string record(tag.substr(0, 3));
    record += ':';
    record += text;
    cut_at_char_boundary(record, kDeferredSlotSize - 1);
    char* slot = g_.block.get() + static_cast<size_t>(g_.deferred_count) * kDeferredSlotSize;
    std::memcpy(slot, record.data(), record.size());
    slot[record.size()] = '\0';
    ++g_.deferred_count;
}

int PageConverter::end_function() {
    static constexpr int kCommonFields[kCommonCount] = {kFieldSystem, kFieldOs, kFieldLanguage, kFieldFooter};
    for (int i = 0; i < kCommonCount; ++i) {
        if (g_.common_set[static_cast<size_t>(i)] &&
            place_single(kCommonFields[i], g_.common_text[static_cast<size_t>(i)]) != 0) {
            return -1;
        }
    }

    // Remarks follow the arguments when the two share an area of the page.
    FieldPosition& remarks = g_.form[kFieldRemarks];
    const int names_row = g_.form[kFieldArgName].row;
    if (g_.loaded_form[kFieldArgName].row < remarks.end_row && names_row > remarks.row) remarks.row = names_row;

    for (int i = 0; i < g_.deferred_count; ++i) {
        const std::string_view record(g_.block.get() + static_cast<size_t>(i) * kDeferredSlotSize);
        const std::string_view tag = record.substr(0, 3);
        const std::string_view text = record.substr(4);
        int r = 0;
        if (tag == "REM") {
            // a form with a remarks field prints the heading itself
            if (g_.form.has_remarks && text == kRemarksWord) continue;
            r = place_next_row(kFieldRemarks, text, "REM");
        } else if (g_.form[kFieldFiles].column < 0) {
            r = place_next_row(kFieldRemarks, format_text(kFileRemarkFormat, std::string(text).c_str()), "FIL");
        } else {
            r = place_next_row(kFieldFiles, text, "FIL");
        }
        if (r != 0) return -1;
    }
    g_.deferred_count = 0;

    if (lin_.write_function_end() != 0) return -1;
    // every page starts from the form's own rows
    g_.form = g_.loaded_form;
    g_.kind_next = 0;
    g_.name_next = 0;
    return 0;
}

void PageConverter::report_progress() {
    ++g_.records_read;
    if (!host_takes_progress()) return;
    const int lines = std::max(g_.fss_lines, 1);
    // the formatter's share is the last tenth of the generation's meter (0..1100)
    const long value = 1000L + static_cast<long>(g_.records_read) * 100L / lines;
    host_report_progress(g_.progress_item.c_str(), static_cast<int>(std::min(value, 1100L)));
}

int PageConverter::handle_line(const std::string& line, std::string_view tag, std::string_view text,
                               bool continuation) {
    const char first = tag.empty() ? '\0' : tag[0];
    if (tag.starts_with("DB")) {
        int level = 0;
        const int pos = skip_set_forward(line, ": ", 2);
        const int end = parse_int_at(line, pos, level);
        if (end > pos && byte_at(line, end - 1) >= '0' && byte_at(line, end - 1) <= '9') g_.debug_level = level;
        return 0;
    }
    if (first == ' ' || first == '*' || first == '#' || tag.starts_with("BZ") || tag.starts_with("KY")) return 0;
    if (tag == "NAM") {
        if (lin_.write_comment(line) != 0) return -1;
        g_.function_name.assign(text);
        return place_single(kFieldName, text);
    }
    if (tag == "FUN") {
        if (lin_.write_comment(line) != 0) return -1;
        return place_single(kFieldPurpose, text);
    }
    if (tag == "PRC") return place_next_row(kFieldProcess, text, "PRC");
    if (tag == "CAL") return place_next_row(kFieldCalls, text, "CAL");
    if (tag == "FHD") return place_wrapped_head(text);
    if (tag == "FPM") return place_next_row(kFieldParams, text, "FPM");
    if (argument_kind(tag) != nullptr) return place_argument(tag, text, continuation);
    if (tag == "REM" || tag == "FIL") {
        defer(tag, text);
        return 0;
    }
    if (tag == "PRO") {
        const int open = find_char(text, '(');
        return place_single(kFieldAuthor, open < 0 ? text : text.substr(0, static_cast<size_t>(open)));
    }
    if (tag == "DAT") return place_dates(text);
    static constexpr const char* kCommonTags[kCommonCount] = {"SYS", "OST", "LGT", "FOT"};
    for (int i = 0; i < kCommonCount; ++i) {
        if (tag == kCommonTags[i]) {
            g_.common_text[static_cast<size_t>(i)].assign(text);
            g_.common_set[static_cast<size_t>(i)] = true;
            return 0;
        }
    }
    if (tag == "TAG") {
        if (lin_.write_comment(line) != 0) return -1;
        if (g_.source_form < 2 || g_.source_form > 5) return 0;
        const FieldPosition& f = g_.form[kFieldSource];
        return place_at(f.row, f.column, f.max_chars, source_name_text(text, g_.source_form), "FSR");
    }
    if (first == '/') return end_function();
    return 0;  // INC and unknown records
}

int PageConverter::convert_line(const std::string& line) {
    report_progress();
    const std::string_view view(line);
    const bool continuation = view.starts_with("===");
    if (!continuation) last_tag_.assign(view.substr(0, std::min<size_t>(3, view.size())));
    if (last_tag_ == "END") return 1;
    const std::string_view text = view.size() > 4 ? view.substr(4) : std::string_view{};
    return handle_line(line, last_tag_, text, continuation) != 0 ? -1 : 0;
}

int PageConverter::run(LineReader& records, std::vector<std::string>* kept) {
    g_.log_header_written = false;
    g_.deferred_count = 0;
    last_tag_.clear();
    std::string stored;
    std::string line;
    int line_number = 0;
    while (records.next(stored)) {
        unscramble_line(stored, line, ++line_number);
        cut_at_char_boundary(line, kRecordLineMax);
        if (kept != nullptr) kept->push_back(line);
        const int r = convert_line(line);
        if (r != 0) return r < 0 ? -1 : 0;
    }
    return 0;
}

int PageConverter::run(const std::vector<std::string>& lines) {
    g_.log_header_written = false;
    g_.deferred_count = 0;
    last_tag_.clear();
    for (const std::string& line : lines) {
        const int r = convert_line(line);
        if (r != 0) return r < 0 ? -1 : 0;
    }
    return 0;
}

}  // namespace

int convert_fss_to_lin(LineReader& records, LinWriter& lin, std::vector<std::string>* kept) {
    PageConverter converter(formatter_state(), lin);
    return converter.run(records, kept);
}

int convert_kept_lines(const std::vector<std::string>& lines, LinWriter& lin) {
    PageConverter converter(formatter_state(), lin);
    return converter.run(lines);
}

void log_truncated_field(std::string_view function_name, std::string_view text, std::string_view tag) {
    FormatterState& g = formatter_state();
    g.cut_in_run = true;
    if (g.error_path.empty()) return;
    const int fd = crt_open(g.error_path.c_str(), CRT_O_WRONLY | CRT_O_APPEND | CRT_O_CREAT | CRT_O_TEXT);
    if (fd < 0) return;
    std::string out;
    if (!g.log_header_written) {
        out = format_text(kLogHeadFormat, g.log_file_name.c_str(), lookup_message(502));
        g.log_header_written = true;
    }
    out += format_text("  %-16s :<%s> %-60s\n", std::string(function_name).c_str(), log_label(tag),
                       std::string(text).c_str());
    crt_write(fd, out.data(), static_cast<unsigned>(out.size()));
    crt_close(fd);
}
