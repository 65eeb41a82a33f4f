#include "action.h"
#include "changing.h"
#include "construction.h"
#include "handle.h"
#include "loci.h"
#include "numbers.h"
#include "objectlist.h"
#include "point.h"
#include "relations.h"
#include "shapes.h"
#include "transformation.h"

NoAction noaction;
PointAction pointaction;
MoveAction moveaction;

namespace {

ToolHost plainhost;
ToolHost* installed = nullptr;

} // namespace

ToolHost& host() {
    return installed ? *installed : plainhost;
}

void sethost(ToolHost* h) {
    installed = h;
    setview(h);
}

double actionx(int c) {
    const View& v = view();
    return v.X1 + static_cast<double>(c) / std::max(v.viewwidth(), 1) * (v.X2 - v.X1);
}

double actiony(int r) {
    const View& v = view();
    return v.Y2 - static_cast<double>(r) / std::max(v.viewheight(), 1) * (v.Y2 - v.Y1);
}

void prompt(int id) {
    host().inform(String(id).text());
}

void Action::start() {
    host().cursor(ToolHost::PenCursorKind);
}

int choosepoint(double x, double y, Object** slot) {
    // The points near the click are counted before anyone is asked: a
    // cancelled choice among several drops the click, and only a click near
    // no point goes on to the offered intersection and a new point.
    Object* before = *slot;
    int n = objects.select(x, y, slot, CPoint, 0, 1);
    if (n > 1) {
        *slot = before;
        return objects.select(x, y, slot, CPoint, 1, 1) ? 1 : 0;
    }
    if (n == 1) return 1;
    if (!objects.intersect(x, y, slot)) return 0;
    if (!*slot) *slot = new Point(x, y);
    return 1;
}

void PointAction::perform(int c, int r) {
    new Point(actionx(c), actiony(r));
    objects.redraw();
}

void MoveAction::start() {
    P = nullptr;
    Held = nullptr;
    HeldObject = nullptr;
    objects.layerfor(nullptr);
    host().cursor(ToolHost::PointCursorKind);
}

void MoveAction::dragperform(int type, int c, int r) {
    double x = actionx(c), y = actiony(r);
    if (!P) pickup = 0;
    switch (type) {
    case 1:
    case 4: {
        moved = 0;
        if (pickup && P) P->highlight.clear();
        Object* o = P;
        int n = objects.select(x, y, &o, CMovable, !pickup, 1);
        P = static_cast<Pointprim*>(o);
        if (n == 0) {
            grab(x, y);
            return;
        }
        P->highlight.set();
        objects.redraw();
        inform();
        if (n == 1) {
            host().capture(1);
            pickup = 0;
        } else {
            pickup = 1;
        }
        grabbed(x, y);
        break;
    }
    case 9:
        if (HeldObject) {
            draghandle(x, y);
            return;
        }
        if (!P || pickup) return;
        host().cursor(ToolHost::MoveCursorKind);
        if (position(x, y)) P->set(x, y);
        if (!moved && !P->trackpoint() && objects.tracking()) {
            objects.resettracks();
            if (!objects.findtrackpoint()) {
                P->trackpoint(1);
                P->starttrack();
            }
        }
        recompute();
        if (P->trackpoint()) {
            P->updatetrack();
            objects.updatetracks();
        }
        // From the first move on, what the point does not move is drawn once.
        if (!moved) objects.layerfor(P);
        objects.redraw();
        moved = 1;
        break;
    case 0:
    case 3:
        if (HeldObject) {
            release(type);
            return;
        }
        if (pickup) return;
        host().cursor(ToolHost::PointCursorKind);
        objects.layerfor(nullptr);
        if (P) {
            host().capture(0);
            P->highlight.clear();
            if (moved && !P->trackpoint() && objects.tracking()) {
                objects.resettracks();
                if (Pointprim* driver = objects.findtrackpoint()) driver->computetracks();
            }
            released();
            objects.redraw();
        }
        // A right click without movement opens the property dialog of the
        // object under the cursor.
        if (!moved && type == 3) editaction.perform(c, r);
        P = nullptr;
        inform();
        break;
    default:
        break;
    }
}

void MoveAction::recompute() {
    objects.update();
}

Object* MoveAction::subject() const {
    return P ? static_cast<Object*>(P) : HeldObject;
}

void MoveAction::grab(double x, double y) {
    Object* o = nullptr;
    // A number, a text, a control; else the label of an object.
    if (objects.select(x, y, &o, CNumber | CText, 0, 1)) {
        Held = dynamic_cast<Handle*>(o);
    } else if (int sx, sy; (o = objects.labelat(x, y, &sx, &sy))) {
        Label.hold(o, sx, sy);
        Held = &Label;
    }
    if (!o || !Held) return;
    HeldObject = o;
    Held->grab(x, y);
    o->highlight.set();
    host().capture(1);
    objects.update(o);
    objects.redraw();
}

void MoveAction::draghandle(double x, double y) {
    host().cursor(ToolHost::MoveCursorKind);
    if (!moved) objects.layerfor(HeldObject);
    moved = 1;
    Held->dragto(x, y);
    objects.update(HeldObject);
    objects.redraw();
}

void MoveAction::release(int type) {
    Object* o = HeldObject;
    host().cursor(ToolHost::PointCursorKind);
    objects.layerfor(nullptr);
    host().capture(0);
    o->highlight.clear();
    // A click without a move ticks a check box or puts a slider's knob
    // there; a right click opens the object's property dialog.
    if (!moved && type == 0 && Held->click()) objects.update(o);
    Held = nullptr;
    HeldObject = nullptr;
    if (!moved && type == 3) {
        o->edit();
        objects.update();
    }
    objects.redraw();
    inform();
}

const int ncommands = 43;
const int commands[] = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 3020, 3001, 3002,
                        3006, 2009, 3005, 3003, 3004, 2010, 7018, 2101, 2102, 2103, 2104,
                        2105, 2106, 2107, 2108, 2109, 2110, 2111, 2112, 2113, 2114, 2115,
                        2116, 2117, 2118, 2119, 2120, 2121, 2122, 2123, 2124, 2125};
Action* const actions[] = {&pointaction,         &segmentaction,        &rayaction,
                           &lineaction,          &circleaction,         &circle3action,
                           &rectangularaction,   &parallelaction,       &intersectionaction,
                           &moveaction,          &moveonaction,         &deleteaction,
                           &angleaction,         &hideaction,           &trackaction,
                           &editaction,          &pointonaction,        &middleaction,
                           &circlethroughaction, &bisectoraction,       &midperpendicularaction,
                           &tangentsaction,      &vectoraction,         &reflectaction,
                           &rotateaction,        &translateaction,      &dilateaction,
                           &polygonaction,       &regularpolygonaction, &arc3action,
                           &arcaction,           &semicircleaction,     &sectoraction,
                           &measureaction,       &slideraction,         &checkboxaction,
                           &calculateaction,     &textaction,           &circleradiusaction,
                           &locusaction,         &sector3action,        &relationaction,
                           &discoveraction};
static_assert(sizeof commands / sizeof *commands == ncommands, "a command each");
static_assert(sizeof actions / sizeof *actions == ncommands, "a tool each");

Action* actionof(int command) {
    for (int i = 0; i < ncommands; ++i)
        if (commands[i] == command) return actions[i];
    return nullptr;
}
