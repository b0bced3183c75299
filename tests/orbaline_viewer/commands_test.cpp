// ORBALINE's commands: the node's source and its messages, the user's
// editor, colours written to the settings, the recent items, the nest-level
// display and the error-window command.
#include <filesystem>
#include <string>

#include "common/shell/colour_set.h"
#include "common/shell/recent_files.h"
#include "common/shell/window/error_window.h"
#include "common/text/text_helpers.h"
#include "common/viewer/source_list.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/commands.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The chooser lower-cases the names it gives (the platform finds them
// without regard to case).
std::string lower(std::string text) {
    to_lower_ascii(text);
    return text;
}

using Commands = OrbalineTest;

// The settings as the program wrote them to its file.
std::vector<uint8_t> settings_on_disk(const TempDir& program) {
    const std::string bytes = read_raw(program.path("oq1000s.prm"));
    return {bytes.begin(), bytes.end()};
}

TEST_F(Commands, NodeSourcesAndTheirMessages) {
    write_raw(dir.path("refs.nam"), "");
    write_raw(dir.path("refs.trd"),
              " [JOV:TRD:V1.00 ]\r\n1+main <alpha.c(4)>\r\n2++bare\r\n3++gone <nothere.c(2)>\r\n");
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("refs.nam"), false));
    ASSERT_EQ(chart().row_count(), 3);

    // row 1: the source in the chart's folder, its line less one
    EXPECT_EQ(open_node_source(), 0);
    EXPECT_EQ(lower(document_state().source_name), lower(dir.path("alpha.c")));
    EXPECT_EQ(orbaline().source_start_line, 3);
    EXPECT_TRUE(document_state().source_loaded);

    // row 2: no file reference
    chart().selected_row = 2;
    chart().selected_column = 1;
    EXPECT_EQ(open_node_source(), -3);
    EXPECT_EQ(automation::status_text(), message_with_text(kMsgFileNotFound, "\x83\x5c\x81[\x83X"));
    EXPECT_TRUE(document_state().source_name.empty());

    // row 3: a file that is not there
    chart().selected_row = 3;
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(open_node_source(), -1);
    ASSERT_NE(last_box(), nullptr);
    EXPECT_TRUE(contains(last_box()->text, message(kMsgFileOpenError)));
    EXPECT_TRUE(contains(last_box()->text, "nothere.c"));
}

// The line a node gives, however far outside the int range: the first line
// for anything below it, the last int above it.
TEST_F(Commands, NodeLinesOutsideTheRangeOfAFile) {
    struct Case {
        const char* line;
        int start_line, current_line;
    };
    const Case cases[] = {
        {"4", 3, 4},
        {"0", 0, 1},
        {"-2147483648", 0, 1},
        {"-99999999999", 0, 1},
        {"2147483647", 2147483646, 2147483647},
        {"99999999999", 2147483646, 2147483647},
    };
    write_raw(dir.path("alpha.c"), "int a;\r\n");
    write_raw(dir.path("lines.nam"), "");
    std::string trd = " [JOV:TRD:V1.00 ]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i)
        trd += std::to_string(i + 1) + "+f" + std::to_string(i) + " <alpha.c(" + cases[i].line + ")>\r\n";
    write_raw(dir.path("lines.trd"), trd);
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("lines.nam"), false));
    for (size_t i = 0; i < std::size(cases); ++i) {
        chart().selected_row = static_cast<int>(i + 1);
        chart().selected_column = 0;
        EXPECT_EQ(open_node_source(), 0) << cases[i].line;
        EXPECT_EQ(orbaline().source_start_line, cases[i].start_line) << cases[i].line;
        EXPECT_EQ(document_state().current_source_line, cases[i].current_line) << cases[i].line;
    }
}

TEST_F(Commands, TheEditorStartsOnTheNodesSource) {
    std::vector<uint8_t> bytes = build_standard_settings(kOrbalineSettings);
    write_settings(bytes);
    ASSERT_TRUE(start());
    shell_settings().set_text(oq_settings::kEditorPath, "\"/opt/tools/edit\"");
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    automation::choose_menu_command(kEditorCommand);
    ASSERT_FALSE(automation::shell_calls().empty());
    const automation::ShellCall& call = automation::shell_calls().back();
    EXPECT_EQ(call.file, "edit");
    EXPECT_EQ(call.directory, "/opt/tools");
    EXPECT_TRUE(contains(call.parameters, "alpha.c"));

    // no editor set: message 200
    shell_settings().set_text(oq_settings::kEditorPath, "");
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(kEditorCommand);
    EXPECT_TRUE(contains(last_box()->text, message(200)));
}

