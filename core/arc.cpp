#include "arc.h"
#include "constructed.h"
#include "label.h"
#include "line.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const double Turn = 2 * M_PI;

// An angle taken into [0, 2 pi).
double turned(double a) {
    a = std::fmod(a, Turn);
    return a < 0 ? a + Turn : a;
}

double degrees(double a) {
    return turned(a) * 180 / M_PI;
}

void set(double* p, double x, double y) {
    p[0] = x;
    p[1] = y;
}

// The places of the arc or sector about m from a counterclockwise to the
// ray mb.
int centred(Pointprim* const* q, double* p) {
    set(p, q[0]->x(), q[0]->y());
    set(p + 2, q[1]->x(), q[1]->y());
    set(p + 4, q[2]->x(), q[2]->y());
    return 1;
}

// The places of the piece of the circle through p[0], p[1] and p[2] that
// runs from p[0] through p[1] to p[2]: its centre, the end it starts from
// counterclockwise, the other end. 0 when the three lie on one line.
int throughthree(Pointprim* const* P, double* p) {
    double x, y;
    const double ax = P[0]->x(), ay = P[0]->y(), bx = P[1]->x(), by = P[1]->y(), cx = P[2]->x(),
                 cy = P[2]->y();
    if (!circumcentre(ax, ay, bx, by, cx, cy, x, y)) return 0;
    set(p, x, y);
    // From A counterclockwise to C when B lies on the way, else from C.
    double a = std::atan2(ay - y, ax - x);
    bool ccw = turned(std::atan2(by - y, bx - x) - a) < turned(std::atan2(cy - y, cx - x) - a);
    set(p + 2, ccw ? ax : cx, ccw ? ay : cy);
    set(p + 4, ccw ? cx : ax, ccw ? cy : ay);
    return 1;
}

} // namespace

Arc::Arc(Pointprim* p1, Pointprim* p2, Unnamed) : Circle(p1, p2, Unnamed{}) {
    Class = CCircle | CArc;
}

void Arc::settle(const double* p) {
    X = p[0], Y = p[1], X1 = p[2], Y1 = p[3];
    double ex = p[4] - X, ey = p[5] - Y, e = std::hypot(ex, ey);
    R = std::hypot(X1 - X, Y1 - Y);
    valid = R >= EPS && e >= EPS && std::isfinite(R) && std::isfinite(e);
    if (!valid) return;
    From = std::atan2(Y1 - Y, X1 - X);
    double span = turned(std::atan2(ey, ex) - From);
    // The end on the ray of the start: the whole circle.
    Sweep = span > 0 ? span : Turn;
    X2 = X + ex / e * R;
    Y2 = Y + ey / e * R;
}

int Arc::places(double* p) const {
    set(p, X, Y);
    set(p + 2, X1, Y1);
    set(p + 4, X2, Y2);
    return 3;
}

int Arc::checkpoint(double x, double y) const {
    if (Sweep >= Turn) return 1;
    double t = turned(std::atan2(y - Y, x - X) - From);
    // A crossing at an end counts, rounding or not.
    const double tolerance = 1e-9;
    return t <= Sweep + tolerance || t >= Turn - tolerance;
}

double Arc::arcdistance(double x, double y) const {
    if (checkpoint(x, y)) return std::fabs(std::hypot(x - X, y - Y) - R);
    return std::min(std::hypot(x - X1, y - Y1), std::hypot(x - X2, y - Y2));
}

double Arc::distance(double x, double y) {
    return arcdistance(x, y);
}

int Arc::project(double* x, double* y) {
    double vx = *x - X, vy = *y - Y, d = std::hypot(vx, vy);
    if (d >= EPS && checkpoint(*x, *y)) {
        *x = X + vx * R / d;
        *y = Y + vy * R / d;
        return 1;
    }
    // Beyond the arc: its nearer end.
    bool start = std::hypot(*x - X1, *y - Y1) <= std::hypot(*x - X2, *y - Y2);
    *x = start ? X1 : X2;
    *y = start ? Y1 : Y2;
    return 1;
}

int Arc::setspecialflag(const char* s) {
    // An arc is drawn as it is: "uncomplete" is no flag of it.
    return std::strcmp(s, "uncomplete") ? Circle::setspecialflag(s) : 0;
}

void Arc::drawarc(PS& ps, ::Color c, Pen* pen) const {
    ps.color(c);
    double cx = std::trunc(colf(X, ps)), cy = std::trunc(rowf(Y, ps));
    double r = std::trunc(colf(X + R, ps)) - cx;
    // Counterclockwise from From is clockwise on screen from -(From + Sweep).
    drawcirclepiece(ps, cx, cy, r, -(From + Sweep), Sweep, pen);
}

void Arc::drawname(PS& ps, ::Color c) const {
    if (!showname) return;
    double mid = From + Sweep / 2, d = R + 10 * view().Pixel;
    ps.textcolor(c);
    drawlabel(ps, *this, col(X + d * std::cos(mid), ps), row(Y + d * std::sin(mid), ps),
              col(X + R * std::cos(mid), ps), row(Y + R * std::sin(mid), ps), labelname());
}

