// What the window layer asks of the automation interface: the user's next
// step when a message loop waits, the answer to a message box or a popup
// menu, and what to do on each PeekMessageA. Only platform/user calls these.
#pragma once

#include <string>

#include "platform/user/winuser.h"

namespace platform_automation {

enum class IdleOutcome {
    progressed,  // a step ran (input may be waiting now); look again
    finished,    // nothing can come any more: the loop should end
};

// GetMessageA found nothing waiting.
IdleOutcome on_idle();
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

void record_beep(UINT type);
// A note for the log (dropped input, refused menu commands, ...).
void record_event(const std::string& text);

}  // namespace platform_automation
