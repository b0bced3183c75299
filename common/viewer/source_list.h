// The source-list window "SRCVIEW" of every program: the source of the open
// document with line numbers, beside the view. In linked mode it follows the
// view and marks the line in hand; the user scrolls it, clicks a line,
// searches it, and arranges it with the main window. The frame and the
// command dispatcher call the functions below; the program's link hooks
// (viewer_profile.h) say what following, a click and a search bound mean.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/shell/window/source_list.h"
#include "common/shell/window_placement.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

inline constexpr char kSourceViewClass[] = "SRCVIEW";
inline constexpr char kSourceControlClass[] = "SRCCTRL";
inline constexpr char kSourceSeparatorClass[] = "SRCSEP";
inline constexpr char kSourceListClass[] = "SRCLIST";
inline constexpr char kSourceLineNoClass[] = "SRCLNO";

// Child ids, and the bar's buttons.
enum : int {
    kSourceListId = 6000,  // SRCLIST and SRCLNO alike
    kSourceSeparatorId = 6001,
    kSourceControlId = 6005,
    kOverlapButtonId = 300,
    kStackButtonId = 301,
    kSearchButtonId = 302,
    kSearchAgainButtonId = 303,
    kCloseSourceButtonId = 304,
    kSearchFieldId = 12545,
    // the commands of the window's menu, where the program gives it one
    kCloseSourceCommand = 4609,
    kOverlapCommand = 8705,
    kStackCommand = 8706,
    kSearchCommand = 8961,
    kSearchAgainCommand = 8962,
};
inline constexpr int kSourceButtonCount = 5;
inline constexpr int kSourceBarHeight = 20;
inline constexpr int kSourceLineNoWidth = 45;

// What the source list asks of the frame. Empty hooks are skipped.
struct SourceListHooks {
    // mode 1 shows the text in the status bar, any other mode the default text.
    std::function<void(int mode, const std::string& text)> set_status_text;
};

// The source list's state: one record, with a reset for tests.
struct SourceListState {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;  // the frame: owner of the window and of the load boxes
    HWND view = nullptr;
    HWND control = nullptr;
    HWND separator = nullptr;
    HWND list = nullptr;
    HWND line_numbers = nullptr;
    HWND buttons[kSourceButtonCount] = {};
    bool open = false;

    SourceText text;
    int top = 0;   // first visible entry
    int left = 0;  // first visible column, in 7-pixel characters
    int list_width = 0;
    int list_height = 0;
    int search_start = 0;  // entry index where "次検索" goes on
    int search_end = -1;   // the entry after the last one searched, -1 all
    std::string search_text;
    int list_marker_row = -1;  // pixel row of the marked line, -1 none
    int number_marker_row = -1;
    WindowPlacement geometry{200, 100, 680, 500};  // kept on every move and resize

    // Drawing objects; made on first use when the frame gives none.
    HFONT font = nullptr;  // the frame's 14 x 7 list font, or one made here
    bool made_font = false;
    HFONT button_font = nullptr;
    HBITMAP marker_bitmap = nullptr;
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF background_colour = RGB(255, 255, 255);
    HBRUSH background_brush = nullptr;
    HDC paint_dc = nullptr;  // SRCLIST's paint context while a paint is handled
    HWND last_entered = nullptr;

    SourceListHooks hooks;

    void reset();
};

SourceListState& source_list();

// Registers SRCVIEW, SRCCTRL, SRCLNO, SRCLIST and SRCSEP: 1, or 0 when one fails.
int register_source_classes(HINSTANCE instance);

LRESULT source_view_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT source_list_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT source_line_no_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT separator_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Fills the source list from the document's source name (0), or shows why it
// cannot and returns -1; a failed load leaves nothing loaded.
int load_source_text();
// After the tab width changed: load again and follow.
void reload_source_list();

// Creates and shows the window at its kept placement (the window, or null).
HWND open_source_list_window(HWND owner);
void close_source_list_window();
bool source_list_open();

// Redraws the list and brings the current source line into view, marked.
// -1 when the window is not open or nothing is loaded.
int follow_current_function();
void set_source_search_start(int line);
// The pieces of following: the lines drawn from the first shown one, the
// current line brought into view and marked (-1 and a beep when it lies
// outside the table), the line-number column, the scroll ranges and thumbs.
void draw_source_lines();
// Rows of the shown entries [first, first + count) filled with the list's
// background and their texts drawn again (past the end only the fill).
void highlight_source_lines(int first, int count);
// 1 when SRCLIST's bottom lies below the screen (no pixels there to copy).
int is_source_window_below_screen();
int show_current_source_line();
void repaint_source_line_numbers();
void set_source_scroll_ranges();
// The list drawn afresh from entry `top` (its widest line measured again):
// the current line marked, the numbers and scroll bars set, the status
// line cleared.
void show_source_listing(int top);
// After an open: the list's marker row is forgotten.
void forget_source_marker();
int clear_source_list_view();

// again 0: a new search through the search dialog; 1: the next match of the
// kept text from the kept start. 0 when a line was found, else -1.
int search_source(HWND owner, int again);
// SRCSEARCHDLG over a search text of the caller's: 実行 stores the text and
// runs `search` with the dialog as owner, and the dialog stays open; 取消
// ends it with 0.
int run_search_text_dialog(HWND owner, HWND centre_owner, std::string& text, std::function<void(HWND dialog)> search);
// One search step with the kept text (the dialog's "実行" and "次検索"); its
// message boxes are owned by `box_owner`.
int run_source_search(HWND box_owner);

// axis 1 horizontal, 0 vertical; the scroll-bar code in the low word of
// `code`, a thumb position in its high word. 0 moved, -1 refused.
int scroll_source_view(int axis, HWND window, WPARAM code);
// A left click at (x, y) of SRCLIST or SRCLNO: 0 when a line was marked.
int select_source_line_at(int x, int y);
// stacked 1: main window above the list; 0: overlapped at the bottom right.
void tile_source_window(int stacked, HWND main_window);

// The source-list colours and objects (after start-up or a colour command).
void set_source_list_colours(COLORREF text, COLORREF background);

// The editor command of the settings started on the source: 0, or the
// number of the message shown (200 none set, 203 the start failed).
int launch_editor(HWND frame, std::string_view editor_command);
