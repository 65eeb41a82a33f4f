// What the mouse takes hold of in the drawing besides points: a slider's
// knob, a check box, a text, the label of a number.
#pragma once

class Handle {
  public:
    virtual ~Handle() = default;
    // Takes hold at (x, y), in construction coordinates, near the object.
    virtual void grab(double x, double y) = 0;
    // Follows the mouse to (x, y) after the grab.
    virtual void dragto(double x, double y) = 0;
    // A click without a move: a check box toggles; 1 when something changed.
    virtual int click() { return 0; }
};
