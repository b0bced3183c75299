#include "orbaline/print/chart_print.h"

#include <algorithm>

#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/text/file_names.h"
#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {


constexpr auto& kCaptionPrintChart = "【 モジュール構造図印刷 】"_sjis;
// Before message 301 on the meter.
constexpr auto& kTextChartObject = "モジュール構造図を"_sjis;
constexpr int kMsgPrinting = 301;            // 印刷中です。
constexpr int kMsgStartBeyondLast = 722;     // 印刷開始ページ番号(%d)が最終ページ番号を超えています。

constexpr int kColumnUnits = kFigureColumnUnits;
constexpr int kLineUnits = kFigureLineUnits;
constexpr int kColumnPitch = 8;       // cells from one depth column to the next
constexpr int kConnectorOffset = 2;   // as in the text output
constexpr int kMaxPieces = 8;
constexpr int kBaseFontHeight = 78;

// The chart's settings fields of the page values.
const PrintPageFields kChartPageFields{
    &oq_settings::kPrinterKind,        &oq_settings::kOrientation,
    &oq_settings::kPrintTopMargin,     &oq_settings::kPrintLeftMargin,
    &oq_settings::kPrintCharsPerLine,  &oq_settings::kPrintLinesPerPage,
    &oq_settings::kPrintFirstPageNumber, &oq_settings::kPrintOuterFrame,
};
// The outer frame alone, with the header's and footer's rules when a
// heading file is read; boxes and connectors in the thin pen, whatever the
// frame left.
constexpr PrintFrameProfile kChartFrameProfile{.rule_width = 1, .shape_width = 1};
constexpr FigureJobCodes kChartJobCodes{kPrintCancelled, kPrintNoPrinter};

// The line below the last a row may reach: above the footer band with a
// header file, inside the shorter frame without one. The top margin counts,
// so no row runs past the frame or off the paper.
int last_row_line(const ChartPrintValues& v, bool heading) { return v.page_lines() - (heading ? 3 : 4); }

// T: the first line of the k-th row of a page.
int row_top_line(const ChartPrintValues& v, bool heading, int k) {
    return (v.box_lines + 2) * k + 3 * (heading ? 1 : 0) + v.top_margin + 2;
}

bool row_fits(const ChartPrintValues& v, bool heading, int k) {
    return row_top_line(v, heading, k) + v.box_lines + 2 <= last_row_line(v, heading);
}

int draw_page_top(PrimitiveSet& draw, const ChartPrintJob& job, int page_number) {
    DrawSteps s(draw);
    s.then(draw.begin_page());
    draw_print_frame(s, job.values, job.has_header(), kChartFrameProfile);
    return s.then(print_chart_header_footer(draw, false, job, page_number)).result();
}

// The line of a connector's stub: the middle text line of the row, the
// upper of the two middle lines for an even L'.
int middle_y(int top, int box_lines) { return (top + (box_lines - 1) / 2 + 1) * kLineUnits + kLineUnits / 2; }

// The lowest point a connector may reach: the frame's bottom, or the
// footer's rule two lines above it with a heading file. A connector that
// goes on to the next page's rows stops there instead of crossing it.
int connector_floor(const ChartPrintValues& v, bool heading) {
    return print_figure_frame(v, heading).bottom - (heading ? 2 * kLineUnits : 0);
}

int draw_connector(DrawSteps& s, int32_t code, int column, int top, const ChartPrintValues& v, int floor) {
    const int xc = (kColumnPitch * column + 4 + v.margin() + kConnectorOffset) * kColumnUnits;
    const int stub_end = xc + 4 * kColumnUnits;
    const int y1 = top * kLineUnits - kLineUnits / 2;
    const int y2 = std::min((top + v.box_lines + 2) * kLineUnits + kLineUnits / 2, floor);
    const int ym = middle_y(top, v.box_lines);
    switch (code) {
    case kCodeBranch: s.line(xc, y1, xc, y2).line(xc, ym, stub_end, ym); break;
    case kCodeLastBranch: s.line(xc, y1, xc, ym).line(xc, ym, stub_end, ym); break;
    case kCodePassThrough: s.line(xc, y1, xc, y2); break;
    default: break;
    }
    return s.result();
}

int draw_node(DrawSteps& s, const ChartTable& table, int row, int column, int top, const ChartPrintValues& v) {
    const int left = kColumnPitch * column + v.margin() + kConnectorOffset;
    const int text_x = left + 1;
    std::string pieces[kMaxPieces];
    const int count = split_node_text(table.text(row, column), 2 * v.box_width, pieces, kMaxPieces);
    for (int j = 0; j < v.box_lines && j < count; ++j) {
        s.text(text_x * kColumnUnits, (top + j + 1) * kLineUnits, expand_print_tabs(pieces[j], v.tab_width));
    }
    if (v.row_numbers) {
        const int line = v.box_lines > 1 ? top + 2 : top + 1;
        s.text((text_x + 2 * v.box_width + 1) * kColumnUnits, line * kLineUnits, format_text(" [%d]", row));
    }
    return s.box(left * kColumnUnits, top * kLineUnits + kLineUnits / 2, (left + 2 * v.box_width + 2) * kColumnUnits,
                 (top + v.box_lines + 2) * kLineUnits - kLineUnits / 2)
        .result();
}

