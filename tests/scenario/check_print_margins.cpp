// Checks the pictures of printed pages: each must keep a white margin of at
// least the given width on every side, as paper from a page printer does.
// check_print_margins <dots per inch> <millimetres> [--landscape <mm>] <png>...
// With --landscape each page must also lie wider than high with ink within
// that many millimetres of its foot, so that a page squeezed onto an upright
// sheet or cut short (its footer lost) fails.
// Prints each picture's four margins; exit code 1 when one is too narrow.
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Margins {
    int left, top, right, bottom;  // white pixels from each edge
    int width, height;
};

bool ink(const unsigned char* row, int x) {
    const auto pixel = *reinterpret_cast<const uint32_t*>(row + 4 * x);
    return (pixel & 0xFFFFFF) != 0xFFFFFF;
}

bool measure(const char* path, Margins& m) {
    cairo_surface_t* image = cairo_image_surface_create_from_png(path);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return false;
    }
    cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(image),
                                                       cairo_image_surface_get_height(image));
    cairo_t* cr = cairo_create(page);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(page);
    const int w = cairo_image_surface_get_width(page), h = cairo_image_surface_get_height(page);
    const int stride = cairo_image_surface_get_stride(page);
    const unsigned char* data = cairo_image_surface_get_data(page);
    m = {w, h, w, h, w, h};
    for (int y = 0; y < h; ++y) {
        const unsigned char* row = data + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            if (!ink(row, x)) continue;
            if (x < m.left) m.left = x;
            if (y < m.top) m.top = y;
            if (w - 1 - x < m.right) m.right = w - 1 - x;
            if (h - 1 - y < m.bottom) m.bottom = h - 1 - y;
        }
    }
    cairo_surface_destroy(page);
    cairo_surface_destroy(image);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: check_print_margins <dpi> <mm> [--landscape <mm>] <png>...\n");
        return 2;
    }
    const double dpi = std::atof(argv[1]), least = std::atof(argv[2]);
    if (dpi <= 0 || least <= 0) return 2;
    int first = 3;
    double foot = 0;  // 0: any shape, any foot
    if (std::strcmp(argv[3], "--landscape") == 0) {
        if (argc < 6 || (foot = std::atof(argv[4])) <= 0) return 2;
        first = 5;
    }
    const auto mm = [dpi](int pixels) { return pixels * 25.4 / dpi; };
    int result = 0;
    for (int i = first; i < argc; ++i) {
        Margins m{};
        if (!measure(argv[i], m)) {
            std::printf("%s: not a picture\n", argv[i]);
            result = 1;
            continue;
        }
        const bool narrow = mm(m.left) < least || mm(m.top) < least || mm(m.right) < least || mm(m.bottom) < least;
        std::printf("%s: left %.1f top %.1f right %.1f bottom %.1f mm%s\n", argv[i], mm(m.left), mm(m.top), mm(m.right),
                    mm(m.bottom), narrow ? " (too narrow)" : "");
        if (narrow) result = 1;
        if (foot > 0 && m.width <= m.height) {
            std::printf("%s: %d x %d pixels, not landscape\n", argv[i], m.width, m.height);
            result = 1;
        }
        if (foot > 0 && mm(m.bottom) > foot) {
            std::printf("%s: no ink within %.0f mm of the foot\n", argv[i], foot);
            result = 1;
        }
    }
    return result;
}
