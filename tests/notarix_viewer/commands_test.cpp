// The command dispatcher and paging on documents the converters made:
// opening from the file menu and the recent files, the page buttons and
// F1-F5, the refusals with their messages, and the menus' grey states.
#include <gtest/gtest.h>

#include "common/text/file_names.h"
#include "common/shell/recent_files.h"
#include "notarix/viewer/page_view.h"
#include "platform/kernel/file_io.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// "【 ソースリスト表示 】", "ファイル読み込み"
const std::string kSourceListCaption =
    "\x81\x79 \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\x5c\x8e\xa6 \x81\x7a";
const std::string kReadFileCaption = "\x83t\x83@\x83\x43\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";
// "非連動[F5]", "連動[F5]"
const std::string kUnlinked = "\x94\xf1\x98\x41\x93\xae[F5]";
const std::string kLinked = "\x98\x41\x93\xae[F5]";

class CommandsTest : public NotarixTest {
protected:
    // The generated "headed" document (six functions), opened from the menu.
    void open_headed() {
        source = generate("headed");
        lin = dir.path("headed.lin");
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_through_menu(lin));
        ASSERT_TRUE(document_state().loaded);
        ASSERT_EQ(document_state().page_count, 6);
    }
    std::string counter() const { return text_of(shell().counter_box); }
    bool enabled(int id) const { return IsWindowEnabled(button(id)) != FALSE; }
    int page() const { return document_state().current_page; }

    std::string source, lin;
};

TEST_F(CommandsTest, OpeningFromTheFileMenuShowsTheFirstPage) {
    open_headed();
    EXPECT_EQ(text_of(frame()), "headed.c - NOTARIX");
    EXPECT_EQ(counter(), "   1/6   ");
    EXPECT_FALSE(text_of(shell().title_box).empty());
    EXPECT_EQ(text_of(shell().title_box), page_title_for_box(document_state().page_title));
    EXPECT_TRUE(enabled(kNextButtonId));
    EXPECT_TRUE(enabled(kLastButtonId));
    EXPECT_FALSE(enabled(kFirstButtonId));
    EXPECT_FALSE(enabled(kPreviousButtonId));
    EXPECT_TRUE(enabled(kLinkButtonId));
    EXPECT_EQ(text_of(button(kLinkButtonId)), kLinked);
    for (int position = 0; position < kPopupCount; ++position) EXPECT_FALSE(popup_greyed(position)) << position;
    EXPECT_FALSE(item_greyed(20484));
    // the chosen name heads the recent files, lower-cased, and has a menu item
    std::string lowered = lin;
    for (char& c : lowered) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    EXPECT_EQ(recent_file(shell_settings(), 0), lowered);
    EXPECT_NE(automation::menu_item_state(4102), static_cast<UINT>(-1));
}

TEST_F(CommandsTest, PagingWithButtonsAndFunctionKeys) {
    open_headed();
    ASSERT_TRUE(automation::press_control(shell().control_bar, kNextButtonId));
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(counter(), "   2/6   ");
    EXPECT_TRUE(enabled(kFirstButtonId));
    EXPECT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(automation::press_key("F4"));
    EXPECT_EQ(page(), 5);
    EXPECT_EQ(counter(), "   6/6   ");
    EXPECT_FALSE(enabled(kNextButtonId));
    EXPECT_FALSE(enabled(kLastButtonId));
    EXPECT_TRUE(automation::press_key("F2"));
    EXPECT_EQ(page(), 4);
    EXPECT_TRUE(automation::press_key("F3"));
    EXPECT_EQ(page(), 0);
    // the keys reach the page view through the accelerators, also when the
    // button itself is disabled: the refusal beeps and says why
    const size_t beeps = automation::beeps().size();
    EXPECT_TRUE(automation::press_key("F2"));
    EXPECT_EQ(page(), 0);
    EXPECT_EQ(automation::status_text(), message(603));
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    jump_end_page(kLastPage);
    EXPECT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(automation::status_text(), message(604));
    // the keyboard focus is back on the page view after a button
    ASSERT_TRUE(automation::press_control(shell().control_bar, kFirstButtonId));
    EXPECT_EQ(GetFocus(), shell().chart);
}

TEST_F(CommandsTest, PageCommandsWithoutMenuItems) {
    open_headed();
    SendMessageA(frame(), WM_COMMAND, kLastPageCommand, 0);
    EXPECT_EQ(page(), 5);
    SendMessageA(frame(), WM_COMMAND, kPreviousPageCommand, 0);
    EXPECT_EQ(page(), 4);
    SendMessageA(frame(), WM_COMMAND, kFirstPageCommand, 0);
    EXPECT_EQ(page(), 0);
    SendMessageA(frame(), WM_COMMAND, kNextPageCommand, 0);
    EXPECT_EQ(page(), 1);
    SendMessageA(frame(), WM_COMMAND, kLinkCommand, 0);
    EXPECT_FALSE(document_state().linked_mode);
    EXPECT_EQ(text_of(button(kLinkButtonId)), kUnlinked);
}

