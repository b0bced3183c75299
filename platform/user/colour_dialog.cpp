// The colour dialog: the 48 basic colours and the 16 the user made, and,
// opened out, the colour field (hue across, saturation down), the
// luminance bar and the fields of hue, saturation, luminance, red, green
// and blue, on the scales the Windows colour dialog uses (hue 0-239,
// saturation and luminance 0-240).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/automation/host.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/commdlg.h"
#include "platform/user/common_dialog_window.h"

using automation::CommonDialogAnswer;
using automation::CommonDialogKind;
using namespace platform_user;

namespace {

enum : int {
    kBasic = 720,
    kCustom = 721,
    kDefine = 719,
    kField = 710,
    kLuminance = 702,
    kSample = 709,
    kHue = 703,
    kSaturation = 704,
    kLum = 705,
    kRed = 706,
    kGreen = 707,
    kBlue = 708,
    kAddCustom = 712,
    kSolidLabel = 730,  // and the field labels after it
};

// The right part's controls: hidden until the dialog is opened out.
constexpr int kFullPart[] = {kField, kLuminance, kSample, kHue, kSaturation, kLum, kRed, kGreen, kBlue, kAddCustom,
                             kSolidLabel, kSolidLabel + 1, kSolidLabel + 2, kSolidLabel + 3, kSolidLabel + 4,
                             kSolidLabel + 5, kSolidLabel + 6};
constexpr int kCompactWidth = 152;
constexpr int kFullWidth = 312;
constexpr int kHeight = 182;

constexpr COLORREF kBasicColours[48] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

// --- Hue, luminance, saturation -----------------------------------------------------

struct Hls {
    int hue = 0;  // 0-239
    int lum = 0;  // 0-240
    int sat = 0;  // 0-240
};

Hls to_hls(COLORREF c) {
    const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    const double l = (high + low) / 2;
    Hls out;
    out.lum = static_cast<int>(std::lround(l * 240));
    if (high == low) return out;
    const double d = high - low;
    const double s = l <= 0.5 ? d / (high + low) : d / (2 - high - low);
    double h = high == r ? (g - b) / d : high == g ? 2 + (b - r) / d : 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
    out.hue = static_cast<int>(std::lround(h * 240)) % 240;
    out.sat = static_cast<int>(std::lround(s * 240));
    return out;
}

double hue_part(double m1, double m2, double h) {
    if (h < 0) h += 1;
    if (h > 1) h -= 1;
    if (h * 6 < 1) return m1 + (m2 - m1) * h * 6;
    if (h * 2 < 1) return m2;
    if (h * 3 < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    return m1;
}

COLORREF from_hls(const Hls& v) {
    const double h = v.hue / 240.0, l = v.lum / 240.0, s = v.sat / 240.0;
    if (s == 0) {
        const BYTE grey = static_cast<BYTE>(std::lround(l * 255));
        return RGB(grey, grey, grey);
    }
    const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    const double m1 = 2 * l - m2;
    auto byte = [](double x) { return static_cast<BYTE>(std::clamp(std::lround(x * 255), 0L, 255L)); };
    return RGB(byte(hue_part(m1, m2, h + 1.0 / 3)), byte(hue_part(m1, m2, h)), byte(hue_part(m1, m2, h - 1.0 / 3)));
}

// --- The choice --------------------------------------------------------------------------

struct ColourRecord : CommonDialogState {
    CHOOSECOLORA* cc = nullptr;
    COLORREF colour = 0;
    COLORREF custom[16] = {};
    Hls hls;
    int basic_at = -1;     // the cell of the basic colours picked
    int custom_at = -1;    // the cell of the user's colours picked
    int custom_next = 0;   // where 色の追加 puts the colour
    bool full = false;
    bool updating = false;  // the dialog is filling its own fields
};

void start_choice(ColourRecord& r) {
    r.colour = (r.cc->Flags & CC_RGBINIT) ? r.cc->rgbResult & 0xFFFFFF : RGB(0, 0, 0);
    if (r.cc->lpCustColors) std::memcpy(r.custom, r.cc->lpCustColors, sizeof r.custom);
    r.hls = to_hls(r.colour);
    for (int i = 0; i < 48 && r.basic_at < 0; ++i) {
        if (kBasicColours[i] == r.colour) r.basic_at = i;
    }
    for (int i = 0; i < 16 && r.basic_at < 0 && r.custom_at < 0; ++i) {
        if (r.custom[i] == r.colour) r.custom_at = r.custom_next = i;
    }
    r.full = (r.cc->Flags & CC_FULLOPEN) && !(r.cc->Flags & CC_PREVENTFULLOPEN);
}

void write_choice(const ColourRecord& r) {
    r.cc->rgbResult = r.colour;
    if (r.cc->lpCustColors) std::memcpy(r.cc->lpCustColors, r.custom, sizeof r.custom);
}

ColourRecord* record_of(HWND control) {
    return dialog_record<ColourRecord>(GetParent(control));
}

void redraw(HWND dialog, int id) {
    if (HWND c = GetDlgItem(dialog, id)) InvalidateRect(c, nullptr, FALSE);
}

// Shows the colour in the fields and pictures.
void show_colour(HWND dialog, ColourRecord& r, bool fields_too = true) {
    if (fields_too) {
        r.updating = true;
        const int values[] = {r.hls.hue, r.hls.sat, r.hls.lum, GetRValue(r.colour), GetGValue(r.colour),
                              GetBValue(r.colour)};
        const int ids[] = {kHue, kSaturation, kLum, kRed, kGreen, kBlue};
        for (int i = 0; i < 6; ++i) SetDlgItemInt(dialog, ids[i], static_cast<UINT>(values[i]), FALSE);
        r.updating = false;
    }
    for (int id : {kBasic, kCustom, kField, kLuminance, kSample}) redraw(dialog, id);
}

void pick_cell(HWND dialog, ColourRecord& r, int id, int index) {
    if (id == kBasic) {
        r.basic_at = index;
        r.custom_at = -1;
        r.colour = kBasicColours[index];
    } else {
        r.custom_at = r.custom_next = index;
        r.basic_at = -1;
        r.colour = r.custom[index];
    }
    r.hls = to_hls(r.colour);
    show_colour(dialog, r);
}

void set_hls(HWND dialog, ColourRecord& r, const Hls& v) {
    r.hls = v;
    r.colour = from_hls(v);
    r.basic_at = r.custom_at = -1;
    show_colour(dialog, r);
}

// --- Pictures -------------------------------------------------------------------------

// Pixels 0xRRGGBB, rows from the top, drawn at (x, y).
void draw_pixels(HDC dc, int x, int y, int width, int height, const std::vector<uint32_t>& rgb) {
    if (width <= 0 || height <= 0) return;
    std::vector<unsigned char> bits(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t i = 0; i < rgb.size(); ++i) {
        bits[i * 4] = static_cast<unsigned char>(rgb[i] & 0xFF);
        bits[i * 4 + 1] = static_cast<unsigned char>((rgb[i] >> 8) & 0xFF);
        bits[i * 4 + 2] = static_cast<unsigned char>((rgb[i] >> 16) & 0xFF);
    }
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, bits.data());
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

uint32_t rgb_value(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

int rows_of(int id) {
    return id == kBasic ? 6 : 2;
}

// A cell of the grid of colours: eight across.
RECT swatch_rect(HWND cells, int index) {
    RECT client;
    GetClientRect(cells, &client);
    const int rows = rows_of(GetDlgCtrlID(cells));
    const int col = index % 8, row = index / 8;
    return RECT{client.right * col / 8, client.bottom * row / rows, client.right * (col + 1) / 8,
                client.bottom * (row + 1) / rows};
}

void paint_cells(HWND cells, HDC dc) {
    ColourRecord* r = record_of(cells);
    if (!r) return;
    const int id = GetDlgCtrlID(cells);
    const int count = rows_of(id) * 8;
    const int picked = id == kBasic ? r->basic_at : r->custom_at;
    RECT client;
    GetClientRect(cells, &client);
    fill_solid(dc, client, sys_color(COLOR_BTNFACE));
    const bool focused = GetFocus() == cells;
    for (int i = 0; i < count; ++i) {
        RECT cell = swatch_rect(cells, i);
        RECT swatch{cell.left + 3, cell.top + 3, cell.right - 3, cell.bottom - 3};
        draw_frame_3d(dc, swatch, true);
        fill_solid(dc, RECT{swatch.left + 1, swatch.top + 1, swatch.right - 1, swatch.bottom - 1},
                   id == kBasic ? kBasicColours[i] : r->custom[i]);
        if (i == picked) {
            RECT ring{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
            HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
            FrameRect(dc, &ring, black);
            if (focused) {
                RECT inner{ring.left + 1, ring.top + 1, ring.right - 1, ring.bottom - 1};
                FrameRect(dc, &inner, black);
            }
        }
    }
}

void paint_field(HWND field, HDC dc) {
    ColourRecord* r = record_of(field);
    if (!r) return;
    RECT c;
    GetClientRect(field, &c);
    const int w = c.right - 2, h = c.bottom - 2;
    std::vector<uint32_t> rgb;
    rgb.reserve(static_cast<size_t>(std::max(w, 0) * std::max(h, 0)));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Hls v{x * 239 / std::max(w - 1, 1), 120, 240 - y * 240 / std::max(h - 1, 1)};
            rgb.push_back(rgb_value(from_hls(v)));
        }
    }
    draw_frame_3d(dc, c, true);
    draw_pixels(dc, 1, 1, w, h, rgb);
    // The cross on the hue and saturation picked.
    const int x = 1 + r->hls.hue * (w - 1) / 239, y = 1 + (240 - r->hls.sat) * (h - 1) / 240;
    for (RECT part : {RECT{x - 8, y - 1, x - 3, y + 2}, RECT{x + 4, y - 1, x + 9, y + 2},
                      RECT{x - 1, y - 8, x + 2, y - 3}, RECT{x - 1, y + 4, x + 2, y + 9}}) {
        part.left = std::max<LONG>(part.left, 1);
        part.top = std::max<LONG>(part.top, 1);
        part.right = std::min<LONG>(part.right, c.right - 1);
        part.bottom = std::min<LONG>(part.bottom, c.bottom - 1);
        if (part.left < part.right && part.top < part.bottom) fill_solid(dc, part, RGB(0, 0, 0));
    }
}

constexpr int kBarWidth = 10;

void paint_luminance(HWND bar, HDC dc) {
    ColourRecord* r = record_of(bar);
    if (!r) return;
    RECT c;
    GetClientRect(bar, &c);
    fill_solid(dc, c, sys_color(COLOR_BTNFACE));
    const int h = c.bottom - 2;
    std::vector<uint32_t> rgb;
    for (int y = 0; y < h; ++y) {
        const uint32_t v = rgb_value(from_hls(Hls{r->hls.hue, 240 - y * 240 / std::max(h - 1, 1), r->hls.sat}));
        for (int x = 0; x < kBarWidth - 2; ++x) rgb.push_back(v);
    }
    draw_frame_3d(dc, RECT{0, 0, kBarWidth, c.bottom}, true);
    draw_pixels(dc, 1, 1, kBarWidth - 2, h, rgb);
    // The arrow beside the luminance picked.
    const int y = 1 + (240 - r->hls.lum) * (h - 1) / 240;
    const POINT arrow[] = {{kBarWidth + 1, y}, {kBarWidth + 6, y - 5}, {kBarWidth + 6, y + 5}};
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, arrow, 3);
    SelectObject(dc, old_brush);
    SelectObject(dc, old_pen);
}

void paint_sample(HWND sample, HDC dc) {
    ColourRecord* r = record_of(sample);
    if (!r) return;
    RECT c;
    GetClientRect(sample, &c);
    draw_frame_3d(dc, c, true);
    fill_solid(dc, RECT{1, 1, c.right - 1, c.bottom - 1}, r->colour);
}

// The mouse on a picture: the colour under it.
void pointer_at(HWND control, LPARAM lparam) {
    ColourRecord* r = record_of(control);
    if (!r) return;
    HWND dialog = GetParent(control);
    const int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lparam)));
    const int y = static_cast<short>(HIWORD(static_cast<uintptr_t>(lparam)));
    RECT c;
    GetClientRect(control, &c);
    const int id = GetDlgCtrlID(control);
    if (id == kBasic || id == kCustom) {
        for (int i = 0; i < rows_of(id) * 8; ++i) {
            RECT cell = swatch_rect(control, i);
            if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) pick_cell(dialog, *r, id, i);
        }
        return;
    }
    Hls v = r->hls;
    const int h = std::max<int>(c.bottom - 3, 1);
    if (id == kField) {
        const int w = std::max<int>(c.right - 3, 1);
        v.hue = std::clamp((x - 1) * 239 / w, 0, 239);
        v.sat = std::clamp(240 - (y - 1) * 240 / h, 0, 240);
    } else {
        v.lum = std::clamp(240 - (y - 1) * 240 / h, 0, 240);
    }
    set_hls(dialog, *r, v);
}

