// What the window layer asks of the automation interface: the user's next
// step when a message loop waits, the answer to a message box or a popup
// menu, and what to do on each PeekMessageA. Only platform/user calls these.
#pragma once

#include <string>

#include "platform/automation/automation.h"
#include "platform/user/winuser.h"

namespace platform_automation {

enum class IdleOutcome {
    progressed,  // a step ran (input may be waiting now); look again
    finished,    // nothing can come any more: the loop should end
};

// GetMessageA found nothing waiting. `wake_in_ms`: the caller looks again
// after that many milliseconds on the tick clock, waiting or not (-1: it
// waits for input only); time a script lets pass goes by up to then.
IdleOutcome on_idle(long wake_in_ms = -1);
// Called at the start of every PeekMessageA: counts the peek and fires the
// presses armed for it.
void on_peek();
// True once the run has failed: loops end, boxes return 0.
bool run_aborted();

// A message box is shown; returns the button, or 0 when nobody answers (the
// run has then failed).
int answer_message_box(HWND owner, const char* text, const char* caption, UINT type);
// A popup menu is shown; returns the chosen command (0 when dismissed).
UINT answer_popup_menu(HMENU menu, HWND owner);

// A modal dialog's loop begins and ends (caption in Shift-JIS): logged, and
// while one waits the user's acts are not worked off outside its loop.
void modal_dialog_begins(HWND dialog, const std::string& caption);
void modal_dialog_ends(HWND dialog, INT_PTR result);

// A loop of the window layer's own begins and ends: one that tracks the
// pointer with a button held (a scroll bar's, a frame's drag), or a menu
// worked by hand. The acts of a test or script are worked off by that loop,
// and a script that ends meanwhile fails (`what` names the loop, UTF-8).
void tracking_loop_begins(const std::string& what);
void tracking_loop_ends();

// A common dialog or the folder browser asks the user; `title` (Shift-JIS)
// names it in the log. `answered`: an answer given beforehand is in
// *answer; `window`: its window is to wait for the user; `failed`: the run
// has failed (or the answer kept is for another kind of dialog).
enum class CommonDialogAsk { answered, window, failed };
CommonDialogAsk ask_common_dialog(automation::CommonDialogKind kind, const std::string& title,
                                  automation::CommonDialogAnswer* answer);
// Its window waits: a person works it, or a test's acts and script steps
// do, from its loop; an answer they give meanwhile is taken (once) with
// take_common_dialog_answer. A script that ends meanwhile fails the run.
void common_dialog_window_begins(HWND dialog, automation::CommonDialogKind kind, const std::string& title);
bool take_common_dialog_answer(HWND dialog, automation::CommonDialogAnswer* answer);
void common_dialog_window_ends(HWND dialog);
// It is over: what was chosen (Shift-JIS), for the records and the log.
void common_dialog_result(automation::CommonDialogKind kind, const std::string& title, bool ok,
                          const std::string& result);

void record_beep(UINT type);
// A note for the log (dropped input, refused menu commands, ...).
void record_event(const std::string& text);

}  // namespace platform_automation
