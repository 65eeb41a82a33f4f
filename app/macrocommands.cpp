// The commands of the Macro Setup and Run Macros menus.
#include "commands.h"
#include "files.h"
#include "macroactions.h"
#include "mainwindow.h"
#include "menu.h"
#include "messages.h"
#include "resources.h"
#include "selectors.h"
#include "toolbar.h"

#include <string>

FileSelector macrosin(&window, "", 0, "", "");
FileSelector macrosout(&window, "", 1, "", "");

namespace {

using C = ControlSpec;

const ControlSpec namecontrols[] = {
    {C::Static, -1, "Macro name", 0, 1}, {C::Edit, 101, "", 0, 2},     {C::Default, 1, "OK", 1, 1},
    {C::Button, 2, "Cancel", 1, 1},      {C::Button, 9, "Help", 1, 1}, {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec namedialog = {103, "Makro", namecontrols};
const bool defined = (definedialog(&namedialog), true);

// The Run Macros menu's place in the menu bar.
const int RunMacros = 5;

// Makes the macro tool current, with no tool button pressed.
void run() {
    window.action(&macrorunaction);
    tools.releaseaction();
}

// A run whose macro went (deleted or replaced) ends: the point tool takes
// over, as after the start.
void endlostrun() {
    if (window.A != &macrorunaction || macrorunaction.Running) return;
    window.action(&pointaction);
    tools.set(2001);
}

} // namespace

void macroselectors() {
    (void)defined;
    macrosin = FileSelector(&window, String(73), 0, String(75), String(79));
    macrosout = FileSelector(&window, String(73), 1, String(74), String(79));
}

void MainWindow::addentry(int id, const char* name) {
    ::menu.append(RunMacros, id, name, domacromenu);
}

void MainWindow::removeentry(int id) {
    ::menu.remove(RunMacros, id);
}

void MainWindow::enable(int id, int on) {
    ::menu.enable(id, on);
}

void domacroparameter() {
    if (macrodefineaction.State == 2) macrodefineaction.abort();
    window.action(&macrodefineaction);
    tools.releaseaction();
}

void domacroconstructed() {
    MacroDefineAction& d = macrodefineaction;
    if (d.State == 2) {
        d.unhighlight();
        d.tforget();
    } else if (d.State != 0 && d.P) {
        d.advance();
    } else {
        Message(window, String(62), String(1));
        d.start();
    }
}

void domacrodefine() {
    MacroDefineAction& d = macrodefineaction;
    if (d.State != 2 || !d.P || !d.T) {
        Message(window, String(66), String(1));
        return;
    }
    for (;;) {
        Dialog dialog(&window, 103, &help, MacroHelp);
        StringItem name(101, dialog, "");
        dialog.carryout();
        if (dialog.result() != 1 || !testmacro()) return;
        if (!name.S.empty()) {
            if (createmacro(name.S)) macrodisable();
            endlostrun();
            return;
        }
        Message(window, String(70), String(1));
    }
}

void domacrorun() {
    if (macros && macrorunaction.choose()) run();
}

void domacromenu() {
    macrorunaction.menuchoose(menu.command());
    if (macrorunaction.Running) run();
}

void domacrosave() {
    Macro* m = selmacro();
    if (!m) return;
    String name(macrosout.select());
    if (name.empty()) return;
    m->save(name);
}

void domacroload() {
    window.blocked = 1;
    String name(macrosin.select());
    std::string bytes;
    if (name.empty()) {
        window.blocked = 0;
        return;
    }
    if (!readfile(name, bytes)) {
        window.blocked = 0;
        Warning(window, textwith(40, shownname(name)), String(1));
        return;
    }
    std::string bad;
    Macro* m = readmacro(fromutf8(bytes), bad);
    window.blocked = 0;
    if (!m) {
        Warning(window, textwith(78, bad.c_str()), String(1));
        return;
    }
    if (createmacro(m)) {
        endlostrun();
        m->showcomment();
    }
}

void domacrodelete() {
    Macro* m = selmacro();
    if (!m) return;
    m->remove();
    delete m;
    endlostrun();
}

void domacrocomment() {
    if (Macro* m = selmacro()) m->showcomment();
}
