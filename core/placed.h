// Lines and circles computed by a rule from other objects rather than
// through two points of the construction.
#pragma once

#include "point.h"

#include <algorithm>
#include <cstring>

// Each finds its places (two points of the line; the centre and a point of
// the circle; the centre, start and end of an arc) and is then computed,
// drawn, intersected and projected as its kind is: Base is Line, Ray,
// Segment, Vector, Circle or an arc. Its defining points
// are the stand-in of points outside the list. A derived kind names itself,
// sets its writer and computes itself once its own fields are set.
template <class Base> class Placed : public Base {
  public:
    Placed() : Base(&Standin::nowhere(), &Standin::nowhere(), Object::Unnamed{}) {}

    void update() override {
        double p[6];
        if (!place(p)) {
            this->valid = 0;
            return;
        }
        this->settle(p);
    }
    // A computed size cannot be fixed: "fixed" is no flag of these kinds.
    int setspecialflag(const char* s) override {
        return std::strcmp(s, "fixed") ? Base::setspecialflag(s) : 0;
    }

  protected:
    // The places as x, y pairs (two, or three for an arc); 0 when the
    // object does not exist in the present position.
    virtual int place(double* p) = 0;
};

// A placed object made from N points of the construction, its parents.
template <class Base, int N> class OfPoints : public Placed<Base> {
  public:
    template <class... Points> explicit OfPoints(Points*... p) : P{p...} {}
    int dep(Object** o) override {
        std::copy(P, P + N, o);
        return N;
    }
    Pointprim* point(int i) const { return P[i]; }
    int allvalid() const {
        return std::all_of(P, P + N, [](const Pointprim* p) { return p->valid != 0; });
    }
    Pointprim* P[N];
};
