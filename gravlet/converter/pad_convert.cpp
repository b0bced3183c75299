// Statement-to-PAD conversion: classifies each statement delivered by the
// scanner, emits its group of rows and refines the pending rows (merging,
// dropping and completing them) before they are written.

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <string>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_kit.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "gravlet/converter/pad_generator.h"
#include "gravlet/converter/pad_texts.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace pad {

namespace {

enum StatementClass : int {
    kClassEmpty = 0,
    kClassPlain = 2,
    kClassHead = 3,
    kClassCall = 4,
    kClassReturn = 5,
    kClassIf = 6,
    kClassElse = 7,
    kClassFor = 9,
    kClassSwitch = 10,
    kClassCase = 11,
    kClassDefault = 12,
    kClassWhile = 13,
    kClassDo = 14,
    kClassDoWhile = 15,
    kClassClose = 16,
    kClassBreak = 17,
    kClassBlock = 18,
};

enum BlockKind : int { kBlockNone = 0, kBlockSwitch = 1, kBlockBranch = 2 };

std::string bounded(std::string_view text, int limit) {
    if (static_cast<int>(text.size()) <= limit) return std::string(text);
    return std::string(text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, limit))));
}

std::string without_blanks(std::string_view text) {
    std::string out(text);
    squeeze_blanks(1, out);
    trim_leading_blanks(out);
    trim_trailing_blanks(out);
    return out;
}

std::string no_blanks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

int matching_close(std::string_view text, int open, const std::vector<unsigned char>& map) {
    int depth = 0;
    for (int i = open; i < static_cast<int>(text.size()); ++i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        if (text[static_cast<size_t>(i)] == '(') ++depth;
        if (text[static_cast<size_t>(i)] == ')' && --depth == 0) return i;
    }
    return -1;
}

bool word_start_at(std::string_view text, int pos) {
    return is_identifier_start(byte_at(text, pos)) && (pos == 0 || !is_identifier_char(byte_at(text, pos - 1)) ||
                                                       is_dbcs_at(text, pos - 1));
}

// End of an operator name after "operator" at pos, or -1.
int operator_name_end(std::string_view text, int pos) {
    int p = skip_blanks(text, pos);
    if (byte_at(text, p) == '(') {
        int q = skip_blanks(text, p + 1);
        return byte_at(text, q) == ')' ? q + 1 : -1;
    }
    int q = skip_set_forward(text, "+-<>!=*/[]", p);
    if (q > p) return q;
    if (is_identifier_start(byte_at(text, p))) return skip_identifier(text, p);
    return -1;
}

// End of a name and its qualifications ("::", ".", "->", each with an
// optional "~" and an identifier) that starts at pos.
int qualified_end(std::string_view text, int pos, bool* qualified = nullptr) {
    int p = skip_identifier(text, pos);
    if (std::string_view(text.substr(static_cast<size_t>(pos), static_cast<size_t>(p - pos))) == "operator") {
        int e = operator_name_end(text, p);
        if (e > 0) return e;
    }
    for (;;) {
        int q = skip_blanks(text, p);
        int step = text.substr(static_cast<size_t>(q), 2) == "::" || text.substr(static_cast<size_t>(q), 2) == "->" ? 2
                   : byte_at(text, q) == '.'                                                                       ? 1
                                                                                                                   : 0;
        if (step == 0) return p;
        q = skip_blanks(text, q + step);
        if (byte_at(text, q) == '~') q = skip_blanks(text, q + 1);
        if (!is_identifier_start(byte_at(text, q))) return p;
        if (qualified != nullptr) *qualified = true;
        int e = skip_identifier(text, q);
        if (text.substr(static_cast<size_t>(q), static_cast<size_t>(e - q)) == "operator") {
            int oe = operator_name_end(text, e);
            if (oe > 0) e = oe;
        }
        p = e;
    }
}

bool call_follows(std::string_view text, int p, const std::vector<unsigned char>& map, int& close) {
    int q = skip_blanks(text, p);
    if (byte_at(text, q) != '(') return false;
    close = matching_close(text, q, map);
    if (close < 0) return false;
    return byte_at(text, skip_blanks(text, close + 1)) != '=';
}

bool is_marked_comment(std::string_view comment) {
    return comment.size() > 2 && comment[2] == kMarked;
}

int find_function_name(std::string_view text, std::string& name) {
    FunctionHead parts;
    if (!find_function_head(text, parts)) return 0;
    name = without_blanks(text.substr(static_cast<size_t>(parts.name_start),
                                      static_cast<size_t>(parts.name_end - parts.name_start)));
    return 1;
}

}  // namespace

// --- classification ----------------------------------------------------------

int extract_function_name(std::string_view text, std::string& name) {
    // a head is looked at when it comes and again when its body opens
    State& s = g_pad;
    if (s.head_known && text == s.head_text) {
        if (s.head_found) name = s.head_name;
        return s.head_found ? 1 : 0;
    }
    s.head_known = true;
    s.head_text.assign(text);
    s.head_found = find_function_name(text, s.head_name);
    if (s.head_found) name = s.head_name;
    return s.head_found ? 1 : 0;
}

