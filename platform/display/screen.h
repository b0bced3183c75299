// The virtual screen as a person sees it: the desktop with every visible
// top-level window at its place in z-order, frames and caret included.
#pragma once

#include <cairo.h>

#include <string>

namespace platform_display {

// Composes the whole screen into `target` (an RGB24 image surface of the
// screen's size; a smaller one takes the top left part).
void compose_screen(cairo_surface_t* target);

// The platform's own picture of the screen as PNG; false when it cannot be
// written.
bool save_screen_png(const std::string& path);

// The Print key's picture: screen-0001.png, ... in the state directory's
// "screens" folder, under the first number not yet taken (by this program
// or another). Its path, or "" when it could not be saved.
std::string save_numbered_screen_png();

}  // namespace platform_display
