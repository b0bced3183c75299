// Converter support: the string pool, tracked files, directory parts and the
// error-file writer.

#include <cerrno>
#include <cstring>
#include <string>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

using ErrorFile = AnalysisTest;

TEST_F(ErrorFile, PoolTakesTheWholeBlockButNoMore) {
    EXPECT_NE(pool_alloc(39996), nullptr);
    EXPECT_EQ(g_analysis.pool_blocks.size(), 1u);
    EXPECT_FALSE(error_file_exists());

    EXPECT_EQ(pool_alloc(39997), nullptr);  // rounds to 40000
    EXPECT_EQ(g_analysis.pool_blocks.size(), 1u);
    EXPECT_EQ(error_bytes(), bare_error_line('E', -136, kMsgNoMemory));
}

TEST_F(ErrorFile, PoolAbandonsTheRestOfABlock) {
    char* first = static_cast<char*>(pool_alloc(30000));
    char* second = static_cast<char*>(pool_alloc(30000));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(g_analysis.pool_blocks.size(), 2u);
    EXPECT_EQ(second, g_analysis.pool_blocks[1] + 4);
    // small requests are rounded to 4 bytes and follow each other
    char* a = static_cast<char*>(pool_alloc(1));
    char* b = static_cast<char*>(pool_alloc(5));
    EXPECT_EQ(b - a, 4);
    EXPECT_STREQ(pool_copy_string("text"), "text");
    EXPECT_STREQ(pool_copy_range(1, 3, "abcdef"), "bcd");
}

TEST_F(ErrorFile, PoolBlockRequestCanFail) {
    set_pool_block_limit(1);
    EXPECT_NE(pool_alloc(30000), nullptr);
    EXPECT_EQ(pool_alloc(30000), nullptr);
    EXPECT_EQ(error_bytes(), bare_error_line('E', -136, kMsgNoMemory));
    EXPECT_EQ(pool_copy_string(std::string(20000, 'x')), nullptr);
}

TEST_F(ErrorFile, DirectoryPart) {
    std::string out;
    get_directory_part("a\\b\\c.c", out);
    EXPECT_EQ(out, "a\\b\\");
    get_directory_part("c:x.c", out);
    EXPECT_EQ(out, "c:");
    get_directory_part("x.c", out);
    EXPECT_EQ(out, ".\\");
    get_directory_part("a/b/c.c", out);
    EXPECT_EQ(out, "a/b/");
    get_directory_part("", out);
    EXPECT_EQ(out, ".\\");
}

TEST_F(ErrorFile, LineWithoutFile) {
    EXPECT_EQ(report_message(kMessageError, -136, kMsgNoMemory, ""), 1);
    EXPECT_EQ(report_message(kMessageWarning, 35, "w", "detail"), 1);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 136, kMsgNoMemory) + bare_error_line('W', 35, "w", "detail"));
    EXPECT_EQ(g_analysis.warnings_flag, 1);
}

TEST_F(ErrorFile, OnlyWarningsSetTheWarningsFlag) {
    EXPECT_EQ(report_message(kMessageError, -50, "e", ""), 1);
    EXPECT_EQ(report_message(7, -51, "other kinds are errors", ""), 1);
    EXPECT_EQ(g_analysis.warnings_flag, 0);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 50, "e") + bare_error_line('E', 51, "other kinds are errors"));
}

TEST_F(ErrorFile, LineWithPositionAndDetail) {
    ASSERT_EQ(open_source_file(write_source("src/main.c", "x;\n").c_str()), 1);
    g_analysis.current.line_number = 7;
    EXPECT_EQ(report_message(kMessageWarning, -118, kMsgNoIncludeFile, "missing.h"), 1);
    EXPECT_EQ(error_bytes(), "main.c      (   7) : W118 : " + std::string(kMsgNoIncludeFile) + "missing.h\r\n");
}

TEST_F(ErrorFile, LongNameIsNotCut) {
    ASSERT_EQ(open_source_file(write_source("a_rather_long_name.c", "").c_str()), 1);
    g_analysis.current.line_number = 12345;
    EXPECT_EQ(report_message(kMessageError, -112, "t", ""), 1);
    EXPECT_EQ(error_bytes(), "a_rather_long_name.c(12345) : E112 : t\r\n");
}

