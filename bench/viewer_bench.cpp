// The viewer's side of a large document, in one run: a NOTARIX document of
// 1000 functions, made by the converter and the formatter, is opened (the
// page index is built) and every page is replayed onto the screen back end.
// The open is given as a ratio to a plain read of the same file, and the
// replay as the time of one page; a table after the runs shows both.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bench/bench_corpus.h"
#include "common/shell/document.h"
#include "common/shell/window/screen_renderer.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/surface.h"
#include "platform/kernel/file_io.h"

namespace {

constexpr int kFunctions = 1000;

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

// The document of the generated source, made once; "" when a step failed.
const std::string& document_path() {
    static const std::string path = [] {
        const bench::Corpus c = bench::write_corpus("viewer", {{"doc.c", bench::headed_source_text(kFunctions)}});
        const std::string error = "-e" + c.dir + "\\nx1000.err";
        const std::string& source = c.sources.front();
        const int converter =
            call(run_function_spec_converter, {"nx1011s", source, error, "-v0", "-i10", "-d3", "-H0", "-mf", "-X8417"});
        const int formatter = call(run_spec_formatter, {"nx1012", "-s2", "-c", error, "-f", "-X8417", source});
        if ((converter != 0 && converter != 9) || (formatter != 0 && formatter != 8)) return std::string{};
        return c.dir + "/doc.lin";
    }();
    return path;
}

// The baseline: the file's bytes read through the same file layer, a block
// at a time, nothing done with them.
void BM_PlainRead(benchmark::State& state) {
    const std::string& path = document_path();
    std::vector<char> block(64 * 1024);
    for (auto _ : state) {
        const int fd = crt_open(path.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
        if (fd < 0) {
            state.SkipWithError("the document cannot be read");
            break;
        }
        long bytes = 0;
        for (int n; (n = crt_read(fd, block.data(), static_cast<unsigned>(block.size()))) > 0;) bytes += n;
        crt_close(fd);
        benchmark::DoNotOptimize(bytes);
    }
}

// A second baseline: the file's lines, as a plain reader of text takes them.
void BM_PlainLineRead(benchmark::State& state) {
    const std::string& path = document_path();
    std::string line;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        long lines = 0;
        while (std::getline(in, line)) ++lines;
        benchmark::DoNotOptimize(lines);
    }
}

void BM_OpenDocument(benchmark::State& state) {
    DocumentState document;
    int pages = 0;
    for (auto _ : state) {
        document.reset();
        document.file_name = document_path();
        if (index_document(document, kNotarixDocument) != kIndexOk) {
            state.SkipWithError("the document does not open");
            break;
        }
        pages = document.page_count;
        close_document(document);
    }
    state.counters["pages"] = pages;
}

// Every page of the open document onto a page view's surface, as the page
// view draws it; the time is that of the whole document, and the counter
// gives one page's share.
void BM_ReplayEveryPage(benchmark::State& state) {
    DocumentState document;
    document.file_name = document_path();
    if (index_document(document, kNotarixDocument) != kIndexOk || document.page_count == 0) {
        state.SkipWithError("the document does not open");
        return;
    }
    set_drawing_log_enabled(false);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 680, 1000);
    HDC dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
    ScreenObjects objects;
    objects.create(ScreenColours{});
    ScreenRenderer renderer(objects);
    renderer.set_paint_dc(dc);
    renderer.acquire_dc(nullptr, kPageDrawOwner);
    const PageDrawContext context;
    for (auto _ : state)
        for (int page = 0; page < document.page_count; ++page) draw_page_records(renderer, document, page, context);
    renderer.release_dc(nullptr, kPageDrawOwner);
    release_surface_dc(dc);
    objects.destroy();
    cairo_surface_destroy(surface);
    state.counters["pages"] = document.page_count;
    state.counters["per page"] = benchmark::Counter(static_cast<double>(document.page_count),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
    close_document(document);
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PlainLineRead)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_OpenDocument)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReplayEveryPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// CPU time of each benchmark by name, for the table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && run.run_type != Run::RT_Iteration) continue;
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration && medians.count(name) != 0) continue;
            cpu[name] = run.GetAdjustedCPUTime();  // in the unit above (ms)
            if (median) medians.insert(name);
            auto pages = run.counters.find("pages");
            if (pages != run.counters.end()) page_count = pages->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpu;
    std::set<std::string> medians;
    double page_count = 0;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (document_path().empty()) {
        std::fprintf(stderr, "the document of %d functions could not be made\n", kFunctions);
        return 1;
    }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double read = reporter.cpu["BM_PlainRead"], lines = reporter.cpu["BM_PlainLineRead"];
    const double open = reporter.cpu["BM_OpenDocument"];
    const double replay = reporter.cpu["BM_ReplayEveryPage"];
    std::printf("\ndocument of %d functions, %.0f pages, %.1f MB\n", kFunctions, reporter.page_count,
                static_cast<double>(crt_file_size(document_path().c_str())) / 1e6);
    if (read > 0 && open > 0)
        std::printf("open (page index):  %.2f x a plain read of the file's bytes, %.2f x of its lines\n", open / read,
                    lines > 0 ? open / lines : 0.0);
    if (replay > 0 && reporter.page_count > 0)
        std::printf("replay of a page:   %.3f ms (CPU time, screen back end)\n", replay / reporter.page_count);
    benchmark::Shutdown();
    return 0;
}
