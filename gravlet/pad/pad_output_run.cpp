#include "gravlet/pad/pad_output_run.h"

#include <memory>

#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_output.h"
#include "gravlet/pad/pad_reader.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/sjis_text.h"

namespace {

#define PAD_FIGURE "ＰＡＤ図"_sjis
constexpr const char* kOutputOperation = PAD_FIGURE "出力"_sjis;                // ＰＡＤ図出力
constexpr const char* kOutputProcess = PAD_FIGURE "出力処理"_sjis;  // ＰＡＤ図出力処理
constexpr const char* kReadingPad = PAD_FIGURE "読み込み"_sjis;     // ＰＡＤ図読み込み
constexpr const char* kOutputWord = "出力"_sjis;
#undef PAD_FIGURE

// ORDER: by result; a result not listed clears the status line.
const PadStatusRow kOutputStatus[] = {
    {kPadRunWriteFailed, "", gx_message::kOutputError, PadStatusFill::FailingFile},
    {kPadRunNoMemory, "", gx_message::kOutputError, PadStatusFill::Message, nullptr, gx_message::kNoMemory},
    {kPadRunCancelled, "", gx_message::kInterrupted, PadStatusFill::Text, kOutputProcess},
    {kPadRunFailed, "", gx_message::kOutputError, PadStatusFill::Text, kReadingPad},
    {kPadRunDone, "", gx_message::kOutputDone},
    {kPadRunSettingsUnreadable, "", gx_message::kSourceNotFound, PadStatusFill::Text, "gx1000s.prm"},
    // The version message, not the bare "%s" of the output error.
    {kPadRunSettingsWrongVersion, "", gx_message::kOutputError, PadStatusFill::Message, nullptr,
     kMessageSettingsWrongVersion},
    {kPadRunHeadingMissing, "", gx_message::kFileNotFoundNamed, PadStatusFill::HeadingFile},
    {kPadRunNotOpened, "", gx_message::kFileOpenErrorNamed, PadStatusFill::FailingFile},
    {kPadRunHeadingRefused, "", gx_message::kInterrupted, PadStatusFill::Text, kOutputProcess},
};

std::string expand_heading(const std::string& line, const PadRunInput& input) {
    std::string out;
    expand_header_macros(line, out, input.source_path, "", 1);
    return out;
}

int refuse_output_file(const std::string& name, PadHost& host) {
    pad_run_state().failing_file = name;
    host.show_box(false, make_box_caption(kOutputOperation),
                  std::string(kOutputWord) + gx_text(gx_message::kFileOpenError), name, "");
    return kPadRunNotOpened;
}

}  // namespace

int run_pad_output(const std::string& output_name, const PadRunInput& input, PadHost& host) {
    PadRunState& state = pad_run_state();
    state.failing_file.clear();
    SettingsRecord settings;
    const int read = reread_pad_run_settings(settings, input.program_directory);
    if (read != kPadSettingsOk) return read;

    using namespace gx_settings;
    PadOutputValues values;
    values.code_set = settings.word(kOutputCodeSet);
    values.top_margin = settings.word(kOutputTopMargin);
    values.left_margin = settings.word(kOutputLeftMargin);
    values.first_function = settings.word(kOutputFirstFunction);
    values.last_function = settings.word(kOutputLastFunction);
    values.level_width = settings.word(kOutputLevelWidth);
    values.chars_per_line = gravlet_chars_per_line(settings);
    values.min_rows = state.last_print_min_rows;
    values.function_count = run_function_count(input);

    if (values.function_count < values.first_function) {
        host.show_box(false, make_box_caption(kOutputOperation),
                      format_text(gx_text(gx_message::kOutputFirstBeyondLast).c_str(), values.first_function),
                      "", "");
        return kPadRunFirstBeyondLast;
    }
    // Checked before anything is opened for writing.
    if (output_name.empty() || is_run_input_file(input, output_name)) return refuse_output_file(output_name, host);

    host.show_status(gx_text(gx_message::kOutputInitialising));
    std::unique_ptr<PadGrid> grid;
    if (alloc_print_work_area(grid) != 0) return kPadRunNoMemory;
    values.progress_total = count_pad_lines_in_range(input.pds_path, values.first_function, values.last_function,
                                                     values.top_margin, *grid, values.level_width);
    grid->make_fresh();

    PadHeadingFile heading;
    if (!read_run_heading_file(settings.text(kOutputHeaderFile), ".hd2", kOutputOperation, heading, host))
        return kPadRunHeadingRefused;
    PadHeadingLines lines{expand_heading(heading.header, input), expand_heading(heading.footer, input),
                          pad_run_mark_text()};

    host.open_meter(make_box_caption(kOutputOperation), gx_text(gx_message::kOutputRunning), output_name);
    const int result = write_pad_output_file(input.pds_path, output_name, values, heading.read ? &lines : nullptr,
                                             *grid, host);
    host.close_meter();
    if (result == kPadOutputFailed) state.failing_file = input.pds_path;
    if (result == kPadOutputNotOpened || result == kPadOutputWriteFailed) state.failing_file = output_name;
    return result;
}

std::string pad_output_status_text(int result) { return pad_status_text(result, kOutputStatus); }

void report_pad_error(int result, PadHost& host) {
    host.show_status(pad_output_status_text(result));
    host.beep();
}
