// The statement and declaration scanner, and the reset of the whole C
// source analysis that every converter run starts with.

#include "common/analysis/scanner.h"

#include <algorithm>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "platform/kernel/file_io.h"

namespace {

constexpr char kCommentSeparator = '\3';
constexpr int kMaxAbsorbedCommentLines = 10;

enum SplitResult : int { kIncomplete = 0, kComplete = 1, kNeedsBody = 2 };

// The bytes a statement's split looks at; the walks pass over the rest.
struct StatementStops {
    bool stop[256] = {};
    constexpr StatementStops() {
        for (unsigned char c : {'(', ')', ';', '=', '{', '}'}) stop[c] = true;
    }
    bool operator[](char c) const { return stop[static_cast<unsigned char>(c)]; }
};
constexpr StatementStops kStatementStop;

ScannerLevel& level_at(int depth) {
    if (depth < 0) depth = 0;
    if (static_cast<size_t>(depth) >= g_analysis.levels.size()) g_analysis.levels.resize(static_cast<size_t>(depth) + 1);
    return g_analysis.levels[static_cast<size_t>(depth)];
}

bool opens_body(int kind) {
    return kind == kStmtFor || kind == kStmtIf || kind == kStmtElseIf || kind == kStmtElse || kind == kStmtSwitch ||
           kind == kStmtWhile || kind == kStmtDo;
}

// Position of the ")" that matches the "(" at open, outside literals; -1.
int matching_paren(std::string_view text, int open, const std::vector<unsigned char>& map) {
    int depth = 0;
    for (int i = open; i < static_cast<int>(text.size()); ++i) {
        if (map[i] != 0) continue;
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) return i;
    }
    return -1;
}

// Moves text[0, end) into head (blanks trimmed) and leaves the rest, after
// its blanks, in text.
void cut_head(std::string& head, std::string& text, int end, int rest_from) {
    head.assign(text, 0, static_cast<size_t>(end));
    trim_trailing_blanks(head);
    int from = skip_blanks(text, rest_from);
    text.erase(0, static_cast<size_t>(from));
}

// A malformed statement is reported and handed on whole, so the scan goes on.
int syntax_error(std::string& head, std::string& text, int& kind) {
    int r = raise_message(kMessageError, -107, kMsgSyntax);
    head.swap(text);
    text.clear();
    kind = kStmtPlain;
    return r < -99 ? r : -107;
}

bool followed_by_brace(const std::string& text, int pos) { return byte_at(text, skip_blanks(text, pos)) == '{'; }

// The "=" at pos belongs to an operator's name ("operator=", "operator+=").
bool is_operator_name_end(const std::string& text, int pos) {
    while (pos > 0 && std::string_view("=+-*/%^&|<>! ").find(text[pos - 1]) != std::string_view::npos) --pos;
    const int start = skip_identifier_backward(text, pos - 1) + 1;
    return std::string_view(text).substr(static_cast<size_t>(start), static_cast<size_t>(pos - start)) == "operator";
}

// A control head ends at `end`, or takes the "{" that follows; with nothing
// after it, its body is on a later line.
int end_control_head(std::string& head, std::string& text, int end) {
    int next = skip_blanks(text, end);
    if (next >= static_cast<int>(text.size())) {
        head.swap(text);
        text.clear();
        return kNeedsBody;
    }
    if (text[next] == '{') {
        cut_head(head, text, next + 1, next + 1);
        return kComplete;
    }
    cut_head(head, text, end, next);
    return kComplete;
}

// A condition head: word, "(", condition, ")", and an optional "{".
int split_condition_head(std::string& head, std::string& text, int word_length, int& kind) {
    std::vector<unsigned char>& map = g_analysis.scratch.statement_literals;
    mark_literals(text, map);
    int open = skip_blanks(text, word_length);
    if (open >= static_cast<int>(text.size())) return kIncomplete;
    if (text[open] != '(') return syntax_error(head, text, kind);
    int close = matching_paren(text, open, map);
    if (close < 0) return kIncomplete;
    int next = skip_blanks(text, close + 1);
    int n = static_cast<int>(text.size());
    if (kind == kStmtDoWhile) {
        if (next >= n) return kIncomplete;
        if (text[next] != ';') return syntax_error(head, text, kind);
        cut_head(head, text, next + 1, next + 1);
        return kComplete;
    }
    if (next >= n && kind == kStmtSwitch) return kIncomplete;
    if (kind == kStmtSwitch && g_analysis.profile->switch_brace_in_body) {
        cut_head(head, text, close + 1, next);
        return kComplete;
    }
    return end_control_head(head, text, close + 1);
}

int split_keyword_head(std::string& head, std::string& text, int word_length) {
    return end_control_head(head, text, word_length);
}

// The ":" of a case label, at parenthesis depth 0 and not part of "::".
int find_label_colon(const std::string& text) {
    std::vector<unsigned char>& map = g_analysis.scratch.statement_literals;
    mark_literals(text, map);
    int depth = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if (map[i] != 0) continue;
        char c = text[i];
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ':' && depth == 0) {
            if (byte_at(text, i + 1) == ':') {
                ++i;
                continue;
            }
            if (i > 0 && text[i - 1] == ':') continue;
            return i;
        }
    }
    return -1;
}

bool inside_do_level() {
    const ScannerLevel& level = level_at(g_analysis.brace_depth);
    return g_analysis.brace_depth > 0 && level.kind == kStmtDo;
}

// Strips the brace bodies of a text, up to `kept` when an initialiser whose
// calls stay begins there.
void strip_bodies_before(std::string& text, int kept) {
    if (kept < 0 || kept >= static_cast<int>(text.size())) {
        strip_brace_bodies(text);
        return;
    }
    std::string tail = text.substr(static_cast<size_t>(kept));
    text.resize(static_cast<size_t>(kept));
    strip_brace_bodies(text);
    text += tail;
}

int split_plain_statement(std::string& head, std::string& text, int& kind) {
    std::vector<unsigned char>& map = g_analysis.scratch.statement_literals;
    mark_literals(text, map);
    bool braces_belong = is_class_head(text) != 0;
    int kept_initializer = -1;
    int paren = 0, brace = 0;
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        if (!kStatementStop[text[i]] || map[i] != 0) continue;
        char c = text[i];
        if (c == '(') {
            ++paren;
        } else if (c == ')') {
            if (--paren < 0) return syntax_error(head, text, kind);
            if (paren == 0 && brace == 0 && !braces_belong && followed_by_brace(text, i + 1)) {
                cut_head(head, text, i + 1, i + 1);
                return kComplete;
            }
        } else if (c == ';' && brace == 0 && paren == 0) {
            cut_head(head, text, i + 1, i + 1);
            if (braces_belong) strip_bodies_before(head, kept_initializer);
            return kComplete;
        } else if (c == '=' && followed_by_brace(text, i + 1)) {
            braces_belong = true;
            if (g_analysis.profile->initializer_calls_kept && kept_initializer < 0 && brace == 0) kept_initializer = i;
        } else if (c == '{') {
            if (brace == 0 && paren == 0 && !braces_belong) {
                cut_head(head, text, i + 1, i + 1);
                return kComplete;
            }
            ++brace;
        } else if (c == '}') {
            if (brace == 0) {
                cut_head(head, text, i, i);
                return kComplete;
            }
            --brace;
        }
    }
    if (braces_belong) strip_bodies_before(text, kept_initializer);
    return kIncomplete;
}

// --- comments of units ---------------------------------------------------------

// Takes the pending comment up to its first separator into `comment`.
void take_unit_comment(std::string& comment) {
    comment.clear();
    size_t cut = g_analysis.pending_comment.find(kCommentSeparator);
    if (cut == std::string::npos) {
        comment.swap(g_analysis.pending_comment);
    } else {
        comment.assign(g_analysis.pending_comment, 0, cut);
        g_analysis.pending_comment.erase(0, cut + 1);
    }
    clean_comment_markers(comment);
}

// Joins a comment onto a gathered one, within the line size.
int join_comments(std::string& gathered, std::string_view added) {
    std::string no_text;
    return join_declaration_text(no_text, gathered, "", added, g_analysis.profile->line_size,
                                 g_analysis.profile->line_size);
}

