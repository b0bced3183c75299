#include "orbaline/chart/checked_file.h"

#include <cerrno>

#include "platform/kernel/file_io.h"

namespace {
int g_writes_until_failure = -1;
}

void fail_checked_writes_from(int n) { g_writes_until_failure = n; }

CheckedFile::~CheckedFile() {
    close();
    crt_release_claim(claim_);
}

bool CheckedFile::create(const std::string& path) {
    close();
    crt_release_claim(claim_);
    failed_ = held_ = false;
    claim_ = crt_claim_file(path.c_str());
    if (claim_ < 0) {
        held_ = errno == EBUSY;
        return false;
    }
    fd_ = crt_open(path.c_str(), CRT_O_WRONLY | CRT_O_TRUNC | CRT_O_TEXT, 0666);
    if (fd_ < 0) {
        crt_remove(path.c_str());
        crt_release_claim(claim_);
        claim_ = -1;
    }
    return fd_ >= 0;
}

int CheckedFile::take_claim() {
    const int claim = claim_;
    claim_ = -1;
    return claim;
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
