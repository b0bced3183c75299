// Japanese texts written in UTF-8 in the source become the bytes the runtime
// codec gives them: the compile-time table agrees with iconv's code page 932
// in both directions, and the literal keeps one-byte codes as one byte.
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/kernel/codec.h"
#include "platform/kernel/sjis_text.h"
#include "tests/common/sjis.h"

namespace {

std::string utf8_of(uint32_t code_point) {
    std::string out;
    if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code_point & 0x3F));
    return out;
}

TEST(SjisText, TheTableIsTheRuntimeCodecs) {
    for (const SjisTableRow& row : kSjisTable) {
        const std::string bytes{static_cast<char>(row.bytes >> 8), static_cast<char>(row.bytes & 0xFF)};
        EXPECT_EQ(sjis(utf8_of(row.code_point)), bytes) << std::hex << row.code_point;
    }
    // and every two-byte code the codec reads is in it, under the code point read
    int codes = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            std::string text;
            if (!platform_codec::exact_cp932_to_utf8(code, text)) continue;
            sjis_text::Decoded d = sjis_text::decode_utf8(text.data(), text.size(), 0);
            ASSERT_EQ(d.length, text.size()) << std::hex << lead << trail;
            EXPECT_NO_THROW(sjis_text::sjis_code(d.code_point)) << std::hex << lead << trail;
            ++codes;
        }
    }
    EXPECT_GT(codes, 9000);
}

TEST(SjisText, LiteralsAreTheBytesTheProgramsUse) {
    struct Case {
        std::string_view written;  // as the literal makes it
        const char* expected;      // the bytes
    };
    const Case cases[] = {
        {"【 ソースリスト表示 】"_sjis, "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\x5c\x8e\xa6 \x81z"},
        {"ｿｰｽ"_sjis, "\xbf\xb0\xbd"},                 // half-width katakana, one byte each
        {"〜～"_sjis, "\x81\x60\x81\x60"},            // the wave dash by either code point
        {"−－―—"_sjis, "\x81\x7c\x81\x7c\x81\x5c\x81\x5c"},
        {"C:\\a~"_sjis, "C:\\a~"},
        {""_sjis, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.written, std::string_view(c.expected)) << c.expected;
    EXPECT_EQ("全ﾌｧｲﾙ(*.*)\0*.*\0"_sjis_sv, std::string_view("\x91S\xcc\xa7\xb2\xd9(*.*)\0*.*\0", 16));
    constexpr auto& kept = "表"_sjis;
    static_assert(sizeof(kept) == 3);
    EXPECT_EQ(&kept, &"表"_sjis);  // one array per text
}

}  // namespace
