// The conditional stack: which lines lie in an active region, and the
// directives that change it.

#include "common/analysis/analysis_state.h"
#include "common/analysis/if_eval.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"

namespace {

constexpr int kMaxConditionalDepth = 20;

enum DirectiveClass : int {
    kClassOther = 0,
    kClassIfTrue = 1,
    kClassIfFalse = 2,
    kClassElifTrue = 3,
    kClassElifFalse = 4,
    kClassElse = 5,
    kClassEndif = 6,
};

// Rows: state of the current level (0 active, 1 skipping with no branch
// taken, 2 skipping after a taken branch); columns: DirectiveClass. High
// half 1 pushes a level, 2 pops it; low half is the new state, 3 leaves it.
constexpr unsigned char kTransitions[3][7] = {
    /* 0 */ {0x00, 0x10, 0x11, 0x02, 0x02, 0x01, 0x23},
    /* 1 */ {0x01, 0x10, 0x11, 0x00, 0x01, 0x00, 0x23},
    /* 2 */ {0x02, 0x10, 0x11, 0x02, 0x02, 0x02, 0x23},
};

bool levels_active(int upto) {
    for (int level = 0; level <= upto; ++level)
        if (g_analysis.cond_state[level] != 0) return false;
    return true;
}

// The directive word after "#" and its blanks; empty when not a directive.
std::string_view directive_word(std::string_view line) {
    int i = skip_blanks(line, 0);
    if (byte_at(line, i) != '#') return {};
    return line.substr(skip_blanks(line, i + 1));
}

int skipped_class(std::string_view word) {
    if (starts_with_word(word, "if") || starts_with_word(word, "ifdef") || starts_with_word(word, "ifndef"))
        return kClassIfTrue;
    if (starts_with_word(word, "elif")) return kClassElifTrue;
    if (starts_with_word(word, "else")) return kClassElse;
    if (starts_with_word(word, "endif")) return kClassEndif;
    return kClassOther;
}

// Evaluates the expression that follows a directive word of `skip` bytes.
int evaluate_condition(std::string_view word, int skip, int true_class, int false_class) {
    std::string expression(word.substr(static_cast<size_t>(skip)));
    replace_defined(expression);
    int r = expand_if_macros(expression, g_analysis.profile->line_size, 1, 1);
    if (r < -99) return r;
    if (r < -49) return raise_message(kMessageError, -113, kMsgIfSyntax);
    int error = 0;
    int32_t value = evaluate_if_expression(expression, error);
    if (error != 0) return raise_message(kMessageError, -113, kMsgIfSyntax);
    return value != 0 ? true_class : false_class;
}

int lookup_class(std::string_view word, int skip, bool defined_is_true) {
    std::string name(word.substr(static_cast<size_t>(skip)));
    trim_leading_blanks(name);
    bool defined = find_macro(name) != nullptr;
    return defined == defined_is_true ? kClassIfTrue : kClassIfFalse;
}

}  // namespace

bool region_active() { return levels_active(g_analysis.cond_depth); }

int directive_operand(std::string_view line, std::string_view word) {
    int i = skip_blanks(line, 0);
    if (byte_at(line, i) != '#') return -1;
    i = skip_blanks(line, i + 1);
    if (!starts_with_word(line.substr(i), word)) return -1;
    return skip_blanks(line, i + static_cast<int>(word.size()));
}

int read_directive_comment(std::string& comment) {
    if (g_analysis.abort_request != 0) return -137;
    if (comment.size() <= 1 || ends_with(comment, "*/")) return kCodeOk;
    const size_t limit = static_cast<size_t>(g_analysis.profile->line_size - 1);
    int previous = -1;
    bool cr_pending = false;  // sources are read in binary: CR LF ends a line as LF does
    for (;;) {
        int c = read_next_char();
        if (c < 0) {
            g_analysis.in_comment = 0;
            return raise_message(kMessageError, -120, kMsgUnclosedComment);
        }
        if (c == '\r') {
            cr_pending = true;
            previous = c;
            continue;
        }
        if (cr_pending && c != '\n' && comment.size() < limit) comment += ' ';
        cr_pending = false;
        if (c == '\n') {
            ++g_analysis.current.line_number;
        } else if (comment.size() < limit) {
            comment += static_cast<char>(c >= 1 && c <= 19 ? ' ' : c);
        }
        if (previous == '*' && c == '/') break;
        previous = c;
    }
    // a comment cut at its bound still closes
    if (!ends_with(comment, "*/")) {
        comment.resize(static_cast<size_t>(char_boundary_at_or_before(comment, static_cast<int>(limit) - 2)));
        comment += "*/";
    }
    replace_trigraphs(comment);
    g_analysis.in_comment = 0;
    return kCodeOk;
}

