// What the three programs' source-list windows share: the source text held
// as numbered entries, its loading, the forward search and the scroll
// arithmetic. The windows themselves live with each program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxSourceLines = 10000;
// A stored line keeps at most this many bytes of the source line (one more
// when the last of them begins a double-byte character).
inline constexpr int kSourceLineBytes = 256;
// " %5d " in front of every entry's text.
inline constexpr int kSourceNumberPrefix = 7;
inline constexpr int kSourceRowHeight = 15;
inline constexpr int kSourceCharWidth = 7;

// The source as the list shows it: one entry per line, " %5d %s" with the
// line number from 1 and the text with its tabs expanded, then (unless the
// line limit was reached) the end marker "[EOF]" under the next number.
struct SourceText {
    std::vector<std::string> entries;
    int widest = 0;  // longest entry in bytes, number included (+1 after a load)

    void clear();
    int count() const { return static_cast<int>(entries.size()); }
    // The entry's text after its number; empty for an index outside the table.
    std::string_view line_text(int index) const;
};

struct SourceLoadResult {
    int status = 0;              // 0, or -1 when the file cannot be read
    bool too_many_lines = false;  // the lines beyond kMaxSourceLines were left out
    bool cut = false;             // some line was longer than the stored copy
};

// Reads the file whole, line by line (LF or CR LF, lines of any length each
// one entry). A failed read leaves `out` empty.
SourceLoadResult load_source_lines(const std::string& path, int tab_width, SourceText& out);

// The stored copy of a source line: its first kSourceLineBytes bytes, or one
// more when the last of them begins a double-byte character.
std::string cut_source_line(std::string_view line);
// Each tab becomes blanks up to the next multiple of the tab width; a tab
// width of 0 or below drops tabs.
std::string expand_source_tabs(std::string_view line, int tab_width);
// Longest entry in bytes, number prefix included.
int longest_source_entry(const SourceText& text);

// The line (from 1) a listing starts at so that a function's comment head
// shows with it: the nearest line at or above `line`, at most `lines_looked_at`
// lines and none above `lowest`, whose text begins with "/*"; else `line`.
int comment_head_line(const SourceText& text, int line, int lines_looked_at, int lowest);

// True when `needle` occurs in `text` starting at a character boundary: a
// match never begins on the second byte of a double-byte character.
bool contains_at_character(std::string_view text, std::string_view needle);
// First entry index at or after `start` and before `end` (-1: the last
// entry) whose text holds the needle; -1 when none does (or the needle is
// empty).
int find_in_source(const SourceText& text, int start, std::string_view needle, int end = -1);

// What the scroll steps of the list depend on.
struct SourceScrollMetrics {
    int rows = 0;     // R: list height / 15
    int count = 0;    // N: entries
    int widest = 0;   // W: longest entry
    int columns = 0;  // K: list width / 7
    int tab = 4;      // T: the tab width, 4 when it is 0
};
inline constexpr int kScrollRefused = -1;
inline constexpr int kScrollIgnored = -2;  // a code that moves nothing
// The new top line (first shown entry) or left column for a scroll-bar code,
// kScrollRefused or kScrollIgnored.
int source_vertical_step(int code, int position, int top, const SourceScrollMetrics& m);
int source_horizontal_step(int code, int position, int left, const SourceScrollMetrics& m);

// Scroll ranges of a list of `height` x `width` pixels: vertical 0 ..
// N - (height / 15 - 1), horizontal 0 .. W + 1 - width / 7, each at least 0.
int source_vertical_range(int count, int height);
int source_horizontal_range(int widest, int width);
