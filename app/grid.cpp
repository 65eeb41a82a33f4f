// The grid and the axes behind the construction.
#include "commands.h"
#include "mainwindow.h"
#include "menu.h"
#include "objectlist.h"
#include "settings.h"
#include "view.h"

#include <cmath>

namespace {

// At most this many grid lines are looked at in one drawing, over all
// passes, so that a fine grid on a wide view costs no more than this.
const int MaxSteps = 100;

// One pass of parallel grid lines at v = start, start + step, ... up to
// high, those from low on drawn by line(v); steps counts the lines looked at.
template <class Line>
void pass(double start, double step, double low, double high, int& steps, Line line) {
    for (int k = 0; steps < MaxSteps; ++k, ++steps) {
        double v = start + k * step;
        if (!(v <= high + 0.01)) break;
        if (v >= low - 0.01) line(v);
    }
}

} // namespace

void drawgrid(PS& ps) {
    if (!grid) return;
    const View& v = view();
    const Color grey(100, 100, 100);
    ps.color(grey);
    Pen dotted(grey, 1, Pen::Dotted);
    const int W = ps.width(), H = ps.height();
    auto column = [&](double x) { return col(x, ps); };
    auto row = [&](double y) { return ::row(y, ps); };
    if (axes) {
        if (v.X1 <= 0 && 0 <= v.X2) {
            int c = column(0);
            for (int i = c - 1; i <= c + 1; ++i) {
                ps.move(i, 0);
                ps.lineto(i, H - 1);
            }
        }
        if (v.Y1 <= 0 && 0 <= v.Y2) {
            int c = row(0);
            for (int i = c - 1; i <= c + 1; ++i) {
                ps.move(0, i);
                ps.lineto(W - 1, i);
            }
        }
    }
    // Lines closer than three pixels would only paint the picture grey.
    double s = std::floor(v.X1 / grid1) * grid1 - grid1;
    if (column(s + grid1) <= column(s) + 2) return;
    int steps = 0;
    auto lines = [&](double spacing, Pen* pen) {
        auto vertical = [&](double x) {
            int c = column(x);
            ps.move(c, 0);
            if (pen)
                ps.lineto(c, H - 1, *pen);
            else
                ps.lineto(c, H - 1);
        };
        auto horizontal = [&](double y) {
            int r = row(y);
            ps.move(0, r);
            if (pen)
                ps.lineto(W - 1, r, *pen);
            else
                ps.lineto(W - 1, r);
        };
        pass(std::floor(v.X1 / spacing) * spacing - spacing, spacing, v.X1, v.X2, steps, vertical);
        pass(std::floor(v.Y1 / spacing) * spacing - spacing, spacing, v.Y1, v.Y2, steps,
             horizontal);
    };
    lines(grid1, &dotted);
    ps.color(grey);
    lines(grid2, nullptr);
}

void MainWindow::drawgrid(PS& ps) {
    ::drawgrid(ps);
}

void dogrid() {
    grid = !grid;
    objects.redraw();
    menu.check(7010, grid);
}
