// How the PAD generator reads its source on top of the shared analysis: the
// comment reader (multi-line comments inside functions, marked comments,
// comment directives, stand-alone comments), the line source that merges
// "/*-" continuation comments, and the lists of names.

#include <string>

#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "gravlet/converter/pad_generator.h"
#include "platform/kernel/file_io.h"

namespace pad {

namespace {

// The next line before the comment rules: a line read ahead, or the
// preprocessor's next line.
int pull_line(SourceLine& out) {
    State& s = g_pad;
    if (!s.reader_queue.empty()) {
        out = std::move(s.reader_queue.front());
        s.reader_queue.erase(s.reader_queue.begin());
        return out.result;
    }
    // the line's buffers serve again: cleared, not made anew
    out.code.clear();
    out.comment.clear();
    out.include_depth = 0;
    out.line = 0;
    if (s.reader_line > 0) {
        g_analysis.current.line_number = s.reader_line;
        s.reader_line = 0;
    }
    out.result = next_source_line(out.include_depth, out.code, out.comment, out.line);
    return out.result;
}

bool ends_comment(std::string_view comment) { return ends_with(without_trailing_blanks(comment), "*/") != 0; }

// Completes a comment that goes on over the following lines.
void gather_comment_lines(SourceLine& line) {
    while (!ends_comment(line.comment)) {
        SourceLine next;
        int r = pull_line(next);
        if (r != 1) {
            g_pad.reader_queue.insert(g_pad.reader_queue.begin(), std::move(next));
            return;
        }
        std::string added = next.comment;
        trim_leading_blanks(added);
        if (!added.empty()) {
            std::string joined = line.comment;
            trim_trailing_blanks(joined);
            if (!joined.empty()) joined += ' ';
            joined += added;
            int keep = char_boundary_at_or_before(joined, kLineSize - 1);
            joined.resize(static_cast<size_t>(keep));
            line.comment = joined;
        }
        if (!next.code.empty()) {
            // code after the comment's end is a line of its own
            next.comment.clear();
            g_pad.reader_queue.insert(g_pad.reader_queue.begin(), std::move(next));
            return;
        }
    }
}

// "/* ... -< text >- ... */": the text between the marks, marked to show.
bool take_marked_comment(SourceLine& line) {
    const std::string_view trimmed = without_trailing_blanks(line.comment);
    if (trimmed.substr(0, 2) != "/*" || !ends_with(trimmed, "*/")) return false;
    // few comments have the marks at all
    if (trimmed.find('<') == std::string_view::npos) return false;
    int open = find_substring(trimmed, "-<");
    int close = find_substring_backward(trimmed, ">-");
    if (open < 0 || close < open + 2) return false;
    if (g_pad.options.suppress_marked) {
        line.comment.assign(1, kSuppressed);
        return true;
    }
    const std::string_view inner = trimmed.substr(static_cast<size_t>(open) + 2, static_cast<size_t>(close - open - 2));
    std::string marked = std::string("/*") + kMarked;
    marked += inner;
    marked += "*/";
    line.comment = std::move(marked);
    return true;
}

void suppress(SourceLine& line) {
    if (g_pad.options.directives == 2 && is_simple_statement(line.code)) line.code.clear();
    line.comment.assign(1, kSuppressed);
}

// The comment directives of "--" and "--2". Returns whether the stand-alone
// rule still applies to the comment.
bool apply_comment_directive(SourceLine& line) {
    State& s = g_pad;
    std::string c = line.comment;
    trim_trailing_blanks(c);
    if (c.compare(0, 2, "/*") != 0) return true;
    auto blank_marks = [&](size_t count) {
        size_t at = c.size() - 2 - count;
        for (size_t i = 0; i < count; ++i) c[at + i] = ' ';
        line.comment = c;
    };
    bool keep = s.directive_range;
    bool standalone_rule = true;
    if (ends_with(c, "---*/") || ends_with(c, "+++*/")) {
        // plain comments
    } else if (ends_with(c, "--*/")) {
        blank_marks(2);
        s.directive_range = false;
        keep = false;
    } else if (ends_with(c, "++*/")) {
        blank_marks(2);
        s.directive_range = true;
        keep = true;
        standalone_rule = false;
    } else if (ends_with(c, "-*/")) {
        blank_marks(1);
        keep = false;
    } else if (ends_with(c, "+*/")) {
        blank_marks(1);
        keep = true;
        standalone_rule = false;
    }
    if (!keep) {
        suppress(line);
        return false;
    }
    return standalone_rule;
}

void apply_standalone_comment_rule(SourceLine& line) {
    if (line.comment.compare(0, 2, "/*") != 0 || !line.code.empty() || is_dash_comment(line.comment)) return;
    if (g_pad.options.keep_standalone) {
        line.comment.insert(2, 1, kMarked);
        return;
    }
    line.comment.assign(1, kSuppressed);
}

void update_asm_state(const SourceLine& line) {
    int& state = g_pad.asm_state;
    if (state == 0 && starts_with_word(line.code, "_asm")) {
        int after = skip_blanks(line.code, 4);
        if (byte_at(line.code, after) == '{') state = 2;
        else if (after >= static_cast<int>(line.code.size())) state = 1;
    } else if (state == 1 && !(line.code.empty() && line.comment.empty())) {
        state = 2;
    }
}

}  // namespace

bool is_dash_comment(std::string_view comment) {
    return comment.substr(0, 3) == "/*-" && byte_at(comment, 3) != '-';
}

namespace {

// The reader's count of open braces leaves out those of namespace, extern
// "C" and class bodies: what stands in them stands outside any function.
void count_reader_braces(std::string_view code) {
    State& s = g_pad;
    if (code.empty() || code[0] == '#') return;
    std::string& head = s.reader_head;
    // most lines hold no brace
    if (code.find_first_of("{};") == std::string_view::npos) {
        if (s.brace_count == 0 && head.size() < 64 * 1024) head.append(code).push_back(' ');
        return;
    }
    std::vector<unsigned char>& map = s.reader_literals;
    mark_literals(code, map);
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (map[i] == 0 && s.brace_count > 0) {
            s.brace_count += (c == '{') - (c == '}');
            continue;
        }
        if (map[i] == 0 && c == '{') {
            std::string name;
            if (scope_opened_by(head, name) != 0) ++s.reader_scopes;
            else ++s.brace_count;
            head.clear();
        } else if (map[i] == 0 && c == '}') {
            if (s.reader_scopes > 0) --s.reader_scopes;
            else --s.brace_count;
            head.clear();
        } else if (map[i] == 0 && c == ';') {
            head.clear();
        } else if (s.brace_count == 0) {
            head += c;
        }
    }
    // a declaration that never ends is no head of a scope
    if (head.size() > 64 * 1024) head.clear();
    if (s.brace_count == 0) head += ' ';
}

}  // namespace

