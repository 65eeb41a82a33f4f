#include "bitmapps.h"
#include "circle.h"
#include "intersection.h"
#include "line.h"
#include "model.h"
#include "scripted.h"

#include <cmath>
#include <set>

using Geometry = Model;

namespace {

Point* P(double x, double y) {
    return new Point(x, y);
}

int inked(const BitmapPS& ps) {
    int n = 0;
    for (int y = 0; y < ps.height(); ++y)
        for (int x = 0; x < ps.width(); ++x) n += ps.pixel(x, y) != Color(255, 255, 255);
    return n;
}

struct Picture {
    Window w;
    BitmapPS ps{w, 140, 140}; // 10 pixels a unit, origin at (70, 70)
    Picture() { clear(); }
    void clear() { ps.bar(0, 0, 140, 140, Color(255, 255, 255)); }
};

} // namespace

TEST_F(Geometry, SegmentsRaysAndLines) {
    Point* s1 = P(0, 0);
    Segment* s = new Segment(s1, P(4, 0));
    EXPECT_STREQ(s->name(), "Segment_1");
    EXPECT_EQ(s->objectclass(), CStraight | CSegment);
    EXPECT_DOUBLE_EQ(s->distance(2, 3), 3);
    EXPECT_DOUBLE_EQ(s->distance(-3, 4), 5);
    EXPECT_DOUBLE_EQ(s->distance(7, 4), 5);
    EXPECT_EQ(s->checkpoint(4 + 1e-11, 0), 1);
    EXPECT_EQ(s->checkpoint(4.001, 0), 0);
    EXPECT_EQ(s->checkpoint(-0.001, 0), 0);
    double x = 6, y = 2;
    s->project(&x, &y);
    EXPECT_DOUBLE_EQ(x, 4);
    EXPECT_DOUBLE_EQ(y, 0);
    x = 2, y = -5;
    s->project(&x, &y);
    EXPECT_DOUBLE_EQ(x, 2);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(s->length(), 4);

    Point* r1 = P(0, 0);
    Ray* r = new Ray(r1, P(1, 0));
    x = -2, y = 5;
    r->project(&x, &y);
    EXPECT_DOUBLE_EQ(x, 0);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(r->distance(-3, 4), 5);
    EXPECT_DOUBLE_EQ(r->distance(3, 4), 4);
    EXPECT_EQ(r->checkpoint(-1e-11, 0), 1);
    EXPECT_EQ(r->checkpoint(-1e-3, 0), 0);

    Point* l1 = P(0, 1);
    Line* l = new Line(l1, P(0, 3));
    EXPECT_DOUBLE_EQ(l->distance(-3, 100), 3);
    EXPECT_DOUBLE_EQ(l->lambda(0, 5), 4);
    char d[256];
    l->writeclear(d);
    EXPECT_STREQ(d, "Line through Point_5 and Point_6");
    r->writeclear(d);
    EXPECT_STREQ(d, "Ray from Point_3 through Point_4");
    s->writeclear(d);
    EXPECT_STREQ(d, "Line segment from Point_1 to Point_2");
}

TEST_F(Geometry, CoincidingPointsAndFixedLengths) {
    Point* a = P(1, 1);
    Point* b = P(1, 1);
    Line* l = new Line(a, b);
    EXPECT_FALSE(l->valid) << "two plain points at one place";
    b->set(2, 1);
    objects.update();
    EXPECT_TRUE(l->valid);

    // A fixed length moves the second point along the direction.
    Segment* s = new Segment(P(0, 0), P(3, 4));
    s->Class |= CFixed;
    Pointprim* end = s->p2();
    end->set(6, 0);
    objects.update();
    EXPECT_DOUBLE_EQ(end->x(), 5);
    EXPECT_DOUBLE_EQ(end->y(), 0);
    EXPECT_DOUBLE_EQ(s->length(), 5);
    s->p1()->set(1, 0);
    objects.update();
    EXPECT_NEAR(end->x(), 6, 1e-12) << "dragging the start drags the end";
    // Both points on one place: no direction, nothing divided by zero.
    end->set(1, 0);
    objects.update();
    EXPECT_TRUE(std::isfinite(end->x()));
    EXPECT_DOUBLE_EQ(end->x(), 1);
    EXPECT_FALSE(s->valid);
    EXPECT_DOUBLE_EQ(s->length(), 5) << "the fixed length is kept";
    end->set(1, 2);
    objects.update();
    EXPECT_TRUE(s->valid);
    EXPECT_DOUBLE_EQ(end->y(), 5);
}

