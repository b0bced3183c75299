// Include files: the search, the include modes, the depth limit, the include
// stack and open-file limits.

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

using Lines = std::vector<SourceLine>;
using Codes = std::vector<std::string>;

class Includes : public AnalysisTest {
protected:
    void TearDown() override {
        crt_putenv("INCLUDE=");
        AnalysisTest::TearDown();
    }

    // main.c includes h1.h, each hK.h includes hK+1.h, up to `files`.
    std::string write_chain(int files) {
        for (int k = 1; k <= files; ++k)
            write_source("h" + std::to_string(k) + ".h",
                         "#include \"h" + std::to_string(k + 1) + ".h\"\nl" + std::to_string(k) + ";\n");
        return write_source("main.c", "#include \"h1.h\"\nmain;\n");
    }

    int deepest(const Lines& lines) {
        int d = 0;
        for (const SourceLine& l : lines) d = std::max(d, l.include_depth);
        return d;
    }
};

TEST_F(Includes, QuotedNameBesideTheTopLevelSource) {
    write_source("top/sub/a.h", "a;\n#include \"b.h\"\na2;\n");
    write_source("top/b.h", "b;\n");
    write_source("top/sub/b.h", "wrong;\n");
    const std::string main = write_source("top/main.c", "m;\n#include \"sub/a.h\"\nm2;\n");
    EXPECT_EQ(run_lines(main), (Lines{{"m;", "", 1, 0},
                                      {"", "", 2, 0},
                                      {"a;", "", 1, 1},
                                      {"", "", 2, 1},
                                      {"b;", "", 1, 2},
                                      {"a2;", "", 3, 1},
                                      {"m2;", "", 3, 0}}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Includes, AngleNamesThroughTheIncludeVariable) {
    g_analysis.settings.include_mode_angle = 1;
    write_source("first/other.h", "other;\n");
    write_source("second/sys.h", "sys;\n");
    crt_putenv(("INCLUDE= " + dir_.path("first") + " ;  " + dir_.path("second") + "  ").c_str());
    const std::string main = write_source("main.c", "#include < sys.h >\n#include <other.h>\n");
    EXPECT_EQ(run_codes(main), (Codes{"", "sys;", "", "other;"}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(Includes, IncludeVariableNamesOnlyTheListedFolders) {
    g_analysis.settings.include_mode_angle = 2;
    write_source("sys.h", "sys;\n");  // beside the source: not looked at for <...>
    crt_putenv(("INCLUDE=" + dir_.path("none")).c_str());
    const std::string main = write_source("main.c", "#include <sys.h>\nx;\n");
    EXPECT_EQ(run_codes(main), (Codes{"", "x;"}));
    EXPECT_EQ(error_bytes(), error_line("main.c", 1, 'W', 118, kMsgNoIncludeFile, "sys.h"));
}

TEST_F(Includes, AngleNamesAreNotReadInModeZero) {
    write_source("sys.h", "sys;\n");
    crt_putenv(("INCLUDE=" + dir_.path("")).c_str());
    EXPECT_EQ(run_codes(write_source("main.c", "#include <sys.h>\nx;\n")), (Codes{"", "x;"}));
}

TEST_F(Includes, MissingIncludeByMode) {
    const std::string main = write_source("main.c", "#include \"gone.h\"\nx;\n");
    g_analysis.settings.directive_line_mode = 2;  // show what the include mode leaves

    g_analysis.settings.include_mode_quoted = 1;
    EXPECT_EQ(run_codes(main), (Codes{"#include \"gone.h\"", "x;"}));
    EXPECT_FALSE(error_file_exists());

    reset_scanner_state(kResetState);
    g_analysis.settings.include_mode_quoted = 2;
    EXPECT_EQ(run_codes(main), (Codes{"#include \"gone.h\"", "x;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("main.c", 1, 'W', 118, kMsgNoIncludeFile, "gone.h"));
    EXPECT_EQ(g_analysis.warnings_flag, 1);

    reset_scanner_state(kResetState | kResetErrorFile);
    g_analysis.settings.include_mode_quoted = 3;
    EXPECT_EQ(run_codes(main), (Codes{"", "x;"}));
    EXPECT_FALSE(error_file_exists());

    reset_scanner_state(kResetState);
    g_analysis.settings.include_mode_quoted = 4;
    EXPECT_EQ(run_codes(main), (Codes{"", "x;"}));
    EXPECT_EQ(error_bytes(), error_line("main.c", 1, 'W', 118, kMsgNoIncludeFile, "gone.h"));
}

TEST_F(Includes, FoundIncludeLineByMode) {
    write_source("a.h", "a;\n");
    const std::string main = write_source("main.c", "#include \"a.h\"\n");
    g_analysis.settings.directive_line_mode = 2;
    g_analysis.settings.include_mode_quoted = 2;
    EXPECT_EQ(run_codes(main), (Codes{"#include \"a.h\"", "a;"}));
    reset_scanner_state(kResetState);
    g_analysis.settings.include_mode_quoted = 3;
    EXPECT_EQ(run_codes(main), (Codes{"", "a;"}));
    reset_scanner_state(kResetState);
    g_analysis.settings.include_mode_quoted = 0;
    EXPECT_EQ(run_codes(main), (Codes{"#include \"a.h\""}));
}

TEST_F(Includes, BadIncludeNames) {
    g_analysis.settings.include_mode_angle = 1;
    EXPECT_EQ(run_codes(write_source("main.c", "x;\n#include <a.h\ny;\n")), (Codes{"x;"}));
    EXPECT_EQ(last_code_, -114);
    EXPECT_EQ(error_bytes(), error_line("main.c", 2, 'E', 114, kMsgIncludeSyntax));

    reset_scanner_state(kResetState | kResetErrorFile);
    EXPECT_TRUE(run_codes(write_source("blank.c", "#include \"  \"\n")).empty());
    EXPECT_EQ(last_code_, -114);
    EXPECT_EQ(error_bytes(), error_line("blank.c", 1, 'E', 114, kMsgIncludeSyntax));
}

TEST_F(Includes, NotarixReadsTwentyOneLevels) {
    const Lines lines = run_lines(write_chain(21));  // h21.h names a missing h22.h
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(deepest(lines), 21);
    EXPECT_FALSE(error_file_exists());

    reset_scanner_state(kResetState | kResetErrorFile);
    run_lines(write_chain(22));
    EXPECT_EQ(last_code_, -117);
    EXPECT_EQ(g_analysis.include_stack.size(), 21u);
    EXPECT_EQ(error_bytes(), error_line("h21.h", 1, 'E', 117, kMsgIncludeNesting));
}

TEST_F(Includes, GravletReadsTwentyLevels) {
    start(kGravletAnalysis);
    run_lines(write_chain(21));
    EXPECT_EQ(last_code_, -117);
    EXPECT_EQ(g_analysis.include_stack.size(), 20u);
    EXPECT_EQ(error_bytes(), error_line("h20.h", 1, 'E', 117, kMsgIncludeNesting));
}

TEST_F(Includes, CycleStopsAtTheDepthLimit) {
    write_source("self.h", "#include \"self.h\"\n");
    run_lines(write_source("main.c", "#include \"self.h\"\n"));
    EXPECT_EQ(last_code_, -117);
}

TEST_F(Includes, OpenConditionalAtTheEndOfAFile) {
    write_source("open.h", "#if 1\nh;\n");
    const std::string main = write_source("main.c", "#include \"open.h\"\nx;\n#endif\ny;\n#if 1\nz;\n");
    EXPECT_EQ(run_codes(main), (Codes{"", "", "h;", "x;", "", "y;", "", "z;"}));
    EXPECT_EQ(last_code_, -116);
    EXPECT_EQ(error_bytes(), error_line("open.h", 2, 'W', 125, kMsgMissingEndif) +
                                 error_line("main.c", 6, 'E', 116, kMsgMissingEndif));
    // the end is reported once
    std::string code, comment;
    int depth = 0, line = 0;
    EXPECT_EQ(next_source_line(depth, code, comment, line), -1);
}

TEST_F(Includes, FileClosingMoreConditionalsThanItOpened) {
    write_source("close.h", "#endif\nh;\n");
    const std::string main = write_source("main.c", "#if 1\n#include \"close.h\"\nx;\n");
    EXPECT_EQ(run_codes(main), (Codes{"", "", "", "h;", "x;"}));
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(error_bytes(), error_line("close.h", 1, 'W', 126, kMsgUnmatchedEndif));
}

TEST_F(Includes, UnitsOfAHeaderAreNotHandedOut) {
    write_source("defs.h", "int b;\nint c;\n");
    const std::string main = write_source("main.c", "int a;\n#include \"defs.h\"\nint d;\n");
    const std::vector<SourceUnit> units = run_units(main);
    EXPECT_EQ(last_code_, -1);
    std::vector<std::string> texts;
    for (const SourceUnit& u : units) {
        EXPECT_EQ(u.include_depth, 0);
        if (!u.text.empty()) texts.push_back(u.text);
    }
    EXPECT_EQ(texts, (Codes{"int a;", "int d;"}));
}

TEST_F(Includes, CloseAllRestoresTheIncludingFile) {
    const std::string main = write_source("main.c", "a;\nb;\nc;\n");
    ASSERT_EQ(open_source_file(main.c_str()), 1);
    std::string code, comment;
    int depth = 0, line = 0;
    ASSERT_EQ(next_source_line(depth, code, comment, line), 1);
    g_analysis.cond_depth = 1;  // the include is entered inside a conditional
    const SourceFile saved = g_analysis.current;
    const int open_before = crt_open_count();

    ASSERT_EQ(open_source_file(write_source("x/one.h", "one;\n").c_str()), 1);
    ASSERT_EQ(open_source_file(write_source("x/two.h", "two;\n").c_str()), 1);
    ASSERT_EQ(next_source_line(depth, code, comment, line), 1);
    EXPECT_EQ(code, "two;");
    EXPECT_EQ(depth, 2);

    EXPECT_EQ(close_all_source_files(), 1);
    EXPECT_TRUE(g_analysis.include_stack.empty());
    EXPECT_EQ(crt_open_count(), open_before);
    const SourceFile& now = g_analysis.current;
    EXPECT_EQ(now.handle, saved.handle);
    EXPECT_EQ(now.name, saved.name);
    EXPECT_EQ(now.line_number, saved.line_number);
    EXPECT_EQ(now.conditional_base, saved.conditional_base);
    EXPECT_EQ(now.size, saved.size);
    EXPECT_EQ(now.bytes_read, saved.bytes_read);
    EXPECT_EQ(now.read_ahead.substr(now.read_pos), saved.read_ahead.substr(saved.read_pos));

    g_analysis.cond_depth = 0;
    ASSERT_EQ(next_source_line(depth, code, comment, line), 1);
    EXPECT_EQ(code, "b;");
    EXPECT_EQ(line, 2);
    EXPECT_EQ(depth, 0);
}

TEST_F(Includes, TooManyFilesWhileOpeningAnInclude) {
    const std::string main = write_source("main.c", "a;\n");
    ASSERT_EQ(open_source_file(main.c_str()), 1);
    ASSERT_EQ(open_source_file(write_source("one.h", "").c_str()), 1);
    crt_set_open_limit(crt_open_count());
    EXPECT_EQ(open_source_file(write_source("two.h", "").c_str()), kCodeTooManyFiles);
    crt_set_open_limit(-1);
    EXPECT_TRUE(g_analysis.include_stack.empty());
    EXPECT_EQ(g_analysis.current.name, main);
    EXPECT_EQ(error_bytes(), error_line("main.c", 0, 'E', 130, kMsgTooManyFiles));
}

TEST_F(Includes, FullTrackedTableRefusesAnInclude) {
    const std::string main = write_source("main.c", "a;\n");
    const std::string other = write_source("other.txt", "");
    ASSERT_EQ(open_source_file(main.c_str()), 1);
    ASSERT_EQ(open_source_file(write_source("one.h", "").c_str()), 1);
    const int before = crt_open_count();
    std::vector<int> fillers;
    for (int i = 0; i < 28; ++i) fillers.push_back(open_tracked_file(other.c_str(), "r"));
    ASSERT_GE(fillers.back(), 0);
    EXPECT_EQ(open_source_file(write_source("two.h", "").c_str()), kCodeTooManyFiles);
    EXPECT_TRUE(g_analysis.include_stack.empty());
    for (int h : fillers) close_tracked_file(h);
    close_error_file();  // as the run's end does
    EXPECT_EQ(crt_open_count(), before - 1);  // one.h closed, nothing leaked
    EXPECT_EQ(error_bytes(), error_line("main.c", 0, 'E', 130, kMsgTooManyFiles));
}

// In one listing scope (a batch) an include file is read once and its bytes
// and tab expansions serve the later sources while its size and time (to
// the nanosecond) stay; a header changed between two sources is read again.
// Its trigraphs are replaced, and a line that raised a message raises it
// again for the next source.
TEST_F(Includes, ABatchReadsAHeaderAgainOnlyWhenItChanged) {
    namespace fs = std::filesystem;
    using std::chrono::milliseconds;
    ListingScope batch;
    const std::string header = write_source("h.h", "/*\tnote\t*/\tone;\n");
    const std::string main = write_source("main.c", "#include \"h.h\"\n");
    // on a whole second, so that half a second later is the same second
    const fs::file_time_type base = std::chrono::floor<std::chrono::seconds>(fs::last_write_time(header));
    fs::last_write_time(header, base);
    const struct {
        const char* bytes;    // the header written anew; nullptr: left as it is
        milliseconds time;    // the header's time after the base
        const char* line;     // the header's last line as code|comment
        const char* message;  // what the source's error file tells, if anything
    } steps[] = {
        {nullptr, milliseconds(0), "one;|/*      note    */", nullptr},
        {"/*\tnote\t*/\ttwo;\n", milliseconds(0), "one;|/*      note    */", nullptr},  // same size, same time
        {"/*\tnote\t*/\tten;\n", milliseconds(500), "ten;|/*      note    */", nullptr},  // the same second
        {"/*\tnote\t*/\tsix;\n", milliseconds(2000), "six;|/*      note    */", nullptr},
        {"/*\tnote\t*/\tthree;\n", milliseconds(2000), "three;|/*      note    */", nullptr},  // another size
        {"x ?\?! y;\n", milliseconds(4000), "x | y;|", nullptr},
        {"#if 0\nc; */ d;\n#endif\ne;\n", milliseconds(6000), "e;|", kMsgStrayCommentEnd},
        {nullptr, milliseconds(6000), "e;|", kMsgStrayCommentEnd},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        if (step.bytes != nullptr) write_source("h.h", step.bytes);
        fs::last_write_time(header, base + step.time);
        start(kNotarixAnalysis);
        const Lines lines = run_lines(main);
        EXPECT_EQ(lines.size() >= 2 ? lines.back().code + "|" + lines.back().comment : std::string("?"), step.line);
        const std::string told = step.message ? error_line("h.h", 2, 'W', 119, step.message) : "";
        EXPECT_EQ(error_file_exists() ? error_bytes() : "", told);
    }
}

// The line progress shown, and a cancel asked for at one of a header's lines.
std::string g_progress;
int g_cancel_line = 0;
void note_progress(int line, int force) {
    g_progress += std::to_string(line) + (force ? "!" : "") + (g_analysis.include_stack.empty() ? "c " : "h ");
    if (line == g_cancel_line && !g_analysis.include_stack.empty()) g_analysis.abort_request = 1;
}

// A header's definitions worked out in one source of a batch are entered
// again by the next while what they were made from holds, its lines taken
// again while all they looked at holds, and, read through the scanner, the
// whole header entered at once while everything it asked holds; every source
// gives what it gives read on its own (no batch): the same macros, lines or
// units, progress and messages.
TEST_F(Includes, ABatchEntersAHeadersDefinitionsAsAFreshReadWould) {
    namespace fs = std::filesystem;
    struct Step {
        std::string header;  // written before the source ("" leaves it)
        std::string source;
        std::string macros;  // what the source leaves defined, for the record
        std::string nested = "";  // g.h, written before the source ("" leaves it, "-" removes it)
        int cancel_line = 0;      // a header line whose progress cancels the run
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        int quoted_mode = 1;  // 2: a quoted name not found is warned of
    };
    const std::vector<Case> cases = {
        {"the header changed between two sources",
         {{"#define A 1\n#define B A\n#define L(n) while(n)\n", "#include \"h.h\"\nB; L(1) x;\n",
           "A=1 B=1 L(1)=while(<0>)"},
          {"#define A 22\n#define B A+1\n#define L(n) if(n)\n", "#include \"h.h\"\nB; L(1) x;\n",
           "A=22 B=22+1 L(1)=if(<0>)"}}},
        {"a macro redefined between two inclusions",
         {{"#define W V\n", "#define V 1\n#include \"h.h\"\n", "V=1 W=1"},
          {"", "#define V 2\n#include \"h.h\"\n", "V=2 W=2"},
          {"", "#define V 1\n#include \"h.h\"\n#define V 2\n#include \"h.h\"\n", "V=2 W=2"},
          {"", "#define V(a) a\n#include \"h.h\"\n", "V(1)=<0> W=V"}}},
        {"an #undef in between",
         {{"#define W V\n", "#define V 1\n#include \"h.h\"\n#undef V\n#include \"h.h\"\n", "W=V"},
          {"", "#define V 1\n#include \"h.h\"\n", "V=1 W=1"}}},
        {"a macro given the same definition again, or removed and given it again",
         {{"#ifdef F\n#define W F(2)\n#endif\n", "#define F(a) a+1\n#include \"h.h\"\n", "F(1)=<0>+1 W=2+1"},
          {"", "#define F(a) a+1\n#define F(a) a+1\n#include \"h.h\"\n", "F(1)=<0>+1 W=2+1"},
          {"", "#define F(a) a+1\n#undef F\n#define F(a) a+1\n#include \"h.h\"\n", "F(1)=<0>+1 W=2+1"},
          {"", "#define F(b) b-1\n#include \"h.h\"\n", "F(1)=<0>-1 W=2-1"},
          {"", "#define F(a) a+1\n#include \"h.h\"\n#undef F\n#include \"h.h\"\n", "W=2+1"}}},
        {"a body whose working-out warns, warned of again by each source",
         {{"#define F(a, b) a b\n#define G F(1)\n", "#include \"h.h\"\n", "F(2)=<0> <1> G=F(1)"},
          {"", "#include \"h.h\"\n", "F(2)=<0> <1> G=F(1)"}}},
        {"a body naming a macro defined later",
         {{"#define X Y\n#define Y 3\n", "#include \"h.h\"\n", "X=Y Y=3"},
          {"", "#define Y 5\n#include \"h.h\"\n", "X=5 Y=3"},
          {"", "#include \"h.h\"\n#include \"h.h\"\n", "Y=3 X=3"},
          {"", "#include \"h.h\"\n", "X=Y Y=3"}}},
        {"a body with a function-like use, same and other definitions",
         {{"#define G(a) (a+K)\n#define H G(2)\n", "#define K 1\n#include \"h.h\"\n", "K=1 G(1)=(<0>+K) H=(2+1)"},
          {"", "#define K 7\n#include \"h.h\"\n", "K=7 G(1)=(<0>+K) H=(2+7)"},
          {"", "#define G(b) [b]\n#include \"h.h\"\n", "G(1)=(<0>+K) H=(2+K)"}}},
        {"the header's lines depend on macros changed between two includes",
         {{"#ifdef M\nm;\n#else\nn;\n#endif\n#if V > 1\nbig;\n#elif defined(W)\nw;\n#endif\n",
           "#define M\n#define V 2\n#include \"h.h\"\n", "M= V=2"},
          {"", "#include \"h.h\"\n", ""},
          {"", "#define W\n#include \"h.h\"\n#define V 3\n#undef W\n#include \"h.h\"\n", "V=3"},
          {"", "#define M\n#define V 2\n#include \"h.h\"\n", "M= V=2"}}},
        {"a header's definitions used by the source after it",
         {{"#define T int\n#define BEGIN {\n#define END }\n#undef U\nOPEN k;\n", "#define U 1\n#include \"h.h\"\nT f() BEGIN x; END\n",
           "T=int BEGIN={ END=}"},
          {"", "#include \"h.h\"\nT g() BEGIN y; END\nU;\n", "T=int BEGIN={ END=}"},
          {"", "#define XX {\n#include \"h.h\"\n", "XX={ T=int BEGIN={ END=}"},
          {"", "#define OPEN {\n#include \"h.h\"\n", "OPEN={ T=int BEGIN={ END=}"},
          {"", "#define BEGIN (\n#include \"h.h\"\nT h() BEGIN z; END\n", "T=int BEGIN={ END=}"}}},
        {"a header including another, each guarded, included twice",
         {{"#ifndef H_H\n#define H_H\n#include \"g.h\"\n#define H G\nh H;\n#endif\n", "#include \"h.h\"\n#include \"h.h\"\nH;\n",
           "H_H= G_H= G=7 H=7", "#ifndef G_H\n#define G_H\n#define G 7\n#endif\n"},
          {"", "#include \"g.h\"\n#include \"h.h\"\nH;\n", "G_H= G=7 H_H= H=7"},
          {"", "#define G_H\n#include \"h.h\"\nH;\n", "G_H= H_H= H=G"},
          {"", "#include \"h.h\"\n", "H_H= G_H= G=8 H=8", "#ifndef G_H\n#define G_H\n#define G 8\n#endif\n"}}},
        {"a header including another that is not there, then is",
         {{"#include \"g.h\"\n#define H G\n", "#include \"h.h\"\n", "H=G", "-"},
          {"", "#include \"h.h\"\n", "G=7 H=7", "#define G 7\n"}}},
        {"a header including another that is there, then is not",
         {{"#include \"g.h\"\n#define H G\n", "#include \"h.h\"\n", "G=7 H=7", "#define G 7\n"},
          {"", "#include \"h.h\"\n", "H=G", "-"},
          {"", "#include \"h.h\"\n", "G=8 H=8", "#define G 8\n"}},
         2},
        {"a header included inside a conditional and outside",
         {{"#if 1\n#ifdef Q\nq;\n#endif\n/* open\n still */ r;\n#endif\ns;\n", "#include \"h.h\"\n", ""},
          {"", "#ifndef Z\n#ifndef Y\n#include \"h.h\"\n#endif\n#endif\n", ""},
          {"", "#define Q\n#include \"h.h\"\n", "Q="},
          {"", "#include \"h.h\"\n", ""}}},
        {"the progress of a header's lines cancelling the run at a directive",
         {{"a;\n#define A 1\n#if A\nb;\n#endif\n", "#include \"h.h\"\nc;\n", "A=1"},
          {"", "#include \"h.h\"\nc;\n", "", "", 2},
          {"", "#include \"h.h\"\nc;\n", "A=1", "", 3},
          {"", "#include \"h.h\"\nc;\n", "A=1", "", 4}}},
        {"a header included under two different defined sets",
         {{"#ifdef A\n#define X 1\n#else\n#define X 2\n#endif\n#ifdef B\n#define OPEN {\n#endif\nOPEN\n",
           "#define A\n#include \"h.h\"\nint f() { X; }\n", "A= X=1"},
          {"", "#define B\n#include \"h.h\"\nint g() { X; } }\n", "B= X=2 OPEN={"},
          {"", "#define A\n#define B\n#include \"h.h\"\nint h() { X; } }\n", "A= B= X=1 OPEN={"},
          {"", "#define A\n#include \"h.h\"\nint f() { X; }\n", "A= X=1"}}},
        {"a warning in a header, given again",
         {{"#define E 1\n#error stop here\n#if E\n#define F 2\n#endif\n", "#include \"h.h\"\nint f();\n", "E=1 F=2"},
          {"", "#include \"h.h\"\nint g();\n", "E=1 F=2"},
          {"", "#define E 0\n#include \"h.h\"\nint g();\n", "E=1 F=2"},
          {"", "#include \"h.h\"\n#include \"h.h\"\nint h();\n", "E=1 F=2"}}},
        {"a header ending inside a declaration of the source",
         {{"#define V 1\nint a =\n", "#include \"h.h\"\nV;\nint b;\n", "V=1"},
          {"", "#include \"h.h\"\n2;\nint c;\n", "V=1"},
          {"", "int d;\n#include \"h.h\"\nV;\n", "V=1"}}},
        {"a nested header whose guard was met before or not",
         {{"#include \"g.h\"\nh;\n", "#define G_H\n#include \"h.h\"\n", "G_H=",
           "#ifndef G_H\n#define G_H\ng;\n#endif\n"},
          {"", "#include \"g.h\"\n#include \"h.h\"\n", "G_H="},
          {"", "#define G_H\n#include \"h.h\"\n", "G_H="}}},
        {"a header included between units and inside a body",
         {{"}\nvoid g() {\n", "void f() {\n#include \"h.h\"\nx;\n}\n", ""},
          {"", "#include \"h.h\"\nx;\n", ""},
          {"", "void f() {\n#include \"h.h\"\ny;\n}\n", ""}}},
        {"a header that no control macro changes, then one does",
         {{"OPEN;\n", "#include \"h.h\"\nint a;\n", ""},
          {"", "#define OPEN {\n#include \"h.h\"\nint b;\n}\n", "OPEN={"},
          {"", "#include \"h.h\"\nint c;\n", ""}}},
        {"a header with nested conditionals included near the deepest level",
         {{"#if 1\n#if 1\n#if 1\n#define D 1\n#endif\n#endif\n#endif\n", "#include \"h.h\"\nint a;\n", "D=1"},
          {"", "#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#if 1\n#include \"h.h\"\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\n#endif\nint b;\n", ""},
          {"", "#include \"h.h\"\nint c;\n", "D=1"}}},
        {"a header of C++ scopes included inside a namespace and outside",
         {{"namespace M { int v; }\nstruct S { int f() { return 1; } };\n", "#include \"h.h\"\nint a() { return 0; }\n", ""},
          {"", "namespace N {\n#include \"h.h\"\nint b() { return 0; }\n}\n", ""},
          {"", "#include \"h.h\"\nint c() { return 0; }\n", ""},
          {"", "class C {\n#include \"h.h\"\nint d() { return 0; }\n};\n", ""}}},
        {"a nested header changed on disk between two sources",
         {{"#include \"g.h\"\n#define H G\n", "#include \"h.h\"\nH;\n", "G=1 H=1", "#define G 1\n"},
          {"", "#include \"h.h\"\nH;\n", "G=2 H=2", "#define G 2\n"},
          {"", "#include \"h.h\"\nH;\n", "G=2 H=2"}}},
    };
    const std::string header = dir_.path("h.h");
    const std::string nested = dir_.path("g.h");
    // the macros a source defined, after those every run starts with
    const auto summary = [](size_t first) {
        std::string out;
        for (size_t i = first; i < g_analysis.macros.size(); ++i) {
            if (!g_analysis.macros[i]) continue;
            const MacroNode& m = *g_analysis.macros[i];
            if (!out.empty()) out += ' ';
            out += m.name;
            if (m.param_count >= 0) out += "(" + std::to_string(m.param_count) + ")";
            out += "=";
            for (const MacroPiece& piece : m.pieces) out += piece.text + "<" + std::to_string(piece.param_index) + ">";
            out += m.body;
        }
        return out;
    };
    for (const Case& c : cases) {
      // the lines as the line source hands them, then the units of the scanner
      for (const bool units : {false, true}) {
        std::vector<std::string> batch, alone;
        for (int pass = 0; pass < 2; ++pass) {
            std::optional<ListingScope> scope;
            if (pass == 0) scope.emplace();
            std::vector<std::string>& got = pass == 0 ? batch : alone;
            const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(1);
            int n = 0;
            for (const Step& step : c.steps) {
                ++n;
                if (!step.header.empty()) {
                    write_source("h.h", step.header);
                    fs::last_write_time(header, stamp + std::chrono::seconds(2 * n));
                }
                if (step.nested == "-") {
                    fs::remove(nested);
                } else if (!step.nested.empty()) {
                    write_source("g.h", step.nested);
                    fs::last_write_time(nested, stamp + std::chrono::seconds(2 * n));
                }
                const std::string main = write_source("main.c", step.source);
                start(kNotarixAnalysis);
                g_analysis.settings.include_mode_quoted = c.quoted_mode;
                g_analysis.hooks.on_line = note_progress;
                g_analysis.settings.progress_flag = 1;
                g_progress.clear();
                g_cancel_line = step.cancel_line;
                const size_t predefined = g_analysis.macros.size();
                std::string lines;
                if (units) {
                    for (const SourceUnit& u : run_units(main))
                        lines += u.text + "#" + u.comment + "@" + std::to_string(u.line) + ":" + std::to_string(u.depth) +
                                 ":" + std::to_string(u.include_depth) + "|";
                } else {
                    for (const SourceLine& l : run_lines(main))
                        lines += l.code + "#" + l.comment + "@" + std::to_string(l.line) + ":" + std::to_string(l.include_depth) + "|";
                }
                const std::string macros = summary(predefined);
                if (pass == 0) {
                    EXPECT_EQ(macros, step.macros) << c.what << ", source " << n << (units ? ", units" : "");
                }
                got.push_back(macros + " / " + lines + " / " + std::to_string(last_code_) + " " + g_progress + " / " +
                              (error_file_exists() ? error_bytes() : ""));
            }
        }
        EXPECT_EQ(batch, alone) << c.what << (units ? ", units" : "");
      }
    }
}

}  // namespace
}  // namespace analysis_test
