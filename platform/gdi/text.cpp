// Fonts and text. Faces map to the IPA fonts through fontconfig; text is
// Shift-JIS and converted to UTF-8 only here, one character at a time.
// A fixed-pitch face draws every character into its own cell: a single-byte
// character takes one cell of the average width, a double-byte character
// two. A proportional face ("ＭＳ Ｐゴシック", the dialog and menu font of a
// Japanese desktop) advances each character by its glyph's own width,
// rounded to whole pixels as GDI's advance widths are.
#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_support.h"
#include "platform/kernel/sjis.h"
#include "platform/kernel/sjis_text.h"

// GCC says __SANITIZE_ADDRESS__, clang (the fuzzers' build) __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define PLATFORM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLATFORM_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(PLATFORM_ADDRESS_SANITIZER)
// fontconfig 2.14 loses a block while it parses its configuration files, and
// libdbus (which SDL opens for the input method) keeps its connection's
// buffers past SDL_Quit; the blocks are theirs, and the report would hide ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }
#endif

namespace gdi {

namespace {

constexpr const char* kMinchoFamily = "IPAMincho";
constexpr const char* kGothicFamily = "IPAGothic";
constexpr const char* kPropMinchoFamily = "IPAPMincho";
constexpr const char* kPropGothicFamily = "IPAPGothic";

bool is_proportional(const char* family) {
    return std::strcmp(family, kPropMinchoFamily) == 0 || std::strcmp(family, kPropGothicFamily) == 0;
}


// Length in bytes of the character at text[i] (a lead byte at the very end
// stands alone).
int char_length(const char* text, int length, int i) {
    return is_sjis_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < length ? 2 : 1;
}

// Whether the Shift-JIS text contains `word` at a character boundary.
bool contains_sjis(const char* text, const char* word) {
    const size_t n = std::strlen(text), w = std::strlen(word);
    for (size_t i = 0; i + w <= n;) {
        if (std::memcmp(text + i, word, w) == 0) return true;
        i += char_length(text, static_cast<int>(n), static_cast<int>(i));
    }
    return false;
}

bool contains_ascii_nocase(const char* text, const char* word) {
    const size_t n = std::strlen(text), w = std::strlen(word);
    for (size_t i = 0; i + w <= n; ++i) {
        size_t k = 0;
        while (k < w && std::tolower(static_cast<unsigned char>(text[i + k])) == std::tolower(static_cast<unsigned char>(word[k]))) ++k;
        if (k == w) return true;
    }
    return false;
}

struct FontState {
    bool checked = false;
    bool available = true;
    std::string error;
    std::map<std::pair<std::string, bool>, cairo_font_face_t*> faces;
    std::map<std::string, std::pair<double, double>> extents;  // ascent, descent per em
    // advance of a character per family, boldness and em (device pixels)
    std::map<std::tuple<std::string, bool, long, std::string>, int> advances;
    iconv_t converter = reinterpret_cast<iconv_t>(-1);
};

FontState& fonts() {
    static FontState state;
    return state;
}

FcPattern* match_family(const char* family) {
    FcPattern* request = FcPatternCreate();
    FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, request, &result);
    FcPatternDestroy(request);
    return match;
}

bool pattern_has_family(FcPattern* pattern, const char* family) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (std::strcmp(reinterpret_cast<const char*>(value), family) == 0) return true;
    }
    return false;
}

void check_fonts() {
    FontState& s = fonts();
    if (s.checked) return;
    s.checked = true;
    for (const char* family : {kMinchoFamily, kGothicFamily, kPropMinchoFamily, kPropGothicFamily}) {
        FcPattern* match = match_family(family);
        if (match && pattern_has_family(match, family)) {
            FcPatternDestroy(match);
            continue;
        }
        s.available = false;
        FcChar8* got = nullptr;
        std::string offered = match && FcPatternGetString(match, FC_FAMILY, 0, &got) == FcResultMatch
                                  ? reinterpret_cast<const char*>(got)
                                  : "nothing";
        if (match) FcPatternDestroy(match);
        if (!s.error.empty()) s.error += "; ";
        s.error += std::string("font ") + family + " is not installed (fontconfig offers " + offered + ")";
    }
    if (!s.available) {
        std::fprintf(stderr, "gdi: %s; install fonts-ipafont-mincho and fonts-ipafont-gothic\n", s.error.c_str());
    }
}

