// Headers entered whole (whole_headers.h): a header's reading is noted from
// its first line to its close; the next time it is included with the scanner
// standing as it stood and every input the same, what the reading left
// behind is applied and the header closed without a line read.

#include "common/analysis/whole_headers.h"

#include <algorithm>

#include "common/analysis/preprocessor.h"
#include "common/analysis/support.h"

namespace {

// Readings kept per header: one per way its inputs stood.
constexpr size_t kMaxWholeEntries = 8;
// As the conditional stack's size.
constexpr int kMaxConditionalDepth = 20;

ScannerMark scanner_mark() {
    const AnalysisState& s = g_analysis;
    ScannerMark mark{s.brace_depth, s.else_may_follow, s.else_depth,  s.asm_block_depth,
                     s.asm_statement_open, s.end_reported, {}, s.scopes};
    // the levels above the brace depth are set again before they are read;
    // a level not made yet reads as a new one
    const size_t levels = static_cast<size_t>(std::max(s.brace_depth, 0)) + 1;
    mark.levels.assign(levels, ScannerLevel{});
    std::copy_n(s.levels.begin(), std::min(levels, s.levels.size()), mark.levels.begin());
    return mark;
}

// Nothing that a reading entered whole would skip is asked for: no cancel
// pending, no file announced, conditionals evaluated.
bool quiet_reading() {
    const AnalysisState& s = g_analysis;
    return s.settings.conditional_mode == 2 && s.abort_request == 0 &&
           (s.settings.verbosity <= 0 || s.hooks.on_file == nullptr);
}

// Whether the macro table (or its control macros) is ever empty, which the
// expansion asks instead of looking names up, goes as it went: the same
// count now, or never empty either way.
bool emptiness_holds(size_t before, size_t least, size_t now) {
    return now == before || (least > 0 && now + least > before);
}

// Only the control-macro expansion asks whether the table is empty (modes 1
// and 2) or holds a control macro (mode 3) instead of looking names up.
bool emptiness_holds_for_mode(const WholeEntry& e) {
    const AnalysisState& s = g_analysis;
    switch (s.settings.control_macro_mode) {
        case 1:
        case 2: return emptiness_holds(e.macros_before, e.macros_least, s.macro_index.size());
        case 3:
            return emptiness_holds(static_cast<size_t>(e.control_before), static_cast<size_t>(e.control_least),
                                   static_cast<size_t>(s.control_macro_count));
        default: return true;
    }
}

void observe_sizes(WholeCapture& c) {
    c.entry.macros_least = std::min(c.entry.macros_least, g_analysis.macro_index.size());
    c.entry.control_least = std::min(c.entry.control_least, g_analysis.control_macro_count);
}

bool entry_holds(WholeEntry& e, const SourceFile& file, const ScannerMark& mark) {
    const AnalysisState& s = g_analysis;
    if (e.in_comment_before != s.in_comment || e.progress != line_hook_enabled() || !(e.scanner == mark) ||
        file.conditional_base + e.depth_reach >= kMaxConditionalDepth ||
        static_cast<int>(s.include_stack.size()) + e.include_reach >= s.profile->max_include_depth ||
        !emptiness_holds_for_mode(e))
        return false;
    for (size_t k = 0; k < e.lookups.size(); ++k) {
        const MacroNode* node = find_macro(e.lookups[k].name);
        if ((node == nullptr ? 0 : node->stamp) == e.lookups[k].stamp) continue;
        // the name that told this reading apart is asked first next time
        std::swap(e.lookups[k], e.lookups[0]);
        return false;
    }
    for (const auto& [key, path] : e.answers)
        if (include_answer(key) != path) return false;
    for (const EntryGuard& guard : e.guards) {
        if (noting_whole_readings()) note_whole_guard_asked(guard.path);
        auto found = s.guarded_headers.find(guard.path);
        if ((found != s.guarded_headers.end()) != guard.held || (guard.held && found->second != guard.name))
            return false;
    }
    for (const EntryFile& f : e.files) {
        if (!kept_file_holds(f)) return false;
        if (noting_whole_readings()) note_whole_file(f.path, f.kept.lock());
    }
    return true;
}

// A line's progress for the readings noted, as the reading of a file.
void note_line_step(const std::string& file, uint32_t step) {
    for (WholeCapture& c : g_analysis.whole_captures) {
        if (c.spoilt) continue;
        if (c.progress_file != file) {
            c.progress_file = file;
            c.entry.steps.push_back(kStepFile | static_cast<uint32_t>(c.entry.step_files.size()));
            c.entry.step_files.push_back(file);
        }
        c.entry.steps.push_back(step);
    }
}

// A warning given again as the file and line it named.
int give_message(const EntryMessage& m) {
    SourceFile& current = g_analysis.current;
    std::string name = m.file;
    const int line = current.line_number;
    current.name.swap(name);
    current.line_number = m.line;
    const int r = report_message(kMessageWarning, m.code, m.text, m.detail);
    current.name.swap(name);
    current.line_number = line;
    return r;
}

// What the reading did, step by step: its macro changes, its warnings and
// the progress of its lines. 1, or the code that stops the run where the
// reading would have stopped: a warning that cannot be written, a cancel
// shown by the progress (at the first directive from there on; the run then
// names that place).
int replay_steps(const WholeEntry& e) {
    AnalysisState& s = g_analysis;
    size_t change = 0, message = 0;
    const std::string* file = nullptr;
    bool cancelled = false;
    for (const uint32_t step : e.steps) {
        const uint32_t value = step & kStepValue;
        switch (step & kStepKind) {
            case kStepChange:
                // a name the reading found undefined needs no look before it is defined
                if ((step & kStepNew) != 0) enter_undefined_macro(e.changes[change++]);
                else replay_macro_change(e.changes[change++]);
                break;
            case kStepMessage: {
                const int r = give_message(e.messages[message++]);
                if (r < -99) return r;
                break;
            }
            case kStepFile: file = &e.step_files[value]; break;
            default:
                if (noting_whole_readings() && file != nullptr) note_line_step(*file, step);
                s.hooks.on_line(static_cast<int>(value), 0);
                cancelled = cancelled || s.abort_request != 0;
                if (cancelled && (step & kStepDirective) != 0 && file != nullptr) {
                    s.current.name = *file;
                    s.current.line_number = static_cast<int>(value);
                    return -137;
                }
                break;
        }
    }
    return 1;
}

// What the reading left behind, and what the readings around it see of it;
// 1, or the code that stops the run (replay_steps).
int apply_entry(const WholeEntry& e, const SourceFile& file) {
    AnalysisState& s = g_analysis;
    const int r = replay_steps(e);
    if (r != 1) return r;
    for (const auto& [path, name] : e.guarded) {
        s.guarded_headers[path] = name;
        if (noting_whole_readings()) note_whole_guarded(path, name);
    }
    for (WholeCapture& c : s.whole_captures) {
        c.entry.depth_reach = std::max(c.entry.depth_reach, file.conditional_base - c.base + e.depth_reach);
        c.entry.include_reach = std::max(
            c.entry.include_reach, static_cast<int>(s.include_stack.size()) - static_cast<int>(c.depth) + e.include_reach);
    }
    s.in_comment = e.in_comment_after;
    return 1;
}

void start_capture(SourceFile& file, const ScannerMark& mark) {
    AnalysisState& s = g_analysis;
    if (file.trace == nullptr) return;
    WholeCapture& c = s.whole_captures.emplace_back();
    c.file = file.kept;
    c.trace = file.trace;
    c.depth = s.include_stack.size();
    c.base = file.conditional_base;
    c.messages = s.messages_met;
    c.state_before = s.cond_state[file.conditional_base];
    c.entry.scanner = mark;
    c.entry.in_comment_before = s.in_comment;
    c.entry.progress = line_hook_enabled();
    c.entry.macros_before = c.entry.macros_least = s.macro_index.size();
    c.entry.control_before = c.entry.control_least = s.control_macro_count;
}

}  // namespace

