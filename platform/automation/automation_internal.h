// The automation interface's state record and the pieces its files share.
#pragma once

#include <deque>
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
    automation::WindowSpec target;
};

enum class WaitKind { none, message_box, popup_menu };

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
    std::vector<std::string> modal_stack;  // descriptions of the modal windows waiting

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
bool parse_key(const std::string& spec, UINT* vk, unsigned* modifiers);

// Actions shared by the API and the script. They do not pump.
bool deliver_menu_command(HWND window, UINT id);
bool deliver_menu_path(HWND window, const std::string& path_utf8);
bool post_key(UINT vk, unsigned modifiers);
bool post_click(HWND window, int x, int y, UINT down, UINT up, bool twice);
bool post_press(HWND window, const std::string& description);
bool post_text(const std::string& sjis);
bool capture_window(HWND window, const std::string& path);
// Works off the queue when no program loop is running.
void settle();

// Runs the next script step; false when none is left.
bool run_next_step();
// True when a step can run while a message box or popup waits.
bool step_allowed_while_waiting(const ScriptStep& step);

}  // namespace platform_automation
