// The generation runs: argument vectors from the settings, the status
// texts, the staleness check by file times, a missing source, the modified
// chart's question, the meter's cancel in the middle of a run, a long list
// path in the meter, and the error window the run leaves.
#include <filesystem>
#include <string>
#include <vector>

#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "platform/gdi/drawing_log.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/generation.h"
#include "tests/common/rights.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

using Args = std::vector<std::string>;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// "生成内部処理エラー[00ff]"
constexpr char kInternal255[] = "\x90\xb6\x90\xac\x93\xe0\x95\x94\x8f\x88\x97\x9d\x83G\x83\x89\x81[[00ff]";

class GenerationSettings : public ::testing::Test {
protected:
    void SetUp() override { reset_shell_settings(kOrbalineSettings); }
    SettingsRecord& s() { return shell_settings(); }
};

TEST_F(GenerationSettings, TreeRunArgumentsFollowTheSettings) {
    using namespace oq_settings;
    s().set_word(kBlockCharacters, 12);
    s().set_word(kNestLevel, 5);
    s().set_word(kUndefinedBlocks, 1);
    s().set_word(kIncludeUse, 3);
    s().set_word(kMacroExpansion, 1);
    s().set_word(kShowReusedFunctions, 1);
    s().set_word(kPointerCalls, 0);
    s().set_text_cut(kGenerationOptions, "");
    s().set_text_cut(kIgnoreFile, "");
    const Args args = tree_run_arguments(s(), "/prog", "/w/two.nam");
    const Args want = {"oq1011s", "-x",  "-f+", "-v0", "-Fe/prog\\oq1000.err", "-X8439", "-mf", "-c12", "-d4",
                       "-u0",     "-i22", "-M3", "-R1", "-A0",  "-l", "[/w/two.nam]", ""};
    EXPECT_EQ(args, want);

    s().set_word(kIncludeUse, 2);
    s().set_word(kMacroExpansion, 3);
    s().set_text_cut(kGenerationOptions, "-DX");
    s().set_text_cut(kIgnoreFile, "skip.ign");
    const Args more = tree_run_arguments(s(), "/prog", "/w/two.nam");
    EXPECT_EQ(more[10], "-i20");
    EXPECT_EQ(more[11], "-M2");
    EXPECT_EQ(more[16], "-DX");
    EXPECT_EQ(more.back(), "-Fiskip.ign");
    s().set_word(kMacroExpansion, 7);
    EXPECT_EQ(tree_run_arguments(s(), "/prog", "/w/two.nam")[11], "-M0");
}

TEST_F(GenerationSettings, RepairRunArguments) {
    s().set_word(oq_settings::kIncludeUse, 1);
    s().set_text_cut(oq_settings::kGenerationOptions, "");
    const Args want = {"oq1011s", "-n", "[/w/two.nam]", "-Fe/prog\\oq1000.err", "-X8439", "-mf", "-v0", "-i10"};
    EXPECT_EQ(repair_run_arguments(s(), "/prog", "/w/two.nam"), want);
}

TEST_F(GenerationSettings, EveryStatusHasItsText) {
    orbaline().last_run_error = 1;
    EXPECT_EQ(generation_result_text(1, 0), message_text(kMsgGenerationEnded));
    EXPECT_EQ(orbaline().last_run_error, 0);
    EXPECT_EQ(generation_result_text(0, 0), message_text(416));
    EXPECT_EQ(generation_result_text(1, 9), message_text(408));
    EXPECT_EQ(orbaline().last_run_error, 1);
    orbaline().last_run_error = 0;
    EXPECT_EQ(generation_result_text(1, 10), message_text(400));
    EXPECT_EQ(orbaline().last_run_error, 1);
    orbaline().last_run_error = 0;
    EXPECT_EQ(generation_result_text(1, 11), message_with_number(403, 11));
    EXPECT_EQ(generation_result_text(1, 12), message_with_number(403, 12));
    EXPECT_EQ(generation_result_text(1, 13), message_text(kMsgNoMemory));
    EXPECT_EQ(generation_result_text(1, 14), message_text(404));
    EXPECT_EQ(generation_result_text(1, -1), message_text(202));
    EXPECT_EQ(generation_result_text(1, 255), kInternal255);
    // other statuses leave the flag alone
    EXPECT_EQ(orbaline().last_run_error, 0);
}

