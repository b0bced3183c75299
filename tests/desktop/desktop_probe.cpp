// What a desktop test needs beyond xdotool: close a window as a window
// manager's close box does (WM_DELETE_WINDOW), compare an X window dump
// (xwd) with the platform's own PNG of the screen pixel for pixel, and read
// the platform's pictures: whether an area changed, whether two areas are
// alike, where a scroll bar's thumb is, the colour of a pixel; and where a
// window manager put a window.
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

// A picture as 0xRRGGBB rows; empty when it cannot be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xFF000000u;
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

bool read_png(const char* path, Picture* out) {
    cairo_surface_t* png = cairo_image_surface_create_from_png(path);
    const bool ok = cairo_surface_status(png) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        out->width = cairo_image_surface_get_width(png);
        out->height = cairo_image_surface_get_height(png);
        const unsigned char* data = cairo_image_surface_get_data(png);
        const int stride = cairo_image_surface_get_stride(png);
        for (int y = 0; y < out->height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
            for (int x = 0; x < out->width; ++x) out->pixels.push_back(row[x] & 0xFFFFFFu);
        }
    } else {
        std::fprintf(stderr, "%s: cannot read the PNG\n", path);
    }
    cairo_surface_destroy(png);
    return ok;
}

// How many pixels of the area (left, top, width, height) of `a` differ from
// the area of `b` at (bx, by).
long area_difference(const Picture& a, int left, int top, const Picture& b, int bx, int by, int width, int height) {
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (a.at(left + x, top + y) != b.at(bx + x, by + y)) ++differing;
        }
    }
    return differing;
}

// changed A.png B.png X Y W H: exit 0 when the area differs between the pictures.
int changed(char** v) {
    Picture a, b;
    if (!read_png(v[0], &a) || !read_png(v[1], &b)) return 2;
    const int x = std::atoi(v[2]), y = std::atoi(v[3]), w = std::atoi(v[4]), h = std::atoi(v[5]);
    const long n = area_difference(a, x, y, b, x, y, w, h);
    std::printf("%ld pixels changed\n", n);
    return n > 0 ? 0 : 1;
}

// alike A.png AX AY B.png BX BY W H: exit 0 when the two areas are the same.
int alike(char** v) {
    Picture a, b;
    if (!read_png(v[0], &a) || !read_png(v[3], &b)) return 2;
    const long n = area_difference(a, std::atoi(v[1]), std::atoi(v[2]), b, std::atoi(v[4]), std::atoi(v[5]),
                                   std::atoi(v[6]), std::atoi(v[7]));
    std::printf("%ld pixels differ\n", n);
    return n == 0 ? 0 : 1;
}

// thumb PNG X0 Y0 X1 Y1: along the channel of a scroll bar from (X0, Y0) to
// (X1, Y1), across its middle, where the thumb's white edge first shows:
// its distance from the start, -1 when no thumb shows.
int thumb(char** v) {
    Picture p;
    if (!read_png(v[0], &p)) return 2;
    const int x0 = std::atoi(v[1]), y0 = std::atoi(v[2]), x1 = std::atoi(v[3]), y1 = std::atoi(v[4]);
    const bool vertical = x0 == x1;
    const int length = vertical ? y1 - y0 : x1 - x0;
    for (int i = 0; i <= length; ++i) {
        if (p.at(vertical ? x0 : x0 + i, vertical ? y0 + i : y0) == 0xFFFFFFu) {
            std::printf("%d\n", i);
            return 0;
        }
    }
    std::printf("-1\n");
    return 0;
}

// pixel PNG X Y: the colour of one pixel, as #rrggbb.
int pixel(char** v) {
    Picture p;
    if (!read_png(v[0], &p)) return 2;
    const uint32_t colour = p.at(std::atoi(v[1]), std::atoi(v[2]));
    if (colour > 0xFFFFFFu) {
        std::fprintf(stderr, "%s: no pixel (%s,%s)\n", v[0], v[1], v[2]);
        return 2;
    }
    std::printf("#%06x\n", colour);
    return 0;
}

// origin WINDOW-ID: where the window's client area lies on the X screen,
// "X Y", whatever frame a window manager put around it.
int origin(const char* id_text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    const Window window = std::strtoul(id_text, nullptr, 0);
    int x = 0, y = 0;
    Window child = 0;
    const bool ok = XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XCloseDisplay(display);
    if (!ok) return 2;
    std::printf("%d %d\n", x, y);
    return 0;
}

// shot WINDOW-ID OUT.png: what the window shows on the X screen, as a PNG
// (a window manager may keep every key a program's own picture would need).
int shot(const char* id_text, const char* png_path) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    const Window window = std::strtoul(id_text, nullptr, 0);
    XWindowAttributes attributes{};
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes)) {
        image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    if (!image) {
        std::fprintf(stderr, "cannot read the window %s\n", id_text);
        XCloseDisplay(display);
        return 2;
    }
    cairo_surface_t* png = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image->width, image->height);
    unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    for (int y = 0; y < image->height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < image->width; ++x) row[x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFFu;
    }
    cairo_surface_mark_dirty(png);
    // written beside and renamed, so that a reader never sees half a picture
    const std::string part = std::string(png_path) + ".part";
    const bool written = cairo_surface_write_to_png(png, part.c_str()) == CAIRO_STATUS_SUCCESS &&
                         std::rename(part.c_str(), png_path) == 0;
    cairo_surface_destroy(png);
    XDestroyImage(image);
    XCloseDisplay(display);
    if (!written) std::fprintf(stderr, "cannot write %s\n", png_path);
    return written ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "close" && argc == 3) return close_window(argv[2]);
    if (verb == "compare" && argc == 4) return compare(argv[2], argv[3]);
    if (verb == "changed" && argc == 8) return changed(argv + 2);
    if (verb == "alike" && argc == 10) return alike(argv + 2);
    if (verb == "thumb" && argc == 7) return thumb(argv + 2);
    if (verb == "pixel" && argc == 5) return pixel(argv + 2);
    if (verb == "origin" && argc == 3) return origin(argv[2]);
    if (verb == "shot" && argc == 4) return shot(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: desktop_probe close WINDOW-ID | compare DUMP.xwd SCREEN.png |\n"
                 "       changed A.png B.png X Y W H | alike A.png AX AY B.png BX BY W H |\n"
                 "       thumb SCREEN.png X0 Y0 X1 Y1 | pixel SCREEN.png X Y | origin WINDOW-ID |\n"
                 "       shot WINDOW-ID OUT.png\n");
    return 2;
}
