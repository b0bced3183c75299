// The platform state directory.
#include "platform/kernel/platform_home.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string user_home() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    // Services and some sandboxes run without HOME; the password entry still
    // knows where the user lives.
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir) return pw->pw_dir;
    return "/tmp";
}

}  // namespace

std::string platform_home() {
    std::string dir;
    const char* configured = std::getenv("PLATFORM_HOME");
    if (configured && *configured) {
        dir = configured;
    } else {
        dir = user_home() + "/.local/share/platform-home";
    }
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();

    // A failure here shows up as a failure of the first file operation in the
    // directory, where the caller has an error path anyway.
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

std::string platform_home_file(const char* name) {
    std::string path = platform_home();
    if (path != "/") path += '/';
    if (name) path += name;
    return path;
}

bool read_state_file(const std::string& path, std::string* contents) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.append(chunk, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok && contents) *contents = std::move(data);
    return ok;
}

bool write_state_file(const std::string& path, const std::string& contents) {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

StateFileLock::StateFileLock(const std::string& path) {
    fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) break;
    }
}

StateFileLock::~StateFileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}