using Runs = OrbalineTest;

void set_age(const std::string& path, int seconds_ago) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::seconds(seconds_ago));
}

TEST_F(Runs, StalenessFollowsTheFileTimes) {
    ASSERT_TRUE(start());
    const std::string list = dir.path("two.nam");
    // only the list: the chart must be made
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(check_chart_stale(list), 1);
    EXPECT_TRUE(contains(last_box()->text, message(kMsgNoChart)));

    write_raw(dir.path("two.trd"), " [JOV:TRD:V1.00 ]\r\n1+main <alpha.c(4)>\r\n");
    for (const char* name : {"two.nam", "alpha.c", "beta.c"}) set_age(dir.path(name), 100);
    set_age(dir.path("two.trd"), 50);
    EXPECT_EQ(check_chart_stale(list), 0);

    // a source touched after the chart
    set_age(dir.path("beta.c"), 10);
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(check_chart_stale(list), 1);
    EXPECT_TRUE(contains(last_box()->text, message(112)));

    // the list newer than the chart
    set_age(dir.path("beta.c"), 100);
    set_age(dir.path("two.nam"), 5);
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(check_chart_stale(list), 1);

    std::filesystem::remove(list);
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(check_chart_stale(list), -1);
}

TEST_F(Runs, AMissingSourceStopsTheRunBeforeTheGenerator) {
    write_raw(dir.path("gap.nam"), "alpha.c\r\ngamma.c\r\n");
    ASSERT_TRUE(start());
    int calls = 0;
    set_tree_generator_entry([&calls](int, char**) { return ++calls, 0; });
    automation::answer_next_message_box(IDOK);  // no chart yet
    automation::answer_next_message_box(IDOK);  // the missing source
    automation::answer_next_file_dialog(dir.path("gap.nam"));
    automation::choose_menu_command(kOpenCommand);
    automation::run_until_idle();
    set_tree_generator_entry(nullptr);
    EXPECT_EQ(calls, 0);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_TRUE(contains(last_box()->text, "gamma.c"));
    EXPECT_FALSE(std::filesystem::exists(dir.path("gap.trd")));
}

TEST_F(Runs, AModifiedChartIsKeptWhenTheUserSaysNo) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    automation::click(shell().chart, 110, row_y(1));
    automation::answer_next_message_box(IDYES);
    automation::choose_menu_command(kFirstEditCommand + 1);
    ASSERT_TRUE(chart().modified);
    int calls = 0;
    set_tree_generator_entry([&calls](int, char**) { return ++calls, 0; });
    automation::answer_next_message_box(IDNO);
    automation::choose_menu_command(kGenerateCommand);
    automation::run_until_idle();
    set_tree_generator_entry(nullptr);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(chart().modified);
    EXPECT_TRUE(contains(last_box()->text, message(2)));
}

TEST_F(Runs, WarningsOfferTheErrorWindowAndTheFlagIsSet) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    write_raw(program.path("oq1000.err"), "alpha.c     (  13) : W101 : warned\r\n");
    set_tree_generator_entry([](int, char**) { return 9; });
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(kGenerateCommand);
    automation::run_until_idle();
    set_tree_generator_entry(nullptr);
    EXPECT_EQ(orbaline().last_run_error, 1);
    EXPECT_TRUE(generation_error_window().is_open());
    // its close box is gone: closing it by the title bar does nothing
    automation::close_window(generation_error_window().window());
    automation::run_until_idle();
    EXPECT_TRUE(generation_error_window().is_open());
}

