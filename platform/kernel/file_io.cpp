// Unbuffered descriptors with the text mode of the original C runtime: CR LF
// in the file is LF to the program, and an LF written goes out as CR LF.
//
// A text read that ends on a CR has to look at the next byte to know whether
// it is a line end; that byte is kept with the descriptor until the next read,
// so the layer reports the true offset (crt_tell) and never loses the byte.
#include "platform/kernel/file_io.h"

#include "platform/kernel/directory_listings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <unordered_map>

namespace {

struct Descriptor {
    bool text = true;
    int pending = -1;  // read-ahead byte after a CR at the end of a chunk, or -1
    bool full = false;  // test hook: every write fails as on a full disk
    int64_t position = 0;  // where the next write goes
    // a file opened for reading only, as the open found it: its size and
    // times are asked of the open descriptor again and again
    bool read_only = false;
    int64_t size = 0;
    struct timespec modified {};
    struct timespec changed {};
    uint64_t device = 0, inode = 0;
    std::string path{};  // resolved, of a file opened for reading only
    int64_t read_to = 0;  // the disk offset reads have reached
};

// Everything the layer knows about open files; one lock, since the programs
// hardly share descriptors across threads and reads are short.
struct FileTable {
    std::mutex lock;
    std::unordered_map<int, Descriptor> open;
    int limit = -1;
    std::string full_suffix;  // files opened with a path ending so are on a "full disk"
};

FileTable& table() {
    static FileTable t;
    return t;
}

// The file each claim or hold keeps open, as its open found it. A claim's
// new empty file also serves the first open of its name for writing afresh:
// one descriptor less to open, examine and close for every work file.
struct HeldFile {
    uint64_t device = 0, inode = 0;
    std::string made_at;  // the resolved name while it still leads to the new file
    bool lent = false;
};
std::mutex g_held_lock;
std::unordered_map<int, HeldFile> g_held;

// The claim whose new file stands under the name, not lent yet: its
// descriptor (now lent), else -1.
int lend_claimed_file(const std::string& resolved) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    for (auto& [fd, held] : g_held) {
        if (held.lent || held.made_at != resolved) continue;
        held.lent = true;
        return fd;
    }
    return -1;
}

// The name no longer leads to a claim's new file (renamed, removed).
void forget_made_at(const std::string& resolved) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    for (auto& entry : g_held)
        if (entry.second.made_at == resolved) entry.second.made_at.clear();
}

// A lent descriptor is the claim's: its close leaves the file open.
bool is_lent(int fd) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    const auto it = g_held.find(fd);
    return it != g_held.end() && it->second.lent;
}

void forget_held(int fd) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    g_held.erase(fd);
}

// Descriptors the layer did not open: the standard streams pass through as
// binary (this terminal wants LF); anything else is a bad descriptor.
Descriptor* find_descriptor(FileTable& t, int fd, Descriptor& standard) {
    auto it = t.open.find(fd);
    if (it != t.open.end()) return &it->second;
    if (fd >= 0 && fd <= 2) {
        standard = Descriptor{false, -1};
        return &standard;
    }
    errno = EBADF;
    return nullptr;
}

ssize_t read_retrying(int fd, void* buffer, size_t n) {
    ssize_t r;
    do {
        r = ::read(fd, buffer, n);
    } while (r < 0 && errno == EINTR);
    return r;
}

// Writes all of n bytes; returns the count written before an error.
size_t write_all(int fd, const char* data, size_t n, bool& failed) {
    size_t done = 0;
    failed = false;
    while (done < n) {
        ssize_t w = ::write(fd, data + done, n - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            failed = true;
            break;
        }
        done += static_cast<size_t>(w);
    }
    return done;
}

// Puts the file position back where the program thinks it is (before the
// read-ahead byte), so a write or a seek starts at the right place.
int drop_pending(int fd, Descriptor& d) {
    if (d.pending < 0) return 0;
    d.pending = -1;
    return ::lseek(fd, -1, SEEK_CUR) < 0 ? -1 : 0;
}

