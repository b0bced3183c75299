#include "common/print/function_print.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "common/shell/document.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/sjis_text.h"
#include "platform/user/winuser.h"

namespace {

// "【 関数仕様書印刷 】", "関数仕様書を"
constexpr auto& kSpecPrintCaption = "【 関数仕様書印刷 】"_sjis;
constexpr auto& kSpecMeterText = "関数仕様書を"_sjis;

enum : int {
    kMessageBeyondDocument = 5,  // 印刷開始関数番号(%d)が最終関数番号を超えています。
    kMessagePrinting = 301,      // 印刷中です。
};

constexpr int kTitleBytes = 511;
constexpr int kFooterRow = 81;  // without a layout file: row 81, column 2
constexpr int kFooterColumn = 2;

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Every record of a function page moves the progress meter on.
class ProgressRecordSource : public RecordSource {
public:
    explicit ProgressRecordSource(RecordSource& inner) : inner_(inner) {}
    bool next(std::string& record) override {
        SpecPrintState& s = spec_print_state();
        ++s.progress_done;
        set_progress_value(nullptr, s.progress_done, s.progress_total);
        return inner_.next(record);
    }

private:
    RecordSource& inner_;
};

SpecPrinterBackend& printer_backend() {
    static SpecPrinterBackend backend;
    return backend;
}

}  // namespace

// One replay's texts: the title and, on a function page, the footer.
class SpecPageRun {
public:
    SpecPageRun(int mode, SpecPageSink& sink) : mode_(mode), sink_(sink) {}

    int text_drawn(std::string_view text) {
        SpecPrintState& s = spec_print_state();
        ++texts_;
        if (texts_ == 1) {
            s.page_title.assign(text);
            s.page_title += "  ";
        } else if (texts_ == 2) {
            s.page_title += text;
        }
        cut_at_char_boundary(s.page_title, kTitleBytes);
        if (mode_ != kReplayFunction || texts_ != 1) return 0;
        int y = 0, x = 0;
        std::string footer;
        if (spec_footer_position(sink_.footer_column_reduced(), y, x) && expand_spec_header_line(1, footer) == 0)
            failure_ = sink_.put_footer(y, x, footer);
        // the page number counts pages, printed footer or not
        ++s.page_number;
        return failure_;
    }
    bool stopped() const { return failure_ != 0; }

private:
    int mode_;
    SpecPageSink& sink_;
    int texts_ = 0;
    int failure_ = 0;
};

void SpecPrintState::reset() {
    auto kept = std::move(find_footer_field);
    *this = SpecPrintState{};
    find_footer_field = std::move(kept);
}

SpecPrintState& spec_print_state() {
    static SpecPrintState state;
    return state;
}

// --- Replays ---------------------------------------------------------------------

int SpecPageSink::text_drawn(std::string_view text) { return run_ != nullptr ? run_->text_drawn(text) : 0; }

bool SpecPageSink::run_stopped() const { return run_ != nullptr && run_->stopped(); }

int render_spec_records(int mode, RecordSource& source, SpecPageSink& sink) {
    SpecPrintState& s = spec_print_state();
    s.page_title.clear();
    SpecPageRun run(mode, sink);
    sink.attach(&run);
    ProgressRecordSource counted(source);
    RecordSource& records = mode == kReplayFunction ? static_cast<RecordSource&>(counted) : source;
    ReplayOptions options;
    options.grid_records = true;
    const int end = replay_page_records(records, s.geometry, sink.primitives(), options);
    sink.attach(nullptr);
    return run.stopped() ? 3 : end;
}

int render_spec_form(SpecPageSink& sink) {
    const std::string name = layout_file_path(spec_print_state().layout_file, document_state().program_directory);
    RecordFileReader form;
    if (!form.open(name)) {
        print_state().failing_file = name;
        return -1;
    }
    FileRecordSource source(form, 0);
    render_spec_records(kReplayForm, source, sink);
    return 0;
}

int render_spec_function(int j, SpecPageSink& sink) {
    DocumentState& doc = document_state();
    if (!doc.file.is_open() || j < 0 || j >= static_cast<int>(doc.pages.size())) return -1;
    // page 0 begins at the top of the file and reads these lines itself
    if (j > 0) {
        // The head kept for later pages ends before the document's own SS
        // record, so the form's last size would carry onto this page.
        sink.primitives().set_char_size(100, 100);
        LineListRecordSource header(doc.header_lines);
        render_spec_records(kReplayHeader, header, sink);
    }
    const PageIndexEntry& page = doc.pages[static_cast<size_t>(j)];
    if (!doc.file.seek(page.offset)) return -1;
    FileRecordSource source(doc.file, page.line_number);
    render_spec_records(kReplayFunction, source, sink);
    return 0;
}

bool spec_footer_position(bool column_reduced, int& y, int& x) {
    const SpecPrintState& s = spec_print_state();
    int row = kFooterRow, column = kFooterColumn;
    if (!s.layout_file.empty()) {
        std::string fields = s.layout_file;
        set_file_extension(fields, ".fms");
        if (!s.find_footer_field || s.find_footer_field(fields, column, row) != 0) return false;
    }
    if (column_reduced && column != 0) --column;
    const PageRecordState& g = s.geometry;
    const double hp = g.page_cell_height, wp = g.page_cell_width;
    y = trunc_to_int((row - 1) * hp + g.top_margin * hp - hp);
    x = trunc_to_int(column * wp + g.left_margin * wp);
    return true;
}

