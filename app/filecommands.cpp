// The file commands: New, Load, Save, Save as, and the construction comment.
#include "commands.h"
#include "constructionfile.h"
#include "dialogitems.h"
#include "files.h"
#include "ggbimport.h"
#include "help.h"
#include "mainwindow.h"
#include "messages.h"
#include "objectlist.h"
#include "resources.h"
#include "selectors.h"
#include "toolbar.h"

#include <string>

// They get their texts once the UI texts are there (bindcommands).
FileSelector in(&window, "", 0, "", "");
FileSelector out(&window, "", 1, "", "");

namespace {

using C = ControlSpec;

const ControlSpec commentcontrols[] = {
    {C::MultiEdit, 101, "", 0, 3}, {C::Default, 1, "OK", 1, 1}, {C::Button, 2, "Cancel", 1, 1},
    {C::Button, 9, "Help", 1, 1},  {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec commentdialog = {105, "Construction Comment", commentcontrols};
const bool defined = (definedialog(&commentdialog), true);

enum { CommentHelp = 5, CommentMax = 2048, FileHelp = 7 };

const ControlSpec importcontrols[] = {
    {C::Static, -1, "These objects of the GeoGebra file could not be imported as they were:", 0, 3},
    {C::MultiEdit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec importdialog = {150, "GeoGebra Import", importcontrols};
const bool importdefined = (definedialog(&importdialog), true);

// Opens a GeoGebra file as a new construction named after it with ".gyr",
// not saved yet: Save asks where it goes, so the GeoGebra file is never
// written. What could not be imported is listed.
void importfile(const char* name, const std::string& bytes) {
    if (!window.testclose()) return;
    window.blocked = 1;
    if (!filehost().clear()) {
        window.blocked = 0;
        return;
    }
    GgbImport r = importggb(bytes);
    window.blocked = 0;
    filehost().repaint();
    if (!r.Error.empty()) {
        objects.clear();
        Warning((std::string("The GeoGebra file cannot be opened: ") + r.Error).c_str(),
                String(1).text());
        return;
    }
    String gyr(name);
    gyr.extension(".gyr");
    loadname = gyr;
    window.imported = 1;
    objects.changed.set();
    window.settitle();
    std::string lines;
    for (const GgbDropped& d : r.Dropped) lines += d.line() + "\r\n";
    for (const std::string& m : r.Mismatches) lines += "Not where GeoGebra has it: " + m + "\r\n";
    for (const std::string& n : r.Notes) lines += n + "\r\n";
    if (lines.empty()) return;
    (void)importdefined;
    Dialog d(&window, 150, &help, FileHelp);
    MultilineItem list(101, d, lines.c_str());
    list.Readonly = 1;
    d.carryout();
}

// Loads a file: the name is remembered for Save only when every record of
// it was read, so that a broken file is never overwritten with the part of
// it that could be read.
void load(const char* name) {
    String file(name);
    std::string bytes;
    if (readfile(name, bytes) && isggb(bytes)) {
        importfile(name, bytes);
        return;
    }
    window.blocked = 1;
    int whole = objects.load(file);
    window.blocked = 0;
    if (!whole) return;
    loadname = file;
    window.imported = 0;
    rememberfile(file);
    window.settitle();
    docomment();
}

} // namespace

void selectors() {
    (void)defined;
    in = FileSelector(&window, String(47), 0, String(43), String(80));
    out = FileSelector(&window, String(47), 1, String(42), String(80));
}

void doclear() {
    if (!window.testclose()) return;
    window.A->abort();
    window.A->start();
    window.A->inform();
    window.X1 = -7, window.X2 = 7, window.Y1 = -7, window.Y2 = 7;
    window.compute();
    objects.clear();
    objectcolors.defcolor(0);
    tools.set(7012);
    objects.redraw();
    counts.reset();
    loadname = "";
    window.imported = 0;
    window.settitle();
    objects.comment() = "";
}

void doload() {
    Filters types;
    types.add("Gyrel and GeoGebra constructions", "*.gyr *.ggb");
    types.add("Gyrel constructions", "*.gyr");
    types.add("GeoGebra constructions", "*.ggb");
    types.add("All files", "*");
    in.F = &types;
    window.blocked = 1;
    String name(in.select());
    window.blocked = 0;
    in.F = nullptr;
    if (!name.empty()) load(name);
}

void doload(const char* name) {
    // Loaded from the command line, outside any command: a step of its own,
    // so that the first drag is not undone with the load.
    window.history.end();
    window.history.begin();
    load(name);
    window.history.end();
    window.undomenu();
    window.settitle();
}

int dosave() {
    // An imported construction has a name of its own only once saved.
    if (loadname.empty() || window.imported) return dosaveas();
    int saved = objects.save(loadname);
    if (saved) rememberfile(loadname);
    return saved;
}

int dosaveas() {
    // An imported construction's chooser starts in the folder it came from.
    if (window.imported && !loadname.empty()) out.File = loadname;
    String name(out.select());
    if (name.empty()) return 0;
    if (*name.extension() == 0) {
        String ext(".");
        ext.cat(String(80));
        name.extension(ext);
    }
    loadname = name;
    int saved = objects.save(loadname);
    if (saved) window.imported = 0;
    if (saved) rememberfile(loadname);
    window.settitle();
    return saved;
}

void docomment() {
    Dialog d(&window, 105, &help, CommentHelp);
    MultilineItem text(101, d, objects.comment().text(), CommentMax);
    d.carryout();
    if (d.result() != 1) return;
    std::string t = commentfromdialog(text.S.text(), CommentMax);
    if (t == objects.comment().text()) return;
    objects.comment() = t.c_str();
    objects.changed.set();
}

int MainWindow::testclose() {
    if (!objects.changed || objects.empty()) return 1;
    switch (QuestionAbort(*this, String(57).text(), String(1).text())) {
    case IDCANCEL:
        return 0;
    case IDYES:
        // Only a construction that is safely saved may go.
        return dosave();
    default:
        return 1;
    }
}

int MainWindow::clear() {
    doclear();
    return objects.empty();
}

void MainWindow::repaint() {
    objects.redraw();
}
