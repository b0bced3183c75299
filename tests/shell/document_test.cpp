// The document reader: header check, page index with true offsets whatever
// the line ends, the page cap, opening by source name and reading one
// page's records back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "tests/common/temp_dir.h"

namespace {

constexpr char kHeader[] = " [JOV:LIN:V1.00 ";

// A document as the formatter writes it: every line scrambled with its
// number, `eol` after each.
std::string make_document(const std::vector<std::string>& lines, const std::string& eol, bool scrambled = true) {
    std::string bytes;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string stored = lines[i];
        if (scrambled) scramble_line(lines[i], stored, static_cast<int>(i) + 1);
        bytes += stored + eol;
    }
    return bytes;
}

std::vector<std::string> pages_of(int count) {
    std::vector<std::string> lines = {kHeader, "OV:3", "ZO:", "PP:82,110", "SP:82,90", "SS:100,100"};
    for (int i = 0; i < count; ++i) {
        lines.push_back("#NAM:f" + std::to_string(i));
        lines.push_back("#TAG:C:\\src(x)\\a.c(" + std::to_string(10 * i + 3) + ")");
        lines.push_back("MV:1,7,16");
        lines.push_back("ST:f" + std::to_string(i));
        lines.push_back("ZC:");
    }
    lines.push_back("OV:4");
    return lines;
}

class TextsOfPage : public PrimitiveSet {
public:
    std::vector<std::string> texts;
    int draw_text(std::string_view text) override {
        texts.emplace_back(text);
        return 0;
    }
};

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override { state.reset(); }
    void TearDown() override { state.reset(); }

    int index(const std::string& bytes) {
        write_raw(dir.path("doc.lin"), bytes);
        state.file_name = dir.path("doc.lin");
        return index_document(state, kNotarixDocument);
    }
    std::vector<std::string> texts_of(int page) {
        TextsOfPage out;
        PageRecordState geometry = PageRecordState::screen_state();
        EXPECT_EQ(replay_document_page(state, page, out, geometry), kReplayPageEnd);
        return out.texts;
    }

    TempDir dir;
    DocumentState state;
};

TEST_F(DocumentTest, HeaderCheckGivesTheMessageToShow) {
    EXPECT_EQ(index(""), kIndexNotADocument) << "an empty file";
    EXPECT_EQ(index("hello\r\n"), kIndexNotADocument);
    EXPECT_EQ(index(make_document({" [JOV:LI"}, "\r\n")), kIndexNotADocument);
    EXPECT_EQ(index(make_document({" [JOV:LIN:V2.00 ", "ZC:"}, "\r\n")), kIndexWrongVersion);
    EXPECT_EQ(index(make_document({" [JOV:LIN:V1.0"}, "\n")), kIndexWrongVersion);
    EXPECT_FALSE(state.file.is_open()) << "a wrong header closes the file";
    EXPECT_EQ(index(make_document({kHeader}, "\r\n")), kIndexOk);
    EXPECT_TRUE(state.file.is_open());
    EXPECT_EQ(state.page_count, 0);
    state.file_name = dir.path("none.lin");
    EXPECT_EQ(index_document(state, kNotarixDocument), kIndexCannotOpen);
}

TEST_F(DocumentTest, PageIndexHoldsTrueOffsetsForCrLfAndLf) {
    const std::vector<std::string> lines = pages_of(3);
    for (const std::string eol : {"\r\n", "\n"}) {
        for (bool scrambled : {true, false}) {
            SCOPED_TRACE(testing::Message() << (eol.size() == 2 ? "CR LF" : "LF") << " scrambled " << scrambled);
            const std::string bytes = make_document(lines, eol, scrambled);
            ASSERT_EQ(index(bytes), kIndexOk);
            ASSERT_EQ(state.page_count, 3);
            ASSERT_EQ(state.pages.size(), 3u);
            EXPECT_EQ(state.pages[0].offset, 0);
            EXPECT_EQ(state.pages[0].line_number, 0);
            // page k + 1 starts right after the k-th "ZC:" line and its end
            size_t line_start = 0;
            int zc_seen = 0;
            for (size_t i = 0; i < lines.size(); ++i) {
                const size_t end = bytes.find('\n', line_start) + 1;
                if (lines[i] == "ZC:" && ++zc_seen < 3) {
                    EXPECT_EQ(state.pages[zc_seen].offset, static_cast<int64_t>(end));
                    EXPECT_EQ(state.pages[zc_seen].line_number, static_cast<int>(i) + 1);
                }
                line_start = end;
            }
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(state.pages[k].tag, 10 * k + 3);
                EXPECT_EQ(texts_of(k), std::vector<std::string>{"f" + std::to_string(k)});
            }
            EXPECT_EQ(texts_of(1), std::vector<std::string>{"f1"}) << "pages read again in any order";
        }
    }
}