// The scanner reads each line into one buffer of the state, whose text and
// comment are taken by swapping, so that the buffers serve line after line.
using NextLine = ScannedLine;

int read_next(LineSource source, NextLine& next) {
    g_analysis.line_expanded = 0;
    int r = source(next.include_depth, next.text, next.comment, next.line);
    next.expanded = g_analysis.line_expanded != 0;
    if (r == 1) normalize_line(next.text);
    return r;
}

// End of the source in the middle of a statement or function.
int report_unexpected_end() {
    int r = raise_message(kMessageError, -108, kMsgEndInsideFunction);
    g_analysis.else_may_follow = 0;
    g_analysis.end_reported = 1;
    return r < -99 ? r : -108;
}

bool is_else_text(std::string_view text) {
    return starts_with_word(text, "else") || starts_with_word(text, "} else") || starts_with_word(text, "}else");
}

}  // namespace

// --- small routines -------------------------------------------------------------

void normalize_line(std::string& text) {
    trim_leading_blanks(text);
    trim_trailing_blanks(text);
    if (text.find("  ") != std::string::npos) squeeze_blanks(0, text);
}

int count_braces(std::string_view text) {
    const bool quoted = text.find('"') != std::string_view::npos || text.find('\'') != std::string_view::npos;
    int balance = 0;
    if (!quoted) {
        for (char c : text) balance += (c == '{') - (c == '}');
        return balance;
    }
    std::vector<unsigned char>& map = g_analysis.scratch.marks;
    mark_literals(text, map);
    for (size_t i = 0; i < text.size(); ++i) {
        if (map[i] != 0) continue;
        if (text[i] == '{') ++balance;
        if (text[i] == '}') --balance;
    }
    return balance;
}

// Any number of storage and qualifier words may stand before an aggregate
// ("static const struct {"): the position after them and their blanks.
int skip_class_head_prefix_words(std::string_view text) {
    int pos = 0;
    for (int prefix; (prefix = find_word_in_list(text.substr(static_cast<size_t>(pos)), kClassHeadPrefixWords, 7)) >= 0;)
        pos = skip_blanks(text, pos + static_cast<int>(std::string_view(kClassHeadPrefixWords[prefix]).size()));
    return pos;
}

namespace {

// Where the declaration after "template <...>" prefixes begins; pos itself
// when there is none (or its argument list is not closed yet).
int skip_template_prefix(std::string_view text, int pos) {
    const int n = static_cast<int>(text.size());
    while (starts_with_word(text.substr(static_cast<size_t>(std::min(pos, n))), "template")) {
        int p = skip_blanks(text, pos + 8);
        if (byte_at(text, p) != '<') return pos;
        int angle = 0, paren = 0;
        for (; p < n; ++p) {
            const char c = text[static_cast<size_t>(p)];
            if (c == '(') ++paren;
            if (c == ')') --paren;
            if (paren != 0) continue;
            if (c == '<') ++angle;
            if (c == '>' && --angle == 0) break;
        }
        if (p >= n) return pos;
        pos = skip_blanks(text, p + 1);
    }
    return pos;
}

}  // namespace

int is_class_head(std::string_view text) {
    const AnalysisProfile& p = *g_analysis.profile;
    const std::string_view rest = text.substr(static_cast<size_t>(skip_template_prefix(text, 0)));
    if (find_word_in_list(rest, p.class_words, p.class_word_count) >= 0) return 1;
    // storage, qualifier and macro words may stand before the class word
    // ("static const struct {", "static SQLITE_WSD struct S {")
    for (int at = 0;;) {
        if (!is_identifier_start(byte_at(rest, at))) return 0;
        at = skip_blanks(rest, skip_identifier(rest, at));
        if (find_word_in_list(rest.substr(static_cast<size_t>(std::min<int>(at, static_cast<int>(rest.size())))),
                              p.class_words_after_prefix, p.class_word_after_prefix_count) >= 0)
            return 1;
    }
}

int is_pointer_declarator(std::string_view text, int pos, const std::vector<unsigned char>& literal_map) {
    if (pos < 0 || pos >= static_cast<int>(text.size()) || text[pos] != '(' || literal_map[pos] != 0) return 0;
    int inner = skip_blanks(text, pos + 1);
    if (byte_at(text, inner) == '*') return 1;
    return starts_with_word(text.substr(inner), "__based") ? 1 : 0;
}

namespace {

// Words that may stand before a return type's macro: "static FOO(int) f()".
bool is_storage_word(std::string_view word) {
    static constexpr std::string_view kWords[] = {"auto",   "extern",  "register", "static",    "typedef",
                                                  "const",  "volatile", "inline",  "__inline", "__inline__",
                                                  "virtual", "explicit", "friend",  "constexpr"};
    for (std::string_view w : kWords)
        if (word == w) return true;
    return false;
}

// The group that opens at open follows a single word, as a macro's
// arguments do, with storage words or earlier such groups before it.
bool follows_single_word(std::string_view text, int open) {
    int p = skip_blanks_backward(text, open - 1);
    if (p < 0 || !is_identifier_char(byte_at(text, p))) return false;
    int before = skip_identifier_backward(text, p);
    for (;;) {
        const int q = skip_blanks_backward(text, before);
        if (q < 0 || text[static_cast<size_t>(q)] == ')') return true;
        if (!is_identifier_char(byte_at(text, q))) return false;
        const int word = skip_identifier_backward(text, q);
        if (!is_storage_word(text.substr(static_cast<size_t>(word) + 1, static_cast<size_t>(q - word)))) return false;
        before = word;
    }
}

int matching_open(std::string_view text, int close, const std::vector<unsigned char>& map) {
    int depth = 0;
    for (int i = close; i >= 0; --i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        if (text[static_cast<size_t>(i)] == ')') ++depth;
        if (text[static_cast<size_t>(i)] == '(' && --depth == 0) return i;
    }
    return -1;
}

}  // namespace

int is_macro_type_group(std::string_view text, int close, const std::vector<unsigned char>& literal_map) {
    int p = skip_blanks(text, close + 1);
    if (!is_identifier_start(byte_at(text, p)) && byte_at(text, p) != '*' && byte_at(text, p) != '&') return 0;
    const int open = matching_open(text, close, literal_map);
    if (open < 0 || !follows_single_word(text, open)) return 0;
    const int n = static_cast<int>(text.size());
    while (p < n) {
        const unsigned char c = byte_at(text, p);
        if (literal_map[static_cast<size_t>(p)] != 0) return 0;
        if (c == '(') return is_pointer_declarator(text, p, literal_map) != 0 ? 0 : 1;
        if (is_identifier_start(c)) p = skip_identifier(text, p);
        else if (c == '*' || c == '&') ++p;
        else return 0;  // ";" of an old-style parameter declaration, "{", "[", ","...
        p = skip_blanks(text, p);
    }
    return -1;
}

int head_declarator_start(std::string_view text) {
    std::vector<unsigned char> map;
    mark_literals(text, map);
    int start = 0, depth = 0;
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        if (text[i] == '(') ++depth;
        if (text[i] != ')' || depth == 0 || --depth != 0) continue;
        if (is_macro_type_group(text, i, map) != 1) break;
        start = skip_blanks(text, i + 1);
    }
    return start;
}

