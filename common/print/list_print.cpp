#include "common/print/list_print.h"

#include <iterator>

#include "common/analysis/text_utils.h"
#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

namespace {

enum : int {
    kMessagePrinting = 301,      // 印刷中です。
    kMessageHeaderMissing = 606,  // 見出しファイルが見つかりません。
    kMessageNoHeaderName = 607,   // 見出しファイルが指定されていません。
    kMessageGoOn = 803,           // 続行しますか？
};

constexpr int kExpandedLineBytes = 511;

// ORDER KIND: indexed by ListJobKind.
constexpr const char* kCaptions[] = {
    "【 関数一覧印刷 】"_sjis,
    "【 ソース印刷 】"_sjis,
    "【 表紙印刷 】"_sjis,
    "【 関数サマリー印刷 】"_sjis,
};
constexpr const char* kMeterTexts[] = {
    "関数一覧を"_sjis,
    "リストを"_sjis,
    "表紙を"_sjis,
    "関数サマリーを"_sjis,
};

bool valid_kind(int kind) { return kind >= 0 && kind < static_cast<int>(std::size(kCaptions)); }

bool aborted() { return print_abort_flag(); }

// A page before the start page is laid out without reaching the printer.
int write(std::string_view text) { return list_job().skipping ? 0 : prn_write(text); }

// Writes the pieces in order; the first failure ends the row.
int write_all(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        if (const int r = write(piece)) return r;
    }
    return 0;
}

int write_line_ends(int count) {
    for (int i = 0; i < count; ++i) {
        if (const int r = write("\r\n")) return r;
    }
    return 0;
}

// An enlarged text after the indent, as the header and cover lines go.
int write_enlarged(std::string_view text) {
    const ListJob& job = list_job();
    if (job.skipping) return 0;
    if (const int r = write(job.indent_text)) return r;
    if (const int r = set_print_enlarged(1)) return r;
    if (const int r = write(text)) return r;
    return set_print_enlarged(0);
}

void step_progress() {
    ListJob& job = list_job();
    ++job.progress_done;
    set_progress_value(nullptr, job.progress_done, job.progress_total);
}

// The frame round the page, in the printer's units of 40 a column and 80 a
// line; with a header file it has rules under the header and over the
// footer. The page's text is then clipped to it.
int draw_list_frame(bool with_header) {
    const ListJob& job = list_job();
    const int x1 = 40 * job.left_margin;
    const int x2 = 40 * (job.indent + job.line_width);
    const int y1 = 80 * (job.top + 1) - 12;
    const int y2 = 80 * job.page_length - (with_header ? 412 : 732);
    int r = prn_begin_vector_mode();
    if (r == 0) r = prn_set_line_width(3);
    if (r == 0) r = clear_print_clip();
    if (r == 0) r = prn_draw_box(x1, y1, x2, y2);
    if (r == 0 && with_header) {
        r = prn_draw_line(x1, y1 + 160, x2, y1 + 160);
        if (r == 0) r = prn_set_line_width(1);
        if (r == 0) r = prn_draw_line(x1, y2 - 160, x2, y2 - 160);
    }
    if (r == 0) r = prn_end_vector_mode();
    if (r == 0) r = gdi_set_clip_rect(x1, y1, x2, y2);
    return r;
}

int print_cover(const ListPrintProfile& profile) {
    ListJob& job = list_job();
    const std::string name = header_file_name(job.header_base, ".hd0");
    job.progress_total = count_file_lines(name.c_str());
    job.progress_done = 0;
    LineReader cover;
    if (!cover.open(name.c_str())) {
        const std::string missing = format_text(print_message(profile.cover_missing_message).c_str(), "");
        notify_print_failure(kCaptions[kListCover], join_box_lines(missing, name, {}));
        return 20;
    }
    if (write_line_ends(job.top) != 0) return -1;
    std::string line, text;
    while (!aborted() && cover.next(line)) {
        step_progress();
        int r = 0;
        if (line.empty()) {
            r = write("\r\n");
        } else {
            expand_header_macros(line, text, name, {}, job.page_number);
            r = write_enlarged(text);
            if (r == 0) r = write("\r\n");
        }
        if (r != 0) return -1;
    }
    return 0;
}

}  // namespace

