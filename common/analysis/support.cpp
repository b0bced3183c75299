#include "common/analysis/support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/analysis/analysis_state.h"
#include "common/analysis/messages.h"
#include "common/analysis/preprocessor.h"
#include "common/analysis/text_utils.h"
#include "common/analysis/whole_headers.h"
#include "platform/kernel/file_io.h"

// --- string pool -------------------------------------------------------------
// Blocks of a fixed size, carved upwards from byte 4 and freed all at once.
// The chain of blocks is kept in a vector rather than in the blocks.

void init_pool() {
    g_analysis.pool_blocks.clear();
    g_analysis.pool_fill = kPoolBlockSize;
}

void free_pool() {
    for (auto it = g_analysis.pool_blocks.rbegin(); it != g_analysis.pool_blocks.rend(); ++it) std::free(*it);
    init_pool();
}

void set_pool_block_limit(int blocks) { g_analysis.pool_fail_after = blocks; }

void* pool_alloc(size_t size) {
    size_t rounded = (size + 3) & ~static_cast<size_t>(3);
    if (rounded > kPoolBlockSize - 4) {
        raise_message(kMessageError, kCodeNoMemory, kMsgNoMemory);
        return nullptr;
    }
    if (g_analysis.pool_blocks.empty() || g_analysis.pool_fill + rounded > kPoolBlockSize) {
        // room in the list first: a failure there must not lose a taken block
        g_analysis.pool_blocks.reserve(g_analysis.pool_blocks.size() + 1);
        char* block = nullptr;
        if (g_analysis.pool_fail_after != 0) block = static_cast<char*>(std::malloc(kPoolBlockSize));
        if (block == nullptr) {
            raise_message(kMessageError, kCodeNoMemory, kMsgNoMemory);
            return nullptr;
        }
        if (g_analysis.pool_fail_after > 0) --g_analysis.pool_fail_after;
        g_analysis.pool_blocks.push_back(block);
        g_analysis.pool_fill = 4;
    }
    char* result = g_analysis.pool_blocks.back() + g_analysis.pool_fill;
    g_analysis.pool_fill += rounded;
    return result;
}

char* pool_copy_string(std::string_view text) {
    char* copy = static_cast<char*>(pool_alloc(text.size() + 1));
    if (copy == nullptr) return nullptr;
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

char* pool_copy_range(int start, int end, std::string_view text) {
    int length = static_cast<int>(text.size());
    if (start < 0) start = 0;
    if (end >= length) end = length - 1;
    if (end < start) return pool_copy_string("");
    return pool_copy_string(text.substr(start, end - start + 1));
}

// --- tracked files -----------------------------------------------------------

int open_tracked_file(const char* name, const char* mode) {
    int flags = 0;
    bool binary = false;
    for (const char* m = mode; *m != '\0'; ++m) {
        switch (*m) {
            case 'a': flags |= CRT_O_WRONLY | CRT_O_APPEND | CRT_O_CREAT; break;
            case 'w': flags |= CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC; break;
            case 'r': break;
            case 'b': binary = true; break;
            default: return -1;
        }
    }
    flags |= binary ? CRT_O_BINARY : CRT_O_TEXT;
    int handle = crt_open(name, flags, 0666);
    if (handle < 0) return -1;
    for (auto& entry : g_analysis.open_files) {
        if (entry.in_use == 0) {
            entry.in_use = 1;
            entry.handle = handle;
            entry.buffered = (flags & CRT_O_TRUNC) != 0;
            entry.output.reset();
            entry.name = name;
            entry.failure_shown = false;
            return handle;
        }
    }
    // A handle the table cannot hold could never be closed through it: the
    // table being full counts as too many open files.
    crt_close(handle);
    errno = EMFILE;
    return -1;
}

namespace {
AnalysisState::OpenFile* find_tracked_file(int handle) {
    for (auto& entry : g_analysis.open_files)
        if (entry.in_use == 1 && entry.handle == handle) return &entry;
    return nullptr;
}

void forget_tracked_file(AnalysisState::OpenFile& entry) {
    entry.in_use = 0;
    entry.handle = -1;
    entry.output.reset();
    entry.name.clear();
    entry.failure_shown = false;
}

// Takes the handle out of the table, writes what it gathered and closes it:
// 0, -1 when a write or the close failed, 1 when the handle was not tracked.
int release_tracked_file(int handle) {
    AnalysisState::OpenFile* entry = find_tracked_file(handle);
    if (entry == nullptr) return 1;
    const bool written = !entry->buffered || entry->output.flush(handle);
    forget_tracked_file(*entry);
    const bool closed = crt_close(handle) == 0;
    return written && closed ? 0 : -1;
}
}  // namespace

int close_tracked_file(int handle) {
    const AnalysisState::OpenFile* entry = find_tracked_file(handle);
    // a write failure already reported shows again at the close: one line is enough
    const bool shown = entry != nullptr && entry->failure_shown;
    const std::string name = entry != nullptr ? entry->name : std::string{};
    if (release_tracked_file(handle) != -1) return 0;
    if (shown) return kCodeCannotWrite;
    int r = report_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, name);
    return r < -99 ? r : kCodeCannotWrite;
}

