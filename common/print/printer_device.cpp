#include "common/print/printer_device.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/analysis/text_utils.h"
#include "common/print/print_state.h"
#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/user/winuser.h"

namespace {

// Boxes, lines, clip rectangles and pitched text sit 10 units above the y
// they are given; plain text sits 10 below.
constexpr int kLift = kPrinterLift;
constexpr int kEnlargedLift = 10;
constexpr int kBaseSize = 78, kCellHeight = 80, kCellWidth = 40;
constexpr int kLargeScale = 200;
// Positions and sizes are held well inside the int range, whatever the
// records asked for.
constexpr long long kCoordLimit = 1LL << 28;
constexpr long long kFontLimit = 32767;  // GDI's largest font

PrinterDeviceState& device() { return print_state().device; }

int coord(long long v) { return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

bool is_form_feed(std::string_view text) { return text.size() == 1 && text[0] == '\x0c'; }

void fail_box(int message) {
    const PrintProfile* profile = print_state().host.profile;
    notify_print_failure(profile->failure_caption, print_message(message));
}

std::string current_file() {
    const PrintHost& host = print_state().host;
    return host.current_file ? host.current_file() : document_state().file_name;
}

// --- Finding the printer -----------------------------------------------------------

// A device mode that only sets the paper's orientation by the job's.
DEVMODEA orientation_mode(int orientation) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = orientation == 0 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    return mode;
}

HDC printer_from_names(const PRINTDLGA& pd) {
    const auto* names = static_cast<const char*>(GlobalLock(pd.hDevNames));
    if (names == nullptr) return nullptr;
    const auto* header = reinterpret_cast<const DEVNAMES*>(names);
    const std::string driver = names + header->wDriverOffset;
    const std::string name = names + header->wDeviceOffset;
    const std::string output = names + header->wOutputOffset;
    GlobalUnlock(pd.hDevNames);
    const auto* mode = pd.hDevMode != nullptr ? static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode)) : nullptr;
    HDC dc = CreateDCA(driver.c_str(), name.c_str(), output.c_str(), mode);
    if (mode != nullptr) GlobalUnlock(pd.hDevMode);
    return dc;
}

// The next token after `pos` ended by any of `delimiters`, leading
// delimiters skipped; empty when none is left.
std::string next_token(const std::string& line, size_t& pos, const char* delimiters) {
    const size_t start = line.find_first_not_of(delimiters, pos);
    if (start == std::string::npos) {
        pos = line.size();
        return {};
    }
    const size_t end = std::min(line.find_first_of(delimiters, start), line.size());
    pos = end == line.size() ? end : end + 1;
    return line.substr(start, end - start);
}

