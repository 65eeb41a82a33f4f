// The tools that build the construction: each collects the objects it needs,
// one click each, then makes the new object from them.
#pragma once

#include "action.h"

class Pointprim;
class Lineprim;

// Shared by the two-click tools: highlight and unhighlight with a redraw.
void highlight(Object* o);
void unhighlight(Object* o);

// A point for a click: near, offered intersection or new; 0 when dropped.
int pick(int c, int r, Pointprim*& slot);
// An existing object of the mask for a click (chosen in a dialog when
// several are); 0 when there is none.
int existingobject(int c, int r, Object*& slot, int mask);
template <class T> int existing(int c, int r, T*& slot, int mask) {
    Object* o = slot;
    if (!existingobject(c, r, o, mask)) return 0;
    slot = static_cast<T*>(o);
    return 1;
}

// A tool that collects its objects in states 1, 2, ...; 0 after abort.
class StepwiseAction : public Action {
  public:
    void start() override;
    int finished() override { return State == 1; }
    int State = 0;
};

// Lines, rays, segments, circles and midpoints through two points.
class TwoPointAction : public StepwiseAction {
  public:
    using Maker = void (*)(Pointprim*, Pointprim*);
    TwoPointAction(Maker make, int i1, int i2) : Make(make), I1(i1), I2(i2) {}
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Pointprim* P1 = nullptr;
    Pointprim* P2 = nullptr;

  private:
    Maker Make;
    int I1, I2;
};

// Parallels and perpendiculars: a straight object, then a point.
class PointLineAction : public StepwiseAction {
  public:
    PointLineAction(int perpendicular, int i1, int i2)
        : Perpendicular(perpendicular), I1(i1), I2(i2) {}
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Pointprim* P = nullptr;
    Lineprim* L = nullptr;

  private:
    int Perpendicular;
    int I1, I2;
};

class IntersectionAction : public StepwiseAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Object* P1 = nullptr;
    Object* P2 = nullptr;
};

// Circles with a radius given by two points (M the centre) and angles (M
// the corner).
class ThreePointAction : public StepwiseAction {
  public:
    void abort() override;
    Pointprim* P1 = nullptr;
    Pointprim* P2 = nullptr;
    Pointprim* M = nullptr;
};

class Circle3Action : public ThreePointAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
};

class AngleAction : public ThreePointAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
};

// Tools that take n different points, one click each, and make the object of
// those points: the circle through three points and the angle bisector.
class PointsAction : public StepwiseAction {
  public:
    enum { Max = 3 };
    using Maker = void (*)(Pointprim**);
    // Prompts are first, first + 1, ... for the points in turn.
    PointsAction(int n, Maker make, int first) : N(n), Make(make), First(first) {}
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Pointprim* P[Max] = {};

  private:
    int N;
    Maker Make;
    int First;
};

// The tangents from a point to a circle: the point, then the circle.
class TangentsAction : public StepwiseAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Pointprim* P = nullptr;
    Object* C = nullptr;
};

class PointonAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(87); }
    Object* O = nullptr;
};

// Opens the property dialog of the object under the cursor.
class EditAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(44); }
    void start() override { host().cursor(ToolHost::PointCursorKind); }
};

extern TwoPointAction lineaction, rayaction, segmentaction, circleaction, middleaction,
    vectoraction, midperpendicularaction;
extern PointsAction circlethroughaction, bisectoraction;
extern TangentsAction tangentsaction;
extern PointLineAction parallelaction, rectangularaction;
extern IntersectionAction intersectionaction;
extern Circle3Action circle3action;
extern AngleAction angleaction;
extern PointonAction pointonaction;
extern EditAction editaction;
