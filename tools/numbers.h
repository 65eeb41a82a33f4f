// The tools of numbers and texts: measuring, sliders, check boxes,
// calculations and texts.
#pragma once

#include "action.h"
#include "dialogitems.h"

#include <string>

class Number;
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

// A dialog field that takes a number from min to max (whole when whole is
// set), or the name of a number object, which the result then follows.
class NumberOrNameItem : public StringItem {
  public:
    NumberOrNameItem(int id, Dialog& d, double x, double min, double max, int whole = 0);
    const char* refusal() override;
    void exit() override;
    double X;            // the number typed
    Number* O = nullptr; // or the number object named

  private:
    // What text stands for: 1 a number (into x), 2 a name (into o), 0 none.
    int read(const std::string& text, double& x, Number*& o) const;
    double Min, Max;
    int Whole;
    std::string Why;
};

// Click the centre; a dialog asks for the radius: a number, or the name of a
// number object that the radius then follows.
class CircleRadiusAction : public Action {
  public:
    void perform(int c, int r) override;
    void inform() override { prompt(244); }
    double R = 1; // the radius the dialog offers: the one given last
};

extern MeasureAction measureaction;
extern CircleRadiusAction circleradiusaction;
extern PlaceAction slideraction, checkboxaction, calculateaction, textaction;
