// What the PAD reader, layout and output ask of the program around them:
// the status line, message boxes and the message pump that lets the progress
// meter's cancel button be pressed. The program's windows implement it;
// tests and tools record or ignore it.
#pragma once

#include <string>

class PadHost {
public:
    virtual ~PadHost() = default;
    // One text in the status line; an empty text clears it.
    virtual void show_status(const std::string& text) { (void)text; }
    // A box of up to three lines under a caption "【 operation 】". A notice
    // (question false) beeps and shows OK; a question shows OK and Cancel
    // and answers true for OK.
    virtual bool show_box(bool question, const std::string& caption, const std::string& line1,
                          const std::string& line2, const std::string& line3) {
        (void)question, (void)caption, (void)line1, (void)line2, (void)line3;
        return true;
    }
    virtual void beep() {}
    // The progress meter of a print or output run: opened with its caption
    // and two lines (what is done, and the file), closed at the run's end.
    virtual void open_meter(const std::string& caption, const std::string& line1, const std::string& line2) {
        (void)caption, (void)line1, (void)line2;
    }
    virtual void close_meter() {}
    // The progress meter of a run: done of total units.
    virtual void show_progress(int done, int total) { (void)done, (void)total; }
    // Lets one waiting window message through; true once the run is to stop
    // (the meter's cancel button was pressed).
    virtual bool pump() { return false; }
};

// A host that shows nothing and never stops a run.
inline PadHost& quiet_pad_host() {
    static PadHost host;
    return host;
}
