// Intersection points of two lines or circles: a single point for two
// straight objects, a pair when a circle takes part.
#pragma once

#include "point.h"

class OtherIntersection;

class Intersection : public Pointprim {
  public:
    Intersection(Object* p1, Object* p2);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* alternate(int f) override;
    Object* first() const { return P1; }
    Object* second() const { return P2; }
    OtherIntersection* other() const { return Other; }
    Object* P1;
    Object* P2;
    OtherIntersection* Other = nullptr;
};

class OtherIntersection : public Pointprim {
  public:
    explicit OtherIntersection(Intersection* other);
    int dep(Object** o) override;
    Object* original() override { return Other; }
    void writeclear(char* s) override;
    Pointprim* alternate(int f) override;
    Intersection* other() const { return Other; }
    Intersection* Other;
};
