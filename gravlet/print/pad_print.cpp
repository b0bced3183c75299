#include "gravlet/print/pad_print.h"

#include <algorithm>
#include <array>
#include <memory>

#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/print/print_status.h"
#include "common/print/printer_device.h"
#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_reader.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/sjis_text.h"

namespace {

#define PAD_FIGURE "ＰＡＤ図"_sjis
constexpr const char* kPrintOperation = PAD_FIGURE "印刷"_sjis;  // ＰＡＤ図印刷
constexpr const char* kPrintingPad = PAD_FIGURE "を"_sjis;             // ＰＡＤ図を
#undef PAD_FIGURE

constexpr int kColumnUnits = kFigureColumnUnits;
constexpr int kLineUnits = kFigureLineUnits;
constexpr int kBaseFontHeight = 78;
constexpr int kMaxPages = 999;
constexpr int kMessagePrinting = 301;       // 印刷中です。

// The PAD's settings fields of the page values.
const PrintPageFields kPadPageFields{
    &gx_settings::kPrinterKind,        &gx_settings::kOrientation,
    &gx_settings::kPrintTopMargin,     &gx_settings::kPrintLeftMargin,
    &gx_settings::kPrintCharsPerLine,  &gx_settings::kPrintLinesPerPage,
    &gx_settings::kPrintFirstPageNumber, &gx_settings::kPrintOuterFrame,
};
// The PAD frame stands on every page; the outer frame adds the paper's
// frame and the rule under the head row, a heading file the rules of its
// header and footer. The PAD is drawn in the frame's pen.
constexpr PrintFrameProfile kPadFrameProfile{.frame_without_setting = true,
                                             .paper_frame = true,
                                             .head_rule_without_heading = true,
                                             .second_head_rule = true,
                                             .rule_width = 2,
                                             .shape_width = 3};
constexpr FigureJobCodes kPadJobCodes{kPadPrintCancelled, kPadPrintNoPrinter};

// A text at a text line and column: the printer puts it one cell below the
// anchor, so the anchor is the line before.
int text_at(PrimitiveSet& draw, int line, int column, std::string_view text) {
    // Blanks at the end only pad the column; nothing to print.
    const size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos) return 0;
    return DrawSteps(draw).text((column - 1) * kColumnUnits, line * kLineUnits, text.substr(0, end + 1)).result();
}

std::string build_heading_line(const PadPrintJob& job, const PadGrid& grid, int which) {
    std::string out;
    expand_header_macros(which == 0 ? job.heading->header : job.heading->footer, out, job.source_name,
                         pad_function_name(grid), job.page_counter);
    return out;
}

// One heading line by its first character: ';' a comment row, '@' the head
// row (enlarged, with the mark), '|' a header or footer line after its two
// marker characters, '/' nothing.
int print_heading_line(PrimitiveSet& draw, int line, std::string_view text, const PadPrintJob& job) {
    if (text.empty()) return 0;
    const int column = job.values.left_margin + 1;
    switch (text.front()) {
    case ';': return text_at(draw, line, column, text.substr(1));
    case '@': {
        const std::string head = std::string(text.substr(1)) + " " + job.mark;
        if (const int r = draw.set_char_size(100, 200)) return r;
        const int r = text_at(draw, line, column, head);
        const int back = draw.set_char_size(100, 100);
        return r != 0 ? r : back;
    }
    case '|': return text_at(draw, line, column, text.size() > 2 ? text.substr(2) : std::string_view());
    default: return 0;
    }
}

int print_page_heading(PrimitiveSet& draw, const PadGrid& grid, const PadPrintPage& page, PadPrintJob& job) {
    const PadPrintValues& v = job.values;
    int line = v.top_margin + 1;
    if (job.has_header()) {
        if (const int r = print_heading_line(draw, line, "|0" + build_heading_line(job, grid, 0), job)) return r;
        line += 2;
    }
    for (size_t i = 0; i < grid.name_rows.size(); ++i, line += 2) {
        std::string text(grid.name_rows[i]);
        if (i == 0 && page.count > 1) text = format_text("%s [%d/%d]", text.c_str(), page.index + 1, page.count);
        if (const int r = print_heading_line(draw, line, text, job)) return r;
    }
    return 0;
}