int handle_conditional_directive(std::string& line, std::string& comment, int enclosing_active) {
    std::string_view word = directive_word(line);
    if (word.empty() && byte_at(line, skip_blanks(line, 0)) != '#') return kClassOther;
    int r = read_directive_comment(comment);
    if (r != kCodeOk) return r;

    const bool alternative = starts_with_word(word, "elif") || starts_with_word(word, "else") ||
                             starts_with_word(word, "endif");
    // #elif, #else and #endif look at the levels around theirs; #if and every
    // other directive (#error) at the region they stand in
    const bool active = alternative ? (enclosing_active != 0) : region_active();
    if (!active) return skipped_class(word);

    AnalysisSettings& settings = g_analysis.settings;
    if (settings.conditional_mode == 2) {
        if (starts_with_word(word, "error")) {
            r = raise_warning(-138, "", line);
            return r < -99 ? r : kClassOther;
        }
        if (starts_with_word(word, "ifdef")) return lookup_class(word, 5, true);
        if (starts_with_word(word, "ifndef")) return lookup_class(word, 6, false);
        if (starts_with_word(word, "if")) return evaluate_condition(word, 2, kClassIfTrue, kClassIfFalse);
        if (starts_with_word(word, "elif")) return evaluate_condition(word, 4, kClassElifTrue, kClassElifFalse);
        if (starts_with_word(word, "else")) return kClassElse;
        if (starts_with_word(word, "endif")) return kClassEndif;
        return kClassOther;
    }

    // modes 0 and 1 keep every branch
    int depth = g_analysis.cond_depth;
    if (starts_with_word(word, "ifdef") || starts_with_word(word, "ifndef")) return kClassIfTrue;
    if (starts_with_word(word, "if")) {
        if (settings.conditional_mode == 1) {
            std::string rest(word.substr(2));
            trim_leading_blanks(rest);
            trim_trailing_blanks(rest);
            int next = depth + 1 < kMaxConditionalDepth ? depth + 1 : depth;
            g_analysis.cond_marker[next] = (rest == "0" || rest == "1") ? 1 : 0;
            if (rest == "0") return kClassIfFalse;
        }
        return kClassIfTrue;
    }
    if (starts_with_word(word, "elif")) {
        g_analysis.cond_state[depth] = 1;
        return kClassElifTrue;
    }
    if (starts_with_word(word, "else")) {
        if (settings.conditional_mode == 0) {
            g_analysis.cond_state[depth] = 1;
            return kClassElifTrue;
        }
        if (g_analysis.cond_marker[depth] == 0) g_analysis.cond_state[depth] = 1;
        return kClassElse;
    }
    if (starts_with_word(word, "endif")) return kClassEndif;
    return kClassOther;
}

int push_conditional(std::string& line, std::string& comment, int keep) {
    const int depth = g_analysis.cond_depth;
    const bool enclosing_active = levels_active(depth - 1);
    const bool was_active = enclosing_active && g_analysis.cond_state[depth] == 0;
    const bool is_directive = g_analysis.line_start_in_comment == 0 && byte_at(line, skip_blanks(line, 0)) == '#';

    int cls = kClassOther;
    if (is_directive) {
        cls = handle_conditional_directive(line, comment, enclosing_active ? 1 : 0);
        if (cls < 0) return cls < -99 || cls == -137 ? cls : keep;
    }

    unsigned char entry = kTransitions[g_analysis.cond_state[depth]][cls];
    int new_depth = depth;
    if ((entry >> 4) == 1) {
        new_depth = depth + 1;
        if (new_depth >= kMaxConditionalDepth) return raise_message(kMessageError, -123, kMsgIfNesting);
        g_analysis.cond_saved_brace[new_depth] = g_analysis.brace_depth;
        if (g_analysis.settings.conditional_mode != 1) g_analysis.cond_marker[new_depth] = 0;
    } else if ((entry >> 4) == 2) {
        new_depth = depth - 1;
        if (new_depth < 0) return raise_message(kMessageError, -124, kMsgUnmatchedEndif);
    } else if (g_analysis.settings.conditional_mode == 0 && (cls == kClassElifTrue || cls == kClassElifFalse ||
                                                             cls == kClassElse)) {
        g_analysis.brace_depth = g_analysis.cond_saved_brace[depth];
    }
    g_analysis.cond_depth = new_depth;
    if ((entry & 0x0F) != 3) g_analysis.cond_state[new_depth] = entry & 0x0F;

    if (region_active()) {
        // only a directive can include, define or undefine
        if (byte_at(line, skip_blanks(line, 0)) == '#') {
            int r = find_include_file(line);
            if (r < -99) return r;
            r = handle_define_directive(line);
            if (r < -99) return r;
            if (r == 0) handle_undef_directive(line);
        }
    } else {
        bool shown = (cls == kClassElifTrue || cls == kClassElifFalse || cls == kClassElse) ? enclosing_active
                                                                                          : was_active;
        if (!shown) {
            line.clear();
            comment.clear();
        }
    }
    if (keep == 0) return 0;
    if (byte_at(line, skip_blanks(line, 0)) == '#') return filter_directive_line(line);
    return 1;
}
