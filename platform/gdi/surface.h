// What the window layer uses to let programs draw into its windows: a device
// context over a cairo image surface that the window layer owns, and PNG
// capture of such a surface.
#pragma once

#include <cairo.h>

#include "platform/types.h"

// A device context that draws into `surface` (an image surface, ARGB32 or
// RGB24). Device point (0, 0) of the context is pixel (origin_x, origin_y) of
// the surface, so a child window's context draws in its own client
// coordinates. `clip`, when given, limits drawing to that rectangle in the
// context's device coordinates (the client area, or the update rectangle
// during a paint); without it only the surface's bounds limit drawing.
// The context keeps a reference to the surface until it is released, and
// reports `window` from WindowFromDC. Returns nullptr for a null surface.
HDC create_surface_dc(cairo_surface_t* surface, HWND window, int origin_x, int origin_y, const RECT* clip);

// Ends a context made by create_surface_dc: everything drawn is flushed to the
// surface, the objects selected into it are deselected (not deleted), and the
// handle becomes invalid. Other kinds of context are left alone.
void release_surface_dc(HDC dc);

// Writes the surface as a PNG file. False when the surface is null or the
// file cannot be written.
bool save_surface_png(cairo_surface_t* surface, const char* path);

// The window a surface context was made for (nullptr for other contexts).
HWND WindowFromDC(HDC dc);

// Screen size reported by GetDeviceCaps(HORZRES/VERTRES) of display
// contexts; the window layer keeps it in step with its system metrics.
void set_gdi_screen_size(int width, int height);