TEST_F(DocumentTest, PageCountIsTheNumberOfPageEndsUpToAThousand) {
    ASSERT_EQ(index(make_document(pages_of(0), "\r\n")), kIndexOk);
    EXPECT_EQ(state.page_count, 0);
    EXPECT_TRUE(state.pages.empty());

    ASSERT_EQ(index(make_document(pages_of(1), "\r\n")), kIndexOk);
    EXPECT_EQ(state.page_count, 1);

    std::vector<std::string> tail = pages_of(1);
    tail.push_back("MV:1,2,3");  // records after the last page end make no page
    tail.push_back("ST:stray");
    ASSERT_EQ(index(make_document(tail, "\n")), kIndexOk);
    EXPECT_EQ(state.page_count, 1);

    ASSERT_EQ(index(make_document(pages_of(1003), "\r\n")), kIndexOk);
    EXPECT_EQ(state.page_count, kMaxDocumentPages);
    ASSERT_EQ(state.pages.size(), static_cast<size_t>(kMaxDocumentPages));
    EXPECT_EQ(state.pages.back().tag, 9993);
    EXPECT_EQ(texts_of(999), std::vector<std::string>{"f999"});
    TextsOfPage out;
    PageRecordState geometry;
    EXPECT_EQ(replay_document_page(state, 1000, out, geometry), -1);
}

TEST_F(DocumentTest, HeaderLinesAreTheFirstFiveCut) {
    std::vector<std::string> lines = pages_of(1);
    lines[1] = "OV:3" + std::string(100, 'a');
    lines[2] = std::string(78, 'b') + "\x93\xfa";  // a double-byte character across byte 79
    ASSERT_EQ(index(make_document(lines, "\r\n")), kIndexOk);
    ASSERT_EQ(state.header_lines.size(), 5u);
    EXPECT_EQ(state.header_lines[0], kHeader);
    EXPECT_EQ(state.header_lines[1].size(), 79u);
    EXPECT_EQ(state.header_lines[2], std::string(78, 'b'));
    EXPECT_EQ(state.header_lines[4], "SP:82,90");
}

TEST(PageTags, DigitsAfterTheLastParenthesis) {
    EXPECT_EQ(parse_page_tag("#TAG:C:\\a(1)\\x.c(17)"), 17);
    EXPECT_EQ(parse_page_tag("#TAG:x.c( 42)"), 42);
    EXPECT_EQ(parse_page_tag("#TAG:x.c"), -1);
    EXPECT_EQ(parse_page_tag("#TAG:x.c()"), -1);
    EXPECT_EQ(parse_page_tag("#TAG:x.c(99999999999)"), -1);
}