int print_page_footer(PrimitiveSet& draw, const PadGrid& grid, PadPrintJob& job) {
    if (!job.has_header()) return 0;
    // The footer band at the foot of the PAD frame.
    const int line = job.values.top_margin + job.values.area_lines() + 3;
    const int r = print_heading_line(draw, line, "|1" + build_heading_line(job, grid, 1), job);
    ++job.page_counter;
    return r;
}

// The selection's right side between two cases (or a case and the tail):
// down from the earlier one to the point at S2 half-way, and back out.
void draw_notch(DrawSteps& s, int l, int s1, int s2, int from_t, int to_t) {
    const int middle = (from_t + to_t) / 2;
    s.line(l + s1, from_t, l + s2, middle).line(l + s2, middle, l + s1, to_t);
}

// Whether a selection's case lies above `row` in the column with no tail
// or head between: its right side then comes onto the page from above.
bool case_open_above(const PadGrid& grid, int row, int column) {
    for (int r = row - 1; r >= 1; --r) {
        const int kind = grid.kind(r, column);
        if (kind == kPadCase) return true;
        if (kind == kPadSelection || kind == kPadSelectionTail) return false;
    }
    return false;
}

}  // namespace

PadPrintValues pad_print_values(const SettingsRecord& settings) {
    using namespace gx_settings;
    PadPrintValues v;
    read_print_page_values(settings, kPadPageFields, v);
    v.first_function = settings.word(kPrintFirstFunction);
    v.last_function = settings.word(kPrintLastFunction);
    v.level_width = settings_word_in_range(settings, kPrintLevelWidth);
    v.min_rows = settings.word(kPrintLimitLines);
    return v;
}

int PadPrintJob::first_text_line(const PadGrid& grid) const {
    return values.top_margin + 2 * static_cast<int>(grid.name_rows.size()) + (has_header() ? 4 : 2);
}

void lay_out_print_pad(PadGrid& grid, const PadPrintValues& values) {
    lay_out_pad(grid, print_layout_values(values.level_width, values.left_margin, values.chars_per_line));
}

std::vector<PadPage> split_print_pages(const PadGrid& grid, const PadPrintJob& job) {
    const PadPrintValues& v = job.values;
    const int start = job.first_text_line(grid) - 1;
    const int limit = v.top_margin + v.area_lines() - 2;
    std::vector<PadPage> pages;
    int used = start;
    int first = 1;
    for (int r = 1; r <= grid.row_count; ++r) {
        const int height = tallest_cell_height(grid, r);
        // A row taller than a whole page still goes on a page of its own.
        if (used + height >= limit && r > first) {
            pages.push_back({first, r - 1});
            first = r;
            used = start;
        }
        used += height;
    }
    if (first <= grid.row_count) pages.push_back({first, grid.row_count});
    if (static_cast<int>(pages.size()) > kMaxPages) pages.resize(kMaxPages);
    return pages;
}

