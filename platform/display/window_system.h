// What the window system under SDL says that SDL's own events leave out,
// kept apart so that its headers meet nothing of the platform's.
#pragma once

union SDL_Event;

namespace platform_display {

// Whether the event is the window system taking the keyboard from the
// window for a while: a key of the window manager's (its window menu, its
// window switching, its close) went to it, not to the program.
bool keyboard_taken_away(const SDL_Event& e);

}  // namespace platform_display
