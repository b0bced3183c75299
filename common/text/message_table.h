// The numbered message texts of the viewer and its runs. Texts are Shift-JIS
// bytes; several hold printf placeholders that the caller fills. Each program
// has its own table; the one lookup answers from the running program's.
#pragma once

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

inline constexpr int kNotarixMessageCount = 150;
extern const MessageEntry kNotarixMessageEntries[kNotarixMessageCount];
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
