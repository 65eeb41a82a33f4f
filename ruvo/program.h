// The program object with its message loop, and the deferred creation of the
// window layer's global objects.
#pragma once

#include "textstrings.h"

class StandardWindow;
class Accelerators;

// The application's entry, called by the program entry with the split
// command line (argument 0 is "Ruvo", at most 15 arguments).
int winmain(int argc, char** argv);

// Anything that needs the window system before it can exist. Made before the
// program starts, it waits in program.Wos; made later, it creates itself.
class WindowObject {
  public:
    WindowObject();
    virtual ~WindowObject();
    virtual void create() {}
    WindowObject* Next = nullptr;

  protected:
    // Creates the object at once when the program has started. Called at the
    // end of the constructors of the most derived classes.
    void ready();
};

class WindowObjects {
  public:
    void append(WindowObject* o);
    void remove(WindowObject* o);
    void create();
    WindowObject* First = nullptr;
    WindowObject* Last = nullptr;
};

class Program {
  public:
    Program();
    ~Program();
    void set(int instance, int previnstance, int show);
    int loop();
    // Ends the loop with this code, like a quit message.
    void quit(int code);
    const String& filename();
    // Gives back the widgets of every window still open; called before the
    // toolkit goes, after the message loop.
    void end();

    int Instance = 0, PrevInstance = 0, Show = 0;
    int Param = 0;
    WindowObjects* Wos;
    String Name;
    StandardWindow* Main = nullptr; // the only window whose keys meet the accelerators
    Accelerators* Accel = nullptr;
    String Filename;
    int started = 0;
    int running = 0; // the message loop runs
};

extern Program program;

// A window class: a name and an icon for the windows made with it.
class WindowClass : public WindowObject {
  public:
    WindowClass(const char* name, int icon = 0, int style = 0, int extra = 0);
    void create() override;
    String Name;
    int Icon, Style, Extra;
    int Registered = 0;
};
