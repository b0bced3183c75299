// The runtime's environment calls over the process environment.
#include "platform/kernel/file_io.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

const char* crt_getenv(const char* name) {
    if (!name || !*name) return nullptr;
    return std::getenv(name);
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
    const char* value = eq + 1;
    int rc = *value ? ::setenv(name.c_str(), value, 1) : ::unsetenv(name.c_str());
    return rc == 0 ? 0 : -1;
}
