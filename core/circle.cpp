#include "circle.h"
#include "intersection.h"
#include "label.h"
#include "line.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

Circle::Circle(Pointprim* p1, Pointprim* p2) : Circle(p1, p2, Unnamed{}) {
    setname(String(10).text(), circlecount);
}

Circle::Circle(Pointprim* p1, Pointprim* p2, Unnamed) : P1(p1), P2(p2) {
    Class = CCircle;
    Io = circleio;
    update();
}

int Circle::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    return 2;
}

void Circle::settle(double x, double y, double x1, double y1) {
    X = x;
    Y = y;
    X1 = x1;
    Y1 = y1;
    R = std::hypot(X1 - X, Y1 - Y);
    valid = R >= EPS;
}

int Circle::compute(Pointprim* a, Pointprim* b) {
    valid = 1;
    if (!a->valid || !b->valid) {
        valid = 0;
        return 0;
    }
    X = a->x();
    Y = a->y();
    X1 = b->x();
    Y1 = b->y();
    R = std::hypot(X1 - X, Y1 - Y);
    return 1;
}

void Circle::update() {
    if (Class & CFixed) {
        double dx = P2->x() - P1->x(), dy = P2->y() - P1->y();
        double d = std::hypot(dx, dy);
        // Coinciding points give no direction: the radius point stays.
        if (d >= EPS && std::isfinite(R)) P2->set(P1->x() + dx / d * R, P1->y() + dy / d * R);
    }
    double fixed = R;
    if (!compute(P1->alternate(0), P2->alternate(0))) return;
    if (R < EPS && !compute(P1->alternate(1), P2->alternate(1))) return;
    if (R < EPS) {
        valid = 0;
        // A fixed radius is kept while its points coincide.
        if (Class & CFixed) R = fixed;
    }
}

double Circle::distance(double x, double y) {
    return std::fabs(std::hypot(x - X, y - Y) - R);
}

int Circle::project(double* x, double* y) {
    double vx = *x - X, vy = *y - Y;
    double d = std::hypot(vx, vy);
    if (d < EPS) return 0;
    *x = X + vx * R / d;
    *y = Y + vy * R / d;
    return 1;
}

int Circle::through(double* xy) const {
    // A stand-in outside the list is no point of the construction.
    if (!P2->Order || P2->hidden()) return 0;
    xy[0] = X1;
    xy[1] = Y1;
    return 1;
}

void Circle::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(123).text(), P1->name(), P2->name());
}

void Circle::writespecialflags(FlagSink* io) {
    if (!Complete) io->flag("uncomplete");
    writestyle(io, Linetype, Class);
}

int Circle::setspecialflag(const char* s) {
    if (styleflag(s, Linetype, Class)) return 1;
    if (!std::strcmp(s, "uncomplete")) {
        Complete = 0;
    } else {
        return 0;
    }
    return 1;
}

namespace {

// A circle of pixels, centre and radius in doubles so that huge circles far
// away cannot overflow.
struct Ring {
    double cx, cy, r;

    // Whether any of the ring lies on the surface.
    bool visible(const PS& ps) const {
        double w = ps.width(), h = ps.height();
        double nx = std::clamp(cx, 0.0, w), ny = std::clamp(cy, 0.0, h);
        if (std::hypot(nx - cx, ny - cy) > r + 2) return false; // the surface lies outside
        double fx = std::max(std::fabs(cx), std::fabs(cx - w));
        double fy = std::max(std::fabs(cy), std::fabs(cy - h));
        return std::hypot(fx, fy) >= r - 2; // else it lies inside
    }
    // Small enough for the surface's own circles and arcs.
    bool small() const { return r < 1e5 && std::fabs(cx) < 1e6 && std::fabs(cy) < 1e6; }
    // The places of the arc from angle a to a + span (screen angles, y
    // down), each run of them ended by a NaN pair: all of it when the ring
    // is small, else only the part near the surface, the angles that can
    // see it.
    void points(const PS& ps, double a, double span, std::vector<double>& xy) const {
        auto run = [&](double from, double to, int n) {
            for (int i = 0; i <= n; ++i) {
                double phi = from + (to - from) * i / n;
                xy.push_back(cx + r * std::cos(phi));
                xy.push_back(cy + r * std::sin(phi));
            }
            xy.push_back(NAN);
            xy.push_back(NAN);
        };
        if (small()) {
            run(a, a + span, std::clamp(static_cast<int>(r * span / 3), 8, 1024));
            return;
        }
        double w = ps.width(), h = ps.height();
        double towards = std::atan2(h / 2 - cy, w / 2 - cx);
        double half = std::min(M_PI, std::asin(std::min(1.0, std::hypot(w, h) / r)) * 2 + 0.01);
        for (double shift : {-2 * M_PI, 0.0, 2 * M_PI}) {
            double from = std::max(a, towards - half + shift);
            double to = std::min(a + span, towards + half + shift);
            if (to > from) run(from, to, 256);
        }
    }
    // The arc as a polyline, for rings too large for the surface's circles.
    void polyline(PS& ps, double a, double span, Pen* pen) const {
        std::vector<double> xy;
        points(ps, a, span, xy);
        bool start = true;
        for (size_t i = 0; i + 1 < xy.size(); i += 2) {
            if (std::isnan(xy[i])) {
                start = true;
                continue;
            }
            int x = topixel(xy[i]), y = topixel(xy[i + 1]);
            if (start)
                ps.move(x, y);
            else if (pen)
                ps.lineto(x, y, *pen);
            else
                ps.lineto(x, y);
            start = false;
        }
    }
};

} // namespace

