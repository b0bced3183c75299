// Path handling for Windows-style names: "\" separators that are never a
// Shift-JIS trail byte, and case-insensitive lookup of names that the system
// spells in a different case from the file on disk.
#include "platform/kernel/directory_listings.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/kernel_text.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

using kernel_text::is_pair_at;

// "\" to "/" in place, never a trail byte; true when every byte is
// single-byte, so the name is its own disk form.
bool map_separators(std::string& path) {
    // the common case, told at a glance: no byte with the top bit set
    unsigned char high = 0;
    for (const char c : path) high |= static_cast<unsigned char>(c);
    if (high < 0x80) {
        std::replace(path.begin(), path.end(), '\\', '/');
        return true;
    }
    for (size_t i = 0; i < path.size();) {
        if (kernel_text::is_pair_at(path, i)) {
            i += 2;
            continue;
        }
        if (path[i] == '\\') path[i] = '/';
        ++i;
    }
    return false;
}

bool entry_exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
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

namespace {

// `mapped`: a disk path with "/" separators.
std::string resolve_names(std::string&& mapped) {
    if (mapped.empty()) return {};
    if (resolve_from_listing(mapped) || entry_exists(mapped)) return std::move(mapped);

    // Most names that are not there as written lie in a folder that is: only
    // their last component is looked for.
    const size_t last_slash = mapped.rfind('/');
    if (last_slash != std::string::npos && last_slash > 0 && last_slash + 1 < mapped.size()) {
        const std::string folder = mapped.substr(0, last_slash);
        const std::string_view name = std::string_view(mapped).substr(last_slash + 1);
        std::string match;
        if (name != "." && name != ".." && find_listed_entry(folder, name, match))
            return match.empty() ? mapped : folder + "/" + match;
    }

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
            std::string match;
            find_listed_entry(dir, component, match);
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

}  // namespace

namespace {

std::string resolved_name(std::string&& path) {
    return resolve_names(std::move(path));
}

}  // namespace

std::string resolve_disk_path(const std::string& path) { return resolved_name(std::string(path)); }

std::string resolve_platform_path(const char* path) {
    if (!path || !*path) return {};
    std::string disk(path);
    // a name with no disk form names nothing there
    if (!map_separators(disk) && !to_disk_name(disk)) return {};
    return resolved_name(std::move(disk));
}
