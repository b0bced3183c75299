// The person's keys in the platform's terms: SDL key codes as the Windows
// virtual keys the programs and the scripts use, and SDL's cursor shapes for
// the standard cursors.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/user/winuser.h"

namespace platform_display {

// 0 for a key the programs never see.
UINT virtual_key_of(SDL_Keycode key);
// Whether SDL also sends the key's characters as text input (printable keys).
bool key_types_text(SDL_Keycode key);
// The SDL shape for a standard cursor name ("IDC_WAIT", ...); the arrow for
// any other.
SDL_SystemCursor system_cursor_of(const std::string& name);

}  // namespace platform_display
