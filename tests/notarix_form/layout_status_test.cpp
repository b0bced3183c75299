// The layout generator's statuses, error-file lines and progress: bad
// calls, a missing form, names that clash, files that cannot be written,
// cancel, and forms cut to 82 rows of 112 columns.

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace form_test {
namespace {

class LayoutStatus : public FormTest {};

TEST_F(LayoutStatus, NoArgumentShowsTheUsage) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"lyg"}), kLayoutBadCall);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "usage : lyg <file>\n");
}

TEST_F(LayoutStatus, RefusedArguments) {
    const std::string form = copy_data("box.frm");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"lyg", "-help", form}), kLayoutBadCall);
    EXPECT_EQ(run({"lyg", form, "-e"}), kLayoutBadCall);
    EXPECT_EQ(run({"lyg", "-x", form}), kLayoutBadCall);
    EXPECT_EQ(run({"lyg", "-e" + error_file()}), kLayoutBadCall);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(file_exists(with_extension(form, ".lis")));
}

TEST_F(LayoutStatus, TheLastFormNamedCounts) {
    const std::string first = copy_data("box.frm", "first.frm");
    const std::string second = copy_data("box.frm", "second.frm");
    EXPECT_EQ(run({"lyg", first, second}), kLayoutDone);
    EXPECT_FALSE(file_exists(with_extension(first, ".lis")));
    EXPECT_TRUE(file_exists(with_extension(second, ".lis")));
}

TEST_F(LayoutStatus, MissingFormLeavesNothingBehind) {
    write_file("nx1000.erf", "stale line of an earlier run\n");
    const std::string form = dir_.path("missing.frm");
    EXPECT_EQ(generate(form), kLayoutErrors);
    ASSERT_EQ(reports_.size(), 1u);
    // 入力 <...> がありません。
    EXPECT_EQ(reports_[0].item, "\x93\xFC\x97\xCD <" + form + "> \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B\n");
    EXPECT_EQ(reports_[0].permille, 0);
    EXPECT_FALSE(file_exists(error_file()));
    EXPECT_FALSE(file_exists(with_extension(form, ".lit")));
}

TEST_F(LayoutStatus, AFolderIsNoForm) {
    std::filesystem::create_directory(dir_.path("folder.frm"));
    EXPECT_EQ(generate(dir_.path("folder.frm")), kLayoutErrors);
}

TEST_F(LayoutStatus, FormNamedLikeAResultIsRefusedUntouched) {
    const std::string bytes = read_raw(data_path("box.frm"));
    for (const char* name : {"form.lis", "form.FMS", "form.lit", "form.fmt"}) {
        const std::string form = write_file(name, bytes);
        EXPECT_EQ(generate(form), kLayoutErrors) << name;
        EXPECT_EQ(read_raw(form), bytes) << name;
        EXPECT_TRUE(reports_.empty());
    }
}

TEST_F(LayoutStatus, ErrorFileNamedLikeTheFormIsRefused) {
    const std::string form = copy_data("box.frm");
    EXPECT_EQ(run({"lyg", form, "-e" + form}), kLayoutBadCall);
    EXPECT_EQ(run({"lyg", form, "-e" + with_extension(form, ".lis")}), kLayoutBadCall);
    EXPECT_EQ(read_raw(form), read_raw(data_path("box.frm")));
}

// A temporary name taken by a folder, a FIFO or a link: the progress text
// names it, and what stands there is neither written through nor removed.
TEST_F(LayoutStatus, TemporaryThatCannotBeCreated) {
    const std::string form = copy_data("box.frm");
    const std::string target = write_file("target.txt", "not the run's");
    for (const char* kind : {"folder", "fifo", "link"}) {
        for (const char* extension : {".lit", ".fmt"}) {
            const std::string work = with_extension(form, extension);
            const std::string other = with_extension(form, std::string(extension) == ".lit" ? ".fmt" : ".lit");
            if (std::string(kind) == "folder") std::filesystem::create_directory(work);
            if (std::string(kind) == "fifo") {
                ASSERT_EQ(::mkfifo(work.c_str(), 0600), 0);
            }
            if (std::string(kind) == "link") std::filesystem::create_symlink(target, work);
            reports_.clear();
            EXPECT_EQ(generate(form), kLayoutErrors) << kind << extension;
            ASSERT_EQ(reports_.size(), 1u) << kind << extension;
            // 出力 <...> が書けません。
            EXPECT_EQ(reports_[0].item, "\x8Fo\x97\xCD <" + work +
                                            "> \x82\xAA\x8F\x91\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81" "B\n");
            EXPECT_NE(std::filesystem::symlink_status(work).type(), std::filesystem::file_type::not_found);
            EXPECT_FALSE(file_exists(other)) << kind << extension;
            EXPECT_FALSE(file_exists(with_extension(form, ".lis")));
            std::filesystem::remove(work);
        }
    }
    EXPECT_EQ(read_raw(target), "not the run's");
}

TEST_F(LayoutStatus, ErrorFileThatCannotBeCreated) {
    const std::string form = copy_data("box.frm");
    EXPECT_EQ(run({"lyg", form, "-e" + dir_.path("no/such/dir/nx1000.erf")}), kLayoutErrors);
    EXPECT_FALSE(file_exists(with_extension(form, ".lis")));
}