int skip_head_words(std::string_view text, int pos, const std::vector<unsigned char>& literal_map) {
    // words that begin a declaration of their own, never a word of a head
    static const char* const kDeclarationWords[] = {
        "namespace", "class", "struct", "union", "enum",  "typedef", "template", "using",  "extern", "static",
        "inline",    "void",  "char",   "short", "int",   "long",    "float",    "double", "signed", "unsigned",
        "bool",      "auto",  "friend", "virtual"};
    const int n = static_cast<int>(text.size());
    for (;;) {
        pos = skip_blanks(text, pos);
        if (pos >= n || literal_map[static_cast<size_t>(pos)] != 0) return pos;
        const unsigned char c = byte_at(text, pos);
        if (is_identifier_start(c) && find_word_in_list(text.substr(static_cast<size_t>(pos)), kDeclarationWords, 24) >= 0)
            return pos;
        if (is_identifier_start(c)) {
            const int after = skip_blanks(text, skip_identifier(text, pos));
            if (byte_at(text, after) != '(') {
                pos = after;
                continue;
            }
            const int close = matching_paren(text, after, literal_map);
            if (close < 0) return n;
            pos = close + 1;
        } else if (c == '&') {
            ++pos;
        } else if (c == '[' && byte_at(text, pos + 1) == '[') {
            const size_t end = text.find("]]", static_cast<size_t>(pos) + 2);
            if (end == std::string_view::npos) return n;
            pos = static_cast<int>(end) + 2;
        } else if (c == '-' && byte_at(text, pos + 1) == '>') {
            // the return type runs to the body or the end of the declaration
            for (pos += 2; pos < n; ++pos) {
                if (literal_map[static_cast<size_t>(pos)] != 0) continue;
                const char t = text[static_cast<size_t>(pos)];
                if (t == '(') {
                    const int close = matching_paren(text, pos, literal_map);
                    if (close < 0) return n;
                    pos = close;
                } else if (t == '{' || t == ';' || t == '=') {
                    return pos;
                }
            }
            return n;
        } else {
            return pos;
        }
    }
}

namespace {

// End of an operator's name after the word "operator" at `after`, or -1.
int operator_name_end(std::string_view text, int after) {
    int p = skip_blanks(text, after);
    const unsigned char c = byte_at(text, p);
    if (c == '(') {
        const int q = skip_blanks(text, p + 1);
        return byte_at(text, q) == ')' ? q + 1 : -1;
    }
    if (c == '[') {
        const int q = skip_blanks(text, p + 1);
        return byte_at(text, q) == ']' ? q + 1 : -1;
    }
    const int q = skip_set_forward(text, "+-<>!=*/%^&|~,", p);
    if (q > p) return q;
    if (!is_identifier_start(c)) return -1;
    // "operator new[]", "operator bool"
    int e = skip_identifier(text, p);
    const int r = skip_blanks(text, e);
    if (byte_at(text, r) == '[' && byte_at(text, skip_blanks(text, r + 1)) == ']') e = skip_blanks(text, r + 1) + 1;
    return e;
}

// Template arguments that follow a name ("Foo<T>::bar", "f<int>(x)"):
// where they end, or pos when there are none.
int skip_template_arguments(std::string_view text, int pos, const std::vector<unsigned char>& map) {
    const int p = skip_blanks(text, pos);
    if (byte_at(text, p) != '<') return pos;
    int angle = 0;
    for (int i = p; i < static_cast<int>(text.size()); ++i) {
        if (map[static_cast<size_t>(i)] != 0) continue;
        const char c = text[static_cast<size_t>(i)];
        if (c == '<') ++angle;
        if (c == '>' && --angle == 0) return i + 1;
        if (c == ';' || c == '{' || c == '}' || c == '(' || c == ')') return pos;
    }
    return pos;
}

// End of a name that starts at pos: an identifier, or "operator" and its
// characters, with its qualifications ("A::B::f", "A::~A", "Foo<T>::bar").
int qualified_name_end(std::string_view text, int pos, const std::vector<unsigned char>& map) {
    for (;;) {
        int end = skip_identifier(text, pos);
        if (text.substr(static_cast<size_t>(pos), static_cast<size_t>(end - pos)) == "operator") {
            const int op = operator_name_end(text, end);
            if (op > 0) return op;
        }
        const int args = skip_template_arguments(text, end, map);
        const int sep = skip_blanks(text, args);
        if (byte_at(text, sep) != ':' || byte_at(text, sep + 1) != ':') return end;
        int next = skip_blanks(text, sep + 2);
        if (byte_at(text, next) == '~') next = skip_blanks(text, next + 1);
        if (!is_identifier_start(byte_at(text, next))) return end;
        pos = next;
    }
}

// Where the declarator around a name ends after its parameter list: the
// groups it closes, with the parameter lists of what it returns ("void
// (*f(int a))(void)").
int declarator_end(std::string_view text, int close, const std::vector<unsigned char>& map) {
    int end = close + 1;
    for (int rest = skip_blanks(text, end);; rest = skip_blanks(text, end)) {
        const unsigned char c = byte_at(text, rest);
        if (c == ')') {
            end = rest + 1;
        } else if (c == '(' && end > close + 1) {
            const int group = matching_paren(text, rest, map);
            if (group < 0) return end;
            end = group + 1;
        } else if (c == '[' && end > close + 1) {
            const size_t bracket = text.find(']', static_cast<size_t>(rest));
            if (bracket == std::string_view::npos) return end;
            end = static_cast<int>(bracket) + 1;
        } else {
            return end;
        }
    }
}

}  // namespace

bool find_function_head(std::string_view text, FunctionHead& head) {
    std::vector<unsigned char>& map = g_analysis.scratch.head_literals;
    mark_literals(text, map);
    const int n = static_cast<int>(text.size());
    for (int i = skip_template_prefix(text, head_declarator_start(text)); i < n;) {
        const unsigned char c = byte_at(text, i);
        const bool word = is_identifier_start(c) && (i == 0 || !is_identifier_char(byte_at(text, i - 1)));
        const bool qualified = c == '~' || (c == ':' && byte_at(text, i + 1) == ':');
        if (map[static_cast<size_t>(i)] != 0 || !(word || qualified)) {
            i = next_char(text, i);
            continue;
        }
        // a name in the global scope or a destructor starts before its identifier
        int at = i;
        while (!is_identifier_start(byte_at(text, at)) && at < n) at = skip_blanks(text, at + 1);
        const int end = qualified_name_end(text, at, map);
        const int open = skip_blanks(text, skip_template_arguments(text, end, map));
        if (byte_at(text, open) != '(') {
            i = std::max(end, i + 1);
            continue;
        }
        const int close = matching_paren(text, open, map);
        if (close < 0) return false;
        const int inner = skip_blanks(text, open + 1);
        const unsigned char first = byte_at(text, inner);
        // "(*" opens a declarator: its name lies inside
        if (first == '*' || first == '&' || first == '^') {
            i = open + 1;
            continue;
        }
        // "(name)(...)": the name written in parentheses
        const int after = skip_blanks(text, close + 1);
        if (is_identifier_start(first) && byte_at(text, after) == '(' &&
            skip_blanks(text, qualified_name_end(text, inner, map)) == close) {
            head = {inner, qualified_name_end(text, inner, map), after, matching_paren(text, after, map)};
            if (head.close < 0) return false;
            head.end = declarator_end(text, head.close, map);
            return true;
        }
        if (byte_at(text, after) == '=' && byte_at(text, after + 1) != '=') return false;
        head = {i, end, open, close, declarator_end(text, close, map)};
        return true;
    }
    return false;
}

int is_function_head(std::string_view text) {
    const unsigned char first = byte_at(text, 0);
    if (!is_identifier_start(first) && first != '*' && first != '&' && first != '~' && first != ':') return 0;
    FunctionHead head;
    if (!find_function_head(text, head)) return 0;
    const int rest = skip_head_words(text, head.end, g_analysis.scratch.head_literals);
    if (rest >= static_cast<int>(text.size())) return 1;
    // a constructor's initialiser list
    return text[static_cast<size_t>(rest)] == ':' && byte_at(text, rest + 1) != ':' ? 1 : 0;
}

