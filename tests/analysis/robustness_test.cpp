// Hostile and broken sources through the whole analysis (reader,
// conditionals, macros, scanner): every run must come to an end, with no
// crash, no sanitizer report and no file left open.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

namespace {

namespace fs = std::filesystem;

// Far more units than any input below can produce: reaching it means a loop.
constexpr long kUnitCap = 10'000'000;

struct RunResult {
    int last = 0;         // -1 at the end, or the fatal code that stopped the run
    long units = 0;
    bool capped = false;
    long messages = 0;    // units handed on with a message code
};

class Robustness : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "analysis-robust-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        reset_analysis_state(kNotarixAnalysis);
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string write_file(const std::string& name, const std::string& bytes) {
        fs::path path = dir_ / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // One whole run over `path`, as a converter makes it. `tweak` changes
    // the settings after the reset of the state.
    RunResult run(const std::string& path, const AnalysisProfile& profile = kNotarixAnalysis,
                  const std::function<void()>& tweak = {}) {
        RunResult result;
        const int open_before = crt_open_count();
        reset_analysis_state(profile);
        g_analysis.error_file = (dir_ / "errors.txt").string();
        if (tweak) tweak();
        int r = reset_scanner_state(kResetState | kResetErrorFile);
        EXPECT_GE(r, -49) << "reset of the scanner";
        EXPECT_EQ(open_source_file(path.c_str()), 1) << path;
        SourceUnit unit;
        for (;;) {
            if (result.units >= kUnitCap) {
                result.capped = true;
                break;
            }
            r = fetch_source_unit(unit);
            if (r == -1 || is_fatal_code(r)) break;
            ++result.units;
            if (r != 1) ++result.messages;
        }
        result.last = r;
        close_all_source_files();
        if (g_analysis.current.handle >= 0) close_source_file();
        reset_analysis_state(kNotarixAnalysis);
        EXPECT_EQ(crt_open_count(), open_before) << "files left open by " << path;
        return result;
    }

    // The run must end by itself: at the end of the source, or by a code
    // after which nothing more can be read.
    void expect_finished(const RunResult& result, const std::string& what) {
        EXPECT_FALSE(result.capped) << what << ": no end after " << result.units << " units";
        EXPECT_TRUE(result.last == -1 || is_fatal_code(result.last)) << what << ": ended with " << result.last;
    }

    RunResult run_text(const std::string& name, const std::string& text,
                       const AnalysisProfile& profile = kNotarixAnalysis, const std::function<void()>& tweak = {}) {
        RunResult result = run(write_file(name, text), profile, tweak);
        expect_finished(result, name);
        return result;
    }

    fs::path dir_;
};

std::string repeat(const std::string& piece, size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// A source file of the kind the converters see, with a bit of everything.
const char kRealisticSource[] = R"(/* window.c: the main window of the viewer */
#include <windows.h>
#include "viewer.h"

#define MAX_LINES 256
#define CLAMP(v, lo, hi) ((v) < (lo) ? (lo) : (v) > (hi) ? (hi) : (v))
#define DEBUG_TRACE 0

static int g_line_count = 0;            /* lines on screen */
static char g_title[80] = "Viewer";     // caption text
static const char* g_names[] = { "one", "two", "three" };

struct LineInfo {
    int start;      /* first byte */
    int length;     /* in bytes */
    char marker;
};

typedef enum { kIdle, kBusy = 2, kDone } State;

/*
 * Counts the lines of a buffer; a lone CR counts as a line end too.
 */
int count_lines(const char* text, int size)
{
    int lines = 0;
    int i;
    for (i = 0; i < size; i++) {
        if (text[i] == '\n')
            lines++;
        else if (text[i] == '\r' && text[i + 1] != '\n') {
            lines++;
        } else
            continue;
    }
    return CLAMP(lines, 0, MAX_LINES);
}

#if DEBUG_TRACE
static void trace(const char* s) { OutputDebugString(s); }
#else
#define trace(s)
#endif

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        g_line_count = 0;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        do {
            TextOut(dc, 0, g_line_count * 16, "\x83\x5C\x83\x74\x83\x67", 6);
        } while (0);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        if (msg == WM_USER + 1 && wp != 0)
            trace("user");
        break;
    }
    while (g_line_count > MAX_LINES) g_line_count--;
    return DefWindowProc(hwnd, msg, wp, lp);
}

