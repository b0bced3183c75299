// The form grid and the form file: reading into cells and text rows,
// conversion between the code sets, composing rows from cells, cutting a
// form to its size, and writing it back.

#include <filesystem>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace form_test {
namespace {

class FrmFile : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        ASSERT_EQ(alloc_form_grids(), 0);
        events_.clear();
    }
    FormGrids& form() { return form_grids(); }
    std::string saved(const std::string& name) {
        const std::string path = dir_.path(name);
        EXPECT_EQ(write_frm_file(path), 0);
        return read_raw(path);
    }
    // 仕様書フォームが大きすぎます。 / 有効範囲外は読み込まれていません。
    // under 【 関数仕様書ﾌｫｰﾑ編集 】
    const std::string too_big_ =
        "warn \x81y \x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\xCC\xAB\xB0\xD1\x95\xD2\x8FW \x81z "
        "\x8E" "d\x97l\x8F\x91\x83t\x83H\x81[\x83\x80\x82\xAA\x91\xE5\x82\xAB\x82\xB7\x82\xAC\x82\xDC\x82\xB7\x81" "B\n"
        "\x97L\x8C\xF8\x94\xCD\x88\xCD\x8A" "O\x82\xCD\x93\xC7\x82\xDD\x8D\x9E\x82\xDC\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1\x81" "B";
};

TEST_F(FrmFile, AllocationShowsItsStatusAndStartsEmpty) {
    free_form_grids();
    events_.clear();
    ASSERT_EQ(alloc_form_grids(), 0);
    // 関数仕様書フォーム編集：初期化中です。
    EXPECT_EQ(events_, (std::vector<std::string>{
                           "status \x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x83t\x83H\x81[\x83\x80\x95\xD2\x8FW\x81" "F\x8F\x89\x8A\xFA\x89\xBB\x92\x86\x82\xC5\x82\xB7\x81" "B",
                           "tools", "status default"}));
    EXPECT_EQ(form().undo.size(), form().cells.size());
    EXPECT_EQ(form().rows[81], std::string(111, ' '));
    EXPECT_EQ(form().cell(0, 110).code, ' ');
    EXPECT_EQ(form().cell(0, 111).code, 0);
    free_form_grids();
    free_form_grids();
    EXPECT_FALSE(form().allocated());
}

// The shipped form: 82 lines with CR LF, boxes of both weights, texts of
// every size and parameter areas, saved back byte for byte.
TEST_F(FrmFile, FullFormRoundTripsByteExact) {
    const std::string bytes = read_raw(default_form_path());
    ASSERT_EQ(read_frm_file(write_file("in.frm", bytes)), 0);
    EXPECT_EQ(events_, std::vector<std::string>{"replaced"});
    EXPECT_EQ(saved("out.frm"), bytes);
}

TEST_F(FrmFile, ShortFormIsSavedWith82Lines) {
    ASSERT_EQ(read_frm_file(copy_data("box.frm")), 0);
    std::string expected = read_raw(data_path("box.frm"));
    for (int i = 3; i < 82; ++i) expected += "\r\n";
    EXPECT_EQ(saved("out.frm"), expected);
}

TEST_F(FrmFile, RowsArePaddedTo111AndCellsHoldTheCharacters) {
    ASSERT_EQ(read_frm_file(copy_data("weights.frm")), 0);
    // ┏ then ━: weights in the first column, the second a plain blank
    const FormCell& corner = form().cell(0, 0);
    EXPECT_EQ(corner.code, 0x84AC);
    EXPECT_EQ((std::vector<int>{corner.right, corner.up, corner.left, corner.down}), (std::vector<int>{2, 0, 0, 2}));
    EXPECT_EQ(form().cell(0, 1).code, ' ');
    EXPECT_EQ(form().cell(0, 1).right, 0);
    EXPECT_EQ(form().cell(1, 3).code, 'A');
    EXPECT_EQ(form().rows[1].size(), 111u);
    EXPECT_EQ(form().rows[7], std::string(111, ' '));
}

