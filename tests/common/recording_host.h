// A converter host for tests: it records every progress report and message
// box, answers "cancel" once a set number of reports went by, and may name a
// program directory of the test's own. Installed for its lifetime.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/analysis/converter_host.h"
#include "platform/kernel/file_io.h"

struct ProgressReport {
    std::string item;
    int permille = 0;
};

struct ShownBox {
    std::string text;
    std::string caption;
};

class RecordingHost {
public:
    RecordingHost() {
        current_ = this;
        host_.report_progress = &RecordingHost::on_progress;
        host_.show_message = &RecordingHost::on_show_message;
        host_.program_directory = &RecordingHost::on_program_directory;
        set_converter_host(&host_);
    }
    ~RecordingHost() {
        set_converter_host(nullptr);
        current_ = nullptr;
    }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    std::vector<ProgressReport> reports;
    std::vector<ShownBox> boxes;
    int cancel_at = -1;  // reports answered before the user cancels (-1 never)
    std::optional<std::string> program_directory;  // none: the executable's

private:
    static int on_progress(const char* item, int permille) {
        RecordingHost* h = current_;
        h->reports.push_back({item, permille});
        return h->cancel_at >= 0 && static_cast<int>(h->reports.size()) > h->cancel_at ? -1 : 0;
    }
    static void on_show_message(const char* text, const char* caption) {
        current_->boxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : ""});
    }
    static std::string on_program_directory() {
        RecordingHost* h = current_;
        return h != nullptr && h->program_directory ? *h->program_directory : get_program_directory();
    }

    ConverterHost host_;
    static inline RecordingHost* current_ = nullptr;
};
