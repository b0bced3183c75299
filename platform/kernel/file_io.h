// The kernel's file layer: what the C runtime of the original system gave the
// programs (unbuffered descriptors with text and binary modes), plus path
// handling that lets Windows-style names work on this file system.
//
// Every name taken or given here is in the system's form (Shift-JIS); the
// layer converts it to and from the disk's (UTF-8) at the boundary. A name on
// the disk without a Shift-JIS form is given escaped, and a call naming an
// escaped name fails as for a missing file (ENOENT): see disk_names.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kernel/sjis.h"

// Flags for crt_open. Text mode is the default; CRT_O_BINARY turns it off.
enum : int {
    CRT_O_RDONLY = 0x0000,
    CRT_O_WRONLY = 0x0001,
    CRT_O_RDWR = 0x0002,
    CRT_O_APPEND = 0x0008,
    CRT_O_CREAT = 0x0100,
    CRT_O_TRUNC = 0x0200,
    CRT_O_EXCL = 0x0400,
    CRT_O_TEXT = 0x4000,
    CRT_O_BINARY = 0x8000,
};

// Opens a file. The path goes through resolve_platform_path first. Returns a
// descriptor, or -1 with errno set (EMFILE when too many files are open,
// EACCES for anything but a plain file: folders, devices, FIFOs). An open
// for writing never follows a link at the name (ELOOP): nothing is ever
// written to wherever a link leads.
int crt_open(const char* path, int flags, int permission = 0666);

// Reads up to n bytes. In text mode CR LF arrives as LF (a lone CR stays).
// Returns the bytes stored, 0 at the end of the file, -1 on a read error.
int crt_read(int fd, void* buffer, unsigned n);

// Writes n bytes. In text mode every LF goes to the file as CR LF. Returns the
// number of the caller's bytes written (n on success), -1 on an error.
int crt_write(int fd, const void* buffer, unsigned n);

// Closes the descriptor: 0, or -1 when the close failed.
int crt_close(int fd);

// The true byte offset in the file of the next byte a read would return.
int64_t crt_tell(int fd);

// Moves the file position (whence as for lseek); drops any read-ahead.
int64_t crt_lseek(int fd, int64_t offset, int whence);

// Size in bytes of the open file, -1 on error (of a file opened for reading
// only, as the open found it).
int64_t crt_filelength(int fd);

// The size of the open file (as crt_filelength) and the time it was last
// written, in nanoseconds: together they tell whether a file read before
// has changed since; `changed`, when asked, the time its status last changed
// (a change of its rights moves it). False when the file cannot be examined.
bool crt_file_stamp(int fd, int64_t& size, int64_t& modified, int64_t* changed = nullptr);
// The same for a named file, without opening it.
bool crt_path_stamp(const char* path, int64_t& size, int64_t& modified, int64_t& changed);

// Size in bytes of a named file, -1 when it cannot be examined.
int64_t crt_file_size(const char* path);

// What a name is: missing, an ordinary file, or something else (a folder, a
// device) that a file of that name cannot replace.
enum : int { kCrtMissing = 0, kCrtRegularFile = 1, kCrtOtherEntry = 2 };
int crt_file_kind(const char* path);
// The same for the entry under the name itself, a link not followed: a link
// is kCrtOtherEntry whatever it leads to.
int crt_entry_kind(const char* path);

// Claims a name for this process's own file: makes an empty file there
// exclusively, or, when a file is there that no process holds (one left by
// a process that ended before removing it), removes it and makes the file
// afresh. The claim holds the file until crt_release_claim: another
// process's claim of the name fails meanwhile. The claim's handle (not a
// descriptor to read or write through), or -1 with errno: EBUSY when a
// process holds the file under the name, EACCES when anything but a plain
// file stands there (a folder, a link, a device), else as an open for
// writing would fail.
int crt_claim_file(const char* path);
// Holds the plain file that stands under the name as a claim does, without
// making or removing anything: the handle, or -1 (EBUSY when it is held).
int crt_hold_file(const char* path);
void crt_release_claim(int claim);
// The device and inode of the entry under the name itself (a link is not
// followed), or of a claim's file; false when there is none.
bool crt_entry_identity(const char* path, uint64_t& device, uint64_t& inode);
bool crt_claim_identity(int claim, uint64_t& device, uint64_t& inode);
// A second name for an existing file (0); -1 when the new name is taken or
// the file system cannot.
int crt_link(const char* old_path, const char* new_path);

