// The layout window of GRAVLET and ORBALINE scrolled by its bars and keys,
// step by step: after each the rectangle must stand, at full scale, on the
// part of the content the main view shows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/viewer/layout_view.h"
#include "platform/automation/automation.h"

// `view` is the main view's origin in content pixels at full scale; a
// picture of the window one row down is written to `picture`. How many
// steps moved the window's first row.
inline int scroll_layout_keeping_the_rectangle(POINT view, const std::string& picture) {
    const LayoutViewState& s = layout_view();
    const struct {
        const char* name;
        UINT message;  // WM_VSCROLL, WM_HSCROLL or WM_KEYDOWN
        WPARAM code;
    } steps[] = {
        {"a row down by the bar", WM_VSCROLL, SB_LINEDOWN},
        {"a page down", WM_VSCROLL, SB_PAGEDOWN},
        {"Down", WM_KEYDOWN, VK_DOWN},
        {"Page Down", WM_KEYDOWN, VK_NEXT},
        {"Tab sideways", WM_KEYDOWN, VK_TAB},
        {"a column right", WM_HSCROLL, SB_LINERIGHT},
        {"Up", WM_KEYDOWN, VK_UP},
        {"to the end", WM_VSCROLL, SB_BOTTOM},
        {"back to the top", WM_VSCROLL, SB_TOP},
    };
    // where the rectangle's corner stands in the content at full scale
    const auto corner = [&s] {
        return POINT{static_cast<LONG>(static_cast<float>(s.region.left - 2) / s.zoom) + s.offset * 7,
                     static_cast<LONG>(static_cast<float>(s.region.top - 2) / s.zoom) +
                         s.content->row_top_pixels(s.top_row)};
    };
    const LONG slack = static_cast<LONG>(2 / s.zoom) + 1;
    int moved = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const int top_row = s.top_row;
        SendMessageA(s.window, step.message, step.code, 0);
        moved += s.top_row != top_row ? 1 : 0;
        const POINT at = corner();
        EXPECT_NEAR(at.x, view.x, slack);
        EXPECT_NEAR(at.y, view.y, slack);
        EXPECT_EQ(s.region.right - s.region.left, s.region.width);
        if (step.message == WM_VSCROLL && step.code == SB_LINEDOWN) automation::capture_png(s.window, picture);
    }
    return moved;
}