int APIENTRY WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR cmd, int show)
{
    MSG m;
    char c = '\'';
    if (prev != NULL) return 0; else { c = '"'; }
    while (GetMessage(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    return (int)m.wParam;
}
)";

// --- random bytes -----------------------------------------------------------------------

// Pieces that steer random text into the corners of the reader and scanner.
const char* const kHostilePieces[] = {
    "{", "}", "(", ")", ";", "/*", "*/", "//", "\"", "'", "\\", "\\\n", "\n", "\r", "\r\n", "\x1A",
    "", "#", "#if ", "#ifdef X", "#else\n", "#endif\n", "#elif 1\n", "#define ",
    "#define X X\n", "#undef X\n", "#include \"nothing.h\"\n", "if (", "else ", "while (", "do ", "for (;;)",
    "switch (x) {", "case 1:", "default:", "_asm ", "extern \"C\" {", "class C ", "struct S {", "\t", "  ",
    "\x81", "\x82\n", "\x83\x5C", "\x95\x5C\n", "\xE0", "\xFC", "?\?/", "?\?=", "int", "x", "=", "0", "1",
};

std::string random_bytes(uint32_t seed, size_t size) {
    std::mt19937 rng(seed);
    std::string out;
    out.reserve(size);
    const bool token_soup = (seed % 2) == 0;
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> piece(0, std::size(kHostilePieces) - 1);
    while (out.size() < size) {
        if (token_soup) {
            size_t k = piece(rng);
            if (kHostilePieces[k][0] == '\0')
                out += '\0';  // the empty piece stands for a NUL byte
            else
                out += kHostilePieces[k];
        } else {
            out += static_cast<char>(byte(rng));
            // short lines now and then, so the line logic is reached as well
            if (byte(rng) < 8) out += '\n';
        }
    }
    out.resize(size);
    // a Shift-JIS lead byte as the very last byte
    out.back() = '\x82';
    return out;
}

TEST_F(Robustness, RandomBytesEndEveryRun) {
    std::mt19937 sizes(20240611);
    std::uniform_int_distribution<size_t> size_of(1024, 64 * 1024);
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        const std::string text = random_bytes(seed, seed <= 2 ? seed : size_of(sizes));
        const std::string name = "random" + std::to_string(seed) + ".c";
        run_text(name, text, seed % 3 == 0 ? kGravletAnalysis : kNotarixAnalysis);
        if (HasFatalFailure() || HasFailure()) return;
    }
}

TEST_F(Robustness, ControlBytesAndLeadBytesAtLineEnds) {
    // NUL, lone CR, 0x1A and lead bytes before a newline, a backslash and the end
    const std::string text = std::string("int a;\0int b;\n", 14) + "int c;\rint d;\n\x1A\x1A\n" +
                             "char* s = \"\x82\n" + "/* \x82\n*/ int e;\n" + "int f; // \x83\\\n" +
                             "#define Y \x81\\\n" + "{ \x82}\n" + "}\n\x1A" + "\x82";
    run_text("control.c", text);
    run_text("control-nl.c", text + "\n");
    run_text("lone-lead.c", "\x82");
    run_text("lone-cr.c", "\r");
    run_text("empty.c", "");
}

// --- cut sources -----------------------------------------------------------------------------

TEST_F(Robustness, EveryPrefixOfARealisticSource) {
    const std::string source = kRealisticSource;
    ASSERT_GT(source.size(), 1500u);
    // whole source first: it must go through cleanly
    RunResult whole = run_text("whole.c", source);
    EXPECT_EQ(whole.last, -1);
    EXPECT_GT(whole.units, 30);
    const std::string path = (dir_ / "cut.c").string();
    for (size_t cut = 0; cut < source.size(); cut += 3) {
        write_file("cut.c", source.substr(0, cut));
        RunResult result = run(path);
        expect_finished(result, "prefix of " + std::to_string(cut) + " bytes");
        if (HasFailure()) return;
    }
}

// --- open literals and comments --------------------------------------------------------------

TEST_F(Robustness, UnclosedCommentsAndLiterals) {
    run_text("block.c", "int a;\n/* never closed\nint b;\nvoid f() { }\n");
    run_text("block-eof.c", "int a; /*");
    run_text("in-function.c", "void f() {\n  x = 1; /* open\n  y = 2;\n");
    run_text("string.c", "char* s = \"abc;\nint b;\nvoid f() { g(\"x); }\n");
    run_text("string-eof.c", "char* s = \"abc");
    run_text("char.c", "char c = 'x;\nint b = '\\';\n");
    run_text("char-eof.c", "char c = '");
    run_text("escape-eof.c", "char* s = \"\\");
    // a comment that opens on a directive line is read to its end char by char
    run_text("directive.c", "#define X 1 /* open\nint a;\nint b;\n");
    run_text("directive-eof.c", "#if 1 /*");
    run_text("directive-skipped.c", "#if 0\n#else /* open\nint a;\n");
    run_text("directive-long.c", "#define Y /* " + repeat("comment text ", 10000));
}

// --- long lines -----------------------------------------------------------------------------

TEST_F(Robustness, HundredKilobyteLines) {
    const size_t n = 100 * 1024;
    const std::string plain(n, 'a');
    for (const auto& [name, line] : std::vector<std::pair<std::string, std::string>>{
             {"plain", plain},
             {"words", repeat("int x = y + z; ", n / 15)},
             {"open-braces", repeat("{ ", n / 2)},
             {"close-braces", repeat("} ", n / 2)},
             {"balanced", repeat("{ a; } ", n / 7)},
             {"quotes", "x = \"" + plain},
             {"quote-pairs", repeat("\"a\" ", n / 4)},
             {"apostrophes", repeat("' ", n / 2)},
             {"parens", repeat("f(", n / 2)},
             {"shift-jis", repeat("\x83\x5C", n / 2)},
             {"in-function", "void f() { " + repeat("g(); ", n / 5)},
             {"declaration", "int " + repeat("a, ", n / 3) + "b;"},
         }) {
        run_text(name + ".c", line);
        run_text(name + "-nl.c", line + "\n");
        run_text(name + "-gx.c", line + "\n", kGravletAnalysis);
        if (HasFailure()) return;
    }
}

