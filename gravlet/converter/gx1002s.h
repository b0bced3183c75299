// The PAD generator "gx1002s": one C or C++ source in, PAD rows (.pds) and on
// request a function list (.flt) out. It runs in the caller's process and
// thread; progress and cancel go through the converter host
// (common/analysis/converter_host.h).
#pragma once

// The interface code the caller must pass as "-X8462".
inline constexpr int kPadInterfaceCode = 8462;

enum PadGeneratorStatus : int {
    kPadDone = 0,
    kPadWarnings = 9,          // finished with warnings, or no function found
    kPadErrors = 10,           // stopped by an error or by cancel
    kPadBadCall = 11,          // the argument vector was refused
    kPadNoMemory = 13,
    kPadWriteFailure = 255,    // a result could not be written, closed or put in place
};

// argv[0] is the tool name; then options and exactly one source name (at
// most 64 entries, names of at most 255 bytes):
//   -X8462 (required)  -e<error file>  -d<0..4>[:<ignore file>]  -g|-gc|-gl|-ga[n][:m]
//   -lm[n]  -ti[0..3][:<names file>]  -m|-mh|-mf[a:b[:c[:d]]]  -c<1..256>  -v<n>  -n
//   -p0  -p1:<file>  -pa  -spd  --  --2  -ucfc  -D<name>[=<value>]  -PP<0..2>  -W<0..3>
//   -i<a>[<b>[<c>]]  -C<0|1>  -Yc  -SPdw
// Results go beside the source (<base>.pds, <base>.flt), replaced only when
// the run succeeds (status 0 or 9).
int run_pad_generator(int argc, char** argv);
