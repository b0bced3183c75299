#include "common/print/print_header.h"

#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/file_io.h"

std::string header_file_name(std::string_view base, std::string_view extension) {
    std::string name(base);
    set_file_extension(name, extension);
    if (!crt_exists(name.c_str())) resolve_in_env_dir(name, "KRT");
    return name;
}

int read_header_file(std::string_view base, std::string_view extension, HeaderLines& lines,
                     std::string& failing_name) {
    lines = HeaderLines{};
    if (base.empty()) return -2;
    const std::string name = header_file_name(base, extension);
    LineReader reader;
    if (!reader.open(name.c_str())) {
        failing_name = name;
        return -1;
    }
    lines.read = true;
    std::string* targets[] = {&lines.header, &lines.footer};
    for (std::string* line : targets) {
        if (!reader.next(*line)) break;
        cut_at_char_boundary(*line, kPrintHeaderLineBytes);
    }
    return 0;
}
