#include "common/shell/window/shell_windows_setup.h"

#include <algorithm>

#include "common/shell/document.h"
#include "platform/gdi/wingdi.h"

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

int register_window_class_rows(HINSTANCE instance, std::span<const WindowClassRow> rows) {
    for (const WindowClassRow& row : rows) {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = row.procedure;
        wc.hInstance = instance;
        wc.hIcon = row.icon ? LoadIconA(instance, "Icon") : nullptr;
        wc.hCursor = row.cursor;
        wc.hbrBackground = row.background;
        wc.lpszMenuName = row.menu;
        wc.lpszClassName = row.name;
        if (wc.lpfnWndProc == nullptr || RegisterClassA(&wc) == 0) return 0;
    }
    return 1;
}

void draw_etched_line(HDC dc, int width) {
    HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
    HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dc, grey);
    MoveToEx(dc, 2, 0, nullptr);
    LineTo(dc, width - 2, 0);
    SelectObject(dc, white);
    MoveToEx(dc, 2, 1, nullptr);
    LineTo(dc, width - 2, 1);
    SelectObject(dc, old);
    DeleteObject(grey);
    DeleteObject(white);
}