int compose_print_page(PrimitiveSet& draw, PadGrid& grid, const PadPrintPage& page, PadPrintJob& job) {
    const PadPrintValues& v = job.values;
    if (draw.begin_page() != 0 || draw.select_font(1, kBaseFontHeight, 1) != 0) return -2;
    if (const int r = print_page_heading(draw, grid, page, job)) return r;

    const PadLayoutValues layout = print_layout_values(v.level_width, v.left_margin, v.chars_per_line);
    measure_pad_page(grid, page.rows, layout);
    const int first_line = job.first_text_line(grid);
    for (int r = page.rows.first; r <= page.rows.last && r <= grid.row_count; ++r) {
        for (int c = 0; c < kPadColumns; ++c) {
            PadCell* cell = grid.cell(r, c);
            cell->y = static_cast<int16_t>(first_line + cell->y - 1);
            if (cell->kind == kPadRowEnd) break;
            CellPieces pieces(cell->text);
            std::string_view piece;
            std::string formatted;
            while (pieces.next(piece)) {
                formatted = format_cell_piece(cell->kind, piece, layout.format_width);
                if (piece.empty()) continue;
                if (const int e = text_at(draw, cell->y + pieces.count() - 1, cell->x + 1, formatted)) return e;
            }
            if (cell->kind == kPadEndTerminal) {
                const int column = cell->x + 1 + static_cast<int>(formatted.size());
                if (const int e = text_at(draw, cell->y + pieces.count() - 1, column, "        " + job.mark)) return e;
            }
        }
    }
    return print_page_footer(draw, grid, job);
}

int draw_print_pad_shapes(PrimitiveSet& draw, const PadGrid& grid, const PadPrintPage& page, const PadPrintJob& job,
                          const std::function<bool()>& progress) {
    const PadPrintValues& v = job.values;
    const int level = v.level_width;
    const int s1 = 64 * level + 20, s2 = 56 * level + 20;
    if (const int r = draw.set_vector_mode(true)) return r;
    DrawSteps s(draw);
    draw_print_frame(s, v, job.has_header(), kPadFrameProfile);
    // The top and left of the last case seen in each column, for the
    // notches of the selection's right side. A selection whose cases fall on
    // different pages takes its side out at the foot of the last row drawn
    // and back in from above the first.
    std::array<int, kPadColumns> last_case{};
    std::array<int, kPadColumns> last_case_left{};
    std::array<bool, kPadColumns> open_above{};
    last_case.fill(-1);
    for (int c = 0; c < kPadColumns; ++c) open_above[static_cast<size_t>(c)] = case_open_above(grid, page.rows.first, c);
    const int page_top = (grid.cell(page.rows.first, 0)->y - 1) * kLineUnits;
    int page_bottom = page_top;
    // The notch of a case (or tail) at `to_t` from the case before it.
    const auto notch_to = [&](size_t c, int l, int to_t) {
        if (last_case[c] >= 0) {
            draw_notch(s, l, s1, s2, last_case[c], to_t);
        } else if (open_above[c]) {
            s.line(l + s2, page_top, l + s1, to_t);
        }
        open_above[c] = false;
    };
    for (int r = page.rows.first; r <= page.rows.last && r <= grid.row_count && s.result() == 0; ++r) {
        if (progress && !progress()) {
            draw.set_vector_mode(false);
            return -1;
        }
        for (int c = 0; c < kPadColumns && s.result() == 0; ++c) {
            const PadCell* cell = grid.cell(r, c);
            if (cell->kind == kPadRowEnd) break;
            const int l = cell->x * kColumnUnits - 18, t = cell->y * kLineUnits;
            // A loop's box spans its wrapped text only, so its edge stays left
            // of the line to its body.
            const int columns = cell->width - (cell->kind == kPadLoop ? kPadLoopReserve : 0);
            const int w = columns * kColumnUnits, h = cell->height * kLineUnits;
            const int right = l + w + 20, b = t + h + 40;
            const int below = grid.kind(r + 1, c);
            const auto column = static_cast<size_t>(c);
            page_bottom = std::max(page_bottom, b);
            switch (cell->kind) {
            case kPadStatement: s.box(l, t, right, b); break;
            case kPadFlow: s.line(l, r == 2 ? t + 40 : t, l, t + h); break;
            case kPadDoubleBox: s.box(l, t, right + 40, b).line(right + 10, t, right + 10, b); break;
            case kPadLoop:
                s.box(l, t, right + 40, b).line(right + 10, t, right + 10, b);
                s.line(right + 40, t + (h + 40) / 2, l + 80 * level, t + (h + 40) / 2);
                break;
            case kPadNameTerminal:
            case kPadEndTerminal:
                s.round_box(l, t, cell->width > 9 ? l + w + 100 : l + 480, b, (h + 40) / 2 - 1);
                break;
            case kPadSelection:
                s.line(l, t, l, b).line(l, t, l + s1, t).line(l + s1, t, l + s1, t + h + 80);
                last_case[column] = -1;
                open_above[column] = false;
                break;
            case kPadCase:
                s.line(l, t, l, b).line(l, t, l + 80 * level, t);
                notch_to(column, l, t);
                last_case[column] = t;
                last_case_left[column] = l;
                break;
            case kPadEnd:
                if (c != 0) break;
                s.line(l, t - 40, l, t + 80);
                s.round_box(cell->x * kColumnUnits - 258, t + 80, cell->x * kColumnUnits + 222, t + h + 120,
                            (h + 40) / 2 - 1);
                break;
            case kPadReturn: {
                const int half = (h + 40) / 2;
                s.line(l, t, right, t).line(l, t, l, b).line(l, b, right, b);
                s.line(right, t, right + half, t + half).line(right, b, right + half, t + half);
                break;
            }
            case kPadLoopNext:
            case kPadCaseNext: s.line(l, t, l, t + h); break;
            case kPadSelectionTail: {
                const bool open_below = below == kPadEmpty || below == kPadEnd || below == kPadRowEnd;
                s.line(l, t, l, open_below ? t + 40 : t + 80).line(l, t + 40, l + s1, t + 40);
                notch_to(column, l, t + 40);
                last_case[column] = -1;
                break;
            }
            case kPadCall:
                s.box(l, t, right + 80, b);
                s.line(cell->x * kColumnUnits + 12, t, cell->x * kColumnUnits + 12, b).line(right + 50, t, right + 50, b);
                break;
            default: break;
            }
        }
    }
    for (size_t c = 0; c < last_case.size() && s.result() == 0; ++c) {
        if (last_case[c] >= 0) s.line(last_case_left[c] + s1, last_case[c], last_case_left[c] + s2, page_bottom);
    }
    const int ended = draw.set_vector_mode(false);
    return s.result() != 0 ? s.result() : ended;
}

