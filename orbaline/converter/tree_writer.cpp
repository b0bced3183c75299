// The results of a tree or cross-reference run: the function list, the call
// tree (every line scrambled) or the cross-reference list, and the box list
// appended to the error file.

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/analysis/analysis_state.h"
#include "common/analysis/converter_host.h"
#include "common/analysis/messages.h"
#include "common/analysis/scramble.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "orbaline/converter/call_tree.h"
#include "orbaline/converter/tree_texts.h"

namespace ctree {

namespace {

constexpr char kTrdHeader[] = " [JOV:TRD:V1.00 ]";
constexpr char kNullText[] = "((null))";
constexpr int kCrossLineWidth = 160;

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Right-aligned in width columns; the counter may be up to 60 wide.
std::string number_text(int value, int width = 0) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), ' ');
    return digits;
}

int output_failure(int r) { return r == kCodeCannotWrite ? kCodeCannotWrite : r; }

// Progress of the writer: once the output's name, then a line counter.
void show_output_progress() {
    const Settings& s = g_tree.settings;
    if (!s.counter.on() || !host_takes_progress()) return;
    if (g_tree.trd_lines == 1) show_source_progress(1, 1, g_tree.trd.final_name, '(', ')');
    if (!counter_due(s.counter, g_tree.trd_lines, 0)) return;
    report_progress_text(counter_text(s.counter, 'O', g_tree.trd_lines));
}

// A line of the cross-reference list, written plain but counted like the
// tree's lines.
int write_plain_line(const std::string& text) {
    if (g_tree.trd_lines >= kMaxTreeLines) {
        int r = report_converter_message(kMessageWarning, kCodeLineLimit, kMsgTooManyBlocks, "");
        return r == 1 ? kCodeLineLimit : r;
    }
    ++g_tree.trd_lines;
    int r = write_output_line(text + "\n", g_tree.trd.handle, get_file_number(g_tree.trd.temp_name.c_str()));
    if (r != 0) return output_failure(r);
    show_output_progress();
    return kCodeOk;
}

std::string_view text_of(int id) { return id < 0 ? std::string_view{} : g_tree.names.text(id); }

std::string_view file_of(int file) {
    return file < 0 ? std::string_view{} : std::string_view(g_tree.files[static_cast<size_t>(file)]);
}

std::string plain(std::string_view text) { return std::string(text); }

bool is_ignored_entry(int name) { return g_tree.names.has(name, NameTable::kIgnored); }

int write_cross_reference() {
    for (const TreeDefinition& record : g_tree.records) {
        if (record.placeholder() && is_ignored_entry(record.name)) continue;
        std::string head = padded(plain(file_of(record.file)), 12) + record.mark + number_text(record.line, 5) + " " +
                           padded(cut_text(text_of(record.name), kMaxNameBytes), 16) + " :";
        head += text_of(record.comment);
        int r = write_plain_line(head);
        if (r != kCodeOk) return r;
        std::string line = "    ";
        int width = 4;
        bool any = false;
        for (int c = record.first_call; c < record.last_call; ++c) {
            const TreeCall& call = g_tree.calls[static_cast<size_t>(c)];
            if (is_ignored_entry(call.name)) continue;
            const std::string_view file = file_of(call.file), name = text_of(call.name);
            std::string number = number_text(call.line);
            int own = static_cast<int>(file.size() + name.size() + number.size()) + 5;
            if (any && width + own > kCrossLineWidth) {
                r = write_plain_line(line);
                if (r != kCodeOk) return r;
                line = "    ";
                width = own + 9;
            } else {
                width += own;
            }
            line += "  ";
            line += file;
            line += " " + number + "(";
            line += name;
            line += ")";
            any = true;
        }
        r = write_plain_line(line);
        if (r != kCodeOk) return r;
    }
    return kCodeOk;
}

// --- the tree ------------------------------------------------------------------------