int draw_row(PrimitiveSet& draw, const ChartTable& table, int row, int top, const ChartPrintValues& v, int floor) {
    DrawSteps s(draw);
    for (int column = 0; column < kChartColumns && s.result() == 0; ++column) {
        const int32_t code = table.code(row, column);
        if (is_coded_node(code)) return draw_node(s, table, row, column, top, v);
        if (code == kCodeEmpty) break;
        draw_connector(s, code, column, top, v, floor);
    }
    return s.result();
}

}  // namespace

ChartPrintValues chart_print_values(const SettingsRecord& record) {
    using namespace oq_settings;
    ChartPrintValues v;
    read_print_page_values(record, kChartPageFields, v);
    v.first_page = settings_word_in_range(record, kPrintFirstPage);
    v.last_page = settings_word_in_range(record, kPrintLastPage);
    v.box_width = settings_word_in_range(record, kPrintBoxWidth);
    v.box_lines = settings_word_in_range(record, kPrintBoxLines);
    v.tab_width = settings_word_in_range(record, kTabWidth);
    v.row_numbers = record.word(kPrintBlockNumbers) != 0;
    v.file_and_line = record.word(kPrintFileAndLine) != 0;
    v.reference_numbers = record.word(kPrintReferenceNumbers) != 0;
    return v;
}

TrdReadProfile print_reading_profile(const ChartPrintValues& values) {
    ChartOutputSettings removal;
    removal.file_and_line = values.file_and_line;
    removal.reference_numbers = values.reference_numbers;
    TrdReadProfile profile = output_reading_profile(removal);
    profile.cancellable = false;
    return profile;
}

int read_trd_for_print(std::string_view path, ChartTable& table, const ChartPrintValues& values) {
    return read_trd_growing(true, path, table, print_reading_profile(values), ChartHooks{});
}

int code_print_lines(ChartTable& table) { return code_chart_lines(table); }

int chart_rows_per_page(const ChartPrintValues& values, bool heading) {
    int k = 0;
    while (row_fits(values, heading, k)) ++k;
    return std::max(1, k);
}

int chart_page_count(const ChartPrintValues& values, bool heading, int rows) {
    if (rows <= 0) return 0;
    const int per_page = chart_rows_per_page(values, heading);
    return (rows + per_page - 1) / per_page;
}

std::string expand_print_tabs(std::string_view text, int width) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        // Shift-JIS trail bytes are 0x40 and above, so a 0x09 byte is a TAB.
        if (c != '\t') {
            out += c;
        } else if (width > 0) {
            out.append(static_cast<size_t>(width - static_cast<int>(out.size() % static_cast<size_t>(width))), ' ');
        }
    }
    return out;
}

int print_chart_header_footer(PrimitiveSet& draw, bool footer, const ChartPrintJob& job, int page_number) {
    if (!job.has_header()) return 0;
    const ChartPrintValues& v = job.values;
    std::string base = job.chart_path;
    set_file_extension(base, "");
    std::string expanded;
    expand_header_macros(footer ? job.heading->footer : job.heading->header, expanded, base, {}, page_number);
    // The footer goes into the band under the lower rule, the line after
    // lines per page - 2; drawn on that line itself it would cross the rule.
    const int y = footer ? (v.lines_per_page - 1) * kLineUnits : (v.top_margin + 1) * kLineUnits - 10;
    return DrawSteps(draw).text(kColumnUnits * v.margin(), y, expanded).result();
}

int print_chart_pages(PrimitiveSet& draw, ChartPrintJob& job, const ChartTable& table,
                      const std::function<bool(int row)>& progress) {
    const ChartPrintValues& v = job.values;
    const bool heading = job.has_header();
    int page = 1;
    int page_number = v.first_page_number;
    int k = 0;
    for (int r = 1; r <= table.row_count; ++r) {
        if (progress && !progress(r)) return -1;
        // A row that does not fit starts the next page; a page holds at least one.
        if (k > 0 && !row_fits(v, heading, k)) {
            if (v.in_range(page)) {
                if (const int f = print_chart_header_footer(draw, true, job, page_number)) return f;
                ++page_number;
                // No form feed after the end page: nothing follows it.
                if (!(!v.open_range() && page == v.last_page)) {
                    if (const int f = draw.form_feed()) return f;
                }
            }
            ++page;
            k = 0;
        }
        if (!v.open_range() && page > v.last_page) return 0;
        if (v.in_range(page)) {
            if (k == 0) {
                if (const int t = draw_page_top(draw, job, page_number)) return t;
            }
            const int top = row_top_line(v, heading, k);
            if (const int d = draw_row(draw, table, r, top, v, connector_floor(v, heading))) return d;
            job.printed = true;
        }
        ++k;
    }
    // The last page gets its footer like every other page.
    if (k > 0 && v.in_range(page)) return print_chart_header_footer(draw, true, job, page_number);
    return 0;
}

