// What a desktop test needs beyond xdotool: close a window as a window
// manager's close box does (WM_DELETE_WINDOW), compare an X window dump
// (xwd) with the platform's own PNG of the screen pixel for pixel, and read
// one pixel of such a PNG.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int close_window(const char* id_text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    const Window window = std::strtoul(id_text, nullptr, 0);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}

uint32_t big_endian(const std::vector<unsigned char>& d, size_t at) {
    return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) | d[at + 3];
}

// An xwd dump of a 24-bit TrueColor window (32 bits a pixel, as Xvfb and
// most X servers keep it) as 0xRRGGBB rows.
bool read_xwd(const std::string& path, int* width, int* height, std::vector<uint32_t>* pixels, std::string* why) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 100) return *why = "too short for an xwd file", false;
    const uint32_t header = big_endian(d, 0);
    const uint32_t format = big_endian(d, 8), bits = big_endian(d, 44), byte_order = big_endian(d, 28);
    *width = static_cast<int>(big_endian(d, 16));
    *height = static_cast<int>(big_endian(d, 20));
    const uint32_t line = big_endian(d, 48), colours = big_endian(d, 76);
    if (format != 2 || bits != 32) return *why = "not a 32-bit ZPixmap dump", false;
    const size_t start = header + static_cast<size_t>(colours) * 12;
    if (start + static_cast<size_t>(line) * static_cast<size_t>(*height) > d.size()) return *why = "truncated", false;
    pixels->clear();
    for (int y = 0; y < *height; ++y) {
        for (int x = 0; x < *width; ++x) {
            const size_t at = start + static_cast<size_t>(y) * line + static_cast<size_t>(x) * 4;
            uint32_t p = byte_order == 0 ? (uint32_t{d[at]} | (uint32_t{d[at + 1]} << 8) | (uint32_t{d[at + 2]} << 16))
                                         : big_endian(d, at);
            pixels->push_back(p & 0xFFFFFFu);
        }
    }
    return true;
}

int compare(const char* xwd_path, const char* png_path) {
    int xw = 0, xh = 0;
    std::vector<uint32_t> x_pixels;
    std::string why;
    if (!read_xwd(xwd_path, &xw, &xh, &x_pixels, &why)) {
        std::fprintf(stderr, "%s: %s\n", xwd_path, why.c_str());
        return 2;
    }
    cairo_surface_t* png = cairo_image_surface_create_from_png(png_path);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "%s: cannot read the PNG\n", png_path);
        cairo_surface_destroy(png);
        return 2;
    }
    const int pw = cairo_image_surface_get_width(png), ph = cairo_image_surface_get_height(png);
    int result = 0;
    if (pw != xw || ph != xh) {
        std::fprintf(stderr, "sizes differ: the window %dx%d, the platform's picture %dx%d\n", xw, xh, pw, ph);
        result = 1;
    } else {
        const unsigned char* data = cairo_image_surface_get_data(png);
        const int stride = cairo_image_surface_get_stride(png);
        long differing = 0;
        for (int y = 0; y < ph; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < pw; ++x) {
                const uint32_t want = row[x] & 0xFFFFFFu, got = x_pixels[static_cast<size_t>(y) * xw + x];
                if (want != got && differing++ < 5) {
                    std::fprintf(stderr, "pixel (%d,%d): window #%06x, platform #%06x\n", x, y, got, want);
                }
            }
        }
        if (differing) {
            std::fprintf(stderr, "%ld pixels differ\n", differing);
            result = 1;
        }
    }
    cairo_surface_destroy(png);
    return result;
}

// The colour of one pixel of a PNG, as #rrggbb.
int pixel(const char* png_path, const char* x_text, const char* y_text) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(png_path);
    const int x = std::atoi(x_text), y = std::atoi(y_text);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS || x < 0 || y < 0 ||
        x >= cairo_image_surface_get_width(png) || y >= cairo_image_surface_get_height(png)) {
        std::fprintf(stderr, "%s: no pixel (%d,%d)\n", png_path, x, y);
        cairo_surface_destroy(png);
        return 2;
    }
    const unsigned char* row = cairo_image_surface_get_data(png) + static_cast<size_t>(y) * cairo_image_surface_get_stride(png);
    std::printf("#%06x\n", reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFFu);
    cairo_surface_destroy(png);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "close" && argc == 3) return close_window(argv[2]);
    if (verb == "compare" && argc == 4) return compare(argv[2], argv[3]);
    if (verb == "pixel" && argc == 5) return pixel(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: desktop_probe close WINDOW-ID | compare DUMP.xwd SCREEN.png | pixel SCREEN.png X Y\n");
    return 2;
}
