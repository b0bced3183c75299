// Start-up, the frame and its children, placement, the busy state and the
// menus' grey states before a document is open.
#include <gtest/gtest.h>

#include "common/shell/window_placement.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/source_list.h"
#include "platform/kernel/file_io.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// "【 ＮＯＴＡＲＩＸ 】"
const std::string kCaption = "\x81\x79 \x82\x6d\x82\x6e\x82\x73\x82\x60\x82\x71\x82\x68\x82\x77 \x81\x7a";

using FrameTest = NotarixTest;

TEST_F(FrameTest, WithoutSettingsFileEndsWithMessage105AndMinus3) {
    std::remove(program.path("nx1000s.prm").c_str());
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, -3);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(105) + "\nnx1000s.prm");
    EXPECT_FALSE(IsWindowVisible(frame()));
}

TEST_F(FrameTest, WrongSignatureEndsWithMessage104AndMinus4) {
    std::vector<uint8_t> bytes = build_standard_settings(kNotarixSettings);
    bytes[0] = 'X';
    write_settings(bytes);
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, -4);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(104));
    EXPECT_FALSE(IsWindowVisible(frame()));
    // the exit steps ran: the help file was told to quit
    ASSERT_FALSE(automation::help_calls().empty());
    EXPECT_EQ(automation::help_calls().back().command, static_cast<UINT>(HELP_QUIT));
}

TEST_F(FrameTest, WrongVersionAlsoGivesMessage104) {
    std::vector<uint8_t> bytes = build_standard_settings(kNotarixSettings);
    bytes[5] = '1';  // "1.01"
    write_settings(bytes);
    automation::answer_next_message_box(IDOK);
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, -4);
}

TEST_F(FrameTest, StartsAtTheDefaultPlacementWithItsChildren) {
    ASSERT_TRUE(start());
    const RECT r = window_rect(frame());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 880);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_TRUE(IsWindowVisible(frame()));
    EXPECT_EQ(text_of(frame()), "NOTARIX");
    EXPECT_EQ(automation::status_text(), message(117));

    RECT client{};
    GetClientRect(frame(), &client);
    RECT chart{};
    GetWindowRect(shell().chart, &chart);
    POINT chart_origin{chart.left, chart.top};
    ScreenToClient(frame(), &chart_origin);
    EXPECT_EQ(chart_origin.y, 35);
    EXPECT_EQ(chart.bottom - chart.top, client.bottom - 23 - 12 - 19);
    EXPECT_EQ(window_rect(shell().control_bar).bottom - window_rect(shell().control_bar).top, 23);
    EXPECT_EQ(window_rect(shell().title_box).right - window_rect(shell().title_box).left, client.right - 456);
    EXPECT_EQ(text_of(button(kFirstButtonId)), "\x90\xe6\x93\xaa\x8a\xd6\x90\x94[F3]");  // 先頭関数[F3]

    // KRT names the program directory, lower-cased
    std::string lowered = program.path();
    for (char& c : lowered) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    EXPECT_EQ(std::string(crt_getenv("KRT")), lowered);
    EXPECT_EQ(document_state().program_directory, lowered);
}

TEST_F(FrameTest, PlacementComesFromTheRegistryAndIsSavedOnMoveAndSize) {
    save_window_placement(kNotarixPlacement, kMainWindow, {30, 40, 700, 500}, false);
    ASSERT_TRUE(start());
    RECT r = window_rect(frame());
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 500);

    MoveWindow(frame(), 50, 60, 800, 550, TRUE);
    WindowPlacement saved;
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{50, 60, 800, 550}));

    ASSERT_TRUE(automation::resize_window(frame(), 640, 480));
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{50, 60, 640, 480}));

    // a maximised frame's size is not kept (its move is)
    ShowWindow(frame(), SW_MAXIMIZE);
    automation::run_until_idle();
    save_window_placement(kNotarixPlacement, kMainWindow, {1, 2, 3, 4}, false);
    SendMessageA(frame(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1016, 700));
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{1, 2, 3, 4}));
}

TEST_F(FrameTest, TheFrameStartsWhereThePersonLeftIt) {
    save_window_placement(kNotarixPlacement, kMainWindow, {30, 40, 700, 500}, false);
    ASSERT_TRUE(start());
    // moved by its caption, sized by a corner and a border, closed by its close box
    ASSERT_TRUE(automation::frame_drag(frame(), HTCAPTION, 70, 50));
    ASSERT_TRUE(automation::frame_drag(frame(), HTBOTTOMRIGHT, 100, 60));
    ASSERT_TRUE(automation::frame_drag(frame(), HTTOP, 0, -30));
    WindowPlacement saved;
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{100, 60, 800, 590}));
    ASSERT_TRUE(automation::frame_click(frame(), HTCLOSE));
    int code = -1;
    EXPECT_TRUE(automation::quit_received(&code));
    EXPECT_EQ(code, 0);
    finish_notarix();
    started = false;
    automation::reset();
    ASSERT_TRUE(start());
    const RECT r = window_rect(frame());
    EXPECT_EQ((WindowPlacement{r.left, r.top, r.right - r.left, r.bottom - r.top}), saved);
    EXPECT_FALSE(automation::failed());
}