int fetch_commented_line(SourceLine& out) {
    State& s = g_pad;
    int r = pull_line(out);
    if (r != 1) return r;
    count_reader_braces(out.code);
    const bool inside = s.brace_count > 0;
    if (inside && !out.comment.empty() && !ends_comment(out.comment)) gather_comment_lines(out);
    if (!out.comment.empty() && !take_marked_comment(out) && inside) {
        bool standalone_rule = s.options.directives == 0 || apply_comment_directive(out);
        if (standalone_rule) apply_standalone_comment_rule(out);
    }
    if (out.code.empty() && out.comment.empty() && out.include_depth == 0) s.blank_lines.push_back(out.line);
    return 1;
}

int next_merged_source_line(int& include_depth, std::string& code, std::string& comment, int& line_number) {
    State& s = g_pad;
    if (s.holding) s.merged_slot ^= 1;
    SourceLine& line = s.source_lines[s.merged_slot];
    SourceLine& h = s.source_lines[s.merged_slot ^ 1];
    int r;
    if (s.holding) {
        s.holding = false;
        r = line.result;
    } else {
        r = fetch_commented_line(line);
        line.result = r;
    }
    if (r == 1 && !(line.code.empty() && line.comment.empty())) {
        for (;;) {
            update_asm_state(line);
            h.result = fetch_commented_line(h);
            s.holding = true;
            if (h.result != 1 || !h.code.empty() || !is_dash_comment(h.comment)) break;
            h.comment[2] = s.options.bar_joiner ? '|' : ' ';
            std::string no_code;
            int j = join_declaration_text(line.code, line.comment, no_code, h.comment, kLineSize, kLineSize);
            s.holding = false;
            if (j < -99) return j;
        }
        if (s.asm_state == 2) s.asm_state = 0;
        // the reader is a line ahead; until it reads on, messages name this line
        if (s.holding && h.result == 1 && h.include_depth == line.include_depth &&
            static_cast<int>(g_analysis.include_stack.size()) == line.include_depth) {
            s.reader_line = g_analysis.current.line_number;
            g_analysis.current.line_number = line.line;
        }
    }
    include_depth = line.include_depth;
    code.swap(line.code);
    comment.swap(line.comment);
    line_number = line.line;
    return r;
}

