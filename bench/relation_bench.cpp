// Whether a relation holds in general, and Discover: constructions of
// triangles, each with its centroid, circumcentre and orthocentre built from
// visible medians, perpendicular bisectors and altitudes (19 objects a
// triangle). The check moves every free point of the construction to 1,000
// random positions and recomputes all of it each time.
#include "constructed.h"
#include "derived.h"
#include "discover.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"
#include "point.h"
#include "relation.h"

#include <benchmark/benchmark.h>

namespace {

struct Euler {
    Pointprim *H, *S, *U;
};

// A triangle about (x, y) with its three centres.
Euler triangle(double x, double y) {
    Point* a = new Point(x - 4, y - 2);
    Point* b = new Point(x + 5, y - 1.5);
    Point* c = new Point(x + 0.5, y + 4);
    new Segment(a, b);
    auto* bc = new Segment(b, c);
    auto* ca = new Segment(c, a);
    auto *ma = new Middle(b, c), *mb = new Middle(c, a);
    auto* s = new Intersection(new Segment(a, ma), new Segment(b, mb));
    auto* u = new Intersection(new Midperpendicular(a, b), new Midperpendicular(b, c));
    auto* h = new Intersection(makeparallel(a, bc, 1), makeparallel(b, ca, 1));
    return {h, s, u};
}

Euler build(int objectcount) {
    objects.clear();
    counts.reset();
    Euler first = triangle(0, 0);
    for (int i = 1; objects.count() + 19 <= objectcount; ++i)
        triangle(12.0 * (i % 10), 12.0 * (i / 10));
    return first;
}

// The Euler line of the first triangle in a construction of about 1,000
// objects, checked in 1,000 random positions.
void BM_RelationInGeneral(benchmark::State& state) {
    Euler e = build(static_cast<int>(state.range(0)));
    const Relation r{Relation::Collinear, {e.H, e.S, e.U}};
    Verdict v;
    for (auto _ : state) v = checkrelation(r, 1000, 1);
    state.counters["objects"] = objects.count();
    state.counters["checked"] = v.Checked;
    objects.clear();
}
BENCHMARK(BM_RelationInGeneral)->Arg(1000)->ArgName("objects")->Unit(benchmark::kMillisecond);

// Discover for the centroid of the first triangle in a construction of about
// 200 objects: every pair and triple of the other points, 1,000 positions.
void BM_Discover(benchmark::State& state) {
    Euler e = build(static_cast<int>(state.range(0)));
    std::size_t found = 0;
    for (auto _ : state) found = discover(e.S, 1000, 1).size();
    state.counters["objects"] = objects.count();
    state.counters["found"] = static_cast<double>(found);
    objects.clear();
}
BENCHMARK(BM_Discover)->Arg(200)->Arg(10000)->ArgName("objects")->Unit(benchmark::kMillisecond);

} // namespace
