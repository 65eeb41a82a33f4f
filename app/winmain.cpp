// Start-up and exit of Gyrel.
#include "bitmapps.h"
#include "cli.h"
#include "commands.h"
#include "gyrstrings.h"
#include "mainwindow.h"
#include "menu.h"
#include "objectlist.h"
#include "profile.h"
#include "settings.h"
#include "toolbar.h"

#include <cstring>

namespace {

// The UI texts are in place before any window exists.
const bool texts = (progstrings = GyrStrings, true);

} // namespace

// The main window's class: its name and icon.
WindowClass windowc("GYR", 100);

void startup(int argc, char** argv) {
    (void)texts;
    readsizes();
    window.create();
    sethost(&window);
    window.clientsize(500, 340);
    window.place(20, 10);
    readplacement();
    window.init();
    if (!window.Status) window.Status = new StatusBar(window, 5000);
    if (!tools.Tb) {
        tools.init(window);
        tools.set(2001);
        tools.set(7012);
    }
    window.X1 = -7;
    window.X2 = 7;
    window.Y1 = -7;
    window.Y2 = 7;
    window.A = &noaction;
    window.compute();
    window.settitle();
    if (!window.PenCursor) {
        window.PenCursor = new Cursor(pencursor, 1, 17);
        window.PointCursor = new Cursor(pointcursor, 8, 6);
        window.MoveCursor = new Cursor(movecursor, 8, 8);
    }
    window.setcursor(*window.PenCursor);
    menu.init();
    window.active = 1;
    if (bitmap) bitmap->invalid = 1;
    window.action(&pointaction);
    bindcommands();
    menu.check(SmoothCommand, window.Smooth);
    showstyle();
    window.clientmin(200, 200);
    program.Main = &window;
    setfilehost(&window);
    setmacrohost(&window);
    objects.changed.clear();
    window.history.File = &loadname;
    window.undomenu();
    if (window.autosave.Seconds > 0)
        window.settimer(Autosave::Timer, 1000 * window.autosave.Seconds);
    // Work restored from a copy goes before a file of the command line.
    if (!window.autosave.recover()) commandline(argc, argv);
    Printer = profile.read("printer", "");
}

void commandline(int argc, char** argv) {
    // "noabout" (exactly so) only keeps the About box away; any other first
    // argument is a construction file, and the About box follows its load.
    if (argc > 1 && std::strcmp(argv[1], "noabout") == 0) return;
    if (argc > 1) doload(argv[1]);
    doabout();
}

void shutdown() {
    delete window.PenCursor;
    delete window.PointCursor;
    delete window.MoveCursor;
    window.PenCursor = window.PointCursor = window.MoveCursor = nullptr;
    delete font;
    delete symbolfont;
    delete bitmap;
    font = symbolfont = nullptr;
    bitmap = nullptr;
}

int winmain(int argc, char** argv) {
    if (commandlinetool(argc, argv)) return program.Param = runquietly(argc, argv);
    startup(argc, argv);
    program.loop();
    shutdown();
    return 0;
}