namespace {

// One run of the job over the open .pds.
class PrintRun {
public:
    PrintRun(const PadRunInput& input, PadHost& host, PadPrinter& printer, PadPrintJob& job, PadGrid& grid)
        : input_(input), host_(host), printer_(printer), job_(job), grid_(grid), cancel_(printer, [h = &host] {
              return h->pump();
          }) {}

    int total_rows = 0;

    bool cancelled() { return cancel_(); }
    FigureJobCancel& cancel() { return cancel_; }

    // The function loop: 0, 20, 5 (the .pds could not be read) or a printer error.
    int print_functions(PdsLineReader& lines) {
        const PadPrintValues& v = job_.values;
        int taken = 0;
        bool printed_one = false;
        while (!cancelled()) {
            grid_.reset_pools();
            const int read = read_pds_function_for_print(lines, grid_, v.level_width, host_, input_.pds_path);
            if (read == 0) break;
            if (read < 0) {
                print_state().failing_file = input_.pds_path;
                return kPadPrintNotOpened;
            }
            if (read == 6) {
                skip_to_function_end(lines);
                const std::string text = format_text(gx_text(gx_message::kTooManyBlocks).c_str(),
                                                     kPrintOperation, kPadRowsAtOverflow, input_.pds_path.c_str());
                if (!host_.show_box(true, make_box_caption(kPrintOperation), text,
                                    gx_text(gx_message::kContinue), ""))
                    return kPadPrintCancelled;
                continue;
            }
            lay_out_print_pad(grid_, v);
            const int content = count_content_rows(grid_);
            if (content < v.min_rows) {
                host_.show_status(format_text(gx_text(gx_message::kSuppressedFunction).c_str(),
                                              grid_.function_name.c_str(), content));
                continue;
            }
            const std::vector<PadPage> pages = split_print_pages(grid_, job_);
            if (taken + 1 > v.last_function) break;
            ++taken;
            if (taken < v.first_function || pages.empty()) continue;
            if (printed_one && printer_.draw.form_feed() != 0) return failure();
            printed_one = true;
            if (const int r = print_pages(pages)) return r;
        }
        return cancelled() ? kPadPrintCancelled : 0;
    }

private:
    int failure() { return cancelled() ? kPadPrintCancelled : kPadPrintNoPrinter; }