LRESULT colour_part_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const int id = GetDlgCtrlID(window);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (id == kBasic || id == kCustom) paint_cells(window, dc);
        else if (id == kField) paint_field(window, dc);
        else if (id == kLuminance) paint_luminance(window, dc);
        else paint_sample(window, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return id == kBasic || id == kCustom ? static_cast<LRESULT>(DLGC_WANTARROWS) : 0;
    case WM_LBUTTONDOWN:
        if (id == kSample) return 0;
        if (id == kBasic || id == kCustom) SetFocus(window);
        SetCapture(window);
        pointer_at(window, lparam);
        return 0;
    case WM_MOUSEMOVE:
        if ((wparam & MK_LBUTTON) && GetCapture() == window && id != kBasic && id != kCustom) pointer_at(window, lparam);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN: {
        ColourRecord* r = record_of(window);
        if (!r || (id != kBasic && id != kCustom)) return 0;
        const int count = rows_of(id) * 8;
        int at = id == kBasic ? r->basic_at : r->custom_at;
        if (at < 0) at = 0;
        else if (wparam == VK_LEFT) at = (at + count - 1) % count;
        else if (wparam == VK_RIGHT) at = (at + 1) % count;
        else if (wparam == VK_UP) at = (at + count - 8) % count;
        else if (wparam == VK_DOWN) at = (at + 8) % count;
        else return 0;
        pick_cell(GetParent(window), *r, id, at);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

constexpr const char* kPartClass = "PlatformColourPart";

void register_part_class() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = colour_part_proc;
    wc.lpszClassName = kPartClass;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
}

// --- The window --------------------------------------------------------------------------

// Shows or hides the right part; the compact dialog first comes centred on
// the screen, and opened out it grows to the right.
void show_full_part(HWND dialog, ColourRecord& r, bool first) {
    for (int id : kFullPart) {
        if (HWND c = GetDlgItem(dialog, id)) ShowWindow(c, r.full ? SW_SHOW : SW_HIDE);
    }
    RECT frame, client;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    RECT compact{0, 0, r.full ? kFullWidth : kCompactWidth, 8};
    MapDialogRect(dialog, &compact);
    const int width = (frame.right - frame.left) - client.right + compact.right;
    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const int left = first ? (screen - width) / 2 : std::max(0, std::min<int>(frame.left, screen - width));
    SetWindowPos(dialog, nullptr, left, frame.top, width, frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND define = GetDlgItem(dialog, kDefine)) {
        EnableWindow(define, !r.full && !(r.cc->Flags & CC_PREVENTFULLOPEN));
    }
}

void field_changed(HWND dialog, ColourRecord& r, int id) {
    if (r.updating) return;
    BOOL ok = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(dialog, id, &ok, FALSE));
    if (!ok) return;
    if (id == kHue || id == kSaturation || id == kLum) {
        Hls v = r.hls;
        if (id == kHue) v.hue = std::min(value, 239);
        if (id == kSaturation) v.sat = std::min(value, 240);
        if (id == kLum) v.lum = std::min(value, 240);
        r.hls = v;
        r.colour = from_hls(v);
    } else {
        BYTE rgb[] = {GetRValue(r.colour), GetGValue(r.colour), GetBValue(r.colour)};
        rgb[id - kRed] = static_cast<BYTE>(std::min(value, 255));
        r.colour = RGB(rgb[0], rgb[1], rgb[2]);
        r.hls = to_hls(r.colour);
    }
    r.basic_at = r.custom_at = -1;
    // The other fields follow; the one typed into keeps its text.
    r.updating = true;
    const int values[] = {r.hls.hue, r.hls.sat, r.hls.lum, GetRValue(r.colour), GetGValue(r.colour), GetBValue(r.colour)};
    const int ids[] = {kHue, kSaturation, kLum, kRed, kGreen, kBlue};
    for (int i = 0; i < 6; ++i) {
        if (ids[i] != id) SetDlgItemInt(dialog, ids[i], static_cast<UINT>(values[i]), FALSE);
    }
    r.updating = false;
    show_colour(dialog, r, false);
}

