// The process's current directory, as the Windows kernel offers it, and the
// listing of a folder; names in the system's form.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/kernel/directory_listings.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"

std::string disk_current_directory() {
    std::vector<char> path(4096);
    while (::getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE || path.size() > (1u << 20)) return {};
        path.resize(path.size() * 2);
    }
    return path.data();
}

uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
    const std::string disk = disk_current_directory();
    if (disk.empty()) return 0;
    const std::string path = system_name_of(disk);
    const size_t length = path.size();
    // too small a buffer is left alone and told the size it needs
    if (buffer == nullptr || size <= length) return static_cast<uint32_t>(length + 1);
    std::memcpy(buffer, path.c_str(), length + 1);
    return static_cast<uint32_t>(length);
}

int SetCurrentDirectoryA(const char* path) {
    if (path == nullptr || *path == '\0') return 0;
    const std::string resolved = resolve_platform_path(path);
    const bool changed = !resolved.empty() && ::chdir(resolved.c_str()) == 0;
    forget_listed_current_directory();
    return changed ? 1 : 0;
}

std::string get_current_directory() {
    const std::string disk = disk_current_directory();
    return disk.empty() ? disk : system_name_of(disk);
}

bool crt_list_folder(const char* folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    if (folder == nullptr) return false;
    const std::string resolved = resolve_platform_path(*folder ? folder : ".");
    if (resolved.empty()) return false;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(resolved.c_str()), ::closedir);
    if (dir == nullptr) return false;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string_view name(e->d_name);
        if (name == "." || name == "..") continue;
        bool is_folder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st;
            const std::string path = resolved + (resolved.back() == '/' ? "" : "/") + std::string(name);
            is_folder = ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back({system_name_of(name), is_folder});
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return true;
}
