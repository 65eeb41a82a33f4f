// Numbers: objects whose value is a number, computed from the construction
// like any other object and shown as a label "name = value" near what they
// measure.
#pragma once

#include "object.h"

#include <cmath>
#include <string>

// A number of the construction; NaN while it has no value (the object is
// invalid then).
class Number : public Object {
  public:
    Number();
    double value() const { return valid ? Value : NAN; }
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void values(ValueSink& s) const override;
    // The label: "name = value", with a degree sign for angles.
    std::string label() const;

    double Value = 0;

  protected:
    // Sets the value; invalid when it is not finite.
    void set(double v);
    // Where the label stands in the construction's coordinates.
    virtual void anchor(double& x, double& y) const = 0;
    virtual bool degrees() const { return false; }
    // The line of the label below its anchor, so that the measures of one
    // object stand apart.
    virtual int line() const { return 0; }
};

class Pointprim;

// The distance of two points.
class Distance : public Number {
  public:
    Distance(Pointprim* a, Pointprim* b);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* point(int i) const { return i ? B : A; }
    Pointprim* A;
    Pointprim* B;

  protected:
    void anchor(double& x, double& y) const override;
};

// A measure of one object: a length of a segment or arc, a radius, an
// angle's size in degrees, an area or perimeter of a region or circle, a
// slope of a straight object.
class Measure : public Number {
  public:
    enum Kind { Length, Radius, AngleSize, Area, Perimeter, Slope };
    Measure(Kind k, Object* o);
    // Whether o has the measure k.
    static bool takes(Kind k, Object* o);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Kind K;
    Object* O;

  protected:
    void anchor(double& x, double& y) const override;
    bool degrees() const override { return K == AngleSize; }
    int line() const override { return K; }
};
