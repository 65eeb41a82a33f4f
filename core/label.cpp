#include "label.h"
#include "object.h"
#include "view.h"

#include <cmath>

int placelabel(PS& ps, const Object& o, int w, int h, const Spot* spots, int n, int& left,
               int& top) {
    int chosen = 0;
    if (ps.modern() && o.LabelDx == 0 && o.LabelDy == 0)
        for (int i = 0; i < n; ++i)
            if (!ps.claimed(spots[i].x, spots[i].y, spots[i].x + w, spots[i].y + h)) {
                chosen = i;
                break;
            }
    left = spots[chosen].x + static_cast<int>(std::lround(o.LabelDx));
    top = spots[chosen].y + static_cast<int>(std::lround(o.LabelDy));
    ps.claim(left, top, left + w, top + h, &o, spots[chosen].x - spots[0].x,
             spots[chosen].y - spots[0].y);
    return chosen;
}

void drawlabel(PS& ps, const Object& o, int x, int y, int ax, int ay, const char* s) {
    int w, h;
    textsize(ps, s, w, h);
    Spot spots[8] = {{x - w / 2, y - h / 2}};
    int n = 1;
    if (ps.modern()) {
        // Away from the object, and along it: a unit across (ox, oy).
        double ox = x - ax, oy = y - ay, r = std::hypot(ox, oy);
        if (r < 2) ox = 0, oy = -(h / 2 + 4), r = h / 2 + 4;
        const double ux = -oy / r, uy = ox / r;
        const double along = std::fabs(ux) * (w + 2) + std::fabs(uy) * (h + 2);
        const double centres[7][2] = {{ax - ox, ay - oy},
                                      {x + ux * along, y + uy * along},
                                      {x - ux * along, y - uy * along},
                                      {ax + 2 * ox, ay + 2 * oy},
                                      {ax - ox + ux * along, ay - oy + uy * along},
                                      {ax - ox - ux * along, ay - oy - uy * along},
                                      {ax - 2 * ox, ay - 2 * oy}};
        for (const auto& c : centres)
            spots[n++] = {static_cast<int>(std::lround(c[0])) - w / 2,
                          static_cast<int>(std::lround(c[1])) - h / 2};
    }
    int left, top;
    placelabel(ps, o, w, h, spots, n, left, top);
    drawtextat(ps, left, top, s);
}

const Object* labelowner(const PS& ps, double x, double y, int* sx, int* sy) {
    return static_cast<const Object*>(ps.claimant(col(x, ps), row(y, ps), sx, sy));
}

void LabelHandle::grab(double x, double y) {
    // A label that stood aside is dragged from where it stood.
    if (O) Held.take(x, y, O->LabelDx + Sx, O->LabelDy + Sy);
}

void LabelHandle::dragto(double x, double y) {
    if (!O) return;
    // Whole pixels, as labels are drawn.
    Held.follow(x, y, O->LabelDx, O->LabelDy, true);
    O->LabelDx = std::round(O->LabelDx);
    O->LabelDy = std::round(O->LabelDy);
}
