// A text file written line by line (LF goes out as CR LF) that remembers the
// first failed write, so a writer can check every write and its close in one
// place and never take a short file for a finished one.
#pragma once

#include <string>
#include <string_view>

class CheckedFile {
public:
    CheckedFile() = default;
    ~CheckedFile();
    CheckedFile(const CheckedFile&) = delete;
    CheckedFile& operator=(const CheckedFile&) = delete;

    // Claims the name for this process (crt_claim_file) and opens the file
    // there: false when another process holds it (held() then tells), a
    // folder, a link or a device stands there, or it cannot be made.
    bool create(const std::string& path);
    bool is_open() const { return fd_ >= 0; }
    bool held() const { return held_; }
    void write(std::string_view text);
    // Closes the file: true only when every write and the close succeeded.
    // The claim stays until it is taken or the object goes.
    bool close();
    bool failed() const { return failed_; }
    // Hands the claim to the caller, who lets it go (crt_release_claim).
    int take_claim();

private:
    int fd_ = -1;
    int claim_ = -1;
    bool failed_ = false;
    bool held_ = false;
};

// Test hook: from the n-th write on (counted over all files from this call,
// 0 = the next one), writes fail as on a full disk; -1 lifts it.
void fail_checked_writes_from(int n);
