#include "notarix/formatter/nx1012.h"

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "common/analysis/converter_host.h"
#include "common/analysis/converter_kit.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "notarix/formatter/formatter_state.h"
#include "notarix/formatter/lin_writer.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/sjis_text.h"

namespace {

FormatterState g_formatter;
bool g_fail_block = false;


constexpr auto& kGenerateOperation = "生成"_sjis;

constexpr auto& kOutputErrorFormat = "ファイル出力エラー(%s)。"_sjis;
constexpr int kMsgFileNotFound = 8;
constexpr char kDefaultCommonFile[] = "nx1000.css";
constexpr char kDefaultFormFile[] = "nx1000.fms";

// A base name's result: go on with the next element, or stop the walk.
struct BaseResult {
    int status;
    bool stop;
};

void show_box(const std::string& text) {
    host_show_message(text.c_str(), make_box_caption(kGenerateOperation).c_str());
}

std::string in_program_directory(const char* name) {
    std::string dir = host_program_directory();
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir + name;
}

// Compares two paths as the system does: letters without regard to case,
// "\" and "/" alike.
bool same_path(std::string a, std::string b) {
    to_lower_ascii(a);
    to_lower_ascii(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] == '\\' ? '/' : a[i];
        const char y = b[i] == '\\' ? '/' : b[i];
        if (x != y) return false;
    }
    return true;
}

// The form named by "-f": "" for the built-in form.
std::string form_from_option(std::string_view rest) {
    const std::string name(rest);
    if (name.empty() || same_path(name, kDefaultFormFile) ||
        same_path(name, in_program_directory(kDefaultFormFile))) {
        return {};
    }
    return name;
}

bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int read_number_or(std::string_view text, int fallback) {
    if (!all_digits(text) || text.size() > 9) return fallback;
    return std::stoi(std::string(text));
}

// What every source of a batch reads alike (the form, the common
// information) is kept for the listing scope it was read in, and read again
// once its file's size or time changes.
constexpr int64_t kKeptFileLimit = 1 << 20;

struct FileStamp {
    int64_t size = -1;
    int64_t modified = -1;
    bool operator==(const FileStamp&) const = default;
};

// -1 when the file cannot be opened, 0 when it can but cannot be
// examined, 1 with its stamp.
int stamp_file(const std::string& path, FileStamp& stamp) {
    const int fd = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    if (fd < 0) return -1;
    const bool stamped = crt_file_stamp(fd, stamp.size, stamp.modified);
    crt_close(fd);
    return stamped ? 1 : 0;
}

struct KeptFile {
    unsigned scope = 0;
    std::string path;
    FileStamp stamp;

    bool serves(unsigned now, const std::string& name) const { return scope != 0 && scope == now && path == name; }
    void keep(unsigned now, const std::string& name, const FileStamp& read_at) {
        scope = now;
        path = name;
        stamp = read_at;
    }
    void forget() { scope = 0; }
};

struct KeptForm : KeptFile {
    FieldForm form;
};

struct KeptCommon : KeptFile {
    std::string given;  // the name the run had, before the KRT folder
    std::string krt;    // the KRT folder it was looked up with
    std::vector<std::string> lines;
};

struct BatchFiles {
    KeptForm form;
    KeptCommon common;
};

BatchFiles g_kept;

void forget_kept_files() { g_kept = BatchFiles{}; }

bool small_enough(const FileStamp& stamp) { return stamp.size >= 0 && stamp.size <= kKeptFileLimit; }

int read_form(const std::string& form_path, FieldForm& form) {
    if (form_path.empty()) {
        fill_builtin_form(form);
        return 0;
    }
    KeptForm& kept = g_kept.form;
    const unsigned scope = crt_listing_scope_number();
    FileStamp stamp;
    const int stamped = stamp_file(form_path, stamp);
    if (stamped == 1 && kept.serves(scope, form_path) && kept.stamp == stamp) {
        form = kept.form;
        return 0;
    }
    kept.forget();
    if (stamped < 0 || read_fms_form(form_path, form) != 0) return -1;
    if (stamped == 1 && small_enough(stamp)) {
        kept.keep(scope, form_path, stamp);
        kept.form = form;
    }
    return 0;
}

