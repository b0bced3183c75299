#include "notarix/formatter/nx1012.h"

#include <new>
#include <string>
#include <string_view>

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

int ensure_form(FormatterState& g, const std::string& form_path) {
    if (!g.form_loaded || g.loaded_form_path != form_path) {
        if (read_fms_form(form_path, g.loaded_form) != 0) {
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

// The common-information file to convert before the records, or "" when
// there is none.
std::string find_common_file(std::string path) {
    if (find_char_from(file_part(path), '.', 0) < 0) path += ".fss";
    if (!crt_exists(path.c_str())) resolve_in_env_dir(path, "KRT");
    return path;
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
    const std::string common_file = find_common_file(common_path);
    if (names_reach_inputs({lin, temporary}, {fss, form_path, common_file})) {
        show_box(format_text(kOutputErrorFormat, lin.c_str()));
        return {kFormatterIoError, false};
    }

    LinWriter writer;
    if (!writer.create(lin)) {
        show_box(format_text(kOutputErrorFormat, lin.c_str()));
        return {kFormatterIoError, false};
    }
    int r = writer.write_header();
    if (r == 0) {
        LineReader common;
        if (common.open(common_file.c_str())) r = convert_fss_to_lin(common, writer);
    }
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
    if (!g_fail_block) g.block.reset(new (std::nothrow) char[kFormatterBlockSize]());
    if (!g.block) return kFormatterNoMemory;
    // the run's folders are listed once for the names it looks up; the scope
    // closes however the run ends, or later lookups would miss new files
    ListingScope listing_scope;

    const int status = run_within_memory(
        [&] {
            std::string common_path = in_program_directory(kDefaultCommonFile);
            std::string form_path;
            return format_arguments(g, argc, argv, common_path, form_path);
        },
        kFormatterNoMemory);

    const bool cut = g.cut_in_run;
    reset_formatter_state();
    if (status == kFormatterOk && cut) return kFormatterTextCut;
    return status;
}

