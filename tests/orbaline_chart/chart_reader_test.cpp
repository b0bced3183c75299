// Reading tree files into the chart grid: node lines, headers, limits, the
// name pool and its growth, and the output's reading profile.
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "orbaline/chart/chart_grid.h"

namespace chart_test {
namespace {

class ChartReaderTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        ASSERT_EQ(table_.alloc_chart_grid(), 0);
    }
    void TearDown() override {
        table_.release();
        ChartTest::TearDown();
    }

    int read(const std::string& path, bool quiet = false, const TrdReadProfile& profile = kChartViewReading) {
        return read_trd_file(quiet, path, table_, profile, session().hooks);
    }

    std::vector<int32_t> codes(int row) const {
        std::vector<int32_t> out;
        for (int c = 0; c <= node_column(table_, row) && c < kChartColumns; ++c) out.push_back(table_.code(row, c));
        return out;
    }

    ChartTable table_;
};

TEST_F(ChartReaderTest, PlainAndScrambledFixturesGiveTheSameGrid) {
    for (const char* name : {"four.trd", "four-scrambled.trd"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(read(copy_fixture(name)), kTrdReadOk);
        code_chart_lines(table_);
        ASSERT_EQ(table_.row_count, 4);
        EXPECT_EQ(codes(1), (std::vector<int32_t>{33}));
        EXPECT_EQ(codes(2), (std::vector<int32_t>{17, 34}));
        EXPECT_EQ(codes(3), (std::vector<int32_t>{19, 18, 35}));
        EXPECT_EQ(codes(4), (std::vector<int32_t>{18, 35}));
        EXPECT_EQ(table_.text(3, 2), "reset            <util.c(16)>;");
        EXPECT_EQ(table_.code(5, 0), kCodeEmpty);
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChartReaderTest, DepthComesFromTheLevelRunAfterTheNumber) {
    const std::string path = write_chart("depth.trd", {header_line(), "12++name;comment\tignored\tthis too",
                                                       "++no number", "3\t\ttab levels;x\t int(),"});
    ASSERT_EQ(read(path), kTrdReadOk);
    ASSERT_EQ(table_.row_count, 3);
    // After a number the run is one longer than the depth; without, it is the depth.
    EXPECT_EQ(table_.code(1, 0), kCodeLeftOfNode);
    EXPECT_EQ(table_.code(1, 1), kCodeNode);
    EXPECT_EQ(table_.text(1, 1), "name;comment\tignored");
    EXPECT_EQ(table_.code(2, 2), kCodeNode);
    EXPECT_EQ(table_.text(2, 2), "no number");
    EXPECT_EQ(table_.code(3, 1), kCodeNode);
    EXPECT_EQ(table_.text(3, 1), "tab levels;x");
}

// The generator's mark of a function no source defines lies in the part of
// the line the reader drops: the row keeps it, and a read afresh forgets it.
TEST_F(ChartReaderTest, TheUndefinedMarkIsKeptForItsRow) {
    struct Line {
        const char* text;
        bool undefined;
    };
    const Line lines[] = {
        {"1+main             <main.c(5)>;entry\t int(),", false},
        {"2++puts;\t <UNDEFINED>", true},
        {"3++UNDEFINED;comment\t void(),", false},
        {"4++<UNDEFINED>;before the tab", false},
        {"5++printf;", false},
    };
    std::vector<std::string> file{header_line()};
    for (const Line& l : lines) file.push_back(l.text);
    ASSERT_EQ(read(write_chart("marks.trd", file)), kTrdReadOk);
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(table_.undefined(row), lines[row - 1].undefined) << lines[row - 1].text;
    EXPECT_FALSE(table_.undefined(6)) << "the closing row";
    ASSERT_EQ(read(write_chart("none.trd", {header_line(), "1+a;", "2++b;"})), kTrdReadOk);
    EXPECT_FALSE(table_.undefined(2)) << "the earlier chart's mark";
}

TEST_F(ChartReaderTest, EmptyNodeTextPointsAtTheSharedBlank) {
    ASSERT_EQ(read(write_chart("empty.trd", {header_line(), "1+\tafter the tab"})), kTrdReadOk);
    EXPECT_EQ(table_.cell(1, 0).text, kSharedBlankText);
    EXPECT_EQ(table_.text(1, 0), " ");
}

TEST_F(ChartReaderTest, LfAndCrLfLinesReadAlike) {
    const std::string lf = dir_.path("lf.trd");
    write_raw(lf, " [JOV:TRD:V1.00 ]\n1+a;\t\n2++b;\t\n");
    ASSERT_EQ(read(lf), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 2);
    EXPECT_EQ(table_.text(2, 1), "b;");
}

TEST_F(ChartReaderTest, AnotherKindOfFileIsNoChart) {
    const std::string path = copy_fixture("wrong-kind.trd");
    EXPECT_EQ(read(path), kTrdNoChart);
    EXPECT_EQ(table_.row_count, 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, kCaptionMakeChart);
    EXPECT_EQ(boxes_[0].text, message(kMsgNotAChart) + "\n" + path);
}

TEST_F(ChartReaderTest, AnotherVersionShowsTheVersionText) {
    const std::string path = copy_fixture("wrong-version.trd");
    EXPECT_EQ(read(path), kTrdNoChart);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgChartWrongVersion) + "\n" + path);
}

