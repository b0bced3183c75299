// The macro table: definitions, substitution, control macros and the
// predefined macro.

#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

using Codes = std::vector<std::string>;
using Macros = AnalysisTest;

std::string expanded(std::string text) {
    int r = expand_if_macros(text, 1024, 0, 0);
    return r == 1 ? text : "code " + std::to_string(r);
}

std::string body_of(const char* name) {
    std::string body;
    return lookup_macro(name, &body, nullptr) == 0 ? "<undefined>" : body;
}

TEST_F(Macros, IdenticalRedefinitionIsSilent) {
    EXPECT_EQ(handle_define_directive("#define A  (1 + 2)  "), 1);
    EXPECT_EQ(handle_define_directive("#define A (1 + 2)"), 1);
    EXPECT_FALSE(error_file_exists());
    EXPECT_EQ(body_of("A"), "(1 + 2)");
}

TEST_F(Macros, DifferentBodyWarnsAndGoesOn) {
    const std::string path = write_source("main.c", "#define A 1\n#define A 2\nx;\n#if A == 2\ny;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "x;", "", "y;", ""}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'W', 135, kMsgMacroRedefined));
    EXPECT_EQ(body_of("A"), "2");
    EXPECT_EQ(macro_count(), 2);  // unix and A
}

TEST_F(Macros, FunctionLikeRedefinitionAlwaysWarns) {
    EXPECT_EQ(define_function_macro("F(a)", "a"), 1);
    EXPECT_EQ(define_function_macro("F(a)", "a"), 1);
    EXPECT_EQ(define_macro("F", "a"), 1);
    EXPECT_EQ(error_bytes(), bare_error_line('W', 135, kMsgMacroRedefined) + bare_error_line('W', 135, kMsgMacroRedefined));
    EXPECT_EQ(lookup_macro("F", nullptr, nullptr), 1);
    // ... even to an object-like one with the same body
    EXPECT_EQ(define_function_macro("G(a)", "1"), 1);
    EXPECT_EQ(define_macro("G", "1"), 1);
    EXPECT_EQ(lookup_macro("G", nullptr, nullptr), 1);
    const std::string warning = bare_error_line('W', 135, kMsgMacroRedefined);
    EXPECT_EQ(error_bytes(), warning + warning + warning);
}

TEST_F(Macros, ObjectBodiesAreSubstitutedWhenDefined) {
    handle_define_directive("#define ONE 1");
    handle_define_directive("#define TWO (ONE + ONE)");
    handle_define_directive("#define STR \"ONE\" ONE");
    EXPECT_EQ(body_of("TWO"), "(1 + 1)");
    EXPECT_EQ(body_of("STR"), "\"ONE\" 1");
}

TEST_F(Macros, Stringize) {
    handle_define_directive("#define S(x) #x");
    handle_define_directive("#define T(x, y) [#x|y]");
    EXPECT_EQ(expanded("S(a   b)"), "\"a b\"");
    EXPECT_EQ(expanded("S( \"q\" )"), "\"\\\"q\\\"\"");
    EXPECT_EQ(expanded("T(1 , two)"), "[\"1\"|two]");
    std::string out;
    const int length = stringize_argument("'\\'' \"a\\nb\"", out);
    EXPECT_EQ(length, static_cast<int>(out.size()));
    EXPECT_EQ(out, "'\\\\\\'' \\\"a\\\\nb\\\"");
}

TEST_F(Macros, Paste) {
    handle_define_directive("#define CAT(a, b) a##b");
    handle_define_directive("#define SPACED(a, b) a ## b");
    handle_define_directive("#define LIT(a) \"##\" a");
    EXPECT_EQ(expanded("CAT(x, y)"), "xy");
    EXPECT_EQ(expanded("LIT(z)"), "\"##\" z");
}

// The blanks around two number signs go with them, as in C.
TEST_F(Macros, SpacedPasteJoinsTheWords) {
    handle_define_directive("#define SPACED(a, b) a ## b");
    handle_define_directive("#define PREFIXED(F) __GLIBC_USE_ ## F");
    handle_define_directive("#define KEEP(a) \" ## \" a  ##  _tail x");
    EXPECT_EQ(expanded("SPACED(x, y)"), "xy");
    EXPECT_EQ(expanded("PREFIXED(ISOC2X)"), "__GLIBC_USE_ISOC2X");
    // within a literal the signs and blanks stay; outside, after it, they go
    EXPECT_EQ(expanded("KEEP(v)"), "\" ## \" v_tail x");
    const std::string path = write_source("glibc.c",
                                          "#define __GLIBC_USE(F) __GLIBC_USE_ ## F\n"
                                          "#define __GLIBC_USE_ISOC2X 1\n"
                                          "#if __GLIBC_USE (ISOC2X)\nyes;\n#else\nno;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "yes;", "", "", ""}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Macros, ArgumentsAreSplitAtTheOuterLevel) {
    handle_define_directive("#define PAIR(a, b) {b, a}");
    EXPECT_EQ(expanded("x = PAIR(f(1, 2), \"a,b\") + 1;"), "x = {\"a,b\", f(1, 2)} + 1;");
    EXPECT_EQ(expanded("PAIR (1,2)"), "{2, 1}");
    EXPECT_EQ(expanded("PAIR;"), "PAIR;");
}

TEST_F(Macros, WrongArgumentCountIsLeftWithAWarning) {
    handle_define_directive("#define PAIR(a, b) a b");
    EXPECT_EQ(expanded("PAIR(1) PAIR(1, 2, 3)"), "PAIR(1) PAIR(1, 2, 3)");
    EXPECT_EQ(error_bytes(), bare_error_line('W', 131, kMsgMacroUse, "PAIR(1) PAIR(1, 2, 3)") +
                                 bare_error_line('W', 131, kMsgMacroUse, "PAIR(1) PAIR(1, 2, 3)"));
}

TEST_F(Macros, EmptyArgumentIsAnError) {
    handle_define_directive("#define PAIR(a, b) a b");
    EXPECT_EQ(expanded("PAIR(1, )"), "code -131");
    EXPECT_EQ(error_bytes(), bare_error_line('E', 131, kMsgMacroUse, "PAIR(1, )"));
}

TEST_F(Macros, MissingCloseParenthesis) {
    handle_define_directive("#define PAIR(a, b) a b");
    std::string text = "PAIR(1, 2";
    EXPECT_EQ(expand_macros(0, text, *find_macro("PAIR"), 0), -132);
    EXPECT_FALSE(error_file_exists());
    EXPECT_EQ(expand_macros(0, text, *find_macro("PAIR"), 1), -132);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 131, kMsgMacroUse, "PAIR(1, 2"));
}

