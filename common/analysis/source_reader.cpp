// Source files, the include stack, physical and logical lines, comments and
// the line source that feeds the scanner.

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "common/analysis/whole_headers.h"
#include "platform/kernel/file_io.h"

namespace {

constexpr size_t kReadBlock = 8192;

void announce_file(const std::string& name) {
    if (g_analysis.settings.verbosity > 0 && g_analysis.hooks.on_file != nullptr)
        g_analysis.hooks.on_file(name.c_str());
}

// The bytes of the file at hand: read_pos is the first not taken yet.
const std::string& buffer_of(const SourceFile& file) { return file.kept ? file.kept->bytes : file.read_ahead; }

// Reads the next block of the file behind the read-ahead; false at the end
// of the file or on a read error (flagged on the file).
bool fill_read_ahead(SourceFile& file) {
    if (file.at_eof || file.handle < 0) return false;
    if (file.kept) {
        // all there is was read when the file was first kept
        file.at_eof = true;
        file.read_error = file.kept->read_error;
        return false;
    }
    if (file.read_pos > 0) {
        file.read_ahead.erase(0, file.read_pos);
        file.read_pos = 0;
    }
    size_t old = file.read_ahead.size();
    file.read_ahead.resize(old + kReadBlock);
    int got = crt_read(file.handle, file.read_ahead.data() + old, kReadBlock);
    if (got <= 0) {
        file.read_ahead.resize(old);
        file.at_eof = true;
        if (got < 0) file.read_error = true;
        return false;
    }
    file.read_ahead.resize(old + static_cast<size_t>(got));
    return true;
}

// Takes one physical line (newline kept, CR LF given as LF). Lines of any
// length are consumed whole; only the first size - 1 bytes are kept, cut at
// a character boundary. raw_length counts the bytes taken from the file.
bool take_physical_line(SourceFile& file, std::string& out, int size, int64_t& raw_length) {
    out.clear();
    raw_length = 0;
    const size_t keep_limit = size > 1 ? static_cast<size_t>(size - 1) : 0;
    bool overflow = false;
    for (;;) {
        const std::string& buffer = buffer_of(file);
        const char* base = buffer.data() + file.read_pos;
        size_t available = buffer.size() - file.read_pos;
        const void* nl = available ? std::memchr(base, '\n', available) : nullptr;
        size_t take = nl ? static_cast<size_t>(static_cast<const char*>(nl) - base) + 1 : available;
        if (!overflow) {
            size_t room = keep_limit + 1 - std::min(out.size(), keep_limit + 1);
            out.append(base, std::min(take, room));
            if (out.size() > keep_limit) overflow = true;
        }
        raw_length += static_cast<int64_t>(take);
        file.read_pos += take;
        if (nl) break;
        if (!fill_read_ahead(file)) break;
    }
    if (raw_length == 0) return false;
    if (overflow) {
        // keep a whole-character prefix and the line end
        int cut = char_boundary_at_or_before(out, static_cast<int>(keep_limit) - 1);
        out.resize(cut > 0 ? static_cast<size_t>(cut) : 0);
        out += '\n';
        return true;
    }
    size_t n = out.size();
    if (n >= 2 && out[n - 1] == '\n' && out[n - 2] == '\r') out.erase(n - 2, 1);
    return true;
}

bool is_control_byte(unsigned char b) { return b < 32 && b != '\n' && b != '\t'; }

bool raw_line_from(SourceFile& file, std::string& out, int size, int64_t& bytes_read) {
    int64_t raw = 0;
    if (!take_physical_line(file, out, size, raw)) return false;
    bytes_read += raw;
    // a kept file known to hold neither trigraphs nor control bytes
    if (file.kept && file.kept->plain) return true;
    // control bytes other than the line end and TAB read as blanks, and
    // trigraphs are replaced; most lines have neither, which one pass that
    // reads eight bytes at a time tells
    bool control = false, question = false;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(out.data());
    // the line end needs no look
    const size_t n = out.size() - (!out.empty() && out.back() == '\n' ? 1 : 0);
    size_t i = 0;
    constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        // a byte below 0x20 (an exact test of "any"), and a "?"
        if (((word - kOnes * 0x20) & ~word & kHigh) != 0)
            for (size_t k = i; k < i + 8; ++k) control |= is_control_byte(bytes[k]);
        const uint64_t q = word ^ (kOnes * '?');
        question |= ((q - kOnes) & ~q & kHigh) != 0;
    }
    for (; i < n; ++i) {
        control |= is_control_byte(bytes[i]);
        question |= bytes[i] == '?';
    }
    if (question) replace_trigraphs(out);
    if (control) {
        unsigned char* edit = reinterpret_cast<unsigned char*>(out.data());
        for (size_t k = 0, m = out.size(); k < m; ++k) edit[k] = is_control_byte(edit[k]) ? ' ' : edit[k];
    }
    return true;
}

// A backslash directly before the newline continues the line, unless it is
// the second byte of a double-byte character.
bool ends_with_continuation(const std::string& line) {
    size_t n = line.size();
    if (n < 2 || line[n - 1] != '\n' || line[n - 2] != '\\') return false;
    return dbcs_kind_at(line, static_cast<int>(n - 2)) != 2;
}

// A continued line is joined whatever its length: only a runaway one (a
// backslash ending line after line of a file that is no C) is refused.
constexpr size_t kMaxJoinedLine = 4 * 1024 * 1024;

bool logical_line_from(SourceFile& file, std::string& out, int size, int64_t& bytes_read, int& physical_lines,
                       int& code) {
    code = kCodeOk;
    physical_lines = 0;
    if (!raw_line_from(file, out, size, bytes_read)) return false;
    physical_lines = 1;
    std::string& next = g_analysis.scratch.text;
    while (ends_with_continuation(out)) {
        out.resize(out.size() - 2);
        if (!raw_line_from(file, next, size, bytes_read)) return true;
        ++physical_lines;
        if (line_hook_enabled()) show_line_progress(file.line_number + physical_lines);
        if (out.size() + next.size() >= kMaxJoinedLine) {
            code = raise_message(kMessageError, -129, kMsgLineTooLong);
            if (code > -100) code = -129;
            return false;
        }
        out += next;
    }
    return true;
}

// The comment/code walk of one line. Returns 1, or the code of a message.
struct CommentSplit {
    std::string& line;
    std::vector<unsigned char> is_comment;
    int result = kCodeOk;
};

bool first_token_is_asm(const std::string& line, int in_comment) {
    // most lines hold no "_asm" anywhere
    if (in_comment || line.find("_asm") == std::string::npos) return false;
    int i = skip_blanks(line, 0);
    while (byte_at(line, i) == '/' && byte_at(line, i + 1) == '*') {
        int end = find_substring(std::string_view(line).substr(i + 2), "*/");
        if (end < 0) return false;
        i = skip_blanks(line, i + 2 + end + 2);
    }
    return starts_with_word(std::string_view(line).substr(i), "_asm") != 0;
}

