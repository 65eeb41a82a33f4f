#include "arc.h"
#include "bitmapps.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "model.h"
#include "region.h"
#include "transform.h"

#include <algorithm>
#include <cmath>
#include <vector>

using Shapes = Model;

namespace {

Point* P(double x, double y) {
    return new Point(x, y);
}

Polygon* polygon(std::initializer_list<std::pair<double, double>> v) {
    std::vector<Pointprim*> p;
    for (auto [x, y] : v) p.push_back(P(x, y));
    return new Polygon(p);
}

// The plain view on 140 x 140 pixels: 10 pixels a unit, origin at (70, 70).
struct Picture {
    Window w;
    BitmapPS ps{w, 140, 140};
    Color at(double x, double y) const {
        return ps.pixel(static_cast<int>(70 + x * 10), static_cast<int>(70 - y * 10));
    }
};

} // namespace

TEST_F(Shapes, PolygonsMeasureAndKeepTheirVertices) {
    Polygon* square = polygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
    EXPECT_STREQ(square->name(), "Polygon_1");
    EXPECT_EQ(square->objectclass(), CRegion);
    EXPECT_DOUBLE_EQ(square->area(), 4);
    EXPECT_DOUBLE_EQ(square->perimeter(), 8);
    EXPECT_DOUBLE_EQ(square->signedarea(), 4);
    EXPECT_EQ(Parents(square).size(), 4);
    EXPECT_EQ(Parents(square)[3], square->vertex(3));
    // Clockwise: the same area, a negative signed one.
    Polygon* cw = polygon({{0, 0}, {0, 2}, {2, 2}, {2, 0}});
    EXPECT_DOUBLE_EQ(cw->area(), 4);
    EXPECT_DOUBLE_EQ(cw->signedarea(), -4);
    // A bow tie is measured by the shoelace formula: its halves cancel.
    Polygon* bow = polygon({{0, 0}, {2, 2}, {2, 0}, {0, 2}});
    EXPECT_TRUE(bow->valid);
    EXPECT_NEAR(bow->area(), 0, 1e-15);
    EXPECT_NEAR(bow->perimeter(), 4 + 4 * std::sqrt(2), 1e-14);
    // Inside counts as near; outside, the distance to the outline.
    EXPECT_EQ(square->distance(1, 1), 0);
    EXPECT_DOUBLE_EQ(square->distance(3, 1), 1);
    EXPECT_DOUBLE_EQ(square->distance(5, 6), 5);
    // A vertex moves the polygon; an invalid vertex makes it invalid.
    square->vertex(2)->set(4, 2);
    objects.update();
    EXPECT_DOUBLE_EQ(square->area(), 6);
    auto* a = P(0, 0);
    auto* b = P(0, 0);
    Line* none = new Line(a, b);
    auto* on = new Pointon(none, 1, 1);
    Polygon* broken = new Polygon({on, square->vertex(1), square->vertex(2)});
    EXPECT_FALSE(broken->valid);
    b->set(1, 0);
    objects.update();
    EXPECT_TRUE(broken->valid);
}

