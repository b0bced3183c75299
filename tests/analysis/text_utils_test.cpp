#include "common/analysis/text_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Shift-JIS bytes used below:
//   "\x83\x5C" ソ and "\x95\x5C" 表 (trail byte is "\")
//   "\x83\x41" ア (trail byte is "A")
//   "\x93\xFA" 日

std::string map_text(const std::vector<unsigned char>& map) { return std::string(map.begin(), map.end()); }

TEST(ShiftJis, ByteClassesAndCharacterSteps) {
    EXPECT_FALSE(is_lead_byte(0x80));
    EXPECT_TRUE(is_lead_byte(0x81));
    EXPECT_TRUE(is_lead_byte(0x9F));
    EXPECT_FALSE(is_lead_byte(0xA0));
    EXPECT_FALSE(is_lead_byte(0xDF));
    EXPECT_TRUE(is_lead_byte(0xE0));
    EXPECT_TRUE(is_lead_byte(0xFC));
    EXPECT_FALSE(is_lead_byte(0xFD));
    EXPECT_FALSE(is_trail_byte(0x3F));
    EXPECT_TRUE(is_trail_byte(0x40));
    EXPECT_FALSE(is_trail_byte(0x7F));
    EXPECT_TRUE(is_trail_byte(0xFC));

    const std::string text = "a\x83\x5C" "b\x83";  // ends with a lone lead byte
    EXPECT_EQ(next_char(text, 0), 1);
    EXPECT_EQ(next_char(text, 1), 3);
    EXPECT_EQ(next_char(text, 3), 4);
    EXPECT_EQ(next_char(text, 4), 5);
    EXPECT_EQ(char_boundary_at_or_before(text, 2), 1);
    EXPECT_EQ(char_boundary_at_or_before(text, 3), 3);
    EXPECT_EQ(char_boundary_at_or_before(text, 0), 0);
    EXPECT_EQ(char_boundary_at_or_before(text, 99), 5);
    EXPECT_EQ(char_boundary_at_or_before(text, -1), 0);
    EXPECT_FALSE(is_dbcs_at(text, 4));
    EXPECT_FALSE(is_dbcs_at(text, -1));
}

TEST(ShiftJis, KindsAndMapsFollowTheWalkFromTheStart) {
    // 0x83 is both a lead and a trail byte: the second 0x83 is a trail, so
    // the "A" after it is a character of its own.
    const std::string text = "\x83\x83" "Ax\x93\xFA";
    const int kinds[] = {1, 2, 0, 0, 1, 2};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dbcs_kind_at(text, i), kinds[i]) << i;
    EXPECT_EQ(dbcs_kind_at(text, -1), 0);
    EXPECT_EQ(dbcs_kind_at(text, 6), 0);

    std::vector<unsigned char> map;
    EXPECT_EQ(map_dbcs_bytes(text, map), 2);
    EXPECT_EQ(map, (std::vector<unsigned char>{1, 2, 0, 0, 1, 2, 0}));

    // Chaining the state machine over the text gives the same map.
    int state = 0;
    for (int i = 0; i < 6; ++i) {
        state = next_dbcs_state(state, byte_at(text, i), byte_at(text, i + 1));
        EXPECT_EQ(state, map[static_cast<size_t>(i)]) << i;
    }
}

TEST(Skipping, BackwardRuns) {
    EXPECT_EQ(skip_blanks_backward("ab  cd", 3), 1);
    EXPECT_EQ(skip_blanks_backward("  ", 1), -1);
    EXPECT_EQ(skip_blanks_backward("ab", -5), -1);
    EXPECT_EQ(skip_blanks_backward("ab ", 3), 3);  // the terminator is not a blank
    EXPECT_EQ(skip_identifier_backward("x = abc", 6), 3);
    EXPECT_EQ(skip_char_backward("a--", '-', 2), 0);
    EXPECT_EQ(skip_set_backward("a+-+", "+-", 3), 0);
    // The trail byte "A" of ア is not an identifier character.
    EXPECT_EQ(skip_identifier_backward("\x83\x41" "BC", 3), 1);
    EXPECT_EQ(skip_char_backward("\x83\x5C\\\\", '\\', 3), 1);
}

