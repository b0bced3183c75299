// The generation error window and the function summary window: one window
// that lists a text file line by line, under a bar with a close button. The
// error window shows the error file of a single, batch or layout run; the
// summary window shows a document's summary file (.fsm). They are two
// configurations of the same code, each with its own classes, globals and
// placement kind.
#pragma once

#include <string>
#include <vector>

#include "platform/user/winuser.h"

enum : int {
    kListBarId = 1000,
    kListBoxId = 1001,
    kListCloseButtonId = 300,
    kListBarHeight = 20,
    kListPieceBytes = 255,  // a longer line is listed in pieces of this size
};

// What one configuration of the window is.
struct ListWindowProfile {
    const char* class_name;      // "CNVERROR"
    const char* bar_class_name;  // "ERRCTRL"
    const char* bar_title;       // "ERRORCTRL"
    int placement_kind;          // WindowKind
    const char* title;           // single runs
    const char* batch_title;     // batch runs (nullptr: as title)
    const char* box_caption;     // of the box for a file that cannot be opened
    int open_error_message;      // its text, "%s" filled with the file name
    // The window's system-menu command that is removed (SC_MINIMIZE, SC_CLOSE).
    UINT removed_system_command;
    // Without a placement the window goes to (200, 100) of the screen, or
    // with this set, 200 and 100 pixels from the frame's client origin.
    bool default_from_frame_client;
    // A file that does not exist shows an empty list rather than the box (a
    // run that had no source leaves no error file).
    bool missing_file_is_empty;
};

extern const ListWindowProfile kNotarixErrorWindow;
extern const ListWindowProfile kNotarixSummaryWindow;

inline constexpr int kListDefaultX = 200;
inline constexpr int kListDefaultY = 100;
inline constexpr int kListDefaultWidth = 702;
inline constexpr int kListDefaultHeight = 398;

class ListWindow {
public:
    explicit ListWindow(const ListWindowProfile& profile, WNDPROC procedure)
        : profile_(&profile), procedure_(procedure) {}

    // The program's configuration; set before the classes are registered.
    void set_profile(const ListWindowProfile& profile) { profile_ = &profile; }
    const ListWindowProfile& profile() const { return *profile_; }

    // 1, or 0 when a registration fails.
    int register_classes(HINSTANCE instance);
    // Opens the window (or reloads it when it is open): the result of
    // load(), or 0 when its list could not be made.
    int open(HWND owner, const std::string& file_name, bool batch);
    // 0, or -1 (after a beep and a message box) when the file cannot be
    // opened; the list then keeps what it had.
    int load(const std::string& file_name, bool batch);
    void close();

    bool is_open() const { return open_; }
    HWND window() const { return window_; }
    HWND bar() const { return bar_; }
    HWND list() const { return list_; }
    HWND button() const { return button_; }
    const std::string& file_name() const { return file_name_; }

    // The state of a program that has shown nothing (the window, if any, is
    // not destroyed).
    void reset();

    LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

private:
    void set_title(bool batch);
    void layout(HWND window);
    void save_placement(HWND window);

    const ListWindowProfile* profile_;
    WNDPROC procedure_;
    bool open_ = false;
    HWND window_ = nullptr;
    HWND bar_ = nullptr;
    HWND list_ = nullptr;
    HWND button_ = nullptr;
    std::string file_name_;
};

// The items a file's lines make: one per line, the line end removed; a line
// longer than 255 bytes gives pieces of at most 255, cut between characters.
std::vector<std::string> list_items_of(const std::string& bytes);

// The generation error window.
ListWindow& generation_error_window();
int register_error_window_classes(HINSTANCE instance);
int open_generation_error_window(HWND owner, const std::string& file_name, bool batch);
int load_error_list(const std::string& file_name, bool batch);
void close_generation_error_window();
LRESULT error_window_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The function summary window.
ListWindow& summary_window();
int register_summary_classes(HINSTANCE instance);
int open_summary_window(HWND owner, const std::string& file_name);
int load_summary_list(const std::string& file_name);
void close_summary_window();
LRESULT summary_window_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
