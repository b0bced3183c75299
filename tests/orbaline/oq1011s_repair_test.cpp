// The list repair (-n): the new order, the kept .bak, twice-listed sources,
// and failures that must leave the list as it was.

#include <filesystem>
#include <string>
#include <vector>

#include "oq1011s_fixture.h"

namespace oq1011s_test {
namespace {

class Oq1011sRepair : public TreeGeneratorTest {
protected:
    std::string list_of(const std::string& text) {
        copy_fixtures({"main.c", "util.c", "io.c"});
        std::string list = dir_.path("prog.nam");
        write_raw(list, text);
        return list;
    }
};

TEST_F(Oq1011sRepair, MainFirstThenEachSourceBeforeItsCallees) {
    // main.c calls into util.c and io.c; util.c calls into io.c
    std::string list = list_of("# order to repair\nio.c\nutil.c\n\nmain.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(list), "main.c\r\nutil.c\r\nio.c\r\n");
    EXPECT_EQ(read_raw(with_extension(list, ".bak")), "# order to repair\nio.c\nutil.c\n\nmain.c\n");
    EXPECT_FALSE(exists(with_extension(list, ".na2")));
    EXPECT_FALSE(exists(with_extension(list, ".trd")));
    EXPECT_FALSE(exists(with_extension(list, ".flt")));
}

TEST_F(Oq1011sRepair, ChainOfThreeSources) {
    write_raw(dir_.path("first.c"), "int main(void)\n{\n    third_fn();\n}\n");
    write_raw(dir_.path("second.c"), "void second_fn(void)\n{\n}\n");
    write_raw(dir_.path("third.c"), "void third_fn(void)\n{\n    second_fn();\n}\n");
    std::string list = dir_.path("chain.nam");
    write_raw(list, "first.c\nsecond.c\nthird.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(list), "first.c\r\nthird.c\r\nsecond.c\r\n");
}

TEST_F(Oq1011sRepair, WithoutMainTheLeastCalledComesFirst) {
    write_raw(dir_.path("a.c"), "void a_fn(void)\n{\n}\n");
    write_raw(dir_.path("b.c"), "void b_fn(void)\n{\n    a_fn();\n}\n");
    write_raw(dir_.path("c.c"), "void c_fn(void)\n{\n}\n");
    std::string list = dir_.path("free.nam");
    write_raw(list, "a.c\nb.c\nc.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    // b.c is called by nobody, a.c by b.c; c.c keeps its place after b.c
    EXPECT_EQ(read_raw(list), "b.c\r\na.c\r\nc.c\r\n");
}

TEST_F(Oq1011sRepair, SourcesWithoutCallsKeepTheirOrder) {
    write_raw(dir_.path("x.c"), "void x_fn(void)\n{\n}\n");
    write_raw(dir_.path("y.c"), "void y_fn(void)\n{\n}\n");
    write_raw(dir_.path("z.c"), "void z_fn(void)\n{\n}\n");
    std::string list = dir_.path("flat.nam");
    write_raw(list, "z.c\nx.c\ny.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(list), "z.c\r\nx.c\r\ny.c\r\n");
}

TEST_F(Oq1011sRepair, SourceListedTwiceStaysTwice) {
    std::string list = list_of("io.c\nutil.c\nmain.c\nio.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(list), "main.c\r\nutil.c\r\nio.c\r\nio.c\r\n");
}

TEST_F(Oq1011sRepair, OldBakIsReplaced) {
    std::string list = list_of("util.c\nmain.c\nio.c\n");
    write_raw(with_extension(list, ".bak"), "older list\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(with_extension(list, ".bak")), "util.c\nmain.c\nio.c\n");
    EXPECT_FALSE(exists(with_extension(list, ".bak.$old")));
}

TEST_F(Oq1011sRepair, FailedRunLeavesTheListAlone) {
    std::string list = list_of("util.c\nmain.c\nio.c\n");
    write_raw(with_extension(list, ".bak"), "older list\n");
    cancel_at_ = 1;
    EXPECT_EQ(run(repair_vector(list)), kCallTreeErrors);
    EXPECT_EQ(read_raw(list), "util.c\nmain.c\nio.c\n");
    EXPECT_EQ(read_raw(with_extension(list, ".bak")), "older list\n");
    EXPECT_FALSE(exists(with_extension(list, ".na2")));

    // a .bak that cannot be replaced: the list and the .bak stay
    cancel_at_ = -1;
    std::filesystem::remove(with_extension(list, ".bak"));
    std::filesystem::create_directory(with_extension(list, ".bak"));
    EXPECT_EQ(run(repair_vector(list)), kCallTreeWriteFailure);
    EXPECT_EQ(read_raw(list), "util.c\nmain.c\nio.c\n");
    EXPECT_TRUE(std::filesystem::is_directory(with_extension(list, ".bak")));
    EXPECT_FALSE(exists(with_extension(list, ".na2")));
}

TEST_F(Oq1011sRepair, MissingSourceStopsBeforeAnythingIsWritten) {
    std::string list = list_of("util.c\nmissing.c\nmain.c\n");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeErrors);
    EXPECT_EQ(read_raw(list), "util.c\nmissing.c\nmain.c\n");
    EXPECT_FALSE(exists(with_extension(list, ".bak")));
    EXPECT_FALSE(exists(with_extension(list, ".na2")));
}

}  // namespace
}  // namespace oq1011s_test
