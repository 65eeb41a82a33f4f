#include "numbers.h"
#include "constructed.h"
#include "control.h"
#include "edit.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"
#include "resources.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

MeasureAction measureaction;
CircleRadiusAction circleradiusaction;
PlaceAction slideraction(PlaceAction::SliderKind, 234),
    checkboxaction(PlaceAction::CheckBoxKind, 235),
    calculateaction(PlaceAction::CalculationKind, 236), textaction(PlaceAction::TextKind, 237);

namespace {

using C = ControlSpec;

const ControlSpec radiuscontrols[] = {
    {C::Static, -1, "Radius, or a number's name:", 0, 3},
    {C::Edit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, 2, "Cancel", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec radiusdialog = {140, "Circle with Radius", radiuscontrols};

// The measure a click on o makes; false when o has none.
bool measurekind(Object* o, Measure::Kind& k) {
    const int c = o->Class;
    if (c & CRegion)
        k = Measure::Area;
    else if (c & (CArc | CSegment))
        k = Measure::Length;
    else if (c & CCircle)
        k = Measure::Radius;
    else if (c & CAngle)
        k = Measure::AngleSize;
    else if (c & CStraight)
        k = Measure::Slope;
    else
        return false;
    return Measure::takes(k, o);
}

} // namespace

void MeasureAction::start() {
    Action::start();
    A = nullptr;
}

void MeasureAction::abort() {
    if (A) {
        A->highlight.clear();
        objects.redraw();
    }
    A = nullptr;
}

void MeasureAction::inform() {
    prompt(A ? 233 : 232);
}

void MeasureAction::perform(int c, int r) {
    const double x = actionx(c), y = actiony(r);
    Object* o = nullptr;
    if (objects.select(x, y, &o, CPoint, 1, 1) && o) {
        auto* p = static_cast<Pointprim*>(o);
        if (!A) {
            A = p;
            A->highlight.set();
        } else if (p != A) {
            new Distance(A, p);
            A->highlight.clear();
            A = nullptr;
        }
        objects.redraw();
        inform();
        return;
    }
    if (A) return;
    o = nullptr;
    Measure::Kind k;
    if (!objects.select(x, y, &o, CStraight | CCircle | CAngle | CRegion, 1, 1) || !o ||
        !measurekind(o, k))
        return;
    new Measure(k, o);
    objects.redraw();
}

void PlaceAction::perform(int c, int r) {
    const double x = actionx(c), y = actiony(r);
    // Cancel leaves the construction as it was, saved or not.
    const int changed = objects.changed;
    Object* o = nullptr;
    switch (K) {
    case SliderKind: {
        auto* s = new Slider(1, 0, 5, 0.1);
        s->X = x;
        s->Y = y;
        o = s;
        break;
    }
    case CheckBoxKind: {
        auto* b = new CheckBox(1, String(240).text());
        b->X = x;
        b->Y = y;
        o = b;
        break;
    }
    case CalculationKind: {
        Expression e;
        e.parse("0", numbersbefore(nullptr));
        auto* n = new Calculation(std::move(e));
        n->X = x;
        n->Y = y;
        o = n;
        break;
    }
    case TextKind: {
        // A click on a point attaches the text to it.
        Object* p = nullptr;
        if (objects.select(x, y, &p, CPoint, 0, 1) && p)
            o = new Text(String(242).text(), 0, 0, static_cast<Pointprim*>(p));
        else
            o = new Text(String(242).text(), x, y, nullptr);
        break;
    }
    }
    objects.redraw();
    if (!editnumber(o)) {
        objects.remove(o);
        objects.changed = changed;
    }
    objects.update();
    objects.redraw();
}

NumberOrNameItem::NumberOrNameItem(int id, Dialog& d, double x, double min, double max, int whole)
    : StringItem(id, d, flagnumber(x).c_str()), X(x), Min(min), Max(max), Whole(whole) {}

int NumberOrNameItem::read(const std::string& text, double& x, Number*& o) const {
    std::string t = text;
    t.erase(0, t.find_first_not_of(" \t"));
    t.erase(t.find_last_not_of(" \t") + 1);
    if (Object* n = objects.find(t.c_str(), CNumber, nullptr)) {
        o = static_cast<Number*>(n);
        return 2;
    }
    std::replace(t.begin(), t.end(), ',', '.');
    char* end;
    x = std::strtod(t.c_str(), &end);
    if (t.empty() || *end || !(x >= Min && x <= Max) || (Whole && x != std::floor(x))) return 0;
    return 1;
}

const char* NumberOrNameItem::refusal() {
    double x;
    Number* o;
    if (read(D->gettext(Id).text(), x, o)) return nullptr;
    char range[96];
    std::snprintf(range, sizeof range, " from %.10g to %.10g", Min, Max);
    Why = "Enter a " + std::string(Whole ? "whole number" : "number") + range +
          ", or the name of a number.";
    return Why.c_str();
}

void NumberOrNameItem::exit() {
    StringItem::exit();
    O = nullptr;
    if (read(S.text(), X, O) == 2) X = 0;
}

void CircleRadiusAction::perform(int c, int r) {
    Object* centre = nullptr;
    if (!choosepoint(actionx(c), actiony(r), &centre)) return;
    centre->highlight.set();
    objects.redraw();
    if (!finddialog(radiusdialog.id)) definedialog(&radiusdialog);
    Dialog d(host().owner(), radiusdialog.id, host().help(), 27);
    NumberOrNameItem radius(101, d, R, 1e-9, 1e9);
    d.Focus = 101;
    d.carryout();
    centre->highlight.clear();
    if (d.result() == 1) {
        if (!radius.O) R = radius.X;
        new CircleRadius(static_cast<Pointprim*>(centre), radius.O, radius.O ? 0 : R);
    }
    objects.redraw();
}