const char* tracked_file_name(int handle) {
    const AnalysisState::OpenFile* entry = find_tracked_file(handle);
    return entry != nullptr ? entry->name.c_str() : "";
}

// The files of an abandoned run: what they gathered is dropped with them.
void close_all_tracked_files() {
    for (auto& entry : g_analysis.open_files) {
        if (entry.in_use == 1) crt_close(entry.handle);
        forget_tracked_file(entry);
    }
    g_analysis.error_handle = -1;
}

void close_error_file() {
    if (g_analysis.error_handle < 0) return;
    release_tracked_file(g_analysis.error_handle);
    g_analysis.error_handle = -1;
}

// A file removed or renamed may be the error file: the next message opens
// it again under its name.
int delete_file(const char* name) {
    close_error_file();
    return crt_remove(name) == 0 ? 0 : -1;
}

namespace {
// An open through the table would also need one of its places.
bool tracked_place_free() {
    for (const auto& entry : g_analysis.open_files)
        if (entry.in_use == 0) return true;
    errno = EMFILE;
    return false;
}
}  // namespace

bool start_error_file(const char* name) {
    if (!can_open_for_writing(name)) return false;
    if (delete_file(name) == 0 || errno == ENOENT || !crt_exists(name)) return true;
    // a folder that keeps its entries: the old lines go all the same
    const int fd = crt_open(name, CRT_O_WRONLY | CRT_O_TRUNC);
    return fd >= 0 && crt_close(fd) == 0;
}

bool can_open_for_reading(const char* name) { return tracked_place_free() && crt_can_read(name); }
bool can_open_for_writing(const char* name) { return tracked_place_free() && crt_can_create(name); }

int rename_file(const char* old_name, const char* new_name) {
    close_error_file();
    return crt_rename(old_name, new_name) == 0 ? 0 : -1;
}

int get_file_number(const char*) { return 15; }

int write_text_line(std::string_view text, int handle) {
    if (text.empty()) return 0;
    AnalysisState::OpenFile* entry = find_tracked_file(handle);
    if (entry != nullptr && entry->buffered) return entry->output.append(handle, text) ? 0 : -1;
    int written = crt_write(handle, text.data(), static_cast<unsigned>(text.size()));
    return written == static_cast<int>(text.size()) ? 0 : -1;
}

// --- small helpers -----------------------------------------------------------

void get_directory_part(std::string_view path, std::string& out) {
    int cut = find_last_path_separator(std::string(path).c_str());
    if (cut >= 0) {
        out.assign(path.substr(0, cut + 1));
    } else if (path.size() >= 2 && path[1] == ':') {
        out.assign(path.substr(0, 2));
    } else {
        out = ".\\";
    }
}

int classify_conditional_directive(std::string_view word) {
    static const char* const kOpening[] = {"if", "ifdef", "ifndef", "else", "elif"};
    for (const char* w : kOpening)
        if (starts_with_word(word, w)) return 1;
    if (starts_with_word(word, "endif")) return 2;
    return 0;
}

int filter_directive_line(std::string& line) {
    int first = skip_blanks(line, 0);
    if (byte_at(line, first) != '#') return 1;
    int mode = g_analysis.settings.directive_line_mode;
    bool conditional = classify_conditional_directive(std::string_view(line).substr(skip_blanks(line, first + 1))) != 0;
    switch (mode) {
        case 0: return 0;
        case 1: line.clear(); return 1;
        case 2: return 1;
        case 3: return conditional ? 0 : 1;
        case 4: if (conditional) line.clear(); return 1;
        default: return 1;
    }
}

// --- messages ------------------------------------------------------------------

namespace {

std::string shown_file_name() {
    const std::string& name = g_analysis.current.name;
    int cut = find_last_path_separator(name.c_str());
    return cut >= 0 ? name.substr(cut + 1) : name;
}

// Writes, and on failure removes the error file when asked to, so an
// incomplete file is never left behind.
int write_or_drop(const std::string& text, int handle) {
    if (write_text_line(text, handle) == 0) return 0;
    g_analysis.error_file_failed = 1;
    release_tracked_file(handle);
    g_analysis.error_handle = -1;
    if (g_analysis.delete_on_failure == 1) delete_file(g_analysis.error_file.c_str());
    return kCodeCannotWrite;
}

}  // namespace

