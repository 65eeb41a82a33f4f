#include "angle.h"
#include "arc.h"
#include "derived.h"
#include "line.h"
#include "model.h"
#include "number.h"
#include "region.h"

#include <cmath>

using Numbers = Model;

namespace {

Point* P(double x, double y) {
    return new Point(x, y);
}

} // namespace

TEST_F(Numbers, MeasuresGiveTheKnownValuesAndFollowTheirObjects) {
    Point* a = P(0, 0);
    Point* b = P(3, 4);
    auto* d = new Distance(a, b);
    EXPECT_STREQ(d->name(), "Number_1");
    EXPECT_EQ(d->objectclass(), CNumber);
    EXPECT_EQ(d->value(), 5);
    auto* s = new Segment(a, b);
    auto* c = new Circle(a, P(2, 0));
    auto* w = new Angle(P(1, 0), a, b);
    auto* q = new CenterArc(a, P(1, 0), P(0, 1));
    auto* poly = new Polygon({a, P(3, 0), b});
    auto* g = new Line(a, b);
    auto* v = new Line(P(1, 0), P(1, 5));
    using M = Measure;
    const std::tuple<M::Kind, Object*, double> cases[] = {
        {M::Length, s, 5},
        {M::Length, q, M_PI / 2},
        {M::Radius, c, 2},
        {M::Radius, q, 1},
        {M::AngleSize, w, std::atan2(4, 3) * 180 / M_PI},
        {M::Area, c, 4 * M_PI},
        {M::Area, poly, 6},
        {M::Perimeter, c, 4 * M_PI},
        {M::Perimeter, poly, 12},
        {M::Slope, g, 4.0 / 3},
    };
    for (auto [k, o, want] : cases) {
        ASSERT_TRUE(Measure::takes(k, o)) << k << " " << o->name();
        auto* m = new Measure(k, o);
        EXPECT_NEAR(m->value(), want, 1e-12) << k << " " << o->name();
    }
    // What has no such measure is not taken.
    EXPECT_FALSE(Measure::takes(M::Length, g));
    EXPECT_FALSE(Measure::takes(M::Area, q)) << "an arc has no area";
    EXPECT_FALSE(Measure::takes(M::Radius, s));
    EXPECT_FALSE(Measure::takes(M::Slope, c));
    EXPECT_FALSE(Measure::takes(M::AngleSize, nullptr));
    // A vertical line has no slope.
    auto* steep = new Measure(M::Slope, v);
    EXPECT_FALSE(steep->valid);
    EXPECT_TRUE(std::isnan(steep->value()));
    // The values follow a drag, and vanish and come back with their objects.
    b->set(6, 8);
    objects.update();
    EXPECT_EQ(d->value(), 10);
    b->set(0, 0);
    objects.update();
    EXPECT_TRUE(d->valid) << "a distance of nothing is 0";
    EXPECT_EQ(d->value(), 0);
    auto* len = new Measure(M::Length, s);
    EXPECT_FALSE(len->valid) << "the segment is gone";
    b->set(0, 2);
    objects.update();
    EXPECT_TRUE(len->valid);
    EXPECT_EQ(len->value(), 2);
}

TEST_F(Numbers, LabelsShowTheSetPlacesAndDegrees) {
    Point* a = P(0, 0);
    Point* b = P(1, 0);
    Point* c = P(0, 1);
    auto* d = new Distance(a, P(1, 1));
    d->setname("d");
    EXPECT_EQ(d->label(), "d = 1.41");
    auto* w = new Measure(Measure::AngleSize, new Angle(b, a, c));
    w->setname("\xce\xb1");
    EXPECT_EQ(w->label(), "\xce\xb1 = 90.00\xc2\xb0");
    view().Decimals = 0;
    EXPECT_EQ(d->label(), "d = 1");
    view().Decimals = 5;
    EXPECT_EQ(d->label(), "d = 1.41421");
    view().Decimals = 2;
    auto* m = new Measure(Measure::Slope, new Line(a, P(1, -0.001)));
    m->setname("m");
    EXPECT_EQ(m->label(), "m = 0.00") << "no minus before a zero";
}

TEST_F(Numbers, ALabelIsChosenOnlyWhereNoPointOrLineIs) {
    Point* m = P(0, 0);
    auto* r = new Measure(Measure::Radius, new Circle(m, P(3, 0)));
    const double p = view().Pixel;
    Object* got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 0, 1), 1);
    EXPECT_EQ(got, m) << "the centre, not the radius's label anchored there";
    got = nullptr;
    // On the label's text: its line is the second below the anchor.
    EXPECT_EQ(objects.select(40 * p, -16 * p + 7 * p, &got, 0, 0, 1), 1);
    EXPECT_EQ(got, r);
}
