#include "common/analysis/text_utils.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

int length_of(std::string_view text) { return static_cast<int>(text.size()); }

bool in_set(std::string_view set, unsigned char c) { return set.find(static_cast<char>(c)) != std::string_view::npos; }

// True when pos holds the second byte of a double-byte character. The walk
// from the start is only paid for when the byte before could be a lead byte.
bool is_trail_at(std::string_view text, int pos) {
    if (pos <= 0 || pos >= length_of(text)) return false;
    if (!is_lead_byte(byte_at(text, pos - 1)) || !is_trail_byte(byte_at(text, pos))) return false;
    return dbcs_kind_at(text, pos) == 2;
}

// Backward skip over a run; a trail byte belongs to another character even
// when its value is in the run (0x5C, letters).
template <class InRun>
int skip_run_backward(std::string_view text, int pos, InRun in_run) {
    if (pos < 0) return -1;
    if (pos >= length_of(text)) return pos;  // the terminator ends every run
    while (pos >= 0 && in_run(byte_at(text, pos)) && !is_trail_at(text, pos)) --pos;
    return pos;
}

// Forward skip over a run, starting on a character boundary; a double-byte
// character is never part of a run.
template <class InRun>
int skip_run_forward(std::string_view text, int pos, InRun in_run) {
    const int n = length_of(text);
    pos = std::clamp(pos, 0, n);
    while (pos < n && in_run(byte_at(text, pos)) && !is_dbcs_at(text, pos)) ++pos;
    return pos;
}

bool is_quote(unsigned char c) { return c == '"' || c == '\''; }

// Position after the escape whose backslash is at pos. In a string literal a
// double-byte character after the backslash is escaped whole, so its trail
// byte cannot start another escape.
int escape_end(std::string_view text, int pos, bool step_dbcs) {
    return step_dbcs ? next_char(text, pos + 1) : pos + 2;
}

// End of the literal opened at pos (the position after its closing quote, or
// the length when unclosed). String literals step double-byte characters
// whole; character literals only escapes.
int literal_end(std::string_view text, int pos, bool step_dbcs, bool* closed = nullptr) {
    const int n = length_of(text);
    const unsigned char quote = byte_at(text, pos);
    if (closed != nullptr) *closed = false;
    int p = pos + 1;
    while (p < n) {
        const unsigned char b = byte_at(text, p);
        if (b == quote) {
            if (closed != nullptr) *closed = true;
            return p + 1;
        }
        if (step_dbcs && is_dbcs_at(text, p)) {
            p += 2;
        } else if (b == '\\') {
            p = escape_end(text, p, step_dbcs);
        } else {
            ++p;
        }
    }
    return n;  // unclosed: the literal runs to the end
}

// Output bounded to size - 1 bytes; a step of one or two bytes is written
// whole or not at all, so a double-byte character is never split.
struct BoundedOut {
    std::string& out;
    int limit;
    int column = 0;
    bool cut = false;

    BoundedOut(std::string& o, int size) : out(o), limit(std::max(size - 1, 0)) { out.clear(); }

    bool put(std::string_view bytes, int columns) {
        if (cut || length_of(out) + length_of(bytes) > limit) {
            cut = true;
            return false;
        }
        out.append(bytes);
        column += columns;
        return true;
    }
    bool put(std::string_view bytes) { return put(bytes, length_of(bytes)); }

    // Single-byte characters, one column each: as many as fit.
    bool put_run(std::string_view bytes) {
        if (cut) return false;
        const int room = limit - length_of(out);
        if (length_of(bytes) > room) {
            out.append(bytes.substr(0, static_cast<size_t>(room)));
            column += room;
            cut = true;
            return false;
        }
        out.append(bytes);
        column += length_of(bytes);
        return true;
    }

    // A tab outside literals: blanks up to the next tab stop, as many as fit.
    bool put_tab_blanks(int tab_width) {
        if (cut) return false;
        const int blanks = (column / tab_width + 1) * tab_width - column;
        const int room = limit - length_of(out);
        out.append(static_cast<size_t>(std::min(blanks, room)), ' ');
        column += std::min(blanks, room);
        if (blanks > room) cut = true;
        return !cut;
    }
    // A tab inside a literal stays a tab; the column still moves to the stop.
    bool put_tab_in_literal(int tab_width) { return put("\t", tab_width - column % tab_width); }
};