namespace {

// Where the first call of a text lies: the call runs from start to close
// (its closing parenthesis), its name from start to name_end. False when
// the text calls nothing.
bool locate_call(std::string_view text, int& start, int& name_end, int& close) {
    // every call has its opening parenthesis
    if (text.find('(') == std::string_view::npos) return false;
    std::vector<unsigned char>& map = g_pad.literal_map;
    mark_literals(text, map);
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n;) {
        if (map[static_cast<size_t>(i)] != 0) {
            ++i;
            continue;
        }
        if (word_start_at(text, i)) {
            int end = qualified_end(text, i);
            if (call_follows(text, end, map, close)) {
                start = i;
                name_end = end;
                return true;
            }
            i = skip_identifier(text, i);
            continue;
        }
        if (text[static_cast<size_t>(i)] == '(') {
            // a parenthesised name followed by its arguments
            int p = skip_blanks(text, i + 1);
            while (byte_at(text, p) == '*') p = skip_blanks(text, p + 1);
            if (is_identifier_start(byte_at(text, p))) {
                bool qualified = false;
                int end = qualified_end(text, p, &qualified);
                int r = skip_blanks(text, end);
                if (byte_at(text, r) == ')' && call_follows(text, r + 1, map, close)) {
                    const std::string inner =
                        no_blanks(text.substr(static_cast<size_t>(p), static_cast<size_t>(end - p)));
                    if (qualified || !is_listed(g_pad.type_names, inner)) {
                        start = i;
                        name_end = r + 1;
                        return true;
                    }
                }
            }
        }
        i = next_char(text, i);
    }
    return false;
}

bool has_call_text(std::string_view text) {
    int start = 0, name_end = 0, close = 0;
    return locate_call(text, start, name_end, close);
}

}  // namespace

int find_call_text(std::string_view text, std::string& call, std::string& name) {
    int start = 0, name_end = 0, close = 0;
    if (!locate_call(text, start, name_end, close)) return 0;
    call = without_blanks(text.substr(static_cast<size_t>(start), static_cast<size_t>(close - start + 1)));
    name = no_blanks(text.substr(static_cast<size_t>(start), static_cast<size_t>(name_end - start)));
    return 1;
}

bool is_type_declaration(std::string_view text) {
    int start = skip_blanks(text, 0);
    if (!is_identifier_start(byte_at(text, start))) return false;
    int end = skip_identifier(text, start);
    int after = skip_blanks(text, end);
    if (byte_at(text, after) == '(' || byte_at(text, after) == ':') return false;
    std::string_view word = text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
    for (int hops = 0; hops <= macro_count(); ++hops) {
        if (is_listed(g_pad.type_names, word)) return true;
        const MacroNode* macro = find_macro(word);
        if (macro == nullptr) return false;
        const std::string_view body = macro->body;
        int b = skip_blanks(body, 0);
        if (!is_identifier_start(byte_at(body, b))) return false;
        word = body.substr(static_cast<size_t>(b), static_cast<size_t>(skip_identifier(body, b) - b));
    }
    return false;
}

void record_typedef_names(std::string_view text) {
    if (!starts_with_word(text, "typedef")) return;
    std::string body(text);
    trim_trailing_blanks(body);
    while (!body.empty() && body.back() == ';') body.pop_back();
    const std::vector<std::string_view> pieces = split_at_top_level_commas(body);
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        std::string piece(*it);
        trim_trailing_blanks(piece);
        std::string found;
        if (!piece.empty() && piece.back() == ')') {
            // the name inside a parenthesised declarator: (*name)(...)
            size_t open = piece.find('(');
            while (open != std::string::npos) {
                int p = skip_blanks(piece, static_cast<int>(open) + 1);
                while (byte_at(piece, p) == '*') p = skip_blanks(piece, p + 1);
                if (is_identifier_start(byte_at(piece, p))) {
                    found = piece.substr(static_cast<size_t>(p), static_cast<size_t>(skip_identifier(piece, p) - p));
                    break;
                }
                open = piece.find('(', open + 1);
            }
        } else {
            if (!piece.empty() && piece.back() == ']') piece.resize(piece.find('['));
            trim_trailing_blanks(piece);
            int end = static_cast<int>(piece.size());
            int start = skip_identifier_backward(piece, end - 1) + 1;
            if (start < end) found = piece.substr(static_cast<size_t>(start));
        }
        if (!found.empty() && is_identifier_start(static_cast<unsigned char>(found[0])) &&
            !is_listed(g_pad.type_names, found))
            add_name(g_pad.type_names, found);
    }
}

namespace {

constexpr std::string_view kTagWords[] = {"struct", "union", "enum", "class"};

// What each byte is to the word walk: 0 a byte between words, 1 a byte of
// an identifier, 2 a byte that may lead a double-byte character.
constexpr std::array<unsigned char, 256> kWordBytes = [] {
    std::array<unsigned char, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        kinds[static_cast<size_t>(c)] = c >= 0x80 ? 2 : letter ? 1 : 0;
    }
    return kinds;
}();

