// The progress meter: its window and button, the caption made from the
// title, the texts and the bar as drawn (width done x 300 / total, the
// percentage), the cut of long lines, a long path kept by its start and its
// end, the closed meter refusing to draw, and
// the runs' progress hook: one message pumped per report, what changes drawn
// at most about 30 times a second and the last report drawn at the run's
// end, the cancel button pressed in the middle of a run setting the abort
// flag, -1 from then on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/shell/document.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "platform/automation/automation.h"
#include "platform/gdi/drawing_log.h"
#include "platform/kernel/clock.h"
#include "platform/user/winuser.h"

namespace {

// "【 印刷 】", "印刷", " 中断 "
const std::string kPrintCaption = "\x81\x79\x20\x88\xf3\x8d\xfc\x20\x81\x7a";
const std::string kPrint = "\x88\xf3\x8d\xfc";
const std::string kCancelLabel = "\x20\x92\x86\x92\x66\x20";

int g_test_messages = 0;

LRESULT counting_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_USER + 1) {
        ++g_test_messages;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

class ProgressMeterTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        progress_meter().reset();
        shell_windows_setup().reset();
        document_state().abort = false;
        g_test_messages = 0;
        WNDCLASSA wc{};
        wc.lpfnWndProc = counting_proc;
        wc.lpszClassName = "MeterFrame";
        ASSERT_NE(RegisterClassA(&wc), 0);
        ASSERT_EQ(register_meter_class(nullptr), 1);
        frame = CreateWindowA("MeterFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 800, 600, nullptr,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        shell_windows_setup().frame = frame;
    }
    void TearDown() override {
        platform_set_clock(nullptr);
        close_progress_meter();
        automation::reset();
        shell_windows_setup().reset();
        document_state().abort = false;
    }

    void open(const std::string& title = kPrint) {
        open_progress_meter(frame, title, "line one", "line two");
        automation::run_until_idle();
        ASSERT_TRUE(progress_meter().open);
    }

    // Drawing calls made into the meter since the log was cleared.
    static std::vector<DrawingLogEntry> calls(const char* op) {
        std::vector<DrawingLogEntry> out;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(progress_meter().window))
            if (e.op == op) out.push_back(e);
        return out;
    }
    static std::vector<std::string> texts_at(int x, int y) {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : calls("TextOutA"))
            if (e.logical.at(0).x == x && e.logical.at(0).y == y) out.push_back(e.text);
        return out;
    }
    // Widths of the yellow fills (the bar).
    static std::vector<int> bar_widths() {
        std::vector<int> out;
        for (const DrawingLogEntry& e : calls("FillRect")) {
            if (e.params.find("#ffff00") == std::string::npos) continue;
            EXPECT_EQ(e.logical.at(0).x, 19);
            EXPECT_EQ(e.logical.at(0).y, 96);
            out.push_back(e.logical.at(1).x - e.logical.at(0).x);
        }
        return out;
    }
    // The platform clock at a count of milliseconds into a day.
    static void at_tick(int64_t ms) {
        SYSTEMTIME t{2024, 4, 1, 1, 0, 0, 0, 0};
        t.wHour = static_cast<WORD>(ms / 3600000);
        t.wMinute = static_cast<WORD>(ms / 60000 % 60);
        t.wSecond = static_cast<WORD>(ms / 1000 % 60);
        t.wMilliseconds = static_cast<WORD>(ms % 1000);
        platform_set_clock(&t);
    }
    static int client_width() {
        RECT r{};
        GetClientRect(progress_meter().window, &r);
        return r.right;
    }

    HWND frame = nullptr;
};