void drawcirclepiece(PS& ps, double cx, double cy, double r, double a, double span, Pen* pen) {
    Ring ring{cx, cy, r};
    if (!ring.visible(ps)) return;
    if (!ring.small()) {
        ring.polyline(ps, a, span, pen);
        return;
    }
    int x = static_cast<int>(cx), y = static_cast<int>(cy), ir = static_cast<int>(r);
    // Clockwise on screen from a is counterclockwise from -(a + span).
    if (pen)
        ps.arcangles(x, y, ir, -(a + span), span, *pen);
    else
        ps.arcangles(x, y, ir, -(a + span), span);
}

void circlepiecepoints(const PS& ps, double cx, double cy, double r, double a, double span,
                       std::vector<double>& xy) {
    xy.clear();
    Ring{cx, cy, r}.points(ps, a, span, xy);
}

void Circle::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    ps.color(c);
    std::unique_ptr<Pen> owned{stylepen(c, Linetype)}; // one pen for every arc drawn here
    Pen* pen = owned.get();
    const View& v = view();
    auto colf = [&](double x) { return std::trunc((x - v.X1) / (v.X2 - v.X1) * ps.width()); };
    auto rowf = [&](double y) { return std::trunc((v.Y2 - y) / (v.Y2 - v.Y1) * ps.height()); };
    Ring ring{colf(X), rowf(Y), colf(X + R) - colf(X)};
    auto arc = [&](double x, double y) {
        double phi;
        if (!arg(x - X, Y - y, &phi)) return; // a point at the centre has no direction
        if (!ring.visible(ps)) return;
        if (ring.small()) {
            int cx = static_cast<int>(ring.cx), cy = static_cast<int>(ring.cy);
            int r = static_cast<int>(ring.r);
            if (pen)
                ps.arc(cx, cy, r, 1.0, phi + 0.15, phi - 0.15, *pen);
            else
                ps.arc(cx, cy, r, 1.0, phi + 0.15, phi - 0.15);
        } else {
            // From phi + 0.15 counterclockwise on screen to phi - 0.15: in
            // y-down angles the arc runs from phi - 0.15 to phi + 0.15.
            ring.polyline(ps, phi - 0.15, 0.3, pen);
        }
    };
    if (Complete) {
        if (ring.visible(ps)) {
            if (ring.small()) {
                int cx = static_cast<int>(ring.cx), cy = static_cast<int>(ring.cy);
                int r = static_cast<int>(ring.r);
                if (pen)
                    ps.circle(cx, cy, r, 1.0, *pen);
                else
                    ps.circle(cx, cy, r, 1.0);
            } else {
                ring.polyline(ps, -M_PI, 2 * M_PI, pen);
            }
        }
    } else {
        double xy[6];
        int on = through(xy);
        for (int i = 0; i < on; ++i) arc(xy[2 * i], xy[2 * i + 1]);
        for (Object* o = Next; o; o = o->Next) {
            if (!(o->Class & CPoint) || o->hidden()) continue;
            for (Object* d : Parents(o))
                if (d == this) {
                    Pointprim* p = static_cast<Pointprim*>(o);
                    arc(p->x(), p->y());
                }
        }
    }
    if (showname) {
        double lx = X + R / std::sqrt(2.0) + 10 * v.Pixel,
               ly = Y - R / std::sqrt(2.0) - 10 * v.Pixel;
        ps.textcolor(c);
        drawlabel(ps, *this, topixel(colf(lx)), topixel(rowf(ly)),
                  topixel(colf(X + R / std::sqrt(2.0))), topixel(rowf(Y - R / std::sqrt(2.0))),
                  labelname());
    }
}

