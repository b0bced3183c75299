// The form editor "FRMVIEW": the page form of 82 rows by 112 columns drawn
// with the mouse, a tool chosen from the editor's menu at a time. It paints
// the form's text rows under a ruler and beside row numbers, follows the
// pointer with guide lines, shows drags as rubber lines and rectangles,
// and opens, saves and turns the form into layout files.
#pragma once

#include <string>

#include "common/shell/window_placement.h"
#include "platform/user/winuser.h"

inline constexpr char kFormEditorClass[] = "FRMVIEW";
inline constexpr WindowPlacement kFormEditorDefaultPlacement{100, 40, 600, 720};

// Geometry: cells of 6 x 12 pixels below a 22-pixel ruler and right of a
// 16-pixel gutter.
enum : int {
    kFormCellWidth = 6,
    kFormCellHeight = 12,
    kFormGridLeft = 16,
    kFormGridTop = 22,
};

// Command ids of "NXW_frm_menu".
enum : UINT {
    kFormOpenCommand = 4097,
    kFormSaveCommand = 4098,
    kFormEndCommand = 4099,
    kDosVCodeCommand = 26113,
    kPc98CodeCommand = 26114,
    kLayoutGenerateCommand = 25089,
    kLayoutErrorsCommand = 25090,
    kTextTool = 29185,
    kDoubleTextTool = 29186,
    kEraseTextTool = 29187,
    kEraseTextAreaTool = 29188,
    kEraseAllTextTool = 29189,
    kEraseAllTool = 29190,
    kTextUndoCommand = 29193,
    kThinLineTool = 33281,
    kThickLineTool = 33282,
    kEraseLineTool = 33283,
    kEraseLineAreaTool = 33284,
    kEraseAllLinesTool = 33285,
    kEraseAllFromLinesTool = 33286,
    kLineUndoCommand = 33289,
    kFirstParameterTool = 37377,
    kLastParameterTool = 37392,
    kParameterUndoCommand = 37408,
};

enum DragMode : int { kPointDrag = 0, kLineDrag = 1, kRectangleDrag = 2 };

// The editor's state: one instance from opening to closing the window.
struct FormEditorState {
    HWND window = nullptr;
    int top_row = 0, left_column = 0;
    int caret_row = 0, caret_column = 0;
    int previous_caret_row = -1, previous_caret_column = -1;
    POINT drag_start{-1, -1}, drag_end{-1, -1};  // grid points in pixels
    int start_row = 0, start_column = 0;         // the cell the drag began on
    int drag_mode = kPointDrag;
    int line_weight = 1;
    UINT tool = 0;
    bool modified = false;
    int guide_x = -1, guide_y = -1;
    bool errors_available = false;
    bool caret_suppressed = false;
    bool has_focus = false;
    int client_width = kFormEditorDefaultPlacement.width;
    int client_height = kFormEditorDefaultPlacement.height;
    std::string file_name;     // the current .frm, empty for a new form
    std::string entered_text;  // the text tool's text or the parameter key
    WindowPlacement placement = kFormEditorDefaultPlacement;
    HFONT font = nullptr;       // fixed-pitch Mincho, 12 x 6
    HPEN rubber_pen = nullptr;  // 12 pixels wide, dark grey

    bool open() const { return window != nullptr; }
    bool dragging() const { return drag_start.x >= 0; }
    int visible_rows() const;
    int visible_columns() const;
    void reset();
};

FormEditorState& form_editor();

// 1 when "FRMVIEW" is registered; the editor's resources are registered
// with it.
int register_form_editor_class(HINSTANCE instance);
// 0, or -1 when the editor cannot be opened (after message 402).
int open_form_editor(HWND owner);
// The frame asks an open editor to close, as its close button would; true
// when it closed (or none was open).
bool close_form_editor_from_frame();

LRESULT form_editor_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// --- Parts shared by the window procedure and the commands ----------------------------

// Title, menu checks and the whole client drawn again.
void repaint_form_editor();
void repaint_form_rows(int first, int last);
void set_form_scroll_ranges();
// Unchecks every tool item and forgets the tool and a drag in progress.
void drop_form_tool();
void set_form_undo_items(bool enabled);
// The window title for the current form name.
void set_form_editor_title();

// The commands of the editor's menu (files, code set, generation).
void run_form_command(UINT id);
// The close question of the command (from_command) or of the close button;
// true when the editor may close.
bool confirm_form_close(bool from_command);
