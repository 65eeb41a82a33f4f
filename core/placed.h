// Lines and circles computed by a rule from other objects rather than
// through two points of the construction.
#pragma once

#include "point.h"

#include <cstring>
#include <memory>

// Each places two anchor points of its own (two points of the line; the
// centre and a point of the circle) and is then computed, drawn, intersected
// and projected as its kind is: Base is Line, Ray, Segment, Vector or Circle.
// A derived kind names itself, sets its writer and computes itself once its
// own fields are set.
template <class Base> class Placed : public Base {
  public:
    Placed() : Base(new Anchor, new Anchor, Object::Unnamed{}), A(anchor(0)), B(anchor(1)) {}

    void update() override {
        A->valid = B->valid = 0;
        if (!place(*A, *B)) {
            this->valid = 0;
            return;
        }
        Base::update();
    }
    // A computed size cannot be fixed: "fixed" is no flag of these kinds.
    int setspecialflag(const char* s) override {
        return std::strcmp(s, "fixed") ? Base::setspecialflag(s) : 0;
    }

  protected:
    // Places the two anchors (Anchor::place); 0 when the object does not
    // exist in the present position.
    virtual int place(Anchor& a, Anchor& b) = 0;

  private:
    std::unique_ptr<Anchor> anchor(int i) {
        return std::unique_ptr<Anchor>(static_cast<Anchor*>(i ? this->P2 : this->P1));
    }
    std::unique_ptr<Anchor> A, B;
};
