// The locus tool, and the command that turns tracks into loci.
#pragma once

#include "action.h"

class Pointprim;

// Click the point whose path is wanted, then what drives it: a point on a
// line, ray, segment, circle or arc, or a slider, that moves the point.
class LocusAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(P ? (Refused ? 250 : 249) : 248); }
    void start() override;
    void abort() override;
    int finished() override { return P == nullptr; }

  private:
    Pointprim* P = nullptr;
    int Refused = 0; // the last click chose what cannot drive P
};

// Turns the tracks of the traced points into loci driven by the point
// dragged while tracking, and ends the tracks. The number of loci made: 0
// when there is no such driver or it moves none of the traced points.
int makelocus();

extern LocusAction locusaction;