TEST_F(ProgressMeterTest, OpensCentredOverTheFrameWithItsCancelButton) {
    open();
    const ProgressMeter& m = progress_meter();
    RECT r{};
    GetWindowRect(m.window, &r);
    EXPECT_EQ(r.right - r.left, kMeterWidth);
    EXPECT_EQ(r.bottom - r.top, kMeterHeight);
    EXPECT_EQ(r.left, 100 + (800 - kMeterWidth) / 2);
    EXPECT_EQ(r.top, 50 + (600 - kMeterHeight) / 2);
    EXPECT_EQ(GetWindow(m.window, GW_OWNER), frame);
    EXPECT_TRUE(IsWindowVisible(m.window));

    ASSERT_EQ(GetDlgItem(m.window, kMeterCancelId), m.button);
    EXPECT_EQ(automation::window_text(m.button), kCancelLabel);
    RECT b{};
    GetWindowRect(m.button, &b);
    POINT origin{0, 0};
    ClientToScreen(m.window, &origin);
    EXPECT_EQ(b.left - origin.x, 130);
    EXPECT_EQ(b.top - origin.y, 130);
    EXPECT_EQ(b.right - b.left, 80);
    EXPECT_EQ(b.bottom - b.top, 24);
    EXPECT_EQ(m.done, 0);
    EXPECT_EQ(m.total, 0);
}

TEST_F(ProgressMeterTest, CentringKeepsTheMeterOnTheScreen) {
    SetWindowPos(frame, nullptr, -600, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    open();
    RECT r{};
    GetWindowRect(progress_meter().window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) - kMeterHeight);
}

TEST_F(ProgressMeterTest, CaptionIsTheTitleInBrackets) {
    open();
    EXPECT_EQ(automation::window_text(progress_meter().window), kPrintCaption);
    redraw_progress_meter(nullptr, kPrintCaption, "a", "b");
    EXPECT_EQ(automation::window_text(progress_meter().window), kPrintCaption);

    EXPECT_EQ(meter_caption(kPrint), kPrintCaption);
    EXPECT_EQ(meter_caption(kPrintCaption), kPrintCaption);
    // The bytes 0x81 0x79 as the trail of one character and the next are no bracket.
    const std::string not_bracket = "\x88\x81y";
    EXPECT_EQ(meter_caption(not_bracket), "\x81\x79 " + not_bracket + " \x81\x7a");
}

TEST_F(ProgressMeterTest, DrawsTheTextsAndAnEmptyBarOnOpening) {
    clear_drawing_log();
    open();
    EXPECT_EQ(texts_at(20, 18), std::vector<std::string>{"line one"});
    EXPECT_EQ(texts_at(20, 40), std::vector<std::string>{"line two"});
    EXPECT_EQ(texts_at(153, 100), std::vector<std::string>{"0%"});
    EXPECT_TRUE(bar_widths().empty());
}

TEST_F(ProgressMeterTest, BarWidthAndPercentage) {
    open();
    struct Case {
        int32_t done, total, width, percent;
    };
    const Case cases[] = {
        {3, 4, 225, 75},
        {0, 4, 0, 0},
        {5, 0, 0, 0},
        {5, 4, 300, 100},           // past the end: full bar, 100 %
        {1000, 1100, 272, 90},      // the converter's share of a generation
        {2, 7, 85, 28},             // product first: 300 / 7 x 2 would give 84
        {1, 400, 0, 0},
        {2000000000, 2100000000, 285, 95},  // no overflow in the product
    };
    for (const Case& c : cases) {
        clear_drawing_log();
        ASSERT_EQ(set_progress_value(nullptr, c.done, c.total), 0);
        SCOPED_TRACE(std::to_string(c.done) + " of " + std::to_string(c.total));
        EXPECT_EQ(meter_bar_width(c.done, c.total), c.width);
        if (c.width > 0) EXPECT_EQ(bar_widths(), std::vector<int>{c.width});
        else EXPECT_TRUE(bar_widths().empty());
        EXPECT_EQ(texts_at(153, 100), std::vector<std::string>{std::to_string(c.percent) + "%"});
        EXPECT_EQ(progress_meter().done, c.done);
        EXPECT_EQ(progress_meter().total, c.total);
    }
}

