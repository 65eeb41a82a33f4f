// The tools that build the construction: each collects the objects it needs,
// one click each, then makes the new object from them.
#pragma once

#include "action.h"

class Pointprim;
class Lineprim;

// Shared by the two-click tools: highlight and unhighlight with a redraw.
void highlight(Object* o);
void unhighlight(Object* o);

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

extern TwoPointAction lineaction, rayaction, segmentaction, circleaction, middleaction;
extern PointLineAction parallelaction, rectangularaction;
extern IntersectionAction intersectionaction;
extern Circle3Action circle3action;
extern AngleAction angleaction;
extern PointonAction pointonaction;
extern EditAction editaction;
