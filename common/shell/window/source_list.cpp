#include "common/shell/window/source_list.h"

#include <algorithm>
#include <cstdio>

#include "common/analysis/text_utils.h"
#include "common/shell/page_records.h"
#include "platform/user/winuser.h"

namespace {

// Width of the character at pos: 2 for a lead byte with a byte after it.
size_t char_width_at(std::string_view text, size_t pos) {
    return is_lead_byte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

std::string make_entry(int number, std::string_view text) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, " %5d ", number);
    std::string entry(prefix);
    entry.append(text);
    return entry;
}

}  // namespace

void SourceText::clear() {
    entries.clear();
    widest = 0;
}

std::string_view SourceText::line_text(int index) const {
    if (index < 0 || index >= count()) return {};
    std::string_view entry = entries[static_cast<size_t>(index)];
    return entry.size() > kSourceNumberPrefix ? entry.substr(kSourceNumberPrefix) : std::string_view{};
}

std::string cut_source_line(std::string_view line) {
    size_t end = 0;
    while (end < line.size() && end < static_cast<size_t>(kSourceLineBytes)) end += char_width_at(line, end);
    return std::string(line.substr(0, std::min(end, line.size())));
}

std::string expand_source_tabs(std::string_view line, int tab_width) {
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size();) {
        if (line[i] == '\t') {
            if (tab_width > 0) {
                const size_t next = (out.size() / static_cast<size_t>(tab_width) + 1) * static_cast<size_t>(tab_width);
                out.append(next - out.size(), ' ');
            }
            ++i;
            continue;
        }
        const size_t width = char_width_at(line, i);
        out.append(line.substr(i, width));
        i += width;
    }
    return out;
}

int longest_source_entry(const SourceText& text) {
    size_t longest = 0;
    for (const std::string& entry : text.entries) longest = std::max(longest, entry.size());
    return static_cast<int>(longest);
}

int comment_head_line(const SourceText& text, int line, int lines_looked_at, int lowest) {
    for (int at = line; at > line - lines_looked_at && at >= lowest; --at) {
        const std::string_view shown = text.line_text(at - 1);
        if (shown.size() >= 2 && shown[0] == '/' && shown[1] == '*') return at;
    }
    return line;
}

SourceLoadResult load_source_lines(const std::string& path, int tab_width, SourceText& out) {
    SourceLoadResult result;
    out.clear();
    RecordFileReader reader;
    if (path.empty() || !reader.open(path)) {
        result.status = -1;
        return result;
    }
    std::string line;
    int64_t before = reader.offset();
    while (reader.next_line(line)) {
        // the length as a text-mode read sees it: the line feed counts
        const int64_t consumed = reader.offset() - before;
        before = reader.offset();
        const size_t as_read = line.size() + (consumed > static_cast<int64_t>(line.size()) ? 1 : 0);
        if (as_read > static_cast<size_t>(kSourceLineBytes)) result.cut = true;
        if (out.count() >= kMaxSourceLines) {
            result.too_many_lines = true;
            break;
        }
        const std::string stored = expand_source_tabs(cut_source_line(line), tab_width);
        out.entries.push_back(make_entry(out.count() + 1, stored));
    }
    if (!result.too_many_lines && out.count() < kMaxSourceLines) out.entries.push_back(make_entry(out.count() + 1, "[EOF]"));
    out.widest = longest_source_entry(out) + 1;
    return result;
}

bool contains_at_character(std::string_view text, std::string_view needle) {
    if (needle.empty()) return false;
    for (size_t i = 0; i < text.size(); i += char_width_at(text, i)) {
        if (text[i] == needle[0] && text.substr(i, needle.size()) == needle) return true;
    }
    return false;
}

int find_in_source(const SourceText& text, int start, std::string_view needle, int end) {
    if (needle.empty()) return -1;
    const int stop = end < 0 ? text.count() : std::min(end, text.count());
    for (int i = std::max(0, start); i < stop; ++i) {
        if (contains_at_character(text.line_text(i), needle)) return i;
    }
    return -1;
}

int source_vertical_step(int code, int position, int top, const SourceScrollMetrics& m) {
    const int r = m.rows;
    const int n = m.count;
    const bool at_end = n < r + top - 1;
    switch (code) {
    case SB_LINEUP: return top <= 0 ? kScrollRefused : top - 1;
    case SB_LINEDOWN: return at_end ? kScrollRefused : top + 1;
    case SB_PAGEUP: return top <= 0 ? kScrollRefused : std::max(0, top - r);
    case SB_PAGEDOWN:
        if (at_end) return kScrollRefused;
        return std::max(0, n < top + 2 * r ? n - r + 3 : top + r);
    case SB_THUMBPOSITION: return std::max(0, n < r + position - 1 ? n - r + 3 : position);
    case SB_TOP: return top == 0 ? kScrollRefused : 0;
    case SB_BOTTOM: return r + top - 1 >= n ? kScrollRefused : std::max(0, n - r + 3);
    default: return kScrollIgnored;
    }
}

int source_horizontal_step(int code, int position, int left, const SourceScrollMetrics& m) {
    const int room = m.widest - m.columns;  // W - K
    switch (code) {
    case SB_LINELEFT: return left <= 0 ? kScrollRefused : left - 1;
    case SB_LINERIGHT: return room < left ? kScrollRefused : left + 1;
    case SB_PAGELEFT: return left == 0 ? kScrollRefused : std::max(0, left - m.tab);
    case SB_PAGERIGHT: return room < left ? kScrollRefused : std::max(0, std::min(left + m.tab, room + 1));
    case SB_THUMBPOSITION: return std::max(0, std::min(position, m.widest));
    case SB_LEFT: return left <= 0 ? kScrollRefused : 0;
    case SB_RIGHT: return left >= m.widest ? kScrollRefused : m.widest;
    default: return kScrollIgnored;
    }
}

int source_vertical_range(int count, int height) {
    return std::max(0, count - (height / kSourceRowHeight - 1));
}

int source_horizontal_range(int widest, int width) {
    return std::max(0, widest + 1 - width / kSourceCharWidth);
}
