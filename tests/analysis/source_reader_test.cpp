// The source reader: physical and logical lines, trigraphs, continuations,
// comments and read errors.

#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

using SourceReader = AnalysisTest;
using Lines = std::vector<SourceLine>;
using Codes = std::vector<std::string>;

const std::string kHyo = "\x95\x5C";  // 表: its trail byte is a backslash

TEST_F(SourceReader, Trigraphs) {
    std::string text = "?\?=define A ?\?/ ?\?( ?\?) ?\?! ?\?< ?\?> ?\?- ?\?' ?\?x ?\? ?\?\?=";
    replace_trigraphs(text);
    EXPECT_EQ(text, "#define A \\ [ ] | { } ~ ^ ?\?x ?\? ?#");

    const std::string path = write_source("main.c", "?\?=define X 1\nx = a?\?(1?\?);\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "x = a[1];"}));
    EXPECT_EQ(lookup_macro("X", nullptr, nullptr), 1);
}

TEST_F(SourceReader, ControlCharactersBecomeBlanks) {
    const struct {
        const char* source;
        Codes expected;
    } cases[] = {
        {"a\x01=\x1f" "b;\tc;\n", {"a = b;  c;"}},
        // past the first eight bytes, and a trigraph across them
        {"int value = 12\x7f\x02;\n", {"int value = 12\x7f ;"}},
        {"abcdefg?\?(1?\?);\n", {"abcdefg[1];"}},
        {"abcdefgh?:x;\n", {"abcdefgh?:x;"}},
    };
    for (const auto& c : cases) {
        reset_scanner_state(kResetState);
        EXPECT_EQ(run_codes(write_source("main.c", c.source)), c.expected) << c.source;
    }
}

TEST_F(SourceReader, ContinuationTakesTheLastLineNumber) {
    const std::string path = write_source("main.c", "int a = \\\n  1 + \\\n  2;\nx;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"int a =   1 +   2;", "", 3, 0}, {"x;", "", 4, 0}}));
    EXPECT_EQ(last_code_, -1);
}

TEST_F(SourceReader, ContinuationAtTheEndOfTheFile) {
    const std::string path = write_source("main.c", "a; \\\n");
    EXPECT_EQ(run_lines(path), (Lines{{"a;", "", 1, 0}}));
}

TEST_F(SourceReader, LongContinuationIsJoinedAsWritten) {
    const std::string first = std::string(500, 'a') + std::string(100, ' ') + "\\\n";
    const std::string second = std::string(100, ' ') + std::string(400, 'b') + "\n";
    const std::string path = write_source("main.c", first + second + "x;\n");
    EXPECT_EQ(run_lines(path), (Lines{{std::string(500, 'a') + std::string(200, ' ') + std::string(400, 'b'), "", 2, 0},
                                      {"x;", "", 3, 0}}));
    EXPECT_FALSE(error_file_exists());
}

// A continued line is joined whatever its length, its parts as written;
// only a runaway line of 4 MiB is refused.
TEST_F(SourceReader, ContinuationOfAnyLengthUpToTheRunawayGuard) {
    auto joined = [&](int b_count) {
        reset_scanner_state(kResetState | kResetErrorFile);
        return run_lines(write_source("cont.c", std::string(500, 'a') + " \\\n " +
                                                    std::string(static_cast<size_t>(b_count), 'b') + "\nx;\n"));
    };
    for (int b_count : {520, 521, 522, 1000}) {
        Lines lines = joined(b_count);
        ASSERT_EQ(lines.size(), 2u) << b_count;
        EXPECT_EQ(lines[0].code, std::string(500, 'a') + "  " + std::string(static_cast<size_t>(b_count), 'b'));
    }
    EXPECT_FALSE(error_file_exists());
    // 4,194 parts of 1,000 bytes and a last one: the joined line and the
    // last part's line end take 4 MiB - 1 bytes, or 4 MiB
    auto runaway = [&](int last) {
        reset_scanner_state(kResetState | kResetErrorFile);
        std::string text;
        for (int i = 0; i < 4194; ++i) text += std::string(1000, 'a') + "\\\n";
        return run_lines(write_source("runaway.c", text + std::string(static_cast<size_t>(last), 'a') + "\n"));
    };
    Lines whole = runaway(302);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].code.size(), 4 * 1024 * 1024 - 2u);
    EXPECT_EQ(whole[0].line, 4195);
    EXPECT_TRUE(runaway(303).empty());
    EXPECT_EQ(last_code_, -129);
    EXPECT_NE(error_bytes().find(" : E129 : " + std::string(kMsgLineTooLong) + "\r\n"), std::string::npos);
}