// --- The printer back end ------------------------------------------------------------

int SpecPrinterBackend::put_footer(int y, int x, std::string_view text) {
    if (print_state().job.kind == kPrinterManager) return gdi_text_out_at(x, y + print_state().device.cell_height, text);
    if (const int r = prn_move_to(y, x)) return r;
    return prn_write(text);
}

bool SpecPrinterBackend::keep_going() { return PrinterPrimitives::keep_going() && !run_stopped(); }

int SpecPrinterBackend::beep() {
    MessageBeep(0);
    return 0;
}

int SpecPrinterBackend::draw_text(std::string_view text) {
    const int r = PrinterPrimitives::draw_text(text);
    const int footer = text_drawn(text);
    return r != 0 ? r : footer;
}

// --- Header file, counts, job values ------------------------------------------------------

int read_spec_header_file(std::string_view base) {
    return read_header_file(base, ".hd2", spec_print_state().lines, print_state().failing_file);
}

int expand_spec_header_line(int which, std::string& out) {
    const SpecPrintState& s = spec_print_state();
    if (!s.lines.read) return -1;
    const std::string name = s.page_title.substr(0, s.page_title.find(' '));
    std::string file = document_state().file_name;
    set_file_extension(file, document_state().source_extension);
    expand_header_macros(which == 0 ? s.lines.header : s.lines.footer, out, file, name, s.page_number);
    return 0;
}

int count_print_records() {
    DocumentState& doc = document_state();
    SpecPrintState& s = spec_print_state();
    if (!doc.file.is_open()) return 0;
    s.progress_done = 0;
    int count = 0;
    const int first = std::max(s.first_function - 1, 0);
    const int last = std::min(s.last_function - 1, static_cast<int>(doc.pages.size()) - 1);
    std::string record;
    for (int k = first; k <= last; ++k) {
        const PageIndexEntry& page = doc.pages[static_cast<size_t>(k)];
        if (!doc.file.seek(page.offset)) break;
        FileRecordSource source(doc.file, page.line_number);
        while (source.next(record)) {
            ++count;
            if (starts_with(record, "ED") || starts_with(record, "ZC")) break;
        }
    }
    return count;
}

void set_spec_print_job(const PrintSettings& settings) {
    SpecPrintState& s = spec_print_state();
    const int o = settings.side();
    // a first function of 0 (from a settings file) is the first function
    s.first_function = std::max(settings.first_function, 1);
    s.last_function = settings.last_function;
    s.page_number = settings.first_page_number;
    s.layout_file = settings.layout_file;
    int top = settings.top_margin[o] - 4;
    int left = settings.left_margin[o];
    if (settings.orientation == 1) {
        top += 3;
        if (left != 0) left -= 1;
    }
    s.geometry.top_margin = top;
    s.geometry.left_margin = left;
    set_print_job(settings.printer_kind, settings.orientation);
    print_state().job.job_kind = -1;
}

// --- The function print ----------------------------------------------------------------

int render_form_printer() {
    print_state().job.page_text = 0;
    return render_spec_form(printer_backend()) == 0 ? 0 : 5;
}

int render_function_printer(int j) {
    if (!document_state().file.is_open()) return 5;
    print_state().job.page_text = 1;
    render_spec_function(j, printer_backend());
    return 0;
}

int print_spec(const PrintSettings& settings) {
    DocumentState& doc = document_state();
    bool& abort = print_abort_flag();
    abort = false;
    const int first = std::max(settings.first_function, 1);
    if (first > doc.page_count) {
        warn_print_user(kSpecPrintCaption, format_text(print_message(kMessageBeyondDocument).c_str(), first));
        return 30;
    }
    set_spec_print_job(settings);
    SpecPrintState& s = spec_print_state();
    const int header = read_spec_header_file(settings.header_base);
    if (header != 0 && !confirm_without_header(kSpecPrintCaption, header)) return 20;
    if (begin_print_job() != 0) return abort ? 20 : -2;
    s.progress_total = count_print_records();

    if (print_state().job.kind == kPrinterLips) {
        const int form = render_form_printer();
        if (form != 0) {
            prn_abandon_job();
            return abort ? 20 : form;
        }
    }
    const std::string meter_line = std::string(kSpecMeterText) + print_message(kMessagePrinting);
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, kSpecPrintCaption, meter_line, doc.source_name);
    } else {
        open_progress_meter(print_state().host.owner, kSpecPrintCaption, meter_line, doc.source_name);
    }

    abort = false;
    int result = 0;
    const int last = s.last_function;
    for (int i = s.first_function - 1; i <= last - 1 && i < doc.page_count && !abort; ++i) {
        if ((result = render_form_printer()) != 0) break;
        if ((result = render_function_printer(i)) != 0) break;
        if (i < last - 1 && i < doc.page_count - 1 && prn_write("\x0c") != 0) break;
    }
    close_progress_meter();
    // a job that failed or was cancelled is taken back whole
    const int closed = abort || result != 0 ? prn_abandon_job() : prn_end_job();
    if (abort) return 20;
    if (result != 0) return result;
    // a printer that failed under the job must not read as a finished one
    return closed != 0 || print_state().job.failed ? -2 : 0;
}
