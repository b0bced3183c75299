// Printer ports as files in the platform state directory.
#include "platform/gdi/port.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "platform/kernel/platform_home.h"

namespace {

std::map<int, int>& open_ports() {  // handle -> descriptor
    static std::map<int, int> ports;
    return ports;
}

int next_handle = 1;

// Bytes the port still takes before it stalls (set_printer_port_write_limit);
// negative: no limit.
long write_budget = -1;

// The canonical upper-case name, or "" when the name is no port.
std::string port_name(const char* name) {
    if (!name) return {};
    std::string n;
    for (const char* p = name; *p; ++p) n += static_cast<char>(*p >= 'a' && *p <= 'z' ? *p - 32 : *p);
    if (!n.empty() && n.back() == ':') n.pop_back();
    static const char* const kPorts[] = {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4", "PRN"};
    for (const char* p : kPorts) {
        if (n == p) return n;
    }
    return {};
}

}  // namespace

std::string printer_port_path(const char* name) {
    const std::string n = port_name(name);
    if (n.empty()) return {};
    return platform_home_file(n == "PRN" ? "LPT1" : n.c_str());
}

int open_printer_port(const char* name) {
    const std::string path = printer_port_path(name);
    if (path.empty()) return -1;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    const int handle = next_handle++;
    open_ports()[handle] = fd;
    return handle;
}

int write_printer_port(int handle, const void* data, int length) {
    auto it = open_ports().find(handle);
    if (it == open_ports().end() || length < 0 || (!data && length > 0)) return -1;
    const auto* p = static_cast<const char*>(data);
    int wanted = length;
    if (write_budget >= 0 && wanted > write_budget) wanted = static_cast<int>(write_budget);
    int done = 0;
    while (done < wanted) {
        const ssize_t n = ::write(it->second, p + done, static_cast<size_t>(wanted - done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        done += static_cast<int>(n);
    }
    if (write_budget >= 0) write_budget -= done;
    return done;
}

void set_printer_port_write_limit(long bytes) { write_budget = bytes < 0 ? -1 : bytes; }

int open_printer_port_count() { return static_cast<int>(open_ports().size()); }

int close_printer_port(int handle) {
    auto it = open_ports().find(handle);
    if (it == open_ports().end()) return -1;
    const int rc = ::close(it->second);
    open_ports().erase(it);
    return rc == 0 ? 0 : -1;
}
