#include "construction.h"
#include "angle.h"
#include "circle.h"
#include "constructed.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"

#include <algorithm>

namespace {

void line(Pointprim* a, Pointprim* b) {
    makeline(a, b);
}
void makeray(Pointprim* a, Pointprim* b) {
    new Ray(a, b);
}
void makesegment(Pointprim* a, Pointprim* b) {
    new Segment(a, b);
}
void makecircle(Pointprim* a, Pointprim* b) {
    new Circle(a, b);
}
void makemiddle(Pointprim* a, Pointprim* b) {
    new Middle(a, b);
}
void makevector(Pointprim* a, Pointprim* b) {
    new Vector(a, b);
}
void makemidperpendicular(Pointprim* a, Pointprim* b) {
    new Midperpendicular(a, b);
}
void makecirclethrough(Pointprim** p) {
    new CircleThrough(p[0], p[1], p[2]);
}
void makebisector(Pointprim** p) {
    new Bisector(p[0], p[1], p[2]);
}

} // namespace

int pick(int c, int r, Pointprim*& slot) {
    Object* o = slot;
    int found = choosepoint(actionx(c), actiony(r), &o);
    if (found) slot = static_cast<Pointprim*>(o);
    return found && slot;
}

int existingobject(int c, int r, Object*& slot, int mask) {
    return objects.select(actionx(c), actiony(r), &slot, mask, 1, 1) && slot;
}

TwoPointAction lineaction(line, 8, 9), rayaction(makeray, 24, 25),
    segmentaction(makesegment, 27, 28), circleaction(makecircle, 11, 12),
    middleaction(makemiddle, 45, 46), vectoraction(makevector, 160, 161),
    midperpendicularaction(makemidperpendicular, 156, 157);
PointsAction circlethroughaction(3, makecirclethrough, 150), bisectoraction(3, makebisector, 153);
TangentsAction tangentsaction;
PointLineAction parallelaction(0, 30, 31), rectangularaction(1, 32, 33);
IntersectionAction intersectionaction;
Circle3Action circle3action;
AngleAction angleaction;
PointonAction pointonaction;
EditAction editaction;

void highlight(Object* o) {
    if (!o) return;
    o->highlight.set();
    objects.redraw();
}

void unhighlight(Object* o) {
    if (!o) return;
    o->highlight.clear();
    objects.redraw();
}

void StepwiseAction::start() {
    State = 1;
    host().cursor(ToolHost::PointCursorKind);
}

void TwoPointAction::inform() {
    if (State == 1) prompt(I1);
    if (State == 2) prompt(I2);
}