INT_PTR colour_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        keep_dialog_record(dialog, lparam);
        auto* r = dialog_record<ColourRecord>(dialog);
        show_colour(dialog, *r);
        show_full_part(dialog, *r, true);
        return TRUE;
    }
    auto* r = dialog_record<ColourRecord>(dialog);
    if (!r || message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    if (id == IDOK || id == IDCANCEL) {
        end_common_dialog(dialog, id == IDOK);
    } else if (id == kDefine) {
        r->full = true;
        show_full_part(dialog, *r, false);
        SetFocus(GetDlgItem(dialog, kHue));
    } else if (id == kAddCustom) {
        r->custom[r->custom_next] = r->colour;
        r->custom_at = r->custom_next;
        r->basic_at = -1;
        r->custom_next = (r->custom_next + 1) % 16;
        show_colour(dialog, *r, false);
    } else if (id >= kHue && id <= kBlue && code == EN_CHANGE) {
        field_changed(dialog, *r, id);
    } else {
        return FALSE;
    }
    return TRUE;
}

HWND make_colour_dialog(ColourRecord& r, HWND owner) {
    register_part_class();
    DialogBuilder b("色の設定"_sjis, kFullWidth, kHeight);
    b.add("STATIC", "基本色(&B):"_sjis, -1, 4, 4, 140, 9, SS_LEFT);
    b.add(kPartClass, "", kBasic, 4, 14, 144, 84, WS_TABSTOP | WS_GROUP);
    b.add("STATIC", "作成した色(&C):"_sjis, -1, 4, 102, 140, 9, SS_LEFT);
    b.add(kPartClass, "", kCustom, 4, 112, 144, 28, WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "色の作成(&D) >>"_sjis, kDefine, 4, 146, 144, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "OK"_sjis, IDOK, 4, 164, 68, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP);
    b.add("BUTTON", "キャンセル"_sjis, IDCANCEL, 80, 164, 68, 14, BS_PUSHBUTTON | WS_TABSTOP);
    b.add(kPartClass, "", kField, 156, 4, 126, 108, 0);
    b.add(kPartClass, "", kLuminance, 288, 4, 18, 108, 0);
    b.add(kPartClass, "", kSample, 156, 118, 40, 24, 0);
    b.add("STATIC", "色|純色(&O)"_sjis, kSolidLabel, 156, 146, 40, 9, SS_CENTER);
    const char* labels[] = {"色合い(&E):"_sjis, "鮮やかさ(&S):"_sjis, "明るさ(&L):"_sjis,
                            "赤(&R):"_sjis,     "緑(&G):"_sjis,       "青(&U):"_sjis};
    const int ids[] = {kHue, kSaturation, kLum, kRed, kGreen, kBlue};
    for (int i = 0; i < 6; ++i) {
        const int x = i < 3 ? 200 : 262, y = 118 + (i % 3) * 14;
        const int label_width = i < 3 ? 40 : 22;
        b.add("STATIC", labels[i], kSolidLabel + 1 + i, x, y + 2, label_width, 9, SS_RIGHT);
        b.add("EDIT", "", ids[i], x + label_width + 2, y, 20, 12, WS_BORDER | WS_TABSTOP | ES_NUMBER | WS_GROUP);
    }
    b.add("BUTTON", "色の追加(&A)"_sjis, kAddCustom, 156, 164, 150, 14, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP);
    DialogTemplate t = b.make();
    return CreateDialogIndirectParamA(nullptr, &t, owner, colour_dialog_proc, reinterpret_cast<LPARAM>(&r));
}

}  // namespace

BOOL ChooseColorA(CHOOSECOLORA* cc) {
    set_common_dialog_error(0);
    if (!cc) {
        set_common_dialog_error(CDERR_INITIALIZATION);
        return FALSE;
    }
    const std::string title;
    ColourRecord r;
    r.cc = cc;
    start_choice(r);
    DialogOutcome outcome = run_common_dialog(
        CommonDialogKind::colour, title, cc->hwndOwner, r, [&](HWND owner) { return make_colour_dialog(r, owner); },
        [&](const CommonDialogAnswer& answer) {
            // OK without a colour keeps the one the dialog shows.
            if (answer.has_colour) r.colour = answer.colour & 0xFFFFFF;
            return true;
        });
    if (outcome != DialogOutcome::ok) return FALSE;
    write_choice(r);
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(r.colour), GetGValue(r.colour), GetBValue(r.colour));
    platform_automation::common_dialog_result(CommonDialogKind::colour, title, true, text);
    return TRUE;
}