TEST_F(ProgressMeterTest, RedrawWithoutContextResetsTheProgress) {
    open();
    set_progress_value(nullptr, 3, 4);
    clear_drawing_log();
    ASSERT_EQ(redraw_progress_meter(nullptr, kPrint, "next", "file.c"), 0);
    EXPECT_EQ(progress_meter().done, 0);
    EXPECT_EQ(progress_meter().total, 0);
    EXPECT_EQ(texts_at(20, 18), std::vector<std::string>{"next"});
    EXPECT_EQ(texts_at(153, 100), std::vector<std::string>{"0%"});
    // the same texts again (a batch's next source of the same name): the
    // window shows them already
    clear_drawing_log();
    ASSERT_EQ(redraw_progress_meter(nullptr, kPrint, "next", "file.c"), 0);
    EXPECT_EQ(drawing_log_entries_for_window(progress_meter().window).size(), 0u);
}

TEST_F(ProgressMeterTest, LongLinesAreCutToTheClientWidth) {
    EXPECT_EQ(meter_line_text(std::string(60, 'x'), 334), std::string(49, 'x'));
    EXPECT_EQ(meter_line_text(std::string(49, 'x'), 334), std::string(49, 'x'));
    // Thirty double-byte characters: 49 bytes would split the 25th.
    std::string wide;
    for (int i = 0; i < 30; ++i) wide += "\x88\xea";
    EXPECT_EQ(meter_line_text(wide, 334), wide.substr(0, 48));

    open();
    const int w = client_width();
    clear_drawing_log();
    set_progress_item(nullptr, std::string(60, 'x'));
    EXPECT_EQ(progress_meter().item, std::string(60, 'x'));
    EXPECT_EQ(texts_at(20, 76), std::vector<std::string>{std::string(static_cast<size_t>((w - 40) / 6), 'x')});
    clear_drawing_log();
    redraw_progress_meter(nullptr, kPrint, "one", std::string(60, 'y'));
    EXPECT_EQ(texts_at(20, 40), std::vector<std::string>{std::string(static_cast<size_t>((w - 40) / 6), 'y')});
}

TEST_F(ProgressMeterTest, ALongPathKeepsItsStartAndItsEnd) {
    const std::string path = "/home/user/projects/a_long_folder_name/src/module/list_of_sources.nam";
    const std::string shown = meter_path_text(path, 334);
    ASSERT_EQ(shown.size(), 49u);
    EXPECT_EQ(shown, path.substr(0, 15) + "..." + path.substr(path.size() - 31));
    EXPECT_EQ(meter_path_text("/short/list.nam", 334), "/short/list.nam");
    // too narrow for the dots: cut as any other line
    EXPECT_EQ(meter_path_text(path, 64), path.substr(0, 4));

    // Double-byte folder names: neither piece starts or ends inside a character.
    std::string wide = "/";
    for (int i = 0; i < 40; ++i) wide += "\x88\xea";  // 一
    wide += "/x.nam";
    for (int width : {334, 335, 340, 341, 346}) {
        const std::string out = meter_path_text(wide, width);
        SCOPED_TRACE(width);
        EXPECT_LE(out.size(), static_cast<size_t>((width - 40) / 6));
        const size_t dots = out.find("...");
        ASSERT_NE(dots, std::string::npos);
        EXPECT_EQ(dots % 2, 1u) << "the head ends after whole characters";
        const std::string tail = out.substr(dots + 3);
        EXPECT_TRUE(wide.ends_with(tail));
        EXPECT_EQ((wide.size() - tail.size()) % 2, 1u) << "the tail starts on a character";
    }
}

