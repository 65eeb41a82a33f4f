// Labels beside objects (a point's name, a segment's length, an angle's
// value): placed where nothing drawn before lies, moved where the user
// dragged them, and found again by the mouse.
#pragma once

#include "handle.h"

class Object;
class PS;

// The left and top edge of a place a label may take, in pixels.
struct Spot {
    int x, y;
};

// Places a label w x h pixels of o at the first of the n spots that nothing
// drawn on ps before has claimed (the first, when all are taken, when the
// label was dragged, or in the classic look), moved by o's offset, and
// claims it for o. Its left and top edge; the spot taken.
int placelabel(PS& ps, const Object& o, int w, int h, const Spot* spots, int n, int& left,
               int& top);
// Draws the label s of o centred at pixel (x, y); in the modern look, when
// that place is taken, beside (ax, ay), the pixel of o it belongs to: on
// its other side, moved along o, or further out.
void drawlabel(PS& ps, const Object& o, int x, int y, int ax, int ay, const char* s);
// The object whose label was drawn last over (x, y), in construction
// coordinates, on ps, and how many pixels (sx, sy) that label stood off its
// first place; null when none was.
const Object* labelowner(const PS& ps, double x, double y, int* sx = nullptr, int* sy = nullptr);

// Holds the label of an object while the mouse drags it: its offset
// follows in whole pixels.
class LabelHandle : public Handle {
  public:
    // Holds the label of o, standing (sx, sy) pixels off its first place.
    void hold(Object* o, int sx = 0, int sy = 0) { O = o, Sx = sx, Sy = sy; }
    void grab(double x, double y) override;
    void dragto(double x, double y) override;

  private:
    Object* O = nullptr;
    int Sx = 0, Sy = 0;
    Grip Held;
};
