#include "changing.h"
#include "objectlist.h"
#include "point.h"

MoveonAction moveonaction;
HideAction hideaction;
DeleteAction deleteaction;
TrackAction trackaction;
StepAction stepaction;

void MoveonAction::start() {
    P = nullptr;
    objects.layerfor(nullptr);
    drag = 0;
    host().cursor(ToolHost::PointCursorKind);
}

void MoveonAction::perform(int c, int r) {
    Object* o = O;
    if (!objects.select(actionx(c), actiony(r), &o, CStraight | CCircle, 1, 1) || !o) return;
    O = o;
    O->highlight.set();
    objects.redraw();
    drag = 1;
    inform();
}

void MoveonAction::abort() {
    if (drag && O) O->highlight.clear();
    drag = 0;
    objects.redraw();
}

void MoveonAction::grabbed(double x, double y) {
    if (O->project(&x, &y)) {
        P->set(x, y);
        P->update();
    }
}

int MoveonAction::position(double& x, double& y) {
    return O->project(&x, &y);
}

void MoveonAction::recompute() {
    objects.update(P);
}

void MoveonAction::released() {
    if (O) O->highlight.clear();
}

void HideAction::perform(int c, int r) {
    Object* o = nullptr;
    if (!objects.select(actionx(c), actiony(r), &o, 0, 1, 1) || !o) return;
    o->ishidden.toggle();
    objects.redraw();
}

void DeleteAction::inform() {
    prompt(23);
    host().releasetool();
}

void DeleteAction::perform(int c, int r) {
    Object* o = nullptr;
    if (!objects.select(actionx(c), actiony(r), &o, 0, 1, 1) || !o) return;
    objects.clear(o->original());
    objects.redraw();
}

void TrackAction::start() {
    objects.deletetracks();
    objects.redraw();
}

void TrackAction::perform(int c, int r) {
    Object* o = P;
    if (!objects.select(actionx(c), actiony(r), &o, CPoint, 1, 1) || !o) return;
    P = static_cast<Pointprim*>(o);
    P->starttrack();
    if (!P->trackpoint()) {
        P->highlight.set();
        P->highlight.fix();
    }
    objects.redraw();
}

void StepAction::start() {
    objects.stopat(1);
    objects.redraw();
    host().cursor(ToolHost::StepCursorKind);
}

void StepAction::perform(int, int) {
    objects.advancestop(1);
    objects.redraw();
}

void StepAction::abort() {
    objects.stopat(0);
    objects.redraw();
}
