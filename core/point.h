// Points: the base of every point object, the basic point, and tracks.
#pragma once

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

// A point.
class Pointprim : public Object {
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
    // Claims the place of its dot on ps, before any label is placed.
    void claimdot(PS& ps) const;

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
    int Symbol = 5; // 5 square, 11 circle, 10 dot, 1 cross

  protected:
    Pointprim(double x, double y, Unlisted);

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
