#include "angle.h"
#include "arc.h"
#include "bitmapps.h"
#include "constructed.h"
#include "control.h"
#include "derived.h"
#include "line.h"
#include "model.h"
#include "number.h"
#include "region.h"
#include "text.h"

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

namespace {

Calculation* calc(const std::string& text) {
    Expression e;
    EXPECT_TRUE(e.parse(text, numbersbefore(nullptr))) << text << ": " << e.Why;
    return new Calculation(std::move(e));
}

} // namespace

TEST_F(Numbers, CalculationsFollowTheirNumbersAndTurnInvalidWithThem) {
    EXPECT_EQ(calc("2^10")->value(), 1024);
    EXPECT_EQ(calc("sin(30)")->value(), 0.5);
    // The angle sum of a triangle stays 180 while a vertex moves.
    Point* a = P(0, 0);
    Point* b = P(4, 0);
    Point* c = P(1, 3);
    auto* wa = new Measure(Measure::AngleSize, new Angle(b, a, c));
    wa->setname("wa");
    auto* wb = new Measure(Measure::AngleSize, new Angle(c, b, a));
    wb->setname("wb");
    auto* wc = new Measure(Measure::AngleSize, new Angle(a, c, b));
    wc->setname("wc");
    Calculation* sum = calc("wa + wb + wc");
    EXPECT_NEAR(sum->value(), 180, 1e-9);
    for (double x : {-3.0, 0.5, 2.0, 7.0}) {
        c->set(x, 2);
        objects.update();
        EXPECT_NEAR(sum->value(), 180, 1e-9) << x;
    }
    // A calculation of a length turns invalid with its segment and back.
    auto* len = new Measure(Measure::Length, new Segment(a, b));
    len->setname("len");
    Calculation* half = calc("len / 2");
    Calculation* inverse = calc("1 / (len - 4)");
    EXPECT_EQ(half->value(), 2);
    EXPECT_FALSE(inverse->valid) << "a division by nothing has no value";
    b->set(0, 0);
    objects.update();
    EXPECT_FALSE(half->valid);
    b->set(6, 0);
    objects.update();
    EXPECT_EQ(half->value(), 3);
    EXPECT_EQ(inverse->value(), 0.5);
    // A change refers only to numbers before the calculation, not to itself.
    std::string why;
    EXPECT_FALSE(half->change("inverse + 1", why));
    EXPECT_FALSE(half->change(std::string(half->name()) + " + 1", why));
    EXPECT_TRUE(inverse->change("len * wa", why));
    EXPECT_NEAR(inverse->value(), 6 * wa->value(), 1e-12);
    // A name in braces may hold braces: the first "}" that ends a name.
    len->setname("l_{1}");
    wa->setname("w}");
    EXPECT_TRUE(inverse->change("{l_{1}} * 2 + {w}}", why)) << why;
    EXPECT_NEAR(inverse->value(), 12 + wa->value(), 1e-12);
    EXPECT_FALSE(inverse->change("{l_{2}}", why));
    EXPECT_FALSE(inverse->change("{l_{1", why));
}

TEST_F(Numbers, SlidersDriveGeometryAndConditionsSwitchWhatIsShown) {
    auto* r = new Slider(2, 0, 10, 0.5);
    r->setname("r");
    Point* m = P(0, 0);
    auto* k = new CircleRadius(m, r, 0);
    EXPECT_EQ(k->r(), 2);
    r->setvalue(3);
    objects.update();
    EXPECT_EQ(k->r(), 3);
    r->setvalue(0);
    objects.update();
    EXPECT_FALSE(k->valid) << "no circle of radius 0";
    // Dragging the knob: from the left end over the line of the slider.
    const double p = view().Pixel;
    r->grab(r->X, r->Y);
    EXPECT_EQ(r->value(), 0);
    r->dragto(r->X + Slider::Length * p * 0.51, r->Y + 3 * p);
    EXPECT_EQ(r->value(), 5);
    r->dragto(r->X + 1e6, r->Y);
    EXPECT_EQ(r->value(), 10);
    // Grabbed at its label, the slider moves instead.
    const double x = r->X, y = r->Y;
    r->grab(x + 5 * p, y + 20 * p);
    r->dragto(x + 15 * p, y + 30 * p);
    EXPECT_NEAR(r->X, x + 10 * p, 1e-12);
    EXPECT_NEAR(r->Y, y + 10 * p, 1e-12);
    EXPECT_EQ(r->value(), 10);
    EXPECT_FALSE(Slider::range(1, 1, 1));
    EXPECT_FALSE(Slider::range(0, 1, 0));
    EXPECT_FALSE(Slider::range(-1e308, 1e308, 1));

    // A check box shows its objects; a condition on a distance switches an
    // object while a point moves.
    auto* box = new CheckBox(1, "heights");
    box->setname("b");
    Point* q = P(1, 0);
    auto* d = new Distance(m, q);
    d->setname("d");
    auto* s = new Segment(m, q);
    auto* t = new Text("d is {d}", 0, 0, nullptr);
    std::string why;
    ASSERT_TRUE(s->condition("b", why));
    ASSERT_TRUE(t->condition("d > 3", why));
    EXPECT_FALSE(t->condition("d >", why));
    EXPECT_FALSE(t->condition(std::string(t->name()) + " > 1", why));
    EXPECT_FALSE(s->hidden());
    EXPECT_TRUE(t->hidden());
    box->click();
    EXPECT_TRUE(s->hidden());
    view().showhidden = 1;
    EXPECT_FALSE(s->hidden()) << "Show All shows it";
    Window w;
    BitmapPS ps(w, 10, 10);
    EXPECT_EQ(s->drawcolor(ps), objectcolors.light(0)) << "in its light shade";
    view().showhidden = 0;
    q->set(4, 0);
    objects.update();
    EXPECT_FALSE(t->hidden());
    EXPECT_EQ(t->shown(), "d is 4.00");
    // The condition's numbers are parents: deleting the box takes the
    // segment along.
    objects.unmark();
    objects.mark(box);
    EXPECT_TRUE(s->mark);
    EXPECT_FALSE(d->mark);
}

TEST_F(Numbers, TextsFillInValuesAndKeepOtherBraces) {
    auto* a = new Slider(1.5, 0, 2, 0.5);
    a->setname("a");
    auto* t = new Text("{a} and {b} and {a}{ and }", 1, 2, nullptr);
    EXPECT_EQ(t->shown(), "1.50 and {b} and 1.50{ and }");
    Parents parents(t);
    EXPECT_EQ(parents.size(), 1) << "a once";
    a->Places = 0;
    EXPECT_EQ(t->shown(), "2 and {b} and 2{ and }");
    // A number named after the text does not count: it comes later.
    auto* b = new Slider(1, 0, 2, 1);
    b->setname("b");
    t->change(t->source());
    EXPECT_EQ(t->shown(), "2 and {b} and 2{ and }");
    // Beside a point, the text follows it.
    Point* p = P(1, 1);
    auto* u = new Text("here", 0, 0, p);
    EXPECT_LT(u->distance(1 + view().Pixel, 1 - view().Pixel), view().Pixel);
    p->set(-2, -2);
    objects.update();
    EXPECT_GT(u->distance(1, 1), 1);
    EXPECT_LT(u->distance(-2 + view().Pixel, -2 - view().Pixel), view().Pixel);
}