int aggregate_head_name(std::string_view head, std::string& name) {
    static const char* const kAggregateWords[] = {"class", "struct", "union"};
    std::vector<unsigned char>& map = g_analysis.scratch.head_literals;
    mark_literals(head, map);
    const int n = static_cast<int>(head.size());
    int pos = skip_template_prefix(head, 0);
    // words before the class word: storage words, macros
    for (;;) {
        if (!is_identifier_start(byte_at(head, pos))) return 0;
        if (find_word_in_list(head.substr(static_cast<size_t>(pos)), kAggregateWords, 3) >= 0) break;
        pos = skip_blanks(head, skip_identifier(head, pos));
    }
    pos = skip_identifier(head, pos);
    // then attributes, macro words and the name, up to a base clause
    std::string_view last;
    while (pos < n) {
        const unsigned char c = byte_at(head, pos);
        if (map[static_cast<size_t>(pos)] != 0) return 0;
        if (c == ' ') {
            ++pos;
        } else if (c == ':' && byte_at(head, pos + 1) != ':') {
            break;
        } else if (c == '(') {
            // an attribute's or a macro's arguments: the word before is no name
            const int close = matching_paren(head, pos, map);
            if (close < 0) return 0;
            last = {};
            pos = close + 1;
        } else if (c == '<') {
            const int end = skip_template_arguments(head, pos, map);
            if (end == pos) return 0;
            pos = end;
        } else if (c == '[' && byte_at(head, pos + 1) == '[') {
            const size_t end = head.find("]]", static_cast<size_t>(pos) + 2);
            if (end == std::string_view::npos) return 0;
            pos = static_cast<int>(end) + 2;
        } else if (is_identifier_start(c) || (c == ':' && byte_at(head, pos + 1) == ':')) {
            const int start = pos;
            pos = c == ':' ? skip_identifier(head, skip_blanks(head, pos + 2)) : skip_identifier(head, pos);
            while (byte_at(head, skip_blanks(head, pos)) == ':' && byte_at(head, skip_blanks(head, pos) + 1) == ':')
                pos = skip_identifier(head, skip_blanks(head, skip_blanks(head, pos) + 2));
            const std::string_view word = head.substr(static_cast<size_t>(start), static_cast<size_t>(pos - start));
            if (word != "final" && word != "alignas") last = word;
        } else {
            return 0;  // a declarator: "*", "=", ","
        }
    }
    name.clear();
    for (char ch : last)
        if (ch != ' ') name += ch;
    return 1;
}

int is_extern_c_block(std::string_view text) {
    if (!starts_with_word(text, "extern")) return 0;
    int p = skip_blanks(text, 6);
    const int quoted = text.substr(p, 3) == "\"C\"" ? 3 : text.substr(p, 5) == "\"C++\"" ? 5 : 0;
    if (quoted == 0) return 0;
    p = skip_blanks(text, p + quoted);
    return byte_at(text, p) == '{' && skip_blanks(text, p + 1) == static_cast<int>(text.size()) ? 1 : 0;
}

int is_namespace_block(std::string_view text) {
    int p = starts_with_word(text, "inline") ? skip_blanks(text, 6) : 0;
    if (!starts_with_word(text.substr(static_cast<size_t>(p)), "namespace")) return 0;
    p = skip_blanks(text, p + 9);
    // its name, qualified or not, and attributes
    while (is_identifier_start(byte_at(text, p)) || byte_at(text, p) == ':' || byte_at(text, p) == '[' ||
           byte_at(text, p) == ']')
        p = skip_blanks(text, is_identifier_start(byte_at(text, p)) ? skip_identifier(text, p) : p + 1);
    return byte_at(text, p) == '{' && skip_blanks(text, p + 1) == static_cast<int>(text.size()) ? 1 : 0;
}

int is_label_statement(std::string_view text) {
    int end = skip_identifier(text, 0);
    if (end == 0 || !is_identifier_start(byte_at(text, 0))) return 0;
    int colon = skip_blanks(text, end);
    if (byte_at(text, colon) != ':' || byte_at(text, colon + 1) == ':') return 0;
    return colon + 1;
}

int scan_asm_statement(std::string_view text, int& end, int& opens_block) {
    opens_block = 0;
    end = -1;
    if (!starts_with_word(text, "_asm")) return 0;
    int p = skip_blanks(text, 4);
    if (byte_at(text, p) == '{') {
        opens_block = 1;
        end = p + 1;
        return 1;
    }
    int semi = find_char(text, ';');
    if (semi >= 0) end = semi + 1;
    return 1;
}

// Inside each outermost brace pair only the braces survive, and a closed
// pair is left empty, so a long class body never fills the buffer while
// the brace count stays right.
void strip_brace_bodies(std::string& text) {
    std::vector<unsigned char>& map = g_analysis.scratch.body_literals;
    mark_literals(text, map);
    std::string& out = g_analysis.scratch.stripped;
    out.clear();
    out.reserve(text.size());
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool code = map[i] == 0;
        if (code && c == '{') {
            if (depth == 0) out += '{';
            ++depth;
            continue;
        }
        if (code && c == '}' && depth > 0) {
            if (--depth == 0) out += '}';
            continue;
        }
        if (depth == 0) out += c;
    }
    // keep the braces of a pair still open, so the count goes on
    if (depth > 0) out.append(static_cast<size_t>(depth - 1), '{');
    text.swap(out);
}

void clean_comment_markers(std::string& comment) {
    auto is_marker = [](char c) { return c == '\2' || c == '\3'; };
    while (!comment.empty() && is_marker(comment.front())) comment.erase(0, 1);
    while (!comment.empty() && is_marker(comment.back())) comment.pop_back();
    if (comment.find('\2') == std::string::npos && comment.find('\3') == std::string::npos) return;
    std::string out;
    for (size_t i = 0; i < comment.size(); ++i) {
        if (comment[i] == '\2') continue;
        if (comment[i] == '\3') {
            while (i + 1 < comment.size() && (comment[i + 1] == '\3' || comment[i + 1] == '\2')) ++i;
            // adjacent block comments merge: drop "*/" before and "/*" after
            std::string tail = out;
            trim_trailing_blanks(tail);
            if (ends_with(tail, "*/")) out = tail.substr(0, tail.size() - 2);
            size_t j = i + 1;
            while (j < comment.size() && comment[j] == ' ') ++j;
            if (comment.compare(j, 2, "/*") == 0) i = j + 1;
            continue;
        }
        out += comment[i];
    }
    comment.swap(out);
}

void remove_marker_4(std::string& comment) {
    size_t keep = comment.compare(0, 2, "/*") == 0 ? 3 : 0;
    std::string out = comment.substr(0, std::min(keep, comment.size()));
    for (size_t i = out.size(); i < comment.size(); ++i)
        if (comment[i] != '\4') out += comment[i];
    comment.swap(out);
}

// --- joining ------------------------------------------------------------------------

namespace {

// The statement cut: the first `cut` bytes (never inside a literal or a
// double-byte character), then only the brackets and the ";" of the rest,
// so that the statement still ends where it did.
std::string reduce_statement(std::string_view text, int cut) {
    std::vector<unsigned char> map;
    mark_literals(text, map);
    int keep = std::min(cut, static_cast<int>(text.size()));
    while (keep > 0 && map[keep - 1] != 0 && map[keep - 1] != 3) --keep;
    keep = char_boundary_at_or_before(text, keep);
    std::string out(text.substr(0, static_cast<size_t>(keep)));
    for (size_t i = static_cast<size_t>(keep); i < text.size(); ++i) {
        char c = text[i];
        if (map[i] == 0 && (c == '(' || c == ')' || c == '{' || c == '}' || c == ';')) out += c;
    }
    return out;
}

std::string brackets_of(std::string_view text) { return reduce_statement(text, 0); }

}  // namespace

int join_declaration_text(std::string& text, std::string& comment, std::string_view next,
                          std::string_view next_comment, int size, int comment_size) {
    const AnalysisProfile& p = *g_analysis.profile;
    int result = kCodeOk;
    if (!next.empty()) {
        size_t joined = text.size() + (text.empty() ? 0 : 1) + next.size();
        if (static_cast<int>(joined) >= size) {
            if (p.statement_cut <= 0) return raise_message(kMessageError, -106, kMsgLineTooLong);
            std::string reduced = reduce_statement(text, p.statement_cut);
            std::string tail = brackets_of(next);
            if (static_cast<int>(reduced.size() + 1 + tail.size()) >= size)
                return raise_message(kMessageError, -106, kMsgLineTooLong);
            int r = raise_warning(-106, kMsgLineTooLong);
            if (r < -99) return r;
            text = reduced;
            if (!text.empty() && !tail.empty()) text += ' ';
            text += tail;
        } else {
            if (!text.empty()) text += ' ';
            text.append(next);
        }
    }

    if (next_comment.empty()) return result;
    auto cut_comment = [&](std::string& c) -> int {
        if (static_cast<int>(c.size()) < comment_size) return kCodeOk;
        if (p.comment_cut <= 0) return raise_message(kMessageError, -106, kMsgCommentTooLong);
        c.resize(static_cast<size_t>(char_boundary_at_or_before(c, p.comment_cut)));
        return kCodeOk;
    };
    if (comment.empty()) {
        comment.assign(next_comment);
        return cut_comment(comment);
    }
    std::string added(next_comment);
    trim_trailing_blanks(comment);
    if (ends_with(comment, "*/") && added.compare(0, 2, "/*") == 0) {
        comment.resize(comment.size() - 2);
        added.erase(0, 2);
    }
    if (!added.empty() && added[0] == '-') {
        added.erase(0, 1);
    } else {
        trim_leading_blanks(added);
    }
    if (static_cast<int>(comment.size() + added.size()) >= comment_size) {
        if (p.comment_cut <= 0) return raise_message(kMessageError, -106, kMsgCommentTooLong);
        if (static_cast<int>(comment.size()) > p.comment_cut)
            comment.resize(static_cast<size_t>(char_boundary_at_or_before(comment, p.comment_cut)));
        return result;
    }
    comment += added;
    return result;
}

