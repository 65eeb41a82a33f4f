// The program object with its message loop, and the standard top-level window.
#pragma once

#include "window.h"

// The application's entry, called by the program entry with the split
// command line (argument 0 is "Ruvo").
int winmain(int argc, char** argv);

class Program {
  public:
    int loop();
    void quit(int code);
    const String& filename();
    int Param = 0;
    String Name;
    String Filename;
};

extern Program program;

class StandardWindow : public Window {
  public:
    StandardWindow(const char* title, int w, int h);
    ~StandardWindow() override;
    virtual void create();
    void init();
    virtual void redraw(PS&) {}
    virtual void sized() {}
    virtual int close() { return 1; }
    void settitle(const char* t);

  protected:
    String Title;
    int Defaultw, Defaulth;
};
