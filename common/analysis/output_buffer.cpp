#include "common/analysis/output_buffer.h"

#include "platform/kernel/file_io.h"

bool OutputBuffer::append(int fd, std::string_view text) {
    if (failed_) return false;
    pending_.append(text);
    return pending_.size() < kBlock || flush(fd);
}

bool OutputBuffer::flush(int fd) {
    if (!failed_ && !pending_.empty()) {
        const int written = crt_write(fd, pending_.data(), static_cast<unsigned>(pending_.size()));
        failed_ = written != static_cast<int>(pending_.size());
    }
    pending_.clear();
    return !failed_;
}

void OutputBuffer::reset() {
    pending_.clear();
    failed_ = false;
}
