#include "locus.h"
#include "arc.h"
#include "circle.h"
#include "control.h"
#include "derived.h"
#include "line.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

Locus::Locus(Pointprim* p, Object* driver) : P(p), Q(driver) {
    Class = CLocus;
    setname(String(247).text(), locuscount);
    Io = locusio;
    update();
}

bool Locus::takes(Object* p, Object* driver) {
    if (!p || !driver || !(p->Class & CPoint) || p == driver) return false;
    if (!dynamic_cast<Slider*>(driver)) {
        auto* on = dynamic_cast<Pointon*>(driver);
        if (!on || !(on->object()->Class & (CStraight | CCircle))) return false;
    }
    // p must depend on the driver.
    std::vector<Object*> todo = {p};
    std::unordered_map<Object*, bool> seen;
    while (!todo.empty()) {
        Object* o = todo.back();
        todo.pop_back();
        if (o == driver) return true;
        if (seen[o]) continue;
        seen[o] = true;
        for (Object* parent : Parents(o)) todo.push_back(parent);
    }
    return false;
}

void Locus::chain() {
    // Which ancestors of P depend on the driver: a walk without recursion,
    // each object once, its parents before it.
    Chain.clear();
    std::unordered_map<Object*, int> state; // 1 open, 2 depends, 3 does not
    std::vector<std::pair<Object*, bool>> todo = {{P, false}};
    while (!todo.empty()) {
        auto [o, done] = todo.back();
        todo.pop_back();
        if (o == Q) {
            state[o] = 2;
            continue;
        }
        if (!done) {
            if (state[o]) continue;
            state[o] = 1;
            todo.push_back({o, true});
            for (Object* parent : Parents(o))
                if (!state[parent]) todo.push_back({parent, false});
            continue;
        }
        bool depends = false;
        for (Object* parent : Parents(o)) depends = depends || state[parent] == 2;
        state[o] = depends ? 2 : 3;
        if (depends) Chain.push_back(o);
    }
    std::sort(Chain.begin(), Chain.end(),
              [](const Object* a, const Object* b) { return a->Order < b->Order; });
}

bool Locus::range() {
    if (dynamic_cast<Slider*>(Q)) return true;
    Object* o = static_cast<Pointon*>(Q)->object();
    if (!o->valid) return false;
    T0 = 0, T1 = 1;
    if ((o->Class & CStraight) && !(o->Class & CSegment)) {
        // A line or ray: the part that can matter, the view widened three
        // times each way, in lengths along it from its first place.
        auto* l = static_cast<Lineprim*>(o);
        const View& v = view();
        double mx = (v.X1 + v.X2) / 2, my = (v.Y1 + v.Y2) / 2;
        double reach = 3 * std::hypot(v.X2 - v.X1, v.Y2 - v.Y1);
        double at = (mx - l->x()) * l->vx() + (my - l->y()) * l->vy();
        T0 = at - reach;
        T1 = at + reach;
        if (dynamic_cast<Ray*>(l)) T0 = std::max(T0, 0.0);
        return T1 > T0;
    }
    return true;
}

bool Locus::sample(double t, double& x, double& y) {
    const double u = driverat(t);
    if (auto* s = dynamic_cast<Slider*>(Q)) {
        s->Value = u;
        s->update();
    } else {
        Object* o = static_cast<Pointon*>(Q)->object();
        auto* q = static_cast<Pointprim*>(Q);
        if (o->Class & CStraight) {
            auto* l = static_cast<Lineprim*>(o);
            if (o->Class & CSegment)
                q->set(l->x() + u * (l->x1() - l->x()), l->y() + u * (l->y1() - l->y()));
            else
                q->set(l->x() + u * l->vx(), l->y() + u * l->vy());
        } else {
            auto* c = static_cast<Circle*>(o);
            double a = 2 * M_PI * u;
            if (auto* arc = dynamic_cast<Arc*>(o)) a = arc->from() + u * arc->sweep();
            q->set(c->x() + c->r() * std::cos(a), c->y() + c->r() * std::sin(a));
        }
    }
    for (Object* o : Chain) o->update();
    x = P->x();
    y = P->y();
    return P->valid && std::isfinite(x) && std::isfinite(y);
}

namespace {

struct Sample {
    double t, x, y;
    bool ok;
};

// Whether the curve turns at m between a and b by more than about ten
// degrees, over steps long enough that the turn is not rounding.
bool turns(const Sample& a, const Sample& m, const Sample& b, double least) {
    const double ux = m.x - a.x, uy = m.y - a.y, vx = b.x - m.x, vy = b.y - m.y;
    const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu < least || lv < least) return false;
    return ux * vx + uy * vy < 0.985 * lu * lv;
}

} // namespace

