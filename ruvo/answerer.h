// Every modal interaction of the program (message boxes, dialogs, file and
// colour choosers, printer settings) asks the one installed answerer. Without
// an installed one the real widgets run; tests install a scripted answerer
// that answers at once and records what was asked.
#pragma once

#include "textstrings.h"

class Window;
class PrinterPS;
class Dialog;
class Filters;
struct Color;

// What a file chooser is asked for.
struct FileRequest {
    int saving; // a save chooser, else an open chooser
    const char* title;
    const char* pattern;   // for example "*.gyr"
    const char* extension; // the default extension, without its dot
    const char* directory; // where to start; empty for the current directory
    Filters* filters;      // a list of file types, or null
    Window* owner;
};

enum class Box { Warning, Message, Question, QuestionAbort };

class Answerer {
  public:
    virtual ~Answerer();
    // A message box; returns the button's code (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int messagebox(Box kind, const char* text, const char* title, Window* owner) = 0;
    // A message box over an open dialog; unless an answerer shows it there,
    // it is asked as a box of the dialog's window.
    virtual int messagebox(Box kind, const char* text, const char* title, Dialog& owner);
    // The printer's settings dialog; 1 when the dialog was offered.
    virtual int printersetup(PrinterPS& printer, Window* owner) = 0;
    // Runs an open dialog: its items have put their values in; the answer
    // ends it by closing it (Dialog::close or a control that closes it).
    virtual void dialog(Dialog& d) = 0;
    // A file chooser: the chosen path, or an empty text for Cancel.
    virtual String file(const FileRequest& r) = 0;
    // A colour chooser starting at c: 1 and the colour in c when chosen.
    virtual int color(Color& c, Color* custom, Window* owner) = 0;
    // Long work tells how far it is, share from 0 to 1 (1: done): once it
    // lasts, a box titled title shows the text and a bar with Cancel, and
    // the owner's window keeps its picture meanwhile. 0 when the person
    // cancelled (the box is gone then). Unless an answerer shows one,
    // nothing is shown.
    virtual int progress(const char* title, const char* text, double share, Window* owner);

    // Installs a; null brings back the real widgets. Returns the one before.
    static Answerer* install(Answerer* a);
    static Answerer& current();
};