TEST_F(FrmFile, Pc98FormReadsIntoTheSameCellsAsItsDosVTwin) {
    const std::string dosv = read_raw(data_path("weights.frm"));
    ASSERT_EQ(read_frm_file(write_file("dosv.frm", dosv)), 0);
    const std::vector<FormCell> cells(form().cells.begin(), form().cells.end());
    const std::vector<std::string> rows = form().rows;
    ASSERT_EQ(read_frm_file(write_file("pc98.frm", in_code_set(dosv, kRuledLinesPc98))), 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(form().cells[i].code, cells[i].code) << i;
        EXPECT_EQ(form().cells[i].right + 3 * form().cells[i].up + 9 * form().cells[i].left + 27 * form().cells[i].down,
                  cells[i].right + 3 * cells[i].up + 9 * cells[i].left + 27 * cells[i].down)
            << i;
    }
    // converted to the current set (DOS/V) on reading, and saved so
    EXPECT_EQ(form().rows, rows);
    EXPECT_EQ(saved("out.frm").substr(0, dosv.size()), dosv);
}

TEST_F(FrmFile, SharedDosVCodeReadsAsEntry5AndSavesAsItsPc98Code) {
    ASSERT_EQ(read_frm_file(write_file("mixed.frm", "\x86\xA1\r\n")), 0);
    const FormCell& cell = form().cell(0, 0);
    EXPECT_EQ((std::vector<int>{cell.right, cell.up, cell.left, cell.down}), (std::vector<int>{2, 0, 0, 1}));
    form().code_set = kRuledLinesPc98;
    rebuild_form_cells();
    EXPECT_EQ(saved("out.frm").substr(0, 4), "\x86\xAF\r\n");
}

// Switching the code set keeps every shape that has a code in both sets.
TEST_F(FrmFile, RebuildTakesTheCharactersOfTheNewSet) {
    const std::string dosv = read_raw(data_path("weights.frm"));
    ASSERT_EQ(read_frm_file(write_file("dosv.frm", dosv)), 0);
    events_.clear();
    form().code_set = kRuledLinesPc98;
    rebuild_form_cells();
    EXPECT_EQ(events_, std::vector<std::string>{"replaced"});
    EXPECT_EQ(saved("pc98.frm").substr(0, dosv.size()), in_code_set(dosv, kRuledLinesPc98));
    form().code_set = kRuledLinesDosV;
    rebuild_form_cells();
    EXPECT_EQ(saved("back.frm").substr(0, dosv.size()), dosv);
}

TEST_F(FrmFile, RowsComposeFromTheirCells) {
    std::string row;
    // a right arm alone is the straight line of its weight
    form().cell(0, 0) = FormCell{' ', 1, 0, 0, 0};
    form().cell(0, 2) = FormCell{'$', 0, 0, 0, 0};
    form().cell(0, 3) = FormCell{0x8C85, 0, 0, 0, 0};
    form().cell(0, 4) = FormCell{' ', 0, 0, 0, 0};
    form().cell(0, 5) = FormCell{0, 0, 0, 0, 0};
    compose_row_text(0, row);
    EXPECT_EQ(row, "\x84\x9F$\x8C\x85");
    form().code_set = kRuledLinesPc98;
    compose_row_text(0, row);
    EXPECT_EQ(row, "\x86\xA2$\x8C\x85");
    // a double-byte character never reaches past the last column
    form().cell(1, 111) = FormCell{0x8C85, 0, 0, 0, 0};
    compose_row_text(1, row);
    EXPECT_EQ(row, std::string(111, ' '));
}

TEST_F(FrmFile, LinesWiderThanTheFormAreCutOnce) {
    std::vector<std::string> lines = {std::string(112, 'A') + "Z", std::string(111, 'B') + "\x8C\x85", "C"};
    ASSERT_EQ(read_frm_file(write_file("wide.frm", crlf(lines))), 0);
    EXPECT_EQ(form().rows[0], std::string(112, 'A'));
    EXPECT_EQ(form().rows[1], std::string(111, 'B'));
    EXPECT_EQ(form().rows[2], "C" + std::string(110, ' '));
    EXPECT_EQ(events_, (std::vector<std::string>{"replaced", "beep", too_big_}));
}

