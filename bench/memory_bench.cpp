// Memory: the resident size of the 100,000-object construction, and what
// 10,000 drag frames in a row add to it (nothing, when nothing leaks or
// piles up).
#include "bitmapps.h"
#include "cells.h"
#include "view.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

// The resident set of this process in MiB, from the kernel's account.
double residentmib() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    double kib = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmRSS:", 6) == 0) kib = std::atof(line + 6);
    std::fclose(f);
    return kib / 1024;
}

class BenchWindow : public Window {
  public:
    BenchWindow() { setsize(1000, 700); }
};

void BM_Resident100000(benchmark::State& state) {
    objects.clear();
    double before = residentmib();
    for (auto _ : state) build(100000);
    state.counters["construction_MiB"] = residentmib() - before;
    state.counters["process_MiB"] = residentmib();
    objects.clear();
}
BENCHMARK(BM_Resident100000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Frames of a drag in the 10,000-object construction, in a row: 10,000
// smooth ones (from the drag's picture), 1,000 sharp ones (drawn whole);
// the resident growth after the first 100 frames.
void BM_Soak(benchmark::State& state) {
    build(10000);
    BenchWindow w;
    bitmap = new MyBitmapPS(w, 1000, 700, 32, 1.0);
    bitmap->smooth(static_cast<int>(state.range(0)));
    auto* p = static_cast<Pointprim*>(objects.first());
    double x = p->x(), y = p->y(), start = 0;
    objects.layerfor(p);
    for (auto _ : state) {
        for (int i = 0; i < state.range(1); ++i) {
            p->set(x + (i % 50) * 0.002, y);
            objects.update();
            objects.redraw();
            if (i == 100) start = residentmib();
        }
    }
    state.counters["growth_MiB"] = residentmib() - start;
    objects.layerfor(nullptr);
    delete bitmap;
    bitmap = nullptr;
    objects.clear();
}
BENCHMARK(BM_Soak)
    ->Args({1, 10000})
    ->Args({0, 1000})
    ->ArgNames({"smooth", "frames"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