// 生成エラー表示 after each run: the error window for a run that told of
// errors, message 308 for one that did not, whatever the run before it told.
TEST_F(Runs, TheErrorCommandFollowsTheLastRun) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    const struct {
        const char* what;
        int status;
        std::string errors;  // the error file the run leaves
        bool told;           // the run offers its errors, and the command shows them
    } runs[] = {
        {"warnings", 9, "alpha.c     (  13) : W101 : warned\r\n", true},
        {"a failure without an error line", 11, "", false},
        {"a failure with one", 11, "alpha.c     (  13) : E101 : failed\r\n", true},
        {"a clean run", 0, "", false},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.what);
        write_raw(program.path("oq1000.err"), r.errors);
        set_tree_generator_entry([status = r.status](int, char**) { return status; });
        if (r.told) automation::answer_next_message_box(IDOK);
        automation::choose_menu_command(kGenerateCommand);
        automation::run_until_idle();
        set_tree_generator_entry(nullptr);
        EXPECT_EQ(generation_error_window().is_open(), r.told);
        const size_t boxes = automation::message_boxes().size();
        if (!r.told) automation::answer_next_message_box(IDOK);
        automation::choose_menu_command(kErrorsCommand);
        automation::run_until_idle();
        EXPECT_EQ(generation_error_window().is_open(), r.told);
        if (r.told) {
            EXPECT_EQ(automation::message_boxes().size(), boxes);
        } else {
            ASSERT_EQ(automation::message_boxes().size(), boxes + 1);
            EXPECT_TRUE(contains(last_box()->text, message(308)));
        }
    }
}

TEST_F(Runs, TheMetersCancelStopsTheRun) {
    ASSERT_TRUE(start());
    // the generator reports until it is told to stop
    set_tree_generator_entry([](int, char**) {
        for (int i = 0; i < 1000; i += 10) {
            if (report_tree_progress("(alpha.c)", i) != 0) return 10;
        }
        return 0;
    });
    automation::at_peek(3, "cancel", [] { automation::press_control(progress_meter().window, kMeterCancelId); });
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    set_tree_generator_entry(nullptr);
    // "生成処理は中断されました。"
    EXPECT_EQ(automation::status_text(), message_with_text(kMsgInterrupted, "\x90\xb6\x90\xac\x8f\x88\x97\x9d"));
    EXPECT_FALSE(progress_meter().open);
    EXPECT_FALSE(document_state().busy);
}

TEST_F(Runs, AListInADeepFolderShowsItsNameInTheMeter) {
    const std::string folder = "a_folder_with_a_rather_long_name/and_another_one_below_it/the_charts";
    std::filesystem::create_directories(dir.path(folder));
    for (const char* name : {"two.nam", "alpha.c", "beta.c"})
        std::filesystem::copy_file(dir.path(name), dir.path(folder + "/" + name));
    const std::string list = dir.path(folder + "/two.nam");
    ASSERT_TRUE(start());
    std::string line2;
    int client_width = 0;
    set_tree_generator_entry([&](int, char**) {
        report_tree_progress("(alpha.c)", 500);
        const HWND meter = progress_meter().window;
        RECT r{};
        GetClientRect(meter, &r);
        client_width = r.right;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(meter))
            if (e.op == "TextOutA" && e.logical.at(0).x == 20 && e.logical.at(0).y == 40) line2 = e.text;
        return 0;
    });
    automation::answer_next_message_box(IDOK);  // the chart is made first
    clear_drawing_log();
    automation::answer_next_file_dialog(list);
    automation::choose_menu_command(kOpenCommand);
    automation::run_until_idle();
    set_tree_generator_entry(nullptr);
    ASSERT_GT(list.size(), static_cast<size_t>((client_width - 40) / 6));
    EXPECT_LE(line2.size(), static_cast<size_t>((client_width - 40) / 6)) << "it fits the meter";
    EXPECT_EQ(line2.substr(0, 5), list.substr(0, 5));
    EXPECT_NE(line2.find("..."), std::string::npos);
    EXPECT_TRUE(line2.ends_with("/the_charts/two.nam")) << line2;
}