bool confirm_without_header(std::string_view caption, int header, bool notify_only, bool beep) {
    const std::string missing = print_message(header == -1 ? kMessageHeaderMissing : kMessageNoHeaderName);
    const std::string go_on = print_message(kMessageGoOn);
    const std::string name = header == -1 ? print_state().failing_file : std::string();
    const std::string_view first = header == -1 ? std::string_view(name) : std::string_view(missing);
    const std::string_view second = header == -1 ? std::string_view(missing) : std::string_view(go_on);
    const std::string_view third = header == -1 ? std::string_view(go_on) : std::string_view();
    if (notify_only) {
        notify_print_failure(caption, join_box_lines(first, second, third));
        return false;
    }
    if (beep) MessageBeep(0);
    return ask_print_user(caption, first, second, third);
}

namespace {

// The function list's column heading, measured once per job.
const std::string& function_list_heading(const std::string& name) {
    ListJob& job = list_job();
    if (!job.columns_measured) {
        job.columns_measured = true;
        if (measure_summary_columns(job.summary_kind, name.c_str(), job.columns) != 0) job.columns = SummaryColumns{};
    }
    return job.columns.header;
}

// The page's top: blank lines, the header (with the frame), a blank line,
// and for the function list its column heading. -1 when a write failed.
int print_page_top(const std::string& name, int& used) {
    ListJob& job = list_job();
    used = 0;
    if (write_line_ends(job.top) != 0) return -1;
    used = job.top;
    std::string header;
    if (expand_list_header_line(0, header) == 0) {
        job.frame_mode = 0;
        if (job.outer_frame && !job.skipping && draw_list_frame(true) != 0) return -1;
        if (write_enlarged(header) != 0 || write_line_ends(2) != 0) return -1;
        used += 2;
    } else {
        job.frame_mode = 2;
        if (job.outer_frame && !job.skipping && draw_list_frame(false) != 0) return -1;
    }
    if (write("\r\n") != 0) return -1;
    used += 1;
    if (job.kind == kListFunctions) {
        const std::string heading = shorten_list_line(job.indent_text + function_list_heading(name), job.line_width);
        if (write_all({heading, "\r\n", "\r\n"}) != 0) return -1;
        used += 2;
    }
    return 0;
}

}  // namespace

const ListPrintProfile kNotarixListPrint{};
const ListPrintProfile kGravletListPrint = [] {
    ListPrintProfile p;
    p.cover_header_question = true;
    return p;
}();
const ListPrintProfile kOrbalineListPrint = [] {
    ListPrintProfile p;
    p.cover_missing_message = 118;
    p.summary_kind = 0;
    p.honour_start_page = true;
    p.start_beyond_end_message = 722;  // 印刷開始ページ番号(%d)が最終ページ番号を超えています。
    return p;
}();

// ORDER KIND: indexed by ListJobKind.
constexpr const char* kHeaderExtensions[] = {".hd1", ".hd3", ".hd0", ".hd4"};

const char* list_header_extension(int kind) { return valid_kind(kind) ? kHeaderExtensions[kind] : ""; }

const char* list_job_caption(int kind) { return valid_kind(kind) ? kCaptions[kind] : ""; }
const char* list_job_meter_text(int kind) { return valid_kind(kind) ? kMeterTexts[kind] : ""; }

ListJob& list_job() {
    static ListJob job;
    return job;
}

int set_print_enlarged(int on) { return prn_set_enlarged_text(on); }

int clear_print_clip() { return gdi_clear_clip(); }

int begin_print_job() {
    if (print_state().job.kind == kPrinterManager) {
        if (open_printer_dc() != 0) return -2;
        if (start_printer_page() == 0 && set_print_enlarged(0) == 0) return 0;
        prn_abandon_job();
        return -2;
    }
    if (prn_begin_job() == 0) return 0;
    // the port or stream may be open: a job that did not start ends here
    prn_abandon_job();
    return -2;
}

