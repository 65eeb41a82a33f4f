// Drag frames as the move tool draws them, on a 1000 x 700 picture.
#pragma once

#include "bitmapps.h"
#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <benchmark/benchmark.h>

namespace {

class BenchWindow : public Window {
  public:
    BenchWindow() { setsize(1000, 700); }
};

// How a benchmark draws: 0 sharp, 1 smooth, 2 in the modern style (which
// is smooth).
inline void drawstyle(PS& ps, long style) {
    ps.smooth(style != 0);
    ps.modern(style == 2);
}

// Frames of a drag of p by small steps, drawn into the window's picture as
// the move tool draws them (sharp, smooth or modern as drawstyle says):
// whole, or from the layers of what p does not move (drawn by the first
// frame, which is not timed). The construction stays; its size goes into
// the counters.
inline void frames(benchmark::State& state, Pointprim* p, int style, int layered) {
    BenchWindow w;
    bitmap = new MyBitmapPS(w, 1000, 700, 32, 1.0);
    drawstyle(*bitmap, style);
    double x = p->x(), y = p->y();
    if (layered) {
        objects.layerfor(p);
        objects.update();
        objects.redraw();
    }
    int i = 0;
    for (auto _ : state) {
        double d = (i++ % 50) * 0.002;
        p->set(x + d, y - d);
        objects.update();
        objects.redraw();
        // Smooth strokes wait in a batch until the picture is shown.
        bitmap->flush();
    }
    objects.layerfor(nullptr);
    delete bitmap;
    bitmap = nullptr;
    state.counters["objects"] = objects.count();
}

} // namespace