// End of a string or character literal that opens at pos; -1 when it is
// not closed on the line.
int literal_end(const std::string& line, int pos, bool dbcs) {
    char quote = line[pos];
    int n = static_cast<int>(line.size());
    int i = pos + 1;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (dbcs && is_dbcs_at(line, i)) {
            i += 2;
            continue;
        }
        if (c == '\\' && i + 1 < n && static_cast<unsigned char>(line[i + 1]) < 128) {
            i += 2;
            continue;
        }
        if (c == static_cast<unsigned char>(quote)) return i + 1;
        ++i;
    }
    return -1;
}

// How far a file is seen to lie inside one include guard.
enum GuardWatch : int {
    kGuardStart = 0,    // nothing significant read yet
    kGuardOpened = 1,   // "#ifndef NAME" first
    kGuardInside = 2,   // then "#define NAME": inside the guard
    kGuardClosed = 3,   // its "#endif" was the last significant line so far
    kGuardNone = 4,     // something stands outside the guard, or it has an #else
};

// The identifier after "#word", or "".
std::string_view directive_name(std::string_view code, std::string_view word) {
    const int at = directive_operand(code, word);
    if (at < 0) return {};
    return code.substr(static_cast<size_t>(at), static_cast<size_t>(skip_identifier(code, at) - at));
}

// Follows a file's significant lines (code left after the comments) to see
// whether the file is wholly guarded; `before` and `after` are the
// conditional depths around the line's own directive.
void watch_guard(SourceFile& file, std::string_view code, int before, int after) {
    if (file.guard_watch == kGuardNone || skip_blanks(code, 0) >= static_cast<int>(code.size())) return;
    switch (file.guard_watch) {
        case kGuardStart: {
            const std::string_view name = directive_name(code, "ifndef");
            if (name.empty() || before != file.conditional_base || after != before + 1) break;
            file.guard_name.assign(name);
            file.guard_depth = after;
            file.guard_watch = kGuardOpened;
            return;
        }
        case kGuardOpened:
            if (directive_name(code, "define") != file.guard_name) break;
            file.guard_watch = kGuardInside;
            return;
        case kGuardInside:
            if (before == file.guard_depth && byte_at(code, skip_blanks(code, 0)) == '#' &&
                (directive_operand(code, "else") >= 0 || directive_operand(code, "elif") >= 0))
                break;
            if (after < file.guard_depth) file.guard_watch = kGuardClosed;
            return;
        default:
            break;
    }
    file.guard_watch = kGuardNone;
}

// At the end of an include file: a file read whole inside its guard, with no
// message met while it was read, reads as nothing while the guard holds.
void remember_guarded_header(const SourceFile& file) {
    if (file.guard_watch != kGuardClosed || file.messages_at_open != g_analysis.messages_met) return;
    g_analysis.guarded_headers[file.name] = file.guard_name;
    if (noting_whole_readings()) note_whole_guarded(file.name, file.guard_name);
}

// --- files kept within a listing scope ---------------------------------------------

// The largest file kept, with its lines; a larger one is read as it goes,
// each time.
constexpr int64_t kKeptFileLimit = 2 << 20;

struct KeptFiles {
    unsigned scope = 0;  // the listing scope they were read in
    unsigned run = 0;    // the sources opened so far: a kept file's stamp is looked at once a run
    std::unordered_map<std::string, std::shared_ptr<KeptFile>> by_name;
    // quoted names found beside the source (by its folder and the name):
    // the answer holds while the file it found is kept unchanged
    std::unordered_map<std::string, std::string> answers;
};

// An include file held open by its kept bytes alone, without a descriptor.
constexpr int kKeptHandle = INT32_MAX;

KeptFiles& kept_files() {
    static KeptFiles files;
    return files;
}

// Reads the rest of the file into `kept`; false on a read error.
bool read_whole(int handle, KeptFile& kept) {
    for (;;) {
        const size_t old = kept.bytes.size();
        kept.bytes.resize(old + kReadBlock * 4);
        const int got = crt_read(handle, kept.bytes.data() + old, kReadBlock * 4);
        kept.bytes.resize(old + static_cast<size_t>(got > 0 ? got : 0));
        if (got <= 0) return got == 0;
    }
}

// An include file opened inside a listing scope takes its bytes from what an
// earlier open in the scope read, while the file is unchanged; else it is
// read whole now and kept for the next open.
void attach_kept_file(SourceFile& file) {
    const unsigned scope = crt_listing_scope_number();
    if (scope == 0) return;
    KeptFiles& files = kept_files();
    if (files.scope != scope) {
        files.by_name.clear();
        files.answers.clear();
        files.scope = scope;
    }
    int64_t size = 0, modified = 0, changed = 0;
    if (!crt_file_stamp(file.handle, size, modified, &changed) || size > kKeptFileLimit) return;
    std::shared_ptr<KeptFile>& slot = files.by_name[file.name];
    if (slot && slot->size == size && slot->modified == modified) {
        slot->changed = changed;
    } else {
        auto fresh = std::make_shared<KeptFile>();
        fresh->size = size;
        fresh->modified = modified;
        fresh->changed = changed;
        fresh->bytes.reserve(static_cast<size_t>(size) + 1);
        fresh->read_error = !read_whole(file.handle, *fresh);
        fresh->plain = fresh->bytes.find("??") == std::string::npos &&
                       std::none_of(fresh->bytes.begin(), fresh->bytes.end(), [](char c) {
                           return c == '\r' || is_control_byte(static_cast<unsigned char>(c));
                       });
        // a file that could not be read whole is read once, as it was
        if (fresh->read_error) {
            files.by_name.erase(file.name);
            file.kept = std::move(fresh);
            return;
        }
        slot = std::move(fresh);
    }
    slot->checked_run = files.run;
    file.kept = slot;
}

// Where the line being split is kept, when it comes from a kept file and
// nothing but its text and comment state decides its split (no _asm
// statement or block open); `found` tells whether it was kept before.
KeptLine* kept_line(int start_state, bool& found) {
    found = false;
    KeptFile* kept = g_analysis.line_file;
    if (kept == nullptr || kept->read_error || g_analysis.asm_statement_open != 0 || g_analysis.asm_block_depth != 0)
        return nullptr;
    const AnalysisSettings& settings = g_analysis.settings;
    if (kept->tab_width != settings.tab_width || kept->line_size != g_analysis.profile->line_size ||
        kept->asm_setting != settings.asm_setting) {
        kept->lines.clear();
        kept->tab_width = settings.tab_width;
        kept->line_size = g_analysis.profile->line_size;
        kept->asm_setting = settings.asm_setting;
    }
    const uint64_t key = static_cast<uint64_t>(g_analysis.line_start) * 2 + (start_state != 0 ? 1 : 0);
    auto [line, made] = kept->lines.try_emplace(key);
    found = !made;
    return &line->second;
}

}  // namespace

