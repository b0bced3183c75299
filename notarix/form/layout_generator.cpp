// The layout generator: reads a form into a character grid and a map of
// line arms, writes the ruled lines (thick, then thin; rows, then columns),
// then the fixed texts with their sizes and the parameter areas.

#include "notarix/form/layout_generator.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/messages.h"
#include "common/analysis/result_files.h"
#include "common/analysis/scanner.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "common/print/ruled_lines.h"
#include "common/text/message_table.h"
#include "notarix/converter/converter_texts.h"
#include "notarix/form/form_lines.h"
#include "notarix/form/form_texts.h"
#include "platform/kernel/file_io.h"

namespace {

// Character grid: rows 0..81 hold the form's lines, the rows below stay
// blank (a tall character looks one row down). Column 112 holds the stop
// byte that ends every text run and parameter area; ruled-line characters
// become stop bytes too.
constexpr int kGridRows = 165;
constexpr int kGridColumns = kFormColumns + 1;
constexpr unsigned char kStop = 1;

// Line map: two half-rows per form line (its upper half and its middle) and
// one column more than the grid.
constexpr int kHalfRows = 166;
constexpr int kMapColumns = 114;

enum : unsigned char {
    kThinVertical = 1,
    kThinHorizontal = 2,
    kThickVertical = 4,
    kThickHorizontal = 8,
};

enum : int {
    kCodeCancelled = -63,
    kCodeTooManyLines = -64,
    kCodeTooManyColumns = -65,
};

// ORDER: the generator's key table; a "$" followed by anything else is text.
constexpr const char* kFieldKeys[] = {"$NM", "$SY", "$FN", "$PR", "$CF", "$FF", "$PT", "$PN",
                                      "$SR", "$D1", "$LG", "$PG", "$D2", "$FT", "$RM", "$FL"};

enum TextSize : int { kSizeNone, kSizeNormal, kSizeWide, kSizeTall, kSizeWideTall };

struct OutputFile {
    std::string work;    // written here ...
    std::string result;  // ... and renamed to this when the run succeeds
    int handle = -1;
    int line = 0;
    std::string pending;  // scrambled lines not yet written
};

struct LayoutRun {
    std::string form;
    std::string error_file;
    OutputFile lis, fms;

    unsigned char grid[kGridRows][kGridColumns];
    unsigned char lead[kGridRows][kGridColumns];  // 1 where a double-byte character starts
    unsigned char arms[kHalfRows][kMapColumns];

    char phase = '0';
    int64_t position = 0;
    int64_t total = 0;
    bool warning = false;
    bool cancel_requested = false;
    TextSize text_size = kSizeNone;
    std::string plain, scrambled;  // one line on its way out

    void reset() {
        form.clear();
        error_file.clear();
        lis = fms = OutputFile{};
        std::memset(grid, ' ', sizeof grid);
        for (auto& row : grid) row[kFormColumns] = kStop;
        std::memset(lead, 0, sizeof lead);
        std::memset(arms, 0, sizeof arms);
        phase = '0';
        position = total = 0;
        warning = false;
        cancel_requested = false;
        text_size = kSizeNone;
    }
};

LayoutRun g_run;

// --- progress -------------------------------------------------------------------

// Each phase fills its band of the meter's 0..1000.
int progress_value() {
    struct Band { char phase; int start, width, total; };
    static constexpr Band kBands[] = {{'2', 160, 160, 166}, {'3', 320, 180, 166}, {'4', 500, 160, 166},
                                      {'5', 660, 160, 166}, {'6', 820, 180, 165}};
    const LayoutRun& g = g_run;
    if (g.phase == '1') {
        if (g.total <= 0) return 0;
        const int64_t at = g.position < g.total ? g.position : g.total;
        return static_cast<int>(160 * at / g.total);
    }
    for (const Band& b : kBands)
        if (b.phase == g.phase) return b.start + static_cast<int>(b.width * g.position / b.total);
    return 0;
}

void show_progress(const char* text) {
    if (host_report_progress(text, progress_value()) == -1) g_run.cancel_requested = true;
}

// "%c%3d" with the phase, and a blank behind it while the phase goes on.
void show_step(int index, bool going_on) {
    char text[16];
    std::snprintf(text, sizeof text, going_on ? "%c%3d " : "%c%3d", g_run.phase, index);
    show_progress(text);
}

// --- messages -------------------------------------------------------------------

// An error-file line about the form at a line (0 when none). A warning gives
// kCodeOk, an error its own code; -58 when the error file could not be
// written, below -99 when it could not be opened.
int report(int kind, int code, const char* text, int line) {
    g_analysis.current.line_number = line;
    const int r = report_converter_message(kind, code, text, "");
    if (r < 0) return r;
    return kind == kMessageWarning ? kCodeOk : code;
}

int test_cancel() {
    if (!g_run.cancel_requested) return kCodeOk;
    return report(kMessageError, kCodeCancelled, fspec::kMsgCancelled, 0);
}

// --- files ------------------------------------------------------------------------

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x == '\\') x = '/';
        if (y == '\\') y = '/';
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool is_readable_form(const std::string& name) {
    if (!crt_exists(name.c_str()) || !is_regular_or_missing(name)) return false;
    const int handle = open_tracked_file(name.c_str(), "r");
    if (handle < 0) return false;
    close_tracked_file(handle);
    return true;
}