cairo_font_face_t* font_face(const char* family, bool bold) {
    check_fonts();
    FontState& s = fonts();
    auto key = std::make_pair(std::string(family), bold);
    auto it = s.faces.find(key);
    if (it != s.faces.end()) return it->second;
    FcPattern* match = match_family(family);
    cairo_font_face_t* face = nullptr;
    if (match) {
        // The IPA fonts have no bold cut: bold is drawn emboldened.
        if (bold) {
            FcPatternDel(match, FC_EMBOLDEN);
            FcPatternAddBool(match, FC_EMBOLDEN, FcTrue);
        }
        face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    } else {
        face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    }
    s.faces[key] = face;
    return face;
}

// Ascent and descent of a family per unit of em height.
std::pair<double, double> family_extents(const char* family) {
    FontState& s = fonts();
    auto it = s.extents.find(family);
    if (it != s.extents.end()) return it->second;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    cairo_set_font_face(cr, font_face(family, false));
    cairo_set_font_size(cr, 1000);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    std::pair<double, double> result{fe.ascent / 1000.0, fe.descent / 1000.0};
    if (result.first <= 0 || result.first + result.second <= 0) result = {0.88, 0.12};
    s.extents[family] = result;
    return result;
}

// A font made concrete for one context, in its device units.
struct RealizedFont {
    const char* family = kGothicFamily;
    bool proportional = false;
    double width_scale = 1;  // a proportional face with lfWidth set is drawn wider or narrower
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    double em = 16;    // glyph em height
    int height = 16;   // cell height = ascent + descent
    int ascent = 14;
    int descent = 2;
    int cell = 8;      // width of a single-byte cell
    const LOGFONTA* lf = nullptr;
};

RealizedFont realize(const DeviceContext& dc) {
    const Font& font = *static_cast<Font*>(dc.st.font);
    const LOGFONTA& lf = font.lf;
    RealizedFont r;
    r.lf = &lf;
    r.family = font_family_for_face(lf.lfFaceName);
    r.bold = lf.lfWeight >= FW_SEMIBOLD;
    r.italic = lf.lfItalic != 0;
    r.underline = lf.lfUnderline != 0;
    r.strike_out = lf.lfStrikeOut != 0;
    const auto [asc, desc] = family_extents(r.family);
    double h = std::fabs(static_cast<double>(lf.lfHeight)) * scale_y(dc);
    if (lf.lfHeight == 0) h = 12.0 * device_dpi(dc) / 72.0;  // twelve points
    h = std::max(1.0, std::round(h));
    if (lf.lfHeight > 0 || lf.lfHeight == 0) {
        // A positive height is the whole cell.
        r.height = static_cast<int>(h);
        r.em = h / (asc + desc);
        r.ascent = static_cast<int>(std::lround(h * asc / (asc + desc)));
        r.descent = r.height - r.ascent;
    } else {
        r.em = h;
        r.ascent = static_cast<int>(std::lround(asc * h));
        r.descent = static_cast<int>(std::lround(desc * h));
        r.height = r.ascent + r.descent;
    }
    if (lf.lfWidth != 0) {
        r.cell = std::max(1, static_cast<int>(std::lround(std::fabs(static_cast<double>(lf.lfWidth)) * scale_x(dc))));
    } else {
        r.cell = std::max(1, static_cast<int>(std::lround(r.em / 2)));
    }
    r.proportional = is_proportional(r.family);
    if (r.proportional && lf.lfWidth != 0) r.width_scale = r.cell / std::max(0.5, r.em / 2);
    return r;
}

