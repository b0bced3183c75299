// Printer documents: StartDocA to EndDoc make one PDF file, a page per
// StartPage/EndPage pair, each page the size the device mode gives. The file
// is written through the kernel's file layer, so a full disk fails the job
// as it would fail any other file.
#include <cairo-pdf.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <system_error>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/disk_names.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/platform_home.h"

namespace gdi {

struct PrintJob {
    std::string path;
    std::string name;
    cairo_surface_t* pdf = nullptr;
    int fd = -1;
    std::string pending;  // bytes not yet written
    bool write_failed = false;
    int pages = 0;
};

namespace {

struct PrintState {
    std::vector<PrintJobRecord> records;
    std::string last_path;
    int last_number = 0;
    std::string failing_call;  // fail_next_print_call
};

PrintState& print_state() {
    static PrintState s;
    return s;
}

// The next job number: after the highest in the directory (whatever the
// file's extension) and after the last one of this process.
int next_job_number() {
    const std::string dir = print_job_directory();
    int highest = print_state().last_number;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        int n = 0;
        char dot = 0;
        if (std::sscanf(name.c_str(), "job-%d%c", &n, &dot) == 2 && dot == '.') highest = std::max(highest, n);
    }
    return highest + 1;
}

std::string job_path(int number, const char* extension) {
    char file[48];
    std::snprintf(file, sizeof file, "/job-%04d.%.8s", number, extension);
    return print_job_directory() + file;
}

// Makes the job's file, which no one else had: the name is created
// exclusively, and a number another process took meanwhile is passed by, so
// jobs started at the same moment never write into one file. The open
// descriptor (with the path in `path`), or -1.
int create_job_file(const char* extension, std::string& path) {
    int number = next_job_number();
    for (int tries = 0; tries < 100000; ++tries, ++number) {
        path = job_path(number, extension);
        const int fd =
            crt_open(system_name_of(path).c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_EXCL | CRT_O_BINARY);
        if (fd >= 0) {
            print_state().last_number = number;
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// True once for the call named by fail_next_print_call.
bool forced_failure(const char* call) {
    std::string& failing = print_state().failing_call;
    if (failing.empty() || failing != call) return false;
    failing.clear();
    return true;
}

double mm_to_points(double mm) { return mm / 25.4 * 72.0; }

// The PDF comes in many small pieces: they go to the file in blocks.
constexpr size_t kJobWriteBlock = 64 * 1024;

bool flush_job_bytes(PrintJob& job) {
    const auto n = static_cast<unsigned>(job.pending.size());
    if (!job.write_failed && n > 0 && crt_write(job.fd, job.pending.data(), n) != static_cast<int>(n))
        job.write_failed = true;
    job.pending.clear();
    return !job.write_failed;
}

cairo_status_t write_job_bytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* job = static_cast<PrintJob*>(closure);
    try {
        if (!job->write_failed) job->pending.append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        job->write_failed = true;
    }
    if (job->pending.size() >= kJobWriteBlock) flush_job_bytes(*job);
    return job->write_failed ? CAIRO_STATUS_WRITE_ERROR : CAIRO_STATUS_SUCCESS;
}

// The job's file is gone with it: closed and removed.
void drop_job_file(PrintJob& job) {
    if (job.fd >= 0) crt_close(job.fd);
    job.fd = -1;
    crt_remove(system_name_of(job.path).c_str());
}

constexpr int kDrawingCallsPerAbortCheck = 8;

// Asks the abort procedure; FALSE drops the whole job. True when the job goes on.
bool ask_abort_proc(DeviceContext& dc, const char* at) {
    dc.calls_since_abort_check = 0;
    if (!dc.abort_proc || !dc.job) return true;
    if (dc.abort_proc(dc_handle(&dc), 0)) return true;
    log_call(dc, "AbortProc", {}, {}, std::string("cancelled at ") + at);
    finish_print_job(dc, true);
    return false;
}

}  // namespace

DeviceContext* lookup_drawing_dc(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (dc && dc->kind == DcKind::Printer && dc->job && dc->in_page &&
        ++dc->calls_since_abort_check >= kDrawingCallsPerAbortCheck)
        ask_abort_proc(*dc, "drawing");
    return dc;
}

void finish_print_job(DeviceContext& dc, bool abort) {
    PrintJob* job = dc.job;
    if (!job) return;
    if (dc.in_page) {
        cairo_surface_show_page(job->pdf);
        ++job->pages;
    }
    cairo_surface_finish(job->pdf);
    bool failed = cairo_surface_status(job->pdf) != CAIRO_STATUS_SUCCESS || (!abort && !flush_job_bytes(*job));
    cairo_surface_destroy(job->pdf);
    if (!abort && !failed) {
        failed = crt_close(job->fd) != 0;
        job->fd = -1;
    }
    // a job that did not end whole leaves no file, not even an empty one
    if (abort || failed) drop_job_file(*job);
    PrintJobRecord record;
    record.path = job->path;
    record.document_name = job->name;
    record.device = dc.device;
    record.pages = job->pages;
    record.aborted = abort || failed;
    print_state().records.push_back(record);
    if (!record.aborted) print_state().last_path = job->path;
    delete job;
    dc.job = nullptr;
    dc.surface = nullptr;
    dc.in_page = false;
    dc.page_number = 0;
}

}  // namespace gdi

using namespace gdi;

std::string print_job_directory() {
    std::string dir = platform_home() + "/print";
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    return dir;
}

std::string last_print_job_path() { return print_state().last_path; }

std::vector<PrintJobRecord> print_job_records() { return print_state().records; }

void clear_print_job_records() {
    print_state().records.clear();
    print_state().last_path.clear();
    print_state().failing_call.clear();
}

int create_print_file(const char* extension, std::string& path) {
    const int fd = create_job_file(extension && *extension ? extension : "prn", path);
    // a program names it to the kernel, which takes the system's names
    path = system_name_of(path);
    return fd;
}

void fail_next_print_call(const char* call) { print_state().failing_call = call ? call : ""; }

int StartDocA(HDC handle, const DOCINFOA* info) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || dc->kind != DcKind::Printer || dc->job || forced_failure("StartDocA")) return SP_ERROR;
    auto* job = new PrintJob;
    job->name = info && info->lpszDocName ? info->lpszDocName : "";
    double w, h;
    paper_size_mm(dc->devmode, &w, &h);
    // the job's path is the disk's; the kernel's file layer takes the system's
    if (info && info->lpszOutput && *info->lpszOutput) {
        job->path = resolve_platform_path(info->lpszOutput);
        job->fd =
            crt_open(system_name_of(job->path).c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY);
    } else {
        job->fd = create_job_file("pdf", job->path);
    }
    if (job->fd < 0) {
        delete job;
        return SP_ERROR;
    }
    job->pdf = cairo_pdf_surface_create_for_stream(write_job_bytes, job, mm_to_points(w), mm_to_points(h));
    if (cairo_surface_status(job->pdf) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(job->pdf);
        drop_job_file(*job);
        delete job;
        return SP_ERROR;
    }
    dc->job = job;
    dc->surface = job->pdf;
    dc->page_number = 0;
    log_call(*dc, "StartDocA", {}, {}, "path=" + job->path, job->name);
    return print_state().last_number > 0 ? print_state().last_number : 1;
}

