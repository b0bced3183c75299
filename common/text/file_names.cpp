#include "common/text/file_names.h"

#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "common/analysis/text_utils.h"
#include "common/text/text_helpers.h"
#include "platform/kernel/file_io.h"

int find_last_separator(std::string_view path, bool colon_too) {
    int found = -1;
    const int size = static_cast<int>(path.size());
    for (int i = 0; i < size; i = next_char(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || (colon_too && c == ':')) found = i;
    }
    return found;
}

std::string_view file_part(std::string_view path) { return path.substr(find_last_separator(path, true) + 1); }

void set_file_extension(std::string& path, std::string_view ext) {
    int dot = -1;
    const int size = static_cast<int>(path.size());
    for (int i = 0; i < size; i = next_char(path, i)) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':') dot = -1;
        else if (c == '.' && i >= 1) dot = i;
    }
    if (dot >= 0) path.resize(dot);
    path += ext;
}

void split_path(std::string_view path, std::string& directory, std::string& name) {
    const int sep = find_last_separator(path, false);
    directory.assign(path.substr(0, sep + 1));
    name.assign(path.substr(sep + 1));
}

void resolve_in_env_dir(std::string& path, const char* variable) {
    if (find_last_separator(path, true) >= 0) return;
    const char* value = crt_getenv(variable);
    std::string dir = value != nullptr ? value : "";
    const int semicolon = find_char(dir, ';');
    if (semicolon >= 0) dir.resize(semicolon);
    trim_blanks(-1, dir);
    trim_blanks(1, dir);
    if (!dir.empty()) {
        const int sep = find_last_separator(dir, false);
        if (sep != static_cast<int>(dir.size()) - 1) {
            // keep the style of the directory's own separators
            dir += (sep >= 0 && dir[sep] == '\\') ? '\\' : '/';
        }
    }
    path.insert(0, dir);
}

namespace {

std::string directory_of(std::string_view path) {
    int sep = find_last_separator(path, false);
    if (sep < 0) sep = find_char(path, ':');
    if (sep < 0) return {};
    std::string dir(path.substr(0, sep + 1));
    // the root keeps its separator
    if (dir.size() >= 2) dir.pop_back();
    return dir;
}

bool enter_directory(const std::string& dir) { return SetCurrentDirectoryA(dir.c_str()) != 0; }

}  // namespace

int change_to_file_directory(std::string_view path) {
    const std::string dir = directory_of(path);
    if (!dir.empty()) enter_directory(dir);
    return 0;
}

std::string make_absolute_path(std::string_view name) {
    std::string result;
    if (find_last_separator(name, true) < 0) {
        result = get_current_directory();
        if (result.empty() || result.back() != '/') result += '/';
        result += name;
    } else {
        const std::string previous = get_current_directory();
        const std::string dir = directory_of(name);
        if (!dir.empty()) enter_directory(dir);
        result = get_current_directory();
        if (result.empty() || result.back() != '/') result += '/';
        result += file_part(name);
        enter_directory(previous);
    }
    to_lower_ascii(result);
    return result;
}

int is_c_source_name(std::string_view name) {
    int dot = -1;
    const int size = static_cast<int>(name.size());
    for (int i = 0; i < size; i = next_char(name, i)) {
        if (name[i] == '.') dot = i;
    }
    if (dot < 0) return 0;
    std::string ext(name.substr(dot));
    to_lower_ascii(ext);
    return ext == ".c" || ext == ".cpp" ? 1 : 0;
}

int compare_file_times(const char* a, const char* b) {
    struct stat sa {};
    struct stat sb {};
    const bool has_a = ::stat(resolve_platform_path(a).c_str(), &sa) == 0;
    const bool has_b = ::stat(resolve_platform_path(b).c_str(), &sb) == 0;
    if (!has_a && !has_b) return 4;
    if (!has_b) return 3;
    if (!has_a) return 2;
    return sa.st_mtime < sb.st_mtime ? 1 : 0;
}

int count_file_lines(const char* path) {
    LineReader reader;
    if (!reader.open(path)) return 0;
    int count = 0;
    std::string line;
    bool newline = false;
    while (reader.next(line, &newline)) {
        const size_t bytes = line.size() + (newline ? 1 : 0);
        count += static_cast<int>((bytes + 254) / 255);
    }
    return count;
}
