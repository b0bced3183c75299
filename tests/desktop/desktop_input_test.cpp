// The desktop face at a person's hands: SDL events (pushed as the window
// system would send them, on SDL's dummy video driver) must arrive as the
// platform's input messages, and the window must show the screen the
// platform composed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/automation.h"
#include "platform/display/desktop.h"
#include "platform/display/screen.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/commdlg.h"
#include "platform/user/live_display.h"
#include "platform/user/user_internal.h"

namespace {

constexpr UINT kOpenCommand = 100;
std::vector<UINT> commands_seen;
std::vector<WORD> vertical_scrolls_seen;
int bar_selections_seen = 0;  // the menu bar entered by Alt alone
int leaves_seen = 0;          // WM_MOUSELEAVE

LRESULT main_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) commands_seen.push_back(LOWORD(wparam));
    if (message == WM_SYSCOMMAND && (wparam & 0xFFF0) == SC_KEYMENU && lparam == 0) ++bar_selections_seen;
    if (message == WM_VSCROLL) vertical_scrolls_seen.push_back(LOWORD(wparam));
    if (message == WM_MOUSELEAVE) ++leaves_seen;
    return DefWindowProcA(window, message, wparam, lparam);
}

void push(SDL_Event e) {
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

void push_text(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    push(e);
}

void push_key(SDL_Keycode key, bool down, Uint16 mod = KMOD_NONE, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    push(e);
}

void push_click(POINT at) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = at.x;
    e.motion.y = at.y;
    push(e);
    for (Uint32 type : {Uint32{SDL_MOUSEBUTTONDOWN}, Uint32{SDL_MOUSEBUTTONUP}}) {
        SDL_Event b{};
        b.type = type;
        b.button.button = SDL_BUTTON_LEFT;
        b.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        b.button.clicks = 1;
        b.button.x = at.x;
        b.button.y = at.y;
        push(b);
    }
}

class DesktopInput : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        automation::reset();
        commands_seen.clear();
        vertical_scrolls_seen.clear();
        bar_selections_seen = 0;
        leaves_seen = 0;
        WNDCLASSA wc{};
        wc.lpfnWndProc = main_proc;
        wc.lpszClassName = "DesktopMain";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&wc);
        menu_ = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, kOpenCommand, "&Open...");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING | MF_GRAYED, kOpenCommand + 1, "&Print");
        AppendMenuA(file, MF_STRING, kOpenCommand + 2, "&Find");  // the bar item's own letter
        AppendMenuA(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        main_ = CreateWindowExA(0, "DesktopMain", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 400, 300,
                                nullptr, menu_, nullptr, nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 22, main_,
                                reinterpret_cast<HMENU>(1), nullptr, nullptr);
        automation::run_until_idle();
        std::string why;
        desktop_ = platform_display::open_desktop(true, &why);
        ASSERT_TRUE(desktop_) << why;
    }

    void TearDown() override {
        desktop_.reset();
        automation::reset();
    }

    // Takes what SDL has and works the platform's queue off, until every
    // event pushed, also by an idle step, is read: a peek inside the poll
    // interval does not ask SDL, so each round waits the interval out.
    static void pump() {
        do {
            SDL_Delay(platform_display::kPollInputMs + 1);
            platform_user::attached_display()->poll_input();
            automation::run_until_idle();
        } while (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT));
    }

    static std::string text_of(HWND window) { return automation::window_text(window); }

    HMENU menu_ = nullptr;
    HWND main_ = nullptr;
    HWND edit_ = nullptr;
    std::unique_ptr<platform_display::Desktop> desktop_;
};

TEST_F(DesktopInput, JapaneseTextInputArrivesAsShiftJisCharacters) {
    SetFocus(edit_);
    // An input method commits its text in pieces; each piece is typed.
    push_text("日本語");
    push_text("テキスト");
    pump();
    EXPECT_EQ(text_of(edit_), "\x93\xfa\x96\x7b\x8c\xea\x83\x65\x83\x4c\x83\x58\x83\x67");
}