// Claimed for the run: a name taken by a folder, a FIFO or a link, or held
// by another run of the form, cannot be made, and what stands there is not
// the run's to open or remove.
bool can_create(const std::string& name) { return claim_work_file(name) == WorkClaim::kClaimed; }

int write_failure(const std::string& name) {
    g_analysis.failing_file_number = get_file_number(name.c_str());
    return kCodeCannotWrite;
}

int flush_output(OutputFile& f) {
    if (f.pending.empty()) return kCodeOk;
    const int r = write_output_line(f.pending, f.handle, get_file_number(f.work.c_str()));
    f.pending.clear();
    return r == 0 ? kCodeOk : r;
}

// One scrambled line, numbered from 1 in each file.
int emit(OutputFile& f, std::string_view text) {
    std::string& plain = g_run.plain;
    plain.assign(text);
    plain += '\n';
    scramble_line(plain, g_run.scrambled, ++f.line);
    f.pending += g_run.scrambled;
    return f.pending.size() < 65536 ? kCodeOk : flush_output(f);
}

int open_output(OutputFile& f) {
    f.handle = open_tracked_file(f.work.c_str(), "w");
    if (f.handle >= 0) return kCodeOk;
    return report(kMessageError, kCodeCannotWrite, kMsgCannotWrite, 0);
}

// Writes what is pending and closes; -58 when either failed.
int close_output(OutputFile& f, int code) {
    if (f.handle < 0) return code;
    const int flushed = code == kCodeOk ? flush_output(f) : kCodeOk;
    const int closed = close_tracked_file(f.handle);
    f.handle = -1;
    if (code != kCodeOk) return code;
    if (flushed != kCodeOk) return flushed;
    return closed == 0 ? kCodeOk : write_failure(f.work);
}

// --- arguments --------------------------------------------------------------------

// 1 accepted; 0 refused.
int parse_arguments(int argc, char** argv) {
    if (argc <= 1 || argv == nullptr) {
        std::fputs("usage : lyg <file>\n", stderr);
        return 0;
    }
    if (argv[1] != nullptr && std::strcmp(argv[1], "-help") == 0) return 0;
    bool refused = false;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '\0') continue;
        const std::string_view a(argv[i]);
        if (a[0] != '-') g_run.form.assign(a);
        else if (a.size() > 2 && a[1] == 'e') g_run.error_file.assign(a.substr(2));
        else refused = true;
    }
    return refused || g_run.form.empty() ? 0 : 1;
}

// --- reading the form -----------------------------------------------------------

void set_arms(int half_row, int column, int weight, unsigned char thin, unsigned char thick) {
    if (weight == kArmThin) g_run.arms[half_row][column] |= thin;
    else if (weight == kArmThick) g_run.arms[half_row][column] |= thick;
}

