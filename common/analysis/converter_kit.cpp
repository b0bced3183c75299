#include "common/analysis/converter_kit.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <unordered_map>

#include "common/analysis/line_reader.h"
#include "common/analysis/messages.h"
#include "common/analysis/option_numbers.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/result_files.h"
#include "common/analysis/support.h"
#include "common/analysis/text_utils.h"
#include "platform/kernel/file_io.h"

// NOTARIX reads "a:b[:[c][:d]]", GRAVLET "a:b[:c[:d]]", ORBALINE
// "[a[:b[:c[:d]]]]"; GRAVLET and ORBALINE cut their control lines to a
// 1024-byte buffer.
const ConverterProfile kNotarixConverter = {
    .analysis = &kNotarixAnalysis,
    .counter = {.fields_required = 2, .width_may_be_empty = true},
    .include_option_may_be_empty = true,
    .control_line_limit = 0,
};
const ConverterProfile kGravletConverter = {
    .analysis = &kGravletAnalysis,
    .counter = {.fields_required = 2, .width_may_be_empty = false},
    .include_option_may_be_empty = false,
    .control_line_limit = 1023,
};
const ConverterProfile kOrbalineConverter = {
    .analysis = &kOrbalineAnalysis,
    .counter = {.fields_required = 1, .width_may_be_empty = false},
    .include_option_may_be_empty = true,
    .control_line_limit = 1023,
};

// --- the run's frame ------------------------------------------------------------

void begin_converter_run(const ConverterProfile& profile) {
    const int pool_limit = g_analysis.pool_fail_after;
    reset_analysis_state(*profile.analysis);
    g_analysis.pool_fail_after = pool_limit;
    // a run looks up many names in the same few folders: each is listed once
    crt_begin_listing_scope();
}

void end_converter_run() {
    close_error_file();
    close_all_source_files();
    if (g_analysis.current.handle >= 0) close_source_file();
    g_analysis.hooks = AnalysisHooks{};
    // what the run left under its work names goes (under a hold, at its end)
    release_work_files();
    free_pool();
    crt_end_listing_scope();
    // a run outside a batch keeps nothing once it is done
    if (crt_listing_scope_number() == 0) forget_kept_files();
}

int status_after_error_file(int status, int done, int warnings, int write_failure) {
    if (g_analysis.error_file_failed != 0 && (status == done || status == warnings)) return write_failure;
    return status;
}

// --- counter option -------------------------------------------------------------

namespace {

// The numbers of a counter element in the order they are written, with the
// range each is clamped to.
struct CounterField {
    int CounterOption::*value;
    int low;
    int high;
};
constexpr CounterField kCounterFields[4] = {
    {&CounterOption::first, 0, 99},
    {&CounterOption::second, 0, 199},
    {&CounterOption::width, 1, 60},
    {&CounterOption::step, 1, 100},
};
constexpr int kWidthField = 2;

}  // namespace

bool parse_counter_option(std::string_view rest, const CounterGrammar& grammar, CounterOption& counter) {
    counter = CounterOption{};
    counter.mode = 1;
    if (!rest.empty() && (rest[0] == 'h' || rest[0] == 'f')) {
        counter.mode = rest[0] == 'h' ? 2 : 3;
        rest.remove_prefix(1);
    }
    if (rest.empty()) return true;
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const int value = read_number(rest, pos);
        if (value >= 0) {
            counter.*kCounterFields[i].value = clamp_int(value, kCounterFields[i].low, kCounterFields[i].high);
        } else if (!(i == kWidthField && grammar.width_may_be_empty)) {
            return false;
        }
        if (pos == rest.size()) return i + 1 >= grammar.fields_required;
        if (rest[pos] != ':') return false;
        ++pos;
    }
    return false;
}

// As "%*d" (after the letter) would print it: made for every line of a run
// that shows its progress, so without the cost of a format.
std::string counter_text(const CounterOption& counter, char letter, int value) {
    char digits[16];
    const size_t length = static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    const int width = counter.mode == 1 ? counter.width : counter.width > 1 ? counter.width - 1 : 0;
    std::string text;
    if (counter.mode != 1) text += letter;
    if (width > static_cast<int>(length)) text.append(static_cast<size_t>(width) - length, ' ');
    text.append(digits, length);
    return text;
}

bool counter_due(const CounterOption& counter, int line, int force) {
    return force == 1 || (line - 1) % counter.step == 0;
}

// --- options handed to the analysis --------------------------------------------

bool parse_include_option(std::string_view rest, const ConverterProfile& profile, AnalysisOptions& options) {
    static constexpr int kHighest[3] = {2, 2, 1};
    if (rest.size() > 3 || (rest.empty() && !profile.include_option_may_be_empty)) return false;
    for (size_t i = 0; i < rest.size(); ++i)
        if (!is_digit(rest[i]) || rest[i] - '0' > kHighest[i]) return false;
    int* const targets[3] = {&options.include_quoted, &options.include_angle, &options.asm_handling};
    for (size_t i = 0; i < rest.size(); ++i) *targets[i] = rest[i] - '0';
    return true;
}