void Circle::intersect(Object* P, Intersection* I, OtherIntersection* O) {
    double ux, uy, d, r1 = R;
    Lineprim* L = nullptr;
    Circle* K = nullptr;
    if (P->Class & CStraight) {
        L = static_cast<Lineprim*>(P);
        d = (X - L->X) * L->Vy - (Y - L->Y) * L->Vx;
        if (std::fabs(d) > r1) {
            I->valid = 0;
            O->valid = 0;
            return;
        }
        ux = -L->Vy;
        uy = L->Vx;
    } else {
        K = static_cast<Circle*>(P);
        double vx = K->X - X, vy = K->Y - Y, e = std::hypot(vx, vy), r2 = K->R;
        if (e < EPS || r1 + r2 < e || e + r2 < r1 || e + r1 < r2) {
            I->valid = 0;
            O->valid = 0;
            return;
        }
        ux = vx / e;
        uy = vy / e;
        d = (r1 * r1 - r2 * r2 + e * e) / (2 * e);
    }
    double hx = X + d * ux, hy = Y + d * uy;
    // At a tangency rounding may leave the square slightly negative.
    double g = std::sqrt(std::max(0.0, r1 * r1 - d * d));
    double wx = uy, wy = -ux;
    I->set(hx + g * wx, hy + g * wy);
    O->set(hx - g * wx, hy - g * wy);
    // Only where the crossing lies on both objects: a segment, a ray or an
    // arc holds a piece of its line or circle.
    auto on = [&](Pointprim* p) {
        double x = p->x(), y = p->y();
        return checkpoint(x, y) && (L ? L->checkpoint(x, y) : K->checkpoint(x, y));
    };
    I->valid = on(I);
    O->valid = on(O);
}

Circle3::Circle3(Pointprim* m, Pointprim* p1, Pointprim* p2)
    : Pointprim(0, 0), P1(p1), P2(p2), M(m) {
    Io = circle3io;
    update();
}

int Circle3::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    o[2] = M;
    return 3;
}

void Circle3::update() {
    valid = 1;
    Pointprim *p1 = P1, *p2 = P2, *m = M;
    if (!p1->valid || !p2->valid || !m->valid) {
        // The other crossings of intersection pairs stand in.
        p1 = P1->alternate(1);
        p2 = P2->alternate(1);
        m = M->alternate(1);
        if (!p1->valid || !p2->valid || !m->valid) {
            valid = 0;
            return;
        }
    }
    set(m->x() + p2->x() - p1->x(), m->y() + p2->y() - p1->y());
}

void Circle3::writeclear(char* s) {
    std::strcpy(s, String(131).text());
}

Circle3Circle::Circle3Circle(Circle3* o) : Circle(o->M, o), O(o) {
    Io = noio;
    update();
}

Circle3Circle* makecircle3(Pointprim* m, Pointprim* p1, Pointprim* p2) {
    Circle3* h = new Circle3(m, p1, p2);
    h->ishidden = 1;
    Circle3Circle* c = new Circle3Circle(h);
    h->c(c);
    return c;
}

void Circle3Circle::update() {
    compute(P1, P2);
    if (valid && R < EPS) valid = 0;
}

void Circle3Circle::writeclear(char* s) {
    Circle3* h = static_cast<Circle3*>(O);
    std::snprintf(s, DescriptionMax, String(128).text(), h->M->name(), h->P1->name(),
                  h->P2->name());
}

void Circle::getstate(ObjectState& s) const {
    drawnstate(s, R, Linetype, Complete);
}

void Circle::setstate(const ObjectState& s) {
    setdrawnstate(s, R, Linetype, Complete);
}

void Circle::values(ValueSink& s) const {
    const double centre[2] = {X, Y};
    s.numbers("center", centre, 2);
    s.number("radius", R);
}