TEST_F(Macros, EmptyParameterList) {
    handle_define_directive("#define F() 7");
    EXPECT_EQ(expanded("F() + F( )"), "7 + 7");
    EXPECT_EQ(lookup_macro("F", nullptr, nullptr), 2);
}

TEST_F(Macros, TooManyParameters) {
    std::string params;
    for (int i = 0; i < 99; ++i) params += (i ? ",p" : "p") + std::to_string(i);
    EXPECT_EQ(define_function_macro("G(" + params + ")", "p98"), 1);
    EXPECT_EQ(expanded("G(" + params + ")"), "p98");
    EXPECT_FALSE(error_file_exists());
    params.clear();
    for (int i = 0; i < 100; ++i) params += (i ? ",p" : "p") + std::to_string(i);
    EXPECT_EQ(define_function_macro("F(" + params + ")", "p0"), -128);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 128, kMsgDefineSyntax));
}

TEST_F(Macros, DefineLineEndingInALiteral) {
    EXPECT_EQ(handle_define_directive("#define Q \"open"), -128);
    EXPECT_EQ(lookup_macro("Q", nullptr, nullptr), 0);
    EXPECT_EQ(handle_define_directive("#undef Q"), 0);
}

TEST_F(Macros, ReplaceDefined) {
    handle_define_directive("#define A");
    std::string e = "defined(A) && defined  B || defined ( A ) || \"defined A\"";
    replace_defined(e);
    EXPECT_EQ(e, "(1) && (0) || (1) || \"defined A\"");
}

TEST_F(Macros, ControlMacroKind) {
    EXPECT_EQ(control_macro_kind("for(;;)"), 0);
    EXPECT_EQ(control_macro_kind("x; if"), 1);
    EXPECT_EQ(control_macro_kind("x; default"), 1);  // the longest control word
    EXPECT_EQ(control_macro_kind("x; defaults"), 0);
    EXPECT_EQ(control_macro_kind("a(do_it)"), 0);
    EXPECT_EQ(control_macro_kind("\"if\" x"), 0);
    EXPECT_EQ(control_macro_kind("{ x; }"), 2);
    EXPECT_EQ(control_macro_kind("f(x"), 2);
    EXPECT_EQ(control_macro_kind("f(x)"), 0);
    g_analysis.settings.control_macro_mode = 4;
    EXPECT_EQ(control_macro_kind("f(x)"), 3);
    EXPECT_EQ(control_macro_kind("x;"), 3);
    EXPECT_EQ(control_macro_kind("x; else"), 1);
}