int report_message(int kind, int code, std::string_view text, std::string_view detail) {
    if (noting_whole_readings()) note_whole_message(kind, code, text, detail);
    ++g_analysis.messages_met;
    if (g_analysis.error_file.empty()) return 0;
    const char* path = g_analysis.error_file.c_str();
    int result = 1;

    if (g_analysis.error_handle >= 0 && g_analysis.error_handle_name != g_analysis.error_file) close_error_file();
    int handle = g_analysis.error_handle;
    if (handle < 0) {
        // out of descriptors, the sources are closed and that is the message
        bool exhausted = false;
        if (tracked_place_free()) {
            handle = open_tracked_file(path, "a");
            exhausted = handle < 0 && errno == EMFILE;
        } else {
            // a full table alone is no lack of descriptors
            const int probe = crt_open(path, CRT_O_WRONLY | CRT_O_APPEND);
            if (probe >= 0) {
                crt_close(probe);
            } else {
                exhausted = errno == EMFILE;
            }
        }
        if (exhausted) {
            close_all_source_files();
            kind = kMessageError;
            code = kCodeTooManyFiles;
            text = kMsgTooManyFiles;
            result = kCodeTooManyFiles;
        }
        if (handle < 0) handle = open_tracked_file(path, "a");
        if (handle < 0) return kCodeErrorFileOpen;
        g_analysis.error_handle = handle;
        g_analysis.error_handle_name = g_analysis.error_file;
    }

    if (g_analysis.heading_flag == 1) {
        g_analysis.heading_flag = 0;
        int depth = static_cast<int>(g_analysis.include_stack.size());
        if (!g_analysis.current.name.empty() || depth > 0) {
            const std::string& whole = depth == 0 ? g_analysis.current.name : g_analysis.include_stack[0].name;
            std::string heading = whole;
            if (heading.size() < 12) heading.append(12 - heading.size(), ' ');
            heading += ":\n";
            if (write_or_drop(heading, handle) != 0) return kCodeCannotWrite;
        }
    }

    char letter = 'E';
    if (kind == kMessageWarning) {
        letter = 'W';
        g_analysis.warnings_flag = 1;
    } else {
        g_analysis.errors_flag = 1;
    }
    int magnitude = code < 0 ? -code : code;
    if (magnitude > 999) magnitude = 999;

    std::string line;
    char head[64];
    if (!g_analysis.current.name.empty()) {
        std::string name = shown_file_name();
        if (name.size() < 12) name.append(12 - name.size(), ' ');
        std::snprintf(head, sizeof head, "(%4d) : %c%03d : ", g_analysis.current.line_number, letter, magnitude);
        line = name + head;
    } else {
        std::snprintf(head, sizeof head, "               : %c%03d : ", letter, magnitude);
        line = head;
    }
    line.append(text);

    // The detail is cut so that the line stays within its bound; never
    // through a double-byte character.
    int room = 255 - static_cast<int>(line.size()) - static_cast<int>(text.size());
    if (room > 0 && !detail.empty()) {
        int n = room < static_cast<int>(detail.size()) ? char_boundary_at_or_before(detail, room)
                                                      : static_cast<int>(detail.size());
        line.append(detail.substr(0, n));
    }
    line += '\n';

    if (write_or_drop(line, handle) != 0) return kCodeCannotWrite;
    return result;
}

int raise_message(int kind, int code, std::string_view text, std::string_view detail) {
    int r = report_message(kind, code, text, detail);
    return r < -99 ? r : code;
}

int raise_warning(int code, std::string_view text, std::string_view detail) {
    int r = report_message(kMessageWarning, code, text, detail);
    return r < -99 ? r : kCodeOk;
}

int report_converter_message(int kind, int code, std::string_view text, std::string_view detail) {
    int r = report_message(kind, code, text, detail);
    if (r >= -49) return 1;
    if (r == kCodeCannotWrite) {
        g_analysis.failing_file_number = get_file_number(g_analysis.error_file.c_str());
        return kCodeCannotWrite;
    }
    return -100;
}

void report_if_error(int, std::string_view, std::string_view) {}

int write_output_line(std::string_view text, int handle, int file_number) {
    if (write_text_line(text, handle) == 0) return 0;
    g_analysis.failing_file_number = file_number;
    AnalysisState::OpenFile* entry = find_tracked_file(handle);
    const std::string name = entry != nullptr ? entry->name : std::string{};
    int r = report_converter_message(kMessageError, kCodeCannotWrite, kMsgCannotWrite, name);
    if (entry != nullptr && entry->handle == handle) entry->failure_shown = true;
    return r == 1 ? kCodeCannotWrite : r;
}
