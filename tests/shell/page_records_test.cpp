// The page-record interpreter: parsing, records it must ignore, the grid
// geometry it hands to a back end, and reading record files.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/analysis/scramble.h"
#include "common/shell/page_records.h"
#include "tests/common/temp_dir.h"

namespace {

// A back end that writes every call down.
class RecordingSet : public PrimitiveSet {
public:
    std::vector<std::string> calls;
    int stop_after = -1;  // records allowed before keep_going() says no

    bool keep_going() override { return stop_after < 0 || stop_after-- > 0; }
    int begin_page() override { return log("begin_page"); }
    int set_overlay(int n) override { return log("overlay", {n}); }
    int set_vector_mode(bool on) override { return log("vector", {on ? 1 : 0}); }
    int beep() override { return log("beep"); }
    int set_char_cell(int h, int half, int full) override { return log("cell", {h, half, full}); }
    int set_char_size(int h, int w) override { return log("size", {h, w}); }
    int select_font(int a, int b, int c) override { return log("font", {a, b, c}); }
    int move_to(int y, int x) override { return log("move", {y, x}); }
    int set_line_type(int n) override { return log("type", {n}); }
    int set_line_attr(int n) override { return log("attr", {n}); }
    int set_line_width(int n) override { return log("width", {n}); }
    int set_corner_radius(int r) override { return log("radius", {r}); }
    int draw_box(int x1, int y1, int x2, int y2) override { return log("box", {x1, y1, x2, y2}); }
    int draw_line(int x1, int y1, int x2, int y2) override { return log("line", {x1, y1, x2, y2}); }
    int draw_text(std::string_view text) override {
        calls.push_back("text " + std::string(text));
        return 0;
    }
    void comment(std::string_view record) override { calls.push_back("comment " + std::string(record)); }

private:
    int log(const std::string& name, std::initializer_list<int> values = {}) {
        std::string line = name;
        for (int v : values) line += " " + std::to_string(v);
        calls.push_back(line);
        return 0;
    }
};

std::vector<std::string> replay(const std::vector<std::string>& records, PageRecordState& state,
                                ReplayOptions options = {}, int* end = nullptr) {
    RecordingSet out;
    LineListRecordSource source(records);
    const int result = replay_page_records(source, state, out, options);
    if (end != nullptr) *end = result;
    return out.calls;
}

std::vector<std::string> on_screen(const std::vector<std::string>& records, int* end = nullptr) {
    PageRecordState state = PageRecordState::screen_state();
    return replay(records, state, {}, end);
}

TEST(PageRecordParsing, FieldsAreReadByTheirForms) {
    PageRecord mv = parse_page_record("MV:1,7,16");
    EXPECT_EQ(mv.code, RecordCode::Move);
    ASSERT_TRUE(mv.valid);
    EXPECT_EQ(mv.ints[0], 1);
    EXPECT_DOUBLE_EQ(mv.reals[0], 7.0);
    EXPECT_DOUBLE_EQ(mv.reals[1], 16.0);

    PageRecord ln = parse_page_record("LN: 1.5, 2 ,-3,+4e1");
    ASSERT_TRUE(ln.valid);
    EXPECT_DOUBLE_EQ(ln.reals[0], 1.5);
    EXPECT_DOUBLE_EQ(ln.reals[2], -3.0);
    EXPECT_DOUBLE_EQ(ln.reals[3], 40.0);

    PageRecord st = parse_page_record("ST:a, b,c");
    EXPECT_EQ(st.code, RecordCode::Text);
    EXPECT_EQ(st.text, "a, b,c") << "the whole rest of the line is the text";
    EXPECT_EQ(parse_page_record("ST:").text, "");
    EXPECT_EQ(parse_page_record("ZC").code, RecordCode::None) << "two characters are too short";
    EXPECT_EQ(parse_page_record("ZC:").code, RecordCode::PageEnd);
    EXPECT_EQ(parse_page_record("QQ:1").code, RecordCode::None);
    EXPECT_EQ(parse_page_record("#NAM:x").code, RecordCode::Comment);
    EXPECT_EQ(parse_page_record("; note").code, RecordCode::Comment);
}

TEST(PageRecordParsing, NumbersMustBeWholeAndFinite) {
    int i = 0;
    double d = 0;
    EXPECT_TRUE(parse_record_int(" 42 ", i));
    EXPECT_EQ(i, 42);
    EXPECT_TRUE(parse_record_int("-7", i));
    EXPECT_EQ(i, -7);
    for (const char* bad : {"", " ", "4x", "1.5", "x", "99999999999", "--1"}) {
        EXPECT_FALSE(parse_record_int(bad, i)) << bad;
    }
    EXPECT_TRUE(parse_record_real("7", d));
    EXPECT_TRUE(parse_record_real(".5", d));
    EXPECT_DOUBLE_EQ(d, 0.5);
    for (const char* bad : {"", "nan", "inf", "1e300", "2,", "0x10", "1.2.3"}) {
        EXPECT_FALSE(parse_record_real(bad, d)) << bad;
    }
}

TEST(PageRecordReplay, RecordsWithMissingOrBadNumbersAreIgnored) {
    const std::vector<std::string> bad = {
        "MV:1,7",        "MV:1,x,16",    "MV:1.5,2,3", "MV:", "MR:1,,2",   "LN:1,2,3",
        "BX:1,2,3,4x",   "LW:",          "LW:thick",   "BR:",  "SS:100",   "SS:100,",
        "SF:1,2",        "LT:1e2",       "LA:-",       "OV:",  "LN:nan,1,2,3",
    };
    EXPECT_TRUE(on_screen(bad).empty());
    // ... and what follows them still counts
    EXPECT_EQ(on_screen({"LW:bad", "LW:2"}), (std::vector<std::string>{"width 2"}));
}

TEST(PageRecordReplay, ScreenCellsGivePixels) {
    EXPECT_EQ(on_screen({"MV:1,1,1"}), (std::vector<std::string>{"move -12 0"}));
    EXPECT_EQ(on_screen({"MV:2,3,4"}), (std::vector<std::string>{"move 12 18"})) << "text cell";
    EXPECT_EQ(on_screen({"MV:1,2,2", "MR:1,2,2"}), (std::vector<std::string>{"move 0 6", "move 12 12"}));
    EXPECT_EQ(on_screen({"MV:1,7.9,16.5"}), (std::vector<std::string>{"move 70 93"})) << "truncated";
    // lines run through cell centres
    EXPECT_EQ(on_screen({"LN:1,1,1,11"}), (std::vector<std::string>{"line 3 6 63 6"}));
    EXPECT_EQ(on_screen({"BX:2,3,10,20"}), (std::vector<std::string>{"box 15 18 117 114"}));
    EXPECT_EQ(on_screen({"BR:50", "BR:0", "BR:100"}),
              (std::vector<std::string>{"radius 6", "radius 0", "radius 12"}));
}

TEST(PageRecordReplay, ScreensIgnoreGridRecordsPrintersUseThem) {
    const std::vector<std::string> setup = {"ZO:", "PP:82,110", "SP:82,90", "MV:1,2,2"};
    EXPECT_EQ(on_screen(setup), (std::vector<std::string>{"move 0 6"}));

    PageRecordState printer;
    ReplayOptions grids;
    grids.grid_records = true;
    auto calls = replay({"ZO:", "BR:50"}, printer, grids);
    // the initial 82 x 194 grids on the portrait page, by integer division
    EXPECT_EQ(calls, (std::vector<std::string>{"begin_page", "cell 99 29 58", "radius 49"}));

    calls = replay({"ZO:", "PP:82,110", "MV:1,2,2", "PP:0,10"}, printer, grids);
    EXPECT_EQ(calls, (std::vector<std::string>{"begin_page", "cell 99 29 58", "cell 99 51 102", "move 0 51"}))
        << "PP rounds; a grid without rows is ignored";
    // 5664 / 90 = 62.93: rounded up, where integer division would give 62;
    // 8130 / 82 = 99.15 rounds down, 8130 / 83 = 97.95 up
    PageRecordState fresh;
    calls = replay({"ZO:", "SP:82,90", "PP:83,90"}, fresh, grids);
    EXPECT_EQ(calls, (std::vector<std::string>{"begin_page", "cell 99 29 58", "cell 99 63 126", "cell 98 63 126"}));

    PageRecordState landscape;
    landscape.top_margin = 2;
    landscape.left_margin = 1;
    calls = replay({"PF:3", "ZO:", "MV:1,1,1"}, landscape, grids);
    EXPECT_EQ(landscape.page_width, 8130);
    EXPECT_EQ(landscape.page_height, 5664);
    EXPECT_EQ(calls.back(), "move " + std::to_string(69 * 2 - 69) + " 41") << "margins in cells";
}

TEST(PageRecordReplay, PageEndsAndOtherCodes) {
    int end = -1;
    auto calls = on_screen({"ST:a", "ZC:", "ST:b"}, &end);
    EXPECT_EQ(calls, (std::vector<std::string>{"text a"}));
    EXPECT_EQ(end, kReplayPageEnd);
    calls = on_screen({"ST:a", "ZC", "ED:", "ST:b"}, &end);
    EXPECT_EQ(calls, (std::vector<std::string>{"text a"})) << "ZC without its colon is skipped, ED ends";
    calls = on_screen({"ST:a"}, &end);
    EXPECT_EQ(end, kReplayEndOfFile);

    calls = on_screen({"#NAM:f", "* star", "DB:", "KY:", "BZ:", "OV:3", "ZV:", "LT:2", "LA:1", "SS:100,200",
                       "SF:1,2,3", "ST:"});
    EXPECT_EQ(calls, (std::vector<std::string>{"comment #NAM:f", "beep", "overlay 3", "vector 1", "type 2",
                                               "attr 1", "size 100 200", "font 1 2 3", "text "}));
}

TEST(PageRecordReplay, TheBackEndCanStopTheReplay) {
    RecordingSet out;
    out.stop_after = 2;
    std::vector<std::string> records = {"LW:1", "LW:2", "LW:3"};
    LineListRecordSource source(records);
    PageRecordState state = PageRecordState::screen_state();
    EXPECT_EQ(replay_page_records(source, state, out), kReplayStopped);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"width 1", "width 2"}));
}

