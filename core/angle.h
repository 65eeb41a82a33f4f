// Angles: the counterclockwise angle at a corner from a first leg to a second.
#pragma once

#include "point.h"

class Angle : public Object {
  public:
    Angle(Pointprim* p1, Pointprim* m, Pointprim* p2);
    void draw(PS& ps) override;
    double distance(double x, double y) override { return M->distance(x, y); }
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void edit() override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    // The size in degrees, in [0, 360).
    double size() const;
    Pointprim* p1() const { return P1; }
    Pointprim* p2() const { return P2; }
    Pointprim* m() const { return M; }
    // How far from the vertex, in pixels, the modern label text stands on
    // the bisector b: beyond the arc of radius rho and clear of both legs.
    int labelreach(PS& ps, const char* text, int rho, double b) const;

    Pointprim* P1;
    Pointprim* P2;
    Pointprim* M;
    double Phi1 = 0, Phi2 = 0, Phi = 0;
    int Linetype = 0;
    int Pixelsize;
    Flag showsize;
};
