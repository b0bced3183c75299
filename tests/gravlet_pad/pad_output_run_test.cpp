// The output command's run: the settings read again, the files written as
// the golden files say in both code sets and with margins, the heading file
// with its mark under a fixed clock, the questions and refusals, cancel
// through the meter, and the status text of every result.
//
// GRAVLET_UPDATE_GOLDEN=1 writes the heading golden file anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gravlet/pad/pad_output.h"
#include "gravlet/pad/pad_output_run.h"
#include "platform/kernel/file_io.h"
#include "platform/user/codec.h"
#include "tests/gravlet_pad/pad_run_fixture.h"

namespace {

using namespace pad_test;

const std::string kGoldenDir = kDataDir + "output/";

class PadOutputRunTest : public PadRunTest {
protected:
    void set_output(int code_set, int level, int top, int left, int first = 1, int last = 1000,
                    const std::string& heading = "") {
        change_settings([&](SettingsRecord& r) {
            using namespace gx_settings;
            r.set_word(kOutputCodeSet, code_set);
            r.set_word(kOutputLevelWidth, level);
            r.set_word(kOutputTopMargin, top);
            r.set_word(kOutputLeftMargin, left);
            r.set_word(kOutputFirstFunction, first);
            r.set_word(kOutputLastFunction, last);
            r.set_text(kOutputHeaderFile, heading);
        });
    }
    std::string out() const { return ws.dir.path("out.txt"); }
    std::string status(int result) {
        report_pad_error(result, host);
        return host.statuses.back();
    }
};

TEST_F(PadOutputRunTest, WritesWhatTheGoldenFilesHoldInBothCodeSets) {
    struct Case {
        const char* golden;
        int code_set, level, top, left;
    };
    const Case cases[] = {{"dosv_16", 0, 16, 0, 0},
                          {"dosv_8_margins", 0, 8, 2, 4},
                          {"pc98_16_margins", 1, 16, 1, 3},
                          {"pc98_8", 1, 8, 0, 0}};
    for (const Case& c : cases) {
        set_output(c.code_set, c.level, c.top, c.left);
        host.answer = true;  // go on without a heading file
        EXPECT_EQ(run_pad_output(out(), input, host), kPadRunDone) << c.golden;
        EXPECT_EQ(read_raw(out()), read_raw(kGoldenDir + c.golden + ".txt")) << c.golden;
        EXPECT_EQ(host.open_meters, 0);
    }
    EXPECT_EQ(status(kPadRunDone), lookup_message(gx_message::kOutputDone));
    // The meter: caption, message 629 and the file.
    ASSERT_FALSE(host.meters.empty());
    EXPECT_EQ(host.meters.back().caption, make_box_caption("\x82\x6F\x82\x60\x82\x63\x90\x7D\x8F\x6F\x97\xCD"));
    EXPECT_EQ(host.meters.back().line1, lookup_message(gx_message::kOutputRunning));
    EXPECT_EQ(host.meters.back().line2, out());
}

TEST_F(PadOutputRunTest, HeadingFileUnderAFixedClock) {
    // The heading's macros: &f the source's name, &P the page, and the mark
    // after the header line.
    write_raw(ws.dir.path("head.hd2"), "Output of &f p.&P\r\nend of &f\r\n");
    set_output(1, 16, 1, 3, 1, 2, ws.dir.path("head"));
    ASSERT_EQ(run_pad_output(out(), input, host), kPadRunDone);
    const std::string bytes = read_raw(out());
    const std::string golden = kGoldenDir + "heading_pc98_margins.txt";
    if (std::getenv("GRAVLET_UPDATE_GOLDEN")) {
        write_raw(golden, bytes);
        write_raw(kGoldenDir + "heading_pc98_margins.utf8.txt", platform_user::cp932_to_utf8(bytes));
    }
    EXPECT_EQ(bytes, read_raw(golden));
    EXPECT_NE(bytes.find("   Output of output.c p.   1 26-12-09 02:43\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 20), "   end of output.c\r\n");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PadOutputRunTest, HeadingFileFoundThroughKrt) {
    TempDir krt;
    write_raw(krt.path("shared.hd2"), "from KRT\n\n");
    setenv("KRT", (krt.path() + "/;elsewhere").c_str(), 1);
    set_output(0, 16, 0, 0, 1, 1, "shared");
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunDone);
    unsetenv("KRT");
    EXPECT_EQ(read_raw(out()).substr(0, 24), "from KRT 26-12-09 02:43\r");
}

TEST_F(PadOutputRunTest, MissingHeadingFileAsksWhetherToGoOn) {
    set_output(0, 16, 0, 0, 1, 1, ws.dir.path("none"));
    host.answer = false;
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunHeadingRefused);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.boxes[0].question);
    EXPECT_EQ(host.boxes[0].line1, ws.dir.path("none.hd2"));
    EXPECT_EQ(host.boxes[0].line2, lookup_message(gx_message::kHeadingMissing));
    EXPECT_EQ(host.boxes[0].line3, lookup_message(gx_message::kContinue));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(std::ifstream(out()).good());
    EXPECT_EQ(status(kPadRunHeadingRefused),
              format_text(lookup_message(gx_message::kInterrupted),
                          "\x82\x6F\x82\x60\x82\x63\x90\x7D\x8F\x6F\x97\xCD\x8F\x88\x97\x9D"));

