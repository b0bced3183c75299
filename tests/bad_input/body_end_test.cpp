// A source that ends inside a function body: status 10 in all three
// converters, with the error line and the earlier results kept.

#include <string>

#include "bad_input_fixture.h"

namespace bad_input_test {
namespace {

class BodyEnd : public BadInputTest {
protected:
    // Plants old results beside the source, runs, and checks they are kept.
    void expect_ten_and_old_results(const std::string& text) {
        const std::string source = write_file("f.c", text);
        const std::string list = write_file("f.nam", "f.c\n");
        for (const char* ext : {".fss", ".fsm", ".flt", ".pds", ".trd"}) write_file(std::string("f") + ext, "old");
        const auto before = snapshot();

        EXPECT_EQ(run_nx(source), 10);
        EXPECT_NE(read_raw(error_file("nx1000.err")).find(" : E108 : "), std::string::npos);
        EXPECT_EQ(run_gx(source), 10);
        EXPECT_NE(read_raw(error_file("gx1000.err")).find(" : E108 : "), std::string::npos);
        EXPECT_EQ(run_oq(list, {"-Fb1"}), 10);
        EXPECT_NE(read_raw(error_file("oq1000.err")).find(" : E108 : "), std::string::npos);

        auto after = snapshot();
        for (const char* error : {"nx1000.err", "gx1000.err", "oq1000.err"}) after.erase(error);
        EXPECT_EQ(after, before) << text;
    }
};

TEST_F(BodyEnd, EndInsideAnOpenStatement) { expect_ten_and_old_results("void f(void)\n{\n    x =\n"); }

TEST_F(BodyEnd, EndAfterACompleteStatement) { expect_ten_and_old_results("void f(void)\n{\n    x = 1;\n"); }

TEST_F(BodyEnd, UnclosedLiteralBeforeTheEnd) {
    expect_ten_and_old_results("void f(void)\n{\n    s = \"open;\n    x =\n");
}

TEST_F(BodyEnd, EndAfterAGoodFunction) {
    expect_ten_and_old_results(std::string(kGoodSource) + "void g(void)\n{\n    if (a) {\n        b();\n");
}

}  // namespace
}  // namespace bad_input_test
