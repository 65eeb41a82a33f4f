#include "angle.h"
#include "constructed.h"
#include "derived.h"
#include "intersection.h"
#include "model.h"
#include "transform.h"

#include <cmath>
#include <random>

using Constructed = Model;

namespace {

Point* P(double x, double y) {
    return new Point(x, y);
}

// The distance of (x, y) from the line through l.
double off(const Lineprim* l, double x, double y) {
    return std::fabs((x - l->x()) * l->vy() - (y - l->y()) * l->vx());
}

void moveto(Pointprim* p, double x, double y) {
    p->set(x, y);
    objects.update();
}

} // namespace

TEST_F(Constructed, CircleThroughThreePoints) {
    Point* a = P(0, 0);
    Point* b = P(4, 0);
    Point* c = P(0, 3);
    auto* k = new CircleThrough(a, b, c);
    EXPECT_STREQ(k->name(), "Circle_1");
    EXPECT_EQ(k->objectclass(), CCircle);
    ASSERT_TRUE(k->valid);
    EXPECT_NEAR(k->x(), 2, 1e-12);
    EXPECT_NEAR(k->y(), 1.5, 1e-12);
    EXPECT_NEAR(k->r(), 2.5, 1e-12);
    // Collinear, then two coinciding: no circle; back again after.
    moveto(c, 8, 0);
    EXPECT_FALSE(k->valid);
    moveto(c, 4, 0);
    EXPECT_FALSE(k->valid);
    moveto(c, 4, 1e-13);
    EXPECT_FALSE(k->valid) << "too flat for a trustworthy centre";
    moveto(c, 0, -3);
    ASSERT_TRUE(k->valid);
    EXPECT_NEAR(k->y(), -1.5, 1e-12);
    // A point on it stays on it while the circle changes.
    auto* on = new Pointon(k, 5, 5);
    moveto(b, 6, 1);
    EXPECT_NEAR(std::hypot(on->x() - k->x(), on->y() - k->y()), k->r(), 1e-9);
    for (Pointprim* p :
         {static_cast<Pointprim*>(a), static_cast<Pointprim*>(b), static_cast<Pointprim*>(c)})
        EXPECT_NEAR(k->distance(p->x(), p->y()), 0, 1e-9);
    Object* d[DepMax];
    ASSERT_EQ(k->dep(d), 3);
    EXPECT_EQ(d[2], c);
    EXPECT_EQ(k->setspecialflag("fixed"), 0) << "a computed radius cannot be fixed";
    EXPECT_EQ(k->setspecialflag("dotted"), 1);
}

TEST_F(Constructed, BisectorsAndMidperpendiculars) {
    Point* a = P(1, 0);
    Point* b = P(0, 0);
    Point* c = P(0, 1);
    auto* w = new Bisector(a, b, c);
    ASSERT_TRUE(w->valid);
    EXPECT_NEAR(off(w, 5, 5), 0, 1e-12) << "y = x";
    EXPECT_NEAR(off(w, -3, -3), 0, 1e-12);
    EXPECT_NEAR(off(w, 0, 0), 0, 1e-12);
    // The order of the legs, a reflex angle and a straight angle.
    auto* w2 = new Bisector(c, b, a);
    EXPECT_NEAR(off(w2, 2, 2), 0, 1e-12);
    moveto(c, -3, 0);
    EXPECT_NEAR(off(w, 0, 7), 0, 1e-12) << "a straight angle: the perpendicular";
    moveto(c, 0, 0);
    EXPECT_FALSE(w->valid) << "C on B";
    moveto(c, 0, 2);
    EXPECT_TRUE(w->valid);
    moveto(a, 0, 0);
    EXPECT_FALSE(w->valid) << "A on B";
    moveto(a, 3, 0);
    EXPECT_TRUE(w->valid);

    Point* p = P(0, 0);
    Point* q = P(2, 0);
    auto* m = new Midperpendicular(p, q);
    ASSERT_TRUE(m->valid);
    EXPECT_NEAR(off(m, 1, 17), 0, 1e-12);
    EXPECT_NEAR(off(m, 1, -3), 0, 1e-12);
    moveto(q, 0, 0);
    EXPECT_FALSE(m->valid);
    moveto(q, 3, 4);
    ASSERT_TRUE(m->valid);
    // Every point of it is as far from p as from q.
    for (double t : {-10.0, 0.5, 3.0}) {
        double x = m->x() + t * m->vx(), y = m->y() + t * m->vy();
        EXPECT_NEAR(std::hypot(x, y), std::hypot(x - 3, y - 4), 1e-12);
    }
}