// --- splitting ------------------------------------------------------------------------

namespace {

bool in_member_list() { return !g_analysis.scopes.empty() && g_analysis.scopes.back().members; }

// A parameter list of names only, as an old-style definition has: "(a, b)".
bool is_identifier_list(std::string_view text, int open, int close) {
    static const char* const kTypeWords[] = {"void",  "int",    "char",     "short",  "long",  "float",
                                             "double", "signed", "unsigned", "const", "struct", "union",
                                             "enum",  "register", "volatile"};
    for (int p = open + 1;;) {
        p = skip_blanks(text, p);
        if (!is_identifier_start(byte_at(text, p))) return false;
        if (find_word_in_list(text.substr(static_cast<size_t>(p)), kTypeWords, 15) >= 0) return false;
        p = skip_blanks(text, skip_identifier(text, p));
        if (p == close) return true;
        if (byte_at(text, p) != ',') return false;
        ++p;
    }
}

}  // namespace

int split_declaration(std::string& head, std::string& line) {
    head.clear();
    if (starts_with_word(line, "va_dcl")) {
        cut_head(head, line, 6, 6);
        return kComplete;
    }
    // an access label of a member list ("public:")
    if (in_member_list()) {
        const int label = is_label_statement(line);
        if (label > 0) {
            cut_head(head, line, label, label);
            return kComplete;
        }
    }
    std::vector<unsigned char>& map = g_analysis.scratch.statement_literals;
    mark_literals(line, map);
    // a class put together again keeps its braces whatever the program's class words
    bool class_head = g_analysis.aggregate_rebuilt || is_class_head(line) != 0;
    bool initializer = false;
    bool comma_after_head = false;
    bool constructor_init = false;
    // after the "=" of an initialiser a ")" closes a cast or a call, no head
    bool assigned = false;
    int paren = 0, brace = 0;
    const int n = static_cast<int>(line.size());
    int paren_open = -1;
    for (int i = 0; i < n; ++i) {
        if (!kStatementStop[line[i]] || map[i] != 0) continue;
        char c = line[i];
        if (c == '(') {
            if (paren == 0) paren_open = i;
            ++paren;
        } else if (c == ')') {
            if (paren > 0) --paren;
            if (paren != 0 || brace != 0 || assigned) continue;
            int next = skip_blanks(line, i + 1);
            unsigned char d = byte_at(line, next);
            if (d == ';') {
                cut_head(head, line, next + 1, next + 1);
                return kComplete;
            }
            bool pointer = is_pointer_declarator(line, paren_open, map) != 0;
            // the group was a macro of the return type ("EXPORT(int) f(void)")
            if (is_identifier_char(d) && is_macro_type_group(line, i, map) != 0) continue;
            if (!pointer && !comma_after_head) {
                if (d == '{') {
                    cut_head(head, line, i + 1, next);
                    return kComplete;
                }
                if (is_identifier_start(d) || d == '&' || d == '[' || (d == '-' && byte_at(line, next + 1) == '>')) {
                    // A name after a list of names begins old-style parameter
                    // declarations ("f(a, b) int a;"), which take a type and a
                    // declarator; any other is a word of the head ("const",
                    // an attribute macro)
                    if (is_identifier_start(d) && is_identifier_list(line, paren_open, i)) {
                        const int after = skip_blanks(line, skip_identifier(line, next));
                        if (after >= n) break;
                        if (line[after] != ';' && line[after] != '{') {
                            cut_head(head, line, i + 1, next);
                            return kComplete;
                        }
                    }
                    const int end = skip_head_words(line, next, map);
                    if (end >= n) break;
                    // a declaration follows a macro's line: "MACRO(1) namespace N {"
                    if (is_identifier_start(byte_at(line, end))) {
                        cut_head(head, line, i + 1, next);
                        return kComplete;
                    }
                    if (line[end] == '{') {
                        cut_head(head, line, end, end);
                        return kComplete;
                    }
                    if (line[end] == ';') {
                        cut_head(head, line, end + 1, end + 1);
                        return kComplete;
                    }
                    if (line[end] == ':' && byte_at(line, end + 1) != ':') constructor_init = true;
                    // "= 0", "= default", a further declarator: read on from there
                    i = end - 1;
                    continue;
                }
            }
            if (d == ':' && byte_at(line, next + 1) != ':') constructor_init = true;
            if (d == ',' && !constructor_init && !pointer) comma_after_head = true;
        } else if (c == ';' && paren == 0 && brace == 0) {
            cut_head(head, line, i + 1, i + 1);
            if (class_head || initializer) strip_brace_bodies(head);
            return kComplete;
        } else if (c == '=' && paren == 0 && brace == 0 && !assigned && !is_operator_name_end(line, i)) {
            assigned = true;
            if (followed_by_brace(line, i + 1) && g_analysis.profile->initializer_in_declaration) initializer = true;
        } else if (c == '=' && followed_by_brace(line, i + 1) && g_analysis.profile->initializer_in_declaration) {
            initializer = true;
        } else if (c == '{') {
            // the "{" of a class's member list: the members are read one by
            // one; an empty list stays in the declaration
            std::string& name = g_analysis.scratch.aggregate_name;
            if (paren == 0 && brace == 0 && !initializer && !assigned && !g_analysis.aggregate_rebuilt &&
                aggregate_head_name(std::string_view(line).substr(0, static_cast<size_t>(i)), name) != 0) {
                if (byte_at(line, skip_blanks(line, i + 1)) != '}') {
                    cut_head(head, line, i + 1, i + 1);
                    return kComplete;
                }
                class_head = true;
            }
            if (!class_head && !initializer && paren == 0 && brace == 0) {
                cut_head(head, line, i + 1, i + 1);
                return kComplete;
            }
            ++brace;
        } else if (c == '}') {
            // a "}" of the scope around ends what stands before it ("MACRO() }")
            if (brace == 0 && i > 0) {
                cut_head(head, line, i, i);
                return kComplete;
            }
            if (brace > 0) --brace;
            if (paren == 0 && !class_head && !initializer && brace == 0) {
                cut_head(head, line, i + 1, i + 1);
                return kComplete;
            }
        }
    }
    if (class_head || initializer) strip_brace_bodies(line);
    return kIncomplete;
}

