// Numbers: objects whose value is a number, computed from the construction
// like any other object and shown as a label "name = value" near what they
// measure.
#pragma once

#include "expression.h"
#include "handle.h"
#include "object.h"

#include <cmath>
#include <string>

// A number of the construction; NaN while it has no value (the object is
// invalid then).
class Number : public Object, public Handle {
  public:
    Number();
    double value() const { return valid ? Value : NAN; }
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void values(ValueSink& s) const override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void writespecialflags(FlagSink* io) override;
    int setspecialflag(const char* s) override;
    // The label: "name = value", with a degree sign for angles.
    std::string label() const;
    // The value as shown: with the places of the object or the setting, no
    // "-0", a degree sign for angles.
    std::string shown() const;
    // The label moves with the mouse.
    void grab(double x, double y) override;
    void dragto(double x, double y) override;
    void edit() override;

    double Value = 0;
    // Where the label is moved from its place, in pixels right and down.
    double Dx = 0, Dy = 0;
    // Places after the point of this object's value; -1: the setting's.
    int Places = -1;

  protected:
    // Sets the value; invalid when it is not finite.
    void set(double v);
    // Where the label stands in the construction's coordinates.
    virtual void anchor(double& x, double& y) const = 0;
    virtual bool degrees() const { return false; }
    // The line of the label below its anchor, so that the measures of one
    // object stand apart.
    virtual int line() const { return 0; }
    // The pixel where the label's text begins on a surface of the view.
    void labelat(PS& ps, int& c, int& r) const;

    Grip Held; // the last grab
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

// A number that stands freely in the drawing: its label (or slider, or
// box) at (X, Y) of the construction, which a drag moves.
class FreeNumber : public Number {
  public:
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void writespecialflags(FlagSink* io) override;
    int setspecialflag(const char* s) override;
    void grab(double x, double y) override;
    void dragto(double x, double y) override;

    double X = 0, Y = 0;

  protected:
    void anchor(double& x, double& y) const override;
};

// A number computed by an expression of numbers and earlier number objects.
class Calculation : public FreeNumber {
  public:
    // An expression already parsed against the objects before this one.
    explicit Calculation(Expression e);
    void update() override;
    const std::vector<Object*>* alldep() const override { return &E.names(); }
    void writeclear(char* s) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    // Parses text as this calculation's expression, with the names of the
    // number objects before it; false with the reason in why when it is no
    // expression or names a later object or itself.
    bool change(const std::string& text, std::string& why);
    const Expression& expression() const { return E; }

  private:
    Expression E;
};

// The lookup of names in expressions: the number objects listed before
// before (all of them when before is null).
Expression::Lookup numbersbefore(Object* before);
// The value of a named object in an expression.
double numbervalue(Object* o);

// A number in a flag: the shortest text that reads back exactly, "." as the
// decimal separator.
std::string flagnumber(double x);
// Reads a flag "key:value" with a finite value into x; false when s is no
// such flag.
bool numberflag(const char* s, const char* key, double& x);
