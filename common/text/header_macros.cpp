#include "common/text/header_macros.h"

#include <cstdio>

#include "common/analysis/text_utils.h"
#include "common/text/clock.h"
#include "common/text/file_names.h"

namespace {

void append_number(std::string& out, const char* format, int value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, value);
    out += buf;
}

void append_macro(std::string& out, char letter, const LocalTime& t, std::string_view file_name,
                  std::string_view text, int page) {
    switch (letter) {
        case 'D': case 'd': append_number(out, "%02d", t.day); break;
        case 'M': case 'm': append_number(out, "%02d", t.month); break;
        case 'Y': case 'y': append_number(out, "%02d", t.year % 100); break;
        case 'S': case 's': append_number(out, "%2d", japanese_era_year(t.year, t.month, t.day)); break;
        case 'T': case 't': {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
            out += buf;
            break;
        }
        case 'P': case 'p': append_number(out, "%4d", page); break;
        case 'F': out += file_name; break;
        case 'f': out += file_part(file_name); break;
        case 'w': out += file_name.substr(0, file_name.size() - file_part(file_name).size()); break;
        case 'N': case 'n': out += text; break;
        default: break;
    }
}

}  // namespace

void expand_header_macros(std::string_view line, std::string& out, std::string_view file_name,
                          std::string_view text, int page) {
    const LocalTime now = get_local_time();
    out.clear();
    const int size = static_cast<int>(line.size());
    int i = 0;
    while (i < size) {
        if (line[i] != '&') {
            const int next = next_char(line, i);
            out.append(line.substr(i, next - i));
            i = next;
            continue;
        }
        if (i + 1 >= size) break;
        append_macro(out, line[i + 1], now, file_name, text, page);
        // an unknown double-byte "letter" goes whole, never half of it
        i = next_char(line, i + 1);
    }
}
