#include "commands.h"
#include "bitmapps.h"
#include "changing.h"
#include "dialogitems.h"
#include "export.h"
#include "help.h"
#include "loci.h"
#include "mainwindow.h"
#include "menu.h"
#include "messages.h"
#include "objectlist.h"
#include "resources.h"
#include "settings.h"
#include "toolbar.h"

Menu menu(window);
Help help(window, "");

namespace {

using M = MenuSpec;

const MenuSpec menulines[] = {
    {M::Popup, "&File", 0},
    {M::Item, "&New \t^N", 4005},
    {M::Item, "&Load \t^L", 1001},
    {M::Item, "&Save \t^S", 1003},
    {M::Item, "Save &as ... \t^A", 1004},
    {M::Popup, "&Recent Files", 0},
    {M::Item, "(none)", RecentNone},
    {M::End, nullptr, 0},
    {M::Separator, nullptr, 0},
    {M::Item, "Set printer", 106},
    {M::Item, "&Print \t^P", 7203},
    {M::Item, "&Copy to Clipboard", 107},
    {M::Item, "Save as &Bitmap", 108},
    {M::Item, "&Export ...", ExportCommand},
    {M::Separator, nullptr, 0},
    {M::Item, "E&xit \t^X", 1002},
    {M::End, nullptr, 0},
    {M::Popup, "Fi&gures", 0},
    {M::Item, "&Point \tP", 2001},
    {M::Item, "&Segment \tS", 2002},
    {M::Item, "&Ray \tR", 2003},
    {M::Item, "&Line \tL", 2004},
    {M::Item, "&Circle \tC", 2005},
    {M::Item, "Circle (&3) \t3", 2006},
    {M::Item, "&Vertical Line \tV", 2007},
    {M::Item, "Parallel \t1", 2008},
    {M::Item, "Mi&ddle Point \tD", 7018},
    {M::Item, "&Angle \tA", 2009},
    {M::Item, "Point on &Object \tO", 2010},
    {M::Separator, nullptr, 0},
    {M::Item, "Circle through &Three Points \tK", 2101},
    {M::Item, "Circle with Radius", 2121},
    {M::Item, "Angle &Bisector \tB", 2102},
    {M::Item, "Perpendicular Bisector \tN", 2103},
    {M::Item, "Tan&gents \tG", 2104},
    {M::Item, "Vector \tW", 2105},
    {M::Separator, nullptr, 0},
    {M::Item, "Polygon \tQ", 2110},
    {M::Item, "Regular Polygon \tY", 2111},
    {M::Item, "Arc through Three Points \t7", 2112},
    {M::Item, "Arc with Centre \t8", 2113},
    {M::Item, "Semicircle \t9", 2114},
    {M::Item, "Sector \t0", 2115},
    {M::Item, "Sector through Three Points", 2123},
    {M::Separator, nullptr, 0},
    {M::Item, "Measure \t4", 2116},
    {M::Item, "Slider \t5", 2117},
    {M::Item, "Check Box", 2118},
    {M::Item, "Calculate \t2", 2119},
    {M::Item, "Text \t6", 2120},
    {M::Separator, nullptr, 0},
    {M::Item, "Locus", 2122},
    {M::Popup, "Trans&formations", 0},
    {M::Item, "&Reflection \tF", 2106},
    {M::Item, "R&otation \tU", 2107},
    {M::Item, "&Translation \tX", 2108},
    {M::Item, "&Dilation \tZ", 2109},
    {M::End, nullptr, 0},
    {M::End, nullptr, 0},
    {M::Popup, "&Actions", 0},
    {M::Item, "&Undo \t^Z", UndoCommand},
    {M::Item, "&Redo \t^Y", RedoCommand},
    {M::Separator, nullptr, 0},
    {M::Item, "&Intersect \tI", 3020},
    {M::Item, "&Move \tM", 3001},
    {M::Item, "Move on Ob&ject \tJ", 3002},
    {M::Item, "&Track \tT", 3003},
    {M::Item, "&Edit \tE", 3004},
    {M::Item, "&Hide \tH", 3005},
    {M::Item, "&Delete Tracks \tF6", 3007},
    {M::Item, "Make Lo&cus", 3008},
    {M::Item, "Relatio&n", 2124},
    {M::Item, "Disco&ver", 2125},
    {M::Item, "De&lete Object \tDel", 3006},
    {M::Separator, nullptr, 0},
    {M::Item, "&Step through Construction \tF4", 4006},
    {M::Popup, "Ste&p", 0},
    {M::Item, "Step forward \t^Down", 4008},
    {M::Item, "Step back \t^Up", 4007},
    {M::Item, "Step 10 forward \t^PageDown", 4009},
    {M::Item, "Step 10 back \t^PageUp", 4010},
    {M::End, nullptr, 0},
    {M::End, nullptr, 0},
    {M::Popup, "&Options", 0},
    {M::Item, "Show Constr&uction", 101},
    {M::Item, "Show &All \tF8", 4001},
    {M::Item, "&Display Colors \tF2", 4002},
    {M::Item, "&Reset Tool \tEsc", 4100},
    {M::Popup, "Default &Color", 0},
    {M::Item, "&Black \t^1", 7012},
    {M::Item, "B&lue \t^2", 7015},
    {M::Item, "&Green \t^3", 7013},
    {M::Item, "B&rown \t^4", 7014},
    {M::Item, "&Pink \t^5", 7016},
    {M::Item, "&Cyan \t^6", 7017},
    {M::End, nullptr, 0},
    {M::Separator, nullptr, 0},
    {M::Item, "Show &Grid \t^G", 7010},
    {M::Item, "Smooth Dra&wing", SmoothCommand},
    {M::Popup, "St&yle", 0},
    {M::Item, "&Modern", ModernCommand},
    {M::Item, "&Classic", ClassicCommand},
    {M::End, nullptr, 0},
    {M::Item, "&Set Grid", 7019},
    {M::Item, "&Edit Comment \tF3", 7011},
    {M::Item, "Clear &Last \t<-", 4004},
    {M::Item, "Font Si&ze", 7020},
    {M::Separator, nullptr, 0},
    {M::Popup, "&Zoom", 0},
    {M::Item, "Zoom &in \t+", 7007},
    {M::Item, "Zoom &out \t-", 7008},
    {M::Item, "Zoom to &Fit \t^0", ZoomFitCommand},
    {M::End, nullptr, 0},
    {M::Popup, "&Shift", 0},
    {M::Item, "Shift drawing left \tLeft", 7004},
    {M::Item, "Shift drawing right \tRight", 7003},
    {M::Item, "Shift drawing down \tUp", 7001},
    {M::Item, "Shift drawing up \tDown", 7002},
    {M::End, nullptr, 0},
    {M::Item, "Center", 7009},
    {M::Separator, nullptr, 0},
    {M::Item, "Clear &All \t^<-", 101},
    {M::End, nullptr, 0},
    {M::Popup, "&Macro Setup", 0},
    {M::Item, "Define &Parameter \t^F5", 5001},
    {M::Item, "Define &Targets \t^F6", 5002},
    {M::Item, "&Complete Macro \t^F7", 5003},
    {M::Item, "&Save Macro \t^F9", 5005},
    {M::Item, "&Load Macro \t^F10", 5006},
    {M::Item, "De&lete Macro", 102},
    {M::End, nullptr, 0},
    {M::Popup, "&Run Macros", 0},
    {M::Item, "&Run Makro\tF5", 7102},
    {M::Item, "Macro &Comment \t^F8", 7101},
    {M::Separator, nullptr, 0},
    {M::End, nullptr, 0},
    {M::Popup, "&Help", 0},
    {M::Item, "&Contents \tF1", 103},
    {M::Item, "&Help on Help", 104},
    {M::Item, "&About Gyrel", 105},
    {M::End, nullptr, 0},
    {M::End, nullptr, 0},
};

const Accel accels[] = {
    {Accel::Key, 'L', MOD_CONTROL, 1001},
    {Accel::Key, 'S', MOD_CONTROL, 1003},
    {Accel::Key, 'A', MOD_CONTROL, 1004},
    {Accel::Key, 'X', MOD_CONTROL, 1002},
    {Accel::Key, 'G', MOD_CONTROL, 7010},
    {Accel::Key, 'P', MOD_CONTROL, 7203},
    {Accel::Char, 'p', 0, 2001},
    {Accel::Char, 'P', 0, 2001},
    {Accel::Char, 's', 0, 2002},
    {Accel::Char, 'S', 0, 2002},
    {Accel::Char, 'l', 0, 2004},
    {Accel::Char, 'L', 0, 2004},
    {Accel::Char, 'r', 0, 2003},
    {Accel::Char, 'R', 0, 2003},
    {Accel::Char, 'c', 0, 2005},
    {Accel::Char, 'C', 0, 2005},
    {Accel::Char, '3', 0, 2006},
    {Accel::Char, '1', 0, 2008},
    {Accel::Char, 'v', 0, 2007},
    {Accel::Char, 'V', 0, 2007},
    {Accel::Char, 'a', 0, 2009},
    {Accel::Char, 'A', 0, 2009},
    {Accel::Char, 'i', 0, 3020},
    {Accel::Char, 'I', 0, 3020},
    {Accel::Char, 'm', 0, 3001},
    {Accel::Char, 'M', 0, 3001},
    {Accel::Char, 'o', 0, 2010},
    {Accel::Char, 'O', 0, 2010},
    {Accel::Char, 'j', 0, 3002},
    {Accel::Char, 'J', 0, 3002},
    {Accel::Char, 't', 0, 3003},
    {Accel::Char, 'T', 0, 3003},
    {Accel::Char, 'e', 0, 3004},
    {Accel::Char, 'E', 0, 3004},
    {Accel::Char, 'd', 0, 7018},
    {Accel::Char, 'D', 0, 7018},
    {Accel::Char, 'h', 0, 3005},
    {Accel::Char, 'H', 0, 3005},
    {Accel::Char, 'k', 0, 2101},
    {Accel::Char, 'K', 0, 2101},
    {Accel::Char, 'b', 0, 2102},
    {Accel::Char, 'B', 0, 2102},
    {Accel::Char, 'n', 0, 2103},
    {Accel::Char, 'N', 0, 2103},
    {Accel::Char, 'g', 0, 2104},
    {Accel::Char, 'G', 0, 2104},
    {Accel::Char, 'w', 0, 2105},
    {Accel::Char, 'W', 0, 2105},
    {Accel::Char, 'f', 0, 2106},
    {Accel::Char, 'F', 0, 2106},
    {Accel::Char, 'u', 0, 2107},
    {Accel::Char, 'U', 0, 2107},
    {Accel::Char, 'x', 0, 2108},
    {Accel::Char, 'X', 0, 2108},
    {Accel::Char, 'z', 0, 2109},
    {Accel::Char, 'Z', 0, 2109},
    {Accel::Char, 'q', 0, 2110},
    {Accel::Char, 'Q', 0, 2110},
    {Accel::Char, 'y', 0, 2111},
    {Accel::Char, 'Y', 0, 2111},
    {Accel::Char, '7', 0, 2112},
    {Accel::Char, '8', 0, 2113},
    {Accel::Char, '9', 0, 2114},
    {Accel::Char, '0', 0, 2115},
    {Accel::Char, '4', 0, 2116},
    {Accel::Char, '5', 0, 2117},
    {Accel::Char, '2', 0, 2119},
    {Accel::Char, '6', 0, 2120},
    {Accel::Key, VK_RETURN, 0, CompleteCommand},
    {Accel::Char, '+', 0, 7007},
    {Accel::Char, '-', 0, 7008},
    {Accel::Key, '1', MOD_CONTROL, 7012},
    {Accel::Key, '2', MOD_CONTROL, 7015},
    {Accel::Key, '3', MOD_CONTROL, 7013},
    {Accel::Key, '4', MOD_CONTROL, 7014},
    {Accel::Key, '5', MOD_CONTROL, 7016},
    {Accel::Key, '6', MOD_CONTROL, 7017},
    {Accel::Key, VK_LEFT, 0, 7004},
    {Accel::Key, VK_RIGHT, 0, 7003},
    {Accel::Key, VK_UP, 0, 7001},
    {Accel::Key, VK_DOWN, 0, 7002},
    {Accel::Key, VK_UP, MOD_CONTROL, 4007},
    {Accel::Key, VK_DOWN, MOD_CONTROL, 4008},
    {Accel::Key, VK_PRIOR, MOD_CONTROL, 4010},
    {Accel::Key, VK_NEXT, MOD_CONTROL, 4009},
    {Accel::Key, VK_F1, 0, 103},
    {Accel::Key, VK_F1 + 1, 0, 4002},
    {Accel::Key, VK_F1 + 2, 0, 7011},
    {Accel::Key, VK_F1 + 3, 0, 4006},
    {Accel::Key, VK_F1 + 4, 0, 7102},
    {Accel::Key, VK_F1 + 5, 0, 3007},
    {Accel::Key, VK_F1 + 7, 0, 4001},
    {Accel::Key, VK_F1 + 4, MOD_CONTROL, 5001},
    {Accel::Key, VK_F1 + 5, MOD_CONTROL, 5002},
    {Accel::Key, VK_F1 + 6, MOD_CONTROL, 5003},
    {Accel::Key, VK_F1 + 7, MOD_CONTROL, 7101},
    {Accel::Key, VK_F1 + 8, MOD_CONTROL, 5005},
    {Accel::Key, VK_F1 + 9, MOD_CONTROL, 5006},
    {Accel::Key, VK_BACK, 0, 4004},
    {Accel::Key, VK_DELETE, 0, 3006},
    {Accel::Key, VK_ESCAPE, 0, 4100},
    {Accel::Key, 'Z', MOD_CONTROL, UndoCommand},
    {Accel::Key, 'Y', MOD_CONTROL, RedoCommand},
    {Accel::Key, 'Z', MOD_CONTROL | MOD_SHIFT, RedoCommand},
    // The keys every desktop program has, beside the ones above.
    {Accel::Key, 'O', MOD_CONTROL, 1001},
    {Accel::Key, 'N', MOD_CONTROL, 4005},
    {Accel::Key, 'S', MOD_CONTROL | MOD_SHIFT, 1004},
    {Accel::Key, 'Q', MOD_CONTROL, 1002},
    {Accel::Key, '0', MOD_CONTROL, ZoomFitCommand},
};

Accelerators acceltable(accels, sizeof accels / sizeof *accels);

// The menu is there before the window objects are created.
const bool menudefined = (definemenu("Menu", menulines), true);

using C = ControlSpec;
const ControlSpec aboutcontrols[] = {
    {C::Static, 101, "", 0, 3},
    {C::Static, -1, "Plane geometry constructions that move: build them once, drag them", 1, 3},
    {C::Static, -1, "and watch every object follow.", 2, 3},
    {C::Default, 1, "OK", 3, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec aboutdialog = {115, "About Gyrel", aboutcontrols};
const bool aboutdefined = (definedialog(&aboutdialog), true);

} // namespace

void doaction() {
    Action* a = actionof(menu.command());
    if (!a) return;
    window.action(a);
    tools.set(menu.command());
}

void docolor() {
    static const int indices[][2] = {{7012, 0}, {7013, 3}, {7014, 5},
                                     {7015, 1}, {7016, 2}, {7017, 4}};
    for (auto [id, index] : indices)
        if (id == menu.command()) objectcolors.defcolor(index);
    tools.set(menu.command());
}

void doescape() {
    window.action(window.A);
}

void dozoomin() {
    window.zoomin();
}
void dozoomout() {
    window.zoomout();
}
void docenter() {
    window.center();
}
void doleft() {
    window.hscrolled(1);
}
void doright() {
    window.hscrolled(0);
}
void doup() {
    window.vscrolled(2);
}
void dodown() {
    window.vscrolled(3);
}

void dohidden() {
    window.showhidden.toggle();
    objects.redraw();
    tools.set(menu.command());
    menu.check(4001, window.showhidden);
}

void dodeletetracks() {
    objects.deletetracks();
    objects.redraw();
}

// Turns the tracks into loci; says what it needs when it cannot.
void domakelocus() {
    if (!makelocus()) Warning(String(251).text(), String(247).text());
    trackaction.P = nullptr;
    objects.redraw();
}

void dostep() {
    window.action(&stepaction);
}

namespace {

void step(int k) {
    if (window.A == &stepaction) objects.advancestop(k);
    objects.redraw();
}

} // namespace

void doup1() {
    step(-1);
}
void dodown1() {
    step(1);
}
void dopageup1() {
    step(-10);
}
void dopagedown1() {
    step(10);
}

void docontents() {
    help.index();
}
void dohelponhelp() {
    help.helponhelp();
}

void doexit() {
    if (!window.close()) return;
    delete bitmap;
    bitmap = nullptr;
    program.quit(0);
}

void dobackspace() {
    window.A->abort();
    window.A->start();
    window.A->inform();
    if (!objects.empty()) {
        objects.clear(objects.last()->original());
        // Hidden help objects made with it go too.
        while (!objects.empty() && objects.last()->original()->hidden())
            objects.clear(objects.last()->original());
    }
    objects.redraw();
}

namespace {

// Undo and redo take objects away and bring them back: the tool lets go of
// what it holds first, and starts again afterwards.
void history(int (History::*step)()) {
    if (window.dragging()) return;
    window.A->abort();
    window.A->start();
    (window.history.*step)();
    window.settitle();
    objects.redraw();
    window.A->inform();
    window.undomenu();
}

} // namespace

void doundo() {
    history(&History::undo);
}

void doredo() {
    history(&History::redo);
}

void doabout() {
    Dialog d(&window, 115, &help, 0); // F1: the contents
    TextItem version(101, d, textwith(133, GYREL_VERSION));
    d.carryout();
}

void bindcommands() {
    (void)menudefined;
    (void)aboutdefined;
    for (int i = 0; i < ncommands; ++i) menu.add(commands[i], doaction);
    menu.add(4100, doescape);
    menu.add(7007, dozoomin);
    menu.add(7008, dozoomout);
    menu.add(7009, docenter);
    menu.add(ZoomFitCommand, [] { window.zoomfit(); });
    menu.add(CompleteCommand, [] { window.A->complete(); });
    menu.add(7004, doleft);
    menu.add(7003, doright);
    menu.add(7001, doup);
    menu.add(7002, dodown);
    menu.add(4001, dohidden);
    menu.add(3007, dodeletetracks);
    menu.add(2011, dodeletetracks);
    menu.add(3008, domakelocus);
    menu.add(1002, doexit);
    for (int id : idm_colors) menu.add(id, docolor);
    help.Filename = String(86).text();
    help.create();
    menu.add(4006, dostep);
    menu.add(4007, doup1);
    menu.add(4008, dodown1);
    menu.add(4010, dopageup1);
    menu.add(4009, dopagedown1);
    menu.add(103, docontents);
    menu.add(104, dohelponhelp);
    selectors();
    menu.add(4005, doclear);
    menu.add(1001, [] { doload(); });
    menu.add(1003, [] { dosave(); });
    menu.add(1004, [] { dosaveas(); });
    menu.add(7011, docomment);
    menu.add(4004, dobackspace);
    menu.add(105, doabout);
    menu.add(UndoCommand, doundo);
    menu.add(RedoCommand, doredo);
    menu.add(7010, dogrid);
    menu.add(SmoothCommand, dosmooth);
    menu.add(ModernCommand, dostyle);
    menu.add(ClassicCommand, dostyle);
    menu.add(7019, dogridset);
    menu.add(4002, dodisplay);
    menu.add(7020, dosizes);
    menu.add(101, doshowconstruction);
    menu.add(106, doprinter);
    menu.add(7203, doprint);
    menu.add(107, docopyclipboard);
    menu.add(108, dosavebitmap);
    menu.add(ExportCommand, doexport);
    recentmenu();
    macroselectors();
    menu.add(5001, domacroparameter);
    menu.add(5002, domacroconstructed);
    menu.add(5003, domacrodefine);
    menu.add(7102, domacrorun);
    menu.add(5005, domacrosave);
    menu.add(5006, domacroload);
    menu.add(102, domacrodelete);
    menu.add(7101, domacrocomment);
    for (int id : {5002, 5003, 5005, 7102, 7101}) menu.enable(id, 0);
    program.Accel = &acceltable;
}
