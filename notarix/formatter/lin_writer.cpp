#include "notarix/formatter/lin_writer.h"

#include <charconv>
#include <new>

#include "common/analysis/result_files.h"
#include "common/analysis/scramble.h"
#include "common/text/file_names.h"
#include "platform/kernel/file_io.h"

LinWriter::~LinWriter() { abandon(); }

bool LinWriter::create(const std::string& document) {
    abandon();
    document_ = document;
    temporary_ = document;
    set_file_extension(temporary_, ".lnt");
    if (temporary_ == document_) temporary_ += ".tmp";
    line_number_ = 0;
    pending_.clear();
    pending_.reserve(kFirstBlock);
    // the work file is the run's own: another run of the document (or
    // anything but a plain file) under the name refuses this one
    if (claim_work_file(temporary_) != WorkClaim::kClaimed) {
        failed_ = true;
        return false;
    }
    claimed_ = true;
    // each line's LF goes to the file as CR LF, put there as the lines are
    // gathered, as text mode would
    try {
        fd_ = crt_open(temporary_.c_str(), CRT_O_WRONLY | CRT_O_TRUNC | CRT_O_BINARY);
    } catch (const std::bad_alloc&) {
        // no work file stays
        abandon();
        throw;
    }
    failed_ = fd_ < 0;
    if (failed_) abandon();
    return !failed_;
}

bool LinWriter::flush() {
    if (!failed_ && !pending_.empty()) {
        const int written = crt_write(fd_, pending_.data(), static_cast<unsigned>(pending_.size()));
        failed_ = written != static_cast<int>(pending_.size());
    }
    pending_.clear();
    return !failed_;
}

int LinWriter::put_line() {
    if (fd_ < 0 || failed_) return -1;
    line_ += '\n';
    scramble_line(line_, scrambled_, ++line_number_);
    std::string_view rest(scrambled_);
    for (size_t end; (end = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(end + 1)) {
        pending_.append(rest.data(), end);
        pending_ += "\r\n";
    }
    pending_.append(rest);
    if (pending_.size() >= kBlock && !flush()) return -1;
    return 0;
}

int LinWriter::write_line(std::string_view text) {
    line_.assign(text);
    return put_line();
}

int LinWriter::write_header() {
    for (const char* line : {" [JOV:LIN:V1.00 ", "OV:3", "ZO:", "PP:82,110", "SP:82,90", "SS:100,100"}) {
        if (write_line(line) != 0) return -1;
    }
    return 0;
}

namespace {
void append_number(std::string& out, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}
}  // namespace

int LinWriter::write_text(int row, int column, std::string_view text) {
    line_.assign("MV:1,");
    append_number(line_, row);
    line_ += ',';
    append_number(line_, column);
    if (put_line() != 0) return -1;
    line_.assign("ST:");
    line_ += text;
    return put_line();
}

int LinWriter::write_comment(std::string_view record) {
    line_.assign(1, '#');
    line_ += record;
    return put_line();
}

int LinWriter::write_function_end() { return write_line("ZC:"); }

int LinWriter::write_trailer() { return write_line("OV:4"); }

int LinWriter::commit() {
    if (fd_ < 0) return -1;
    // made while the file is open, so that memory running out here leaves
    // it to abandon()
    const std::vector<ResultFile> result = {{temporary_, document_}};
    flush();
    const int closed = crt_close(fd_);
    fd_ = -1;
    if (failed_ || closed != 0) {
        failed_ = true;
        abandon();
        return -1;
    }
    claimed_ = false;
    if (commit_result_files(result) >= 0) {
        failed_ = true;
        return -1;
    }
    return 0;
}

void LinWriter::abandon() {
    if (fd_ >= 0) crt_close(fd_);
    fd_ = -1;
    pending_.clear();
    if (claimed_) discard_work_files({{temporary_, document_}});
    claimed_ = false;
}