class ControlMacros : public AnalysisTest {
protected:
    void define_all() {
        handle_define_directive("#define PLAIN value");
        handle_define_directive("#define LOOP(n) while (n) {");
        handle_define_directive("#define CHECK(c) if (c) x; else y");
    }
    std::string run(int mode, std::string line, int expected = 1) {
        g_analysis.settings.control_macro_mode = mode;
        EXPECT_EQ(expand_control_macros(line, 1024), expected) << line;
        return line;
    }
};

TEST_F(ControlMacros, ModeOneRefusesControlMacros) {
    define_all();
    EXPECT_EQ(run(1, "a = PLAIN;"), "a = value;");
    EXPECT_EQ(run(1, "LOOP(1) PLAIN", -105), "LOOP(1) PLAIN");
    EXPECT_EQ(error_bytes(), bare_error_line('E', 105, kMsgControlMacro, "LOOP(1) PLAIN"));
}

TEST_F(ControlMacros, ModeTwoSubstitutesEveryMacro) {
    define_all();
    EXPECT_EQ(run(2, "PLAIN; LOOP(k) CHECK(z)"), "value; while (k) { if (z) x; else y");
}

TEST_F(ControlMacros, ModeThreeSubstitutesControlMacrosOnly) {
    define_all();
    EXPECT_EQ(run(3, "PLAIN; LOOP(k)"), "PLAIN; while (k) {");
    EXPECT_EQ(run(3, "#define NEW LOOP(1)"), "#define NEW while (1) {");
    EXPECT_EQ(run(3, "#define LOOP 1", 1), "#define LOOP 1");
    EXPECT_EQ(run(3, "#ifdef LOOP", 0), "#ifdef LOOP");
    EXPECT_EQ(run(3, "#if defined LOOP"), "#if defined LOOP");
    EXPECT_EQ(run(3, "s = \"LOOP(1)\";"), "s = \"LOOP(1)\";");
    EXPECT_EQ(run(3, "s = \"x\" LOOP(1)"), "s = \"x\" while (1) {");
    // a word right after a double-byte character whose trail byte is a letter
    EXPECT_EQ(run(3, "\x82\x78LOOP(1)"), "\x82\x78while (1) {");
    EXPECT_EQ(run(3, "xLOOP(1) LOOPS LOOP"), "xLOOP(1) LOOPS LOOP");
    EXPECT_EQ(run(3, "PLAIN + CHECK(a)"), "PLAIN + if (a) x; else y");
}

TEST_F(ControlMacros, ModeFourClosesFrameworkMacros) {
    define_all();
    EXPECT_EQ(run(4, "ASSERT(x > 0)"), "ASSERT(x > 0);");
    EXPECT_EQ(run(4, "  VERIFY(f(a), (b)) // c"), "  VERIFY(f(a), (b)); // c");
    EXPECT_EQ(run(4, "ASSERT(x);"), "ASSERT(x);");
    EXPECT_EQ(run(4, "ASSERT;"), "ASSERT;");
    EXPECT_EQ(run(4, "Assert(x)"), "Assert(x)");
    EXPECT_EQ(run(4, "LOOP(k) PLAIN"), "while (k) { PLAIN");

    const std::string path = write_source("main.c", "ASSERT_VALID(this)\nx;\n");
    EXPECT_EQ(run_codes(path), (Codes{"ASSERT_VALID(this);", "x;"}));
}

