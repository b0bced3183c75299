// Function-list columns: measuring a list file and laying out its lines.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/shell/function_list.h"
#include "tests/common/temp_dir.h"

namespace {

std::string list_line(const char* file, int line, const char* name, const char* text) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%-12s # %4d  %-16s : %s\r\n", file, line, name, text);
    return buf;
}

TEST(FunctionList, LongNameWidensTheNameColumnForAllRows) {
    TempDir dir;
    const std::string path = dir.path("x.flt");
    write_raw(path, "-----< C function list >-----\r\n" + list_line("src\\calc.c", 12, "calc_total", "sum") +
                        "\r\n" + list_line("calc.c", 140, "a_very_long_function_name", "does things  "));
    SummaryColumns c;
    ASSERT_EQ(measure_summary_columns(1, path.c_str(), c), 0);
    EXPECT_EQ(c.number_width, 7);
    EXPECT_EQ(c.file_width, 12);  // label ファイル名 and its blanks
    EXPECT_EQ(c.line_width, 8);
    // the name up to its ":": the longest keeps a blank before its text
    EXPECT_EQ(c.name_width, 26);
    EXPECT_EQ(c.text_width, 11);
    EXPECT_EQ(c.header,
              "No.  \x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC  \x8D\x73\x88\xCA\x92\x75  \x8A\xD6\x90\x94\x96\xBC  " +
                  std::string(18, ' ') + "\x8B\x40\x94\x5C\x8A\x54\x97\x76   ");

    std::string out;
    ASSERT_EQ(format_summary_line(1, list_line("src\\calc.c", 12, "calc_total", "sum"), out, c.file_width,
                                  c.line_width, c.name_width),
              0);
    EXPECT_EQ(out, "calc.c         12   calc_total                sum");
    ASSERT_EQ(format_summary_line(2, list_line("calc.c", 12, "f", "x"), out, 0, 8, 4), 0);
    EXPECT_EQ(out, "   12   f   x");
}

TEST(FunctionList, BrokenLinesAndFiles) {
    TempDir dir;
    SummaryColumns c;
    EXPECT_EQ(measure_summary_columns(1, dir.path("none.flt").c_str(), c), -1);
    write_raw(dir.path("bad.flt"), "head\nno hash here\n");
    EXPECT_EQ(measure_summary_columns(1, dir.path("bad.flt").c_str(), c), -1);
    write_raw(dir.path("kind2.flt"), "head\n" + list_line("a.c", 1, "f", "x"));
    ASSERT_EQ(measure_summary_columns(2, dir.path("kind2.flt").c_str(), c), 0);
    EXPECT_EQ(c.file_width, 0);

    std::string out = "old";
    EXPECT_EQ(format_summary_line(1, "x", out, 10, 8, 16), -1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(format_summary_line(1, "a.c # 12 name without colon", out, 10, 8, 16), -1);
    EXPECT_EQ(format_summary_line(1, "a.c # 12", out, 10, 8, 16), -1);
}

}  // namespace
