// A tiny program for the automation tests: a frame with a menu and an
// accelerator, a message box or two, and a long run that pumps messages with
// PeekMessageA under a modeless meter whose cancel button stops it.
#pragma once

#include <cstdio>

#include "platform/gdi/wingdi.h"
#include "platform/user/resources.h"
#include "platform/user/winuser.h"
#include "tests/platform_win/user_test_fixture.h"

namespace tiny {

enum : UINT {
    ID_OPEN = 100,
    ID_RUN = 200,
    ID_EXIT = 300,
    ID_ABOUT = 400,
    ID_CANCEL = 500,
};

inline const MenuItemTemplate file_items[] = {
    {MF_STRING, ID_OPEN, "&Open..."},
    {MF_STRING, ID_RUN, "&Run\tF5"},
    {MF_SEPARATOR},
    {MF_STRING, ID_EXIT, "E&xit"},
};
inline const MenuItemTemplate help_items[] = {
    {MF_STRING, ID_ABOUT, "&About"},
};
inline const MenuItemTemplate bar_items[] = {
    {MF_POPUP, 0, "&File", file_items},
    {MF_POPUP, 0, "&Help", help_items},
};
inline const MenuResource menus[] = {{"TINY_menu", bar_items}};
inline const ACCEL accelerator_entries[] = {{FVIRTKEY, VK_F5, ID_RUN}};
inline const AcceleratorResource accelerators[] = {{"TINY_accl", accelerator_entries}};
inline const ResourceTable resources{"tiny", menus, accelerators};

struct Globals {
    HWND frame = nullptr;
    HWND meter = nullptr;
    bool busy = false;
    bool abort = false;
    int units_done = 0;
};

inline Globals& globals() {
    static Globals g;
    return g;
}

inline LRESULT button_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window) {
            ReleaseCapture();
            SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), 0),
                         reinterpret_cast<LPARAM>(window));
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

inline LRESULT meter_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && LOWORD(wparam) == ID_CANCEL) {
        MessageBeep(0);
        globals().abort = true;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

inline void run_long_job() {
    Globals& g = globals();
    g.busy = true;
    g.abort = false;
    EnableMenuItem(GetMenu(g.frame), ID_RUN, MF_BYCOMMAND | MF_GRAYED);
    g.meter = CreateWindowA("TinyMeter", "Meter", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 340, 200, g.frame,
                            nullptr, nullptr, nullptr);
    CreateWindowA("TinyButton", "Cancel", WS_CHILD | WS_VISIBLE, 130, 130, 80, 24, g.meter,
                  reinterpret_cast<HMENU>(static_cast<uintptr_t>(ID_CANCEL)), nullptr, nullptr);
    g.units_done = 0;
    for (int unit = 0; unit < 100 && !g.abort; ++unit) {
        MSG m;
        if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        ++g.units_done;
    }
    DestroyWindow(g.meter);
    g.meter = nullptr;
    g.busy = false;
    EnableMenuItem(GetMenu(g.frame), ID_RUN, MF_BYCOMMAND | MF_ENABLED);
    char text[64];
    if (g.abort) {
        std::snprintf(text, sizeof text, "cancelled after %d units", g.units_done);
    } else {
        std::snprintf(text, sizeof text, "done");
    }
    MessageBoxA(g.frame, text, "Run", MB_OK | MB_ICONINFORMATION);
}

inline LRESULT frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Globals& g = globals();
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case ID_OPEN:
            if (MessageBoxA(window, "Open a file?", "Tiny", MB_YESNO | MB_ICONQUESTION) == IDYES) {
                SetWindowTextA(window, "Tiny - opened");
            } else {
                MessageBeep(MB_ICONHAND);
            }
            return 0;
        case ID_RUN:
            run_long_job();
            return 0;
        case ID_EXIT:
            DestroyWindow(window);
            return 0;
        case ID_ABOUT:
            MessageBoxA(window, "Tiny 1.0", "Tiny", MB_OK);
            return 0;
        default:
            return 0;
        }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT band{0, 0, 100, 20};
        FillRect(dc, &band, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CLOSE:
        if (g.busy) return 0;
        return DefWindowProcA(window, message, wparam, lparam);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

inline int win_main(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    globals() = Globals{};
    register_program_resources(&resources);
    WNDCLASSA wc{};
    wc.lpfnWndProc = frame_proc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = "tiny_MENU";
    wc.lpszClassName = "TINYFRAME";
    if (!RegisterClassA(&wc)) return 1;
    wc.lpfnWndProc = meter_proc;
    wc.lpszMenuName = nullptr;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = "TinyMeter";
    RegisterClassA(&wc);
    wc.lpfnWndProc = button_proc;
    wc.lpszClassName = "TinyButton";
    RegisterClassA(&wc);
    HACCEL accelerators = LoadAcceleratorsA(instance, "tiny_ACCL");
    HWND frame = CreateWindowA("TinyFrame", "Tiny", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr,
                               instance, nullptr);
    if (!frame) return 1;
    globals().frame = frame;
    ShowWindow(frame, show);
    UpdateWindow(frame);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0)) {
        if (TranslateAcceleratorA(frame, accelerators, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    DestroyAcceleratorTable(accelerators);
    return static_cast<int>(m.wParam);
}

// Tests that run the tiny program under a script (its relative names taken
// from `directory`).
class ProgramFixture : public UserTest {
protected:
    int run(const std::string& script, const std::string& directory = "") {
        std::string error;
        EXPECT_TRUE(automation::load_script(script, directory, &error)) << error;
        return automation::run_program(win_main);
    }
};

}  // namespace tiny