// Files that cannot be made or read are named: the chart of a folder that
// takes no new file (in the error file), the settings of a program folder
// that takes none (in the message line), a chart that cannot be read or is
// a folder (message 100 with its name).
TEST_F(Runs, FilesThatCannotBeMadeOrReadAreNamed) {
    ASSERT_TRUE(start());
    RightsBind rights;
    ASSERT_TRUE(rights.binds());
    const std::string in_shut = dir.path("shut");
    std::filesystem::create_directory(in_shut);
    for (const char* name : {"two.nam", "alpha.c", "beta.c"})
        std::filesystem::copy_file(dir.path(name), in_shut + "/" + name);
    {
        TakenRights shut(in_shut, TakenRights::kReadOnlyFolder);
        automation::answer_next_message_box(IDOK);  // look at the errors
        ASSERT_TRUE(open_list(in_shut + "/two.nam"));
    }
    ASSERT_TRUE(generation_error_window().is_open());
    const Args lines = automation::control_items(generation_error_window().list());
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(contains(lines.back(), "two.$tr")) << lines.back();
    generation_error_window().close();

    {
        TakenRights shut(program.path(), TakenRights::kReadOnlyFolder);
        ASSERT_TRUE(open_list(dir.path("two.nam")));
    }
    EXPECT_EQ(automation::status_text(), message(105));

    ASSERT_TRUE(open_list(dir.path("two.nam")));
    ASSERT_TRUE(chart().loaded);
    std::filesystem::copy_file(dir.path("two.nam"), dir.path("three.nam"));
    std::filesystem::create_directory(dir.path("three.trd"));
    for (const char* name : {"two.nam", "three.nam", "alpha.c", "beta.c"}) set_age(dir.path(name), 100);
    for (const char* name : {"two", "three"}) {
        const std::string trd = dir.path(std::string(name) + ".trd");
        TakenRights unreadable(trd, TakenRights::kUnreadableFile);
        const size_t boxes = automation::message_boxes().size();
        automation::answer_next_message_box(IDOK);
        ASSERT_TRUE(open_list(dir.path(std::string(name) + ".nam"), false));
        ASSERT_EQ(automation::message_boxes().size(), boxes + 1) << name;
        std::string shown = trd;
        to_lower_ascii(shown);  // as the open dialog gives it
        EXPECT_EQ(last_box()->text, message(100) + "\n" + format_text(message(101).c_str(), shown.c_str())) << name;
        EXPECT_FALSE(chart().loaded) << name;
    }
}

}  // namespace

namespace {

// The error window as ORBALINE shows it: beside the frame's client origin,
// long lines in 255-byte pieces, a missing file reported with message 726.
TEST_F(OrbalineTest, TheErrorWindowShowsLongLinesAndReportsAMissingFile) {
    ASSERT_TRUE(start());
    const std::string errors = program.path("oq1000.err");
    write_raw(errors, std::string(300, 'e') + "\r\nshort\r\n");
    ASSERT_EQ(open_generation_error_window(frame(), errors, false), 0);
    ListWindow& window = generation_error_window();
    ASSERT_TRUE(window.is_open());
    EXPECT_EQ(automation::control_items(window.list()),
              (std::vector<std::string>{std::string(255, 'e'), std::string(45, 'e'), "short"}));
    POINT origin{0, 0};
    ClientToScreen(frame(), &origin);
    RECT rect{};
    GetWindowRect(window.window(), &rect);
    EXPECT_EQ(rect.left, origin.x + 200);
    EXPECT_EQ(rect.top, origin.y + 100);
    EXPECT_EQ(rect.right - rect.left, 702);
    EXPECT_EQ(rect.bottom - rect.top, 398);
    automation::capture_png(window.window(), dir.path("errors.png"));

    // the file gone: 726 with its name, the lines shown stay
    std::filesystem::remove(errors);
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_error_list(errors, false), -1);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_EQ(last_box()->caption, "\x81y\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6 \x81z");  // 【生成エラー表示 】
    EXPECT_EQ(last_box()->text, message_with_text(kMsgFileOpenErrorNamed, errors));
    EXPECT_EQ(automation::control_items(window.list()).size(), 3u);
}

}  // namespace
