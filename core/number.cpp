#include "number.h"
#include "angle.h"
#include "arc.h"
#include "line.h"
#include "objectlist.h"
#include "region.h"
#include "view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

Number::Number() {
    Class = CNumber;
}

void Number::set(double v) {
    Value = v;
    valid = std::isfinite(v);
}

std::string Number::shown() const {
    if (!valid) return "?";
    char v[400];
    const int places = std::clamp(Places >= 0 ? Places : view().Decimals, 0, 10);
    double x = Value;
    // No "-0" for a value that rounds to nothing.
    if (std::fabs(x) < 0.5 * std::pow(10.0, -places)) x = 0;
    std::snprintf(v, sizeof v, "%.*f", places, x);
    return std::string(v) + (degrees() ? "\xc2\xb0" : "");
}

std::string Number::label() const {
    return std::string(labelname()) + " = " + shown();
}

void Number::labelat(PS& ps, int& c, int& r) const {
    double x, y;
    anchor(x, y);
    c = col(x, ps) + ps.width() / 100 + static_cast<int>(std::lround(Dx));
    r = row(y, ps) + line() * (ps.textheight() + 2) + static_cast<int>(std::lround(Dy));
}

void Number::draw(PS& ps) {
    if (!valid || hidden()) return;
    int c, r;
    labelat(ps, c, r);
    ps.textcolor(drawcolor(ps));
    const std::string text = label();
    // Names placed after it keep off it.
    int w, h;
    textsize(ps, text.c_str(), w, h);
    ps.claim(c, r - h, c + w, r);
    drawtext1(ps, c, r, text.c_str());
}

double Number::distance(double x, double y) {
    // The box of the label as it is drawn: a line high, from a few pixels
    // right of its anchor to about ten characters on, its line below the
    // anchor's.
    double ax, ay;
    anchor(ax, ay);
    const double p = view().Pixel;
    const double left = ax + (5 + Dx) * p, right = left + 80 * p;
    const double bottom = ay - (line() * 16 + Dy) * p, top = bottom + 14 * p;
    double dx = x < left ? left - x : std::max(0.0, x - right);
    double dy = y < bottom ? bottom - y : std::max(0.0, y - top);
    return std::hypot(dx, dy);
}

void Number::values(ValueSink& s) const {
    s.number("value", Value);
}

void Number::getstate(ObjectState& s) const {
    Object::getstate(s);
    s.V[0] = Dx;
    s.V[1] = Dy;
    s.I[0] = Places;
}

void Number::setstate(const ObjectState& s) {
    Object::setstate(s);
    Dx = s.V[0];
    Dy = s.V[1];
    Places = s.I[0];
}

std::string flagnumber(double x) {
    char b[64];
    auto r = std::to_chars(b, b + sizeof b, x);
    return std::string(b, r.ptr);
}

bool numberflag(const char* s, const char* key, double& x) {
    std::size_t n = std::strlen(key);
    if (std::strncmp(s, key, n) != 0) return false;
    char* end;
    double v = std::strtod(s + n, &end);
    if (end == s + n || *end || !std::isfinite(v)) return false;
    x = v;
    return true;
}

void Number::writespecialflags(FlagSink* io) {
    writeoffset(io, Dx, Dy);
    if (Places >= 0) io->flag(("decimals:" + std::to_string(Places)).c_str());
}

int Number::setspecialflag(const char* s) {
    double v;
    if (offsetflag(s, Dx, Dy)) return 1;
    if (numberflag(s, "decimals:", v) && v >= 0 && v <= 10 && v == std::floor(v))
        Places = static_cast<int>(v);
    else
        return 0;
    return 1;
}

void Number::grab(double x, double y) {
    Held.take(x, y, Dx, Dy);
}

void Number::dragto(double x, double y) {
    Held.follow(x, y, Dx, Dy, true);
}

Expression::Lookup numbersbefore(Object* before) {
    return
        [before](const std::string& name) { return objects.find(name.c_str(), CNumber, before); };
}

double numbervalue(Object* o) {
    return static_cast<Number*>(o)->value();
}

void FreeNumber::getstate(ObjectState& s) const {
    Number::getstate(s);
    s.V[2] = X;
    s.V[3] = Y;
}

void FreeNumber::setstate(const ObjectState& s) {
    Number::setstate(s);
    X = s.V[2];
    Y = s.V[3];
}

void FreeNumber::writespecialflags(FlagSink* io) {
    io->flag(("x:" + flagnumber(X)).c_str());
    io->flag(("y:" + flagnumber(Y)).c_str());
    Number::writespecialflags(io);
}

int FreeNumber::setspecialflag(const char* s) {
    double v;
    if (numberflag(s, "x:", v))
        X = v;
    else if (numberflag(s, "y:", v))
        Y = v;
    else
        return Number::setspecialflag(s);
    return 1;
}

void FreeNumber::grab(double x, double y) {
    Held.take(x, y, X, Y);
}

void FreeNumber::dragto(double x, double y) {
    Held.follow(x, y, X, Y, false);
}

void FreeNumber::anchor(double& x, double& y) const {
    x = X;
    y = Y;
}

Calculation::Calculation(Expression e) : E(std::move(e)) {
    setname(String(215).text(), numbercount);
    Io = calculateio;
    // Below the others, at the left of the view.
    const View& v = view();
    X = v.X1 + 10 * v.Pixel;
    Y = v.Y2 - (20 + 18 * static_cast<double>(numbercount.C % 30)) * v.Pixel;
    update();
}

void Calculation::update() {
    set(E.evaluate(numbervalue));
}

void Calculation::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(224).text(), E.text().c_str());
}

void Calculation::getstate(ObjectState& s) const {
    FreeNumber::getstate(s);
    s.T = E.text();
}

void Calculation::setstate(const ObjectState& s) {
    FreeNumber::setstate(s);
    if (s.T != E.text()) {
        std::string why;
        change(s.T, why);
    }
}

bool Calculation::change(const std::string& text, std::string& why) {
    Expression e;
    if (!e.parse(text, numbersbefore(Order ? this : nullptr))) {
        why = e.Why;
        return false;
    }
    E = std::move(e);
    update();
    return true;
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
