// The parts of the document builder: heading recognition, names made from heads,
// head records, external items and record cuts.

#include <string>
#include <vector>

#include "nx1011s_fixture.h"
#include "notarix/converter/converter_state.h"

namespace nx1011s_test {
namespace {

using namespace fspec;

class Nx1011sBuilder : public ::testing::Test {
protected:
    void SetUp() override { reset_converter_state(); }
};

TEST_F(Nx1011sBuilder, HeadingsAndContinuations) {
    std::string line = " * INPUT ( EXT ) :  item - text  */";
    EXPECT_EQ(classify_comment_line(line), kPartInput);
    EXPECT_EQ(line, "item - text");
    line = "/* INPUT(EXT): g */";
    EXPECT_EQ(classify_comment_line(line), kPartInput);
    EXPECT_EQ(line, "g");
    line = "     *          : more\x81\x40";  // ends with the double-byte space
    EXPECT_EQ(classify_comment_line(line), kPartContinuation);
    EXPECT_EQ(line, "more");
    line = "/* DATE(ORG) : 2024 */";
    EXPECT_EQ(classify_comment_line(line), kPartDate);
    EXPECT_EQ(line, "2024");
    // a heading word must end where the word ends; case is as written
    line = "/* FUNCTIONS : x */";
    EXPECT_EQ(classify_comment_line(line), kPartNone);
    EXPECT_EQ(line, "/* FUNCTIONS : x */");
    line = "/* function : x */";
    EXPECT_EQ(classify_comment_line(line), kPartNone);
    line = "/* plain words */";
    EXPECT_EQ(classify_comment_line(line), kPartNone);
}

TEST_F(Nx1011sBuilder, NamesFromHeads) {
    EXPECT_EQ(make_name_record("int main(int argc, char **argv)"), "NAM:main");
    EXPECT_EQ(make_name_record("Foo::~Foo()"), "NAM:Foo::~Foo");
    EXPECT_EQ(make_name_record("Foo :: ~ Foo()"), "NAM:Foo::~Foo");
    EXPECT_EQ(make_name_record("int operator+(const A& a)"), "NAM:operator+");
    EXPECT_EQ(make_name_record("bool A::operator==(const A& a)"), "NAM:A::operator==");
    EXPECT_EQ(make_name_record("int A::operator()(int x)"), "NAM:A::operator()");
    EXPECT_EQ(make_name_record("char *get_name(void)"), "NAM:get_name");
    EXPECT_EQ(make_name_record("f(a)"), "NAM:f");
    EXPECT_EQ(make_name_record("int f(char c = ')')"), "NAM:f");
    EXPECT_EQ(cut_head_text("A::A(int x) : m(x), n(2)"), "A::A(int x)");
    EXPECT_EQ(cut_head_text("void f() throw()"), "void f()");
    EXPECT_EQ(cut_head_text("int f(int a)"), "int f(int a)");
    // a return type written with macros is part of the head
    EXPECT_EQ(cut_head_text("EXPORT(int) CALLBACK f(int a) const"), "EXPORT(int) CALLBACK f(int a)");
    EXPECT_EQ(make_name_record("EXPORT(int) CALLBACK f(int a)"), "NAM:f");
    // a head that returns a function pointer, kept whole
    EXPECT_EQ(cut_head_text("void (*f(int a))(void) const"), "void (*f(int a))(void)");
    EXPECT_EQ(make_name_record("void (*f(int a))(void)"), "NAM:f");
    EXPECT_EQ(make_name_record("ns::Widget::Widget(int w)"), "NAM:ns::Widget::Widget");
}

TEST_F(Nx1011sBuilder, HeadRecords) {
    int lines = 0;
    EXPECT_EQ(head_records_for("void f(void)", 1, 0, lines), std::vector<std::string>{"FHD:void f(void)"});
    EXPECT_EQ(head_records_for("int f(int a, char *b)", 1, 0, lines),
              (std::vector<std::string>{"FHD:int f( a, b )", "FPM:int a;", "===:char *b;"}));
    lines = 0;
    EXPECT_EQ(head_records_for("int f(int a, char *b)", 1, 1, lines),
              (std::vector<std::string>{"FHD:int f( a, b )", "FPM:int a;", "FPM:char *b;"}));
    lines = 0;
    EXPECT_EQ(head_records_for("int f(int a, void (*cb)(int), int v[3])", 1, 0, lines),
              (std::vector<std::string>{"FHD:int f( a, , v )", "FPM:int a;", "===:void (*cb)(int);", "===:int v[3];"}));
    lines = 0;
    EXPECT_EQ(head_records_for("int f(int a)", 0, 0, lines), std::vector<std::string>{"FHD:int f(int a)"});
    EXPECT_EQ(head_records_for("int a;", 0, 0, lines), std::vector<std::string>{"FPM:int a;"});
    EXPECT_EQ(head_records_for("char *b;", 0, 0, lines), std::vector<std::string>{"===:char *b;"});
}

TEST_F(Nx1011sBuilder, ExternalItems) {
    EXPECT_EQ(is_external_item("INP:g_count - counter", "FHD:int f(int count)"), 1);
    EXPECT_EQ(is_external_item("INP:count - counter", "FHD:int f(int count)"), 0);
    EXPECT_EQ(is_external_item("OUT:*(out) - result", "FHD:int f(int *out)"), 0);
    EXPECT_EQ(is_external_item("INP:\x81\x40 a", "FHD:int f(int ab)"), 1);
    EXPECT_EQ(is_external_item("INP:- nothing", "FHD:int f(int a)"), 0);
    EXPECT_EQ(is_external_item("INP:a", ""), 0);
}

TEST_F(Nx1011sBuilder, RecordCutsKeepWholeCharacters) {
    EXPECT_EQ(cut_record(std::string(250, 'a')), std::string(250, 'a'));
    EXPECT_EQ(cut_record(std::string(300, 'a')), std::string(250, 'a'));
    std::string straddling = std::string(249, 'a') + "\x95\x5C" + "b";  // the pair would be split at 250
    EXPECT_EQ(cut_record(straddling), std::string(249, 'a'));
    std::string fitting = std::string(248, 'a') + "\x95\x5C" + "b";
    EXPECT_EQ(cut_record(fitting), std::string(248, 'a') + "\x95\x5C");
}

TEST_F(Nx1011sBuilder, SummaryLines) {
    EXPECT_EQ(summary_lines("NAM:f"), "-----< f >-----\n\n\x8A\xD6\x90\x94\x96\xBC\x81@\x81@: f\n");
    EXPECT_EQ(summary_lines("///:"), " \n");
    EXPECT_EQ(summary_lines("===:x"), "\x81@\x81@\x81@\x81@\x81@: x\n");
}

}  // namespace
}  // namespace nx1011s_test
