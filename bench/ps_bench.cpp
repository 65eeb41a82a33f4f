// Drawing speed of the off-screen picture: the operations a construction
// uses most, on a picture of a large window.
#include "bitmapps.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

class BenchWindow : public Window {
  public:
    BenchWindow() { setsize(1000, 700); }
};

void BM_Lines(benchmark::State& state) {
    BenchWindow w;
    MyBitmapPS ps(w);
    ps.smooth(static_cast<int>(state.range(2)));
    int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            ps.color(Color(state.range(1) && i & 1 ? 200 : 0, 0, 0));
            ps.move(i % 1000, 0);
            ps.lineto(999 - i % 1000, 699);
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Lines)
    ->ArgNames({"n", "colours", "smooth"})
    ->Args({1000, 0, 0})
    ->Args({1000, 1, 0})
    ->Args({10000, 1, 0})
    ->Args({1000, 0, 1})
    ->Args({10000, 1, 1});

void BM_Circles(benchmark::State& state) {
    BenchWindow w;
    MyBitmapPS ps(w);
    ps.smooth(static_cast<int>(state.range(1)));
    int n = static_cast<int>(state.range(0));
    for (auto _ : state)
        for (int i = 0; i < n; ++i) ps.circle(500, 350, 5 + i % 300, 1);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Circles)
    ->ArgNames({"n", "smooth"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({1000, 1});

void BM_Marks(benchmark::State& state) {
    BenchWindow w;
    MyBitmapPS ps(w);
    int n = static_cast<int>(state.range(0));
    for (auto _ : state)
        for (int i = 0; i < n; ++i) ps.mark(i * 7 % 1000, i * 13 % 700, 5);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_Marks)->Arg(10000);

void BM_Labels(benchmark::State& state) {
    BenchWindow w;
    MyBitmapPS ps(w);
    Font f("Courier New", 25);
    ps.font(f);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) ps.text(i % 1000, i * 13 % 700, "Point_123", 0, 4);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Labels);

void BM_EraseAndCopy(benchmark::State& state) {
    BenchWindow w;
    MyBitmapPS a(w), b(w);
    for (auto _ : state) {
        a.erase();
        a.copy(b, 0, 0);
    }
}
BENCHMARK(BM_EraseAndCopy);

} // namespace