TEST_F(DocumentTest, OpeningBySourceName) {
    write_raw(dir.path("prog.lin"), make_document(pages_of(2), "\r\n"));
    write_raw(dir.path("prog.cpp"), "int main() {}\n");
    std::vector<std::string> statuses;
    std::vector<int> labels;
    int loads = 0, fills = 0;
    DocumentHooks hooks;
    hooks.set_status_text = [&](int mode, const std::string& text) {
        statuses.push_back(std::to_string(mode) + ":" + text);
    };
    hooks.set_link_button_label = [&](bool on) { labels.push_back(on ? 1 : 0); };
    hooks.load_source_text = [&] {
        ++loads;
        state.loaded = true;
        return 0;
    };
    hooks.fill_function_combo = [&] { ++fills; };
    state.linked_mode = false;
    ASSERT_EQ(open_document(state, dir.path("prog.c"), hooks, kNotarixDocument), 0);
    EXPECT_EQ(state.file_name, dir.path("prog.lin"));
    EXPECT_EQ(state.source_name, dir.path("prog.cpp")) << "the .c source is missing";
    EXPECT_EQ(state.source_extension, ".cpp");
    EXPECT_TRUE(state.linked_mode);
    EXPECT_EQ(labels, std::vector<int>{1});
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(fills, 1);
    EXPECT_TRUE(state.loaded);
    EXPECT_EQ(state.page_count, 2);
    EXPECT_EQ(state.current_source_line, 2);
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(statuses.back(), "0:") << "the default status text comes back";
    EXPECT_EQ(side_file_name(state, ".flt"), dir.path("prog.flt"));

    close_document(state);
    EXPECT_FALSE(state.file.is_open());
    EXPECT_EQ(open_document(state, "", hooks, kNotarixDocument), -1) << "an empty name stays empty";
    EXPECT_EQ(state.file_name, "");
    EXPECT_FALSE(state.loaded);

    hooks.load_source_text = [] { return -1; };
    EXPECT_EQ(open_document(state, dir.path("prog"), hooks, kNotarixDocument), -1) << "the source cannot be loaded";
}

TEST_F(DocumentTest, SettingsAndHeaderFailuresOfAnOpen) {
    write_raw(dir.path("bad.lin"), make_document({" [JOV:LIN:V0.99 "}, "\r\n"));
    write_raw(dir.path("bad.c"), "");
    int beeps = 0;
    std::string status;
    DocumentHooks hooks;
    hooks.beep = [&] { ++beeps; };
    hooks.set_status_text = [&](int mode, const std::string& text) {
        if (mode == 1) status = text;
    };
    hooks.read_settings = [] { return -3; };
    EXPECT_EQ(open_document(state, dir.path("bad.c"), hooks, kNotarixDocument), -3);
    EXPECT_EQ(beeps, 1);
    hooks.read_settings = [] { return -4; };
    EXPECT_EQ(open_document(state, dir.path("bad.c"), hooks, kNotarixDocument), -4);
    hooks.read_settings = [] { return 0; };
    EXPECT_EQ(open_document(state, dir.path("bad.c"), hooks, kNotarixDocument), -1);
    EXPECT_EQ(status, lookup_message(kNotarixDocument.other_version_message));
    EXPECT_FALSE(state.file.is_open());
}

TEST_F(DocumentTest, ShiftJisNamesKeepTheirTrailBytes) {
    // "ソフト\表" : 0x5C is the trail byte of both "ソ" and "表"; on the disk
    // the names are UTF-8
    ASSERT_EQ(::mkdir(dir.path("ソフト").c_str(), 0755), 0);
    write_raw(dir.path("ソフト/表.lin"), make_document(pages_of(1), "\r\n"));
    write_raw(dir.path("ソフト/表.c"), "");
    const std::string base = dir.path("\x83\x5c\x83\x74\x83\x67") + "\\\x95\x5c";
    ASSERT_EQ(open_document(state, base, {}, kNotarixDocument), 0);
    EXPECT_EQ(state.file_name, base + ".lin");
    EXPECT_EQ(state.source_name, base + ".c");
    EXPECT_EQ(side_file_name(state, ".fss"), base + ".fss");
    EXPECT_EQ(state.page_count, 1);
}

TEST(LayoutFiles, ExtensionAndDefault) {
    std::string name = "form";
    add_lis_extension(name);
    EXPECT_EQ(name, "form.lis");
    name = "dir.v2\\form";
    add_lis_extension(name);
    EXPECT_EQ(name, "dir.v2\\form.lis") << "a dot in a directory is no extension";
    name = "dir\\form.txt";
    add_lis_extension(name);
    EXPECT_EQ(name, "dir\\form.txt");
    name = "a.\x95\x5c";  // the trail byte 0x5C of the extension is no separator
    add_lis_extension(name);
    EXPECT_EQ(name, "a.\x95\x5c");
    EXPECT_EQ(layout_file_path("", "/opt/nx"), "/opt/nx/nx1000.lis");
    EXPECT_EQ(layout_file_path("my", "/opt/nx"), "my.lis");
}

}  // namespace
