// The call-tree generator "oq1011s": the sources named in a .nam list in,
// a call tree (.trd) with its function list (.flt), a cross-reference list,
// or the list itself rewritten in call order out. It runs in the caller's
// process and thread; progress and cancel go through the converter host
// (common/analysis/converter_host.h).
#pragma once

// The interface code the caller must pass as "-X8439".
inline constexpr int kCallTreeInterfaceCode = 8439;

// Results of run_call_tree_generator.
enum CallTreeStatus : int {
    kCallTreeDone = 0,
    kCallTreeWarnings = 9,         // finished; the error file holds messages worth a look
    kCallTreeErrors = 10,          // stopped: missing files, no function, cancel, full tables
    kCallTreeBadCall = 11,         // the argument vector was refused
    kCallTreeNoMemory = 13,
    kCallTreeWriteFailure = 255,   // a result file could not be written, closed or put in place
};

// argv[0] is the tool name, then options and exactly one list in brackets:
//   [<list>]  -X8439  -x|-s|-n  -r  -f<c>  -d<n>  -c<n>  -l  -v<n>  -W<0..3>
//   -D<name>[=<value>]  -D  -PP<0..2>  -u<a>[<b>]  -i[<a>[<b>[<c>]]]  -M<0..4>
//   -R<0|1>  -A<0|1>  -m|-mh|-mf[<row>[:<col>[:<len>[:<step>]]]]
//   -Fi<ignore list>  -Fe<error file>  -Fb<1|2>  -FF
// Results go beside the list: <base>.trd and <base>.flt (-x, -s), or the
// list itself with the previous one kept as <base>.bak (-n); each replaced
// only when the run succeeds (status 0 or 9).
int run_call_tree_generator(int argc, char** argv);

// The environment variable whose blank-separated words a lone "-D" appends.
inline constexpr char kCallTreeOptionVariable[] = "OQ1011S_OPTIONS";