// A ruled-line character in columns c and c + 1 has its centre at c + 1.
void mark_arms(int row, int c, const RuledLineChar& shape) {
    set_arms(2 * row + 1, c + 1, shape.right, kThinHorizontal, kThickHorizontal);
    set_arms(2 * row, c + 1, shape.up, kThinVertical, kThickVertical);
    set_arms(2 * row + 1, c, shape.left, kThinHorizontal, kThickHorizontal);
    set_arms(2 * row + 1, c + 1, shape.down, kThinVertical, kThickVertical);
}

void put_line(int row, const std::string& line) {
    unsigned char* cells = g_run.grid[row];
    unsigned char* leads = g_run.lead[row];
    const size_t n = line.size() < static_cast<size_t>(kFormColumns) ? line.size() : kFormColumns;
    for (size_t pos = 0; pos < n;) {
        const unsigned char b = static_cast<unsigned char>(line[pos]);
        if (!is_dbcs_at(line, static_cast<int>(pos))) {
            if (b != ' ') cells[pos] = b;
            ++pos;
            continue;
        }
        const unsigned char trail = static_cast<unsigned char>(line[pos + 1]);
        const int entry = find_ruled_line_by_code(b << 8 | trail, kRuledLineShapeCount);
        if (entry >= 0) {
            mark_arms(row, static_cast<int>(pos), ruled_line_entry(entry));
            cells[pos] = cells[pos + 1] = kStop;
        } else {
            cells[pos] = b;
            cells[pos + 1] = trail;
            leads[pos] = 1;
        }
        pos += 2;
    }
}

int read_form() {
    LayoutRun& g = g_run;
    g.phase = '1';
    g.position = 0;
    show_progress(form_text::kProgressReading);
    const int handle = open_tracked_file(g.form.c_str(), "r");
    if (handle < 0) return -100;
    g.total = crt_filelength(handle);

    FormLineReader reader(handle);
    std::string line;
    int64_t length = 0;
    int rows = 0;
    int code = kCodeOk;
    while (code == kCodeOk && reader.next(line, length)) {
        if ((code = test_cancel()) != kCodeOk) break;
        g.position += length + 1;
        show_step(rows, true);
        if (rows == kFormRows) {
            g.warning = true;
            code = report(kMessageWarning, kCodeTooManyLines, form_text::kMsgTooManyLines, rows + 1);
            break;
        }
        blank_control_bytes(line);
        if (cut_to_form_width(line, length)) {
            g.warning = true;
            code = report(kMessageWarning, kCodeTooManyColumns, form_text::kMsgTooManyColumns, rows + 1);
        }
        put_line(rows++, line);
    }
    close_tracked_file(handle);
    if (code == kCodeOk && reader.failed()) code = report(kMessageError, kCodeReadError, kMsgCannotRead, 0);
    if (code == kCodeOk) show_step(rows, false);
    return code;
}

// --- ruled lines ------------------------------------------------------------------

int emit_segment(int row1, int column1, int row2, int column2) {
    char text[64];
    std::snprintf(text, sizeof text, "LN:%d,%d,%d,%d", row1, column1, row2, column2);
    return emit(g_run.lis, text);
}

// Every run of a bit along one half-row (a row pass) or one column (a column
// pass) as a segment from its first place to the first place without it.
int write_runs(bool row_pass, int index, unsigned char bit) {
    const LayoutRun& g = g_run;
    const int length = row_pass ? kMapColumns : kHalfRows;
    const auto has_bit = [&](int i) { return ((row_pass ? g.arms[index][i] : g.arms[i][index]) & bit) != 0; };
    int code = kCodeOk;
    for (int i = 0; i < length && code == kCodeOk;) {
        if (!has_bit(i)) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < length && has_bit(i)) ++i;
        code = row_pass ? emit_segment((index + 1) / 2, start, (index + 1) / 2, i)
                        : emit_segment((start + 1) / 2, index, (i + 1) / 2, index);
    }
    return code;
}

int write_pass(bool row_pass, unsigned char bit) {
    LayoutRun& g = g_run;
    const int count = row_pass ? kHalfRows : kMapColumns;
    int code = kCodeOk;
    for (int index = 0; index < count && code == kCodeOk; ++index) {
        if ((code = test_cancel()) != kCodeOk) break;
        g.position = index;
        show_step(index, true);
        code = write_runs(row_pass, index, bit);
    }
    return code;
}

