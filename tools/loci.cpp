#include "loci.h"
#include "derived.h"
#include "locus.h"
#include "objectlist.h"
#include "point.h"

#include <vector>

LocusAction locusaction;

void LocusAction::start() {
    Action::start();
    P = nullptr;
    Refused = 0;
}

void LocusAction::abort() {
    if (P) {
        P->highlight.clear();
        objects.redraw();
    }
    P = nullptr;
    Refused = 0;
}

void LocusAction::perform(int c, int r) {
    const double x = actionx(c), y = actiony(r);
    Object* o = nullptr;
    if (!P) {
        if (!objects.select(x, y, &o, CPoint, 1, 1) || !o) return;
        P = static_cast<Pointprim*>(o);
        P->highlight.set();
    } else {
        if (!objects.select(x, y, &o, CPoint | CNumber, 1, 1) || !o || o == P) return;
        Refused = !Locus::takes(P, o);
        if (!Refused) {
            P->highlight.clear();
            new Locus(P, o);
            P = nullptr;
        }
    }
    objects.redraw();
    inform();
}

int makelocus() {
    Pointprim* driver = objects.findtrackpoint();
    if (!driver) return 0;
    std::vector<Pointprim*> traced;
    for (Object* o = objects.first(); o; o = o->next()) {
        auto* p = dynamic_cast<Pointprim*>(o);
        if (p && p != driver && p->track() && Locus::takes(p, driver)) traced.push_back(p);
    }
    for (Pointprim* p : traced) new Locus(p, driver);
    if (traced.empty()) return 0;
    objects.deletetracks();
    objects.unhighlight();
    objects.update();
    objects.redraw();
    return static_cast<int>(traced.size());
}