namespace {

// The kept file of that name while its stamp holds (looked at once a run,
// as a fresh open would see it: its rights too); nullptr when there is none.
std::shared_ptr<KeptFile> unchanged_kept_file(const std::string& path) {
    KeptFiles& files = kept_files();
    const unsigned scope = crt_listing_scope_number();
    if (scope == 0 || files.scope != scope) return nullptr;
    auto found = files.by_name.find(path);
    if (found == files.by_name.end()) return nullptr;
    KeptFile& kept = *found->second;
    if (kept.checked_run != files.run) {
        int64_t size = 0, modified = 0, changed = 0;
        if (!crt_path_stamp(path.c_str(), size, modified, changed) || size != kept.size ||
            modified != kept.modified || changed != kept.changed)
            return nullptr;
        kept.checked_run = files.run;
    }
    return found->second;
}

}  // namespace

// A file an earlier reading opened is the kept one while its stamp holds.
bool kept_file_holds(const EntryFile& entry) {
    const std::shared_ptr<KeptFile> kept = entry.kept.lock();
    return kept != nullptr && unchanged_kept_file(entry.path) == kept;
}

namespace {

// --- include files taken from their trace ------------------------------------------

// An include file read with the trace of its last reading in the run: its
// lines are taken from there while everything they depend on is as it was,
// and read (and traced again) from the first one that finds it otherwise.
// A file open twice at once (a header that includes itself) is read as it
// comes the second time.
void attach_trace(SourceFile& file) {
    KeptFile& kept = *file.kept;
    // the mode that keeps literal branches looks at a level's mark at its
    // "#else": no trace holds it
    if (g_analysis.settings.conditional_mode != 2) return;
    // a trace line holds its places in 32 bits
    if (kept.bytes.size() >= UINT32_MAX) return;
    for (const SourceFile& open : g_analysis.include_stack)
        if (open.kept.get() == &kept && open.trace != nullptr) return;
    if (!kept.trace) kept.trace = std::make_unique<IncludeTrace>();
    IncludeTrace& trace = *kept.trace;
    if (trace.profile != g_analysis.profile || !(trace.settings == g_analysis.settings) ||
        trace.ignore_list != g_analysis.ignore_list) {
        trace.lines.clear();
        trace.first = TraceLine::kNone;
        trace.branches = 0;
        trace.lookups.clear();
        trace.defined.clear();
        trace.defined_by.clear();
        trace.guard_names.assign(1, std::string());
        trace.text.clear();
        trace.whole.clear();
        trace.next_whole = 0;
        trace.profile = g_analysis.profile;
        trace.settings = g_analysis.settings;
        trace.ignore_list = g_analysis.ignore_list;
    }
    file.trace = &trace;
    file.trace_at = IncludeTrace::kStart;
    file.trace_recording = false;
}

// the conditional stack's size
constexpr int kMaxTracedDepth = 20;

bool enclosing_levels_active(int depth) {
    for (int level = 0; level < depth; ++level)
        if (g_analysis.cond_state[level] != 0) return false;
    return true;
}

// What a traced line depends on besides its bytes, as it stands now.
void note_line_start(TraceLine& line, const SourceFile& file) {
    line.start = static_cast<uint32_t>(file.read_pos);
    line.comment_before = static_cast<int8_t>(g_analysis.in_comment);
    line.depth_before = static_cast<int8_t>(g_analysis.cond_depth - file.conditional_base);
    line.state_before = static_cast<int8_t>(g_analysis.cond_state[g_analysis.cond_depth]);
    line.enclosing_active = enclosing_levels_active(g_analysis.cond_depth);
    line.guard_before = static_cast<int8_t>(file.guard_watch);
    line.no_control = g_analysis.control_macro_count == 0;
    line.no_macros = g_analysis.macro_index.empty();
}

bool line_holds(const IncludeTrace& trace, const TraceLine& line, const SourceFile& file) {
    if (line.start != file.read_pos || line.comment_before != g_analysis.in_comment ||
        line.depth_before != g_analysis.cond_depth - file.conditional_base || line.state_before != g_analysis.cond_state[g_analysis.cond_depth] ||
        line.guard_before != file.guard_watch || line.enclosing_active != enclosing_levels_active(g_analysis.cond_depth))
        return false;
    if (g_analysis.abort_request != 0 || g_analysis.asm_statement_open != 0 || g_analysis.asm_block_depth != 0)
        return false;
    if (line.live) return true;
    const int depth_after = file.conditional_base + line.depth_after;
    if (depth_after < 0 || depth_after >= kMaxTracedDepth) return false;
    if (line.no_control != (g_analysis.control_macro_count == 0) || line.no_macros != g_analysis.macro_index.empty())
        return false;
    const TraceLookup* lookup = trace.lookups.data() + line.lookups_at;
    for (const TraceLookup* end = lookup + line.lookup_count; lookup != end; ++lookup) {
        const std::string_view name(trace.text.data() + lookup->name_at, lookup->name_size);
        auto it = g_analysis.macro_index.find(name);
        const MacroNode* node = it == g_analysis.macro_index.end() ? nullptr : g_analysis.macros[it->second].get();
        // a header read whole depends on what its lines looked at
        if (noting_whole_readings()) note_whole_lookup(name, node);
        if ((node == nullptr ? 0 : node->stamp) != lookup->stamp) return false;
    }
    return true;
}

// The readings (branches) a file's trace holds at most.
constexpr int kMaxTraceBranches = 4;

// Takes the current file's next line from its trace: 1 when it goes on to
// the scanner (in code and comment), 0 when it does not, -1 when it is to
// be read from the file, -137 when the progress shown cancelled the run at
// a directive.
int replay_line(SourceFile& file, std::string& code, std::string& comment) {
    IncludeTrace& trace = *file.trace;
    if (file.trace_recording) return -1;
    uint32_t way = file.trace_at == IncludeTrace::kStart ? trace.first : trace.lines[file.trace_at].next;
    uint32_t taken = IncludeTrace::kStart;
    for (; way != TraceLine::kNone; way = trace.lines[way].sibling)
        if (line_holds(trace, trace.lines[way], file)) {
            taken = way;
            break;
        }
    if (taken == IncludeTrace::kStart) {
        // from here on the file reads as no reading before: a new branch,
        // unless the file has been read in too many ways already
        if (++trace.branches > kMaxTraceBranches) file.trace = nullptr;
        else file.trace_recording = true;
        return -1;
    }
    file.trace_at = taken;
    const TraceLine& line = trace.lines[taken];
    if (line.live) return -1;
    if (line_hook_enabled()) {
        const int base = file.line_number;
        for (int k = 2; k <= line.lines; ++k) show_line_progress(base + k);
        show_line_progress(base + line.lines);
        if (line.directive && noting_whole_readings()) note_whole_directive();
        if (g_analysis.abort_request != 0 && line.directive) {
            // the line was read and split, and its directive not acted on
            file.read_pos = line.end;
            file.bytes_read += line.end - line.start;
            file.line_number += line.lines;
            g_analysis.line_start_in_comment = line.comment_before;
            g_analysis.in_comment = line.split_after;
            g_analysis.split_kept = nullptr;
            return -137;
        }
    }
    g_analysis.line_start_in_comment = line.comment_before;
    g_analysis.split_kept = nullptr;
    file.read_pos = line.end;
    file.bytes_read += line.end - line.start;
    file.line_number += line.lines;
    g_analysis.in_comment = line.comment_after;
    if (line.changes) {
        auto k = std::lower_bound(trace.defined_by.begin(), trace.defined_by.end(), taken);
        for (; k != trace.defined_by.end() && *k == taken; ++k)
            replay_macro_change(trace.defined[static_cast<size_t>(k - trace.defined_by.begin())]);
    }
    const int depth = file.conditional_base + line.depth_after;
    if (line.pushed) {
        g_analysis.cond_saved_brace[depth] = g_analysis.brace_depth;
        g_analysis.cond_marker[depth] = 0;
    }
    g_analysis.cond_depth = depth;
    g_analysis.cond_state[depth] = line.state_after;
    if (noting_whole_readings()) note_whole_reach();
    file.guard_watch = line.guard_watch;
    file.guard_depth = line.guard_depth;
    const std::string& guard_name = trace.guard_names[line.guard_name];
    if (file.guard_name != guard_name) file.guard_name = guard_name;
    if (!line.handed) return 0;
    // an append copies with less ado than an assign of part of a string
    const char* text = trace.text.data() + line.text_at;
    code.clear();
    code.append(text, line.code_size);
    comment.clear();
    comment.append(text + line.code_size, line.comment_size);
    if (g_analysis.settings.control_macro_mode != 0) g_analysis.line_expanded = 1;
    return 1;
}

// While a line of a traced file is read: the trace line it writes, made a
// taken one only when the reading finishes as a trace can hold it.
// The most lines a file's trace holds, all its branches together.
constexpr size_t kMaxTraceLines = 1 << 18;

class LineTracer {
public:
    LineTracer(SourceFile& file) {
        if (file.trace == nullptr || !file.trace_recording) return;
        if (file.trace->lines.size() >= kMaxTraceLines) {
            // a file read in too many ways is read as it comes
            file.trace = nullptr;
            return;
        }
        trace_ = file.trace;
        index_ = static_cast<uint32_t>(trace_->lines.size());
        // the new way is tried after those before it
        uint32_t* way = file.trace_at == IncludeTrace::kStart ? &trace_->first : &trace_->lines[file.trace_at].next;
        while (*way != TraceLine::kNone) way = &trace_->lines[*way].sibling;
        *way = index_;
        file.trace_at = index_;
        base_ = file.conditional_base;
        reserve_more(trace_->lines);
        TraceLine& line = trace_->lines.emplace_back();
        note_line_start(line, file);
        line.lookups_at = static_cast<uint32_t>(trace_->lookups.size());
        defined_size_ = trace_->defined.size();
        text_size_ = trace_->text.size();
        bytes_ = file.bytes_read;
        line_number_ = file.line_number;
        messages_ = g_analysis.messages_met;
        files_ = g_analysis.include_stack.size();
        g_analysis.trace_capture = &line;
        g_analysis.capture_trace = trace_;
        g_analysis.trace_untracked = false;
    }
    ~LineTracer() {
        g_analysis.trace_capture = nullptr;
        g_analysis.capture_trace = nullptr;
        if (trace_ != nullptr && !finished_) drop_notes();
    }
    LineTracer(const LineTracer&) = delete;
    LineTracer& operator=(const LineTracer&) = delete;