// One weight: its rows (phase 2 or 4), then its columns (3 or 5).
int write_line_weight(bool thick) {
    LayoutRun& g = g_run;
    int code = emit(g.lis, thick ? "LW:3" : "LW:1");
    g.phase = thick ? '2' : '4';
    if (code == kCodeOk) code = write_pass(true, thick ? kThickHorizontal : kThinHorizontal);
    ++g.phase;
    if (code == kCodeOk) code = write_pass(false, thick ? kThickVertical : kThinVertical);
    if (code == kCodeOk) {
        g.position = kMapColumns;
        show_step(kMapColumns, false);
    }
    return code;
}

// --- texts and parameter areas ------------------------------------------------------

unsigned char at(int row, int column) {
    return row >= 0 && row < kGridRows && column >= 0 && column < kGridColumns ? g_run.grid[row][column] : kStop;
}

void blank(int row, int column, int count) {
    for (int c = column; c < column + count && c < kFormColumns; ++c) {
        g_run.grid[row][c] = ' ';
        g_run.lead[row][c] = 0;
    }
}

bool is_key_at(int row, int column) {
    if (at(row, column) != '$' || column + 2 >= kFormColumns) return false;
    for (const char* key : kFieldKeys)
        if (at(row, column + 1) == key[1] && at(row, column + 2) == key[2]) return true;
    return false;
}

bool is_marker_at(int row, int column) {
    return row < kGridRows && column + 1 < kFormColumns && g_run.lead[row][column] != 0 &&
           at(row, column) == form_text::kSizeMarker[0] && at(row, column + 1) == form_text::kSizeMarker[1];
}

// A double-byte character followed by the marker is wide, one with the
// marker under it tall, one with both wide and tall.
TextSize size_at(int row, int column) {
    if (g_run.lead[row][column] == 0) return kSizeNormal;
    const bool wide = is_marker_at(row, column + 2);
    const bool tall = is_marker_at(row + 1, column);
    if (wide && tall) return kSizeWideTall;
    if (wide) return kSizeWide;
    return tall ? kSizeTall : kSizeNormal;
}

int select_size(TextSize size) {
    LayoutRun& g = g_run;
    if (size == g.text_size) return kCodeOk;
    g.text_size = size;
    switch (size) {
        case kSizeWide: return emit(g.lis, "SS:100,200");
        case kSizeTall: return emit(g.lis, "SS:200,100");
        case kSizeWideTall: {
            const int code = emit(g.lis, "SS:200,200");
            return code == kCodeOk ? emit(g.lis, "SP:82,45") : code;
        }
        default: {
            const int code = emit(g.lis, "SS:100,100");
            return code == kCodeOk ? emit(g.lis, "SP:82,100") : code;
        }
    }
}

// The characters of a run from (row, column) on that have the size of its
// first one; they are blanked in the grid, the rest stays for a run of its
// own. `next` is the column after the last one taken.
int write_text_run(int row, int column, int& next) {
    LayoutRun& g = g_run;
    int end = column + (g.lead[row][column] != 0 ? 2 : 1);
    while (end < kFormColumns && at(row, end) != kStop && at(row, end) != '$')
        end += g.lead[row][end] != 0 ? 2 : 1;
    // only a run's end at a ruled line, a "$" or the row's end loses its blanks
    while (end > column && at(row, end - 1) == ' ') --end;

    const TextSize size = size_at(row, column);
    std::string text = "ST:";
    int p = column;
    while (p < end && size_at(row, p) == size) {
        const bool pair = g.lead[row][p] != 0;
        if (pair) {
            const bool wide_blank = at(row, p) == form_text::kWideBlank[0] && at(row, p + 1) == form_text::kWideBlank[1];
            if (size == kSizeNormal && wide_blank) {
                text += "  ";
            } else {
                text += static_cast<char>(at(row, p));
                text += static_cast<char>(at(row, p + 1));
            }
        } else {
            text += static_cast<char>(at(row, p));
        }
        switch (size) {
            case kSizeWide:
                blank(row, p, 4);
                p += 4;
                break;
            case kSizeTall:
                blank(row, p, 2);
                blank(row + 1, p, 2);
                p += 2;
                break;
            case kSizeWideTall:
                blank(row, p, 4);
                blank(row + 1, p, 2);
                if (is_marker_at(row + 1, p + 2)) blank(row + 1, p + 2, 2);
                p += 4;
                break;
            default:
                blank(row, p, pair ? 2 : 1);
                p += pair ? 2 : 1;
                break;
        }
    }
    next = p;

    int code = select_size(size);
    if (code != kCodeOk) return code;
    const bool lower = size == kSizeTall || size == kSizeWideTall;
    char move[48];
    std::snprintf(move, sizeof move, "MV:1,%d,%d", row + (lower ? 2 : 1), column + 1);
    code = emit(g.lis, move);
    return code == kCodeOk ? emit(g.lis, text) : code;
}

