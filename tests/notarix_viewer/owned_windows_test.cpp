// The windows the frame owns, wired into the running program: the source
// list following the pages, the error and summary windows on their
// commands, the progress meter's class, and their ends when another
// document is opened or the frame closes. Also a document with a bad header
// opened from the file menu.
#include <gtest/gtest.h>

#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/source_list.h"
#include "platform/kernel/file_io.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// "生成エラー表示", "一括生成エラー表示", "関数ｻﾏﾘｰ"
const std::string kErrorTitle = "\x90\xb6\x90\xac\x83\x47\x83\x89\x81\x5b\x95\x5c\x8e\xa6";
const std::string kBatchErrorTitle = "\x88\xea\x8a\x87" + kErrorTitle;
const std::string kSummaryTitle = "\x8a\xd6\x90\x94\xbb\xcf\xd8\xb0";

class OwnedWindowsTest : public NotarixTest {
protected:
    void open_headed() {
        generate("headed");
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
        ASSERT_TRUE(document_state().loaded);
        ASSERT_EQ(document_state().page_count, 6);
    }

    int tag(int page) const { return document_state().pages[static_cast<size_t>(page)].tag; }
    // The list row the current source line is marked at.
    int marked_row() const { return (document_state().current_source_line - 1 - source_list().top) * 15; }

    // Opens the source list, the error window and the summary window.
    void open_three() {
        command_state().single_run_left_errors = true;
        write_raw(program.path("nx1000.err"), "E1\n");
        ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
        ASSERT_TRUE(automation::choose_menu_command(kShowGenerationErrorsCommand));
        ASSERT_TRUE(automation::choose_menu_command(kSummaryCommand));
        source_view = source_list().view;
        error_view = generation_error_window().window();
        summary_view = summary_window().window();
        ASSERT_TRUE(IsWindow(source_view));
        ASSERT_TRUE(IsWindow(error_view));
        ASSERT_TRUE(IsWindow(summary_view));
    }

    HWND source_view = nullptr;
    HWND error_view = nullptr;
    HWND summary_view = nullptr;
};

TEST_F(OwnedWindowsTest, BadDocumentHeadersFromTheFileMenuAreShownAndTheProgramGoesOn) {
    write_raw(dir.path("junk.lin"), "not a document\nZC:\n");
    write_raw(dir.path("later.lin"), " [JOV:LIN:V2.00 \nZC:\n");
    ASSERT_TRUE(start());

    // neither has a source to make it again from: each is told, and how
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(open_through_menu(dir.path("junk.lin")));
    EXPECT_EQ(automation::status_text(), message(205));
    EXPECT_FALSE(document_state().loaded);
    EXPECT_TRUE(popup_greyed(kViewPopup));

    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(open_through_menu(dir.path("later.lin")));
    EXPECT_EQ(automation::status_text(), message(1));
    EXPECT_FALSE(document_state().loaded);
    const auto boxes = automation::message_boxes();
    ASSERT_EQ(boxes.size(), 2u);
    // the names as the open dialog gives them (lower-cased)
    const auto named = [this](const char* file) {
        std::string name = dir.path(file);
        to_lower_ascii(name);
        return name;
    };
    EXPECT_EQ(boxes[0].text, message(205) + "\n" + format_text(message(101).c_str(), named("junk.lin").c_str()));
    EXPECT_EQ(boxes[1].text, message(1) + "\n" + format_text(message(101).c_str(), named("later.lin").c_str()));
    EXPECT_TRUE(IsWindow(frame()));
    EXPECT_FALSE(automation::quit_received());

    // a good document still opens afterwards
    generate("headed");
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    EXPECT_TRUE(document_state().loaded);
    EXPECT_EQ(text_of(shell().counter_box), "   1/6   ");
}

