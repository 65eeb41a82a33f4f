#include "angle.h"
#include "bitmapps.h"
#include "circle.h"
#include "derived.h"
#include "intersection.h"
#include "model.h"

#include <cmath>
#include <random>

using Derived = Model;

namespace {

Point* P(double x, double y) {
    return new Point(x, y);
}

// No valid object holds a coordinate that is not finite.
void allfinite() {
    for (Object* o = objects.first(); o; o = o->next()) {
        if (!o->valid) continue;
        if (o->Class & CPoint) {
            auto* p = static_cast<Pointprim*>(o);
            ASSERT_TRUE(std::isfinite(p->x()) && std::isfinite(p->y())) << o->name();
        } else if (o->Class & CStraight) {
            auto* l = static_cast<Lineprim*>(o);
            ASSERT_TRUE(std::isfinite(l->vx()) && std::isfinite(l->vy()) && std::isfinite(l->x()))
                << o->name();
        } else if (o->Class & CCircle) {
            ASSERT_TRUE(std::isfinite(static_cast<Circle*>(o)->r())) << o->name();
        }
    }
}

} // namespace

TEST_F(Derived, MidpointsParallelsPerpendiculars) {
    Point* a = P(0, 0);
    Middle* m = new Middle(a, P(2, 4));
    EXPECT_STREQ(m->name(), "Middle_1");
    EXPECT_DOUBLE_EQ(m->x(), 1);
    EXPECT_DOUBLE_EQ(m->y(), 2);

    Point* b = P(2, 0);
    Line* l = new Line(a, b);
    Point* through = P(0, 1);
    DepLine* par = makeparallel(through, l, 0);
    auto* hp = static_cast<Parallel*>(par->O);
    EXPECT_EQ(hp->objectclass(), 0x41);
    EXPECT_TRUE(hp->ishidden);
    EXPECT_EQ(hp->next(), par);
    EXPECT_EQ(hp->other(), par);
    EXPECT_DOUBLE_EQ(hp->x(), 1);
    EXPECT_DOUBLE_EQ(hp->y(), 1);
    EXPECT_DOUBLE_EQ(par->vx(), -1);
    EXPECT_DOUBLE_EQ(par->vy(), 0);
    EXPECT_DOUBLE_EQ(par->length(), 1);
    EXPECT_STREQ(par->name(), "Line_1");
    EXPECT_EQ(par->original(), hp);

    DepLine* rect = makeparallel(through, l, 1);
    auto* hr = static_cast<Parallel*>(rect->O);
    EXPECT_DOUBLE_EQ(hr->x(), 0);
    EXPECT_DOUBLE_EQ(hr->y(), 2);
    EXPECT_DOUBLE_EQ(rect->vx(), 0);
    EXPECT_DOUBLE_EQ(rect->vy(), -1);
    char d[256];
    rect->writeclear(d);
    EXPECT_EQ(std::string(d),
              std::string("Rectangular line on ") + l->name() + " through " + through->name());
    par->writeclear(d);
    EXPECT_EQ(std::string(d),
              std::string("Parallel line to ") + l->name() + " through " + through->name());

    // Deleting the line deletes its help point too, and the other way round.
    int n = objects.count();
    objects.clear(par);
    EXPECT_EQ(objects.count(), n - 2);
    std::string rectname = rect->name();
    objects.clear(l);
    EXPECT_EQ(objects.find(rectname.c_str(), 0, nullptr), nullptr) << "built on the deleted line";
}

