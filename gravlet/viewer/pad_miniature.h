// The PAD miniature: GRAVLET's layout window, the current function's PAD at
// 1/2, 1/3, 1/4, 1/5 or 1/10 with the rectangle of the part CHART shows.
#pragma once

#include "common/viewer/layout_view.h"

// Its zoom commands (the popup of "倍率").
inline constexpr UINT kFirstPadZoomCommand = 20993;

// Makes the shared layout window the PAD miniature; the classes with
// GRAVLET's magnifier.
void install_pad_miniature();
int register_pad_miniature_classes(HINSTANCE instance);

// Opens it over CHART's client area (nothing when it is open).
void open_pad_miniature(HWND parent, int x1, int y1, int x2, int y2);
// After a change of CHART's view: the rectangle follows; nothing when closed.
void set_pad_miniature_region(int x1, int y1, int x2, int y2);

// The tallest cell of a row in lines (0 past the last row).
int pad_row_height(int row);
// The miniature's scroll limits: the widest column it scrolls to and the
// largest first row that still fills it.
int pad_miniature_horizontal_limit();
int pad_miniature_largest_first_row();