std::string position_text(const TreeDefinition& record) {
    return padded(cut_text(text_of(record.name), kMaxNameBytes), 16) + " <" + plain(file_of(record.file)) + "(" +
           number_text(record.line) + ")>";
}

std::string prefix_text(const TreeDefinition& record) {
    const std::string_view prefix = text_of(record.prefix);
    std::string text;
    if (prefix.empty()) return text;
    text.reserve(prefix.size() + 4);
    text += ' ';
    text += prefix;
    text += "(),";
    return text;
}

std::string first_text(const TreeDefinition& record) {
    const std::string comment = plain(text_of(record.comment));
    if (g_tree.settings.show_position) return position_text(record) + ";" + comment + "\t" + prefix_text(record);
    return cut_text(text_of(record.name), kMaxNameBytes) + ";" + comment + "\t" + prefix_text(record) + " <" +
           plain(file_of(record.file)) + " " + number_text(record.line) + ">";
}

std::string repeat_text(const TreeDefinition& record) {
    std::string n = number_text(record.first_output);
    const std::string comment = plain(text_of(record.comment));
    if (g_tree.settings.show_position) return position_text(record) + "[" + n + "];" + comment + "\t";
    return cut_text(text_of(record.name), kMaxNameBytes) + ";" + comment + "\t " + n;
}

std::string undefined_text(std::string_view name) { return cut_text(name, kMaxNameBytes) + ";\t <UNDEFINED>"; }

int next_node_number() { return g_tree.trd_lines; }  // the header is line 1

bool has_shown_calls(const TreeDefinition& record) {
    for (int c = record.first_call; c < record.last_call; ++c)
        if (!is_ignored_entry(g_tree.calls[static_cast<size_t>(c)].name)) return true;
    return false;
}

int write_node(int name, int remaining, std::vector<int>& chain);

int write_calls(int index, int remaining, std::vector<int>& chain) {
    const TreeDefinition& record = g_tree.records[static_cast<size_t>(index)];
    if (remaining == 0) {
        if (!has_shown_calls(record)) return kCodeOk;
        int r = report_converter_message(kMessageWarning, kCodeNestTooDeep, kMsgNestTooDeep, text_of(record.name));
        return r == 1 ? kCodeOk : r;
    }
    chain.push_back(record.name);
    // the calls and records stay where they are while the tree is written
    const int first = record.first_call, last = record.last_call;
    int result = kCodeOk;
    for (int c = first; c < last; ++c) {
        const int callee = g_tree.calls[static_cast<size_t>(c)].name;
        if (is_ignored_entry(callee)) continue;
        result = write_node(callee, remaining - 1, chain);
        if (result != kCodeOk) break;
    }
    chain.pop_back();
    return result;
}

int write_node(int name, int remaining, std::vector<int>& chain) {
    const Settings& s = g_tree.settings;
    if (remaining < 0) return kCodeOk;
    const int index = first_record(name);
    const bool undefined = index < 0 || g_tree.records[static_cast<size_t>(index)].placeholder();
    if ((s.box_omit >= 1 && undefined) ||
        (s.box_omit == 2 && !undefined && text_of(g_tree.records[static_cast<size_t>(index)].comment).empty())) {
        g_tree.warnings = 1;
        NameTable::Entry& entry = g_tree.names.entry(name);
        if (s.box_list == 1 && (entry.flags & NameTable::kBoxSeen) == 0) {
            entry.flags |= NameTable::kBoxSeen;
            g_tree.box_names.emplace_back(text_of(name));
        }
        return kCodeOk;
    }
    const int depth = s.depth_limit - remaining;
    const int number = next_node_number();
    std::string line = number_text(number) + std::string(static_cast<size_t>(depth) + 1, s.level_char);
    if (undefined) return write_trd_line(line + undefined_text(text_of(name)));
    TreeDefinition& record = g_tree.records[static_cast<size_t>(index)];
    bool first = record.first_output == 0;
    if (s.recursion == 1) first = std::find(chain.begin(), chain.end(), name) == chain.end() || first;
    if (!first) {
        std::string text = repeat_text(record);
        if (s.recursion == 1) {
            text += prefix_text(record);
            if (!s.show_position) text += " <" + plain(file_of(record.file)) + " " + number_text(record.line) + ">";
        }
        return write_trd_line(line + text);
    }
    record.first_output = number;
    int r = write_trd_line(line + first_text(record));
    if (r != kCodeOk) return r;
    return write_calls(index, remaining, chain);
}

