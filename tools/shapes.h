// The tools of regions and arcs: the polygon, the regular polygon, the arcs,
// the semicircle and the sector.
#pragma once

#include "construction.h"

#include <vector>

// The polygon: one click a vertex; the first vertex again, or Return,
// closes it. It is made with a segment for each side.
class PolygonAction : public StepwiseAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    void complete() override;
    std::vector<Pointprim*> V; // the vertices so far

  private:
    // Makes the polygon of V and its sides, and starts over.
    void close();
};

// The regular polygon on a side: two points, then the number of vertices
// in a dialog. It is made with its new vertices and a segment for each side.
class Number;

class RegularPolygonAction : public StepwiseAction {
  public:
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Pointprim* A = nullptr;
    Pointprim* B = nullptr;
    // The number of vertices the dialog offers: the one given last.
    long N = 6;
    // The number object named in the dialog instead; null when a number
    // was typed.
    Number* Count = nullptr;

  private:
    // Asks for the number of vertices; 0 when cancelled.
    int asknumber();
};

extern PolygonAction polygonaction;
extern RegularPolygonAction regularpolygonaction;
extern PointsAction arc3action, arcaction, sectoraction, sector3action;
extern TwoPointAction semicircleaction;
