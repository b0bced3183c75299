// Unit streams of small sources: what a converter receives, unit by unit.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"

namespace {

class ScannerTest : public ::testing::Test {
protected:
    void TearDown() override { reset_analysis_state(kNotarixAnalysis); }

    std::string write(const std::string& name, const std::string& text) {
        std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs the scanner over a source; one line per unit:
    // "line depth text | comment", " <A::>" for the head of a member
    // function of class A and " [code]" when the unit carries one.
    std::vector<std::string> units(const std::string& source,
                                   const AnalysisProfile& profile = kNotarixAnalysis) {
        std::string path = write("src.c", source);
        reset_analysis_state(profile);
        g_analysis.settings.ignore_file.clear();
        g_analysis.error_file = dir_ + "/errors.err";
        EXPECT_EQ(reset_scanner_state(kResetState | kResetErrorFile), 1);
        EXPECT_EQ(open_source_file(path.c_str()), 1);
        std::vector<std::string> out;
        SourceUnit unit;
        for (int guard = 0; guard < 100000; ++guard) {
            int r = fetch_source_unit(unit);
            if (r == -1) break;
            std::string line = std::to_string(unit.line) + " " + std::to_string(unit.depth) + " " + unit.text;
            if (!unit.comment.empty()) line += " | " + unit.comment;
            if (!unit.scope.empty()) line += " <" + unit.scope + ">";
            if (r != 1) line += " [" + std::to_string(r) + "]";
            out.push_back(line);
            if (is_fatal_code(r)) break;
        }
        close_all_source_files();
        close_source_file();
        return out;
    }

    std::string errors() {
        std::ifstream in(dir_ + "/errors.err", std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    TempDir temp_;
    const std::string dir_ = temp_.path();
};

using Units = std::vector<std::string>;

TEST_F(ScannerTest, FunctionsAndDeclarationsAtDepthZero) {
    EXPECT_EQ(units("int a, b;\n"
                    "static char *name = \"x;y\";\n"
                    "int f(int x)\n"
                    "{\n"
                    "    return x;\n"
                    "}\n"
                    "int g(void);\n"),
              (Units{"1 0 int a, b;", "2 0 static char *name = \"x;y\";", "3 0 int f(int x)", "4 0 {",
                     "5 1 return x;", "6 0 }", "7 0 int g(void);"}));
}

TEST_F(ScannerTest, HeadAndBraceOnOneLineAndFunctionPointers) {
    EXPECT_EQ(units("int (*handler)(int);\n"
                    "void f(void) { x = 1; }\n"),
              (Units{"1 0 int (*handler)(int);", "2 0 void f(void)", "2 0 {", "2 1 x = 1;", "2 0 }"}));
}

TEST_F(ScannerTest, ImplicitIfBodyOpensAndClosesALevel) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    if (a)\n"
                    "        x = 1;\n"
                    "    y = 2;\n"
                    "    while (b) c++;\n"
                    "    for (;;)\n"
                    "        if (d)\n"
                    "            e();\n"
                    "    z();\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 if (a)", "4 2 x = 1;", "5 1 y = 2;", "6 1 while (b)",
                     "6 2 c++;", "7 1 for (;;)", "8 2 if (d)", "9 3 e();", "10 1 z();", "11 0 }"}));
}

TEST_F(ScannerTest, ElseForms) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    if (a) {\n"
                    "        x();\n"
                    "    } else {\n"
                    "        y();\n"
                    "    }\n"
                    "    if (b)\n"
                    "        p();\n"
                    "    else if (c)\n"
                    "        q();\n"
                    "    else\n"
                    "        r();\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 if (a) {", "4 2 x();", "5 1 } else {", "6 2 y();",
                     "7 1 }", "8 1 if (b)", "9 2 p();", "10 1 else if (c)", "11 2 q();", "12 1 else",
                     "13 2 r();", "14 0 }"}));
    EXPECT_EQ(errors(), "");
}

