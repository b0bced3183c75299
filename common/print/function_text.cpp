#include "common/print/function_text.h"

#include <algorithm>
#include <vector>

#include "common/analysis/result_files.h"
#include "common/print/list_print.h"
#include "common/print/print_state.h"
#include "common/shell/document.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

// "【 関数仕様書出力 】", "出力"
constexpr auto& kOutputCaption = "【 関数仕様書出力 】"_sjis;
constexpr auto& kOutputWord = "出力"_sjis;

enum : int {
    kMessageBeyondDocument = 4,  // 出力開始関数番号(%d)が最終関数番号を超えています。
    kMessageOpenError = 100,     // ファイルオープンエラー
    kMessageInitialising = 614,  // 関数仕様書出力処理を初期化中です。
    kMessageWriting = 615,       // 関数仕様書を出力中です。
    kMessageWritingPage = 616,   // 関数仕様書を出力中です(%d/%d)。
};

constexpr int kCarriageReturn = 13;

// The output goes into a work file beside it, which replaces the old file
// only once it is written whole.
class OutputFile {
public:
    explicit OutputFile(const std::string& name) : result_(name), work_(name) {
        set_file_extension(work_, ".$tx");
        if (work_ == result_) set_file_extension(work_, ".$ty");
    }

    bool create() { return file_.create(work_, result_); }
    // A line and its line end (CR LF in the file).
    void write_line(const std::string& line) { file_.write(line + "\n"); }
    // True when the file is complete and in place.
    bool commit() { return file_.commit(); }

private:
    std::string result_, work_;
    WorkFileWriter file_;
};

// The rows of the page up to its used height; false when the job was
// cancelled on the way.
bool write_page(const TextGrid& grid, RuledLineCodeSet set, OutputFile& out) {
    const int used = grid.used_height();
    for (int row = 0; row < kTextGridRows; ++row) {
        pump_one_message();
        if (print_abort_flag()) return false;
        const TextGridCell* first = grid.at(row, 0);
        if (row == used || (first != nullptr && first->code == kCarriageReturn)) break;
        out.write_line(grid.row_text(row, set));
    }
    return true;
}

}  // namespace

int render_form_text(TextGridBackend& backend) {
    if (render_spec_form(backend) != 0) return -1;
    return print_abort_flag() ? -1 : 0;
}

int render_function_text(int j, TextGridBackend& backend) {
    if (render_spec_function(j, backend) != 0) return -1;
    return print_abort_flag() ? -1 : 0;
}

int write_spec_text(const std::string& output, const PrintSettings& settings) {
    DocumentState& doc = document_state();
    SpecPrintState& s = spec_print_state();
    bool& abort = print_abort_flag();
    abort = false;
    const int first = std::max(settings.text_first_function, 1);
    if (first > doc.page_count) {
        notify_print_failure(kOutputCaption, format_text(print_message(kMessageBeyondDocument).c_str(), first));
        return 30;
    }
    const RuledLineCodeSet set = ruled_line_code_set(settings.text_code_set);
    s.first_function = first;
    s.last_function = settings.text_last_function;
    s.page_number = settings.text_first_page_number;
    s.layout_file = settings.layout_file;
    s.geometry.top_margin = settings.text_top_margin;
    s.geometry.left_margin = settings.text_left_margin;
    set_print_status_text(1, print_message(kMessageInitialising));

    const int header = read_spec_header_file(settings.text_header_base);
    if (header != 0 && !confirm_without_header(kOutputCaption, header)) return 20;

    TextGrid grid;
    if (grid.allocate() != 0) return -3;
    OutputFile out(output);
    if (!out.create()) {
        print_state().failing_file = output;
        notify_print_failure(kOutputCaption,
                             join_box_lines(std::string(kOutputWord) + print_message(kMessageOpenError), output, {}));
        return 5;
    }
    s.progress_total = count_print_records();
    if (progress_meter().open) {
        redraw_progress_meter(nullptr, kOutputCaption, print_message(kMessageWriting), output);
    } else {
        open_progress_meter(print_state().host.owner, kOutputCaption, print_message(kMessageWriting), output);
    }

    TextGridBackend& backend = text_grid_backend();
    backend.set_grid(&grid);
    abort = false;
    int result = 0;
    for (int j = first - 1; j <= s.last_function - 1 && j < doc.page_count && !abort; ++j) {
        set_print_status_text(1, format_text(print_message(kMessageWritingPage).c_str(), j + 1, doc.page_count));
        grid.clear();
        if (render_form_text(backend) != 0 || render_function_text(j, backend) != 0) {
            result = -1;
            break;
        }
        if (!write_page(grid, set, out)) break;
    }
    backend.set_grid(nullptr);
    close_progress_meter();
    grid.release();
    if (!out.commit()) {
        print_state().failing_file = output;
        return abort ? 20 : 6;
    }
    return abort ? 20 : result;
}
