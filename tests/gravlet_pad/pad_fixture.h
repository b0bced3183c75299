// What the PAD tests share: the fixtures of tests/data/gravlet in their three
// stored forms, a program directory with the shipped settings, and a host
// that records what the reader and the output show.
#pragma once

#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "gravlet/pad/pad_document.h"
#include "gravlet/pad/pad_host.h"
#include "gravlet/pad/settings_layout.h"
#include "tests/common/temp_dir.h"

namespace pad_test {

inline const std::string kDataDir = std::string(TEST_DATA_DIR) + "/gravlet/";
inline const std::string kShippedSettings = std::string(TEST_DATA_DIR) + "/../../resources/gravlet/gx1000s.prm";

// How a .pds may lie on disk: the readers take all three alike.
enum class Form { Plain, CrLf, Scrambled };
inline const Form kForms[] = {Form::Plain, Form::CrLf, Form::Scrambled};
inline const char* form_name(Form f) { return f == Form::Plain ? "plain" : f == Form::CrLf ? "CR LF" : "scrambled"; }

inline std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The plain text (LF lines) in a form; offsets[i] is where line i + 1 starts.
inline std::string in_form(const std::string& plain, Form form, std::vector<long long>* offsets = nullptr) {
    std::string out;
    int number = 0;
    for (const std::string& line : split_lines(plain)) {
        if (offsets) offsets->push_back(static_cast<long long>(out.size()));
        ++number;
        if (form == Form::Scrambled) {
            std::string stored;
            scramble_line(line, stored, number);
            out += stored + "\n";
        } else {
            out += line + (form == Form::CrLf ? "\r\n" : "\n");
        }
    }
    return out;
}

// A program directory holding the shipped settings, and .pds files in it.
class Workspace {
public:
    Workspace() { write_raw(dir.path("gx1000s.prm"), read_raw(kShippedSettings)); }
    std::string write(const std::string& name, const std::string& plain, Form form,
                      std::vector<long long>* offsets = nullptr) {
        const std::string path = dir.path(name);
        write_raw(path, in_form(plain, form, offsets));
        return path;
    }
    std::string fixture(const std::string& name, Form form, std::vector<long long>* offsets = nullptr) {
        return write(name, read_raw(kDataDir + name), form, offsets);
    }
    TempDir dir;
};

struct Box {
    bool question;
    std::string caption, line1, line2, line3;
};

class RecordingHost : public PadHost {
public:
    void show_status(const std::string& text) override { statuses.push_back(text); }
    bool show_box(bool question, const std::string& caption, const std::string& line1, const std::string& line2,
                  const std::string& line3) override {
        boxes.push_back({question, caption, line1, line2, line3});
        return answer;
    }
    void beep() override { ++beeps; }
    bool pump() override { return ++pumps > abort_after_pumps && abort_after_pumps >= 0; }
    void show_progress(int done, int total) override { progress.push_back({done, total}); }
    void open_meter(const std::string& caption, const std::string& line1, const std::string& line2) override {
        meters.push_back({false, caption, line1, line2, ""});
        ++open_meters;
    }
    void close_meter() override { --open_meters; }

    std::vector<std::string> statuses;
    std::vector<Box> boxes;
    std::vector<std::pair<int, int>> progress;
    std::vector<Box> meters;
    int open_meters = 0;
    int beeps = 0;
    int pumps = 0;
    int abort_after_pumps = -1;  // -1: never
    bool answer = true;
};

// Opens a .pds in the view as the frame does, with the shipped settings.
struct ViewFixture {
    explicit ViewFixture(const std::string& path) : settings(kGravletSettings) { doc.path = path; }
    int open(const std::string& program_directory) {
        return read_pds_index(doc, settings, program_directory, host);
    }
    PadDocument doc;
    SettingsRecord settings;
    RecordingHost host;
};

// A text of n bytes: "t" then digits, so that each is told apart.
inline std::string numbered_text(int n, int seed) {
    std::string s = "t" + std::to_string(seed);
    while (static_cast<int>(s.size()) < n) s += static_cast<char>('a' + s.size() % 26);
    return s.substr(0, static_cast<size_t>(n));
}

// A .pds whose first function passes the 3000-row limit, and a small one after it.
inline std::string too_many_rows_text() {
    std::string text = " [JOV:PDS\n0001@big x\n0001M:big\n";
    for (int i = 0; i < 2999; ++i) text += "0002+N:n\n";
    return text + "/\n0003@after y\n0003M:after\n0004+N:s\n0005+E:\n/\n";
}

}  // namespace pad_test
