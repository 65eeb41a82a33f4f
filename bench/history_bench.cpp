// Undo and redo of the largest steps of a 100,000-object construction: the
// whole construction made in one step (as a Load makes it), a drag that
// moves every object, the delete of every object, and New; and what
// recording a step costs a click.
#include "cells.h"
#include "history.h"

#include <benchmark/benchmark.h>

namespace {

// Times undo (redo: 0) or redo (1) of one step: the change, recorded.
template <class Change> void cycle(benchmark::State& state, Change change) {
    {
        History h(objects);
        h.begin();
        change();
        h.end();
        for (auto _ : state) {
            if (state.range(1)) {
                state.PauseTiming();
                h.undo();
                state.ResumeTiming();
                h.redo();
            } else {
                h.undo();
                state.PauseTiming();
                h.redo();
                state.ResumeTiming();
            }
        }
        state.counters["objects"] = objects.count();
    }
    objects.Keep = nullptr;
    objects.clear();
}

// A chain of midpoints that all depend on the first point, which it returns.
Pointprim* chain(int n) {
    objects.clear();
    counts.reset();
    auto* p = new Point(-6, -6);
    Pointprim* q = new Point(6, 6);
    Pointprim* m = p;
    for (int i = 2; i < n; ++i) m = new Middle(m, i % 2 ? q : p);
    return p;
}

// The cells construction, made as one step.
void BM_WholeConstruction(benchmark::State& state) {
    objects.clear();
    counts.reset();
    cycle(state, [&] { build(static_cast<int>(state.range(0))); });
}

// A drag of the point every other object depends on.
void BM_DragOfEverything(benchmark::State& state) {
    Pointprim* p = chain(static_cast<int>(state.range(0)));
    cycle(state, [p] {
        p->set(-5, -6);
        objects.update(p);
    });
}

// Deleting that point takes every other object with it.
void BM_DeleteOfEverything(benchmark::State& state) {
    Pointprim* p = chain(static_cast<int>(state.range(0)));
    cycle(state, [p] { objects.clear(p); });
}

void BM_New(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    cycle(state, [] {
        objects.clear();
        counts.reset();
    });
}

BENCHMARK(BM_WholeConstruction)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"objects", "redo"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragOfEverything)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"objects", "redo"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteOfEverything)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"objects", "redo"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_New)
    ->ArgsProduct({{100000}, {0, 1}})
    ->ArgNames({"objects", "redo"})
    ->Unit(benchmark::kMillisecond);

// A click that changes nothing still opens and closes a step: the states of
// every object are noted and compared.
void BM_StepOverhead(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    {
        History h(objects);
        for (auto _ : state) {
            h.begin();
            h.end();
        }
    }
    objects.Keep = nullptr;
    objects.clear();
}
BENCHMARK(BM_StepOverhead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The memory one drag of a free point costs in a 100,000-object history.
void BM_DragMemory(benchmark::State& state) {
    build(100000);
    {
        History h(objects);
        auto* p = static_cast<Pointprim*>(objects.find("A5", 0, nullptr));
        size_t before = h.memory();
        int steps = 0;
        for (auto _ : state) {
            h.begin();
            p->set(p->x() + 0.001, p->y());
            objects.update(p);
            h.end();
            ++steps;
            if (h.steps() >= History::Depth) h.clear(), before = h.memory(), steps = 0;
        }
        state.counters["bytes_per_drag"] =
            steps ? static_cast<double>(h.memory() - before) / steps : 0.0;
    }
    objects.Keep = nullptr;
    objects.clear();
}
BENCHMARK(BM_DragMemory)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
