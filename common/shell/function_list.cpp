#include "common/shell/function_list.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/sjis_text.h"

namespace {

struct ListParts {
    std::string file;
    std::string line;
    std::string name;
    std::string text;
    // The name's extent up to its ":", the blank before it included: the
    // column is that wide, so the longest name keeps a blank before the text.
    int name_extent = 0;
};

// Splits "file # line  name : text"; false when a part is missing.
bool split_list_line(int kind, std::string_view raw, ListParts& parts) {
    const int hash = find_char(raw, '#');
    if (hash < 0) return false;
    std::string_view file = raw.substr(0, static_cast<size_t>(hash));
    if (kind == 1) file = file_part(file);
    parts.file.assign(file);
    trim_blanks(-1, parts.file);

    const std::string_view after = raw.substr(static_cast<size_t>(hash) + 1);
    size_t pos = 0;
    while (pos < after.size() && (after[pos] == ' ' || (after[pos] >= '0' && after[pos] <= '9'))) ++pos;
    if (pos >= after.size()) return false;
    parts.line.assign(after.substr(0, pos));
    trim_blanks(-1, parts.line);

    const std::string_view rest = after.substr(pos);
    const int colon = find_substring(rest, " :");
    if (colon < 0) return false;
    parts.name.assign(rest.substr(0, static_cast<size_t>(colon)));
    parts.name_extent = colon + 1;
    trim_blanks(-1, parts.name);
    parts.text.assign(rest.substr(static_cast<size_t>(colon) + 2));
    trim_blanks(-1, parts.text);
    if (!parts.text.empty() && parts.text[0] == ' ') parts.text.erase(0, 1);
    return true;
}

void append_padded(std::string& out, std::string_view text, int width) {
    out += text;
    if (static_cast<int>(text.size()) < width) out.append(static_cast<size_t>(width) - text.size(), ' ');
}

void strip_line_end(std::string& line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
}

}  // namespace

int measure_summary_columns(int kind, const char* list_file, SummaryColumns& columns) {
    columns = SummaryColumns{};
    LineReader reader;
    if (!reader.open(list_file)) return -1;
    std::string line;
    reader.next(line);  // the list's heading
    while (reader.next(line)) {
        strip_line_end(line);
        if (line.size() <= 1) continue;
        ListParts parts;
        if (!split_list_line(kind, line, parts)) return -1;
        if (kind != 2) columns.file_width = std::max(columns.file_width, static_cast<int>(parts.file.size()) + 1);
        columns.line_width = std::max(columns.line_width, static_cast<int>(parts.line.size()));
        columns.name_width = std::max(columns.name_width, parts.name_extent);
        columns.text_width = std::max(columns.text_width, static_cast<int>(parts.text.size()));
    }

    // Labels: ファイル名, 行位置, 関数名, 機能概要; a column is never narrower
    // than its label.
    struct Column {
        int* width;
        const char* label;
    };
    const Column heading[] = {
        {&columns.file_width, "ファイル名  "_sjis},
        {&columns.line_width, "行位置  "_sjis},
        {&columns.name_width, "関数名  "_sjis},
        {&columns.text_width, "機能概要"_sjis},
    };
    columns.header = "No.  ";
    for (const Column& c : heading) {
        if (*c.width == 0) continue;
        const std::string_view label(c.label);
        *c.width = std::max(*c.width, static_cast<int>(label.size()));
        append_padded(columns.header, label, *c.width);
    }
    return 0;
}

int format_summary_line(int kind, std::string_view line, std::string& out, int file_width, int line_width,
                        int name_width) {
    out.clear();
    std::string raw(line);
    strip_line_end(raw);
    ListParts parts;
    if (raw.size() <= 1 || !split_list_line(kind, raw, parts)) return -1;
    if (kind != 2) append_padded(out, parts.file, file_width);
    append_padded(out, parts.line, line_width);
    append_padded(out, parts.name, name_width);
    out += parts.text;
    return 0;
}
