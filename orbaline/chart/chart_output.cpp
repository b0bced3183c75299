#include "orbaline/chart/chart_output.h"

#include <algorithm>
#include <filesystem>

#include "common/analysis/text_utils.h"
#include "common/print/ruled_lines.h"
#include "common/text/file_names.h"
#include "common/text/header_macros.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/chart/checked_file.h"
#include "platform/kernel/file_io.h"

namespace {

// ORDER GLYPH SLOTS: slot n of the output is entry kSlotEntries[n] of the
// 76-entry ruled-line table (code index entry + 1); the Slot enum names the
// slots the layout draws with.
constexpr int kSlotEntries[26] = {
    0,  2,  12, 16, 24, 20, 28, 44, 36, 52, 60, 1,  3,   // ─ │ ┌ ┐ ┘ └ ├ ┬ ┤ ┴ ┼ ━ ┃
    15, 19, 27, 23, 35, 51, 43, 59, 75, 32, 47, 40, 55,  // ┏ ┓ ┛ ┗ ┣ ┳ ┫ ┻ ╋ ┠ ┯ ┨ ┷
};
enum Slot : int {
    kThinHorizontal = 0,
    kThinVertical = 1,
    kThinCorner = 5,      // └
    kThinTee = 6,         // ├
    kThickHorizontal = 11,
    kThickVertical = 12,
    kTopLeft = 13,
    kTopRight = 14,
    kBottomRight = 15,
    kBottomLeft = 16,
    kBottomTee = 23,      // ┯
    kJoinLeft = 24,       // ┨
};

// Two-byte codes that count as line glyphs in each set.
constexpr int kLineGlyphRange[2][2] = {{33951, 33976}, {34466, 34521}};

constexpr char kConnectorBlank[] = "  ";
constexpr int kConnectorOffset = 2;  // the vertical under a box stands after 1 + 2 glyph cells
constexpr int kMaxPieces = 8;
constexpr size_t kHeadingLineBytes = 256;

struct Glyphs {
    std::string slot[26];
    int set = 0;
};

Glyphs take_glyphs(int set) {
    Glyphs g;
    g.set = set == 1 ? 1 : 0;
    for (int n = 0; n < 26; ++n) {
        const int code = ruled_line_code(kSlotEntries[n] + 1, ruled_line_code_set(g.set));
        g.slot[n] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    }
    return g;
}

bool is_line_glyph(std::string_view text, int set) {
    if (text.size() != 2) return false;
    const int code = static_cast<unsigned char>(text[0]) * 256 + static_cast<unsigned char>(text[1]);
    return code >= kLineGlyphRange[set][0] && code <= kLineGlyphRange[set][1];
}

}  // namespace

ChartOutputSettings chart_output_settings(const SettingsRecord& record) {
    ChartOutputSettings s;
    s.code_set = settings_word_in_range(record, oq_settings::kOutputCode);
    s.box_width = settings_word_in_range(record, oq_settings::kOutputBoxWidth);
    s.box_lines = settings_word_in_range(record, oq_settings::kOutputBoxLines);
    s.top_margin = settings_word_in_range(record, oq_settings::kOutputTopMargin);
    s.left_margin = settings_word_in_range(record, oq_settings::kOutputLeftMargin);
    s.file_and_line = record.word(oq_settings::kOutputFileAndLine) != 0;
    s.reference_numbers = record.word(oq_settings::kOutputReferenceNumbers) != 0;
    s.block_numbers = record.word(oq_settings::kOutputBlockNumbers) != 0;
    s.header_base = record.text(oq_settings::kOutputHeaderFile);
    return s;
}

ChartOutputState& chart_output_state() {
    static ChartOutputState state;
    return state;
}

int read_chart_header(const SettingsRecord& record, int which, ChartHeading& heading) {
    heading = ChartHeading{};
    std::string path = record.text(which == 1 ? oq_settings::kOutputHeaderFile : oq_settings::kPrintHeaderBase);
    if (path.empty()) return -2;
    set_file_extension(path, ".hd2");
    if (!crt_exists(path.c_str())) resolve_in_env_dir(path, "KRT");
    LineReader reader;
    if (!reader.open(path.c_str())) {
        chart_output_state().remembered_path = path;
        return -1;
    }
    // Each template is the whole line held to 256 bytes; a longer line is
    // cut, never read on as the footer.
    std::string* templates[2] = {&heading.header, &heading.footer};
    for (std::string* line : templates) {
        if (!reader.next(*line)) break;
        cut_at_char_boundary(*line, static_cast<int>(kHeadingLineBytes));
    }
    heading.loaded = true;
    return 0;
}