    // No name at all: message 607; OK writes the file without heading lines.
    set_output(0, 16, 0, 0, 1, 1, "");
    host.boxes.clear();
    host.answer = true;
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunDone);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].line1, lookup_message(gx_message::kHeadingNotGiven));
    EXPECT_EQ(host.boxes[0].line2, lookup_message(gx_message::kContinue));
    EXPECT_EQ(read_raw(out()).substr(0, 19), "scale scales a valu");
}

TEST_F(PadOutputRunTest, FirstFunctionBeyondTheFileWritesNothing) {
    set_output(0, 16, 0, 0, 9, 12);  // output.pds holds 8 functions
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunFirstBeyondLast);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_FALSE(host.boxes[0].question);
    EXPECT_EQ(host.boxes[0].line1, format_text(lookup_message(gx_message::kOutputFirstBeyondLast), 9));
    EXPECT_FALSE(std::ifstream(out()).good());
    EXPECT_TRUE(host.meters.empty());
    EXPECT_EQ(status(kPadRunFirstBeyondLast), "");
}

TEST_F(PadOutputRunTest, NeverWritesOverItsOwnInputs) {
    set_output(0, 16, 0, 0);
    write_raw(input.source_path, "int main(void) { return 0; }\n");
    const std::string settings = ws.dir.path("gx1000s.prm");
    const std::string settings_bytes = read_raw(settings);
    const std::string pds_bytes = read_raw(input.pds_path);
    // The same files under other spellings too.
    std::string upper = input.pds_path.substr(0, input.pds_path.size() - 4) + ".PDS";
    for (const std::string& name :
         {input.pds_path, input.source_path, settings, upper, ws.dir.path(".") + "/gx1000s.prm"}) {
        host.boxes.clear();
        EXPECT_EQ(run_pad_output(name, input, host), kPadRunNotOpened) << name;
        ASSERT_EQ(host.boxes.size(), 1u) << name;
        EXPECT_EQ(host.boxes[0].line2, name);
        EXPECT_EQ(status(kPadRunNotOpened), format_text(lookup_message(gx_message::kFileOpenErrorNamed), name.c_str()));
    }
    EXPECT_EQ(read_raw(input.pds_path), pds_bytes);
    EXPECT_EQ(read_raw(settings), settings_bytes);
    EXPECT_EQ(read_raw(input.source_path), "int main(void) { return 0; }\n");
    EXPECT_TRUE(host.meters.empty());
}

