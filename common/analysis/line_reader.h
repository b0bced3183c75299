// Reads a text file line by line, with LF or CR LF ends (the line is handed
// out without them). A line over the reader's limit is cut there at a
// character boundary and its rest passed over while reading, so what is held
// stays bounded whatever the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class LineReader {
public:
    // Far beyond any real line of the files the system reads.
    static constexpr size_t kMaxLineBytes = 1u << 20;

    explicit LineReader(size_t line_limit = kMaxLineBytes) : line_limit_(line_limit) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool open(const char* path);
    // Reads the process's standard input (left open by close()).
    bool open_standard_input();
    void close();
    bool is_open() const { return fd_ >= 0; }
    // Bytes the open file holds (-1 when that cannot be told).
    int64_t file_size() const;
    // False at the end of the file (or on a read error, see failed()).
    // ended_with_newline tells whether the line had a line end.
    bool next(std::string& line, bool* ended_with_newline = nullptr);
    bool failed() const { return failed_; }

private:
    bool fill();
    bool cut_long_line(std::string& line, bool* ended_with_newline);
    void cut_at_limit(std::string& line) const;

    size_t line_limit_;
    int fd_ = -1;
    bool owns_fd_ = true;
    std::string buffer_;
    size_t pos_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};