void Locus::update() {
    Pieces.clear();
    Params.clear();
    const View& v = view();
    Seen = {v.X1, v.X2, v.Y1, v.Y2, v.Pixel};
    chain();
    valid = Q->valid && !Chain.empty() && Chain.back() == P;
    if (!valid || !range()) {
        valid = 0;
        return;
    }
    // The driver's own state, given back afterwards.
    ObjectState before;
    Q->getstate(before);
    const double pixel = view().Pixel;
    const double fine = 2 * pixel, jump = 40 * pixel, least = pixel / 2;
    // The samples beyond the first are shared out over the intervals, what
    // one leaves going to the next, so that the end of a long curve is as
    // fine as its start.
    int budget = std::max(0, Limit - Start - 1), share = 0;
    auto at = [&](double t) {
        Sample s{t, 0, 0, false};
        s.ok = sample(t, s.x, s.y);
        return s;
    };
    std::vector<Sample> out;
    // Between neighbours that lie far apart, where one has no place, or
    // where the curve turns sharply, the middle is sampled too, down to a
    // depth; a middle computed to look is kept.
    auto refine = [&](auto& self, const Sample& a, const Sample& b, int depth) -> void {
        if (share <= 0 || depth >= 14) return;
        const double chord = a.ok && b.ok ? std::hypot(b.x - a.x, b.y - a.y) : 0;
        if (a.ok == b.ok && (!a.ok || chord <= least)) return;
        --budget, --share;
        Sample m = at((a.t + b.t) / 2);
        if (a.ok == b.ok && chord <= fine && m.ok && !turns(a, m, b, least)) {
            out.push_back(m);
            return;
        }
        self(self, a, m, depth + 1);
        out.push_back(m);
        self(self, m, b, depth + 1);
    };
    Sample prev = at(0);
    out.push_back(prev);
    for (int i = 1; i <= Start; ++i) {
        Sample cur = at(static_cast<double>(i) / Start);
        share = budget / (Start - i + 1);
        refine(refine, prev, cur, 0);
        out.push_back(cur);
        prev = cur;
    }
    Q->setstate(before);
    if (auto* s = dynamic_cast<Slider*>(Q)) s->update();
    for (Object* o : Chain) o->update();
    // The pieces: runs of samples with a place, broken where P jumps.
    for (std::size_t i = 0; i < out.size(); ++i) {
        const Sample& s = out[i];
        bool join = s.ok && i > 0 && out[i - 1].ok &&
                    std::hypot(s.x - out[i - 1].x, s.y - out[i - 1].y) <= jump;
        if (!s.ok) continue;
        if (!join) {
            Pieces.emplace_back();
            Params.emplace_back();
        }
        Pieces.back().push_back(s.x);
        Pieces.back().push_back(s.y);
        Params.back().push_back(driverat(s.t));
    }
    // Single samples draw nothing.
    for (std::size_t i = Pieces.size(); i-- > 0;)
        if (Pieces[i].size() < 4) {
            Pieces.erase(Pieces.begin() + static_cast<std::ptrdiff_t>(i));
            Params.erase(Params.begin() + static_cast<std::ptrdiff_t>(i));
        }
    valid = !Pieces.empty();
}

double Locus::driverat(double t) const {
    if (auto* s = dynamic_cast<Slider*>(Q)) return s->Min + t * (s->Max - s->Min);
    return T0 + t * (T1 - T0);
}

bool Locus::place(double u, double& x, double& y) const {
    // The piece whose run of parameters holds u, else the end nearest to
    // it: a point in a gap waits at the edge of the curve.
    double best = HUGE_VAL;
    for (std::size_t k = 0; k < Params.size(); ++k) {
        const std::vector<double>& t = Params[k];
        const std::vector<double>& p = Pieces[k];
        const bool up = t.back() >= t.front();
        const double lo = up ? t.front() : t.back(), hi = up ? t.back() : t.front();
        if (u >= lo && u <= hi) {
            auto it = up ? std::lower_bound(t.begin(), t.end(), u)
                         : std::lower_bound(t.begin(), t.end(), u, std::greater<double>());
            std::size_t j = std::max<std::size_t>(1, static_cast<std::size_t>(it - t.begin()));
            j = std::min(j, t.size() - 1);
            const double span = t[j] - t[j - 1];
            const double f = span != 0 ? std::clamp((u - t[j - 1]) / span, 0.0, 1.0) : 0;
            x = p[2 * j - 2] + f * (p[2 * j] - p[2 * j - 2]);
            y = p[2 * j - 1] + f * (p[2 * j + 1] - p[2 * j - 1]);
            return true;
        }
        for (std::size_t e : {std::size_t{0}, t.size() - 1}) {
            const double d = std::fabs(t[e] - u);
            if (d < best) best = d, x = p[2 * e], y = p[2 * e + 1];
        }
    }
    return best != HUGE_VAL;
}