int add_name(std::vector<std::string>& list, std::string_view name) {
    if (pool_copy_string(name) == nullptr) return kCodeNoMemoryConverter;
    list.emplace_back(name);
    return kCodeOk;
}

bool is_listed(const std::vector<std::string>& list, std::string_view name) {
    for (const std::string& n : list)
        // the length and the first byte tell most names apart without a compare
        if (n.size() == name.size() && (name.empty() || n[0] == name[0]) && n == name) return true;
    return false;
}

int add_name(NameList& list, std::string_view name) {
    if (pool_copy_string(name) == nullptr) return kCodeNoMemoryConverter;
    list.names.emplace(name);
    const unsigned mark = NameList::mark_of(name);
    list.marks[mark >> 6] |= 1ULL << (mark & 63);
    return kCodeOk;
}

bool is_listed(const NameList& list, std::string_view name) {
    const unsigned mark = NameList::mark_of(name);
    if ((list.marks[mark >> 6] & (1ULL << (mark & 63))) == 0) return false;
    return list.names.find(name) != list.names.end();
}

int read_name_list(const std::string& name, std::vector<std::string>& list) {
    if (name.empty()) return kCodeOk;
    std::vector<std::string> lines;
    if (!read_control_lines(name, kGravletConverter, lines)) return -1;
    for (std::string& line : lines) {
        if (line.empty() || line[0] == ' ' || line[0] == '#') continue;
        size_t blank = line.find(' ');
        if (blank != std::string::npos) line.resize(blank);
        int r = add_name(list, line);
        if (r < -49) return r;
    }
    return kCodeOk;
}

int is_type_head(std::string_view text) {
    static const char* const kWords[] = {"struct", "union", "enum"};
    int after = skip_class_head_prefix_words(text);
    return find_word_in_list(text.substr(static_cast<size_t>(after)), kWords, 3) >= 0 ? 1 : 0;
}

int count_brace_balance_pad(std::string_view text) {
    // most lines have no brace at all
    if (text.find('{') == std::string_view::npos && text.find('}') == std::string_view::npos) return 0;
    return count_braces(text);
}

bool is_simple_statement(std::string_view text) {
    static const char* const kWords[] = {"if", "else", "while", "switch", "for", "do"};
    for (const char* w : kWords)
        if (find_word(text, w) >= 0) return false;
    std::vector<unsigned char> map;
    mark_literals(text, map);
    int paren = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (map[i] != 0) continue;
        if (text[i] == '{' || text[i] == '}') return false;
        if (text[i] == '(') ++paren;
        if (text[i] == ')') --paren;
    }
    return paren == 0;
}

}  // namespace pad