TEST_F(Constructed, TangentsFromAPoint) {
    Point* m = P(0, 0);
    Point* r = P(1, 0);
    auto* c = new Circle(m, r);
    Point* p = P(5, 0);
    auto* t = new Tangent(p, c);
    OtherTangent* u = t->other();
    ASSERT_TRUE(t->valid && u->valid);
    EXPECT_EQ(u->previous(), t) << "the second stands right after the first";
    EXPECT_EQ(u->original(), t);
    EXPECT_NEAR(t->x(), 0.2, 1e-12);
    EXPECT_NEAR(t->y(), std::sqrt(0.96), 1e-12);
    EXPECT_NEAR(u->x(), 0.2, 1e-12);
    EXPECT_NEAR(u->y(), -std::sqrt(0.96), 1e-12);
    for (Lineprim* l : {static_cast<Lineprim*>(t), static_cast<Lineprim*>(u)}) {
        EXPECT_NEAR(off(l, 5, 0), 0, 1e-12);
        EXPECT_NEAR(off(l, 0, 0), 1, 1e-12) << "touches the unit circle";
    }
    // On the circle: one tangent, at the point; inside: none.
    moveto(p, 0, 1);
    ASSERT_TRUE(t->valid);
    EXPECT_FALSE(u->valid);
    EXPECT_NEAR(off(t, 7, 1), 0, 1e-12);
    moveto(p, 0.5, 0.2);
    EXPECT_FALSE(t->valid);
    EXPECT_FALSE(u->valid);
    // Coming out again, just outside, then far.
    moveto(p, 0, 1 + 1e-6);
    EXPECT_TRUE(t->valid && u->valid);
    EXPECT_NEAR(off(t, 0, 0), 1, 1e-9);
    moveto(p, -3, 4);
    ASSERT_TRUE(t->valid && u->valid);
    EXPECT_NEAR(off(t, 0, 0), 1, 1e-12);
    EXPECT_NEAR(off(u, 0, 0), 1, 1e-12);
    // Taking the first away takes the second with it.
    objects.clear(t);
    EXPECT_EQ(objects.last(), p);
}