TEST_F(ControlMacros, SourceLinesUseTheDefaultMode) {
    const std::string path = write_source("main.c", "#define FOREVER for(;;)\n#define BEGIN {\nFOREVER BEGIN\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "FOREVER {"}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Macros, SelfReferenceStopsWithAnError) {
    const std::string path = write_source("main.c", "#define X X\n#if X\na;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{""}));
    EXPECT_EQ(last_code_, -101);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'E', 101, kMsgMacroTooLong, " X"));
}

TEST_F(Macros, CycleStopsWithAnError) {
    handle_define_directive("#define A B");
    handle_define_directive("#define B A");
    std::string text = "A + 1";
    EXPECT_EQ(expand_if_macros(text, 1024, 1, 1), -101);
    std::string grows = "G";
    handle_define_directive("#define G G+1");
    EXPECT_EQ(expand_if_macros(grows, 1024, 1, 1), -101);
}

// A call's result may take 1022 bytes; a substituted body may fill the text
// up to one byte below its size.
TEST_F(Macros, LongestResults) {
    handle_define_directive("#define F(a) a");
    EXPECT_EQ(expanded("F(" + std::string(1022, 'x') + ")"), std::string(1022, 'x'));
    EXPECT_EQ(expanded("F(" + std::string(1023, 'x') + ")"), "code -101");
    handle_define_directive("#define O " + std::string(10, 'o'));
    EXPECT_EQ(expanded(std::string(1012, 'x') + " O"), std::string(1012, 'x') + " " + std::string(10, 'o'));
    EXPECT_EQ(expanded(std::string(1013, 'x') + " O"), "code -101");
}

TEST_F(Macros, ResultTooLong) {
    handle_define_directive("#define LONG " + std::string(600, 'x'));
    std::string text = "LONG LONG";
    EXPECT_EQ(expand_if_macros(text, 1024, 0, 0), -101);
    const std::string bytes = error_bytes();
    std::string head = bare_error_line('E', 101, kMsgMacroTooLong);
    head.resize(head.size() - 2);
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_LE(bytes.size(), 257u);  // the detail is cut, not the message
}

TEST_F(Macros, TruncateTable) {
    handle_define_directive("#define A 1");
    handle_define_directive("#define B 2");
    handle_define_directive("#define C(x) x");
    ASSERT_EQ(macro_count(), 4);
    truncate_macro_table(10);
    EXPECT_EQ(macro_count(), 4);
    truncate_macro_table(2);
    EXPECT_EQ(macro_count(), 2);
    EXPECT_EQ(body_of("A"), "1");
    EXPECT_EQ(lookup_macro("B", nullptr, nullptr), 0);
    EXPECT_EQ(lookup_macro("C", nullptr, nullptr), 0);
    handle_define_directive("#define B 3");
    EXPECT_EQ(body_of("B"), "3");
    EXPECT_FALSE(error_file_exists());
}

// #undef and redefinition leave every other macro where the index finds it,
// however many there are (removed nodes are compacted away now and then),
// and the table keeps its definition order.
TEST_F(Macros, UndefAndRedefinitionKeepTheIndexRight) {
    const auto name = [](int i) { return "M" + std::to_string(i); };
    for (int i = 0; i < 300; ++i) handle_define_directive("#define " + name(i) + " " + std::to_string(i));
    for (int i = 0; i < 300; i += 2) EXPECT_EQ(handle_undef_directive("#undef " + name(i)), 1);
    for (int i = 1; i < 300; i += 6) EXPECT_EQ(handle_define_directive("#define " + name(i) + " again"), 1);
    EXPECT_EQ(handle_define_directive("#define M0 back"), 1);
    EXPECT_EQ(handle_undef_directive("#undef M0"), 1);
    EXPECT_EQ(handle_undef_directive("#undef M0"), 1);  // no longer there: nothing happens
    for (int i = 0; i < 300; ++i) {
        const std::string expected = i % 2 == 0 ? "<undefined>" : i % 6 == 1 ? "again" : std::to_string(i);
        EXPECT_EQ(body_of(name(i).c_str()), expected) << name(i);
    }
    EXPECT_EQ(macro_count(), 151);  // unix and the odd ones

    truncate_macro_table(3);  // unix, M3 and M5: M1 was defined again after them
    EXPECT_EQ(macro_count(), 3);
    EXPECT_EQ(body_of("M3"), "3");
    EXPECT_EQ(body_of("M5"), "5");
    EXPECT_EQ(body_of("M1"), "<undefined>");
    EXPECT_EQ(body_of("M7"), "<undefined>");
}

TEST_F(Macros, UnixIsPredefined) {
    EXPECT_EQ(lookup_macro("unix", nullptr, nullptr), 1);
    EXPECT_EQ(body_of("unix"), "");
    handle_define_directive("#define A 1");

    ASSERT_EQ(reset_scanner_state(kResetState | kResetKeepMacros), 1);
    EXPECT_EQ(body_of("A"), "1");
    EXPECT_EQ(macro_count(), 2);
    EXPECT_FALSE(error_file_exists());

    ASSERT_EQ(reset_scanner_state(kResetState | kResetNoUnix), 1);
    EXPECT_EQ(macro_count(), 0);

    ASSERT_EQ(reset_scanner_state(kResetState), 1);
    EXPECT_EQ(macro_count(), 1);
    const std::string path = write_source("main.c", "#ifdef unix\na;\n#endif\n#if unix\nb;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "a;", "", "", "", ""}));
    EXPECT_EQ(error_bytes(), error_line("main.c", 4, 'W', 134, kMsgUndefinedIfMacro));
}

}  // namespace
}  // namespace analysis_test
