// Bitmap resources: the resource layer registers its bitmaps by name and
// LoadBitmapA hands out copies.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_support.h"
#include "platform/kernel/sjis.h"

namespace {

struct StoredBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

std::map<std::string, StoredBitmap>& resources() {
    static std::map<std::string, StoredBitmap> r;
    return r;
}

// Resource names match without regard to case of single-byte letters.
std::string resource_key(const char* name) {
    const auto value = reinterpret_cast<uintptr_t>(name);
    if (value < 0x10000) {
        std::string number = "#";
        number += std::to_string(value);
        return number;
    }
    std::string key;
    const size_t n = std::strlen(name);
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (is_sjis_lead_byte(c) && i + 1 < n) {
            key += name[i];
            key += name[++i];
            continue;
        }
        key += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    return key;
}

uint32_t read_le(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

bool register_bitmap_resource(const char* name, int width, int height, const uint32_t* pixels) {
    if (!name || width <= 0 || height <= 0 || width > 32767 || height > 32767 || !pixels) return false;
    StoredBitmap b;
    b.width = width;
    b.height = height;
    b.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    resources()[resource_key(name)] = std::move(b);
    return true;
}

bool register_bitmap_resource_bmp(const char* name, const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    if (!name || !p || size < 54 || p[0] != 'B' || p[1] != 'M') return false;
    const uint32_t offset = read_le(p + 10, 4);
    const uint32_t header = read_le(p + 14, 4);
    if (header < 40 || 14 + static_cast<size_t>(header) > size) return false;
    const int32_t width = static_cast<int32_t>(read_le(p + 18, 4));
    const int32_t raw_height = static_cast<int32_t>(read_le(p + 22, 4));
    const int bpp = static_cast<int>(read_le(p + 28, 2));
    const uint32_t compression = read_le(p + 30, 4);
    uint32_t colours = read_le(p + 46, 4);
    if (width <= 0 || raw_height == 0 || width > 32767 || raw_height > 32767 || raw_height < -32767) return false;
    if (compression != 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) return false;
    const bool top_down = raw_height < 0;
    const int height = top_down ? -raw_height : raw_height;
    if (bpp <= 8 && colours == 0) colours = 1u << bpp;
    const size_t palette_at = 14 + header;
    if (bpp <= 8 && (colours > 256 || palette_at + colours * 4 > size)) return false;
    const size_t stride = ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
    if (offset > size || stride * height > size - offset) return false;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = p + offset + stride * static_cast<size_t>(top_down ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t v = 0;
            if (bpp >= 24) {
                const unsigned char* px = row + x * (bpp / 8);
                v = (static_cast<uint32_t>(px[2]) << 16) | (static_cast<uint32_t>(px[1]) << 8) | px[0];
            } else {
                const int bit = x * bpp;
                const unsigned index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index < colours) {
                    const unsigned char* q = p + palette_at + index * 4;
                    v = (static_cast<uint32_t>(q[2]) << 16) | (static_cast<uint32_t>(q[1]) << 8) | q[0];
                }
            }
            pixels[static_cast<size_t>(y) * width + x] = v;
        }
    }
    return register_bitmap_resource(name, width, height, pixels.data());
}

void clear_bitmap_resources() { resources().clear(); }

HBITMAP LoadBitmapA(HINSTANCE, LPCSTR name) {
    if (!name) return nullptr;
    auto it = resources().find(resource_key(name));
    if (it == resources().end()) return nullptr;
    const StoredBitmap& b = it->second;
    HBITMAP handle = CreateBitmap(b.width, b.height, 1, 32, nullptr);
    gdi::Bitmap* bm = gdi::as_bitmap(handle);
    if (!bm) return nullptr;
    unsigned char* data = cairo_image_surface_get_data(bm->surface);
    const int stride = cairo_image_surface_get_stride(bm->surface);
    for (int y = 0; y < b.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < b.width; ++x) row[x] = 0xFF000000u | b.pixels[static_cast<size_t>(y) * b.width + x];
    }
    cairo_surface_mark_dirty(bm->surface);
    return handle;
}
