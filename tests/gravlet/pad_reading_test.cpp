// GRAVLET's own reading rules: "/*-" continuation comments, heading words,
// type heads, call texts and function names.

#include <string>
#include <vector>

#include "gravlet/converter/pad_generator.h"
#include "gx1002s_fixture.h"

namespace gx1002s_test {
namespace {

class PadReading : public PadGeneratorTest {
protected:
    std::vector<std::string> convert(const std::string& text, std::vector<std::string> options = {}) {
        std::string source = write_source("r.c", text);
        EXPECT_EQ(run_with(source, options), kPadDone);
        return rows_of(with_extension(source, ".pds"));
    }
};

TEST_F(PadReading, DashCommentLinesJoinTheStatementBefore) {
    std::vector<std::string> rows = convert(
        "void f(void)\n{\n    a = 1;      /* first */\n                /*- second */\n    b = 2;\n}\n");
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:first second");
}

// Paths are cut at "\\" and "/" alike, so the keyword file is found beside
// an error file named either way.
TEST_F(PadReading, KeywordFileBesideTheErrorFileWhicheverSeparator) {
    write_raw(dir_.path("gx1000.kwd"), "FUNCTION = PURPOSE\n");
    std::string source = write_source("k.c", "/* PURPOSE : counts */\nvoid f(void)\n{\n}\n");
    for (const std::string& error : {dir_.path() + "/gx1000.err", dir_.path() + "\\gx1000.err"}) {
        ASSERT_EQ(run({"gx1002s", source, "-X8462", "-e" + error}), kPadDone) << error;
        std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
        ASSERT_GE(rows.size(), 3u);
        EXPECT_EQ(rows[0], "@f counts") << error;
    }
}

// A head's rows wait for its body's "{": a line before a head that only
// looks like one writes nothing, neither rows nor a list line; written
// without a ";" it begins the head that follows.
TEST_F(PadReading, HeadWithoutABodyWritesNothing) {
    std::string source = write_source("h.c",
                                      "MACRO(1)\nstatic void die(void)\n{\n    exit(1); /* stop */\n}\n"
                                      "__attribute__((noreturn))\nstatic void quit(void)\n{\n}\n"
                                      "SEC(\"x\")\nint old(a)\nint a;\n{\n}\n");
    ASSERT_EQ(run_with(source, {"-ucfc", "-n"}), kPadDone);
    std::vector<std::string> heads, ends;
    for (const std::string& row : rows_of(with_extension(source, ".pds"))) {
        if (row.find('@') != std::string::npos) heads.push_back(row);
        if (row == "/") ends.push_back(row);
    }
    EXPECT_EQ(heads, (std::vector<std::string>{"0001@die", "0006@quit", "0010@old"}));
    EXPECT_EQ(ends.size(), 3u);
    EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt"))),
              (std::vector<std::string>{"-----< C function list >-----", "h.c          #    1  die              : die",
                                        "h.c          #    6  quit             : quit",
                                        "h.c          #   10  old              : old"}));
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(PadReading, BarJoinerMarksTheJoin) {
    std::vector<std::string> rows =
        convert("void f(void)\n{\n    a = 1;      /* first */\n                /*-second */\n}\n", {"-Yc"});
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:first |second");
}

TEST_F(PadReading, MultiLineCommentInsideAFunctionIsOneText) {
    std::vector<std::string> rows = convert("void f(void)\n{\n    a = 1;      /* one\n                   two */\n}\n");
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:one two");
}

TEST_F(PadReading, HeadingColonNeverEatsALeadByte) {
    // 機能表示 directly after the word, then after a full-width colon
    std::vector<std::string> rows = convert("/* FUNCTION\x8B\x40\x94\x5C */\nvoid f(void)\n{\n}\n");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[2], "M:\x8B\x40\x94\x5C");
    rows = convert("/* FUNCTION\x81\x46\x8B\x40\x94\x5C */\nvoid f(void)\n{\n}\n");
    EXPECT_EQ(rows[2], "M:\x8B\x40\x94\x5C");
    rows = convert("/* FUNCTION : \x8B\x40\x94\x5C */\nvoid f(void)\n{\n}\n");
    EXPECT_EQ(rows[2], "M:\x8B\x40\x94\x5C");
}

TEST_F(PadReading, TypeHeads) {
    EXPECT_EQ(pad::is_type_head("struct s { int a; }"), 1);
    EXPECT_EQ(pad::is_type_head("static union u x;"), 1);
    EXPECT_EQ(pad::is_type_head("enum e { A };"), 1);
    EXPECT_EQ(pad::is_type_head("class c { };"), 0);
    EXPECT_EQ(pad::is_type_head("structure x;"), 0);
    EXPECT_EQ(pad::is_type_head("static const struct { int a; } t[] = {};"), 1);
    EXPECT_EQ(pad::is_type_head("static const int x;"), 0);
}

// Lua's lparser.c and lstrlib.c: two words before the aggregate at file
// level; the function after them is converted.
TEST_F(PadReading, AggregatesAfterSeveralPrefixWords) {
    std::vector<std::string> rows = convert(
        "static const struct { lu_byte left; lu_byte right; } priority[] = { {10, 10}, {1, 2} };\n"
        "static const union { int dummy; char little; } nativeendian = {1};\n"
        "extern volatile const struct s { int a; /* m */ } v;\n"
        "void f(void)\n{\n    a = 1;      /* one */\n}\n");
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0], "@f");
    EXPECT_EQ(rows[4], "+N:one");
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(PadReading, CallTextsAndNames) {
    pad::init_pad_generator();
    pad::add_name(pad::g_pad.type_names, "long");
    std::string call, name;
    ASSERT_EQ(pad::find_call_text("x = f ( a , b );", call, name), 1);
    EXPECT_EQ(call, "f(a,b)");
    EXPECT_EQ(name, "f");
    ASSERT_EQ(pad::find_call_text("p -> next . go(1);", call, name), 1);
    EXPECT_EQ(call, "p->next.go(1)");
    ASSERT_EQ(pad::find_call_text("(*fp)(x);", call, name), 1);
    EXPECT_EQ(call, "(*fp)(x)");
    EXPECT_EQ(pad::find_call_text("y = (long)(x);", call, name), 0);
    EXPECT_EQ(pad::find_call_text("M(i) = 3;", call, name), 0);
    EXPECT_EQ(pad::find_call_text("s = \"f(x)\";", call, name), 0);
}