TEST(Skipping, ForwardRunsAndTokens) {
    EXPECT_EQ(skip_blanks("a   b", 1), 4);
    EXPECT_EQ(skip_blanks("  a", -4), 2);
    EXPECT_EQ(skip_blanks("ab", 7), 2);
    EXPECT_EQ(skip_identifier("abc_1+", 0), 5);
    EXPECT_EQ(skip_digits("123x", 0), 3);
    EXPECT_EQ(skip_char_forward("xxx", 'x', 0), 3);
    EXPECT_EQ(skip_set_forward(" \t;x", " \t;", 0), 3);

    EXPECT_EQ(next_token_pos("abc+d", 0), 3);
    EXPECT_EQ(next_token_pos("abc+d", 3), 4);
    EXPECT_EQ(next_token_pos("\x83\x41" "A", 0), 2);
    EXPECT_EQ(is_identifier_start('_'), 1);
    EXPECT_EQ(is_identifier_start('9'), 0);
}

TEST(Literals, SkipLiteral) {
    EXPECT_EQ(skip_literal("\"ab\\\"c\" x", 0, '"'), 7);
    EXPECT_EQ(skip_literal("abc", 1, '"'), 1);
    EXPECT_EQ(skip_literal("\"abc", 0, '"'), 4);
    EXPECT_EQ(skip_literal("\"ab\\", 0, '"'), 4);
    EXPECT_EQ(skip_literal("'\\''x", 0, '\''), 4);
    EXPECT_EQ(skip_literal("\"", 5, '"'), 5);
    // ソ ends in 0x5C, which must not escape the closing quote.
    EXPECT_EQ(skip_literal("\"\x83\x5C\" + 1", 0, '"'), 4);
    // A double-byte character after a backslash is escaped whole.
    EXPECT_EQ(skip_literal("\"\\\x83\x5C\"x", 0, '"'), 5);
}

TEST(Literals, LiteralAndParenthesisMaps) {
    std::vector<unsigned char> map;
    const std::string text = "a = \"\x83\x5C\" + 'x' + '\\'';";
    EXPECT_EQ(mark_literals(text, map), 3);
    EXPECT_EQ(map, (std::vector<unsigned char>{0, 0, 0, 0, 2, 1, 1, 3, 0, 0, 0, 2, 1, 3, 0, 0, 0, 2, 1, 1, 3, 0, 0}));

    // Character literals step only escapes, so here 0x5C escapes the quote
    // and the literal runs to the end.
    EXPECT_EQ(mark_literals("'\x83\x5C'", map), 1);
    EXPECT_EQ(map, (std::vector<unsigned char>{2, 1, 1, 1, 0}));

    EXPECT_EQ(mark_literals("", map), 0);
    EXPECT_EQ(map.size(), 1u);

    EXPECT_EQ(mark_paren_depth("f(a,(b),\"(\")", map), '0');
    EXPECT_EQ(map_text(map), std::string("01112221EEE1") + '\0');
    mark_paren_depth(")a(", map);
    EXPECT_EQ(map_text(map), std::string("001") + '\0');
}

TEST(Searching, Words) {
    EXPECT_EQ(starts_with_word("ifdef X", "if"), 0);
    EXPECT_EQ(starts_with_word("if_", "if"), 0);
    EXPECT_EQ(starts_with_word("if(x)", "if"), 1);
    EXPECT_EQ(starts_with_word("if", "if"), 1);
    EXPECT_EQ(starts_with_word("i", "if"), 0);
    EXPECT_EQ(starts_with_word("#ifdef", "#"), 1);
    EXPECT_EQ(starts_with_word("->x", "->"), 1);

    const char* const list[] = {"if", "ifdef", "ifndef", "else", "elif", "endif"};
    EXPECT_EQ(find_word_in_list("ifdef FOO", list, 6), 1);
    EXPECT_EQ(find_word_in_list("endif", list, 6), 5);
    EXPECT_EQ(find_word_in_list("else/**/", list, 6), 3);
    EXPECT_EQ(find_word_in_list("elsewhere", list, 6), -1);
    EXPECT_EQ(find_word_in_list("endif", list, 5), -1);

    EXPECT_EQ(find_word("a define_x define(", "define"), 11);
    EXPECT_EQ(find_word("undefined", "define"), -1);
    // "AB" at 1 would start inside ア.
    EXPECT_EQ(find_word("\x83" "AB AB", "AB"), 4);
}

