// What the predefined controls and the dialog manager share: the kind of a
// control, notifications to the parent, colours and fonts from the parent,
// plain drawing, and the acts of a user that the automation interface asks
// of a control. Only platform/user and platform/automation include this.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/wingdi.h"
#include "platform/kernel/sjis.h"
#include "platform/user/commctrl.h"
#include "platform/user/user_internal.h"

namespace platform_user {

enum class ControlKind {
    none,
    button,
    edit,
    static_text,
    listbox,
    combobox,
    scrollbar,
    status_bar,
    updown,
    listview,
    dialog,
};

ControlKind control_kind(HWND window);
const char* control_kind_name(ControlKind kind);

// The window procedures of the predefined classes.
LRESULT button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT edit_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT static_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT listbox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT combobox_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT scrollbar_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT status_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT updown_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT listview_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// WM_COMMAND with the control's id and the code to its parent.
void notify_command(HWND control, WORD code);
// WM_NOTIFY to the parent; fills the header first.
LRESULT notify_parent(HWND control, UINT code, NMHDR* header);

// The brush the parent gives for WM_CTLCOLORxxx (its default when it gives
// none); sets the context's colours as the parent asked.
HBRUSH control_brush(HWND control, HDC dc, UINT ctlcolor_message);
HFONT control_font(HWND control);
// Draws with the control's font; height of a line of its text.
int font_line_height(HWND control);

// Where a button or static control draws its text: the room the text may
// take (client coordinates), the lines it is cut into (a wrapping static
// breaks them to the room's width), their height and where the first line
// starts. Painting and the fit check both go by it. `dc` has the control's
// font selected.
struct ControlTextLayout {
    bool has_text = false;
    RECT room{};
    std::vector<std::string> lines;
    int line_height = 0;
    int x = 0;
    int y = 0;
    bool wraps = false;
};
ControlTextLayout control_text_layout(HWND control, HDC dc);
// Empty when the control's text fits the room its layout gives it (or it
// draws no text); else what it needs and what it has.
std::string text_that_does_not_fit(HWND control);

// Sizes of the drawn parts that leave room for a control's text.
inline constexpr int kCheckBoxSize = 13;
inline constexpr int kCheckBoxGap = 4;
inline constexpr int kGroupTextInset = 8;

// Plain drawing.
void fill_solid(HDC dc, RECT r, COLORREF colour);
void draw_frame_3d(HDC dc, RECT r, bool sunken);
// The black (grey when disabled) triangle of an arrow button in `box`.
void draw_arrow(HDC dc, RECT box, ArrowDirection direction, bool disabled);
void draw_text_line(HDC dc, int x, int y, const std::string& text);
int text_width(HDC dc, const std::string& text);
// Removes "&" mnemonic markers ("&&" stays one "&").
std::string without_mnemonics(const std::string& text);

// Shift-JIS helpers.
// Offset of the character before / after `at`, never splitting a character.
size_t previous_char(const std::string& text, size_t at);
size_t next_char(const std::string& text, size_t at);
// Compares as lstrcmpiA does for the list and combo boxes (ASCII letters folded).
int compare_ignoring_case(const std::string& a, const std::string& b);

// The list of a list box or a drop-down list.
struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    bool selected = false;
};

// For the automation interface: the acts of a user on a control.
// Items of a list box, combo box or list view (first column) in order.
std::vector<std::string> control_items(HWND control);
// The selected item (-1 for none); a list view's first selected row.
int control_selection(HWND control);
// The user picks item `index` of a list box, combo box or list view: as a
// click on it (a double click with `twice`). False with the reason when it
// cannot be done.
bool user_choose_item(HWND control, int index, bool twice, std::string* why);
// Where a click on item `index` lands, in the control's client coordinates
// (the list scrolls it into view first). False when there is no such item.
bool item_click_point(HWND control, int index, POINT* point);
// The text of part `part` of a status bar.
std::string status_bar_text(HWND bar, int part);
// The first status bar among the window's descendants.
HWND find_status_bar(HWND root);
// A scroll bar control's state (SetScrollInfo and friends with SB_CTL).
ScrollBarState* scroll_control_state(HWND window);

// The messages every control answers alike: painting through its own
// routine, no separate background erase, its font, a redraw when enabled or
// disabled. True when the message was one of them, its result in *result.
bool handle_shared_control_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   void (*paint)(HWND, HDC), LRESULT* result);

// The dialog manager (dialog.cpp).
bool is_dialog(HWND window);
// Moves the focus as the dialog manager does: an edit gets all its text selected.
void dialog_set_focus(HWND dialog, HWND control);
// The controls of the group `control` belongs to (WS_GROUP starts a group),
// in order, hidden and disabled ones included.
std::vector<HWND> group_of(HWND control);
// Registers the dialog class "#32770".
void register_dialog_class();

}  // namespace platform_user