// A result that cannot be put in place is a write failure; the earlier
// results stay as they were and the temporaries go.
TEST_F(LayoutStatus, WriteFailureKeepsTheOldResults) {
    const std::string form = copy_data("box.frm", "form.frm");
    const std::string old_lis = write_file("form.lis", "old layout\r\n");
    std::filesystem::create_directory(with_extension(form, ".fms"));
    EXPECT_EQ(generate(form), kLayoutWriteFailure);
    EXPECT_EQ(read_raw(old_lis), "old layout\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(with_extension(form, ".fms")));
    for (const char* work : {".lit", ".fmt"}) EXPECT_FALSE(file_exists(with_extension(form, work)));
    // ファイルが書けません。
    EXPECT_EQ(read_raw(error_file()),
              "form.frm    (   0) : E058 : \x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8F\x91\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81" "B\r\n");
}

TEST_F(LayoutStatus, CancelStopsTheRunAndKeepsTheOldResults) {
    const std::string form = copy_data("weights.frm", "form.frm");
    write_file("form.lis", "old layout\r\n");
    write_file("form.fms", "old fields\r\n");
    cancel_at_ = 40;
    EXPECT_EQ(generate(form), kLayoutErrors);
    EXPECT_EQ(read_raw(dir_.path("form.lis")), "old layout\r\n");
    EXPECT_EQ(read_raw(dir_.path("form.fms")), "old fields\r\n");
    for (const char* work : {".lit", ".fmt"}) EXPECT_FALSE(file_exists(with_extension(form, work)));
    // the cancel is seen at the next test, and nothing is reported after it
    EXPECT_EQ(reports_.size(), 41u);
    // 処理を中断しました。
    EXPECT_EQ(read_raw(error_file()),
              "form.frm    (   0) : E063 : \x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B\r\n");
}

// More than 82 lines and lines wider than 112 columns: warnings with the
// line numbers, the part that fits used, and the results written.
TEST_F(LayoutStatus, FormCutToItsSizeWarns) {
    std::vector<std::string> lines(83, "");
    lines[0] = std::string(112, 'A') + "BEYOND";
    // a double-byte character in columns 111 and 112 is left out whole
    lines[1] = std::string(111, 'B') + "\x8C\x85";
    lines[2] = std::string(300, 'C');
    lines[3] = "D";
    lines[82] = "the 83rd line";
    const std::string form = write_file("form.frm", crlf(lines));
    EXPECT_EQ(generate(form), kLayoutWarnings);

    // 関数仕様書の桁数が制限を超えています。 / 関数仕様書の行数が制限を超えています。
    const std::string columns = "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x8C\x85\x90\x94\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
    const std::string rows = "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x8Ds\x90\x94\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
    EXPECT_EQ(read_raw(error_file()), "form.frm    (   1) : W065 : " + columns + "\r\n" +
                                          "form.frm    (   2) : W065 : " + columns + "\r\n" +
                                          "form.frm    (   3) : W065 : " + columns + "\r\n" +
                                          "form.frm    (  83) : W064 : " + rows + "\r\n");
    const std::vector<std::string> lis = lis_of(form);
    const std::vector<std::string> texts(lis.begin() + 12, lis.end() - 6);
    EXPECT_EQ(texts, (std::vector<std::string>{"MV:1,1,1", "ST:" + std::string(112, 'A'), "MV:1,2,1",
                                               "ST:" + std::string(111, 'B'), "MV:1,3,1", "ST:" + std::string(112, 'C'),
                                               "MV:1,4,1", "ST:D"}));
}

// A lead byte whose trail lies beyond the row is a byte of its own.
TEST_F(LayoutStatus, LeadByteAtTheRowsEndIsASingleByte) {
    const std::string form = write_file("form.frm", "AB\x8C\r\n");
    EXPECT_EQ(generate(form), kLayoutDone);
    EXPECT_EQ(lis_of(form)[13], "ST:AB\x8C");
}

TEST_F(LayoutStatus, ProgressRunsThroughTheBandsOfEachPhase) {
    const std::string form = copy_data("weights.frm");
    ASSERT_EQ(generate(form), kLayoutDone);
    ASSERT_FALSE(reports_.empty());
    // 入力読み込み
    EXPECT_EQ(reports_.front().item, "      \x93\xFC\x97\xCD\x93\xC7\x82\xDD\x8D\x9E\x82\xDD");
    EXPECT_EQ(reports_.front().permille, 0);
    int last = 0;
    std::string phases;
    for (const ProgressReport& r : reports_) {
        EXPECT_GE(r.permille, last) << r.item;
        EXPECT_LE(r.permille, 1000);
        last = r.permille;
        if (r.item.size() >= 4 && r.item[0] >= '1' && r.item[0] <= '6' && (phases.empty() || phases.back() != r.item[0]))
            phases += r.item[0];
    }
    EXPECT_EQ(phases, "123456");
    // the end of the reading: the line count; the end of each line pass: 114
    auto shown = [this](const std::string& item) {
        for (const ProgressReport& r : reports_)
            if (r.item == item) return r.permille;
        return -1;
    };
    // bytes read of the file's size: the line ends count one byte each
    EXPECT_GT(shown("1 10"), 150);
    EXPECT_LE(shown("1 10"), 160);
    EXPECT_EQ(shown("2  0 "), 160);
    EXPECT_EQ(shown("3  0 "), 320);
    EXPECT_EQ(shown("3114"), 320 + 180 * 114 / 166);
    EXPECT_EQ(shown("5114"), 660 + 160 * 114 / 166);
    EXPECT_EQ(shown("6164"), 820 + 180 * 164 / 165);
    EXPECT_EQ(reports_.back().item, "6164");
}

}  // namespace
}  // namespace form_test