int StartPage(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !dc->job || dc->in_page || forced_failure("StartPage")) return SP_ERROR;
    double w, h;
    paper_size_mm(dc->devmode, &w, &h);
    // Each page takes the paper of the device mode in force (ResetDCA may
    // change it between pages).
    cairo_pdf_surface_set_size(dc->job->pdf, mm_to_points(w), mm_to_points(h));
    if (!ask_abort_proc(*dc, "StartPage")) return SP_APPABORT;
    dc->in_page = true;
    ++dc->page_number;
    log_call(*dc, "StartPage", {}, {}, {});
    return 1;
}

int EndPage(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !dc->job || !dc->in_page || forced_failure("EndPage")) return SP_ERROR;
    // The spooler asks the program's abort procedure as it takes the page.
    if (!ask_abort_proc(*dc, "EndPage")) return SP_APPABORT;
    log_call(*dc, "EndPage", {}, {}, {});
    cairo_surface_show_page(dc->job->pdf);
    ++dc->job->pages;
    dc->in_page = false;
    // the spooler could not take the page: the job stays for AbortDoc
    return dc->job->write_failed ? SP_ERROR : 1;
}

int EndDoc(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !dc->job || forced_failure("EndDoc")) return SP_ERROR;
    log_call(*dc, "EndDoc", {}, {}, {});
    finish_print_job(*dc, false);
    // a document that could not be written whole is dropped, and says so
    return print_state().records.back().aborted ? SP_ERROR : 1;
}

int AbortDoc(HDC handle) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || !dc->job) return SP_ERROR;
    log_call(*dc, "AbortDoc", {}, {}, {});
    finish_print_job(*dc, true);
    return 1;
}

int SetAbortProc(HDC handle, ABORTPROC procedure) {
    DeviceContext* dc = lookup_dc(handle);
    if (!dc || dc->kind != DcKind::Printer) return SP_ERROR;
    // Set before StartDocA as a rule, so it belongs to the context, not the job.
    dc->abort_proc = procedure;
    return 1;
}