    // The line was read whole (`handed`: and goes on as code and comment).
    void finish(const SourceFile& file, bool handed, const std::string& code, const std::string& comment) {
        if (trace_ == nullptr) return;
        g_analysis.trace_capture = nullptr;
        TraceLine& line = trace_->lines[index_];
        const size_t lookups = trace_->lookups.size() - line.lookups_at;
        const size_t text = trace_->text.size() + (handed ? code.size() + comment.size() : 0);
        const int depth_after = g_analysis.cond_depth - base_;
        const int lines = file.line_number - line_number_;
        size_t guard_name = trace_->guard_names.size();
        while (guard_name > 0 && trace_->guard_names[guard_name - 1] != file.guard_name) --guard_name;
        if (g_analysis.trace_untracked || messages_ != g_analysis.messages_met ||
            files_ != g_analysis.include_stack.size() || split_end_ != file.read_pos ||
            split_bytes_ != file.bytes_read || split_lines_ != lines ||
            file.bytes_read - bytes_ != static_cast<int64_t>(file.read_pos - line.start) || lines < 0 || lines > UINT16_MAX ||
            g_analysis.asm_statement_open != 0 ||
            g_analysis.asm_block_depth != 0 || (g_analysis.settings.asm_setting == 1 && code.find("_asm") != std::string::npos) ||
            lookups > UINT16_MAX || text >= UINT32_MAX || (handed && (code.size() > UINT16_MAX || comment.size() > UINT16_MAX)) ||
            (guard_name == 0 && trace_->guard_names.size() > UINT16_MAX) ||
            depth_after < INT8_MIN || depth_after > INT8_MAX || file.guard_depth < INT8_MIN || file.guard_depth > INT8_MAX) {
            // read as it comes each time; only where it starts is checked
            drop_notes();
            return;
        }
        finished_ = true;
        line.live = false;
        line.end = static_cast<uint32_t>(file.read_pos);
        line.lines = static_cast<uint16_t>(lines);
        line.lookup_count = static_cast<uint16_t>(lookups);
        // the changes were written without their line, which is known now
        line.changes = trace_->defined.size() > defined_size_;
        trace_->defined_by.resize(trace_->defined.size(), index_);
        line.comment_after = static_cast<int8_t>(g_analysis.in_comment);
        line.depth_after = static_cast<int8_t>(depth_after);
        line.state_after = static_cast<int8_t>(g_analysis.cond_state[g_analysis.cond_depth]);
        line.pushed = line.depth_after > line.depth_before;
        line.guard_watch = static_cast<int8_t>(file.guard_watch);
        line.guard_depth = static_cast<int8_t>(file.guard_depth);
        line.handed = handed;
        // the guard name is one of the few the file's lines left
        if (guard_name == 0) {
            guard_name = trace_->guard_names.size();
            trace_->guard_names.push_back(file.guard_name);
        } else {
            --guard_name;
        }
        line.guard_name = static_cast<uint16_t>(guard_name);
        std::string& pool = trace_->text;
        line.text_at = static_cast<uint32_t>(pool.size());
        if (handed) {
            reserve_more(pool, code.size() + comment.size());
            line.code_size = static_cast<uint16_t>(code.size());
            line.comment_size = static_cast<uint16_t>(comment.size());
            pool.append(code);
            pool.append(comment);
        }
    }

