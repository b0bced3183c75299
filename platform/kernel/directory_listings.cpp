#include "platform/kernel/directory_listings.h"

#include <dirent.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/kernel_text.h"

namespace {

// The name as every spelling of it without regard to case is written:
// single-byte letters in lower case. Names here are the disk's (UTF-8),
// where no byte of a multi-byte character is a letter.
std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = kernel_text::fold_ascii(c);
    return out;
}

// A folder's entry names by their folded form; the first in byte order of
// those that fold alike is the one a look-up gives.
using Listing = std::unordered_map<std::string, std::vector<std::string>>;

// A folder is known by its device and inode, however a path spells it.
using FolderId = std::pair<dev_t, ino_t>;

struct Listings {
    std::mutex lock;
    int scopes = 0;
    unsigned opened = 0;  // outermost scopes opened so far
    std::map<FolderId, Listing> folders;
    // folders named by an absolute path, as a scope found them
    std::unordered_map<std::string, FolderId> ids;
    // whether such a folder takes new entries, as a scope found it
    std::unordered_map<std::string, bool> writable;
    // the folders the last look-ups of a scope were in: a batch looks in
    // the same few again and again
    static constexpr size_t kRecent = 4;
    std::string recent_dir[kRecent];
    Listing* recent_listing[kRecent] = {};
    size_t next_recent = 0;
    std::string wanted;  // the folded name looked for, its room kept
    // the current directory (the disk's form), asked once a scope: names
    // without a folder, or with a relative one, are resolved against it
    std::string current;
    bool current_known = false;
    std::string absolute;  // a relative folder made absolute, its room kept
};

Listings& listings() {
    static Listings l;
    return l;
}

// An open folder, closed however its reading ends (a failed allocation too).
using OpenFolder = std::unique_ptr<DIR, int (*)(DIR*)>;

OpenFolder open_folder(const std::string& dir) { return OpenFolder(::opendir(dir.c_str()), ::closedir); }

bool list_folder(const std::string& dir, Listing& listing) {
    listing.clear();
    OpenFolder d = open_folder(dir);
    if (d == nullptr) return false;
    while (dirent* e = ::readdir(d.get())) {
        std::string_view entry(e->d_name);
        if (entry != "." && entry != "..") listing[folded(entry)].emplace_back(entry);
    }
    return true;
}

// Outside a scope: the folder is read for this one name.
bool scan_folder(const std::string& dir, std::string_view name, std::string& match) {
    OpenFolder d = open_folder(dir);
    if (d == nullptr) return false;
    const std::string wanted = folded(name);
    while (dirent* e = ::readdir(d.get())) {
        std::string_view entry(e->d_name);
        if (entry == "." || entry == ".." || entry.size() != name.size() || folded(entry) != wanted) continue;
        if (match.empty() || entry < match) match.assign(entry);
    }
    return true;
}

std::string first_match(const Listing& listing, std::string_view name) {
    auto match = listing.find(folded(name));
    if (match == listing.end() || match->second.empty()) return {};
    return *std::min_element(match->second.begin(), match->second.end());
}

// Inside a scope, a relative folder ("" or "." the current one) as an
// absolute path in l.absolute; nullptr when the current directory cannot be
// told. An absolute one is itself.
const std::string* absolute_folder(Listings& l, std::string_view dir) {
    if (!dir.empty() && dir[0] == '/') {
        l.absolute.assign(dir);
        return &l.absolute;
    }
    if (!l.current_known) {
        l.current = disk_current_directory();
        l.current_known = true;
    }
    if (l.current.empty()) return nullptr;
    l.absolute = l.current;
    if (!dir.empty() && dir != ".") {
        if (l.absolute.back() != '/') l.absolute += '/';
        l.absolute.append(dir);
    }
    return &l.absolute;
}

bool folder_id(Listings& l, const std::string& written, FolderId& id) {
    const std::string* absolute = l.scopes > 0 ? absolute_folder(l, written) : nullptr;
    const std::string& dir = absolute != nullptr ? *absolute : written;
    if (absolute != nullptr) {
        auto known = l.ids.find(dir);
        if (known != l.ids.end()) {
            id = known->second;
            return true;
        }
    }
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    id = {st.st_dev, st.st_ino};
    if (absolute != nullptr) l.ids.emplace(dir, id);
    return true;
}

// The remembered listing of the folder that holds a resolved path, and the
// path's last name; nullptr when that folder is not remembered.
Listing* remembered_folder(Listings& l, const std::string& path, std::string& name) {
    if (l.folders.empty()) return nullptr;
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    FolderId id;
    if (name.empty() || !folder_id(l, dir, id)) return nullptr;
    auto found = l.folders.find(id);
    return found == l.folders.end() ? nullptr : &found->second;
}

