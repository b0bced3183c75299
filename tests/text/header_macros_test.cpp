// The "&" macros of header and footer lines, with a fixed clock.
#include <gtest/gtest.h>

#include "common/text/clock.h"
#include "common/text/header_macros.h"

namespace {

class HeaderMacros : public ::testing::Test {
protected:
    void SetUp() override { set_clock_for_tests(LocalTime{2024, 3, 5, 9, 7, 3}); }
    void TearDown() override { reset_clock_for_tests(); }

    std::string expand(const std::string& line, const std::string& file = "C:\\doc\\calc.c",
                       const std::string& text = "Title", int page = 3) {
        std::string out;
        expand_header_macros(line, out, file, text, page);
        return out;
    }
};

TEST_F(HeaderMacros, DateAndTime) {
    EXPECT_EQ(expand("&Y-&m-&D"), "24-03-05");
    EXPECT_EQ(expand("&y/&M/&d &T"), "24/03/05 09:07:03");
    EXPECT_EQ(expand("&t"), "09:07:03");
}

TEST_F(HeaderMacros, PageRightAlignedBetweenWords) {
    EXPECT_EQ(expand("Page&PEnd"), "Page   3End");
    EXPECT_EQ(expand("&p", "", "", 12345), "12345");
}

TEST_F(HeaderMacros, FileNameParts) {
    EXPECT_EQ(expand("&F"), "C:\\doc\\calc.c");
    EXPECT_EQ(expand("&f"), "calc.c");
    EXPECT_EQ(expand("&w"), "C:\\doc\\");
    EXPECT_EQ(expand("&w|&f", "A:calc.c"), "A:|calc.c");
    EXPECT_EQ(expand("[&w]", "calc.c"), "[]");
    EXPECT_EQ(expand("&f", "/home/u/x.c"), "x.c");
    // 表 ends in the byte "\", which is no separator
    EXPECT_EQ(expand("&f", "dir\\\x95\x5C.c"), "\x95\x5C.c");
}

TEST_F(HeaderMacros, TextAndOtherLetters) {
    EXPECT_EQ(expand("<&N>"), "<Title>");
    EXPECT_EQ(expand("<&n>"), "<Title>");
    EXPECT_EQ(expand("a&Qb"), "ab");
    EXPECT_EQ(expand("a&&b"), "ab");
    EXPECT_EQ(expand("a\x8A\xD6&\x8A\xD6" "b"), "a\x8A\xD6" "b");
}

TEST_F(HeaderMacros, LineWithoutMacrosOrEndingInAmpersand) {
    EXPECT_EQ(expand("plain text"), "plain text");
    EXPECT_EQ(expand("keep this&"), "keep this");
    EXPECT_EQ(expand(""), "");
}

struct EraCase {
    LocalTime date;
    const char* expected;
};

TEST_F(HeaderMacros, EraYearAtTheBoundaries) {
    const EraCase cases[] = {
        {{1926, 12, 25}, " 1"},  // Showa 1
        {{1988, 12, 31}, "63"},
        {{1989, 1, 7}, "64"},    // last day of Showa
        {{1989, 1, 8}, " 1"},    // Heisei 1
        {{2019, 4, 30}, "31"},   // last day of Heisei
        {{2019, 5, 1}, " 1"},    // Reiwa 1
        {{2024, 3, 5}, " 6"},
    };
    for (const auto& c : cases) {
        set_clock_for_tests(c.date);
        EXPECT_EQ(expand("&S"), c.expected) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(expand("&s"), c.expected);
    }
}

TEST_F(HeaderMacros, ClockFromAnInstalledSource) {
    reset_clock_for_tests();
    set_local_time_source([] { return LocalTime{2001, 2, 3, 4, 5, 6}; });
    EXPECT_EQ(expand("&Y&M&D &T"), "010203 04:05:06");
    set_local_time_source(nullptr);
}

}  // namespace