TEST_F(Derived, BoundPointsFollowTheirObject) {
    Point* centre = P(0, 0);
    Circle* c = new Circle(centre, P(2, 0));
    Pointon* p = new Pointon(c, 3, 4);
    EXPECT_STREQ(p->name(), "ObjPoint_1");
    EXPECT_EQ(p->objectclass(), 0x23);
    EXPECT_DOUBLE_EQ(p->x(), 1.2);
    EXPECT_DOUBLE_EQ(p->y(), 1.6);
    centre->set(1, 0);
    objects.update();
    double dx = 1.2 - 1, dy = 1.6, len = std::hypot(dx, dy);
    EXPECT_DOUBLE_EQ(c->r(), 1) << "the radius point stayed at (2, 0)";
    EXPECT_NEAR(p->x(), 1 + dx / len, 1e-12);
    EXPECT_NEAR(p->y(), dy / len, 1e-12);

    // At the new centre: it stays, valid.
    p->set(2, 0);
    centre->set(2, 0);
    c->p2()->set(4, 0);
    objects.update();
    EXPECT_TRUE(p->valid);
    EXPECT_DOUBLE_EQ(p->x(), 2);

    // On a line that turns invalid: invalid, kept, and back.
    Point* a = P(0, 0);
    Point* b = P(4, 0);
    Line* l = new Line(a, b);
    Pointon* q = new Pointon(l, 1, 3);
    EXPECT_DOUBLE_EQ(q->y(), 0);
    b->set(0, 0);
    objects.update();
    EXPECT_FALSE(q->valid);
    EXPECT_DOUBLE_EQ(q->x(), 1);
    b->set(0, 4);
    objects.update();
    EXPECT_TRUE(q->valid);
    EXPECT_DOUBLE_EQ(q->x(), 0);
    EXPECT_DOUBLE_EQ(q->y(), 0);
}

TEST_F(Derived, AngleSizes) {
    Point* m = P(0, 0);
    Point* x = P(1, 0);
    Point* y = P(0, 1);
    Angle* a = new Angle(x, m, y);
    EXPECT_STREQ(a->name(), "Angle_1");
    EXPECT_EQ(a->objectclass(), CAngle);
    EXPECT_DOUBLE_EQ(a->Phi1, 0);
    EXPECT_DOUBLE_EQ(a->Phi2, M_PI / 2);
    EXPECT_DOUBLE_EQ(a->size(), 90);
    Angle* b = new Angle(y, m, x);
    EXPECT_DOUBLE_EQ(b->Phi, -M_PI / 2);
    EXPECT_DOUBLE_EQ(b->size(), 270);
    Angle* near = new Angle(P(-1, 0.001), m, P(-1, -0.001));
    EXPECT_NEAR(near->Phi, -2 * M_PI, 0.01);
    EXPECT_NEAR(near->size(), 0.1146, 0.001);
    EXPECT_DOUBLE_EQ(a->distance(0, 3), 3) << "picked at its corner";
    char d[256];
    a->writeclear(d);
    EXPECT_EQ(std::string(d),
              std::string("Angle ") + x->name() + "," + m->name() + "," + y->name());

    // A leg point on the corner: invalid, and back.
    x->set(0, 0);
    objects.update();
    EXPECT_FALSE(a->valid);
    x->set(2, 0);
    objects.update();
    EXPECT_TRUE(a->valid);

    // A fixed size turns the second point along.
    a->Class |= CFixed;
    x->set(0, 2);
    objects.update();
    EXPECT_NEAR(y->x(), -1, 1e-12);
    EXPECT_NEAR(y->y(), 0, 1e-12);
    EXPECT_NEAR(a->size(), 90, 1e-9);

    EXPECT_EQ(a->setspecialflag("size_3"), 1);
    EXPECT_EQ(a->Pixelsize, 5);
    EXPECT_EQ(a->setspecialflag("size_40"), 1);
    EXPECT_EQ(a->Pixelsize, 40);
    EXPECT_EQ(a->setspecialflag("showsize"), 1);
    EXPECT_EQ(a->setspecialflag("uncomplete"), 0);
}

TEST_F(Derived, AngleDrawing) {
    Window w;
    BitmapPS ps(w, 140, 140);
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    Angle* a = new Angle(P(1, 0), P(0, 0), P(0, 1));
    a->draw(ps);
    // Radius 140 / 20 = 7 around (70, 70): the quarter up and to the right.
    int upperright = 0, other = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 140; ++x)
            if (ps.pixel(x, y) != Color(255, 255, 255)) (x >= 70 && y <= 70 ? upperright : other)++;
    EXPECT_GT(upperright, 5);
    EXPECT_LE(other, 2);
}

