// The numbered message texts of the viewer and its runs. Texts are Shift-JIS
// bytes; several hold printf placeholders that the caller fills. Each program
// has its own table; the one lookup answers from the running program's.
#pragma once

#include <array>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct MessageEntry {
    int32_t id;
    const char* text;
};

// A program's table, searched from its first entry.
struct MessageTable {
    const MessageEntry* entries;
    int count;
};

// The rows of lists in number order (each list in number order, a number in
// one list only) as one table in number order, as a program's table stands.
template <std::size_t Count, std::size_t... N>
constexpr std::array<MessageEntry, Count> merge_messages(const MessageEntry (&... lists)[N]) {
    static_assert((N + ...) == Count, "the table holds the lists' rows and no more");
    std::array<MessageEntry, Count> table{};
    std::size_t at = 0;
    ((std::copy(lists, lists + N, table.begin() + at), at += N), ...);
    std::sort(table.begin(), table.end(), [](const MessageEntry& a, const MessageEntry& b) { return a.id < b.id; });
    return table;
}

// A table with rows after its last.
template <std::size_t M, std::size_t N>
constexpr std::array<MessageEntry, M + N> append_rows(const std::array<MessageEntry, M>& table,
                                                      const MessageEntry (&rows)[N]) {
    std::array<MessageEntry, M + N> out{};
    std::copy(table.begin(), table.end(), out.begin());
    std::copy(rows, rows + N, out.begin() + M);
    return out;
}

inline constexpr int kNotarixMessageCount = 150;
extern const std::array<MessageEntry, kNotarixMessageCount> kNotarixMessageEntries;
extern const MessageTable kNotarixMessages;

// The running program's table: set once at start-up, NOTARIX's until then.
void set_message_table(const MessageTable& table);
const MessageTable& current_message_table();

// Text of the first entry with that id in the running program's table (or
// the one given), nullptr when there is none.
const char* lookup_message(int id);
const char* lookup_message(const MessageTable& table, int id);

// The text joined as a message box shows it: "l1\nl2\nl3", "l1\nl2" when
// line3 is empty, or l1 alone when line2 is empty too. The whole text is held
// to 511 bytes (1023 with the wide buffer), cut at a character boundary.
std::string join_box_lines(std::string_view line1, std::string_view line2, std::string_view line3,
                           bool wide_buffer = false);

// Caption of an operation's boxes: the name in 【 】 with a blank inside each
// bracket ("【 生成 】").
std::string make_box_caption(std::string_view operation);

// printf into a string of any length (nullptr texts print as "").
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
