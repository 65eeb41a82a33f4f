// Numbers while the construction moves, on a 1000 x 700 picture:
//   Measures: 1,000 distances from a dragged point to points spread over
//             the view, each shown as its label "name = value"; a drag frame
//             moves the point, recomputes and draws the picture (from the
//             layer of what the point does not move, as a drag does).
//   Chain:    a slider and 100,000 calculations, each the one before plus 1;
//             a step sets the slider and recomputes everything.
#include "control.h"
#include "frames.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <string>

namespace {

void BM_DragMeasures(benchmark::State& state) {
    objects.clear();
    counts.reset();
    Point* p = new Point(0, 0);
    const int n = static_cast<int>(state.range(0));
    for (int i = 0; i < n; ++i) {
        // A grid of 40 columns over the view, so that the labels stand apart.
        double x = -6.5 + 13.0 * (i % 40) / 40, y = -6.5 + 13.0 * (i / 40) / (n / 40 + 1);
        new Distance(p, new Point(x, y));
    }
    frames(state, p, static_cast<int>(state.range(1)), 1);
    objects.clear();
}
BENCHMARK(BM_DragMeasures)
    ->ArgsProduct({{1000}, {0, 1}})
    ->ArgNames({"labels", "smooth"})
    ->Unit(benchmark::kMillisecond);

void BM_CalculationChain(benchmark::State& state) {
    objects.clear();
    counts.reset();
    auto* s = new Slider(1, 0, 10, 1);
    s->setname("s");
    std::string before = "s";
    for (int i = 0; i < state.range(0); ++i) {
        Expression e;
        e.parse(before + " + 1", numbersbefore(nullptr));
        auto* c = new Calculation(std::move(e));
        before = "c" + std::to_string(i);
        c->setname(before.c_str());
    }
    int i = 0;
    for (auto _ : state) {
        s->setvalue(i++ % 10);
        objects.update();
    }
    state.counters["last"] = static_cast<Number*>(objects.last())->value();
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_CalculationChain)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
