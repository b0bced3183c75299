// Print header files (two lines, '&' macros, the KRT fallback) and the
// status texts of print and output results.
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/print/print_header.h"
#include "common/print/print_status.h"
#include "common/text/message_table.h"
#include "platform/kernel/file_io.h"
#include "tests/print_jobs/print_jobs_fixture.h"

namespace {

std::string message(int id) { return lookup_message(id); }
// "プリンタ出力："
const std::string kLead = "\x83v\x83\x8a\x83\x93\x83^\x8fo\x97\xcd\x81\x46";

class HeaderFileTest : public PrintJobsTest {};

TEST_F(HeaderFileTest, ReadsHeaderAndFooterWithoutTheirLineEnds) {
    write_raw(work.path("base.hd1"), "Head &P\r\nFoot &F\r\nthird line\r\n");
    HeaderLines lines;
    std::string failing;
    ASSERT_EQ(read_header_file(work.path("base.txt"), ".hd1", lines, failing), 0);
    EXPECT_TRUE(lines.read);
    EXPECT_EQ(lines.header, "Head &P");
    EXPECT_EQ(lines.footer, "Foot &F");
}

TEST_F(HeaderFileTest, MissingSecondLineAndLastLineWithoutLineEnd) {
    write_raw(work.path("one.hd2"), "only header");
    HeaderLines lines;
    std::string failing;
    ASSERT_EQ(read_header_file(work.path("one"), ".hd2", lines, failing), 0);
    // the last character of a line without its line end stays
    EXPECT_EQ(lines.header, "only header");
    EXPECT_EQ(lines.footer, "");
}

TEST_F(HeaderFileTest, LongLinesAreCutAtACharacterBoundary) {
    std::string line(254, 'a');
    line += "\x8a\xd6";  // a double-byte character across byte 255
    line += std::string(300, 'b');
    write_raw(work.path("long.hd2"), line + "\n" + std::string(400, 'c') + "\n");
    HeaderLines lines;
    std::string failing;
    ASSERT_EQ(read_header_file(work.path("long"), ".hd2", lines, failing), 0);
    EXPECT_EQ(lines.header, std::string(254, 'a'));
    EXPECT_EQ(lines.footer, std::string(255, 'c'));
}

TEST_F(HeaderFileTest, NotFoundNotNamedAndTheKrtDirectory) {
    HeaderLines lines;
    lines.header = "old";
    std::string failing;
    EXPECT_EQ(read_header_file("", ".hd2", lines, failing), -2);
    EXPECT_FALSE(lines.read);
    EXPECT_EQ(lines.header, "");
    EXPECT_EQ(read_header_file(work.path("none"), ".hd3", lines, failing), -1);
    EXPECT_EQ(failing, work.path("none.hd3"));

    // a bare name missing here is looked for in KRT's first directory
    write_raw(program.path("krt.hd4"), "from krt\n");
    const std::string old = std::getenv("KRT") ? std::getenv("KRT") : "";
    crt_putenv(("KRT= " + program.path() + " ;/elsewhere").c_str());
    EXPECT_EQ(read_header_file("krt", ".hd4", lines, failing), 0);
    EXPECT_EQ(lines.header, "from krt");
    crt_putenv(("KRT=" + old).c_str());
}

class StatusTextTest : public PrintJobsTest {};

TEST_F(StatusTextTest, PrintResults) {
    print_state().failing_file = "c:\\doc\\x.flt";
    EXPECT_EQ(print_status_text(-2, kPrintJobStatus), kLead + message(713));
    EXPECT_EQ(print_status_text(0, kPrintJobStatus), message(302));
    EXPECT_EQ(print_status_text(1, kPrintJobStatus), kLead + message(103));
    EXPECT_EQ(print_status_text(2, kPrintJobStatus), kLead + message(104));
    EXPECT_EQ(print_status_text(5, kPrintJobStatus), kLead + message(100) + "(c:\\doc\\x.flt)");
    EXPECT_EQ(print_status_text(20, kPrintJobStatus), format_text(lookup_message(802), "\x88\xf3\x8d\xfc\x8f\x88\x97\x9d"));
    EXPECT_EQ(print_status_text(30, kPrintJobStatus), "");
}

TEST_F(StatusTextTest, OutputResults) {
    print_state().failing_file = "out.txt";
    EXPECT_EQ(print_status_text(-3, kSpecOutputStatus), format_text(lookup_message(618), lookup_message(402)));
    // 関数仕様書読み込み
    EXPECT_EQ(print_status_text(-1, kSpecOutputStatus),
              format_text(lookup_message(618), "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x93\xc7\x82\xdd\x8d\x9e\x82\xdd"));
    EXPECT_EQ(print_status_text(0, kSpecOutputStatus), message(617));
    EXPECT_EQ(print_status_text(5, kSpecOutputStatus), format_text(lookup_message(7), "out.txt"));
    EXPECT_EQ(print_status_text(30, kSpecOutputStatus), "");
}

TEST_F(StatusTextTest, ShownInTheStatusBarWithABeep) {
    const size_t beeps = automation::beeps().size();
    show_print_status(0);
    show_print_status(30);
    show_spec_output_status(0);
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_EQ(statuses[0], message(302));
    EXPECT_EQ(statuses[1], "");  // the default text comes back
    EXPECT_EQ(statuses[2], message(617));
    EXPECT_EQ(automation::beeps().size(), beeps + 3);
}

}  // namespace