TEST_F(ProgressMeterTest, AMeterOfPathsDrawsTheShortenedPath) {
    ProgressMeterProfile paths;
    paths.line2_shortened_in_middle = true;
    set_progress_meter_profile(paths);
    // the programs' meter font: 12 x 6 cells
    HFONT font = CreateFontA(12, 6, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, 0, 0, FIXED_PITCH,
                             "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ ゴシック
    shell_windows_setup().meter_font = font;
    const std::string path = "/home/user/projects/a_long_folder_name/src/module/list_of_sources.nam";
    open_progress_meter(frame, kPrint, "line one", "");
    automation::run_until_idle();
    const int w = client_width();
    clear_drawing_log();
    redraw_progress_meter(nullptr, kPrint, "line one", path);
    EXPECT_EQ(texts_at(20, 40), std::vector<std::string>{meter_path_text(path, w)});
    EXPECT_EQ(progress_meter().line2, path) << "the whole path is kept";
    // nothing drawn past the panel's inside edge
    EXPECT_EQ(automation::ink_pixels(progress_meter().window, RECT{w - 19, 36, w - 12, 56}), 0);
    EXPECT_GT(automation::ink_pixels(progress_meter().window, RECT{w - 60, 36, w - 20, 56}), 0) << "the file name";
    EXPECT_TRUE(automation::capture_png(progress_meter().window,
                                        (std::filesystem::current_path() / "meter_long_path.png").string()));
    close_progress_meter();
    shell_windows_setup().meter_font = nullptr;
    DeleteObject(font);
    set_progress_meter_profile(kNotarixMeter);
}

TEST_F(ProgressMeterTest, ClosedMeterDrawsNothing) {
    EXPECT_EQ(set_progress_value(nullptr, 1, 2), -1);
    EXPECT_EQ(set_progress_item(nullptr, "x"), -1);
    EXPECT_EQ(redraw_progress_meter(nullptr, "a", "b", "c"), -1);
    open();
    set_progress_value(nullptr, 1, 2);
    HWND window = progress_meter().window;
    close_progress_meter();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(progress_meter().open);
    EXPECT_EQ(progress_meter().total, 0);
    const size_t logged = drawing_log_size();
    EXPECT_EQ(set_progress_value(nullptr, 1, 2), -1);
    EXPECT_EQ(set_progress_item(nullptr, "x"), -1);
    EXPECT_EQ(drawing_log_size(), logged);
    close_progress_meter();  // a second close does nothing
}

TEST_F(ProgressMeterTest, ProgressHookPumpsOneMessagePerReport) {
    open();
    for (int i = 0; i < 3; ++i) PostMessageA(frame, WM_USER + 1, 0, 0);
    EXPECT_EQ(report_convert_progress("main", 100), 0);
    EXPECT_EQ(g_test_messages, 1);
    EXPECT_EQ(progress_meter().item, "[main]");
    EXPECT_EQ(progress_meter().done, 100);
    EXPECT_EQ(progress_meter().total, 1100);
    EXPECT_EQ(report_layout_progress("form", 500), 0);
    EXPECT_EQ(g_test_messages, 2);
    EXPECT_EQ(progress_meter().item, "[form]");
    EXPECT_EQ(progress_meter().total, 1000);
}

TEST_F(ProgressMeterTest, ProgressHookRedrawsOnlyWhatChanges) {
    open();
    at_tick(0);
    report_convert_progress("a", 550);
    clear_drawing_log();
    at_tick(40);
    report_convert_progress("b", 550);
    EXPECT_TRUE(bar_widths().empty());
    EXPECT_EQ(texts_at(20, 76), std::vector<std::string>{"[b]"});
    at_tick(80);
    report_convert_progress("b", 880);
    EXPECT_EQ(bar_widths(), std::vector<int>{240});
    EXPECT_EQ(texts_at(20, 76), std::vector<std::string>{"[b]"});
    at_tick(120);
    report_convert_progress("b", 881);  // the same width and per cent: nothing to draw
    EXPECT_EQ(bar_widths().size(), 1u);
}

// A run of 10,000 lines draws what a person could see change, no oftener
// than about 30 times a second by the platform clock, and what its last
// report showed is drawn when the run returns: a fast run by the clock's
// pace, a clock that stands still (a script's) and a slow run at each
// change.
TEST_F(ProgressMeterTest, ALongRunRedrawsAtTheClocksPaceAndEndsOnItsLastReport) {
    struct Case {
        int ticks_per_line;
        int lines_per_item;
        int look_every;  // lines between a script's looks (a pixel, the drawing log); 0: none
        size_t most_bars, most_items, least_items;
    };
    const Case cases[] = {
        {1, 7, 0, 305, 305, 290},         // 10 s of lines
        {0, 7, 0, 1, 2, 2},               // the clock stands still: the first, then the end's
        {0, 7, 1000, 10, 11, 11},         // ... and what each look finds
        {100, 100000, 0, 364, 1, 1},      // 1000 s, one item: 273 widths and 91 per cents at most
    };
    for (const Case& c : cases) {
        open();
        clear_drawing_log();
        std::string last_item;
        for (int line = 0; line < 10000; ++line) {
            at_tick(line * c.ticks_per_line);
            last_item = "f" + std::to_string(line / c.lines_per_item);
            ASSERT_EQ(report_convert_progress(last_item.c_str(), line / 10), 0);
            if (c.look_every == 0 || (line + 1) % c.look_every != 0) continue;
            if (line / c.look_every % 2 == 0) {
                const int right = 19 + meter_bar_width(line / 10, 1100);
                EXPECT_EQ(automation::pixel_at(progress_meter().window, right - 1, 98), RGB(255, 255, 0)) << line;
                EXPECT_NE(automation::pixel_at(progress_meter().window, right + 1, 98), RGB(255, 255, 0)) << line;
            } else {
                EXPECT_FALSE(automation::drawing_log(progress_meter().window).empty());
            }
            EXPECT_EQ(texts_at(20, 76).back(), "[" + last_item + "]") << line;
        }
        flush_progress_meter();  // the converter returned
        const std::vector<int> bars = bar_widths();
        const std::vector<std::string> items = texts_at(20, 76);
        EXPECT_LE(bars.size(), c.most_bars) << c.ticks_per_line;
        EXPECT_LE(items.size(), c.most_items) << c.ticks_per_line;
        EXPECT_GE(items.size(), c.least_items) << c.ticks_per_line;
        ASSERT_FALSE(bars.empty());
        ASSERT_FALSE(items.empty());
        EXPECT_EQ(bars.back(), meter_bar_width(999, 1100)) << c.ticks_per_line;
        EXPECT_EQ(texts_at(153, 100).back(), "90%") << c.ticks_per_line;
        EXPECT_EQ(items.back(), "[" + last_item + "]") << c.ticks_per_line;
        close_progress_meter();
    }
}

TEST_F(ProgressMeterTest, AbortFlagStopsTheHookAtOnce) {
    open();
    document_state().abort = true;
    PostMessageA(frame, WM_USER + 1, 0, 0);
    EXPECT_EQ(report_convert_progress("main", 10), -1);
    EXPECT_EQ(g_test_messages, 0);  // nothing pumped
}

TEST_F(ProgressMeterTest, CancelPressedAtAPeekSetsTheAbortFlag) {
    open();
    HWND window = progress_meter().window;
    automation::press_at_peek(3, automation::WindowSpec::of(progress_meter().button));
    std::vector<int> results;
    for (int i = 0; i < 10; ++i) results.push_back(report_convert_progress("unit", i * 10));
    // The press comes as the pointer's move, the button's down and its up,
    // one taken per report from the 3rd: the click lands at the 5th report
    // and the 6th sees the flag.
    EXPECT_EQ(results, (std::vector<int>{0, 0, 0, 0, 0, -1, -1, -1, -1, -1}));
    EXPECT_TRUE(document_state().abort);
    EXPECT_FALSE(progress_meter().open);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(automation::beeps().size(), 1u);
    // The run's own close after the cancel does nothing.
    close_progress_meter();
    EXPECT_EQ(set_progress_value(nullptr, 1, 1), -1);
}

TEST_F(ProgressMeterTest, CancelSetsTheProgramsOwnAbortFlag) {
    bool abort = false;
    shell_windows_setup().abort_flag = &abort;
    open();
    ASSERT_TRUE(automation::press(progress_meter().button));
    EXPECT_TRUE(abort);
    EXPECT_FALSE(document_state().abort);
    EXPECT_EQ(report_convert_progress("x", 1), -1);
}

TEST_F(ProgressMeterTest, MeterClassOfAnotherProgram) {
    ProgressMeterProfile other;
    other.class_name = "GXWMETER";
    set_progress_meter_profile(other);
    ASSERT_EQ(register_meter_class(nullptr), 1);
    open();
    char name[32] = {};
    GetClassNameA(progress_meter().window, name, sizeof name);
    EXPECT_STREQ(name, "GXWMETER");
    close_progress_meter();
    set_progress_meter_profile(kNotarixMeter);
}

}  // namespace