TEST_F(DesktopInput, PrintableKeyTypesItsCharacterOnceAndEditingKeysStillWork) {
    SetFocus(edit_);
    for (char c : std::string("ab")) {
        push_key(c, true);
        push_text(std::string(1, c).c_str());
        push_key(c, false);
    }
    push_key(SDLK_BACKSPACE, true);
    push_key(SDLK_BACKSPACE, false);
    pump();
    EXPECT_EQ(text_of(edit_), "a");
}

TEST_F(DesktopInput, WindowShowsTheComposedScreenPixelForPixel) {
    SetFocus(edit_);
    push_text("x");
    pump();
    SDL_Delay(50);  // past the refresh interval of a pumping program
    pump();
    SDL_Window* window = SDL_GetWindowFromID(1);
    ASSERT_NE(window, nullptr);
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    ASSERT_NE(renderer, nullptr);
    const platform_user::UserState& s = platform_user::state();
    std::vector<uint32_t> shown(static_cast<size_t>(s.screen_width) * static_cast<size_t>(s.screen_height));
    ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(), s.screen_width * 4), 0)
        << SDL_GetError();
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.screen_width, s.screen_height);
    platform_display::compose_screen(screen);
    const auto* composed = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(screen));
    const int stride = cairo_image_surface_get_stride(screen) / 4;
    long differing = 0;
    for (int y = 0; y < s.screen_height; ++y) {
        for (int x = 0; x < s.screen_width; ++x) {
            if ((composed[y * stride + x] & 0xFFFFFF) != (shown[static_cast<size_t>(y * s.screen_width + x)] & 0xFFFFFF)) {
                ++differing;
            }
        }
    }
    cairo_surface_destroy(screen);
    EXPECT_EQ(differing, 0);
}

// The caret is its window's: a window above it, a popup menu's, hides it.
TEST_F(DesktopInput, TheCaretIsHiddenUnderTheWindowsAbove) {
    ASSERT_TRUE(CreateCaret(main_, nullptr, 6, 12));
    ASSERT_TRUE(SetCaretPos(250, 100));
    ASSERT_TRUE(ShowCaret(main_));
    POINT at{252, 104};
    ClientToScreen(main_, &at);
    const auto pixel = [&] {
        const platform_user::UserState& s = platform_user::state();
        cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.screen_width, s.screen_height);
        platform_display::compose_screen(screen);
        const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(screen));
        const uint32_t p = data[at.y * (cairo_image_surface_get_stride(screen) / 4) + at.x] & 0xFFFFFF;
        cairo_surface_destroy(screen);
        return p;
    };
    const uint32_t face = GetSysColor(COLOR_BTNFACE);
    const uint32_t face_rgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    EXPECT_EQ(pixel(), face_rgb ^ 0xFFFFFF) << "the caret inverts its window";
    HWND popup = CreateWindowExA(0, "DesktopMain", "", WS_POPUP | WS_VISIBLE | WS_BORDER, at.x - 20, at.y - 20, 60, 60,
                                 main_, nullptr, nullptr, nullptr);
    automation::run_until_idle();
    EXPECT_EQ(pixel(), face_rgb) << "the caret shows through the window above";
    DestroyWindow(popup);
    automation::run_until_idle();
    EXPECT_EQ(pixel(), face_rgb ^ 0xFFFFFF);
    DestroyCaret();
}

TEST_F(DesktopInput, ClickOnMenuBarOpensPopupAndClickOnItemSendsCommand) {
    const std::vector<RECT> bar = platform_user::menu_bar_items(main_);
    ASSERT_EQ(bar.size(), 1u);
    HWND popup_seen = nullptr;
    // The popup is a window of its own while the menu waits for the hand.
    automation::when_idle([&] {
        popup_seen = FindWindowA("PlatformPopupMenu", nullptr);
        RECT r{};
        GetWindowRect(popup_seen, &r);
        push_click(POINT{r.left + 30, r.top + 3 + 9});
    });
    push_click(POINT{(bar[0].left + bar[0].right) / 2, (bar[0].top + bar[0].bottom) / 2});
    pump();
    ASSERT_NE(popup_seen, nullptr);
    EXPECT_FALSE(IsWindow(popup_seen));
    EXPECT_EQ(commands_seen, std::vector<UINT>{kOpenCommand});
}

