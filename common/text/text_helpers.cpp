#include "common/text/text_helpers.h"

#include <cstdio>

#include "common/analysis/text_utils.h"
#include "common/text/clock.h"

void to_lower_ascii(std::string& text) {
    const int size = static_cast<int>(text.size());
    for (int i = 0; i < size; i = next_char(text, i)) {
        if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
    }
}

void to_upper_ascii(std::string& text) {
    const int size = static_cast<int>(text.size());
    for (int i = 0; i < size; i = next_char(text, i)) {
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
}

void format_date(std::string& out) {
    const LocalTime t = get_local_time();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", t.year % 100, t.month % 100, t.day % 100);
    out = buf;
}

void format_time(std::string& out) {
    const LocalTime t = get_local_time();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    out = buf;
}

void trim_line_end(std::string& text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\n' || text.back() == '\r')) text.pop_back();
}

void trim_blanks(int side, std::string& text) {
    if (side == -1) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
    } else {
        size_t n = 0;
        while (n < text.size() && text[n] == ' ') ++n;
        text.erase(0, n);
    }
}

int find_char_from(std::string_view text, char ch, int pos) {
    const int size = static_cast<int>(text.size());
    if (pos < 0) pos = 0;
    for (int i = pos; i < size; ++i) {
        if (text[i] == ch) return i;
    }
    return (ch == '\0' && pos <= size) ? size : -1;
}

void insert_first_char(std::string& text, char ch) { text.insert(text.begin(), ch); }

void insert_break_markers(std::string& text, int n) {
    if (n <= 0) return;
    int pos = 0;
    while (static_cast<int>(text.size()) - pos > n) {
        int end = pos;
        while (end - pos < n) end = next_char(text, end);
        if (end >= static_cast<int>(text.size())) return;
        if (text[end] != '\x01') text.insert(text.begin() + end, '\x01');
        pos = end + 1;
    }
}

bool cut_at_char_boundary(std::string& text, int max) {
    if (max < 0) max = 0;
    if (static_cast<int>(text.size()) <= max) return false;
    text.resize(char_boundary_at_or_before(text, max));
    return true;
}
