// Reading back what the converters write: scrambled result files line by
// line, plain files with CR LF line ends, and names beside a source.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "tests/common/temp_dir.h"

// The plain lines of a file whose every line is stored scrambled and ends
// with CR LF (the line end is checked and dropped).
inline std::vector<std::string> scrambled_file_lines(const std::string& path, bool expect_key = true) {
    const std::string bytes = read_raw(path);
    std::vector<std::string> lines;
    size_t pos = 0;
    int number = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size() - 1;
        const std::string stored = bytes.substr(pos, end - pos + 1);
        pos = end + 1;
        if (expect_key) {
            EXPECT_GE(stored[0], 1);
            EXPECT_LE(stored[0], 9);
        }
        std::string plain;
        unscramble_line(stored, plain, ++number);
        EXPECT_TRUE(plain.size() >= 2 && plain.compare(plain.size() - 2, 2, "\r\n") == 0) << plain;
        if (plain.size() >= 2) plain.resize(plain.size() - 2);
        lines.push_back(plain);
    }
    return lines;
}

// Lines of plain text; a CR before the LF is dropped.
inline std::vector<std::string> crlf_text_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

inline std::string with_extension(const std::string& path, const std::string& ext) {
    return path.substr(0, path.rfind('.')) + ext;
}

inline bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

// Calls a converter's entry with an argument vector, as the viewer does.
inline int call_converter(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}
