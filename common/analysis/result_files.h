// Putting a converter's finished work files in place of its results.
#pragma once

#include <string>
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

// All or none: the old results are moved aside first and come back when any
// step fails, and the work files are removed then. Returns -1 when every
// file is in place, else the index of the file that failed. When memory runs
// out half way, everything is taken back before std::bad_alloc goes on.
int commit_result_files(const std::vector<ResultFile>& files);

// Removes the work files of a run that produced no results.
void discard_work_files(const std::vector<ResultFile>& files);

// The results of several runs that make one document. While a hold is open,
// the old results that commit_result_files replaces are not let go: each
// stays under its work name, so that when a later run of the document
// fails, restore() puts the whole earlier set back (a result that did not
// exist before goes again). Closing the hold lets the old results go. Holds
// do not nest, and no two commits under one hold may share a work name.
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
