#include "common/shell/window/shell_windows_setup.h"

#include <algorithm>

#include "common/shell/document.h"

ShellWindowsSetup& shell_windows_setup() {
    static ShellWindowsSetup setup;
    return setup;
}

bool& shell_abort_flag() {
    bool* flag = shell_windows_setup().abort_flag;
    return flag ? *flag : document_state().abort;
}

void center_over_frame(HWND window, HWND frame) {
    RECT own{};
    if (!GetWindowRect(window, &own)) return;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    RECT over{0, 0, screen_width, screen_height};
    if (frame && IsWindow(frame)) GetWindowRect(frame, &over);
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    x = std::max(0, std::min(x, screen_width - width));
    y = std::max(0, std::min(y, screen_height - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