int classify_statement(std::string& head, std::string& line, int& kind) {
    head.clear();
    kind = kStmtPlain;
    const int n = static_cast<int>(line.size());

    if (g_analysis.settings.asm_setting == 1) {
        if (g_analysis.asm_block_depth > 0) {
            if (line[0] == '}') {
                cut_head(head, line, 1, 1);
                g_analysis.asm_block_depth = 0;
                return kComplete;
            }
            kind = kStmtAsm;
            head.swap(line);
            line.clear();
            return kComplete;
        }
        int end = -1, block = 0;
        if (scan_asm_statement(line, end, block)) {
            kind = kStmtAsm;
            if (block) {
                cut_head(head, line, end, end);
                g_analysis.asm_block_depth = g_analysis.brace_depth + 1;
                return kComplete;
            }
            if (end > 0) {
                g_analysis.asm_statement_open = 0;
                cut_head(head, line, end, end);
                return kComplete;
            }
            g_analysis.asm_statement_open = 1;
            head.swap(line);
            line.clear();
            return kNeedsBody;
        }
    }

    // every head word starts with one of these; the rest are labels or plain
    // statements
    if (std::string_view("cdsiwfe}{").find(line[0]) == std::string_view::npos) {
        int label = is_label_statement(line);
        if (label > 0) {
            cut_head(head, line, label, label);
            return kComplete;
        }
        return split_plain_statement(head, line, kind);
    }
    if (starts_with_word(line, "case") || starts_with_word(line, "default")) {
        int colon = find_label_colon(line);
        if (colon < 0) return kIncomplete;
        cut_head(head, line, colon + 1, colon + 1);
        return kComplete;
    }
    if (starts_with_word(line, "switch")) {
        kind = kStmtSwitch;
        return split_condition_head(head, line, 6, kind);
    }
    // The "}" of "} else" that closes a braced statement under an if without
    // braces ("if (a) for (;;) { ... } else") is a unit of its own: the if's
    // level closes with the statement, and the else finds it
    if (line[0] == '}' && is_else_text(line) && g_analysis.brace_depth > 0 &&
        level_at(g_analysis.brace_depth).kind != kStmtIf && level_at(g_analysis.brace_depth).kind != kStmtElseIf) {
        cut_head(head, line, 1, 1);
        g_analysis.comment_for_next = true;  // the line's comment is the else's
        return kComplete;
    }
    static const struct {
        const char* word;
        int kind;
    } kConditionHeads[] = {
        {"if", kStmtIf},           {"while", kStmtWhile},       {"for", kStmtFor},
        {"} else if", kStmtElseIf}, {"}else if", kStmtElseIf}, {"else if", kStmtElseIf},
    };
    for (const auto& h : kConditionHeads) {
        if (!starts_with_word(line, h.word)) continue;
        kind = h.kind;
        if (kind == kStmtWhile && inside_do_level() && level_at(g_analysis.brace_depth).implicit)
            kind = kStmtDoWhile;
        return split_condition_head(head, line, static_cast<int>(std::string_view(h.word).size()), kind);
    }
    static const struct {
        const char* word;
        int kind;
    } kKeywordHeads[] = {{"else", kStmtElse}, {"} else", kStmtElse}, {"}else", kStmtElse}, {"do", kStmtDo}};
    for (const auto& h : kKeywordHeads) {
        if (!starts_with_word(line, h.word)) continue;
        kind = h.kind;
        return split_keyword_head(head, line, static_cast<int>(std::string_view(h.word).size()));
    }
    if (starts_with_word(line, "} while") || starts_with_word(line, "}while")) {
        kind = kStmtDoWhile;
        return split_condition_head(head, line, line[1] == ' ' ? 7 : 6, kind);
    }
    if (line[0] == '{') {
        cut_head(head, line, 1, 1);
        return kComplete;
    }
    if (line[0] == '}') {
        const ScannerLevel& level = level_at(g_analysis.brace_depth);
        if (g_analysis.brace_depth > 0 && level.kind == kStmtDo && !level.implicit && skip_blanks(line, 1) >= n)
            return kIncomplete;  // the "while" of the loop is still to come
        cut_head(head, line, 1, 1);
        return kComplete;
    }
    int label = is_label_statement(line);
    if (label > 0) {
        cut_head(head, line, label, label);
        return kComplete;
    }
    return split_plain_statement(head, line, kind);
}

// --- units ---------------------------------------------------------------------------------

namespace {

// Closes the implicit levels that a finished statement ends.
void close_implicit_levels(int kind) {
    int& depth = g_analysis.brace_depth;
    if (kind == kStmtDoWhile && depth > 0 && level_at(depth).kind == kStmtDo && level_at(depth).implicit) --depth;
    bool else_set = false;
    while (depth > 0 && level_at(depth).implicit) {
        const ScannerLevel& level = level_at(depth);
        if (level.kind == kStmtDo) break;
        if (!else_set && (level.kind == kStmtIf || level.kind == kStmtElseIf)) {
            g_analysis.else_may_follow = 1;
            g_analysis.else_depth = depth - 1;
            else_set = true;
        }
        --depth;
    }
}

// Looks past the lines after a closed "if" for an "else". Returns 1 when
// one was found (the joined text is pending), 0 when not, or an error.
int look_for_else(LineSource source, const std::string& head, std::string& unit_comment) {
    std::string absorbed;
    int comment_lines = 0;
    for (;;) {
        NextLine& next = g_analysis.scratch.next;
        int r = read_next(source, next);
        if (r == -1) return report_unexpected_end();
        if (r < 0) return r;
        if (is_else_text(next.text)) {
            std::string joined = head;
            if (!joined.empty()) joined += ' ';
            joined += next.text;
            join_comments(unit_comment, absorbed);
            join_comments(unit_comment, next.comment);
            g_analysis.pending_line = joined;
            g_analysis.pending_expanded = next.expanded;
            g_analysis.pending_comment = unit_comment;
            unit_comment.clear();
            return 1;
        }
        if (next.text.empty()) {
            if (!next.comment.empty()) ++comment_lines;
            join_comments(absorbed, next.comment);
            if (!absorbed.empty() && comment_lines >= kMaxAbsorbedCommentLines) {
                // the comments gathered so far go on their own; an else
                // after further ones still finds its if
                g_analysis.pending_line.clear();
                g_analysis.pending_comment = absorbed;
                return 0;
            }
            continue;
        }
        g_analysis.else_may_follow = 0;
        g_analysis.pending_line = next.text;
        g_analysis.pending_expanded = next.expanded;
        g_analysis.pending_line_number = next.line;
        g_analysis.pending_include_depth = next.include_depth;
        join_comments(absorbed, next.comment);
        g_analysis.pending_comment = absorbed;
        return 0;
    }
}

// A line longer than this is split into units a window at a time, so that
// each unit costs what its own text costs, however long its line.
constexpr size_t kPendingWindow = 8 * 1024;

// Keeps the pending line short: the part of a long line past the window
// waits in pending_rest. `more`: the unit goes on past the window, which
// takes more of the rest; `unit_start`: a unit begins, and a long line may
// be cut. Whether the window grew.
bool window_pending_line(bool more, bool unit_start = false) {
    AnalysisState& s = g_analysis;
    std::string& rest = s.pending_rest;
    if (s.pending_rest_at >= rest.size()) {
        rest.clear();
        s.pending_rest_at = 0;
        // only a line whose macros are expanded: a call may straddle the cut
        if (!unit_start || s.pending_line.size() <= 2 * kPendingWindow || s.pending_expanded == 0) return false;
        const size_t cut = static_cast<size_t>(char_boundary_at_or_before(s.pending_line, static_cast<int>(kPendingWindow)));
        rest.assign(s.pending_line, cut, std::string::npos);
        s.pending_line.resize(cut);
        return false;
    }
    if (!more && s.pending_line.size() >= kPendingWindow / 2) return false;
    // a unit that does not end within the window takes as much again
    size_t take = std::min(rest.size() - s.pending_rest_at, std::max(kPendingWindow, s.pending_line.size()));
    const std::string_view left = std::string_view(rest).substr(s.pending_rest_at);
    take = static_cast<size_t>(char_boundary_at_or_before(left, static_cast<int>(take)));
    if (take == 0) take = left.size();
    s.pending_line.append(left.substr(0, take));
    s.pending_rest_at += take;
    return true;
}

// What the unit loop does after a step that read further lines.
enum UnitStep : int { kStepDone = 0, kStepAgain = 1, kStepUnexpectedEnd = 2 };

// The head goes on past its line: the next line is joined to what is left.
// kStepAgain, kStepUnexpectedEnd (the head is what was gathered), or a failure.
int join_next_line(LineSource source, SourceUnit& unit, int size, std::string& head, int& result) {
    AnalysisState& s = g_analysis;
    NextLine& next = s.scratch.next;
    int rn = read_next(source, next);
    if (rn == -1) {
        head.swap(s.pending_line);
        s.pending_line.clear();
        return kStepUnexpectedEnd;
    }
    if (rn < 0) return rn;
    if (s.pending_line.empty()) unit.line = next.line;
    // what is left after the head most likely begins on the last line joined
    s.pending_line_number = next.line;
    int rj = join_declaration_text(s.pending_line, s.pending_comment, next.text, next.comment, size, size);
    s.pending_expanded = 0;  // a macro call may span the joined lines
    if (is_fatal_code(rj)) return rj;
    if (rj < -49 && result == 1) result = rj;
    return kStepAgain;
}

// The head wants a body that begins on a later line, and the next line
// decides: a blank line is passed over, a "{" opens the body, an "if" after
// "else" joins the head. kStepAgain, kStepDone, kStepUnexpectedEnd, or a
// failure.
int read_body_start(LineSource source, int kind, std::string& head) {
    AnalysisState& s = g_analysis;
    std::string& pc = s.pending_comment;
    pc += kCommentSeparator;
    NextLine& next = s.scratch.next;
    int rn = read_next(source, next);
    if (rn == -1) return kStepUnexpectedEnd;
    if (rn < 0) return rn;
    if (next.text.empty()) {
        pc.pop_back();
        join_comments(pc, next.comment);
        s.pending_line = head;
        return kStepAgain;
    }
    if (next.text[0] == '{') {
        std::string rest = next.text.substr(1);
        trim_leading_blanks(rest);
        head += " {";
        if (kind == kStmtAsm) {
            s.asm_block_depth = s.brace_depth + 1;
            s.asm_statement_open = 0;
        }
        if (rest.empty()) {
            pc.pop_back();
            join_comments(pc, next.comment);
        } else {
            pc += next.comment;
        }
        s.pending_line = rest;
        s.pending_expanded = next.expanded;
        s.pending_line_number = next.line;
        return kStepDone;
    }
    if (ends_with(head, "else") && starts_with_word(next.text, "if")) {
        pc.pop_back();
        join_comments(pc, next.comment);
        s.pending_line = head + " " + next.text;
        s.pending_expanded = next.expanded;
        return kStepAgain;
    }
    pc += next.comment;
    s.pending_line = next.text;
    s.pending_expanded = next.expanded;
    s.pending_line_number = next.line;
    s.pending_include_depth = next.include_depth;
    return kStepDone;
}

// A complete unit that closes an "if" (a lone "}", or nothing after an if
// whose body was one statement) looks past the lines after it for an
// "else". kStepAgain when one was joined to the head, kStepDone, or a failure.
int look_past_if(LineSource source, const std::string& head, std::string& unit_comment, bool& comment_taken) {
    AnalysisState& s = g_analysis;
    const bool lone_close = head == "}" && s.pending_line.empty() && s.brace_depth > 0 &&
                            (level_at(s.brace_depth).kind == kStmtIf || level_at(s.brace_depth).kind == kStmtElseIf);
    const bool empty_after_if = head.empty() && s.pending_line.empty() && s.else_may_follow != 0;
    if (!(lone_close || empty_after_if) || comment_taken) return kStepDone;
    take_unit_comment(unit_comment);
    comment_taken = true;
    const int found = look_for_else(source, head, unit_comment);
    if (found < 0) return found;
    if (found == 0) return kStepDone;
    comment_taken = false;
    return kStepAgain;
}

// Settles a finished unit's depth: extern "C" blocks, an else and its if,
// the braces of the head and the levels they open or close. The unit's
// result, or a failure that ends the reading.
}  // namespace

