// Japanese texts are written in the source as a person reads them, in UTF-8,
// and become the Shift-JIS (code page 932) bytes the programs work in when
// the compiler reads them:
//
//     constexpr auto& kCaption = "【 ソースリスト表示 】"_sjis;
//
// The result is a char array of static storage (so sizeof and a pointer
// both work) holding the bytes and a closing NUL; "..."_sjis_sv is the same
// bytes as a string_view of the whole array but its closing NUL, for texts
// that hold NULs of their own (a file dialog's filter). A character without a
// Shift-JIS code, or bytes that are no UTF-8, stop the compilation. One- and
// two-byte codes as the platform's codec gives them: ASCII as it is,
// half-width katakana as their one byte, every other character as its two
// bytes from kSjisTable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/kernel/sjis_table.h"

namespace sjis_text {

template <std::size_t N>
struct Utf8Text {
    char bytes[N]{};
    consteval Utf8Text(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
    }
};

template <std::size_t N>
struct SjisBytes {
    char bytes[N];
};

// The code point starting at text[at] and the bytes it takes.
struct Decoded {
    uint32_t code_point;
    std::size_t length;
};

constexpr Decoded decode_utf8(const char* text, std::size_t size, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || at + length > size) throw "a Japanese text that is not UTF-8";
    uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) throw "a Japanese text that is not UTF-8";
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    return {code, length};
}

// The Shift-JIS code of a code point: one byte (below 0x100) or two.
constexpr uint16_t sjis_code(uint32_t code_point) {
    if (code_point < 0x80) return static_cast<uint16_t>(code_point);
    if (code_point >= 0xFF61 && code_point <= 0xFF9F) return static_cast<uint16_t>(code_point - 0xFF61 + 0xA1);
    std::size_t low = 0, high = sizeof(kSjisTable) / sizeof(kSjisTable[0]);
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (kSjisTable[middle].code_point < code_point) low = middle + 1;
        else high = middle;
    }
    if (low == sizeof(kSjisTable) / sizeof(kSjisTable[0]) || kSjisTable[low].code_point != code_point)
        throw "a character without a Shift-JIS code";
    return kSjisTable[low].bytes;
}

// The bytes the text takes in Shift-JIS, its closing NUL included.
template <Utf8Text T>
constexpr std::size_t sjis_size() {
    std::size_t size = 0;
    for (std::size_t at = 0; at < sizeof(T.bytes);) {
        const Decoded d = decode_utf8(T.bytes, sizeof(T.bytes), at);
        size += sjis_code(d.code_point) > 0xFF ? 2 : 1;
        at += d.length;
    }
    return size;
}

template <Utf8Text T>
constexpr SjisBytes<sjis_size<T>()> to_sjis() {
    SjisBytes<sjis_size<T>()> out{};
    std::size_t n = 0;
    for (std::size_t at = 0; at < sizeof(T.bytes);) {
        const Decoded d = decode_utf8(T.bytes, sizeof(T.bytes), at);
        const uint16_t code = sjis_code(d.code_point);
        if (code > 0xFF) out.bytes[n++] = static_cast<char>(code >> 8);
        out.bytes[n++] = static_cast<char>(code & 0xFF);
        at += d.length;
    }
    return out;
}

// One array per text, shared by every use of the same text.
template <Utf8Text T>
inline constexpr auto kSjis = to_sjis<T>();

}  // namespace sjis_text

template <sjis_text::Utf8Text T>
consteval const auto& operator""_sjis() {
    return sjis_text::kSjis<T>.bytes;
}

template <sjis_text::Utf8Text T>
consteval std::string_view operator""_sjis_sv() {
    return {sjis_text::kSjis<T>.bytes, sizeof(sjis_text::kSjis<T>.bytes) - 1};
}
