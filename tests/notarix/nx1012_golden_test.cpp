// Whole documents: small function-record files through the built-in form and
// a drawn form, compared line by line with the expected plain documents.
#include "tests/notarix/nx1012_fixture.h"

namespace nx1012_test {
namespace {

class GoldenTest : public FormatterTest {};

TEST_F(GoldenTest, BuiltInFormPlacesEveryField) {
    copy_fixture("basic.fss", "calc.fss");
    EXPECT_EQ(run({"-s2", path("calc.c")}), kFormatterOk);
    EXPECT_EQ(read_plain_lin(path("calc.lin")), read_raw(fixture("basic_builtin.lin")));
    EXPECT_TRUE(shown_boxes().empty());
}

TEST_F(GoldenTest, DrawnFormWithCommonInformation) {
    copy_fixture("basic.fss", "calc.fss");
    copy_fixture("custom.fms", "page.fms");
    copy_fixture("common.css", "nx1000.css");  // in the program directory
    EXPECT_EQ(run({"-s4", "-f" + path("page.fms"), "-X8417", path("calc.c")}), kFormatterOk);
    EXPECT_EQ(read_plain_lin(path("calc.lin")), read_raw(fixture("basic_custom.lin")));
}

TEST_F(GoldenTest, ScrambledInputGivesTheSameDocument) {
    std::vector<std::string> records = split_lines(read_raw(fixture("basic.fss")));
    write_scrambled(path("calc.fss"), records);
    write_scrambled(path("page.fms"), split_lines(read_raw(fixture("custom.fms"))));
    write_scrambled(path("nx1000.css"), split_lines(read_raw(fixture("common.css"))));
    EXPECT_EQ(run({"-s4", "-f" + path("page.fms"), path("calc.c")}), kFormatterOk);
    EXPECT_EQ(read_plain_lin(path("calc.lin")), read_raw(fixture("basic_custom.lin")));
}

TEST_F(GoldenTest, DocumentLinesAreScrambledWithCrLf) {
    copy_fixture("basic.fss", "calc.fss");
    ASSERT_EQ(run({path("calc.c")}), kFormatterOk);
    const std::string bytes = read_raw(path("calc.lin"));
    std::string first;
    scramble_line(" [JOV:LIN:V1.00 \n", first, 1);
    first.insert(first.size() - 1, "\r");
    EXPECT_EQ(bytes.substr(0, first.size()), first);
    // every line end is CR LF, and no line is stored plain
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(bytes[i - 1], '\r');
        }
    }
    for (const std::string& line : split_lines(bytes)) {
        ASSERT_FALSE(line.empty());
        EXPECT_LT(static_cast<unsigned char>(line[0]), 10);
    }
}

TEST_F(GoldenTest, EachRunStartsItsDocumentAtLineOne) {
    copy_fixture("basic.fss", "a.fss");
    copy_fixture("basic.fss", "b.fss");
    ASSERT_EQ(run({path("a.c")}), kFormatterOk);
    ASSERT_EQ(run({path("b.c")}), kFormatterOk);
    EXPECT_EQ(read_raw(path("a.lin")), read_raw(path("b.lin")));
}

TEST_F(GoldenTest, SeveralBaseNamesInOneCall) {
    copy_fixture("basic.fss", "a.fss");
    copy_fixture("basic.fss", "b.fss");
    ASSERT_EQ(run({"-s2", path("a.c"), path("b.c")}), kFormatterOk);
    EXPECT_EQ(read_plain_lin(path("a.lin")), read_raw(fixture("basic_builtin.lin")));
    EXPECT_EQ(read_plain_lin(path("b.lin")), read_raw(fixture("basic_builtin.lin")));
}

TEST_F(GoldenTest, EmptyFunctionRecordsGiveHeaderAndTrailer) {
    write_raw(path("empty.fss"), "");
    EXPECT_EQ(run({path("empty.c")}), kFormatterOk);
    EXPECT_EQ(read_plain_lin(path("empty.lin")),
              join_lines({" [JOV:LIN:V1.00 ", "OV:3", "ZO:", "PP:82,110", "SP:82,90", "SS:100,100", "OV:4"}));
}

}  // namespace
}  // namespace nx1012_test