int ensure_form(FormatterState& g, const std::string& form_path) {
    if (!g.form_loaded || g.loaded_form_path != form_path) {
        if (read_form(form_path, g.loaded_form) != 0) {
            g.form_loaded = false;
            show_box(format_text(lookup_message(kMsgFileNotFound), form_path.c_str()));
            return -1;
        }
        g.form_loaded = true;
        g.loaded_form_path = form_path;
    }
    g.form = g.loaded_form;
    g.kind_next = 0;
    g.name_next = 0;
    return 0;
}

std::string krt_folder() {
    const char* value = crt_getenv("KRT");
    return value != nullptr ? value : "";
}

// The common-information file to convert before the records.
struct CommonFile {
    std::string path;
    bool missing = false;  // known not to be there
    int stamped = -1;      // as stamp_file; -1 also when not asked yet
    FileStamp stamp;
};

bool kept_common_serves(const std::string& given, const std::string& path) {
    const KeptCommon& kept = g_kept.common;
    return kept.serves(crt_listing_scope_number(), path) && kept.given == given && kept.krt == krt_folder();
}

// The name as given, or in the KRT folder when nothing is there. A file
// kept from an earlier source of the batch is examined at once.
CommonFile find_common_file(const std::string& given) {
    CommonFile file;
    file.path = given;
    if (find_char_from(file_part(file.path), '.', 0) < 0) file.path += ".fss";
    // one found in the KRT folder is looked up again, in case one appeared
    // under the name as given
    if (kept_common_serves(given, file.path)) {
        file.stamped = stamp_file(file.path, file.stamp);
        if (file.stamped >= 0) return file;
    }
    // asked of the disk, not of the scope's listing: a file put there
    // between two sources of a batch is seen
    if (!crt_exists(file.path.c_str())) {
        const std::string as_given = file.path;
        resolve_in_env_dir(file.path, "KRT");
        file.missing = file.path == as_given;
    }
    return file;
}

// Converts the common information, from what is kept while the file is
// unchanged: 0, or -1 when the document could not be written.
int convert_common_file(const std::string& given, CommonFile& file, LinWriter& writer) {
    KeptCommon& kept = g_kept.common;
    if (file.missing) return 0;
    if (file.stamped == 1 && kept_common_serves(given, file.path) && kept.stamp == file.stamp) {
        return convert_kept_lines(kept.lines, writer);
    }
    kept.forget();
    kept.lines.clear();
    if (file.stamped < 0) file.stamped = stamp_file(file.path, file.stamp);
    LineReader reader;
    if (file.stamped < 0 || !reader.open(file.path.c_str())) return 0;
    const bool keep = file.stamped == 1 && small_enough(file.stamp);
    const int r = convert_fss_to_lin(reader, writer, keep ? &kept.lines : nullptr);
    if (r == 0 && keep && !reader.failed()) {
        kept.keep(crt_listing_scope_number(), file.path, file.stamp);
        kept.given = given;
        kept.krt = krt_folder();
    } else {
        kept.lines.clear();
    }
    return r;
}

