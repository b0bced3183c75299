// The line-code pass: which connector and which box each cell draws.
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "orbaline/chart/chart_grid.h"

namespace chart_test {
namespace {

class LineCodesTest : public ChartTest {
protected:
    void TearDown() override {
        table_.release();
        ChartTest::TearDown();
    }

    // Codes of every row, from column 0 to the node, after reading and coding
    // the node lines given as "<level run>name".
    std::vector<std::vector<int32_t>> coded(const std::vector<std::string>& nodes) {
        std::vector<std::string> lines = {header_line()};
        for (size_t n = 0; n < nodes.size(); ++n) lines.push_back(std::to_string(n + 1) + nodes[n] + ";\t");
        EXPECT_EQ(table_.alloc_chart_grid(), 0);
        EXPECT_EQ(read_trd_file(false, write_chart("tree.trd", lines), table_, kChartViewReading, session().hooks),
                  kTrdReadOk);
        EXPECT_EQ(code_chart_lines(table_), 0);
        std::vector<std::vector<int32_t>> rows;
        for (int row = 1; row <= table_.row_count; ++row) {
            std::vector<int32_t> codes;
            for (int c = 0; c <= node_column(table_, row) && c < kChartColumns; ++c) codes.push_back(table_.code(row, c));
            rows.push_back(codes);
        }
        return rows;
    }

    using Rows = std::vector<std::vector<int32_t>>;
    ChartTable table_;
};

TEST_F(LineCodesTest, RootWithTwoChildrenTheFirstWithAChild) {
    EXPECT_EQ(coded({"+root", "++first", "+++grandchild", "++second"}),
              (Rows{{33}, {17, 34}, {19, 18, 35}, {18, 35}}));
}

TEST_F(LineCodesTest, AFinishedSubtreeLeavesNoLineBelowItsLastBranch) {
    EXPECT_EQ(coded({"+a", "++b", "+++c", "++++d", "++e", "+lonely"}),
              (Rows{{33}, {17, 34}, {19, 18, 34}, {19, 20, 18, 35}, {18, 35}, {36}}));
}

TEST_F(LineCodesTest, TheLastRowClosesEveryColumnAboveIt) {
    // The chart ends inside a subtree: no sibling follows b, nor c.
    EXPECT_EQ(coded({"+a", "++b", "+++c", "++++d"}), (Rows{{33}, {18, 34}, {20, 18, 34}, {20, 20, 18, 35}}));
}

TEST_F(LineCodesTest, RootsWithoutChildrenStandAlone) {
    EXPECT_EQ(coded({"+a", "+b", "++c", "+d"}), (Rows{{36}, {33}, {18, 35}, {36}}));
}

TEST_F(LineCodesTest, ManySiblingsShareOneLine) {
    EXPECT_EQ(coded({"+a", "++b", "++c", "+++x", "++d"}),
              (Rows{{33}, {17, 35}, {17, 34}, {19, 18, 35}, {18, 35}}));
}

TEST_F(LineCodesTest, ACancelledPassStopsBeforeItsFirstRow) {
    coded({"+a", "++b"});
    ASSERT_EQ(table_.alloc_chart_grid(), 0);
    ASSERT_EQ(read_trd_file(false, dir_.path("tree.trd"), table_, kChartViewReading, session().hooks), kTrdReadOk);
    session().hooks.keep_going = [] { return false; };
    EXPECT_EQ(code_chart_lines(table_, &session().hooks), -1);
    EXPECT_EQ(table_.code(1, 0), kCodeNode);
}

TEST_F(LineCodesTest, ARowWithoutANodeHasItsNodeBeyondTheLastColumn) {
    coded({"+a"});
    EXPECT_EQ(node_column(table_, 1), 0);
    EXPECT_EQ(node_column(table_, 2), kChartColumns);
    EXPECT_EQ(node_column(table_, -1), kChartColumns);
}

}  // namespace
}  // namespace chart_test