TEST_F(ErrorFile, DetailIsCutToKeepTheLineBounded) {
    ASSERT_EQ(open_source_file(write_source("main.c", "").c_str()), 1);
    const std::string head = "main.c      (   0) : E101 : ";
    const std::string text(100, 't');
    // room for the detail: 255 - (head + text) - text = 27 bytes, an odd
    // count, so a detail of double-byte characters keeps 26 of them
    std::string detail;
    for (int i = 0; i < 40; ++i) detail += "\x95\x5C";  // 表
    EXPECT_EQ(report_message(kMessageError, -101, text, detail), 1);
    EXPECT_EQ(error_bytes(), head + text + detail.substr(0, 26) + "\r\n");
}

TEST_F(ErrorFile, NoRoomNoDetail) {
    const std::string text(130, 't');
    EXPECT_EQ(report_message(kMessageError, -101, text, "detail"), 1);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 101, text));
}

TEST_F(ErrorFile, HeadingNamesTheTopLevelSource) {
    const std::string main = write_source("main.c", "");
    const std::string header = write_source("inc/defs.h", "");
    ASSERT_EQ(open_source_file(main.c_str()), 1);
    ASSERT_EQ(open_source_file(header.c_str()), 1);
    g_analysis.current.line_number = 3;
    g_analysis.heading_flag = 1;
    EXPECT_EQ(report_message(kMessageWarning, -125, kMsgMissingEndif, ""), 1);
    EXPECT_EQ(report_message(kMessageWarning, -125, kMsgMissingEndif, ""), 1);
    EXPECT_EQ(g_analysis.heading_flag, 0);
    const std::string line = error_line("defs.h", 3, 'W', 125, kMsgMissingEndif);
    EXPECT_EQ(error_bytes(), main + ":\r\n" + line + line);
}

TEST_F(ErrorFile, ShortHeadingIsPadded) {
    g_analysis.error_file = "errors.txt";  // relative: the heading uses the name as opened
    ScratchDir here;
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(here.path());
    std::ofstream("m.c").close();
    EXPECT_EQ(open_source_file("m.c"), 1);
    g_analysis.heading_flag = 1;
    EXPECT_EQ(report_message(kMessageError, -50, "x", ""), 1);
    std::string bytes = read_bytes("errors.txt");
    std::filesystem::current_path(old);
    EXPECT_EQ(bytes, "m.c         :\r\n" + error_line("m.c", 0, 'E', 50, "x"));
}

TEST_F(ErrorFile, NoErrorFileNamed) {
    g_analysis.error_file.clear();
    EXPECT_EQ(report_message(kMessageWarning, -135, kMsgMacroRedefined, ""), 0);
    EXPECT_EQ(g_analysis.warnings_flag, 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.path("errors.txt")));
    // the reset then has no error file to create
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), 1);
}

TEST_F(ErrorFile, UnwritableErrorFile) {
    g_analysis.error_file = dir_.path("no/such/folder/errors.txt");
    EXPECT_EQ(report_message(kMessageError, -50, "x", ""), -102);
    EXPECT_EQ(raise_message(kMessageError, -50, "x"), -102);
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), -102);
}

TEST_F(ErrorFile, ResetRemovesAnOldErrorFile) {
    write_source("errors.txt", "old\r\n");
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), 1);
    EXPECT_FALSE(error_file_exists());
}

TEST_F(ErrorFile, ResetMakesNoFileToCheckTheName) {
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), 1);
    EXPECT_FALSE(error_file_exists()) << "nothing is made before a message";
    std::filesystem::create_directory(dir_.path("folder.err"));
    g_analysis.error_file = dir_.path("folder.err");
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), -102) << "a folder cannot be the error file";
    EXPECT_TRUE(std::filesystem::is_directory(dir_.path("folder.err")));
}

TEST_F(ErrorFile, ResetWithTheTrackedTableFull) {
    const std::string path = write_source("f.txt", "data");
    std::vector<int> handles;
    for (int h; (h = open_tracked_file(path.c_str(), "rb")) >= 0;) handles.push_back(h);
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), -102) << "no place left to write the error file from";
    for (int h : handles) close_tracked_file(h);
    EXPECT_EQ(reset_scanner_state(kResetErrorFile), 1);
}

TEST_F(ErrorFile, TooManyFilesClosesTheIncludes) {
    const std::string main = write_source("main.c", "a;\nb;\n");
    ASSERT_EQ(open_source_file(main.c_str()), 1);
    const int base = crt_open_count();
    ASSERT_EQ(open_source_file(write_source("inc.h", "").c_str()), 1);
    crt_set_open_limit(crt_open_count());

    EXPECT_EQ(report_message(kMessageWarning, -118, kMsgNoIncludeFile, "x.h"), kCodeTooManyFiles);
    EXPECT_TRUE(g_analysis.include_stack.empty());
    EXPECT_EQ(g_analysis.current.name, main);
    EXPECT_EQ(crt_open_count(), base + 1);  // the error file in place of the include
    EXPECT_EQ(error_bytes(), error_line("main.c", 0, 'E', 130, kMsgTooManyFiles, "x.h"));
}

