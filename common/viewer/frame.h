// The viewer's frame, shared by the programs: the window classes, the frame
// window with its CONTROL bar (the function buttons and the title and
// counter boxes), the RULER, the CHART view and the status bar; the GDI
// objects that live from start-up to exit; the busy state that greys the
// user interface while a long run is in progress; stepping from function to
// function. What differs between the programs comes from the viewer profile
// and its hooks (viewer_profile.h).
#pragma once

#include <functional>
#include <string>

#include "common/shell/window/recent_menu.h"
#include "common/viewer/viewer_profile.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/winuser.h"

// Child window ids.
enum : int {
    kPageTitleBoxId = 100,
    kPageCounterBoxId = 101,
    kNextButtonId = 300,
    kPreviousButtonId = 301,
    kFirstButtonId = 302,
    kLastButtonId = 303,
    kLinkButtonId = 304,
    kAbortCommandId = 305,
    kControlBarId = 1000,
    kChartId = 3000,
    kRulerId = 4000,
    kStatusBarId = 9000,
};
inline constexpr int kPageButtonCount = 5;
inline constexpr int kControlBarHeight = 23;
inline constexpr int kRulerHeight = 12;
inline constexpr int kStatusBarHeight = 19;

// The menu bar's popups by position, the same in every program.
enum MenuPosition : int {
    kFilePopup = 0,
    kEditPopup,
    kViewPopup,
    kSettingsPopup,
    kGenerationPopup,
    kPrintPopup,
    kOutputPopup,
    kHelpPopup,
    kPopupCount,
};

// The owned windows not yet kept by a module of their own; each is null
// while closed. The source list, the error and the summary windows keep
// their own open flags (source_list_open(), generation_error_window(),
// summary_window()).
struct OwnedWindows {
    HWND layout = nullptr;
    HWND form_editor = nullptr;
    HWND preview = nullptr;
};

// The shell's process-wide state: one record, reset between tests.
struct ShellState {
    HINSTANCE instance = nullptr;
    HWND frame_window = nullptr;
    HWND control_bar = nullptr;
    HWND ruler = nullptr;
    HWND chart = nullptr;
    HWND status_bar = nullptr;
    HWND page_buttons[kPageButtonCount] = {};
    HWND title_box = nullptr;
    HWND counter_box = nullptr;
    HACCEL accelerators = nullptr;
    OwnedWindows owned;

    bool ruler_shown = true;
    bool toolbar_layout = false;  // no program of ours has a tool bar
    bool status_bar_shown = true;
    HWND cursor_window = nullptr;
    int view_height = 500;
    int view_width = 880;
    int visible_lines = 0;

    // GDI objects (the view's own pens, brushes and fonts belong to the
    // program's view).
    HFONT gauge_font = nullptr;
    HFONT list_font = nullptr;
    HFONT dialog_font = nullptr;
    HFONT button_font = nullptr;
    HBRUSH source_background_brush = nullptr;
    HCURSOR clock_cursors[8] = {};
    HCURSOR arrow_cursor = nullptr;
    HBITMAP pad_bitmap = nullptr;
    HBITMAP source_bitmap = nullptr;
    HBITMAP form_bitmap = nullptr;

    // Busy state: the cursor shown before it.
    HCURSOR kept_cursor = nullptr;
    // The text set_status_text last put into the status bar.
    std::string kept_status_text;
    // After a single run that made more functions than a document shows:
    // the status text that says so and names the last one shown ("" after
    // any other run). The commands that open the document afterwards show
    // it again over the loading texts.
    std::string left_out_functions_text;

    // Common-dialog records of the print and font commands.
    PRINTDLGA print_dialog{};
    LOGFONTA print_font{};
    CHOOSEFONTA font_dialog{};

    RecentMenuState recent_menu;
    std::string text_output_name;  // the text output's file
    std::string batch_list_name;   // the batch generation's list
    int open_filter_index = 1;
    int kept_tab_width = 0;

    // Asks an open form editor to close (true when it did or none is open).
    std::function<bool()> close_form_editor;

    void reset();
};

ShellState& shell();

// 1 when every class is registered, 0 when one fails: the frame's family
// (the program's class, TOOLS, CONTROL, MSG, RULER, TEXT), CHART, then the
// owned windows' classes.
int register_window_classes(HINSTANCE instance);

LRESULT frame_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT text_box_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT ruler_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// CONTROL bar, RULER, CHART, status bar, then the page buttons and the
// status boxes; the fonts first. 0.
int create_frame_children(HWND frame);
// Fonts are made with the children; cursors, bitmaps, then the program's
// pens and brushes in the settings' colours.
void create_gdi_objects(HWND frame);
void free_gdi_objects(HWND frame);
// The source list's brush made afresh in the settings' colours.
void recreate_source_colours();

void layout_frame_children(HWND frame);
void draw_control_bar_edge();
void draw_sunken_frame(HDC dc, const RECT& rect);
// The light-grey ruler face with its white top and grey bottom line.
void draw_ruler_face(HDC dc, const RECT& client);
// A divider of the ruler at x: grey at x - 1, white at x, inside the face.
void draw_ruler_divider(HDC dc, int x, const RECT& client);

// Destroys the owned windows that are open: the layout window, the source
// list, the error window, the form editor and the summary window, in that
// order (closing the frame).
void destroy_owned_windows();
// The ones a newly opened document makes stale: layout, source list, error
// and summary windows.
void destroy_document_windows();

// Frame title, title box, counter box and the function buttons.
void update_title_and_status();
// Greys or enables what needs a document.
void set_document_menus(int has_document);
// 0 enters the busy state, non-zero leaves it.
void set_busy_state(int idle);

// "ファイル読み込み", the caption of the boxes about files that cannot be read.
inline constexpr auto& kReadFileCaption = "ファイル読み込み"_sjis;

// The file a recent-files command names, in *name. kNoRecentEntry when the
// id names no entry; kRecentGone when the file is no longer there (a box
// with its name and message 100 told it, the status line cleared).
enum RecentPick : int { kRecentFound = 0, kNoRecentEntry = 1, kRecentGone = 2 };
RecentPick pick_recent_file(UINT command_id, std::string* name);

// mode 1 shows the text in the status bar, any other mode the default
// (empty) text.
void set_status_text(int mode, const std::string& text);
// Labels button 304 "連動[F5]" or "非連動[F5]".
void set_link_button_label(bool on);
// The ruler command: flips the ruler and lays the children out again.
void toggle_ruler();

// Saves the frame's window rectangle as the main placement (nothing while
// it is minimised).
void save_frame_placement();

// The title box's text: the title cut to 128 bytes at a character boundary
// (127 when byte 128 is the second byte of a character).
std::string page_title_for_box(const std::string& title);

// Stepping through the document's pages or functions, for the function
// buttons and keys. Each returns 0 when it moved, else the number of the
// message it showed in the status bar after a beep: 117 or 118 without a
// loaded document, 603 at the first, 604 at the last. After a move the
// program's view shows the new one, the source list follows in linked mode
// and the layout window learns its region.
enum PageStep : int { kNextPage = 0, kPreviousPage = 1 };
enum PageEnd : int { kFirstPage = 0, kLastPage = 1 };
struct DocumentStepHooks {
    std::function<void(int mode, const std::string& text)> set_status_text;
    std::function<void()> show_current;
    std::function<void()> follow_source;
    std::function<void()> update_layout_region;
};
int step_document(int direction, const DocumentStepHooks& hooks);
int jump_document_end(int which, const DocumentStepHooks& hooks);