TEST_F(Geometry, LineCrossings) {
    Line* h = new Line(P(0, 0), P(1, 0));
    Line* v = new Line(P(2, 0), P(2, 1));
    Intersection* i = new Intersection(h, v);
    EXPECT_EQ(i->other(), nullptr);
    EXPECT_STREQ(i->name(), "Cut_1");
    EXPECT_TRUE(i->valid);
    EXPECT_DOUBLE_EQ(i->x(), 2);
    EXPECT_DOUBLE_EQ(i->y(), 0);

    // Parallel: invalid, the old position kept; crossing again: valid.
    Pointprim* top = v->p2();
    top->set(3, 0);
    v->p1()->set(3, 1);
    top->set(4, 1); // v from (3,1) to (4,1): parallel to h
    objects.update();
    EXPECT_FALSE(i->valid);
    EXPECT_DOUBLE_EQ(i->x(), 2);
    top->set(3, 2);
    objects.update();
    EXPECT_TRUE(i->valid);
    EXPECT_DOUBLE_EQ(i->x(), 3);

    // Crossing beyond a segment: computed, but invalid.
    Segment* s = new Segment(P(0, 0), P(1, 0));
    Line* x2 = new Line(P(2, -1), P(2, 1));
    Intersection* j = new Intersection(s, x2);
    EXPECT_FALSE(j->valid);
    EXPECT_DOUBLE_EQ(j->x(), 2);
    Point* q = new Point(5, 5);
    Line* through = new Line(j, q);
    EXPECT_FALSE(through->valid) << "built on an invalid point";
}

TEST_F(Geometry, CircleCrossingsAndWhichIsWhich) {
    Circle* c = new Circle(P(0, 0), P(1, 0));
    EXPECT_STREQ(c->name(), "Circle_1");
    Point* left = P(-2, 0);
    Point* right = P(2, 0);
    Line* l = new Line(left, right);
    Intersection* i = new Intersection(c, l);
    ASSERT_NE(i->other(), nullptr);
    EXPECT_EQ(i->other()->objectclass(), 0x41);
    EXPECT_EQ(i->next(), i->other()) << "the second point stands right after the first";
    EXPECT_STREQ(i->other()->name(), "Cut_1");
    EXPECT_STREQ(i->name(), "Cut_2");
    EXPECT_NEAR(i->x(), 1, 1e-12) << "further along the line's direction";
    EXPECT_NEAR(i->other()->x(), -1, 1e-12);
    Line* back = new Line(right, left);
    Intersection* k = new Intersection(back, c);
    EXPECT_NEAR(k->x(), -1, 1e-12);
    EXPECT_NEAR(k->other()->x(), 1, 1e-12);

    Circle* c2 = new Circle(P(1, 0), P(2, 0));
    Intersection* cc = new Intersection(c, c2);
    EXPECT_NEAR(cc->x(), 0.5, 1e-12);
    EXPECT_NEAR(cc->y(), -std::sqrt(0.75), 1e-12) << "right of the line between the centres";
    EXPECT_NEAR(cc->other()->y(), std::sqrt(0.75), 1e-12);
    Intersection* swapped = new Intersection(c2, c);
    EXPECT_NEAR(swapped->y(), std::sqrt(0.75), 1e-12);

    // Touching circles: both points at the touch, both valid.
    Circle* far = new Circle(P(2, 0), P(3, 0));
    Intersection* t = new Intersection(c, far);
    EXPECT_TRUE(t->valid);
    EXPECT_TRUE(t->other()->valid);
    EXPECT_NEAR(t->x(), 1, 1e-9);
    EXPECT_NEAR(t->y(), 0, 1e-6);

    // A ray that starts inside the circle: one of the two.
    Ray* ray = new Ray(P(0, 0), P(0, 5));
    Intersection* ri = new Intersection(ray, c);
    EXPECT_TRUE(ri->valid);
    EXPECT_FALSE(ri->other()->valid);
    EXPECT_NEAR(ri->y(), 1, 1e-12);

    // Apart, inside, concentric.
    far->p1()->set(5, 0);
    objects.update();
    EXPECT_FALSE(t->valid);
    EXPECT_FALSE(t->other()->valid);
    Circle* inner = new Circle(P(0.1, 0), P(0.2, 0));
    Intersection* none = new Intersection(c, inner);
    EXPECT_FALSE(none->valid);
    Circle* same = new Circle(c->p1(), P(0.5, 0));
    Intersection* concentric = new Intersection(c, same);
    EXPECT_FALSE(concentric->valid);

    // Deleting a parent removes both points of a pair.
    int before = objects.count();
    objects.clear(c2);
    EXPECT_EQ(objects.count(), before - 5) << "c2 and both pairs built on it";
}

