// The desktop face of the platform: one SDL window on the user's desktop
// shows the virtual screen, and the person's mouse, keys and input-method
// text become the same input messages a script sends. Only the process
// entry (platform/main) and the display's own tests use this.
#pragma once

#include <memory>
#include <string>

namespace platform_display {

// Whether the environment names a desktop to show windows on (DISPLAY or
// WAYLAND_DISPLAY).
bool desktop_named();

// A long run peeks thousands of times a second; the window system is asked
// for input at most once in this many milliseconds while the program only
// peeks (waiting reads it at once).
constexpr unsigned kPollInputMs = 10;

class Desktop {
public:
    virtual ~Desktop() = default;
};

// Opens the window and attaches it to the window layer until the result is
// destroyed. `person`: its input is a person's (no script runs); otherwise it
// only shows what a script does. Nullptr, with the reason, when no window
// can be opened.
std::unique_ptr<Desktop> open_desktop(bool person, std::string* why);

}  // namespace platform_display
