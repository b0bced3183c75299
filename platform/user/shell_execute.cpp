// ShellExecuteA: "open" starts the program named, in a process of its own
// that nobody waits for. The names come in the system's form (Shift-JIS,
// "\" or "/" between folders) and go to the disk's; a bare program name is
// looked for in the folder given, then along PATH, as a shell would.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/automation/host.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/kernel_text.h"
#include "platform/user/shellapi.h"

extern char** environ;

namespace {

bool has_separator(std::string_view name) {
    for (size_t i = 0; i < name.size(); i += kernel_text::is_pair_at(name, i) ? 2 : 1)
        if (name[i] == '/' || name[i] == '\\') return true;
    return false;
}

bool is_folder(const std::string& disk) {
    struct stat st {};
    return !disk.empty() && ::stat(disk.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_program(const std::string& disk) {
    struct stat st {};
    return ::stat(disk.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(disk.c_str(), X_OK) == 0;
}

std::string absolute(const std::string& disk) {
    if (disk.empty() || disk[0] == '/') return disk;
    const std::string here = disk_current_directory();
    return here.empty() ? disk : here + "/" + disk;
}

// The program's disk path: a name with a folder is taken from `folder` (or
// the current directory), a bare one from `folder` and then PATH. Empty
// when there is none.
std::string find_program(const std::string& name, const std::string& folder) {
    if (has_separator(name)) {
        const bool rooted = name[0] == '/' || name[0] == '\\';
        const std::string whole = rooted || folder.empty() ? name : folder + "/" + name;
        return resolve_platform_path(whole.c_str());
    }
    if (!folder.empty()) {
        // a file there is the one meant, a program or not
        const std::string beside = resolve_platform_path((folder + "/" + name).c_str());
        struct stat st {};
        if (!beside.empty() && ::stat(beside.c_str(), &st) == 0) return beside;
    }
    std::string disk_name = name;
    if (!to_disk_name(disk_name)) return {};
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (true) {
        const size_t colon = rest.find(':');
        std::string dir(rest.substr(0, colon));
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + disk_name;
        if (is_program(candidate)) return candidate;
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

// A parameter as the disk names it; a name that is there is given whole, so
// that a program started in another folder still finds it.
std::string disk_argument(const std::string& text) {
    const std::string there = resolve_platform_path(text.c_str());
    struct stat st {};
    if (!there.empty() && ::stat(there.c_str(), &st) == 0) return absolute(there);
    std::string disk = text;
    return to_disk_name(disk) ? disk : system_name_of(text);
}

// The parameters as the command line of the time read them: blanks between
// arguments, double quotes round one that holds blanks. A parameter text
// that names a file whole is that one file, blanks and all.
std::vector<std::string> split_parameters(const std::string& parameters) {
    std::vector<std::string> out;
    const size_t first = parameters.find_first_not_of(" \t");
    if (first == std::string::npos) return out;
    const size_t last = parameters.find_last_not_of(" \t");
    const std::string whole = parameters.substr(first, last - first + 1);
    if (!resolve_platform_path(whole.c_str()).empty() && crt_file_kind(whole.c_str()) != kCrtMissing) {
        out.push_back(disk_argument(whole));
        return out;
    }
    std::string current;
    bool quoted = false, any = false;
    for (size_t i = 0; i < whole.size(); ++i) {
        const char c = whole[i];
        if (kernel_text::is_pair_at(whole, i)) {
            current += whole.substr(i, 2);
            ++i;
            any = true;
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any) out.push_back(disk_argument(current));
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) out.push_back(disk_argument(current));
    return out;
}

// The result the programs of the time were given for a start that failed.
int start_error(int error) {
    switch (error) {
    case ENOENT: return SE_ERR_FNF;
    case ENOTDIR: return SE_ERR_PNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case ENOMEM:
    case EAGAIN: return SE_ERR_OOM;
    default: return 0;
    }
}

// The program started twice removed: the child between exits at once and
// is reaped here, so nothing is left for the program to wait for, and the
// grandchild tells through the pipe why its exec failed (nothing: it ran).
int spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return SE_ERR_OOM;
    const int quiet = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t child = ::fork();
    if (child == 0) {
        // only calls that are safe after fork from here on
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                const int e = errno;
                (void)!::write(report[1], &e, sizeof e);
            }
            ::_exit(0);
        }
        ::setsid();
        sigset_t all;
        sigemptyset(&all);
        ::sigprocmask(SIG_SETMASK, &all, nullptr);
        if (quiet >= 0) ::dup2(quiet, 0);
        // the program's own files and display connection stay with it
        ::close_range(3, static_cast<unsigned>(report[1]) - 1, 0);
        ::close_range(static_cast<unsigned>(report[1]) + 1, ~0u, 0);
        if (folder.empty() || ::chdir(folder.c_str()) == 0) ::execve(program.c_str(), argv.data(), environ);
        const int e = errno;
        (void)!::write(report[1], &e, sizeof e);
        ::_exit(127);
    }
    const int fork_error = errno;
    ::close(report[1]);
    if (quiet >= 0) ::close(quiet);
    if (child < 0) {
        ::close(report[0]);
        return start_error(fork_error);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    return n == static_cast<ssize_t>(sizeof error) ? start_error(error) : 42;
}

bool is_open_verb(const char* verb) {
    return verb == nullptr || *verb == '\0' || ::strcasecmp(verb, "open") == 0;
}

int shell_execute(const char* verb, const char* file, const char* parameters, const char* directory) {
    if (!is_open_verb(verb)) return SE_ERR_NOASSOC;
    if (file == nullptr || *file == '\0') return SE_ERR_FNF;
    std::string folder;
    if (directory != nullptr && *directory != '\0') {
        folder = resolve_platform_path(directory);
        if (!is_folder(folder)) return SE_ERR_PNF;
    }
    const std::string program = find_program(file, directory != nullptr ? directory : "");
    struct stat st {};
    if (program.empty() || ::stat(program.c_str(), &st) != 0) return SE_ERR_FNF;
    if (!is_program(program)) return SE_ERR_NOASSOC;
    return spawn(absolute(program), split_parameters(parameters != nullptr ? parameters : ""), folder);
}

}  // namespace

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show) {
    int result = automation::record_shell_call(owner, verb, file, parameters, directory, show);
    if (result == automation::kShellStartsPrograms) {
        result = shell_execute(verb, file, parameters, directory);
        platform_automation::record_event(result > 32 ? std::string("shell started the program")
                                                      : "shell could not start the program: " + std::to_string(result));
    }
    return reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(result));
}
