// The tools of the maps of the plane: reflection, rotation, translation and
// dilation. Each takes the object to map, then what gives the map.
#pragma once

#include "construction.h"
#include "transform.h"

class TransformAction : public StepwiseAction {
  public:
    // Prompts: first (the object), first + 1 (the mirror, centre or vector),
    // first + 2 (the angle or the end point).
    TransformAction(Transformation::Kind kind, int first, double number)
        : Number(number), Kind(kind), First(first) {}
    void perform(int c, int r) override;
    void inform() override;
    void abort() override;
    Object* O = nullptr; // the object to map
    Object* A = nullptr; // the mirror, the centre, or the point to move from
    // The degrees or the factor the dialog offers: the one given last.
    double Number;
    // The number object named in the dialog instead; null when a number
    // was typed.
    Object* By = nullptr;

  private:
    // The second click: the mirror, centre or vector.
    void second(int c, int r);
    // The third click: the angle or the point to move to.
    void third(int c, int r);
    // Asks for the degrees or the factor (or a number object's name); 0
    // when cancelled.
    int asknumber();
    // Makes the image of O and starts over.
    void finish(Object* a, Object* b, double number);
    Transformation::Kind Kind;
    int First;
};

extern TransformAction reflectaction, rotateaction, translateaction, dilateaction;