void TwoPointAction::perform(int c, int r) {
    if (State == 1) {
        P1 = nullptr;
        if (!pick(c, r, P1)) return;
        highlight(P1);
        State = 2;
        host().cursor(ToolHost::PenCursorKind);
    } else if (State == 2) {
        P2 = nullptr;
        if (!pick(c, r, P2)) return;
        // The same point twice makes nothing: the tool waits for another.
        if (P1->distance(P2->x(), P2->y()) < 1e-10) return;
        State = 1;
        host().cursor(ToolHost::PointCursorKind);
        unhighlight(P1);
        Make(P1, P2);
        P1 = P2 = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void TwoPointAction::abort() {
    if (State == 2) unhighlight(P1);
    P1 = nullptr;
    State = 0;
}

void PointLineAction::inform() {
    if (State == 1) prompt(I1);
    if (State == 2) prompt(I2);
}

void PointLineAction::perform(int c, int r) {
    if (State == 1) {
        if (!existing(c, r, L, CStraight)) return;
        highlight(L);
        State = 2;
        host().cursor(ToolHost::PenCursorKind);
    } else if (State == 2) {
        P = nullptr;
        if (!pick(c, r, P)) return;
        State = 1;
        host().cursor(ToolHost::PointCursorKind);
        unhighlight(L);
        makeparallel(P, L, Perpendicular);
        P = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void PointLineAction::abort() {
    if (State == 2) unhighlight(L);
    L = nullptr;
    State = 0;
}

void IntersectionAction::inform() {
    if (State == 1) prompt(16);
    if (State == 2) prompt(17);
}

void IntersectionAction::perform(int c, int r) {
    if (State == 1) {
        P1 = nullptr;
        if (!existing(c, r, P1, CStraight | CCircle)) return;
        highlight(P1);
        State = 2;
    } else if (State == 2) {
        P2 = nullptr;
        if (!existing(c, r, P2, CStraight | CCircle) || P2 == P1) return;
        State = 1;
        unhighlight(P1);
        new Intersection(P1, P2);
        P1 = P2 = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void IntersectionAction::abort() {
    if (State == 2) unhighlight(P1);
    State = 0;
}

void Circle3Action::inform() {
    if (State >= 1 && State <= 3) prompt(33 + State);
}

void Circle3Action::perform(int c, int r) {
    if (State == 1) {
        M = nullptr;
        if (!pick(c, r, M)) return;
        highlight(M);
        State = 2;
    } else if (State == 2) {
        P1 = nullptr;
        if (!existing(c, r, P1, CPoint)) return;
        highlight(P1);
        State = 3;
    } else if (State == 3) {
        P2 = nullptr;
        if (!existing(c, r, P2, CPoint)) return;
        State = 1;
        M->highlight.clear();
        unhighlight(P1);
        makecircle3(M, P1, P2);
        M = P1 = P2 = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void ThreePointAction::abort() {
    // Only the points chosen so far are held, and they show highlighted.
    if (State == 2 || State == 3) {
        for (Pointprim* p : {P1, M})
            if (p) p->highlight.clear();
        objects.redraw();
    }
    P1 = P2 = M = nullptr;
    State = 0;
}

void AngleAction::inform() {
    if (State >= 1 && State <= 3) prompt(52 + State);
}

void AngleAction::perform(int c, int r) {
    if (State == 1) {
        P1 = nullptr;
        if (!pick(c, r, P1)) return;
        highlight(P1);
        State = 2;
    } else if (State == 2) {
        M = nullptr;
        if (!pick(c, r, M)) return;
        highlight(M);
        State = 3;
    } else if (State == 3) {
        P2 = nullptr;
        if (!pick(c, r, P2)) return;
        State = 1;
        P1->highlight.clear();
        unhighlight(M);
        new Angle(P1, M, P2);
        P1 = M = P2 = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void PointsAction::inform() {
    if (State >= 1 && State <= N) prompt(First + State - 1);
}

void PointsAction::perform(int c, int r) {
    if (State < 1 || State > N) return;
    Pointprim*& slot = P[State - 1];
    slot = nullptr;
    if (!pick(c, r, slot)) return;
    // A point chosen before makes nothing new: the tool waits for another.
    for (int i = 0; i < State - 1; ++i)
        if (P[i] == slot) {
            slot = nullptr;
            return;
        }
    if (State < N) {
        highlight(slot);
        ++State;
        host().cursor(State == N ? ToolHost::PenCursorKind : ToolHost::PointCursorKind);
    } else {
        State = 1;
        host().cursor(ToolHost::PointCursorKind);
        for (int i = 0; i < N; ++i) P[i]->highlight.clear();
        Make(P);
        std::fill(P, P + Max, nullptr);
        objects.redraw();
    }
    inform();
}

void PointsAction::abort() {
    int held = 0;
    for (Pointprim* p : P)
        if (p) {
            p->highlight.clear();
            held = 1;
        }
    std::fill(P, P + Max, nullptr);
    if (held) objects.redraw();
    State = 0;
}

void TangentsAction::inform() {
    if (State == 1) prompt(158);
    if (State == 2) prompt(159);
}

void TangentsAction::perform(int c, int r) {
    if (State == 1) {
        P = nullptr;
        if (!pick(c, r, P)) return;
        highlight(P);
        State = 2;
        host().cursor(ToolHost::PenCursorKind);
    } else if (State == 2) {
        C = nullptr;
        if (!existing(c, r, C, CCircle)) return;
        State = 1;
        host().cursor(ToolHost::PointCursorKind);
        unhighlight(P);
        new Tangent(P, static_cast<Circle*>(C));
        P = nullptr;
        C = nullptr;
        objects.redraw();
    } else {
        return;
    }
    inform();
}

void TangentsAction::abort() {
    if (State == 2) unhighlight(P);
    P = nullptr;
    State = 0;
}

void PointonAction::perform(int c, int r) {
    // The object of the last click stays chosen: a click near it again puts
    // the point on it without asking, also where it crosses another object.
    if (!existing(c, r, O, CStraight | CCircle | CLocus)) return;
    new Pointon(O, actionx(c), actiony(r));
    objects.redraw();
}

void EditAction::perform(int c, int r) {
    Object* o = nullptr;
    if (!existing(c, r, o, 0)) return;
    highlight(o);
    o->edit();
    objects.update();
    unhighlight(o);
}