// Copies the character at pos inside a literal of the given quote and
// returns the position after it; sets closed when it was the closing quote.
int copy_literal_step(BoundedOut& o, std::string_view text, int pos, unsigned char quote, int tab_width,
                      bool& closed) {
    const int n = length_of(text);
    const unsigned char b = byte_at(text, pos);
    closed = false;
    if (b == quote) {
        closed = true;
        o.put(text.substr(pos, 1));
        return pos + 1;
    }
    if (b == '\t') {
        o.put_tab_in_literal(tab_width);
        return pos + 1;
    }
    if (quote == '"' && is_dbcs_at(text, pos)) {
        o.put(text.substr(pos, 2));
        return pos + 2;
    }
    if (b == '\\' && pos + 1 < n) {
        if (byte_at(text, pos + 1) == '\t') {
            if (o.put("\\")) o.put_tab_in_literal(tab_width);
            return pos + 2;
        }
        const int end = escape_end(text, pos, quote == '"');
        o.put(text.substr(pos, end - pos));
        return end;
    }
    o.put(text.substr(pos, 1));
    return pos + 1;
}

// Bytes that end a run of plain characters, besides the tab and every byte
// from 0x80 (a double-byte character is a step of its own).
struct RunStops {
    bool stop[128] = {};
    constexpr explicit RunStops(std::string_view bytes) {
        stop[static_cast<unsigned char>('\t')] = true;
        for (char c : bytes) stop[static_cast<unsigned char>(c)] = true;
    }
    bool operator()(unsigned char b) const { return b >= 128 || stop[b]; }
};

// The end of the run of plain single-byte characters from pos.
int run_end(std::string_view text, int pos, const RunStops& stops) {
    const int n = length_of(text);
    while (pos < n && !stops(static_cast<unsigned char>(text[static_cast<size_t>(pos)]))) ++pos;
    return pos;
}

// Code outside literals and comments: tabs become blanks, a double-byte
// character is one step, a run of plain characters is copied at once.
int copy_code_step(BoundedOut& o, std::string_view text, int pos, int tab_width, const RunStops& stops) {
    if (byte_at(text, pos) == '\t') {
        o.put_tab_blanks(tab_width);
        return pos + 1;
    }
    const int end = run_end(text, pos, stops);
    if (end > pos) {
        o.put_run(text.substr(static_cast<size_t>(pos), static_cast<size_t>(end - pos)));
        return end;
    }
    const int next = next_char(text, pos);
    o.put(text.substr(pos, next - pos));
    return next;
}

int clamp_tab_width(int tab_width) { return tab_width < 1 ? 1 : tab_width; }

}  // namespace

// --- Shift-JIS -----------------------------------------------------------


namespace {
// A character boundary at or before pos: a byte that is no lead byte always
// ends its character (alone or as a trail), so the walk may start after the
// last such byte instead of at the start of the text.
int known_boundary_before(std::string_view text, int pos) {
    pos = std::min(pos, length_of(text));
    while (pos > 0 && is_lead_byte(static_cast<unsigned char>(text[static_cast<size_t>(pos - 1)]))) --pos;
    return pos;
}
}  // namespace

int char_boundary_at_or_before(std::string_view text, int n) {
    if (n <= 0) return 0;
    int pos = known_boundary_before(text, n);
    while (pos < n && pos < length_of(text)) {
        const int next = next_char(text, pos);
        if (next > n) break;
        pos = next;
    }
    return pos;
}

// --- character classes ---------------------------------------------------


// --- skipping --------------------------------------------------------------

int skip_char_backward(std::string_view text, char c, int pos) {
    return skip_run_backward(text, pos, [c](unsigned char b) { return b == static_cast<unsigned char>(c); });
}

int skip_set_backward(std::string_view text, std::string_view set, int pos) {
    return skip_run_backward(text, pos, [set](unsigned char b) { return in_set(set, b); });
}

int skip_blanks_backward(std::string_view text, int pos) { return skip_run_backward(text, pos, is_blank); }

int skip_identifier_backward(std::string_view text, int pos) {
    return skip_run_backward(text, pos, is_identifier_char);
}

