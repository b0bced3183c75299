// C and C++ in the forms real code bases use, read as a compiler reads them:
// one source a row, through all three converters, with the functions each
// lists, the PAD rows GRAVLET draws for them and the call edges of
// ORBALINE's tree. Every run ends without a message.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/corpus/corpus_fixture.h"

namespace corpus_test {
namespace {

struct Form {
    const char* what;
    const char* file;
    std::string source;
    Names functions;        // as NOTARIX and ORBALINE name them
    Names pad_functions;    // as GRAVLET does, when it names them otherwise
    Names pad_rows;         // rows GRAVLET draws, in their order (among others)
    Names edges;            // of ORBALINE's tree, in its order
};

// A macro whose definition runs over many lines with a comment on each: its
// continued line is far longer than any line buffer.
std::string long_continued_macro() {
    std::string text = "#define TRACE_SWITCH(task) \\\n";
    for (int i = 0; i < 40; ++i)
        text += "    /* note the switch of the task in the trace buffer, entry " + std::to_string(i) + " */ \\\n";
    return text + "    do { trace_record(task); } while (0)\n";
}

std::string comment_lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "    /* note " + std::to_string(i) + " */\n";
    return text;
}

void PrintTo(const Form& form, std::ostream* os) { *os << form.what; }

std::vector<Form> forms() {
    return {
        {"a namespace", "ns.cpp", "namespace N { int f(void) { return g(); } }\nint h(void) { return f(); }\n",
         {"f", "h"}, {}, {}, {"h>f", "f>g"}},
        {"nested, unnamed and inline namespaces", "nested.cpp",
         "namespace A { namespace { inline namespace v1 {\nint f() { return g(); }\n} } }\nint h() { return f(); }\n",
         {"f", "h"}, {}, {}, {"h>f", "f>g"}},
        {"member functions in a class body", "members.cpp",
         "class A {\npublic:\n    int f() { return g(); }\n    int v;\n};\nint h(A a) { return a.f(); }\n",
         {"A::f", "h"}, {"f", "h"}, {}, {"A::f>g", "h>a.f"}},
        {"a constructor with an initialiser list in a struct", "ctor.cpp",
         "struct S {\n    S(int x) : a(x) { init(); }\n    int a;\n};\n", {"S::S"}, {"S"}, {}, {"S::S>init"}},
        {"a const member function", "const.cpp", "int A::f() const { return g(); }\n", {"A::f"}, {}, {}, {"A::f>g"}},
        {"volatile and noexcept", "noexcept.cpp", "int A::f() volatile noexcept { return g(); }\n", {"A::f"}, {}, {},
         {"A::f>g"}},
        {"override and final", "override.cpp", "void B::f() override final\n{\n    g();\n}\n", {"B::f"}, {}, {},
         {"B::f>g"}},
        {"a trailing return type", "trailing.cpp", "auto f(int a) -> int\n{\n    return g(a);\n}\n", {"f"}, {}, {},
         {"f>g"}},
        {"an attribute macro after a prototype", "attribute.c",
         "static void f(int a) PRIVILEGED_FUNCTION;\nstatic void f(int a)\n{\n    g(a);\n}\n", {"f"}, {}, {}, {"f>g"}},
        {"a function that returns a function pointer", "pointer.c",
         "static void g(void)\n{\n}\nvoid (*f(int a))(void)\n{\n    return g;\n}\n", {"g", "f"}, {}, {}, {"f>g"}},
        {"a macro word before a struct at file scope", "macro_struct.c",
         "static MACRO struct S { int a; } s = { 1 };\nint h(void)\n{\n    return k();\n}\n", {"h"}, {}, {}, {"h>k"}},
        {"a call of a function named like a struct tag", "tag.c",
         "int h(void)\n{\n    struct stat st;\n    return stat(\"x\", &st);\n}\n", {"h"}, {}, {}, {"h>stat"}},
        {"an else after a braced for under an if", "if_for.c",
         "void f(int a)\n{\n    if (a)          /* when */\n        for (;;) {  /* loop */\n            g();\n"
         "        } else      /* otherwise */\n            h();\n}\n",
         {"f"}, {}, {"+S:when", "++R:loop", "+C:otherwise"}, {"f>g", "f>h"}},
        {"an else after a braced while, switch, nested loop under an if", "if_loops.c",
         "void f(int a)\n{\n    if (a)\n        while (b) {\n            g();\n        } else\n            h();\n"
         "    if (a)\n        switch (b) {\n        case 1: g();\n        } else\n            h();\n"
         "    if (a)\n        for (;;)\n            while (b) {\n            } else\n                h();\n}\n",
         {"f"}, {}, {}, {"f>g", "f>h"}},
        {"a long continued macro", "long_macro.c", long_continued_macro() + "int f(int t)\n{\n    TRACE_SWITCH(t);\n}\n",
         {"f"}, {}, {}, {"f>trace_record"}},
        {"twelve comment lines between } and else", "far_else.c",
         "void f(int a)\n{\n    if (a) {\n        g();\n    }\n" + comment_lines(12) + "    else {\n        h();\n    }\n}\n",
         {"f"}, {}, {}, {"f>g", "f>h"}},
        {"a call in a local aggregate's initialiser", "initialiser.c",
         "int f(void)\n{\n    struct S s = { h(2), 3 };\n    return s.a;\n}\n", {"f"}, {}, {}, {"f>h"}},
    };
}

class ReadingForms : public ConverterRuns, public ::testing::WithParamInterface<Form> {};

// `wanted` appears in `got` in its order, other entries between.
bool appears_in_order(const Names& wanted, const Names& got) {
    auto at = got.begin();
    for (const std::string& w : wanted) {
        at = std::find(at, got.end(), w);
        if (at == got.end()) return false;
        ++at;
    }
    return true;
}

TEST_P(ReadingForms, EveryConverterFindsTheFunctions) {
    const Form& form = GetParam();
    const std::string source = dir_.path(form.file);
    write_raw(source, form.source);

    EXPECT_EQ(notarix(source), 0) << read_raw(dir_.path("nx1000.err"));
    EXPECT_EQ(listed_functions(with_extension(source, ".flt")), form.functions);

    EXPECT_EQ(gravlet(source, "-d3", "-i10", false), 0) << read_raw(dir_.path("gx1000.err"));
    EXPECT_EQ(listed_functions(with_extension(source, ".flt")),
              form.pad_functions.empty() ? form.functions : form.pad_functions);
    const Names rows = scrambled_file_lines(with_extension(source, ".pds"));
    EXPECT_TRUE(appears_in_order(form.pad_rows, rows)) << ::testing::PrintToString(rows);

    const std::string list = with_extension(source, ".nam");
    write_raw(list, std::string(form.file) + "\n");
    EXPECT_EQ(orbaline(list), 0) << read_raw(dir_.path("oq1000.err"));
    EXPECT_EQ(listed_functions(with_extension(list, ".flt")), form.functions);
    EXPECT_EQ(tree_edges(with_extension(list, ".trd")), form.edges);
}

INSTANTIATE_TEST_SUITE_P(Forms, ReadingForms, ::testing::ValuesIn(forms()), [](const auto& info) {
    std::string name = info.param.file;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
});

}  // namespace
}  // namespace corpus_test
