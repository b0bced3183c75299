// The runtime's environment calls over the process environment, which holds
// UTF-8 as every process of this system does, and a tool's command line;
// the programs see Shift-JIS.
#include "platform/kernel/file_io.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include <signal.h>
#include <unistd.h>

#include "platform/kernel/disk_names.h"
#include "platform/kernel/process.h"

namespace {

struct Environment {
    std::mutex lock;
    // Every value handed out, so that a pointer a caller holds stays good.
    std::set<std::string> values;
    // The program's own values by name, with the UTF-8 put for each: read
    // back as they were put, as long as nobody else changed the variable.
    std::map<std::string, std::pair<std::string, std::string>> put;
};

Environment& environment() {
    static Environment e;
    return e;
}

}  // namespace

int crt_getpid() { return static_cast<int>(::getpid()); }

bool crt_process_runs(int pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

const char* crt_getenv(const char* name) {
    if (!name || !*name) return nullptr;
    Environment& e = environment();
    std::lock_guard<std::mutex> guard(e.lock);
    const char* value = std::getenv(name);
    if (value == nullptr) return nullptr;
    auto own = e.put.find(name);
    const std::string system = own != e.put.end() && own->second.second == value ? own->second.first
                                                                                  : system_name_of(value);
    return e.values.insert(system).first->c_str();
}

int crt_putenv(const char* assignment) {
    if (!assignment) {
        errno = EINVAL;
        return -1;
    }
    const char* eq = std::strchr(assignment, '=');
    if (!eq || eq == assignment) {
        errno = EINVAL;
        return -1;
    }
    // setenv copies, so the caller's string may be a temporary; "NAME=" with
    // nothing after it removes the variable, as the original runtime did.
    const std::string name(assignment, eq);
    const std::string value = eq + 1;
    Environment& e = environment();
    std::lock_guard<std::mutex> guard(e.lock);
    e.put.erase(name);
    if (value.empty()) return ::unsetenv(name.c_str()) == 0 ? 0 : -1;
    // a value with no UTF-8 form (an escaped name) goes in as its bytes
    std::string utf8 = value;
    to_disk_name(utf8);
    if (::setenv(name.c_str(), utf8.c_str(), 1) != 0) return -1;
    e.put[name] = {value, utf8};
    return 0;
}

SystemArguments::SystemArguments(int argc, char** argv) {
    for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i) texts_.push_back(system_name_of(argv[i]));
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}
