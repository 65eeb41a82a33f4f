#include "bitmapps.h"
#include "circle.h"
#include "constructed.h"
#include "control.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "locus.h"
#include "model.h"

#include <cmath>

using Loci = Model;

namespace {

// Every sample of a locus, given to check as x, y.
template <class Check> int samples(const Locus* l, Check check) {
    int n = 0;
    for (const std::vector<double>& p : l->pieces())
        for (std::size_t i = 0; i + 1 < p.size(); i += 2, ++n) check(p[i], p[i + 1]);
    return n;
}

// The largest step between neighbouring samples of a piece.
double longeststep(const Locus* l) {
    double d = 0;
    for (const std::vector<double>& p : l->pieces())
        for (std::size_t i = 2; i + 1 < p.size(); i += 2)
            d = std::max(d, std::hypot(p[i] - p[i - 2], p[i + 1] - p[i - 1]));
    return d;
}

// The midpoint of (4, 0) and a point q on the unit circle, q put near
// (x, y).
struct Midpoint {
    Midpoint(double x, double y)
        : q(new Pointon(new Circle(new Point(0, 0), new Point(1, 0)), x, y)), far(new Point(4, 0)),
          mid(new Middle(far, q)) {}
    Pointon* q;
    Point* far;
    Middle* mid;
};

} // namespace

TEST_F(Loci, TheMidpointOfAPointOnACircleRunsOnAHalfSizedCircle) {
    auto [q, far, mid] = Midpoint(0, 1);
    ASSERT_TRUE(Locus::takes(mid, q));
    EXPECT_FALSE(Locus::takes(far, q)) << "the far point does not move with q";
    EXPECT_FALSE(Locus::takes(mid, far)) << "a free point drives nothing";
    auto* l = new Locus(mid, q);
    ASSERT_TRUE(l->valid);
    ASSERT_EQ(l->pieces().size(), 1u) << "closed, in one piece";
    int n = samples(l, [](double x, double y) {
        EXPECT_NEAR(std::hypot(x - 2, y), 0.5, 1e-9) << x << " " << y;
    });
    EXPECT_GE(n, Locus::Start);
    EXPECT_LE(n, l->Limit);
    const std::vector<double>& p = l->pieces()[0];
    EXPECT_NEAR(p[0], p[p.size() - 2], 1e-12) << "it closes";
    EXPECT_LT(longeststep(l), 3 * view().Pixel) << "fine enough for the screen";
    // The driver and what it moves stand where they stood.
    EXPECT_EQ(q->x(), 0);
    EXPECT_EQ(q->y(), 1);
    EXPECT_EQ(mid->x(), 2);
    // A point on the locus; dragging what the locus depends on moves it at
    // once, and the point with it.
    auto* on = new Pointon(l, 2.6, 0.1);
    EXPECT_NEAR(std::hypot(on->x() - 2, on->y()), 0.5, 1e-4);
    far->set(6, 0);
    objects.update();
    samples(l, [](double x, double y) { EXPECT_NEAR(std::hypot(x - 3, y), 0.5, 1e-9); });
    EXPECT_NEAR(std::hypot(on->x() - 3, on->y()), 0.5, 1e-4);
}

TEST_F(Loci, TheGardenersConstructionDrawsAnEllipse) {
    // Foci (-3, 0) and (3, 0), a string of 10: D runs on the circle of
    // radius 10 about the first focus; the point of the ellipse is where
    // the line from that focus to D meets the perpendicular bisector of the
    // second focus and D.
    Point* f1 = new Point(-3, 0);
    Point* f2 = new Point(3, 0);
    Circle* guide = new Circle(f1, new Point(7, 0));
    auto* d = new Pointon(guide, 7, 0);
    auto* p = new Intersection(makeline(f1, d), new Midperpendicular(f2, d));
    auto* l = new Locus(p, d);
    ASSERT_TRUE(l->valid);
    int n = samples(l, [](double x, double y) {
        EXPECT_NEAR(x * x / 25 + y * y / 16, 1, 1e-9) << x << " " << y;
    });
    EXPECT_GT(n, 200);
    EXPECT_EQ(l->pieces().size(), 1u);
}

TEST_F(Loci, WherePHasNoPlaceTheCurveHasAGap) {
    // A vertical line through a point running on the circle of radius 3
    // meets the circle of radius 2 only while the point is above or below
    // it: two arcs, and no segment between them.
    Point* o = new Point(0, 0);
    Circle* outer = new Circle(o, new Point(3, 0));
    Circle* inner = new Circle(o, new Point(2, 0));
    auto* q = new Pointon(outer, 0, 3);
    Line* axis = makeline(o, new Point(1, 0));
    DepLine* vertical = makeparallel(q, axis, 1);
    auto* cut = new Intersection(vertical, inner);
    auto* l = new Locus(cut, q);
    ASSERT_TRUE(l->valid);
    EXPECT_EQ(l->pieces().size(), 2u);
    samples(l, [](double x, double y) {
        EXPECT_NEAR(std::hypot(x, y), 2, 1e-9);
        EXPECT_LE(std::fabs(x), 2 + 1e-9);
    });
    EXPECT_LT(longeststep(l), 0.5) << "no segment across the gap";
    // A slider drives a locus too: the point at the slider's distance.
    auto* s = new Slider(1, -2, 2, 0.5);
    auto* k = new CircleRadius(o, s, 0);
    auto* top = new Intersection(k, makeline(o, new Point(0, 1)));
    auto* m = new Locus(top, s);
    ASSERT_TRUE(m->valid);
    samples(m, [](double x, double y) {
        EXPECT_NEAR(x, 0, 1e-9);
        EXPECT_LE(std::fabs(y), 2 + 1e-9);
    });
    EXPECT_EQ(s->value(), 1) << "the slider is back";
}