bool read_heading_or_ask(const SettingsRecord& record, int which, const char* caption, const ChartHooks& hooks) {
    ChartOutputState& state = chart_output_state();
    const int heading = read_chart_header(record, which, state.heading);
    if (heading == 0) return true;
    sound_beep(hooks);
    const std::string text =
        heading == -1 ? join_box_lines(state.remembered_path, orbaline_message_text(kMsgHeadingNotFound),
                                       orbaline_message_text(kMsgContinue))
                      : join_box_lines(orbaline_message_text(kMsgHeadingNotNamed),
                                       orbaline_message_text(kMsgContinue), {});
    return ask_box(hooks, ChartBoxKind::Question, caption, text) == 1;
}

TrdReadProfile output_reading_profile(const ChartOutputSettings& settings) {
    TrdReadProfile profile;
    profile.check_header = false;
    profile.skip_header_lines = true;
    profile.blank_file_reference = !settings.file_and_line;
    profile.blank_back_reference = !settings.reference_numbers;
    profile.show_messages = false;
    profile.cancellable = true;
    return profile;
}

int read_trd_for_output(std::string_view path, ChartTable& table, const ChartOutputSettings& settings,
                        const ChartHooks& hooks) {
    return read_trd_growing(true, path, table, output_reading_profile(settings), hooks);
}

int code_output_lines(ChartTable& table, const ChartHooks& hooks) { return code_chart_lines(table, &hooks); }

void write_chart_header_footer(std::string& out, bool footer, std::string_view chart_path,
                               const ChartOutputSettings& settings, const ChartHeading& heading) {
    std::string base(chart_path);
    set_file_extension(base, "");
    const std::string margin(static_cast<size_t>(settings.left_margin), ' ');
    std::string expanded;
    if (!footer) {
        out.append(static_cast<size_t>(settings.top_margin), '\n');
        if (heading.loaded) {
            expand_header_macros(heading.header, expanded, base, {}, 1);
            out += margin + expanded + "\n";
        }
        out += "\n";
        return;
    }
    out += "\n";
    if (heading.loaded) {
        expand_header_macros(heading.footer, expanded, base, {}, 1);
        out += margin + expanded + "\n";
    }
}

