#include "common/analysis/if_eval.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr int32_t kMin = INT32_MIN;

struct Case {
    std::string_view text;
    bool ok;
    int32_t value;  // expected when ok
};

Case ok(std::string_view text, int32_t value) { return {text, true, value}; }
Case error(std::string_view text) { return {text, false, 0}; }

void check(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("expression: \"") + std::string(c.text) + "\"");
        int flag = 12345;
        const int32_t value = evaluate_if_expression(c.text, flag);
        if (c.ok) {
            EXPECT_EQ(flag, 0);
            EXPECT_EQ(value, c.value);
        } else {
            EXPECT_EQ(flag, -1);
            EXPECT_EQ(value, 0);
        }
    }
}

TEST(IfEval, GrammarAndPrecedence) {
    check({
        ok("1+2*3", 7), ok("1-2-3", -4), ok("1?2:3?4:5", 2), ok("0?2:0?4:5", 5), ok("0?2:3?4:5", 4),
        ok("1?0?7:8:9", 8), ok("2,3", 3), ok("(1,2),3", 3), ok("(1,2)+(3,4)", 6), ok("1, 0 ? 5 : 6", 6),
        ok("0 ? 1 : 2 , 9", 9), ok("1 ? 2 : 3 || 0", 2),
        ok("0 ? 2 : 0 || 3", 1),   // || binds inside the third operand
        ok("0 || 1 ? 5 : 6", 5),   // and tighter than ?:
        ok("1 || 0 && 0", 1),      // && over ||
        ok("1 | 0 && 0", 0),       // | over &&
        ok("6 ^ 3 | 8", 13),       // ^ over |
        ok("6 & 3 ^ 1", 3),        // & over ^
        ok("1 == 1 & 2", 0),       // == over &
        ok("2 < 3 == 1", 1),       // relational over ==
        ok("1 << 2 < 5", 1),       // shift over relational
        ok("1 + 1 << 2", 8),       // + over shift
        ok("2 * 3 + 4 * 5", 26),   // * over +
        ok("-2 * 3", -6),          // unary over *
        ok("- -3", 3), ok("!0 + ~0", 0), ok("-(1,2)", -2), ok("20 / 2 / 5", 2), ok("100 % 7 % 3", 2),
        ok("8 >> 1 >> 1", 2), ok("1 != 2 != 0", 1), ok(" \t\n1\n+\t2 ", 3), ok("identifier", 0),
        ok("!identifier", 1), ok("_x1 + 5", 5),
    });
}

TEST(IfEval, Comparisons) {
    check({
        ok("1 < 2", 1), ok("2 < 1", 0), ok("2 > 1", 1), ok("1 > 1", 0),
        ok("1 <= 1", 1), ok("2 <= 1", 0), ok("1 >= 1", 1), ok("0 >= 1", 0),
        ok("3 == 3", 1), ok("3 != 3", 0), ok("-1 < 0", 1), ok("0x80000000 < 0", 1),
        ok("5 && 7", 1), ok("5 && 0", 0), ok("0 || 0", 0), ok("0 || -3", 1),
    });
}

TEST(IfEval, SyntaxErrors) {
    check({
        error(""), error("1 2"), error("(1"), error("1)"), error("()"), error("+1"), error("1?2"),
        error("1:2"), error("1?2:3:4"),
        error("1 ? 2, 3 : 4"),   // a list is not an operand of ?:
        error("1 ? (2, 3) : 4 : 5"), error("\"a\""), error("1 +"), error("1 = 1"), error("a.b"),
        error(".5"), error("1 @ 2"), error("a[0]"), error("{1}"), error("1 $"), error("1\r"), error(","),
        error("1,"),
    });
    check({ok("1 ? (2, 3) : 4", 3), error("1 + +1"), error("-+1")});
    check({ok(std::string_view("1\0 2", 4), 1)});  // the text ends at a NUL
}

TEST(IfEval, Numbers) {
    check({
        ok("0", 0), ok("010", 8), ok("09", 9), ok("019", 17), ok("0x1F", 31), ok("0X1f", 31),
        ok("0xffffffff", -1), ok("0x1FL", 31), ok("10L", 10), ok("10l", 10), ok("0l", 0),
        ok("4294967297", 1),   // wraps at 32 bits
        ok("0x7fffffff", INT32_MAX), error("1.0"), error("1."), error("1l0"),
        error("0x"),           // too short for hex: octal with an x
        error("12ab"), error("0xfg"), error("1_0"), error("0e1"),
    });
}