TEST(RecordFiles, LinesAndTrueOffsetsWithAnyLineEnd) {
    TempDir dir;
    const std::string long_line(100000, 'x');
    write_raw(dir.path("mixed"), "ab\r\ncd\nef\r\n" + long_line + "\nlast");
    RecordFileReader reader;
    ASSERT_TRUE(reader.open(dir.path("mixed")));
    std::string line;
    const std::vector<std::pair<std::string, int64_t>> expected = {
        {"ab", 4}, {"cd", 7}, {"ef", 11}, {long_line, 100012}, {"last", 100016}};
    for (const auto& [text, offset] : expected) {
        ASSERT_TRUE(reader.next_line(line));
        EXPECT_EQ(line, text);
        EXPECT_EQ(reader.offset(), offset);
    }
    EXPECT_FALSE(reader.next_line(line));
    ASSERT_TRUE(reader.seek(7));
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "ef");
    EXPECT_FALSE(reader.open(dir.path("missing")));
}

TEST(RecordFiles, ScrambledAndPlainLinesAreNumberedFromTheStart) {
    TempDir dir;
    const std::vector<std::string> plain = {"MV:1,2,3", "ST:\x93\xfa\x96\x7b", "ZC:"};
    std::string bytes = "OV:3\r\n";  // a plain line among scrambled ones
    for (size_t i = 0; i < plain.size(); ++i) {
        std::string stored;
        scramble_line(plain[i], stored, static_cast<int>(i) + 2);
        bytes += stored + "\r\n";
    }
    write_raw(dir.path("doc.lin"), bytes);
    RecordFileReader reader;
    ASSERT_TRUE(reader.open(dir.path("doc.lin")));
    FileRecordSource source(reader, 0);
    RecordingSet out;
    PageRecordState state = PageRecordState::screen_state();
    EXPECT_EQ(replay_page_records(source, state, out), kReplayPageEnd);
    EXPECT_EQ(out.calls, (std::vector<std::string>{"overlay 3", "move 0 12", "text \x93\xfa\x96\x7b"}));
    EXPECT_EQ(source.line_number(), 4);
}