namespace {

// left + the text padded with blanks to 2W' bytes (a line glyph is instead
// repeated W' times) + right.
std::string pad_box_row(std::string_view left, std::string_view text, std::string_view right, int width, int set) {
    std::string out(left);
    if (is_line_glyph(text, set)) {
        for (int i = 0; i < width; ++i) out += text;
    } else {
        out += text;
        out.append(static_cast<size_t>(std::max(0, 2 * width - static_cast<int>(text.size()))), ' ');
    }
    out += right;
    return out;
}

// left + fill x 2 + tee + fill x (W' - 3) + right: the tee stands over the
// children's vertical line.
std::string bottom_with_tee(std::string_view left, std::string_view fill, std::string_view tee, int width,
                            std::string_view right) {
    std::string out(left);
    for (int i = 0; i < kConnectorOffset; ++i) out += fill;
    out += tee;
    for (int i = 0; i < width - kConnectorOffset - 1; ++i) out += fill;
    out += right;
    return out;
}

// blank x 3 + glyph + tail x 2: one connector column, six glyph cells wide.
std::string connector_piece(std::string_view glyph, std::string_view tail) {
    std::string out;
    for (int i = 0; i <= kConnectorOffset; ++i) out += kConnectorBlank;
    out += glyph;
    for (int i = 0; i < kConnectorOffset; ++i) out += tail;
    return out;
}

void append_connector(int32_t code, const Glyphs& g, int box_lines, std::string* lines) {
    const int middle = (box_lines - 1) / 2 + 1;  // the row the node's box joins at
    const std::string vertical = connector_piece(g.slot[kThinVertical], kConnectorBlank);
    const std::string empty = connector_piece(kConnectorBlank, kConnectorBlank);
    for (int r = 0; r < box_lines + 2; ++r) {
        switch (code) {
        case kCodeBranch:
            lines[r] += r == middle ? connector_piece(g.slot[kThinTee], g.slot[kThinHorizontal]) : vertical;
            break;
        case kCodeLastBranch:
            if (r < middle) {
                lines[r] += vertical;
            } else {
                lines[r] += r == middle ? connector_piece(g.slot[kThinCorner], g.slot[kThinHorizontal]) : empty;
            }
            break;
        case kCodePassThrough: lines[r] += vertical; break;
        default: lines[r] += empty; break;
        }
    }
}

void append_box(const ChartTable& table, int row, int column, const ChartOutputSettings& s, const Glyphs& g,
                std::string* lines) {
    const int32_t code = table.code(row, column);
    std::string pieces[kMaxPieces];
    const int count = split_node_text(table.text(row, column), 2 * s.box_width, pieces, kMaxPieces);
    const int middle = (s.box_lines - 1) / 2 + 1;
    const bool inner = code == kCodeInnerWithChildren || code == kCodeInnerLeaf;
    const bool children = code == kCodeRootWithChildren || code == kCodeInnerWithChildren;

    lines[0] += pad_box_row(g.slot[kTopLeft], g.slot[kThickHorizontal], g.slot[kTopRight], s.box_width, g.set);
    for (int k = 1; k <= s.box_lines; ++k) {
        const std::string& left = inner && k == middle ? g.slot[kJoinLeft] : g.slot[kThickVertical];
        const std::string_view text = k - 1 < count ? std::string_view(pieces[k - 1]) : std::string_view();
        lines[k] += pad_box_row(left, text, g.slot[kThickVertical], s.box_width, g.set);
    }
    std::string& bottom = lines[s.box_lines + 1];
    if (children) {
        bottom += bottom_with_tee(g.slot[kBottomLeft], g.slot[kThickHorizontal], g.slot[kBottomTee], s.box_width,
                                  g.slot[kBottomRight]);
    } else {
        bottom += pad_box_row(g.slot[kBottomLeft], g.slot[kThickHorizontal], g.slot[kBottomRight], s.box_width, g.set);
    }
}

}  // namespace

void layout_chart_row(const ChartTable& table, int row, const ChartOutputSettings& settings, std::string* lines) {
    const Glyphs glyphs = take_glyphs(settings.code_set);
    for (int r = 0; r < settings.box_lines + 2; ++r) lines[r].clear();
    for (int column = 0; column < kChartColumns; ++column) {
        const int32_t code = table.code(row, column);
        if (is_coded_node(code)) {
            append_box(table, row, column, settings, glyphs, lines);
            return;
        }
        if (code == kCodeEmpty) return;
        append_connector(code, glyphs, settings.box_lines, lines);
    }
}

int layout_chart_text(CheckedFile& file, std::string_view chart_path, const ChartTable& table,
                      const ChartOutputSettings& settings, const ChartHeading& heading, const ChartHooks& hooks) {
    const std::string margin(static_cast<size_t>(settings.left_margin), ' ');
    std::string part;
    write_chart_header_footer(part, false, chart_path, settings, heading);
    file.write(part);
    std::string lines[5 + 2];
    const int count = table.row_count;
    for (int row = 1; row <= count; ++row) {
        if (!still_going(hooks)) return -1;
        show_line(hooks, format_text(orbaline_message(kMsgOutputRow), row, count));
        if (hooks.meter_value) hooks.meter_value(row, count);
        layout_chart_row(table, row, settings, lines);
        part.clear();
        for (int r = 0; r < settings.box_lines + 2; ++r) {
            part += margin;
            part += lines[r];
            if (r == 1 && settings.block_numbers) part += format_text(" [%d]", row);
            part += '\n';
        }
        file.write(part);
    }
    part.clear();
    write_chart_header_footer(part, true, chart_path, settings, heading);
    file.write(part);
    return 0;
}

namespace {

bool same_file(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(resolve_platform_path(a.c_str()), resolve_platform_path(b.c_str()), error);
}

}  // namespace

