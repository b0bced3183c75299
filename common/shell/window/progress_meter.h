// The progress meter: the modeless window that every long run (generation,
// batch, layout generation, printing, text output) keeps open while it works.
// It shows a title, two lines, the item in hand and a bar with a percentage;
// its one button cancels the run by setting the abort flag, which the run
// reads at its next progress report. No threads, no timers: the run pumps
// one waiting message per report so that the button can be pressed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/wingdi.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

// What differs between the programs' meters.
struct ProgressMeterProfile {
    const char* class_name = "NXWMETER";
    // The caption the window is created with, "【 生成 】"; the first draw
    // replaces it with the title.
    const char* initial_caption = "【 生成 】"_sjis;
    // Line 2 holds a path: too long for the meter, it keeps its start and its
    // end around "..." (else it is cut at the right, losing the file name).
    bool line2_shortened_in_middle = false;
};
inline constexpr ProgressMeterProfile kNotarixMeter{};

inline constexpr int kMeterCancelId = 500;
inline constexpr int kMeterWidth = 340;
inline constexpr int kMeterHeight = 200;
inline constexpr int kMeterBarWidth = 300;
inline constexpr size_t kMeterTextBytes = 511;
// About 30 frames a second: more than an eye follows on a bar.
inline constexpr uint32_t kMeterFrameTicks = 33;

// The one global meter.
struct ProgressMeter {
    ProgressMeterProfile profile;
    bool open = false;
    HWND window = nullptr;
    HWND button = nullptr;
    std::string title, line1, line2, item;  // each held to 511 bytes
    int32_t done = 0;
    int32_t total = 0;
    // What the window shows, as last drawn: the progress hooks draw a part
    // only when it would change, and no oftener than every kMeterFrameTicks.
    bool texts_known = false;
    std::string drawn_title, drawn_line1, drawn_line2;
    bool bar_known = false;
    int drawn_width = 0;
    int drawn_percent = 0;
    bool item_known = false;
    std::string drawn_item;
    bool hook_drew = false;
    uint32_t hook_drawn_at = 0;  // GetTickCount of the hooks' last draw
    bool hook_owes = false;      // a change held back under a still clock
    std::string hook_text;       // the hook's "[item]", built in place

    // Forgets everything but the profile (the window is not destroyed).
    void reset();
};

ProgressMeter& progress_meter();

// The meter's program profile; set before the class is registered.
void set_progress_meter_profile(const ProgressMeterProfile& profile);

// 1 when the meter's class is registered, 0 when that fails.
int register_meter_class(HINSTANCE instance);

// Keeps the texts, an empty item and progress 0 of 0, creates the meter
// owned by `owner`, centres it over the frame and shows it.
void open_progress_meter(HWND owner, std::string_view title, std::string_view line1, std::string_view line2);
// Destroys the meter when it is open and resets the progress to 0 of 0.
void close_progress_meter();

// Each returns -1 and draws nothing when the meter is not open, else 0.
// `dc` nullptr: the window's own context is fetched and released; with
// redraw_progress_meter that also resets the progress to 0 of 0, and only
// what differs from what the window shows is drawn (a batch's next source).
int redraw_progress_meter(HDC dc, std::string_view title, std::string_view line1, std::string_view line2);
int set_progress_item(HDC dc, std::string_view text);
int set_progress_value(HDC dc, int32_t done, int32_t total);

LRESULT meter_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Geometry of the bar for a value: its width in pixels (0 to 300) and the
// percentage shown (0 to 100). The product is taken before the division so
// that a small fraction of a large total still shows.
int meter_bar_width(int32_t done, int32_t total);
int meter_percentage(int32_t done, int32_t total);

// The window caption for a title: the title itself when it holds "【",
// else "【 title 】".
std::string meter_caption(std::string_view title);

// A text line of the meter as drawn in a client area `client_width` wide:
// cut to (width - 40) / 6 bytes, at a character boundary, when it would not
// fit in 6-pixel cells.
std::string meter_line_text(std::string_view text, int client_width);
// The same room kept by a path: its first third and its last two thirds
// around "...", each piece of whole characters.
std::string meter_path_text(std::string_view text, int client_width);

// Keeps the item text and the progress, and draws what of them a person
// would see change: the bar when its width or its percentage changes, the
// item when its text does; nothing when the hooks drew less than
// kMeterFrameTicks ago by the platform clock (the state is kept and drawn
// later). -1 when the meter is not open, else 0.
int show_run_progress(std::string_view item, int32_t done, int32_t total);
// Draws what the hooks kept and did not draw yet: a run's last report stays
// on the meter. A run calls it when its converter returns.
void flush_progress_meter();
// The window's contents are unknown (the busy state began): the next report
// draws at once.
void forget_shown_progress();

// The runs' progress hook with the bar's full scale: -1 at once when the
// abort flag is set; otherwise removes and dispatches at most one waiting
// message and shows "[item]" and the bar at value / scale by
// show_run_progress; 0.
int report_run_progress(const char* item, int value, int scale);
// The converter's hook (values 0 to 1000 of a bar of 1100; the formatter
// fills the rest) and the layout generator's (0 to 1000 of 1000).
int report_convert_progress(const char* item, int value);
int report_layout_progress(const char* item, int value);