// Integer suffixes as in C: u, l, ll and their mixes, in either case; the
// value is the 32-bit value of the digits.
TEST(IfEval, IntegerSuffixes) {
    check({
        ok("10u", 10), ok("10U", 10), ok("10lu", 10), ok("10ul", 10), ok("10LL", 10), ok("10ll", 10),
        ok("10ull", 10), ok("10LLU", 10), ok("10uLL", 10), ok("0x1Fu", 31), ok("017UL", 15),
        ok("4294967294U", -2), ok("0xFFFFFFFFUL > 4294967294U", 1), ok("2U > 1", 1),
        error("10uu"), error("10lul"), error("10lL"), error("10lll"), error("10ulu"), error("0xu"),
    });
}

TEST(IfEval, CharacterConstants) {
    check({
        ok("'a'", 97), ok("'\\^?'", 127), ok("'\\^a'", 1),
        ok("'\\^\\n'", 10),       // control of an escape
        ok("'\\^\\^?'", 31),      // 127 & 0x9F
        ok("'\\n'", 10), ok("'\\101'", 65), ok("'\\0'", 0),
    });
    check({
        ok("'\\a'", 7), ok("'\\b'", 8), ok("'\\e'", 27), ok("'\\f'", 12), ok("'\\r'", 13),
        ok("'\\t'", 9), ok("'\\v'", 11), ok("'\\q'", 'q'), ok("'\\\\'", '\\'), ok("'\\''", '\''),
        ok("'\\777'", 511), ok("'\\8'", '8'), ok("'''", '\''), ok("' '", ' '), ok("'a' + 1", 98),
        error("'ab'"), error("'a"), error("''"), error("'\\"), error("'\\^"), error("'\\1011'"),
    });
}

TEST(IfEval, Arithmetic) {
    check({
        error("1/0"), error("1%0"), error("0&&1/0"), error("1||1%0"), error("1?2:1/0"), error("(1/0, 2)"),
        ok("1<<33", 2), ok("1<<32", 1), ok("1<<31", kMin), ok("-8>>1", -4), ok("-1>>31", -1),
        ok("(-2147483647-1) / -1", kMin),
        ok("-2147483647-1 / -1", -2147483646),  // / binds first: -2147483647 - -1
        ok("(-2147483647-1) % -1", 0), ok("0x7fffffff+1", kMin), ok("-(-2147483647-1)", kMin),
        ok("65536*65536", 0), ok("-7/2", -3), ok("-7%2", -1), ok("7%-2", 1), ok("~0", -1), ok("!5", 0),
        ok("5 & 3", 1), ok("5 ^ 3", 6), ok("5 | 3", 7),
    });
}

TEST(IfEval, NestingIsBounded) {
    int flag = 0;
    // the parser's stacks take 100 open parentheses, not 101
    EXPECT_EQ(evaluate_if_expression(std::string(100, '(') + "1" + std::string(100, ')'), flag), 1);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(evaluate_if_expression(std::string(101, '(') + "1" + std::string(101, ')'), flag), 0);
    EXPECT_EQ(flag, -1);

    check({ok("((((((((((7))))))))))", 7)});

    for (const char opener : {'(', '-', '!', '~'}) {
        std::string deep = std::string(1000, opener) + "1";
        if (opener == '(') deep += std::string(1000, ')');
        EXPECT_EQ(evaluate_if_expression(deep, flag), 0);
        EXPECT_EQ(flag, -1) << "opener " << opener;
    }

    std::string chain;
    for (int i = 0; i < 1000; ++i) chain += "1?1:";
    chain += "1";
    EXPECT_EQ(evaluate_if_expression(chain, flag), 0);
    EXPECT_EQ(flag, -1);

    // A long but flat expression needs no depth.
    std::string flat = "1";
    for (int i = 0; i < 10000; ++i) flat += "+1";
    EXPECT_EQ(evaluate_if_expression(flat, flag), 10001);
    EXPECT_EQ(flag, 0);

    // Control prefixes of a character constant are not nesting.
    std::string controls = "'";
    for (int i = 0; i < 100000; ++i) controls += "\\^";
    controls += "a'";
    EXPECT_EQ(evaluate_if_expression(controls, flag), 1);
    EXPECT_EQ(flag, 0);
}

TEST(IfEval, RandomTextNeverCrashes) {
    std::mt19937 rng(20240611);
    const std::string_view alphabet = "0123456789xXlLuabf_()+-*/%<>=!&|^~?:,.'\\\" \t";
    for (int i = 0; i < 4000; ++i) {
        const int length = static_cast<int>(rng() % 40);
        std::string text;
        for (int k = 0; k < length; ++k) {
            const bool raw = i % 2 == 0;  // half fully random bytes, half near-expressions
            text += raw ? static_cast<char>(rng() & 0xFF) : alphabet[rng() % alphabet.size()];
        }
        int flag = 12345;
        const int32_t value = evaluate_if_expression(text, flag);
        ASSERT_TRUE(flag == 0 || (flag == -1 && value == 0));
    }
}

}  // namespace