void Locus::draw(PS& ps) {
    // The samples are fine enough, and a line's or ray's range wide
    // enough, for the view they were taken in: after a zoom or a shift
    // they are taken anew.
    const View& v = view();
    if (Seen != std::array<double, 5>{v.X1, v.X2, v.Y1, v.Y2, v.Pixel}) update();
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    std::unique_ptr<Pen> pen{stylepen(c, Linetype)};
    ps.color(c);
    // Samples lie a pixel or two apart; drawn steps are a few pixels long,
    // so that rounded ends do not make a sharp line look ragged and bold.
    // Each piece keeps its ends. Runs of places near the picture go as one
    // line; a step to a place far off is clipped as a segment is.
    const double step = 3, near = 4.0 * (ps.width() + ps.height());
    std::vector<double> run;
    auto flush = [&] {
        if (run.size() >= 4) ps.polyline(run.data(), static_cast<int>(run.size() / 2), pen.get());
        run.clear();
    };
    auto close = [&](double x, double y) { return std::fabs(x) < near && std::fabs(y) < near; };
    for (const std::vector<double>& p : Pieces) {
        double x = p[0], y = p[1];
        double cx = colf(x, ps), cy = rowf(y, ps);
        for (std::size_t i = 2; i + 1 < p.size(); i += 2) {
            const double nx = colf(p[i], ps), ny = rowf(p[i + 1], ps);
            if (i + 2 < p.size() && std::hypot(nx - cx, ny - cy) < step) continue;
            if (close(cx, cy) && close(nx, ny)) {
                if (run.empty()) run.insert(run.end(), {cx, cy});
                run.insert(run.end(), {nx, ny});
            } else {
                flush();
                drawsegment(ps, x, y, p[i], p[i + 1], Linetype, c);
            }
            x = p[i], y = p[i + 1], cx = nx, cy = ny;
        }
        flush();
    }
}

namespace {

// The place on segment a-b nearest to (x, y), and its distance.
double nearest(double ax, double ay, double bx, double by, double x, double y, double& px,
               double& py) {
    double dx = bx - ax, dy = by - ay, n = dx * dx + dy * dy;
    double t = n > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / n, 0.0, 1.0) : 0;
    px = ax + t * dx;
    py = ay + t * dy;
    return std::hypot(x - px, y - py);
}

} // namespace

double Locus::distance(double x, double y) {
    double best = 1e10, px, py;
    for (const std::vector<double>& p : Pieces)
        for (std::size_t i = 2; i + 1 < p.size(); i += 2)
            best = std::min(best, nearest(p[i - 2], p[i - 1], p[i], p[i + 1], x, y, px, py));
    return best;
}

int Locus::project(double* x, double* y) {
    double u;
    return parameter(x, y, u);
}

int Locus::parameter(double* x, double* y, double& u) const {
    double best = HUGE_VAL, bx = *x, by = *y, px, py;
    for (std::size_t k = 0; k < Pieces.size(); ++k) {
        const std::vector<double>& p = Pieces[k];
        const std::vector<double>& t = Params[k];
        for (std::size_t i = 2; i + 1 < p.size(); i += 2) {
            double d = nearest(p[i - 2], p[i - 1], p[i], p[i + 1], *x, *y, px, py);
            if (d >= best) continue;
            best = d, bx = px, by = py;
            const double along = std::hypot(p[i] - p[i - 2], p[i + 1] - p[i - 1]);
            const double f = along > 0 ? std::hypot(px - p[i - 2], py - p[i - 1]) / along : 0;
            u = t[i / 2 - 1] + f * (t[i / 2] - t[i / 2 - 1]);
        }
    }
    if (best == HUGE_VAL) return 0;
    *x = bx;
    *y = by;
    return 1;
}

int Locus::dep(Object** o) {
    o[0] = P;
    o[1] = Q;
    return 2;
}

double Locus::magnitude() const {
    double m = 0;
    for (const std::vector<double>& p : Pieces)
        for (double v : p) m = std::max(m, std::fabs(v));
    return m;
}

void Locus::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(246).text(), P->name(), Q->name());
}

void Locus::values(ValueSink& s) const {
    std::vector<double> all;
    std::vector<double> sizes;
    for (const std::vector<double>& p : Pieces) {
        all.insert(all.end(), p.begin(), p.end());
        sizes.push_back(static_cast<double>(p.size() / 2));
    }
    s.points("points", all.data(), static_cast<int>(all.size() / 2));
    s.numbers("pieces", sizes.data(), static_cast<int>(sizes.size()));
}

int Locus::setspecialflag(const char* s) {
    if (styleflag(s, Linetype, Class)) return !(Class & CFixed);
    double n;
    if (!numberflag(s, "samples:", n) || n != std::floor(n) || n < MinSamples || n > MaxSamples)
        return 0;
    Limit = static_cast<int>(n);
    return 1;
}

void Locus::writespecialflags(FlagSink* io) {
    writestyle(io, Linetype, Class);
    if (Limit != 2000) io->flag(("samples:" + std::to_string(Limit)).c_str());
}

void Locus::getstate(ObjectState& s) const {
    Object::getstate(s);
    s.I[0] = Linetype;
    s.I[1] = Limit;
}

void Locus::setstate(const ObjectState& s) {
    Object::setstate(s);
    Linetype = s.I[0];
    Limit = s.I[1];
}