void set_list_job(const ListJobRequest& request) {
    const PrintSettings& s = request.settings;
    const int o = s.side();
    ListJob& job = list_job();
    job = ListJob{};
    job.kind = request.kind;
    job.top = s.top_margin[o];
    job.left_margin = s.left_margin[o];
    job.indent = s.left_margin[o] + 2;
    job.page_length = s.lines_per_page[o] + 6;
    job.line_width = s.chars_per_line[o];
    job.page_number = s.first_page_number;
    job.outer_frame = s.outer_frame;
    job.tab_width = s.tab_width;
    job.header_base = s.header_base;
    job.indent_text.assign(static_cast<size_t>(job.indent > 0 ? job.indent : 0), ' ');
    job.macro_file = request.macro_file;
    job.start_page = request.start_page;
    set_print_job(s.printer_kind, s.orientation);
    print_state().job.job_kind = request.kind;
}

int run_list_job(const ListJobRequest& request, const ListPrintProfile& profile) {
    set_list_job(request);
    ListJob& job = list_job();
    const int kind = request.kind;
    const char* caption = list_job_caption(kind);

    const std::string extension =
        request.header_extension.empty() ? list_header_extension(kind) : request.header_extension;
    const int header =
        read_header_file(request.settings.header_base, extension, job.lines, print_state().failing_file);
    if (header != 0) {
        const bool cover = kind == kListCover;
        const bool go_on = confirm_without_header(caption, header, cover && !profile.cover_header_question, !cover);
        // a cover is its header file: there is nothing to print without it
        if (!go_on || cover) return 20;
    }

    RecordFileReader file;
    if (kind != kListCover) {
        job.progress_total = count_file_lines(request.list_file.c_str());
        job.progress_done = 0;
        if (!file.open(request.list_file)) {
            print_state().failing_file = request.list_file;
            return 5;
        }
    }
    if (begin_print_job() != 0) return aborted() ? 20 : -2;

    const std::string meter_line = std::string(list_job_meter_text(kind)) + print_message(kMessagePrinting);
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, caption, meter_line, request.list_file);
    } else {
        open_progress_meter(print_state().host.owner, caption, meter_line, request.list_file);
    }
    const int pages = print_list_pages(request.list_file, file, profile);
    file.close();
    close_progress_meter();
    // a job that failed or was cancelled is taken back whole
    const int ended = pages != 0 || aborted() ? prn_abandon_job() : prn_end_job();
    if (aborted()) return 20;
    if (pages == 20) return 20;
    // a printer that failed under the job must not read as a finished one
    if (pages != 0 || ended != 0) return -2;
    if (profile.honour_start_page && profile.start_beyond_end_message != 0 && kind != kListCover && !job.printed &&
        job.start_page > 1) {
        notify_print_failure(caption, format_text(print_message(profile.start_beyond_end_message).c_str(),
                                                  job.start_page));
    }
    return 0;
}

int print_list_pages(const std::string& name, RecordFileReader& file, const ListPrintProfile& profile) {
    ListJob& job = list_job();
    job.summary_kind = profile.summary_kind;
    if (job.kind == kListCover) return job.lines.read ? print_cover(profile) : 0;

    job.page_counter = 1;
    job.line_number = 1;
    job.printed = false;
    std::string dropped;
    bool ended = false;
    if (job.kind == kListFunctions) ended = read_expanded_line(dropped, file) != 0;
    while (!ended && !aborted()) {
        job.skipping = profile.honour_start_page && job.page_counter < job.start_page;
        if (!job.skipping) job.printed = true;
        int used = 0;
        if (print_page_top(name, used) != 0) return -1;
        const int body = print_list_body(file, used, profile);
        if (body == -2) return -1;
        ended = body == -1;
        std::string footer;
        if (expand_list_header_line(1, footer) == 0) {
            if (write_all({"\r\n", job.indent_text, footer, "\r\n"}) != 0) return -1;
            used += 2;
        }
        ++job.page_counter;
        ++job.page_number;
        if (job.page_counter > kListPageLimit) break;
        // the page after the last skipped one is the printer's first
        if (!ended && write("\x0c") != 0) return -1;
    }
    job.skipping = false;
    return 0;
}

