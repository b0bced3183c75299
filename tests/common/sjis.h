// Tests write the system's Japanese texts readably in UTF-8 and compare
// the Shift-JIS bytes the system holds.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

// The CP932 bytes of a UTF-8 text; an unconvertible text comes back as is.
inline std::string sjis(std::string_view utf8) {
    std::string out(utf8.size() * 2 + 4, '\0');
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
    std::string in(utf8);
    char* src = in.data();
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    const size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return std::string(utf8);
    out.resize(out.size() - dst_left);
    return out;
}
