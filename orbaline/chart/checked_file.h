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

    // Creates or truncates the file: false when it cannot be.
    bool create(const std::string& path);
    bool is_open() const { return fd_ >= 0; }
    void write(std::string_view text);
    // Closes the file: true only when every write and the close succeeded.
    bool close();
    bool failed() const { return failed_; }

private:
    int fd_ = -1;
    bool failed_ = false;
};

// Test hook: from the n-th write on (counted over all files from this call,
// 0 = the next one), writes fail as on a full disk; -1 lifts it.
void fail_checked_writes_from(int n);