int text_read(int fd, Descriptor& d, unsigned char* buf, unsigned n) {
    size_t have = 0;
    if (d.pending >= 0) {
        buf[have++] = static_cast<unsigned char>(d.pending);
        d.pending = -1;
    }
    if (have < n) {
        ssize_t r = read_retrying(fd, buf + have, n - have);
        if (r > 0) d.read_to += r;
        if (r < 0) {
            if (have) d.pending = buf[0];  // keep it for a later read
            return -1;
        }
        have += static_cast<size_t>(r);
    }
    if (have == 0) return 0;

    // Translate in place: the output never runs ahead of the input.
    size_t out = 0;
    for (size_t i = 0; i < have; ++i) {
        unsigned char c = buf[i];
        if (c != '\r') {
            buf[out++] = c;
        } else if (i + 1 < have) {
            if (buf[i + 1] == '\n') {
                buf[out++] = '\n';
                ++i;
            } else {
                buf[out++] = '\r';
            }
        } else {
            unsigned char next;
            ssize_t r = read_retrying(fd, &next, 1);
            if (r > 0) d.read_to += r;
            if (r < 0) {
                // Deliver what came before the CR; the CR waits for the retry.
                d.pending = '\r';
                if (out == 0) return -1;
                return static_cast<int>(out);
            }
            if (r == 1 && next == '\n') {
                buf[out++] = '\n';
            } else {
                buf[out++] = '\r';
                if (r == 1) d.pending = next;
            }
        }
    }
    return static_cast<int>(out);
}

// `file_bytes` grows by the bytes that reached the file.
int text_write(int fd, const unsigned char* data, unsigned n, int64_t& file_bytes) {
    // large enough that a writer's whole block goes out in a few calls
    constexpr size_t kChunk = 32768;
    char expanded[kChunk * 2];
    size_t written = 0;  // caller bytes fully in the file
    while (written < n) {
        const size_t take = std::min<size_t>(kChunk, n - written);
        size_t len = 0;
        for (size_t i = 0; i < take; ++i) {
            if (data[written + i] == '\n') expanded[len++] = '\r';
            expanded[len++] = static_cast<char>(data[written + i]);
        }
        bool failed = false;
        size_t done = write_all(fd, expanded, len, failed);
        file_bytes += static_cast<int64_t>(done);
        if (failed) {
            // Count the caller's bytes whose whole expansion reached the file.
            size_t used = 0;
            for (size_t i = 0; i < take; ++i) {
                size_t width = data[written + i] == '\n' ? 2 : 1;
                if (used + width > done) break;
                used += width;
                ++written;
            }
            return written ? static_cast<int>(written) : -1;
        }
        written += take;
    }
    return static_cast<int>(written);
}

int posix_flags(int flags) {
    int out = O_CLOEXEC;
    if (flags & CRT_O_RDWR) {
        out |= O_RDWR;
    } else if (flags & CRT_O_WRONLY) {
        out |= O_WRONLY;
    } else {
        out |= O_RDONLY;
    }
    if (flags & CRT_O_APPEND) out |= O_APPEND;
    if (flags & CRT_O_CREAT) out |= O_CREAT;
    if (flags & CRT_O_TRUNC) out |= O_TRUNC;
    if (flags & CRT_O_EXCL) out |= O_EXCL;
    if (flags & (CRT_O_WRONLY | CRT_O_RDWR)) out |= O_NOFOLLOW;
    return out;
}

// A name with no disk form (an escaped one) names no file: -1, ENOENT.
int no_disk_name() {
    errno = ENOENT;
    return -1;
}

// Only a plain file is a file to the programs: a folder fails as it does on
// the system they were written for, and a device or FIFO would never end (or
// never start) being read. The descriptor with its status in `st`, or -1
// with EACCES once it is closed.
int plain_or_refused(int fd, struct stat& st) {
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) return fd;
    ::close(fd);
    errno = EACCES;
    return -1;
}

// Opens a plain file: the descriptor with its status in `st`, or -1.
int open_plain_file(const std::string& resolved, int flags, int permission, struct stat& st) {
    int fd;
    do {
        // not blocking: a FIFO without a writer would hold the open forever
        fd = ::open(resolved.c_str(), posix_flags(flags) | O_NONBLOCK, static_cast<mode_t>(permission));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENFILE) errno = EMFILE;  // the runtime knows one "too many files"
        return -1;
    }
    return plain_or_refused(fd, st);
}

// The latest looks at names inside a listing scope, each for one question
// that follows it (whether the file there can be read, its stamp): one look
// a name. A file opened for reading begins the work on what was looked at,
// so the looks go then: none outlives the run that made it.
struct Look {
    std::string resolved;
    unsigned scope = 0;
    struct stat st {};
};
constexpr size_t kLooksKept = 8;
thread_local Look g_looks[kLooksKept];
thread_local size_t g_next_look = 0;

