// A run's own work files, and putting the finished ones in place of its
// results.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ResultFile {
    std::string work;    // the finished file under its work name
    std::string result;  // the name it is to have
};

// True when nothing of that name exists or it is an ordinary file (a folder
// or device in the way of a result is a write failure).
bool is_regular_or_missing(const std::string& name);
// True when a work file cannot be made under the name: a folder, a FIFO, a
// device or a link stands there (a link would be written through to
// wherever it leads).
bool is_work_name_taken(const std::string& name);

// Work names are claimed before anything is written under them, so that two
// runs (of two copies of a program in one folder) never write one file: the
// file is made exclusively, or one left by a run that ended without removing
// it is taken over. A claimed name stays the run's, whatever stands under it
// (its work file, then the old result it swapped with), until the run lets
// it go; then what stands there is removed.
enum class WorkClaim {
    kClaimed,
    kHeld,     // a run still going holds the name
    kRefused,  // anything but a plain file stands there, or no file can be made there
};
WorkClaim claim_work_file(const std::string& name);
// True while this process holds the name.
bool holds_work_file(const std::string& name);
// Lets the name go: what stands under it is removed when it is still the
// run's. Under an open hold only at the hold's end.
void release_work_file(const std::string& name);
// Lets every name go (the end of a run).
void release_work_files();
// Puts a finished work file under another work name of the run in place of
// what stands there: 0, or -1 when the rename failed.
int rename_work_file(const std::string& from, const std::string& to);

// All or none: when any step fails, every old result is back as it was, the
// work files are removed and the index of the file that failed is returned;
// -1 when every file is in place. When memory runs out half way, everything
// is taken back before std::bad_alloc goes on. Claimed work names are let go
// afterwards (under a hold at its end).
int commit_result_files(const std::vector<ResultFile>& files);

// Removes the work files of a run that produced no results.
void discard_work_files(const std::vector<ResultFile>& files);

// The results of several runs that make one document. While a hold is open,
// the old results that commit_result_files replaces are not let go: each
// stays under its work name, so that when a later run of the document
// fails, restore() puts the whole earlier set back (a result that did not
// exist before goes again). The work names stay claimed until the hold
// ends, so no other run starts on the same source meanwhile. Closing the
// hold lets the old results go. Holds do not nest, and no two commits under
// one hold may share a work name.
class ResultHold {
public:
    ResultHold();
    ~ResultHold();
    ResultHold(const ResultHold&) = delete;
    ResultHold& operator=(const ResultHold&) = delete;
    // Every result committed under the hold back to what it was; the hold
    // ends.
    void restore();
};

// A whole file made under a claimed work name beside its result, every
// write checked, and put in place of the result only once it is complete:
// a failed or abandoned file leaves the old result as it was.
class WorkFileWriter {
public:
    WorkFileWriter() = default;
    ~WorkFileWriter() { discard(); }
    WorkFileWriter(const WorkFileWriter&) = delete;
    WorkFileWriter& operator=(const WorkFileWriter&) = delete;

    // Claims the work name and opens it, in text mode (LF written as CR LF)
    // unless binary: false when another run holds the name, anything but a
    // plain file stands there or at the result, or no file can be made.
    bool create(const std::string& work, const std::string& result, bool binary = false);
    bool is_open() const { return fd_ >= 0; }
    // False once any write has failed.
    bool write(std::string_view text);
    // Closes the file and puts it in place: true only when every write, the
    // close and the rename succeeded; the work file is gone either way.
    bool commit();
    void discard();

private:
    std::string work_, result_;
    int fd_ = -1;
    bool failed_ = false;
};
