// Relations and whether they hold in general: the classic theorems of the
// triangle hold in every position; points placed by hand only here.
#include "angle.h"
#include "constructed.h"
#include "derived.h"
#include "discover.h"
#include "intersection.h"
#include "model.h"
#include "relation.h"

#include <algorithm>
#include <set>

namespace {

struct Relations : Model {
    static Point* P(double x, double y) { return new Point(x, y); }
    // The foot of the perpendicular from p on l.
    static Pointprim* foot(Pointprim* p, Lineprim* l) {
        return new Intersection(makeparallel(p, l, 1), l);
    }
    static Verdict check(Relation::Kind k, std::vector<Object*> v) {
        Relation r{k, std::move(v)};
        EXPECT_TRUE(r.holds()) << r.text();
        return checkrelation(r, 1000, 7);
    }
};

} // namespace

TEST_F(Relations, TheoremsOfTheTriangleHoldInGeneral) {
    Point* a = P(-4, -2);
    Point* b = P(5, -1.5);
    Point* c = P(0.5, 4);
    // The sides as whole lines, so that every foot exists.
    Line *ab = makeline(a, b), *bc = makeline(b, c), *ca = makeline(c, a);
    // Euler line: orthocentre, centroid, circumcentre.
    Pointprim* fa = foot(a, bc);
    Pointprim* fb = foot(b, ca);
    Pointprim* fc = foot(c, ab);
    auto* h = new Intersection(new Line(a, fa), new Line(b, fb));
    h->setname("H");
    auto *ma = new Middle(b, c), *mb = new Middle(c, a), *mc = new Middle(a, b);
    auto* s = new Intersection(new Line(a, ma), new Line(b, mb));
    s->setname("S");
    auto* u = new Intersection(new Midperpendicular(a, b), new Midperpendicular(b, c));
    u->setname("U");
    Verdict euler = check(Relation::Collinear, {h, s, u});
    EXPECT_EQ(euler.R, Verdict::General) << euler.text();
    EXPECT_EQ(euler.Checked, 1000);
    EXPECT_EQ(euler.text().rfind("true in general (checked in ", 0), 0u) << euler.text();
    EXPECT_EQ(Relation({Relation::Collinear, {h, s, u}}).text(), "H, S and U lie on one line");
    // The nine-point circle: the midpoints and a foot.
    EXPECT_EQ(check(Relation::Concyclic, {ma, mb, mc, fa}).R, Verdict::General);
    EXPECT_EQ(check(Relation::Concyclic, {ma, fb, mc, fc}).R, Verdict::General);
    // The angle bisectors meet in one point.
    auto *wa = new Bisector(b, a, c), *wb = new Bisector(c, b, a), *wc = new Bisector(a, c, b);
    EXPECT_EQ(check(Relation::Concurrent, {wa, wb, wc}).R, Verdict::General);
    // Simson line: the feet from a point on the circumcircle.
    auto* k = new CircleThrough(a, b, c);
    auto* p = new Pointon(k, k->x(), k->y() + k->r());
    p->update();
    Verdict simson = check(Relation::Collinear, {foot(p, ab), foot(p, bc), foot(p, ca)});
    EXPECT_EQ(simson.R, Verdict::General);
    // The figure stands as it did.
    EXPECT_EQ(a->x(), -4);
    EXPECT_EQ(c->y(), 4);
    EXPECT_TRUE(Relation({Relation::OnCircle, {p, k}}).holds());
}

TEST_F(Relations, ThalesAndVarignon) {
    Point* a = P(-3, 0);
    Point* b = P(3, 0);
    auto* k = new Circle(new Middle(a, b), a);
    auto* c = new Pointon(k, 1, 3);
    c->update();
    EXPECT_EQ(check(Relation::Perpendicular, {new Segment(c, a), new Segment(c, b)}).R,
              Verdict::General);
    // A point on a circle stands bit for bit where it stood.
    const double cx = c->x(), cy = c->y();
    EXPECT_EQ(check(Relation::OnCircle, {c, k}).R, Verdict::General);
    EXPECT_EQ(c->x(), cx);
    EXPECT_EQ(c->y(), cy);
    Point* q[4] = {P(0, 0), P(5, -1), P(6, 3), P(1, 4)};
    Middle* m[4];
    for (int i = 0; i < 4; ++i) m[i] = new Middle(q[i], q[(i + 1) % 4]);
    auto* s1 = new Segment(m[0], m[1]);
    auto* s3 = new Segment(m[2], m[3]);
    EXPECT_EQ(check(Relation::Parallel, {s1, s3}).R, Verdict::General);
    EXPECT_EQ(check(Relation::EqualLength, {s1, s3}).R, Verdict::General);
}

