// The stored settings and the settings dialogs: grid, displayed colours,
// sizes, printer, and the read-only construction listing.
#include "settings.h"
#include "bitmapps.h"
#include "commands.h"
#include "dialogitems.h"
#include "edit.h"
#include "mainwindow.h"
#include "menu.h"
#include "objectlist.h"
#include "printer.h"
#include "profile.h"
#include "resources.h"

#include <algorithm>

Profile profile("GYR-GYG");
int grid = 0;
int axes = 1;
double grid1 = 1.0;
double grid2 = 10.0;
int printcomment = 1;
String Printer("");

namespace {

using C = ControlSpec;

enum { GridHelp = 1, DisplayHelp = 6, PrinterHelp = 13, SizesHelp = 14 };

// Sizes are divisors of the window width: below 10 they make marks and
// letters bigger than sense allows; far above it they vanish.
const int MinSize = 10, MaxSize = 100000;
// Window placements beyond this lie on no screen there is.
const int MaxPlace = 100000;

const ControlSpec gridcontrols[] = {
    {C::Static, -1, "Grid Spacing:", 0, 1},
    {C::Edit, 101, "", 0, 1},
    {C::Static, -1, "Fine Spacing:", 1, 1},
    {C::Edit, 102, "", 1, 1},
    {C::Check, 103, "Show Axes", 2, 2},
    {C::Default, 1, "OK", 3, 1},
    {C::Button, 2, "Cancel", 3, 1},
    {C::Button, 9, "Help", 3, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec griddialog = {112, "Grid Settings", gridcontrols};

const ControlSpec displaycontrols[] = {
    {C::Group, -1, "Displayed Colors", 0, 1},
    {C::Check, 130, "Black", 1, 1},
    {C::Check, 114, "Blue", 1, 1},
    {C::Check, 141, "Pink", 1, 1},
    {C::Check, 115, "Green", 2, 1},
    {C::Check, 140, "Cyan", 2, 1},
    {C::Check, 145, "Brown", 2, 1},
    {C::GroupEnd, 0, "", 2, 1},
    {C::Default, 1, "OK", 3, 1},
    {C::Button, 2, "Cancel", 3, 1},
    {C::Button, 9, "Help", 3, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec displaydialog = {111, "Restrict Display", displaycontrols};

const ControlSpec sizecontrols[] = {
    {C::Static, -1, "Font Size:", 0, 1},
    {C::Edit, 10, "", 0, 1},
    {C::Static, -1, "Point Size:", 1, 1},
    {C::Edit, 11, "", 1, 1},
    {C::Static, -1, "Angle Size (Default):", 2, 1},
    {C::Edit, 12, "", 2, 1},
    {C::Static, -1, "All sizes in fractions of screen width!", 3, 2},
    {C::Static, -1, "Decimal Places of Numbers:", 4, 1},
    {C::Edit, 13, "", 4, 1},
    {C::Default, 1, "OK", 5, 1},
    {C::Button, 2, "Cancel", 5, 1},
    {C::Button, 9, "Help", 5, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec sizedialog = {119, "Font Size", sizecontrols};

const ControlSpec listingcontrols[] = {
    {C::MultiEdit, 101, "", 0, 3},
    {C::Default, 1, "OK", 1, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec listingdialog = {118, "Show Construction", listingcontrols};

const ControlSpec printercontrols[] = {
    {C::Static, -1, "Printer:", 0, 2},
    {C::List, 103, "", 1, 3},
    {C::Check, 102, "Print Comment", 2, 2},
    {C::Default, 1, "OK", 3, 1},
    {C::Button, 2, "Cancel", 3, 1},
    {C::Button, 9, "Help", 3, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec printerdialog = {117, "Printer Setup", printercontrols};

const bool defined =
    (definedialog(&griddialog), definedialog(&displaydialog), definedialog(&sizedialog),
     definedialog(&listingdialog), definedialog(&printerdialog), true);

// A stored number, or def when it lies outside [low, high].
int readsetting(const char* name, int def, int low, int high) {
    int v = profile.readint(name, def);
    return v >= low && v <= high ? v : def;
}

int clampsize(long n) {
    return static_cast<int>(std::clamp<long>(n, MinSize, MaxSize));
}

// A colour's check box in "Restrict Display": each click shows or hides
// the objects of its colour at once.
class ColorToggle : public CheckItem {
  public:
    ColorToggle(Dialog& d, int i) : CheckItem(id_colors[i], d, objectcolors.chosen(i)), I(i) {}
    void changed() override {
        objectcolors.choose(I, F);
        objects.redraw();
    }

  private:
    int I;
};

} // namespace

void readsizes() {
    (void)defined;
    fontsize = readsetting("fontsize", 40, MinSize, MaxSize);
    msize = readsetting("pointsize", 150, MinSize, MaxSize);
    anglesize = readsetting("anglesize", 20, MinSize, MaxSize);
    window.Smooth = readsetting("smooth", 1, 0, 1);
    window.autosave.Seconds = readsetting("autosave", 60, 0, 86400);
    window.Decimals = readsetting("decimals", 2, 0, 10);
    // A settings file from before the styles keeps the classic picture;
    // a new user gets the modern one.
    const int known = profile.readint("smooth", -1) != -1;
    window.Style = readsetting("style", known ? MainWindow::Classic : MainWindow::Modern, 0, 1);
}

void writesizes() {
    profile.writeint("fontsize", fontsize);
    profile.writeint("pointsize", msize);
    profile.writeint("anglesize", anglesize);
    profile.writeint("smooth", window.Smooth);
    profile.writeint("autosave", window.autosave.Seconds);
    profile.writeint("decimals", window.Decimals);
    profile.writeint("style", window.Style);
}

void showstyle() {
    menu.check(ModernCommand, window.Style == MainWindow::Modern);
    menu.check(ClassicCommand, window.Style == MainWindow::Classic);
    // The modern look is always smooth.
    menu.enable(SmoothCommand, window.Style == MainWindow::Classic);
}

void dostyle() {
    window.Style = menu.command() == ModernCommand ? MainWindow::Modern : MainWindow::Classic;
    window.newpicture();
    objects.redraw();
    showstyle();
}

void dosmooth() {
    window.Smooth = !window.Smooth;
    window.newpicture();
    objects.redraw();
    menu.check(SmoothCommand, window.Smooth);
}

void readplacement() {
    int x, y, w, h;
    window.outer(x, y, w, h);
    int x2 = readsetting("window-x", x, -MaxPlace, MaxPlace);
    int y2 = readsetting("window-y", y, -MaxPlace, MaxPlace);
    int w2 = readsetting("window-w", w, 1, MaxPlace);
    int h2 = readsetting("window-h", h, 1, MaxPlace);
    // A screen that was there last time may be gone: a window that would lie
    // off every screen comes back onto the primary one.
    if (!onscreen(x2, y2, w2, h2)) {
        RECT s = primaryscreen();
        x2 = s.left + 20;
        y2 = s.top + 10;
        w2 = std::min(w2, s.right - s.left - 20);
        h2 = std::min(h2, s.bottom - s.top - 10);
    }
    window.place(x2, y2);
    // Before the window is shown its frame is not known yet: the size it
    // has is its size without the frame, which a stored size replaces, but
    // which must not be taken for an outer size itself.
    if (w2 != w || h2 != h) window.outersize(w2, h2);
}

void writeplacement() {
    int x, y, w, h;
    window.outer(x, y, w, h);
    profile.writeint("window-x", x);
    profile.writeint("window-y", y);
    profile.writeint("window-w", w);
    profile.writeint("window-h", h);
}

void dogridset() {
    Dialog d(&window, 112, &help, GridHelp);
    DoubleItem coarse(101, d, grid2);
    DoubleItem fine(102, d, grid1);
    coarse.range(0.0001, 1e9);
    fine.range(0.0001, 1e9);
    CheckItem showaxes(103, d, axes);
    d.carryout();
    if (d.result() != 1) return;
    grid2 = coarse.X;
    grid1 = fine.X;
    axes = showaxes.F;
    if (!(grid1 >= 0.0001)) grid1 = 0.0001;
    if (!(grid2 > grid1)) grid2 = grid1 * 10;
    if (grid) objects.redraw();
}

void dodisplay() {
    Dialog d(&window, 111, &help, DisplayHelp);
    ColorToggle black(d, 0), blue(d, 1), pink(d, 2), green(d, 3), cyan(d, 4), brown(d, 5);
    d.carryout();
}

void dosizes() {
    Dialog d(&window, 119, &help, SizesHelp);
    LongItem f(10, d, fontsize);
    LongItem m(11, d, msize);
    LongItem a(12, d, anglesize);
    for (LongItem* size : {&f, &m, &a}) size->range(MinSize, MaxSize);
    LongItem places(13, d, window.Decimals);
    places.range(0, 10);
    d.carryout();
    if (d.result() != 1) return;
    window.Decimals = static_cast<int>(std::clamp(places.N, 0L, 10L));
    // The fonts and marks take effect at once, the angle size for new angles.
    msize = clampsize(m.N);
    fontsize = clampsize(f.N);
    anglesize = clampsize(a.N);
    window.newpicture();
    objects.redraw();
}

void doshowconstruction() {
    String listing("");
    objects.show(listing);
    Dialog d(&window, 118, &help, 0); // F1: the contents
    MultilineItem text(101, d, listing.text());
    text.Readonly = 1;
    d.carryout();
}

void doprinter() {
    Dialog d(&window, 117, &help, PrinterHelp);
    PrinterItem list(103, d, Printer.text());
    CheckItem comment(102, d, printcomment);
    d.carryout();
    if (d.result() != 1) return;
    printcomment = comment.F;
    if (!list.S.empty()) Printer = list.S;
    PrinterPS p(String(1), Printer);
    p.devmode(window);
}
