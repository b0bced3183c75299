// NOTARIX's frame: the window classes, the frame window with its CONTROL
// bar (page buttons and the title and counter boxes), the RULER column
// gauge, the CHART page view and the status bar; the GDI objects that live
// from start-up to exit; the busy state that greys the user interface while
// a long run is in progress.
#pragma once

#include <functional>
#include <string>

#include "common/shell/window/recent_menu.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/commdlg.h"
#include "platform/user/winuser.h"

inline constexpr char kFrameClass[] = "NOTARIX";
inline constexpr char kProgramTitle[] = "NOTARIX";

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

// Menu items that need a document, and the menu bar's popups by position.
enum : UINT {
    kEditorCommand = 8195,
    kGenerateCommand = 20484,
    kGenerationErrorsCommand = 20485,
    kColumnGaugeCommand = 16393,
    kLinkedModeCommand = 16400,
};
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
    bool toolbar_layout = false;  // NOTARIX never has a tool bar
    bool status_bar_shown = true;
    HWND cursor_window = nullptr;
    int view_height = 500;
    int view_width = 880;
    int visible_lines = 0;

    // GDI objects (the page fonts, form-line pen and page-background brush
    // belong to the page view's ScreenObjects).
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

// 1 when every class is registered, 0 when one fails.
int register_window_classes(HINSTANCE instance);

LRESULT frame_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT text_box_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT ruler_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// CONTROL bar, RULER, CHART, status bar, then the page buttons and the
// status boxes; the fonts first. 0.
int create_frame_children(HWND frame);
// Fonts, cursors, bitmaps, the pen and brushes in the settings' colours.
void create_gdi_objects(HWND frame);
void free_gdi_objects(HWND frame);
// The page view's objects and the CHART background made afresh in the
// settings' colours (after a colour command).
void recreate_colour_objects();

void layout_frame_children(HWND frame);
void set_page_scroll_ranges();
void draw_column_gauge();
void draw_control_bar_edge();
void draw_sunken_frame(HDC dc, const RECT& rect);

// Destroys the owned windows that are open: the layout window, the source
// list, the error window, the form editor and the summary window, in that
// order (closing the frame).
void destroy_owned_windows();
// The ones a newly opened document makes stale: layout, source list, error
// and summary windows.
void destroy_document_windows();

// Frame title, page title box, page counter box and the paging buttons.
void update_title_and_status();
// Greys or enables what needs a document.
void set_document_menus(int has_document);
// 0 enters the busy state, non-zero leaves it.
void set_busy_state(int idle);
// Removes at most one waiting message, translates and dispatches it.
void pump_one_message();

// mode 1 shows the text in the status bar, any other mode the default
// (empty) text.
void set_status_text(int mode, const std::string& text);
// Labels button 304 "連動[F5]" or "非連動[F5]".
void set_link_button_label(bool on);
// The column-gauge command: flips the ruler and lays the children out again.
void toggle_column_gauge();

// Saves the frame's window rectangle as the main placement (nothing while
// it is minimised).
void save_frame_placement();

// The title box's text: the page title cut to 128 bytes at a character
// boundary (127 when byte 128 is the second byte of a character).
std::string page_title_for_box(const std::string& title);
