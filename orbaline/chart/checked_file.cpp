#include "orbaline/chart/checked_file.h"

#include "platform/kernel/file_io.h"

namespace {
int g_writes_until_failure = -1;
}

void fail_checked_writes_from(int n) { g_writes_until_failure = n; }

CheckedFile::~CheckedFile() { close(); }

bool CheckedFile::create(const std::string& path) {
    close();
    failed_ = false;
    fd_ = crt_open(path.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_TEXT, 0666);
    return fd_ >= 0;
}

void CheckedFile::write(std::string_view text) {
    if (fd_ < 0 || failed_ || text.empty()) {
        if (fd_ < 0) failed_ = true;
        return;
    }
    if (g_writes_until_failure == 0) {
        failed_ = true;
        return;
    }
    if (g_writes_until_failure > 0) --g_writes_until_failure;
    const int written = crt_write(fd_, text.data(), static_cast<unsigned>(text.size()));
    if (written < 0 || static_cast<size_t>(written) != text.size()) failed_ = true;
}

bool CheckedFile::close() {
    if (fd_ < 0) return false;
    const bool closed = crt_close(fd_) == 0;
    fd_ = -1;
    if (!closed) failed_ = true;
    return !failed_;
}
