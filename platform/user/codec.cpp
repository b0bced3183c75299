// Conversion through iconv's CP932 tables.
#include "platform/user/codec.h"

#include <iconv.h>

#include <cerrno>

namespace platform_user {

namespace {

std::string convert(std::string_view text, const char* to, const char* from) {
    std::string out;
    if (text.empty()) return out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
    std::string input(text);
    char* in = input.data();
    size_t in_left = input.size();
    out.resize(input.size() * 4 + 16);
    char* dst = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
        size_t r = iconv(cd, &in, &in_left, &dst, &out_left);
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            out_left = out.size() - used;
            continue;
        }
        // An invalid or cut sequence: write "?" and step over one byte.
        if (out_left == 0) {
            size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            out_left = out.size() - used;
        }
        *dst++ = '?';
        --out_left;
        ++in;
        --in_left;
    }
    out.resize(static_cast<size_t>(dst - out.data()));
    iconv_close(cd);
    return out;
}

}  // namespace

std::string cp932_to_utf8(std::string_view text) {
    return convert(text, "UTF-8", "CP932");
}

std::string utf8_to_cp932(std::string_view text) {
    return convert(text, "CP932", "UTF-8");
}

}  // namespace platform_user
