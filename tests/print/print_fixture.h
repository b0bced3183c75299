// Printing tests start from a clean printing state in a state directory of
// their own, with the message boxes and the abort flag under the test's hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/print/print_ops.h"
#include "common/print/print_state.h"
#include "common/print/printer_device.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/port.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/file_io.h"
#include "platform/user/winuser.h"
#include "tests/platform/kernel_home_fixture.h"

inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// A window standing in for the progress meter: a message posted to it sets
// the abort flag when some loop lets it through, as Cancel does.
class CancelWindow {
public:
    explicit CancelWindow(bool& abort_flag) {
        target() = &abort_flag;
        WNDCLASSA wc{};
        wc.lpfnWndProc = procedure;
        wc.lpszClassName = "PRINTCANCEL";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "PRINTCANCEL", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    ~CancelWindow() {
        DestroyWindow(window_);
        target() = nullptr;
    }
    CancelWindow(const CancelWindow&) = delete;
    CancelWindow& operator=(const CancelWindow&) = delete;

    // The press waits in the queue.
    void press() { PostMessageA(window_, kCancelMessage, 0, 0); }

private:
    static constexpr UINT kCancelMessage = WM_USER + 7;
    static bool*& target() {
        static bool* flag = nullptr;
        return flag;
    }
    static LRESULT procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == kCancelMessage && target() != nullptr) *target() = true;
        return DefWindowProcA(window, message, w, l);
    }
    HWND window_ = nullptr;
};

class PrintFixture : public PlatformHomeTest {
protected:
    void SetUp() override {
        PlatformHomeTest::SetUp();
        clear_print_job_records();
        clear_drawing_log();
        set_printer_port_write_limit(-1);
        print_state().reset();
        PrintHost& host = print_state().host;
        host = PrintHost{};
        host.abort_flag = &abort_;
        host.current_file = [] { return std::string("c:\\work\\sample.lin"); };
        host.notify = [this](std::string_view caption, std::string_view text) {
            boxes_.emplace_back(std::string(caption), std::string(text));
        };
    }

    void TearDown() override {
        set_printer_port_write_limit(-1);
        crt_set_full_disk(nullptr);
        delete_setup_printer_dc();
        print_state().reset();
        print_state().host = PrintHost{};
        PlatformHomeTest::TearDown();
    }

    std::string home() const { return home_.path(); }
    std::string port_bytes() const { return read_raw(home_file("LPT1")); }
    // The files in the print folder, whatever their size.
    std::vector<std::string> print_folder_files() const {
        std::vector<std::string> names;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(home() + "/print", ignored))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Runs a job of operations written as an operations file.
    PrintJobRun run_ops(int kind, int orientation, const std::string& text) {
        std::vector<PrintOp> ops;
        std::string error;
        EXPECT_TRUE(parse_print_ops(text, ops, error)) << error;
        return run_print_job(kind, orientation, ops);
    }

    bool abort_ = false;
    std::vector<std::pair<std::string, std::string>> boxes_;
};

// Printer-language bytes as reviewable text: each escape sequence on a line
// of its own, a line break after each record separator, other control and
// non-ASCII bytes as octal escapes ("\033", "\036", "\212").
inline std::string escape_stream(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x1B && !out.empty() && out.back() != '\n') out += '\n';
        if (b == '\\') {
            out += "\\\\";
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            out += octal;
        }
        if (b == 0x1E) out += '\n';
    }
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out;
}

inline std::string test_data(const std::string& name) { return read_raw(std::string(TEST_DATA_DIR) + "/print/" + name); }

// The output compared with its expected file; a differing output is left
// beside the test as <name>.actual.
inline void expect_golden(const std::string& actual, const std::string& name) {
    const std::string expected = test_data(name);
    EXPECT_EQ(actual, expected) << "golden " << name;
    if (actual != expected) write_raw(name + ".actual", actual);
}
