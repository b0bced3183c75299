// Composition of the virtual screen from the windows' own surfaces. Both the
// display's window and the Print key's pictures come from here.
#include "platform/display/screen.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/kernel/platform_home.h"
#include "platform/user/user_internal.h"

namespace platform_display {

namespace {

using platform_user::WindowRecord;

void set_colour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The windows stacked above a top-level window, as screen rectangles.
std::vector<RECT> windows_above(HWND top) {
    std::vector<RECT> above;
    const std::vector<HWND>& tops = platform_user::state().top_levels;
    const auto at = std::find(tops.begin(), tops.end(), top);
    if (at == tops.end()) return above;
    for (auto it = at + 1; it != tops.end(); ++it) {
        const WindowRecord* w = platform_user::find_window(*it);
        if (w && w->surface && (w->style & WS_VISIBLE)) above.push_back(w->rect);
    }
    return above;
}

// The caret is not part of any window's image: it is shown over the screen,
// inverted as Windows draws it, and steady (a blinking one would wake the
// program twice a second). It is its window's, so a window above (a popup
// menu, a dialog) hides it.
void invert_caret(cairo_surface_t* target) {
    const platform_user::CaretState& caret = platform_user::state().caret;
    if (!caret.window || caret.hide_count > 0) return;
    const WindowRecord* w = platform_user::find_window(caret.window);
    if (!w || !platform_user::is_drawable(*w)) return;
    const WindowRecord* top = platform_user::find_window(platform_user::top_level_of(caret.window));
    if (!top || top->minimized) return;
    RECT visible = platform_user::visible_client_rect(*w);
    RECT box{caret.pos.x, caret.pos.y, caret.pos.x + caret.width, caret.pos.y + caret.height};
    RECT shown;
    if (!IntersectRect(&shown, &box, &visible)) return;
    const POINT origin = platform_user::client_origin_on_screen(*w);
    const std::vector<RECT> above = windows_above(top->handle);
    const auto covered = [&](int sx, int sy) {
        const POINT p{sx, sy};
        return std::any_of(above.begin(), above.end(), [&](const RECT& r) { return PtInRect(&r, p) != FALSE; });
    };
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    for (int y = shown.top; y < shown.bottom; ++y) {
        const int sy = origin.y + y;
        if (sy < 0 || sy >= height) continue;
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(sy) * static_cast<size_t>(stride));
        for (int x = shown.left; x < shown.right; ++x) {
            const int sx = origin.x + x;
            if (sx >= 0 && sx < width && !covered(sx, sy)) row[sx] ^= 0x00FFFFFFu;
        }
    }
    cairo_surface_mark_dirty(target);
}

}  // namespace

void compose_screen(cairo_surface_t* target) {
    cairo_t* cr = cairo_create(target);
    set_colour(cr, platform_user::sys_color(COLOR_BACKGROUND));
    cairo_paint(cr);
    const std::vector<HWND> tops = platform_user::state().top_levels;
    for (HWND top : tops) {
        WindowRecord* w = platform_user::find_window(top);
        if (!w || !w->surface || !(w->style & WS_VISIBLE)) continue;
        platform_user::draw_nonclient(top);
        w = platform_user::find_window(top);
        if (!w || !w->surface) continue;
        cairo_set_source_surface(cr, w->surface, w->rect.left, w->rect.top);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(target);
    invert_caret(target);
}

bool save_screen_png(const std::string& path) {
    const platform_user::UserState& s = platform_user::state();
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.screen_width, s.screen_height);
    compose_screen(screen);
    // Written whole before it takes its name: whoever waits for the picture
    // never reads half of it.
    const std::string part = path + ".part";
    bool ok = save_surface_png(screen, part.c_str());
    cairo_surface_destroy(screen);
    ok = ok && std::rename(part.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(part.c_str());
    return ok;
}

std::string save_numbered_screen_png() {
    const std::string folder = platform_home() + "/screens";
    mkdir(folder.c_str(), 0755);
    const std::string part = folder + "/.screen-" + std::to_string(::getpid()) + ".part";
    if (!save_screen_png(part)) return {};
    // The whole picture takes the first free number in one step: a link
    // never replaces a picture another program saved at the same moment.
    std::string taken;
    for (int n = 1; n < 100000 && taken.empty(); ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/screen-%04d.png", n);
        if (::link(part.c_str(), (folder + name).c_str()) == 0) taken = folder + name;
        else if (errno != EEXIST) break;
    }
    std::remove(part.c_str());
    return taken;
}

}  // namespace platform_display
