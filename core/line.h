// Straight objects: the line, the ray and the segment through two points.
#pragma once

#include "point.h"

#include <algorithm>
#include <cmath>

#include <cmath>

class Intersection;

class Lineprim : public Object {
  public:
    double magnitude() const override {
        return std::max({std::fabs(X), std::fabs(Y), std::fabs(X1), std::fabs(Y1)});
    }
    Lineprim(Pointprim* p1, Pointprim* p2);

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
    // 1 when a point of the supporting line belongs to the object.
    virtual int checkpoint(double x, double y);
    // Computes the object through (x, y) and (x1, y1), valid when they are
    // apart: the update of lines placed by a rule.
    void settle(double x, double y, double x1, double y1);
    void settle(const double* p) { settle(p[0], p[1], p[2], p[3]); }
    // The places settle takes, as x, y pairs: two points of the line. Gives
    // their number.
    int places(double* p) const {
        p[0] = X, p[1] = Y, p[2] = X1, p[3] = Y1;
        return 2;
    }

    double x() const { return X; }
    double y() const { return Y; }
    double x1() const { return X1; }
    double y1() const { return Y1; }
    double vx() const { return Vx; }
    double vy() const { return Vy; }
    double length() const { return R; }
    Pointprim* p1() const { return P1; }
    Pointprim* p2() const { return P2; }
    double lambda(double x, double y) const;
    // The distance of (x, y) from the whole line the object lies on.
    double normal(double x, double y) const { return std::fabs((x - X) * Vy - (y - Y) * Vx); }
    void intersect(Lineprim* L, Pointprim* P);
    // The label text: the name, or for a segment the length too.
    virtual void label(char* s, const PS& ps);

    double X = 0, Y = 0, X1 = 0, Y1 = 0, Vx = 1, Vy = 0, R = 0;
    Pointprim* P1;
    Pointprim* P2;
    int Linetype = 0; // 0 normal, 1 thick, 2 dotted
    Flag showlength;

  protected:
    // The parameter range of the drawn piece around the view centre's foot
    // point; 0 when nothing of the object can be seen.
    virtual int range(double b, double L, double& t1, double& t2);
    // Where the label sits before it is moved off the line.
    virtual void anchor(double fx, double fy, double& ax, double& ay);
    double dot(double x, double y) const { return (x - X) * Vx + (y - Y) * Vy; }
};

class Line : public Lineprim {
  public:
    Line(Pointprim* p1, Pointprim* p2);
    Line(Pointprim* p1, Pointprim* p2, Unnamed) : Line(p1, p2) {}
};

class Ray : public Lineprim {
  public:
    Ray(Pointprim* p1, Pointprim* p2);
    Ray(Pointprim* p1, Pointprim* p2, Unnamed);
    double distance(double x, double y) override;
    int project(double* x, double* y) override;
    void writeclear(char* s) override;
    int checkpoint(double x, double y) override;

  protected:
    int range(double b, double L, double& t1, double& t2) override;
    void anchor(double fx, double fy, double& ax, double& ay) override;
};

class Segment : public Lineprim {
  public:
    Segment(Pointprim* p1, Pointprim* p2);
    Segment(Pointprim* p1, Pointprim* p2, Unnamed);
    double distance(double x, double y) override;
    int project(double* x, double* y) override;
    void writeclear(char* s) override;
    int checkpoint(double x, double y) override;

  protected:
    int range(double b, double L, double& t1, double& t2) override;
    void anchor(double fx, double fy, double& ax, double& ay) override;

  public:
    void label(char* s, const PS& ps) override;
};

// The arrow from its first point to its second: a segment with an arrow
// head, and what translations move by.
class Vector : public Segment {
  public:
    Vector(Pointprim* p1, Pointprim* p2);
    Vector(Pointprim* p1, Pointprim* p2, Unnamed);
    void draw(PS& ps) override;
    void writeclear(char* s) override;
    void values(ValueSink& s) const override;
};

// Makes a line as the tools and files do: through a and b, named Line_n.
Line* makeline(Pointprim* a, Pointprim* b);

// Draws the segment from (x, y) to (x1, y1) with the pixels that a segment
// object between those places draws.
void drawsegment(PS& ps, double x, double y, double x1, double y1, int linetype, Color c);

// Draws the pixel line from (x1, y1) to (x2, y2) in construction
// coordinates with the pen of a line type, clamped to the int range.
void drawstraight(PS& ps, double x1, double y1, double x2, double y2, int linetype, Color c,
                  int lastpixel);
