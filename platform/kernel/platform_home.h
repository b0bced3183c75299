// The platform state directory: where the registry, WIN.INI, the LPT1 port,
// the PostScript stream and the print manager's jobs live.
#pragma once

#include <string>

// $PLATFORM_HOME, or ~/.local/share/platform-home when it is unset or empty.
// The variable is read on every call (tests point it at a fresh directory),
// and the directory is created when it does not exist yet. No trailing "/".
std::string platform_home();

// A file in the state directory: platform_home() + "/" + name.
std::string platform_home_file(const char* name);

// Reads a whole file; false when it cannot be read.
bool read_state_file(const std::string& path, std::string* contents);

// Replaces a file as a whole: the contents go to a temporary file beside it,
// which is then renamed over it, so a reader never sees half a file.
bool write_state_file(const std::string& path, const std::string& contents);

// Holds an exclusive lock on `path` + ".lock" while alive, so that processes
// sharing the state directory do not lose each other's read-modify-write
// updates. Without a lock file (say, a read-only directory) it holds nothing.
class StateFileLock {
public:
    explicit StateFileLock(const std::string& path);
    ~StateFileLock();
    StateFileLock(const StateFileLock&) = delete;
    StateFileLock& operator=(const StateFileLock&) = delete;

private:
    int fd_ = -1;
};