void note_whole_lookup(std::string_view name, const MacroNode* node) {
    for (WholeCapture& c : g_analysis.whole_captures) {
        observe_sizes(c);
        if (c.names.find(name) != c.names.end()) continue;
        c.names.emplace(name);
        c.entry.lookups.push_back({std::string(name), node == nullptr ? 0 : node->stamp});
    }
}

void note_whole_change(const std::shared_ptr<const MacroNode>& change) {
    // noted before the change: what the name names until then decides what
    // the change does
    const auto& index = g_analysis.macro_index;
    auto found = index.find(change->name);
    const uint64_t stamp = found == index.end() ? 0 : g_analysis.macros[found->second]->stamp;
    for (WholeCapture& c : g_analysis.whole_captures) {
        observe_sizes(c);
        // a later look at the name finds what the reading itself made
        if (c.names.find(change->name) == c.names.end()) {
            c.names.emplace(change->name);
            c.entry.lookups.push_back({change->name, stamp});
        }
        c.entry.changes.push_back(change);
        const bool fresh = found == index.end() && change->param_count != -2;
        c.entry.steps.push_back(kStepChange | (fresh ? uint32_t{kStepNew} : 0u));
    }
}

void note_whole_answer(const std::string& key, const std::string& path) {
    for (WholeCapture& c : g_analysis.whole_captures)
        if (c.keys.emplace(key).second) c.entry.answers.emplace_back(key, path);
}

