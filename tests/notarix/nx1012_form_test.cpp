// The field form: reading .fms lines, the fields that follow from others, the
// single-row argument areas and fields that take nothing.
#include "notarix/formatter/field_form.h"
#include "tests/notarix/nx1012_fixture.h"

namespace nx1012_test {
namespace {

class FormTest : public FormatterTest {
protected:
    // Document of one function through a form given as lines.
    std::string page(const std::vector<std::string>& form, const std::string& records) {
        write_raw(path("f.fms"), join_lines(form));
        write_raw(path("p.fss"), records);
        EXPECT_EQ(run({"-f" + path("f.fms"), path("p.c")}), expected_status_);
        const std::string plain = read_plain_lin(path("p.lin"));
        // without the six header lines and the trailer
        const auto lines = split_lines(plain);
        return join_lines(std::vector<std::string>(lines.begin() + 6, lines.end() - 1));
    }
    int expected_status_ = kFormatterOk;
};

TEST(FieldNumbers, MissingAndNonNumericAreMinusOne) {
    FieldNumbers n = parse_field_numbers("(7,16:1,38)");
    EXPECT_EQ(n.row, 7);
    EXPECT_EQ(n.column, 16);
    EXPECT_EQ(n.rows, 1);
    EXPECT_EQ(n.max_chars, 38);
    n = parse_field_numbers("(7,16:text)");
    EXPECT_EQ(n.row, 7);
    EXPECT_EQ(n.column, 16);
    EXPECT_EQ(n.rows, -1);
    EXPECT_EQ(n.max_chars, -1);
    n = parse_field_numbers("(,5)");
    EXPECT_EQ(n.row, -1);
    EXPECT_EQ(n.column, 5);
    n = parse_field_numbers("no numbers");
    EXPECT_EQ(n.row, -1);
    EXPECT_EQ(n.max_chars, -1);
}

TEST_F(FormTest, FindFieldPosition) {
    write_scrambled(path("f.fms"), {"$NM(2,10:1,20)", "$FT(81,4:1,80)"});
    int column = 0;
    int row = 0;
    EXPECT_EQ(find_fms_field_position(path("f.fms").c_str(), kFieldFooter, column, row), 0);
    EXPECT_EQ(column, 4);
    EXPECT_EQ(row, 81);
    EXPECT_EQ(find_fms_field_position(path("f.fms").c_str(), kFieldSystem, column, row), -1);
    EXPECT_EQ(find_fms_field_position(path("f.fms").c_str(), 19, column, row), -1);
    EXPECT_EQ(find_fms_field_position("", kFieldName, column, row), -1);
    EXPECT_EQ(find_fms_field_position(path("none.fms").c_str(), kFieldName, column, row), -1);
}

TEST_F(FormTest, ParametersGoBelowTheHeadWhenTheFormLeavesThemOut) {
    EXPECT_EQ(page({"$FF(20,5:3,10)"}, "FHD:int f(int a)\nFPM:int a;\n///:\n"),
              join_lines({"MV:1,20,5", "ST:int f(int ", "MV:1,21,5", "ST:a)", "MV:1,22,5", "ST:int a;", "ZC:"}));
}

TEST_F(FormTest, ArgumentAreaContinuesBelowTheNamesArea) {
    expected_status_ = kFormatterTextCut;
    EXPECT_EQ(page({"$PT(10,2:4,4)", "$PN(10,8:4,20)", "$PA(14,2:3,20)"},
                   "INP:a\nINP:b\nINP:c\nINP:d\nINP:e\nINP:f\n///:\n"),
              join_lines({"MV:1,10,2", "ST:\x82\x68\x81\x40", "MV:1,10,8", "ST:a",   //
                          "MV:1,12,2", "ST:\x82\x68\x81\x40", "MV:1,12,8", "ST:b",   //
                          "MV:1,14,2", "ST:\x82\x68\x81\x40", "MV:1,14,8", "ST:c",   //
                          "MV:1,15,2", "ST:\x82\x68\x81\x40", "MV:1,15,8", "ST:d",   //
                          "MV:1,16,2", "ST:\x82\x68\x81\x40", "MV:1,16,8", "ST:e", "ZC:"}));
}

TEST_F(FormTest, DerivedArgumentAreaAddsNoRows) {
    // without $PA the arguments stay in the $PN area
    expected_status_ = kFormatterTextCut;
    EXPECT_EQ(page({"$PT(10,2:4,4)", "$PN(10,8:4,20)"}, "INP:a\nINP:b\nINP:c\n///:\n"),
              join_lines({"MV:1,10,2", "ST:\x82\x68\x81\x40", "MV:1,10,8", "ST:a",   //
                          "MV:1,12,2", "ST:\x82\x68\x81\x40", "MV:1,12,8", "ST:b", "ZC:"}));
}

TEST_F(FormTest, NegativeWidthOrColumnTakesNothing) {
    EXPECT_EQ(page({"$NM(2,-1:1,20)", "$FN(3,10:1,-5)", "$PR(4,4:3,-1)", "$SY(1,1:1,10)"},
                   "NAM:f\nFUN:does\nPRC:step\nSYS:sys\n///:\n"),
              join_lines({"#NAM:f", "#FUN:does", "MV:1,1,1", "ST:sys", "ZC:"}));
}

TEST_F(FormTest, TextFieldsOfTheFormTakeNothing) {
    EXPECT_EQ(page({"$NM(\x8A\xD6\x90\x94\x96\xBC)", "$FN(3,10:\x8B\x40\x94\x5C)"}, "NAM:f\nFUN:does\n///:\n"),
              join_lines({"#NAM:f", "#FUN:does", "ZC:"}));
}

TEST_F(FormTest, MoreThanFortySingleRowEntriesAreIgnored) {
    std::vector<std::string> form;
    for (int i = 1; i <= 45; ++i) {
        form.push_back("$PT(" + std::to_string(i) + ",1:1,4)");
        form.push_back("$PN(" + std::to_string(i) + ",6:1,10)");
    }
    std::string records;
    for (int i = 1; i <= 41; ++i) records += "INP:a" + std::to_string(i) + "\n";
    records += "///:\n";
    expected_status_ = kFormatterTextCut;
    const auto lines = split_lines(page(form, records));
    // 40 arguments of four lines, then the page end
    ASSERT_EQ(lines.size(), 161u);
    EXPECT_EQ(lines[156], "MV:1,40,1");
    EXPECT_EQ(lines[158], "MV:1,40,6");
    EXPECT_EQ(lines[159], "ST:a40");
    EXPECT_EQ(lines[160], "ZC:");
}

TEST_F(FormTest, FilesGoToTheirOwnFieldOrToTheRemarks) {
    expected_status_ = kFormatterTextCut;  // b.dat finds no row
    EXPECT_EQ(page({"$RM(30,4:3,40)", "$FL(40,4:1,20)"},
                   "REM:\x94\xF5\x8D\x6C\nREM:note\nFIL:a.dat\nFIL:b.dat\n///:\n"),
              join_lines({"MV:1,30,4", "ST:note", "MV:1,40,4", "ST:a.dat", "ZC:"}));
    expected_status_ = kFormatterOk;
    EXPECT_EQ(page({"$RM(30,4:3,40)"}, "FIL:a.dat\n///:\n"),
              join_lines({"MV:1,30,4", "ST:\x8E\x67\x97\x70\x83\x74\x83\x40\x83\x43\x83\x8B\x81\x46" "a.dat", "ZC:"}));
}

// Remarks and files wait in 82 slots until the function ends; an 83rd
// finds none and counts as cut.
TEST_F(FormTest, EightyTwoRemarksAreKeptPerFunction) {
    auto remark_rows = [&](int count) {
        std::string records;
        for (int i = 1; i <= count; ++i) records += "REM:r" + std::to_string(i) + "\n";
        int rows = 0;
        for (const std::string& line : split_lines(page({"$RM(1,1:100,20)"}, records + "///:\n")))
            if (line.rfind("ST:r", 0) == 0) ++rows;
        return rows;
    };
    EXPECT_EQ(remark_rows(82), 82);
    expected_status_ = kFormatterTextCut;
    EXPECT_EQ(remark_rows(83), 82);
}

TEST_F(FormTest, RemarksFollowArgumentsInASharedArea) {
    EXPECT_EQ(page({"$PT(10,2:2,4)", "$PN(10,8:2,20)", "$PA(12,2:4,20)", "$RM(12,2:4,30)"},
                   "REM:note\nINP:a\nINP:b\n///:\n"),
              join_lines({"MV:1,10,2", "ST:\x82\x68\x81\x40", "MV:1,10,8", "ST:a",  //
                          "MV:1,12,2", "ST:\x82\x68\x81\x40", "MV:1,12,8", "ST:b",  //
                          "MV:1,13,2", "ST:note", "ZC:"}));
    // a remarks area above the arguments keeps its own rows
    EXPECT_EQ(page({"$PT(10,2:2,4)", "$PN(10,8:2,20)", "$RM(3,2:2,30)"}, "REM:note\nINP:a\n///:\n"),
              join_lines({"MV:1,10,2", "ST:\x82\x68\x81\x40", "MV:1,10,8", "ST:a", "MV:1,3,2", "ST:note", "ZC:"}));
}

TEST_F(FormTest, EveryPageStartsFromTheFormRows) {
    EXPECT_EQ(page({"$PR(5,1:3,20)"}, "PRC:a\nPRC:b\n///:\nPRC:c\n///:\n"),
              join_lines({"MV:1,5,1", "ST:a", "MV:1,6,1", "ST:b", "ZC:", "MV:1,5,1", "ST:c", "ZC:"}));
}

TEST_F(FormTest, WrappedHeadNeverSplitsADoubleByteCharacter) {
    // 関数 is four bytes; a width of 4 takes "a" and one character
    EXPECT_EQ(page({"$FF(1,1:3,4)", "$PF(9,1:1,20)"}, "FHD:a\x8A\xD6\x90\x94xy\n///:\n"),
              join_lines({"MV:1,1,1", "ST:a\x8A\xD6", "MV:1,2,1", "ST:\x90\x94xy", "ZC:"}));
}

TEST_F(FormTest, ArgumentKindsAndDates) {
    EXPECT_EQ(page({"$PT(1,1:1,4)", "$PT(2,1:1,4)", "$PT(3,1:1,4)", "$PN(1,6:1,9)", "$PN(2,6:1,9)",
                    "$PN(3,6:1,9)", "$D1(9,1:1,10)", "$D2(9,20:1,10)"},
                   "EIN:g\nUPD:u\n===:more\nDAT:2020-01-01\n///:\n"),
              join_lines({"MV:1,1,1", "ST:\x82\x64\x82\x68", "MV:1,1,6", "ST:g",  //
                          "MV:1,2,1", "ST:\x82\x74\x81\x40", "MV:1,2,6", "ST:u",  //
                          "MV:1,3,1", "ST:    ", "MV:1,3,6", "ST:more",          //
                          "MV:1,9,20", "ST:2020-01-01", "ZC:"}));
}

}  // namespace
}  // namespace nx1012_test
