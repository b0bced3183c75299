// The automation interface's state record and the pieces its files share.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/automation/automation.h"

namespace platform_automation {

struct ScriptStep {
    int line = 0;
    std::string source;             // the line as written (UTF-8)
    std::string verb;
    std::vector<std::string> args;  // raw tokens, quotes kept
};

struct PeekTrigger {
    long remaining = 0;
    automation::WindowSpec target;   // pressed, when there is no act
    std::string description;         // of the act, for the log
    std::function<void()> act;
};

enum class WaitKind { none, message_box, popup_menu };

// A common dialog's window that waits for the user: the answer a step or
// the API gives meanwhile is kept here for its loop to take.
struct CommonDialogWait {
    HWND dialog = nullptr;
    automation::CommonDialogKind kind = automation::CommonDialogKind::any;
    std::string description;  // "the open dialog \"label\""
    size_t depth = 0;         // its place in modal_stack
    bool answered = false;
    automation::CommonDialogAnswer answer;
};

struct State {
    std::vector<std::string> log;
    std::vector<std::string> failures;
    bool aborted = false;

    std::vector<automation::MessageBoxRecord> boxes;
    std::vector<UINT> beeps;
    std::vector<automation::HelpCall> help_calls;
    std::vector<automation::ShellCall> shell_calls;
    int shell_result = 42;

    std::deque<int> pending_answers;
    std::deque<UINT> pending_popups;
    std::vector<PeekTrigger> triggers;

    std::vector<ScriptStep> steps;
    size_t next_step = 0;
    std::string base_directory;
    bool close_sent = false;
    bool program_running = false;
    // What waits in a loop of its own (a modal dialog, a menu, a held button):
    // acts are worked off by that loop, not outside it.
    std::vector<std::string> modal_stack;
    DWORD time_to_pass = 0;                // milliseconds a step let pass that have not gone by yet
    bool pressed_on_frame = false;         // the left button held by mouse-down went down on a frame

    std::vector<automation::CommonDialogRecord> common_dialogs;
    std::deque<automation::CommonDialogAnswer> pending_common;
    std::vector<CommonDialogWait> common_windows;  // common dialogs waiting as windows, innermost last
    std::deque<std::function<void()>> idle_actions;  // a test's acts, run before script steps

    // The modal question being answered by script steps right now.
    WaitKind waiting = WaitKind::none;
    int waiting_box = -1;           // index into boxes
    HMENU waiting_popup = nullptr;
    HWND waiting_owner = nullptr;
    bool answered = false;
    UINT answer = 0;

    HWND accel_window = nullptr;
    HACCEL accel_table = nullptr;
    bool quit_received = false;
    int quit_code = 0;
};

State& state();
void reset_state();

void log_line(const std::string& text);      // as is
void log_event(const std::string& text);     // indented under the step
// A failure of the script: logged and counted; a fatal one ends the run.
void fail(const std::string& message, bool fatal);

std::string quote_sjis(const std::string& sjis);    // "..." in UTF-8 with \n and \" escaped
std::string quote_utf8(const std::string& utf8);
std::string message_box_type_name(UINT type);
std::string button_name(int button);
int parse_button(const std::string& word);        // 0 when unknown
bool parse_key(const std::string& key_text, UINT* vk, unsigned* modifiers);

// Actions shared by the API and the script. They do not pump.
bool deliver_menu_command(HWND window, UINT id);
bool deliver_menu_path(HWND window, const std::string& path_utf8);
bool post_key(UINT vk, unsigned modifiers);
bool post_click(HWND window, int x, int y, UINT down, UINT up, bool twice);
bool post_press(HWND window, const std::string& description);
bool post_drag(HWND window, POINT from, POINT to);
// A press (or two, or a drag by `by`) on a part of a window's frame.
bool post_frame_act(HWND window, int part, int presses, POINT by);
// The HT code of a frame part's name ("caption", "close", "bottom-right", ...); 0 for none.
int frame_part_code(const std::string& name);
// The left button held down at a point of the window (client coordinates;
// a point on its frame presses the frame), and let go where the pointer is.
bool post_mouse_down(HWND window, int x, int y);
bool post_mouse_up();
bool post_wheel(HWND window, int x, int y, int notches, unsigned modifiers);
// Time goes by on the platform's tick clock: at once outside a loop that
// waits, else in steps as that loop waits.
void let_time_pass(DWORD milliseconds);
// The pointer moved to a point of the window's client area, no button down.
bool post_mouse_move(HWND window, int x, int y);
bool post_command(HWND window, UINT id);
bool post_text(const std::string& sjis);
bool capture_window(HWND window, const std::string& path);
// Controls (controls.cpp of this directory).
bool act_type_into(HWND control, const std::string& sjis, bool replace);
bool act_choose_item(HWND control, int index, bool twice);
int find_item(HWND control, const std::string& sjis);  // -1 when no item has the text
bool act_set_checked(HWND control, bool checked);
HWND find_button(HWND root, const std::string& sjis);
// A common dialog answer given by a script step or the API: answers the
// dialog window that waits, or is kept for the next one.
void give_common_answer(const automation::CommonDialogAnswer& answer);
std::string describe_window(HWND window);
// Works off the queue when no program loop is running.
void settle();

// Lets script steps answer the question that waits now (a message box or a
// popup menu); fails the run when none can.
void wait_for_answer(const std::string& description);

// Runs the next script step; false when none is left.
bool run_next_step();
// True when a step can run while a message box or popup waits.
bool step_allowed_while_waiting(const ScriptStep& step);

}  // namespace platform_automation
