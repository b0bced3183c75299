// The form editor's mouse and key handling: sequences of input messages
// with the cells they change, the caret, the guides and the rubber band.

#include <cstdlib>

#include "platform/gdi/drawing_log.h"
#include "tests/notarix_viewer/form_editor_fixture.h"

namespace {

using Inputs = std::vector<FormEditorTest::Input>;

class FormEditorMouse : public FormEditorTest {};

TEST_F(FormEditorMouse, OpensOnceWithItsMenuAndPlacement) {
    EXPECT_EQ(text_of(editor()), sjis("関数仕様書ﾌｫｰﾑ編集"));
    const RECT r = window_rect(editor());
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 720);
    EXPECT_EQ(GetWindow(editor(), GW_OWNER), frame());
    EXPECT_TRUE(undo_greyed());
    EXPECT_TRUE(checked(26113));
    EXPECT_FALSE(checked(26114));
    EXPECT_EQ(shell().owned.form_editor, editor());
    const HWND first = editor();
    ASSERT_TRUE(automation::choose_menu_command(8193));
    EXPECT_EQ(editor(), first);
    EXPECT_EQ(form_grids().rows.size(), 82u);
}

struct DragCase {
    const char* name;
    UINT tool;
    Inputs inputs;
    std::vector<std::string> rows;  // rows 0 to 4 afterwards, UTF-8
};

// Each case chooses its tool on an empty form and sends its input.
TEST_F(FormEditorMouse, DragsApplyTheToolToTheCellsBetween) {
    const std::vector<DragCase> cases = {
        {"thin line to the right", 33281,
         {{WM_LBUTTONDOWN, 1, 1}, {WM_MOUSEMOVE, 2, 5}, {WM_MOUSEMOVE, 1, 9}, {WM_LBUTTONUP, 1, 9}},
         {"", "─────"}},
        {"a drag mostly across snaps to the row it began on", 33282,
         {{WM_LBUTTONDOWN, 2, 9}, {WM_MOUSEMOVE, 3, 0}, {WM_LBUTTONUP, 3, 0}},
         {"", "", "━━━━━"}},
        {"a drag mostly down snaps to the column", 33281,
         {{WM_LBUTTONDOWN, 0, 4}, {WM_MOUSEMOVE, 4, 6}, {WM_LBUTTONUP, 4, 6}},
         {"    │", "    │", "    │", "    │", "    │"}},
        {"a second press ends the drag like a release", 33281,
         {{WM_LBUTTONDOWN, 0, 0}, {WM_LBUTTONUP, 0, 0}, {WM_LBUTTONDOWN, 0, 0}, {WM_MOUSEMOVE, 0, 6},
          {WM_LBUTTONDOWN, 0, 6}},
         {"────"}},
        {"the right button cancels", 33281,
         {{WM_LBUTTONDOWN, 0, 0}, {WM_MOUSEMOVE, 0, 6}, {WM_RBUTTONDOWN, 0, 6}, {WM_LBUTTONUP, 0, 6}},
         {""}},
        {"a click on the ruler starts nothing", 33281,
         {{WM_LBUTTONDOWN, -1, 3}, {WM_MOUSEMOVE, 0, 9}, {WM_LBUTTONUP, 0, 9}},
         {""}},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.name);
        command(29190);  // erase everything: acts on the next mouse event
        automation::answer_next_message_box(IDYES);
        send({{WM_MOUSEMOVE, 10, 10}});
        command(c.tool);
        send(c.inputs);
        std::vector<std::string> want = sj(c.rows);
        want.resize(5);
        EXPECT_EQ(rows(0, 4), want);
        EXPECT_FALSE(form_editor().dragging());
    }
}

TEST_F(FormEditorMouse, RubberLineIsDrawnAndRemovedByExclusiveOr) {
    command(33281);
    automation::capture_png(editor(), dir.path("before.png"));
    clear_drawing_log();
    send({{WM_LBUTTONDOWN, 3, 2}, {WM_MOUSEMOVE, 4, 12}});
    std::vector<DrawingLogEntry> rubber;
    for (const DrawingLogEntry& e : drawing_log_entries_for_window(editor())) {
        if (e.op == "LineTo" && e.params.find("solid,12") != std::string::npos) rubber.push_back(e);
    }
    // drawn at the press, removed and drawn snapped at the move
    ASSERT_EQ(rubber.size(), 3u);
    EXPECT_NE(rubber[2].params.find("rop2=7"), std::string::npos);
    EXPECT_EQ(rubber[2].logical[0].y, rubber[2].logical[1].y);
    EXPECT_EQ(rubber[2].logical[0].x, 16 + 2 * 6 + 3);
    EXPECT_EQ(rubber[2].logical[1].x, 16 + 12 * 6 + 3);
    EXPECT_EQ(rubber[2].logical[0].y, 22 + 3 * 12 + 6);
    send({{WM_RBUTTONDOWN, 4, 12}});
    EXPECT_EQ(automation::beeps().size(), 3u);
}

