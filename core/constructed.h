// Lines and circles placed by a rule: the circle through three points, the
// angle bisector, the perpendicular bisector and the tangents from a point
// to a circle.
#pragma once

#include "circle.h"
#include "line.h"
#include "placed.h"

// The centre (x, y) of the circle through three places; 0 when they lie on
// one line or two of them coincide.
int circumcentre(double ax, double ay, double bx, double by, double cx, double cy, double& x,
                 double& y);

// The circle through three points; none while they lie on one line.
class CircleThrough : public OfPoints<Circle, 3> {
  public:
    CircleThrough(Pointprim* a, Pointprim* b, Pointprim* c);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
    int through(double* xy) const override;
};

class Number;

// The circle about a point with a radius that is a number object or a
// fixed number; none while the radius is not positive.
class CircleRadius : public Placed<Circle> {
  public:
    // radius is the number object; null: the circle has the fixed radius r.
    CircleRadius(Pointprim* centre, Number* radius, double r);
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* Centre;
    Number* Radius;
    double Fixed;

  protected:
    int place(double* p) override;
    int through(double*) const override { return 0; }
};

// The line through B halving the angle ABC; none while A or C is at B.
class Bisector : public OfPoints<Line, 3> {
  public:
    Bisector(Pointprim* a, Pointprim* b, Pointprim* c);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

// The line of the points as far from A as from B; none while A is at B.
class Midperpendicular : public OfPoints<Line, 2> {
  public:
    Midperpendicular(Pointprim* a, Pointprim* b);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

class OtherTangent;

// The tangents from a point to a circle: this one, and the other one that
// the same record writes. Looking from the point towards the centre, this
// one touches the circle on the right, the other on the left. While the
// point lies on the circle there is only this one, the tangent at the point;
// inside it, none. Each line runs from its touching point through the point.
class Tangent : public Placed<Line> {
  public:
    Tangent(Pointprim* p, Circle* c);
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* point() const { return P; }
    Circle* circle() const { return C; }
    OtherTangent* other() const { return Other; }
    Pointprim* P;
    Circle* C;
    OtherTangent* Other = nullptr;

  protected:
    int place(double* p) override;
};

class OtherTangent : public Placed<Line> {
  public:
    explicit OtherTangent(Tangent* t);
    int dep(Object** o) override;
    Object* original() override { return T; }
    void writeclear(char* s) override;
    Tangent* T;

  protected:
    int place(double* p) override;
};

// The two places of the tangent from p to c that touches on side +1
// (right) or -1 (left) as x, y, x1, y1: the touching point, then p (or one
// unit along the tangent while p lies on c). 0 when there is no such tangent.
int tangent(Pointprim* p, Circle* c, int side, double* places);
