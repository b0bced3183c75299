// Searching the chart's node texts, and searching again.
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "orbaline/chart/chart_search.h"

namespace chart_test {
namespace {

class ChartSearchTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        write_chart("find.trd", {header_line(), "1+main             <main.c(5)>;entry\t",
                                 "2++report           <io.c(2)>;Report a line\t",
                                 "3+++\x95\x5C\x8E\xA6          <io.c(9)>;show\t",
                                 "4++report           <io.c(2)>[2];Report a line\t", "5+tail;\t <UNDEFINED>"});
        ASSERT_EQ(open_chart(session(), dir_.path("find.trd")), 0);
        session().hooks.enter_search_text = [this](std::string& text) {
            dialogs_.push_back(text);
            text = typed_;
            return typed_.empty() && cancel_ ? 0 : 1;
        };
        session().hooks.selection_moved = [this] { ++moved_; };
        lines_.clear();
    }

    // Runs n searches (the first through the dialog) and lists where each
    // ended: "(row,column)" or "not found".
    std::vector<std::string> searches(const std::string& text, int n) {
        typed_ = text;
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) {
            const int result = search_chart(session(), i == 0 ? 0 : 1);
            out.push_back(result == 1 ? "(" + std::to_string(session().selected_row) + "," +
                                            std::to_string(session().selected_column) + ")"
                                      : "not found");
        }
        return out;
    }

    std::string typed_;
    bool cancel_ = false;
    std::vector<std::string> dialogs_;
    int moved_ = 0;
};

TEST_F(ChartSearchTest, SearchesFromTheRowAfterTheSelectionAndAgainAfterEachHit) {
    EXPECT_EQ(searches("report", 4), (std::vector<std::string>{"(2,1)", "(4,1)", "not found", "not found"}));
    EXPECT_EQ(moved_, 2);
    EXPECT_EQ(beeps_, 2 + 2);  // a hit beeps, so does the box of each miss
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].caption, kCaptionSearchChart);
    EXPECT_EQ(boxes_[0].text, message(kMsgSearchNotFound) + "\n[report]");
    EXPECT_EQ(lines_.front(), message(kMsgSearching));
}

TEST_F(ChartSearchTest, MatchesAreExactAndCaseSensitive) {
    EXPECT_EQ(searches("Report", 2), (std::vector<std::string>{"(2,1)", "(4,1)"}));
    EXPECT_EQ(searches("REPORT", 1), (std::vector<std::string>{"not found"}));
    EXPECT_EQ(searches("tail", 1), (std::vector<std::string>{"(5,0)"})) << "the last row is searched";
    // The dialog starts from the row after the current selection.
    EXPECT_EQ(searches("main", 1), (std::vector<std::string>{"not found"}));
}

TEST_F(ChartSearchTest, ATrailByteNeverStartsAMatch) {
    // "表示" is 95 5C 8E A6: the 0x5C inside it is no backslash.
    EXPECT_EQ(searches("\\", 1), (std::vector<std::string>{"not found"}));
    EXPECT_EQ(searches("\x5C\x8E", 1), (std::vector<std::string>{"not found"}));
    EXPECT_EQ(searches("\x8E\xA6", 1), (std::vector<std::string>{"(3,2)"}));
}

TEST_F(ChartSearchTest, ConnectorCellsAreNoHits) {
    // Every connector cell's text is a blank; only node texts are searched.
    session().selected_row = 3;
    EXPECT_EQ(searches(" ", 3), (std::vector<std::string>{"(4,1)", "not found", "not found"}));
}

TEST_F(ChartSearchTest, AHitOutsideTheViewScrollsToTheRowAbove) {
    session().visible_rows = 3;
    EXPECT_EQ(searches("report", 2), (std::vector<std::string>{"(2,1)", "(4,1)"}));
    EXPECT_EQ(session().top_row, 3);
    EXPECT_EQ(session().previous_row, 2);
}

TEST_F(ChartSearchTest, AnEmptyTextAsksForOne) {
    EXPECT_EQ(searches("", 1), (std::vector<std::string>{"not found"}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].kind, ChartBoxKind::Notice);
    EXPECT_EQ(boxes_[0].text, message(kMsgEnterSearchText));
    cancel_ = true;
    EXPECT_EQ(search_chart(session(), 0), -1);
    EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(ChartSearchTest, WithoutAChartNothingIsSearched) {
    close_chart(session());
    EXPECT_EQ(search_chart(session(), 0), -1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgNoChart));
    EXPECT_TRUE(dialogs_.empty());
    session().chart_name.clear();
    EXPECT_EQ(search_chart(session(), 1), -1);
    EXPECT_EQ(boxes_[1].text, message(kMsgSelectFile));
}

}  // namespace
}  // namespace chart_test
