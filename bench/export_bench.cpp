// Pictures of a 10,000-object construction in files, as the Export command
// and the command line write them.
#include "cells.h"
#include "export.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

namespace {

void exportto(benchmark::State& state, const char* name) {
    build(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    std::string file = (dir.path() + "/" + name).toStdString();
    for (auto _ : state)
        if (exportpicture(file.c_str(), 1000, 0, 0) != Written) state.SkipWithError("not written");
    state.counters["objects"] = objects.count();
    objects.clear();
}

void BM_ExportPng(benchmark::State& state) {
    exportto(state, "picture.png");
}
BENCHMARK(BM_ExportPng)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportSvg(benchmark::State& state) {
    exportto(state, "picture.svg");
}
BENCHMARK(BM_ExportSvg)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ExportPdf(benchmark::State& state) {
    exportto(state, "picture.pdf");
}
BENCHMARK(BM_ExportPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
