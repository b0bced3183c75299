// The automation interface: the only way in from outside, as a user's hands
// and eyes would be. Tests use it in process through this API; a program
// run by the headless runner follows a script (docs/automation.md) named by
// the environment variable PLATFORM_SCRIPT and logs what it saw beside it.
//
// Texts given and returned here are Shift-JIS bytes, except where a name
// says UTF-8 (scripts, logs, menu paths).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/winuser.h"

namespace automation {

// Which window a step means, found when the step runs.
struct WindowSpec {
    enum class Kind { main, active, focus, handle, title, class_name, control };
    Kind kind = Kind::main;
    HWND handle = nullptr;
    std::string text;       // title or class name (Shift-JIS)
    std::vector<int> ids;   // then the child with each id in turn, at any depth

    static WindowSpec main_window();
    static WindowSpec of(HWND window);
    static WindowSpec titled(const std::string& title);
    // A control with this id in the active window (or else the main window).
    static WindowSpec control(int id);
    WindowSpec child(int id) const;
    std::string describe() const;  // UTF-8, as a script writes it
};

HWND find_window(const WindowSpec& wanted);

struct MessageBoxRecord {
    std::string caption;
    std::string text;
    UINT type = 0;
    int answer = 0;  // 0: nobody answered
};

struct HelpCall {
    std::string file;
    UINT command = 0;
    uintptr_t data = 0;
};

struct ShellCall {
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show = 0;
};

// The common dialogs and the folder browser, as the automation answers them.
enum class CommonDialogKind { any, open_file, save_file, colour, font, printer, folder };

// An answer given before the dialog comes (or by a script step while it
// waits). `kind` any fits whichever dialog comes next.
struct CommonDialogAnswer {
    CommonDialogKind kind = CommonDialogKind::any;
    bool ok = true;                  // false: the user cancels
    std::vector<std::string> names;  // file names or the folder (Shift-JIS); none: OK on what the dialog shows
    int filter_index = 0;            // file dialogs: 0 keeps the program's
    bool has_colour = false;
    COLORREF colour = 0;
    std::string face;                // font: Shift-JIS; empty keeps the program's
    int point_size = 0;              // font: points; 0 keeps the program's
    bool bold = false;
    bool italic = false;
    short orientation = 0;           // printer: DMORIENT_PORTRAIT or _LANDSCAPE; 0 keeps the current one
};

struct CommonDialogRecord {
    CommonDialogKind kind = CommonDialogKind::any;
    std::string title;    // Shift-JIS: the program's title, else the first filter label
    bool ok = false;      // the dialog returned a choice
    std::string result;   // the name, folder, colour "#RRGGBB", font "face size" or printer chosen
};

const char* common_dialog_kind_name(CommonDialogKind kind);  // "open dialog", ...

enum Modifiers : unsigned {
    no_modifiers = 0,
    shift = 1,
    control = 2,
    alt = 4,
};

// Forgets everything: destroys all windows (their procedures see
// WM_DESTROY), menus and tables, empties the queues, and clears the records,
// armed answers, script and failures, and records the drawing log from
// then on. Tests call it first.
void reset();

// Whether windows keep their pixels (the default; reset() leaves the choice
// as it is). Off, programs still paint and every drawing call runs and is
// logged, but into nothing: a harness that never looks at most windows
// saves their pixels. A window captured or asked for a pixel gets its
// pixels then, painted whole.
void set_window_pixels(bool kept);

// Screen size for GetSystemMetrics and maximised windows (1024 x 768 by default).
void set_screen_size(int width, int height);

// --- Acting ----------------------------------------------------------------
// Each action posts or sends what Windows would for the user's act. Outside a
// program run the queue is then worked off (run_until_idle); inside one the
// program's own loop does that. False when the act was refused (the reason
// is in the log): a greyed item, a disabled or missing window, ...

// A menu command of the window's menu bar (nullptr: the main window):
// WM_INITMENU, WM_INITMENUPOPUP for each popup on the way, then WM_COMMAND.
bool choose_menu_command(UINT id, HWND window = nullptr);
// The same by item texts, UTF-8, "/" between levels; "&" and what follows a
// tab may be left out ("ファイル/開く...").
bool choose_menu_path(const std::string& path_utf8, HWND window = nullptr);
// "F5", "ctrl+O", "shift+Tab", "alt+F4", "Enter"; see docs/automation.md.
bool press_key(const std::string& key);
bool press_key(UINT virtual_key, unsigned modifiers = no_modifiers);
// Points are in the window's client coordinates; the input goes to the
// window under the point (or the capture), as the mouse's would. A left
// click or drag that starts on a scroll bar (outside the client area) works
// the bar.
bool click(HWND window, int x, int y);
// The pointer moved over a point of the window (client coordinates) with no
// button down: WM_SETCURSOR and WM_MOUSEMOVE to the window under it.
bool move_mouse(HWND window, int x, int y);
bool double_click(HWND window, int x, int y);
bool right_click(HWND window, int x, int y);
// Clicks the middle of a window, such as a button; refused when it is
// hidden or disabled.
bool press(HWND window);
bool press_control(HWND parent, int id);
// Characters to the focused window as WM_CHAR (a double-byte character as
// two); "\n" and "\t" are the Enter and Tab keys.
bool type_text(const std::string& text);
// A click on a scroll bar of the window: WM_HSCROLL or WM_VSCROLL with the code.
bool scroll(HWND window, int bar, int code, int position = 0);
bool close_window(HWND window = nullptr);
// A drag with the left button: down at (x1, y1), moves with the button held,
// up where the pointer ends. Points are in the window's client coordinates.
// The moves are the hand's, relative: when the program calls SetCursorPos
// meanwhile, the pointer goes on from where it was put.
bool drag(HWND window, int x1, int y1, int x2, int y2);
// The hand on a part of a top-level window's frame: HTCAPTION, HTSYSMENU,
// HTMINBUTTON, HTMAXBUTTON, HTCLOSE, or a border or corner (HTLEFT ...
// HTBOTTOMRIGHT). A click (a double click with `twice`) presses it where
// it is drawn; a drag presses it and moves by (dx, dy) in steps of at most
// 8 pixels before the button comes up. Refused when the window has no such
// part or another window covers it.
bool frame_click(HWND window, int part, bool twice = false);
bool frame_drag(HWND window, int part, int dx, int dy);
// The left button goes down at a point of the window (client coordinates; a
// point outside the client area is on the window's frame: a press on a
// scroll bar, the caption, a border or a caption button there is tracked as
// a person's) and stays down until
// mouse_up, which lets it go where the pointer is then. Moves meanwhile
// (move_mouse) are made with the button held.
bool mouse_down(HWND window, int x, int y);
bool mouse_up();
// Turns the wheel over a point of the window (client coordinates) by
// `notches` (positive: away from the hand), with Shift when asked.
bool turn_wheel(HWND window, int x, int y, int notches, unsigned modifiers = no_modifiers);
// Lets time pass on the platform's tick clock, which otherwise stands still
// in tests and scripts: what a held button repeats falls due on the way.
void let_time_pass(DWORD milliseconds);
// WM_COMMAND of any command id to the window (default the main window), as
// an accelerator sends it: no menu is opened, nothing is checked.
bool send_command(UINT id, HWND window = nullptr);
bool resize_window(HWND window, int width, int height);

// Answers given before the question comes (first in, first used).
void answer_next_message_box(int button);
void choose_next_popup_item(UINT id);  // 0 dismisses the popup
// Common dialogs (first in, first used; see CommonDialogAnswer).
void answer_next_common_dialog(const CommonDialogAnswer& answer);
void answer_next_file_dialog(const std::string& name);
void answer_next_colour_dialog(COLORREF colour);
void answer_next_font_dialog(const std::string& face, int point_size, bool bold = false, bool italic = false);
void answer_next_printer_dialog(bool ok);
void answer_next_folder_browser(const std::string& folder);
void cancel_next_common_dialog();

// --- Controls, as a user's hands would work them ----------------------------
// Gives the control the focus with its caret at the end, then types.
bool type_into(HWND control, const std::string& text);
// Gives the control the focus, selects all its text and types the new text
// over it (an empty text deletes it).
bool set_control_text(HWND control, const std::string& text);
// Picks an item of a list box, combo box or list view, as a click on it (a
// double click with `twice`); by text compares the whole item text.
bool choose_item(HWND control, int index, bool twice = false);
bool choose_item_text(HWND control, const std::string& text, bool twice = false);
// Clicks a check box or radio button when its state differs.
bool set_checked(HWND control, bool checked);
// Presses the button with this id (or text, "&" may be left out) of the
// active window.
bool press_button(int id);
bool press_button_text(const std::string& text);
// Reading controls.
std::vector<std::string> control_items(HWND control);
int selected_item(HWND control);  // -1 for none
int check_state(HWND control);    // BST_ value
// The visible buttons and statics under the window whose text does not fit
// the room their layout gives it, measured in their own font: each as the
// control (id and text, UTF-8) and what it needs and has. Empty when all fit.
std::vector<std::string> clipped_texts(HWND window);
// Part `part` of the status bar of `window` (default: the main window's).
std::string status_text(int part = 0, HWND window = nullptr);

// Clicks the middle of `target` when PeekMessageA has been called `n` more
// times (n = 1: at the next call), so that a long run that pumps messages
// sees the press.
void press_at_peek(long n, const WindowSpec& target);
// Runs `act` when PeekMessageA has been called `n` more times: how a test
// looks at a window (captures it, checks its menus, cursor or controls)
// in the middle of a long run. `description` (UTF-8) goes to the log.
void at_peek(long n, const std::string& description, std::function<void()> act);

// The accelerator table that run_until_idle translates with, as a
// program's loop would.
void set_accelerators(HWND window, HACCEL table);
void run_until_idle();
// An act to run when a message loop next waits for input (a modal dialog's
// loop included), before any script step: how a test works a modal dialog.
void when_idle(std::function<void()> act);
bool quit_received(int* exit_code = nullptr);

// --- Reading ------------------------------------------------------------------
HWND main_window();
std::string window_text(HWND window);
// GetMenuState of the command in the window's menu bar; -1 when missing.
UINT menu_item_state(UINT id, HWND window = nullptr);
const std::vector<MessageBoxRecord>& message_boxes();
const std::vector<UINT>& beeps();
const std::vector<HelpCall>& help_calls();
const std::vector<ShellCall>& shell_calls();
const std::vector<CommonDialogRecord>& common_dialogs();
// "IDC_ARROW", "IDC_WAIT" or the resource name of the current cursor; empty for none.
std::string cursor_name();
POINT caret_position(HWND* window = nullptr, bool* visible = nullptr);
// Paints what is pending, draws the frames, and writes the window as PNG.
bool capture_png(HWND window, const std::string& path);
// What the screen shows at a point of the window's client area (CLR_INVALID
// outside the window's surface).
COLORREF pixel_at(HWND window, int x, int y);
// How many pixels of the client area `area` differ from the colour most of
// them have (its background): text, lines, edges. 0 for a blank area.
int ink_pixels(HWND window, const RECT& area);
// The drawing calls made into the window and its descendants, one
// formatted line each (format_drawing_log_entry).
std::vector<std::string> drawing_log(HWND window);
// The entries of the last print job, with their page numbers.
std::vector<std::string> print_drawing_log();
// Writes lines as a file, one a line; false when it cannot be written.
bool write_lines(const std::string& path, const std::vector<std::string>& lines);

// What was seen, in order: steps, message boxes, beeps, commands, failures
// (UTF-8 lines, the script log).
const std::vector<std::string>& log_lines();
std::string log_text();
bool failed();
const std::vector<std::string>& failures();

// --- Recorders for the layers that implement WinHelpA and ShellExecuteA -------
void record_help_call(const char* file, UINT command, uintptr_t data);
// Returns the result that ShellExecuteA should give without starting
// anything (42 unless a test set another with set_shell_result), or
// kShellStartsPrograms: then it starts the program. A program's run under
// run_main starts them; tests in process do not unless they ask.
inline constexpr int kShellStartsPrograms = -1;
int record_shell_call(HWND owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show);
void set_shell_result(int result);

// --- Scripts ----------------------------------------------------------------------
// Parses a script (UTF-8). Relative file names in it are taken from
// `base_directory`. False with a message naming the line on a bad step. A
// script with a drawing-log step (at a peek too) has the log recorded.
bool load_script(const std::string& text, const std::string& base_directory, std::string* error);

using ProgramEntry = int (*)(HINSTANCE, HINSTANCE, LPSTR, int);
// Runs the program under the loaded script (or none: it is then closed as
// soon as it waits) and returns its exit code; failed() tells whether the
// script went as written.
int run_program(ProgramEntry entry);
// The headless runner: runs the program under the script named by
// PLATFORM_SCRIPT, writes the log to that path + ".log", and returns the
// process exit code (2 when the run failed, else the program's). The program
// keeps no drawing log unless its script reads one.
int run_main(ProgramEntry entry);

}  // namespace automation
