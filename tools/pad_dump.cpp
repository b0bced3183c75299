// pad_dump: a developer's look into a .pds file through the routines the
// view, the print job and the text output use.
//
//   pad_dump FILE.pds                       the function index: "n line offset"
//   pad_dump [--raw] [--level L] [--chars P] FILE.pds N
//                                           function N as the view loads and
//                                           measures it (--raw: as parsed)
//   pad_dump --output OUT [--code C] [--level L] [--top T] [--left G]
//            [--first F] [--last J] [--chars P] FILE.pds
//                                           the character output of functions
//                                           F to J, without a heading file
//
// Values not given come from the settings file beside the program. Exit 0, or
// 1 with the result on stderr. Texts reach a terminal in UTF-8 and a file or
// pipe as the Shift-JIS bytes the .pds file holds.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/analysis/text_utils.h"
#include "common/shell/settings_file.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_document.h"
#include "gravlet/pad/pad_output.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"

namespace {

struct Arguments {
    bool raw = false;
    std::string output;
    std::map<std::string, int> numbers;  // "level", "chars", "code", "top", "left", "first", "last"
    std::vector<std::string> files;
};

int usage() {
    std::fputs("usage: pad_dump FILE.pds\n"
               "       pad_dump [--raw] [--level L] [--chars P] FILE.pds N\n"
               "       pad_dump --output OUT [--code C] [--level L] [--top T] [--left G] [--first F] [--last J]"
               " [--chars P] FILE.pds\n",
               stderr);
    return 1;
}

int fail(int result) {
    std::fprintf(stderr, "result %d\n", result);
    return 1;
}

bool parse_number(const char* text, int& value) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < -100000 || n > 100000) return false;
    value = static_cast<int>(n);
    return true;
}

bool parse_arguments(int argc, char** argv, Arguments& a) {
    static const char* const kNumbers[] = {"level", "chars", "code", "top", "left", "first", "last"};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--raw") {
            a.raw = true;
            continue;
        }
        if (arg == "--output") {
            if (++i >= argc) return false;
            a.output = argv[i];
            continue;
        }
        if (arg.rfind("--", 0) == 0) {
            bool known = false;
            for (const char* name : kNumbers) known = known || arg.substr(2) == name;
            int value = 0;
            if (!known || ++i >= argc || !parse_number(argv[i], value)) return false;
            a.numbers[arg.substr(2)] = value;
            continue;
        }
        a.files.push_back(arg);
    }
    return true;
}

int number_or(const Arguments& a, const char* name, int fallback) {
    const auto it = a.numbers.find(name);
    return it == a.numbers.end() ? fallback : it->second;
}

// The text as stored: TAB as \t, quote and backslash escaped; a double-byte
// character is written whole, its trail byte never taken for a backslash.
std::string quoted(const char* text) {
    const std::string_view s(text ? text : "");
    std::string out = "\"";
    for (int i = 0; i < static_cast<int>(s.size());) {
        const int next = next_char(s, i);
        if (next - i == 1) {
            const char c = s[i];
            if (c == '\t') out += "\\t";
            else if (c == '"' || c == '\\') out += std::string("\\") + c;
            else out += c;
        } else {
            out.append(s.substr(i, next - i));
        }
        i = next;
    }
    return out + "\"";
}

void print_rows(const PadGrid& grid) {
    std::printf("rows %d\n", grid.row_count);
    for (int r = 1; r <= grid.row_count; ++r) {
        std::string line = std::to_string(r);
        for (int c = 0; c < kPadColumns; ++c) {
            const PadCell* cell = grid.cell(r, c);
            if (cell->kind == kPadRowEnd) break;
            line += ' ';
            line += std::to_string(cell->kind);
            for (int field : {cell->x, cell->y, cell->width, cell->height}) {
                line += '/';
                line += std::to_string(field);
            }
            line += '/';
            line += quoted(cell->text);
        }
        if (isatty(STDOUT_FILENO)) line = platform_user::cp932_to_utf8(line);
        std::printf("%s\n", line.c_str());
    }
}

int dump_index(PadDocument& doc, SettingsRecord& settings) {
    const int result = read_pds_index(doc, settings, get_program_directory(), quiet_pad_host());
    if (result != kPadIndexOk) return fail(result);
    for (size_t i = 0; i < doc.index.size(); ++i)
        std::printf("%zu %d %lld\n", i + 1, doc.index[i].line, static_cast<long long>(doc.index[i].offset));
    return 0;
}

int dump_function(PadDocument& doc, SettingsRecord& settings, const Arguments& a, const std::string& number) {
    int n = 0;
    if (!parse_number(number.c_str(), n)) return usage();
    const int result = read_pds_index(doc, settings, get_program_directory(), quiet_pad_host());
    if (result != kPadIndexOk) return fail(result);
    doc.level_width = number_or(a, "level", doc.level_width);
    doc.chars_per_line = number_or(a, "chars", doc.chars_per_line);
    if (n < 1 || n > static_cast<int>(doc.index.size())) return fail(-1);
    if (a.raw) {
        const PdsIndexEntry& entry = doc.index[static_cast<size_t>(n - 1)];
        const int parsed =
            parse_pds_block(doc.file, entry.offset, entry.line, *doc.grid, doc.level_width, quiet_pad_host(), doc.path);
        if (parsed != 1) return fail(parsed);
    } else {
        if (load_pad_function(doc, n - 1, quiet_pad_host()) != 0 || doc.grid->row_count == 0) return fail(-1);
        measure_pad_function(doc);
    }
    print_rows(*doc.grid);
    return 0;
}

int dump_output(SettingsRecord& settings, const Arguments& a) {
    using namespace gx_settings;
    if (read_settings_file(settings, get_program_directory()) != kSettingsOk) return fail(1);
    if (check_settings_identity(settings) != SettingsIdentity::Ok) return fail(2);
    PadOutputValues v;
    v.code_set = number_or(a, "code", settings.word(kOutputCodeSet));
    v.top_margin = number_or(a, "top", settings.word(kOutputTopMargin));
    v.left_margin = number_or(a, "left", settings.word(kOutputLeftMargin));
    v.first_function = number_or(a, "first", settings.word(kOutputFirstFunction));
    v.last_function = number_or(a, "last", settings.word(kOutputLastFunction));
    v.level_width = number_or(a, "level", settings.word(kOutputLevelWidth));
    v.chars_per_line = number_or(a, "chars", gravlet_chars_per_line(settings));
    std::unique_ptr<PadGrid> grid;
    if (alloc_print_work_area(grid) != 0) return fail(kPadOutputNoMemory);
    const int result = write_pad_output_file(a.files[0], a.output, v, nullptr, *grid, quiet_pad_host());
    return result == 0 ? 0 : fail(result);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments a;
    SystemArguments names(argc, argv);
    if (!parse_arguments(names.count(), names.vector(), a) || a.files.empty()) return usage();
    set_message_table(kGravletMessages);
    SettingsRecord settings(kGravletSettings);
    if (!a.output.empty()) {
        if (a.files.size() != 1 || a.raw) return usage();
        return dump_output(settings, a);
    }
    PadDocument doc;
    doc.path = a.files[0];
    if (a.files.size() == 1) return dump_index(doc, settings);
    if (a.files.size() == 2) return dump_function(doc, settings, a, a.files[1]);
    return usage();
}
