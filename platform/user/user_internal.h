// The window layer's own records: windows, classes, menus, accelerator
// tables, cursors, the queues and the input state, gathered in one record
// with a reset. Only platform/user and platform/automation include this.
#pragma once

#include <cairo.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/kernel/sjis_text.h"
#include "platform/user/resources.h"
#include "platform/user/winuser.h"

namespace platform_user {

struct ClassRecord {
    std::string name;
    WNDCLASSA wc{};
    std::string menu_name;       // copy of a string menu name
    bool menu_name_is_id = false;
    ATOM atom = 0;
    std::vector<unsigned char> class_extra;
    int window_count = 0;
};

// The parts of a scroll bar a press can land on.
enum class ScrollPart { none, line_up, page_up, thumb, page_down, line_down };

struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int track = 0;           // where the dragged thumb is (SIF_TRACKPOS)
    bool disabled = false;
    ScrollPart pressed = ScrollPart::none;  // drawn pushed in: held with the pointer over it
};

// State a predefined control or a dialog keeps with its window record.
struct ExtraState {
    virtual ~ExtraState() = default;
};

struct WindowRecord {
    HWND handle = nullptr;
    std::shared_ptr<ClassRecord> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr;  // WS_CHILD windows
    HWND owner = nullptr;   // top-level windows
    std::vector<HWND> children;  // in z-order, the first on top of none (creation order)
    HMENU menu = nullptr;        // menu bar of a top-level window
    UINT_PTR id = 0;             // child id
    HINSTANCE instance = nullptr;
    std::string text;
    RECT rect{};                 // screen coordinates, or the parent's client coordinates
    RECT restore_rect{};         // before minimise or maximise
    bool minimized = false;
    bool maximized = false;
    bool restores_maximized = false;  // minimised from maximised: restoring maximises it again
    bool hidden_with_owner = false;   // hidden while its owner is minimised
    LONG_PTR user_data = 0;
    std::vector<unsigned char> extra;
    HMENU system_menu = nullptr;
    HWND active_before = nullptr;  // the window that was active when this one became active

    // Painting
    bool update_pending = false;
    RECT update{};               // client coordinates
    bool erase_pending = false;
    bool needs_begin_paint = false;  // WM_PAINT dispatched, BeginPaint not yet called
    cairo_surface_t* surface = nullptr;  // top-level windows only
    bool pixels_asked = false;   // given its pixels although windows paint into nothing
    std::vector<HDC> dcs;        // contexts handed out and not yet released

    ScrollBarState hscroll;
    ScrollBarState vscroll;
    bool destroying = false;
    bool created = false;        // WM_CREATE done
    std::unique_ptr<ExtraState> control;  // a predefined control's contents
    std::unique_ptr<ExtraState> dialog;   // the dialog manager's record of a dialog
    HFONT font = nullptr;        // WM_SETFONT of a predefined control
};

struct MenuItem {
    UINT flags = 0;          // MF_ state and type bits, without MF_BYPOSITION
    UINT_PTR id = 0;
    std::string text;
    HMENU popup = nullptr;
};

struct MenuRecord {
    HMENU handle = nullptr;
    bool is_popup = false;
    std::vector<MenuItem> items;
};

struct CursorRecord {
    std::string name;        // "IDC_ARROW", or the resource name
    const ImageResource* image = nullptr;
    bool standard = false;
};

struct CaretState {
    HWND window = nullptr;
    int width = 0;
    int height = 0;
    POINT pos{};
    int hide_count = 1;      // a new caret is hidden until ShowCaret
    int paint_hidden = 0;    // hidden by BeginPaint, shown again by EndPaint
};

// Keyboard and mouse input waiting to be read. The target window is found
// when the message is taken, as Windows does for input.
struct InputEvent {
    UINT message = 0;
    WPARAM wparam = 0;       // virtual key or character; for mouse, the button flags
    LPARAM key_data = 0;     // keyboard lParam
    POINT screen{};          // mouse messages
    bool relative = false;   // `screen` is a move from where the pointer is when the event is taken
    HWND target = nullptr;   // when set, goes to this window (typed characters use the focus)
    bool double_click = false;  // second button-down of a double click
    bool text_follows = false;  // a key whose characters come as typed text of their own, not from TranslateMessage
    int hit = 0;             // a button-down on a frame: its hit-test code (HTMENU, ...), 0 in a client area
    bool after_frame_press = false;  // the button-up after such a press: only a tracking loop (holding the capture) takes it
};

