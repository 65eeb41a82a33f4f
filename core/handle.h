// What the mouse takes hold of in the drawing besides points: a slider's
// knob, a check box, a text, the label of a number.
#pragma once

class FlagSink;

// What a grab remembers: where the mouse took hold, and the place of what
// it holds then.
class Grip {
  public:
    void take(double x, double y, double placex, double placey) {
        X = x, Y = y, FromX = placex, FromY = placey;
    }
    // The place, with the mouse at (x, y): moved as far in the
    // construction, or, for an offset in pixels right and down, as many
    // pixels (within 100,000).
    void follow(double x, double y, double& placex, double& placey, bool pixels) const;
    double X = 0, Y = 0; // where the mouse took hold

  private:
    double FromX = 0, FromY = 0;
};

// The flags "dx:" and "dy:" of an offset in pixels; none for 0.
void writeoffset(FlagSink* io, double dx, double dy);
// Reads one of them into dx or dy; 0 when s is neither.
int offsetflag(const char* s, double& dx, double& dy);

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