// A list of names answers for each name whole, whatever its length, and for
// nothing that only shares a byte or a length with one.
TEST_F(PadReading, NameListsAnswerForWholeNames) {
    pad::NameList list;
    const std::vector<std::string> names = {"int", "FILE", "x", "", std::string(70, 't') + "_type"};
    for (const std::string& name : names) ASSERT_EQ(pad::add_name(list, name), 1);
    for (const std::string& name : names) EXPECT_TRUE(pad::is_listed(list, name)) << name;
    for (const std::string& other : {std::string("in"), std::string("inT"), std::string("iint"), std::string("y"),
                                     std::string("FILE "), std::string(70, 't') + "_typf"})
        EXPECT_FALSE(pad::is_listed(list, other)) << other;
    list.clear();
    for (const std::string& name : names) EXPECT_FALSE(pad::is_listed(list, name)) << name;
}

// The first tag word of a statement names its type, also where double-byte
// characters stand before it (a trail byte may look like a letter).
TEST_F(PadReading, TagNamesAfterTheFirstTagWord) {
    pad::init_pad_generator();
    auto listed = [](const char* name) { return pad::is_listed(pad::g_pad.type_names, name); };
    pad::record_tag_name("static int f(const struct entry* e, union u v)");
    EXPECT_TRUE(listed("entry"));
    EXPECT_FALSE(listed("u"));
    pad::record_tag_name("enum colour c; struct later s;");
    EXPECT_TRUE(listed("colour"));
    EXPECT_FALSE(listed("later"));
    pad::record_tag_name("structure s; a.class_x = 1;");
    EXPECT_FALSE(listed("s"));
    EXPECT_FALSE(listed("a"));
    pad::record_tag_name("x = \x82\x61; union after_dbcs w;");
    EXPECT_TRUE(listed("after_dbcs"));
    // "\x82\x61" ends in the byte of "a": the word after it still counts
    pad::record_tag_name("\x82\x61struct glued g;");
    EXPECT_TRUE(listed("glued"));
}

TEST_F(PadReading, FunctionNames) {
    std::string name;
    ASSERT_EQ(pad::extract_function_name("static int Foo :: bar (int x)", name), 1);
    EXPECT_EQ(name, "Foo::bar");
    ASSERT_EQ(pad::extract_function_name("int (*getfp(void))(int)", name), 1);
    EXPECT_EQ(name, "getfp");
    ASSERT_EQ(pad::extract_function_name("bool X::operator == (const X& o)", name), 1);
    EXPECT_EQ(name, "X::operator==");
    ASSERT_EQ(pad::extract_function_name("X::~X()", name), 1);
    EXPECT_EQ(name, "X::~X");
    ASSERT_EQ(pad::extract_function_name("EXPORT(int) CALLBACK f(void)", name), 1);
    EXPECT_EQ(name, "f");
    EXPECT_EQ(pad::extract_function_name("int x = 3", name), 0);
}

TEST_F(PadReading, RetProcNamesGetNoCallPrefix) {
    write_source("procs.txt", "# comment line\nquiet   trailing words\n\n loud\n");
    std::vector<std::string> rows = convert(
        "void f(void)\n{\n    quiet(1);   /* a */\n    loud(2);    /* b */\n}\n", {"-p1:" + dir_.path("procs.txt")});
    ASSERT_GE(rows.size(), 7u);
    EXPECT_EQ(rows[4], "+P:a");
    EXPECT_EQ(rows[6], "+P:loud(2): b");
    rows = convert("void f(void)\n{\n    quiet(1);   /* a */\n    other();\n}\n", {"-pa"});
    EXPECT_EQ(rows[4], "+P:quiet(1): a");
    EXPECT_EQ(rows[6], "+P:");
}

TEST_F(PadReading, TopIgnoreNamesCountAsDeclarations) {
    write_source("top.txt", "VA_SETUP;\n");
    std::vector<std::string> rows = convert(
        "void f(void)\n{\n    VA_SETUP;   /* hidden */\n    a = 1;      /* shown */\n}\n",
        {"-ti3:" + dir_.path("top.txt")});
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:shown");
}

TEST_F(PadReading, DeclarationZoneEndsAtABlankLine) {
    std::vector<std::string> rows = convert(
        "void f(void)\n{\n    a = 1;      /* in zone */\n\n    b = 2;      /* after */\n}\n", {"-ti2"});
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:after");
}

}  // namespace
}  // namespace gx1002s_test