TEST_F(Loci, ACardioidIsSampledIntoItsCusp) {
    // The foot of the perpendicular from A, on the unit circle at angle 1,
    // to the tangent at a point running on the circle: r = 1 - cos(phi - 1)
    // about A. The cusp lies between the first samples.
    Point* o = new Point(0, 0);
    Circle* c = new Circle(o, new Point(1, 0));
    const double ca = std::cos(1.0), sa = std::sin(1.0);
    Point* a = new Point(ca, sa);
    auto* q = new Pointon(c, 0, 1);
    DepLine* tangent = makeparallel(q, makeline(o, q), 1);
    auto* foot = new Intersection(makeparallel(a, tangent, 1), tangent);
    auto* l = new Locus(foot, q);
    ASSERT_TRUE(l->valid);
    double closest = 1;
    int n = samples(l, [&](double x, double y) {
        const double dx = x - ca, dy = y - sa, r = std::hypot(dx, dy);
        EXPECT_NEAR(r * r + dx * ca + dy * sa, r, 1e-9) << x << " " << y;
        closest = std::min(closest, r);
    });
    EXPECT_LE(n, l->Limit);
    EXPECT_LT(closest, view().Pixel / 4) << "into the cusp";
    EXPECT_LT(longeststep(l), 3 * view().Pixel);
    // A curve a few pixels small is still round: no step of a pixel.
    const double r = 4 * view().Pixel;
    Circle* small = new Circle(o, new Point(2 * r, 0));
    auto* s = new Pointon(small, 0, 2 * r);
    auto* tiny = new Locus(new Middle(o, s), s);
    samples(tiny, [&](double x, double y) { EXPECT_NEAR(std::hypot(x, y), r, 1e-9); });
    EXPECT_LT(longeststep(tiny), view().Pixel);
}

TEST_F(Loci, APointOnALocusKeepsItsPlaceAlongTheCurve) {
    auto [q, far, mid] = Midpoint(1, 0);
    auto* l = new Locus(mid, q);
    // Put where q at a quarter turn puts the midpoint: (2, 0.5).
    auto* on = new Pointon(l, 2, 0.6);
    EXPECT_NEAR(on->x(), 2, 1e-3);
    EXPECT_NEAR(on->y(), 0.5, 1e-3);
    // The curve moves up by 1: the point goes with its place on the curve
    // (the nearest place to where it stood would be the curve's bottom).
    far->set(4, 2);
    objects.update();
    EXPECT_NEAR(on->x(), 2, 1e-3);
    EXPECT_NEAR(on->y(), 1.5, 1e-3);
    // Computed again, it stays to the last bit; moved, it takes the new
    // place's parameter.
    const double x = on->x(), y = on->y();
    objects.update();
    EXPECT_EQ(on->x(), x);
    EXPECT_EQ(on->y(), y);
    on->set(2.6, 1);
    objects.update();
    EXPECT_NEAR(on->x(), 2.5, 1e-3);
    EXPECT_NEAR(on->y(), 1, 1e-3);
    far->set(4, 0);
    objects.update();
    EXPECT_NEAR(on->x(), 2.5, 1e-3) << "q at no turn puts the midpoint at (2.5, 0)";
    EXPECT_NEAR(on->y(), 0, 1e-3);
}

TEST_F(Loci, AZoomOrAShiftSamplesTheCurveAnewWhenItIsDrawn) {
    // The midpoint of (0, 2) and a point running on the x axis runs on the
    // line y = 1, as far as the widened view lets the driver run.
    Point* o = new Point(0, 0);
    auto* q = new Pointon(makeline(o, new Point(1, 0)), 0, 0);
    auto* l = new Locus(new Middle(new Point(0, 2), q), q);
    auto reach = [&] {
        double most = -1e300;
        samples(l, [&](double x, double y) {
            EXPECT_NEAR(y, 1, 1e-12);
            most = std::max(most, x);
        });
        return most;
    };
    const double before = reach(), coarse = longeststep(l);
    EXPECT_GT(before, 20);
    EXPECT_LT(before, 40);
    Window w;
    BitmapPS ps(w, 500, 500);
    View shifted;
    shifted.X1 = 193, shifted.X2 = 207;
    View* plain = setview(&shifted);
    l->draw(ps);
    EXPECT_GT(reach(), 100) << "the driver runs around the new view";
    // Ten times closer, the samples lie closer together (a straight locus
    // across the widened view needs more than 2,000 of them to lie two
    // pixels apart).
    View close;
    close.X1 = -0.7, close.X2 = 0.7, close.Y1 = -0.7, close.Y2 = 0.7, close.Pixel = 1.4 / 500;
    setview(&close);
    l->draw(ps);
    EXPECT_LT(longeststep(l), coarse / 3);
    setview(plain);
}
