#include "common/analysis/result_files.h"

#include <filesystem>

#include "common/analysis/support.h"
#include "platform/kernel/file_io.h"

bool is_regular_or_missing(const std::string& name) {
    if (!crt_exists(name.c_str())) return true;
    std::error_code ignored;
    return std::filesystem::is_regular_file(resolve_platform_path(name.c_str()), ignored);
}

int commit_result_files(const std::vector<ResultFile>& files) {
    const size_t n = files.size();
    std::vector<std::string> aside(n);
    std::vector<bool> moved(n, false), placed(n, false);
    int failed = -1;
    for (size_t i = 0; i < n && failed < 0; ++i)
        if (!is_regular_or_missing(files[i].result)) failed = static_cast<int>(i);
    for (size_t i = 0; i < n && failed < 0; ++i) {
        aside[i] = files[i].result + ".$old";
        if (!crt_exists(files[i].result.c_str())) continue;
        delete_file(aside[i].c_str());
        if (rename_file(files[i].result.c_str(), aside[i].c_str()) != 0) failed = static_cast<int>(i);
        else moved[i] = true;
    }
    for (size_t i = 0; i < n && failed < 0; ++i) {
        if (rename_file(files[i].work.c_str(), files[i].result.c_str()) != 0) failed = static_cast<int>(i);
        else placed[i] = true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (failed < 0) {
            if (moved[i]) delete_file(aside[i].c_str());
            continue;
        }
        if (placed[i]) delete_file(files[i].result.c_str());
        if (moved[i]) rename_file(aside[i].c_str(), files[i].result.c_str());
        delete_file(files[i].work.c_str());
    }
    return failed;
}

void discard_work_files(const std::vector<ResultFile>& files) {
    for (const ResultFile& f : files) delete_file(f.work.c_str());
}