    // Where the line ended as read and split: a line whose directive went
    // on reading the file is read as it comes.
    void note_split(const SourceFile& file, int lines) {
        split_end_ = file.read_pos;
        split_bytes_ = file.bytes_read;
        split_lines_ = lines;
    }

private:
    // What the line noted goes: it is read as it comes.
    void drop_notes() {
        finished_ = true;
        trace_->lookups.resize(trace_->lines[index_].lookups_at);
        trace_->defined.resize(defined_size_);
        trace_->text.resize(text_size_);
    }

    bool finished_ = false;
    size_t defined_size_ = 0;
    size_t text_size_ = 0;
    size_t split_end_ = 0;
    int64_t split_bytes_ = 0;
    int split_lines_ = -1;
    IncludeTrace* trace_ = nullptr;
    uint32_t index_ = 0;
    int base_ = 0;
    int64_t bytes_ = 0;
    int line_number_ = 0;
    int messages_ = 0;
    size_t files_ = 0;
};

int split_fresh_line(std::string& line, std::string& comment, int start_state);

using CommentRange = AnalysisState::CommentRange;

// The bytes the comment walk stops at: comment marks, quotes, the ";" of an
// _asm line, and lead bytes of double-byte characters.
struct SplitStops {
    bool stop[256] = {};
    constexpr SplitStops() {
        for (int b = 0x80; b < 256; ++b) stop[b] = true;
        for (unsigned char c : {'/', '*', '"', '\'', ';'}) stop[c] = true;
    }
    bool operator[](unsigned char b) const { return stop[b]; }
};
constexpr SplitStops kSplitStop;

}  // namespace

void forget_kept_files() {
    KeptFiles& files = kept_files();
    files.by_name.clear();
    files.scope = 0;
}

void replace_trigraphs(std::string& text) {
    static const char kFrom[] = "=/'()!<>-";
    static const char kTo[] = "#\\^[]|{}~";
    if (text.find("??") == std::string::npos) return;
    size_t i = 0;
    while (i + 2 < text.size()) {
        if (text[i] == '?' && text[i + 1] == '?') {
            const char* hit = std::strchr(kFrom, text[i + 2]);
            if (hit != nullptr && text[i + 2] != '\0') {
                text[i] = kTo[hit - kFrom];
                text.erase(i + 1, 2);
            }
        }
        ++i;
    }
}

// --- opening and closing -------------------------------------------------------

int open_source_file(const char* path) {
    if (noting_whole_readings()) note_whole_reach();
    if (static_cast<int>(g_analysis.include_stack.size()) >= g_analysis.profile->max_include_depth)
        return raise_message(kMessageError, -117, kMsgIncludeNesting);

    // an include file kept unchanged in the batch needs no descriptor
    std::shared_ptr<KeptFile> kept;
    if (!g_analysis.include_stack.empty() || g_analysis.current.handle >= 0) kept = unchanged_kept_file(path);
    if (kept && kept->read_error) kept.reset();
    int handle = kept ? kKeptHandle : open_tracked_file(path, "rb");
    if (handle < 0) {
        // whether it opens another time is not known
        spoil_whole_readings();
        if (errno == EMFILE) {
            close_all_source_files();
            return raise_message(kMessageError, kCodeTooManyFiles, kMsgTooManyFiles);
        }
        return 0;
    }

    if (g_analysis.current.handle < 0 && g_analysis.include_stack.empty()) {
        ++kept_files().run;
        get_directory_part(path, g_analysis.source_directory);
        if (g_analysis.source_directory == ".\\" || g_analysis.source_directory.size() == 2) {
            // no folder in the name: the current one, as an empty prefix
            if (find_last_path_separator(path) < 0) g_analysis.source_directory.clear();
        }
    } else {
        g_analysis.include_stack.push_back(std::move(g_analysis.current));
    }
    SourceFile file;
    file.handle = handle;
    file.name = path;
    file.line_number = 0;
    file.conditional_base = g_analysis.cond_depth;
    file.size = kept ? kept->size : crt_filelength(handle);
    if (file.size < 0) file.size = 0;
    file.messages_at_open = g_analysis.messages_met;
    if (!g_analysis.include_stack.empty()) {
        if (kept) file.kept = std::move(kept);
        else attach_kept_file(file);
        if (noting_whole_readings())
            note_whole_file(file.name, file.kept && !file.kept->read_error ? file.kept : nullptr);
    }
    if (file.kept && !file.kept->read_error) attach_trace(file);
    g_analysis.current = std::move(file);
    announce_file(g_analysis.current.name);
    return kCodeOk;
}

int close_source_file() {
    if (g_analysis.current.handle < 0) return raise_message(kMessageError, -127, kMsgFileNotOpen);
    if (g_analysis.current.handle != kKeptHandle) close_tracked_file(g_analysis.current.handle);
    if (!g_analysis.include_stack.empty()) {
        int result = kCodeOk;
        if (g_analysis.cond_depth > g_analysis.current.conditional_base) {
            int r = raise_warning(-125, kMsgMissingEndif);
            if (r < -99) result = r;
        }
        g_analysis.current = std::move(g_analysis.include_stack.back());
        g_analysis.include_stack.pop_back();
        announce_file(g_analysis.current.name);
        return result;
    }
    g_analysis.current.handle = -1;
    g_analysis.current.size = 0;
    g_analysis.current.bytes_read = 0;
    g_analysis.current.read_ahead.clear();
    g_analysis.current.read_pos = 0;
    g_analysis.current.kept.reset();
    return kCodeOk;
}

int close_all_source_files() {
    drop_whole_readings();
    int result = kCodeOk;
    while (!g_analysis.include_stack.empty()) {
        if (g_analysis.current.handle >= 0 && g_analysis.current.handle != kKeptHandle &&
            close_tracked_file(g_analysis.current.handle) != 0)
            result = kCodeCannotWrite;
        g_analysis.current = std::move(g_analysis.include_stack.back());
        g_analysis.include_stack.pop_back();
    }
    return result;
}

// --- lines ------------------------------------------------------------------------

bool read_physical_line(std::string& out, int size) {
    int64_t raw = 0;
    return take_physical_line(g_analysis.current, out, size, raw);
}

bool read_raw_line(std::string& out, int size, int64_t& bytes_read) {
    return raw_line_from(g_analysis.current, out, size, bytes_read);
}

bool read_logical_line(std::string& out, int size, int64_t& bytes_read, int& physical_lines, int& code) {
    return logical_line_from(g_analysis.current, out, size, bytes_read, physical_lines, code);
}