// The remembered listing of a folder inside a scope, listed now if need be;
// nullptr when `dir` is no folder.
Listing* scope_listing(Listings& l, const std::string& dir) {
    FolderId id;
    if (!folder_id(l, dir, id)) return nullptr;
    auto found = l.folders.find(id);
    if (found == l.folders.end()) {
        Listing listing;
        if (!list_folder(dir, listing)) return nullptr;
        found = l.folders.emplace(id, std::move(listing)).first;
    }
    return &found->second;
}

}  // namespace

bool resolve_from_listing(std::string& path) {
    if (path.empty()) return false;
    const size_t slash = path.rfind('/');
    if (slash == 0 || (slash != std::string::npos && slash + 1 >= path.size())) return false;
    const size_t name_at = slash == std::string::npos ? 0 : slash + 1;
    const std::string_view name = std::string_view(path).substr(name_at);
    if (name == "." || name == "..") return false;
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    if (l.scopes == 0) return false;
    // a name without a folder, or in a relative one, is looked for in the
    // folder it names from the current directory
    const std::string* absolute = absolute_folder(l, std::string_view(path).substr(0, name_at == 0 ? 0 : slash));
    if (absolute == nullptr) return false;
    const std::string folder = *absolute;
    Listing* listing = nullptr;
    for (size_t i = 0; i < Listings::kRecent && listing == nullptr; ++i)
        if (l.recent_listing[i] != nullptr && folder == l.recent_dir[i]) listing = l.recent_listing[i];
    if (listing == nullptr) {
        listing = scope_listing(l, folder);
        if (listing == nullptr) return false;
        const size_t slot = l.next_recent++ % Listings::kRecent;
        l.recent_dir[slot].assign(folder);
        l.recent_listing[slot] = listing;
    }
    l.wanted.assign(name);
    for (char& c : l.wanted) c = kernel_text::fold_ascii(c);
    auto alike = listing->find(l.wanted);
    if (alike == listing->end() || alike->second.empty() ||
        std::find(alike->second.begin(), alike->second.end(), name) != alike->second.end())
        return true;
    const std::string& first = *std::min_element(alike->second.begin(), alike->second.end());
    path.replace(name_at, std::string::npos, first);
    return true;
}

bool find_listed_entry(const std::string& dir, std::string_view name, std::string& match) {
    const std::string key = dir.empty() ? "." : dir;
    match.clear();
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    if (l.scopes == 0) return scan_folder(key, name, match);
    Listing* listing = scope_listing(l, key);
    if (listing == nullptr) return false;
    match = first_match(*listing, name);
    return true;
}

void note_entry_added(const std::string& path) {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    std::string name;
    if (Listing* listing = remembered_folder(l, path, name)) {
        std::vector<std::string>& alike = (*listing)[folded(name)];
        if (std::find(alike.begin(), alike.end(), name) == alike.end()) alike.push_back(name);
    }
}

void note_entry_removed(const std::string& path) {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    std::string name;
    if (Listing* listing = remembered_folder(l, path, name)) {
        auto alike = listing->find(folded(name));
        if (alike != listing->end()) std::erase(alike->second, name);
    }
}

bool listed_as_missing(const std::string& resolved) {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    if (l.scopes == 0 || resolved.empty()) return false;
    std::string name;
    const Listing* listing = remembered_folder(l, resolved, name);
    if (listing == nullptr || name == "." || name == "..") return false;
    const auto alike = listing->find(folded(name));
    return alike == listing->end() || std::find(alike->second.begin(), alike->second.end(), name) == alike->second.end();
}

bool folder_takes_entries(const std::string& folder) {
    auto look = [&] {
        struct stat st;
        // the rights the process has now, as an open would find them
        return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
               ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
    };
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    const std::string* absolute = l.scopes > 0 && !folder.empty() ? absolute_folder(l, folder) : nullptr;
    if (absolute == nullptr) return look();
    auto known = l.writable.find(*absolute);
    if (known == l.writable.end()) known = l.writable.emplace(*absolute, look()).first;
    return known->second;
}

void forget_listed_current_directory() {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    // relative names now lie elsewhere; the folders' listings stay true
    l.current_known = false;
    l.ids.clear();
    l.writable.clear();
    for (Listing*& recent : l.recent_listing) recent = nullptr;
}

void crt_begin_listing_scope() {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    if (l.scopes++ == 0 && ++l.opened == 0) l.opened = 1;
}

unsigned crt_listing_scope_number() {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    return l.scopes > 0 ? l.opened : 0;
}

bool listing_scope_open() {
    Listings& l = listings();
    std::lock_guard<std::mutex> guard(l.lock);
    return l.scopes > 0;
}

void crt_end_listing_scope() {
    Listings& l = listings();
    {
        std::lock_guard<std::mutex> guard(l.lock);
        if (l.scopes == 0 || --l.scopes > 0) return;
        l.folders.clear();
        l.ids.clear();
        l.writable.clear();
        for (Listing*& recent : l.recent_listing) recent = nullptr;
        l.current_known = false;
    }
}
