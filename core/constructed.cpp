#include "constructed.h"
#include "number.h"
#include "objectlist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

void set(double* p, double x, double y, double x1, double y1) {
    p[0] = x;
    p[1] = y;
    p[2] = x1;
    p[3] = y1;
}

} // namespace

CircleThrough::CircleThrough(Pointprim* a, Pointprim* b, Pointprim* c) : OfPoints(a, b, c) {
    setname(String(10).text(), circlecount);
    Io = circlethroughio;
    update();
}

CircleRadius::CircleRadius(Pointprim* centre, Number* radius, double r)
    : Centre(centre), Radius(radius), Fixed(r) {
    setname(String(10).text(), circlecount);
    Io = circleradiusio;
    update();
}

int CircleRadius::dep(Object** o) {
    o[0] = Centre;
    if (!Radius) return 1;
    o[1] = Radius;
    return 2;
}

void CircleRadius::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(231).text(), Centre->name(),
                  Radius ? Radius->name() : flagnumber(Fixed).c_str());
}

int CircleRadius::place(double* p) {
    double r = Radius ? Radius->value() : Fixed;
    if (!Centre->valid || !(r > 0) || !std::isfinite(r)) return 0;
    p[0] = Centre->x();
    p[1] = Centre->y();
    p[2] = p[0] + r;
    p[3] = p[1];
    return 1;
}

int circumcentre(double ax, double ay, double bx, double by, double cx, double cy, double& x,
                 double& y) {
    bx -= ax, by -= ay, cx -= ax, cy -= ay;
    double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    double det = 2 * (bx * cy - by * cx);
    // Coinciding points, or an angle at A too flat for a centre that can be
    // trusted: the three lie on one line.
    double lb = std::sqrt(b2), lc = std::sqrt(c2);
    if (lb < EPS || lc < EPS || std::hypot(cx - bx, cy - by) < EPS) return 0;
    if (!(std::fabs(det) > 2e-12 * lb * lc)) return 0;
    double ux = (cy * b2 - by * c2) / det, uy = (bx * c2 - cx * b2) / det;
    x = ax + ux;
    y = ay + uy;
    return std::isfinite(ux) && std::isfinite(uy);
}

int CircleThrough::place(double* p) {
    if (!allvalid()) return 0;
    double x, y;
    if (!circumcentre(P[0]->x(), P[0]->y(), P[1]->x(), P[1]->y(), P[2]->x(), P[2]->y(), x, y))
        return 0;
    set(p, x, y, P[0]->x(), P[0]->y());
    return 1;
}

int CircleThrough::through(double* xy) const {
    int n = 0;
    for (Pointprim* p : P) {
        if (p->hidden()) continue;
        xy[2 * n] = p->x();
        xy[2 * n + 1] = p->y();
        ++n;
    }
    return n;
}

void CircleThrough::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(137).text(), P[0]->name(), P[1]->name(), P[2]->name());
}

Bisector::Bisector(Pointprim* a, Pointprim* b, Pointprim* c) : OfPoints(a, b, c) {
    setname(String(7).text(), linecount);
    Io = bisectorio;
    update();
}

int Bisector::place(double* p) {
    if (!allvalid()) return 0;
    double bx = P[1]->x(), by = P[1]->y();
    double ux = P[0]->x() - bx, uy = P[0]->y() - by;
    double vx = P[2]->x() - bx, vy = P[2]->y() - by;
    double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu < EPS || lv < EPS) return 0;
    // The sum of the unit legs halves the angle; for a straight angle it
    // vanishes, and the bisector stands perpendicular on the legs.
    double dx = ux / lu + vx / lv, dy = uy / lu + vy / lv;
    if (std::hypot(dx, dy) < 1e-8) {
        dx = -uy / lu;
        dy = ux / lu;
    }
    set(p, bx, by, bx + dx, by + dy);
    return 1;
}

void Bisector::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(138).text(), P[0]->name(), P[1]->name(), P[2]->name());
}

Midperpendicular::Midperpendicular(Pointprim* a, Pointprim* b) : OfPoints(a, b) {
    setname(String(7).text(), linecount);
    Io = midperpendiculario;
    update();
}

int Midperpendicular::place(double* p) {
    if (!allvalid()) return 0;
    double x1 = P[0]->x(), y1 = P[0]->y(), x2 = P[1]->x(), y2 = P[1]->y();
    double dx = x2 - x1, dy = y2 - y1, d = std::hypot(dx, dy);
    if (d < EPS) return 0;
    double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
    set(p, mx, my, mx - dy / d, my + dx / d);
    return 1;
}

void Midperpendicular::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(139).text(), P[0]->name(), P[1]->name());
}

int tangent(Pointprim* p, Circle* c, int side, double* places) {
    if (!p->valid || !c->valid) return 0;
    double px = p->x(), py = p->y(), mx = c->x(), my = c->y(), r = c->r();
    double ux = px - mx, uy = py - my, d = std::hypot(ux, uy);
    double scale = std::max({1.0, std::fabs(px), std::fabs(py), c->magnitude()});
    double tolerance = 1e-9 * scale;
    if (d < r - tolerance || d < EPS) return 0;
    ux /= d;
    uy /= d;
    // Left of the direction from the point to the centre.
    double wx = uy, wy = -ux;
    if (d <= r + tolerance) {
        // On the circle: the one tangent, at the point.
        if (side < 0) return 0;
        set(places, px, py, px - wx, py - wy);
        return 1;
    }
    double h = r * std::sqrt((d - r) * (d + r)) / d;
    double along = r * r / d;
    set(places, mx + along * ux - side * h * wx, my + along * uy - side * h * wy, px, py);
    return 1;
}

Tangent::Tangent(Pointprim* p, Circle* c) : P(p), C(c) {
    setname(String(7).text(), linecount);
    Io = tangentsio;
    update();
    // The second line stands right after the first.
    Other = new OtherTangent(this);
}

int Tangent::dep(Object** o) {
    o[0] = P;
    o[1] = C;
    return 2;
}

int Tangent::place(double* p) {
    return tangent(P, C, 1, p);
}

void Tangent::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(140).text(), P->name(), C->name());
}

OtherTangent::OtherTangent(Tangent* t) : T(t) {
    setname(String(7).text(), linecount);
    Io = noio;
    update();
}

int OtherTangent::dep(Object** o) {
    o[0] = T;
    o[1] = T->P;
    o[2] = T->C;
    return 3;
}

int OtherTangent::place(double* p) {
    return tangent(T->P, T->C, -1, p);
}

void OtherTangent::writeclear(char* s) {
    T->writeclear(s);
}
