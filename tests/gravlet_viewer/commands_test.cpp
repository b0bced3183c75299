// GRAVLET's commands: the open steps by the files' times, the refusals of
// the commands that need a PAD, the colour commands on disk, the user's
// editor, the recent files in the menu, help and version, the print
// commands' entry points and the printer's kind.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/shell/colour_set.h"
#include "common/viewer/source_list.h"
#include "gravlet/pad/messages.h"
#include "gravlet_fixture.h"

namespace {

// 【 ＰＡＤ図読み込み確認 】, 【 ソースリスト表示 】, ファイル読み込み, 【 ユーザ指定エディタ起動 】
const char kOpenCheckCaption[] =
    "\x81y \x82o\x82`\x82\x63\x90}\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x8am\x94\x46 \x81z";
const char kSourceListCaption[] = "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\x5c\x8e\xa6 \x81z";
const char kReadFileCaption[] = "\x83t\x83@\x83\x43\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";
const char kEditorCaption[] =
    "\x81y \x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x8bN\x93\xae \x81z";

class CommandsTest : public GravletTest {
protected:
    // A file made a day older than it is.
    static void age(const std::string& path) {
        namespace fs = std::filesystem;
        fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(24));
    }
    const automation::MessageBoxRecord& last_box() const { return automation::message_boxes().back(); }
};

TEST_F(CommandsTest, AnOlderPadGetsTheNoticeAndAGeneration) {
    ASSERT_TRUE(start());
    const std::string source = generate("sample.c");
    automation::answer_next_message_box(IDOK);
    // the source changed after its PAD was made
    write_raw(source, read_raw(source) + "\nint added(void)\n{\n    return 0;\n}\n");
    age(dir.path("sample.pds"));
    ASSERT_TRUE(open_through_menu(source));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kOpenCheckCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(gx_message::kOlderPad) + "\n" + message(504));
    EXPECT_EQ(document_state().page_count, 4) << "generated again, then shown";
    EXPECT_EQ(automation::status_text(), message(406));
    EXPECT_EQ(automation::window_text(shell().counter_box), "   1/4   ");
}

TEST_F(CommandsTest, ANewerPadOpensAtOnceAndANameWithNeitherFileBeeps) {
    ASSERT_TRUE(start());
    const std::string source = generate("sample.c");
    age(source);
    ASSERT_TRUE(open_through_menu(source));
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_TRUE(document_state().loaded);

    const size_t beeps = automation::beeps().size();
    ASSERT_TRUE(open_through_menu(dir.path("nothing.c")));
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(automation::status_text(), message(106) + "[" + lower(dir.path("nothing.c")) + "]");
    EXPECT_TRUE(automation::message_boxes().empty());
    // what opened nothing is no recent file
    EXPECT_EQ(settings_on_disk().word(gx_settings::kRecentCount), 1);
    char text[300] = {};
    GetMenuStringA(GetSubMenu(GetMenu(frame()), kFilePopup), kFirstRecentCommand, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), "&1 " + lower(source));
}

TEST_F(CommandsTest, CommandsThatNeedAPadSaySo) {
    ASSERT_TRUE(start());
    // the popups are greyed: the commands go to the dispatcher directly
    for (int i = 0; i < 4; ++i) automation::answer_next_message_box(IDOK);
    dispatch_menu_command(frame(), kSourceListCommand);
    EXPECT_EQ(last_box().caption, kSourceListCaption);
    EXPECT_EQ(last_box().text, message(117));
    document_state().file_name = dir.path("x.pds");
    dispatch_menu_command(frame(), kSourceListCommand);
    EXPECT_EQ(last_box().text, message(gx_message::kGeneratePad));
    dispatch_menu_command(frame(), kFunctionListCommand);
    EXPECT_EQ(last_box().text, message(gx_message::kNoPad));
    dispatch_menu_command(frame(), kPrintPadCommand);
    EXPECT_EQ(last_box().text, message(gx_message::kGeneratePad));
    EXPECT_FALSE(source_list_open());
}