bool read_source_line(std::string& out, int size, int64_t& bytes_read, int& code) {
    int lines = 0;
    std::string raw;
    if (!read_logical_line(raw, size, bytes_read, lines, code)) return false;
    if (expand_tabs_bounded(out, raw, 0, g_analysis.settings.tab_width, size) == 0)
        expand_tabs_bounded(out, raw, 0, 1, size);
    return true;
}

int read_next_char() {
    SourceFile& file = g_analysis.current;
    if (file.read_pos >= buffer_of(file).size() && !fill_read_ahead(file)) return -1;
    unsigned char c = static_cast<unsigned char>(buffer_of(file)[file.read_pos++]);
    ++file.bytes_read;
    return c;
}

int get_progress_permille() {
    const SourceFile& top = g_analysis.include_stack.empty() ? g_analysis.current : g_analysis.include_stack[0];
    if (top.size <= 0) return 1000;  // an empty source is read as soon as it is opened
    int64_t position = top.bytes_read >= top.size - 1 ? top.size : top.bytes_read;
    return static_cast<int>(position * 1000 / top.size);
}

// --- comments -------------------------------------------------------------------------

int split_comment(std::string& line, std::string& comment) {
    comment.clear();
    const int start_state = g_analysis.in_comment;
    g_analysis.line_start_in_comment = start_state;
    g_analysis.split_kept = nullptr;
    if (line.empty()) return kCodeOk;

    // a line of a kept file is split once per batch
    bool found = false;
    KeptLine* kept = kept_line(start_state, found);
    if (found) {
        line.assign(kept->code);
        comment.assign(kept->comment);
        g_analysis.in_comment = kept->end_state;
        g_analysis.split_kept = kept;
        return kCodeOk;
    }
    const int messages = g_analysis.messages_met;
    const int result = split_fresh_line(line, comment, start_state);
    if (kept != nullptr) {
        if (result == kCodeOk && messages == g_analysis.messages_met) {
            kept->code = line;
            kept->comment = comment;
            kept->end_state = g_analysis.in_comment;
            g_analysis.split_kept = kept;
        } else {
            g_analysis.line_file->lines.erase(static_cast<uint64_t>(g_analysis.line_start) * 2 + (start_state != 0 ? 1 : 0));
        }
    }
    return result;
}

namespace {

int split_fresh_line(std::string& line, std::string& comment, int start_state) {
    const int size = g_analysis.profile->line_size;
    if (line.find('\t') != std::string::npos) {
        std::string& expanded = g_analysis.scratch.expanded;
        // a TAB counts one blank where the line does not fit expanded; a
        // continued line longer than the buffer is kept whole that way
        if (expand_tabs_in_source(expanded, line, start_state, g_analysis.settings.tab_width, size) == 0)
            expand_tabs_in_source(expanded, line, start_state, 1, std::max(size, static_cast<int>(line.size()) + 1));
        line.swap(expanded);
    }

    // a line inside a comment that does not end there is all comment
    if (start_state != 0 && line.find("*/") == std::string::npos) {
        comment.swap(line);
        return kCodeOk;
    }

    // most lines hold no comment and no literal: nothing to mark
    if (start_state == 0 && g_analysis.asm_statement_open == 0 && g_analysis.asm_block_depth == 0) {
        // every comment start or end holds a "/"; a "*" alone is code
        const auto holds = [&](char c) { return std::memchr(line.data(), c, line.size()) != nullptr; };
        bool plain = !holds('/') && !holds('"') && !holds('\'');
        const bool semicolon = plain && holds(';');
        if (plain && semicolon && g_analysis.settings.asm_setting == 1 && first_token_is_asm(line, 0)) plain = false;
        if (plain) {
            trim_trailing_blanks(line);
            trim_leading_blanks(line);
            if (!line.empty() && line[0] == '#') line.erase(1, static_cast<size_t>(skip_blanks(line, 1) - 1));
            return kCodeOk;
        }
    }

    const bool asm_line = g_analysis.settings.asm_setting == 1 &&
                          (first_token_is_asm(line, start_state) || g_analysis.asm_statement_open != 0 ||
                           g_analysis.asm_block_depth > 0);
    int result = kCodeOk;
    // the walk notes the comments as ranges of the line, in order; what lies
    // between them is code (literals included)
    std::vector<CommentRange>& ranges = g_analysis.scratch.comment_ranges;
    ranges.clear();
    int in_comment = start_state;
    int opened = 0;  // where the open comment began
    const auto close_range = [&](int to) {
        if (!ranges.empty() && ranges.back().to == opened) ranges.back().to = to;
        else ranges.push_back({opened, to});
    };
    int i = 0;
    while (i < static_cast<int>(line.size())) {
        int n = static_cast<int>(line.size());
        if (in_comment) {
            // no byte of a double-byte character is "*" or "/": the end of
            // the comment can be searched for directly
            size_t close = line.find("*/", static_cast<size_t>(i));
            if (close == std::string::npos) break;
            i = static_cast<int>(close) + 2;
            close_range(i);
            in_comment = 0;
            continue;
        }
        // bytes that start nothing are passed over a run at a time
        while (i < n && !kSplitStop[static_cast<unsigned char>(line[static_cast<size_t>(i)])]) ++i;
        if (i >= n) break;
        unsigned char c = static_cast<unsigned char>(line[i]);
        unsigned char d = byte_at(line, i + 1);
        if (asm_line && c == ';') {
            line.insert(static_cast<size_t>(i) + 1, "/*;");
            line += "*/";
            opened = i + 1;
            close_range(static_cast<int>(line.size()));
            break;
        }
        if (c == '/' && d == '/') {
            line[i + 1] = '*';
            line += "*/";
            opened = i;
            close_range(static_cast<int>(line.size()));
            break;
        }
        // "*/*" and "*//" are a "*" followed by a comment, not a stray end
        const unsigned char after = byte_at(line, i + 2);
        if (c == '*' && d == '/' && after != '*' && after != '/') {
            if (region_active()) {
                int r = raise_message(kMessageError, -119, kMsgStrayCommentEnd);
                line.clear();
                comment.clear();
                g_analysis.in_comment = 0;
                return r < -99 ? r : -119;
            }
            int r = raise_warning(-119, kMsgStrayCommentEnd);
            if (r < -99) return r;
            i += 2;
            continue;
        }
        if (c == '"' || c == '\'') {
            int end = literal_end(line, i, c == '"');
            if (end < 0) {
                int r = raise_message(kMessageError, -112, kMsgUnmatchedQuote);
                if (r < -99) return r;
                result = -112;
                i = n;
            } else {
                i = end;
            }
            continue;
        }
        if (c == '/' && d == '*') {
            opened = i;
            i += 2;
            in_comment = 1;
            continue;
        }
        i += is_dbcs_at(line, i) ? 2 : 1;
    }
    if (in_comment) close_range(static_cast<int>(line.size()));
    g_analysis.in_comment = in_comment;

    // the gaps around the ranges hold the code: gap k ends where range k
    // begins; its first and last byte that is not a blank bound the code
    const int n = static_cast<int>(line.size());
    const int gaps = static_cast<int>(ranges.size()) + 1;
    const auto gap_from = [&](int k) { return k == 0 ? 0 : ranges[static_cast<size_t>(k - 1)].to; };
    const auto gap_to = [&](int k) { return k < gaps - 1 ? ranges[static_cast<size_t>(k)].from : n; };
    const std::string_view text(line);
    int first_code = -1, first_gap = 0, last_code = -1, last_gap = 0;
    for (int k = 0; k < gaps && first_code < 0; ++k) {
        const size_t at = text.substr(0, static_cast<size_t>(gap_to(k))).find_first_not_of(' ', static_cast<size_t>(gap_from(k)));
        if (at != std::string_view::npos) first_code = static_cast<int>(at), first_gap = k;
    }
    for (int k = gaps - 1; k >= first_gap && first_code >= 0; --k) {
        const size_t at = text.substr(0, static_cast<size_t>(gap_to(k))).find_last_not_of(' ');
        if (at != std::string_view::npos && static_cast<int>(at) >= gap_from(k)) {
            last_code = static_cast<int>(at), last_gap = k;
            break;
        }
    }
    const auto take_ranges = [&](int from, int to) {
        for (int k = from; k < to; ++k) {
            const CommentRange& r = ranges[static_cast<size_t>(k)];
            comment.append(line, static_cast<size_t>(r.from), static_cast<size_t>(r.to - r.from));
        }
    };
    std::string& code = g_analysis.scratch.code;
    code.clear();
    if (first_code < 0) {
        take_ranges(0, gaps - 1);
    } else {
        // the comments inside the code are dropped (an _asm line keeps a blank)
        take_ranges(0, first_gap);
        for (int k = first_gap; k <= last_gap; ++k) {
            if (k > first_gap && asm_line) code += ' ';
            const int from = k == first_gap ? first_code : gap_from(k);
            const int to = k == last_gap ? last_code + 1 : gap_to(k);
            code.append(line, static_cast<size_t>(from), static_cast<size_t>(to - from));
        }
        take_ranges(last_gap, gaps - 1);
    }
    trim_trailing_blanks(code);
    if (!code.empty() && code[0] == '#') {
        int after = skip_blanks(code, 1);
        code.erase(1, static_cast<size_t>(after - 1));
    }
    line.swap(code);
    return result;
}

}  // namespace