void remember_look(const std::string& resolved, const struct stat& st) {
    const unsigned scope = crt_listing_scope_number();
    if (scope == 0) return;
    g_looks[g_next_look] = {resolved, scope, st};
    g_next_look = (g_next_look + 1) % kLooksKept;
}

void forget_looks() {
    for (Look& l : g_looks) l = Look{};
}

// A remembered look at the name, taken once.
bool take_look(const std::string& resolved, struct stat& st) {
    const unsigned scope = crt_listing_scope_number();
    for (Look& l : g_looks) {
        if (l.scope == 0 || l.scope != scope || l.resolved != resolved) continue;
        st = l.st;
        l = Look{};
        return true;
    }
    return false;
}
}  // namespace

int crt_open(const char* path, int flags, int permission) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    const std::string resolved = resolve_platform_path(path);
    if (resolved.empty()) return no_disk_name();
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    if (t.limit >= 0 && static_cast<int>(t.open.size()) >= t.limit) {
        errno = EMFILE;
        return -1;
    }
    // an open for writing afresh, made or not
    const int fresh = CRT_O_WRONLY | CRT_O_TRUNC;
    const int lent =
        (flags & (fresh | CRT_O_RDWR | CRT_O_APPEND | CRT_O_EXCL)) == fresh ? lend_claimed_file(resolved) : -1;
    if ((flags & (CRT_O_WRONLY | CRT_O_RDWR)) == 0) forget_looks();
    struct stat st{};
    const int fd = lent >= 0 ? lent : open_plain_file(resolved, flags, permission, st);
    if (fd < 0) return -1;
    // O_NONBLOCK means nothing to a plain file, so it stays
    const std::string& suffix = t.full_suffix;
    const bool full = !suffix.empty() && resolved.size() >= suffix.size() &&
                      resolved.compare(resolved.size() - suffix.size(), suffix.size(), suffix) == 0;
    // memory that runs out here must not leave the file open behind the caller
    try {
        Descriptor& d = t.open[fd] = Descriptor{(flags & CRT_O_BINARY) == 0, -1, full};
        d.read_only = (flags & (CRT_O_WRONLY | CRT_O_RDWR)) == 0;
        d.size = static_cast<int64_t>(st.st_size);
        d.modified = st.st_mtim;
        d.changed = st.st_ctim;
        if (d.read_only) {
            d.device = static_cast<uint64_t>(st.st_dev);
            d.inode = static_cast<uint64_t>(st.st_ino);
            d.path = resolved;
        }
        if ((flags & CRT_O_CREAT) && lent < 0) note_entry_added(resolved);
    } catch (...) {
        t.open.erase(fd);
        if (lent < 0) ::close(fd);
        throw;
    }
    return fd;
}

int crt_read(int fd, void* buffer, unsigned n) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    Descriptor* d = find_descriptor(t, fd, standard);
    if (!d) return -1;
    if (n == 0) return 0;
    if (!buffer) {
        errno = EINVAL;
        return -1;
    }
    // a file read to the size its open found is read to its end: the
    // program reads the file as it was then, without asking once more
    if (d->read_only && d->size > 0 && d->pending < 0 && d->read_to >= d->size) return 0;
    if (!d->text) {
        ssize_t r = read_retrying(fd, buffer, n);
        if (r > 0) d->read_to += r;
        return r < 0 ? -1 : static_cast<int>(r);
    }
    return text_read(fd, *d, static_cast<unsigned char*>(buffer), n);
}

int crt_write(int fd, const void* buffer, unsigned n) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    Descriptor* d = find_descriptor(t, fd, standard);
    if (!d) return -1;
    if (n == 0) return 0;
    if (!buffer) {
        errno = EINVAL;
        return -1;
    }
    if (d->full) {
        errno = ENOSPC;
        return -1;
    }
    if (drop_pending(fd, *d) < 0) return -1;
    if (d->text) return text_write(fd, static_cast<const unsigned char*>(buffer), n, d->position);
    bool failed = false;
    size_t done = write_all(fd, static_cast<const char*>(buffer), n, failed);
    d->position += static_cast<int64_t>(done);
    if (failed && done == 0) return -1;
    return static_cast<int>(done);
}