TEST_F(SourceReader, CrLfAndLfAlike) {
    const std::string bytes = "a;\r\n/* c\r\n d */ b;\r\n#define X 1 /* x\r\n y\r\n z */\r\nX;\r\n";
    const std::string path = write_source("main.c", bytes);
    // a directive's comment is read on to its end
    const Lines expected = {{"a;", "", 1, 0},  {"", "/* c", 2, 0}, {"b;", " d */", 3, 0},
                            {"", "/* x y z */", 4, 0}, {"", "", 6, 0}, {"X;", "", 7, 0}};
    EXPECT_EQ(run_lines(path), expected);
    EXPECT_EQ(g_analysis.current.bytes_read, static_cast<int64_t>(bytes.size()));

    reset_scanner_state(kResetState | kResetErrorFile);
    std::string lf = bytes;
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    EXPECT_EQ(run_lines(write_source("lf.c", lf)), expected);
    EXPECT_EQ(g_analysis.current.bytes_read, static_cast<int64_t>(lf.size()));
}

TEST_F(SourceReader, OverlongLineIsCutAtACharacterAndSkippedWhole) {
    std::string line = "a";
    for (int i = 0; i < 1500; ++i) line += kHyo;
    const std::string path = write_source("main.c", line + "\nx;\n");
    std::string kept = "a";
    for (int i = 0; i < 510; ++i) kept += kHyo;  // 1021 bytes: the next pair would pass 1022
    EXPECT_EQ(run_lines(path), (Lines{{kept, "", 1, 0}, {"x;", "", 2, 0}}));
    EXPECT_EQ(g_analysis.current.bytes_read, static_cast<int64_t>(line.size() + 4));
}


// A line and its line end fill the reader's buffer less one byte: 1023 bytes
// in NOTARIX, 2047 in GRAVLET; one byte more and the line is cut.
TEST_F(SourceReader, LongestWholeLineByProgram) {
    auto first_code = [&](int length) {
        reset_scanner_state(kResetState | kResetErrorFile);
        const Lines lines = run_lines(write_source("long.c", std::string(static_cast<size_t>(length), 'x') + "\ny;\n"));
        EXPECT_EQ(lines.size(), 2u) << length;
        return lines.empty() ? std::string() : lines[0].code;
    };
    EXPECT_EQ(first_code(1022), std::string(1022, 'x'));
    EXPECT_EQ(first_code(1023), std::string(1022, 'x'));
    start(kGravletAnalysis);
    EXPECT_EQ(first_code(2046), std::string(2046, 'x'));
    EXPECT_EQ(first_code(2047), std::string(2046, 'x'));
}

TEST_F(SourceReader, OverlongLineThroughTheRawReader) {
    const std::string path = write_source("main.c", std::string(5000, 'z') + "\r\nnext\r\n");
    ASSERT_EQ(open_source_file(path.c_str()), 1);
    std::string out;
    int64_t bytes = 0;
    ASSERT_TRUE(read_raw_line(out, 100, bytes));
    EXPECT_EQ(out, std::string(98, 'z') + "\n");
    EXPECT_EQ(bytes, 5002);
    ASSERT_TRUE(read_raw_line(out, 100, bytes));
    EXPECT_EQ(out, "next\n");
    EXPECT_FALSE(read_raw_line(out, 100, bytes));
}

