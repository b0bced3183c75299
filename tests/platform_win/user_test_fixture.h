// Shared by the window layer's tests: a clean platform per test, and window
// classes whose procedure writes down every message it gets, so that tests
// compare message sequences as tables.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/automation/automation.h"
#include "platform/user/resources.h"
#include "platform/user/winuser.h"

struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// What the recording procedure saw, and per-message replacements of its
// default behaviour (DefWindowProcA).
struct MessageSpy {
    std::vector<SeenMessage> seen;
    std::map<UINT, std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>> handlers;
    bool record = true;

    // The messages of one window, only those listed in `interesting` when it is not empty.
    std::vector<UINT> of(HWND window, const std::vector<UINT>& interesting = {}) const {
        std::vector<UINT> out;
        for (const SeenMessage& m : seen) {
            if (m.window != window) continue;
            if (!interesting.empty() &&
                std::find(interesting.begin(), interesting.end(), m.message) == interesting.end()) {
                continue;
            }
            out.push_back(m.message);
        }
        return out;
    }
    std::vector<SeenMessage> all_of(UINT message) const {
        std::vector<SeenMessage> out;
        for (const SeenMessage& m : seen) {
            if (m.message == message) out.push_back(m);
        }
        return out;
    }
    void clear() { seen.clear(); }
};

inline MessageSpy& spy() {
    static MessageSpy s;
    return s;
}

inline LRESULT recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MessageSpy& s = spy();
    if (s.record) s.seen.push_back(SeenMessage{window, message, wparam, lparam});
    auto it = s.handlers.find(message);
    if (it != s.handlers.end()) return it->second(window, message, wparam, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

inline ATOM register_recording_class(const char* name, UINT style = 0, int extra = 0, LPCSTR menu = nullptr,
                                     HBRUSH background = nullptr) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = recording_proc;
    wc.cbWndExtra = extra;
    wc.hbrBackground = background;
    wc.lpszMenuName = menu;
    wc.lpszClassName = name;
    return RegisterClassA(&wc);
}

class UserTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        clear_program_resources();
        spy().clear();
        spy().handlers.clear();
        spy().record = true;
        automation::set_screen_size(1024, 768);
    }
    void TearDown() override {
        spy().record = false;
        spy().handlers.clear();
        automation::reset();
        clear_program_resources();
        spy().clear();
    }

    static HWND make_frame(const char* title = "Frame", DWORD style = WS_OVERLAPPEDWINDOW, int x = 10,
                           int y = 10, int width = 880, int height = 600, HMENU menu = nullptr) {
        return CreateWindowA("Recorder", title, style, x, y, width, height, nullptr, menu, nullptr, nullptr);
    }
    static HWND make_child(HWND parent, int id, int x, int y, int width, int height,
                           DWORD style = WS_CHILD | WS_VISIBLE) {
        return CreateWindowA("Recorder", "", style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, nullptr);
    }
};

inline RECT client_of(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}