std::vector<int> order_tree_roots() {
    std::vector<int> order;
    std::vector<bool> taken(g_tree.records.size(), false);
    int main_index = first_record_named("main");
    if (main_index >= 0) {
        order.push_back(main_index);
        taken[static_cast<size_t>(main_index)] = true;
    }
    std::vector<bool> called(static_cast<size_t>(g_tree.names.size()), false);
    for (const TreeDefinition& record : g_tree.records)
        for (int c = record.first_call; c < record.last_call; ++c) {
            const int name = g_tree.calls[static_cast<size_t>(c)].name;
            if (name != record.name) called[static_cast<size_t>(name)] = true;
        }
    for (size_t i = 0; i < g_tree.records.size(); ++i) {
        if (taken[i] || called[static_cast<size_t>(g_tree.records[i].name)]) continue;
        order.push_back(static_cast<int>(i));
        taken[i] = true;
    }
    for (size_t i = 0; i < g_tree.records.size(); ++i)
        if (!taken[i]) order.push_back(static_cast<int>(i));
    return order;
}

int write_tree_roots() {
    const Settings& s = g_tree.settings;
    for (TreeDefinition& record : g_tree.records) record.first_output = 0;
    std::vector<int> chain;
    for (int index : order_tree_roots()) {
        TreeDefinition& record = g_tree.records[static_cast<size_t>(index)];
        if (record.first_output != 0) continue;
        const int number = next_node_number();
        record.first_output = number;
        int r = write_trd_line(number_text(number) + s.level_char + first_text(record));
        if (r == kCodeOk) r = write_calls(index, s.depth_limit, chain);
        if (r == kCodeLineLimit) {
            g_tree.warnings = 1;
            return kCodeOk;
        }
        if (r != kCodeOk) return r;
    }
    return kCodeOk;
}

}  // namespace

int open_function_list() {
    g_tree.flt.handle = open_tracked_file(g_tree.flt.temp_name.c_str(), "w");
    if (g_tree.flt.handle < 0) {
        int r = report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, g_tree.flt.temp_name);
        return r == 1 ? kCodeCannotWrite : r;
    }
    int r = write_output_line("-----< C function list >-----\n", g_tree.flt.handle,
                              get_file_number(g_tree.flt.temp_name.c_str()));
    return r == 0 ? kCodeOk : output_failure(r);
}

int write_function_list_line(const std::string& file, int line, const std::string& name, const std::string& comment) {
    if (g_tree.flt.handle < 0) return kCodeOk;
    std::string text = padded(file, 12) + " # " + number_text(line, 4) + "  " + padded(cut_text(name, kMaxNameBytes), 16) +
                       " : " + cut_text(comment, static_cast<size_t>(g_tree.settings.function_comment_length)) + "\n";
    int r = write_output_line(text, g_tree.flt.handle, get_file_number(g_tree.flt.temp_name.c_str()));
    return r == 0 ? kCodeOk : output_failure(r);
}

int close_function_list() {
    if (g_tree.flt.handle < 0) return kCodeOk;
    int r = close_tracked_file(g_tree.flt.handle);
    g_tree.flt.handle = -1;
    return r == 0 ? kCodeOk : kCodeCannotWrite;
}

