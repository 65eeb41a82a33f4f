// Points and lines computed from earlier objects by a fixed rule: midpoints,
// parallels and perpendiculars (a hidden help point and its line), and points
// bound to a line or circle.
#pragma once

#include "line.h"

#include <cmath>

class DepLine;

class Middle : public Pointprim {
  public:
    Middle(Pointprim* p1, Pointprim* p2);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* p1() const { return P1; }
    Pointprim* p2() const { return P2; }
    Pointprim* P1;
    Pointprim* P2;
};

// The help point one unit from the through point in the wanted direction.
class Parallel : public Pointprim {
  public:
    Parallel(Pointprim* p, Lineprim* l);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* point() const { return P; }
    Lineprim* line() const { return L; }
    DepLine* other() const { return Other; }
    void other(DepLine* d) { Other = d; }
    Pointprim* P;
    Lineprim* L;
    DepLine* Other = nullptr;

  protected:
    // The direction from the through point to the help point.
    virtual void direction(double& dx, double& dy) const;
    int Text = 125;
};

class Rectangular : public Parallel {
  public:
    Rectangular(Pointprim* p, Lineprim* l);

  protected:
    void direction(double& dx, double& dy) const override;
};

// The line of a parallel or perpendicular, through its help point and the
// through point.
class DepLine : public Line {
  public:
    explicit DepLine(Parallel* o);
    void update() override;
    Object* original() override { return O; }
    void writeclear(char* s) override;
    Object* O;
};

class Pointon : public Pointprim {
  public:
    Pointon(Object* o, double x, double y);
    explicit Pointon(Object* o) : Pointon(o, 0, 0) {}
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Object* object() const { return O; }
    Object* O;

  private:
    // On a locus: the driver's parameter of the place, and the place it was
    // given for it.
    double U = NAN, LX = NAN, LY = NAN;
};

// Makes a parallel or perpendicular as the tools and files do: the help point
// (hidden), then its line right after it.
DepLine* makeparallel(Pointprim* p, Lineprim* l, int perpendicular);