TEST_F(CommandsTest, AColourIsStoredAndTheStandardOnesComeBack) {
    open_generated("sample.c");
    automation::answer_next_colour_dialog(RGB(10, 20, 30));
    ASSERT_TRUE(automation::choose_menu_command(kPadLineColourCommand));
    EXPECT_EQ(read_colour(settings_on_disk(), gx_settings::kColourPadLines), (Rgb{10, 20, 30}));
    automation::answer_next_colour_dialog(RGB(1, 2, 3));
    ASSERT_TRUE(automation::choose_menu_command(kSourceBackgroundColourCommand));
    EXPECT_EQ(read_colour(settings_on_disk(), gx_settings::kColourSourceBackground), (Rgb{1, 2, 3}));
    automation::cancel_next_common_dialog();
    ASSERT_TRUE(automation::choose_menu_command(kPadTextColourCommand));
    EXPECT_EQ(read_colour(settings_on_disk(), gx_settings::kColourPadText), (Rgb{0, 0, 192})) << "cancel changes nothing";

    ASSERT_TRUE(automation::choose_menu_command(kStandardColoursCommand));
    const SettingsRecord disk = settings_on_disk();
    EXPECT_EQ(read_colour(disk, gx_settings::kColourPadLines), (Rgb{0, 0, 0}));
    EXPECT_EQ(read_colour(disk, gx_settings::kColourPadBackground), (Rgb{255, 251, 240}));
    EXPECT_EQ(read_colour(disk, gx_settings::kColourSourceBackground), (Rgb{192, 192, 192}));

    // the dialog opens on the colour in use: OK as it opens keeps it
    automation::when_idle([] { automation::press_button(IDOK); });
    ASSERT_TRUE(automation::choose_menu_command(kPadBackgroundColourCommand));
    EXPECT_EQ(read_colour(settings_on_disk(), gx_settings::kColourPadBackground), (Rgb{255, 251, 240}));
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

TEST_F(CommandsTest, TheEditorStartsOnTheSource) {
    open_generated("sample.c");
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kStartEditorCommand));
    EXPECT_EQ(last_box().caption, kEditorCaption);
    EXPECT_EQ(last_box().text, message(200));

    shell_settings().set_text(gx_settings::kEditorPath, "\"c:\\tools\\ed.exe\"");
    ASSERT_TRUE(automation::choose_menu_command(kStartEditorCommand));
    ASSERT_FALSE(automation::shell_calls().empty());
    const automation::ShellCall& call = automation::shell_calls().back();
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, "ed.exe");
    EXPECT_EQ(call.directory, "c:\\tools");
    EXPECT_EQ(call.parameters, document_state().source_name);
}

TEST_F(CommandsTest, RecentFilesStandInTheFileMenu) {
    ASSERT_TRUE(start());
    const std::string sample = generate("sample.c");
    const std::string kinds = generate("kinds.c");
    ASSERT_TRUE(open_through_menu(sample));
    ASSERT_TRUE(open_through_menu(kinds));
    ASSERT_TRUE(open_through_menu(sample));
    HMENU file = GetSubMenu(GetMenu(frame()), kFilePopup);
    char text[300] = {};
    GetMenuStringA(file, kFirstRecentCommand, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), "&1 " + lower(sample));
    GetMenuStringA(file, kFirstRecentCommand + 1, text, sizeof text, MF_BYCOMMAND);
    EXPECT_EQ(std::string(text), "&2 " + lower(kinds));
    EXPECT_EQ(settings_on_disk().word(gx_settings::kRecentCount), 2) << "one entry a file";

    crt_remove(kinds.c_str());
    crt_remove(dir.path("kinds.pds").c_str());
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kFirstRecentCommand + 1));
    EXPECT_EQ(last_box().caption, kReadFileCaption);
    EXPECT_EQ(last_box().text, lower(kinds) + "\n" + message(100));
    EXPECT_EQ(document_state().source_name, lower(sample)) << "the PAD shown stays";
}

TEST_F(CommandsTest, HelpAndVersion) {
    ASSERT_TRUE(start());
    automation::answer_next_message_box(IDOK);  // no help file here: the box says so
    ASSERT_TRUE(automation::choose_menu_command(kHelpTopicsCommand));
    ASSERT_FALSE(automation::help_calls().empty());
    EXPECT_EQ(automation::help_calls().back().file, lower(program.path()) + "\\gx1000s.hlp");
    EXPECT_EQ(automation::help_calls().back().command, static_cast<UINT>(HELP_FINDER));
    automation::when_idle([] { automation::press_button(IDOK); });
    EXPECT_EQ(run_gravlet_dialog("VERSIONDLG"), 1);
}

TEST_F(CommandsTest, PrintCommandsGoThroughTheirEntriesAndThePrinterKind) {
    open_generated("sample.c");
    std::vector<std::string> steps;
    GravletEntryPoints& entry = gravlet_commands().entry;
    entry.list_print = [&](int kind) {
        steps.push_back("list " + std::to_string(kind));
        EXPECT_TRUE(document_state().busy);
        return 0;
    };
    entry.pad_print_job = [&] {
        steps.push_back("pad");
        return 0;
    };
    shell_settings().set_word(gx_settings::kCoverOnFullPrint, 1);
    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    EXPECT_EQ(steps, (std::vector<std::string>{"list 2", "list 0", "pad", "list 1"}));
    EXPECT_FALSE(document_state().busy);

    shell_settings().set_word(gx_settings::kPrinterKind, 4);
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kPrinterSetupCommand));
    EXPECT_EQ(last_box().text, message(gx_message::kPrintManagerOnly));
}

}  // namespace