TEST_F(ErrorFile, TooManyFilesWithNothingToCloseIsAnOpenFailure) {
    crt_set_open_limit(crt_open_count());
    EXPECT_EQ(report_message(kMessageError, -50, "first", ""), kCodeErrorFileOpen);
    crt_set_open_limit(-1);
    EXPECT_FALSE(error_file_exists());
}

// The error file is opened once for the run: a later message needs no
// descriptor, and a file removed or renamed on the way is opened again.
TEST_F(ErrorFile, OpenedOnceForTheRun) {
    ASSERT_EQ(report_message(kMessageError, -50, "first", ""), 1);
    const int open = crt_open_count();
    crt_set_open_limit(open);
    EXPECT_EQ(report_message(kMessageWarning, -51, "second", ""), 1);
    crt_set_open_limit(-1);
    EXPECT_EQ(crt_open_count(), open);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 50, "first") + bare_error_line('W', 51, "second"));

    EXPECT_EQ(delete_file(g_analysis.error_file.c_str()), 0);
    EXPECT_EQ(report_message(kMessageError, -52, "third", ""), 1);
    EXPECT_EQ(error_bytes(), bare_error_line('E', 52, "third"));
    close_error_file();
    EXPECT_EQ(crt_open_count(), open - 1);
}

TEST_F(ErrorFile, TrackedTableHoldsThirtyFiles) {
    const std::string path = write_source("f.txt", "data");
    const int base = crt_open_count();
    std::vector<int> handles;
    for (int i = 0; i < 30; ++i) {
        int h = open_tracked_file(path.c_str(), "rb");
        ASSERT_GE(h, 0);
        handles.push_back(h);
    }
    errno = 0;
    EXPECT_EQ(open_tracked_file(path.c_str(), "r"), -1);
    EXPECT_EQ(errno, EMFILE);
    EXPECT_EQ(crt_open_count(), base + 30);
    for (int h : handles) EXPECT_EQ(close_tracked_file(h), 0);
    EXPECT_EQ(crt_open_count(), base);
    EXPECT_EQ(close_tracked_file(handles[0]), 0);  // no longer tracked: nothing happens
}

TEST_F(ErrorFile, TrackedFileModes) {
    const std::string path = dir_.path("out.txt");
    EXPECT_EQ(open_tracked_file(path.c_str(), "wx"), -1);
    EXPECT_FALSE(std::filesystem::exists(path));
    int h = open_tracked_file(path.c_str(), "w");
    ASSERT_GE(h, 0);
    EXPECT_EQ(write_text_line("a\nb\n", h), 0);
    EXPECT_EQ(close_tracked_file(h), 0);
    h = open_tracked_file(path.c_str(), "ab");
    ASSERT_GE(h, 0);
    EXPECT_EQ(write_text_line("c\n", h), 0);
    EXPECT_EQ(close_tracked_file(h), 0);
    EXPECT_EQ(read_bytes(path), "a\r\nb\r\nc\n");
    EXPECT_EQ(rename_file(path.c_str(), dir_.path("moved.txt").c_str()), 0);
    EXPECT_EQ(delete_file(dir_.path("moved.txt").c_str()), 0);
    EXPECT_EQ(delete_file(dir_.path("moved.txt").c_str()), -1);
}

TEST_F(ErrorFile, DirectiveLineFilter) {
    struct Case {
        int mode;
        const char* line;
        int result;
        const char* after;
    };
    const Case cases[] = {
        {0, "#define X", 0, "#define X"}, {1, "#define X", 1, ""},        {2, "#if X", 1, "#if X"},
        {3, "#if X", 0, "#if X"},         {3, "#define X", 1, "#define X"}, {4, "#endif", 1, ""},
        {4, "#include <a>", 1, "#include <a>"}, {4, "#iffy", 1, "#iffy"},  {0, "x = 1;", 1, "x = 1;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        g_analysis.settings.directive_line_mode = c.mode;
        std::string line = c.line;
        EXPECT_EQ(filter_directive_line(line), c.result);
        EXPECT_EQ(line, c.after);
    }
}

}  // namespace
}  // namespace analysis_test