TEST_F(CommandsTest, LinkButtonFlipsUnlessThePreviewIsOpen) {
    open_headed();
    EXPECT_TRUE(automation::press_key("F5"));
    EXPECT_FALSE(document_state().linked_mode);
    EXPECT_EQ(text_of(button(kLinkButtonId)), kUnlinked);
    shell().owned.preview = frame();  // any window stands for the preview
    SetFocus(shell().title_box);
    EXPECT_TRUE(automation::press_key("F5"));
    EXPECT_FALSE(document_state().linked_mode);
    EXPECT_EQ(GetFocus(), shell().title_box);
    shell().owned.preview = nullptr;
}

TEST_F(CommandsTest, CancelledOpenChangesNothing) {
    ASSERT_TRUE(start());
    automation::cancel_next_common_dialog();
    automation::choose_menu_command(kOpenCommand);
    EXPECT_EQ(recent_file_count(shell_settings()), 0);
    EXPECT_TRUE(document_state().file_name.empty());
    EXPECT_EQ(automation::menu_item_state(4102), static_cast<UINT>(-1));
}

TEST_F(CommandsTest, SourceWithoutDocumentAsksForAGeneration) {
    write_raw(dir.path("lone.c"), "int f(void) { return 0; }\n");
    ASSERT_TRUE(start());
    int runs = 0;
    command_state().entry.run_generation = [&runs] {
        ++runs;
        return -1;
    };
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(open_through_menu(dir.path("lone.c")));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(118) + "\n" + message(504));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(document_state().loaded);
    EXPECT_EQ(file_part(document_state().file_name), "lone.lin");
    // the name is chosen: generation and the editor are there, the view is not
    EXPECT_FALSE(item_greyed(20484));
    EXPECT_TRUE(popup_greyed(kViewPopup));
    EXPECT_EQ(text_of(frame()), "lone.c - NOTARIX");

    // paging shows why nothing is there
    automation::press_key("F1");
    EXPECT_EQ(automation::status_text(), message(118));
}

TEST_F(CommandsTest, CppSourceWithNewerDocumentOpensAtOnce) {
    source = generate("headed");
    write_raw(dir.path("twin.cpp"), read_raw(source));
    // the document must not be older than the source
    write_raw(dir.path("twin.lin"), read_raw(dir.path("headed.lin")));
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_through_menu(dir.path("twin.cpp")));
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_TRUE(document_state().loaded);
    EXPECT_EQ(document_state().source_extension, ".cpp");
    EXPECT_EQ(text_of(frame()), "twin.cpp - NOTARIX");
}

TEST_F(CommandsTest, NeitherFileExistsRefusesWithMessage106) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_through_menu(dir.path("gone.c")));
    EXPECT_EQ(automation::status_text().rfind(message(106) + "[", 0), 0u);
    EXPECT_FALSE(automation::beeps().empty());
    EXPECT_TRUE(document_state().file_name.empty());
    EXPECT_EQ(recent_file_count(shell_settings()), 0) << "what opened nothing is no recent file";
    EXPECT_EQ(automation::menu_item_state(4102), static_cast<UINT>(-1));
}

TEST_F(CommandsTest, DeletedRecentFileShowsMessage100AndKeepsTheList) {
    open_headed();
    std::remove(lin.c_str());
    std::remove(source.c_str());
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(4102));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kReadFileCaption);
    EXPECT_EQ(automation::message_boxes()[0].text.rfind(message(100) + "\n", 0), 0u);
    EXPECT_EQ(recent_file_count(shell_settings()), 1);
    EXPECT_TRUE(document_state().loaded);  // the open document stays
}

TEST_F(CommandsTest, RecentFileOpensTheDocumentAgain) {
    open_headed();
    jump_end_page(kLastPage);
    ASSERT_TRUE(automation::choose_menu_command(4102));
    EXPECT_TRUE(document_state().loaded);
    EXPECT_EQ(page(), 0);
}

TEST_F(CommandsTest, DocumentWithoutPagesRefusesPagingAndDisablesTheButtons) {
    write_raw(dir.path("empty.c"), "");
    write_raw(dir.path("empty.lin"), " [JOV:LIN:V1.00 \nOV:3\nZO:\nOV:4\n");
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_through_menu(dir.path("empty.lin")));
    ASSERT_TRUE(document_state().loaded);
    EXPECT_EQ(document_state().page_count, 0);
    for (int id = kNextButtonId; id <= kLastButtonId; ++id) EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(automation::status_text(), message(604));
    EXPECT_TRUE(automation::press_key("F2"));
    EXPECT_EQ(automation::status_text(), message(603));
}