int crt_close(int fd) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.open.find(fd);
    if (it == t.open.end() && (fd < 0 || fd > 2)) {
        errno = EBADF;
        return -1;
    }
    if (it != t.open.end()) {
        t.open.erase(it);
        if (is_lent(fd)) return 0;
    }
    // Linux releases the descriptor even when close reports an error, so it
    // is never retried.
    return ::close(fd) == 0 ? 0 : -1;
}

int64_t crt_tell(int fd) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    Descriptor* d = find_descriptor(t, fd, standard);
    if (!d) return -1;
    off_t pos = ::lseek(fd, 0, SEEK_CUR);
    if (pos < 0) return -1;
    return static_cast<int64_t>(pos) - (d->pending >= 0 ? 1 : 0);
}

int64_t crt_lseek(int fd, int64_t offset, int whence) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    Descriptor* d = find_descriptor(t, fd, standard);
    if (!d) return -1;
    if (whence == SEEK_CUR && d->pending >= 0) offset -= 1;  // relative to the program's position
    off_t pos = ::lseek(fd, static_cast<off_t>(offset), whence);
    if (pos < 0) return -1;
    d->pending = -1;
    d->position = static_cast<int64_t>(pos);
    d->read_to = static_cast<int64_t>(pos);
    return static_cast<int64_t>(pos);
}

