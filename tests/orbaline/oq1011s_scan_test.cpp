// Definitions and calls: function heads, call recognition in bodies, the
// keyword comment, tables of functions, macros per source and the records of
// a cross-reference run.

#include <string>
#include <vector>

#include "oq1011s_fixture.h"
#include "orbaline/converter/call_tree.h"

namespace oq1011s_test {
namespace {

using namespace ctree;
using Names = std::vector<std::string>;

class Oq1011sHeads : public ::testing::Test {
protected:
    void SetUp() override {
        reset_generator_state();
        build_type_keyword_table();
    }
    static std::string head(const std::string& text, std::string* prefix = nullptr) {
        std::string name, p;
        if (!function_head_name(text, name, p)) return "-";
        if (prefix != nullptr) *prefix = p;
        return name;
    }
};

TEST_F(Oq1011sHeads, NamesOfFunctionHeads) {
    std::string prefix;
    EXPECT_EQ(head("static unsigned long count_items(struct list *l, int n)", &prefix), "count_items");
    EXPECT_EQ(prefix, "static unsigned long");
    EXPECT_EQ(head("char *name_of(int id)", &prefix), "name_of");
    EXPECT_EQ(prefix, "char *");
    EXPECT_EQ(head("main(argc, argv)", &prefix), "main");
    EXPECT_EQ(prefix, "");
    EXPECT_EQ(head("Shape :: ~ Shape ()"), "Shape::~Shape");
    EXPECT_EQ(head("bool Shape::operator == (const Shape &o)"), "Shape::operator==");
    EXPECT_EQ(head("int Table::operator[](int i)"), "Table::operator[]");
    EXPECT_EQ(head("int Fn::operator()(int x)"), "Fn::operator()");
    EXPECT_EQ(head("ns::Widget::Widget(int w) : width(w), height(0)"), "ns::Widget::Widget");
    EXPECT_EQ(head("int f(char c = ')')"), "f");
    EXPECT_EQ(head("(x)"), "-");
    // a return type written with macros stays in the prefix
    EXPECT_EQ(head("EXPORT(int) CALLBACK f(void)", &prefix), "f");
    EXPECT_EQ(prefix, "EXPORT(int) CALLBACK");
    EXPECT_EQ(head("void f() const throw(int)"), "f");
    // a head that returns a function pointer is named by the name inside
    EXPECT_EQ(head("void (*f(int a))(void)", &prefix), "f");
    EXPECT_EQ(prefix, "void (*");
}

TEST_F(Oq1011sHeads, CallsInABody) {
    EXPECT_EQ(calls_in_text("x = compute(a, other(b)) + 1;"), (Names{"compute", "other"}));
    // keywords, sizeof and casts to type words are no calls
    EXPECT_EQ(calls_in_text("if (sizeof(int) > (long)(n)) return (f)(x);"), (Names{}));
    EXPECT_EQ(calls_in_text("while (more()) { step (1); }"), (Names{"more", "step"}));
    // member and qualified calls keep their whole chain
    EXPECT_EQ(calls_in_text("p->q.r(1); a[i + 1].go(); ns::util::run(); s.~T(); o.f();"),
              (Names{"p->q.r", "a[i+1].go", "ns::util::run", "s.~T", "o.f"}));
    EXPECT_EQ(calls_in_text("x = a.operator==(b);"), (Names{"a.operator=="}));
    EXPECT_EQ(calls_in_text("n = 0x1f(3) + 1e5;"), (Names{}));
    // a call written in a character constant is none
    EXPECT_EQ(calls_in_text("c = 'f' ; g('(');"), (Names{"g"}));
}

TEST_F(Oq1011sHeads, KnownNamesWithoutParentheses) {
    add_known_name("handler");
    add_known_name("other");
    EXPECT_EQ(calls_in_text("cb = handler;"), (Names{"handler"}));
    EXPECT_EQ(calls_in_text("register_cb(handler, 3);"), (Names{"register_cb", "handler"}));
    // the left side of the assignment is assigned to, not called
    EXPECT_EQ(calls_in_text("handler = other;"), (Names{"other"}));
    EXPECT_EQ(calls_in_text("same = (handler == other);"), (Names{"handler", "other"}));
    EXPECT_EQ(calls_in_text("if (handler == other) x = 1;"), (Names{}));
    EXPECT_EQ(calls_in_text("use(unknown_name);"), (Names{"use"}));
    // with pointer-table names a name matches its starred table entry
    add_known_name("*table");
    EXPECT_EQ(calls_in_text("p = table;"), (Names{}));
    g_tree.settings.pointer_names = 1;
    EXPECT_EQ(calls_in_text("p = table;"), (Names{"*table"}));
    // names written with blanks are looked up without them
    add_known_name("obj.handler");
    EXPECT_EQ(calls_in_text("x = obj . handler;"), (Names{"obj.handler"}));
}

TEST_F(Oq1011sHeads, TypeWords) {
    collect_type_words("typedef struct node { int v; } NODE, *PNODE;");
    collect_type_words("typedef int (*CALLBACK)(int);");
    collect_type_words("typedef unsigned char BYTE[4];");
    collect_type_words("struct point p;");
    collect_type_words("class Shape {};");
    for (const char* word : {"NODE", "PNODE", "CALLBACK", "BYTE", "Shape"}) EXPECT_TRUE(is_type_word(word)) << word;
    // a C tag names no type: "stat(...)" after "struct stat st;" is a call
    for (const char* word : {"node", "point"}) EXPECT_FALSE(is_type_word(word)) << word;
    collect_type_words("struct stat st;");
    EXPECT_EQ(calls_in_text("p = (NODE)(q); BYTE(x); cb(1); r = stat(path, &st); Shape(2);"), (Names{"cb", "stat"}));
    // a tag word inside a string or a longer word names no type
    collect_type_words("s = \"struct fake\"; structure = 1; x = a.classic;");
    EXPECT_FALSE(is_type_word("fake"));
    EXPECT_FALSE(is_type_word("classic"));
    collect_type_words("f(sizeof(union bits));");
    EXPECT_FALSE(is_type_word("bits"));
}

TEST_F(Oq1011sHeads, KeywordComments) {
    std::string text;
    EXPECT_TRUE(keyword_comment(" * FUNCTION : adds two numbers */", text));
    EXPECT_EQ(text, "adds two numbers");
    EXPECT_TRUE(keyword_comment("/*FUNCTION:tight*/", text));
    EXPECT_EQ(text, "tight");
    EXPECT_TRUE(keyword_comment("/* FUNCTION */", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(keyword_comment("/* NAME : f */", text));
    EXPECT_FALSE(keyword_comment("/* FUNCTIONS : f */", text));
    EXPECT_FALSE(keyword_comment("/* function : f */", text));
    g_tree.keywords[1] = "\x8B@\x94\x5C";  // 機能
    EXPECT_TRUE(keyword_comment("/* \x8B@\x94\x5C\x81" "F x */", text));  // full-width colon stays
    EXPECT_EQ(text, "\x81" "F x");
}

class Oq1011sScan : public TreeGeneratorTest {
protected:
    std::vector<std::string> tree_of(const std::string& list, const std::vector<std::string>& extra = {},
                                     bool position = true) {
        std::vector<std::string> args;
        for (const std::string& a : tree_vector(list, extra))
            if (position || a != "-l") args.push_back(a);
        EXPECT_EQ(run(args), kCallTreeDone) << error_text();
        return unscrambled_lines(with_extension(list, ".trd"));
    }
};

TEST_F(Oq1011sScan, MacrosOfOptionsAndSources) {
    write_raw(dir_.path("one.c"),
              "#define LOCAL 1\n#undef WANTED\n#ifdef WANTED\nint lost(void)\n{\n}\n#endif\n"
              "int one(void)\n{\n}\n");
    write_raw(dir_.path("two.c"),
              "#ifdef LOCAL\nint leaked(void)\n{\n}\n#endif\n#ifdef WANTED\nint wanted(void)\n{\n}\n#endif\n"
              "#ifdef unix\nint on_unix(void)\n{\n}\n#endif\n#if LEVEL == 3\nint level3(void)\n{\n}\n#endif\n");
    std::string list = dir_.path("macros.nam");
    write_raw(list, "one.c\ntwo.c\n");
    std::vector<std::string> tree = tree_of(list, {"-DWANTED", "-DLEVEL=3"});
    // one's own macros stay in one; its #undef does not remove the option's macro
    ASSERT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree[1].substr(0, 6), "1+one ");
    EXPECT_EQ(tree[2].substr(0, 9), "2+wanted ");
    EXPECT_EQ(tree[3].substr(0, 10), "3+on_unix ");
    EXPECT_EQ(tree[4].substr(0, 9), "4+level3 ");
}

TEST_F(Oq1011sScan, OptionWordsFromTheEnvironmentAreNotDefined) {
    write_raw(dir_.path("env.c"), "#ifdef FROM_ENV\nint from_env(void)\n{\n}\n#endif\nint base(void)\n{\n}\n");
    std::string list = dir_.path("env.nam");
    write_raw(list, "env.c\n");
    crt_putenv((std::string(kCallTreeOptionVariable) + "=-DFROM_ENV -W3").c_str());
    std::vector<std::string> tree = tree_of(list, {"-D"});
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[1].substr(0, 7), "1+base ");
    crt_putenv((std::string(kCallTreeOptionVariable) + "=-Wbad").c_str());
    EXPECT_EQ(run(tree_vector(list, {"-D"})), kCallTreeBadCall);
}

// The variable's value stays below 1023 bytes, and its words, with the
// vector, within the 64 entries of the argument table.
TEST_F(Oq1011sScan, OptionWordsFromTheEnvironmentWithinTheirLimits) {
    write_raw(dir_.path("env.c"), "int base(void)\n{\n}\n");
    std::string list = dir_.path("env.nam");
    write_raw(list, "env.c\n");
    auto with_words = [&](const std::string& value) {
        crt_putenv((std::string(kCallTreeOptionVariable) + "=" + value).c_str());
        return run(tree_vector(list, {"-D"}));
    };
    EXPECT_EQ(with_words("-W3" + std::string(1019, ' ')), kCallTreeDone);
    EXPECT_EQ(with_words("-W3" + std::string(1020, ' ')), kCallTreeBadCall);
    const size_t room = 64 - tree_vector(list, {"-D"}).size();
    std::string words;
    for (size_t i = 0; i < room; ++i) words += "-W3 ";
    EXPECT_EQ(with_words(words), kCallTreeDone);
    EXPECT_EQ(with_words(words + "-W3"), kCallTreeBadCall);
}

TEST_F(Oq1011sScan, PrepassMakesLaterFunctionsKnown) {
    write_raw(dir_.path("cb.c"),
              "int main(void)\n{\n    install(on_event);\n}\nvoid on_event(int e)\n{\n}\n");
    std::string list = dir_.path("cb.nam");
    write_raw(list, "cb.c\n");
    std::vector<std::string> plain = tree_of(list);
    ASSERT_EQ(plain.size(), 4u);  // main, install, then on_event as a root
    EXPECT_EQ(plain[3].substr(0, 11), "3+on_event ");
    std::vector<std::string> known = tree_of(list, {"-FF"});
    ASSERT_EQ(known.size(), 4u);
    EXPECT_EQ(known[3].substr(0, 12), "3++on_event ");
}

TEST_F(Oq1011sScan, TableOfFunctions) {
    write_raw(dir_.path("tab.c"),
              "void start(void)\n{\n}\nvoid stop(void)\n{\n}\nint (*handlers[])() = {\n    start, stop\n};\n"
              "int main(void)\n{\n    handlers[0]();\n}\n");
    std::string list = dir_.path("tab.nam");
    write_raw(list, "tab.c\n");
    std::vector<std::string> tree = tree_of(list, {}, false);
    ASSERT_GE(tree.size(), 3u);
    EXPECT_EQ(tree[1], "1+main;\t int(), <tab.c 10>");
    std::string flt = read_raw(with_extension(list, ".flt"));
    EXPECT_NE(flt.find("tab.c        #    7  *handlers        : *handlers"), std::string::npos) << flt;
    // the table lists its entries as calls
    bool start_under_table = false;
    for (size_t i = 1; i + 1 < tree.size(); ++i)
        if (tree[i].find("+*handlers") != std::string::npos && tree[i + 1].find("++start") != std::string::npos)
            start_under_table = true;
    EXPECT_TRUE(start_under_table);
}

TEST_F(Oq1011sScan, CallersListOnceWhenPlaceholderIsCompleted) {
    write_raw(dir_.path("use.c"),
              "int main(void)\n{\n    later(); later(); later();\n}\nint later(void)\n{\n    done();\n}\n");
    std::string list = dir_.path("use.nam");
    write_raw(list, "use.c\n");
    EXPECT_EQ(run({"oq1011s", "-s", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeDone);
    std::vector<std::string> lines = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1], "use.c       #    1 main             :");
    EXPECT_EQ(lines[3], "use.c       #    5 later            :");
    // one entry per call in a caller list
    EXPECT_EQ(lines[4], "      use.c 3(main)  use.c 3(main)  use.c 3(main)");
    EXPECT_EQ(lines[5], "((null))    U    0 done             :((null))");
    // with -r the callees, each once
    EXPECT_EQ(run({"oq1011s", "-s", "-r", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeDone);
    lines = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], "      use.c 3(later)");
}

TEST_F(Oq1011sScan, LongCrossReferenceLinesWrap) {
    std::string body;
    for (int i = 0; i < 12; ++i) body += "    function_number_" + std::to_string(i) + "();\n";
    write_raw(dir_.path("wide.c"), "int main(void)\n{\n" + body + "}\n");
    std::string list = dir_.path("wide.nam");
    write_raw(list, "wide.c\n");
    EXPECT_EQ(run({"oq1011s", "-s", "-r", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeDone);
    std::vector<std::string> lines = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_GE(lines.size(), 4u);
    for (size_t i = 2; i < lines.size(); ++i) {
        if (lines[i].compare(0, 4, "    ") != 0) break;
        EXPECT_LE(lines[i].size(), 170u) << lines[i];
    }
    EXPECT_EQ(lines[3].compare(0, 6, "      "), 0);
}

// Six entries "  a.c NN(<16 characters>)" fill the 160 columns exactly.
TEST_F(Oq1011sScan, CrossReferenceLineOfExactlyOneHundredSixtyColumnsStaysWhole) {
    auto entries_of = [&](const std::string& last_name) {
        std::string text = "int main(void)\n{\n" + std::string(7, '\n');
        for (int i = 1; i <= 5; ++i) text += "    function_name_0" + std::to_string(i) + "();\n";
        write_raw(dir_.path("a.c"), text + "    " + last_name + "();\n}\n");
        std::string list = dir_.path("a.nam");
        write_raw(list, "a.c\n");
        EXPECT_EQ(run({"oq1011s", "-s", "-r", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeDone);
        std::vector<std::string> lines = unscrambled_lines(with_extension(list, ".trd"));
        return std::vector<std::string>(lines.begin() + 2, lines.end());
    };
    std::string five;
    for (int i = 1; i <= 5; ++i) five += "  a.c " + std::to_string(9 + i) + "(function_name_0" + std::to_string(i) + ")";
    EXPECT_EQ(entries_of("function_name_06"), std::vector<std::string>{"    " + five + "  a.c 15(function_name_06)"});
    EXPECT_EQ(entries_of("function_name_006"),
              (std::vector<std::string>{"    " + five, "      a.c 15(function_name_006)"}));
}

TEST_F(Oq1011sScan, DepthLimitOnALongChain) {
    std::string text = "int main(void)\n{\n    f1();\n}\n";
    for (int i = 1; i <= 12; ++i)
        text += "void f" + std::to_string(i) + "(void)\n{\n    f" + std::to_string(i + 1) + "();\n}\n";
    write_raw(dir_.path("chain.c"), text);
    std::string list = dir_.path("chain.nam");
    write_raw(list, "chain.c\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeWarnings);
    std::vector<std::string> tree = unscrambled_lines(with_extension(list, ".trd"));
    // main, then f1 .. f10 down to depth 10 (11 level characters)
    EXPECT_EQ(tree[11].substr(0, 16), "11+++++++++++f10");
    EXPECT_NE(error_text().find(" : W064 : "), std::string::npos);
    EXPECT_NE(error_text().find("f10\r\n"), std::string::npos);
}

TEST_F(Oq1011sScan, LineLimitOfTheTree) {
    std::string text = "int main(void)\n{\n";
    for (int i = 0; i < 2999; ++i) text += "    u" + std::to_string(i) + "();\n";
    write_raw(dir_.path("big.c"), text + "}\n");
    std::string list = dir_.path("big.nam");
    write_raw(list, "big.c\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeDone);  // exactly 3000 nodes
    EXPECT_EQ(unscrambled_lines(with_extension(list, ".trd")).size(), 3001u);
    write_raw(dir_.path("big.c"), text + "    one_more();\n}\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeWarnings);
    EXPECT_EQ(unscrambled_lines(with_extension(list, ".trd")).size(), 3001u);
    EXPECT_NE(error_text().find(" : W065 : "), std::string::npos);
    // a cross reference that does not fit is a failure
    write_raw(with_extension(list, ".trd"), "old");
    EXPECT_EQ(run({"oq1011s", "-s", "-r", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeDone);
    std::string more;
    for (int i = 0; i < 1600; ++i) more += "void g" + std::to_string(i) + "(void)\n{\n}\n";
    write_raw(dir_.path("big.c"), more);
    write_raw(with_extension(list, ".trd"), "old");
    EXPECT_EQ(run({"oq1011s", "-s", "-X8439", "-Fe" + error_file(), "[" + list + "]"}), kCallTreeErrors);
    EXPECT_EQ(read_raw(with_extension(list, ".trd")), "old");
}

}  // namespace
}  // namespace oq1011s_test