BaseResult convert_base_name(FormatterState& g, const std::string& base, const std::string& form_path,
                             const std::string& common_path) {
    g.log_file_name.assign(file_part(base));
    std::string fss = base;
    set_file_extension(fss, ".fss");
    std::string lin = base;
    set_file_extension(lin, ".lin");
    // counted only for a meter someone sees: it costs a second read of the file
    g.fss_lines = host_takes_progress() ? count_file_lines(fss.c_str()) : 0;
    g.records_read = 0;
    g.progress_item.assign(file_part(fss));

    LineReader records;
    if (!records.open(fss.c_str())) {
        show_box(format_text(lookup_message(kMsgFileNotFound), fss.c_str()));
        return {kFormatterIoError, false};
    }
    // The form comes before the document is touched: an unreadable form
    // leaves the previous document as it was.
    if (ensure_form(g, form_path) != 0) return {kFormatterIoError, true};

    // the document and its temporary are never the files this run reads
    std::string temporary = lin;
    set_file_extension(temporary, ".lnt");
    CommonFile common = find_common_file(common_path);
    if (names_reach_inputs({lin, temporary}, {fss, form_path, common.path})) {
        show_box(format_text(kOutputErrorFormat, lin.c_str()));
        return {kFormatterIoError, false};
    }

    LinWriter writer;
    if (!writer.create(lin)) {
        show_box(format_text(kOutputErrorFormat, lin.c_str()));
        return {kFormatterIoError, false};
    }
    int r = writer.write_header();
    if (r == 0) r = convert_common_file(common_path, common, writer);
    if (r == 0) r = convert_fss_to_lin(records, writer);
    if (r == 0) r = writer.write_trailer();
    if (r == 0) r = writer.commit();
    if (r != 0) {
        writer.abandon();
        show_box(format_text(kOutputErrorFormat, lin.c_str()));
        return {kFormatterIoError, true};
    }
    return {kFormatterOk, false};
}

// The arguments in order: options take effect for the names after them.
int format_arguments(FormatterState& g, int argc, char** argv, std::string& common_path, std::string& form_path) {
    int status = kFormatterOk;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == nullptr || argv[i][0] == '\0') continue;
        const std::string_view arg(argv[i]);
        if (arg[0] == '-') {
            const char letter = arg.size() > 1 ? arg[1] : '\0';
            const std::string_view rest = arg.size() > 2 ? arg.substr(2) : std::string_view{};
            if (letter == 'X') {
                if (!rest.empty() && (!all_digits(rest) || read_number_or(rest, -1) != kFormatterInterfaceCode)) {
                    status = kFormatterBadInterface;
                    break;
                }
                continue;
            }
            switch (letter | 0x20) {
                case 'c': if (!rest.empty()) common_path.assign(rest); break;
                case 'e': g.error_path.assign(rest); break;
                case 'f': form_path = form_from_option(rest); break;
                case 's': {
                    const int form = read_number_or(rest, 1);
                    g.source_form = form >= 1 && form <= 5 ? form : 1;
                    break;
                }
                case 'z': g.debug_level = rest.empty() ? 1 : read_number_or(rest, 1); break;
                default: break;  // -l and others: accepted
            }
            continue;
        }
        const BaseResult r = convert_base_name(g, std::string(arg), form_path, common_path);
        if (r.status != kFormatterOk) status = r.status;
        if (r.stop) break;
    }
    return status;
}

}  // namespace

FormatterState& formatter_state() { return g_formatter; }

void reset_formatter_state() { g_formatter = FormatterState{}; }

void fail_formatter_block_for_tests(bool fail) { g_fail_block = fail; }

int run_spec_formatter(int argc, char** argv) {
    reset_formatter_state();
    FormatterState& g = g_formatter;
    // each slot is written before it is read
    if (!g_fail_block) g.block.reset(new (std::nothrow) char[kFormatterBlockSize]);
    if (!g.block) return kFormatterNoMemory;
    int status = kFormatterOk;
    {
        // the run's folders are listed once for the names it looks up; the
        // scope closes however the run ends, or later lookups would miss new
        // files
        ListingScope listing_scope;
        status = run_within_memory(
            [&] {
                std::string common_path = in_program_directory(kDefaultCommonFile);
                std::string form_path;
                return format_arguments(g, argc, argv, common_path, form_path);
            },
            kFormatterNoMemory);
    }
    // a run outside a batch keeps nothing once it is done
    if (crt_listing_scope_number() == 0) forget_kept_files();

    const bool cut = g.cut_in_run;
    reset_formatter_state();
    if (status == kFormatterOk && cut) return kFormatterTextCut;
    return status;
}