// The guides follow the pointer over the form's cells and go when it leaves
// them: past the form's last column, onto the window's frame, off the
// window, which sends the editor no move of its own.
TEST_F(FormEditorMouse, GuidesGoWhenThePointerLeavesTheForm) {
    ASSERT_TRUE(automation::resize_window(editor(), 820, 400));  // wider than the form
    const std::string clean = dir.path("clean.png"), left = dir.path("left.png");
    ASSERT_TRUE(automation::capture_png(editor(), clean));
    const int cell_x = 16 + 3 * 6 + 2, cell_y = 22 + 2 * 12 + 3;
    // the bare desktop below and right of every window
    POINT desktop{1020, 764};
    ScreenToClient(editor(), &desktop);
    struct Case {
        const char* label;
        bool on_editor;  // else the frame beneath, beside the editor
        int x, y;
        int guide_x, guide_y;
    };
    const Case cases[] = {
        {"onto the bare desktop in one move", true, static_cast<int>(desktop.x), static_cast<int>(desktop.y), -1, -1},
        {"over a cell", true, cell_x, cell_y, 38, 52},
        {"over the ruler: the column's line only", true, cell_x, 10, 38, -1},
        {"past the form's last column", true, 16 + 112 * 6 + 3, cell_y, -1, 52},
        {"onto the editor's scroll bar", true, form_editor().client_width + 4, cell_y, -1, -1},
        {"onto another window", false, 10, 10, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(automation::move_mouse(editor(), cell_x, cell_y));
        ASSERT_TRUE(automation::move_mouse(c.on_editor ? editor() : frame(), c.x, c.y));
        EXPECT_EQ(form_editor().guide_x, c.guide_x);
        EXPECT_EQ(form_editor().guide_y, c.guide_y);
    }
    ASSERT_TRUE(automation::capture_png(editor(), left));
    EXPECT_EQ(read_raw(left), read_raw(clean)) << "the guides left pixels behind";
}

TEST_F(FormEditorMouse, ClickMovesTheCaretToTheCharacter) {
    choose_text_tool(29185, "あいA");
    click_cell(2, 5);
    EXPECT_EQ(rows(2, 2), sj({"     あいA"}));
    bool visible = false;
    HWND owner = nullptr;
    POINT at = automation::caret_position(&owner, &visible);
    EXPECT_EQ(owner, editor());
    EXPECT_EQ(at.x, 16 + 5 * 6);
    EXPECT_EQ(at.y, 22 + 2 * 12);
    // a click on the second byte of い puts the caret on its first
    command(33281);
    send({{WM_RBUTTONDOWN, 0, 0}});
    drop_form_tool();
    click_cell(2, 8);
    EXPECT_EQ(form_editor().caret_column, 7);
    EXPECT_EQ(form_editor().caret_row, 2);
}

TEST_F(FormEditorMouse, TextToolStaysChosenAndEveryCommandDropsIt) {
    choose_text_tool(29185, "ab");
    EXPECT_TRUE(checked(29185));
    click_cell(0, 0);
    click_cell(1, 3);
    EXPECT_EQ(rows(0, 1), sj({"ab", "   ab"}));
    command(26113);
    EXPECT_FALSE(checked(29185));
    click_cell(2, 0);
    EXPECT_EQ(rows(2, 2), sj({""}));
    // cancelling the dialog chooses nothing
    automation::when_idle([] { automation::press_button(IDCANCEL); });
    command(29186);
    EXPECT_FALSE(checked(29186));
    EXPECT_EQ(form_editor().tool, 0u);
}

TEST_F(FormEditorMouse, DoubleSizeTextFromTheDialog) {
    choose_text_tool(29186, "AB");
    click_cell(4, 2);
    EXPECT_EQ(rows(4, 5), sj({"  Ａ￡Ｂ￡", "  ￡￡￡￡"}));
}

// What the rubber line shows is what the eraser takes: the snapped line.
TEST_F(FormEditorMouse, EraseAlongFollowsTheSnappedLine) {
    command(33281);
    drag(1, 0, 1, 10);
    command(33283);
    drag(1, 2, 2, 8);
    EXPECT_EQ(rows(1, 2), sj({"──    ──", ""}));
    EXPECT_TRUE(automation::message_boxes().empty());
}

// With the whole form in view a drag can end below its last row.
TEST_F(FormEditorMouse, DragsEndingOffTheForm) {
    automation::set_screen_size(1280, 1200);
    ASSERT_TRUE(automation::resize_window(editor(), 760, 1100));
    automation::run_until_idle();
    ASSERT_GE(form_editor().visible_rows(), 83);
    command(33281);
    automation::answer_next_message_box(IDOK);
    drag(79, 4, 83, 4);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(last_box_text(), message(809));
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 関数仕様書ﾌｫｰﾑ編集 】"));
    EXPECT_EQ(rows(79, 81), sj({"", "", ""}));
    // a rectangle names the generation in its caption
    command(37380);
    automation::answer_next_message_box(IDOK);
    drag(78, 0, 83, 20);
    ASSERT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 仕様書レイアウトファイル生成 】"));
    // the erasers stop at the edge
    command(33281);
    drag(79, 4, 81, 4);
    command(33283);
    drag(80, 4, 83, 4);
    EXPECT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(rows(79, 81), sj({"    │", "    │", ""}));
}

TEST_F(FormEditorMouse, EraseAllActsOnTheNextMouseEventAfterAQuestion) {
    choose_text_tool(29185, "keep");
    click_cell(0, 0);
    command(29189);
    EXPECT_FALSE(checked(29189));
    EXPECT_EQ(rows(0, 0), sj({"keep"}));
    automation::answer_next_message_box(IDNO);
    send({{WM_MOUSEMOVE, 3, 3}});
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(last_box_text(), message(807) + "\n" + format_text(message(808).c_str(), sjis("文字列全消去").c_str()));
    EXPECT_EQ(rows(0, 0), sj({"keep"}));
    // the tool went with the question
    send({{WM_MOUSEMOVE, 4, 4}});
    EXPECT_EQ(automation::message_boxes().size(), 1u);
    command(29189);
    automation::answer_next_message_box(IDYES);
    send({{WM_MOUSEMOVE, 3, 3}});
    EXPECT_EQ(rows(0, 0), sj({""}));
    EXPECT_TRUE(form_editor().modified);
}

TEST_F(FormEditorMouse, UndoRestoresThePreviousGridOnce) {
    command(33282);
    drag(0, 0, 0, 10);
    EXPECT_FALSE(undo_greyed());
    command(33281);
    drag(0, 4, 4, 4);
    EXPECT_EQ(rows(0, 0), sj({"━━┯━━━"}));
    command(37408);
    EXPECT_EQ(rows(0, 1), sj({"━━━━━━", ""}));
    EXPECT_TRUE(undo_greyed());
    const size_t beeps = automation::beeps().size();
    command(29193);
    EXPECT_EQ(automation::beeps().size(), beeps) << "a greyed item is not chosen";
    SendMessageA(editor(), WM_COMMAND, 29193, 0);
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(rows(0, 0), sj({"━━━━━━"}));
}

// Up, Down, Page Up and Page Down scroll the rows; a click then lands on
// the row shown under the pointer. Across, only the bar scrolls.
TEST_F(FormEditorMouse, KeysScrollTheRowsUnderTheMouse) {
    const auto key = [this](WPARAM vk) {
        SendMessageA(editor(), WM_KEYDOWN, vk, 0);
        automation::run_until_idle();
    };
    const size_t beeps = automation::beeps().size();
    key(VK_UP);
    EXPECT_EQ(automation::beeps().size(), beeps + 1) << "at the top already";
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(form_editor().top_row, 2);
    key(VK_LEFT);
    EXPECT_EQ(form_editor().left_column, 0);
    choose_text_tool(29185, "x");
    // the pixel of the first row shown is row 2 of the form now
    SendMessageA(editor(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16 + 3, 22 + 6));
    SendMessageA(editor(), WM_LBUTTONUP, 0, MAKELPARAM(16 + 3, 22 + 6));
    EXPECT_EQ(rows(0, 2), sj({"", "", "x"}));
    key(VK_NEXT);
    EXPECT_EQ(form_editor().top_row, std::min(2 + form_editor().visible_rows(), 82 - form_editor().visible_rows()));
    key(VK_PRIOR);
    key(VK_PRIOR);
    EXPECT_EQ(form_editor().top_row, 0);
    SendMessageA(editor(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(form_editor().left_column, 1);
    // no scrolling while a line is dragged
    command(33281);
    send({{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, 5, 9}});
    const size_t before = automation::beeps().size();
    key(VK_DOWN);
    EXPECT_EQ(form_editor().top_row, 0);
    EXPECT_EQ(automation::beeps().size(), before + 1);
    send({{WM_LBUTTONUP, 5, 9}});
    EXPECT_EQ(rows(5, 5), sj({"    ───"}));
    // a line down reaches the last top row, and no further
    const int limit = 82 - form_editor().visible_rows();
    SendMessageA(editor(), WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(editor(), WM_VSCROLL, SB_LINEUP, 0);
    key(VK_DOWN);
    EXPECT_EQ(form_editor().top_row, limit);
    const size_t at_end = automation::beeps().size();
    key(VK_DOWN);
    EXPECT_EQ(form_editor().top_row, limit);
    EXPECT_EQ(automation::beeps().size(), at_end + 1);
}

}  // namespace
