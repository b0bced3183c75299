// What a built-in converter may ask of the program that runs it. The viewer
// installs its own; tests install theirs; nothing here knows of windows.
#pragma once

#include <string>

struct ConverterHost {
    // Progress of the run: a short item text and a value in thousandths.
    // Returns -1 when the user asked to cancel, else 0.
    int (*report_progress)(const char* item, int permille) = nullptr;
    // A message box of the converter's own (the formatter's file errors).
    void (*show_message)(const char* text, const char* caption) = nullptr;
    // The program directory (where the shipped control files lie).
    std::string (*program_directory)() = nullptr;
};

// Installs a host (nullptr restores the default: no progress, no boxes, the
// directory of the executable).
void set_converter_host(const ConverterHost* host);
const ConverterHost& converter_host();

// Shorthands that work with any host.
// Whether anyone takes the progress: without a host nothing is formatted.
bool host_takes_progress();
int host_report_progress(const char* item, int permille);
void host_show_message(const char* text, const char* caption);
std::string host_program_directory();