    int print_pages(const std::vector<PadPage>& pages) {
        const int count = static_cast<int>(pages.size());
        for (int i = 0; i < count; ++i) {
            const PadPrintPage page{pages[static_cast<size_t>(i)], i, count};
            if (compose_print_page(printer_.draw, grid_, page, job_) != 0) return failure();
            const int drawn = draw_print_pad_shapes(printer_.draw, grid_, page, job_, [this] { return count_row(); });
            if (drawn != 0) return failure();
            if (i + 1 < count && printer_.draw.form_feed() != 0) return failure();
        }
        return 0;
    }

    bool count_row() {
        ++rows_done_;
        if (total_rows > 0 && rows_done_ <= total_rows) host_.show_progress(rows_done_, total_rows);
        return !cancelled();
    }

    const PadRunInput& input_;
    PadHost& host_;
    PadPrinter& printer_;
    PadPrintJob& job_;
    PadGrid& grid_;
    FigureJobCancel cancel_;
    int rows_done_ = 0;
};

}  // namespace

int run_pad_print_job(const PadRunInput& input, PadHost& host, PadPrinter& printer) {
    PadRunState& state = pad_run_state();
    print_state().failing_file.clear();
    SettingsRecord settings;
    const int read = reread_pad_run_settings(settings, input.program_directory);
    if (read != kPadSettingsOk) return read;
    PadPrintJob job;
    job.values = pad_print_values(settings);
    const PadPrintValues& v = job.values;
    // The output run skips by the value the last print job took.
    state.last_print_min_rows = v.min_rows;

    if (run_function_count(input) < v.first_function) {
        host.show_box(false, make_box_caption(kPrintOperation),
                      format_text(gx_text(gx_message::kPrintFirstBeyondLast).c_str(), v.first_function), "",
                      "");
        return kPadPrintFirstBeyondLast;
    }
    std::unique_ptr<PadGrid> grid;
    if (alloc_print_work_area(grid) != 0) return kPadPrintNoMemory;
    const int total =
        count_pad_rows_in_range(input.pds_path, v.first_function, v.last_function, 0, *grid, v.level_width);
    grid->make_fresh();

    PadHeadingFile heading;
    if (!read_run_heading_file(settings.text(gx_settings::kPrintHeaderBase), ".hd2", kPrintOperation, heading, host))
        return kPadPrintCancelled;
    job.heading = heading.read ? &heading : nullptr;
    job.source_name = input.source_path;
    job.mark = pad_run_mark_text();
    job.page_counter = v.first_page_number;

    PdsLineReader lines;
    if (!lines.open(input.pds_path)) {
        print_state().failing_file = input.pds_path;
        return kPadPrintNotOpened;
    }
    PrintRun run(input, host, printer, job, *grid);
    run.total_rows = total;
    return run_figure_job(
        printer, v, kPadJobCodes,
        [&] {
            host.open_meter(make_box_caption(kPrintOperation), std::string(kPrintingPad) + gx_text(kMessagePrinting),
                            input.source_path);
        },
        [&] { host.close_meter(); }, [&] { return run.print_functions(lines); }, run.cancel());
}

int run_pad_print_job(const PadRunInput& input, PadHost& host) {
    PrinterPrimitives primitives;
    return run_on_print_manager(primitives, kPadPrintNoPrinter,
                                [&](FigurePrinter& printer) { return run_pad_print_job(input, host, printer); });
}

std::string pad_print_status_text(int result) { return print_status_text(result, kGravletPrintStatus); }