TEST_F(OwnedWindowsTest, SourceListOpensOnItsCommandAndFollowsThePages) {
    open_headed();
    EXPECT_TRUE(document_state().source_loaded);
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    const SourceListState& s = source_list();
    ASSERT_TRUE(source_list_open());
    EXPECT_EQ(GetWindow(s.view, GW_OWNER), frame());
    EXPECT_EQ(s.font, shell().list_font);
    EXPECT_GT(s.text.count(), 1);
    EXPECT_EQ(document_state().current_source_line, tag(0));
    EXPECT_GT(tag(0), 0);
    EXPECT_EQ(s.list_marker_row, marked_row());

    // a second command does not make a second window
    const HWND view = s.view;
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    EXPECT_EQ(s.view, view);

    ASSERT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(document_state().current_source_line, tag(1));
    EXPECT_EQ(s.search_start, tag(1));
    EXPECT_EQ(s.list_marker_row, marked_row());
    ASSERT_TRUE(automation::press_key("F4"));
    EXPECT_EQ(document_state().current_source_line, tag(5));
    EXPECT_EQ(s.list_marker_row, marked_row());

    // the busy state disables it with the page view
    set_busy_state(0);
    EXPECT_FALSE(IsWindowEnabled(s.view));
    set_busy_state(1);
    EXPECT_TRUE(IsWindowEnabled(s.view));

    // closed by its own button, it opens again on the command (the click
    // lands on whatever is topmost at the button's place)
    BringWindowToTop(s.view);
    ASSERT_TRUE(automation::press_control(s.control, kCloseSourceButtonId));
    EXPECT_FALSE(source_list_open());
    EXPECT_FALSE(IsWindow(view));
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    EXPECT_TRUE(source_list_open());
    EXPECT_EQ(s.list_marker_row, marked_row());
}

TEST_F(OwnedWindowsTest, LinkToggleStopsFollowingAndMarksThePageLineWhenOnAgain) {
    open_headed();
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    const SourceListState& s = source_list();
    ASSERT_NE(tag(0), tag(2));

    ASSERT_TRUE(automation::press_key("F5"));
    EXPECT_FALSE(document_state().linked_mode);
    ASSERT_TRUE(automation::press_key("F1"));
    ASSERT_TRUE(automation::press_key("F1"));
    EXPECT_EQ(document_state().current_page, 2);
    EXPECT_EQ(document_state().current_source_line, tag(0));  // left where it was

    // on again: the current page's line at once
    ASSERT_TRUE(automation::press_key("F5"));
    EXPECT_TRUE(document_state().linked_mode);
    EXPECT_EQ(document_state().current_source_line, tag(2));
    EXPECT_EQ(s.list_marker_row, marked_row());

    // the menu's link command does the same and checks its item
    dispatch_menu_command(frame(), kLinkCommand);
    EXPECT_FALSE(document_state().linked_mode);
    dispatch_menu_command(frame(), kLinkCommand);
    EXPECT_TRUE(document_state().linked_mode);
    EXPECT_TRUE(automation::menu_item_state(kLinkCommand) & MF_CHECKED);
}