void note_whole_guard_asked(const std::string& path) {
    const auto& guarded = g_analysis.guarded_headers;
    auto found = guarded.find(path);
    for (WholeCapture& c : g_analysis.whole_captures) {
        if (!c.guards.emplace(path).second) continue;
        const bool held = found != guarded.end();
        c.entry.guards.push_back({path, held, held ? found->second : std::string()});
    }
}

void note_whole_guarded(const std::string& path, const std::string& name) {
    for (WholeCapture& c : g_analysis.whole_captures) {
        // what the record held before is no longer asked of the batch
        c.guards.emplace(path);
        c.entry.guarded.emplace_back(path, name);
    }
}

void note_whole_file(const std::string& path, const std::shared_ptr<KeptFile>& kept) {
    if (kept == nullptr) {
        spoil_whole_readings();
        return;
    }
    for (WholeCapture& c : g_analysis.whole_captures)
        if (c.files.emplace(path).second) c.entry.files.push_back({path, kept});
}

void note_whole_reach() {
    const AnalysisState& s = g_analysis;
    for (WholeCapture& c : g_analysis.whole_captures) {
        c.entry.depth_reach = std::max(c.entry.depth_reach, s.cond_depth - c.base);
        c.entry.include_reach =
            std::max(c.entry.include_reach, static_cast<int>(s.include_stack.size()) - static_cast<int>(c.depth));
    }
}

void note_whole_message(int kind, int code, std::string_view text, std::string_view detail) {
    const SourceFile& file = g_analysis.current;
    for (WholeCapture& c : g_analysis.whole_captures) {
        if (kind != kMessageWarning) c.spoilt = true;
        if (c.spoilt) continue;
        c.entry.messages.push_back({code, std::string(text), std::string(detail), file.name, file.line_number});
        c.entry.steps.push_back(kStepMessage);
    }
}

void show_line_progress(int line) {
    if (noting_whole_readings()) {
        if (line < 0 || static_cast<uint32_t>(line) > kStepValue) spoil_whole_readings();
        note_line_step(g_analysis.current.name, kStepLine | static_cast<uint32_t>(line));
    }
    g_analysis.hooks.on_line(line, 0);
}

void note_whole_directive() {
    for (WholeCapture& c : g_analysis.whole_captures)
        if (!c.entry.steps.empty() && (c.entry.steps.back() & kStepKind) == kStepLine)
            c.entry.steps.back() |= kStepDirective;
}

void spoil_whole_readings() {
    for (WholeCapture& c : g_analysis.whole_captures) c.spoilt = true;
}

int enter_header_whole(SourceFile& file) {
    // nothing of it read yet
    if (!quiet_reading() || file.trace == nullptr || file.read_pos != 0 || file.line_number != 0) return 0;
    const ScannerMark mark = scanner_mark();
    std::vector<WholeEntry>& entries = file.trace->whole;
    for (size_t k = 0; k < entries.size(); ++k) {
        // the newest first: the batch's sources are mostly alike
        WholeEntry& e = entries[(file.trace->next_whole + entries.size() - 1 - k) % entries.size()];
        if (!entry_holds(e, file, mark)) continue;
        const int r = apply_entry(e, file);
        if (r < -99) return r;
        close_source_file();
        return 1;
    }
    start_capture(file, mark);
    return 0;
}

void end_whole_reading(const KeptFile* closed) {
    AnalysisState& s = g_analysis;
    std::vector<WholeCapture>& captures = s.whole_captures;
    const size_t depth = s.include_stack.size() + 1;
    // readings whose header went some other way are dropped
    while (!captures.empty() && captures.back().depth > depth) captures.pop_back();
    if (captures.empty() || captures.back().depth != depth || captures.back().file.get() != closed) return;
    WholeCapture c = std::move(captures.back());
    captures.pop_back();
    // it must end as it began: at a unit's start, nothing said, the levels
    // around it as they were
    if (c.spoilt || c.messages + static_cast<int>(c.entry.messages.size()) != s.messages_met || !s.unit_start_read ||
        !quiet_reading() || s.cond_depth != c.base || s.cond_state[c.base] != c.state_before ||
        !(scanner_mark() == c.entry.scanner))
        return;
    observe_sizes(c);
    c.entry.in_comment_after = s.in_comment;
    std::vector<WholeEntry>& entries = c.trace->whole;
    if (entries.size() < kMaxWholeEntries) {
        entries.push_back(std::move(c.entry));
        c.trace->next_whole = 0;
    } else {
        entries[c.trace->next_whole] = std::move(c.entry);
        c.trace->next_whole = (c.trace->next_whole + 1) % kMaxWholeEntries;
    }
}

void drop_whole_readings() { g_analysis.whole_captures.clear(); }