// find_word searches for the word and checks each place; it must stop where
// the walk from token to token stops, and nowhere else.
TEST(Words, FindWordAgreesWithTheTokenWalk) {
    auto walk = [](std::string_view text, std::string_view word) {
        for (int pos = 0; pos < static_cast<int>(text.size()); pos = next_token_pos(text, pos))
            if (starts_with_word(text.substr(static_cast<size_t>(pos)), word)) return pos;
        return -1;
    };
    const char* const texts[] = {
        "struct s", "x struct", "xstruct struct", "\x83struct x", "\x83\x83struct",
        "a}else b", "}else", "if(x) }else{", "typedef struct{int a;}t;", "enum_x enum",
        "\x95\x5C" "enum", "a->b->c", "", "union", "\x83" "Astruct", "\x83" "Ax", "\x83" "A}else",
    };
    const char* const words[] = {"struct", "enum", "union", "}else", "->", "else", "x"};
    for (const char* text : texts)
        for (const char* word : words) EXPECT_EQ(find_word(text, word), walk(text, word)) << text << " / " << word;
}

TEST(Searching, CharactersAndSubstrings) {
    EXPECT_EQ(find_char("\x83\x5C\\", '\\'), 2);
    EXPECT_EQ(find_char("abc", '\0'), -1);
    EXPECT_EQ(find_char("abc", 'z'), -1);

    EXPECT_EQ(find_substring("abcabc", "bc"), 1);
    EXPECT_EQ(find_substring_backward("abcabc", "bc"), 4);
    EXPECT_EQ(find_substring("abc", "abcd"), -1);
    EXPECT_EQ(find_substring_backward("abc", "x"), -1);
    EXPECT_EQ(find_substring("\x83\x5C" "n\\n", "\\n"), 3);
    EXPECT_EQ(find_substring_backward("\\n\x83\x5C" "n", "\\n"), 0);

    EXPECT_EQ(ends_with("name.c", ".c"), 1);
    EXPECT_EQ(ends_with("c", ".c"), 0);
    EXPECT_EQ(ends_with("x\\", "\\"), 1);
    EXPECT_EQ(ends_with("x\x83\x5C", "\\"), 0);
}

TEST(Searching, MarkedCharacters) {
    const std::string text = "a,(b,c),d";
    std::vector<unsigned char> map;
    mark_paren_depth(text, map);
    EXPECT_EQ(find_marked_char(text, ',', map, 0, '0'), 1);
    EXPECT_EQ(find_marked_char(text, ',', map, 2, '0'), 7);
    EXPECT_EQ(find_marked_char(text, ',', map, 0, '1'), 4);
    EXPECT_EQ(find_marked_char(text, ';', map, 0, '0'), -1);
    EXPECT_EQ(find_marked_char_backward(text, ',', map, 8, '0'), 7);
    EXPECT_EQ(find_marked_char_backward(text, ',', map, 6, '0'), 1);
    EXPECT_EQ(find_marked_char_backward(text, ',', map, 9, '0'), -1);
    EXPECT_EQ(find_marked_char_backward(text, ',', map, 100, '0'), -1);
    EXPECT_EQ(find_marked_char_backward(text, ',', map, -1, '0'), -1);
    // A map shorter than the text is never read past its end.
    const std::vector<unsigned char> short_map(3, '0');
    EXPECT_EQ(find_marked_char(text, ',', short_map, 2, '0'), -1);
    EXPECT_EQ(find_marked_char_backward(text, ',', short_map, 8, '0'), 1);
}

TEST(Editing, SqueezeBlanks) {
    std::string s = "a   =  \"x   y\"  ;  ";
    squeeze_blanks(0, s);
    EXPECT_EQ(s, "a = \"x   y\" ; ");

    s = "int   x  =  ( a + b ) ;  \"p  q\"";
    squeeze_blanks(1, s);
    EXPECT_EQ(s, "int x=(a+b);\"p  q\"");

    s = "  return 'a' ;  x  ";
    squeeze_blanks(1, s);
    EXPECT_EQ(s, "return'a';x");

    // The trail byte "A" of ア does not keep the blank.
    s = "\x83\x41 B";
    squeeze_blanks(1, s);
    EXPECT_EQ(s, "\x83\x41" "B");

    // An unclosed literal keeps its blanks to the end.
    s = "x  \"a  b";
    squeeze_blanks(0, s);
    EXPECT_EQ(s, "x \"a  b");
}