TEST_F(OwnedWindowsTest, ErrorWindowListsTheRunsErrorFileAndReloadsInPlace) {
    ASSERT_TRUE(start());
    command_state().single_run_left_errors = true;
    document_state().file_name = dir.path("x.lin");
    set_document_menus(0);  // a chosen name enables the command
    write_raw(program.path("nx1000.err"), "first error\n\nthird line\n");
    ASSERT_TRUE(automation::choose_menu_command(kShowGenerationErrorsCommand));
    ListWindow& w = generation_error_window();
    ASSERT_TRUE(w.is_open());
    EXPECT_EQ(GetWindow(w.window(), GW_OWNER), frame());
    EXPECT_EQ(text_of(w.window()), kErrorTitle);
    EXPECT_EQ(automation::control_items(w.list()), (std::vector<std::string>{"first error", "", "third line"}));

    // the command again shows the new file in the same window
    const HWND window = w.window();
    write_raw(program.path("nx1000.err"), "only one\n");
    ASSERT_TRUE(automation::choose_menu_command(kShowGenerationErrorsCommand));
    EXPECT_EQ(w.window(), window);
    EXPECT_EQ(automation::control_items(w.list()), std::vector<std::string>{"only one"});

    // the batch run's file in the batch form
    command_state().batch_run_left_errors = true;
    write_raw(program.path("nx1000.erl"), "batch 1\nbatch 2\n");
    dispatch_menu_command(frame(), kShowBatchErrorsCommand);
    EXPECT_EQ(w.window(), window);
    EXPECT_EQ(text_of(window), kBatchErrorTitle);
    EXPECT_EQ(automation::control_items(w.list()), (std::vector<std::string>{"batch 1", "batch 2"}));
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(OwnedWindowsTest, SummaryWindowListsTheDocumentsSummaryFile) {
    open_headed();
    const std::string fsm = dir.path("headed.fsm");
    ASSERT_TRUE(crt_exists(fsm.c_str()));
    ASSERT_TRUE(automation::choose_menu_command(kSummaryCommand));
    ListWindow& w = summary_window();
    ASSERT_TRUE(w.is_open());
    EXPECT_EQ(file_part(w.file_name()), "headed.fsm");
    EXPECT_EQ(text_of(w.window()), kSummaryTitle);
    const std::vector<std::string> items = automation::control_items(w.list());
    EXPECT_FALSE(items.empty());
    EXPECT_EQ(items, list_items_of(read_raw(fsm)));

    // open already: the command does nothing, not even a reload
    const HWND window = w.window();
    write_raw(fsm, "changed\n");
    ASSERT_TRUE(automation::choose_menu_command(kSummaryCommand));
    EXPECT_EQ(w.window(), window);
    EXPECT_EQ(automation::control_items(w.list()), items);
}

TEST_F(OwnedWindowsTest, OpeningAnotherDocumentDestroysTheDocumentWindows) {
    open_headed();
    open_three();
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    EXPECT_TRUE(document_state().loaded);
    EXPECT_FALSE(IsWindow(source_view));
    EXPECT_FALSE(IsWindow(error_view));
    EXPECT_FALSE(IsWindow(summary_view));
    EXPECT_FALSE(source_list_open());
    EXPECT_FALSE(generation_error_window().is_open());
    EXPECT_FALSE(summary_window().is_open());
    // and each opens again
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    EXPECT_TRUE(source_list_open());
    EXPECT_EQ(source_list().list_marker_row, marked_row());
}

TEST_F(OwnedWindowsTest, ClosingTheFrameDestroysTheOpenOwnedWindows) {
    open_headed();
    open_three();
    // one already closed by its own button is passed over
    ASSERT_TRUE(automation::press_control(summary_window().bar(), kListCloseButtonId));
    EXPECT_FALSE(summary_window().is_open());
    automation::close_window(frame());
    EXPECT_FALSE(IsWindow(frame()));
    EXPECT_FALSE(IsWindow(source_view));
    EXPECT_FALSE(IsWindow(error_view));
    EXPECT_FALSE(source_list_open());
    EXPECT_FALSE(generation_error_window().is_open());
    EXPECT_TRUE(automation::quit_received());
}

TEST_F(OwnedWindowsTest, ProgressMeterIsCentredOverTheFrameInTheDialogFont) {
    ASSERT_TRUE(start());
    open_progress_meter(frame(), "title", "line 1", "line 2");
    ProgressMeter& meter = progress_meter();
    ASSERT_TRUE(meter.open);
    ASSERT_TRUE(IsWindow(meter.window));
    const RECT f = window_rect(frame());
    const RECT m = window_rect(meter.window);
    EXPECT_NEAR(m.left - f.left, f.right - m.right, 1);
    EXPECT_NEAR(m.top - f.top, f.bottom - m.bottom, 1);
    // its cancel sets the document's abort flag
    ASSERT_TRUE(automation::press_control(meter.window, kMeterCancelId));
    EXPECT_TRUE(document_state().abort);
    EXPECT_FALSE(meter.open);
}

}  // namespace
