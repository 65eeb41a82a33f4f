// Construction files as a whole: the view line, the comment block and the
// records, written from and read into the construction.
#pragma once

#include <string>

// What loading needs of the application: clearing the construction as the
// New command does, and the view. The main window provides it.
class FileHost {
  public:
    virtual ~FileHost() = default;
    // Clears the construction, the view, the comment and the name counters
    // as New does; 0 when the user chose to keep the construction.
    virtual int clear();
    // Sets the view rectangle; an empty one is ignored.
    virtual void setsize(double x1, double x2, double y1, double y2);
    // Asks for the whole window to be drawn anew.
    virtual void repaint() {}
};

FileHost& filehost();
// Installs h (null: the plain host) and gives back the one before.
FileHost* setfilehost(FileHost* h);

// The text of a construction file for the construction and the view.
std::string construction();
// A comment as the lines of a comment block: at most about 60 characters,
// broken at blanks; each paragraph break ends a line and leaves an empty one.
// A line that would read as the block's end gets a blank in front.
void writecomment(std::string& out, const char* c);
// Adds one line of a comment block to the comment c: an empty line is a
// paragraph break, other lines join the text before them with a blank.
void addcommentline(std::string& c, std::string line);
// A comment as a dialog gives it back: its line ends as the paragraph
// breaks CR LF that files keep, at most max characters.
std::string commentfromdialog(const char* text, std::size_t max);

// Where reading a construction stopped: the number and text of the first
// line that failed, 0 when every record was read.
struct Failure {
    int Line = 0;
    std::string Text;
    // What is wrong with it, when more is known than that it does not read
    // ("the name A is used twice"), and the UI text that says so in the
    // window (0 when none).
    std::string Reason;
    int Message = 0;
};

// Reads one record into the construction; false when it fails, with
// whatever it made gone again and the reason, when one is known, in
// input.Reason.
bool readrecord(const std::string& line);
// Reads a construction from the text of a file into the (cleared)
// construction; the objects of the records before a failing line stay, and
// whatever the failing record made goes again. Nothing is asked or shown.
Failure readconstruction(const std::string& text);