TEST_F(PadOutputRunTest, CancelThroughTheMeter) {
    set_output(0, 16, 0, 0);
    write_raw(out(), "old");
    host.abort_after_pumps = 200;  // while the first function's rows are taken
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunCancelled);
    EXPECT_EQ(read_raw(out()), "old");
    EXPECT_EQ(host.open_meters, 0);
    EXPECT_EQ(status(kPadRunCancelled),
              format_text(lookup_message(gx_message::kInterrupted),
                          "\x82\x6F\x82\x60\x82\x63\x90\x7D\x8F\x6F\x97\xCD\x8F\x88\x97\x9D"));
}

TEST_F(PadOutputRunTest, CancelInTheTooManyRowsQuestion) {
    const std::string text = too_many_rows_text();
    use_pds(ws.write("big.pds", text, Form::Plain));
    write_raw(ws.dir.path("pad.hd2"), "h\nf\n");
    set_output(0, 16, 0, 0, 1, 1000, ws.dir.path("pad"));
    host.answer = false;
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunCancelled);
    EXPECT_FALSE(std::ifstream(out()).good());
    EXPECT_EQ(host.open_meters, 0);
}

TEST_F(PadOutputRunTest, ProgressNeverPassesTheTotal) {
    use_pds(ws.fixture("parts.pds", Form::Plain));  // one function written in two parts
    set_output(0, 16, 0, 0);
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunDone);
    ASSERT_FALSE(host.progress.empty());
    const int total = host.progress.front().second;
    int last = 0;
    for (const auto& [done, of] : host.progress) {
        EXPECT_EQ(of, total);
        EXPECT_LE(done, total);
        EXPECT_GE(done, last);
        last = done;
    }
    EXPECT_EQ(last, total);
}

TEST_F(PadOutputRunTest, SettingsReaderAndWriterFailures) {
    // A settings file of another version: the version message, not a bare error.
    change_settings([](SettingsRecord& r) { r.set_text(gx_settings::kVersion, "0.99"); });
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunSettingsWrongVersion);
    EXPECT_EQ(status(kPadRunSettingsWrongVersion),
              format_text(lookup_message(gx_message::kOutputError), lookup_message(104)));
    // No settings file.
    std::remove(ws.dir.path("gx1000s.prm").c_str());
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunSettingsUnreadable);
    EXPECT_EQ(status(kPadRunSettingsUnreadable), format_text(lookup_message(9), "gx1000s.prm"));
    EXPECT_FALSE(std::ifstream(out()).good());

    // A full disk under the output: a write failure, told as one and naming
    // the file; the earlier output stays.
    write_raw(ws.dir.path("gx1000s.prm"), read_raw(kShippedSettings));
    write_raw(out(), "earlier output");
    host.answer = true;  // go on without a heading file
    crt_set_full_disk(".$tx");
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunWriteFailed);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(status(kPadRunWriteFailed), format_text(lookup_message(gx_message::kOutputError), out().c_str()));
    EXPECT_EQ(read_raw(out()), "earlier output");
    std::remove(out().c_str());

    // The .pds changed on disk since the view indexed it: the read fails.
    write_raw(input.pds_path, "not a PAD file any more\n");
    input.function_count = 8;
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunFailed);
    EXPECT_EQ(status(kPadRunFailed),
              format_text(lookup_message(gx_message::kOutputError),
                          "\x82\x6F\x82\x60\x82\x63\x90\x7D\x93\xC7\x82\xDD\x8D\x9E\x82\xDD"));
    EXPECT_FALSE(std::ifstream(out()).good());
    EXPECT_EQ(status(kPadRunNoMemory), format_text(lookup_message(gx_message::kOutputError), lookup_message(402)));
    EXPECT_EQ(status(777), "");
}

TEST_F(PadOutputRunTest, SkipsFunctionsBelowTheLastPrintJobsMinimum) {
    set_output(0, 16, 0, 0, 1, 1);
    pad_run_state().last_print_min_rows = 8;
    EXPECT_EQ(run_pad_output(out(), input, host), kPadRunDone);
    EXPECT_EQ(read_raw(out()).substr(0, 19), "name names a code\r\n");
}

}  // namespace