TEST_F(ChartReaderTest, ABlankLineEndsTheChart) {
    ASSERT_EQ(read(write_chart("gap.trd", {header_line(), "1+a;\t", "2++b;\t", "", "3+c;\t"}, false)), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 2);
}

TEST_F(ChartReaderTest, EmptyFilesAndHeaderOnlyFiles) {
    const std::string empty = dir_.path("empty.trd");
    write_raw(empty, "");
    EXPECT_EQ(read(empty), kTrdNoChart);
    EXPECT_EQ(read(dir_.path("missing.trd")), kTrdNoChart);
    // A header and nothing else reads, but holds no rows.
    EXPECT_EQ(read(write_chart("header.trd", {header_line()})), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 0);
    EXPECT_TRUE(boxes_.empty());
}

std::vector<std::string> chain_of(int rows) {
    std::vector<std::string> lines = {header_line()};
    for (int n = 1; n <= rows; ++n) lines.push_back(std::to_string(n) + "+f" + std::to_string(n) + ";\t");
    return lines;
}

TEST_F(ChartReaderTest, ExactlyThreeThousandRowsLoadWithoutAMessage) {
    ASSERT_EQ(read(write_chart("full.trd", chain_of(3000))), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 3000);
    EXPECT_EQ(table_.text(3000, 0), "f3000;");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ChartReaderTest, TheRowAfterThreeThousandIsRefusedOnce) {
    const std::string path = write_chart("over.trd", chain_of(3005));
    ASSERT_EQ(read(path), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 3000);
    EXPECT_EQ(table_.code(3001, 0), kCodeEmpty);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgTooManyBlocks));
    // The working copy is read quietly.
    ASSERT_EQ(read(path, true), kTrdReadOk);
    EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ChartReaderTest, ANodeDeeperThanTheLastColumnIsABadChart) {
    const std::string deepest = "1" + std::string(64, '+') + "deep;\t";
    ASSERT_EQ(read(write_chart("deepest.trd", {header_line(), deepest})), kTrdReadOk);
    EXPECT_EQ(table_.code(1, 63), kCodeNode);
    EXPECT_EQ(table_.code(1, 62), kCodeLeftOfNode);

    const std::string too_deep = "1" + std::string(65, '+') + "deeper;\t";
    const std::string path = write_chart("deeper.trd", {header_line(), "1+root;\t", too_deep});
    EXPECT_EQ(read(path), kTrdNoChart);
    EXPECT_EQ(table_.row_count, 0);
    EXPECT_EQ(table_.code(1, 0), kCodeEmpty);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgNotAChart) + "\n" + path);
}

TEST_F(ChartReaderTest, ANumberWithoutLevelCharactersIsABadChart) {
    EXPECT_EQ(read(write_chart("flat.trd", {header_line(), "1main;\t"})), kTrdNoChart);
    EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ChartReaderTest, ALongNodeLineStaysOneRowWithOneKeyByte) {
    const std::string text = "long" + std::string(5000, 'x') + ";comment";
    const std::string path = write_chart("long.trd", {header_line(), "1+" + text + "\t int(),", "2++next;\t"});
    // One key byte a line: the long line is stored as one line.
    const std::string bytes = read_raw(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);
    ASSERT_EQ(read(path), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 2);
    EXPECT_EQ(table_.text(1, 0), text);
    EXPECT_EQ(table_.text(2, 1), "next;");
}

