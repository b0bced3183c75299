// Spare files of a listing scope. Making a file and removing it costs a
// journalling file system far more than writing an existing one again, and
// a batch of runs makes and removes several files a source. So, inside a
// scope, a file the layer is asked to retire is kept, and the next file
// created for writing in the same folder takes it over by a rename and is
// written over from its start. To the layer the retired name is free at
// once; on the disk the file keeps it until it is taken, or until the name
// is used again (then it is first moved aside under a name of its own).
// What is still kept at the close of the last scope is removed.
#pragma once

#include <sys/stat.h>

#include <string>

// Keeps the file at the resolved path as a spare. False when no scope is
// open, the run's listing knows no such file or the folder has spares
// enough; the caller then removes it.
bool keep_spare_file(const std::string& resolved);

// Every resolved path the layer acts on comes here first: a spare still
// under that name is moved aside, so the name is as free as the layer says.
void move_spare_aside(const std::string& resolved);

// Whether a spare, opened under its new name, is like a new file in every
// visible way: a plain file of this user and group with the mode a new file
// gets, and no other name reaching it. Else it is removed and a file made.
bool spare_can_serve(const struct stat& st);

// Gives a spare of the path's folder the path as its name (never in place of
// an existing entry). False when there is none to give.
bool take_spare_file(const std::string& resolved);

// Removes every spare; at the close of the last scope.
void remove_spare_files();

// The current directory changed: the layer asks for it again.
void forget_current_directory();