TEST_F(Shapes, RegularPolygonsStandOnTheirSideCounterclockwise) {
    Point* a = P(0, 0);
    Point* b = P(1, 0);
    RegularPolygon* h = makeregularpolygon(a, b, 6);
    ASSERT_TRUE(h);
    EXPECT_NEAR(h->area(), 3 * std::sqrt(3) / 2, 1e-14);
    EXPECT_NEAR(h->perimeter(), 6, 1e-14);
    ASSERT_EQ(h->Vertices.size(), 4u);
    const double r3 = std::sqrt(3) / 2;
    const double want[4][2] = {{1.5, r3}, {1, 2 * r3}, {0, 2 * r3}, {-0.5, r3}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(h->vertex(k)->x(), want[k][0], 1e-15) << k;
        EXPECT_NEAR(h->vertex(k)->y(), want[k][1], 1e-15) << k;
        EXPECT_EQ(h->vertex(k)->original(), h);
    }
    // The vertices follow the side, and vanish with it.
    b->set(0, 1);
    objects.update();
    EXPECT_NEAR(h->vertex(0)->x(), -r3, 1e-15);
    EXPECT_NEAR(h->vertex(0)->y(), 1.5, 1e-15);
    b->set(0, 0);
    objects.update();
    EXPECT_FALSE(h->valid);
    EXPECT_FALSE(h->vertex(3)->valid);
    // A square exactly; the numbers of vertices outside 3 to 100 make none.
    RegularPolygon* q = makeregularpolygon(P(0, 0), P(2, 0), 4);
    EXPECT_NEAR(q->area(), 4, 1e-14);
    EXPECT_NEAR(q->vertex(1)->x(), 0, 1e-15);
    EXPECT_NEAR(q->vertex(1)->y(), 2, 1e-15);
    int count = objects.count();
    EXPECT_FALSE(makeregularpolygon(a, b, 2));
    EXPECT_FALSE(makeregularpolygon(a, b, 101));
    EXPECT_EQ(objects.count(), count);
    RegularPolygon* big = makeregularpolygon(P(0, 0), P(0.01, 0), 100);
    EXPECT_EQ(big->vertices(), 100);
}

TEST_F(Shapes, ArcsKnowTheirPieceOfTheCircle) {
    Point* m = P(0, 0);
    Point* e = P(1, 0);
    Point* f = P(0, 3);
    auto* quarter = new CenterArc(m, e, f);
    EXPECT_STREQ(quarter->name(), "Arc_1");
    EXPECT_EQ(quarter->objectclass(), CCircle | CArc);
    EXPECT_DOUBLE_EQ(quarter->r(), 1);
    EXPECT_NEAR(quarter->length(), M_PI / 2, 1e-15);
    EXPECT_NEAR(quarter->x2(), 0, 1e-16);
    EXPECT_NEAR(quarter->y2(), 1, 1e-16);
    // From B back to A is the other three quarters.
    auto* rest = new CenterArc(m, f, e);
    EXPECT_NEAR(rest->r(), 3, 1e-15);
    EXPECT_NEAR(rest->sweep(), 1.5 * M_PI, 1e-15);
    // B on the ray of A: the whole circle; B or A at the centre: none.
    auto* whole = new CenterArc(m, e, P(5, 0));
    EXPECT_NEAR(whole->sweep(), 2 * M_PI, 1e-15);
    EXPECT_FALSE((new CenterArc(m, m, f))->valid);
    EXPECT_FALSE((new CenterArc(m, e, m))->valid);

    auto* half = new Semicircle(P(-1, 0), P(1, 0));
    double x = 0.3, y = 7;
    half->project(&x, &y);
    EXPECT_NEAR(x, 0.3 / std::hypot(0.3, 7), 1e-15);
    EXPECT_NEAR(y, 7 / std::hypot(0.3, 7), 1e-15);
    x = 0, y = 5;
    half->project(&x, &y);
    EXPECT_NEAR(x, 0, 1e-15);
    EXPECT_NEAR(y, 1, 1e-15) << "the top of the semicircle";
    x = 0.2, y = -3;
    half->project(&x, &y);
    EXPECT_DOUBLE_EQ(x, 1) << "below it: the nearer end";
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(half->distance(0, -1), std::sqrt(2)) << "to an end";
    EXPECT_NEAR(half->distance(0, 2), 1, 1e-15);

    // Through three points: from A through B to C, whichever way round.
    auto* upper = new Arc3(P(1, 0), P(0, 1), P(-1, 0));
    auto* upper2 = new Arc3(P(-1, 0), P(0, 1), P(1, 0));
    auto* lower = new Arc3(P(1, 0), P(0, -1), P(-1, 0));
    for (Arc* a : {static_cast<Arc*>(upper), static_cast<Arc*>(upper2)}) {
        EXPECT_NEAR(a->sweep(), M_PI, 1e-15);
        EXPECT_TRUE(a->checkpoint(0, 1));
        EXPECT_FALSE(a->checkpoint(0, -1));
    }
    EXPECT_TRUE(lower->checkpoint(0, -1));
    EXPECT_FALSE(lower->checkpoint(0.1, 0.99));
    EXPECT_FALSE((new Arc3(P(0, 0), P(1, 1), P(2, 2)))->valid) << "on one line";
}