int print_list_body(RecordFileReader& file, int& used, const ListPrintProfile& profile) {
    ListJob& job = list_job();
    const int body_end = job.page_length - 9 - job.frame_mode;
    bool ended = false;
    std::string line, columns;
    while (used < body_end && !aborted()) {
        step_progress();
        if (read_expanded_line(line, file) != 0) {
            ended = true;
            break;
        }
        const std::string* text = &line;
        // a line that does not split into the list's columns prints as it is
        if (job.kind == kListFunctions &&
            format_summary_line(job.summary_kind, line, columns, job.columns.file_width, job.columns.line_width,
                                job.columns.name_width) == 0) {
            text = &columns;
        }
        std::string printed =
            shorten_list_line(format_text("%s%4d|%s", job.indent_text.c_str(), job.line_number, text->c_str()),
                              job.line_width);
        printed += "\r\n";
        if (!job.skipping) {
            const int r = profile.write_line ? profile.write_line(printed) : print_text_line_raw(printed);
            if (r != 0) return -2;
        }
        ++used;
        ++job.line_number;
        if (used >= kListBodyCeiling) break;
    }
    for (; used < body_end; ++used) {
        if (write("\r\n") != 0) return -2;
    }
    if (ended || !file.is_open()) return -1;
    // one line ahead, so that the page loop knows whether a page follows
    const int64_t at = file.offset();
    if (!file.next_line(line)) {
        file.close();
        return -1;
    }
    file.seek(at);
    return 0;
}

int read_expanded_line(std::string& out, RecordFileReader& file) {
    std::string line;
    if (!file.next_line(line)) {
        file.close();
        return -1;
    }
    cut_at_char_boundary(line, kExpandedLineBytes);
    expand_tabs(list_job().tab_width, line, out);
    return 0;
}

void expand_tabs(int width, std::string_view text, std::string& out) {
    out.clear();
    for (const char c : text) {
        if (c != '\t') {
            out += c;
        } else if (width > 0) {
            out.append(static_cast<size_t>(width - static_cast<int>(out.size() % static_cast<size_t>(width))), ' ');
        }
    }
}

std::string shorten_list_line(std::string_view line, int width) {
    const int size = static_cast<int>(line.size());
    if (size <= width) return std::string(line);
    int cut = 0;
    while (cut < size) {
        const int next = next_char(line, cut);
        if (next > width) break;
        cut = next;
    }
    return std::string(line.substr(0, static_cast<size_t>(cut)));
}

int expand_list_header_line(int which, std::string& out) {
    const ListJob& job = list_job();
    if (!job.lines.read) return -1;
    expand_header_macros(which == 0 ? job.lines.header : job.lines.footer, out, job.macro_file, {},
                         job.page_number);
    return 0;
}

int run_program_list_job(int kind, SettingsRecord& record, const std::string& program_directory,
                         const ListFileNamer& name_files, const ListPrintProfile& profile) {
    print_abort_flag() = false;
    if (read_settings_file(record, program_directory) != kSettingsOk) return 1;
    if (check_settings_identity(record) == SettingsIdentity::WrongVersion) return 2;
    ListJobRequest request;
    request.kind = kind;
    request.settings = read_print_settings(record);
    // every program's cover is its header base's .hd0 (none without a base)
    if (kind == kListCover && !request.settings.header_base.empty()) {
        request.list_file = request.settings.header_base;
        set_file_extension(request.list_file, ".hd0");
    }
    if (name_files) name_files(request.settings, request);
    return run_list_job(request, profile);
}

int run_print_all_steps(std::initializer_list<std::function<int()>> steps, bool stop_at_failure) {
    int first_failure = 0;
    // the file the failing step could not open names it in the status text
    std::string failing_file;
    for (const std::function<int()>& step : steps) {
        const int result = step();
        if (result != 0 && first_failure == 0) {
            first_failure = result;
            failing_file = print_state().failing_file;
        }
        if (result == 20 || (result != 0 && stop_at_failure)) break;
    }
    if (first_failure != 0) print_state().failing_file = failing_file;
    return first_failure;
}

int run_figure_print_all(bool cover, const std::function<int(int kind)>& list_job,
                         const std::function<int()>& figure_job, bool stop_at_failure) {
    const int result = run_print_all_steps(
        {
            [&] { return cover ? list_job(kListCover) : 0; },
            [&] { return list_job(kListFunctions); },
            figure_job,
            [&] { return list_job(kListSource); },
        },
        stop_at_failure);
    delete_printer_dc();
    return result;
}
