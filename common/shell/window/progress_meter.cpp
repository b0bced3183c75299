#include "common/shell/window/progress_meter.h"

#include <algorithm>
#include <cstdio>

#include "common/shell/window/shell_windows_setup.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/clock.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// " 中断 "
constexpr auto& kCancelLabel = " 中断 "_sjis;
// "【" and "】"
constexpr auto& kOpenBracket = "【"_sjis;
constexpr auto& kCloseBracket = "】"_sjis;

// The bar's frame and inside, in client coordinates.
constexpr RECT kBarFrame{18, 95, 320, 116};
constexpr int kBarLeft = 19;
constexpr int kBarTop = 96;
constexpr int kBarBottom = 116;

std::string kept_text(std::string_view text) {
    std::string out(text);
    cut_at_char_boundary(out, static_cast<int>(kMeterTextBytes));
    return out;
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Draws with a 1-pixel solid pen of the colour; the context keeps its pen.
class PenScope {
public:
    PenScope(HDC dc, COLORREF colour) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, colour)) {
        old_ = SelectObject(dc_, pen_);
    }
    ~PenScope() {
        SelectObject(dc_, old_);
        DeleteObject(pen_);
    }
    PenScope(const PenScope&) = delete;
    PenScope& operator=(const PenScope&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HGDIOBJ old_;
};

// A sunken frame: grey left and top edges, white bottom and right edges.
void sunken_frame(HDC dc, const RECT& r) {
    {
        PenScope grey(dc, kGrey);
        line(dc, r.left, r.bottom, r.left, r.top);
        line(dc, r.left, r.top, r.right, r.top);
    }
    PenScope white(dc, kWhite);
    line(dc, r.right, r.top, r.right, r.bottom);
    line(dc, r.right, r.bottom, r.left, r.bottom);
}

// A light-grey box with a light-grey outline.
void grey_box(HDC dc, int left, int top, int right, int bottom) {
    PenScope outline(dc, kLightGrey);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, old_brush);
}

void text_at(HDC dc, int x, int y, COLORREF colour, const std::string& text) {
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
}

