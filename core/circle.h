// Circles: through a point, and with a radius given by two points (resting
// on a hidden help point).
#pragma once

#include "point.h"

#include <algorithm>
#include <cmath>
#include <vector>

class Intersection;
class OtherIntersection;
class Circle3Circle;

class Circle : public Object {
  public:
    Circle(Pointprim* p1, Pointprim* p2);
    Circle(Pointprim* p1, Pointprim* p2, Unnamed);

    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void update() override;
    int dep(Object** o) override;
    int project(double* x, double* y) override;
    void writeclear(char* s) override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void edit() override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void intersect(Object* P, Intersection* P1, OtherIntersection* P2);
    // Computes the circle about (x, y) through (x1, y1), valid when they are
    // apart: the update of circles placed by a rule.
    void settle(double x, double y, double x1, double y1);
    void settle(const double* p) { settle(p[0], p[1], p[2], p[3]); }
    // The places settle takes, as x, y pairs: the centre and a point of the
    // circle. Gives their number.
    int places(double* p) const {
        p[0] = X, p[1] = Y, p[2] = X1, p[3] = Y1;
        return 2;
    }
    // 1 when a point of the circle belongs to the object (an arc holds a
    // piece of its circle only).
    virtual int checkpoint(double, double) const { return 1; }

    double x() const { return X; }
    double y() const { return Y; }
    double x1() const { return X1; }
    double y1() const { return Y1; }
    double r() const { return R; }
    double magnitude() const override {
        return std::max({std::fabs(X), std::fabs(Y), std::fabs(R)});
    }
    Pointprim* p1() const { return P1; }
    Pointprim* p2() const { return P2; }

    double X = 0, Y = 0, X1 = 0, Y1 = 0, R = 0;
    Pointprim* P1;
    Pointprim* P2;
    Flag Complete{1};
    int Linetype = 0;

  protected:
    // The places of the visible defining points on the circle, as x, y
    // pairs: an incomplete circle draws a short arc at each. At most 3.
    virtual int through(double* xy) const;
    // Computes centre, radius point and radius from a and b; 1 when valid.
    int compute(Pointprim* a, Pointprim* b);
};

class Circle3 : public Pointprim {
  public:
    Circle3(Pointprim* m, Pointprim* p1, Pointprim* p2);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* p1() const { return P1; }
    Pointprim* p2() const { return P2; }
    Pointprim* m() const { return M; }
    Circle3Circle* c() const { return C; }
    void c(Circle3Circle* circle) { C = circle; }
    Pointprim* P1;
    Pointprim* P2;
    Pointprim* M;
    Circle3Circle* C = nullptr;
};

class Circle3Circle : public Circle {
  public:
    // A circle around the help point's centre through the help point.
    explicit Circle3Circle(Circle3* o);
    void update() override;
    Object* original() override { return O; }
    void writeclear(char* s) override;
    Object* O;
};

// Draws the piece of the circle about the pixel (cx, cy) of pixel radius r
// from screen angle a (y down, radians) clockwise on screen over span, with
// pen (null: the surface's own) where it can be seen.
void drawcirclepiece(PS& ps, double cx, double cy, double r, double a, double span, Pen* pen);
// The pixel places of the same piece, for an outline or a fill: all of it
// for a small circle, else the part that can be seen.
void circlepiecepoints(const PS& ps, double cx, double cy, double r, double a, double span,
                       std::vector<double>& xy);

// Makes a circle with a radius given by two points as the tools and files do:
// the help point (hidden), then its circle right after it.
Circle3Circle* makecircle3(Pointprim* m, Pointprim* p1, Pointprim* p2);
