// Reading the lines of a form file (.frm). Both the form grid and the layout
// generator read forms through this: lines of any length are read whole,
// only their head is kept, and a line is cut to the form's width at a
// character boundary, never split into further lines.
#pragma once

#include <cstdint>
#include <string>

// A form is 82 rows of 112 half-width columns.
inline constexpr int kFormRows = 82;
inline constexpr int kFormColumns = 112;

class FormLineReader {
public:
    // Reads from an open descriptor (text mode: CR LF arrives as LF); the
    // caller keeps and closes it.
    explicit FormLineReader(int handle) : handle_(handle) {}

    // The next line without its line end, holding at most kFormColumns + 1
    // bytes of it; `length` is the whole line's length. False at the end of
    // the file or after a read error.
    bool next(std::string& line, int64_t& length);
    bool failed() const { return failed_; }

private:
    bool fill();

    int handle_;
    char block_[4096];
    int have_ = 0;
    int pos_ = 0;
    bool at_end_ = false;
    bool failed_ = false;
};

// Bytes below a blank (TAB, NUL, other control bytes) are read as blanks, so
// that no byte of a file can pose as a row end or a line marker.
void blank_control_bytes(std::string& line);

// Cuts a line longer than the form's width to 112 bytes, or to 111 when the
// cut would split a double-byte character. True when it was cut.
bool cut_to_form_width(std::string& line, int64_t length);