TEST_F(Geometry, CirclesFollowAndFallBack) {
    Circle* c = new Circle(P(0, 0), P(3, 0));
    EXPECT_DOUBLE_EQ(c->distance(0, 0), 3);
    EXPECT_DOUBLE_EQ(c->distance(0, -3), 0);
    Circle* two = new Circle(P(0, 0), P(2, 0));
    double x = 3, y = 4;
    EXPECT_EQ(two->project(&x, &y), 1);
    EXPECT_DOUBLE_EQ(x, 1.2);
    EXPECT_DOUBLE_EQ(y, 1.6);
    x = 0, y = 0;
    EXPECT_EQ(two->project(&x, &y), 0);
    EXPECT_EQ(x, 0);

    // A circle through the first crossing of a pair that falls onto its centre
    // uses the other crossing.
    Point* m = P(1, 0);
    Circle* k = new Circle(P(0, 0), P(1, 0));
    Line* l = new Line(P(-2, 0), P(2, 0));
    Intersection* i = new Intersection(k, l);
    Circle* around = new Circle(m, i);
    EXPECT_NEAR(i->x(), 1, 1e-12);
    EXPECT_TRUE(around->valid) << "from the second crossing (-1, 0)";
    EXPECT_NEAR(around->r(), 2, 1e-12);
    m->set(0.5, 0);
    objects.update();
    EXPECT_NEAR(around->r(), 0.5, 1e-12) << "back to the first crossing";
    Circle* plain = new Circle(m, P(0.5, 0));
    EXPECT_FALSE(plain->valid);

    // A fixed radius: dragging the centre takes the radius point along.
    Point* centre = P(0, 0);
    Point* rim = P(2, 0);
    Circle* fixed = new Circle(centre, rim);
    fixed->Class |= CFixed;
    centre->set(1, 1);
    objects.update();
    EXPECT_NEAR(std::hypot(rim->x() - 1, rim->y() - 1), 2, 1e-12);

    // Radius given by two points.
    Point* a = P(5, 5);
    Point* b = P(6, 5);
    Circle3* h = new Circle3(centre, a, b);
    h->ishidden = 1;
    Circle3Circle* c3 = new Circle3Circle(h);
    h->c(c3);
    EXPECT_NEAR(c3->r(), 1, 1e-12);
    EXPECT_EQ(c3->original(), h);
    b->set(8, 5);
    objects.update();
    EXPECT_NEAR(c3->r(), 3, 1e-12);
    char d[256];
    c3->writeclear(d);
    EXPECT_EQ(std::string(d), std::string("Circle around ") + centre->name() + " with radius " +
                                  a->name() + " to " + b->name());
    std::string helpname = h->name();
    objects.clear(c3);
    EXPECT_EQ(objects.find(helpname.c_str(), 0, nullptr), nullptr)
        << "the help point goes with its circle";

    EXPECT_EQ(c->setspecialflag("uncomplete"), 1);
    EXPECT_EQ(c->Complete, 0);
    EXPECT_EQ(c->setspecialflag("dotted"), 1);
    EXPECT_EQ(c->Linetype, 2);
    EXPECT_EQ(c->setspecialflag("showlength"), 0);
}