// The block scans hand over the same lines and offsets as reading them one
// at a time, wherever a line, its CR LF, a cut long line or the first bytes
// of a line looked for meet a block's end; the scan for lines led by some
// bytes gives just those lines, with their numbers, at every scan width.
TEST(RecordFiles, ScanningByBlocksGivesTheLinesOneByOneReadingGives) {
    TempDir dir;
    const size_t block = RecordFileReader::kBlockBytes;
    std::vector<std::string> contents;
    for (size_t shift = 0; shift < 4; ++shift) {
        // a CR LF or a short line straddling the first block's end
        contents.push_back(std::string(block - 3 + shift, 'a') + "\r\nZC:\r\n\r\nend");
        contents.push_back(std::string(block - 1, 'b') + "\n" + std::string(shift, 'c') + "\n");
    }
    // a line past the limit is cut, the rest of it passed over
    contents.push_back("x\n" + std::string(RecordFileReader::kMaxRecordLineBytes + 70000, 'y') + "\r\nafter\n");
    contents.push_back("");
    contents.push_back("no line end");
    for (size_t shift = 0; shift < 5; ++shift) {
        // a line looked for, plain or after its key byte, split at the block's end
        contents.push_back(std::string(block - shift, 'a') + "\nZC:\n\x03QRx\r\nZZ\n\x04QQ\nend");
        contents.push_back(std::string(block - shift, 'a') + "\r\n\x03QR\r\n\x03Q");
    }
    // thousands of empty lines, a line looked for after a line of two blocks
    // and one at the very start
    contents.push_back(std::string(20000, '\n') + "#T\n" + std::string(2 * block + 5, 'x') + "\nZC:");
    contents.push_back("ZC:\n\x09ST\n#\n\x05\nZ");
    std::string every_lane;  // lines looked for at every place of a scan's round
    for (int n = 0; n < 130; ++n) every_lane += std::string(static_cast<size_t>(n), 'a') + "\nZC:\n\x03QR\n";
    contents.push_back(every_lane);
    std::string long_led;  // led lines ending in a scan's round, in the two after it, or further on
    for (size_t n = 0; n < 70; ++n)
        long_led += std::string(n, 'a') + "\nZC:" + std::string(n * 3, 'x') + "\n\x03QR" + std::string(140 - n, 'y') + "\n";
    contents.push_back(long_led);
    // a led line whose end lies past the first block
    contents.push_back(std::string(block - 40, 'a') + "\n\x03QR" + std::string(60, 'z') + "\nZC:\n");
    const RecordFileReader::LineLeads leads{{{'Z', 'C'}, {'#', 'T'}}, {{'Q', 'R'}, {'S', 'T'}}};
    const auto led = [](std::string_view line) {
        const bool scrambled = !line.empty() && static_cast<unsigned char>(line[0]) < 10;
        const std::string_view head = line.substr(scrambled ? 1 : 0, 2);
        return scrambled ? head == "QR" || head == "ST" : head == "ZC" || head == "#T";
    };
    for (const std::string& bytes : contents) {
        SCOPED_TRACE(bytes.size());
        write_raw(dir.path("lines"), bytes);
        std::vector<std::pair<std::string, int64_t>> one_by_one, scanned;
        RecordFileReader reader;
        ASSERT_TRUE(reader.open(dir.path("lines")));
        for (std::string_view line; reader.next_line_view(line);) one_by_one.emplace_back(line, reader.offset());
        ASSERT_TRUE(reader.open(dir.path("lines")));
        reader.scan_lines([&](std::string_view line) {
            scanned.emplace_back(line, reader.offset());
            return true;
        });
        EXPECT_EQ(scanned, one_by_one);
        EXPECT_EQ(reader.offset(), static_cast<int64_t>(bytes.size()));

        std::vector<std::tuple<std::string, int64_t, int64_t>> wanted, found;
        for (size_t i = 0; i < one_by_one.size(); ++i)
            if (led(one_by_one[i].first))
                wanted.emplace_back(one_by_one[i].first, one_by_one[i].second, static_cast<int64_t>(i) + 1);
        for (const LineScanWidth width : {LineScanWidth::Avx2, LineScanWidth::Sse2, LineScanWidth::Bytes}) {
            SCOPED_TRACE(static_cast<int>(width));
            const LineScanWidth was = use_line_scan(width);
            found.clear();
            ASSERT_TRUE(reader.open(dir.path("lines")));
            const int64_t lines = reader.scan_lines_led_by(leads, [&](std::string_view line, int64_t number) {
                found.emplace_back(std::string(line), reader.offset(), number);
                return true;
            });
            use_line_scan(was);
            EXPECT_EQ(found, wanted);
            EXPECT_EQ(lines, static_cast<int64_t>(one_by_one.size()));
            EXPECT_EQ(reader.offset(), static_cast<int64_t>(bytes.size()));
        }
    }
    ASSERT_EQ(contents.size(), 26u);
    write_raw(dir.path("lines"), "one\ntwo\nthree\n");
    RecordFileReader reader;
    ASSERT_TRUE(reader.open(dir.path("lines")));
    int taken = 0;
    reader.scan_lines([&](std::string_view) { return ++taken < 2; });
    EXPECT_EQ(taken, 2);
    EXPECT_EQ(reader.offset(), 8) << "a scan stopped by its taker leaves the reader after that line";
    std::string line;
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "three");

    write_raw(dir.path("lines"), "ZC:1\nx\nZC:2\nZC:3\n");
    ASSERT_TRUE(reader.open(dir.path("lines")));
    EXPECT_EQ(reader.scan_lines_led_by(leads, [&](std::string_view led_line, int64_t) { return led_line != "ZC:2"; }), 3);
    EXPECT_EQ(reader.offset(), 12) << "a stopped scan leaves the reader after the stopping line";
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "ZC:3");
}

}  // namespace
