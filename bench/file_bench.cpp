// Saving and loading construction files of every kind of record at 1,000,
// 10,000 and 100,000 objects.
#include "cells.h"
#include "constructionfile.h"
#include "gyrstrings.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const int FileCell = PerCell + 2;

// A cell with a circle of a radius given by two points, colours and flags.
void filecell(int i) {
    cell(i);
    std::string a = "A" + std::to_string(i), b = "B" + std::to_string(i),
                c = "C" + std::to_string(i);
    Circle3Circle* k = makecircle3(named(a, CPoint), named(b, CPoint), named(c, CPoint));
    k->setcolor(i % 6);
    k->Linetype = i % 3;
    objects.find(a.c_str(), 0, nullptr)->showname = 1;
}

void make(int n) {
    objects.clear();
    counts.reset();
    for (int i = 0; i < n / FileCell; ++i) filecell(i);
}

std::string file() {
    return "/tmp/gyrel-file-bench-" + std::to_string(::getpid()) + ".gyr";
}

void BM_Save(benchmark::State& state) {
    progstrings = GyrStrings;
    make(static_cast<int>(state.range(0)));
    std::string name = file();
    for (auto _ : state) benchmark::DoNotOptimize(objects.save(name.c_str()));
    state.counters["objects"] = objects.count();
    objects.clear();
    std::remove(name.c_str());
}
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state) {
    progstrings = GyrStrings;
    make(static_cast<int>(state.range(0)));
    std::string name = file();
    objects.save(name.c_str());
    int n = objects.count();
    for (auto _ : state) benchmark::DoNotOptimize(objects.load(name.c_str()));
    if (objects.count() != n) state.SkipWithError("the file did not load whole");
    state.counters["objects"] = objects.count();
    objects.clear();
    std::remove(name.c_str());
}
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
