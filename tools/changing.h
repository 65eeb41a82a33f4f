// The tools that change an existing construction: moving a point along a
// line or circle, hiding, deleting, tracing and stepping through it.
#pragma once

#include "action.h"

class Pointprim;

// Moves points along a chosen line or circle: as the move tool, with every
// position projected onto the object.
class MoveonAction : public MoveAction {
  public:
    MoveonAction() { drag = 0; }
    void perform(int c, int r) override;
    void inform() override { prompt(drag ? 14 : 38); }
    void start() override;
    void abort() override;
    Object* O = nullptr;

  protected:
    void grabbed(double x, double y) override;
    int position(double& x, double& y) override;
    void recompute() override;
    void released() override;
};

class HideAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(18); }
    void start() override { host().cursor(ToolHost::PointCursorKind); }
};

class DeleteAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override;
};

class TrackAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(39); }
    void start() override;
    void startagain() override {}
    Pointprim* P = nullptr;
};

class StepAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(85); }
    void start() override;
    void abort() override;
};

extern MoveonAction moveonaction;
extern HideAction hideaction;
extern DeleteAction deleteaction;
extern TrackAction trackaction;
extern StepAction stepaction;
