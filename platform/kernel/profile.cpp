// WIN.INI: sections "[name]", entries "key=value", comments ";...". Lines that
// are neither are kept as they are, so that a write changes only its entry.
#include "platform/kernel/profile.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/file_io.h"
#include "platform/kernel/kernel_text.h"
#include "platform/kernel/platform_home.h"

namespace {

using kernel_text::equal_ignoring_case;
using kernel_text::trim_blanks;

std::string win_ini_path() {
    return resolve_disk_path(platform_home_file("WIN.INI"));
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> section_name(std::string_view line) {
    line = trim_blanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return trim_blanks(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key and value of a "key=value" line; comments and lines without "="
// have none.
std::optional<Entry> entry_of(std::string_view line) {
    const std::string_view trimmed = trim_blanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return std::nullopt;
    const size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Entry{trim_blanks(trimmed.substr(0, eq)), trim_blanks(trimmed.substr(eq + 1))};
}

class WinIni {
public:
    // The lines of WIN.INI, written with the default contents first when it
    // does not exist.
    static WinIni load() {
        WinIni ini;
        ini.path_ = win_ini_path();
        std::string text;
        if (!read_state_file(ini.path_, &text)) {
            text = kDefaultWinIni;
            write_state_file(ini.path_, text);
        }
        ini.lines_ = kernel_text::split_lines(text);
        return ini;
    }

    bool save() const {
        std::string text;
        for (const std::string& line : lines_) text += line + "\r\n";
        return write_state_file(path_, text);
    }

    // Index of the first "[section]" line, or -1.
    int find_section(std::string_view section) const {
        for (size_t i = 0; i < lines_.size(); ++i) {
            auto name = section_name(lines_[i]);
            if (name && equal_ignoring_case(*name, section)) return static_cast<int>(i);
        }
        return -1;
    }

    // One past the last line of the section starting at `header`.
    size_t section_end(int header) const {
        size_t i = static_cast<size_t>(header) + 1;
        while (i < lines_.size() && !section_name(lines_[i])) ++i;
        return i;
    }

    // Index of the first entry of `key` in the section, or -1.
    int find_key(int header, std::string_view key) const {
        const size_t end = section_end(header);
        for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
            auto entry = entry_of(lines_[i]);
            if (entry && equal_ignoring_case(entry->key, key)) return static_cast<int>(i);
        }
        return -1;
    }

    std::vector<std::string> section_names() const {
        std::vector<std::string> names;
        for (const std::string& line : lines_)
            if (auto name = section_name(line)) names.emplace_back(*name);
        return names;
    }

    std::vector<std::string> key_names(int header) const {
        std::vector<std::string> names;
        const size_t end = section_end(header);
        for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i)
            if (auto entry = entry_of(lines_[i])) names.emplace_back(entry->key);
        return names;
    }

    std::vector<std::string>& lines() { return lines_; }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::string path_;
    std::vector<std::string> lines_;
};

DWORD copy_value(std::string_view value, LPSTR buffer, DWORD size) {
    const size_t n = kernel_text::whole_char_prefix(value, size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Names each followed by a zero, and one more zero after the last; a list
// that does not fit is cut and still ends in two zeros.
DWORD copy_name_list(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    if (list.size() <= size) {
        std::memcpy(buffer, list.data(), list.size());
        return static_cast<DWORD>(list.size() - 1);
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    return size - 2;
}

}  // namespace

DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    StateFileLock lock(win_ini_path());
    const WinIni ini = WinIni::load();

    if (!section) return copy_name_list(ini.section_names(), buffer, size);
    const int header = ini.find_section(section);
    if (!key) {
        return copy_name_list(header < 0 ? std::vector<std::string>{} : ini.key_names(header), buffer, size);
    }
    if (header >= 0) {
        const int line = ini.find_key(header, key);
        if (line >= 0) return copy_value(entry_of(ini.lines()[static_cast<size_t>(line)])->value, buffer, size);
    }
    std::string_view fallback = default_value ? default_value : "";
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    return copy_value(fallback, buffer, size);
}

BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
    if (!section) return FALSE;
    StateFileLock lock(win_ini_path());
    WinIni ini = WinIni::load();
    std::vector<std::string>& lines = ini.lines();
    const int header = ini.find_section(section);

    if (!key) {
        if (header < 0) return TRUE;
        lines.erase(lines.begin() + header, lines.begin() + static_cast<long>(ini.section_end(header)));
        return ini.save() ? TRUE : FALSE;
    }

    const int line = header < 0 ? -1 : ini.find_key(header, key);
    if (!value) {
        if (line < 0) return TRUE;
        lines.erase(lines.begin() + line);
        return ini.save() ? TRUE : FALSE;
    }

    if (line >= 0) {
        // The key keeps the spelling it has in the file.
        const std::string spelled(entry_of(lines[static_cast<size_t>(line)])->key);
        lines[static_cast<size_t>(line)] = spelled + "=" + value;
    } else if (header >= 0) {
        // After the section's last entry, before the blank lines that set it
        // off from the next section.
        size_t at = ini.section_end(header);
        while (at > static_cast<size_t>(header) + 1 && trim_blanks(lines[at - 1]).empty()) --at;
        lines.insert(lines.begin() + static_cast<long>(at), std::string(key) + "=" + value);
    } else {
        if (!lines.empty() && !trim_blanks(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::string(key) + "=" + value);
    }
    return ini.save() ? TRUE : FALSE;
}
