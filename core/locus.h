// Loci: the curve a point draws while a driver runs over its whole range,
// computed anew whenever the construction moves.
#pragma once

#include "object.h"

#include <array>
#include <vector>

class Pointprim;
class Slider;

// The path of point P while Q, a point on a line, ray, segment, circle or
// arc, runs over its object (a line or ray over the view widened on each
// side), or while slider Q runs from its minimum to its maximum. Sampled
// adaptively: where neighbouring samples lie far apart on the screen they
// are refined, and where P has no place or jumps the curve has a gap.
class Locus : public Object {
  public:
    enum { MinSamples = 10, MaxSamples = 100000, Start = 200 };
    Locus(Pointprim* p, Object* driver);
    // Whether a locus of p driven by driver can be made: a point driven by
    // a point on an object or a slider that it depends on.
    static bool takes(Object* p, Object* driver);
    void update() override;
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    int project(double* x, double* y) override;
    int dep(Object** o) override;
    double magnitude() const override;
    void writeclear(char* s) override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;

    // The pieces of the curve, each a polyline of x, y pairs.
    const std::vector<std::vector<double>>& pieces() const { return Pieces; }
    // The place on the curve nearest to (x, y), into x and y, and the
    // driver's parameter there (a length along a line or ray, 0 to 1 once
    // around a circle or along a segment or arc, a slider's value); 0 when
    // there is no curve.
    int parameter(double* x, double* y, double& u) const;
    // The place of the curve at the driver's parameter u, between the
    // samples around it; in a gap, the nearest end of a piece. False when
    // there is no curve.
    bool place(double u, double& x, double& y) const;
    void edit() override;

    Pointprim* P;
    Object* Q;
    int Limit = 2000; // the most samples
    int Linetype = 0;

  private:
    // The objects between the driver and P, in list order: what a sample
    // recomputes.
    void chain();
    // The place of P with the driver at parameter t (0 to 1); false when P
    // has none there.
    bool sample(double t, double& x, double& y);
    // The driver's range: for a line or ray, the part within the widened
    // view; false when there is none.
    bool range();
    std::vector<Object*> Chain;
    // The driver's parameter at sample parameter t (0 to 1).
    double driverat(double t) const;
    std::vector<std::vector<double>> Pieces;
    std::vector<std::vector<double>> Params; // the driver's parameter of each sample
    double T0 = 0, T1 = 1;                   // the driver's parameters that the range spans
    std::array<double, 5> Seen{};            // the view of the samples: X1, X2, Y1, Y2, Pixel
};
