// Path handling for Windows-style names: "\" separators that are never a
// Shift-JIS trail byte, and case-insensitive lookup of names that the system
// spells in a different case from the file on disk.
#include "platform/kernel/file_io.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

bool is_sjis_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool is_sjis_trail_byte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

namespace {

// A double-byte character starts at i when a lead byte is followed by a trail
// byte; the check never reads past the end.
bool is_pair_at(std::string_view s, size_t i) {
    return i + 1 < s.size() && is_sjis_lead_byte(static_cast<unsigned char>(s[i])) &&
           is_sjis_trail_byte(static_cast<unsigned char>(s[i + 1]));
}

std::string map_separators(std::string_view path) {
    std::string out(path);
    for (size_t i = 0; i < out.size();) {
        if (is_pair_at(out, i)) {
            i += 2;
            continue;
        }
        if (out[i] == '\\') out[i] = '/';
        ++i;
    }
    return out;
}

bool entry_exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

char fold_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal when they differ only in the case of single-byte letters; the bytes of
// a double-byte character must match exactly (its trail byte may look like a
// letter).
bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        if (is_pair_at(a, i)) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
            continue;
        }
        if (fold_ascii(a[i]) != fold_ascii(b[i])) return false;
        ++i;
    }
    return true;
}

// The first entry of `dir` (sorted by bytes) equal to `name` ignoring case,
// or an empty string.
std::string find_entry_ignoring_case(const std::string& dir, std::string_view name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    std::vector<std::string> matches;
    while (dirent* e = ::readdir(d)) {
        std::string_view entry(e->d_name);
        if (entry == "." || entry == "..") continue;
        if (equal_ignoring_case(entry, name)) matches.emplace_back(entry);
    }
    ::closedir(d);
    if (matches.empty()) return {};
    return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

int find_last_path_separator(const char* path) {
    if (!path) return -1;
    std::string_view s(path);
    int last = -1;
    for (size_t i = 0; i < s.size();) {
        if (is_pair_at(s, i)) {
            i += 2;
            continue;
        }
        if (s[i] == '\\' || s[i] == '/') last = static_cast<int>(i);
        ++i;
    }
    return last;
}

std::string resolve_platform_path(const char* path) {
    if (!path || !*path) return {};
    const std::string mapped = map_separators(path);
    if (entry_exists(mapped)) return mapped;

    // Rebuild the path one component at a time; once a component has no
    // match, nothing below it can exist, so the rest is kept as written.
    std::string result = mapped[0] == '/' ? "/" : "";
    bool lost = false;
    size_t pos = 0;
    while (pos < mapped.size()) {
        size_t slash = mapped.find('/', pos);
        const size_t end = slash == std::string::npos ? mapped.size() : slash;
        std::string_view component(mapped.data() + pos, end - pos);
        pos = slash == std::string::npos ? mapped.size() : slash + 1;
        if (component.empty()) continue;  // "//" or the leading "/"

        const std::string dir = result;
        if (!result.empty() && result.back() != '/') result += '/';
        std::string candidate = result + std::string(component);
        if (!lost && !entry_exists(candidate) && component != "." && component != "..") {
            std::string match = find_entry_ignoring_case(dir, component);
            if (!match.empty()) {
                candidate = result + match;
            } else {
                lost = true;
            }
        }
        result = std::move(candidate);
    }
    if (mapped.back() == '/' && !result.empty() && result.back() != '/') result += '/';
    return result;
}
