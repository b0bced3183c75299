// The conditional stack: skipped regions, #if/#ifdef/#elif/#else/#endif,
// nesting limits and #error.

#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

using Lines = std::vector<SourceLine>;
using Codes = std::vector<std::string>;
using Conditionals = AnalysisTest;

TEST_F(Conditionals, SkippedRegionKeepsTheLineNumbers) {
    const std::string path = write_source("main.c", "a;\n#if 0 // why\nb; /* c */\nc;\n#endif\nd;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"a;", "", 1, 0},
                                      {"", "/* why*/", 2, 0},
                                      {"", "", 3, 0},
                                      {"", "", 4, 0},
                                      {"", "", 5, 0},
                                      {"d;", "", 6, 0}}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, UndefinedNameIsFalseWithoutMessage) {
    const std::string path = write_source("main.c", "#if NOTHING\na;\n#elif !NOTHING && 2 > 1\nb;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "b;", ""}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, EmptyMacroIsFalseWithAWarning) {
    const std::string path = write_source("main.c", "#define EMPTY\n#if EMPTY\na;\n#endif\nb;\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "", "b;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'W', 134, kMsgUndefinedIfMacro));
}

TEST_F(Conditionals, DefinedAndMacroValues) {
    const std::string path = write_source(
        "main.c", "#define TWO 2\n#define SUM(a,b) ((a)+(b))\n#if defined(TWO) && defined SUM && !defined(X)\n"
                  "a;\n#endif\n#if SUM(TWO, 1) == 3\nb;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "a;", "", "", "b;", ""}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, IfdefWithTwoElses) {
    const std::string path =
        write_source("main.c", "#define D\n#ifdef D\na;\n#else\nb;\n#else\nc;\n#endif\n#ifndef D\nd;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "a;", "", "", "", "c;", "", "", "", ""}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, ElifChain) {
    const std::string path =
        write_source("main.c", "#if 0\na;\n#elif 1\nb;\n#elif 1\nc;\n#else\nd;\n#endif\n#if 0\n#elif 0\n#else\ne;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "b;", "", "", "", "", "", "", "", "", "e;", ""}));
}

TEST_F(Conditionals, NestedInsideASkippedRegion) {
    const std::string path =
        write_source("main.c", "#if 0\n#if 1\na;\n#else\nb;\n#endif\n#else\nc;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "", "", "", "", "c;", ""}));
}

TEST_F(Conditionals, ElseOutsideEveryConditional) {
    const std::string path = write_source("main.c", "a;\n#else\nb;\n#else\nc;\n");
    EXPECT_EQ(run_codes(path), (Codes{"a;", "", "", "", "c;"}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, EndifAfterAnOuterElse) {
    const std::string path = write_source("main.c", "#else\nb;\n#endif\nc;\n");
    EXPECT_EQ(run_codes(path), (Codes{"", ""}));
    EXPECT_EQ(last_code_, -124);
    EXPECT_EQ(error_bytes(), error_line("main.c", 3, 'E', 124, kMsgUnmatchedEndif));
}

TEST_F(Conditionals, NineteenLevelsAndNoMore) {
    std::string source;
    for (int i = 0; i < 19; ++i) source += "#if 1\n";
    source += "deep;\n";
    for (int i = 0; i < 19; ++i) source += "#endif\n";
    const Codes codes = run_codes(write_source("ok.c", source));
    EXPECT_EQ(last_code_, -1);
    ASSERT_EQ(codes.size(), 39u);
    EXPECT_EQ(codes[19], "deep;");
    EXPECT_FALSE(error_file_exists());

    reset_scanner_state(kResetState | kResetErrorFile);
    run_codes(write_source("deep.c", "#if 1\n" + source + "#endif\n"));
    EXPECT_EQ(last_code_, -123);
    EXPECT_EQ(error_bytes(), error_line("deep.c", 20, 'E', 123, kMsgIfNesting));
}

TEST_F(Conditionals, ErrorDirectiveIsAWarning) {
    const std::string path = write_source("main.c", "#error stop  here\n#if 0\n#error not here\n#endif\nx;\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "", "x;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 1, 'W', 138, "", "#error stop  here"));
    EXPECT_EQ(g_analysis.warnings_flag, 1);
}

TEST_F(Conditionals, BadExpression) {
    const std::string path = write_source("main.c", "#if 1 +\na;\n#endif\n");
    run_codes(path);
    EXPECT_EQ(last_code_, -113);
    EXPECT_EQ(error_bytes(), error_line("main.c", 1, 'E', 113, kMsgIfSyntax));
}

// libpng's pngconf.h compares with a suffixed constant.
TEST_F(Conditionals, SuffixedConstants) {
    const std::string path = write_source("main.c",
                                          "#define UINT_MAX 4294967295U\n"
                                          "#if UINT_MAX > 4294967294U\nwide;\n#endif\n#if 1UL\none;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "wide;", "", "", "one;", ""}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, BadExpressionInASkippedRegionIsNotEvaluated) {
    const std::string path = write_source("main.c", "#if 0\n#if 1 +\n#endif\n#endif\nx;\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "", "x;"}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, DefinesOnlyInActiveRegions) {
    const std::string path = write_source("main.c", "#if 0\n#define A 1\n#else\n#define B 1\n#endif\n#undef unix\n");
    run_codes(path);
    EXPECT_EQ(lookup_macro("A", nullptr, nullptr), 0);
    EXPECT_EQ(lookup_macro("B", nullptr, nullptr), 1);
    EXPECT_EQ(lookup_macro("unix", nullptr, nullptr), 0);
}

TEST_F(Conditionals, DirectiveCommentIsReadToItsEnd) {
    const std::string path = write_source("main.c", "#if 1 /* open\n   still */\nx;\n#endif\n");
    EXPECT_EQ(run_lines(path), (Lines{{"", "/* open   still */", 1, 0}, {"", "", 2, 0}, {"x;", "", 3, 0}, {"", "", 4, 0}}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Conditionals, DirectiveCommentWithoutEnd) {
    const std::string path = write_source("main.c", "#define A 1 /* open\nnever closed\n");
    run_codes(path);
    EXPECT_EQ(last_code_, -120);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'E', 120, kMsgUnclosedComment));
}

TEST_F(Conditionals, KeepAllBranchesMode) {
    g_analysis.settings.conditional_mode = 0;
    const std::string path = write_source("main.c", "#if 0\na;\n#else\nb;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "a;", "", "b;", ""}));
}

TEST_F(Conditionals, LiteralZeroMode) {
    g_analysis.settings.conditional_mode = 1;
    const std::string path = write_source("main.c", "#if 0\na;\n#else\nb;\n#endif\n#if X\nc;\n#else\nd;\n#endif\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "b;", "", "", "c;", "", "d;", ""}));
}

}  // namespace
}  // namespace analysis_test