namespace {

// The printing run once the settings are read and the heading answered.
class ChartPrintRun {
public:
    ChartPrintRun(ChartSession& session, ChartPrinter& printer)
        : session_(session), printer_(printer), cancelled_(printer, [s = &session] { return !still_going(s->hooks); }) {}

    int run(ChartPrintJob& job, const std::string& source) {
        const ChartHooks& hooks = session_.hooks;
        ChartTable table;
        if (table.alloc_chart_grid() != 0) return kPrintNoMemory;
        const int read = read_trd_for_print(source, table, job.values);
        if (read == kTrdPoolFull) return kPrintNoMemory;
        if (read != kTrdReadOk) {
            chart_output_state().remembered_path = source;
            return kPrintChartNotOpened;
        }
        code_print_lines(table);

        // Pages are known before the printer opens: a range past the last page
        // starts no job at all.
        const ChartPrintValues& v = job.values;
        const int pages = chart_page_count(v, job.has_header(), table.row_count);
        if (v.first_page > pages) return kPrintDone;

        const int last = v.open_range() ? pages : std::min(pages, v.last_page);
        const int total = std::max(1, std::min(table.row_count,
                                               chart_rows_per_page(v, job.has_header()) * (last - v.first_page + 1)));
        int done = 0;
        return run_figure_job(
            printer_, v, kChartJobCodes,
            [&] {
                if (hooks.open_meter) {
                    hooks.open_meter(kCaptionPrintChart,
                                     std::string(kTextChartObject) + orbaline_message_text(kMsgPrinting),
                                     job.chart_path);
                }
            },
            hooks.close_meter,
            [&] {
                const int drawn = print_chart_pages(printer_.draw, job, table, [&](int) {
                    if (hooks.meter_value) hooks.meter_value(std::min(++done, total), total);
                    return !cancelled_();
                });
                // A write the printer refused never reads as success.
                if (drawn != 0) return cancelled_() ? kPrintCancelled : kPrintNoPrinter;
                return kPrintDone;
            },
            cancelled_);
    }

private:
    ChartSession& session_;
    ChartPrinter& printer_;
    FigureJobCancel cancelled_;
};

}  // namespace

int print_chart(ChartSession& session, ChartPrinter& printer) {
    ChartOutputState& state = chart_output_state();
    state.reset();
    const ChartHooks& hooks = session.hooks;

    SettingsRecord& record = shell_settings();
    if (record.profile() != &kOrbalineSettings) reset_shell_settings(kOrbalineSettings);
    state.remembered_path = settings_file_path(kOrbalineSettings, session.program_directory);
    if (read_settings_file(record, session.program_directory) != kSettingsOk) return kPrintSettingsUnreadable;
    if (check_settings_identity(record) != SettingsIdentity::Ok) return kPrintSettingsWrongVersion;

    ChartPrintJob job;
    job.values = chart_print_values(record);
    // Only the print manager is reachable from this program.
    job.values.printer_kind = kPrinterManager;
    job.chart_path = session.chart_path;

    if (!read_heading_or_ask(record, 0, kCaptionPrintChart, hooks)) return kPrintCancelled;
    job.heading = &state.heading;

    state.remembered_path = job.chart_path;
    if (job.chart_path.empty() || !crt_exists(job.chart_path.c_str())) return kPrintChartNotOpened;
    const std::string source = session.modified ? working_copy_path(session) : job.chart_path;

    ChartPrintRun run(session, printer);
    const int result = run.run(job, source);
    if (session.state_open) load_chart(session, 1);
    if (result == kPrintDone && !job.printed && job.values.first_page > 1) {
        state.start_past_end = job.values.first_page;
        ask_box(hooks, ChartBoxKind::Notice, kCaptionPrintChart,
                format_text(orbaline_message(kMsgStartBeyondLast), job.values.first_page));
    }
    return result;
}

namespace {

// The chart's pages take the print manager's page set-up with the base
// font of 78 units, not the 32-dot fonts of the page records.
class ChartPagePrimitives : public PrinterPrimitives {
public:
    int begin_page() override {
        if (const int r = start_printer_page()) return r;
        return gdi_create_font(0, kBaseFontHeight, 0);
    }
};

}  // namespace

int print_chart(ChartSession& session) {
    ChartPagePrimitives primitives;
    PrintState& state = print_state();
    const PrintHost saved_host = state.host;
    state.host.profile = &kOrbalinePrintProfile;
    state.host.current_file = [&session] { return session.chart_path; };
    const int result = run_on_print_manager(primitives, kPrintNoPrinter,
                                            [&session](FigurePrinter& printer) { return print_chart(session, printer); });
    state.host = saved_host;
    return result;
}