int scope_opened_by(std::string_view head, std::string& name) {
    head = without_trailing_blanks(without_leading_blanks(head));
    std::string block(head);
    block += " {";
    if (is_extern_c_block(block) != 0 || is_namespace_block(block) != 0) return 1;
    return aggregate_head_name(head, name) != 0 ? 2 : 0;
}

namespace {

// A head at file level that opens a scope, or the "}" that closes one.
// The head is emptied: the braces of a scope are no level of their own.
void open_or_close_scope(std::string& head, std::string& comment, int line) {
    AnalysisState& s = g_analysis;
    if (s.brace_depth != 0 || head.empty()) return;
    std::string& name = s.scratch.aggregate_name;
    const int kind = head.back() == '{' ? scope_opened_by(std::string_view(head).substr(0, head.size() - 1), name) : 0;
    // extern "C" { ... } and namespace N { ... } keep their declarations at depth 0
    if (kind == 1) {
        s.scopes.emplace_back();
        head.clear();
        return;
    }
    if (kind == 2) {
        ScannerScope scope;
        scope.members = true;
        scope.qualifier = s.scopes.empty() ? std::string{} : s.scopes.back().qualifier;
        if (!name.empty()) scope.qualifier += name + "::";
        scope.head.swap(head);
        scope.comment.swap(comment);
        scope.line = line;
        s.scopes.push_back(std::move(scope));
        s.member_body = 0;
        return;
    }
    if (head != "}" || s.scopes.empty()) return;
    head.clear();
    ScannerScope scope = std::move(s.scopes.back());
    s.scopes.pop_back();
    s.member_body = 0;
    if (!scope.members) return;
    // the class as one declaration, as it reads without its members, with
    // what follows its "}" ("} NODE, *PNODE;")
    std::string& rebuilt = scope.head;
    rebuilt += '}';
    if (!s.pending_line.empty() && s.pending_line[0] != ';') rebuilt += ' ';
    rebuilt += s.pending_line;
    s.pending_line.swap(rebuilt);
    join_comments(scope.comment, comment);
    comment.clear();
    const size_t cut = std::min(s.pending_comment.find(kCommentSeparator), s.pending_comment.size());
    join_comments(scope.comment, std::string_view(s.pending_comment).substr(0, cut));
    s.pending_comment.replace(0, cut, scope.comment);
    s.resume_line_number = s.pending_line_number;
    s.pending_line_number = scope.line;
    s.aggregate_rebuilt = true;
}

int place_unit(SourceUnit& unit, std::string& head, std::string& comment, int kind, int result) {
    AnalysisState& s = g_analysis;
    open_or_close_scope(head, comment, unit.line);

    // an else: is there an if for it?
    bool record_kind = true;
    const bool is_else = kind == kStmtElse || kind == kStmtElseIf;
    if (is_else) {
        if (s.else_may_follow && head[0] != '}') s.brace_depth = s.else_depth;
        int at = s.brace_depth - (head[0] == '}' ? 1 : 0) + 1;
        int recorded = level_at(at).kind;
        if (recorded != kStmtIf && recorded != kStmtElseIf) {
            // the warning names the line of the else, not the line read after it
            int& reader_line = g_analysis.current.line_number;
            const int saved = reader_line;
            reader_line = unit.line;
            int r = raise_warning(-109, kMsgElseWithoutIf);
            reader_line = saved;
            if (is_fatal_code(r)) return r;
            if (result == 1) result = -109;
            record_kind = false;
        }
    }
    if (!head.empty() && !is_else) s.else_may_follow = 0;
    if (is_else) s.else_may_follow = 0;

    // the while of a loop with a one-statement body stands at the loop's depth
    if (kind == kStmtDoWhile && s.brace_depth > 0 && level_at(s.brace_depth).kind == kStmtDo &&
        level_at(s.brace_depth).implicit)
        --s.brace_depth;
    const int before = s.brace_depth;
    s.brace_depth += count_braces(head);
    if (s.brace_depth < 0) {
        int r = raise_message(kMessageError, -111, kMsgUnmatchedBrace);
        if (is_fatal_code(r)) return r;
        if (result == 1) result = -111;
        s.brace_depth = 0;
    }
    const bool implicit = opens_body(kind) && !head.empty() && head.back() != '{';
    if (implicit) ++s.brace_depth;
    const bool closes_first = is_else && !head.empty() && head[0] == '}';
    const int from = closes_first ? before - 1 : before;
    if (s.brace_depth > from) {
        ScannerLevel& level = level_at(s.brace_depth);
        level.kind = record_kind ? kind : kStmtPlain;
        level.implicit = implicit;
    }
    if (s.asm_block_depth > s.brace_depth) s.asm_block_depth = 0;
    unit.depth = std::min(from, s.brace_depth);
    if (unit.depth < 0) unit.depth = 0;

    if ((kind == kStmtPlain && !head.empty() && head.back() != ':') || kind == kStmtDoWhile)
        close_implicit_levels(kind);
    return result;
}

}  // namespace