// Where the first of the tag words stands as a word of its own, or -1.
int find_first_tag_word(std::string_view text) {
    // Without double-byte characters a word is a run of identifier bytes and
    // one walk over the runs finds the first; with them the words are looked
    // for one by one, each stepping over the double-byte characters.
    const unsigned char* const begin = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = begin + text.size();
    for (const unsigned char* p = begin; p < end;) {
        const unsigned char kind = kWordBytes[*p];
        if (kind == 0) {
            ++p;
            continue;
        }
        if (kind == 2) {
            int best = -1;
            for (std::string_view w : kTagWords) {
                int at = find_word(text, w);
                if (at >= 0 && (best < 0 || at < best)) best = at;
            }
            return best;
        }
        const unsigned char* const start = p;
        while (++p < end && kWordBytes[*p] == 1) {
        }
        const size_t length = static_cast<size_t>(p - start);
        if (length < 4 || length > 6) continue;
        const std::string_view word(reinterpret_cast<const char*>(start), length);
        for (std::string_view w : kTagWords)
            if (word[0] == w[0] && word == w) return static_cast<int>(start - begin);
    }
    return -1;
}

}  // namespace

void record_tag_name(std::string_view text) {
    int from = 0;
    if (starts_with_word(text, "template")) {
        int open = find_char(text, '<');
        if (open < 0) return;
        int depth = 0, close = -1;
        for (int i = open; i < static_cast<int>(text.size()); ++i) {
            if (text[static_cast<size_t>(i)] == '<') ++depth;
            if (text[static_cast<size_t>(i)] == '>' && --depth == 0) {
                close = i;
                break;
            }
        }
        if (close < 0) return;
        int at = find_word(text.substr(static_cast<size_t>(close) + 1), "class");
        if (at < 0) return;
        from = close + 1 + at;
    } else {
        from = find_first_tag_word(text);
        if (from < 0) return;
    }
    int word_end = skip_identifier(text, from);
    int p = skip_blanks(text, word_end);
    if (!is_identifier_start(byte_at(text, p))) return;
    std::string tag(text.substr(static_cast<size_t>(p), static_cast<size_t>(skip_identifier(text, p) - p)));
    if (!is_listed(g_pad.type_names, tag)) add_name(g_pad.type_names, tag);
}

namespace {

// The class a statement's first word gives it, or -1. Only the words that
// begin with the statement's first byte are tried, in the order that keeps
// "else" before "extern" and the closing forms of "}" before a plain "}".
int keyword_class(std::string_view text) {
    switch (text[0]) {
        case 'r': return starts_with_word(text, "return") ? kClassReturn : -1;
        case 'i': return starts_with_word(text, "if") ? kClassIf : -1;
        case 'e':
            if (starts_with_word(text, "else")) return kClassElse;
            if (starts_with_word(text, "extern \"C\"{") || starts_with_word(text, "extern \"C\" {")) return kClassBlock;
            return -1;
        case 'f': return starts_with_word(text, "for") ? kClassFor : -1;
        case 's': return starts_with_word(text, "switch") ? kClassSwitch : -1;
        case 'c': return starts_with_word(text, "case") ? kClassCase : -1;
        case 'd':
            if (starts_with_word(text, "default")) return kClassDefault;
            return starts_with_word(text, "do") ? kClassDo : -1;
        case 'w':
            if (!starts_with_word(text, "while")) return -1;
            return ends_with(text, ";") ? kClassDoWhile : kClassWhile;
        case 'b': return starts_with_word(text, "break") ? kClassBreak : -1;
        case '}':
            if (starts_with_word(text, "}else") || starts_with_word(text, "} else")) return kClassElse;
            if (starts_with_word(text, "}while") || starts_with_word(text, "} while")) return kClassDoWhile;
            return kClassClose;
        case '{': return kClassPlain;
        case '_': return starts_with_word(text, "_asm{") || starts_with_word(text, "_asm {") ? kClassBlock : -1;
        default: return -1;
    }
}

}  // namespace

int classify_statement_keyword(std::string_view text, int depth) {
    if (text.empty() || text == ";") return kClassEmpty;
    if (const int cls = keyword_class(text); cls >= 0) return cls;
    if (depth == 0) {
        std::string name;
        if (is_function_head(text) != 0 && extract_function_name(text, name)) return kClassHead;
        return kClassPlain;
    }
    unsigned char first = byte_at(text, 0);
    if ((is_identifier_char(first) || first == '*' || first == ':' || first == '(') && has_call_text(text) &&
        !is_type_declaration(text))
        return kClassCall;
    return kClassPlain;
}