// Lines below an area's key that carry a dash under its "$", with nothing
// right of the dash, and whose run of dashes is not another key's area.
int count_continuation_rows(int row, int column) {
    int rows = 1;
    for (int r = row + 1; r < kFormRows; ++r) {
        if (at(r, column) != '-') break;
        if (column + 1 < kFormColumns && at(r, column + 1) != ' ') break;
        int start = column;
        while (start > 0 && at(r, start - 1) == '-') --start;
        if (start < 3 || is_key_at(r, start - 3)) break;
        ++rows;
    }
    return rows;
}

// The ")" of a key's "(" before the next ruled line or the row's end; -1
// when there is none (the key is then text).
int find_field_close(int row, int column) {
    for (int c = column + 4; c < kGridColumns; ++c) {
        const unsigned char b = at(row, c);
        if (b == kStop) return -1;
        if (b == ')') return c;
    }
    return -1;
}

// A key with "(" ... ")" is a text field, one with "(:" ... ")" a placed
// text, which gets the key's own row and column in front of the colon.
int write_text_field(int row, int column, int close, int& next) {
    std::string line(reinterpret_cast<const char*>(&g_run.grid[row][column]), 3);
    int from = column + 3;
    if (at(row, column + 4) == ':') {
        char place[32];
        std::snprintf(place, sizeof place, "(%d,%d", row + 1, column + 1);
        line += place;
        from = column + 4;
    }
    line.append(reinterpret_cast<const char*>(&g_run.grid[row][from]), static_cast<size_t>(close + 1 - from));
    blank(row, column, close + 1 - column);
    next = close + 1;
    return emit(g_run.fms, line);
}

int write_area_field(int row, int column, int& next) {
    int dashes = 0;
    while (column + 3 + dashes < kFormColumns && at(row, column + 3 + dashes) == '-') ++dashes;
    const int rows = count_continuation_rows(row, column);
    char line[64];
    std::snprintf(line, sizeof line, "%.3s(%d,%d:%d,%d)", reinterpret_cast<const char*>(&g_run.grid[row][column]),
                  row + 1, column + 1, rows, 3 + dashes);
    blank(row, column, 3 + dashes);
    for (int r = row + 1; r < row + rows; ++r) blank(r, column, 1);
    next = column + 3 + dashes;
    return emit(g_run.fms, line);
}

int write_texts_and_fields() {
    LayoutRun& g = g_run;
    int code = emit(g.lis, "ZT:");
    g.phase = '6';
    g.position = 0;
    show_progress(form_text::kProgressTexts);
    for (int row = 0; row < kGridRows && code == kCodeOk; ++row) {
        if ((code = test_cancel()) != kCodeOk) break;
        g.position = row;
        show_step(row, false);
        for (int c = 0; c < kGridColumns && code == kCodeOk;) {
            const unsigned char b = at(row, c);
            if (b == ' ' || b == kStop) {
                ++c;
                continue;
            }
            int next = c + 1;
            const int close = is_key_at(row, c) && at(row, c + 3) == '(' ? find_field_close(row, c) : -1;
            if (close >= 0) code = write_text_field(row, c, close, next);
            else if (is_key_at(row, c) && at(row, c + 3) != '(') code = write_area_field(row, c, next);
            else code = write_text_run(row, c, next);
            c = next;
        }
    }
    return code;
}

