// Files on disk for the construction and macro files: read whole, written
// safely, and their text encoding (UTF-8, older files Latin-1). File names
// are bytes as the system has them.
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

// The program's texts are UTF-8, as the files are. A text as UTF-8 for a
// file: unchanged when it is valid UTF-8, else taken as Latin-1.
std::string toutf8(const std::string& text);
// A file's text as the program's: unchanged when it is valid UTF-8, else
// taken byte by byte as Latin-1 (older files) and given as UTF-8.
std::string fromutf8(const std::string& bytes);
// A file name as a text to show.
String shownname(const char* name);
// A file name with its whole path from the root, as a start in another
// folder still finds it.
std::string wholepath(const char* name);

// A lock file that says a running program owns something: held until
// released or the program ends. A lock whose program has died, however it
// ended, can be taken over.
class FileLock {
  public:
    FileLock();
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Takes the lock of that name at once: 0 when a running program holds it.
    int take(const std::string& name);
    // Lets it go and removes its file.
    void release();
    int held() const;

  private:
    struct Handle;
    Handle* H;
};
