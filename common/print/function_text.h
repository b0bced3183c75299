// The function text output: every function of the text output's
// range replayed into the text grid (page form, then the page's records,
// then the footer of the .hd2 file) and written row by row into a text
// file, ruled lines as box-drawing characters.
#pragma once

#include <string>

#include "common/print/print_settings.h"
#include "common/print/text_grid.h"

// 0 done; -1 a form or a page could not be read; -3 no memory for the
// grid; 5 the output file could not be made, 6 it could not be written
// whole (the failing file is its name, the old file stays); 20 cancelled,
// or declined without a header file; 30 the first function lies beyond the
// document. The pages written before a
// cancel or a read failure stay in the file.
int write_spec_text(const std::string& output, const PrintSettings& settings);

// The form and one function page into the grid: 0, or -1 when the form or
// the document cannot be read or the job was cancelled.
int render_form_text(TextGridBackend& backend);
int render_function_text(int j, TextGridBackend& backend);
