// What the programs' resource tables share: the function keys of the control
// bar, the pixel colours and the painter their images are drawn with, and
// the eight frames of the busy clock cursor. Each program names them in its
// own table (resources/<program>/).
#pragma once

#include <array>
#include <cstdint>

#include "platform/user/resources.h"

namespace shell_resources {

// F1 to F4 function next, previous, first, last (buttons 300-303); F5 the
// link button 304.
inline constexpr ACCEL kPageKeys[] = {
    {FVIRTKEY, VK_F1, 300}, {FVIRTKEY, VK_F2, 301}, {FVIRTKEY, VK_F3, 302},
    {FVIRTKEY, VK_F4, 303}, {FVIRTKEY, VK_F5, 304},
};

inline constexpr uint32_t kClear = 0x00000000;
inline constexpr uint32_t kBlack = 0xFF000000;
inline constexpr uint32_t kWhite = 0xFFFFFFFF;
inline constexpr uint32_t kGrey = 0xFF808080;
inline constexpr uint32_t kBlue = 0xFF0000C0;
inline constexpr uint32_t kPaper = 0xFFFFFBF0;

template <int W, int H, class Paint>
constexpr std::array<uint32_t, W * H> paint_image(Paint paint) {
    std::array<uint32_t, W * H> pixels{};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) pixels[static_cast<size_t>(y * W + x)] = paint(x, y);
    }
    return pixels;
}

// Where the busy clock's hand points in each of its 8 frames.
inline constexpr int kClockHandX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
inline constexpr int kClockHandY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// The busy clock, frame k of 8: a dial with one hand, turned by 45 degrees
// a frame.
constexpr std::array<uint32_t, 16 * 16> clock_cursor(int k) {
    return paint_image<16, 16>([k](int x, int y) {
        const int dx = x - 7, dy = y - 7;
        const int d2 = dx * dx + dy * dy;
        for (int step = 0; step <= 5; ++step) {
            if (dx == kClockHandX[k] * step && dy == kClockHandY[k] * step) return kBlack;
        }
        if (d2 > 49) return kClear;
        if (d2 >= 36) return kBlack;
        return kWhite;
    });
}

inline constexpr std::array<std::array<uint32_t, 256>, 8> kClockPixels = {
    clock_cursor(0), clock_cursor(1), clock_cursor(2), clock_cursor(3),
    clock_cursor(4), clock_cursor(5), clock_cursor(6), clock_cursor(7),
};

}  // namespace shell_resources
