// The interactive tools: each turns clicks into selections, new objects and
// edits. One tool is current at a time; the main window drives it.
#pragma once

#include "flags.h"
#include "label.h"
#include "view.h"

class Object;

// What the tools need of the main window besides the view: the cursor and
// the mouse capture while dragging.
class ToolHost : public View {
  public:
    enum CursorKind { PenCursorKind, PointCursorKind, MoveCursorKind, StepCursorKind };
    virtual void cursor(CursorKind) {}
    virtual void capture(int) {}
    // Shows no tool button pressed (while deleting).
    virtual void releasetool() {}
};

// The main window once it is installed, else a plain host (tests).
ToolHost& host();
void sethost(ToolHost* h);

class Action {
  public:
    Action() = default;
    virtual ~Action() = default;
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;

    virtual void perform(int, int) {}
    virtual void dragperform(int, int, int) {}
    virtual void inform() {}
    virtual void start();
    virtual void startagain() { start(); }
    virtual void abort() {}
    // Return: the tool ends what it collects (a polygon closes).
    virtual void complete() {}
    virtual int finished() { return 1; }

    Flag drag;
};

// A pixel of the drawing area in construction coordinates.
double actionx(int c);
double actiony(int r);
// Shows UI text id in the status line.
void prompt(int id);

// The point a construction tool gets for a click at (x, y): a point near
// it (chosen in a dialog when several are), else the offered intersection
// under it, else a new basic point. 0 when the user cancelled the choice or
// declined the offered intersection: the click is dropped.
int choosepoint(double x, double y, Object** slot);

class NoAction : public Action {
  public:
    void inform() override { prompt(4); }
};

class PointAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(6); }
};

class Pointprim;

class Handle;

// Drags points; where no point is, it drags what else the mouse takes hold
// of (a slider's knob, a label, a text) and ticks check boxes.
class MoveAction : public Action {
  public:
    MoveAction() { drag = 1; }
    void dragperform(int type, int c, int r) override;
    void inform() override { prompt(P ? 13 : 14); }
    void start() override;
    int finished() override { return P == nullptr && HeldObject == nullptr; }
    // What the drag or click changes: the point, else the held object.
    Object* subject() const;
    Pointprim* P = nullptr;
    Handle* Held = nullptr;       // a handle held instead of a point
    Object* HeldObject = nullptr; // its object
    LabelHandle Label;            // the handle of a label held
    int pickup = 0;               // a point chosen in the dialog waits for the next press
    int moved = 0;                // the point moved since the last press

  protected:
    // After a point was grabbed at (x, y).
    virtual void grabbed(double, double) {}
    // Where a dragged point goes for the cursor at (x, y); 0: it stays.
    virtual int position(double&, double&) { return 1; }
    // Recomputes the construction after a step.
    virtual void recompute();
    // After a point was let go.
    virtual void released() {}

  private:
    void grab(double x, double y);
    void draghandle(double x, double y);
    // Lets go of the handle: a click without a move clicks it, a right
    // click opens its property dialog.
    void release(int type);
};

extern NoAction noaction;
extern PointAction pointaction;
extern MoveAction moveaction;

// The tool commands and their tools, searched in this order.
extern const int ncommands;
extern const int commands[];
extern Action* const actions[];
// The tool of a command, or null.
Action* actionof(int command);