void Arc::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    std::unique_ptr<Pen> pen{stylepen(c, Linetype)};
    drawarc(ps, c, pen.get());
    drawname(ps, c);
}

void Arc::values(ValueSink& s) const {
    Circle::values(s);
    s.number("from_degrees", degrees(From));
    s.number("to_degrees", degrees(From + Sweep));
    s.number("length", length());
}

Arc3::Arc3(Pointprim* a, Pointprim* b, Pointprim* c) : OfPoints(a, b, c) {
    setname(String(186).text(), arccount);
    Io = arc3io;
    update();
}

int Arc3::place(double* p) {
    return allvalid() && throughthree(P, p);
}

void Arc3::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(187).text(), P[0]->name(), P[1]->name(), P[2]->name());
}

CenterArc::CenterArc(Pointprim* m, Pointprim* a, Pointprim* b) : OfPoints(m, a, b) {
    setname(String(186).text(), arccount);
    Io = arcio;
    update();
}

int CenterArc::place(double* p) {
    return allvalid() && centred(P, p);
}

void CenterArc::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(188).text(), P[0]->name(), P[1]->name(), P[2]->name());
}

Semicircle::Semicircle(Pointprim* a, Pointprim* b) : OfPoints(a, b) {
    setname(String(186).text(), arccount);
    Io = semicircleio;
    update();
}

int Semicircle::place(double* p) {
    if (!allvalid()) return 0;
    double ax = P[0]->x(), ay = P[0]->y(), bx = P[1]->x(), by = P[1]->y();
    // Left of A -> B is counterclockwise from B to A.
    set(p, (ax + bx) / 2, (ay + by) / 2);
    set(p + 2, bx, by);
    set(p + 4, ax, ay);
    return 1;
}

void Semicircle::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(189).text(), P[0]->name(), P[1]->name());
}

Sector3::Sector3(Pointprim* a, Pointprim* b, Pointprim* c) : OfPoints(a, b, c) {
    setname(String(190).text(), sectorcount);
    Io = sector3io;
    update();
}

int Sector3::place(double* p) {
    return allvalid() && throughthree(P, p);
}

void Sector3::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(253).text(), P[0]->name(), P[1]->name(), P[2]->name());
}

Sector::Sector(Pointprim* p1, Pointprim* p2, Unnamed) : Arc(p1, p2, Unnamed{}) {
    Class = CRegion;
}

void Sector::drawfill(PS& ps) {
    if (!valid || hidden() || !Filled) return;
    static std::vector<double> ring;
    double cx = colf(X, ps), cy = rowf(Y, ps), r = colf(X + R, ps) - cx;
    circlepiecepoints(ps, cx, cy, r, -(From + Sweep), Sweep, ring);
    if (Sweep < Turn) ring.insert(ring.end(), {cx, cy});
    fillshape(ps, ring, fillcolor(ps));
}

void Sector::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    std::unique_ptr<Pen> pen{stylepen(c, Linetype)};
    drawarc(ps, c, pen.get());
    if (Sweep < Turn) {
        drawsegment(ps, X, Y, X1, Y1, Linetype, c);
        drawsegment(ps, X, Y, X2, Y2, Linetype, c);
    }
    drawname(ps, c);
}

double Sector::distance(double x, double y) {
    double d = std::hypot(x - X, y - Y);
    if (d <= R && checkpoint(x, y)) return 0;
    auto radius = [&](double ex, double ey) {
        ex -= X, ey -= Y;
        double t = std::clamp(((x - X) * ex + (y - Y) * ey) / (R * R), 0.0, 1.0);
        return std::hypot(x - X - t * ex, y - Y - t * ey);
    };
    return std::min({arcdistance(x, y), radius(X1, Y1), radius(X2, Y2)});
}

void Sector::values(ValueSink& s) const {
    Arc::values(s);
    const double corners[6] = {X, Y, X1, Y1, X2, Y2};
    s.points("vertices", corners, 3);
    s.number("area", area());
    s.number("perimeter", perimeter());
}

int Sector::setspecialflag(const char* s) {
    return fillflag(s) || Arc::setspecialflag(s);
}

void Sector::writespecialflags(FlagSink* io) {
    writeflags(io, Linetype, Class);
}

void Sector::getstate(ObjectState& s) const {
    shapestate(*this, s, Linetype);
}

void Sector::setstate(const ObjectState& s) {
    setshapestate(*this, s, Linetype);
}

CenterSector::CenterSector(Pointprim* m, Pointprim* a, Pointprim* b) : OfPoints(m, a, b) {
    setname(String(190).text(), sectorcount);
    Io = sectorio;
    update();
}

int CenterSector::place(double* p) {
    return allvalid() && centred(P, p);
}

void CenterSector::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(191).text(), P[0]->name(), P[1]->name(), P[2]->name());
}