// --- includes ---------------------------------------------------------------------------

int include_kind(std::string_view line) {
    int i = directive_operand(line, "include");
    if (i < 0) return 0;
    if (byte_at(line, i) == '<') return 1;
    if (byte_at(line, i) == '"') return 2;
    return 0;
}

int handle_include_directive(std::string_view line, std::string& name) {
    int kind = include_kind(line);
    if (kind == 0) return 0;
    int i = directive_operand(line, "include");
    char close = kind == 1 ? '>' : '"';
    int start = i + 1;
    int end = start;
    while (end < static_cast<int>(line.size()) && line[end] != close) end += is_dbcs_at(line, end) ? 2 : 1;
    if (end >= static_cast<int>(line.size())) return raise_message(kMessageError, -114, kMsgIncludeSyntax);
    name.assign(line.substr(start, end - start));
    trim_leading_blanks(name);
    trim_trailing_blanks(name);
    if (name.empty()) return raise_message(kMessageError, -114, kMsgIncludeSyntax);
    return 1;
}

namespace {
bool is_absolute_path(const std::string& name) {
    return !name.empty() && (name[0] == '/' || name[0] == '\\');
}
bool can_open(const std::string& path) { return crt_can_read(path.c_str()); }
}  // namespace

bool read_include_path(std::string& name) {
    const char* env = crt_getenv("INCLUDE");
    std::string dirs = env != nullptr ? env : "/usr/include";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t semi = dirs.find(';', start);
        std::string dir = dirs.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        trim_leading_blanks(dir);
        trim_trailing_blanks(dir);
        if (!dir.empty()) {
            int n = static_cast<int>(dir.size());
            bool has_separator = (dir[n - 1] == '\\' && dbcs_kind_at(dir, n - 1) != 2) || dir[n - 1] == '/';
            std::string candidate = dir + (has_separator ? "" : "\\") + name;
            if (can_open(candidate)) {
                name = candidate;
                return true;
            }
        }
        if (semi == std::string::npos) break;
        start = semi + 1;
    }
    return false;
}

// A name is looked for once a run; its answer serves every later #include.
// The key is the kind ('1' <...>, '2' "...") and the name as written.
const std::string& include_answer(const std::string& key) {
    auto answer = g_analysis.include_answers.find(key);
    if (answer == g_analysis.include_answers.end()) {
        const std::string written = key.substr(1);
        std::string path;
        bool found = false;
        // a quoted name found beside the source in the batch needs no look
        // while the file it found stays as it was read
        const bool beside = key[0] == '2';
        const std::string batch_key = g_analysis.source_directory + '\n' + key;
        KeptFiles& files = kept_files();
        if (beside) {
            auto kept = files.answers.find(batch_key);
            found = kept != files.answers.end() && unchanged_kept_file(kept->second) != nullptr;
            if (found) path = kept->second;
        }
        if (beside && !found) {
            path = is_absolute_path(written) ? written : g_analysis.source_directory + written;
            found = can_open(path);
            if (found && crt_listing_scope_number() != 0) files.answers[batch_key] = path;
        }
        if (!found) {
            path = written;
            found = is_absolute_path(written) ? can_open(path) : read_include_path(path);
        }
        answer = g_analysis.include_answers.emplace(key, found ? std::move(path) : std::string{}).first;
    }
    if (noting_whole_readings()) note_whole_answer(key, answer->second);
    return answer->second;
}

int find_include_file(std::string& line) {
    int kind = include_kind(line);
    if (kind == 0) return kCodeOk;
    int mode = kind == 1 ? g_analysis.settings.include_mode_angle : g_analysis.settings.include_mode_quoted;
    if (mode == 0) return kCodeOk;
    // what it finds depends on the folders and the guards met: no trace holds it
    g_analysis.trace_untracked = true;
    std::string written;
    int r = handle_include_directive(line, written);
    if (r != 1) return r;

    std::string key(1, static_cast<char>('0' + kind));
    key += written;
    const std::string& path = include_answer(key);
    if (path.empty()) {
        if (mode == 2 || mode == 4) return raise_warning(-118, kMsgNoIncludeFile, written);
        return kCodeOk;
    }
    // a header read whole inside its guard, whose guard still holds, would
    // read as nothing: it is not opened again (unless opening it would fail)
    if (noting_whole_readings()) {
        note_whole_guard_asked(path);
        note_whole_reach();
    }
    auto guard = g_analysis.guarded_headers.find(path);
    if (guard != g_analysis.guarded_headers.end() && find_macro(guard->second) != nullptr &&
        static_cast<int>(g_analysis.include_stack.size()) < g_analysis.profile->max_include_depth)
        return kCodeOk;
    r = open_source_file(path.c_str());
    return r == 0 ? kCodeOk : r;
}

