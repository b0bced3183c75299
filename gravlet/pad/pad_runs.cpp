#include "gravlet/pad/pad_runs.h"

#include <cstdio>

#include "common/text/clock.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_reader.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/file_io.h"

PadRunState& pad_run_state() {
    static PadRunState state;
    return state;
}

std::string pad_run_mark_text() {
    const LocalTime t = get_local_time();
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d", t.year % 100, t.month % 100, t.day % 100,
                  t.hour % 100, t.minute % 100);
    return text;
}

int reread_pad_run_settings(SettingsRecord& record, const std::string& program_directory) {
    record = SettingsRecord(kGravletSettings);
    if (read_settings_file(record, program_directory) != kSettingsOk) return kPadSettingsUnreadable;
    // Only the version is compared here; the opener checked the signature.
    if (record.text(gx_settings::kVersion).substr(0, 4) != "1.00") return kPadSettingsWrongVersion;
    return kPadSettingsOk;
}

bool read_run_heading_file(std::string_view base, std::string_view extension, std::string_view operation,
                           PadHeadingFile& lines, PadHost& host) {
    lines = PadHeadingFile{};
    std::string failing;
    const int result = read_header_file(base, extension, lines, failing);
    std::string named(base);
    set_file_extension(named, extension);
    pad_run_state().heading_file = named;
    if (result == 0) return true;
    lines = PadHeadingFile{};
    host.beep();
    const std::string caption = make_box_caption(operation);
    if (result == -1)
        return host.show_box(true, caption, failing, gx_text(gx_message::kHeadingMissing),
                             gx_text(gx_message::kContinue));
    return host.show_box(true, caption, gx_text(gx_message::kHeadingNotGiven), gx_text(gx_message::kContinue), "");
}

bool is_run_input_file(const PadRunInput& input, const std::string& name) {
    const std::string settings = settings_file_path(kGravletSettings, input.program_directory);
    for (const std::string* other : {&input.pds_path, &input.source_path, &settings}) {
        if (!other->empty() && (*other == name || crt_same_file(other->c_str(), name.c_str()))) return true;
    }
    return false;
}

int run_function_count(const PadRunInput& input) {
    return input.function_count > 0 ? input.function_count : count_pds_function_heads(input.pds_path);
}

std::string pad_status_text(int result, std::span<const PadStatusRow> rows) {
    const PadRunState& state = pad_run_state();
    for (const PadStatusRow& row : rows) {
        if (row.result != result) continue;
        const std::string format = gx_text(row.message);
        std::string text = row.lead;
        switch (row.fill) {
        case PadStatusFill::None: text += format; break;
        case PadStatusFill::Text: text += format_text(format.c_str(), row.text); break;
        case PadStatusFill::Message:
            text += format_text(format.c_str(), gx_text(row.fill_message).c_str());
            break;
        case PadStatusFill::FailingFile: text += format_text(format.c_str(), state.failing_file.c_str()); break;
        case PadStatusFill::HeadingFile: text += format_text(format.c_str(), state.heading_file.c_str()); break;
        case PadStatusFill::AppendFailingFile: text += format + "(" + state.failing_file + ")"; break;
        }
        return text;
    }
    return "";
}