int skip_char_forward(std::string_view text, char c, int pos) {
    return skip_run_forward(text, pos, [c](unsigned char b) { return b == static_cast<unsigned char>(c); });
}

int skip_set_forward(std::string_view text, std::string_view set, int pos) {
    return skip_run_forward(text, pos, [set](unsigned char b) { return in_set(set, b); });
}

int skip_digits(std::string_view text, int pos) {
    return skip_run_forward(text, pos, [](unsigned char b) { return b >= '0' && b <= '9'; });
}


int skip_literal(std::string_view text, int pos, char quote) {
    if (pos < 0 || pos >= length_of(text) || byte_at(text, pos) != static_cast<unsigned char>(quote)) return pos;
    return literal_end(text, pos, true);
}

int next_token_pos(std::string_view text, int pos) {
    if (is_identifier_char(byte_at(text, pos))) return skip_identifier(text, pos);
    return next_char(text, pos);
}

// --- words and searching ---------------------------------------------------


int find_word_in_list(std::string_view text, const char* const* list, int count) {
    if (list == nullptr) return -1;
    for (int i = 0; i < count; ++i) {
        // a word whose first byte differs is passed over before its length is taken
        if (list[i] == nullptr || (list[i][0] != '\0' && (text.empty() || text[0] != list[i][0]))) continue;
        if (starts_with_word(text, list[i])) return i;
    }
    return -1;
}

int find_char(std::string_view text, char c) {
    for (int pos = 0; pos < length_of(text); pos = next_char(text, pos)) {
        if (text[pos] == c) return pos;
    }
    return -1;
}

int find_marked_char(std::string_view text, char c, const std::vector<unsigned char>& map, int start,
                     unsigned char mark) {
    const int end = std::min(length_of(text), static_cast<int>(map.size()));
    for (int pos = std::max(start, 0); pos < end; pos = next_char(text, pos)) {
        if (text[pos] == c && map[pos] == mark) return pos;
    }
    return -1;
}

int find_marked_char_backward(std::string_view text, char c, const std::vector<unsigned char>& map,
                              int start, unsigned char mark) {
    if (start < 0 || start >= length_of(text)) return -1;
    for (int pos = std::min(start, static_cast<int>(map.size()) - 1); pos >= 0; --pos) {
        if (text[pos] == c && map[pos] == mark && !is_trail_at(text, pos)) return pos;
    }
    return -1;
}

int find_substring(std::string_view text, std::string_view pattern) {
    const int n = length_of(text);
    for (int pos = 0; pos <= n; pos = next_char(text, pos)) {
        if (text.substr(pos).starts_with(pattern)) return pos;
    }
    return -1;
}

int find_substring_backward(std::string_view text, std::string_view pattern) {
    const int n = length_of(text);
    int found = -1;
    for (int pos = 0; pos <= n; pos = next_char(text, pos)) {
        if (text.substr(pos).starts_with(pattern)) found = pos;
    }
    return found;
}

int find_word(std::string_view text, std::string_view word) {
    const int n = length_of(text);
    if (word.empty()) {
        for (int pos = 0; pos < n; pos = next_token_pos(text, pos))
            if (starts_with_word(text.substr(pos), word)) return pos;
        return -1;
    }
    // The token walk stops at every character that is neither inside an
    // identifier nor the second byte of a double-byte one: the word is
    // searched for directly and each place found is checked for that.
    const bool identifier_word = is_identifier_char(static_cast<unsigned char>(word[0]));
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const int pos = static_cast<int>(at);
        if (identifier_word && pos > 0 && is_identifier_char(byte_at(text, pos - 1)) && !is_trail_at(text, pos - 1))
            continue;
        if (is_trail_at(text, pos)) continue;
        if (starts_with_word(text.substr(at), word)) return pos;
    }
    return -1;
}

int ends_with(std::string_view text, std::string_view tail) {
    if (tail.size() > text.size()) return 0;
    const int cut = length_of(text) - length_of(tail);
    // The tail must start on a character, not on the trail byte of one.
    return text.substr(cut) == tail && char_boundary_at_or_before(text, cut) == cut ? 1 : 0;
}