// What the frames show of a person's hand at work: the menu-bar item
// selected by the keyboard or open, the caption button held down.
inline constexpr int kSystemMenuPlace = -2;  // the menu bar's place of the system menu
struct FrameHandState {
    HWND menu_bar_window = nullptr;
    int menu_bar_item = -1;      // or kSystemMenuPlace
    bool menu_bar_open = false;
    HWND pressed_window = nullptr;
    int pressed_part = 0;        // HTMINBUTTON, HTMAXBUTTON, HTCLOSE
    bool alt_alone = false;      // Alt went down and no other key since
    bool f10_down = false;
};

struct UserState {
    uintptr_t next_handle = 0x1000;
    ATOM next_atom = 0xC000;
    std::map<std::string, std::shared_ptr<ClassRecord>> classes;  // key: upper-case name
    std::unordered_map<uintptr_t, std::unique_ptr<WindowRecord>> windows;
    std::vector<HWND> top_levels;   // z-order, bottom first; owned windows above their owner
    // The last look for a window to paint found none, and since then no
    // window was invalidated, made, moved under another or shown: a program
    // that peeks at its queue for every line of a run need not look again.
    bool nothing_to_paint = false;
    std::unordered_map<uintptr_t, std::unique_ptr<MenuRecord>> menus;
    std::unordered_map<uintptr_t, std::vector<ACCEL>> accelerators;
    std::unordered_map<uintptr_t, CursorRecord> cursors;
    std::map<std::string, HCURSOR> cursor_by_name;
    std::unordered_map<uintptr_t, std::string> icons;

    std::deque<MSG> posted;
    std::deque<InputEvent> input;
    bool quit_posted = false;
    int quit_code = 0;
    DWORD clock = 0;             // message time: advances by one per message taken
    MSG last_message{};

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND mouse_tracked = nullptr;  // hears WM_MOUSELEAVE when the pointer leaves its client area
    HWND main_window = nullptr;  // the first top-level window without an owner
    CaretState caret;
    HCURSOR cursor = nullptr;
    int cursor_show_count = 0;
    POINT cursor_pos{};
    BYTE key_down[256] = {};     // as of the last input message taken
    std::deque<DWORD> keys_typed_as_text;  // times of key messages TranslateMessage makes no characters of

    int screen_width = 1024;
    int screen_height = 768;
    cairo_surface_t* desktop_surface = nullptr;
    std::vector<HDC> desktop_dcs;
    HBRUSH sys_brushes[32] = {};
    FrameHandState hand;
};

UserState& state();
// Destroys every window, menu and table and empties the queues.
void reset_user_state();

WindowRecord* find_window(HWND window);
std::shared_ptr<ClassRecord> find_class(LPCSTR name);
MenuRecord* find_menu(HMENU menu);
HANDLE new_handle();
std::string upper_ascii(const char* text);

// Geometry (window.cpp)
RECT nonclient_insets(const WindowRecord& w);
// The outer frame's width: 4 sizing, 3 dialog (and a minimised window's
// strip), 1 a thin border, 0 none; client edges not counted.
int frame_thickness(const WindowRecord& w);
RECT client_rect_in_parent(const WindowRecord& w);   // client area in the parent's client coordinates (or screen)
POINT client_origin_on_screen(const WindowRecord& w);
POINT client_origin_on_surface(const WindowRecord& w);
HWND top_level_of(HWND window);
bool is_drawable(const WindowRecord& w);    // visible with all its ancestors
RECT visible_client_rect(const WindowRecord& w);  // client coordinates, clipped by the ancestors
// Hit test from a screen point: the deepest visible, enabled window there.
HWND window_from_screen_point(POINT screen);
void send_size_after_frame_change(HWND window, RECT old_client);

// Messages (message_queue.cpp)
LRESULT send_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Takes the next message as GetMessage would, without waiting. False when
// nothing is there.
bool take_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
// For loops that track the pointer: takes the next message (WM_QUIT
// included), waiting for input as GetMessageA does but at most `wait_ms` on
// the tick clock (-1: as long as it takes). 1: a message; 0: the time came;
// -1: nothing can come any more (the run is over).
int take_message_within(MSG* msg, long wait_ms);
void drop_messages_for(HWND window);

// Painting (paint.cpp)
void invalidate_window(HWND window, const RECT* rect, bool erase, bool children);
void validate_window(HWND window, const RECT* rect);
HWND next_window_to_paint(HWND filter);
void resize_surface(WindowRecord& w);
// Whether windows keep their pixels (the default). Off, a top-level window
// paints into a surface of one pixel until something asks for its pixels.
bool window_pixels_kept();
void set_window_pixels_kept(bool kept);
// A top-level window that painted into nothing gets its pixels and is
// painted whole again (at the next settle) before it is looked at.
void give_window_pixels(HWND top_level);
// Runs the program's screen-read hook, if it set one.
void before_screen_read();
void free_window_surface(WindowRecord& w);
void release_window_dcs(WindowRecord& w);
void draw_nonclient(HWND top_level);
// The menu bar's items in screen coordinates, one a menu item (a separator's is empty).
std::vector<RECT> menu_bar_items(HWND top_level);
// What part of a window's frame lies at a screen point: HTVSCROLL or
// HTHSCROLL on the scroll bar of the window there (a child's too), else
// the top-level window's HTMENU, HTCAPTION, HTSYSMENU, a caption button, a
// sizing border or corner, HTBORDER; 0 in a client area or off every window.
int nonclient_hit(POINT screen);
cairo_surface_t* desktop_surface();
// The frame's drawing: a colour, a filled box (nothing when empty).
void set_colour(cairo_t* cr, COLORREF c);
void fill(cairo_t* cr, double x, double y, double w, double h, COLORREF c);

