// The edits of the working copy, Save and reloading the chart from its file.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "chart_fixture.h"
#include "orbaline/chart/working_copy.h"

namespace chart_test {
namespace {

const std::vector<std::string> kChart = {
    header_line(),
    "1+main             <main.c(5)>;entry\t int(),",
    "2++init             <util.c(2)>;set up\t void(),",
    "3+++buffer_clear;\t <UNDEFINED>",
    "4+++reset            <util.c(16)>;\t void(),",
    "5++++zero;\t <UNDEFINED>",
    "6++run              <main.c(14)>;loop\t",
    "7+++reset            <util.c(16)>[4];\t",
    "8+++operator<;\t <UNDEFINED>",
    "9+helper           <io.c(8)>;help\t int(),",
    "10++reset            <util.c(16)>[4];\t",
};

// The chart's lines picked by their grid row (0 the header).
std::vector<std::string> rows_of(std::initializer_list<int> rows) {
    std::vector<std::string> out;
    for (int row : rows) out.push_back(kChart[static_cast<size_t>(row)]);
    return out;
}

class ChartEditTest : public ChartTest {
protected:
    void SetUp() override {
        ChartTest::SetUp();
        chart_ = write_chart("edit.trd", kChart);
        ASSERT_EQ(open_chart(session(), chart_), 0);
        working_ = dir_.path("oq$$$$.trd");
        session().hooks.reload_view = [this](int mode) { reloads_.push_back(mode); };
        session().hooks.rows_deleted = [this] { ++deleted_; };
        lines_.clear();
    }

    void select(int row, int column) {
        session().selected_row = row;
        session().selected_column = column;
    }

    // The working copy decoded, and byte for byte as the edits must leave it:
    // every line scrambled with its new number, CR LF ended.
    void expect_working_copy(const std::vector<std::string>& lines) {
        EXPECT_EQ(decoded(working_), lines);
        EXPECT_EQ(read_raw(working_), trd_bytes(lines));
        EXPECT_FALSE(file_exists(dir_.path("$$$.trd")));
    }

    std::string chart_;
    std::string working_;
    std::vector<int> reloads_;
    int deleted_ = 0;
};

TEST_F(ChartEditTest, DeleteUndefinedDropsEveryUndefinedNodeAndItsSubtree) {
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteUndefined), 0);
    // "operator<" is undefined too: its reference is the one after the blank.
    expect_working_copy(rows_of({0, 1, 2, 4, 6, 7, 9, 10}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].kind, ChartBoxKind::Question);
    EXPECT_EQ(boxes_[0].text, message(kMsgUndefinedWillGo) + "\n" + message(kMsgDeleteSure));
    EXPECT_EQ(lines_, std::vector<std::string>{message(kMsgProcessing)});
    EXPECT_TRUE(session().modified);
    EXPECT_EQ(session().row_count(), 7);
    EXPECT_EQ(reloads_, std::vector<int>{1});
    EXPECT_EQ(deleted_, 1);
}

TEST_F(ChartEditTest, DeleteOneDropsTheSelectedNodeAndItsSubtreeOnly) {
    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    expect_working_copy(rows_of({0, 1, 6, 7, 8, 9, 10}));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, format_text(orbaline_message(kMsgFunctionName), "init") + "\n" +
                                  message(kMsgLevelsWillGo) + "\n" + message(kMsgDeleteSure));
    // The grid follows the working copy.
    std::string name;
    get_node_name(session(), 1, 2, name);
    EXPECT_EQ(name, "run");
}

TEST_F(ChartEditTest, DeleteNameDropsEveryNodeOfThatName) {
    select(4, 2);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteName), 0);
    expect_working_copy(rows_of({0, 1, 2, 3, 6, 8, 9}));
}

TEST_F(ChartEditTest, ReplaceOneRewritesTheTextAfterTheLevelRun) {
    select(6, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditReplaceOne, "exec;renamed"), 0);
    std::vector<std::string> lines = kChart;
    // The depth run stays; the file reference and comment go.
    lines[6] = "6++exec;renamed\t";
    expect_working_copy(lines);
    EXPECT_EQ(boxes_[0].text,
              format_text(orbaline_message(kMsgFunctionName), "run") + "\n" + message(kMsgReplaceSure));
    EXPECT_EQ(deleted_, 0);
}

TEST_F(ChartEditTest, ReplaceAllRewritesEveryNodeOfThatName) {
    select(7, 2);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditReplaceAll, "\x8F\x89\x8A\xFA\x89\xBB;x"), 0);
    std::vector<std::string> lines = kChart;
    lines[4] = "4+++\x8F\x89\x8A\xFA\x89\xBB;x\t";
    lines[7] = "7+++\x8F\x89\x8A\xFA\x89\xBB;x\t";
    lines[10] = "10++\x8F\x89\x8A\xFA\x89\xBB;x\t";
    expect_working_copy(lines);
}

