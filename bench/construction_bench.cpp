// Realistic constructions of every kind of object at 1,000, 10,000 and
// 100,000 objects: recomputation, drawing, one drag step, and building the
// construction by names as the file reader does.
#include "angle.h"
#include "bitmapps.h"
#include "circle.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

const int PerCell = 16; // objects made by one cell

Pointprim* named(const std::string& n, int flags) {
    return static_cast<Pointprim*>(objects.find(n.c_str(), flags, nullptr));
}

// One cell of the construction, its parents looked up by name like a file
// reader would. The cells are spread over the view.
void cell(int i) {
    double x = -6.5 + (i * 7 % 131) / 10.0, y = -6.5 + (i * 13 % 127) / 10.0;
    std::string a = "A" + std::to_string(i), b = "B" + std::to_string(i),
                c = "C" + std::to_string(i);
    (new Point(x, y))->setname(a.c_str());
    (new Point(x + 0.4, y + 0.1))->setname(b.c_str());
    (new Point(x + 0.1, y + 0.5))->setname(c.c_str());
    Pointprim* A = named(a, CPoint);
    Pointprim* B = named(b, CPoint);
    Pointprim* C = named(c, CPoint);
    Segment* ab = new Segment(A, B);
    Line* bc = new Line(B, C);
    bc->setname(String(7).text(), linecount);
    new Ray(C, A);
    Circle* k = new Circle(A, B);
    new Intersection(bc, k);
    Middle* m = new Middle(A, B);
    makeparallel(C, static_cast<Lineprim*>(objects.find(ab->name(), CStraight, nullptr)), 0);
    makeparallel(m, ab, 1);
    new Pointon(k, x + 1, y);
    new Angle(A, B, C);
}

void build(int n) {
    objects.clear();
    counts.reset();
    for (int i = 0; i < n / PerCell; ++i) cell(i);
}

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
    for (auto _ : state) objects.draw(ps);
    state.counters["objects"] = objects.count();
    objects.clear();
}
BENCHMARK(BM_Draw)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
