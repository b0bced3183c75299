// The keys that scroll the viewers' page, PAD, chart and miniature views:
// the arrows a line or a column, Page Up and Page Down a page, Tab a page
// to the right and Shift+Tab one to the left.
#pragma once

#include "platform/user/winuser.h"

struct ScrollKeyStep {
    bool horizontal = false;
    int code = 0;  // the scroll-bar code (SB_LINEUP, ...)
};

// The step of a key; false for a key that does not scroll.
bool scroll_step_of_key(WPARAM key, ScrollKeyStep& step);