int copy_identifier_at(std::string_view text, int pos, std::string& out, int size) {
    out.clear();
    if (pos < 0 || pos >= length_of(text)) return 1;
    const int end = is_identifier_char(byte_at(text, pos)) ? skip_identifier(text, pos) : next_char(text, pos);
    const std::string_view word = text.substr(pos, end - pos);
    const int limit = std::max(size - 1, 0);
    out.assign(word.substr(0, char_boundary_at_or_before(word, limit)));
    return length_of(word) <= limit ? 1 : 0;
}

int parse_int_at(std::string_view text, int pos, int& value) {
    bool negative = false;
    if (byte_at(text, pos) == '-') {
        negative = true;
        ++pos;
    }
    long long v = 0;
    for (; pos >= 0 && pos < length_of(text) && byte_at(text, pos) >= '0' && byte_at(text, pos) <= '9'; ++pos) {
        v = std::min(v * 10 + (byte_at(text, pos) - '0'), static_cast<long long>(INT_MAX) + 1);  // saturate
    }
    v = negative ? -v : std::min(v, static_cast<long long>(INT_MAX));
    value = static_cast<int>(v);
    return pos;
}

int clamp_int(int value, int low, int high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// --- trimming and editing --------------------------------------------------

void strip_newline(std::string& text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
}

// A byte below 0x40 is neither a lead nor a trail byte: runs of it are plain.
bool is_plain_byte(char c) { return static_cast<unsigned char>(c) < 0x40; }

void trim_trailing_char(std::string& text, char c) {
    if (is_plain_byte(c)) {
        const size_t last = text.find_last_not_of(c);
        text.resize(last == std::string::npos ? 0 : last + 1);
        return;
    }
    int end = skip_char_backward(text, c, length_of(text) - 1);
    text.resize(static_cast<size_t>(end + 1));
}

void trim_trailing_blanks(std::string& text) { trim_trailing_char(text, ' '); }

void trim_leading_char(std::string& text, char c) {
    if (is_plain_byte(c)) {
        const size_t first = text.find_first_not_of(c);
        if (first != 0) text.erase(0, first == std::string::npos ? text.size() : first);
        return;
    }
    text.erase(0, static_cast<size_t>(skip_char_forward(text, c, 0)));
}

void trim_leading_blanks(std::string& text) { trim_leading_char(text, ' '); }

void squeeze_blanks(int mode, std::string& text) {
    const std::string_view in = text;
    const int n = length_of(in);
    std::string out;
    out.reserve(text.size());
    bool last_was_identifier = false;  // the last character written
    int pos = 0;
    while (pos < n) {
        const unsigned char b = byte_at(in, pos);
        if (is_blank(b)) {
            const int after = skip_blanks(in, pos);
            if (mode == 1) {
                const unsigned char next = byte_at(in, after);
                if (last_was_identifier && is_identifier_char(next) && !is_dbcs_at(in, after)) out.push_back(' ');
            } else {
                out.push_back(' ');
            }
            last_was_identifier = false;
            pos = after;
        } else if (is_quote(b)) {
            const int end = literal_end(in, pos, b == '"');
            out.append(in.substr(pos, end - pos));
            last_was_identifier = false;
            pos = end;
        } else if (b < 0x80) {
            // a run of single-byte characters up to the next blank or quote
            int end = pos + 1;
            while (end < n) {
                const unsigned char c = byte_at(in, end);
                if (c >= 0x80 || is_blank(c) || is_quote(c)) break;
                ++end;
            }
            out.append(in.substr(pos, end - pos));
            last_was_identifier = is_identifier_char(byte_at(in, end - 1));
            pos = end;
        } else {
            const int next = next_char(in, pos);
            out.append(in.substr(pos, next - pos));
            last_was_identifier = next == pos + 1 && is_identifier_char(b);
            pos = next;
        }
    }
    text = std::move(out);
}

int remove_blanks(std::string_view text, std::string& out, int size) {
    std::string all;
    for (char c : text) {
        if (!is_blank(static_cast<unsigned char>(c))) all.push_back(c);
    }
    const int limit = std::max(size - 1, 0);
    const int cut = char_boundary_at_or_before(all, limit);
    out.assign(all, 0, static_cast<size_t>(cut));
    return cut == length_of(all) ? 1 : 0;
}

int prepend_char(std::string& text, char c, int size) {
    if (length_of(text) + 1 >= size) return 0;
    text.insert(text.begin(), c);
    return 1;
}

int prepend_string(std::string& text, std::string_view prefix, int size) {
    constexpr long long kLongestJoined = 1023;  // a joined text never reaches 1024 bytes
    const long long joined = static_cast<long long>(text.size()) + static_cast<long long>(prefix.size());
    if (joined >= size || joined > kLongestJoined) return 0;
    text.insert(0, prefix);
    return 1;
}

void move_string(std::string& target, std::string& source) {
    if (&target == &source) return;  // moving a text onto itself keeps it
    target = source;
    source.clear();
}

void append_prefix(std::string& target, std::string_view text, int n) {
    if (n <= 0) return;
    // Cut on a character boundary so that no half of a double-byte character
    // is left at the end.
    target.append(text.substr(0, static_cast<size_t>(char_boundary_at_or_before(text, n))));
}

void overlay_prefix(std::string& target, std::string_view text, int n) {
    n = std::clamp(n, 0, length_of(text));
    if (length_of(target) < n) target.resize(static_cast<size_t>(n));
    target.replace(0, static_cast<size_t>(n), text.substr(0, static_cast<size_t>(n)));
}

int compare_prefix(std::string_view a, std::string_view b, int n) {
    if (n >= 0 && length_of(a) >= n && length_of(b) >= n) {
        a = a.substr(0, static_cast<size_t>(n));
        b = b.substr(0, static_cast<size_t>(n));
    }
    const int r = a.compare(b);  // char_traits<char> compares bytes as unsigned
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// --- file names --------------------------------------------------------------

int find_extension_dot(std::string_view name) {
    // Walking forward gives the last dot after the last separator; the walk
    // steps double-byte characters whole, so a trail byte 0x5C is no "\".
    int dot = -1;
    for (int pos = 0; pos < length_of(name); pos = next_char(name, pos)) {
        const unsigned char b = byte_at(name, pos);
        if (b == '.') {
            dot = pos;
        } else if ((b == '\\' || b == '/' || b == ':') && !is_dbcs_at(name, pos)) {
            dot = -1;
        }
    }
    return dot;
}

void replace_extension(std::string& name, std::string_view extension) {
    const int dot = find_extension_dot(name);
    if (dot >= 0) name.resize(static_cast<size_t>(dot));
    if (extension.empty() || extension.front() != '.') name.push_back('.');
    name.append(extension);
}

// --- maps ----------------------------------------------------------------------

int mark_literals(std::string_view text, std::vector<unsigned char>& map) {
    const int n = length_of(text);
    map.assign(text.size() + 1, 0);  // the terminator's entry stays 0
    int count = 0;
    int pos = 0;
    while (pos < n) {
        // quotes are never part of a double-byte character, so the walk can
        // jump from one to the next
        const char* from = text.data() + pos;
        const size_t left = static_cast<size_t>(n - pos);
        const void* dq = std::memchr(from, '"', left);
        const void* sq = std::memchr(from, '\'', dq != nullptr ? static_cast<size_t>(static_cast<const char*>(dq) - from) : left);
        const void* quote = sq != nullptr ? sq : dq;
        if (quote == nullptr) break;
        pos += static_cast<int>(static_cast<const char*>(quote) - from);
        const unsigned char b = byte_at(text, pos);
        bool closed = false;
        const int end = literal_end(text, pos, b == '"', &closed);
        map[pos] = 2;
        for (int i = pos + 1; i < end; ++i) map[i] = 1;
        if (closed) map[end - 1] = 3;
        pos = end;
        ++count;
    }
    return count;
}

char mark_paren_depth(std::string_view text, std::vector<unsigned char>& map) {
    std::vector<unsigned char> literals;
    mark_literals(text, literals);
    const int n = length_of(text);
    map.assign(text.size() + 1, 0);
    int depth = 0;
    for (int pos = 0; pos < n; ++pos) {
        const unsigned char b = byte_at(text, pos);
        if (literals[pos] != 0) {
            map[pos] = static_cast<unsigned char>('D' + depth);
        } else if (b == '(') {
            ++depth;
            map[pos] = static_cast<unsigned char>('0' + depth);
        } else if (b == ')') {
            map[pos] = static_cast<unsigned char>('0' + depth);
            if (depth > 0) --depth;  // an unmatched ")" does not go below the base
        } else {
            map[pos] = static_cast<unsigned char>('0' + depth);
        }
    }
    return '0';
}

int next_dbcs_state(int state, unsigned char byte, unsigned char next) {
    // State 1 means the previous byte was a lead byte whose trail is this one.
    if (state == 1 && is_trail_byte(byte)) return 2;
    return is_lead_byte(byte) && is_trail_byte(next) ? 1 : 0;
}

int dbcs_kind_at(std::string_view text, int pos) {
    if (pos < 0 || pos >= length_of(text)) return 0;
    int p = known_boundary_before(text, pos);
    while (true) {
        const int next = next_char(text, p);
        if (pos < next) return pos == p ? (next - p == 2 ? 1 : 0) : 2;
        p = next;
    }
}

int map_dbcs_bytes(std::string_view text, std::vector<unsigned char>& map) {
    map.assign(text.size() + 1, 0);
    int count = 0;
    for (int pos = 0; pos < length_of(text); pos = next_char(text, pos)) {
        if (is_dbcs_at(text, pos)) {
            map[pos] = 1;
            map[pos + 1] = 2;
            ++count;
        }
    }
    return count;
}

// --- tab expansion ---------------------------------------------------------------

int expand_tabs_bounded(std::string& out, std::string_view text, int mode, int tab_width, int size) {
    static constexpr RunStops kCode(""), kCodeBeforeQuotes("\"'");
    const RunStops& stops = mode == 1 ? kCodeBeforeQuotes : kCode;
    tab_width = clamp_tab_width(tab_width);
    BoundedOut o(out, size);
    if (text.find('\t') == std::string_view::npos && mode != 1) {
        // nothing to expand: the text as far as it fits, whole characters
        const int keep = length_of(text) <= o.limit ? length_of(text) : char_boundary_at_or_before(text, o.limit);
        out.assign(text.substr(0, static_cast<size_t>(keep)));
        return keep == length_of(text) ? 1 : 0;
    }
    const int n = length_of(text);
    int pos = 0;
    unsigned char quote = 0;  // the open literal's quote, 0 outside literals
    while (pos < n && !o.cut) {
        const unsigned char b = byte_at(text, pos);
        if (quote != 0) {
            bool closed = false;
            pos = copy_literal_step(o, text, pos, quote, tab_width, closed);
            if (closed) quote = 0;
        } else if (mode == 1 && is_quote(b)) {
            if (o.put(text.substr(pos, 1))) quote = b;
            ++pos;
        } else {
            pos = copy_code_step(o, text, pos, tab_width, stops);
        }
    }
    return o.cut ? 0 : 1;
}

int expand_tabs_in_source(std::string& out, std::string_view text, int in_comment, int tab_width, int size) {
    // in a comment only "*/" matters; in code "/*" and the quotes
    static constexpr RunStops kInComment("*"), kInCode("/\"'");
    tab_width = clamp_tab_width(tab_width);
    BoundedOut o(out, size);
    const int n = length_of(text);
    int pos = 0;
    bool comment = in_comment == 1;
    unsigned char quote = 0;
    while (pos < n && !o.cut) {
        const unsigned char b = byte_at(text, pos);
        if (comment) {
            if (b == '*' && byte_at(text, pos + 1) == '/') {
                if (o.put(text.substr(pos, 2))) comment = false;
                pos += 2;
            } else {
                pos = copy_code_step(o, text, pos, tab_width, kInComment);
            }
        } else if (quote != 0) {
            bool closed = false;
            pos = copy_literal_step(o, text, pos, quote, tab_width, closed);
            if (closed) quote = 0;
        } else if (b == '/' && byte_at(text, pos + 1) == '*') {
            if (o.put(text.substr(pos, 2))) comment = true;
            pos += 2;
        } else if (is_quote(b)) {
            if (o.put(text.substr(pos, 1))) quote = b;
            ++pos;
        } else {
            pos = copy_code_step(o, text, pos, tab_width, kInCode);
        }
    }
    return o.cut ? 0 : 1;
}