int output_chart_text(ChartSession& session, std::string_view output_path) {
    ChartOutputState& state = chart_output_state();
    state.reset();
    const ChartHooks& hooks = session.hooks;
    show_line(hooks, orbaline_message_text(kMsgOutputStarting));

    SettingsRecord& record = shell_settings();
    if (record.profile() != &kOrbalineSettings) reset_shell_settings(kOrbalineSettings);
    state.remembered_path = settings_file_path(kOrbalineSettings, session.program_directory);
    if (read_settings_file(record, session.program_directory) != kSettingsOk) return kOutputSettingsUnreadable;
    if (check_settings_identity(record) != SettingsIdentity::Ok) return kOutputSettingsWrongVersion;
    const ChartOutputSettings settings = chart_output_settings(record);

    const std::string chart_path = session.chart_path;
    if (!read_heading_or_ask(record, 1, kCaptionOutputChart, hooks)) return kOutputCancelled;

    state.remembered_path = chart_path;
    if (chart_path.empty() || !crt_exists(chart_path.c_str())) return kOutputChartMissing;
    const std::string source = session.modified ? working_copy_path(session) : chart_path;

    ChartTable table;
    if (table.alloc_chart_grid() != 0) return kOutputNoMemory;

    // The text goes to a file beside the output and replaces it only when
    // complete; an output named like the chart would overwrite the chart.
    const std::string output(output_path);
    const std::string temp = output + ".$$$";
    CheckedFile file;
    if (output.empty() || same_file(output, chart_path) || same_file(output, source) || !file.create(temp)) {
        state.remembered_path = output;
        ask_box(hooks, ChartBoxKind::Notice, kCaptionOutputChart,
                join_box_lines(kTextOutput, orbaline_message_text(kMsgFileOpenError), output));
        return kOutputCannotCreate;
    }

    show_line(hooks, orbaline_message_text(kMsgMakingChart));
    if (hooks.open_meter) hooks.open_meter(kCaptionOutputChart, kTextOutputInProgress, output);
    if (hooks.meter_value) hooks.meter_value(0, session.row_count() + 1);

    bool cancelled = false;
    int result = kOutputDone;
    const int read = read_trd_for_output(source, table, settings, hooks);
    if (read == kTrdPoolFull) {
        result = kOutputNoMemory;
    } else if (read != kTrdReadOk) {
        cancelled = !still_going(hooks);
        result = kOutputReadFailed;
    } else {
        show_line(hooks, format_text(orbaline_message(kMsgOutputRow), 1, table.row_count));
        cancelled = code_output_lines(table, hooks) != 0 ||
                    layout_chart_text(file, chart_path, table, settings, state.heading, hooks) != 0;
    }
    table.release();
    const bool written = file.close();
    if (hooks.close_meter) hooks.close_meter();
    if (session.state_open) load_chart(session, 1);

    if (cancelled) result = kOutputCancelled;
    if (result == kOutputDone && (!written || crt_rename(temp.c_str(), output.c_str()) != 0)) {
        state.remembered_path = output;
        result = kOutputWriteFailed;
    }
    if (result != kOutputDone) crt_remove(temp.c_str());
    return result;
}

std::string show_chart_job_result(ChartSession& session, int result) {
    const std::string& path = chart_output_state().remembered_path;
    std::string text;
    switch (result) {
    case kOutputNoMemory:
        text = format_text(orbaline_message(kMsgOutputError), orbaline_message(kMsgNoMemory));
        break;
    case -2:
    case kOutputCancelled:
        text = format_text(orbaline_message(kMsgInterrupted), kTextOutputRun);
        break;
    case kOutputReadFailed:
        text = format_text(orbaline_message(kMsgOutputError), kTextChartReading);
        break;
    case kOutputDone: text = orbaline_message_text(kMsgOutputDone); break;
    case kOutputSettingsUnreadable:
    case kOutputCannotCreate:
        text = format_text(orbaline_message(kMsgFileOpenErrorNamed), path.c_str());
        break;
    case kOutputSettingsWrongVersion:
        text = format_text(orbaline_message(kMsgOutputError), path.c_str());
        break;
    case kOutputWriteFailed:
        text = format_text(orbaline_message(kMsgOutputError), orbaline_message(kMsgWriteError));
        break;
    case kOutputChartMissing: text = format_text(orbaline_message(kMsgFileNotFound), path.c_str()); break;
    default: break;
    }
    if (session.hooks.message_line) session.hooks.message_line(text.empty() ? 0 : 1, text);
    sound_beep(session.hooks);
    return text;
}