// Menus (menu.cpp)
// An item's text as shown: "&" marks dropped, what follows a tab left out.
std::string menu_label(const std::string& text);
void destroy_menu_tree(HMENU menu);
// Finds the item with this command id (searching popups). Outputs the menu
// holding it and its position; also the chain of popups from the top.
bool find_menu_command(HMENU menu, UINT id, std::vector<std::pair<HMENU, int>>* path);

// Menus worked by a person's hand (menu_window.cpp): a popup menu shown as a
// window at a screen point until an item is chosen (its id) or it is
// dismissed (0); a click on a window's menu bar opens the item's popup and
// sends the chosen command.
UINT track_popup_window(HMENU menu, HWND owner, POINT at);
void track_menu_bar(HWND window, POINT screen);

// A menu bar worked from the keyboard (SC_KEYMENU): 0 selects the bar (a
// window without one, its system menu), a character opens the popup it
// underlines, ' ' the system menu. The system menu stands left of the
// bar's first title, as the arrows reach it.
void keyboard_menu(HWND window, WPARAM key);
// The system menu opened under the window's icon (from the keyboard, its
// first item highlighted); the command chosen goes to the window as
// WM_SYSCOMMAND.
void track_system_menu(HWND window, bool by_key);

// A message box as a dialog window, for a person to answer.
int run_message_box_window(HWND owner, const char* text, const char* caption, UINT type);
// The same box shown, painted and left to the caller to destroy: how a
// script sees a box it answers.
HWND show_message_box_window(const char* text, const char* caption, UINT type);