TEST_F(FrameTest, AFrameLeftHalfHighByTheSourceListIsSizedBackByHand) {
    generate("headed");
    ASSERT_TRUE(start());
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
    ASSERT_TRUE(automation::press(source_list().buttons[1]));  // "並べて表示"
    const RECT tiled = window_rect(frame());
    ASSERT_EQ(tiled.bottom - tiled.top, 412);
    // the source list covers its bottom border but for the corner at the right
    EXPECT_FALSE(automation::frame_drag(frame(), HTBOTTOM, 0, 288));
    ASSERT_TRUE(automation::frame_drag(frame(), HTBOTTOMRIGHT, 0, 288));
    WindowPlacement saved;
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, saved), 0);
    EXPECT_EQ(saved.height, 700);
    ASSERT_TRUE(automation::frame_click(frame(), HTMAXBUTTON));
    EXPECT_TRUE(IsZoomed(frame()));
    EXPECT_EQ(window_rect(frame()).bottom, 768 + 4);
}

TEST_F(FrameTest, NarrowFrameKeepsTheTitleBoxWidth) {
    save_window_placement(kNotarixPlacement, kMainWindow, {0, 0, 500, 400}, false);
    ASSERT_TRUE(start());
    EXPECT_EQ(window_rect(shell().title_box).right - window_rect(shell().title_box).left, 408);
    ASSERT_TRUE(automation::resize_window(frame(), 700, 400));
    EXPECT_EQ(window_rect(shell().title_box).right - window_rect(shell().title_box).left, 700 - 8 - 456);
}

TEST_F(FrameTest, ChildWindowsSharingTheProcedureDoNotActAsTheFrame) {
    ASSERT_TRUE(start());
    WindowPlacement before;
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, before), 0);
    MoveWindow(shell().control_bar, 0, 0, 300, 23, TRUE);
    SendMessageA(shell().control_bar, WM_CLOSE, 0, 0);
    WindowPlacement after;
    ASSERT_EQ(load_window_placement(kNotarixPlacement, kMainWindow, after), 0);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(IsWindow(shell().control_bar));
    EXPECT_FALSE(automation::quit_received());
}

TEST_F(FrameTest, WithoutDocumentThePageControlsAndDocumentMenusAreGrey) {
    ASSERT_TRUE(start());
    for (int id = kNextButtonId; id <= kLinkButtonId; ++id) EXPECT_FALSE(IsWindowEnabled(button(id))) << id;
    EXPECT_FALSE(IsWindowEnabled(shell().chart));
    for (int position : {kViewPopup, kSettingsPopup, kPrintPopup, kOutputPopup}) EXPECT_TRUE(popup_greyed(position));
    for (int position : {kFilePopup, kEditPopup, kGenerationPopup, kHelpPopup}) EXPECT_FALSE(popup_greyed(position));
    for (UINT id : {8195u, 20484u, 20485u}) EXPECT_TRUE(item_greyed(id)) << id;
    EXPECT_FALSE(automation::choose_menu_command(12289));
    EXPECT_TRUE(automation::menu_item_state(16393) & MF_CHECKED);

    // a chosen name without a loaded document enables what a run needs
    document_state().file_name = dir.path("x.lin");
    set_document_menus(0);
    for (UINT id : {8195u, 20484u, 20485u}) EXPECT_FALSE(item_greyed(id)) << id;
    EXPECT_TRUE(popup_greyed(kViewPopup));
}

TEST_F(FrameTest, ClosingWhileBusyDoesNothing) {
    ASSERT_TRUE(start());
    set_busy_state(0);
    EXPECT_EQ(automation::cursor_name(), "IDC_WAIT");
    for (int position = 0; position < kPopupCount; ++position) EXPECT_TRUE(popup_greyed(position)) << position;
    automation::close_window(frame());
    EXPECT_TRUE(IsWindow(frame()));
    EXPECT_FALSE(automation::quit_received());
    // F-keys are not translated into paging while busy: the buttons are off
    EXPECT_FALSE(IsWindowEnabled(button(kNextButtonId)));

    set_busy_state(1);
    EXPECT_NE(automation::cursor_name(), "IDC_WAIT");
    EXPECT_FALSE(popup_greyed(kFilePopup));
    EXPECT_TRUE(popup_greyed(kViewPopup));  // still no document
    automation::close_window(frame());
    EXPECT_FALSE(IsWindow(frame()));
    int code = -1;
    EXPECT_TRUE(automation::quit_received(&code));
    EXPECT_EQ(code, 0);
}

TEST_F(FrameTest, SecondStartWithPreviousInstanceSkipsRegistration) {
    ASSERT_TRUE(start());
    finish_notarix();
    DestroyWindow(frame());
    started = false;
    // the classes are still there: registering them again fails
    EXPECT_FALSE(start());
    EXPECT_EQ(exit_code, 1);
    EXPECT_TRUE(start(reinterpret_cast<HINSTANCE>(1)));
}

TEST_F(FrameTest, PageTitleIsCutAtACharacterBoundary) {
    // 127 single bytes, then a double-byte character over bytes 127 and 128
    std::string title(127, 'a');
    title += "\x8a\xd6";
    title += std::string(71, 'b');
    EXPECT_EQ(page_title_for_box(title).size(), 127u);
    EXPECT_EQ(page_title_for_box(std::string(200, 'c')).size(), 128u);
    EXPECT_EQ(page_title_for_box("short title"), "short title");
}

TEST_F(FrameTest, ColumnGaugeToggleTwiceGivesTheSameLayout) {
    ASSERT_TRUE(start());
    const RECT before = window_rect(shell().chart);
    ASSERT_TRUE(automation::choose_menu_command(16393) == false);  // the settings popup is grey
    toggle_column_gauge();
    EXPECT_FALSE(IsWindowVisible(shell().ruler));
    EXPECT_EQ(window_rect(shell().chart).top, before.top - 12);
    EXPECT_FALSE(automation::menu_item_state(16393) & MF_CHECKED);
    toggle_column_gauge();
    EXPECT_TRUE(IsWindowVisible(shell().ruler));
    const RECT after = window_rect(shell().chart);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom, before.bottom);
}

}  // namespace