TEST(Editing, BoundedInsertAndCopy) {
    std::string out;
    EXPECT_EQ(remove_blanks(" a b c ", out, 4), 1);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(remove_blanks(" a b c ", out, 3), 0);
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(remove_blanks("a \x83\x41", out, 3), 0);
    EXPECT_EQ(out, "a");

    std::string s = "abc";
    EXPECT_EQ(prepend_char(s, '#', 4), 0);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(prepend_char(s, '#', 5), 1);
    EXPECT_EQ(s, "#abc");

    s = "bc";
    EXPECT_EQ(prepend_string(s, "a", 3), 0);
    EXPECT_EQ(prepend_string(s, "a", 4), 1);
    EXPECT_EQ(s, "abc");
    s = std::string(1000, 'x');
    EXPECT_EQ(prepend_string(s, std::string(24, 'p'), 100000), 0);
    EXPECT_EQ(s.size(), 1000u);
    EXPECT_EQ(prepend_string(s, std::string(23, 'p'), 100000), 1);
    EXPECT_EQ(s.size(), 1023u);

    EXPECT_EQ(copy_identifier_at("x = abc_1+2", 4, out, 10), 1);
    EXPECT_EQ(out, "abc_1");
    EXPECT_EQ(copy_identifier_at("x = abc_1+2", 4, out, 4), 0);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(copy_identifier_at("x = abc_1+2", 9, out, 10), 1);
    EXPECT_EQ(out, "+");
    EXPECT_EQ(copy_identifier_at("a\x83\x41", 1, out, 10), 1);
    EXPECT_EQ(out, "\x83\x41");
    EXPECT_EQ(copy_identifier_at("a\x83\x41", 1, out, 2), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(copy_identifier_at("a", 5, out, 10), 1);
    EXPECT_EQ(out, "");
}

TEST(Editing, TrimsAndMoves) {
    std::string s = "ab  ";
    trim_trailing_blanks(s);
    EXPECT_EQ(s, "ab");
    s = "x\x83\x5C\\\\";
    trim_trailing_char(s, '\\');
    EXPECT_EQ(s, "x\x83\x5C");
    s = "\\\\";
    trim_trailing_char(s, '\\');
    EXPECT_EQ(s, "");
    s = "##a#";
    trim_leading_char(s, '#');
    EXPECT_EQ(s, "a#");
    s = "   ";
    trim_leading_blanks(s);
    EXPECT_EQ(s, "");

    s = "ab\n\n";
    strip_newline(s);
    EXPECT_EQ(s, "ab\n");
    s = "ab\r\n";
    strip_newline(s);
    EXPECT_EQ(s, "ab\r");
    s = "";
    strip_newline(s);
    EXPECT_EQ(s, "");

    std::string target = "old", source = "new";
    move_string(target, source);
    EXPECT_EQ(target, "new");
    EXPECT_EQ(source, "");
    move_string(target, target);
    EXPECT_EQ(target, "new");
}

TEST(Editing, ParseInt) {
    int v = 7;
    EXPECT_EQ(parse_int_at("x=-42;", 2, v), 5);
    EXPECT_EQ(v, -42);
    EXPECT_EQ(parse_int_at("123", 0, v), 3);
    EXPECT_EQ(v, 123);
    EXPECT_EQ(parse_int_at("-", 0, v), 1);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(parse_int_at("abc", 0, v), 0);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(parse_int_at("99999999999", 0, v), 11);
    EXPECT_EQ(v, INT_MAX);
    EXPECT_EQ(parse_int_at("-99999999999", 0, v), 12);
    EXPECT_EQ(v, INT_MIN);
    EXPECT_EQ(clamp_int(5, 1, 3), 3);
    EXPECT_EQ(clamp_int(-5, 1, 3), 1);
}

TEST(BoundedStrings, AppendOverlayCompare) {
    std::string t = "ab";
    append_prefix(t, "cdef", 2);
    EXPECT_EQ(t, "abcd");
    append_prefix(t, "ef", 10);
    EXPECT_EQ(t, "abcdef");
    append_prefix(t, "zz", 0);
    append_prefix(t, "zz", -1);
    EXPECT_EQ(t, "abcdef");
    append_prefix(t, "\x83\x41", 1);  // half a character is not appended
    EXPECT_EQ(t, "abcdef");

    t = "abcdef";
    overlay_prefix(t, "XY", 5);
    EXPECT_EQ(t, "XYcdef");
    overlay_prefix(t, "123", 1);
    EXPECT_EQ(t, "1Ycdef");
    overlay_prefix(t, "123", -1);
    EXPECT_EQ(t, "1Ycdef");
    t = "a";
    overlay_prefix(t, "XYZ", 3);
    EXPECT_EQ(t, "XYZ");

    EXPECT_EQ(compare_prefix("abcX", "abcY", 3), 0);
    EXPECT_LT(compare_prefix("abcX", "abcY", 4), 0);
    EXPECT_LT(compare_prefix("ab", "abc", 3), 0);  // shorter than n: whole strings
    EXPECT_GT(compare_prefix("abd", "abc", 5), 0);
    EXPECT_EQ(compare_prefix("abc", "abc", 5), 0);
    EXPECT_GT(compare_prefix("\x90", "a", 1), 0);  // bytes compare unsigned
}

TEST(FileNames, ReplaceExtension) {
    const struct {
        const char* name;
        const char* expected;
    } cases[] = {
        {"dir.x\\file", "dir.x\\file.fss"},
        {"dir.x/file", "dir.x/file.fss"},
        {"a:b", "a:b.fss"},
        {"name", "name.fss"},
        {"name.c", "name.fss"},
        {"a.b.c", "a.b.fss"},
        {"a.\x95\x5C", "a.fss"},  // 表 ends in 0x5C, which is no separator
    };
    for (const auto& c : cases) {
        for (const char* ext : {".fss", "fss"}) {
            std::string name = c.name;
            replace_extension(name, ext);
            EXPECT_EQ(name, c.expected) << c.name << " + " << ext;
        }
    }
    EXPECT_EQ(find_extension_dot("a.b.c"), 3);
    EXPECT_EQ(find_extension_dot("dir.x\\file"), -1);
    EXPECT_EQ(find_extension_dot(""), -1);
}

TEST(TabExpansion, Bounded) {
    std::string out;
    EXPECT_EQ(expand_tabs_bounded(out, "abc\tx", 0, 8, 100), 1);
    EXPECT_EQ(out, "abc     x");
    EXPECT_EQ(expand_tabs_bounded(out, "abc\tx", 0, 8, 10), 1);
    EXPECT_EQ(out, "abc     x");
    EXPECT_EQ(expand_tabs_bounded(out, "abc\tx", 0, 8, 6), 0);
    EXPECT_EQ(out, "abc  ");

    EXPECT_EQ(expand_tabs_bounded(out, "\"\t\"", 0, 8, 100), 1);
    EXPECT_EQ(out, "\"       \"");
    EXPECT_EQ(expand_tabs_bounded(out, "\"\t\"\tx", 1, 8, 100), 1);
    EXPECT_EQ(out, "\"\t\"       x");
    // ソ's trail byte does not escape the closing quote: the tab is outside.
    EXPECT_EQ(expand_tabs_bounded(out, "\"\x83\x5C\"\t", 1, 8, 100), 1);
    EXPECT_EQ(out, "\"\x83\x5C\"    ");
    EXPECT_EQ(expand_tabs_bounded(out, "'\\t'\t", 1, 4, 100), 1);
    EXPECT_EQ(out, "'\\t'    ");

    // A double-byte character is never split at the cut.
    EXPECT_EQ(expand_tabs_bounded(out, "ab\x83\x41", 0, 4, 4), 0);
    EXPECT_EQ(out, "ab");
    EXPECT_EQ(expand_tabs_bounded(out, "", 0, 4, 1), 1);
    EXPECT_EQ(out, "");
}

TEST(TabExpansion, SourceLinesWithComments) {
    std::string out;
    EXPECT_EQ(expand_tabs_in_source(out, "/*\t*/\t\"\t\"", 0, 4, 100), 1);
    EXPECT_EQ(out, "/*  */  \"\t\"");
    EXPECT_EQ(expand_tabs_in_source(out, "x\t*/\"\t\"", 1, 4, 100), 1);
    EXPECT_EQ(out, "x   */\"\t\"");
    // A quote inside a comment opens no literal; "/*" inside a literal opens
    // no comment.
    EXPECT_EQ(expand_tabs_in_source(out, "/* \"\t", 0, 4, 100), 1);
    EXPECT_EQ(out, "/* \"    ");
    EXPECT_EQ(expand_tabs_in_source(out, "\"/*\"\t", 0, 4, 100), 1);
    EXPECT_EQ(out, "\"/*\"    ");
    EXPECT_EQ(expand_tabs_in_source(out, "a/*\x83\x41", 0, 4, 5), 0);
    EXPECT_EQ(out, "a/*");
    EXPECT_EQ(expand_tabs_in_source(out, "/*\x83\x41*/", 0, 4, 7), 1);
    EXPECT_EQ(out, "/*\x83\x41*/");
}

}  // namespace