// The frame worked by hand (frame_tracking.cpp). Rectangles are in screen
// coordinates, empty where the window has no such part.
struct CaptionLayout {
    RECT caption{};
    RECT icon{};       // the system-menu icon
    RECT minimize{};   // restore on a minimised window
    RECT maximize{};   // restore on a maximised window
    RECT close{};
};
CaptionLayout caption_layout(const WindowRecord& w);
// The system command a caption button gives (SC_MINIMIZE, SC_RESTORE, ...),
// and whether the window offers it now.
UINT caption_button_command(const WindowRecord& w, int part);
bool caption_button_enabled(const WindowRecord& w, int part);
// A screen point on a part of the window's frame (HTCAPTION, a caption
// button, HTSYSMENU, a border or corner), for a hand to take; false when
// the window has no such part.
bool frame_part_point(HWND window, int part, POINT* screen);
// The part of a top-level window's frame (not its menu bar) at a point.
int frame_hit(const WindowRecord& w, POINT screen);
// A left press on a part of the frame, from DefWindowProcA; a double click
// on the caption or the icon (false for any other part: a second press).
void frame_button_down(HWND window, int part, POINT screen);
bool frame_double_click(HWND window, int part);
// WM_SETCURSOR over the frame: the sizing arrows on the borders.
LRESULT frame_cursor(HWND window, int part);
// WM_SYSKEYDOWN, WM_SYSKEYUP and WM_SYSCHAR as DefWindowProcA takes them:
// Alt and F10 select the menu bar, Alt+letter opens a popup, Alt+F4 closes.
LRESULT system_key(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// A close asked from outside the program (a window manager's close of the
// desktop window, its Alt+F4): the active window's own system close, as
// Alt+F4 in it would be; a window under a modal one is never closed so.
// False when no window is left to close.
bool close_from_outside();
// SC_MOVE and SC_SIZE chosen from the system menu: the window follows the
// arrow keys or the pointer until Enter or a click (Esc puts it back).
void move_or_size_by_keys(HWND window, UINT command);
// Where a window being minimised goes: the first free place in the row of
// title strips along the bottom of the screen.
RECT minimized_place(HWND window);

// The looks of the frame and of the system's glyphs (frame_look.cpp).
// Caption buttons and the system-menu icon of a top-level window, drawn
// with the frame; `origin` is the window's top-left on the cairo target.
void draw_caption_parts(cairo_t* cr, const WindowRecord& w, POINT origin);
// The left end of the caption's title, and the right end it may reach.
int caption_title_left(const WindowRecord& w);
int caption_title_right(const WindowRecord& w);
// A menu item's check mark, centred in `box`.
void draw_menu_check(HDC dc, RECT box, COLORREF colour);
// One of the message-box icons (IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION,
// IDI_ASTERISK), 32 x 32 at (x, y); false for any other icon.
bool draw_system_icon(HDC dc, int x, int y, HICON icon);

// Mnemonics: the text as shown ("&" markers dropped, "&&" one "&", a menu
// item's tab and what follows cut off), where in it the underlined
// character starts and how long it is, and its key (an upper-case ASCII
// letter or digit; 0 when it has none or another character).
struct Mnemonic {
    std::string label;
    size_t at = std::string::npos;
    size_t length = 0;
    char key = 0;
};
Mnemonic mnemonic_of(const std::string& text, bool menu_item);
// Draws the underline of a mnemonic under text drawn at (x, y) in the context's font.
void underline_mnemonic(HDC dc, int x, int y, const Mnemonic& m, COLORREF colour);

// Focus (focus.cpp)
void forget_window_in_focus_state(HWND window);
void activate_window(HWND window, bool set_focus);
// The window that takes the activation when `leaving` hides or goes: the
// one active before it where that is its owner's or one of the owner's
// popups, else the owner, else the topmost; never a disabled one.
HWND next_active_after(HWND leaving);
// Keeps every owned top-level window above its owner in `top_levels`
// (bottom first): for hit-testing, painting order and activation.
void restack_top_levels();

// Cursors (caret_cursor.cpp)
void hide_caret_for_paint(HWND window);
void show_caret_after_paint(HWND window);

// The desktop's dialog font, "ＭＳ Ｐゴシック" 9 points; menus use it too.
inline constexpr const char* kDesktopDialogFace = "ＭＳ Ｐゴシック"_sjis;
inline constexpr int kDesktopDialogPoints = 9;

// System colours
COLORREF sys_color(int index);

// The black triangle of an arrow button (scroll bars, up-down controls,
// drop-down lists), centred in `box`: its three corners, pixel centres
// included, so a filled polygon with a one-pixel outline covers it.
enum class ArrowDirection { up, down, left, right };
void arrow_triangle(RECT box, ArrowDirection direction, POINT corners[3]);

// Whether WS_HSCROLL and WS_VSCROLL give the window scroll bars of its own
// (a combo box passes them on to its list).
bool has_own_scroll_bars(const WindowRecord& w);

// Scroll bars (scroll_bar.cpp). A bar's parts in the coordinates of `whole`,
// the rectangle the bar takes; rectangles that are empty where there is no
// such part (no thumb on a disabled bar or one without a range).
struct ScrollBarLayout {
    RECT whole{};
    bool vertical = true;
    RECT first{};        // the up or left arrow
    RECT last{};         // the down or right arrow
    RECT thumb{};
    RECT page_before{};  // the channel between the first arrow and the thumb
    RECT page_after{};
};
ScrollBarState* scroll_bar_state(HWND window, int bar);  // SB_HORZ, SB_VERT, SB_CTL
ScrollBarLayout scroll_bar_layout(RECT whole, bool vertical, const ScrollBarState& bar);
ScrollPart scroll_part_at(const ScrollBarLayout& layout, POINT p);
// The position that puts the thumb's start `thumb_start` pixels from the bar's start.
int scroll_position_for_thumb(const ScrollBarLayout& layout, const ScrollBarState& bar, int thumb_start);
// Where a window's own bar (SB_HORZ, SB_VERT) lies on the screen; empty when it has none.
RECT window_scroll_bar_rect(const WindowRecord& w, int bar);
// HTVSCROLL or HTHSCROLL when the screen point is on one of the window's own bars, else 0.
int scroll_bar_hit(HWND window, POINT screen);

// Scroll bars worked by hand (scroll_track.cpp). A press on a window's bar
// (HTVSCROLL, HTHSCROLL) or on a scroll bar control is tracked, with the
// pointer captured, until the button goes up: arrows and channel send their
// step at once and again while held, the thumb follows the pointer.
void track_scroll_bar(HWND window, int hit, POINT screen);
void track_scroll_control(HWND control, POINT screen);
// A turn of the wheel of `notches` (positive: away from the hand, up) at a
// screen point, as the mouse drivers gave it to programs that know no
// wheel: three lines a notch to the window there with a scroll bar (or its
// nearest ancestor with one), vertical or, `sideways`, horizontal.
void post_wheel_scrolls(POINT screen, int notches, bool sideways);

// Predefined controls (controls.cpp): registers the class when `name` is one
// of them; false otherwise.
bool register_predefined_class(LPCSTR name);

}  // namespace platform_user
