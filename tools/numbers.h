// The tools of numbers and texts: measuring, sliders, check boxes,
// calculations and texts.
#pragma once

#include "action.h"

class Pointprim;

// Click what to measure: a segment or arc (its length), a circle (its
// radius), an angle (its size), a region (its area), a line or ray (its
// slope), or two points (their distance).
class MeasureAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override;
    void start() override;
    void abort() override;
    int finished() override { return A == nullptr; }

  private:
    Pointprim* A = nullptr;
};

// Click where the object goes; its property dialog sets it up, and Cancel
// takes it away again.
class PlaceAction : public Action {
  public:
    enum Kind { SliderKind, CheckBoxKind, CalculationKind, TextKind };
    PlaceAction(Kind k, int prompt) : K(k), Prompt(prompt) {}
    void perform(int c, int r) override;
    void inform() override { prompt(Prompt); }

  private:
    Kind K;
    int Prompt;
};

extern MeasureAction measureaction;
extern PlaceAction slideraction, checkboxaction, calculateaction, textaction;
