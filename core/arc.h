// Arcs and sectors: pieces of circles computed from a centre, a start place
// and the direction of their end. Arcs are circles to every tool that takes
// one (a point on an arc stays on it, an intersection exists only on it);
// sectors are regions.
#pragma once

#include "circle.h"
#include "placed.h"
#include "region.h"

// The piece of a circle from its start counterclockwise to the ray from the
// centre towards its end place. An arc whose end place lies on the ray of its
// start is the whole circle. Its places are the centre, the start and the end
// place; it keeps the end on the circle (X2, Y2), the angle of the start From
// and the angle it spans, Sweep, in (0, 2 pi].
class Arc : public Circle {
  public:
    Arc(Pointprim* p1, Pointprim* p2, Unnamed);

    void draw(PS& ps) override;
    double distance(double x, double y) override;
    int project(double* x, double* y) override;
    // Whether the direction of (x, y) from the centre lies within the arc.
    int checkpoint(double x, double y) const override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void edit() override;

    // Computes the arc from its places: centre, start, end place.
    void settle(const double* p);
    int places(double* p) const;
    double length() const { return R * Sweep; }
    double from() const { return From; }
    double sweep() const { return Sweep; }
    double x2() const { return X2; }
    double y2() const { return Y2; }

    double X2 = 0, Y2 = 0, From = 0, Sweep = 0;

  protected:
    // The distance of (x, y) from the arc alone.
    double arcdistance(double x, double y) const;
    // The ring of the arc in pixels and its outline.
    void drawarc(PS& ps, ::Color c, Pen* pen) const;
    // The name, outside the middle of the arc.
    void drawname(PS& ps, ::Color c) const;
};

// The arc from A through B to C.
class Arc3 : public OfPoints<Arc, 3> {
  public:
    Arc3(Pointprim* a, Pointprim* b, Pointprim* c);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

// The arc about M from A counterclockwise to the ray MB, of radius MA.
class CenterArc : public OfPoints<Arc, 3> {
  public:
    CenterArc(Pointprim* m, Pointprim* a, Pointprim* b);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

// The half circle over AB on the left of the direction from A to B.
class Semicircle : public OfPoints<Arc, 2> {
  public:
    Semicircle(Pointprim* a, Pointprim* b);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

// The region of a circle between two radii: an arc with the radii to its
// ends, filled.
class Sector : public Arc, public Shape {
  public:
    Sector(Pointprim* p1, Pointprim* p2, Unnamed);

    void draw(PS& ps) override;
    void drawfill(PS& ps) override;
    double distance(double x, double y) override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void edit() override;
    double area() const override { return R * R * Sweep / 2; }
    double perimeter() const override { return R * Sweep + 2 * R; }
};

// The sector of the circle through A, B and C, from A through B to C.
class Sector3 : public OfPoints<Sector, 3> {
  public:
    Sector3(Pointprim* a, Pointprim* b, Pointprim* c);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};

// The sector about M from A counterclockwise to the ray MB, of radius MA.
class CenterSector : public OfPoints<Sector, 3> {
  public:
    CenterSector(Pointprim* m, Pointprim* a, Pointprim* b);
    void writeclear(char* s) override;

  protected:
    int place(double* p) override;
};