void apply_analysis_options(const AnalysisOptions& options, const CounterOption& counter) {
    AnalysisSettings& a = g_analysis.settings;
    a.include_mode_quoted = options.include_quoted;
    a.include_mode_angle = options.include_angle;
    a.asm_setting = options.asm_handling;
    a.control_macro_mode = options.macro_level;
    a.conditional_mode = options.conditional_mode;
    a.verbosity = options.verbosity;
    a.progress_flag = counter.on() ? 1 : 0;
}

// --- "-D" macros ----------------------------------------------------------------

std::vector<std::string_view> macro_option_texts(int argc, char** argv) {
    std::vector<std::string_view> texts;
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        if (argv[i] == nullptr) continue;
        std::string_view element(argv[i]);
        if (element.size() > 2 && element.substr(0, 2) == "-D") texts.push_back(element.substr(2));
    }
    return texts;
}

int define_macro_options(const std::vector<std::string_view>& texts) {
    int failure = kCodeOk;
    for (std::string_view text : texts) {
        const size_t eq = text.find('=');
        const std::string_view name = text.substr(0, eq);
        if (name.empty()) continue;
        const std::string_view body = eq == std::string_view::npos ? std::string_view{} : text.substr(eq + 1);
        const int r = define_macro(name, body);
        if (r > -50) continue;
        if (r == kCodeNoMemory || r == kCodeNoMemoryConverter) {
            failure = kCodeNoMemoryConverter;
        } else if (r == kCodeCannotWrite) {
            g_analysis.failing_file_number = get_file_number(g_analysis.error_file.c_str());
            failure = kCodeCannotWrite;
        } else {
            failure = -100;
        }
    }
    return failure;
}

// --- control files --------------------------------------------------------------

bool can_read_file(const std::string& path) { return can_open_for_reading(path.c_str()); }

bool read_control_text(const std::string& path, std::string& content, size_t limit) {
    content.clear();
    int handle = open_tracked_file(path.c_str(), "r");
    if (handle < 0) return false;
    char block[8192];
    bool ok = true;
    for (;;) {
        const int got = crt_read(handle, block, sizeof block);
        if (got < 0) ok = false;
        if (got <= 0) break;
        if (content.size() + static_cast<size_t>(got) > limit) {
            ok = false;
            break;
        }
        content.append(block, static_cast<size_t>(got));
    }
    close_tracked_file(handle);
    return ok;
}

bool for_each_control_line(const std::string& path, const ConverterProfile& profile,
                           const std::function<bool(std::string&)>& take) {
    const size_t limit = profile.control_line_limit > 0 ? profile.control_line_limit : LineReader::kMaxLineBytes;
    LineReader reader(limit);
    if (!reader.open(path.c_str()) || reader.file_size() > static_cast<int64_t>(kControlFileLimit)) return false;
    std::string line;
    while (reader.next(line))
        if (!take(line)) return true;
    return !reader.failed();
}

namespace {

// A control file's lines as a batch read them (one listing scope), kept while
// its size and times stay: a keyword file is read once a batch, not once a
// source.
struct KeptControlFile {
    int64_t size = 0, modified = 0, changed = 0;
    size_t limit = 0;
    bool read = false;
    std::vector<std::string> lines;
};

struct KeptControlFiles {
    unsigned scope = 0;
    std::unordered_map<std::string, KeptControlFile> by_path;
};

KeptControlFiles& kept_control_files() {
    static KeptControlFiles files;
    return files;
}

bool read_control_lines_afresh(const std::string& path, const ConverterProfile& profile,
                               std::vector<std::string>& lines) {
    lines.clear();
    const bool read = for_each_control_line(path, profile, [&](std::string& line) {
        lines.push_back(std::move(line));
        return true;
    });
    if (!read) lines.clear();
    return read;
}

}  // namespace

bool read_control_lines(const std::string& path, const ConverterProfile& profile, std::vector<std::string>& lines) {
    const unsigned scope = crt_listing_scope_number();
    KeptControlFile now;
    if (scope == 0 || !crt_path_stamp(path.c_str(), now.size, now.modified, now.changed))
        return read_control_lines_afresh(path, profile, lines);
    KeptControlFiles& kept = kept_control_files();
    if (kept.scope != scope) {
        kept.by_path.clear();
        kept.scope = scope;
    }
    now.limit = profile.control_line_limit;
    auto found = kept.by_path.find(path);
    if (found != kept.by_path.end()) {
        const KeptControlFile& k = found->second;
        if (k.size == now.size && k.modified == now.modified && k.changed == now.changed && k.limit == now.limit) {
            lines = k.lines;
            return k.read;
        }
    }
    now.read = read_control_lines_afresh(path, profile, lines);
    now.lines = lines;
    kept.by_path[path] = std::move(now);
    return kept.by_path[path].read;
}

