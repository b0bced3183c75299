#include "platform/kernel/spare_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/kernel/directory_listings.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"

namespace {

// A batch needs a few at a time (the work files of one run); more would
// only wait for the scope's end.
constexpr size_t kSparesPerFolder = 8;

// A spare stays under the name it was retired with until it is taken (one
// rename to the new file's name) or until that name is used again (then it
// is moved aside under a name of its own first).
struct Spare {
    std::string path;   // absolute
    bool aside = false;  // under a spare name, no longer under its retired one
};

struct Spares {
    std::mutex lock;
    std::map<std::string, std::vector<Spare>> by_folder;  // absolute folder -> its spares
    size_t under_retired_names = 0;
    unsigned long next_number = 0;
    // the current directory as the scope numbered current_scope found it
    std::string current;
    unsigned current_scope = 0;
};

Spares& spares() {
    static Spares s;
    return s;
}

// The permission bits a file made with 0666 gets (the umask taken off), or
// -1 when the process's umask cannot be told: then nothing is reused, since
// a reused file keeps the bits it has.
int new_file_mode() {
    static const int mode = [] {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            unsigned mask = 0;
            if (std::sscanf(line.c_str(), "Umask: %o", &mask) == 1) return static_cast<int>(0666 & ~mask);
        }
        return -1;
    }();
    return mode;
}

// The current directory, asked once per listing scope: relative names are
// resolved for every path the layer opens. Only SetCurrentDirectoryA
// changes it, and that forgets it.
const std::string& current_directory(Spares& s) {
    const unsigned scope = crt_listing_scope_number();
    if (scope == 0 || scope != s.current_scope) {
        s.current = disk_current_directory();  // the disk's form: it is joined to disk paths
        s.current_scope = s.current.empty() ? 0 : scope;
    }
    return s.current;
}

// The folder of a resolved path, absolute, so that a change of the current
// directory between two runs does not lose a spare.
std::string absolute_folder(Spares& s, const std::string& resolved) {
    const size_t slash = resolved.rfind('/');
    std::string folder = slash == std::string::npos ? "" : slash == 0 ? "/" : resolved.substr(0, slash);
    if (!folder.empty() && folder[0] == '/') return folder;
    const std::string& current = current_directory(s);
    if (current.empty()) return {};
    return folder.empty() ? current : current + "/" + folder;
}

std::string absolute_path(Spares& s, const std::string& resolved) {
    if (!resolved.empty() && resolved[0] == '/') return resolved;
    const std::string folder = absolute_folder(s, resolved);
    if (folder.empty()) return {};
    const size_t slash = resolved.rfind('/');
    return folder + "/" + (slash == std::string::npos ? resolved : resolved.substr(slash + 1));
}

// The start of the names spares are kept under, this process's own.
const std::string& spare_prefix() {
    static const std::string prefix = ".~spare" + std::to_string(::getpid()) + "-";
    return prefix;
}

bool rename_without_replacing(const std::string& from, const std::string& to) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

}  // namespace

bool keep_spare_file(const std::string& resolved) {
    Spares& s = spares();
    std::lock_guard<std::mutex> guard(s.lock);
    if (!listing_scope_open() || new_file_mode() < 0 || listed_as_missing(resolved)) return false;
    const std::string folder = absolute_folder(s, resolved);
    if (folder.empty()) return false;
    std::vector<Spare>& kept = s.by_folder[folder];
    if (kept.size() >= kSparesPerFolder) return false;
    // to the layer the name is free from now on, as after a removal; whether
    // the file can serve is looked at when it is taken
    kept.push_back({absolute_path(s, resolved), false});
    ++s.under_retired_names;
    note_entry_removed(resolved);
    return true;
}

void move_spare_aside(const std::string& resolved) {
    Spares& s = spares();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.under_retired_names == 0 || resolved.empty()) return;
    // mostly no spare is kept under this last name anywhere: that is told
    // with no path made absolute
    const size_t slash = resolved.rfind('/');
    const std::string_view name = std::string_view(resolved).substr(slash == std::string::npos ? 0 : slash + 1);
    const auto retired_as = [&](const Spare& spare) {
        const std::string& p = spare.path;
        return !spare.aside && p.size() > name.size() && p.back() == name.back() &&
               p[p.size() - name.size() - 1] == '/' && p.ends_with(name);
    };
    bool named = false;
    for (const auto& [folder, kept] : s.by_folder)
        named = named || std::any_of(kept.begin(), kept.end(), retired_as);
    if (!named) return;
    const std::string path = absolute_path(s, resolved);
    auto found = s.by_folder.find(absolute_folder(s, resolved));
    if (found == s.by_folder.end()) return;
    std::vector<Spare>& kept = found->second;
    for (auto spare = kept.begin(); spare != kept.end(); ++spare) {
        if (spare->aside || spare->path != path) continue;
        --s.under_retired_names;
        const std::string aside = found->first + (found->first == "/" ? "" : "/") + spare_prefix() +
                                  std::to_string(s.next_number++);
        if (rename_without_replacing(spare->path, aside)) {
            *spare = {aside, true};
            note_entry_added(aside);
        } else {
            ::unlink(spare->path.c_str());
            kept.erase(spare);
        }
        return;
    }
}

bool spare_can_serve(const struct stat& st) {
    static const uid_t user = ::geteuid();
    static const gid_t group = ::getegid();
    return S_ISREG(st.st_mode) && st.st_nlink == 1 && st.st_uid == user && st.st_gid == group &&
           static_cast<int>(st.st_mode & 07777) == new_file_mode();
}

bool take_spare_file(const std::string& resolved) {
    Spares& s = spares();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.by_folder.empty()) return false;
    auto found = s.by_folder.find(absolute_folder(s, resolved));
    if (found == s.by_folder.end()) return false;
    std::vector<Spare>& kept = found->second;
    const std::string target = absolute_path(s, resolved);
    while (!kept.empty()) {
        const Spare spare = kept.back();
        if (rename_without_replacing(spare.path, target)) {
            kept.pop_back();
            if (!spare.aside) --s.under_retired_names;
            note_entry_removed(spare.path);
            note_entry_added(resolved);
            return true;
        }
        // the name is taken: the caller makes or opens it as usual
        if (errno == EEXIST) return false;
        // gone from under the layer, or a file system that cannot rename
        // without replacing: a retired file must not stay behind either way
        kept.pop_back();
        if (!spare.aside) --s.under_retired_names;
        ::unlink(spare.path.c_str());
        note_entry_removed(spare.path);
    }
    return false;
}

void remove_spare_files() {
    Spares& s = spares();
    std::lock_guard<std::mutex> guard(s.lock);
    for (const auto& [folder, kept] : s.by_folder)
        for (const Spare& spare : kept) {
            ::unlink(spare.path.c_str());
            note_entry_removed(spare.path);
        }
    s.by_folder.clear();
    s.under_retired_names = 0;
}

void forget_current_directory() {
    Spares& s = spares();
    std::lock_guard<std::mutex> guard(s.lock);
    s.current_scope = 0;
}
