#include "mainwindow.h"
#include "bitmapps.h"
#include "commands.h"
#include "export.h"
#include "help.h"
#include "macroactions.h"
#include "menu.h"
#include "objectlist.h"
#include "point.h"
#include "profile.h"
#include "settings.h"
#include "toolbar.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

MainWindow window;
int fontsize = 40;
String fontname("Courier New");
String symbolfontname("Symbol");
String loadname("");

MainWindow::MainWindow()
    : StandardWindow(String(1).text(), 400, 400, "GYR"), A(&noaction), OldA(&noaction) {}

double MainWindow::x(int c) const {
    return X1 + static_cast<double>(c) / std::max(Width, 1) * (X2 - X1);
}

double MainWindow::y(int r) const {
    return Y2 - static_cast<double>(r) / std::max(Height, 1) * (Y2 - Y1);
}

int MainWindow::col(double x) const {
    return static_cast<int>((x - X1) / (X2 - X1) * Width);
}

int MainWindow::row(double y) const {
    return static_cast<int>((Y2 - y) / (Y2 - Y1) * Height);
}

void MainWindow::compute() {
    Pixel = (X2 - X1) / std::max(Width, 1);
    Xm = (X1 + X2) * 0.5;
    Ym = (Y1 + Y2) * 0.5;
    Y1 = Ym - Height * Pixel * 0.5;
    Y2 = Ym + Height * Pixel * 0.5;
}

void MainWindow::setsize(double x1, double x2, double y1, double y2) {
    if (x1 + 1e-15 > x2 || y1 + 1e-15 > y2) return;
    X1 = x1;
    X2 = x2;
    Y1 = y1;
    Y2 = y2;
    compute();
}

void MainWindow::zoom(double k) {
    Xm = (X1 + X2) * 0.5;
    double half = (X2 - X1) * 0.5;
    X1 = Xm - half * k;
    X2 = Xm + half * k;
    compute();
    objects.redraw();
}

void MainWindow::viewchanged() {
    // The view is part of the file.
    objects.changed.set();
    settitle();
}

void MainWindow::zoomin() {
    zoom(0.8333333333333334);
}

void MainWindow::zoomout() {
    zoom(1.2);
}

void MainWindow::center() {
    X1 = -1;
    X2 = 1;
    Xm = 0;
    compute();
    objects.redraw();
}

namespace {

// The box around the numbers of the objects: points, the points that
// define lines, circles with their radius.
class Box : public ValueSink {
  public:
    void number(const char* key, double x) override {
        if (key[0] == 'x') X = x;
        if (key[0] == 'y') add(X, x);
        if (std::string(key) == "radius") add(Cx - x, Cy - x), add(Cx + x, Cy + x);
    }
    void numbers(const char* key, const double* v, int n) override {
        if (std::string(key) == "center" && n == 2) Cx = v[0], Cy = v[1];
    }
    void points(const char*, const double* xy, int n) override {
        for (int i = 0; i < n; ++i) add(xy[2 * i], xy[2 * i + 1]);
    }
    void text(const char*, const std::string&) override {}
    void add(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        X1 = std::min(X1, x), X2 = std::max(X2, x), Y1 = std::min(Y1, y), Y2 = std::max(Y2, y);
    }
    double X1 = HUGE_VAL, X2 = -HUGE_VAL, Y1 = HUGE_VAL, Y2 = -HUGE_VAL;

  private:
    double X = 0, Cx = 0, Cy = 0;
};

} // namespace

void MainWindow::zoomfit() {
    Box b;
    for (Object* o = objects.first(); o; o = o->next())
        if (o->valid && !o->hidden()) o->values(b);
    if (b.X1 > b.X2) return; // nothing to show
    double w = std::max(b.X2 - b.X1, (b.Y2 - b.Y1) * Width / std::max(Height, 1));
    // A margin of a tenth on each side; a single point keeps the zoom.
    w = w > 0 ? w * 1.2 : X2 - X1;
    double cx = (b.X1 + b.X2) / 2, cy = (b.Y1 + b.Y2) / 2;
    if (!(w > 1e-9 * std::max({1.0, std::fabs(cx), std::fabs(cy)}) && w < 1e12)) return;
    X1 = cx - w / 2, X2 = cx + w / 2;
    Y1 = cy - 1, Y2 = cy + 1; // compute takes the vertical centre, and the height follows
    compute();
    objects.redraw();
    viewchanged();
}