TEST_F(ScannerTest, ClosingBraceThenElseOnTheNextLineIsOneUnit) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    if (a) {\n"
                    "        x();\n"
                    "    }\n"
                    "    /* between */\n"
                    "    else {\n"
                    "        y();\n"
                    "    }\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 if (a) {", "4 2 x();", "5 1 } else { | /* between */",
                     "8 2 y();", "9 1 }", "10 0 }"}));
}

TEST_F(ScannerTest, CommentAfterClosedIfStaysWithTheNextUnit) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    if (a) {\n"
                    "        x();\n"
                    "    }\n"
                    "    /* next */\n"
                    "    y();\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 if (a) {", "4 2 x();", "5 1 }", "7 1 y(); | /* next */",
                     "8 0 }"}));
}

TEST_F(ScannerTest, ElseWithoutIfIsAWarningAndScanningGoesOn) {
    Units got = units("void f(void)\n{\n"
                      "    x();\n"
                      "    else\n"
                      "        y();\n"
                      "    z();\n"
                      "}\n");
    EXPECT_EQ(got, (Units{"1 0 void f(void)", "2 0 {", "3 1 x();", "4 1 else [-109]", "5 2 y();", "6 1 z();",
                          "7 0 }"}));
    std::string expected = std::string("src.c       (   4) : W109 : ") + kMsgElseWithoutIf + "\r\n";
    EXPECT_EQ(errors(), expected);
    EXPECT_EQ(g_analysis.warnings_flag, 1);
}

// An else looks back over ten comment lines for its if at a time; past
// them the comments stand on their own and the else still finds its if.
TEST_F(ScannerTest, ElseAfterTenCommentLinesIsJoinedAfterElevenItStillFindsItsIf) {
    auto source = [](int comment_lines) {
        std::string text = "void f(void)\n{\n    if (a) x();\n";
        for (int i = 0; i < comment_lines; ++i) text += "    /* c" + std::to_string(i) + " */\n";
        return text + "    else y();\n}\n";
    };
    Units ten = units(source(10));
    ASSERT_EQ(ten.size(), 7u);
    EXPECT_EQ(ten[4], "4 1 else | /* c0 c1 c2 c3 c4 c5 c6 c7 c8 c9 */");
    EXPECT_EQ(errors(), "");

    Units eleven = units(source(11));
    EXPECT_EQ(eleven, (Units{"1 0 void f(void)", "2 0 {", "3 1 if (a)", "3 2 x();", "4 1  | /* c0 */",
                             "4 1 else | /* c1 c2 c3 c4 c5 c6 c7 c8 c9 c10 */", "4 2 y();", "16 0 }"}));
    EXPECT_EQ(errors(), "");
    // ... after a closed if block as well
    std::string braced = "void f(void)\n{\n    if (a) {\n    }\n";
    for (int i = 0; i < 12; ++i) braced += "    /* c */\n";
    units(braced + "    else y();\n}\n");
    EXPECT_EQ(errors(), "");
}