bool split_keyword_line(std::string_view line, bool key_to_equals, std::string& key, std::string& value) {
    if (line.empty() || is_identifier_start(static_cast<unsigned char>(line[0])) == 0) return false;
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    const int key_end = skip_identifier(line, 0);
    int eq = skip_blanks(line, key_end);
    if (byte_at(line, eq) == '=') {
        key.assign(line.substr(0, static_cast<size_t>(key_end)));
    } else {
        if (!key_to_equals || (eq = find_char(line, '=')) < 0) return false;
        std::string_view before = line.substr(0, static_cast<size_t>(eq));
        while (!before.empty() && before.back() == ' ') before.remove_suffix(1);
        key.assign(before);
    }
    const int value_start = skip_blanks(line, eq + 1);
    if (value_start >= static_cast<int>(line.size())) return false;
    value.assign(line.substr(static_cast<size_t>(value_start)));
    return true;
}

// --- names of a run -------------------------------------------------------------

namespace {

// The last component of a name with ASCII letters in one case: the disk
// form of a name not there keeps its last component as written, or takes
// an entry's that differs from it in case alone.
std::string folded_last_component(const std::string& name) {
    std::string last = base_name_of(name);
    for (char& c : last)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return last;
}

// A name of a run as the disk knows it; the identity is looked up once.
struct NamedFile {
    const std::string* name;
    bool exists = false;
    uint64_t device = 0, inode = 0;
    std::string last;  // of a name not there: its folded last component
    explicit NamedFile(const std::string& n) : name(&n) {
        exists = !n.empty() && crt_file_identity(n.c_str(), device, inode);
        if (!exists) last = folded_last_component(n);
    }
};

bool same_file(const NamedFile& a, const NamedFile& b) {
    if (a.exists && b.exists) return a.device == b.device && a.inode == b.inode;
    // a file that is there and one still to be made are two files
    if (a.exists != b.exists) return false;
    // names that end differently are two files without a look at the disk
    if (a.last != b.last) return false;
    // neither is made yet: the names themselves decide, and two entries of
    // other names are never one (folders are followed only when needed)
    namespace fs = std::filesystem;
    const fs::path pa = resolve_platform_path(a.name->c_str()), pb = resolve_platform_path(b.name->c_str());
    // a name with no disk form is compared as written
    if (pa.empty() || pb.empty()) return *a.name == *b.name;
    if (pa.filename() != pb.filename()) return false;
    std::error_code error;
    return fs::weakly_canonical(fs::absolute(pa, error), error) == fs::weakly_canonical(fs::absolute(pb, error), error);
}

}  // namespace

namespace {

std::vector<NamedFile> named_files(const std::vector<std::string>& names) {
    std::vector<NamedFile> files;
    for (const std::string& name : names)
        if (!name.empty()) files.emplace_back(name);
    return files;
}

// The first input one of the outputs reaches, or nullptr.
const NamedFile* first_input_reached(const std::vector<std::string>& outputs, const std::vector<NamedFile>& inputs) {
    for (const NamedFile& out : named_files(outputs))
        for (const NamedFile& in : inputs)
            if (same_file(out, in)) return &in;
    return nullptr;
}

}  // namespace

bool names_reach_inputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs) {
    return first_input_reached(outputs, named_files(inputs)) != nullptr;
}

bool check_names_against_inputs(const std::vector<std::string>& outputs, const std::vector<std::string>& inputs,
                                bool fresh_error_file) {
    const std::vector<NamedFile> ins = named_files(inputs);
    const NamedFile* reached = first_input_reached(outputs, ins);
    if (reached == nullptr) return true;
    const std::string& error_file = g_analysis.error_file;
    if (error_file.empty()) return false;
    const NamedFile error(error_file);
    for (const NamedFile& other : ins)
        if (same_file(error, other)) return false;
    if (fresh_error_file) delete_file(error_file.c_str());
    report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, *reached->name);
    return false;
}

bool claim_work_names(const std::vector<std::string>& work_names, bool fresh_error_file) {
    for (const std::string& name : work_names) {
        if (name.empty() || claim_work_file(name) == WorkClaim::kClaimed) continue;
        for (const std::string& claimed : work_names) {
            if (claimed == name) break;
            if (!claimed.empty()) discard_work_files({{claimed, {}}});
        }
        if (fresh_error_file && !g_analysis.error_file.empty()) delete_file(g_analysis.error_file.c_str());
        g_analysis.failing_file_number = get_file_number(name.c_str());
        report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, name);
        return false;
    }
    return true;
}

// --- texts ----------------------------------------------------------------------

std::vector<std::string_view> split_at_top_level_commas(std::string_view text) {
    std::vector<unsigned char> map;
    mark_literals(text, map);
    std::vector<std::string_view> parts;
    int depth = 0;
    size_t from = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (map[i] != 0) continue;
        const char c = text[i];
        if (c == '(' || c == '[' || c == '{') ++depth;
        if (c == ')' || c == ']' || c == '}') --depth;
        if (c == ',' && depth == 0) {
            parts.push_back(text.substr(from, i - from));
            from = i + 1;
        }
    }
    parts.push_back(text.substr(from));
    return parts;
}

std::string base_name_of(const std::string& path) {
    const int cut = find_last_path_separator(path.c_str());
    return cut >= 0 ? path.substr(static_cast<size_t>(cut) + 1) : path;
}