TEST_F(Geometry, DrawingStraightObjectsAndCircles) {
    Picture pic;
    Line* l = new Line(P(-1, 0), P(1, 0));
    l->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 140) << "across the whole picture";
    EXPECT_EQ(pic.ps.pixel(0, 70), Color(0, 0, 0));
    pic.clear();
    l->valid = 0;
    l->draw(pic.ps);
    l->valid = 1;
    l->ishidden = 1;
    l->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 0);
    l->ishidden = 0;

    pic.clear();
    Segment* s = new Segment(P(0, 1), P(2, 1));
    s->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 21) << "a segment draws its end pixel";
    EXPECT_EQ(pic.ps.pixel(90, 60), Color(0, 0, 0));
    pic.clear();
    Segment* off = new Segment(P(-30, 0), P(-20, 0));
    off->draw(pic.ps);
    Ray* away = new Ray(P(30, 2), P(40, 2));
    away->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 0);
    Ray* in = new Ray(P(30, -2), P(20, -2));
    in->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 140);

    pic.clear();
    s->Linetype = 1;
    s->draw(pic.ps);
    EXPECT_GT(inked(pic.ps), 55) << "three pixels wide";
    s->Linetype = 0;

    // Length labels.
    Font f("DejaVu Sans", 12);
    font = &f;
    pic.ps.font(f);
    pic.clear();
    s->showlength = 1;
    s->showname = 1;
    s->setname("s");
    s->Linetype = 0;
    s->draw(pic.ps);
    int labelled = inked(pic.ps);
    EXPECT_GT(labelled, 40);
    s->R = 2.5;
    char text[256];
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "s=2.5");
    s->showname = 0;
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "2.5");
    s->showlength = 0;
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "");
    s->showname = 1;
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "s");
    l->showname = 1;
    l->showlength = 1;
    l->label(text, pic.ps);
    EXPECT_STREQ(text, l->name()) << "lines have no length label";
    // The modern look: a space around the sign, the view's places after
    // the point, a Greek letter's name as the letter, no "-0".
    pic.ps.modern(1);
    s->showlength = 1;
    s->setname("alpha");
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "\u03b1 = 2.50");
    s->setname("Omega");
    s->R = -0.001;
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "\u03a9 = 0.00");
    s->setname("sigma");
    s->showlength = 0;
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "\u03c3");
    s->setname("betas");
    s->label(text, pic.ps);
    EXPECT_STREQ(text, "betas");
    pic.ps.modern(0);
    font = nullptr;

    pic.clear();
    Circle* c = new Circle(P(0, 0), P(2, 0));
    c->draw(pic.ps);
    int left = 1000, right = -1;
    for (int x = 0; x < 140; ++x)
        for (int y = 0; y < 140; ++y)
            if (pic.ps.pixel(x, y) != Color(255, 255, 255))
                left = std::min(left, x), right = std::max(right, x);
    EXPECT_EQ(left, 50);
    EXPECT_EQ(right, 89);

    // An uncomplete circle: arcs around its visible points only.
    pic.clear();
    c->Complete = 0;
    c->p2()->ishidden = 1;
    c->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 0);
    c->p2()->ishidden = 0;
    c->draw(pic.ps);
    int one = inked(pic.ps);
    EXPECT_GT(one, 3);
    EXPECT_LT(one, 12);
    Line* cut = new Line(P(0, -5), P(0, 5));
    new Intersection(c, cut);
    pic.clear();
    c->draw(pic.ps);
    EXPECT_GT(inked(pic.ps), 2 * one) << "and around both crossings";

    // Huge and far circles draw only what can be seen, without overflow.
    pic.clear();
    Circle* huge = new Circle(P(0, -1e9), P(0, 1));
    EXPECT_TRUE(huge->valid);
    huge->draw(pic.ps);
    int drawn = inked(pic.ps);
    EXPECT_GE(drawn, 130);
    EXPECT_LE(drawn, 160);
    pic.clear();
    Circle* gone = new Circle(P(1e12, 1e12), P(1e12 + 5, 1e12));
    gone->draw(pic.ps);
    Circle* around = new Circle(P(0, 0), P(1e7, 0));
    around->draw(pic.ps);
    EXPECT_EQ(inked(pic.ps), 0) << "beyond the picture, or around all of it";
}

TEST_F(Geometry, IntersectionOnDemand) {
    ScriptedAnswerer s;
    Line* a = new Line(P(-1, 0), P(1, 0));
    Object* got = nullptr;
    EXPECT_EQ(objects.intersect(0, 0, &got), 1);
    EXPECT_EQ(got, nullptr) << "one line: nothing to offer";
    EXPECT_TRUE(s.AskedBoxes.empty());
    Line* b = new Line(P(0, -1), P(0, 1));
    int count = objects.count();
    s.Answers = {IDNO};
    EXPECT_EQ(objects.intersect(0.01, 0.01, &got), 0);
    EXPECT_EQ(objects.count(), count);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text,
              std::string("Generate intersection of\n") + a->name() + " and " + b->name() + "?");
    EXPECT_EQ(s.AskedBoxes[0].title, "Gyrel");
    s.Answers = {IDYES};
    EXPECT_EQ(objects.intersect(0.01, 0.01, &got), 1);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got, objects.last());
    EXPECT_EQ(objects.count(), count + 1);
}