int classify_heading_comment(std::string_view comment, std::string& rest) {
    int p = skip_blanks(comment, 0);
    if (comment.substr(static_cast<size_t>(p), 2) == "/*" || comment.substr(static_cast<size_t>(p), 2) == "//") p += 2;
    while (byte_at(comment, p) == '*' || byte_at(comment, p) == ' ') ++p;
    std::string_view body = comment.substr(static_cast<size_t>(std::min<int>(p, static_cast<int>(comment.size()))));
    for (int i = 0; i < 2; ++i) {
        const std::string& word = g_pad.heading_words[i];
        if (word.empty() || !starts_with_word(body, word)) continue;
        int q = skip_blanks(body, static_cast<int>(word.size()));
        // the colon is one byte or the double-byte one, never half of a character
        if (byte_at(body, q) == ':') ++q;
        else if (body.substr(static_cast<size_t>(q), 2) == "："_sjis) q += 2;
        q = skip_blanks(body, q);
        rest.assign(body.substr(static_cast<size_t>(std::min<int>(q, static_cast<int>(body.size())))));
        for (;;) {
            trim_trailing_blanks(rest);
            if (!rest.empty() && (rest.back() == '/' || rest.back() == '*') &&
                char_boundary_at_or_before(rest, static_cast<int>(rest.size()) - 1) ==
                    static_cast<int>(rest.size()) - 1) {
                rest.pop_back();
                continue;
            }
            break;
        }
        return i + 1;
    }
    return 0;
}

// --- row texts -------------------------------------------------------------------

std::string join_row_texts(std::string_view first, std::string_view second) {
    const int mode = g_pad.options.join_mode;
    if (first.empty()) return std::string(second);
    std::string a(first), b(second);
    switch (mode) {
        case 0:
            return a + b;
        case 1: {
            bool a_held = a[0] == kPlaceholder;
            bool b_held = !b.empty() && b[0] == kPlaceholder;
            if (b.empty()) return a;
            if (a_held && b_held) {
                std::string joined = a.substr(1);
                trim_trailing_blanks(joined);
                if (!joined.empty()) joined += ' ';
                return joined + b.substr(1);
            }
            if (b_held) return a;
            if (a_held) return b;
            return a + b;
        }
        case 2:
            return b.empty() ? a : a + " " + b;
        default: {
            auto split = [](const std::string& text, std::string& code, std::string& comment) {
                int at = find_substring(text, "/*");
                code = at < 0 ? text : text.substr(0, static_cast<size_t>(at));
                comment = at < 0 ? std::string{} : text.substr(static_cast<size_t>(at) + 2);
                trim_trailing_blanks(comment);
                if (ends_with(comment, "*/")) comment.resize(comment.size() - 2);
                trim_trailing_blanks(code);
                trim_leading_blanks(comment);
                trim_trailing_blanks(comment);
            };
            std::string ca, ma, cb, mb;
            split(a, ca, ma);
            split(b, cb, mb);
            std::string out = ca + " " + cb;
            if (!ma.empty() || !mb.empty()) out += " /* " + ma + mb + " */";
            return out;
        }
    }
}

void attach_code_to_row(size_t index) {
    State& s = g_pad;
    if (index >= s.rows.size()) return;
    Row& row = s.rows[index];
    if (row.code_attached) return;
    row.code_attached = true;
    const char letter = row.letter();
    if (letter == '@' || letter == 'B' || letter == 'M' || letter == '/') return;
    const int mode = s.options.join_mode;
    if (mode == 0 || row.depth >= s.options.join_depth) return;
    const bool do_end = letter == 'E' && row.statement_class == kClassDoWhile;
    if (s.options.do_post_pass && mode == 1 && (letter == 'D' || do_end) && row.text.empty()) {
        row.text = std::string(1, kPlaceholder) + row.code;
        return;
    }
    if (letter == 'C' && row.text.size() == 1 && row.text[0] == kDefaultLabel) {
        if (!row.code.empty()) row.text = row.code;
        return;
    }
    if (row.code.empty()) return;
    if (mode == 1) {
        if (row.text.empty()) row.text = row.code;
    } else if (mode == 2) {
        row.text = row.code;
    } else {
        row.text = row.text.empty() ? row.code : row.code + " /*" + row.text + "*/";
    }
    row.text = bounded(row.text, kRowTextLimit);
}

