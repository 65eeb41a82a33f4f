// Free numbers the user sets in the drawing: sliders and check boxes.
#pragma once

#include "number.h"

// A free number between a minimum and a maximum in steps, set by dragging
// the knob of a slider drawn at a place of the construction.
class Slider : public FreeNumber {
  public:
    Slider(double value, double min, double max, double step);
    // Whether a slider may have this range: minimum below maximum, a
    // positive step, every number finite.
    static bool range(double min, double max, double step);
    // Sets the value: on the nearest step, within the range.
    void setvalue(double v);
    void update() override { set(Value); }
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void writeclear(char* s) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    // The knob or the line sets the value; the label moves the slider. A
    // click on the line puts the knob there.
    void grab(double x, double y) override;
    void dragto(double x, double y) override;
    int click() override;

    double Min, Max, Step;
    enum { Length = 160 }; // of the line from (X, Y) rightwards, in pixels

  private:
    int Knob = 0; // the grab holds the knob rather than the label
};

// A free number that is 1 or 0, shown as a box with a caption that a click
// ticks and clears.
class CheckBox : public FreeNumber {
  public:
    CheckBox(int on, const std::string& caption);
    void update() override { set(Value != 0 ? 1 : 0); }
    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void writeclear(char* s) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    int click() override;

    std::string Caption; // right of the box, whose top left corner is (X, Y)
};

// A place in the view's top left for a new slider or check box, below the
// ones placed before.
void freeplace(double& x, double& y);