// An else finds its if through the statements without braces under it.
TEST_F(ScannerTest, ElseFindsItsIfThroughBracelessStatements) {
    const struct {
        const char* body;
        Units expected;
    } cases[] = {
        {"if (a)\n for (;;) {\n g();\n } else /* no */\n h();\n",
         {"3 1 if (a)", "4 2 for (;;) {", "5 3 g();", "6 2 }", "6 1 else | /* no */", "7 2 h();"}},
        {"if (a)\n while (b) {\n } else h();\n", {"3 1 if (a)", "4 2 while (b) {", "5 2 }", "5 1 else", "5 2 h();"}},
        {"if (a)\n switch (b) {\n case 1: g();\n } else h();\n",
         {"3 1 if (a)", "4 2 switch (b) {", "5 3 case 1:", "5 3 g();", "6 2 }", "6 1 else", "6 2 h();"}},
        {"if (a)\n for (;;)\n  while (b) {\n  } else h();\n",
         {"3 1 if (a)", "4 2 for (;;)", "5 3 while (b) {", "6 3 }", "6 1 else", "6 2 h();"}},
        // a braced statement that no if holds: the else has no if
        {"while (b) {\n} else h();\n", {"3 1 while (b) {", "4 1 }", "4 1 else [-109]", "4 2 h();"}},
    };
    for (const auto& c : cases) {
        Units got = units(std::string("void f(void)\n{\n") + c.body + "}\n");
        Units expected = {"1 0 void f(void)", "2 0 {"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        ASSERT_FALSE(got.empty());
        got.pop_back();  // the function's "}"
        EXPECT_EQ(got, expected) << c.body;
    }
}

TEST_F(ScannerTest, ExternCBlockKeepsDeclarationsAtDepthZero) {
    EXPECT_EQ(units("extern \"C\" {\n"
                    "int a(void);\n"
                    "int b(int x)\n"
                    "{\n"
                    "    return x;\n"
                    "}\n"
                    "}\n"
                    "int c;\n"),
              (Units{"2 0 int a(void);", "3 0 int b(int x)", "4 0 {", "5 1 return x;", "6 0 }", "8 0 int c;"}));
}

// A class body gives its member functions, named with the class, and then
// the class itself as one declaration reduced to its braces; its other
// members stay inside it.
TEST_F(ScannerTest, ClassBodyGivesItsMemberFunctionsThenItsDeclaration) {
    EXPECT_EQ(units("class Shape : public Base {\n"
                    "public:\n"
                    "    int f() { return 1; }\n"
                    "    struct Inner { int y; } inner;\n"
                    "};\n"
                    "int after;\n"),
              (Units{"3 0 int f() <Shape::>", "3 0 {", "3 1 return 1;", "3 0 }", "1 0 class Shape : public Base {};",
                     "6 0 int after;"}));
    // GRAVLET keeps the name written in the class
    EXPECT_EQ(units("class A { int f() const { return 1; } };\n", kGravletAnalysis),
              (Units{"1 0 int f() const", "1 0 {", "1 1 return 1;", "1 0 }", "1 0 class A {};"}));
}

// A struct's members stay in its declaration in every program.
TEST_F(ScannerTest, StructBodyStaysInItsDeclaration) {
    for (const AnalysisProfile* profile : {&kNotarixAnalysis, &kGravletAnalysis, &kOrbalineAnalysis})
        EXPECT_EQ(units("struct point {\n    int x;\n};\n", *profile), (Units{"1 0 struct point {};"}))
            << profile->program;
    EXPECT_EQ(units("typedef struct node {\n    struct node *next; /* link */\n} NODE, *PNODE;\nint n;\n"),
              (Units{"1 0 typedef struct node {} NODE, *PNODE;", "4 0 int n;"}));
}

// namespace and extern "C" blocks are read as if their declarations stood
// outside them; classes inside them name their members.
TEST_F(ScannerTest, ScopesAreTransparent) {
    const struct {
        const char* source;
        Units expected;
    } cases[] = {
        {"namespace N { int f(void) { return g(); } }\nint h(void);\n",
         {"1 0 int f(void)", "1 0 {", "1 1 return g();", "1 0 }", "2 0 int h(void);"}},
        {"namespace A::B {\nnamespace {\ninline namespace v1 {\nint f() {\n}\n}\n}\n}\nint x;\n",
         {"4 0 int f()", "4 0 {", "5 0 }", "9 0 int x;"}},
        {"extern \"C++\" {\nint f(void);\n}\n", {"2 0 int f(void);"}},
        {"namespace N {\nclass A {\n  class B { void f() {} };\n};\n}\n",
         {"3 0 void f() <A::B::>", "3 0 {", "3 0 }", "2 0 class A {};"}},
        {"template <typename T> class X<T*> final : public Y<T> {\n  T get() const { return v; }\n};\n",
         {"2 0 T get() const <X::>", "2 0 {", "2 1 return v;", "2 0 }",
          "1 0 template <typename T> class X<T*> final : public Y<T> {};"}},
        {"struct S {\n  S() : a(1), b(2) {}\n  ~S() {}\n  bool operator==(const S& o) const { return a == o.a; }\n  int a, b;\n};\n",
         {"2 0 S() : a(1), b(2) <S::>", "2 0 {", "2 0 }", "3 0 ~S() <S::>", "3 0 {", "3 0 }",
          "4 0 bool operator==(const S& o) const <S::>", "4 0 {", "4 1 return a == o.a;", "4 0 }", "1 0 struct S {};"}},
        // a macro's line before a namespace
        {"MACRO(4251)\nnamespace N {\nint x;\n}\n", {"1 0 MACRO(4251)", "3 0 int x;"}},
        {"namespace N {\nMACRO() }\nint y;\n", {"2 0 MACRO()", "3 0 int y;"}},
    };
    for (const auto& c : cases) EXPECT_EQ(units(c.source), c.expected) << c.source;
}

TEST_F(ScannerTest, InitialiserListsAreStripped) {
    EXPECT_EQ(units("int t[] = {\n    1, 2,\n    3\n};\nint u;\n"), (Units{"1 0 int t[] = {};", "5 0 int u;"}));
}

TEST_F(ScannerTest, OldStyleParametersComeOutAsDeclarations) {
    EXPECT_EQ(units("long area(w, h)\nlong w;\nlong h;\n{\n    return w * h;\n}\n"),
              (Units{"1 0 long area(w, h)", "2 0 long w;", "3 0 long h;", "4 0 {", "5 1 return w * h;",
                     "6 0 }"}));
}

// Where a function head ends at depth 0: a name after ")" begins old-style
// parameter declarations only when no parameter list follows it, and a
// ")" after the "=" of an initialiser ends no head.
TEST_F(ScannerTest, FunctionHeadsEndWhereCReadsThem) {
    const struct {
        const char* source;
        Units expected;
    } cases[] = {
        // a return type written with a function-like macro
        {"FOO(int) f(void)\n{\n}\n", {"1 0 FOO(int) f(void)", "2 0 {", "3 0 }"}},
        {"EXPORT(int) CALLBACK f(void) { return 0; }\n",
         {"1 0 EXPORT(int) CALLBACK f(void)", "1 0 {", "1 1 return 0;", "1 0 }"}},
        {"FOO(int)\nf(void)\n{\n}\n", {"1 0 FOO(int) f(void)", "3 0 {", "4 0 }"}},
        // the words after the macro group end the line: the head goes on below
        {"EXPORT(int) CALLBACK\nf(void)\n{\n}\n", {"1 0 EXPORT(int) CALLBACK f(void)", "3 0 {", "4 0 }"}},
        {"FOO(int) f(void);\nint g;\n", {"1 0 FOO(int) f(void);", "2 0 int g;"}},
        {"FOO(int) f(a)\nint a;\n{\n}\n", {"1 0 FOO(int) f(a)", "2 0 int a;", "3 0 {", "4 0 }"}},
        // casts in file-scope initialisers
        {"int x = (int)3;\n", {"1 0 int x = (int)3;"}},
        {"unsigned char far (*q) = (unsigned char far*)MK_FP(0,1);\n",
         {"1 0 unsigned char far (*q) = (unsigned char far*)MK_FP(0,1);"}},
        {"int (*pf)(int) = (int (*)(int))g;\n", {"1 0 int (*pf)(int) = (int (*)(int))g;"}},
        {"int a = (int)1, b = (int)2;\n", {"1 0 int a = (int)1, b = (int)2;"}},
        // what keeps its old reading: old-style parameters, a function pointer
        // among them, words after the parameters, an operator named with "="
        {"int f(a, b) int a; char *b; { }\n", {"1 0 int f(a, b)", "1 0 int a;", "1 0 char *b;", "1 0 {", "1 0 }"}},
        {"int call(fp)\nint (*fp)();\n{\n}\n", {"1 0 int call(fp)", "2 0 int (*fp)();", "3 0 {", "4 0 }"}},
        {"int A::get() const {\n}\n", {"1 0 int A::get() const", "1 0 {", "2 0 }"}},
        {"A& A::operator=(const A& o) {\n}\n", {"1 0 A& A::operator=(const A& o)", "1 0 {", "2 0 }"}},
        // groups of the head's own after its parameters
        {"void f(void) __attribute__((noreturn));\n", {"1 0 void f(void) __attribute__((noreturn));"}},
        {"void f() const throw(int) {\n}\n", {"1 0 void f() const throw(int)", "1 0 {", "2 0 }"}},
        // the words a head may carry after its parameters
        {"int f() volatile noexcept {\n}\n", {"1 0 int f() volatile noexcept", "1 0 {", "2 0 }"}},
        {"void f() override final\n{\n}\n", {"1 0 void f() override final", "2 0 {", "3 0 }"}},
        {"auto f(int a) -> std::vector<int> {\n}\n", {"1 0 auto f(int a) -> std::vector<int>", "1 0 {", "2 0 }"}},
        // an attribute macro after a prototype, and after a head
        {"static void f(int a) PRIVILEGED_FUNCTION;\nstatic void f(int a)\n{\n}\n",
         {"1 0 static void f(int a) PRIVILEGED_FUNCTION;", "2 0 static void f(int a)", "3 0 {", "4 0 }"}},
        {"void f(void) RAM_FUNC\n{\n}\n", {"1 0 void f(void) RAM_FUNC", "2 0 {", "3 0 }"}},
        {"int f(a) ATTR;\nint g;\n", {"1 0 int f(a) ATTR;", "2 0 int g;"}},
        // a macro word before an aggregate's class word
        {"static MACRO struct S { int a; } s = { 1 };\nint h(void) {\n}\n",
         {"1 0 static MACRO struct S {} s = {};", "2 0 int h(void)", "2 0 {", "3 0 }"}},
    };
    for (const auto& c : cases) EXPECT_EQ(units(c.source), c.expected) << c.source;
}

TEST_F(ScannerTest, ConstructorInitialiserListBelongsToTheHead) {
    EXPECT_EQ(units("A::A(int x) : m(x), n(2)\n{\n}\n"),
              (Units{"1 0 A::A(int x) : m(x), n(2)", "2 0 {", "3 0 }"}));
}

TEST_F(ScannerTest, DoWhileSwitchAndLabels) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    do {\n"
                    "        i++;\n"
                    "    }\n"
                    "    while (i < 3);\n"
                    "    do i--; while (i);\n"
                    "    switch (k)\n"
                    "    {\n"
                    "    case 1:\n"
                    "        break;\n"
                    "    default:\n"
                    "        done: break;\n"
                    "    }\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 do {", "4 2 i++;", "5 1 } while (i < 3);", "7 1 do",
                     "7 2 i--;", "7 1 while (i);", "8 1 switch (k) {", "10 2 case 1:", "11 2 break;",
                     "12 2 default:", "13 2 done:", "13 2 break;", "14 1 }", "15 0 }"}));
}

