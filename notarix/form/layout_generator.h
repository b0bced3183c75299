// The layout generator "nx1012" in its layout mode (the tool "lyg"): a drawn
// page form (.frm) in, the page's ruled lines and fixed texts as layout
// records (.lis) and the positions of its parameter areas (.fms) out. It runs
// in the caller's process; progress and cancel go through the converter
// host (common/analysis/converter_host.h).
#pragma once

enum LayoutStatus : int {
    kLayoutDone = 0,
    kLayoutWarnings = 9,        // finished; the form was cut to 82 rows of 112 columns
    kLayoutErrors = 10,         // form missing, a file not creatable, cancelled
    kLayoutBadCall = 11,        // the arguments were refused
    kLayoutWriteFailure = 255,  // a result could not be written, closed or put in place
};

// argv[0] is the tool name; then "-e<error file>" and the form file (the
// last one given counts). The results go beside the form: <base>.lis and
// <base>.fms, replaced only when the whole run succeeds.
int run_layout_generator(int argc, char** argv);
