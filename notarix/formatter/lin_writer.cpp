#include "notarix/formatter/lin_writer.h"

#include <cstdio>
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
    output_.reset();
    // a link there would be written through to wherever it leads
    if (is_work_name_taken(temporary_)) {
        failed_ = true;
        return false;
    }
    // text mode: each line ends with CR LF in the file
    try {
        fd_ = crt_open(temporary_.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_TEXT);
    } catch (const std::bad_alloc&) {
        // the file may be made before memory runs out: no work file stays
        crt_remove(temporary_.c_str());
        throw;
    }
    failed_ = fd_ < 0;
    return fd_ >= 0;
}

int LinWriter::write_line(std::string_view text) {
    if (fd_ < 0 || failed_) return -1;
    line_.assign(text);
    line_ += '\n';
    scramble_line(line_, scrambled_, ++line_number_);
    if (!output_.append(fd_, scrambled_)) failed_ = true;
    return failed_ ? -1 : 0;
}

int LinWriter::write_header() {
    for (const char* line : {" [JOV:LIN:V1.00 ", "OV:3", "ZO:", "PP:82,110", "SP:82,90", "SS:100,100"}) {
        if (write_line(line) != 0) return -1;
    }
    return 0;
}

int LinWriter::write_text(int row, int column, std::string_view text) {
    char move[48];
    std::snprintf(move, sizeof move, "MV:1,%d,%d", row, column);
    if (write_line(move) != 0) return -1;
    std::string record = "ST:";
    record += text;
    return write_line(record);
}

int LinWriter::write_comment(std::string_view record) {
    std::string line = "#";
    line += record;
    return write_line(line);
}

int LinWriter::write_function_end() { return write_line("ZC:"); }

int LinWriter::write_trailer() { return write_line("OV:4"); }

int LinWriter::commit() {
    if (fd_ < 0) return -1;
    // made while the file is open, so that memory running out here leaves
    // it to abandon()
    const std::vector<ResultFile> result = {{temporary_, document_}};
    if (!output_.flush(fd_)) failed_ = true;
    const int closed = crt_close(fd_);
    fd_ = -1;
    if (failed_ || closed != 0) {
        crt_remove(temporary_.c_str());
        failed_ = true;
        return -1;
    }
    // an old document swaps names with the new one rather than being
    // written over by a rename, which would make the file system write the
    // new one out at once
    if (commit_result_files(result) >= 0) {
        failed_ = true;
        return -1;
    }
    return 0;
}

void LinWriter::abandon() {
    if (fd_ < 0) return;
    crt_close(fd_);
    fd_ = -1;
    output_.reset();
    crt_remove(temporary_.c_str());
}
