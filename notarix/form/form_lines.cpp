#include "notarix/form/form_lines.h"

#include "common/analysis/text_utils.h"
#include "platform/kernel/file_io.h"

bool FormLineReader::fill() {
    if (at_end_) return false;
    const int got = crt_read(handle_, block_, sizeof block_);
    if (got <= 0) {
        at_end_ = true;
        failed_ = got < 0;
        return false;
    }
    have_ = got;
    pos_ = 0;
    return true;
}

bool FormLineReader::next(std::string& line, int64_t& length) {
    line.clear();
    length = 0;
    bool any = false;
    for (;;) {
        if (pos_ >= have_ && !fill()) return any && !failed_;
        any = true;
        const char* start = block_ + pos_;
        const int rest = have_ - pos_;
        int n = 0;
        while (n < rest && start[n] != '\n') ++n;
        const int64_t room = kFormColumns + 1 - static_cast<int64_t>(line.size());
        if (room > 0) line.append(start, static_cast<size_t>(n < room ? n : room));
        length += n;
        pos_ += n;
        if (n < rest) {
            ++pos_;  // the line feed
            return true;
        }
    }
}

void blank_control_bytes(std::string& line) {
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
}

bool cut_to_form_width(std::string& line, int64_t length) {
    if (length <= kFormColumns) return false;
    line.resize(static_cast<size_t>(char_boundary_at_or_before(line, kFormColumns)));
    return true;
}