TEST_F(ChartEditTest, HeaderLinesSurviveAndAreRenumbered) {
    close_chart(session());
    std::vector<std::string> lines = kChart;
    lines.insert(lines.begin() + 4, " a second header line");
    chart_ = write_chart("edit.trd", lines);
    ASSERT_EQ(open_chart(session(), chart_), 0);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteUndefined), 0);
    expect_working_copy({lines[0], lines[1], lines[2], lines[4], lines[5], lines[7], lines[8], lines[10], lines[11]});
}

TEST_F(ChartEditTest, ALongNodeLineSurvivesAnEditAsOneLine) {
    close_chart(session());
    std::vector<std::string> lines = kChart;
    lines[9] = "9+helper           <io.c(8)>;" + std::string(3000, 'c') + "\t int(),";
    chart_ = write_chart("edit.trd", lines);
    ASSERT_EQ(open_chart(session(), chart_), 0);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteUndefined), 0);
    expect_working_copy({lines[0], lines[1], lines[2], lines[4], lines[6], lines[7], lines[9], lines[10]});
}

TEST_F(ChartEditTest, NoChangesNothing) {
    const std::string before = read_raw(working_);
    answers_ = {0};
    select(2, 1);
    EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), -1);
    EXPECT_EQ(read_raw(working_), before);
    EXPECT_FALSE(session().modified);
    EXPECT_TRUE(reloads_.empty());
    EXPECT_TRUE(lines_.empty());
}

TEST_F(ChartEditTest, WithoutTheConfirmationSettingNothingIsAsked) {
    shell_settings().set_word(oq_settings::kConfirmEdits, 0);
    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    EXPECT_TRUE(boxes_.empty());
}

// A folder, or a link to a file outside, in the temporary file's place: the
// edit is refused and nothing is written there or through it.
TEST_F(ChartEditTest, ABlockedTemporaryFileLeavesTheWorkingCopy) {
    TempDir outside;
    const std::string target = outside.path("target");
    const std::string temp = dir_.path("$$$.trd");
    for (const bool link : {false, true}) {
        block_name(temp, link, target);
        const std::string before = read_raw(working_);
        boxes_.clear();
        select(2, 1);
        EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), -1) << link;
        EXPECT_EQ(read_raw(working_), before) << link;
        EXPECT_FALSE(std::filesystem::is_symlink(working_)) << link;
        if (link) {
            EXPECT_EQ(read_raw(target), "outside");
        }
        EXPECT_FALSE(session().modified);
        ASSERT_EQ(boxes_.size(), 2u);
        EXPECT_EQ(boxes_[1].caption, kCaptionEditChart);
        EXPECT_EQ(boxes_[1].text, message(kMsgTempFileError) + "\n" + working_);
        EXPECT_EQ(session().row_count(), 10);
    }
}

// Two copies of the program with a chart each in one folder, both open
// before either edits: each edits and saves its own chart from its own
// working copy, and each copy's working copy goes with it.
TEST_F(ChartEditTest, TwoChartsInOneFolderAreEditedAndSavedEachFromItsOwnCopy) {
    close_chart(session());
    const std::string charts[2] = {write_chart("a.trd", kChart), write_chart("b.trd", rows_of({0, 9, 10}))};
    int opened[2], go[2];
    ASSERT_EQ(::pipe(opened), 0);
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> copies;
    for (int copy = 0; copy < 2; ++copy) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(opened[0]);
            ::close(go[1]);
            const bool open = open_chart(session(), charts[copy]) == 0;
            (void)::write(opened[1], "o", 1);
            char byte;
            (void)::read(go[0], &byte, 1);
            select(2, 1);  // the first child of the first root
            const bool edited = open && run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne) == 0 &&
                                save_chart(session(), kCaptionSaveChart) == 0;
            close_chart(session());
            ::_exit(edited ? 0 : 1);
        }
        copies.push_back(child);
    }
    ::close(opened[1]);
    ::close(go[0]);
    char byte;
    for (int copy = 0; copy < 2; ++copy) ASSERT_EQ(::read(opened[0], &byte, 1), 1);
    ::close(go[1]);  // both go at once
    for (const pid_t child : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an edit or save was refused";
    }
    ::close(opened[0]);
    EXPECT_EQ(decoded(charts[0]), rows_of({0, 1, 6, 7, 8, 9, 10}));
    EXPECT_EQ(decoded(charts[1]), rows_of({0, 9}));
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_FALSE(entry.path().extension() == ".trd" && entry.path().filename().string().find('$') != std::string::npos)
            << entry.path() << " stays";
}