TEST_F(CommandsTest, ChosenButNotLoadedShowsMessage118) {
    ASSERT_TRUE(start());
    document_state().file_name = dir.path("x.lin");
    set_document_menus(1);  // as after a run that left no document
    document_state().loaded = false;
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(12289);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kSourceListCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(118));
}

TEST_F(CommandsTest, RefusalsOfTheGenerationMenu) {
    ASSERT_TRUE(start());
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(20488);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(505));
    shell().batch_list_name = "*.nam";
    automation::answer_next_message_box(IDOK);
    automation::choose_menu_command(20487);
    ASSERT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(automation::message_boxes()[1].text, message(510));
}

TEST_F(CommandsTest, EditorStartsInItsDirectory) {
    ASSERT_TRUE(start());
    shell_settings().set_text(nx_settings::kEditorPath, "\"c:\\tools\\ed.exe\"");
    automation::choose_menu_command(8195);  // greyed without a document
    EXPECT_TRUE(automation::shell_calls().empty());
    dispatch_menu_command(frame(), 8195);
    ASSERT_EQ(automation::shell_calls().size(), 1u);
    EXPECT_EQ(automation::shell_calls()[0].file, "ed.exe");
    EXPECT_EQ(automation::shell_calls()[0].directory, "c:\\tools");
    shell_settings().set_text(nx_settings::kEditorPath, "notepad.exe");
    dispatch_menu_command(frame(), 8195);
    ASSERT_EQ(automation::shell_calls().size(), 2u);
    EXPECT_EQ(automation::shell_calls()[1].file, "notepad.exe");
    EXPECT_EQ(automation::shell_calls()[1].directory, "");
}

TEST_F(CommandsTest, HelpAndExit) {
    ASSERT_TRUE(start());
    automation::answer_next_message_box(IDOK);  // no help file here: the box says so
    automation::choose_menu_command(28673);
    ASSERT_FALSE(automation::help_calls().empty());
    EXPECT_NE(automation::message_boxes().back().text.find("nx1000s.hlp"), std::string::npos);
    EXPECT_EQ(automation::help_calls().back().command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(file_part(automation::help_calls().back().file), "nx1000s.hlp");
    automation::choose_menu_command(4099);
    EXPECT_TRUE(automation::quit_received());
    EXPECT_TRUE(IsWindow(frame()));  // ends without the frame's close handling
}

TEST_F(CommandsTest, BusyStateAfterADocumentEnablesItAgain) {
    open_headed();
    set_busy_state(0);
    EXPECT_FALSE(automation::press_control(shell().control_bar, kNextButtonId));
    EXPECT_FALSE(IsWindowEnabled(shell().chart));
    set_busy_state(1);
    EXPECT_TRUE(IsWindowEnabled(shell().chart));
    EXPECT_FALSE(popup_greyed(kPrintPopup));
    EXPECT_TRUE(enabled(kNextButtonId));
    EXPECT_FALSE(enabled(kPreviousButtonId));
}

// The printer and font dialogs serve the print manager only: another
// printer kind gets message 306 under the command's caption.
TEST_F(CommandsTest, PrinterAndFontDialogsOnlyForThePrintManager) {
    ASSERT_TRUE(start());
    shell_settings().set_word(nx_settings::kPrinterKind, 3);
    automation::answer_next_message_box(IDOK);
    dispatch_menu_command(frame(), 24578);
    automation::answer_next_message_box(IDOK);
    dispatch_menu_command(frame(), 24579);
    ASSERT_EQ(automation::message_boxes().size(), 2u);
    // "【 プリンタ設定 】", "【 フォント選択 】"
    EXPECT_EQ(automation::message_boxes()[0].caption, "\x81y \x83v\x83\x8a\x83\x93\x83^\x90\xdd\x92\xe8 \x81z");
    EXPECT_EQ(automation::message_boxes()[1].caption, "\x81y \x83t\x83H\x83\x93\x83g\x91I\x91\xf0 \x81z");
    EXPECT_EQ(automation::message_boxes()[0].text, message(306));
    EXPECT_TRUE(automation::common_dialogs().empty());

    shell_settings().set_word(nx_settings::kPrinterKind, 1);
    automation::answer_next_printer_dialog(false);
    dispatch_menu_command(frame(), 24578);
    automation::cancel_next_common_dialog();
    dispatch_menu_command(frame(), 24579);
    ASSERT_EQ(automation::common_dialogs().size(), 2u);
    EXPECT_EQ(automation::common_dialogs()[0].kind, automation::CommonDialogKind::printer);
    EXPECT_EQ(automation::common_dialogs()[1].kind, automation::CommonDialogKind::font);
    EXPECT_EQ(automation::message_boxes().size(), 2u);
}

}  // namespace
