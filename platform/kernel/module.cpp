// Where the running program lives: its settings and control files are
// installed beside the executable.
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::string read_executable_path() {
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), static_cast<size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

// A process's executable does not move while it runs: it is asked for once,
// and kept in the system's form.
const std::string& executable_path() {
    static const std::string path = system_name_of(read_executable_path());
    return path;
}

}  // namespace

uint32_t GetModuleFileNameA(void* /*module*/, char* buffer, uint32_t size) {
    if (!buffer || size == 0) return 0;
    const std::string& path = executable_path();
    const size_t n = std::min<size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return static_cast<uint32_t>(n);
}

std::string get_program_directory() {
    const std::string& path = executable_path();
    const size_t slash = path.rfind('/');  // "/" is never a Shift-JIS trail byte
    if (slash == std::string::npos) return {};
    if (slash == 0) return "/";
    return path.substr(0, slash);
}