TEST_F(Constructed, ImagesOfPointsHaveTheKnownPlaces) {
    Point* o = P(0, 0);
    Point* d = P(3, 3);
    Line* g = makeline(o, d);
    Point* x = P(1, 2);
    using T = Transformation;
    auto* r = static_cast<Pointprim*>(makeimage(x, T(T::Reflection, g, nullptr, 0)));
    EXPECT_STREQ(r->name(), "Point_3'");
    EXPECT_EQ(r->x(), 2);
    EXPECT_EQ(r->y(), 1);
    auto* s = static_cast<Pointprim*>(makeimage(x, T(T::Reflection, o, nullptr, 0)));
    EXPECT_STREQ(s->name(), "Image_1") << "Point_3' is taken";
    EXPECT_EQ(s->x(), -1);
    EXPECT_EQ(s->y(), -2);
    Point* e = P(1, 0);
    auto* q = static_cast<Pointprim*>(makeimage(e, T(T::Rotation, o, nullptr, 90)));
    EXPECT_EQ(q->x(), 0);
    EXPECT_EQ(q->y(), 1);
    auto* q2 = static_cast<Pointprim*>(makeimage(e, T(T::Rotation, o, nullptr, 60)));
    EXPECT_NEAR(q2->x(), 0.5, 1e-15);
    EXPECT_NEAR(q2->y(), std::sqrt(3) / 2, 1e-15);
    Point* from = P(1, 1);
    Point* to = P(3, 4);
    auto* t = static_cast<Pointprim*>(makeimage(o, T(T::Translation, from, to, 0)));
    EXPECT_EQ(t->x(), 2);
    EXPECT_EQ(t->y(), 3);
    auto* v = new Vector(from, to);
    EXPECT_STREQ(v->name(), "Vector_1");
    EXPECT_EQ(v->objectclass(), CStraight | CSegment | CVector);
    auto* tv = static_cast<Pointprim*>(makeimage(e, T(T::Translation, v, nullptr, 0)));
    EXPECT_EQ(tv->x(), 3);
    EXPECT_EQ(tv->y(), 3);
    Point* f = P(2, 0);
    auto* h = static_cast<Pointprim*>(makeimage(f, T(T::Dilation, e, nullptr, -2)));
    EXPECT_EQ(h->x(), -1);
    EXPECT_EQ(h->y(), 0);
    // By an angle object: its size, while it is valid.
    Point* a1 = P(1, 0);
    Point* a2 = P(0, 1);
    auto* alpha = new Angle(a1, o, a2);
    auto* byangle = static_cast<Pointprim*>(makeimage(e, T(T::Rotation, o, alpha, 0)));
    EXPECT_NEAR(byangle->x(), 0, 1e-15);
    EXPECT_NEAR(byangle->y(), 1, 1e-15);
    moveto(a2, -1, 0);
    EXPECT_NEAR(byangle->x(), -1, 1e-15);
    moveto(a2, 0, 0);
    EXPECT_FALSE(alpha->valid);
    EXPECT_FALSE(byangle->valid) << "the angle object is invalid";
    moveto(a2, 0, -1);
    EXPECT_TRUE(byangle->valid);
    EXPECT_NEAR(byangle->y(), -1, 1e-15);
    // What cannot be a map, or mapped.
    EXPECT_EQ(makeimage(e, T(T::Rotation, g, nullptr, 3)), nullptr);
    EXPECT_EQ(makeimage(e, T(T::Translation, g, nullptr, 0)), nullptr) << "a line is no vector";
    EXPECT_EQ(makeimage(alpha, T(T::Reflection, g, nullptr, 0)), nullptr);
    EXPECT_EQ(makeimage(e, T(T::Dilation, o, alpha, 2)), nullptr);
}

TEST_F(Constructed, ImagesKeepTheKindOfTheirOriginal) {
    Point* a = P(1, 0);
    Point* b = P(3, 0);
    Point* o = P(0, 0);
    using T = Transformation;
    const T quarter(T::Rotation, o, nullptr, 90);
    Object* originals[] = {makeline(a, b), new Ray(a, b), new Segment(a, b), new Vector(a, b),
                           new Circle(a, b)};
    Object* images[5];
    for (int n = 0; n < 5; ++n) {
        Object* x = originals[n];
        Object* i = images[n] = makeimage(x, quarter);
        ASSERT_TRUE(i);
        EXPECT_EQ(i->objectclass(), x->objectclass()) << x->name();
        EXPECT_TRUE(i->valid) << x->name();
        EXPECT_STREQ(i->name(), (std::string(x->name()) + "'").c_str());
        Object* d[DepMax];
        ASSERT_EQ(i->dep(d), 2);
        EXPECT_EQ(d[0], x);
        EXPECT_EQ(d[1], o);
    }
    auto* ray = static_cast<Lineprim*>(images[1]);
    // The image of the ray starts at (0, 1) and runs up: (0, 0) is not on it.
    EXPECT_NEAR(ray->distance(0, 5), 0, 1e-12);
    EXPECT_NEAR(ray->distance(0, 0), 1, 1e-12);
    auto* segment = static_cast<Lineprim*>(images[2]);
    EXPECT_NEAR(segment->length(), 2, 1e-12);
    EXPECT_NEAR(segment->distance(0, 4), 1, 1e-12);
    auto* circle = static_cast<Circle*>(images[4]);
    EXPECT_NEAR(circle->x(), 0, 1e-15);
    EXPECT_NEAR(circle->y(), 1, 1e-15);
    EXPECT_NEAR(circle->r(), 2, 1e-15);
    // A dilation scales the radius, by the size of a negative factor too,
    // and a factor 0 leaves no line and no circle, but a point.
    Point* c = P(0, 0);
    auto* big = static_cast<Circle*>(makeimage(originals[4], T(T::Dilation, c, nullptr, -3)));
    EXPECT_NEAR(big->r(), 6, 1e-12);
    EXPECT_NEAR(big->x(), -3, 1e-12);
    EXPECT_FALSE(makeimage(originals[4], T(T::Dilation, c, nullptr, 0))->valid);
    EXPECT_FALSE(makeimage(originals[0], T(T::Dilation, c, nullptr, 0))->valid);
    Object* pointimage = makeimage(a, T(T::Dilation, c, nullptr, 0));
    EXPECT_TRUE(pointimage->valid);
    // Images of images, and intersections and points on them.
    Object* twice = makeimage(circle, quarter);
    EXPECT_NEAR(static_cast<Circle*>(twice)->x(), -1, 1e-15);
    auto* cut = new Intersection(circle, twice);
    EXPECT_TRUE(cut->valid && cut->other()->valid);
    auto* on = new Pointon(ray, 0, 3);
    EXPECT_NEAR(on->x(), 0, 1e-12);
    // Each follows a drag, and degenerates with its original.
    moveto(b, 1, 0);
    EXPECT_FALSE(originals[0]->valid);
    EXPECT_FALSE(images[0]->valid);
    moveto(b, 1, 2);
    EXPECT_TRUE(ray->valid);
    EXPECT_NEAR(ray->distance(-2, 1), 0, 1e-12) << "the ray now runs left from (0, 1)";
    EXPECT_NEAR(ray->distance(on->x(), on->y()), 0, 1e-12);
}

