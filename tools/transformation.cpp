#include "transformation.h"
#include "angle.h"
#include "dialogitems.h"
#include "number.h"
#include "numbers.h"
#include "objectlist.h"
#include "resources.h"

TransformAction reflectaction(Transformation::Reflection, 162, 0),
    rotateaction(Transformation::Rotation, 164, 60),
    translateaction(Transformation::Translation, 167, 0),
    dilateaction(Transformation::Dilation, 170, 2);

namespace {

using C = ControlSpec;

const ControlSpec degreecontrols[] = {
    {C::Static, -1, "Angle of the rotation in degrees (counterclockwise), or a number's name:", 0,
     3},
    {C::Edit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, 2, "Cancel", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec degreedialog = {130, "Rotation", degreecontrols};

const ControlSpec factorcontrols[] = {
    {C::Static, -1, "Factor of the dilation (negative: through the centre), or a number's name:", 0,
     3},
    {C::Edit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, 2, "Cancel", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec factordialog = {131, "Dilation", factorcontrols};

// A point under the cursor, else an object of the mask: a click on a
// corner means the corner, not the sides that end there.
int preferpoint(int c, int r, Object*& slot, int mask) {
    return existingobject(c, r, slot, CPoint) || existingobject(c, r, slot, mask);
}

// Whether the construction shows an angle a click could choose.
int anglesshown() {
    for (Object* o = objects.first(); o; o = o->next())
        if ((o->Class & CAngle) && o->valid && !o->hidden()) return 1;
    return 0;
}

} // namespace

void TransformAction::inform() {
    if (State >= 1 && State <= 3) prompt(First + State - 1);
}

void TransformAction::perform(int c, int r) {
    if (State == 1) {
        O = nullptr;
        if (!preferpoint(c, r, O, CStraight | CCircle | CRegion)) return;
        highlight(O);
        State = 2;
        host().cursor(ToolHost::PenCursorKind);
    } else if (State == 2) {
        second(c, r);
    } else if (State == 3) {
        third(c, r);
    } else {
        return;
    }
    inform();
}

void TransformAction::second(int c, int r) {
    A = nullptr;
    if (Kind == Transformation::Reflection) {
        if (preferpoint(c, r, A, CStraight)) finish(A, nullptr, 0);
        return;
    }
    if (Kind == Transformation::Translation) {
        Object* v = nullptr;
        if (existingobject(c, r, v, CVector)) {
            finish(v, nullptr, 0);
            return;
        }
    }
    Pointprim* p = nullptr;
    if (!pick(c, r, p)) return;
    A = p;
    if (Kind == Transformation::Translation ||
        (Kind == Transformation::Rotation && anglesshown())) {
        highlight(A);
        State = 3;
    } else if (asknumber()) {
        finish(A, By, Number);
    }
}

void TransformAction::third(int c, int r) {
    if (Kind == Transformation::Translation) {
        Pointprim* q = nullptr;
        if (pick(c, r, q)) finish(A, q, 0);
        return;
    }
    Object* angle = nullptr;
    if (existingobject(c, r, angle, CAngle))
        finish(A, angle, 0);
    else if (asknumber())
        finish(A, By, Number);
}

int TransformAction::asknumber() {
    const DialogSpec& table = Kind == Transformation::Rotation ? degreedialog : factordialog;
    if (!finddialog(table.id)) definedialog(&table);
    Dialog d(host().owner(), table.id, host().help(), Kind == Transformation::Rotation ? 17 : 18);
    NumberOrNameItem number(101, d, Number, -1e6, 1e6);
    d.Focus = 101;
    d.carryout();
    if (d.result() != 1) return 0;
    if (number.O) {
        By = number.O;
    } else {
        By = nullptr;
        Number = number.X;
    }
    return 1;
}

void TransformAction::finish(Object* a, Object* b, double number) {
    for (Object* o : {O, A})
        if (o) o->highlight.clear();
    makeimage(O, Transformation(Kind, a, b, number));
    O = A = nullptr;
    State = 1;
    host().cursor(ToolHost::PointCursorKind);
    objects.redraw();
}

void TransformAction::abort() {
    for (Object* o : {O, A})
        if (o) o->highlight.clear();
    if (O || A) objects.redraw();
    O = A = nullptr;
    State = 0;
}
