#include "derived.h"
#include "locus.h"
#include "objectlist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

Middle::Middle(Pointprim* p1, Pointprim* p2) : Pointprim(0, 0), P1(p1), P2(p2) {
    setname(String(49).text(), middlecount);
    Io = middleio;
    update();
}

void Middle::update() {
    valid = 1;
    if (!P1->valid || !P2->valid) {
        valid = 0;
        return;
    }
    set((P1->x() + P2->x()) * 0.5, (P1->y() + P2->y()) * 0.5);
}

int Middle::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    return 2;
}

void Middle::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(124).text(), P1->name(), P2->name());
}

Parallel::Parallel(Pointprim* p, Lineprim* l) : Pointprim(0, 0), P(p), L(l) {
    Class = CPoint | CHelp;
    Io = parallelio;
    update();
}

void Parallel::direction(double& dx, double& dy) const {
    dx = L->vx();
    dy = L->vy();
}

void Parallel::update() {
    valid = 1;
    if (!P->valid || !L->valid) {
        valid = 0;
        return;
    }
    double dx, dy;
    direction(dx, dy);
    set(P->x() + dx, P->y() + dy);
}

int Parallel::dep(Object** o) {
    o[0] = P;
    o[1] = L;
    return 2;
}

void Parallel::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(Text).text(), L->name(), P->name());
}

Rectangular::Rectangular(Pointprim* p, Lineprim* l) : Parallel(p, l) {
    Io = rectangulario;
    Text = 126;
    update();
}

void Rectangular::direction(double& dx, double& dy) const {
    dx = -L->vy();
    dy = L->vx();
}

DepLine::DepLine(Parallel* o) : Line(o, o->P), O(o) {
    setname(String(7).text(), linecount);
    Io = noio;
    update();
}

void DepLine::update() {
    valid = 1;
    if (!P1->valid || !P2->valid) {
        valid = 0;
        return;
    }
    X = P1->x();
    Y = P1->y();
    X1 = P2->x();
    Y1 = P2->y();
    double vx = X1 - X, vy = Y1 - Y;
    R = std::hypot(vx, vy);
    if (R < EPS) {
        valid = 0;
        return;
    }
    Vx = vx / R;
    Vy = vy / R;
}

void DepLine::writeclear(char* s) {
    O->writeclear(s);
}

Pointon::Pointon(Object* o, double x, double y) : Pointprim(x, y), O(o) {
    Class = CPoint | CBasic | CMovable;
    setname(String(50).text(), pointoncount);
    Io = pointonio;
    update();
}

void Pointon::update() {
    double x = X, y = Y;
    valid = 1;
    if (!O->valid) {
        valid = 0;
        return;
    }
    if (O->Class & CLocus) {
        const auto* l = static_cast<Locus*>(O);
        // On a locus the point keeps the driver's parameter while the curve
        // changes; where it was put anew, it takes the nearest place's.
        if (X == LX && Y == LY && std::isfinite(U) && l->place(U, x, y))
            set(x, y);
        else if (l->parameter(&x, &y, U))
            set(x, y);
        LX = X;
        LY = Y;
        return;
    }
    // A position already on the object stays to the last bit: projecting
    // it again could move it, so computing twice gives what computing once
    // gave (undo relies on it).
    double scale = std::max({1.0, std::fabs(X), std::fabs(Y), O->magnitude()});
    if (O->distance(X, Y) <= 1e-13 * scale) return;
    if (O->project(&x, &y)) set(x, y);
}

int Pointon::dep(Object** o) {
    o[0] = O;
    return 1;
}

void Pointon::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(127).text(), O->name());
}

DepLine* makeparallel(Pointprim* p, Lineprim* l, int perpendicular) {
    Parallel* h = perpendicular ? new Rectangular(p, l) : new Parallel(p, l);
    h->ishidden = 1;
    DepLine* d = new DepLine(h);
    h->other(d);
    return d;
}
