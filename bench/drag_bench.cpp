// Drag frames and full redraws of the constructions that compare Gyrel with
// other geometry programs, on a 1000 x 700 picture:
//   A(n): n free points on a circle, n lines through neighbours and n / 2
//         crossings of consecutive lines (2.5 n objects); point 1 is dragged.
//   B:    10,003 objects that all but two depend on the dragged point: from
//         three points a, b, c a step makes the lines bc and ba, the
//         parallels to them through a and c and their crossing Y = a + c - b,
//         the midpoint M of bc, the line MY, the parallels to bc through Y
//         and to MY through c and their crossing X = Y + c - M, the segment
//         cX and the circle around M through c (16 objects); the next step
//         starts from the last three X.
//   T(n): n filled triangles as the polygon tool makes them (three points,
//         the polygon, its three sides), spread over the view; the first
//         vertex of the first is dragged.
// A frame is what a drag does for a mouse move: move the point, recompute,
// draw the whole picture.
#include "bitmapps.h"
#include "cells.h"
#include "circle.h"
#include "derived.h"
#include "frames.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"
#include "region.h"
#include "view.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

Pointprim* constructiona(int n) {
    objects.clear();
    counts.reset();
    std::vector<Pointprim*> p;
    for (int i = 0; i < n; ++i) {
        double a = 2 * M_PI * i / n;
        p.push_back(new Point(5 * std::cos(a), 3.3 * std::sin(a)));
    }
    std::vector<Lineprim*> l;
    for (int i = 0; i < n; ++i) l.push_back(makeline(p[i], p[(i + 1) % n]));
    for (int i = 0; i + 1 < n; i += 2) new Intersection(l[i], l[i + 1]);
    return p[1];
}

Pointprim* constructionb() {
    objects.clear();
    counts.reset();
    Pointprim* x[3] = {new Point(-1, -0.5), new Point(0, 0.4), new Point(1, -0.3)};
    for (int k = 0; k < 625; ++k) {
        Pointprim *a = x[0], *b = x[1], *c = x[2];
        Lineprim* bc = makeline(b, c);
        Lineprim* ba = makeline(b, a);
        Lineprim* pa = makeparallel(a, bc, 0);
        Lineprim* pc = makeparallel(c, ba, 0);
        auto* y = new Intersection(pa, pc);
        auto* m = new Middle(b, c);
        Lineprim* my = makeline(m, y);
        Lineprim* py = makeparallel(y, bc, 0);
        Lineprim* pmy = makeparallel(c, my, 0);
        auto* next = new Intersection(py, pmy);
        new Segment(c, next);
        new Circle(m, c);
        x[0] = x[1], x[1] = x[2], x[2] = next;
    }
    return static_cast<Pointprim*>(objects.first());
}

Pointprim* constructiont(int n) {
    objects.clear();
    counts.reset();
    for (int i = 0; i < n; ++i) {
        double x = -6.8 + (i * 37 % 997) * 0.0136, y = -4.8 + (i * 61 % 991) * 0.0096;
        Pointprim* v[3] = {new Point(x, y), new Point(x + 0.5, y + 0.1),
                           new Point(x + 0.2, y + 0.45)};
        new Polygon({v[0], v[1], v[2]});
        for (int k = 0; k < 3; ++k) new Segment(v[k], v[(k + 1) % 3]);
    }
    return static_cast<Pointprim*>(objects.first());
}

// Drawn whole, or from the layers of what the dragged point does not move.
void BM_DragA(benchmark::State& state) {
    frames(state, constructiona(static_cast<int>(state.range(0))), static_cast<int>(state.range(1)),
           static_cast<int>(state.range(2)));
    objects.clear();
}
BENCHMARK(BM_DragA)
    ->ArgsProduct({{1000, 10000}, {0, 1}, {0}})
    ->ArgsProduct({{10000}, {0, 1, 2}, {1}})
    ->Args({10000, 2, 0})
    ->ArgNames({"n", "style", "layered"})
    ->Unit(benchmark::kMillisecond);

void BM_DragB(benchmark::State& state) {
    frames(state, constructionb(), static_cast<int>(state.range(0)),
           static_cast<int>(state.range(1)));
    objects.clear();
}
BENCHMARK(BM_DragB)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"style", "layered"})
    ->Unit(benchmark::kMillisecond);

// A point with few dependants in the 100,000-object construction of every
// kind.
void BM_DragCellsLayered(benchmark::State& state) {
    build(100000);
    frames(state, named("A5", CPoint), static_cast<int>(state.range(0)), 1);
    objects.clear();
}
BENCHMARK(BM_DragCellsLayered)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"style"})
    ->Unit(benchmark::kMillisecond);

// A full redraw, as a zoom or a resize asks for it, sharp, smooth or modern,
// on a screen of the density given in tenths.
void BM_RedrawA(benchmark::State& state) {
    constructiona(static_cast<int>(state.range(0)));
    BenchWindow w;
    MyBitmapPS ps(w, 1000, 700, 32, state.range(2) / 10.0);
    drawstyle(ps, state.range(1));
    for (auto _ : state) {
        objects.draw(ps);
        ps.flush();
    }
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_RedrawA)
    ->Args({10000, 0, 10})
    ->Args({10000, 1, 10})
    ->Args({10000, 1, 20})
    ->Args({10000, 2, 10})
    ->ArgNames({"n", "style", "ratio_tenths"})
    ->Unit(benchmark::kMillisecond);

// 10,000 filled triangles: a full redraw, and the drag frames of a vertex.
void BM_RedrawTriangles(benchmark::State& state) {
    constructiont(10000);
    // Without their fills: what the points and lines alone cost.
    if (!state.range(1))
        for (Object* o = objects.first(); o; o = o->next())
            if (auto* r = dynamic_cast<Region*>(o)) r->Filled = 0;
    BenchWindow w;
    MyBitmapPS ps(w, 1000, 700, 32, 1.0);
    drawstyle(ps, state.range(0));
    for (auto _ : state) {
        objects.draw(ps);
        ps.flush();
    }
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_RedrawTriangles)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->ArgNames({"style", "filled"})
    ->Unit(benchmark::kMillisecond);

void BM_DragTriangle(benchmark::State& state) {
    frames(state, constructiont(10000), static_cast<int>(state.range(0)), 1);
    objects.clear();
}
BENCHMARK(BM_DragTriangle)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->ArgNames({"style"})
    ->Unit(benchmark::kMillisecond);

// Recomputing alone, without drawing.
void BM_RecomputeB(benchmark::State& state) {
    Pointprim* p = constructionb();
    double x = p->x();
    int i = 0;
    for (auto _ : state) {
        p->set(x + (i++ % 50) * 0.002, p->y());
        objects.update();
    }
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_RecomputeB)->Unit(benchmark::kMillisecond);

} // namespace
