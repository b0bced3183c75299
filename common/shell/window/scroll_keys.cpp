#include "common/shell/window/scroll_keys.h"

bool scroll_step_of_key(WPARAM key, ScrollKeyStep& step) {
    switch (key) {
    case VK_UP: step = {false, SB_LINEUP}; return true;
    case VK_DOWN: step = {false, SB_LINEDOWN}; return true;
    case VK_PRIOR: step = {false, SB_PAGEUP}; return true;
    case VK_NEXT: step = {false, SB_PAGEDOWN}; return true;
    case VK_LEFT: step = {true, SB_LINELEFT}; return true;
    case VK_RIGHT: step = {true, SB_LINERIGHT}; return true;
    case VK_TAB: step = {true, GetKeyState(VK_SHIFT) < 0 ? SB_PAGELEFT : SB_PAGERIGHT}; return true;
    default: return false;
    }
}
