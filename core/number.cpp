#include "number.h"
#include "angle.h"
#include "arc.h"
#include "line.h"
#include "objectlist.h"
#include "region.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

Number::Number() {
    Class = CNumber;
}

void Number::set(double v) {
    Value = v;
    valid = std::isfinite(v);
}

std::string Number::label() const {
    char v[64];
    const int places = std::clamp(view().Decimals, 0, 10);
    double x = Value;
    // No "-0" for a value that rounds to nothing.
    if (std::fabs(x) < 0.5 * std::pow(10.0, -places)) x = 0;
    std::snprintf(v, sizeof v, "%.*f", places, x);
    return std::string(Name.text()) + " = " + v + (degrees() ? "\xc2\xb0" : "");
}

void Number::draw(PS& ps) {
    if (!valid || hidden()) return;
    double x, y;
    anchor(x, y);
    ::Color c = drawcolor();
    ps.textcolor(c);
    drawtext1(ps, col(x, ps) + ps.width() / 100, row(y, ps) + line() * (ps.textheight() + 2),
              label().c_str());
}

double Number::distance(double x, double y) {
    // The box of the label as it is drawn: a line high, from a few pixels
    // right of its anchor to about ten characters on, its line below the
    // anchor's.
    double ax, ay;
    anchor(ax, ay);
    const double p = view().Pixel;
    const double left = ax + 5 * p, right = ax + 85 * p;
    const double bottom = ay - line() * 16 * p, top = bottom + 14 * p;
    double dx = x < left ? left - x : std::max(0.0, x - right);
    double dy = y < bottom ? bottom - y : std::max(0.0, y - top);
    return std::hypot(dx, dy);
}

void Number::values(ValueSink& s) const {
    s.number("value", Value);
}

Distance::Distance(Pointprim* a, Pointprim* b) : A(a), B(b) {
    setname(String(215).text(), numbercount);
    Io = distanceio;
    update();
}

void Distance::update() {
    if (!A->valid || !B->valid) {
        valid = 0;
        return;
    }
    set(std::hypot(B->x() - A->x(), B->y() - A->y()));
}

int Distance::dep(Object** o) {
    o[0] = A;
    o[1] = B;
    return 2;
}

void Distance::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(216).text(), A->name(), B->name());
}

void Distance::anchor(double& x, double& y) const {
    x = (A->x() + B->x()) / 2;
    y = (A->y() + B->y()) / 2;
}

namespace {

const Shape* shape(Object* o) {
    return dynamic_cast<const Shape*>(o);
}

// A circle that is a whole circle: no arc and no sector.
const Circle* wholecircle(Object* o) {
    return (o->Class & CCircle) && !(o->Class & CArc) ? static_cast<const Circle*>(o) : nullptr;
}

} // namespace

bool Measure::takes(Kind k, Object* o) {
    if (!o) return false;
    switch (k) {
    case Length:
        return (o->Class & CSegment) || (o->Class & CArc);
    case Radius:
        return (o->Class & CCircle) != 0;
    case AngleSize:
        return (o->Class & CAngle) != 0;
    case Area:
    case Perimeter:
        return shape(o) || wholecircle(o);
    case Slope:
        return (o->Class & CStraight) != 0;
    }
    return false;
}

Measure::Measure(Kind k, Object* o) : K(k), O(o) {
    setname(String(215).text(), numbercount);
    IO* const writers[6] = {lengthio, radiusio, anglesizeio, areaio, perimeterio, slopeio};
    Io = writers[k];
    update();
}

void Measure::update() {
    if (!O->valid) {
        valid = 0;
        return;
    }
    switch (K) {
    case Length:
        if (auto* a = dynamic_cast<Arc*>(O))
            set(a->length());
        else
            set(static_cast<Lineprim*>(O)->length());
        break;
    case Radius:
        set(static_cast<Circle*>(O)->r());
        break;
    case AngleSize:
        set(static_cast<Angle*>(O)->size());
        break;
    case Area:
    case Perimeter:
        if (const Shape* s = shape(O)) {
            set(K == Area ? s->area() : s->perimeter());
        } else {
            double r = static_cast<Circle*>(O)->r();
            set(K == Area ? M_PI * r * r : 2 * M_PI * r);
        }
        break;
    case Slope: {
        auto* l = static_cast<Lineprim*>(O);
        // A vertical line has no slope.
        set(std::fabs(l->vx()) < 1e-12 ? NAN : l->vy() / l->vx());
        break;
    }
    }
}

int Measure::dep(Object** o) {
    o[0] = O;
    return 1;
}

void Measure::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(217 + K).text(), O->name());
}

void Measure::anchor(double& x, double& y) const {
    if (auto* a = dynamic_cast<const Arc*>(O)) {
        double mid = a->from() + a->sweep() / 2;
        x = a->x() + a->r() * std::cos(mid);
        y = a->y() + a->r() * std::sin(mid);
    } else if (auto* r = dynamic_cast<const Region*>(O)) {
        r->centre(x, y);
    } else if (auto* c = dynamic_cast<const Circle*>(O)) {
        x = c->x();
        y = c->y();
    } else if (auto* g = dynamic_cast<const Angle*>(O)) {
        x = g->m()->x();
        y = g->m()->y();
    } else if (auto* l = dynamic_cast<const Lineprim*>(O)) {
        x = (l->x() + l->x1()) / 2;
        y = (l->y() + l->y1()) / 2;
    } else {
        x = y = 0;
    }
}
