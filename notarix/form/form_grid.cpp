#include "notarix/form/form_grid.h"

#include <algorithm>
#include <new>
#include <utility>

#include "common/analysis/result_files.h"
#include "common/analysis/text_utils.h"
#include "common/text/message_table.h"
#include "common/text/notarix_message_numbers.h"
#include "notarix/form/form_host.h"
#include "notarix/form/form_texts.h"
#include "platform/kernel/file_io.h"

namespace {

FormGrids g_form;
FormHost g_host;

template <typename Hook, typename... Args>
void call_host(const Hook& hook, Args&&... args) {
    if (hook) hook(std::forward<Args>(args)...);
}

void warn(const std::string& text) {
    call_host(g_host.beep);
    call_host(g_host.warn, std::string(form_text::kEditorCaption), text);
}

void clear_row_cells(int row) {
    for (int c = 0; c < kFormColumns; ++c) g_form.cell(row, c) = FormCell{};
    g_form.cell(row, kFormColumns - 1).code = 0;
}

void pad_row(std::string& line) {
    if (line.size() < static_cast<size_t>(kFormTextWidth)) line.resize(kFormTextWidth, ' ');
}

// The line read into row r and kept, converted, as its text row.
void load_row(int row, std::string& line) {
    clear_row_cells(row);
    read_row_characters(row, line);
    pad_row(line);
    g_form.rows[static_cast<size_t>(row)] = line;
}

void append_code(std::string& out, int code) {
    out += static_cast<char>((code >> 8) & 0xFF);
    out += static_cast<char>(code & 0xFF);
}

}  // namespace

void set_form_host(FormHost host) { g_host = std::move(host); }
const FormHost& form_host() { return g_host; }

FormGrids& form_grids() { return g_form; }

void FormGrids::clear_cells() {
    for (int r = 0; r < kFormRows; ++r) clear_row_cells(r);
}

void FormGrids::clear_rows() {
    rows.assign(kFormRows, std::string(kFormTextWidth, ' '));
}

int alloc_form_grids() {
    call_host(g_host.show_status, std::string(lookup_message(nx_message::kInitialising)));
    int result = 0;
    if (g_form.cells.allocate(static_cast<size_t>(kFormRows * kFormColumns))) {
        try {
            g_form.clear_rows();
        } catch (const std::bad_alloc&) {
            result = -1;
        }
    } else {
        result = -1;
    }
    if (result == 0) {
        g_form.clear_cells();
        g_form.undo_kept = false;
        // the editor runs without UNDO when its copy cannot be had
        if (g_form.undo.allocate(g_form.cells.size())) {
            std::copy(g_form.cells.begin(), g_form.cells.end(), g_form.undo.begin());
        }
        call_host(g_host.create_drawing_tools);
    } else {
        free_form_grids();
    }
    call_host(g_host.restore_status);
    return result;
}

void free_form_grids() {
    const bool had = g_form.allocated() || !g_form.rows.empty();
    g_form.cells.release();
    g_form.undo.release();
    std::vector<std::string>().swap(g_form.rows);
    g_form.undo_kept = false;
    if (had) call_host(g_host.delete_drawing_tools);
}

void read_row_characters(int row, std::string& line) {
    const int n = static_cast<int>(line.size()) < kFormColumns ? static_cast<int>(line.size()) : kFormColumns;
    for (int i = 0; i < n;) {
        FormCell& cell = g_form.cell(row, i);
        // a lead byte without its trail in the row is a byte of its own
        if (!is_dbcs_at(std::string_view(line).substr(0, static_cast<size_t>(n)), i)) {
            cell = FormCell{static_cast<unsigned char>(line[static_cast<size_t>(i)]), 0, 0, 0, 0};
            ++i;
            continue;
        }
        int code = byte_at(line, i) << 8 | byte_at(line, i + 1);
        cell = FormCell{code, 0, 0, 0, 0};
        const int entry = find_ruled_line_by_code(code);
        if (entry >= 0) {
            const RuledLineChar& shape = ruled_line_entry(entry);
            code = ruled_line_entry_code(entry, g_form.code_set);
            cell = FormCell{code, shape.right, shape.up, shape.left, shape.down};
            line[static_cast<size_t>(i)] = static_cast<char>(code >> 8);
            line[static_cast<size_t>(i) + 1] = static_cast<char>(code & 0xFF);
        }
        g_form.cell(row, i + 1) = FormCell{};
        i += 2;
    }
}

void compose_row_text(int row, std::string& out) {
    out.clear();
    for (int i = 0; i < kFormColumns; ++i) {
        const FormCell& cell = g_form.cell(row, i);
        int code = -1;
        const int entry = find_ruled_line_by_weights(cell.right, cell.up, cell.left, cell.down);
        if (entry >= 0) code = ruled_line_entry_code(entry, g_form.code_set);
        else if (cell.code > 0xFF && (cell.code & 0x8000) != 0) code = cell.code & 0xFFFF;
        if (code >= 0) {
            // a double-byte character never reaches past the last column
            if (i + 1 >= kFormColumns) break;
            append_code(out, code);
            ++i;
            continue;
        }
        if ((cell.code & 0xFF) == 0) break;
        out += static_cast<char>(cell.code & 0xFF);
    }
}

int read_frm_file(const std::string& path) {
    if (!g_form.allocated() && alloc_form_grids() != 0) return -1;
    const int fd = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_TEXT);
    if (fd < 0) return -1;
    g_form.clear_cells();
    g_form.clear_rows();

    FormLineReader reader(fd);
    std::string line;
    int64_t length = 0;
    bool cut = false;
    int row = 0;
    while (reader.next(line, length)) {
        if (row == kFormRows) {
            cut = true;
            break;
        }
        blank_control_bytes(line);
        if (cut_to_form_width(line, length)) cut = true;
        load_row(row++, line);
    }
    crt_close(fd);
    if (reader.failed()) {
        // a half-read form is not shown: saving it would lose the rest
        g_form.clear_cells();
        g_form.clear_rows();
        return -1;
    }
    call_host(g_host.form_replaced);
    if (cut)
        warn(join_box_lines(lookup_message(nx_message::kFormTooBig), lookup_message(nx_message::kOutsideNotRead), ""));
    return 0;
}

int write_frm_file(const std::string& path) {
    std::string text;
    for (int r = 0; r < kFormRows && r < static_cast<int>(g_form.rows.size()); ++r) {
        std::string row = g_form.rows[static_cast<size_t>(r)];
        trim_trailing_blanks(row);
        text += row;
        text += '\n';
    }
    for (int r = static_cast<int>(g_form.rows.size()); r < kFormRows; ++r) text += '\n';

    // the old form is replaced only by a complete new one
    WorkFileWriter file;
    const bool ok = file.create(path + "$", path) && file.write(text) && file.commit();
    if (!ok) {
        warn(join_box_lines(lookup_message(nx_message::kOpenError),
                            format_text(lookup_message(nx_message::kFileName), path.c_str()), ""));
        return -1;
    }
    call_host(g_host.show_status, format_text(lookup_message(nx_message::kSaved), path.c_str()));
    call_host(g_host.beep);
    return 0;
}

void rebuild_form_cells() {
    if (!g_form.allocated()) return;
    for (int r = 0; r < kFormRows; ++r) {
        std::string line = g_form.rows[static_cast<size_t>(r)];
        load_row(r, line);
    }
    call_host(g_host.form_replaced);
}