TEST_F(ScannerTest, AsmStatementsAndBlocks) {
    EXPECT_EQ(units("void f(void)\n{\n"
                    "    _asm mov ax, bx ; load it\n"
                    "    _asm {\n"
                    "        mov ax, 1\n"
                    "    }\n"
                    "    x = 1;\n"
                    "}\n"),
              (Units{"1 0 void f(void)", "2 0 {", "3 1 _asm mov ax, bx ; | /*; load it*/", "4 1 _asm {",
                     "5 2 mov ax, 1", "6 1 }", "7 1 x = 1;", "8 0 }"}));
}

TEST_F(ScannerTest, CommentsOfJoinedLinesAreJoined) {
    EXPECT_EQ(units("int f(int a, /* first */\n"
                    "      int b) /* second */\n"
                    "{\n}\n"),
              (Units{"1 0 int f(int a, int b) | /* first second */", "3 0 {", "4 0 }"}));
}

TEST_F(ScannerTest, CommentLinesStandOnTheirOwn) {
    EXPECT_EQ(units("/* one */\n\n// two\nint x;\n"),
              (Units{"1 0  | /* one */", "3 0  | /* two*/", "4 0 int x;"}));
}

TEST_F(ScannerTest, SyntaxErrorsAreReportedWithTheirUnit) {
    Units got = units("void f(void)\n{\n"
                      "    x = (1));\n"
                      "    do {\n"
                      "    } while (i) y;\n"
                      "}\n");
    EXPECT_EQ(got, (Units{"1 0 void f(void)", "2 0 {", "3 1 x = (1)); [-107]", "4 1 do {",
                          "5 1 } while (i) y; [-107]", "6 0 }"}));
    std::string e = errors();
    EXPECT_NE(e.find("(   3) : E107 : "), std::string::npos);
    EXPECT_NE(e.find("(   5) : E107 : "), std::string::npos);
}

