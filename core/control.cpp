#include "control.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void freeplace(double& x, double& y) {
    const View& v = view();
    int n = 0;
    for (Object* o = objects.first(); o; o = o->next())
        if (dynamic_cast<Slider*>(o) || dynamic_cast<CheckBox*>(o)) ++n;
    x = v.X1 + 20 * v.Pixel;
    y = v.Y2 - (40 + 40 * static_cast<double>(n % 12)) * v.Pixel;
}

namespace {

// The distance of (x, y) from a box of the construction.
double boxdistance(double x, double y, double left, double bottom, double right, double top) {
    double dx = x < left ? left - x : std::max(0.0, x - right);
    double dy = y < bottom ? bottom - y : std::max(0.0, y - top);
    return std::hypot(dx, dy);
}

} // namespace

Slider::Slider(double value, double min, double max, double step) : Min(min), Max(max), Step(step) {
    setname(String(225).text(), numbercount);
    Io = sliderio;
    freeplace(X, Y);
    setvalue(value);
}

bool Slider::range(double min, double max, double step) {
    return std::isfinite(min) && std::isfinite(max) && std::isfinite(step) && min < max &&
           step > 0 && std::isfinite(max - min);
}

void Slider::setvalue(double v) {
    if (!std::isfinite(v)) v = Min;
    v = std::clamp(v, Min, Max);
    // On the nearest step, unless the steps are too fine to count.
    double n = (v - Min) / Step;
    if (n < 1e12) v = std::min(Max, Min + std::round(n) * Step);
    // 3 steps of 0.1 are 0.30000000000000004: fifteen digits give 0.3.
    char b[64];
    std::snprintf(b, sizeof b, "%.15g", v);
    set(std::clamp(std::strtod(b, nullptr), Min, Max));
}

void Slider::draw(PS& ps) {
    if (hidden()) return;
    const int c = col(X, ps), r = row(Y, ps);
    ::Color colour = drawcolor(ps);
    Pen line(colour, 3);
    ps.move(c, r);
    ps.lineto(c + Length, r, line);
    const int k = c + static_cast<int>(std::lround((Value - Min) / (Max - Min) * Length));
    Brush knob(colour);
    ps.filledrectangle(k - 5, r - 7, 11, 15, knob);
    ps.textcolor(colour);
    // The label above the left end, its foot a little over the knob's top.
    drawtext1(ps, c + static_cast<int>(std::lround(Dx)), r - 10 + static_cast<int>(std::lround(Dy)),
              label().c_str());
}

double Slider::distance(double x, double y) {
    const double p = view().Pixel;
    double line = boxdistance(x, y, X - 6 * p, Y - 8 * p, X + (Length + 6) * p, Y + 8 * p);
    double left = X + Dx * p, bottom = Y + (10 - Dy) * p;
    return std::min(line, boxdistance(x, y, left, bottom, left + 80 * p, bottom + 18 * p));
}

void Slider::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(226).text(), flagnumber(Min).c_str(),
                  flagnumber(Max).c_str(), flagnumber(Step).c_str());
}

void Slider::getstate(ObjectState& s) const {
    FreeNumber::getstate(s);
    s.V[4] = Value;
    s.V[5] = Min;
    s.V[6] = Max;
    s.V[7] = Step;
}

void Slider::setstate(const ObjectState& s) {
    FreeNumber::setstate(s);
    Min = s.V[5];
    Max = s.V[6];
    Step = s.V[7];
    set(s.V[4]);
}

void Slider::grab(double x, double y) {
    const double p = view().Pixel;
    Knob = y > Y - 9 * p && y < Y + 9 * p;
    FreeNumber::grab(x, y);
}

int Slider::click() {
    if (!Knob) return 0;
    dragto(Held.X, Held.Y);
    return 1;
}

void Slider::dragto(double x, double y) {
    if (Knob) {
        const double t = (x - X) / (Length * view().Pixel);
        setvalue(Min + std::clamp(t, 0.0, 1.0) * (Max - Min));
    } else {
        FreeNumber::dragto(x, y);
    }
}

CheckBox::CheckBox(int on, const std::string& caption) : Caption(caption) {
    setname(String(227).text(), numbercount);
    Io = checkboxio;
    freeplace(X, Y);
    set(on ? 1 : 0);
}

void CheckBox::draw(PS& ps) {
    if (hidden()) return;
    const int c = col(X, ps), r = row(Y, ps);
    ::Color colour = drawcolor(ps);
    Pen pen(colour, 2);
    ps.rectangle(c, r, 14, 14, pen);
    if (Value != 0) {
        ps.move(c + 3, r + 7);
        ps.lineto(c + 6, r + 11, pen);
        ps.lineto(c + 12, r + 3, pen);
    }
    ps.textcolor(colour);
    // The caption right of the box, on the box's foot.
    drawtext1(ps, c + 20, r + 14, Caption.c_str());
}

double CheckBox::distance(double x, double y) {
    const double p = view().Pixel;
    double width = 24 + 8 * static_cast<double>(characters(Caption.c_str()));
    return boxdistance(x, y, X, Y - 14 * p, X + width * p, Y);
}

void CheckBox::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(228).text(), Caption.c_str());
}

void CheckBox::getstate(ObjectState& s) const {
    FreeNumber::getstate(s);
    s.V[4] = Value;
    s.T = Caption;
}

void CheckBox::setstate(const ObjectState& s) {
    FreeNumber::setstate(s);
    set(s.V[4]);
    Caption = s.T;
}

int CheckBox::click() {
    set(Value != 0 ? 0 : 1);
    return 1;
}
