#include "common/print/figure_print.h"

#include <algorithm>

#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"

namespace {

constexpr int kFrameWidth = 3;
constexpr int kRuleDistance = 160;  // the rules from the frame's top and bottom

}  // namespace

void read_print_page_values(const SettingsRecord& record, const PrintPageFields& fields, PrintPageValues& v) {
    v.printer_kind = record.word(*fields.printer_kind);
    v.orientation = record.word(*fields.orientation) == 1 ? 1 : 0;
    const int side = v.orientation;
    // A damaged file never gives values the page geometry cannot take.
    v.top_margin = settings_word_in_range(record, *fields.top_margin, side);
    v.left_margin = settings_word_in_range(record, *fields.left_margin, side);
    v.chars_per_line = settings_word_in_range(record, *fields.chars_per_line, side);
    v.lines_per_page = settings_word_in_range(record, *fields.lines_per_page, side);
    v.first_page_number = settings_word_in_range(record, *fields.first_page_number);
    v.outer_frame = record.word(*fields.outer_frame) != 0;
}

PrintFrame print_figure_frame(const PrintPageValues& v, bool heading) {
    const int bottom = (v.lines_per_page + 1) * kFigureLineUnits - 12;
    return {v.left_margin * kFigureColumnUnits, (v.top_margin + 1) * kFigureLineUnits - 12,
            (v.left_margin + 2 + v.chars_per_line) * kFigureColumnUnits,
            heading ? bottom : bottom - 4 * kFigureLineUnits};
}

PrintFrame print_paper_frame(const PrintPageValues& v) {
    // Held to the page: past its edges the printer would cut the frame's
    // top and right sides off and leave its bottom running on past the
    // figure's frame. The page's top is where a box's top is lifted to.
    const bool landscape = v.orientation == 0;
    const int width = landscape ? kLogicalPageLong : kLogicalPageShort;
    const int height = landscape ? kLogicalPageShort : kLogicalPageLong;
    return {0, kPrinterLift, std::min((v.chars_per_line + v.left_margin + 8) * kFigureColumnUnits, width),
            std::min((v.lines_per_page - 3) * kFigureLineUnits, height + kPrinterLift)};
}

DrawSteps& draw_print_frame(DrawSteps& s, const PrintPageValues& v, bool heading, const PrintFrameProfile& p) {
    const PrintFrame f = print_figure_frame(v, heading);
    if (v.outer_frame || p.frame_without_setting) s.width(kFrameWidth).box(f.left, f.top, f.right, f.bottom);
    bool rules = false;
    if (v.outer_frame) {
        if (p.paper_frame) {
            const PrintFrame paper = print_paper_frame(v);
            s.box(paper.left, paper.top, paper.right, paper.bottom);
        }
        if (heading || p.head_rule_without_heading) s.line(f.left, f.top + kRuleDistance, f.right, f.top + kRuleDistance);
        if (heading) {
            s.width(p.rule_width);
            if (p.second_head_rule)
                s.line(f.left, f.top + 2 * kRuleDistance, f.right, f.top + 2 * kRuleDistance);
            s.line(f.left, f.bottom - kRuleDistance, f.right, f.bottom - kRuleDistance);
            rules = true;
        }
    }
    // The figure's pen, unless it is the frame's and no rule changed it.
    if (rules || p.shape_width != kFrameWidth) s.width(p.shape_width);
    return s;
}

int run_figure_job(FigurePrinter& printer, const PrintPageValues& v, const FigureJobCodes& codes,
                   const std::function<void()>& open_meter, const std::function<void()>& close_meter,
                   const std::function<int()>& print, FigureJobCancel& cancelled) {
    if (printer.begin_job(v.printer_kind, v.orientation) != 0) return codes.no_printer;
    if (open_meter) open_meter();
    int result = print();
    if (close_meter) close_meter();
    // a job that failed or was cancelled is taken back whole
    const bool keep = result == 0 && !cancelled();
    const int ended = keep || !printer.abandon_job ? printer.end_job() : printer.abandon_job();
    if (result == 0 && cancelled()) result = codes.cancelled;
    // A job the printer could not end never reads as success.
    if (result == 0 && ended != 0) result = codes.no_printer;
    return result;
}

int run_on_print_manager(PrimitiveSet& primitives, int no_printer,
                         const std::function<int(FigurePrinter& printer)>& job) {
    PrintJobState& state = print_state().job;
    const int placement = state.job_kind;
    FigurePrinter printer{
        primitives,
        [&state, no_printer](int /*kind*/, int orientation) -> int {
            // Only the print manager is reachable from these jobs.
            set_print_job(kPrinterManager, orientation);
            // Texts go one cell below their anchor, as the list jobs place theirs.
            state.job_kind = 0;
            if (open_printer_dc() != 0) return no_printer;
            if (prn_begin_job() != 0) {
                prn_abandon_job();
                delete_printer_dc();
                return no_printer;
            }
            return 0;
        },
        [] { return prn_end_job(); },
        [] { return print_abort_flag(); },
        [] { return prn_abandon_job(); },
    };
    const int result = job(printer);
    state.job_kind = placement;
    return result;
}