TEST_F(ScannerTest, UnmatchedClosingBraceIsE111) {
    Units got = units("int f(void)\n{\n}\n}\nint g;\n");
    EXPECT_EQ(got, (Units{"1 0 int f(void)", "2 0 {", "3 0 }", "4 0 } [-111]", "5 0 int g;"}));
    EXPECT_EQ(errors(), std::string("src.c       (   4) : E111 : ") + kMsgUnmatchedBrace + "\r\n");
}

TEST_F(ScannerTest, EndOfSourceInsideAFunctionIsE108) {
    Units got = units("int f(void)\n{\n    x = 1;\n");
    EXPECT_EQ(got, (Units{"1 0 int f(void)", "2 0 {", "3 1 x = 1;", "3 0  [-108]"}));
    EXPECT_NE(errors().find("E108 : "), std::string::npos);
    // ... and in the middle of a statement head
    got = units("void f(void)\n{\n    if (a)\n");
    EXPECT_EQ(got.back(), "3 1 if (a) [-108]");
}

TEST_F(ScannerTest, OverlongStatementIsCutKeepingItsEnd) {
    std::string args;
    for (int i = 0; i < 120; ++i) args += "argument_" + std::to_string(i) + " +\n";
    Units got = units("void f(void)\n{\n    x = call(" + args + " 0);\n    y = 1;\n}\nint g(void);\n");
    ASSERT_GE(got.size(), 5u);
    // cut to its first bytes plus its brackets, and still ended by its ";"
    EXPECT_EQ(got[2].substr(0, 12), "3 1 x = call");
    EXPECT_NE(got[2].find(");"), std::string::npos);
    EXPECT_EQ(got[3], "124 1 y = 1;");
    EXPECT_EQ(got.back(), "126 0 int g(void);");
    EXPECT_NE(errors().find("W106 : "), std::string::npos);
}

