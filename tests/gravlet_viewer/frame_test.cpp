// GRAVLET's start-up and frame: the failures of start-up with their boxes
// and exit codes, the frame, its control bar and menus without and with a
// PAD, the function buttons and F1-F5 with their refusals at either end,
// the nest-level ruler and its toggle, and closing while busy.
#include <string>
#include <vector>

#include "common/viewer/source_list.h"
#include "gravlet/pad/messages.h"
#include "gravlet_fixture.h"
#include "platform/gdi/drawing_log.h"

namespace {

// ＧＲＡＶＬＥＴ in its brackets
const char kProgramCaption[] = "\x81y \x82\x66\x82q\x82`\x82u\x82k\x82\x64\x82s \x81z";
// " 次関数[F1] ", "  連動[F5]  " as created; "連動[F5]", "非連動[F5]" as labelled
const char kNextLabel[] = " \x8e\x9f\x8a\xd6\x90\x94[F1] ";
const char kLinkedLabel[] = "\x98\x41\x93\xae[F5]";
const char kUnlinkedLabel[] = "\x94\xf1\x98\x41\x93\xae[F5]";

class FrameTest : public GravletTest {};

TEST_F(FrameTest, WithoutItsSettingsFileTheProgramEndsWithMinusThree) {
    crt_remove(program.path("gx1000s.prm").c_str());
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, kGravletExitSettingsUnreadable);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kProgramCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(105) + "\ngx1000s.prm");
    EXPECT_EQ(shell().chart, nullptr) << "no child window was made";
}

TEST_F(FrameTest, ASettingsFileOfAnotherKindEndsWithMinusFour) {
    std::vector<uint8_t> bytes = build_standard_settings(kGravletSettings);
    bytes[0] = 'N';
    write_settings(bytes);
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, kGravletExitSettingsWrongVersion);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(104));

    automation::reset();
    write_settings({});  // read, but nothing in it
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, kGravletExitSettingsUnreadable);
}