// Fetches the meter's context when the caller gives none, and prepares it
// for text (transparent, the meter font); restores what it changed.
class MeterDc {
public:
    MeterDc(HWND window, HDC given) : window_(window), dc_(given) {
        if (!dc_) {
            dc_ = GetDC(window_);
            fetched_ = true;
        }
        old_mode_ = SetBkMode(dc_, TRANSPARENT);
        if (HFONT font = shell_windows_setup().meter_font) old_font_ = SelectObject(dc_, font);
    }
    ~MeterDc() {
        if (old_font_) SelectObject(dc_, old_font_);
        SetBkMode(dc_, old_mode_);
        if (fetched_) ReleaseDC(window_, dc_);
    }
    MeterDc(const MeterDc&) = delete;
    MeterDc& operator=(const MeterDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    bool fetched_ = false;
    int old_mode_ = 0;
    HGDIOBJ old_font_ = nullptr;
};

RECT client_of(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

void draw_border(HDC dc, int w, int h) {
    {
        PenScope white(dc, kWhite);
        for (int i = 0; i < 2; ++i) {
            line(dc, 0, i, w, i);
            line(dc, i, 0, i, h);
        }
    }
    PenScope grey(dc, kGrey);
    for (int i = 1; i <= 2; ++i) {
        line(dc, 0, h - i, w, h - i);
        line(dc, w - i, 0, w - i, h);
    }
}

void draw_texts(HDC dc, HWND window, int w) {
    ProgressMeter& m = progress_meter();
    m.texts_known = true;
    m.drawn_title = m.title;
    m.drawn_line1 = m.line1;
    m.drawn_line2 = m.line2;
    const std::string caption = meter_caption(m.title);
    char current[kMeterTextBytes + 16] = {};
    GetWindowTextA(window, current, sizeof current);
    if (caption != current) SetWindowTextA(window, caption.c_str());
    grey_box(dc, 12, 12, w - 12, 60);
    text_at(dc, 20, 18, kBlack, m.line1);
    text_at(dc, 20, 40, kBlue,
            m.profile.line2_shortened_in_middle ? meter_path_text(m.line2, w) : meter_line_text(m.line2, w));
}

void draw_bar(HDC dc) {
    ProgressMeter& m = progress_meter();
    sunken_frame(dc, kBarFrame);
    const RECT inside{kBarLeft, kBarTop, kBarLeft + kMeterBarWidth, kBarBottom};
    FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    const int width = meter_bar_width(m.done, m.total);
    m.bar_known = true;
    m.drawn_width = width;
    m.drawn_percent = meter_percentage(m.done, m.total);
    if (width > 0) {
        HBRUSH yellow = CreateSolidBrush(kYellow);
        const RECT bar{kBarLeft, kBarTop, kBarLeft + width, kBarBottom};
        FillRect(dc, &bar, yellow);
        DeleteObject(yellow);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%d%s", m.drawn_percent, "%");
    text_at(dc, 153, 100, kBlack, text);
}

void draw_item(HDC dc, int w) {
    ProgressMeter& m = progress_meter();
    grey_box(dc, 2, 70, w - 2, 90);
    text_at(dc, 20, 76, kBlack, meter_line_text(m.item, w));
    m.item_known = true;
    m.drawn_item = m.item;
}

bool bar_differs(const ProgressMeter& m) {
    return !m.bar_known || meter_bar_width(m.done, m.total) != m.drawn_width ||
           meter_percentage(m.done, m.total) != m.drawn_percent;
}

bool item_differs(const ProgressMeter& m) { return !m.item_known || m.item != m.drawn_item; }

bool texts_differ(const ProgressMeter& m) {
    return !m.texts_known || m.title != m.drawn_title || m.line1 != m.drawn_line1 || m.line2 != m.drawn_line2;
}

// Draws the parts that differ from what the window shows.
void draw_differences(bool with_texts = false) {
    ProgressMeter& m = progress_meter();
    const bool texts = with_texts && texts_differ(m), bar = bar_differs(m), item = item_differs(m);
    if (!texts && !bar && !item) return;
    MeterDc scope(m.window, nullptr);
    if (texts) draw_texts(scope.get(), m.window, client_of(m.window).right);
    if (bar) draw_bar(scope.get());
    if (item) draw_item(scope.get(), client_of(m.window).right);
}

void draw_all(HDC dc, HWND window) {
    const RECT r = client_of(window);
    draw_border(dc, r.right, r.bottom);
    sunken_frame(dc, RECT{10, 10, r.right - 10, 64});
    draw_texts(dc, window, r.right);
    draw_bar(dc);
    draw_item(dc, r.right);
}

}  // namespace

namespace {

// Nothing is held back any more: a script's look need not ask the meter.
void stop_owing(ProgressMeter& m) {
    if (!m.hook_owes) return;
    m.hook_owes = false;
    platform_set_screen_read_hook(nullptr);
}

}  // namespace

void ProgressMeter::reset() {
    stop_owing(*this);
    const ProgressMeterProfile kept = profile;
    *this = ProgressMeter{};
    profile = kept;
}

ProgressMeter& progress_meter() {
    static ProgressMeter meter;
    return meter;
}

void set_progress_meter_profile(const ProgressMeterProfile& profile) {
    progress_meter().profile = profile;
}

int register_meter_class(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = meter_wnd_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = progress_meter().profile.class_name;
    return RegisterClassA(&wc) ? 1 : 0;
}

void open_progress_meter(HWND owner, std::string_view title, std::string_view line1, std::string_view line2) {
    ProgressMeter& m = progress_meter();
    if (m.open) close_progress_meter();
    m.title = kept_text(title);
    m.line1 = kept_text(line1);
    m.line2 = kept_text(line2);
    m.item.clear();
    m.done = m.total = 0;
    forget_shown_progress();
    const ShellWindowsSetup& setup = shell_windows_setup();
    HWND window = CreateWindowA(m.profile.class_name, m.profile.initial_caption, WS_CAPTION, 0, 0, kMeterWidth,
                                kMeterHeight, owner, nullptr, setup.instance, nullptr);
    if (!window) return;
    if (HMENU system = GetSystemMenu(window, FALSE)) {
        DeleteMenu(system, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(system, SC_MINIMIZE, MF_BYCOMMAND);
        DeleteMenu(system, SC_SIZE, MF_BYCOMMAND);
    }
    m.window = window;
    m.open = true;
    m.button = CreateWindowA("BUTTON", kCancelLabel, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 130, 130, 80, 24, window,
                             reinterpret_cast<HMENU>(static_cast<uintptr_t>(kMeterCancelId)), setup.instance,
                             nullptr);
    if (m.button && setup.meter_font)
        SendMessageA(m.button, WM_SETFONT, reinterpret_cast<WPARAM>(setup.meter_font), TRUE);
    center_over_frame(window, setup.frame ? setup.frame : owner);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void close_progress_meter() {
    ProgressMeter& m = progress_meter();
    if (!m.open) return;
    HWND window = m.window;
    HWND button = m.button;
    m.button = nullptr;
    if (button && IsWindow(button)) DestroyWindow(button);
    if (window && IsWindow(window)) DestroyWindow(window);
    m.window = nullptr;
    m.open = false;
    m.done = m.total = 0;
    forget_shown_progress();
}

int redraw_progress_meter(HDC dc, std::string_view title, std::string_view line1, std::string_view line2) {
    ProgressMeter& m = progress_meter();
    if (!m.open) return -1;
    m.title = kept_text(title);
    m.line1 = kept_text(line1);
    m.line2 = kept_text(line2);
    if (!dc) {
        m.done = m.total = 0;
        // the frame and the unchanged parts are on the window already
        if (m.texts_known && m.bar_known && m.item_known) {
            draw_differences(true);
            return 0;
        }
    }
    MeterDc scope(m.window, dc);
    draw_all(scope.get(), m.window);
    return 0;
}

int set_progress_item(HDC dc, std::string_view text) {
    ProgressMeter& m = progress_meter();
    if (!m.open) return -1;
    m.item = kept_text(text);
    MeterDc scope(m.window, dc);
    draw_item(scope.get(), client_of(m.window).right);
    return 0;
}

int set_progress_value(HDC dc, int32_t done, int32_t total) {
    ProgressMeter& m = progress_meter();
    if (!m.open) return -1;
    m.done = done;
    m.total = total;
    MeterDc scope(m.window, dc);
    draw_bar(scope.get());
    return 0;
}

LRESULT meter_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    ProgressMeter& m = progress_meter();
    switch (message) {
    case WM_SETFOCUS:
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        ShowCursor(TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (m.open && window == m.window) {
            MeterDc scope(window, dc);
            draw_all(dc, window);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        if (window == m.window) {
            m.open = false;
            m.window = nullptr;
            m.button = nullptr;
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wparam) == kMeterCancelId) {
            // The run sees the flag at its next progress report.
            MessageBeep(0);
            shell_abort_flag() = true;
            close_progress_meter();
        }
        return 0;
    case WM_CREATE:
    case WM_DRAWITEM:
    case WM_PALETTECHANGED:
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

int meter_bar_width(int32_t done, int32_t total) {
    if (total == 0 || done <= 0 || total < 0) return 0;
    const int64_t width = static_cast<int64_t>(kMeterBarWidth) * done / total;
    return width > kMeterBarWidth ? kMeterBarWidth : static_cast<int>(width);
}

int meter_percentage(int32_t done, int32_t total) {
    if (total == 0 || done <= 0 || total < 0) return 0;
    const int64_t percent = static_cast<int64_t>(done) * 100 / total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

std::string meter_caption(std::string_view title) {
    for (size_t i = 0; i < title.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (c == static_cast<unsigned char>(kOpenBracket[0]) && i + 1 < title.size() &&
            title[i + 1] == kOpenBracket[1])
            return std::string(title);
        if (is_sjis_lead_byte(c)) ++i;
    }
    return std::string(kOpenBracket) + " " + std::string(title) + " " + kCloseBracket;
}

namespace {

bool line_fits(std::string_view text, int client_width) {
    return 6 * static_cast<int64_t>(text.size()) + 20 <= client_width - 20;
}

int line_room(int client_width) { return client_width > 40 ? (client_width - 40) / 6 : 0; }

}  // namespace

std::string meter_line_text(std::string_view text, int client_width) {
    std::string out(text);
    if (!line_fits(text, client_width)) cut_at_char_boundary(out, line_room(client_width));
    return out;
}

std::string meter_path_text(std::string_view text, int client_width) {
    constexpr std::string_view kEllipsis = "...";
    const int room = line_room(client_width);
    if (line_fits(text, client_width) || room <= static_cast<int>(kEllipsis.size()) + 1)
        return meter_line_text(text, client_width);
    const size_t pieces = static_cast<size_t>(room) - kEllipsis.size();
    std::string head(text);
    cut_at_char_boundary(head, static_cast<int>(pieces / 3));
    // The tail starts at the first character boundary that leaves it no longer
    // than its share; boundaries are found from the start, since a trail byte
    // cannot be told from a lead byte going backwards.
    const size_t tail_share = pieces - head.size();
    size_t tail_start = 0;
    while (tail_start < text.size() && text.size() - tail_start > tail_share)
        tail_start += is_sjis_lead_byte(static_cast<unsigned char>(text[tail_start])) ? 2 : 1;
    tail_start = std::min(tail_start, text.size());
    return head + std::string(kEllipsis) + std::string(text.substr(tail_start));
}

int show_run_progress(std::string_view item, int32_t done, int32_t total) {
    ProgressMeter& m = progress_meter();
    if (!m.open) return -1;
    if (item != m.item) {
        if (item.size() <= kMeterTextBytes) {
            m.item.assign(item);
        } else {
            m.item = kept_text(item);
        }
    }
    m.done = done;
    m.total = total;
    if (!bar_differs(m) && !item_differs(m)) return 0;
    const uint32_t now = GetTickCount();
    if (m.hook_drew && now - m.hook_drawn_at < kMeterFrameTicks) {
        // A script's clock stands still between its steps: the change held
        // back is drawn when the script looks, so that it sees the meter as it stands.
        if (!platform_ticks_run() && !m.hook_owes) {
            m.hook_owes = true;
            platform_set_screen_read_hook(flush_progress_meter);
        }
        return 0;
    }
    draw_differences();
    m.hook_drew = true;
    m.hook_drawn_at = now;
    return 0;
}

void flush_progress_meter() {
    ProgressMeter& m = progress_meter();
    stop_owing(m);
    if (m.open) draw_differences();
}

void forget_shown_progress() {
    ProgressMeter& m = progress_meter();
    m.texts_known = m.bar_known = m.item_known = m.hook_drew = false;
    stop_owing(m);
}

int report_run_progress(const char* item, int value, int scale) {
    if (shell_abort_flag()) return -1;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: the program's loop ends on it after the run.
            PostQuitMessage(static_cast<int>(msg.wParam));
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    std::string& text = progress_meter().hook_text;
    text.assign(1, '[');
    text += item ? item : "";
    text += ']';
    show_run_progress(text, value, scale);
    return 0;
}

int report_convert_progress(const char* item, int value) {
    return report_run_progress(item, value, 1100);
}

int report_layout_progress(const char* item, int value) {
    return report_run_progress(item, value, 1000);
}
