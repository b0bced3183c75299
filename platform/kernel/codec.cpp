// Conversion through iconv's CP932 tables.
#include "platform/kernel/codec.h"

#include <iconv.h>

#include <cerrno>

namespace platform_codec {

namespace {

// A converter of one direction, opened once per thread (iconv keeps state
// in its descriptor, so threads never share one).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `text`; a sequence that does not convert becomes "?" or, when
    // `exact`, ends the conversion with false.
    bool convert(std::string_view text, std::string& out, bool exact) {
        out.clear();
        if (text.empty()) return true;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input(text);
        char* in = input.data();
        size_t in_left = input.size();
        out.resize(input.size() * 4 + 16);
        char* dst = out.data();
        size_t out_left = out.size();
        auto grow = [&] {
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            out_left = out.size() - used;
        };
        while (in_left > 0) {
            const size_t r = iconv(cd_, &in, &in_left, &dst, &out_left);
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                grow();
                continue;
            }
            if (exact) return false;
            // An invalid or cut sequence: write "?" and step over one byte.
            if (out_left == 0) grow();
            *dst++ = '?';
            --out_left;
            ++in;
            --in_left;
        }
        out.resize(static_cast<size_t>(dst - out.data()));
        return true;
    }

private:
    iconv_t cd_;
};

Converter& to_utf8() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& to_cp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

std::string lossy(Converter& c, std::string_view text) {
    if (!c.usable()) return std::string(text);
    std::string out;
    c.convert(text, out, false);
    return out;
}

bool exact(Converter& c, std::string_view text, std::string& out) {
    return c.usable() && c.convert(text, out, true);
}

}  // namespace

std::string cp932_to_utf8(std::string_view text) { return lossy(to_utf8(), text); }

std::string utf8_to_cp932(std::string_view text) { return lossy(to_cp932(), text); }

bool exact_cp932_to_utf8(std::string_view text, std::string& out) { return exact(to_utf8(), text, out); }

bool exact_utf8_to_cp932(std::string_view text, std::string& out) { return exact(to_cp932(), text, out); }

}  // namespace platform_codec