TEST_F(FrameTest, TheFrameWithoutADocument) {
    ASSERT_TRUE(start());
    EXPECT_EQ(automation::window_text(frame()), "GRAVLET");
    RECT r{};
    GetWindowRect(frame(), &r);
    EXPECT_EQ(r.right - r.left, 880);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(automation::window_text(button(kNextButtonId)), kNextLabel);
    for (int position : {kEditPopup, kViewPopup, kSettingsPopup, kPrintPopup, kOutputPopup})
        EXPECT_TRUE(popup_greyed(position)) << position;
    for (int position : {kFilePopup, kGenerationPopup, kHelpPopup}) EXPECT_FALSE(popup_greyed(position)) << position;
    EXPECT_FALSE(IsWindowEnabled(button(kNextButtonId)));
    EXPECT_FALSE(IsWindowEnabled(chart()));
    EXPECT_EQ(automation::menu_item_state(kRulerCommand) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(automation::window_text(shell().title_box), "");
    EXPECT_EQ(automation::window_text(shell().counter_box), "");
    EXPECT_EQ(automation::status_text(), message(gx_message::kChooseFile)) << "the TEXT box's kept text";
}

TEST_F(FrameTest, AThreeFunctionPadPagesWithButtonsAndKeys) {
    open_generated("sample.c");
    DocumentState& doc = document_state();
    EXPECT_EQ(automation::window_text(frame()), "sample.c - GRAVLET");
    EXPECT_EQ(doc.page_count, 3);
    EXPECT_EQ(automation::window_text(shell().counter_box), "   1/3   ");
    EXPECT_EQ(automation::window_text(shell().title_box), "count_empty counts the items that are out of stock")
        << "the head row without its '@'";
    EXPECT_TRUE(IsWindowEnabled(button(kNextButtonId)));
    EXPECT_TRUE(IsWindowEnabled(button(kLastButtonId)));
    EXPECT_FALSE(IsWindowEnabled(button(kPreviousButtonId)));
    EXPECT_FALSE(IsWindowEnabled(button(kFirstButtonId)));
    for (int position = 0; position < kPopupCount; ++position) EXPECT_FALSE(popup_greyed(position)) << position;

    automation::press_key("F2");
    EXPECT_EQ(automation::status_text(), message(603));
    EXPECT_EQ(automation::beeps().size(), 1u);
    automation::press_key("F1");
    EXPECT_EQ(doc.current_page, 1);
    EXPECT_EQ(automation::window_text(shell().counter_box), "   2/3   ");
    EXPECT_EQ(automation::window_text(shell().title_box), "take_item takes one item of a kind");
    EXPECT_TRUE(IsWindowEnabled(button(kPreviousButtonId)));
    automation::press_key("F4");
    EXPECT_EQ(doc.current_page, 2);
    EXPECT_FALSE(IsWindowEnabled(button(kNextButtonId)));
    EXPECT_FALSE(IsWindowEnabled(button(kLastButtonId)));
    automation::press_key("F1");
    EXPECT_EQ(automation::status_text(), message(604));
    EXPECT_EQ(automation::beeps().size(), 2u);
    EXPECT_EQ(doc.current_page, 2);
    automation::press_key("F3");
    EXPECT_EQ(doc.current_page, 0);

    EXPECT_EQ(automation::window_text(button(kLinkButtonId)), kLinkedLabel);
    automation::press_key("F5");
    EXPECT_FALSE(doc.linked_mode);
    EXPECT_EQ(automation::window_text(button(kLinkButtonId)), kUnlinkedLabel);
    automation::press_key("F5");
    EXPECT_TRUE(doc.linked_mode);
}

TEST_F(FrameTest, HidingTheRulerMovesTheViewUp) {
    open_generated("sample.c");
    RECT before{}, after{};
    GetWindowRect(chart(), &before);
    ASSERT_TRUE(automation::choose_menu_command(kRulerCommand));
    GetWindowRect(chart(), &after);
    EXPECT_EQ(after.top, before.top - 12);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_FALSE(IsWindowVisible(shell().ruler));
    EXPECT_EQ(automation::menu_item_state(kRulerCommand) & MF_CHECKED, 0u);
    ASSERT_TRUE(automation::choose_menu_command(kRulerCommand));
    GetWindowRect(chart(), &after);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(IsWindowVisible(shell().ruler));
}

TEST_F(FrameTest, TheRulerMarksTheEndOfEachNestingLevel) {
    use_setting(gx_settings::kScreenLevelWidth, 8);
    open_generated("sample.c");
    clear_drawing_log();
    InvalidateRect(shell().ruler, nullptr, TRUE);
    automation::run_until_idle();
    std::vector<int> dividers;
    std::vector<std::string> labels;
    for (const DrawingLogEntry& e : drawing_log_entries_for_window(shell().ruler)) {
        if (e.op == "LineTo" && e.logical.size() == 2 && e.logical[0].x == e.logical[1].x &&
            e.logical[0].y == 1)
            dividers.push_back(e.logical[0].x);
        if (e.op == "TextOutA") labels.push_back(e.text);
    }
    // q 0, M 10, L 8: grey at x - 1, white at x, x = 63 + 112 i
    ASSERT_GE(dividers.size(), 4u);
    EXPECT_EQ(dividers[0], 62);
    EXPECT_EQ(dividers[1], 63);
    EXPECT_EQ(dividers[3], 63 + 112);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[0], "1");
    EXPECT_EQ(labels[1], "2");
}

TEST_F(FrameTest, ClosingWhileBusyDoesNothingElseItClosesTheOwnedWindows) {
    open_generated("sample.c");
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    ASSERT_TRUE(source_list_open());
    set_busy_state(0);
    SendMessageA(frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(frame()));
    EXPECT_TRUE(popup_greyed(kFilePopup));
    set_busy_state(1);
    EXPECT_FALSE(popup_greyed(kViewPopup));
    SendMessageA(frame(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(source_list_open());
    EXPECT_FALSE(IsWindow(frame()));
}

}  // namespace
