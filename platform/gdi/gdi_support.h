// Platform-side services of GDI that Windows did not need: bitmap resources
// supplied by the resource layer, the font check, and counts for tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Makes a bitmap available to LoadBitmapA under `name` (matched without
// regard to case; "#12" is the name of the integer resource 12). `pixels`
// holds width x height values 0x00RRGGBB, rows from the top. Registering a
// name again replaces the bitmap. False for bad sizes or a null name.
bool register_bitmap_resource(const char* name, int width, int height, const uint32_t* pixels);
// The same from the bytes of a .bmp file (uncompressed 1, 4, 8, 24 or 32
// bits per pixel). False when the data is not such a file.
bool register_bitmap_resource_bmp(const char* name, const void* data, size_t size);
void clear_bitmap_resources();

// Fonts. Mincho faces of the programs ("標準明朝", "ＭＳ 明朝", ...) are drawn
// with IPAMincho and Gothic faces with IPAGothic. The first use checks with
// fontconfig that these families are really installed; a missing family is
// reported once on stderr and here.
bool gdi_fonts_available();
// Empty when both fonts were found; otherwise what was asked and what
// fontconfig offered instead.
std::string gdi_font_error();
// The font families fontconfig has for Japanese text, by their first names
// (UTF-8), sorted: what the font dialog offers besides the programs' faces.
std::vector<std::string> japanese_font_families();
// The family fontconfig gives for a request (for tests and diagnostics).
std::string matched_font_family(const char* family);
// The family that draws a LOGFONT face name given in Shift-JIS bytes:
// "IPAMincho" or "IPAGothic".
const char* font_family_for_face(const char* face_sjis);

// Objects created by the program and not yet deleted (stock objects aside).
size_t gdi_live_object_count();
// Device contexts that exist now (all kinds).
size_t gdi_live_dc_count();