// A line of any length is one row: the rows after it stay in place.
TEST_F(FrmFile, VeryLongLineIsOneRow) {
    std::vector<std::string> lines = {std::string(1000, 'L'), "next"};
    ASSERT_EQ(read_frm_file(write_file("long.frm", crlf(lines))), 0);
    EXPECT_EQ(form().rows[0], std::string(112, 'L'));
    EXPECT_EQ(form().rows[1].substr(0, 4), "next");
    EXPECT_EQ(form().rows[2], std::string(111, ' '));
}

TEST_F(FrmFile, The83rdLineIsLeftOut) {
    std::vector<std::string> lines(83, "x");
    lines[82] = "left out";
    ASSERT_EQ(read_frm_file(write_file("tall.frm", crlf(lines))), 0);
    EXPECT_EQ(form().rows[81].substr(0, 1), "x");
    EXPECT_EQ(events_, (std::vector<std::string>{"replaced", "beep", too_big_}));
    EXPECT_EQ(saved("out.frm"), crlf(std::vector<std::string>(82, "x")));
}

TEST_F(FrmFile, LeadByteWithoutItsTrailIsASingleByte) {
    ASSERT_EQ(read_frm_file(write_file("lead.frm", std::string(111, ' ') + "\x8C\r\nAB\x8C\r\n")), 0);
    EXPECT_EQ(form().cell(0, 111).code, 0x8C);
    EXPECT_EQ(form().cell(1, 2).code, 0x8C);
    EXPECT_EQ(form().cell(1, 3).code, ' ');
}

TEST_F(FrmFile, ControlBytesAreReadAsBlanks) {
    ASSERT_EQ(read_frm_file(write_file("ctl.frm", std::string("A\tB\0C\r\n", 7))), 0);
    EXPECT_EQ(form().rows[0].substr(0, 5), "A B C");
}

TEST_F(FrmFile, MissingFileLeavesTheFormEmpty) {
    EXPECT_EQ(read_frm_file(dir_.path("missing.frm")), -1);
    EXPECT_TRUE(events_.empty());
    EXPECT_EQ(form().rows[0], std::string(111, ' '));
}

TEST_F(FrmFile, SavingShowsTheNameAndBeeps) {
    ASSERT_EQ(read_frm_file(copy_data("box.frm")), 0);
    events_.clear();
    const std::string path = dir_.path("out.frm");
    ASSERT_EQ(write_frm_file(path), 0);
    // ファイル(%s)を保存しました。
    EXPECT_EQ(events_, (std::vector<std::string>{
                           "status \x83t\x83@\x83" "C\x83\x8B(" + path + ")\x82\xF0\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B",
                           "beep"}));
    EXPECT_FALSE(file_exists(path + "$"));
}

// ファイルオープンエラー / ファイル名（%s）
TEST_F(FrmFile, FileThatCannotBeWrittenIsReportedAndKept) {
    const std::string folder = dir_.path("folder.frm");
    std::filesystem::create_directory(folder);
    for (const std::string& path : {folder, dir_.path("no/such/dir/out.frm")}) {
        events_.clear();
        EXPECT_EQ(write_frm_file(path), -1);
        EXPECT_EQ(events_, (std::vector<std::string>{
                               "beep", "warn \x81y \x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\xCC\xAB\xB0\xD1\x95\xD2\x8FW \x81z "
                                       "\x83t\x83@\x83" "C\x83\x8B\x83I\x81[\x83v\x83\x93\x83G\x83\x89\x81[\n"
                                       "\x83t\x83@\x83" "C\x83\x8B\x96\xBC\x81i" + path + "\x81j"}));
        EXPECT_FALSE(file_exists(path + "$"));
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace form_test