// --- the run ------------------------------------------------------------------------

int write_layout() {
    LayoutRun& g = g_run;
    int code = kCodeOk;
    for (const char* line : {"OV:1", "PF:14", "ZO:", "PP:82,110", "SP:82,100", "# -----< BEGIN of DATA >-----", "ZV:"})
        if (code == kCodeOk) code = emit(g.lis, line);
    if (code == kCodeOk) code = write_line_weight(true);
    if (code == kCodeOk) code = write_line_weight(false);
    if (code == kCodeOk) code = write_texts_and_fields();
    // "ZO" and "ZC" without their colon, as every interpreter skips them
    for (const char* line : {"# -----< END of DATA >-----", "OV:2", "OV:3", "ZO", "ZC", "OV:4"})
        if (code == kCodeOk) code = emit(g.lis, line);
    return code;
}

int run_status(int code) {
    if (code == kCodeCannotWrite) return g_analysis.failing_file_number * 16 + 15;
    if (code != kCodeOk) return kLayoutErrors;
    return g_run.warning ? kLayoutWarnings : kLayoutDone;
}

// A run that stops before the error file was emptied leaves none behind, so
// no earlier run's lines are offered as this one's.
int refuse(int status) {
    if (!g_run.error_file.empty()) delete_file(g_run.error_file.c_str());
    return status;
}

int generate() {
    LayoutRun& g = g_run;
    std::string lit = g.form, fmt = g.form;
    g.lis.result = g.form;
    g.fms.result = g.form;
    replace_extension(g.lis.result, ".lis");
    replace_extension(lit, ".lit");
    replace_extension(g.fms.result, ".fms");
    replace_extension(fmt, ".fmt");
    g.lis.work = lit;
    g.fms.work = fmt;
    for (const std::string* name : {&g.lis.result, &lit, &g.fms.result, &fmt}) {
        if (same_name(g.form, *name)) return refuse(kLayoutErrors);
        // the error file is emptied before the form is read
        if (same_name(g.error_file, *name)) return kLayoutBadCall;
    }
    if (same_name(g.error_file, g.form)) return kLayoutBadCall;

    // the names whole, however long: a cut line would lose its line end
    if (!is_readable_form(g.form)) {
        show_progress(format_text(form_text::kProgressNoInput, g.form.c_str()).c_str());
        return refuse(kLayoutErrors);
    }
    bool writable = true;
    for (const std::string* name : {&lit, &fmt}) {
        if (can_create(*name)) continue;
        show_progress(format_text(form_text::kProgressCannotWrite, name->c_str()).c_str());
        writable = false;
    }
    if (!writable) return refuse(kLayoutErrors);

    g_analysis.error_file = g.error_file;
    if (reset_scanner_state(kResetState | kResetErrorFile) < -49) return kLayoutErrors;
    g_analysis.current.name = g.form;

    int code = read_form();
    if (code == kCodeOk) code = open_output(g.lis);
    if (code == kCodeOk) code = open_output(g.fms);
    if (code == kCodeOk) code = write_layout();
    code = close_output(g.lis, code);
    code = close_output(g.fms, code);
    const std::vector<ResultFile> files = {{g.lis.work, g.lis.result}, {g.fms.work, g.fms.result}};
    if (code == kCodeOk) {
        const int failed = commit_result_files(files);
        if (failed >= 0) {
            report(kMessageError, kCodeCannotWrite, kMsgCannotWrite, 0);
            code = write_failure(files[static_cast<size_t>(failed)].result);
        }
    } else {
        discard_work_files(files);
    }
    return run_status(code);
}

}  // namespace

int run_layout_generator(int argc, char** argv) {
    reset_analysis_state(kNotarixAnalysis);
    g_run.reset();
    const int status = parse_arguments(argc, argv) == 1 ? generate() : kLayoutBadCall;
    // nothing of the run stays open or claimed for the caller
    close_all_tracked_files();
    release_work_files();
    g_analysis.current = SourceFile{};
    free_pool();
    return status;
}