TEST_F(Relations, WhatHoldsHereOnlyIsCaughtWithACounterExample) {
    // Three points placed on one line by hand.
    Point* a = P(0, 0);
    Point* b = P(1, 1);
    Point* c = P(3, 3);
    b->setname("B");
    Verdict v = check(Relation::Collinear, {a, b, c});
    EXPECT_EQ(v.R, Verdict::HereOnly);
    ASSERT_TRUE(v.Breaker);
    EXPECT_EQ(v.text(), "true here, but not in general: moving " + std::string(v.Breaker->name()) +
                            " breaks it");
    // The same seed, the same counter-example; the figure as it was.
    Verdict again = checkrelation(Relation{Relation::Collinear, {a, b, c}}, 1000, 7);
    EXPECT_EQ(again.Counter.X, v.Counter.X);
    EXPECT_EQ(b->x(), 1);
    showposition(v.Counter);
    EXPECT_FALSE(Relation({Relation::Collinear, {a, b, c}}).holds()) << "the counter-example";
    // A point that happens to lie on a circle.
    Point* m = P(10, 0);
    auto* k = new Circle(m, P(12, 0));
    Point* d = P(10, 2);
    showposition(Position{{0, 1, 3, 10, 12, 10}, {0, 1, 3, 0, 0, 2}});
    EXPECT_EQ(check(Relation::OnCircle, {d, k}).R, Verdict::HereOnly);
    // What does not hold here is said at once.
    Relation no{Relation::Collinear, {a, b, m}};
    EXPECT_FALSE(no.holds());
    EXPECT_EQ(checkrelation(no).R, Verdict::NotHere);
    EXPECT_EQ(checkrelation(no).text(), "not true here");
}

TEST_F(Relations, RelationsAmongPickedObjects) {
    Point* a = P(0, 0);
    Point* b = P(4, 0);
    Point* c = P(2, 0);
    Point* d = P(2, 3);
    Line* g = makeline(a, b);
    Line* h = makeline(c, d);
    std::vector<Relation> found = relationsamong({a, b, c, g, h});
    std::vector<std::string> texts;
    for (const Relation& r : found) texts.push_back(r.text());
    std::vector<std::string> expected = {"Point_1, Point_2 and Point_3 lie on one line",
                                         "Line_1 and Line_2 are perpendicular",
                                         "Point_1 lies on Line_1",
                                         "Point_2 lies on Line_1",
                                         "Point_3 lies on Line_1",
                                         "Point_3 lies on Line_2"};
    EXPECT_EQ(texts, expected);
    // Invalid objects hold nothing.
    b->set(0, 0);
    objects.update();
    EXPECT_FALSE(Relation({Relation::OnLine, {c, g}}).holds());
}

TEST_F(Relations, DiscoverFindsTheEulerLineAndNothingBuiltIn) {
    Point* a = P(-4, -2);
    Point* b = P(5, -1.5);
    Point* c = P(0.5, 4);
    a->setname("A"), b->setname("B"), c->setname("C");
    auto *ab = new Segment(a, b), *bc = new Segment(b, c), *ca = new Segment(c, a);
    (void)ab;
    auto *ma = new Middle(b, c), *mb = new Middle(c, a);
    auto* s = new Intersection(new Segment(a, ma), new Segment(b, mb));
    s->setname("S");
    auto* u = new Intersection(new Midperpendicular(a, b), new Midperpendicular(b, c));
    u->setname("U");
    auto* h = new Intersection(makeparallel(a, bc, 1), makeparallel(b, ca, 1));
    h->setname("H");
    std::vector<Found> found = discover(s, 1000, 3);
    std::vector<std::string> texts;
    for (const Found& f : found) texts.push_back(f.R.text());
    ASSERT_EQ(texts.size(), 1u) << ::testing::PrintToString(texts);
    EXPECT_EQ(found[0].R.K, Relation::Collinear);
    EXPECT_EQ(std::set<Object*>(found[0].R.Objects.begin(), found[0].R.Objects.end()),
              (std::set<Object*>{s, h, u}));
    EXPECT_EQ(found[0].Checked, 1000);
    EXPECT_EQ(a->x(), -4) << "the figure as it was";
    // What was made so is no finding: the midpoint on its side, the
    // circumcentre on its bisectors, the centroid on its medians.
    EXPECT_TRUE(builtin(Relation{Relation::OnLine, {ma, bc}}));
    EXPECT_TRUE(builtin(Relation{Relation::Collinear, {ma, b, c}}));
    EXPECT_TRUE(builtin(Relation{Relation::Collinear, {s, a, ma}}));
    EXPECT_FALSE(builtin(Relation{Relation::Collinear, {s, h, u}}));
    // Asked to stop, it stops with nothing.
    int heard = 0;
    EXPECT_TRUE(discover(s, 1000, 3, [&](double) { return ++heard < 3; }).empty());
    EXPECT_EQ(heard, 3);
    EXPECT_EQ(a->x(), -4);
}
