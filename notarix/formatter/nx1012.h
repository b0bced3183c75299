// The formatter nx1012: function records (.fss), preceded by the
// common-information records (.css), placed into the fields of the page form
// and written as the page records of the document (.lin).
#pragma once

// Statuses of a formatter run.
enum : int {
    kFormatterOk = 0,
    kFormatterTextCut = 8,        // a field text was cut to fit the form
    kFormatterBadInterface = 11,  // "-X" with another code than 8417
    kFormatterNoMemory = 13,
    kFormatterIoError = 20,       // form, function records or document unusable
};

inline constexpr int kFormatterInterfaceCode = 8417;

// Entry of the formatter, called in-process with an argument vector whose
// first element is the program name ("nx1012").
//   -c<path> common-information file (default <program directory>/nx1000.css)
//   -e<path> file that receives the log of cut field texts
//   -f<path> field form (.fms); empty or nx1000.fms: the built-in form
//   -s<n>    source name on the page: 1 none, 2 file name, 3 file name and
//            line, 4 path, 5 path and line
//   -X<code> interface code; -l, -z and other options are accepted
// Other elements are base names; each gives <base>.fss -> <base>.lin.
int run_spec_formatter(int argc, char** argv);

// Test hook: the formatter's memory block cannot be had while set.
void fail_formatter_block_for_tests(bool fail);