namespace {

int next_unit(SourceUnit& unit, LineSource source, int size) {
    AnalysisState& s = g_analysis;
    for (;;) {
        unit.text.clear();
        unit.comment.clear();
        unit.depth = unit.line = unit.include_depth = 0;
        // a comment of an earlier line that still waits on its own
        size_t separator = s.pending_comment.find(kCommentSeparator);
        if (separator != std::string::npos && s.pending_line.empty()) {
            take_unit_comment(unit.comment);
            unit.depth = s.brace_depth;
            unit.line = s.pending_line_number;
            unit.include_depth = s.pending_include_depth;
            if (unit.comment.empty()) continue;
            return 1;
        }
        if (s.pending_line.empty() && s.pending_comment.empty()) {
            NextLine& next = s.scratch.next;
            // between two units a header can be entered whole
            s.unit_start_read = s.header_units_dropped && source == next_source_line;
            int r = read_next(source, next);
            s.unit_start_read = false;
            if (r == -1) {
                if (s.brace_depth > 0 && s.end_reported == 0) {
                    unit.depth = 0;
                    unit.line = s.current.line_number;
                    return report_unexpected_end();
                }
                return -1;
            }
            if (r < 0) return r;
            s.pending_line.swap(next.text);
            s.pending_expanded = next.expanded;
            s.pending_comment.swap(next.comment);
            s.pending_line_number = next.line;
            s.pending_include_depth = next.include_depth;
        }
        unit.line = s.pending_line_number;
        unit.include_depth = s.pending_include_depth;

        if (!s.pending_line.empty() && s.pending_line[0] == '#') {
            unit.text.swap(s.pending_line);
            s.pending_line.clear();
            take_unit_comment(unit.comment);
            unit.depth = s.brace_depth;
            if (unit.text.empty() && unit.comment.empty()) continue;
            return 1;
        }

        int result = 1;
        int kind = kStmtPlain;
        std::string& head = s.scratch.head;
        std::string& unit_comment = s.scratch.unit_comment;
        head.clear();
        unit_comment.clear();
        bool comment_taken = false;
        bool unit_start = true;
        for (;;) {
            if (s.settings.control_macro_mode != 0 && !s.pending_line.empty() && !s.pending_expanded) {
                // a failed expansion leaves the line as it is; the message is written
                s.pending_expanded = 1;
                int r = expand_control_macros(s.pending_line, size);
                if (is_fatal_code(r)) return r;
                if (r < -49 && r != -132 && result == 1) result = r;
            }
            window_pending_line(false, unit_start);
            unit_start = false;
            int r;
            kind = kStmtPlain;
            if (s.pending_line.empty()) {
                head.clear();
                r = kComplete;
            } else if (s.brace_depth > 0) {
                r = classify_statement(head, s.pending_line, kind);
            } else {
                r = split_declaration(head, s.pending_line);
            }
            if (is_fatal_code(r)) return r;
            // the window ended where the head seemed to: its body follows in the rest
            if (r == kNeedsBody && s.pending_rest_at < s.pending_rest.size()) {
                s.pending_line.swap(head);
                window_pending_line(true);
                continue;
            }
            // what is left of a window takes more of its line before anything looks at it
            const bool grew = window_pending_line(false);
            if (r < 0) {
                result = r;
                break;
            }
            int step;
            if (r == kIncomplete && (grew || window_pending_line(true))) step = kStepAgain;
            else if (r == kIncomplete) step = join_next_line(source, unit, size, head, result);
            else if (r == kNeedsBody) step = read_body_start(source, kind, head);
            else step = look_past_if(source, head, unit_comment, comment_taken);
            if (step < 0) return step;
            if (step == kStepUnexpectedEnd) result = report_unexpected_end();
            if (step != kStepAgain) break;
        }
        if (s.comment_for_next) {
            s.comment_for_next = false;
    s.pending_rest.clear();
    s.pending_rest_at = 0;
        } else if (!comment_taken) {
            take_unit_comment(unit_comment);
        }
        if (s.aggregate_rebuilt) {
            s.aggregate_rebuilt = false;
            s.pending_line_number = std::max(s.pending_line_number, s.resume_line_number);
        }

        result = place_unit(unit, head, unit_comment, kind, result);
        if (is_fatal_code(result)) return result;

        unit.text.swap(head);
        unit.comment.swap(unit_comment);
        if (unit.text.empty() && unit.comment.empty() && result == 1) continue;
        return result;
    }
}

// Whether a unit of a member list goes to the converter: its member
// functions (head and body) and the comments that stand on their own do;
// the other members stay inside the class's declaration, as they did before.
bool take_member_unit(SourceUnit& unit) {
    AnalysisState& s = g_analysis;
    if (s.member_body == 2) {
        if (unit.depth == 0 && s.brace_depth == 0) s.member_body = 0;
        return true;
    }
    if (unit.text.empty()) return unit.depth == 0;
    if (s.member_body == 1 && unit.depth == 0 && unit.text[0] == '{') {
        s.member_body = s.brace_depth > 0 ? 2 : 0;
        return true;
    }
    s.member_body = 0;
    if (unit.depth != 0 || is_function_head(unit.text) == 0) return false;
    s.member_body = 1;
    if (s.profile->members_named_with_class) unit.scope = s.scopes.back().qualifier;
    return true;
}

}  // namespace

int next_source_unit(SourceUnit& unit, LineSource source, int size) {
    for (;;) {
        const int r = next_unit(unit, source, size);
        unit.scope.clear();
        if (r == -1 || is_fatal_code(r) || !in_member_list()) return r;
        if (take_member_unit(unit) || r != 1) return r;
    }
}

int fetch_source_unit(SourceUnit& unit) {
    for (;;) {
        // the units of include files go: nothing tells their lines were read
        g_analysis.header_units_dropped = true;
        int r = next_source_unit(unit, next_source_line, g_analysis.profile->line_size);
        g_analysis.header_units_dropped = false;
        if (r == -1 || r < -99) return r;
        if (unit.include_depth > 0 && r == 1) continue;
        return r;
    }
}

// --- reset ----------------------------------------------------------------------------------

int reset_scanner_state(int flags) {
    AnalysisState& s = g_analysis;
    if ((flags & kResetErrorFile) != 0 && !s.error_file.empty()) {
        if (!start_error_file(s.error_file.c_str())) return kCodeErrorFileOpen;
    }
    if ((flags & kResetState) == 0) return kCodeOk;

    s.heading_flag = 0;
    s.warnings_flag = 0;
    s.errors_flag = 0;
    s.in_comment = 0;
    s.line_start_in_comment = 0;
    close_all_source_files();
    if (s.current.handle >= 0) close_tracked_file(s.current.handle);
    s.current = SourceFile{};
    s.include_stack.clear();
    s.source_directory.clear();
    s.cond_depth = 0;
    std::fill(std::begin(s.cond_state), std::end(s.cond_state), 0);
    std::fill(std::begin(s.cond_saved_brace), std::end(s.cond_saved_brace), 0);
    std::fill(std::begin(s.cond_marker), std::end(s.cond_marker), 0);
    s.pending_line.clear();
    s.pending_comment.clear();
    s.pending_line_number = 0;
    s.pending_include_depth = 0;
    s.brace_depth = 0;
    s.levels.clear();
    s.else_may_follow = 0;
    s.else_depth = 0;
    s.scopes.clear();
    s.member_body = 0;
    s.aggregate_rebuilt = false;
    s.resume_line_number = 0;
    s.comment_for_next = false;
    s.asm_block_depth = 0;
    s.asm_statement_open = 0;
    s.end_reported = 0;
    if ((flags & kResetKeepMacros) == 0) {
        // the include look-ups and guards go with the macros they depend on
        clear_macro_table();
        s.include_answers.clear();
        s.guarded_headers.clear();
    }
    if ((flags & kResetNoUnix) == 0) {
        int r = define_macro("unix", "");
        if (r < -99) return r;
    }
    s.ignore_list.clear();
    if (!s.settings.ignore_file.empty()) {
        int r = read_ignore_file(s.settings.ignore_file.c_str());
        if (r < -99) return r;
    }
    return kCodeOk;
}
