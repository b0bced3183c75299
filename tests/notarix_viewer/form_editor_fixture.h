// NOTARIX started with its form editor open: mouse input sent to the
// editor as the messages a user's hand makes, cells addressed by row and
// column, and the form's rows read back readably.
#pragma once

#include <string>
#include <vector>

#include "notarix/editor/form_editor.h"
#include "notarix/form/form_grid.h"
#include "tests/common/form_rows.h"
#include "tests/common/sjis.h"
#include "tests/notarix_viewer/notarix_fixture.h"

class FormEditorTest : public NotarixTest {
public:
    // One step of a hand on the mouse.
    struct Input {
        UINT message;
        int row, column;
    };

protected:
    void SetUp() override {
        NotarixTest::SetUp();
        ASSERT_TRUE(start());
        ASSERT_TRUE(automation::choose_menu_command(8193));
        automation::run_until_idle();
        ASSERT_TRUE(form_editor().open());
    }

    HWND editor() const { return form_editor().window; }

    // The pixel in the middle of a cell (the editor not scrolled).
    static LPARAM cell(int row, int column) {
        const int x = kFormGridLeft + (column - form_editor().left_column) * kFormCellWidth + 3;
        const int y = kFormGridTop + (row - form_editor().top_row) * kFormCellHeight + 6;
        return MAKELPARAM(x, y);
    }

    void send(const std::vector<Input>& inputs) {
        for (const Input& in : inputs) {
            WPARAM buttons = MK_LBUTTON;
            if (in.message == WM_LBUTTONUP) buttons = 0;
            if (in.message == WM_RBUTTONDOWN) buttons = MK_RBUTTON;
            SendMessageA(editor(), in.message, buttons, cell(in.row, in.column));
        }
        automation::run_until_idle();
    }
    // A left-button drag from one cell to another with one move between.
    void drag(int row1, int column1, int row2, int column2) {
        send({{WM_MOUSEMOVE, row1, column1},
              {WM_LBUTTONDOWN, row1, column1},
              {WM_MOUSEMOVE, row2, column2},
              {WM_LBUTTONUP, row2, column2}});
    }
    void click_cell(int row, int column) { send({{WM_LBUTTONDOWN, row, column}, {WM_LBUTTONUP, row, column}}); }

    bool command(UINT id) {
        const bool chosen = automation::choose_menu_command(id, editor());
        automation::run_until_idle();
        return chosen;
    }
    // A tool that asks for its text in FRMDLG.
    void choose_text_tool(UINT id, const std::string& text_utf8) {
        automation::when_idle([text_utf8] {
            automation::set_control_text(GetDlgItem(GetActiveWindow(), 28945), sjis(text_utf8));
            automation::press_button(IDOK);
        });
        command(id);
    }

    static std::vector<std::string> rows(int first, int last) { return form_rows(first, last); }
    static std::vector<std::string> sj(const std::vector<std::string>& lines) { return sjis_lines(lines); }
    bool undo_greyed() const { return (automation::menu_item_state(29193, editor()) & MF_GRAYED) != 0; }
    bool checked(UINT id) const { return (automation::menu_item_state(id, editor()) & MF_CHECKED) != 0; }
    std::string last_box_text() const {
        const auto& boxes = automation::message_boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
};
