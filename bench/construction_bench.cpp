// Realistic constructions of every kind of object at 1,000, 10,000 and
// 100,000 objects: recomputation, drawing, one drag step, and building the
// construction by names as the file reader does.
#include "bitmapps.h"
#include "cells.h"
#include "objectlist.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

class BenchWindow : public Window {
  public:
    BenchWindow() { setsize(1000, 700); }
};

void BM_Build(benchmark::State& state) {
    for (auto _ : state) build(static_cast<int>(state.range(0)));
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_Build)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Update(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    for (auto _ : state) objects.update();
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_Update)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Draw(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    BenchWindow w;
    MyBitmapPS ps(w);
    ps.smooth(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        objects.draw(ps);
        ps.flush();
    }
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_Draw)
    ->ArgNames({"n", "smooth"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    BenchWindow w;
    MyBitmapPS ps(w);
    auto* p = static_cast<Pointprim*>(objects.first());
    int i = 0;
    for (auto _ : state) {
        p->set(-6.5 + (i++ % 100) * 0.01, -6.5);
        objects.update();
        objects.draw(ps);
    }
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_DragStep)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
