// Numbers in the option elements of the built-in converters.
#pragma once

#include <string_view>

// Numbers saturate here rather than overflow.
inline constexpr int kOptionNumberCeiling = 1000000000;

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

inline bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!is_digit(c)) return false;
    return true;
}

// Decimal digits from pos; saturates instead of overflowing. -1 when there
// is no digit at pos.
inline int read_number(std::string_view text, size_t& pos) {
    if (pos >= text.size() || !is_digit(text[pos])) return -1;
    int value = 0;
    while (pos < text.size() && is_digit(text[pos])) {
        if (value < kOptionNumberCeiling) value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return value;
}

// The whole text as a number in [low, high], or -1.
inline int digits_in_range(std::string_view text, int low, int high) {
    if (!all_digits(text)) return -1;
    size_t pos = 0;
    int value = read_number(text, pos);
    return value >= low && value <= high ? value : -1;
}

// An optional sign and digits; 0 without digits.
inline int loose_decimal(std::string_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    int value = read_number(text, pos);
    if (value < 0) return 0;
    return negative ? -value : value;
}
