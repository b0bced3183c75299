// The process's current directory, as the Windows kernel offers it.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/kernel/file_io.h"
#include "platform/kernel/spare_files.h"

uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer) {
    std::vector<char> path(4096);
    while (::getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE || path.size() > (1u << 20)) return 0;
        path.resize(path.size() * 2);
    }
    const size_t length = std::strlen(path.data());
    // too small a buffer is left alone and told the size it needs
    if (buffer == nullptr || size <= length) return static_cast<uint32_t>(length + 1);
    std::memcpy(buffer, path.data(), length + 1);
    return static_cast<uint32_t>(length);
}

int SetCurrentDirectoryA(const char* path) {
    if (path == nullptr || *path == '\0') return 0;
    const bool changed = ::chdir(resolve_platform_path(path).c_str()) == 0;
    forget_current_directory();
    return changed ? 1 : 0;
}

std::string get_current_directory() {
    const uint32_t needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::string path(needed, '\0');
    const uint32_t length = GetCurrentDirectoryA(needed, path.data());
    if (length == 0 || length >= needed) return {};
    path.resize(length);
    return path;
}
