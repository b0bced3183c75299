// The numbered message texts of the viewer and its runs. Texts are Shift-JIS
// bytes; several hold printf placeholders that the caller fills.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct MessageEntry {
    int32_t id;
    const char* text;
};

inline constexpr int kMessageCount = 150;
extern const MessageEntry kMessageTable[kMessageCount];

// Text of the first entry with that id, or nullptr when there is none.
const char* lookup_message(int id);

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
