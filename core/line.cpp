#include "line.h"
#include "label.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

void drawstraight(PS& ps, double x1, double y1, double x2, double y2, int linetype, Color c,
                  int lastpixel) {
    int a = col(x1, ps), b = row(y1, ps);
    int e = col(x2, ps), f = row(y2, ps);
    ps.color(c);
    ps.move(a, b);
    if (std::unique_ptr<Pen> pen{stylepen(c, linetype)}) {
        ps.lineto(e, f, *pen);
    } else {
        ps.lineto(e, f);
        if (lastpixel) ps.point(e, f, c);
    }
}

Lineprim::Lineprim(Pointprim* p1, Pointprim* p2) : P1(p1), P2(p2) {
    Class = CStraight;
    Io = lineio;
    update();
}

int Lineprim::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    return 2;
}

void Lineprim::update() {
    if (Class & CFixed) {
        double dx = P2->x() - P1->x(), dy = P2->y() - P1->y();
        double d = std::hypot(dx, dy);
        // Coinciding points give no direction: the second point stays.
        if (d >= EPS && std::isfinite(R)) P2->set(P1->x() + dx / d * R, P1->y() + dy / d * R);
    }
    for (int alt = 0; alt < 2; ++alt) {
        valid = 1;
        Pointprim* a = P1->alternate(alt);
        Pointprim* b = P2->alternate(alt);
        if (!a->valid || !b->valid) {
            valid = 0;
            return;
        }
        X = a->x();
        Y = a->y();
        X1 = b->x();
        Y1 = b->y();
        double vx = X1 - X, vy = Y1 - Y;
        double r = std::hypot(vx, vy);
        if (Class & CFixed) {
            // A fixed length stays what it was while its points coincide.
            if (r >= EPS) R = r;
        } else {
            R = r;
        }
        if (r >= EPS) {
            Vx = vx / r;
            Vy = vy / r;
            return;
        }
    }
    valid = 0;
}

void Lineprim::settle(double x, double y, double x1, double y1) {
    X = x;
    Y = y;
    X1 = x1;
    Y1 = y1;
    double vx = X1 - X, vy = Y1 - Y;
    R = std::hypot(vx, vy);
    valid = R >= EPS;
    if (!valid) return;
    Vx = vx / R;
    Vy = vy / R;
}

double Lineprim::distance(double x, double y) {
    return normal(x, y);
}

int Lineprim::project(double* x, double* y) {
    double t = dot(*x, *y);
    *x = X + t * Vx;
    *y = Y + t * Vy;
    return 1;
}

int Lineprim::checkpoint(double, double) {
    return 1;
}

double Lineprim::lambda(double x, double y) const {
    return std::fabs(Vy) >= std::fabs(Vx) ? (y - Y) / Vy : (x - X) / Vx;
}

void Lineprim::intersect(Lineprim* L, Pointprim* P) {
    double det = Vx * L->Vy - Vy * L->Vx;
    if (std::fabs(det) < EPS) {
        P->valid = 0;
        return;
    }
    double e = ((L->X - X) * L->Vy - (L->Y - Y) * L->Vx) / det;
    P->set(X + e * Vx, Y + e * Vy);
    P->valid = checkpoint(P->x(), P->y()) && L->checkpoint(P->x(), P->y());
}

void Lineprim::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(120).text(), P1->name(), P2->name());
}

void Lineprim::writespecialflags(FlagSink* io) {
    writestyle(io, Linetype, Class);
    if (showlength) io->flag("showlength");
}

int Lineprim::setspecialflag(const char* s) {
    if (styleflag(s, Linetype, Class)) return 1;
    if (std::strcmp(s, "showlength")) return 0;
    showlength = 1;
    return 1;
}

int Lineprim::range(double, double L, double& t1, double& t2) {
    t1 = -L;
    t2 = L;
    return 1;
}

void Lineprim::anchor(double fx, double fy, double& ax, double& ay) {
    ax = fx + 30 * view().Pixel * Vx;
    ay = fy + 30 * view().Pixel * Vy;
}

void Lineprim::label(char* s, const PS& ps) {
    std::snprintf(s, DescriptionMax, "%s", showname ? shownname(labelname(), ps).c_str() : "");
}

