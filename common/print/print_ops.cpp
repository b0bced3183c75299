#include "common/print/print_ops.h"

#include <charconv>

#include "common/print/print_primitives.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"

namespace {

using Run = int (*)(const PrintOp&);

// An operation by name: its arguments ('i' a number, 't' a text) and the
// call. In the order of the printer operations' table.
struct OpEntry {
    const char* name;
    const char* args;
    Run run;
};

const std::vector<int>& n(const PrintOp& op) { return op.numbers; }

constexpr OpEntry kOps[] = {
    {"prn_begin_job", "", [](const PrintOp&) { return prn_begin_job(); }},
    {"prn_reset_printer", "", [](const PrintOp&) { return prn_reset_printer(); }},
    {"prn_end_job", "", [](const PrintOp&) { return prn_end_job(); }},
    {"prn_send_mode_sequence", "i", [](const PrintOp& op) { return prn_send_mode_sequence(n(op)[0]); }},
    {"prn_begin_vector_mode", "", [](const PrintOp&) { return prn_begin_vector_mode(); }},
    {"prn_end_vector_mode", "", [](const PrintOp&) { return prn_end_vector_mode(); }},
    {"prn_select_font_slots", "iii",
     [](const PrintOp& op) { return prn_select_font_slots(n(op)[0], n(op)[1], n(op)[2]); }},
    {"prn_designate_fonts", "iii",
     [](const PrintOp& op) { return prn_designate_fonts(n(op)[0], n(op)[1], n(op)[2]); }},
    {"prn_designate_all_fonts", "", [](const PrintOp&) { return prn_designate_all_fonts(); }},
    {"lips_designate_font", "it", [](const PrintOp& op) { return lips_designate_font(n(op)[0], op.text); }},
    {"prn_assign_font_set", "ii", [](const PrintOp& op) { return prn_assign_font_set(n(op)[0], n(op)[1]); }},
    {"lips_assign_font_sets", "iiii",
     [](const PrintOp& op) { return lips_assign_font_sets(n(op)[0], n(op)[1], n(op)[2], n(op)[3]); }},
    {"prn_set_char_size", "ii", [](const PrintOp& op) { return prn_set_char_size(n(op)[0], n(op)[1]); }},
    {"prn_set_char_pitch", "iii",
     [](const PrintOp& op) { return prn_set_char_pitch(n(op)[0], n(op)[1], n(op)[2]); }},
    {"prn_set_unit_mode", "", [](const PrintOp&) { return prn_set_unit_mode(); }},
    {"prn_reset_unit_mode", "", [](const PrintOp&) { return prn_reset_unit_mode(); }},
    {"prn_move_to", "ii", [](const PrintOp& op) { return prn_move_to(n(op)[0], n(op)[1]); }},
    {"prn_set_corner_radius", "i", [](const PrintOp& op) { return prn_set_corner_radius(n(op)[0]); }},
    {"prn_set_line_type", "i", [](const PrintOp& op) { return prn_set_line_type(n(op)[0]); }},
    {"prn_set_line_width", "i", [](const PrintOp& op) { return prn_set_line_width(n(op)[0]); }},
    {"prn_send_vector_g", "i", [](const PrintOp& op) { return prn_send_vector_g(n(op)[0]); }},
    {"prn_draw_round_box", "iiii",
     [](const PrintOp& op) { return prn_draw_round_box(n(op)[0], n(op)[1], n(op)[2], n(op)[3]); }},
    {"prn_draw_box", "iiii", [](const PrintOp& op) { return prn_draw_box(n(op)[0], n(op)[1], n(op)[2], n(op)[3]); }},
    {"prn_draw_line", "iiii",
     [](const PrintOp& op) { return prn_draw_line(n(op)[0], n(op)[1], n(op)[2], n(op)[3]); }},
    {"encode_vector_number", "i", [](const PrintOp& op) { return encode_vector_number(n(op)[0]); }},
    {"prn_set_enlarged_text", "i", [](const PrintOp& op) { return prn_set_enlarged_text(n(op)[0]); }},
    {"prn_write", "t", [](const PrintOp& op) { return prn_write(op.text); }},
    {"prn_write_raw", "t",
     [](const PrintOp& op) { return prn_write_raw(op.text.data(), static_cast<int>(op.text.size())); }},
    {"prn_noop", "", [](const PrintOp&) { return prn_noop(); }},
    {"prn_reset_char_pitch", "", [](const PrintOp&) { return prn_reset_char_pitch(); }},
    {"print_text_line_raw", "t", [](const PrintOp& op) { return print_text_line_raw(op.text); }},
    // The print manager's clip rectangle, which the dispatch has no operation for.
    {"gdi_set_clip_rect", "iiii",
     [](const PrintOp& op) { return gdi_set_clip_rect(n(op)[0], n(op)[1], n(op)[2], n(op)[3]); }},
    {"gdi_clear_clip", "", [](const PrintOp&) { return gdi_clear_clip(); }},
};

std::vector<std::string_view> split_blanks(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool parse_number(std::string_view word, int& value) {
    const char* end = word.data() + word.size();
    auto [stop, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && stop == end;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool parse_hex(std::string_view word, std::string& bytes) {
    if (word.size() % 2 != 0) return false;
    bytes.clear();
    for (size_t i = 0; i < word.size(); i += 2) {
        const int high = hex_digit(word[i]), low = hex_digit(word[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::string line_error(int line, const std::string& what) { return "line " + std::to_string(line) + ": " + what; }

}  // namespace

bool parse_print_ops(std::string_view contents, std::vector<PrintOp>& ops, std::string& error) {
    int number = 0;
    while (!contents.empty()) {
        const size_t lf = contents.find('\n');
        std::string_view line = contents.substr(0, lf);
        contents.remove_prefix(lf == std::string_view::npos ? contents.size() : lf + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> words = split_blanks(line);
        if (words.empty() || words[0].front() == '#') continue;
        const OpEntry* entry = nullptr;
        for (const OpEntry& e : kOps) {
            if (words[0] == e.name) entry = &e;
        }
        if (entry == nullptr) {
            error = line_error(number, "no printer operation \"" + std::string(words[0]) + "\"");
            return false;
        }
        const std::string_view args = entry->args;
        if (words.size() - 1 != args.size()) {
            error = line_error(number, std::string(entry->name) + " takes " + std::to_string(args.size()) +
                                           " argument(s), not " + std::to_string(words.size() - 1));
            return false;
        }
        PrintOp op;
        op.name = entry->name;
        op.run = entry->run;
        op.line = number;
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string_view word = words[i + 1];
            int value = 0;
            if (args[i] == 'i' && parse_number(word, value)) {
                op.numbers.push_back(value);
            } else if (args[i] == 't' && parse_hex(word, op.text)) {
                // taken
            } else {
                error = line_error(number, "argument " + std::to_string(i + 1) + " of " + entry->name + " is not " +
                                               (args[i] == 'i' ? "a decimal number" : "a text in hex bytes"));
                return false;
            }
        }
        ops.push_back(std::move(op));
    }
    return true;
}

PrintJobRun run_print_job(int kind, int orientation, const std::vector<PrintOp>& ops,
                          const std::function<void(const PrintOp&, int result)>& failed) {
    PrintJobRun run;
    set_print_job(kind, orientation);
    if (kind == 1 && open_printer_dc() != 0) return run;
    if (prn_begin_job() != 0) {
        // a job that never started still ends, so that nothing stays open;
        // it wrote nothing to name
        prn_abandon_job();
        return run;
    }
    run.started = true;
    bool ok = true;
    for (const PrintOp& op : ops) {
        const int result = op.run(op);
        if (result != 0 && failed) failed(op, result);
        ok = result == 0 && ok;
    }
    ok = prn_end_job() == 0 && ok;
    run.all_succeeded = ok;
    run.output_path = print_output_path();
    return run;
}