TEST_F(DesktopInput, AltAndALetterOpenTheMenuAndAnItemsLetterChoosesItTypingNothing) {
    SetFocus(edit_);
    automation::when_idle([] {
        // the key, then its text as the window system sends it
        push_key(SDLK_o, true);
        push_text("o");
        push_key(SDLK_o, false);
    });
    // X11 sends Alt+F's letter as text too; it must not choose &Find.
    push_key(SDLK_LALT, true, KMOD_LALT);
    push_key(SDLK_f, true, KMOD_LALT);
    push_text("f");
    push_key(SDLK_f, false, KMOD_LALT);
    push_key(SDLK_LALT, false);
    pump();
    ASSERT_FALSE(commands_seen.empty());
    EXPECT_EQ(commands_seen.back(), kOpenCommand);  // (after the field's focus notices)
    EXPECT_EQ(std::count(commands_seen.begin(), commands_seen.end(), kOpenCommand + 2), 0);
    EXPECT_EQ(text_of(edit_), "");
}

// Alt let go alone selects the menu bar, also after its own auto-repeat;
// Alt that went down with another key does not, whatever repeats after it.
TEST_F(DesktopInput, AltAloneSelectsTheMenuBar) {
    struct Key {
        SDL_Keycode key;
        bool down;
        bool repeat;
    };
    const struct {
        const char* name;
        std::vector<Key> keys;
        int selections;
    } cases[] = {
        {"Alt pressed and let go", {{SDLK_LALT, true, false}, {SDLK_LALT, false, false}}, 1},
        {"Alt held until it repeats", {{SDLK_LALT, true, false}, {SDLK_LALT, true, true}, {SDLK_LALT, false, false}}, 1},
        {"Alt+F12, then Alt's repeat",
         {{SDLK_LALT, true, false}, {SDLK_F12, true, false}, {SDLK_F12, false, false}, {SDLK_LALT, true, true},
          {SDLK_LALT, false, false}},
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bar_selections_seen = 0;
        automation::when_idle([] {
            // leaves the bar when it was selected; else the field ignores it
            push_key(SDLK_ESCAPE, true);
            push_key(SDLK_ESCAPE, false);
        });
        for (const Key& k : c.keys) push_key(k.key, k.down, k.down ? KMOD_LALT : KMOD_NONE, k.repeat);
        pump();
        EXPECT_EQ(bar_selections_seen, c.selections);
        EXPECT_EQ(platform_user::state().hand.menu_bar_window, nullptr);
    }
}

TEST_F(DesktopInput, GreyedItemIsNotChosenAndEscapeDismissesTheMenu) {
    const std::vector<RECT> bar = platform_user::menu_bar_items(main_);
    ASSERT_EQ(bar.size(), 1u);
    automation::when_idle([&] {
        RECT r{};
        GetWindowRect(FindWindowA("PlatformPopupMenu", nullptr), &r);
        // Below the first item and the separator: the greyed one.
        push_click(POINT{r.left + 30, r.top + 3 + 18 + 8 + 9});
        // Esc closes the popup and leaves its title selected; a second leaves the bar.
        for (int i = 0; i < 2; ++i) {
            push_key(SDLK_ESCAPE, true);
            push_key(SDLK_ESCAPE, false);
        }
    });
    push_click(POINT{bar[0].left + 5, bar[0].top + 5});
    pump();
    EXPECT_TRUE(commands_seen.empty());
    EXPECT_EQ(FindWindowA("PlatformPopupMenu", nullptr), nullptr);
}

TEST_F(DesktopInput, MessageBoxIsAWindowAnsweredByTheKeys) {
    std::string caption_seen;
    automation::when_idle([&] {
        caption_seen = text_of(GetActiveWindow());
        push_key(SDLK_TAB, true);
        push_key(SDLK_TAB, false);
        push_key(SDLK_RETURN, true);
        push_key(SDLK_RETURN, false);
    });
    // Tab moves from the default Yes to No; Enter presses it.
    EXPECT_EQ(MessageBoxA(main_, "Save?", "Question", MB_YESNO), IDNO);
    EXPECT_EQ(caption_seen, "Question");
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(DesktopInput, OpenDialogWithoutHookTakesTypedName) {
    char name[260] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = main_;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrFilter = "Sources\0*.c\0";
    automation::when_idle([&] {
        push_text("sample.c");
        push_key(SDLK_RETURN, true);
        push_key(SDLK_RETURN, false);
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_NE(std::string(name).find("sample.c"), std::string::npos);
}

TEST_F(DesktopInput, ACaptionDragMovesTheFrameAScrollArrowStepsAndTheCloseBoxCloses) {
    HWND view = CreateWindowExA(0, "DesktopMain", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 50, 200, 150, main_,
                                nullptr, nullptr, nullptr);
    SetScrollRange(view, SB_VERT, 0, 10, FALSE);
    automation::run_until_idle();
    POINT grab{}, close{};
    ASSERT_TRUE(platform_user::frame_part_point(main_, HTCAPTION, &grab));
    ASSERT_TRUE(platform_user::frame_part_point(main_, HTCLOSE, &close));
    auto motion = [](POINT at) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = at.x;
        e.motion.y = at.y;
        push(e);
    };
    auto button = [](POINT at, bool down, Uint8 clicks = 1) {
        SDL_Event b{};
        b.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        b.button.button = SDL_BUTTON_LEFT;
        b.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        b.button.clicks = clicks;
        b.button.x = at.x;
        b.button.y = at.y;
        push(b);
    };
    motion(grab);
    button(grab, true);
    motion(POINT{grab.x + 15, grab.y + 10});
    motion(POINT{grab.x + 30, grab.y + 20});
    button(POINT{grab.x + 30, grab.y + 20}, false);
    pump();
    RECT r{};
    GetWindowRect(main_, &r);
    EXPECT_EQ(r.left, 40 + 30);
    EXPECT_EQ(r.top, 30 + 20);
    EXPECT_EQ(GetCapture(), nullptr);
    // a double click on the view's down arrow is two presses of it
    GetWindowRect(view, &r);
    const POINT arrow{r.right - 8, r.bottom - 8};
    motion(arrow);
    for (Uint8 clicks : {1, 2}) {
        button(arrow, true, clicks);
        button(arrow, false, clicks);
    }
    SDL_Delay(20);  // past the interval the display is polled at
    pump();
    EXPECT_EQ(vertical_scrolls_seen, (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL}));
    push_click(POINT{close.x + 30, close.y + 20});
    SDL_Delay(20);  // past the interval the display is polled at
    pump();
    EXPECT_FALSE(IsWindow(main_));
}

// A press's count of quick clicks and where it falls: a third quick click
// is a press again, and only the button-up after a press on the frame is
// the frame's (a press meanwhile is the client's).
TEST_F(DesktopInput, ButtonsBecomeTheirInputEvents) {
    POINT caption{};
    ASSERT_TRUE(platform_user::frame_part_point(main_, HTCAPTION, &caption));
    RECT r{};
    GetWindowRect(edit_, &r);
    const POINT field{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    struct Press {
        bool on_caption;
        Uint8 button;
        bool down;
        Uint8 clicks;
    };
    const struct {
        const char* name;
        std::vector<Press> presses;
        UINT message;  // of the last event
        bool double_click;
        bool after_frame_press;
    } cases[] = {
        {"a click", {{false, SDL_BUTTON_LEFT, true, 1}}, WM_LBUTTONDOWN, false, false},
        {"a double click", {{false, SDL_BUTTON_LEFT, true, 2}}, WM_LBUTTONDOWN, true, false},
        {"a triple click's third press", {{false, SDL_BUTTON_LEFT, true, 3}}, WM_LBUTTONDOWN, false, false},
        {"the button-up after a press on the caption",
         {{true, SDL_BUTTON_LEFT, true, 1}, {true, SDL_BUTTON_LEFT, false, 1}}, WM_LBUTTONUP, false, true},
        {"a press in the field while the right button holds the caption",
         {{true, SDL_BUTTON_RIGHT, true, 1}, {false, SDL_BUTTON_LEFT, true, 1}}, WM_LBUTTONDOWN, false, false},
    };
    auto& input = platform_user::state().input;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        input.clear();
        for (const Press& p : c.presses) {
            SDL_Event b{};
            b.type = p.down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            b.button.button = p.button;
            b.button.state = p.down ? SDL_PRESSED : SDL_RELEASED;
            b.button.clicks = p.clicks;
            b.button.x = p.on_caption ? caption.x : field.x;
            b.button.y = p.on_caption ? caption.y : field.y;
            push(b);
        }
        SDL_Delay(20);  // past the interval between two looks at SDL's queue
        platform_user::attached_display()->poll_input();
        ASSERT_FALSE(input.empty());
        EXPECT_EQ(input.back().message, c.message);
        EXPECT_EQ(input.back().double_click, c.double_click);
        EXPECT_EQ(input.back().after_frame_press, c.after_frame_press);
    }
    input.clear();
}

// A window that asked to hear of the pointer leaving it hears of it when the
// pointer goes off the screen, where no move follows.
TEST_F(DesktopInput, ThePointerOffTheScreenHasLeftTheWindows) {
    RECT r{};
    GetWindowRect(main_, &r);
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = r.left + 200;
    move.motion.y = r.top + 200;
    push(move);
    pump();
    TRACKMOUSEEVENT track{static_cast<DWORD>(sizeof(TRACKMOUSEEVENT)), TME_LEAVE, main_, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    EXPECT_EQ(leaves_seen, 0);
    SDL_Event leave{};
    leave.type = SDL_WINDOWEVENT;
    leave.window.event = SDL_WINDOWEVENT_LEAVE;
    leave.window.windowID = 1;
    push(leave);
    pump();
    EXPECT_EQ(leaves_seen, 1);
}

void push_close(bool quit) {
    SDL_Event e{};
    e.type = quit ? SDL_QUIT : SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    e.window.windowID = 1;
    push(e);
}

// The window manager's close of the desktop window (its close button, its
// menu, its Alt+F4) is the system close of the window the person works in:
// a box takes it as its cancel, an owned window closes, and an owner under
// a box, or a box that has no close, stays.
TEST_F(DesktopInput, TheWindowManagersCloseClosesTheActiveWindow) {
    enum class Over { nothing, owned_window, ok_cancel_box, yes_no_box, disabled_frame };
    const struct {
        const char* name;
        Over over;
        bool quit;        // SDL_QUIT rather than the window's close
        int box_answer;   // what the box ended with
        bool main_stays;
        size_t beeps;
    } cases[] = {
        {"the frame, by a quit", Over::nothing, true, 0, false, 0},
        {"the frame, by the window's close", Over::nothing, false, 0, false, 0},
        {"an owned window", Over::owned_window, false, 0, true, 0},
        {"an OK/Cancel box", Over::ok_cancel_box, false, IDCANCEL, true, 0},
        {"a Yes/No box, then Enter", Over::yes_no_box, false, IDYES, true, 1},
        {"a disabled frame", Over::disabled_frame, false, 0, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!IsWindow(main_)) {
            main_ = CreateWindowExA(0, "DesktopMain", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 400, 300,
                                    nullptr, nullptr, nullptr, nullptr);
            platform_user::state().main_window = main_;
        }
        automation::run_until_idle();
        const size_t beeps = automation::beeps().size();
        int answer = 0;
        HWND owned = nullptr;
        switch (c.over) {
        case Over::nothing:
            push_close(c.quit);
            pump();
            break;
        case Over::owned_window:
            owned = CreateWindowExA(0, "DesktopMain", "Owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 200, 150,
                                    main_, nullptr, nullptr, nullptr);
            automation::run_until_idle();
            ASSERT_EQ(GetActiveWindow(), owned);
            push_close(c.quit);
            pump();
            EXPECT_FALSE(IsWindow(owned));
            break;
        case Over::ok_cancel_box:
        case Over::yes_no_box:
            automation::when_idle([&] {
                push_close(c.quit);
                automation::when_idle([] {
                    push_key(SDLK_RETURN, true);
                    push_key(SDLK_RETURN, false);
                });
            });
            answer = MessageBoxA(main_, "Go on?", "Question", c.over == Over::yes_no_box ? MB_YESNO : MB_OKCANCEL);
            pump();
            break;
        case Over::disabled_frame:
            EnableWindow(main_, FALSE);
            push_close(c.quit);
            pump();
            EnableWindow(main_, TRUE);
            break;
        }
        EXPECT_EQ(answer, c.box_answer);
        EXPECT_EQ(IsWindow(main_) != FALSE, c.main_stays);
        EXPECT_EQ(automation::beeps().size() - beeps, c.beeps);
        if (IsWindow(owned)) DestroyWindow(owned);
    }
}

TEST_F(DesktopInput, WheelScrollsTheWindowUnderThePointerThatHasAScrollBar) {
    // The pointer is over a child without a bar inside a view with one; the
    // focus is elsewhere.
    HWND view = CreateWindowExA(0, "DesktopMain", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 50, 200, 150, main_,
                                nullptr, nullptr, nullptr);
    HWND inner = CreateWindowExA(0, "DesktopMain", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 60, view, nullptr,
                                 nullptr, nullptr);
    SetFocus(edit_);
    automation::run_until_idle();
    RECT r{};
    GetWindowRect(inner, &r);
    SDL_WarpMouseInWindow(SDL_GetWindowFromID(1), r.left + 20, r.top + 20);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = -1;  // one notch towards the hand
    push(e);
    platform_user::attached_display()->poll_input();
    std::vector<MSG> seen;
    MSG m{};
    while (platform_user::take_message(&m, nullptr, 0, 0, true)) {
        if (m.message == WM_VSCROLL || m.message == WM_HSCROLL || m.message == WM_MOUSEWHEEL) seen.push_back(m);
    }
    ASSERT_EQ(seen.size(), 4u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].hwnd, view) << i;
        EXPECT_EQ(seen[i].message, static_cast<UINT>(WM_VSCROLL)) << i;
        EXPECT_EQ(LOWORD(seen[i].wParam), i < 3 ? SB_LINEDOWN : SB_ENDSCROLL) << i;
    }
}

// Alt alone makes system keys, AltGr (Ctrl+Alt) does not; a key held with
// Ctrl or Alt types no text of its own. X11 sends the letter of Alt+letter as
// text too: it must not be typed, where AltGr's character is.
TEST_F(DesktopInput, KeysBecomeTheirWindowsMessages) {
    const struct {
        SDL_Keycode key;
        Uint16 mod;
        UINT message;
        WPARAM vk;
        bool text_follows;
        const char* text;  // what the window system sends as text after the key
        size_t characters;  // WM_CHARs that text gives
    } cases[] = {
        {SDLK_a, KMOD_NONE, WM_KEYDOWN, 'A', true, "a", 1},
        {SDLK_a, KMOD_LCTRL, WM_KEYDOWN, 'A', false, nullptr, 0},
        {SDLK_a, KMOD_LALT, WM_SYSKEYDOWN, 'A', false, "a", 0},
        {SDLK_q, KMOD_LCTRL | KMOD_RALT, WM_KEYDOWN, 'Q', false, "@", 1},
        {SDLK_F12, KMOD_NONE, WM_KEYDOWN, VK_F12, false, nullptr, 0},
        {SDLK_F13, KMOD_NONE, WM_KEYDOWN, VK_F12 + 1, false, nullptr, 0},
        {SDLK_F24, KMOD_NONE, WM_KEYDOWN, VK_F24, false, nullptr, 0},
    };
    auto& input = platform_user::state().input;
    for (const auto& c : cases) {
        input.clear();
        push_key(c.key, true, c.mod);
        if (c.text) push_text(c.text);
        SDL_Delay(20);  // past the interval between two looks at SDL's queue
        platform_user::attached_display()->poll_input();
        ASSERT_EQ(input.size(), 1u + c.characters) << SDL_GetKeyName(c.key) << " " << c.mod;
        EXPECT_EQ(input[0].message, c.message) << SDL_GetKeyName(c.key) << " " << c.mod;
        EXPECT_EQ(input[0].wparam, c.vk) << SDL_GetKeyName(c.key);
        EXPECT_EQ(input[0].text_follows, c.text_follows) << SDL_GetKeyName(c.key) << " " << c.mod;
        if (c.characters) {
            EXPECT_EQ(input[1].message, static_cast<UINT>(WM_CHAR)) << SDL_GetKeyName(c.key);
        }
        push_key(c.key, false, c.mod);
        SDL_Delay(20);
        platform_user::attached_display()->poll_input();
    }
}

}  // namespace