namespace {

// The foot of the view centre on the line through (x, y) in direction
// (vx, vy), and the reach L of a drawn line around it: lines are drawn
// from there, so that far places cost no precision.
void viewfoot(double x, double y, double vx, double vy, double& fx, double& fy, double& L) {
    const View& v = view();
    double mx = (v.X1 + v.X2) / 2, my = (v.Y1 + v.Y2) / 2;
    double d = (mx - x) * vy - (my - y) * vx;
    fx = mx - d * vy;
    fy = my + d * vx;
    L = 2 * std::max(v.X2 - v.X1, v.Y2 - v.Y1);
}

} // namespace

void drawsegment(PS& ps, double x, double y, double x1, double y1, int linetype, Color c) {
    // The numbers of a segment through these places, computed as it
    // computes them, so that the two draw the same pixels.
    double vx = x1 - x, vy = y1 - y, r = std::hypot(vx, vy);
    if (!(r >= EPS)) return;
    vx /= r;
    vy /= r;
    double fx, fy, L;
    viewfoot(x, y, vx, vy, fx, fy, L);
    double b = -(std::fabs(vy) >= std::fabs(vx) ? (fy - y) / vy : (fx - x) / vx);
    if (b > L) return;
    double t1 = std::max(b, -L), t2 = std::min(b + r, L);
    if (t2 < t1) return;
    drawstraight(ps, fx + t1 * vx, fy + t1 * vy, fx + t2 * vx, fy + t2 * vy, linetype, c, 1);
}

void Lineprim::draw(PS& ps) {
    if (!valid || hidden()) return;
    const View& v = view();
    double fx, fy, L, t1, t2;
    viewfoot(X, Y, Vx, Vy, fx, fy, L);
    if (!range(-lambda(fx, fy), L, t1, t2)) return;
    ::Color c = drawcolor(ps);
    drawstraight(ps, fx + t1 * Vx, fy + t1 * Vy, fx + t2 * Vx, fy + t2 * Vy, Linetype, c,
                 (Class & CSegment) != 0);

    char text[DescriptionMax];
    label(text, ps);
    if (!*text) return;
    double t = ps.textdiameter(text, Vy, -Vx);
    double s = t * (v.viewwidth() / static_cast<double>(std::max(ps.width(), 1))) * v.Pixel * 0.5;
    double ax, ay;
    anchor(fx, fy, ax, ay);
    ps.textcolor(c);
    drawlabel(ps, *this, col(ax - s * Vy, ps), row(ay + s * Vx, ps), col(ax, ps), row(ay, ps),
              text);
}

Line::Line(Pointprim* p1, Pointprim* p2) : Lineprim(p1, p2) {}

Line* makeline(Pointprim* a, Pointprim* b) {
    Line* l = new Line(a, b);
    l->setname(String(7).text(), linecount);
    return l;
}

Ray::Ray(Pointprim* p1, Pointprim* p2) : Ray(p1, p2, Unnamed{}) {
    setname(String(26).text(), raycount);
}

Ray::Ray(Pointprim* p1, Pointprim* p2, Unnamed) : Lineprim(p1, p2) {
    Io = rayio;
}

double Ray::distance(double x, double y) {
    return dot(x, y) >= 0 ? normal(x, y) : std::hypot(x - X, y - Y);
}

int Ray::project(double* x, double* y) {
    if (dot(*x, *y) < -EPS) {
        *x = X;
        *y = Y;
        return 1;
    }
    return Lineprim::project(x, y);
}

void Ray::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(121).text(), P1->name(), P2->name());
}

int Ray::checkpoint(double x, double y) {
    return !(dot(x, y) < -EPS);
}

int Ray::range(double b, double L, double& t1, double& t2) {
    if (b > L) return 0;
    t1 = std::max(b, -L);
    t2 = L;
    return 1;
}

void Ray::anchor(double, double, double& ax, double& ay) {
    ax = (X + X1) / 2;
    ay = (Y + Y1) / 2;
}

Segment::Segment(Pointprim* p1, Pointprim* p2) : Segment(p1, p2, Unnamed{}) {
    setname(String(29).text(), segmentcount);
}

Segment::Segment(Pointprim* p1, Pointprim* p2, Unnamed) : Lineprim(p1, p2) {
    Io = segmentio;
    Class |= CSegment;
}

