// Every modal interaction of the program (message boxes, dialogs, file and
// colour choosers, printer settings) asks the one installed answerer. Without
// an installed one the real widgets run; tests install a scripted answerer
// that answers at once and records what was asked.
#pragma once

class Window;
class PrinterPS;

enum class Box { Warning, Message, Question, QuestionAbort };

class Answerer {
  public:
    virtual ~Answerer();
    // A message box; returns the button's code (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int messagebox(Box kind, const char* text, const char* title, Window* owner) = 0;
    // The printer's settings dialog; 1 when the dialog was offered.
    virtual int printersetup(PrinterPS& printer, Window* owner) = 0;

    // Installs a; null brings back the real widgets. Returns the one before.
    static Answerer* install(Answerer* a);
    static Answerer& current();
};