// WIN.INI's "device" line, read whole however long it is.
std::string device_line() {
    std::vector<char> buffer(128);
    while (true) {
        const DWORD n = GetProfileStringA("windows", "device", ",,,", buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n + 2 < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

// "name,driver,port": the name ends at a comma, driver and port at a comma
// or a blank.
HDC printer_from_win_ini(int orientation) {
    const std::string line = device_line();
    size_t pos = 0;
    const std::string name = next_token(line, pos, ",");
    const std::string driver = next_token(line, pos, ", ");
    const std::string port = next_token(line, pos, ", ");
    if (name.empty() || driver.empty() || port.empty()) return nullptr;
    const DEVMODEA mode = orientation_mode(orientation);
    return CreateDCA(driver.c_str(), name.c_str(), port.c_str(), &mode);
}

// The set-up record's context, or one made from its names or WIN.INI and
// stored there for later jobs. The paper chosen in the set-up dialog stays,
// but it always turns with the job's orientation: a landscape page drawn
// on an upright sheet would come out squeezed and cut.
HDC find_printer(int orientation) {
    PRINTDLGA& pd = device().setup_record();
    if (pd.hDC == nullptr)
        pd.hDC = pd.hDevNames != nullptr ? printer_from_names(pd) : printer_from_win_ini(orientation);
    if (pd.hDC != nullptr) {
        const DEVMODEA mode = orientation_mode(orientation);
        ResetDCA(pd.hDC, &mode);
    }
    return pd.hDC;
}

// --- Objects -----------------------------------------------------------------------

void create_pen() {
    PrinterDeviceState& d = device();
    d.pen = CreatePen(d.pen_style, d.pen_width, RGB(0, 0, 0));
    if (d.dc != nullptr) d.previous_pen = SelectObject(d.dc, d.pen);
}

// Selects back what an object of ours replaced in the context, then deletes it.
template <typename Handle>
void release_selected(Handle& object, HGDIOBJ& previous) {
    HDC dc = device().dc;
    if (object == nullptr) return;
    if (dc != nullptr && previous != nullptr) SelectObject(dc, previous);
    DeleteObject(object);
    object = nullptr;
    previous = nullptr;
}

void delete_pen() { release_selected(device().pen, device().previous_pen); }

void replace_pen() {
    if (device().dc == nullptr) return;  // the next page set-up makes it
    delete_pen();
    create_pen();
}

void make_font(long long height, long long width) {
    PrinterDeviceState& d = device();
    delete_printer_font();
    d.font_height = static_cast<int>(std::clamp(height, -kFontLimit, kFontLimit));
    d.font_width = static_cast<int>(std::clamp(width, -kFontLimit, kFontLimit));
    const LOGFONTA& lf = d.font_record();
    d.font = CreateFontA(d.font_height, d.font_width, 0, 0, lf.lfWeight, lf.lfItalic, 0, 0, lf.lfCharSet, 0, 0, 0, 0,
                         lf.lfFaceName);
    if (d.dc != nullptr && d.font != nullptr) d.previous_font = SelectObject(d.dc, d.font);
}

// The font of the base size under the kept scale. A height of 200 % is
// drawn a little under double so that the large cells keep their gaps.
void make_scaled_font() {
    const PrinterDeviceState& d = device();
    const long long base = d.base_size;
    if (d.scale_height == kLargeScale) {
        make_font(base * kLargeScale / 104, base * d.scale_width / 208);
    } else {
        make_font(base * d.scale_height / 100, base * d.scale_width / 200);
    }
}

void map_logical_page(HDC dc, int orientation) {
    SetMapMode(dc, MM_ANISOTROPIC);
    if (orientation == 0) {
        SetWindowExtEx(dc, kLogicalPageLong, kLogicalPageShort, nullptr);
    } else {
        SetWindowExtEx(dc, kLogicalPageShort, kLogicalPageLong, nullptr);
    }
    SetViewportExtEx(dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

// A start that failed leaves nothing behind: the document is aborted, the
// pen is selected out and deleted.
void abandon_start() {
    PrinterDeviceState& d = device();
    if (d.document_started) AbortDoc(d.dc);
    d.document_started = d.page_started = false;
    delete_pen();
    delete_printer_font();
    delete_printer_dc();
}

// --- Text --------------------------------------------------------------------------

void text_out(long long x, long long y, std::string_view text) {
    TextOutA(device().dc, coord(x), coord(y), text.data(), static_cast<int>(text.size()));
}

// Character by character on a fixed pitch: the character whose first byte
// has index i goes to x + step * i.
void text_on_pitch(long long x, long long y, std::string_view text, long long step) {
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n;) {
        const int next = next_char(text, i);
        text_out(x + step * i, y, text.substr(static_cast<size_t>(i), static_cast<size_t>(next - i)));
        i = next;
    }
}

long long pitch_step() {
    const PrinterDeviceState& d = device();
    return print_state().job.page_text == 1 ? d.cell_width + 2LL : d.cell_width - 1LL;
}

// A new sheet when printing; in the preview only the page state is reset.
int form_feed() {
    PrinterDeviceState& d = device();
    int result = 0;
    if (!d.preview && d.dc != nullptr) {
        if (d.page_started) {
            const int ended = EndPage(d.dc);
            d.page_started = false;
            if (ended <= 0) {
                result = -1;
                if (ended == SP_APPABORT) d.document_started = false;
            }
        }
        if (result == 0 && d.document_started) {
            if (StartPage(d.dc) > 0) {
                d.page_started = true;
            } else {
                result = -1;
            }
        }
        if (result != 0) print_state().job.failed = true;
    }
    start_printer_page();
    return result;
}

}  // namespace

// --- Device ------------------------------------------------------------------------

int open_printer_dc() {
    PrinterDeviceState& d = device();
    print_state().job.failed = false;
    d.orientation = print_state().job.orientation;
    d.preview = false;
    HDC dc = find_printer(d.orientation);
    if (dc == nullptr) {
        fail_box(kMessageNoPrinter);
        return -2;
    }
    d.printer_dc = d.dc = dc;
    d.vertres = GetDeviceCaps(dc, VERTRES);
    create_pen();
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    map_logical_page(dc, d.orientation);
    gdi_reset_char_cell();
    gdi_move_to(1, 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetAbortProc(dc, print_abort_proc);
    // A new job starts uncancelled: the procedure is asked at its first page.
    print_abort_flag() = false;

    const std::string name = format_text(print_state().host.profile->document_name_format, current_file().c_str());
    const DOCINFOA info{sizeof(DOCINFOA), name.c_str(), nullptr, nullptr, 0};
    d.document_started = StartDocA(dc, &info) > 0;
    if (d.document_started) d.page_started = StartPage(dc) > 0;
    if (!d.page_started) {
        abandon_start();
        fail_box(kMessageCannotStartPrint);
        return -2;
    }
    if (d.font != nullptr) d.previous_font = SelectObject(dc, d.font);
    return 0;
}

int close_printer_dc() {
    PrinterDeviceState& d = device();
    int result = print_state().job.failed ? -1 : 0;
    if (d.dc != nullptr && !d.preview) {
        if (d.page_started && result == 0) {
            const int ended = EndPage(d.dc);
            if (ended <= 0) result = -1;
            if (ended == SP_APPABORT) d.document_started = false;
        }
        if (d.document_started && (result != 0 || EndDoc(d.dc) <= 0)) {
            // a job that failed is taken back whole, and the printer is free
            // for the next one
            AbortDoc(d.dc);
            result = -1;
        }
        if (!d.document_started) result = -1;
    }
    d.page_started = d.document_started = false;
    delete_pen();
    gdi_clear_clip();
    delete_printer_font();
    delete_printer_dc();
    return result;
}

void delete_printer_dc() {
    PrinterDeviceState& d = device();
    if (d.printer_dc != nullptr && d.setup_record().hDC != d.printer_dc) DeleteDC(d.printer_dc);
    d.printer_dc = d.dc = nullptr;
}

void delete_setup_printer_dc() {
    PRINTDLGA& pd = device().setup_record();
    if (pd.hDC == nullptr) return;
    if (device().printer_dc == pd.hDC) device().printer_dc = device().dc = nullptr;
    DeleteDC(pd.hDC);
    pd.hDC = nullptr;
}

int start_printer_page() {
    PrinterDeviceState& d = device();
    if (d.preview) {
        gdi_reset_char_cell();
        gdi_move_to(1, 1);
        return 0;
    }
    if (d.dc == nullptr) return 0;
    if (d.pen == nullptr) {
        create_pen();
    } else {
        SelectObject(d.dc, d.pen);
    }
    SelectObject(d.dc, GetStockObject(NULL_BRUSH));
    map_logical_page(d.dc, d.orientation);
    gdi_reset_char_cell();
    if (d.font != nullptr) SelectObject(d.dc, d.font);
    gdi_move_to(1, 1);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextColor(d.dc, RGB(0, 0, 0));
    return 0;
}

BOOL print_abort_proc(HDC /*dc*/, int /*code*/) {
    pump_one_message();
    return print_abort_flag() ? FALSE : TRUE;
}

// --- Preview -----------------------------------------------------------------------

int open_preview_dc(HWND /*page_box*/) {
    PrinterDeviceState& d = device();
    d.orientation = print_state().job.orientation;
    HDC dc = find_printer(d.orientation);
    if (dc == nullptr) {
        fail_box(kMessageNoPrinter);
        return -2;
    }
    d.printer_dc = dc;
    d.preview = true;
    d.printer_horzres = GetDeviceCaps(dc, HORZRES);
    d.printer_vertres = GetDeviceCaps(dc, VERTRES);
    gdi_reset_char_cell();
    gdi_move_to(1, 1);
    return 0;
}

void map_preview_dc(HDC page_box_dc, int box_width, int box_height) {
    PrinterDeviceState& d = device();
    // The last paint's context is gone; its pen is made anew for this one.
    d.dc = nullptr;
    if (d.pen != nullptr) DeleteObject(d.pen);
    d.pen = nullptr;
    d.previous_pen = d.previous_font = nullptr;
    d.dc = page_box_dc;
    if (page_box_dc == nullptr) return;
    create_pen();
    SelectObject(page_box_dc, GetStockObject(NULL_BRUSH));
    SetMapMode(page_box_dc, MM_ANISOTROPIC);
    if (d.printer_vertres < d.printer_horzres) {
        SetWindowExtEx(page_box_dc, kLogicalPageLong, kLogicalPageShort, nullptr);
    } else {
        SetWindowExtEx(page_box_dc, kLogicalPageShort, kLogicalPageLong, nullptr);
    }
    SetViewportExtEx(page_box_dc, std::max(box_width - 20, 1), std::max(box_height - 20, 1), nullptr);
    SetWindowOrgEx(page_box_dc, 10, 10, nullptr);
    SetViewportOrgEx(page_box_dc, 10, 10, nullptr);
    SetBkMode(page_box_dc, TRANSPARENT);
    SetTextColor(page_box_dc, RGB(0, 0, 0));
    if (d.font != nullptr) d.previous_font = SelectObject(page_box_dc, d.font);
    gdi_reset_char_cell();
    gdi_move_to(1, 1);
}

void end_preview_paint() {
    PrinterDeviceState& d = device();
    if (!d.preview || d.dc == nullptr) return;
    gdi_clear_clip();
    delete_pen();
    if (d.font != nullptr && d.previous_font != nullptr) SelectObject(d.dc, d.previous_font);
    d.previous_font = nullptr;
    d.dc = nullptr;
}

void release_preview_dc() {
    PrinterDeviceState& d = device();
    if (!d.preview) return;
    gdi_clear_clip();
    delete_printer_font();
    delete_pen();
    d.preview = false;
    d.dc = d.printer_dc = nullptr;
}

// --- Drawing operations ------------------------------------------------------------

int gdi_create_font(int /*ignored*/, int base_size, int /*ignored_face*/) {
    device().base_size = base_size;
    make_scaled_font();
    return 0;
}

int gdi_set_char_scale(int height_percent, int width_percent) {
    device().scale_height = height_percent;
    device().scale_width = width_percent;
    make_scaled_font();
    return 0;
}

int gdi_set_char_cell(int cell_height, int cell_width, int /*ignored*/) {
    gdi_create_font(0, std::max(cell_height, cell_width), 0);
    PrinterDeviceState& d = device();
    d.cell_height = cell_height;
    d.cell_width = cell_width;
    return 0;
}

int gdi_reset_char_cell() {
    PrinterDeviceState& d = device();
    d.base_size = kBaseSize;
    d.cell_height = kCellHeight;
    d.cell_width = kCellWidth;
    return 0;
}

int gdi_move_to(int y, int x) {
    PrinterDeviceState& d = device();
    d.y = coord(static_cast<long long>(y) + d.cell_height);
    d.x = x;
    return 0;
}

int gdi_set_round_radius(int radius) {
    device().round_next_box = true;
    device().radius = radius;
    return 0;
}

int gdi_set_pen_style(int style) {
    device().pen_style = style >= 1 && style <= 4 ? style : 0;
    replace_pen();
    return 0;
}

int gdi_set_pen_width(int width) {
    device().pen_width = coord(2LL * width);
    replace_pen();
    return 0;
}

int gdi_set_line_width(int width) { return gdi_set_pen_width(width); }

int gdi_draw_box(int x1, int y1, int x2, int y2) {
    PrinterDeviceState& d = device();
    const bool round = d.round_next_box;
    d.round_next_box = false;
    if (d.dc == nullptr) return 0;
    const int top = coord(static_cast<long long>(y1) - kLift), bottom = coord(static_cast<long long>(y2) - kLift);
    if (round) {
        const int corner = coord(2LL * d.radius);
        RoundRect(d.dc, x1, top, x2, bottom, corner, corner);
    } else {
        Rectangle(d.dc, x1, top, x2, bottom);
    }
    return 0;
}

// When printing only the right edge clips: everything left of it stays,
// above and below included.
int gdi_set_clip_rect(int x1, int y1, int x2, int y2) {
    PrinterDeviceState& d = device();
    if (d.dc == nullptr) return 0;
    gdi_clear_clip();
    POINT corners[2] = {{x1, coord(static_cast<long long>(y1) - kLift)}, {x2, coord(static_cast<long long>(y2) - kLift)}};
    LPtoDP(d.dc, corners, 2);
    d.clip = d.preview ? CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y)
                       : CreateRectRgn(0, 0, corners[1].x, d.vertres);
    SelectClipRgn(d.dc, d.clip);
    return 0;
}

int gdi_clear_clip() {
    PrinterDeviceState& d = device();
    if (d.dc != nullptr) SelectClipRgn(d.dc, nullptr);
    if (d.clip != nullptr) DeleteObject(d.clip);
    d.clip = nullptr;
    return 0;
}

int gdi_draw_line(int x1, int y1, int x2, int y2) {
    PrinterDeviceState& d = device();
    if (d.dc == nullptr) return 0;
    MoveToEx(d.dc, x1, coord(static_cast<long long>(y1) - kLift), nullptr);
    LineTo(d.dc, x2, coord(static_cast<long long>(y2) - kLift));
    return 0;
}

int gdi_set_enlarged_font(int on) {
    PrinterDeviceState& d = device();
    long long size = d.base_size;
    if (on == 1) {
        if (print_state().host.profile->enlarged_font_moves_up) d.y = coord(static_cast<long long>(d.y) - kEnlargedLift);
        size = d.base_size / 2 * 3LL;
    }
    make_font(size, size / 2);
    return 0;
}

int gdi_text_out_at(int x, int y, std::string_view text) {
    if (is_form_feed(text)) return form_feed();
    const PrinterDeviceState& d = device();
    if (d.dc == nullptr || text.empty()) return 0;
    const long long h = d.cell_height;
    if (d.scale_height == kLargeScale) {
        text_out(x, y - h / 6 - h - kLift, text);
    } else if (print_state().job.job_kind == -1) {
        text_on_pitch(x, static_cast<long long>(y) - kLift, text, pitch_step());
    } else {
        text_out(x, static_cast<long long>(y) + kLift, text);
    }
    return 0;
}

int gdi_text_out_len(std::string_view text, int length) {
    text = text.substr(0, static_cast<size_t>(std::clamp(length, 0, static_cast<int>(text.size()))));
    if (is_form_feed(text)) return form_feed();
    const PrinterDeviceState& d = device();
    if (d.dc == nullptr || text.empty()) return 0;
    const long long h = d.cell_height;
    if (d.scale_height == kLargeScale) {
        text_out(d.x, d.y - h / 6 - h - kLift, text);
    } else if (d.preview) {
        text_on_pitch(d.x, static_cast<long long>(d.y) + kLift, text, d.font_width);
    } else if (print_state().job.job_kind == -1) {
        text_on_pitch(d.x, static_cast<long long>(d.y) - kLift, text, pitch_step());
    } else {
        text_out(d.x, static_cast<long long>(d.y) + kLift, text);
    }
    return 0;
}

int gdi_write_text(std::string_view text) { return gdi_text_out_len(text, static_cast<int>(text.size())); }

// The text up to its first CR is drawn; after it only the line ends count
// (CR LF a new line, a lone CR a return), each of them.
int gdi_write_lines(std::string_view text) {
    if (is_form_feed(text)) return form_feed();
    PrinterDeviceState& d = device();
    const size_t cr = std::min(text.find('\r'), text.size());
    const std::string_view head = text.substr(0, cr);
    if (!head.empty()) {
        gdi_write_text(head);
        d.x = coord(d.x + static_cast<long long>(head.size()) * d.cell_width);
    }
    for (size_t i = cr; i < text.size(); ++i) {
        if (text[i] != '\r') continue;
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            d.y = coord(static_cast<long long>(d.y) + d.cell_height);
            ++i;
        }
        d.x = 0;
    }
    return 0;
}

int gdi_set_overlay(int /*state*/) { return 0; }
int gdi_set_line_attr(int /*attr*/) { return 0; }
int gdi_noop_primitive() { return 0; }
int gdi_noop_pair(int /*a*/, int /*b*/) { return 0; }

void delete_printer_font() { release_selected(device().font, device().previous_font); }
