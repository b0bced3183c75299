// The desktop face on SDL2: the virtual screen in one window, redrawn where
// it changed, and the person's input turned into the platform's input
// messages. Nothing here paints a window: it shows what the windows painted.
#include "platform/display/desktop.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "platform/display/keys.h"
#include "platform/display/screen.h"
#include "platform/display/window_system.h"
#include "platform/user/codec.h"
#include "platform/user/live_display.h"
#include "platform/user/user_internal.h"

namespace platform_display {

bool desktop_named() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

namespace {

using platform_user::InputEvent;

// Changes are found by comparing tiles of the composed screen with what was
// last sent to the window; only changed tiles are sent again.
constexpr int kTile = 32;

// Shown while a script runs: the screen is brought up to date at most this
// often while the program pumps messages.
constexpr Uint32 kPollRefreshMs = 40;

void push_input(const InputEvent& e) {
    platform_user::state().input.push_back(e);
}

class SdlDesktop final : public Desktop, public platform_user::LiveDisplay {
public:
    explicit SdlDesktop(bool person) : person_(person) {}

    ~SdlDesktop() override {
        platform_user::detach_display();
        for (auto& [handle, cursor] : cursors_) SDL_FreeCursor(cursor);
        if (frame_) cairo_surface_destroy(frame_);
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_Quit();
    }

    bool open(std::string* why) {
        // The window manager's close of the window is one request, not a
        // close and a quit.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A signal (Ctrl+C, kill) ends the process as any other's; it is
        // no close of whatever window happens to be active.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return failed(why, "cannot start SDL video");
        const platform_user::UserState& s = platform_user::state();
        width_ = s.screen_width;
        height_ = s.screen_height;
        window_ = SDL_CreateWindow("platform desktop", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_, height_,
                                   SDL_WINDOW_SHOWN);
        if (!window_) return failed(why, "cannot open a window");
        // The software renderer copies pixels as they are: what the person sees
        // is what the platform painted, with no filtering or scaling.
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer_) return failed(why, "cannot draw into the window");
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width_, height_);
        if (!texture_) return failed(why, "cannot make the screen image");
        frame_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
        shown_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0xFFFFFFFFu);
        SDL_StartTextInput();
        // to hear when the window manager takes the keyboard for a key of its own
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        platform_user::attach_display(this, person_);
        present();
        return true;
    }

    bool wait_for_input(long timeout_ms) override {
        present();
        if (closed_) return false;
        SDL_Event e;
        if (timeout_ms < 0) {
            if (!SDL_WaitEvent(&e)) return false;
            handle(e);
        } else if (SDL_WaitEventTimeout(&e, static_cast<int>(std::min(timeout_ms, 60000L)))) {
            handle(e);
        }
        while (SDL_PollEvent(&e)) handle(e);
        return !closed_;
    }

    void poll_input() override {
        const Uint32 now = SDL_GetTicks();
        if (last_poll_ != 0 && now - last_poll_ < kPollInputMs) return;
        last_poll_ = now;
        if (now - last_poll_present_ >= kPollRefreshMs) {
            last_poll_present_ = now;
            present();
        }
        SDL_Event e;
        while (SDL_PollEvent(&e)) handle(e);
    }

    void cursor_changed(HCURSOR cursor) override {
        if (SDL_Cursor* shape = cursor_for(cursor)) SDL_SetCursor(shape);
    }