TEST_F(Commands, ColoursAreWrittenToTheSettingsFile) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    automation::answer_next_colour_dialog(RGB(10, 20, 30));
    automation::choose_menu_command(kFirstColourCommand);  // chart lines
    const std::vector<uint8_t> disk = settings_on_disk(program);
    ASSERT_GE(disk.size(), 1663u);
    EXPECT_EQ(disk[1660], 10);
    EXPECT_EQ(disk[1661], 20);
    EXPECT_EQ(disk[1662], 30);

    // the standard colours, written at once
    automation::choose_menu_command(kStandardColoursCommand);
    const std::vector<uint8_t> standard = settings_on_disk(program);
    EXPECT_EQ(standard[1660], 0);
    EXPECT_EQ(standard[1663], 255);
    EXPECT_EQ(standard[1664], 251);
    EXPECT_EQ(standard[1665], 240);
    // a cancelled choice changes nothing
    automation::cancel_next_common_dialog();
    automation::choose_menu_command(kFirstColourCommand + 1);
    EXPECT_EQ(settings_on_disk(program), standard);
    // the dialog opens on the colour in use: OK as it opens keeps it
    automation::when_idle([] { automation::press_button(IDOK); });
    automation::choose_menu_command(kFirstColourCommand + 1);  // the chart's background
    const std::vector<uint8_t> kept = settings_on_disk(program);
    EXPECT_EQ(std::vector<uint8_t>(kept.begin() + 1663, kept.begin() + 1666), (std::vector<uint8_t>{255, 251, 240}));
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

TEST_F(Commands, RecentItemsOpenAndAMissingOneIsReported) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    EXPECT_EQ(recent_file(shell_settings(), 0), lower(dir.path("two.nam")));
    EXPECT_NE(automation::menu_item_state(4104), static_cast<UINT>(-1));

    std::filesystem::remove(dir.path("two.nam"));
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(4104);
    ASSERT_NE(last_box(), nullptr);
    // "ファイル読み込み"
    EXPECT_EQ(last_box()->caption, "\x83t\x83\x40\x83" "C\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd");
    EXPECT_TRUE(contains(last_box()->text, "two.nam"));
    EXPECT_TRUE(contains(last_box()->text, message(kMsgFileOpenError)));
    // the chart stays
    EXPECT_EQ(chart().row_count(), 7);

    // a list that is not there opens nothing and is no recent file
    automation::answer_next_message_box(IDOK);
    open_list(dir.path("none.nam"), false);
    EXPECT_EQ(recent_file(shell_settings(), 0), lower(dir.path("two.nam")));
    EXPECT_EQ(recent_file_count(shell_settings()), 1);
}

TEST_F(Commands, TheErrorCommandAfterACleanRunSaysSo) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    ASSERT_EQ(orbaline().last_run_error, 0);
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(kErrorsCommand);
    EXPECT_TRUE(contains(last_box()->text, message(308)));
    EXPECT_FALSE(generation_error_window().is_open());

    // a missing error file after a run with errors: the window opens empty
    // after its message
    orbaline().last_run_error = 1;
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(kErrorsCommand);
    EXPECT_TRUE(generation_error_window().is_open());
    EXPECT_TRUE(contains(last_box()->text, "oq1000.err"));
}

// A notice, whether a command or a chart operation shows it, is one beep
// and an OK box with the information icon.
TEST_F(Commands, NoticesBeepOnceWithTheInformationIcon) {
    ASSERT_TRUE(start());
    const auto expect_one_notice = [this](int command, const char* what) {
        const size_t boxes = automation::message_boxes().size();
        const size_t beeps = automation::beeps().size();
        automation::answer_next_message_box(IDOK);
        run_chart_command(frame(), command);
        ASSERT_EQ(automation::message_boxes().size(), boxes + 1) << what;
        EXPECT_EQ(last_box()->type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION)) << what;
        EXPECT_EQ(automation::beeps().size(), beeps + 1) << what;
    };
    expect_one_notice(kChartSearchCommand, "a search without a chart");
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    expect_one_notice(kErrorsCommand, "the error command after a clean run");
}

TEST_F(Commands, CommandsWithoutAChartSayWhy) {
    ASSERT_TRUE(start());
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(run_chart_command(frame(), kSourceListCommand), -1);
    EXPECT_TRUE(contains(last_box()->text, message(kMsgSelectFile)));
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(run_chart_command(frame(), kOutputCommand), -1);
    EXPECT_TRUE(contains(last_box()->text, message(kMsgSelectFile)));
}

}  // namespace
