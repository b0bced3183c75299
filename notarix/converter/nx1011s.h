// The converter "nx1011s" of the function documents: one C or C++ source in,
// function records (.fss), summary (.fsm) and function list (.flt) out.
// It runs in the caller's process and thread; progress and cancel go through
// the converter host (common/analysis/converter_host.h).
#pragma once

// The interface code the caller must pass as "-X8417".
inline constexpr int kFunctionSpecInterfaceCode = 8417;

// Results of run_function_spec_converter.
enum FunctionSpecStatus : int {
    kFunctionSpecDone = 0,
    kFunctionSpecWarnings = 9,       // finished, at least one 'W' line written
    kFunctionSpecErrors = 10,        // stopped by an error or by cancel
    kFunctionSpecBadCall = 11,       // the argument vector was refused
    kFunctionSpecNoMemory = 13,      // out of memory before the source was opened
    kFunctionSpecWriteFailure = 255, // a result file could not be written, closed or put in place
};

// argv[0] is the tool name; then options and exactly one source name:
//   -e<error file>  -v<n>  -i<q><s><a>  -d<0..4>  -H<0|1>  -fr|-fe
//   -m|-mh|-mf[a:b[:[c][:d]]]  -D<name>[=<body>]  -W<0..3>  -p<0|1>  -X8417
// Results go beside the source: <base>.fss, <base>.fsm, <base>.flt, replaced
// only when the whole run succeeds (status 0 or 9).
int run_function_spec_converter(int argc, char** argv);
