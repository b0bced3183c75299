#include "common/analysis/scramble.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class ScrambleTest : public ::testing::Test {
protected:
    void SetUp() override { reset_scramble_tables(); }
    void TearDown() override { reset_scramble_tables(); }
};

std::string encode(std::string_view plain, int line) {
    std::string out;
    scramble_line(plain, out, line);
    return out;
}

std::string decode(std::string_view stored, int line) {
    std::string out;
    unscramble_line(stored, out, line);
    return out;
}

std::string all_bytes_from_one() {
    std::string s;
    for (int b = 1; b < 256; ++b) s.push_back(static_cast<char>(b));
    return s;
}

// Worked out by hand from the table construction (multiplier 127 for the
// seed 7316), independently of this implementation.
TEST_F(ScrambleTest, GoldenBytes) {
    const std::string plain = "p(\"\x83\x41\");\n";
    EXPECT_EQ(encode(plain, 1), std::string("\x02\x90\xD8\xDE\xFD\x3F\xDE\x57\x45\x0A"));
    EXPECT_EQ(encode(plain, 2), std::string("\x03\x90\xD8\xDE\xFD\x3F\xDE\x57\x45\x0A"));
    EXPECT_EQ(encode("x = 1;\r\n", 3), std::string("\x09\x88\xE0\x43\xE0\x4F\x45\x0D\x0A"));
}

TEST_F(ScrambleTest, RoundTripsWithAndWithoutNewline) {
    const std::string texts[] = {"int main(void)\n", "int main(void)", "\x93\xFA\x96\x7B\x8C\xEA \"\x83\x5C\"\n",
                                 "x", all_bytes_from_one()};
    for (int line = -3; line <= 600; ++line) {
        for (const auto& text : texts) {
            const std::string stored = encode(text, line);
            ASSERT_EQ(stored.size(), text.size() + 1);
            ASSERT_GE(stored[0], 1);
            ASSERT_LE(stored[0], 9);
            ASSERT_EQ(decode(stored, line), text) << "line " << line;
        }
    }
}

TEST_F(ScrambleTest, ShortLinesAndKeptBytes) {
    const std::string empty = encode("", 1);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(decode(empty, 1), "");

    EXPECT_EQ(encode("\n", 4), std::string(1, encode("", 4)[0]) + "\n");

    // CR LF and 0x1A inside a line are stored as they are.
    const std::string stored = encode("a\r\nb\x1A" "c\n", 7);
    EXPECT_EQ(stored.substr(2, 2), "\r\n");
    EXPECT_EQ(stored[5], '\x1A');
    EXPECT_EQ(decode(stored, 7), "a\r\nb\x1A" "c\n");
}

TEST_F(ScrambleTest, KeyRepeatsEvery256Lines) {
    for (int line = 1; line <= 256; ++line) EXPECT_EQ(encode("", line), encode("", line + 256));
    EXPECT_EQ(encode("", 257), encode("", 1));
}

TEST_F(ScrambleTest, PlainLinesPassUnchanged) {
    for (std::string text : {"int x;\n", "0x10\n", "Abc", "\x82\xA0\n", "\n"}) EXPECT_EQ(decode(text, 3), text);
    EXPECT_EQ(decode("", 1), "");
}

TEST_F(ScrambleTest, ReaderMayStartPastLineOne) {
    const std::string stored = encode("static int n;\n", 5);
    reset_scramble_tables();
    EXPECT_EQ(decode(stored, 5), "static int n;\n");

    // A writer that never wrote line 1 still writes readable lines.
    reset_scramble_tables();
    const std::string again = encode("static int n;\n", 5);
    EXPECT_EQ(again, stored);
}

TEST_F(ScrambleTest, RebuildingGivesTheSameTables) {
    const std::string before = encode(all_bytes_from_one(), 9);
    build_scramble_table(1, kScrambleSeed);
    EXPECT_EQ(encode(all_bytes_from_one(), 9), before);
    build_scramble_table(0, kScrambleSeed);
    EXPECT_EQ(encode(all_bytes_from_one(), 9), before);
    EXPECT_EQ(decode(before, 9), all_bytes_from_one());
}

TEST_F(ScrambleTest, AnotherSeedKeepsTablesConsistent) {
    build_scramble_table(0, 1234);
    const std::string stored = encode("abc\n", 2);
    EXPECT_EQ(decode(stored, 2), "abc\n");
    build_scramble_table(1, kScrambleSeed);  // the old encoding table must not survive
    EXPECT_EQ(decode(encode("abc\n", 2), 2), "abc\n");
}

TEST_F(ScrambleTest, DecodeTableIsAPermutation) {
    // Decoding the 256 one-byte lines hits every byte value once.
    std::set<unsigned char> seen;
    for (int b = 0; b < 256; ++b) {
        const std::string stored = std::string(1, '\x01') + static_cast<char>(b);
        const std::string plain = decode(stored, 1);
        ASSERT_EQ(plain.size(), 1u);
        seen.insert(static_cast<unsigned char>(plain[0]));
    }
    EXPECT_EQ(seen.size(), 256u);
}

TEST_F(ScrambleTest, NoByteEncodesToTerminatorOrLineEnd) {
    const std::string stored = encode(all_bytes_from_one(), 1);
    for (int b = 1; b < 256; ++b) {
        const auto e = static_cast<unsigned char>(stored[static_cast<size_t>(b)]);
        EXPECT_NE(e, 0) << "byte " << b;
        if (b != 10 && b != 13 && b != 26) {
            EXPECT_TRUE(e != 10 && e != 13 && e != 26) << "byte " << b;
        } else {
            EXPECT_EQ(e, b);
        }
    }
    EXPECT_EQ(encode(std::string(1, '\0'), 1)[1], '\0');
}

}  // namespace
