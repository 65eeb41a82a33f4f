// Loci in a drag, on a 1000 x 700 picture: a construction of 10,000 objects
// (the cells), and loci of up to 2,000 samples each whose traced point
// depends on 50 objects: a point runs on a circle of radius 3.6 to 4.5, and 50
// reflections in fixed points carry it about. A frame moves the centre of
// the circle, recomputes and redraws.
#include "cells.h"
#include "frames.h"
#include "locus.h"
#include "transform.h"
#include "view.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// The view of the picture: 1,000 pixels over [-7, 7].
class PictureView : public View {
  public:
    PictureView() {
        Y1 = -4.9, Y2 = 4.9;
        Pixel = 14.0 / 1000;
    }
    int viewwidth() const override { return 1000; }
    int viewheight() const override { return 700; }
};

void BM_DragLoci(benchmark::State& state) {
    PictureView v;
    View* before = setview(&v);
    objects.clear();
    counts.reset();
    const int loci = static_cast<int>(state.range(0));
    for (int i = 0; objects.count() < 10000 - loci * 103; ++i) cell(i);
    Point* m = new Point(0, 0);
    for (int k = 0; k < loci; ++k) {
        const double r = 4.5 - k * 0.1;
        Circle* c = new Circle(m, new Point(r, 0));
        auto* q = new Pointon(c, r, 0);
        Pointprim* p = q;
        for (int j = 0; j < 50; ++j) {
            Point* centre = new Point(0.01 * (j % 2), -0.01 * (j % 3));
            p = static_cast<Pointprim*>(
                makeimage(p, Transformation(Transformation::Reflection, centre, nullptr, 0)));
        }
        auto* l = new Locus(p, q);
        l->Limit = 2000;
    }
    frames(state, m, static_cast<int>(state.range(1)), 1);
    int samples = 0;
    for (Object* o = objects.first(); o; o = o->next())
        if (auto* l = dynamic_cast<Locus*>(o))
            for (const auto& p : l->pieces()) samples += static_cast<int>(p.size() / 2);
    state.counters["samples"] = samples;
    objects.clear();
    setview(before);
}
BENCHMARK(BM_DragLoci)
    ->ArgsProduct({{1, 10}, {0, 1}})
    ->ArgNames({"loci", "smooth"})
    ->Unit(benchmark::kMillisecond);

} // namespace
