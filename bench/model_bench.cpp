// Speed of the construction list at scale: naming, finding by name,
// recomputing, drawing and deleting.
#include "bitmapps.h"
#include "objectlist.h"
#include "point.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

void build(int n) {
    objects.clear();
    counts.reset();
    for (int i = 0; i < n; ++i) new Point(i % 14 - 7, i / 1000 % 14 - 7);
}

void BM_BuildPoints(benchmark::State& state) {
    for (auto _ : state) build(static_cast<int>(state.range(0)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    objects.clear();
}
BENCHMARK(BM_BuildPoints)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FindByName(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    int i = 0;
    std::string name;
    for (auto _ : state) {
        name = "Point_" + std::to_string(1 + i++ % state.range(0));
        benchmark::DoNotOptimize(objects.find(name.c_str(), 1, objects.last()));
    }
    objects.clear();
}
BENCHMARK(BM_FindByName)->Arg(100000);

void BM_Update(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    for (auto _ : state) objects.update();
    objects.clear();
}
BENCHMARK(BM_Update)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Draw(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    Window w;
    MyBitmapPS ps(w, 1000, 700);
    for (auto _ : state) objects.draw(ps);
    objects.clear();
}
BENCHMARK(BM_Draw)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteOne(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        build(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        // One deletion walks the list once, whatever depends on the object.
        objects.clear(objects.first());
    }
}
BENCHMARK(BM_DeleteOne)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