TEST_F(Constructed, ImagesFollowTheirMapsAndDegenerate) {
    Point* x = P(2, 1);
    Point* m1 = P(0, 0);
    Point* m2 = P(0, 1);
    Line* g = makeline(m1, m2);
    using T = Transformation;
    auto* r = static_cast<Pointprim*>(makeimage(x, T(T::Reflection, g, nullptr, 0)));
    EXPECT_EQ(r->x(), -2);
    moveto(m2, 0, 0);
    EXPECT_FALSE(r->valid) << "the mirror is invalid";
    moveto(m2, 1, 0);
    ASSERT_TRUE(r->valid);
    EXPECT_EQ(r->x(), 2);
    EXPECT_EQ(r->y(), -1);
    // A zero vector translates by nothing; an invalid end point gives no map.
    Point* a = P(1, 1);
    Point* b = P(1, 1);
    auto* v = new Vector(a, b);
    EXPECT_FALSE(v->valid);
    auto* t = static_cast<Pointprim*>(makeimage(x, T(T::Translation, v, nullptr, 0)));
    ASSERT_TRUE(t->valid);
    EXPECT_EQ(t->x(), 2);
    moveto(b, 2, 3);
    EXPECT_EQ(t->x(), 3);
    EXPECT_EQ(t->y(), 3);
    // Not finite: no image.
    auto* bad = makeimage(x, T(T::Rotation, m1, nullptr, std::nan("")));
    EXPECT_FALSE(bad->valid);
    auto* inf = makeimage(x, T(T::Dilation, m1, nullptr, HUGE_VAL));
    EXPECT_FALSE(inf->valid);
}

// The incircle from the tools' objects alone: two bisectors, their
// intersection, the perpendicular to a side and the circle to its foot.
TEST_F(Constructed, IncircleFollowsADraggedVertex) {
    Point* a = P(-4, -2);
    Point* b = P(3, -2.5);
    Point* c = P(-1, 3);
    Segment* sides[] = {new Segment(b, c), new Segment(c, a), new Segment(a, b)};
    auto* wa = new Bisector(b, a, c);
    auto* wb = new Bisector(a, b, c);
    auto* i = new Intersection(wa, wb);
    DepLine* p = makeparallel(i, sides[2], 1);
    auto* f = new Intersection(p, sides[2]);
    auto* k = new Circle(i, f);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-6, 6);
    for (int step = 0; step < 200; ++step) {
        moveto(c, place(random), place(random));
        double area = (b->x() - a->x()) * (c->y() - a->y()) - (b->y() - a->y()) * (c->x() - a->x());
        if (std::fabs(area) < 0.5) continue;
        ASSERT_TRUE(k->valid) << step;
        for (Segment* s : sides) {
            EXPECT_NEAR(off(s, k->x(), k->y()), k->r(), 1e-9) << step;
            // The touching point lies on the side itself.
            double tx = k->x(), ty = k->y();
            s->project(&tx, &ty);
            EXPECT_NEAR(std::hypot(tx - k->x(), ty - k->y()), k->r(), 1e-9) << step;
        }
    }
}
