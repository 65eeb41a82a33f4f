// Files on disk for the construction and macro files: read whole, written
// safely, and the text encoding between the program's single-byte texts
// (Latin-1) and the files' UTF-8. File names are bytes as the system has
// them.
#pragma once

#include "textstrings.h"

#include <string>

// Reads the whole file into bytes; 0 when it cannot be opened or read.
int readfile(const char* name, std::string& bytes);

enum WriteResult { NotOpened, NotWritten, Written };
// Writes bytes as the file name. They go to a new file beside it first,
// which replaces the old file only once every byte is written and on disk:
// when anything fails, the old file stays as it was.
WriteResult writefile(const char* name, const std::string& bytes);

// The program's text as UTF-8.
std::string toutf8(const std::string& latin1);
// A file's text as the program's: decoded from UTF-8 when it is valid UTF-8,
// else taken byte by byte; characters the program cannot hold become "?".
std::string fromutf8(const std::string& bytes);
// A file name as a text to show.
String shownname(const char* name);