TEST_F(ChartReaderTest, ThePoolGrowsInStepsUntilTheChartFits) {
    std::vector<std::string> lines = {header_line()};
    for (int n = 1; n <= 1000; ++n) lines.push_back(std::to_string(n) + "+" + std::string(150, 'a' + n % 26) + ";\t");
    const std::string path = write_chart("wide.trd", lines);
    EXPECT_EQ(read(path), kTrdPoolFull);
    ASSERT_EQ(read_trd_growing(false, path, table_, kChartViewReading, session().hooks), kTrdReadOk);
    EXPECT_EQ(table_.row_count, 1000);
    EXPECT_EQ(table_.pool_size() % kChartPoolStep, 0u);
    EXPECT_GE(table_.pool_size(), 1000u * 152u);
    EXPECT_EQ(table_.text(1000, 0), std::string(150, 'a' + 1000 % 26) + ";");
}

TEST_F(ChartReaderTest, OneTextLargerThanAStepGrowsByEnoughSteps) {
    const std::string text(200000, 'z');
    const std::string path = write_chart("huge.trd", {header_line(), "1+" + text + "\t"});
    ASSERT_EQ(read_trd_growing(false, path, table_, kChartViewReading, session().hooks), kTrdReadOk);
    EXPECT_EQ(table_.pool_size(), 4 * kChartPoolStep);
    EXPECT_EQ(table_.text(1, 0).size(), text.size());
}

TEST_F(ChartReaderTest, APoolThatCannotGrowLeavesNoRows) {
    const std::string path = write_chart("huge.trd", {header_line(), "1+" + std::string(70000, 'z') + "\t"});
    platform_fail_next_allocations(1);
    EXPECT_EQ(read_trd_growing(false, path, table_, kChartViewReading, session().hooks), kTrdPoolFull);
    EXPECT_EQ(table_.row_count, 0);
    EXPECT_EQ(table_.pool_size(), 0u);
    // A later read starts from an empty pool and grows it again.
    platform_fail_next_allocations(0);
    ASSERT_EQ(table_.grow_chart_pool(kChartPoolStep), 0);
    EXPECT_EQ(read_trd_growing(false, path, table_, kChartViewReading, session().hooks), kTrdReadOk);
}

TEST_F(ChartReaderTest, AGridThatCannotBeAllocatedLeavesNothingBehind) {
    ChartTable other;
    const int blocks = platform_live_global_blocks();
    platform_fail_next_allocations(1);
    EXPECT_EQ(other.alloc_chart_grid(), -1);
    platform_fail_next_allocations(0);
    EXPECT_FALSE(other.allocated());
    EXPECT_EQ(platform_live_global_blocks(), blocks);
    // Reading into it is no chart, never a write through a null grid.
    EXPECT_EQ(read_trd_file(false, copy_fixture("four.trd"), other, kChartViewReading, session().hooks), kTrdNoChart);
}

TEST_F(ChartReaderTest, OutputReadingSkipsHeadersAndBlanksReferences) {
    const std::string path =
        write_chart("refs.trd", {header_line(), "1+main             <main.c(5)>;entry\t int(),",
                                 "2++operator<        <op.cpp(3)>[1];cmp [x]\t", "3++list[i].draw;\t <UNDEFINED>",
                                 " [JOV:TRD:V1.00 ]", "4++tail <t.c(1)>;no close [9"});
    ChartOutputSettings settings;
    settings.file_and_line = false;
    settings.reference_numbers = false;
    const TrdReadProfile profile = output_reading_profile(settings);
    ASSERT_EQ(read(path, true, profile), kTrdReadOk);
    ASSERT_EQ(table_.row_count, 4);
    EXPECT_EQ(table_.text(1, 0), "main" + std::string(24, ' ') + ";entry");
    // The reference is found after the blank, the back reference right after it.
    EXPECT_EQ(table_.text(2, 1), "operator<" + std::string(22, ' ') + ";cmp [x]");
    EXPECT_EQ(table_.text(3, 1), "list[i].draw;");
    EXPECT_EQ(table_.text(4, 1), "tail" + std::string(9, ' ') + ";no close [9");
    EXPECT_TRUE(boxes_.empty());

    settings.file_and_line = true;
    ASSERT_EQ(read(path, true, output_reading_profile(settings)), kTrdReadOk);
    EXPECT_EQ(table_.text(2, 1), "operator<        <op.cpp(3)>" + std::string(3, ' ') + ";cmp [x]");
}

TEST_F(ChartReaderTest, OutputReadingStopsWhenCancelled) {
    int passes = 0;
    session().hooks.keep_going = [&passes] { return ++passes < 3; };
    ChartOutputSettings settings;
    EXPECT_EQ(read(copy_fixture("four.trd"), true, output_reading_profile(settings)), kTrdNoChart);
    EXPECT_EQ(table_.row_count, 0);
    EXPECT_EQ(passes, 3);
}

}  // namespace
}  // namespace chart_test
