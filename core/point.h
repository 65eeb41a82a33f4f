// Points: the base of every point object, the basic point, and tracks.
#pragma once

#include "handle.h"
#include "object.h"

// The positions through which a point has moved: its locus.
class Track {
  public:
    enum { Max = 1024 };
    void add(double* x, double* y);
    void draw(PS& ps);
    void start() { Count = 0; }
    double x(int i) const { return X[i]; }
    double y(int i) const { return Y[i]; }
    int count() const { return Count; }
    double X[Max];
    double Y[Max];
    int Count = 0;
    ::Color C; // always black
};

// A point; its name, when shown, can be dragged to another place near it.
class Pointprim : public Object, public Handle {
  public:
    Pointprim(double x, double y);
    ~Pointprim() override;

    void draw(PS& ps) override;
    double distance(double x, double y) override;
    void writeclear(char* s) override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void edit() override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    virtual void deletetrack();
    // The point to use instead of this one when a line through it degenerates.
    virtual Pointprim* alternate(int) { return this; }
    void values(ValueSink& s) const override;
    // The name's label: held and dragged by the mouse, and whether (x, y)
    // lies on it as it is drawn on ps.
    void grab(double x, double y) override;
    void dragto(double x, double y) override;
    bool onlabel(double x, double y, PS& ps);

    double x() const { return X; }
    double y() const { return Y; }
    void set(double x, double y) { X = x, Y = y; }
    Track* track() const { return T; }
    int trackpoint() const { return Trackpoint; }
    void trackpoint(int f) { Trackpoint = f; }
    void starttrack();
    void updatetrack();
    void resettrack();
    void computetracks();

    double X, Y;
    int Symbol = 5;                  // 5 square, 11 circle, 10 dot, 1 cross
    double LabelDx = 0, LabelDy = 0; // where the name was dragged: pixels right and down

  protected:
    Pointprim(double x, double y, Unlisted);

  private:
    // The name's left and bottom edge on ps, its place dragged or not.
    void labelplace(PS& ps, int& left, int& bottom) const;
    // In the modern look, a name not dragged takes the first of its places
    // around the point that no other label or dot has taken: which one.
    void choose(PS& ps, int& left, int& bottom);
    Grip Held;
    int Place = 0;

  public:
    Track* T = nullptr;
    int Trackpoint = 0;
};

// The file words of the point symbols.
const char* symbolword(int symbol);

class Point : public Pointprim {
  public:
    Point(double x, double y);
};

// The defining point of the lines and circles that a rule places (they
// have no points in the list): one point outside the list, unnamed, never
// drawn or changed.
class Standin : public Pointprim {
  public:
    static Standin& nowhere();
    void draw(PS&) override {}

  private:
    Standin() : Pointprim(0, 0, Unlisted{}) {
        ishidden = 1;
        valid = 0;
    }
};