// --- ignore list ----------------------------------------------------------------------------

int add_ignored_name(std::string_view name) {
    g_analysis.ignore_list.emplace_back(name);
    return kCodeOk;
}

int is_ignored_name(std::string_view name) {
    for (const std::string& n : g_analysis.ignore_list)
        if (n == name) return 1;
    return 0;
}

int read_ignore_file(const char* name) {
    int handle = open_tracked_file(name, "rb");
    if (handle < 0) return raise_message(kMessageError, -110, kMsgIgnoreFile, name);
    SourceFile file;
    file.handle = handle;
    std::string raw, line;
    int64_t bytes = 0;
    int lines = 0, code = kCodeOk;
    const int size = g_analysis.profile->line_size;
    int result = kCodeOk;
    while (logical_line_from(file, raw, size, bytes, lines, code)) {
        if (expand_tabs_bounded(line, raw, 0, g_analysis.settings.tab_width, size) == 0)
            expand_tabs_bounded(line, raw, 0, 1, size);
        strip_newline(line);
        if (line.empty() || line[0] == ' ' || line[0] == '#') continue;
        size_t blank = line.find(' ');
        if (blank != std::string::npos) line.resize(blank);
        result = add_ignored_name(line);
        if (result < -49) break;
    }
    if (code < -99) result = code;
    close_tracked_file(handle);
    return result;
}

// --- the line source -------------------------------------------------------------------------

namespace {
// The last steps of a line that goes on to the scanner: its control macros
// expanded, an #include dropped when asked. 1, or the code that stops.
int hand_on(std::string& code, int size) {
    if (g_analysis.settings.control_macro_mode != 0) {
        g_analysis.line_expanded = 1;
        int r = expand_control_macros(code, size);
        if (r < -99 && r != -132) return r;
    }
    int kind = byte_at(code, skip_blanks(code, 0)) == '#' ? include_kind(code) : 0;
    if (kind != 0) {
        int mode = kind == 1 ? g_analysis.settings.include_mode_angle : g_analysis.settings.include_mode_quoted;
        if (mode == 3 || mode == 4) code.clear();
    }
    return 1;
}
}  // namespace

int next_source_line(int& include_depth, std::string& code, std::string& comment, int& line_number) {
    const int size = g_analysis.profile->line_size;
    for (;;) {
        include_depth = static_cast<int>(g_analysis.include_stack.size());
        int lines = 0, read_code = kCodeOk;
        SourceFile& file = g_analysis.current;
        if (file.handle < 0) return -1;
        // a header whose first line is asked for at the start of a unit may
        // be entered whole
        if (!file.whole_tried && file.kept && !g_analysis.include_stack.empty()) {
            file.whole_tried = true;
            const int whole = g_analysis.unit_start_read ? enter_header_whole(file) : 0;
            if (whole < -99) return whole;
            if (whole == 1) continue;
        }
        if (file.trace != nullptr) {
            const int replayed = replay_line(file, code, comment);
            if (replayed != -1) {
                line_number = file.line_number;
                if (replayed == 0) continue;
                return replayed;
            }
        }
        LineTracer tracer(file);
        const size_t line_start = file.read_pos;
        bool got = logical_line_from(file, code, size, file.bytes_read, lines, read_code);
        g_analysis.current.line_number += lines;
        line_number = g_analysis.current.line_number;
        if (read_code < -99) return read_code;
        if (got) {
            if (line_hook_enabled()) show_line_progress(line_number);
            strip_newline(code);
            // a line of a kept file starts at the same place each time it is read
            g_analysis.line_file = file.kept.get();
            g_analysis.line_start = line_start;
            int r = split_comment(code, comment);
            g_analysis.line_file = nullptr;
            const bool directive = g_analysis.line_start_in_comment == 0 && byte_at(code, skip_blanks(code, 0)) == '#';
            if (TraceLine* traced = g_analysis.trace_capture) {
                tracer.note_split(file, lines);
                traced->split_after = static_cast<int8_t>(g_analysis.in_comment);
                traced->directive = directive;
            }
            if (directive && noting_whole_readings()) note_whole_directive();
            // an unclosed literal is reported and the line read on
            if (r < -99 && r != -112) return r;
            // an include file's lines tell whether it is wholly guarded
            const int depth_before = g_analysis.cond_depth;
            const size_t files_before = g_analysis.include_stack.size();
            const bool watched = files_before > 0 && g_analysis.current.guard_watch != kGuardNone;
            if (watched) {
                // of a line that is no directive only whether it holds code counts
                const int first = skip_blanks(code, 0);
                std::string& watched_line = g_analysis.guard_line;
                if (byte_at(code, first) == '#') {
                    watched_line.assign(code);
                } else {
                    watched_line.clear();
                    if (first < static_cast<int>(code.size())) watched_line.push_back(';');
                }
            }
            // a directive of a kept line may re-enter what it defined before
            g_analysis.line_kept = g_analysis.split_kept;
            int keep = push_conditional(code, comment, 1);
            g_analysis.line_kept = nullptr;
            if (noting_whole_readings()) note_whole_reach();
            if (keep < -99) return keep;
            if (watched) {
                // an #include there has made its header the current file
                SourceFile& holder = g_analysis.include_stack.size() > files_before ? g_analysis.include_stack.back()
                                                                                   : g_analysis.current;
                watch_guard(holder, g_analysis.guard_line, depth_before, g_analysis.cond_depth);
            }
            if (g_analysis.cond_depth < g_analysis.current.conditional_base) {
                int w = raise_warning(-126, kMsgUnmatchedEndif);
                if (w < -99) return w;
                g_analysis.current.conditional_base = g_analysis.cond_depth;
            }
            if (keep == 1) {
                const int r = hand_on(code, size);
                if (r != 1) return r;
                tracer.finish(g_analysis.current, true, code, comment);
                return 1;
            }
            tracer.finish(g_analysis.current, false, code, comment);
            continue;
        }
        if (g_analysis.current.read_error) {
            g_analysis.current.read_error = false;
            return raise_message(kMessageError, kCodeReadError, kMsgCannotRead, g_analysis.current.name);
        }
        if (!g_analysis.include_stack.empty()) {
            remember_guarded_header(g_analysis.current);
            const KeptFile* closing = g_analysis.current.kept.get();
            int r = close_source_file();
            if (r < -99) return r;
            if (noting_whole_readings()) end_whole_reading(closing);
            continue;
        }
        if (g_analysis.cond_depth > 0 && g_analysis.end_reported == 0) {
            g_analysis.end_reported = 1;
            return raise_message(kMessageError, -116, kMsgMissingEndif);
        }
        return -1;
    }
}