double Segment::distance(double x, double y) {
    double t = dot(x, y);
    if (t < 0) return std::hypot(x - X, y - Y);
    if (t > R) return std::hypot(x - X1, y - Y1);
    return normal(x, y);
}

int Segment::project(double* x, double* y) {
    double t = dot(*x, *y);
    if (t < -EPS) {
        *x = X;
        *y = Y;
    } else if (t <= R + EPS) {
        Lineprim::project(x, y);
    } else {
        *x = X1;
        *y = Y1;
    }
    return 1;
}

void Segment::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(122).text(), P1->name(), P2->name());
}

int Segment::checkpoint(double x, double y) {
    if (dot(x, y) < -EPS) return 0;
    if ((x - X1) * Vx + (y - Y1) * Vy > EPS) return 0;
    return 1;
}

int Segment::range(double b, double L, double& t1, double& t2) {
    if (b > L) return 0;
    t1 = std::max(b, -L);
    t2 = std::min(b + R, L);
    return t2 >= t1;
}

void Segment::anchor(double, double, double& ax, double& ay) {
    ax = (X + X1) / 2;
    ay = (Y + Y1) / 2;
}

void Segment::label(char* s, const PS& ps) {
    if (ps.modern() && showlength)
        std::snprintf(s, DescriptionMax, "%s",
                      valuetext(ps, showname ? labelname() : nullptr, R, "").c_str());
    else if (showlength && showname)
        std::snprintf(s, DescriptionMax, "%s=%g", labelname(), R);
    else if (showlength)
        std::snprintf(s, DescriptionMax, "%g", R);
    else
        Lineprim::label(s, ps);
}

void Lineprim::getstate(ObjectState& s) const {
    drawnstate(s, R, Linetype, showlength);
}

void Lineprim::setstate(const ObjectState& s) {
    setdrawnstate(s, R, Linetype, showlength);
}

void Lineprim::values(ValueSink& s) const {
    const double points[4] = {X, Y, X1, Y1};
    s.points("points", points, 2);
    // The unit normal turns the direction left: a x + b y + c = 0.
    double a = -Vy, b = Vx;
    const double normal[3] = {a, b, -(a * X + b * Y)};
    s.numbers("normal", normal, 3);
}

Vector::Vector(Pointprim* p1, Pointprim* p2) : Vector(p1, p2, Unnamed{}) {
    setname(String(135).text(), vectorcount);
}

Vector::Vector(Pointprim* p1, Pointprim* p2, Unnamed) : Segment(p1, p2, Unnamed{}) {
    Io = vectorio;
    Class |= CVector;
}

void Vector::draw(PS& ps) {
    Segment::draw(ps);
    if (!valid || hidden()) return;
    // The head: a filled triangle at the tip, a fixed size on the screen
    // and never longer than half the arrow.
    double tx = colf(X1, ps), ty = rowf(Y1, ps);
    double dx = tx - colf(X, ps), dy = ty - rowf(Y, ps);
    double d = std::hypot(dx, dy);
    if (!(d >= 2) || !(std::fabs(tx) < 1e6 && std::fabs(ty) < 1e6)) return;
    double size = std::min(std::max(ps.width() / 45.0, 8.0), d / 2);
    double ux = dx / d, uy = dy / d;
    // A fan of strokes from the tip to the base fills it: strokes join the
    // batch of thin lines where a filled polygon would have to wait for it.
    double lx = tx - size * (ux + uy * 0.35), ly = ty - size * (uy - ux * 0.35);
    double rx = tx - size * (ux - uy * 0.35), ry = ty - size * (uy + ux * 0.35);
    int n = static_cast<int>(std::ceil(std::hypot(rx - lx, ry - ly))) + 1;
    ps.color(drawcolor(ps));
    for (int i = 0; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        ps.move(topixel(tx), topixel(ty));
        ps.lineto(topixel(lx + t * (rx - lx)), topixel(ly + t * (ry - ly)));
    }
}

void Vector::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(136).text(), P1->name(), P2->name());
}

void Vector::values(ValueSink& s) const {
    Lineprim::values(s);
    const double v[2] = {X1 - X, Y1 - Y};
    s.numbers("vector", v, 2);
}
