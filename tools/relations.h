// The tools that ask what holds: Relation (which relations hold among two to
// four picked objects, and whether in general) and Discover (every relation
// of one object with the rest that holds in general).
#pragma once

#include "action.h"

#include <vector>

class Object;

// Click two to four points, lines, circles, segments, angles or numbers;
// the fourth, or Return after the second, shows what holds among them. A
// relation that holds here only can be shown failing: the free objects go
// to the counter-example position (one undo step).
class RelationAction : public Action {
  public:
    enum { Most = 4 };
    void perform(int c, int r) override;
    void inform() override;
    void start() override;
    void abort() override;
    void complete() override;
    int finished() override { return Picked.empty(); }

  private:
    void report();
    std::vector<Object*> Picked;
};

// Click a point, line or circle: the relations of it that hold in general
// and are not how something was made, listed; one can be shown highlighted
// or made into objects (a line through points on one line, a circle through
// points on one circle).
class DiscoverAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(261); }
};

extern RelationAction relationaction;
extern DiscoverAction discoveraction;