TEST_F(SourceReader, BackslashOfADoubleByteCharacterDoesNotContinue) {
    const std::string path = write_source("main.c", "x; // " + kHyo + "\ny;\nz; // " + kHyo + "\\\nw;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"x;", "/* " + kHyo + "*/", 1, 0},
                                      {"y;", "", 2, 0},
                                      {"z;", "/* " + kHyo + "w;*/", 4, 0}}));
}

TEST_F(SourceReader, LineCommentBecomesABlockComment) {
    const std::string path = write_source("main.c", "x = 1;   // note\n// alone\n");
    EXPECT_EQ(run_lines(path), (Lines{{"x = 1;", "/* note*/", 1, 0}, {"", "/* alone*/", 2, 0}}));
}

TEST_F(SourceReader, BlockCommentBetweenWordsLeavesTheBlanks) {
    const std::string path = write_source("main.c", "int /* c */ a; /* t */\n/* l */ b;\nint/**/c;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"int  a;", "/* t */", 1, 0}, {"b;", "/* l */", 2, 0}, {"intc;", "", 3, 0}}));
}

TEST_F(SourceReader, CommentOverFourLines) {
    const std::string path = write_source("main.c", "a; /* one\ntwo \"\nthree '\nfour */ b;\nc;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"a;", "/* one", 1, 0},
                                      {"", "two \"", 2, 0},
                                      {"", "three '", 3, 0},
                                      {"b;", "four */", 4, 0},
                                      {"c;", "", 5, 0}}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(SourceReader, LiteralsHideCommentMarks) {
    const std::string path = write_source("main.c", "s = \"/* \\\" // \"; c = '\"'; // real\n");
    EXPECT_EQ(run_lines(path), (Lines{{"s = \"/* \\\" // \"; c = '\"';", "/* real*/", 1, 0}}));
}

TEST_F(SourceReader, UnclosedLiteral) {
    const std::string path = write_source("main.c", "a;\ns = \"open;\nb;\n");
    EXPECT_EQ(run_codes(path), (Codes{"a;", "s = \"open;", "b;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'E', 112, kMsgUnmatchedQuote));
}

TEST_F(SourceReader, StrayCommentEndInASkippedRegion) {
    const std::string path = write_source("main.c", "#if 0\nc; */ d;\n#endif\ne;\n");
    EXPECT_EQ(run_codes(path), (Codes{"", "", "", "e;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'W', 119, kMsgStrayCommentEnd));
    EXPECT_EQ(g_analysis.warnings_flag, 1);
}

TEST_F(SourceReader, StrayCommentEndInAnActiveRegion) {
    const std::string path = write_source("main.c", "x;\na; */ b;\ne;\n");
    EXPECT_EQ(run_codes(path), (Codes{"x;"}));
    EXPECT_EQ(last_code_, -119);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'E', 119, kMsgStrayCommentEnd));
}

// A "*" right before "/*" or "//" is code followed by a comment; "*/"
// followed by anything else is still a stray comment end.
TEST_F(SourceReader, StarBeforeACommentIsNoCommentEnd) {
    const struct {
        const char* source;
        Lines expected;
        int last_code;
    } cases[] = {
        {"void f(void */*T*/p) {\n", {{"void f(void *p) {", "", 1, 0}}, -1},
        {"x = 4 */*T*/2;\n", {{"x = 4 *2;", "", 1, 0}}, -1},
        {"x = 4 */*T*/ /*t*/\n", {{"x = 4 *", "/*T*//*t*/", 1, 0}}, -1},
        {"x = a *//*c*/ b;\n", {{"x = a *", "/**c*/ b;*/", 1, 0}}, -1},
        {"x = a *// note\n", {{"x = a *", "/* note*/", 1, 0}}, -1},
        {"/* a\nb */ x *//**/\n", {{"", "/* a", 1, 0}, {"x *", "b *//***/*/", 2, 0}}, -1},
        {"x = a */ /* c */\n", {}, -119},
        {"x = a */b;\n", {}, -119},
    };
    for (const auto& c : cases) {
        reset_scanner_state(kResetState | kResetErrorFile);
        EXPECT_EQ(run_lines(write_source("star.c", c.source)), c.expected) << c.source;
        EXPECT_EQ(last_code_, c.last_code) << c.source;
    }
}

// Comments, literals and continuations met in one walk over the line: the
// code between comments is kept, a comment inside it dropped.
TEST_F(SourceReader, CommentsAroundLiteralsAndCode) {
    const struct {
        const char* source;
        Lines expected;
    } cases[] = {
        {"s = \"/*\"; /* c */\n", {{"s = \"/*\";", "/* c */", 1, 0}}},
        {"c = '/'; d = '*'; // e\n", {{"c = '/'; d = '*';", "/* e*/", 1, 0}}},
        {"s = \"a /* \\\nb */\"; x;\n", {{"s = \"a /* b */\"; x;", "", 2, 0}}},
        {"/* a\nb */ x; /* c\nd */ y;\n",
         {{"", "/* a", 1, 0}, {"x;", "b *//* c", 2, 0}, {"y;", "d */", 3, 0}}},
        {"/*a*/ x /*b*/ y; /*c*/ /*d*/\n", {{"x  y;", "/*a*//*c*//*d*/", 1, 0}}},
        {"/*a*//*b*/ /*c*/\n", {{"", "/*a*//*b*//*c*/", 1, 0}}},
        {"   x = 1;   /* t */   \n", {{"x = 1;", "/* t */", 1, 0}}},
        {"_asm mov /*a*//*b*/ ax ; c\n", {{"_asm mov   ax ;", "/*; c*/", 1, 0}}},
        {"s = \"\x95\\\"; /* \x95\\ */\n", {{"s = \"\x95\\\";", "/* \x95\\ */", 1, 0}}},
    };
    for (const auto& c : cases) {
        reset_scanner_state(kResetState);
        EXPECT_EQ(run_lines(write_source("split.c", c.source)), c.expected) << c.source;
    }
}

TEST_F(SourceReader, AsmLineKeepsBlanksForComments) {
    const std::string path = write_source("main.c", "_asm mov/**/ax, 1 ; load\nx;\n");
    EXPECT_EQ(run_lines(path), (Lines{{"_asm mov ax, 1 ;", "/*; load*/", 1, 0}, {"x;", "", 2, 0}}));
}

TEST_F(SourceReader, DirectiveLosesTheBlanksAfterTheNumberSign) {
    g_analysis.settings.directive_line_mode = 2;
    const std::string path = write_source("main.c", "#   define  X 1\n");
    EXPECT_EQ(run_codes(path), (Codes{"#define  X 1"}));
}

TEST_F(SourceReader, ReadErrorIsNotTheEndOfTheFile) {
    // reading this file fails at its start
    ASSERT_EQ(open_source_file("/proc/self/mem"), 1);
    std::string code, comment;
    int depth = 0, line = 0;
    EXPECT_EQ(next_source_line(depth, code, comment, line), kCodeReadError);
    EXPECT_EQ(error_bytes(), error_line("mem", 0, 'E', 139, kMsgCannotRead, "/proc/self/mem"));
}

TEST_F(SourceReader, CloseWithoutFile) {
    EXPECT_EQ(close_source_file(), -127);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 127, kMsgFileNotOpen));
}

TEST_F(SourceReader, MissingSourceIsZeroWithoutMessage) {
    EXPECT_EQ(open_source_file(dir_.path("none.c").c_str()), 0);
    EXPECT_FALSE(error_file_exists());
}

}  // namespace
}  // namespace analysis_test
