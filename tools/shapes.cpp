#include "shapes.h"
#include "arc.h"
#include "dialogitems.h"
#include "line.h"
#include "numbers.h"
#include "objectlist.h"
#include "region.h"
#include "resources.h"

#include <algorithm>

namespace {

void makearc3(Pointprim** p) {
    new Arc3(p[0], p[1], p[2]);
}
void makecenterarc(Pointprim** p) {
    new CenterArc(p[0], p[1], p[2]);
}
void makesector(Pointprim** p) {
    new CenterSector(p[0], p[1], p[2]);
}
void makesector3(Pointprim** p) {
    new Sector3(p[0], p[1], p[2]);
}
void makesemicircle(Pointprim* a, Pointprim* b) {
    new Semicircle(a, b);
}

// The sides of the ring of vertices v as segments.
void sides(const std::vector<Pointprim*>& v) {
    for (size_t i = 0; i < v.size(); ++i) new Segment(v[i], v[(i + 1) % v.size()]);
}

void unhighlightall(std::vector<Pointprim*>& v) {
    for (Pointprim* p : v) p->highlight.clear();
}

using C = ControlSpec;

const ControlSpec verticescontrols[] = {
    {C::Static, -1, "Number of vertices (3 to 100), or a number's name:", 0, 3},
    {C::Edit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, 2, "Cancel", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec verticesdialog = {134, "Regular Polygon", verticescontrols};

} // namespace

PolygonAction polygonaction;
RegularPolygonAction regularpolygonaction;
PointsAction arc3action(3, makearc3, 196), arcaction(3, makecenterarc, 199),
    sectoraction(3, makesector, 204), sector3action(3, makesector3, 254);
TwoPointAction semicircleaction(makesemicircle, 202, 203);

void PolygonAction::inform() {
    if (State == 1) prompt(192);
    if (State == 2) prompt(193);
}

void PolygonAction::perform(int c, int r) {
    if (State < 1) return;
    Pointprim* p = nullptr;
    if (!pick(c, r, p)) return;
    if (State == 2 && p == V.front()) {
        if (V.size() >= static_cast<size_t>(Polygon::MinVertices))
            close();
        else
            prompt(213);
        return;
    }
    if (State == 2 && p == V.back()) {
        prompt(214);
        return;
    }
    V.push_back(p);
    highlight(p);
    State = 2;
    if (V.size() >= static_cast<size_t>(Polygon::MaxVertices))
        close();
    else
        inform();
}

void PolygonAction::complete() {
    if (State != 2) return;
    // The last vertex may be the first one again: the ring is closed anyway.
    if (V.size() > 1 && V.back() == V.front()) V.pop_back();
    if (V.size() >= static_cast<size_t>(Polygon::MinVertices))
        close();
    else
        prompt(213);
}

void PolygonAction::close() {
    unhighlightall(V);
    new Polygon(V);
    sides(V);
    V.clear();
    State = 1;
    objects.redraw();
    inform();
}

void PolygonAction::abort() {
    int held = !V.empty();
    unhighlightall(V);
    V.clear();
    if (held) objects.redraw();
    State = 0;
}

void RegularPolygonAction::inform() {
    if (State == 1) prompt(194);
    if (State == 2) prompt(195);
}

void RegularPolygonAction::perform(int c, int r) {
    if (State == 1) {
        A = nullptr;
        if (!pick(c, r, A)) return;
        highlight(A);
        State = 2;
        inform();
        return;
    }
    if (State != 2) return;
    B = nullptr;
    if (!pick(c, r, B) || B == A) return;
    highlight(B);
    if (asknumber()) {
        if (Count) {
            // The count follows a number: the polygon alone, its corners
            // come and go with the number.
            makeregularpolygon(A, B, Count);
        } else {
            RegularPolygon* p = makeregularpolygon(A, B, static_cast<int>(N));
            std::vector<Pointprim*> v = {A, B};
            for (RegularVertex* q : p->Vertices) v.push_back(q);
            sides(v);
        }
    }
    A->highlight.clear();
    B->highlight.clear();
    A = B = nullptr;
    State = 1;
    objects.redraw();
    inform();
}

int RegularPolygonAction::asknumber() {
    if (!finddialog(verticesdialog.id)) definedialog(&verticesdialog);
    Dialog d(host().owner(), verticesdialog.id, host().help(), 21);
    NumberOrNameItem number(101, d, static_cast<double>(N), RegularPolygon::MinVertices,
                            RegularPolygon::MaxVertices, 1);
    d.Focus = 101;
    d.carryout();
    if (d.result() != 1) return 0;
    Count = number.O;
    if (!Count) N = static_cast<long>(number.X);
    return 1;
}

void RegularPolygonAction::abort() {
    int held = A || B;
    for (Pointprim* p : {A, B})
        if (p) p->highlight.clear();
    A = B = nullptr;
    if (held) objects.redraw();
    State = 0;
}
