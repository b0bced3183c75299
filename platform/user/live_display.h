// The face that shows the virtual screen to a person. A display back end
// (platform/display) attaches itself here; headless, none is attached and
// the automation interface is the only user.
#pragma once

#include "platform/user/winuser.h"

namespace platform_user {

class LiveDisplay {
public:
    virtual ~LiveDisplay() = default;
    // The queue ran empty: show what changed and wait for the person's next
    // input, or `timeout_ms` at most (-1: no limit). False when nothing can
    // come any more (no window is left).
    virtual bool wait_for_input(long timeout_ms) = 0;
    // A long run pumps messages: show the screen now and then and take the
    // input that is waiting, without waiting for more.
    virtual void poll_input() = 0;
    // SetCursor chose another cursor.
    virtual void cursor_changed(HCURSOR cursor) = 0;
};

// `person`: the input is a person's, not a script's: message boxes, menus
// and common dialogs then come up as windows to be worked by hand.
void attach_display(LiveDisplay* display, bool person);
void detach_display();
LiveDisplay* attached_display();
bool person_at_display();

}  // namespace platform_user