// A joined statement or comment may take 1023 bytes; at 1024 the statement
// is cut to its first bytes and brackets, the comment to its first 250.
TEST_F(ScannerTest, JoinedStatementAndCommentAtTheBufferSize) {
    auto statement = [&](int b_count) {
        return units("void f(void)\n{\n    x = " + std::string(500, 'a') + " +\n    " +
                     std::string(static_cast<size_t>(b_count), 'b') + ";\n}\n");
    };
    const std::string whole = "x = " + std::string(500, 'a') + " + " + std::string(515, 'b') + ";";
    ASSERT_EQ(whole.size(), 1023u);
    EXPECT_EQ(statement(515)[2], "3 1 " + whole);
    EXPECT_EQ(errors(), "");
    Units cut = statement(516);
    EXPECT_EQ(cut[2], "3 1 x = " + std::string(96, 'a') + " ;");
    EXPECT_EQ(errors(), std::string("src.c       (   4) : W106 : ") + kMsgLineTooLong + "\r\n");

    auto comment = [&](int d_count) {
        Units got = units("int f(int a, /*" + std::string(500, 'c') + "*/\n      int b) /*" +
                          std::string(static_cast<size_t>(d_count), 'd') + "*/\n{\n}\n");
        std::string head = "1 0 int f(int a, int b) | ";
        return got[0].substr(0, head.size()) == head ? got[0].substr(head.size()) : got[0];
    };
    EXPECT_EQ(comment(519), "/*" + std::string(500, 'c') + std::string(519, 'd') + "*/");
    EXPECT_EQ(comment(520), "/*" + std::string(248, 'c'));
}