private:
    static bool failed(std::string* why, const char* what) {
        if (why) *why = std::string(what) + ": " + SDL_GetError();
        return false;
    }

    // The window is named after the program's main window, as a task bar shows it.
    void follow_title() {
        HWND main = platform_user::state().main_window;
        const platform_user::WindowRecord* w = platform_user::find_window(main);
        const std::string title = w && !w->text.empty() ? platform_user::cp932_to_utf8(w->text) : "platform desktop";
        if (title == title_) return;
        title_ = title;
        SDL_SetWindowTitle(window_, title_.c_str());
    }

    // Composes the screen and sends the tiles that changed.
    void present() {
        follow_title();
        platform_display::compose_screen(frame_);
        cairo_surface_flush(frame_);
        const unsigned char* data = cairo_image_surface_get_data(frame_);
        const int stride = cairo_image_surface_get_stride(frame_);
        bool changed = false;
        for (int ty = 0; ty < height_; ty += kTile) {
            for (int tx = 0; tx < width_; tx += kTile) {
                const int w = std::min(kTile, width_ - tx), h = std::min(kTile, height_ - ty);
                if (!copy_tile_if_changed(data, stride, tx, ty, w, h)) continue;
                const SDL_Rect r{tx, ty, w, h};
                SDL_UpdateTexture(texture_, &r, data + static_cast<size_t>(ty) * static_cast<size_t>(stride) + tx * 4,
                                  stride);
                changed = true;
            }
        }
        if (changed || exposed_) {
            SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
            SDL_RenderPresent(renderer_);
            exposed_ = false;
        }
    }

    bool copy_tile_if_changed(const unsigned char* data, int stride, int tx, int ty, int w, int h) {
        bool differs = false;
        for (int y = ty; y < ty + h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * static_cast<size_t>(stride));
            uint32_t* seen = &shown_[static_cast<size_t>(y) * static_cast<size_t>(width_)];
            for (int x = tx; x < tx + w; ++x) {
                const uint32_t p = row[x] & 0x00FFFFFFu;
                if (seen[x] != p) {
                    seen[x] = p;
                    differs = true;
                }
            }
        }
        return differs;
    }

    void handle(const SDL_Event& e) {
        // Alt went down with a key the window manager took: its letting go
        // selects no menu.
        if (alt_held_ && keyboard_taken_away(e)) alt_spent_ = true;
        switch (e.type) {
        case SDL_QUIT:
            close_requested();
            return;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_CLOSE) close_requested();
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) exposed_ = true;
            // off the screen altogether: over no window of it
            if (e.window.event == SDL_WINDOWEVENT_LEAVE && person_ && SDL_GetMouseState(nullptr, nullptr) == 0) {
                mouse_moved(-1, -1);
            }
            return;
        default:
            break;
        }
        // A script's run is watched, not worked: the person's hands would
        // change what the script sees.
        if (!person_) return;
        switch (e.type) {
        case SDL_MOUSEMOTION:
            mouse_moved(e.motion.x, e.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            mouse_button(e.button);
            break;
        case SDL_MOUSEWHEEL:
            mouse_wheel(e.wheel);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            key(e.key);
            break;
        case SDL_TEXTINPUT:
            text(e.text.text);
            break;
        default:
            break;
        }
    }

    // The window manager's close (its close button, its menu, its Alt+F4)
    // is the close of the window the person is working in.
    void close_requested() {
        // (as its Alt+F4)
        if (alt_held_) alt_spent_ = true;
        if (!platform_user::close_from_outside()) closed_ = true;
    }

    void mouse_moved(int x, int y) {
        auto& input = platform_user::state().input;
        // A burst of moves is one move to where the pointer came to rest.
        if (!input.empty() && input.back().message == WM_MOUSEMOVE && !input.back().relative &&
            input.back().hit == 0) {
            input.back().screen = POINT{x, y};
            return;
        }
        InputEvent ev;
        ev.message = WM_MOUSEMOVE;
        ev.screen = POINT{x, y};
        push_input(ev);
    }

    void mouse_button(const SDL_MouseButtonEvent& b) {
        const bool down = b.type == SDL_MOUSEBUTTONDOWN;
        UINT message = 0;
        switch (b.button) {
        case SDL_BUTTON_LEFT:
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            break;
        case SDL_BUTTON_RIGHT:
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            break;
        case SDL_BUTTON_MIDDLE:
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            break;
        default:
            return;
        }
        InputEvent ev;
        ev.screen = POINT{b.x, b.y};
        ev.message = message;
        ev.double_click = down && b.clicks == 2;
        // The button-up after a press on a frame reaches only a loop that
        // tracks the press (a scroll bar's, a caption drag, a held caption
        // button): the client never saw the press.
        if (!down && pressed_on_frame_) {
            pressed_on_frame_ = false;
            ev.after_frame_press = true;
            push_input(ev);
            return;
        }
        // A press on a frame (menu bar, caption) is the window's, not its
        // client's; only the left button does something there.
        if (down) ev.hit = platform_user::nonclient_hit(ev.screen);
        pressed_on_frame_ = ev.hit != 0;
        if (ev.hit != 0 && b.button != SDL_BUTTON_LEFT) return;
        if (ev.hit != 0) ev.message = WM_NCLBUTTONDOWN;
        push_input(ev);
    }

    void mouse_wheel(const SDL_MouseWheelEvent& w) {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        InputEvent ev;
        ev.message = WM_MOUSEWHEEL;
        ev.screen = POINT{x, y};
        const int notches = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
        ev.wparam = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA)));
        push_input(ev);
    }

    void key(const SDL_KeyboardEvent& k) {
        const UINT vk = virtual_key_of(k.keysym.sym);
        if (vk == 0) return;
        const bool down = k.type == SDL_KEYDOWN;
        if (down && vk == VK_SNAPSHOT) {
            platform_display::save_numbered_screen_png();
            return;
        }
        const bool alt = (k.keysym.mod & KMOD_ALT) != 0;
        const bool control = (k.keysym.mod & KMOD_CTRL) != 0;
        bool spent = false;
        if (vk == VK_MENU) {
            if (down && !k.repeat) alt_spent_ = false;
            spent = !down && alt_spent_;
            alt_held_ = down;
        }
        // Alt without Ctrl makes the system keys, as on Windows; an Alt
        // whose key went to the window manager is let go as a plain key.
        const bool system = ((alt && !control) || vk == VK_MENU || vk == VK_F10) && !spent;
        InputEvent ev;
        ev.message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        ev.wparam = vk;
        DWORD data = k.repeat ? 1u | (1u << 30) : 1u;
        if (alt) data |= 1u << 29;
        if (!down) data |= (1u << 30) | (1u << 31);
        ev.key_data = static_cast<LPARAM>(data);
        // SDL sends the characters of this key as text of their own.
        ev.text_follows = down && !alt && !control && key_types_text(k.keysym.sym);
        // X11 also sends the letter of Alt+letter as text; Windows gives it
        // only as WM_SYSCHAR, and typed again it would choose an item of
        // the menu the key just opened.
        if (vk != VK_MENU) system_key_down_ = down && alt && !control;
        push_input(ev);
    }

    void text(const char* utf8) {
        if (system_key_down_) return;
        const std::string sjis = platform_user::utf8_to_cp932(utf8);
        for (char c : sjis) {
            InputEvent ev;
            ev.message = WM_CHAR;
            ev.wparam = static_cast<unsigned char>(c);
            ev.key_data = 1;
            push_input(ev);
        }
    }

    SDL_Cursor* cursor_for(HCURSOR cursor) {
        if (!cursor) return nullptr;
        auto it = cursors_.find(cursor);
        if (it != cursors_.end()) return it->second;
        const platform_user::UserState& s = platform_user::state();
        auto record = s.cursors.find(reinterpret_cast<uintptr_t>(cursor));
        if (record == s.cursors.end()) return nullptr;
        SDL_Cursor* made = nullptr;
        if (record->second.image) {
            made = colour_cursor(*record->second.image);
        } else {
            made = SDL_CreateSystemCursor(system_cursor_of(record->second.name));
        }
        if (made) cursors_[cursor] = made;
        return made;
    }

    static SDL_Cursor* colour_cursor(const ImageResource& image) {
        // The resource's pixels are 0xAARRGGBB, as SDL's ARGB8888 reads them.
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image.pixels), image.width,
                                                                  image.height, 32, image.width * 4,
                                                                  SDL_PIXELFORMAT_ARGB8888);
        if (!surface) return nullptr;
        SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hot_x, image.hot_y);
        SDL_FreeSurface(surface);
        return cursor;
    }

    bool person_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    cairo_surface_t* frame_ = nullptr;
    std::vector<uint32_t> shown_;
    int width_ = 0;
    int height_ = 0;
    bool exposed_ = false;
    bool closed_ = false;
    bool system_key_down_ = false;  // an Alt+key is down: its text is not typed
    bool alt_held_ = false;
    bool alt_spent_ = false;  // the key Alt went down with was the window manager's
    bool pressed_on_frame_ = false;
    std::string title_;
    Uint32 last_poll_present_ = 0;
    Uint32 last_poll_ = 0;
    std::map<HCURSOR, SDL_Cursor*> cursors_;
};

}  // namespace

std::unique_ptr<Desktop> open_desktop(bool person, std::string* why) {
    auto desktop = std::make_unique<SdlDesktop>(person);
    if (!desktop->open(why)) return nullptr;
    return desktop;
}

}  // namespace platform_display