TEST_F(ChartEditTest, AFailedWriteLeavesTheWorkingCopyAndTheFlag) {
    const std::string before = read_raw(working_);
    fail_checked_writes_from(3);
    select(2, 1);
    EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), -1);
    EXPECT_EQ(read_raw(working_), before);
    EXPECT_FALSE(file_exists(dir_.path("$$$.trd")));
    EXPECT_FALSE(session().modified);
    EXPECT_EQ(boxes_.back().text, message(kMsgTempFileError) + "\n" + dir_.path("$$$.trd"));
}

TEST_F(ChartEditTest, DeletingTheLastRowSelectsTheNewLastRow) {
    select(10, 1);
    session().top_row = 10;
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    EXPECT_EQ(session().row_count(), 9);
    EXPECT_EQ(session().selected_row, 9);
    EXPECT_EQ(session().selected_column, 0);
    EXPECT_EQ(session().top_row, 9);
}

TEST_F(ChartEditTest, RefusedSelectionsAndTexts) {
    const std::string before = read_raw(working_);
    select(4, 0);  // a connector cell
    EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteName), -1);
    EXPECT_EQ(boxes_.back().text, message(kMsgSelectFunction));
    select(4, 2);
    for (const char* text : {"", "+deeper", "two\nlines", "tab\there"}) {
        EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditReplaceOne, text), -1) << text;
        EXPECT_EQ(boxes_.back().text, message(kMsgEnterFunctionName));
    }
    EXPECT_EQ(read_raw(working_), before);
    EXPECT_FALSE(session().modified);
}

TEST_F(ChartEditTest, WithoutAChartAnEditIsRefused) {
    close_chart(session());
    EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteUndefined), -1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, kCaptionEditCommand);
    EXPECT_EQ(boxes_[0].text, message(kMsgNoChart));
}

TEST_F(ChartEditTest, SavePutsTheWorkingCopyInPlaceOfTheChart) {
    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    const std::string edited = read_raw(working_);
    boxes_.clear();
    ASSERT_EQ(save_chart(session(), kCaptionSaveChart), 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].caption, kCaptionSaveChart);
    EXPECT_EQ(boxes_[0].text, format_text(orbaline_message(kMsgWillSave), chart_.c_str()) + "\n" +
                                  message(kMsgAreYouSure));
    EXPECT_EQ(read_raw(chart_), edited);
    EXPECT_EQ(read_raw(working_), edited);
    EXPECT_FALSE(session().modified);
}

TEST_F(ChartEditTest, SaveRefusedOrNotNeededChangesNoFile) {
    const std::string original = read_raw(chart_);
    EXPECT_EQ(save_chart(session(), kCaptionSaveChart), -1);
    EXPECT_EQ(lines_.back(), message(kMsgChartNotModified));
    EXPECT_EQ(beeps_, 1);
    EXPECT_TRUE(boxes_.empty());

    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    answers_ = {0};
    EXPECT_EQ(save_chart(session(), kCaptionSaveChart), 0);
    EXPECT_EQ(read_raw(chart_), original);
    EXPECT_TRUE(session().modified);
}

TEST_F(ChartEditTest, AFailedSaveKeepsTheChartAndTheFlag) {
    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    const std::string original = read_raw(chart_);
    std::filesystem::remove(working_);
    boxes_.clear();
    EXPECT_EQ(save_chart(session(), kCaptionSaveChart), -3);
    EXPECT_EQ(read_raw(chart_), original);
    EXPECT_TRUE(session().modified);
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1].text, message(kMsgWriteError) + "\n" + chart_);
}

TEST_F(ChartEditTest, ReloadingFromTheFileThrowsTheEditsAway) {
    std::vector<std::string> events;
    session().hooks.close_source_list = [&] { events.push_back("close list"); };
    session().hooks.show_source_list = [&] { events.push_back("show list"); };
    // Not modified: nothing to ask.
    EXPECT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditReloadChart), 0);
    EXPECT_TRUE(boxes_.empty());

    select(2, 1);
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditDeleteOne), 0);
    boxes_.clear();
    reloads_.clear();
    ASSERT_EQ(run_chart_edit(session(), kCaptionEditChart, kEditReloadChart), 0);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, message(kMsgChartModified) + "\n" + message(kMsgReloadSure));
    EXPECT_EQ(events, (std::vector<std::string>{"close list", "show list"}));
    EXPECT_EQ(reloads_, std::vector<int>{0});
    EXPECT_FALSE(session().modified);
    EXPECT_EQ(session().row_count(), 10);
    EXPECT_EQ(decoded(working_), kChart);
}

}  // namespace
}  // namespace chart_test