TEST_F(Robustness, HundredKilobytesOfContinuations) {
    run_text("cont.c", repeat("a\\\n", 100 * 1024 / 3));
    run_text("cont-bare.c", repeat("\\\n", 50 * 1024));
    run_text("cont-directive.c", "#define X " + repeat("1 + \\\n", 100 * 1024 / 6) + "1\n");
    run_text("cont-crlf.c", repeat("x\\\r\n", 25 * 1024));
    run_text("cont-function.c", "void f() {\n" + repeat("g(\\\n", 100 * 1024 / 4) + "}\n");
}

// --- include cycles ------------------------------------------------------------------------

TEST_F(Robustness, IncludeCyclesStop) {
    for (const AnalysisProfile* profile : {&kNotarixAnalysis, &kGravletAnalysis}) {
        write_file("a.h", "int in_a;\n#include \"b.h\"\n");
        write_file("b.h", "int in_b;\n#include \"a.h\"\n");
        run_text("cycle.c", "#include \"a.h\"\nint main;\n", *profile);
        run_text("self.h", "#include \"self.h\"\nint x;\n", *profile);
        run_text("self-open.h", "void f() {\n#include \"self-open.h\"\n", *profile);
        run_text("self-if.h", "#if 1\n#include \"self-if.h\"\n", *profile);
        // angle brackets too, when they are searched
        run_text("angle.h", "#include <angle.h>\n", *profile, [this] {
            g_analysis.settings.include_mode_angle = 1;
            setenv("INCLUDE", dir_.c_str(), 1);
        });
        unsetenv("INCLUDE");
        if (HasFailure()) return;
    }
}

// --- macros ---------------------------------------------------------------------------------

TEST_F(Robustness, RecursiveMacrosStop) {
    const std::vector<std::pair<std::string, std::string>> sources = {
        {"self.c", "#define X X\n#if X\nint a;\n#endif\nint b = X;\n"},
        {"pair.c", "#define A B\n#define B A\n#if A\nint a;\n#endif\nint c = A + B;\n"},
        {"function.c", "#define F(x) F(x)\n#if F(1)\nint a;\n#endif\nint d = F(F(2));\n"},
        {"growing.c", "#define G(x) G(x x)\n#if G(1)\n#endif\nint e = G(1);\n"},
        {"object-grows.c", "#define H H H\n#if H\n#endif\nint f = H;\n"},
        {"unclosed-call.c", "#define F(x) x\n#if F(\n#endif\nint g = F(1;\n"},
        {"control.c", "#define LOOP while (LOOP)\nvoid f() {\nLOOP;\n}\n"},
    };
    for (int mode : {3, 2}) {
        for (const auto& [name, text] : sources) {
            run_text(name, text, kNotarixAnalysis, [mode] { g_analysis.settings.control_macro_mode = mode; });
            if (HasFailure()) return;
        }
    }
}

// --- nesting --------------------------------------------------------------------------------

TEST_F(Robustness, DeepBracesAndStrayCloses) {
    RunResult nested = run_text("nested.c", "void f()\n" + repeat("{\n", 10000) + repeat("}\n", 10000));
    EXPECT_EQ(nested.last, -1);
    run_text("nested-open.c", repeat("{\n", 10000));
    run_text("nested-if.c", "void f() {\n" + repeat("if (a)\n", 10000) + "x;\n}\n");
    run_text("stray.c", repeat("}\n", 10000));
    run_text("stray-line.c", repeat("}", 10000) + "\n");
}

TEST_F(Robustness, DeepConditionals) {
    std::string text;
    for (int i = 0; i < 25; ++i) text += "#if " + std::to_string(i % 2) + "\nint a" + std::to_string(i) + ";\n";
    run_text("if25.c", text + repeat("#endif\n", 25));
    run_text("if25-open.c", text);
    run_text("endif-only.c", repeat("#endif\n", 100));
    run_text("else-only.c", repeat("#else\n#elif 1\n", 100));
    for (int mode : {0, 1}) {
        run_text("if25-mode.c", text + repeat("#endif\n", 25), kNotarixAnalysis,
                 [mode] { g_analysis.settings.conditional_mode = mode; });
    }
}

TEST_F(Robustness, ElsesWithoutIf) {
    run_text("else-top.c", repeat("else\n", 2000));
    RunResult inside = run_text("else-inside.c", "void f() {\n" + repeat("else x;\n", 2000) + "}\n");
    EXPECT_EQ(inside.messages, 2000);
    run_text("else-braces.c", "void f() {\n" + repeat("} else {\n", 2000) + "}\n");
    run_text("else-if.c", "void f() {\n" + repeat("else if (a)\n", 2000) + "x;\n}\n");
    run_text("else-do.c", "void f() {\n" + repeat("do\nelse\nwhile (1);\n", 500) + "}\n");
}

}  // namespace