int crt_remove(const char* path);                            // 0 or -1
int crt_rename(const char* old_path, const char* new_path);  // 0 or -1
// Swaps two existing names in one step (0); -1 with errno ENOTSUP where the
// file system cannot, so the caller takes another way.
int crt_exchange(const char* a, const char* b);
bool crt_exists(const char* path);
// True when both names reach one existing file (links and case included).
bool crt_same_file(const char* a, const char* b);
// The device and inode of an existing entry; false when nothing is there.
bool crt_file_identity(const char* path, uint64_t& device, uint64_t& inode);
// What an open would say, told without opening (and so without making a
// file): a plain file that can be read; a name where a file can be written,
// an existing plain file or a new one in a folder that takes entries. Both
// fail with EMFILE under the open limit, as an open would.
bool crt_can_read(const char* path);
bool crt_can_create(const char* path);

// Test hook: when limit >= 0, crt_open fails with EMFILE once `limit`
// descriptors opened through this layer are open. -1 lifts the limit.
void crt_set_open_limit(int limit);
int crt_open_count();
// Test hook: files opened from now on whose resolved path ends with path_end
// take no writes, as on a full disk (ENOSPC). nullptr or "" lifts it.
void crt_set_full_disk(const char* path_end);

// The disk path of a system name: maps "\" to "/" (never a Shift-JIS trail
// byte), converts the name to UTF-8, and when the path does not exist as
// written, matches its components without regard to case. For a path that
// is about to be created, the directories are matched and the last
// component is kept as written unless an existing entry matches it. "" for
// a name with no disk form (an escaped one): nothing is there.
std::string resolve_platform_path(const char* path);
// The same for a path already in the disk's form (the platform's own files).
std::string resolve_disk_path(const std::string& path);

// A listing scope: while one is open (they nest), the folders searched for a
// name written in another case are listed once and remembered, and the files
// this layer makes, renames and removes keep that memory true. A converter
// run, or a batch of them, opens one for its length; at the close of the
// last scope everything is forgotten.
void crt_begin_listing_scope();
void crt_end_listing_scope();
// A number for the outermost scope now open, new at each opening; 0 when
// none is open. What is kept for the length of a scope is kept under it.
unsigned crt_listing_scope_number();

class ListingScope {
public:
    ListingScope() { crt_begin_listing_scope(); }
    ~ListingScope() { crt_end_listing_scope(); }
    ListingScope(const ListingScope&) = delete;
    ListingScope& operator=(const ListingScope&) = delete;
};

// Shift-JIS aware path cutting: positions of the last "\" or "/", -1 if none.
int find_last_path_separator(const char* path);

// Environment: getenv/putenv of the runtime ("NAME=value"; "NAME=" removes).
// Values are in the system's form; the process environment holds UTF-8. A
// value read stays valid for the life of the process.
const char* crt_getenv(const char* name);
int crt_putenv(const char* assignment);

// A tool's command line in the system's form: the shell hands over UTF-8,
// and each argument is converted as a name from the disk would be.
class SystemArguments {
public:
    SystemArguments(int argc, char** argv);
    int count() const { return static_cast<int>(texts_.size()); }
    // argv-like, closed by a null pointer
    char** vector() { return pointers_.data(); }
    const std::string& operator[](int i) const { return texts_[static_cast<size_t>(i)]; }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

// The full path of the running executable, in the system's form (the module
// argument is ignored: a process here has one module). Returns the length
// copied, cut to size - 1.
uint32_t GetModuleFileNameA(void* module, char* buffer, uint32_t size);

// The directory of the running executable, without a trailing separator.
std::string get_program_directory();

// The current directory: its length, or the size it needs (with the closing
// zero) when the buffer is too small; 0 on failure.
uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer);
// Changes into a directory named as the system names it ("\" and case are
// resolved as for files). Nonzero on success.
int SetCurrentDirectoryA(const char* path);
// The current directory as a string, "" when it cannot be told.
std::string get_current_directory();

// The entries of a folder ("" the current one) but "." and "..", in byte
// order of their system names; false when it is no folder that can be read.
struct FolderEntry {
    std::string name;
    bool folder = false;
};
bool crt_list_folder(const char* folder, std::vector<FolderEntry>& entries);