int64_t crt_filelength(int fd) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    const Descriptor* d = find_descriptor(t, fd, standard);
    if (!d) return -1;
    if (d->read_only) return d->size;
    struct stat st;
    if (::fstat(fd, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

namespace {
int64_t nanoseconds(const struct timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; }
}  // namespace

bool crt_file_stamp(int fd, int64_t& size, int64_t& modified, int64_t* changed) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    Descriptor standard;
    const Descriptor* d = find_descriptor(t, fd, standard);
    if (d != nullptr && d->read_only) {
        size = d->size;
        modified = nanoseconds(d->modified);
        if (changed != nullptr) *changed = nanoseconds(d->changed);
        return true;
    }
    struct stat st;
    // one look at the file gives both
    if (!d || ::fstat(fd, &st) != 0) return false;
    size = static_cast<int64_t>(st.st_size);
    modified = nanoseconds(st.st_mtim);
    if (changed != nullptr) *changed = nanoseconds(st.st_ctim);
    return true;
}


bool crt_path_stamp(const char* path, int64_t& size, int64_t& modified, int64_t& changed) {
    if (!path || !*path) return false;
    const std::string resolved = resolve_platform_path(path);
    struct stat st;
    // asked of the disk, not of the listing: a file made meanwhile by
    // another hand is seen (a look just taken at the name answers for it)
    if (!take_look(resolved, st) && ::stat(resolved.c_str(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) return false;
    size = static_cast<int64_t>(st.st_size);
    modified = nanoseconds(st.st_mtim);
    changed = nanoseconds(st.st_ctim);
    return true;
}

int64_t crt_file_size(const char* path) {
    if (!path) return -1;
    struct stat st;
    if (::stat(resolve_platform_path(path).c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

int crt_file_kind(const char* path) {
    if (!path || !*path) return kCrtMissing;
    const std::string resolved = resolve_platform_path(path);
    struct stat st;
    if (listed_as_missing(resolved) || ::stat(resolved.c_str(), &st) != 0) return kCrtMissing;
    return S_ISREG(st.st_mode) ? kCrtRegularFile : kCrtOtherEntry;
}

int crt_entry_kind(const char* path) {
    if (!path || !*path) return kCrtMissing;
    struct stat st;
    // asked of the disk itself: a link another process made is never missed
    if (::lstat(resolve_platform_path(path).c_str(), &st) != 0) return kCrtMissing;
    return S_ISREG(st.st_mode) ? kCrtRegularFile : kCrtOtherEntry;
}

namespace {

bool same_identity(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

void note_held(int fd, const struct stat& st, const std::string& made_at = {}) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    g_held[fd] = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), made_at, false};
}

// True while the name still leads to the open file found as `open_file`.
bool name_leads_to(const std::string& resolved, const struct stat& open_file) {
    struct stat at_name;
    return ::lstat(resolved.c_str(), &at_name) == 0 && same_identity(at_name, open_file);
}

// A file made here and examined under its hold: removed meanwhile, it would
// have no name left.
bool still_linked(const struct stat& open_file) { return open_file.st_nlink > 0; }

// Opens the plain file under the name for a claim and holds it: the handle,
// or -1 (EBUSY when another holds it, EACCES for anything but a plain file).
int open_held(const std::string& resolved, int extra_flags, struct stat& st) {
    const int fd = ::open(resolved.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | extra_flags, 0666);
    if (fd < 0) {
        if (errno == ELOOP) errno = EACCES;
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        errno = EBUSY;
        return -1;
    }
    // examined once held: a file still linked then is still under its name,
    // since a run that takes a leftover removes it only while holding it
    return plain_or_refused(fd, st);
}

}  // namespace

int crt_claim_file(const char* path) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    const std::string resolved = resolve_platform_path(path);
    if (resolved.empty()) return no_disk_name();
    // A few rounds at most: each one either ends or removed a leftover.
    for (int round = 0; round < 8; ++round) {
        struct stat st;
        int fd = open_held(resolved, O_CREAT | O_EXCL, st);
        if (fd >= 0) {
            // between the making and the hold another may have taken the
            // file for a leftover and put its own in its place
            if (still_linked(st)) {
                // memory running out here must leave no file behind the caller
                try {
                    note_entry_added(resolved);
                    note_held(fd, st, resolved);
                } catch (...) {
                    ::unlink(resolved.c_str());
                    ::close(fd);
                    throw;
                }
                return fd;
            }
            ::close(fd);
            errno = EBUSY;
            return -1;
        }
        if (errno != EEXIST) return -1;
        fd = open_held(resolved, 0, st);
        if (fd < 0) {
            if (errno == ENOENT) continue;  // gone meanwhile
            return -1;
        }
        // Held by nobody: a leftover. It is removed rather than written
        // over, since it may share its file with a result.
        if (name_leads_to(resolved, st)) ::unlink(resolved.c_str());
        ::close(fd);
    }
    errno = EBUSY;
    return -1;
}

int crt_hold_file(const char* path) {
    if (!path) {
        errno = EINVAL;
        return -1;
    }
    const std::string resolved = resolve_platform_path(path);
    if (resolved.empty()) return no_disk_name();
    struct stat st;
    const int fd = open_held(resolved, 0, st);
    if (fd < 0) return -1;
    try {
        note_held(fd, st);
    } catch (...) {
        ::close(fd);
        throw;
    }
    return fd;
}

void crt_release_claim(int claim) {
    if (claim < 0) return;
    {
        // a lent descriptor still open goes with its claim
        FileTable& t = table();
        std::lock_guard<std::mutex> guard(t.lock);
        if (is_lent(claim)) t.open.erase(claim);
    }
    forget_held(claim);
    ::close(claim);
}

bool crt_entry_identity(const char* path, uint64_t& device, uint64_t& inode) {
    if (!path || !*path) return false;
    struct stat st;
    if (::lstat(resolve_platform_path(path).c_str(), &st) != 0) return false;
    device = static_cast<uint64_t>(st.st_dev);
    inode = static_cast<uint64_t>(st.st_ino);
    return true;
}

bool crt_claim_identity(int claim, uint64_t& device, uint64_t& inode) {
    std::lock_guard<std::mutex> guard(g_held_lock);
    const auto it = g_held.find(claim);
    if (it == g_held.end()) return false;
    device = it->second.device;
    inode = it->second.inode;
    return true;
}

int crt_link(const char* old_path, const char* new_path) {
    if (!old_path || !new_path) return -1;
    const std::string from = resolve_platform_path(old_path), to = resolve_platform_path(new_path);
    if (from.empty() || to.empty()) return no_disk_name();
    if (::link(from.c_str(), to.c_str()) != 0) return -1;
    try {
        note_entry_added(to);
    } catch (...) {
        ::unlink(to.c_str());
        throw;
    }
    return 0;
}

int crt_remove(const char* path) {
    if (!path) return -1;
    const std::string resolved = resolve_platform_path(path);
    if (listed_as_missing(resolved)) {
        errno = ENOENT;
        return -1;
    }
    if (::unlink(resolved.c_str()) != 0) return -1;
    note_entry_removed(resolved);
    forget_made_at(resolved);
    return 0;
}

int crt_rename(const char* old_path, const char* new_path) {
    if (!old_path || !new_path) return -1;
    // POSIX rename replaces an existing target in one step, which is what the
    // writers rely on to swap in a finished file.
    const std::string from = resolve_platform_path(old_path), to = resolve_platform_path(new_path);
    if (::rename(from.c_str(), to.c_str()) != 0) return -1;
    forget_made_at(from);
    forget_made_at(to);
    note_entry_removed(from);
    note_entry_added(to);
    return 0;
}

int crt_exchange(const char* a, const char* b) {
    if (!a || !b) return -1;
    const std::string first = resolve_platform_path(a), second = resolve_platform_path(b);
    // both names stay, so the listings kept for the run stay true
    if (::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE) == 0) {
        forget_made_at(first);
        forget_made_at(second);
        return 0;
    }
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) errno = ENOTSUP;
    return -1;
}

bool crt_exists(const char* path) {
    if (!path || !*path) return false;
    const std::string resolved = resolve_platform_path(path);
    struct stat st;
    return ::stat(resolved.c_str(), &st) == 0;
}

bool crt_same_file(const char* a, const char* b) {
    if (!a || !*a || !b || !*b) return false;
    struct stat sa, sb;
    if (::stat(resolve_platform_path(a).c_str(), &sa) != 0 || ::stat(resolve_platform_path(b).c_str(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}


bool crt_file_identity(const char* path, uint64_t& device, uint64_t& inode) {
    if (!path || !*path) return false;
    const std::string resolved = resolve_platform_path(path);
    {
        // a file open for reading under the name is the file the name means
        FileTable& t = table();
        std::lock_guard<std::mutex> guard(t.lock);
        for (const auto& [fd, d] : t.open) {
            if (!d.read_only || d.path != resolved) continue;
            device = d.device;
            inode = d.inode;
            return true;
        }
    }
    struct stat st;
    if (listed_as_missing(resolved) || ::stat(resolved.c_str(), &st) != 0) return false;
    remember_look(resolved, st);
    device = static_cast<uint64_t>(st.st_dev);
    inode = static_cast<uint64_t>(st.st_ino);
    return true;
}

namespace {
bool below_open_limit() {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    if (t.limit < 0 || static_cast<int>(t.open.size()) < t.limit) return true;
    errno = EMFILE;
    return false;
}
}  // namespace

bool crt_can_read(const char* path) {
    if (!path || !*path || !below_open_limit()) return false;
    const std::string resolved = resolve_platform_path(path);
    struct stat st;
    if (!take_look(resolved, st) && ::stat(resolved.c_str(), &st) != 0) return false;
    if (!S_ISREG(st.st_mode)) {
        errno = EACCES;
        return false;
    }
    // modes that grant reading to everyone grant it to this process too
    if ((st.st_mode & 0444) == 0444) return true;
    // the owner's own file is judged by its owner bits alone, as an open
    // would judge it; anything else the kernel judges
    static const uid_t me = ::geteuid();
    if (me != 0 && st.st_uid == me) {
        if (st.st_mode & S_IRUSR) return true;
        errno = EACCES;
        return false;
    }
    return ::faccessat(AT_FDCWD, resolved.c_str(), R_OK, AT_EACCESS) == 0;
}

bool crt_can_create(const char* path) {
    if (!path || !*path || !below_open_limit()) return false;
    const std::string resolved = resolve_platform_path(path);
    if (resolved.empty()) {
        no_disk_name();
        return false;
    }
    struct stat st;
    // a name the run's listing does not hold needs only its folder's rights
    if (!listed_as_missing(resolved)) {
        if (::stat(resolved.c_str(), &st) == 0) {
            if (!S_ISREG(st.st_mode)) {
                errno = EACCES;
                return false;
            }
            return ::faccessat(AT_FDCWD, resolved.c_str(), W_OK, AT_EACCESS) == 0;
        }
        if (errno != ENOENT) return false;
    }
    const size_t slash = resolved.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : resolved.substr(0, slash);
    if (folder_takes_entries(folder)) return true;
    errno = EACCES;
    return false;
}

void crt_set_open_limit(int limit) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.limit = limit < 0 ? -1 : limit;
}

void crt_set_full_disk(const char* path_end) {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    t.full_suffix = path_end != nullptr ? path_end : "";
}

int crt_open_count() {
    FileTable& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return static_cast<int>(t.open.size());
}