int MainWindow::zoomat(int c, int r, double k) {
    double x = this->x(c), y = this->y(r);
    double w = (X2 - X1) * k;
    // A view too small for the numbers or too large to draw stays as it is.
    if (!(w > 1e-9 * std::max(1.0, std::fabs(x)) && w < 1e9 && k > 0)) return 0;
    X1 = x - (x - X1) * k;
    X2 = x + (X2 - x) * k;
    Y1 = y - (y - Y1) * k;
    Y2 = y + (Y2 - y) * k;
    compute();
    objects.redraw();
    return 1;
}

void MainWindow::pan(double dc, double dr) {
    if (dc == 0 && dr == 0) return;
    double dx = dc * Pixel, dy = dr * Pixel;
    X1 -= dx;
    X2 -= dx;
    Y1 += dy;
    Y2 += dy;
    compute();
    objects.redraw();
    viewchanged();
}

void MainWindow::wheel(int c, int r, double dx, double dy, int modifiers) {
    if (blocked) return;
    // Shift pans: the wheel up and down (with Control: left and right), a
    // sideways wheel or swipe always left and right; a tenth of the view a
    // notch, as the arrow keys shift it. Else the wheel zooms about the
    // cursor, a notch as much as the + and - keys.
    if ((modifiers & MOD_SHIFT) && (modifiers & MOD_CONTROL)) {
        pan(dy * 0.1 * Width, 0);
    } else if (modifiers & MOD_SHIFT) {
        pan(-dx * 0.1 * Width, dy * 0.1 * Height);
    } else if (dx != 0 && dy == 0) {
        pan(-dx * 0.1 * Width, 0);
    } else if (dy != 0) {
        zoomat(c, r, std::pow(5.0 / 6.0, dy));
    }
}

void MainWindow::pinch(int c, int r, double factor) {
    if (!blocked && factor > 0) zoomat(c, r, 1 / factor);
}

void MainWindow::shift(double& low, double& high, double f) {
    double d = f * (high - low);
    low += d;
    high += d;
    compute();
    objects.redraw();
    viewchanged();
}

int MainWindow::hscrolled(int scroll) {
    double f;
    switch (scroll) {
    case 0:
        f = -0.1;
        break;
    case 1:
        f = 0.1;
        break;
    case 4:
        f = -0.5;
        break;
    case 5:
        f = 0.5;
        break;
    default:
        return 0;
    }
    shift(X1, X2, f);
    return 1;
}

int MainWindow::vscrolled(int scroll) {
    double f;
    switch (scroll) {
    case 2:
        f = 0.1;
        break;
    case 3:
        f = -0.1;
        break;
    case 6:
        f = 0.5;
        break;
    case 7:
        f = -0.5;
        break;
    default:
        return 0;
    }
    shift(Y1, Y2, f);
    return 1;
}

void MainWindow::sized() {
    compute();
    newpicture();
    // The view is part of the file; but the sizes the desktop gives the
    // window before the user has done anything change no work of theirs.
    if (Touched) viewchanged();
}

void MainWindow::newpicture() {
    // A smooth picture has the screen's density; a sharp one keeps the
    // pixels of the pixel rules.
    delete bitmap;
    const int smooth = Smooth || Style == Modern;
    bitmap = new MyBitmapPS(*this, Width, Height, 32, smooth ? ratio() : 1.0);
    bitmap->smooth(smooth);
    dress(*bitmap);
    bitmap->erase();
    bitmap->markersize(Width / std::max(msize, 1));
    delete font;
    delete symbolfont;
    font = new Font(labelfont(Style), labelsize(Width, Style));
    symbolfont = new Font(symbolfontname.text(), Width / std::max(fontsize, 1));
    bitmap->font(*font);
    if (active) bitmap->invalid = 1;
}

void MainWindow::dress(PS& ps) const {
    ps.modern(Style == Modern);
    if (Style == Modern && !ps.smooth()) ps.smooth(1);
}