TEST_F(Derived, TheoremsAtRandomPositions) {
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> u(-5, 5);
    Point* A = P(0, 0);
    Point* B = P(4, 0);
    Point* C = P(1, 3);
    Segment* ab = new Segment(A, B);
    Segment* bc = new Segment(B, C);
    Segment* ca = new Segment(C, A);
    Middle* mab = new Middle(A, B);
    Middle* mbc = new Middle(B, C);
    Middle* mca = new Middle(C, A);
    DepLine* pab = makeparallel(mab, ab, 1);
    DepLine* pbc = makeparallel(mbc, bc, 1);
    DepLine* pca = makeparallel(mca, ca, 1);
    Intersection* O = new Intersection(pab, pbc);
    Line* ma = new Line(A, mbc);
    Line* mb = new Line(B, mca);
    Intersection* G = new Intersection(ma, mb);
    // Thales: the angle at a point of the circle over a diameter.
    Circle* circ = new Circle(O, A);
    Line* diameter = new Line(A, O);
    Intersection* ends = new Intersection(circ, diameter);
    Pointon* onc = new Pointon(circ, 10, 10);
    Angle* thales = new Angle(A, onc, ends);
    // A parallel to a parallel.
    DepLine* p1 = makeparallel(C, ab, 0);
    DepLine* p2 = makeparallel(mab, p1, 0);

    int checked = 0;
    for (int round = 0; round < 500; ++round) {
        A->set(u(random), u(random));
        B->set(u(random), u(random));
        C->set(u(random), u(random));
        onc->set(u(random), u(random));
        objects.update();
        ASSERT_NO_FATAL_FAILURE(allfinite());
        double area = (B->x() - A->x()) * (C->y() - A->y()) - (C->x() - A->x()) * (B->y() - A->y());
        if (std::fabs(area) < 0.5) continue;
        ++checked;
        ASSERT_TRUE(O->valid);
        double ra = std::hypot(O->x() - A->x(), O->y() - A->y());
        EXPECT_NEAR(std::hypot(O->x() - B->x(), O->y() - B->y()), ra, 1e-7 * (1 + ra));
        EXPECT_NEAR(std::hypot(O->x() - C->x(), O->y() - C->y()), ra, 1e-7 * (1 + ra));
        EXPECT_NEAR(pca->distance(O->x(), O->y()), 0, 1e-7 * (1 + ra));
        ASSERT_TRUE(G->valid);
        EXPECT_NEAR(G->x(), (A->x() + B->x() + C->x()) / 3, 1e-9);
        EXPECT_NEAR(G->y(), (A->y() + B->y() + C->y()) / 3, 1e-9);
        ASSERT_TRUE(circ->valid);
        EXPECT_NEAR(std::hypot(onc->x() - O->x(), onc->y() - O->y()), circ->r(), 1e-9 * (1 + ra));
        if (thales->valid) {
            double s = thales->size();
            EXPECT_NEAR(std::min(std::fabs(s - 90), std::fabs(s - 270)), 0, 1e-6);
        }
        EXPECT_NEAR(p2->vx() * ab->vy() - p2->vy() * ab->vx(), 0, 1e-12);
        (void)pab;
    }
    EXPECT_GT(checked, 300);

    // Degenerate positions: coinciding points and collinear vertices make
    // objects invalid, never non-finite, and they come back.
    B->set(A->x(), A->y());
    objects.update();
    ASSERT_NO_FATAL_FAILURE(allfinite());
    EXPECT_FALSE(ab->valid);
    EXPECT_FALSE(O->valid);
    B->set(A->x() + 2, A->y());
    C->set(A->x() + 4, A->y());
    objects.update();
    ASSERT_NO_FATAL_FAILURE(allfinite());
    EXPECT_FALSE(O->valid) << "parallel bisectors";
    C->set(A->x() + 1, A->y() + 2);
    objects.update();
    EXPECT_TRUE(O->valid);
    EXPECT_TRUE(G->valid);
}
