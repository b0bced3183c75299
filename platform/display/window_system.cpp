#include "platform/display/window_system.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform_display {

bool keyboard_taken_away(const SDL_Event& e) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (e.type != SDL_SYSWMEVENT || e.syswm.msg == nullptr || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
    // a grab of the keyboard (a window manager's key binding) takes the focus for its while
    const XEvent& x = e.syswm.msg->msg.x11.event;
    return x.type == FocusOut && (x.xfocus.mode == NotifyGrab || x.xfocus.mode == NotifyWhileGrabbed);
#else
    (void)e;
    return false;
#endif
}

}  // namespace platform_display