TEST_F(Shapes, PointsAndIntersectionsStayOnTheArc) {
    Point* m = P(0, 0);
    Point* e = P(1, 0);
    Point* f = P(0, 1);
    auto* quarter = new CenterArc(m, e, f);
    auto* on = new Pointon(quarter, 0.6, 0.8);
    EXPECT_NEAR(on->x(), 0.6, 1e-15);
    // Dragged beyond the arc: held at its end.
    on->set(0.5, -2);
    on->update();
    EXPECT_DOUBLE_EQ(on->x(), 1);
    EXPECT_DOUBLE_EQ(on->y(), 0);
    on->set(-0.1, 3);
    on->update();
    EXPECT_NEAR(on->x(), 0, 1e-16);
    EXPECT_NEAR(on->y(), 1, 1e-16);
    // The arc shrinks: the point goes with its end.
    f->set(1, 1);
    objects.update();
    EXPECT_NEAR(on->x(), std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(on->y(), std::sqrt(0.5), 1e-15);
    f->set(0, 1);
    objects.update();

    // A vertical line crosses the circle twice, the quarter once.
    Line* v = new Line(P(0.6, -5), P(0.6, 5));
    auto* i = new Intersection(quarter, v);
    objects.update();
    Pointprim* crossings[2] = {i, i->other()};
    int shown = 0;
    for (Pointprim* p : crossings)
        if (p->valid) {
            ++shown;
            EXPECT_NEAR(p->x(), 0.6, 1e-15);
            EXPECT_NEAR(p->y(), 0.8, 1e-15);
        }
    EXPECT_EQ(shown, 1);
    // Two arcs of one circle that do not overlap do not cross; a circle
    // crosses an arc only on it.
    auto* other = new CenterArc(m, P(-1, 0), P(0, -1));
    auto* none = new Intersection(quarter, other);
    objects.update();
    EXPECT_FALSE(none->valid || none->other()->valid);
    Circle* k = new Circle(P(1, 1), P(1, 0));
    auto* two = new Intersection(k, quarter);
    objects.update();
    EXPECT_TRUE(two->valid && two->other()->valid) << "(1, 0) and (0, 1), the ends";
    auto* one = new Intersection(k, other);
    objects.update();
    EXPECT_FALSE(one->valid || one->other()->valid);
}

TEST_F(Shapes, SectorsAreRegionsOfACircle) {
    Point* m = P(0, 0);
    auto* s = new CenterSector(m, P(2, 0), P(0, 1));
    EXPECT_STREQ(s->name(), "Sector_1");
    EXPECT_EQ(s->objectclass(), CRegion);
    EXPECT_NEAR(s->area(), M_PI, 1e-15);
    EXPECT_NEAR(s->perimeter(), M_PI + 4, 1e-15);
    EXPECT_EQ(s->distance(1, 1), 0);
    EXPECT_NEAR(s->distance(-1, 1), 1, 1e-15) << "beside the radius on the y axis";
    EXPECT_NEAR(s->distance(3, 0.1), 1, 1e-2);
    // Clicking inside takes the sector, unless a point is near.
    Object* got = nullptr;
    EXPECT_EQ(objects.select(1, 1, &got, 0, 0, 1), 1);
    EXPECT_EQ(got, s);
    got = nullptr;
    EXPECT_EQ(objects.select(0.01, 0.01, &got, 0, 0, 1), 1);
    EXPECT_EQ(got, m) << "the centre, not the sector around it";
    got = nullptr;
    EXPECT_EQ(objects.select(1, 1, &got, CPoint, 0, 1), 0);

    // Through three points it runs through the middle one, also when a drag
    // takes that one to the other side of the chord.
    Point* b = P(0, 1);
    auto* t = new Sector3(P(1, 0), b, P(-1, 0));
    EXPECT_STREQ(t->name(), "Sector_2");
    EXPECT_NEAR(t->area(), M_PI / 2, 1e-12);
    EXPECT_EQ(t->distance(0, 0.5), 0);
    EXPECT_GT(t->distance(0, -0.5), 0.4);
    b->set(0, -1);
    objects.update();
    EXPECT_NEAR(t->area(), M_PI / 2, 1e-12);
    EXPECT_EQ(t->distance(0, -0.5), 0);
    EXPECT_GT(t->distance(0, 0.5), 0.4);
    b->set(0, 0);
    objects.update();
    EXPECT_FALSE(t->valid) << "three points on one line";
}

TEST_F(Shapes, MapsTakeEveryShapeAndKeepArcsCounterclockwise) {
    Point* a = P(0, 0);
    Line* mirror = new Line(P(3, -1), P(3, 1)); // x = 3
    Polygon* tri = new Polygon({a, P(2, 0), P(0, 1)});
    auto* r = dynamic_cast<Region*>(
        makeimage(tri, Transformation(Transformation::Reflection, mirror, nullptr, 0)));
    ASSERT_TRUE(r);
    EXPECT_STREQ(r->name(), "Polygon_1'");
    EXPECT_EQ(r->objectclass(), CRegion);
    EXPECT_DOUBLE_EQ(r->places()[2], 4);
    EXPECT_DOUBLE_EQ(r->area(), 1);
    EXPECT_DOUBLE_EQ(r->signedarea(), -1) << "turned over";
    // A quarter arc reflected is still the quarter next to the mirror.
    auto* q = new CenterArc(a, P(1, 0), P(0, 1));
    auto* q1 = dynamic_cast<Arc*>(
        makeimage(q, Transformation(Transformation::Reflection, mirror, nullptr, 0)));
    ASSERT_TRUE(q1);
    EXPECT_EQ(q1->objectclass(), CCircle | CArc);
    EXPECT_NEAR(q1->sweep(), M_PI / 2, 1e-15);
    EXPECT_TRUE(q1->checkpoint(5, 1) && q1->checkpoint(6, 1e-9));
    EXPECT_FALSE(q1->checkpoint(7, 0.5));
    // Rotated by 90 degrees: from 90 to 180.
    auto* q2 =
        dynamic_cast<Arc*>(makeimage(q, Transformation(Transformation::Rotation, a, nullptr, 90)));
    EXPECT_NEAR(q2->from(), M_PI / 2, 1e-15);
    EXPECT_TRUE(q2->checkpoint(-0.5, 0.5));
    // A sector dilated is a sector, twice the radius, four times the area.
    auto* s = new CenterSector(a, P(1, 0), P(0, 1));
    auto* s2 = dynamic_cast<Sector*>(
        makeimage(s, Transformation(Transformation::Dilation, a, nullptr, -2)));
    ASSERT_TRUE(s2);
    EXPECT_EQ(s2->objectclass(), CRegion);
    EXPECT_NEAR(s2->area(), 4 * s->area(), 1e-14);
    EXPECT_TRUE(s2->distance(-1, -1) == 0);
    // An image of a regular polygon follows its side.
    RegularPolygon* h = makeregularpolygon(a, P(1, 0), 6);
    auto* h1 = dynamic_cast<Region*>(
        makeimage(h, Transformation(Transformation::Translation, a, h->vertex(0), 0)));
    ASSERT_TRUE(h1);
    EXPECT_NEAR(h1->area(), h->area(), 1e-14);
    EXPECT_NEAR(h1->places()[0], 1.5, 1e-15);
}

TEST_F(Shapes, FillsLieUnderLinesSolidSharpAndTranslucentSmooth) {
    // A line made before the polygon still shows across its inside.
    Line* l = new Line(P(-5, 0), P(5, 0));
    Polygon* tri = polygon({{-4, -3}, {4, -3}, {0, 4}});
    const Color fill = objectcolors.light(0), ink = objectcolors.dark(0);
    {
        Picture p;
        objects.draw(p.ps);
        EXPECT_EQ(p.at(0, -1.5), fill) << "solid in sharp drawing";
        EXPECT_EQ(p.at(2, 0), ink) << "the line over the fill";
        EXPECT_EQ(p.at(0, 5), Color(255, 255, 255));
    }
    {
        Picture p;
        p.ps.smooth(1);
        objects.draw(p.ps);
        p.ps.flush();
        Color c = p.at(0, -1.5);
        EXPECT_GT(c.red(), 200) << "a quarter of the light grey over white";
        EXPECT_LT(c.red(), 255);
        Color on = p.at(2, 0);
        EXPECT_LT(on.red(), 100) << "the line shows through";
    }
    // Without its fill, hidden, or invalid: no inside.
    tri->Filled = 0;
    {
        Picture p;
        objects.draw(p.ps);
        EXPECT_EQ(p.at(0, -1.5), Color(255, 255, 255));
    }
    tri->Filled = 1;
    tri->ishidden = 1;
    {
        Picture p;
        objects.draw(p.ps);
        EXPECT_EQ(p.at(0, -1.5), Color(255, 255, 255));
    }
    (void)l;
}

TEST_F(Shapes, ALayeredSharpDragDrawsWhatTheWholeDrawingDraws) {
    Window w;
    bitmap = new MyBitmapPS(w, 140, 140, 32, 1.0);
    // Shapes under and over lines, one of them moved by the drag.
    Point* d = P(-2, -2);
    new Line(P(-6, 1), P(6, 1.5));
    Polygon* moving = new Polygon({d, P(3, -3), P(0, 3)});
    Polygon* still = polygon({{-5, 2}, {-1, 2}, {-3, 5}});
    still->Color = 1;
    new CenterSector(P(2, 2), P(5, 2), P(2, 5));
    new Segment(P(-6, -1), P(6, 2));
    moving->Color = 3;
    objects.layerfor(d);
    for (double x : {-2.0, -1.0, -3.5, 1.0}) {
        d->set(x, -2 + x / 3);
        objects.update();
        objects.redraw();
        BitmapPS whole(w, 140, 140);
        objects.draw(whole);
        int differ = 0;
        for (int y = 0; y < 140; ++y)
            for (int c = 0; c < 140; ++c) differ += bitmap->pixel(c, y) != whole.pixel(c, y);
        EXPECT_EQ(differ, 0) << x;
    }
    objects.layerfor(nullptr);
    delete bitmap;
    bitmap = nullptr;
}

TEST_F(Shapes, AnOutlineCoversItsSidesPixelForPixel) {
    // Places whose pixels a rounding apart could tell from each other.
    for (int t = 0; t < 12; ++t) {
        objects.clear();
        auto at = [t](int k, int axis) { return std::sin(t * 7.31 + k * 2.17 + axis * 1.3) * 6.3; };
        Pointprim* v[3] = {P(at(0, 0), at(0, 1)), P(at(1, 0), at(1, 1)), P(at(2, 0), at(2, 1))};
        Polygon* tri = new Polygon({v[0], v[1], v[2]});
        tri->Filled = 0;
        Segment* sides[3];
        for (int k = 0; k < 3; ++k) sides[k] = new Segment(v[k], v[(k + 1) % 3]);
        for (Pointprim* p : v) p->ishidden = 1;
        auto picture = [&](bool outline, int smooth) {
            tri->ishidden = !outline;
            for (Segment* s : sides) s->ishidden = outline;
            Picture p;
            p.ps.smooth(smooth);
            p.ps.bar(0, 0, 140, 140, Color(255, 255, 255));
            objects.draw(p.ps);
            p.ps.flush();
            std::vector<unsigned> pixels;
            for (int y = 0; y < 140; ++y)
                for (int x = 0; x < 140; ++x) pixels.push_back(p.ps.pixel(x, y).C);
            return pixels;
        };
        for (int smooth : {0, 1}) {
            std::vector<unsigned> outline = picture(true, smooth);
            EXPECT_GT(outline.size() - std::count(outline.begin(), outline.end(), 0xffffffu), 20u);
            EXPECT_EQ(outline, picture(false, smooth)) << t << " " << smooth;
        }
    }
}