namespace {

// --- checks on row 0 -------------------------------------------------------------------

int check_nesting_limit() {
    State& s = g_pad;
    Row& row = s.rows.front();
    if (row.nesting_checked || row.letter() == 'F') return kCodeOk;
    row.nesting_checked = true;
    if (row.depth < s.options.nest_limit) {
        s.in_nesting_run = false;
        return kCodeOk;
    }
    row.text.clear();
    s.nesting_warning = true;
    if (s.in_nesting_run) return kCodeOk;
    s.in_nesting_run = true;
    int& reader_line = g_analysis.current.line_number;
    const int saved = reader_line;
    reader_line = row.line;
    int r = raise_warning(-56, kMsgNestingLimit);
    reader_line = saved;
    return r;
}

// An uncommented loop or selection goes with everything inside it. 0 when
// row 0 is not one, 1 when more rows are needed, 2 when it went.
int drop_empty_constructs() {
    State& s = g_pad;
    const Row& head = s.rows.front();
    const char letter = head.letter();
    if ((letter != 'L' && letter != 'R' && letter != 'S') || !head.text.empty()) return 0;
    while (s.rows.size() > 1) {
        const Row& next = s.rows[1];
        if (next.depth > head.depth || next.letter() == 'C' || next.letter() == 'F') {
            remove_pds_row(1);
            continue;
        }
        remove_pds_row(0);
        return 2;
    }
    return 1;
}

Row plain_row(int depth, const char* letters, std::string text, int line) {
    Row row;
    row.depth = depth;
    row.letters = letters;
    row.text = std::move(text);
    row.line = line;
    row.code_attached = true;
    return row;
}

std::string label_text(const Row& row) {
    if (row.text.size() == 1 && row.text[0] == kDefaultLabel) return kLabelOther;
    return row.text;
}

int write_list_line(const Row& m) {
    State& s = g_pad;
    std::string& line = s.list_line;
    if (s.list_source.empty()) {
        // the source's own name, padded: the same on every line of the run
        std::string& base = s.list_source;
        base = s.options.source;
        int cut = find_last_path_separator(base.c_str());
        if (cut >= 0) base.erase(0, static_cast<size_t>(cut) + 1);
        if (base.size() < 12) base.append(12 - base.size(), ' ');
    }
    line = s.list_source;
    const int number = s.options.line_numbers ? m.line : 0;
    char digits[16];
    line += " # ";
    if (number >= 0) {
        // "%4d" as the list has always shown it
        const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
        if (length < 4) line.append(4 - length, ' ');
        line.append(digits, length);
    } else {
        line.append(digits, static_cast<size_t>(std::snprintf(digits, sizeof digits, "%4d", number)));
    }
    line += "  ";
    line += s.list_name;
    if (s.list_name.size() < 16) line.append(16 - s.list_name.size(), ' ');
    line += " : ";
    line += s.function_text_seen && !s.function_text.empty() ? s.function_text : s.list_name;
    line += '\n';
    return write_text_line_checked(line, s.list_handle, get_file_number(s.files.list_work.c_str()));
}

int open_do_loop(const Row& row) {
    State& s = g_pad;
    if (static_cast<int>(s.open_do_loops.size()) >= kMaxOpenDoLoops) {
        int r = raise_message(kMessageError, 15, kMsgSyntaxError);
        return r < -99 ? r : -50;
    }
    s.do_loops.push_back({row.line, {}, {}});
    s.open_do_loops.push_back(static_cast<int>(s.do_loops.size()) - 1);
    return kCodeOk;
}

constexpr int kRefined = 0;
constexpr int kNeedMoreRows = 1;

int wrote(int r) { return r < -49 ? r : kRefined; }

// Writes or changes row 0; 1 when more rows are needed first.
int refine_pending_rows() {
    State& s = g_pad;
    RowTable& rows = s.rows;
    const bool lone_end = rows[0].letter() == '/' || (rows[0].letter() == 'E' && rows.size() > 1 && rows[1].letter() == '/');
    if (rows.size() < 3 && !lone_end) return kNeedMoreRows;
    if (rows.size() >= 3) {
        char l0 = rows[0].letter();
        // a statement that runs into the next case label ends its branch
        if (l0 != 'S' && l0 != 'C' && rows[1].letter() == 'F' && rows[2].letter() == 'C' &&
            !(l0 == 'E' && rows[0].depth == rows[2].depth + 1))
            rows[1].letters = "E";
    }
    const bool joining = s.options.join_mode != 0;
    Row& row = rows[0];
    switch (row.letter()) {
        case '/':
            return wrote(write_pds_row());
        case '@':
            if (s.options.line_numbers && s.name_line > 0) row.line = s.name_line;
            s.name_line = 0;
            return wrote(write_pds_row());
        case 'B':
            if (s.options.line_numbers) row.line = s.last_line;
            return wrote(write_pds_row());
        case 'C': {
            if (rows.size() >= 3 && rows[1].letter() == 'F' && rows[2].letter() == 'C') {
                if (s.options.case_mode == 0) {
                    attach_code_to_row(2);
                    std::string first = label_text(row), second = label_text(rows[2]);
                    if (first.empty() || second.empty()) {
                        row.text = first + second;
                    } else if (first.size() + second.size() + 1 < 252) {
                        row.text = first + "\t" + second;
                    } else {
                        row.text = first;
                        int& reader_line = g_analysis.current.line_number;
                        const int saved = reader_line;
                        reader_line = rows[2].line;
                        int r = raise_warning(-65, kMsgCaseTooLong);
                        reader_line = saved;
                        if (r < -99) return r;
                    }
                    remove_pds_row(1);
                    remove_pds_row(1);
                    return kRefined;  // the merged label is looked at again
                }
                int r = insert_pds_row(2, plain_row(rows[1].depth, "E", "", rows[1].line));
                if (r < -49) return r;
                r = write_pds_row();
                if (r < -49) return r;
                s.pending_flow = true;
                remove_pds_row(0);
                r = write_pds_row();
                // the next label follows the closed one as it would after a break
                s.pending_flow = true;
                return wrote(r);
            }
            if (rows.size() >= 3 && rows[1].letter() == 'F' && rows[2].letter() == 'E') {
                rows[1].letters = "N";
                rows[1].text = joining ? ";" : "";
                int r = write_pds_row();
                if (r < -49) return r;
                s.pending_flow = true;
                return wrote(write_pds_row());
            }
            return wrote(write_pds_row());
        }
        case 'D': {
            if (rows.size() >= 3 && rows[1].letter() == 'F' && rows[2].letter() == 'E') {
                attach_code_to_row(2);
                row.letters = "L";
                row.text = join_row_texts(row.text, rows[2].text);
                std::string cleaned;
                for (char c : row.text)
                    if (c != kPlaceholder) cleaned += c;
                row.text = cleaned;
                remove_pds_row(1);
                remove_pds_row(1);
                return wrote(write_pds_row());
            }
            int r = open_do_loop(row);
            if (r < -49) return r;
            return wrote(write_pds_row());
        }
        case 'E': {
            if (row.depth > 1 && rows.size() >= 3 && rows[2].letter() == 'E' && rows[2].depth == row.depth) {
                remove_pds_row(0);
                remove_pds_row(0);
                return kRefined;
            }
            if (s.options.do_post_pass && row.statement_class == kClassDoWhile && !s.open_do_loops.empty()) {
                DoLoop& loop = s.do_loops[static_cast<size_t>(s.open_do_loops.back())];
                loop.condition = row.text;
                loop.condition_code = row.code;
                s.open_do_loops.pop_back();
            }
            if (row.letters == "E") row.text.clear();
            if (row.depth == 1 && row.letters == "E" && s.last_written != 'U') {
                // a pending flow goes before the implicit return
                Row ret = plain_row(1, "U", kLabelReturn, row.line);
                int r = insert_pds_row(0, ret);
                if (r < -49) return r;
                r = write_pds_row();
                if (r < -49) return r;
            }
            s.pending_flow = false;
            return wrote(write_pds_row());
        }
        case 'F':
            s.pending_flow = true;
            remove_pds_row(0);
            return kRefined;
        case 'M': {
            if (s.options.function_list) {
                int r = write_list_line(row);
                if (r < -49) return r;
            }
            int r = write_pds_row();
            s.function_name.clear();
            s.function_text.clear();
            s.function_text_seen = false;
            return wrote(r);
        }
        case 'N':
            if (row.text.empty()) {
                remove_pds_row(0);
                if (!rows.empty() && rows[0].letter() == 'F') remove_pds_row(0);
                return kRefined;
            }
            return wrote(write_pds_row());
        case 'P': {
            if (!s.options.keep_all_calls) {
                size_t sep = row.text.find(kCallSeparator);
                std::string after = sep == std::string::npos ? row.text : row.text.substr(sep + 1);
                trim_leading_blanks(after);
                if (after.empty()) {
                    remove_pds_row(0);
                    if (!rows.empty() && rows[0].letter() == 'F') remove_pds_row(0);
                    return kRefined;
                }
            }
            return wrote(write_pds_row());
        }
        case 'R':
            if (rows.size() >= 3 && rows[1].letter() == 'F' && rows[2].letter() == 'E') {
                row.letters = "L";
                remove_pds_row(1);
                remove_pds_row(1);
            }
            return wrote(write_pds_row());
        case 'S':
            if (rows.size() >= 3 && rows[2].letter() != 'C') {
                const int depth = row.depth, line = row.line;
                int r = insert_pds_row(2, plain_row(depth, "C", kLabelDeclarations, line));
                if (r < -49) return r;
                r = insert_pds_row(3, plain_row(depth + 1, "F", "", line));
                if (r < -49) return r;
            }
            return wrote(write_pds_row());
        case 'U':
            if (row.text.empty()) row.text = kLabelReturn;
            return wrote(write_pds_row());
        default:
            return wrote(write_pds_row());
    }
}

// --- statements ------------------------------------------------------------------------

int scanner_failure(int code) {
    if (code == kCodeNoMemory || code == kCodeNoMemoryConverter) return kCodeNoMemoryConverter;
    if (code == kCodeCannotWrite) return kCodeCannotWrite;
    return -100;
}

void mask_tabs(std::string& text) {
    if (text.find('\t') == std::string::npos) return;
    for (char& c : text)
        if (c == '\t') c = '?';
}

// One statement from the scanner. 1, -109 (an else without if), -1 at the
// end, or an error.
int fetch_pad_statement(Statement& st) {
    State& s = g_pad;
    if (g_analysis.abort_request != 0) {
        int r = raise_message(kMessageError, -63, kMsgCancelled);
        return r < -99 ? r : -63;
    }
    for (;;) {
        SourceUnit& unit = s.unit;
        int r = next_source_unit(unit, next_merged_source_line, kLineSize);
        if (r == -1) return -1;
        if (r < -49 && r != -109) return scanner_failure(r);
        if (unit.include_depth > 0 && r == 1) continue;
        record_typedef_names(unit.text);
        record_tag_name(unit.text);
        mask_tabs(unit.text);
        // the texts trade buffers with the unit, which the scanner clears
        st.text.swap(unit.text);
        st.comment.swap(unit.comment);
        st.code.clear();
        st.keep_comment = false;
        st.depth = unit.depth;
        st.line = unit.line;
        return r;
    }
}

int skip_erroneous_block(Statement& st) {
    State& s = g_pad;
    for (;;) {
        int r = fetch_pad_statement(st);
        if (r != 1 && r != -109) return r;
        if (st.depth > s.recovery_depth || (st.depth == s.recovery_depth && !st.text.empty() && st.text[0] == '}'))
            continue;
        s.recovering = false;
        return r;
    }
}

bool blank_line_between(int after, int before) {
    for (int b : g_pad.blank_lines)
        if (b > after && b < before) return true;
    return false;
}

void apply_declaration_zone(Statement& st, int cls) {
    State& s = g_pad;
    bool lose = false;
    if (st.depth == 0) {
        if (cls == kClassHead || count_braces(st.text) > 0) {
            lose = true;
            s.zone_open = true;
            s.zone_start_line = st.line;
        }
    } else {
        switch (s.options.zone_mode) {
            case 0:
                if (cls == kClassEmpty) lose = !is_marked_comment(st.comment) && !st.keep_comment;
                else lose = is_type_declaration(st.text);
                break;
            case 2:
                if (s.zone_open && blank_line_between(s.zone_start_line, st.line)) s.zone_open = false;
                lose = s.zone_open && !st.keep_comment;
                break;
            case 3:
                if (cls == kClassEmpty) lose = st.comment.size() == 1 && st.comment[0] == kSuppressed;
                else lose = is_type_declaration(st.text) || is_listed(s.top_ignore_names, st.text);
                break;
            default:
                break;
        }
    }
    if (lose) {
        st.comment.clear();
        st.code.clear();
    } else if (s.options.join_mode != 0) {
        st.code = st.text;
    }
}

void add_call_prefix(Statement& st) {
    State& s = g_pad;
    if (!s.options.call_prefix || st.comment.empty() || st.comment[0] == kSuppressed) return;
    std::string call, name;
    if (!find_call_text(st.text, call, name) || is_listed(s.ret_proc_names, name)) return;
    size_t at = st.comment.compare(0, 2, "/*") == 0 ? 2 : 0;
    if (at == 2 && st.comment.size() > 2 && st.comment[2] == kMarked) at = 3;
    st.comment.insert(at, call + kCallSeparator);
}

void set_block_kind(int depth, int kind) {
    if (depth < 0) return;
    std::vector<int>& kinds = g_pad.block_kind;
    if (static_cast<size_t>(depth) >= kinds.size()) kinds.resize(static_cast<size_t>(depth) + 1, kBlockNone);
    kinds[static_cast<size_t>(depth)] = kind;
}

int block_kind_at(int depth) {
    const std::vector<int>& kinds = g_pad.block_kind;
    return depth >= 0 && static_cast<size_t>(depth) < kinds.size() ? kinds[static_cast<size_t>(depth)] : kBlockNone;
}

void clear_block_kinds_above(int depth) {
    std::vector<int>& kinds = g_pad.block_kind;
    for (size_t i = static_cast<size_t>(std::max(depth + 1, 0)); i < kinds.size(); ++i) kinds[i] = kBlockNone;
}

int dispatch_statement_rows(int cls, Statement& st) {
    State& s = g_pad;
    if (st.depth == 0) {
        if (cls == kClassEmpty && !st.comment.empty()) {
            std::string rest;
            int heading = classify_heading_comment(st.comment, rest);
            if (heading == 1) {
                s.function_name = bounded(rest, kNameLimit);
                s.name_line = st.line;
            } else if (heading == 2) {
                s.function_text = bounded(rest, std::clamp(s.options.comment_length, 40, 256));
                s.function_text_seen = true;
            }
            return kCodeOk;
        }
        // A head's rows wait for its body: a line that only looks like a
        // head (a macro call, an attribute) is replaced by the next head.
        if (cls == kClassHead) {
            s.held_head = st;
            s.head_held = true;
            return kCodeOk;
        }
        if (s.head_held && !st.text.empty() && st.text[0] == '{') {
            s.head_held = false;
            std::string name;
            extract_function_name(s.held_head.text, name);
            if (name != s.function_name) s.function_name = bounded(name, kNameLimit);
            return write_pds_rows(1, kClassHead, s.held_head);
        }
        if (cls == kClassClose) return write_pds_rows(2, cls, st);
        return kCodeOk;
    }
    switch (cls) {
        case kClassEmpty: return st.comment.empty() ? kCodeOk : write_pds_rows(4, cls, st);
        case kClassPlain:
            if (st.text == "{") {
                set_block_kind(st.depth + 1, kBlockBranch);
                return write_pds_rows(14, cls, st);
            }
            return write_pds_rows(4, cls, st);
        case kClassCall: return write_pds_rows(6, cls, st);
        case kClassReturn: return write_pds_rows(7, cls, st);
        case kClassIf: set_block_kind(st.depth + 1, kBlockBranch); return write_pds_rows(14, cls, st);
        case kClassElse: set_block_kind(st.depth + 1, kBlockBranch); return write_pds_rows(15, cls, st);
        case kClassFor:
        case kClassWhile: return write_pds_rows(8, cls, st);
        case kClassSwitch: set_block_kind(st.depth + 1, kBlockSwitch); return write_pds_rows(10, cls, st);
        case kClassCase: return write_pds_rows(11, cls, st);
        case kClassDefault: return write_pds_rows(12, cls, st);
        case kClassDo: return write_pds_rows(s.options.do_post_pass ? 18 : 8, cls, st);
        case kClassDoWhile: {
            if (s.options.do_post_pass) return write_pds_rows(9, cls, st);
            Statement inner = st;
            inner.depth = st.depth + 1;
            int r = write_pds_rows(4, cls, inner);
            if (r < -49) return r;
            Statement end = st;
            end.comment.clear();
            end.code.clear();
            return write_pds_rows(9, cls, end);
        }
        case kClassClose: return write_pds_rows(9, cls, st);
        case kClassBreak: return write_pds_rows(block_kind_at(st.depth) == kBlockSwitch ? 13 : 4, cls, st);
        case kClassBlock: set_block_kind(st.depth + 1, kBlockBranch); return write_pds_rows(17, cls, st);
        default: return kCodeOk;
    }
}

bool closes_itself(const std::string& text) {
    return (!text.empty() && text[0] == '}') || starts_with_word(text, "else") ||
           (starts_with_word(text, "while") && ends_with(text, ";"));
}

int process_next_statement() {
    State& s = g_pad;
    if (s.expected_depth < 0) {
        int r = raise_message(kMessageError, 10, kMsgTooManyCloses);
        return r < -99 ? r : -50;
    }
    Statement& st = s.statement;
    int r = s.recovering ? skip_erroneous_block(st) : fetch_pad_statement(st);
    if (r == -1) return -1;
    if (r == -109) {
        s.recovering = true;
        s.recovery_depth = st.depth;
        st.text.clear();
        st.comment = std::string("/*") + kMsgElseRow + "*/";
        st.keep_comment = true;
    } else if (r < -49) {
        return r;
    }

    if (s.last_class == kClassBreak && block_kind_at(s.expected_depth) != kBlockSwitch) s.last_class = kClassPlain;

    // blocks that ended without a "}" of their own
    if (s.expected_depth > st.depth) {
        const int last = closes_itself(st.text) ? st.depth + 2 : st.depth + 1;
        Statement closing;
        closing.line = st.line;
        for (int level = s.expected_depth; level >= last; --level) {
            closing.depth = level - 1;
            int w = write_pds_rows(9, kClassClose, closing);
            if (w < -49) return w;
        }
    }

    const int cls = classify_statement_keyword(st.text, st.depth);
    clear_block_kinds_above(st.depth);

    const bool after_switch = s.last_class == kClassSwitch || s.last_class == kClassBreak;
    if (cls == kClassEmpty && after_switch && !st.keep_comment) st.comment.clear();

    apply_declaration_zone(st, cls);
    if (cls == kClassCall) add_call_prefix(st);
    if (st.comment.size() == 1 && st.comment[0] == kSuppressed) st.comment.clear();
    if (is_marked_comment(st.comment)) st.comment.erase(2, 1);

    r = dispatch_statement_rows(cls, st);
    if (r < -49) return r;
    s.expected_depth = cls == kClassIf ? st.depth + 1 : st.depth;
    if (cls != kClassEmpty) s.last_class = cls;
    return kCodeOk;
}

}  // namespace

int generate_pads() {
    State& s = g_pad;
    s.pending_flow = false;
    bool fetch = true;
    for (;;) {
        if (fetch) {
            const size_t before = s.rows.size();
            int r = process_next_statement();
            if (r < -1) return r;
            if (r == -1 && s.rows.size() == before) break;
        }
        if (s.rows.empty()) {
            fetch = true;
            continue;
        }
        attach_code_to_row(0);
        int r = check_nesting_limit();
        if (r < -99) return r;
        int dropped = drop_empty_constructs();
        if (dropped == 1) {
            fetch = true;
            continue;
        }
        if (dropped == 2) {
            fetch = false;
            continue;
        }
        r = refine_pending_rows();
        if (r < -49) return r;
        fetch = r == kNeedMoreRows;
    }
    if (s.rows.empty()) return kCodeOk;
    int r = raise_message(kMessageError, -52, kMsgSyntax);
    if (r < -99) return r;
    while (!s.rows.empty()) {
        int w = write_pds_row();
        if (w < -49 && w != -64) return w;
    }
    return -52;
}

}  // namespace pad