std::string to_utf8(const char* bytes, size_t n) {
    FontState& s = fonts();
    if (s.converter == reinterpret_cast<iconv_t>(-1)) {
        s.converter = iconv_open("UTF-8", "CP932");
        if (s.converter == reinterpret_cast<iconv_t>(-1)) return {};
    }
    iconv(s.converter, nullptr, nullptr, nullptr, nullptr);
    char in[4];
    std::memcpy(in, bytes, std::min<size_t>(n, sizeof in));
    char out[16];
    char* ip = in;
    char* op = out;
    size_t il = std::min<size_t>(n, sizeof in), ol = sizeof out;
    if (iconv(s.converter, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) return {};
    return std::string(out, static_cast<size_t>(op - out));
}

// The advance of one character (UTF-8) of a proportional face, in whole
// device pixels.
int proportional_advance(const RealizedFont& f, const std::string& utf8) {
    FontState& s = fonts();
    const long em_key = std::lround(f.em * 64);
    auto key = std::make_tuple(std::string(f.family), f.bold, em_key, utf8);
    auto it = s.advances.find(key);
    if (it != s.advances.end()) return it->second;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    cairo_set_font_face(cr, font_face(f.family, f.bold));
    cairo_set_font_size(cr, f.em);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_text_extents_t te;
    cairo_text_extents(cr, utf8.c_str(), &te);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    const int advance = std::max(1, static_cast<int>(std::lround(te.x_advance)));
    s.advances[key] = advance;
    return advance;
}

// Device x offsets of each character start, and the total advance.
struct Layout {
    std::vector<int> starts;   // byte index of each character
    std::vector<int> lengths;  // its bytes
    std::vector<double> x;     // its left edge, device units from the origin
    std::vector<int> cells;    // its cells (1 or 2)
    double width = 0;
};

Layout lay_out(const DeviceContext& dc, const RealizedFont& f, const char* text, int length, const INT* dx) {
    Layout l;
    const double extra = std::round(dc.st.char_extra * scale_x(dc));
    double x = 0;
    for (int i = 0; i < length;) {
        const int n = char_length(text, length, i);
        l.starts.push_back(i);
        l.lengths.push_back(n);
        l.cells.push_back(n);
        l.x.push_back(x);
        if (dx) {
            double adv = 0;
            for (int k = 0; k < n; ++k) adv += dx[i + k];
            x += std::round(adv * scale_x(dc));
        } else if (f.proportional) {
            const std::string utf8 = to_utf8(text + i, static_cast<size_t>(n));
            const double advance = utf8.empty() ? n * f.cell : proportional_advance(f, utf8) * f.width_scale;
            x += std::round(advance) + extra;
        } else {
            x += n * f.cell + extra;
        }
        i += n;
    }
    l.width = x;
    return l;
}

void set_font(cairo_t* cr, const RealizedFont& f) {
    cairo_set_font_face(cr, font_face(f.family, f.bold));
    cairo_matrix_t m;
    // Full-width glyphs are one em wide: the x scale makes them two cells.
    const double across = f.proportional ? f.em * f.width_scale : 2.0 * f.cell;
    cairo_matrix_init(&m, across, 0, f.italic ? -0.2 * f.em : 0, f.em, 0, 0);
    cairo_set_font_matrix(cr, &m);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void set_colour(cairo_t* cr, COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

BOOL draw_text(const char* op, HDC handle, int x, int y, UINT options, const RECT* rect, const char* text, int length,
               const INT* dx) {
    DeviceContext* dc = lookup_drawing_dc(handle);
    if (!dc || length < 0 || (!text && length > 0)) return FALSE;
    const RealizedFont f = realize(*dc);
    const Layout layout = lay_out(*dc, f, text, length, dx);
    const bool update_cp = (dc->st.text_align & TA_UPDATECP) != 0;
    if (update_cp) {
        x = dc->st.position.x;
        y = dc->st.position.y;
    }
    const POINT origin = to_device(*dc, x, y);
    double left = origin.x;
    const UINT halign = dc->st.text_align & TA_CENTER;
    if (halign == TA_RIGHT) left -= layout.width;
    else if (halign == TA_CENTER) left -= layout.width / 2;
    double top = origin.y;
    const UINT valign = dc->st.text_align & TA_BASELINE;
    if (valign == TA_BASELINE) top -= f.ascent;
    else if (valign == TA_BOTTOM) top -= f.height;

    std::vector<POINT> logical{{x, y}}, device{origin};
    std::optional<RECT> box;
    if (rect) {
        POINT a = to_device(*dc, rect->left, rect->top), b = to_device(*dc, rect->right, rect->bottom);
        box = normalized({a.x, a.y, b.x, b.y});
        logical.push_back({rect->left, rect->top});
        logical.push_back({rect->right, rect->bottom});
        device.push_back(a);
        device.push_back(b);
    }
    // a page of text is thousands of calls: nothing is described unless logged
    if (drawing_log_enabled()) {
        const Font& font = *static_cast<Font*>(dc->st.font);
        char params[160];
        std::snprintf(params, sizeof params, "font=%s,%d,%d,%d colour=%s bk=%s,%s cell=%dx%d", f.family,
                      static_cast<int>(font.lf.lfHeight), static_cast<int>(font.lf.lfWidth),
                      static_cast<int>(font.lf.lfWeight), describe_colour(dc->st.text_colour).c_str(),
                      dc->st.bk_mode == OPAQUE ? "opaque" : "transparent", describe_colour(dc->st.bk_colour).c_str(),
                      f.cell, f.height);
        log_call(*dc, op, logical, device, params, std::string(text ? text : "", static_cast<size_t>(length)));
    }

    if (update_cp) {
        double advance = layout.width;
        if (halign == TA_RIGHT) advance = -advance;
        if (halign != TA_CENTER) {
            const POINT end = to_logical(*dc, static_cast<int>(std::lround(origin.x + advance)), origin.y);
            dc->st.position.x = end.x;
        }
    }

    cairo_t* cr = begin_drawing(*dc);
    if (!cr) return TRUE;
    if (box && (options & ETO_CLIPPED)) {
        cairo_rectangle(cr, box->left, box->top, box->right - box->left, box->bottom - box->top);
        cairo_clip(cr);
    }
    if (box && (options & ETO_OPAQUE)) {
        set_colour(cr, dc->st.bk_colour);
        cairo_rectangle(cr, box->left, box->top, box->right - box->left, box->bottom - box->top);
        cairo_fill(cr);
    }
    if (dc->st.bk_mode == OPAQUE && layout.width > 0) {
        set_colour(cr, dc->st.bk_colour);
        cairo_rectangle(cr, left, top, layout.width, f.height);
        cairo_fill(cr);
    }
    set_font(cr, f);
    set_colour(cr, dc->st.text_colour);
    const double baseline = top + f.ascent;
    for (size_t i = 0; i < layout.starts.size(); ++i) {
        const char* c = text + layout.starts[i];
        if (layout.lengths[i] == 1 && (static_cast<unsigned char>(*c) < 0x21 || *c == 0x7F)) continue;
        std::string utf8 = to_utf8(c, static_cast<size_t>(layout.lengths[i]));
        if (utf8.empty()) continue;
        cairo_move_to(cr, left + layout.x[i], baseline);
        cairo_show_text(cr, utf8.c_str());
    }
    if ((f.underline || f.strike_out) && layout.width > 0) {
        const double thickness = std::max(1.0, std::round(f.em / 14));
        if (f.underline) cairo_rectangle(cr, left, baseline + thickness, layout.width, thickness);
        if (f.strike_out) cairo_rectangle(cr, left, baseline - std::round(f.ascent / 3.0), layout.width, thickness);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return TRUE;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

const char* font_family_for_face(const char* face) {
    if (!face) return kGothicFamily;
    // "明朝" and the Latin spellings of the Mincho faces.
    const bool mincho = contains_sjis(face, "明朝"_sjis) || contains_ascii_nocase(face, "mincho");
    // "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝", "MS PGothic", "MS UI Gothic" and the IPA P faces
    // are proportional.
    const bool proportional = contains_sjis(face, "Ｐ"_sjis) || contains_ascii_nocase(face, "PGothic") ||
                              contains_ascii_nocase(face, "PMincho") || contains_ascii_nocase(face, "UI Gothic");
    if (mincho) return proportional ? kPropMinchoFamily : kMinchoFamily;
    return proportional ? kPropGothicFamily : kGothicFamily;
}

std::vector<std::string> japanese_font_families() {
    std::vector<std::string> families;
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>(":lang=ja"));
    FcObjectSet* wanted = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* found = request && wanted ? FcFontList(nullptr, request, wanted) : nullptr;
    for (int i = 0; found && i < found->nfont; ++i) {
        FcChar8* value = nullptr;
        // The first of a family's names, the one it is matched by.
        if (FcPatternGetString(found->fonts[i], FC_FAMILY, 0, &value) != FcResultMatch) continue;
        families.emplace_back(reinterpret_cast<const char*>(value));
    }
    if (found) FcFontSetDestroy(found);
    if (wanted) FcObjectSetDestroy(wanted);
    if (request) FcPatternDestroy(request);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

bool gdi_fonts_available() {
    check_fonts();
    return fonts().available;
}

std::string gdi_font_error() {
    check_fonts();
    return fonts().error;
}

std::string matched_font_family(const char* family) {
    FcPattern* match = match_family(family ? family : "");
    if (!match) return {};
    FcChar8* value = nullptr;
    std::string result;
    if (family && pattern_has_family(match, family)) {
        result = family;
    } else if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch) {
        result = reinterpret_cast<const char*>(value);
    }
    FcPatternDestroy(match);
    return result;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    return draw_text("TextOutA", dc, x, y, 0, nullptr, text, length, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx) {
    return draw_text("ExtTextOutA", dc, x, y, options, rect, text, static_cast<int>(length), dx);
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, SIZE* size) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !size || length < 0 || (!text && length > 0)) return FALSE;
    const RealizedFont f = realize(*dc);
    const Layout layout = lay_out(*dc, f, text, length, nullptr);
    size->cx = static_cast<LONG>(std::lround(layout.width / scale_x(*dc)));
    size->cy = static_cast<LONG>(std::lround(f.height / scale_y(*dc)));
    return TRUE;
}

BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int length, SIZE* size) {
    return GetTextExtentPoint32A(dc, text, length, size);
}

BOOL GetTextMetricsA(HDC handle, TEXTMETRICA* tm) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !tm) return FALSE;
    const RealizedFont f = realize(*dc);
    const double sx = scale_x(*dc), sy = scale_y(*dc);
    auto ly = [&](double v) { return static_cast<LONG>(std::lround(v / sy)); };
    auto lx = [&](double v) { return static_cast<LONG>(std::lround(v / sx)); };
    *tm = TEXTMETRICA{};
    tm->tmHeight = ly(f.height);
    tm->tmAscent = ly(f.ascent);
    tm->tmDescent = tm->tmHeight - tm->tmAscent;
    tm->tmInternalLeading = std::max<LONG>(0, ly(f.height - f.em));
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = lx(f.cell);
    tm->tmMaxCharWidth = f.proportional ? lx(f.em * f.width_scale) : lx(2 * f.cell);
    tm->tmWeight = f.lf->lfWeight == 0 ? FW_NORMAL : f.lf->lfWeight;
    tm->tmDigitizedAspectX = device_dpi(*dc);
    tm->tmDigitizedAspectY = device_dpi(*dc);
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFC;
    tm->tmDefaultChar = 0x81;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = f.italic ? 1 : 0;
    tm->tmUnderlined = f.underline ? 1 : 0;
    tm->tmStruckOut = f.strike_out ? 1 : 0;
    // The low bit set means variable pitch (its name says the opposite).
    const bool mincho = std::strcmp(f.family, kMinchoFamily) == 0 || std::strcmp(f.family, kPropMinchoFamily) == 0;
    tm->tmPitchAndFamily = static_cast<BYTE>(TMPF_TRUETYPE | TMPF_VECTOR | (f.proportional ? TMPF_FIXED_PITCH : 0) |
                                             (mincho ? FF_ROMAN : (f.proportional ? FF_SWISS : FF_MODERN)));
    tm->tmCharSet = SHIFTJIS_CHARSET;
    return TRUE;
}

int GetTextFaceA(HDC handle, int size, LPSTR face) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc) return 0;
    const char* name = static_cast<Font*>(dc->st.font)->lf.lfFaceName;
    const int n = static_cast<int>(std::strlen(name));
    if (!face) return n + 1;
    if (size <= 0) return 0;
    int copy = std::min(n, size - 1);
    // Never half a double-byte character.
    int k = 0;
    while (k < copy) {
        const int len = char_length(name, n, k);
        if (k + len > copy) break;
        k += len;
    }
    std::memcpy(face, name, static_cast<size_t>(k));
    face[k] = '\0';
    return k;
}
