// Services under every built-in converter: the string pool, tracked files,
// the error-file writer and the message-code convention.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Message codes: 1 success; -1..-49 warnings (go on); -50 and below errors;
// below -99 the caller returns at once.
enum : int {
    kCodeOk = 1,
    kCodeCannotWrite = -58,
    kCodeNoMemoryConverter = -60,
    kCodeErrorFileOpen = -102,
    kCodeTooManyFiles = -130,
    kCodeNoMemory = -136,
    kCodeReadError = -139,
};

enum : int { kMessageError = 0, kMessageWarning = 1 };

// Codes after which nothing more can be read or written: the error file,
// the memory or the source itself failed.
inline bool is_fatal_code(int code) {
    return code == kCodeCannotWrite || code == kCodeErrorFileOpen || code == kCodeTooManyFiles ||
           code == kCodeNoMemory || code == kCodeReadError || code == kCodeNoMemoryConverter;
}

constexpr size_t kPoolBlockSize = 40000;

// --- string pool -----------------------------------------------------------
void init_pool();
void free_pool();
void* pool_alloc(size_t size);
char* pool_copy_string(std::string_view text);
char* pool_copy_range(int start, int end, std::string_view text);
// Test hook: the next `blocks` block requests succeed, later ones fail.
void set_pool_block_limit(int blocks);

// --- tracked files -----------------------------------------------------------
int open_tracked_file(const char* name, const char* mode);
int close_tracked_file(int handle);
// The name a tracked handle was opened with, "" for any other handle.
const char* tracked_file_name(int handle);
// Closes every handle still in the table (end of a run or a test).
void close_all_tracked_files();
// The error file is kept open from the first message of a run; the run's
// end closes it (so does removing or renaming any file through here).
void close_error_file();
int delete_file(const char* name);
// A run's error file starts empty: false when no file could be written
// there (as an open for writing would fail), else what an earlier run left
// is gone. Nothing is made on the disk for the check.
bool start_error_file(const char* name);
// As an open for reading or for writing would succeed, told without
// opening (so a file to be written is not made yet).
bool can_open_for_reading(const char* name);
bool can_open_for_writing(const char* name);
int rename_file(const char* old_name, const char* new_name);
int get_file_number(const char* name);
// Writes the text whole: 0 when every byte was written, -1 otherwise.
int write_text_line(std::string_view text, int handle);

// --- small helpers -----------------------------------------------------------
void get_directory_part(std::string_view path, std::string& out);
int filter_directive_line(std::string& line);
int classify_conditional_directive(std::string_view word);

// --- messages ------------------------------------------------------------------
// Appends one error-file line; 1 written, 0 no error file, -58, -102, -130.
int report_message(int kind, int code, std::string_view text, std::string_view detail);
// Reports and gives the caller's code, or the writer's failure when that is
// below -99 (the error file itself failed).
int raise_message(int kind, int code, std::string_view text, std::string_view detail = {});
// Reports a warning, after which processing goes on whatever its code:
// 1, or the writer's failure when that is below -99.
int raise_warning(int code, std::string_view text, std::string_view detail = {});
// 1 when the write went through or a warning; -58 (failing file recorded)
// when the error file could not be written; -100 otherwise.
int report_converter_message(int kind, int code, std::string_view text, std::string_view detail);
// Usage and #if error hook of the converters; does nothing.
void report_if_error(int kind, std::string_view text, std::string_view detail);
// Writes a text to an output file; -58 (message written, naming the file)
// when it fell short.
int write_output_line(std::string_view text, int handle, int file_number);
