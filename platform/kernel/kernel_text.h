// Text helpers shared by the kernel's WIN.INI and registry code: names that
// Windows compares without regard to case, in Shift-JIS.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/file_io.h"

namespace kernel_text {

// True when a double-byte character starts at i (never reads past the end).
inline bool is_pair_at(std::string_view s, size_t i) {
    return i + 1 < s.size() && is_sjis_lead_byte(static_cast<unsigned char>(s[i])) &&
           is_sjis_trail_byte(static_cast<unsigned char>(s[i + 1]));
}

inline char fold_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal when they differ only in the case of single-byte letters; a trail
// byte that looks like a letter must match exactly.
inline bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        if (is_pair_at(a, i)) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
            continue;
        }
        if (fold_ascii(a[i]) != fold_ascii(b[i])) return false;
        ++i;
    }
    return true;
}

// Blanks and tabs removed from both ends.
inline std::string_view trim_blanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The length of the longest prefix of `s` of at most `limit` bytes that does
// not end inside a double-byte character.
inline size_t whole_char_prefix(std::string_view s, size_t limit) {
    if (s.size() <= limit) return s.size();
    size_t i = 0;
    while (i < limit) {
        const size_t step = is_pair_at(s, i) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

// Splits file contents into lines; LF and CR LF both end a line, and a last
// line without an end still counts.
inline std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        pos = end + 1;
    }
    return lines;
}

}  // namespace kernel_text