void MainWindow::redraw(PS& ps) {
    if (!active || !bitmap) return;
    if (bitmap->invalid) {
        objects.draw(*bitmap);
        bitmap->invalid = 0;
    }
    bitmap->copy(ps, 0, 0);
}

void MainWindow::clicked(int c, int r, int click) {
    if (blocked) return;
    Touched = 1;
    // The middle button drags the view; the tool does not see it.
    if (click == 7 || (Panning && (click == 9 || click == 6))) {
        if (Panning && click != 7) pan(c - PanC, r - PanR);
        Panning = click != 6;
        PanC = c, PanR = r;
        return;
    }
    // A change begins with a press or a click, never with a plain move.
    if (click != 9) history.begin();
    if (!Moving) {
        if (A->drag && click != 4) {
            if (click == 0 || click == 1 || click == 9) A->dragperform(click, c, r);
        } else if (click == 0) {
            A->perform(c, r);
        } else if (click == 4) {
            Moving = 1;
            moveaction.dragperform(4, c, r);
            A->abort();
        }
    } else if (click == 9) {
        moveaction.dragperform(9, c, r);
    } else if (click == 3) {
        Moving = 0;
        moveaction.dragperform(3, c, r);
        A->startagain();
        A->inform();
    }
    record();
}

void MainWindow::record() {
    if (!history.isopen()) return;
    auto* mover = dynamic_cast<MoveAction*>(Moving ? &moveaction : A);
    if (mover && mover->subject()) history.subject(mover->subject());
    if (A == &macrorunaction && macrorunaction.Running)
        history.label(std::string("Run Macro ") + macrorunaction.Running->Name.text());
    if (Moving || !A->finished()) return;
    history.end();
    undomenu();
    settitle();
    autosave.step();
}

void MainWindow::timer(int n) {
    if (n == Autosave::Timer) autosave.tick();
}

int MainWindow::command(int id) {
    Touched = 1;
    if (id == UndoCommand || id == RedoCommand) {
        int taken = StandardWindow::command(id);
        autosave.step();
        return taken;
    }
    // A command never joins a tool's unfinished step: what the tool made
    // so far stays one step, the command's change another.
    history.end();
    history.begin();
    int taken = StandardWindow::command(id);
    history.end();
    undomenu();
    settitle();
    autosave.step();
    return taken;
}

void MainWindow::undomenu() {
    auto caption = [](const char* verb, std::string what, const char* key) {
        std::string s = verb;
        if (!what.empty()) s += ' ';
        for (char ch : what) {
            if (ch == '&') s += '&'; // shown as one ampersand
            s += ch;
        }
        return s + " \t" + key;
    };
    ::menu.settext(UndoCommand, caption("&Undo", history.undoname(), "^Z").c_str());
    ::menu.settext(RedoCommand, caption("&Redo", history.redoname(), "^Y").c_str());
    ::menu.enable(UndoCommand, history.canundo());
    ::menu.enable(RedoCommand, history.canredo());
}

int MainWindow::close() {
    if (!testclose()) return 0;
    autosave.remove();
    writeplacement();
    profile.write("printer", Printer);
    ::help.close();
    setcursor(3);
    writesizes();
    return 1;
}

void MainWindow::pres_changed() {
    sized();
    if (bitmap) bitmap->invalid = 1;
    invalidate();
}

void MainWindow::settitle() {
    // A "*" after the file name while there are unsaved changes.
    String t(1);
    t.cat(" (");
    t.cat(loadname.filename());
    if (objects.changed && !objects.empty()) t.cat("*");
    t.cat(")");
    if (std::strcmp(t.text(), title().text()) != 0) StandardWindow::settitle(t.text());
}

void MainWindow::action(Action* n) {
    OldA = A;
    A->abort();
    A = n;
    A->start();
    A->inform();
}

void MainWindow::releasetool() {
    tools.releaseaction();
}

Help* MainWindow::help() {
    return &::help;
}

void MainWindow::inform(const char* text) {
    tools.inform(text);
}

void MainWindow::cursor(CursorKind kind) {
    Cursor* c = kind == PenCursorKind     ? PenCursor
                : kind == PointCursorKind ? PointCursor
                : kind == MoveCursorKind  ? MoveCursor
                                          : nullptr;
    if (c)
        setcursor(*c);
    else if (kind == StepCursorKind)
        setcursor(4);
}
