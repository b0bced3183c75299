#include "common/analysis/converter_host.h"

#include "platform/kernel/file_io.h"

namespace {
ConverterHost g_default_host;
const ConverterHost* g_host = &g_default_host;
}  // namespace

void set_converter_host(const ConverterHost* host) { g_host = host != nullptr ? host : &g_default_host; }

const ConverterHost& converter_host() { return *g_host; }

bool host_takes_progress() { return g_host->report_progress != nullptr; }

int host_report_progress(const char* item, int permille) {
    return g_host->report_progress != nullptr ? g_host->report_progress(item, permille) : 0;
}

void host_show_message(const char* text, const char* caption) {
    if (g_host->show_message != nullptr) g_host->show_message(text, caption);
}

std::string host_program_directory() {
    return g_host->program_directory != nullptr ? g_host->program_directory() : get_program_directory();
}
