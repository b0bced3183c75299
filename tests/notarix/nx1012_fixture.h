// Shared ground for the formatter tests: a scratch directory that serves as
// the program directory, a host that records message boxes, and runners that
// call the formatter and read its document back in plain form.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "notarix/formatter/nx1012.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace nx1012_test {

inline std::string fixture(const std::string& name) { return std::string(TEST_DATA_DIR) + "/nx1012/" + name; }

// Splits stored bytes into lines at LF, a CR before the LF dropped.
inline std::vector<std::string> split_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) lf = bytes.size();
        std::string line = bytes.substr(start, lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = lf + 1;
    }
    return lines;
}

// The document in plain form, one line each, joined with LF.
inline std::string read_plain_lin(const std::string& path) {
    std::string out;
    int number = 0;
    for (const std::string& stored : split_lines(read_raw(path))) {
        std::string plain;
        unscramble_line(stored, plain, ++number);
        out += plain + "\n";
    }
    return out;
}

// Writes lines scrambled, each with its number from 1, ending in CR LF.
inline void write_scrambled(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    int number = 0;
    for (const std::string& line : lines) {
        std::string stored;
        scramble_line(line + "\n", stored, ++number);
        stored.pop_back();
        bytes += stored + "\r\n";
    }
    write_raw(path, bytes);
}

inline std::string join_lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

class FormatterTest : public ::testing::Test {
protected:
    void SetUp() override { host_.program_directory = dir_.path(); }
    void TearDown() override { fail_formatter_block_for_tests(false); }

    std::vector<ShownBox>& shown_boxes() { return host_.boxes; }
    std::string program_dir() const { return dir_.path(); }

    std::string path(const std::string& name) const { return dir_.path(name); }

    // Copies a fixture into the scratch directory under another name.
    std::string copy_fixture(const std::string& name, const std::string& as) const {
        write_raw(path(as), read_raw(fixture(name)));
        return path(as);
    }

    int run(std::initializer_list<std::string> args) {
        std::vector<std::string> storage{"nx1012"};
        storage.insert(storage.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& s : storage) argv.push_back(s.data());
        return run_spec_formatter(static_cast<int>(argv.size()), argv.data());
    }

    TempDir dir_;
    RecordingHost host_;
};

}  // namespace nx1012_test