TEST_F(ScannerTest, UnitsOfIncludedFilesAreSkipped) {
    write("header.h", "int in_header(void);\nint in_header_too;\n");
    EXPECT_EQ(units("#include \"header.h\"\nint after;\n"), (Units{"2 0 int after;"}));
}

TEST_F(ScannerTest, DirectiveLinesKeptByTheModeAreUnits) {
    std::string path = write("d.c", "#define A 1\nint x;\n");
    reset_analysis_state(kNotarixAnalysis);
    ASSERT_EQ(reset_scanner_state(kResetState), 1);
    g_analysis.settings.directive_line_mode = 2;
    ASSERT_EQ(open_source_file(path.c_str()), 1);
    SourceUnit unit;
    ASSERT_EQ(fetch_source_unit(unit), 1);
    EXPECT_EQ(unit.text, "#define A 1");
    ASSERT_EQ(fetch_source_unit(unit), 1);
    EXPECT_EQ(unit.text, "int x;");
    EXPECT_EQ(fetch_source_unit(unit), -1);
}

TEST(ScannerRoutines, JoinDeclarationText) {
    reset_analysis_state(kNotarixAnalysis);
    std::string text = "int f(int a,", comment = "/* a */";
    EXPECT_EQ(join_declaration_text(text, comment, "int b)", "/* b */", 1024, 1024), 1);
    EXPECT_EQ(text, "int f(int a, int b)");
    EXPECT_EQ(comment, "/* a b */");
    // a "-" at the start of a further comment is dropped
    comment = "first";
    join_declaration_text(text, comment, "", "-second", 1024, 1024);
    EXPECT_EQ(comment, "firstsecond");
    // a first comment too long for its buffer is cut at the comment cut
    std::string empty, c;
    join_declaration_text(empty, c, "", std::string(2000, 'c'), 1024, 1024);
    EXPECT_EQ(c.size(), 250u);
}

