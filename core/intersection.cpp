#include "intersection.h"
#include "circle.h"
#include "line.h"
#include "messages.h"
#include "objectlist.h"
#include "view.h"

#include <cstdio>

Intersection::Intersection(Object* p1, Object* p2) : Pointprim(0, 0), P1(p1), P2(p2) {
    // The second point of a pair stands right after the first and takes the
    // lower number.
    if ((p1->Class & CCircle) || (p2->Class & CCircle)) Other = new OtherIntersection(this);
    Class = CPoint;
    setname(String(15).text(), iscount);
    Io = intersectionio;
    update();
}

int Intersection::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    return 2;
}

void Intersection::update() {
    valid = 1;
    if (!P1->valid || !P2->valid) {
        valid = 0;
        if (Other) Other->valid = 0;
        return;
    }
    if (!Other)
        static_cast<Lineprim*>(P1)->intersect(static_cast<Lineprim*>(P2), this);
    else if (P1->Class & CCircle)
        static_cast<Circle*>(P1)->intersect(P2, this, Other);
    else
        static_cast<Circle*>(P2)->intersect(P1, this, Other);
}

void Intersection::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(130).text(), P1->name(), P2->name());
}

Pointprim* Intersection::alternate(int f) {
    return f && Other ? static_cast<Pointprim*>(Other) : this;
}

OtherIntersection::OtherIntersection(Intersection* other) : Pointprim(0, 0), Other(other) {
    Class = CPoint | CHelp;
    setname(String(15).text(), iscount);
    Io = noio;
}

int OtherIntersection::dep(Object** o) {
    o[0] = Other;
    o[1] = Other->P1;
    o[2] = Other->P2;
    return 3;
}

void OtherIntersection::writeclear(char* s) {
    Other->writeclear(s);
}

Pointprim* OtherIntersection::alternate(int f) {
    return f ? static_cast<Pointprim*>(Other) : this;
}

int ObjectList::intersect(double x, double y, Object** P) {
    *P = nullptr;
    double d = view().viewwidth() * view().Pixel / std::max(msize, 1);
    Object* p1 = nullptr;
    Object* p2 = nullptr;
    for (Object* o = First; o && !p2; o = o->Next) {
        if (!(o->Class & (CStraight | CCircle)) || !(o->distance(x, y) < d)) continue;
        (p1 ? p2 : p1) = o;
    }
    if (!p2) return 1;
    char q[600];
    std::snprintf(q, sizeof q, String(134).text(), p1->name(), p2->name());
    String title(1);
    Window* owner = view().owner();
    if ((owner ? Question(*owner, q, title) : Question(q, title)) != IDYES) return 0;
    new Intersection(p1, p2);
    return select(x, y, P, CPoint, 1, 1) ? 1 : 0;
}
