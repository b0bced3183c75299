// What the PAD and chart print jobs share: the printer a job draws on, a
// chain of drawing calls that stops at the first error, the page values of
// the print settings, the frame round the figure, and the run of a job
// between the printer's start and end. Each program passes a profile of
// what differs (its settings fields, its frame's rules, its result codes).
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "common/shell/page_records.h"
#include "common/shell/settings_file.h"
#include "common/shell/settings_range.h"

inline constexpr int kFigureColumnUnits = 40;  // device units of a text column
inline constexpr int kFigureLineUnits = 80;    // of a text line

// Where a job draws: the primitives, and the start and end of the printer's
// job around them.
struct FigurePrinter {
    PrimitiveSet& draw;
    // 0, or non-zero when no printer can be started (no document left open).
    std::function<int(int kind, int orientation)> begin_job;
    // 0, or non-zero when the job could not be ended (a dropped job among them).
    std::function<int()> end_job;
    // True once the printer's abort procedure saw the meter's cancel.
    std::function<bool()> aborted;
    // Ends a job that failed or was cancelled, delivering nothing of it
    // (null: end_job).
    std::function<int()> abandon_job;
};

// A chain of drawing calls that stops at the first error.
class DrawSteps {
public:
    explicit DrawSteps(PrimitiveSet& draw) : draw_(draw) {}
    DrawSteps& box(int x1, int y1, int x2, int y2) { return step([&] { return draw_.draw_box(x1, y1, x2, y2); }); }
    DrawSteps& round_box(int x1, int y1, int x2, int y2, int radius) {
        step([&] { return draw_.set_corner_radius(radius); });
        return box(x1, y1, x2, y2);
    }
    DrawSteps& line(int x1, int y1, int x2, int y2) { return step([&] { return draw_.draw_line(x1, y1, x2, y2); }); }
    DrawSteps& width(int w) { return step([&] { return draw_.set_line_width(w); }); }
    // A text whose cell top is y: the printer puts a text one cell below its
    // anchor, so the anchor is the line before. Nothing for an empty text.
    DrawSteps& text(int x, int y, std::string_view bytes) {
        if (bytes.empty()) return *this;
        step([&] { return draw_.move_to(y - kFigureLineUnits, x); });
        return step([&] { return draw_.draw_text(bytes); });
    }
    // A result of a call made outside the chain.
    DrawSteps& then(int r) {
        if (result_ == 0) result_ = r;
        return *this;
    }
    int result() const { return result_; }

private:
    template <typename F>
    DrawSteps& step(F f) {
        if (result_ == 0) result_ = f();
        return *this;
    }
    PrimitiveSet& draw_;
    int result_ = 0;
};

// The page values of the print settings, those of the paper orientation
// taken, each held to its field's range.
struct PrintPageValues {
    int printer_kind = 1;
    int orientation = 0;       // 0 A4 landscape, 1 A4 portrait
    int top_margin = 4;        // lines above the heading
    int left_margin = 0;
    int chars_per_line = 198;  // the frame's width
    int lines_per_page = 69;
    int first_page_number = 1;
    bool outer_frame = true;
};

// The program's settings fields of those values.
struct PrintPageFields {
    const SettingsField* printer_kind;
    const SettingsField* orientation;
    const SettingsField* top_margin;  // these four by orientation
    const SettingsField* left_margin;
    const SettingsField* chars_per_line;
    const SettingsField* lines_per_page;
    const SettingsField* first_page_number;
    const SettingsField* outer_frame;
};
void read_print_page_values(const SettingsRecord& record, const PrintPageFields& fields, PrintPageValues& values);

struct PrintFrame {
    int left, top, right, bottom;
};
// The frame round the figure in device units: from the left margin to two
// columns past the line's characters, from the line below the top margin
// to the foot of the page; without a heading file the footer's four lines
// are left out.
PrintFrame print_figure_frame(const PrintPageValues& values, bool heading);
// The paper's frame: from the page's corner to eight columns past the
// frame's characters and three lines above the page's foot, held to the
// page.
PrintFrame print_paper_frame(const PrintPageValues& values);

// What a program's frame draws besides the figure's frame.
struct PrintFrameProfile {
    bool frame_without_setting = false;  // the figure's frame even with the outer frame off
    bool paper_frame = false;            // the paper's frame too
    bool head_rule_without_heading = false;
    bool second_head_rule = false;       // a rule two lines below the first
    int rule_width = 1;                  // the pen of the rules below the first
    int shape_width = 1;                 // the pen the figure is drawn with
};
// The frames and the heading rules of a page (the outer-frame setting
// draws them); the figure's pen is set at the end.
DrawSteps& draw_print_frame(DrawSteps& steps, const PrintPageValues& values, bool heading,
                            const PrintFrameProfile& profile);

// A job's cancel: the meter's button, as the program reports it, or the
// printer's abort procedure; once seen it stays.
class FigureJobCancel {
public:
    FigureJobCancel(const FigurePrinter& printer, std::function<bool()> meter_pressed)
        : printer_(printer), meter_pressed_(std::move(meter_pressed)) {}
    bool operator()() {
        if ((meter_pressed_ && meter_pressed_()) || (printer_.aborted && printer_.aborted())) cancelled_ = true;
        return cancelled_;
    }

private:
    const FigurePrinter& printer_;
    std::function<bool()> meter_pressed_;
    bool cancelled_ = false;
};

// The codes a program's job returns.
struct FigureJobCodes {
    int cancelled;
    int no_printer;
};
// The printer's job around `print`, the meter open meanwhile: print's
// result, else the cancel's code, else no printer when the job could not be
// ended.
int run_figure_job(FigurePrinter& printer, const PrintPageValues& values, const FigureJobCodes& codes,
                   const std::function<void()>& open_meter, const std::function<void()>& close_meter,
                   const std::function<int()>& print, FigureJobCancel& cancelled);

// The job on the print manager through the shared printing state: texts
// placed one cell below their anchor while it runs.
int run_on_print_manager(PrimitiveSet& primitives, int no_printer,
                         const std::function<int(FigurePrinter& printer)>& job);