TEST(ScannerRoutines, HeadDeclaratorStartsAfterMacroTypeGroups) {
    const struct {
        const char* head;
        int start;
    } cases[] = {
        {"int f(void)", 0},
        {"FOO(int) f(void)", 9},
        {"EXPORT(int) CALLBACK f(void)", 12},
        {"A(x) B(y) *f(void)", 10},
        {"void f() throw(int)", 0},
        {"int A::f() const throw()", 0},
        {"FOO(int) const char *f(void)", 9},
        {"int (name) (int a)", 0},
        {"int (*get(void))(int)", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(head_declarator_start(c.head), c.start) << c.head;
}

// The one rule every converter names its heads by: the name directly
// before the first parameter list at declarator level, and whether what
// follows that list leaves the text a head.
TEST(ScannerRoutines, HeadNamesAndHeads) {
    reset_analysis_state(kNotarixAnalysis);
    const struct {
        const char* text;
        const char* name;  // "-": none
        int head;
    } cases[] = {
        {"int main(int argc, char **argv)", "main", 1},
        {"EXPORT(int) CALLBACK f(void)", "f", 1},
        {"void (*f(int a))(void)", "f", 1},
        {"void (*signal(int sig, void (*func)(int)))(int)", "signal", 1},
        {"int (name) (int a)", "name", 1},
        {"Foo :: ~ Foo()", "Foo :: ~ Foo", 1},
        {"::std::vector<int> GetArgs()", "GetArgs", 1},
        {"std::string Foo<T>::bar(int a) const", "Foo<T>::bar", 1},
        {"template <typename T> T max(T a, T b)", "max", 1},
        {"template <> void f<int>(int a)", "f", 1},
        {"bool operator<(const A& a)", "operator<", 1},
        {"int A::operator()(int x) const", "A::operator()", 1},
        {"void* operator new[](size_t n)", "operator new[]", 1},
        {"A::A(int x) : m(x), n(2)", "A::A", 1},
        {"~A()", "~A", 1},
        {"void f() GTEST_LOCK_EXCLUDED_(mutex_)", "f", 1},
        {"int f(a)", "f", 1},
        {"MACRO(1) static void die(void)", "die", 1},
        // no heads
        {"static void f(int a) PRIVILEGED_FUNCTION;", "f", 0},
        {"M(i) = 3", "-", 0},
        {"int x = 3", "-", 0},
        {"(x)", "-", 0},
        {"void f() namespace", "f", 0},
    };
    for (const auto& c : cases) {
        FunctionHead head;
        const bool found = find_function_head(c.text, head);
        const std::string_view text = c.text;
        EXPECT_EQ(found ? std::string(text.substr(static_cast<size_t>(head.name_start),
                                                  static_cast<size_t>(head.name_end - head.name_start)))
                        : "-",
                  c.name)
            << c.text;
        EXPECT_EQ(is_function_head(c.text), c.head) << c.text;
    }
}

TEST(ScannerRoutines, ClassHeadsDifferByProgram) {
    reset_analysis_state(kNotarixAnalysis);
    EXPECT_EQ(is_class_head("class A {"), 1);
    EXPECT_EQ(is_class_head("template <class T> class B"), 1);
    EXPECT_EQ(is_class_head("template <class T> T max(T a, T b)"), 0);
    EXPECT_EQ(is_class_head("DLLEXPORT class A {"), 1);
    EXPECT_EQ(is_class_head("typedef class A B;"), 1);
    EXPECT_EQ(is_class_head("struct S {"), 0);
    EXPECT_EQ(is_class_head("classic x;"), 0);
    reset_analysis_state(kGravletAnalysis);
    EXPECT_EQ(is_class_head("static union U {"), 1);
    EXPECT_EQ(is_class_head("static const struct {"), 1);
    EXPECT_EQ(is_class_head("static const int x;"), 0);
    EXPECT_EQ(is_class_head("static SQLITE_WSD struct Config {"), 1);
    EXPECT_EQ(is_class_head("int f(struct S *p) {"), 0);
    EXPECT_EQ(is_class_head("class A {"), 0);
    reset_analysis_state(kOrbalineAnalysis);
    EXPECT_EQ(is_class_head("enum E {"), 1);
    EXPECT_EQ(is_class_head("const class A"), 1);
    EXPECT_EQ(is_class_head("static template"), 0);
    reset_analysis_state(kNotarixAnalysis);
}

TEST(ScannerRoutines, CommentMarkersAndBraceBodies) {
    std::string c = "\3/* a */\3\3/* b */\3";
    clean_comment_markers(c);
    EXPECT_EQ(c, "/* a  b */");
    c = "\2\3";
    clean_comment_markers(c);
    EXPECT_EQ(c, "");
    std::string t = "class A { int f() { return \"}\"; } };";
    strip_brace_bodies(t);
    EXPECT_EQ(t, "class A {};");
    t = "class A { struct B {";
    strip_brace_bodies(t);
    EXPECT_EQ(count_braces(t), 2);
}

}  // namespace
