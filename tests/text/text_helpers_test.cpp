// Small text helpers: date and time, trimming, searching and break markers.
#include <gtest/gtest.h>

#include "common/text/clock.h"
#include "common/text/text_helpers.h"

namespace {

TEST(DateAndTime, FromTheClock) {
    set_clock_for_tests(LocalTime{2007, 11, 2, 23, 5, 9});
    std::string out;
    format_date(out);
    EXPECT_EQ(out, "07-11-02");
    format_time(out);
    EXPECT_EQ(out, "23:05:09");
    reset_clock_for_tests();
}

TEST(Trimming, LineEndsAndBlanks) {
    std::string text = "abc  \r\n \n";
    trim_line_end(text);
    EXPECT_EQ(text, "abc");
    text = "  a b  ";
    trim_blanks(-1, text);
    EXPECT_EQ(text, "  a b");
    trim_blanks(1, text);
    EXPECT_EQ(text, "a b");
    text = "   ";
    trim_blanks(0, text);
    EXPECT_EQ(text, "");
}

TEST(FindCharFrom, IncludesTheTerminator) {
    EXPECT_EQ(find_char_from("a,b,c", ',', 0), 1);
    EXPECT_EQ(find_char_from("a,b,c", ',', 2), 3);
    EXPECT_EQ(find_char_from("a,b,c", ',', 4), -1);
    EXPECT_EQ(find_char_from("abc", '\0', 1), 3);
    EXPECT_EQ(find_char_from("abc", 'x', 9), -1);
}

TEST(BreakMarkers, EveryNBytesKeepingCharactersWhole) {
    std::string text = "abcdefghij";
    insert_break_markers(text, 4);
    EXPECT_EQ(text, "abcd\x01" "efgh\x01" "ij");
    // a character across the bound ends the piece one byte later
    text = "abc\x8A\xD6" "def";
    insert_break_markers(text, 4);
    EXPECT_EQ(text, "abc\x8A\xD6\x01" "def");
    // an existing marker is not doubled
    text = "abcd\x01" "efghij";
    insert_break_markers(text, 4);
    EXPECT_EQ(text, "abcd\x01" "efgh\x01" "ij");
    text = "abcd";
    insert_break_markers(text, 4);
    EXPECT_EQ(text, "abcd");
}

TEST(CaseAndCuts, SingleByteLettersOnly) {
    // ア (0x83 0x41): its trail byte is the letter "A" and stays
    std::string text = "AbC\x83\x41";
    to_lower_ascii(text);
    EXPECT_EQ(text, "abc\x83\x41");
    to_upper_ascii(text);
    EXPECT_EQ(text, "ABC\x83\x41");
    text = "ab\x8A\xD6";
    EXPECT_TRUE(cut_at_char_boundary(text, 3));
    EXPECT_EQ(text, "ab");
    EXPECT_FALSE(cut_at_char_boundary(text, 5));
}

}  // namespace
