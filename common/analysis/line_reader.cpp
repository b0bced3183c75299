#include "common/analysis/line_reader.h"

#include "common/analysis/text_utils.h"
#include "platform/kernel/file_io.h"

LineReader::~LineReader() { close(); }

bool LineReader::open(const char* path) {
    close();
    fd_ = crt_open(path, CRT_O_RDONLY | CRT_O_TEXT);
    return fd_ >= 0;
}

bool LineReader::open_standard_input() {
    close();
    fd_ = 0;
    owns_fd_ = false;
    return true;
}

void LineReader::close() {
    if (fd_ >= 0 && owns_fd_) crt_close(fd_);
    fd_ = -1;
    owns_fd_ = true;
    buffer_.clear();
    pos_ = 0;
    eof_ = false;
    failed_ = false;
}

int64_t LineReader::file_size() const { return fd_ >= 0 ? crt_filelength(fd_) : -1; }

bool LineReader::fill() {
    if (eof_ || fd_ < 0) return false;
    char chunk[8192];
    const int n = crt_read(fd_, chunk, sizeof chunk);
    if (n <= 0) {
        eof_ = true;
        failed_ = n < 0;
        return false;
    }
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    buffer_.append(chunk, static_cast<size_t>(n));
    return true;
}

// Whether the limit falls inside a double-byte character shows only with
// the bytes after it: the line is cut while it still holds them.
void LineReader::cut_at_limit(std::string& line) const {
    if (line.size() <= line_limit_) return;
    line.resize(static_cast<size_t>(char_boundary_at_or_before(line, static_cast<int>(line_limit_))));
}

bool LineReader::next(std::string& line, bool* ended_with_newline) {
    line.clear();
    if (fd_ < 0) return false;
    size_t scan = pos_;
    for (;;) {
        const size_t lf = buffer_.find('\n', scan);
        if (lf != std::string::npos) {
            line.assign(buffer_, pos_, lf - pos_);
            pos_ = lf + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            cut_at_limit(line);
            if (ended_with_newline) *ended_with_newline = true;
            return true;
        }
        scan = buffer_.size() - pos_;
        if (scan > line_limit_) return cut_long_line(line, ended_with_newline);
        if (!fill()) break;
        scan += pos_;
    }
    if (pos_ >= buffer_.size()) return false;
    line.assign(buffer_, pos_, std::string::npos);
    pos_ = buffer_.size();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    cut_at_limit(line);
    if (ended_with_newline) *ended_with_newline = false;
    return true;
}

bool LineReader::cut_long_line(std::string& line, bool* ended_with_newline) {
    line.assign(buffer_, pos_, line_limit_ + 1);
    cut_at_limit(line);
    // the rest of the line goes by a block at a time, never held whole
    bool newline = false;
    for (;;) {
        const size_t lf = buffer_.find('\n', pos_);
        if (lf != std::string::npos) {
            pos_ = lf + 1;
            newline = true;
            break;
        }
        pos_ = buffer_.size();
        if (!fill()) break;
    }
    if (ended_with_newline) *ended_with_newline = newline;
    return true;
}