int write_trd_line(const std::string& text) {
    if (g_tree.trd_lines >= kMaxTreeLines) {
        int r = report_converter_message(kMessageWarning, kCodeLineLimit, kMsgTooManyBlocks, "");
        return r == 1 ? kCodeLineLimit : r;
    }
    std::string stored;
    scramble_line(text + "\n", stored, ++g_tree.trd_lines);
    int r = write_output_line(stored, g_tree.trd.handle, get_file_number(g_tree.trd.temp_name.c_str()));
    if (r != 0) return output_failure(r);
    if (g_tree.trd_lines > 1) show_output_progress();
    return kCodeOk;
}

int append_box_report() {
    const Settings& s = g_tree.settings;
    if (s.box_list != 1 || g_tree.box_names.empty() || s.error_file.empty()) return kCodeOk;
    std::vector<std::string> names = g_tree.box_names;
    std::sort(names.begin() + 1, names.end());
    int handle = open_tracked_file(s.error_file.c_str(), "a");
    if (handle < 0) return -50;
    int result = kCodeOk;
    for (const std::string& name : names) {
        int index = first_record_named(name);
        bool undefined = index < 0 || g_tree.records[static_cast<size_t>(index)].placeholder();
        std::string line = undefined ? kMsgUndefinedBoxHead + name + kMsgUndefinedBoxTail
                                     : kMsgUncommentedHead + name + kMsgUncommentedTail;
        if (write_text_line(line, handle) != 0) {
            result = -50;
            break;
        }
    }
    if (close_tracked_file(handle) != 0) result = -50;
    return result;
}

int write_trd_file() {
    const Settings& s = g_tree.settings;
    gather_calls();
    // a placeholder's missing texts are shown as such
    NameTable& names = g_tree.names;
    const int null_text = names.intern(kNullText);
    int null_file = -1;
    auto file_or_null = [&](int file) {
        if (!file_of(file).empty()) return file;
        if (null_file < 0) {
            null_file = static_cast<int>(g_tree.files.size());
            g_tree.files.emplace_back(kNullText);
        }
        return null_file;
    };
    for (TreeDefinition& record : g_tree.records) {
        if (!record.placeholder()) continue;
        record.file = file_or_null(record.file);
        for (int* text : {&record.name, &record.comment, &record.prefix})
            if (text_of(*text).empty()) *text = null_text;
        for (int c = record.first_call; c < record.last_call; ++c) {
            TreeCall& call = g_tree.calls[static_cast<size_t>(c)];
            if (text_of(call.name).empty()) call.name = null_text;
            call.file = file_or_null(call.file);
        }
    }

    g_tree.trd.handle = open_tracked_file(g_tree.trd.temp_name.c_str(), "w");
    if (g_tree.trd.handle < 0) {
        int r = report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, g_tree.trd.temp_name);
        return r == 1 ? kCodeCannotWrite : r;
    }
    g_tree.trd_lines = 0;
    int result = write_trd_line(kTrdHeader);

    // a name defined in the sources is never ignored
    std::vector<bool> defined(static_cast<size_t>(names.size()), false);
    for (const TreeDefinition& record : g_tree.records)
        if (!record.placeholder()) defined[static_cast<size_t>(record.name)] = true;
    std::erase_if(g_tree.ignored, [&](const std::string& name) {
        const int id = names.find(name);
        return id >= 0 && defined[static_cast<size_t>(id)];
    });
    for (int id = 0; id < names.size(); ++id)
        if (find_ignored_name(names.text(id))) names.entry(id).flags |= NameTable::kIgnored;

    if (result == kCodeOk) result = s.job == kJobCrossReference ? write_cross_reference() : write_tree_roots();
    int r = close_tracked_file(g_tree.trd.handle);
    g_tree.trd.handle = -1;
    if (result == kCodeOk && r != 0) result = kCodeCannotWrite;
    if (result == kCodeOk && s.tree_run()) result = append_box_report();
    return result;
}

}  // namespace ctree
