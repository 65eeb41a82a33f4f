#include "relation.h"
#include "angle.h"
#include "circle.h"
#include "constructed.h"
#include "control.h"
#include "line.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

enum Sort { APoint, ALine, ACircle, ASegment, AnAngle, ANumber, Other };

Sort sortof(const Object* o) {
    const int c = o->objectclass();
    if (c & CPoint) return APoint;
    if ((c & CSegment) && !(c & CVector)) return ASegment;
    if (c & CStraight) return ALine;
    if ((c & CCircle) && dynamic_cast<const Circle*>(o)) return ACircle;
    if (dynamic_cast<const Angle*>(o)) return AnAngle;
    if (dynamic_cast<const Number*>(o)) return ANumber;
    return Other;
}

struct P2 {
    double x, y;
};

P2 at(const Object* o) {
    auto* p = static_cast<const Pointprim*>(o);
    return {p->x(), p->y()};
}

const Lineprim* line(const Object* o) {
    return static_cast<const Lineprim*>(o);
}

const Circle* circle(const Object* o) {
    return static_cast<const Circle*>(o);
}

double apart(P2 a, P2 b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// "A, B and C" of the objects' names.
std::string names(const std::vector<Object*>& v) {
    std::string s;
    for (std::size_t i = 0; i < v.size(); ++i)
        s += (i == 0 ? "" : i + 1 == v.size() ? " and " : ", ") + std::string(v[i]->name());
    return s;
}

// Each combination of k of the n indices, in order.
template <class F> void choose(int n, int k, F f) {
    std::vector<int> c(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) c[static_cast<std::size_t>(i)] = i;
    if (k > n) return;
    for (;;) {
        f(c);
        int i = k - 1;
        while (i >= 0 && c[static_cast<std::size_t>(i)] == n - k + i) --i;
        if (i < 0) return;
        ++c[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < k; ++j)
            c[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j - 1)] + 1;
    }
}

} // namespace

double figuresize() {
    double x1 = INFINITY, x2 = -INFINITY, y1 = INFINITY, y2 = -INFINITY;
    auto take = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        x1 = std::min(x1, x), x2 = std::max(x2, x), y1 = std::min(y1, y), y2 = std::max(y2, y);
    };
    // The given points (free, fixed, on objects) span the figure; what is
    // built on them may lie far out (two lines that nearly cross).
    for (int given : {int(CBasic), 0}) {
        for (Object* o = objects.first(); o; o = o->next()) {
            const int c = o->objectclass();
            if (o->valid && (c & CPoint) && (c & given) == given) take(at(o).x, at(o).y);
        }
        const double size = std::hypot(x2 - x1, y2 - y1);
        if (std::isfinite(size) && size > 1e-9) return size;
    }
    return 1e-9;
}

std::string Relation::text() const {
    const std::string a = Objects.empty() ? "" : Objects[0]->name();
    const std::string b = Objects.size() > 1 ? Objects[1]->name() : "";
    switch (K) {
    case Collinear:
        return names(Objects) + " lie on one line";
    case Concurrent:
        return names(Objects) + " pass through one point";
    case Parallel:
        return a + " and " + b + " are parallel";
    case Perpendicular:
        return a + " and " + b + " are perpendicular";
    case Concyclic:
        return names(Objects) + " lie on one circle";
    case OnLine:
    case OnCircle:
        return a + " lies on " + b;
    case EqualLength:
        return a + " and " + b + " are equally long";
    case EqualAngle:
        return a + " and " + b + " are equal angles";
    case TangentCircles:
        return a + " and " + b + " touch";
    case TangentLine:
        return a + " touches " + b;
    case EqualNumbers:
        return a + " and " + b + " are equal";
    }
    return "";
}

bool Relation::defined() const {
    return std::all_of(Objects.begin(), Objects.end(), [](const Object* o) { return o->valid; });
}

bool Relation::holds(double size) const {
    if (!defined()) return false;
    const double L = RelationTolerance * size, t = RelationTolerance;
    const auto& o = Objects;
    switch (K) {
    case Collinear: {
        const P2 a = at(o[0]), b = at(o[1]), c = at(o[2]);
        // The distance of the point farthest off the line of the other two
        // that lie farthest apart.
        const double ab = apart(a, b), ac = apart(a, c), bc = apart(b, c);
        const double far = std::max({ab, ac, bc});
        if (!(far > L)) return true;
        const double area = std::fabs((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
        return area / far <= L;
    }
    case Concurrent: {
        const Lineprim *g = line(o[0]), *h = line(o[1]), *k = line(o[2]);
        const double d = g->vx() * h->vy() - g->vy() * h->vx();
        if (std::fabs(d) <= t) return false; // parallel: no point
        const double s = ((h->x() - g->x()) * h->vy() - (h->y() - g->y()) * h->vx()) / d;
        return k->normal(g->x() + s * g->vx(), g->y() + s * g->vy()) <= L;
    }
    case Parallel:
        return std::fabs(line(o[0])->vx() * line(o[1])->vy() -
                         line(o[0])->vy() * line(o[1])->vx()) <= t;
    case Perpendicular:
        return std::fabs(line(o[0])->vx() * line(o[1])->vx() +
                         line(o[0])->vy() * line(o[1])->vy()) <= t;
    case Concyclic: {
        P2 m;
        const P2 a = at(o[0]), b = at(o[1]), c = at(o[2]), d = at(o[3]);
        if (!circumcentre(a.x, a.y, b.x, b.y, c.x, c.y, m.x, m.y)) return false;
        return std::fabs(apart(d, m) - apart(a, m)) <= L;
    }
    case OnLine:
        return line(o[1])->normal(at(o[0]).x, at(o[0]).y) <= L;
    case OnCircle: {
        const Circle* k = circle(o[1]);
        return std::fabs(std::hypot(at(o[0]).x - k->x(), at(o[0]).y - k->y()) - k->r()) <= L;
    }
    case EqualLength:
        return std::fabs(line(o[0])->length() - line(o[1])->length()) <= L;
    case EqualAngle:
        return std::fabs(static_cast<const Angle*>(o[0])->size() -
                         static_cast<const Angle*>(o[1])->size()) <= 360 * t;
    case TangentCircles: {
        const Circle *k = circle(o[0]), *m = circle(o[1]);
        const double d = std::hypot(k->x() - m->x(), k->y() - m->y());
        return std::fabs(d - (k->r() + m->r())) <= L ||
               std::fabs(d - std::fabs(k->r() - m->r())) <= L;
    }
    case TangentLine: {
        const Circle* k = circle(o[1]);
        return std::fabs(line(o[0])->normal(k->x(), k->y()) - k->r()) <= L;
    }
    case EqualNumbers: {
        const double a = static_cast<const Number*>(o[0])->value(),
                     b = static_cast<const Number*>(o[1])->value();
        return std::fabs(a - b) <= t * std::max({1.0, std::fabs(a), std::fabs(b)});
    }
    }
    return false;
}

std::vector<Relation> relationsamong(const std::vector<Object*>& among) {
    std::vector<Object*> of[Other + 1];
    for (Object* o : among) of[sortof(o)].push_back(o);
    std::vector<Relation> found;
    auto tryit = [&](Relation::Kind k, std::vector<Object*> v) {
        Relation r{k, std::move(v)};
        if (r.holds()) found.push_back(r);
    };
    auto pick = [](const std::vector<Object*>& from, const std::vector<int>& c) {
        std::vector<Object*> v;
        for (int i : c) v.push_back(from[static_cast<std::size_t>(i)]);
        return v;
    };
    const auto& points = of[APoint];
    std::vector<Object*> lines = of[ALine];
    lines.insert(lines.end(), of[ASegment].begin(), of[ASegment].end());
    const int np = static_cast<int>(points.size()), nl = static_cast<int>(lines.size()),
              nc = static_cast<int>(of[ACircle].size());
    choose(np, 3, [&](const std::vector<int>& c) { tryit(Relation::Collinear, pick(points, c)); });
    choose(nl, 3, [&](const std::vector<int>& c) { tryit(Relation::Concurrent, pick(lines, c)); });
    choose(nl, 2, [&](const std::vector<int>& c) { tryit(Relation::Parallel, pick(lines, c)); });
    choose(nl, 2,
           [&](const std::vector<int>& c) { tryit(Relation::Perpendicular, pick(lines, c)); });
    choose(np, 4, [&](const std::vector<int>& c) { tryit(Relation::Concyclic, pick(points, c)); });
    for (Object* p : points)
        for (Object* l : lines) tryit(Relation::OnLine, {p, l});
    for (Object* p : points)
        for (Object* k : of[ACircle]) tryit(Relation::OnCircle, {p, k});
    choose(static_cast<int>(of[ASegment].size()), 2,
           [&](const std::vector<int>& c) { tryit(Relation::EqualLength, pick(of[ASegment], c)); });
    choose(static_cast<int>(of[AnAngle].size()), 2,
           [&](const std::vector<int>& c) { tryit(Relation::EqualAngle, pick(of[AnAngle], c)); });
    choose(nc, 2, [&](const std::vector<int>& c) {
        tryit(Relation::TangentCircles, pick(of[ACircle], c));
    });
    for (Object* l : lines)
        for (Object* k : of[ACircle]) tryit(Relation::TangentLine, {l, k});
    choose(static_cast<int>(of[ANumber].size()), 2,
           [&](const std::vector<int>& c) { tryit(Relation::EqualNumbers, pick(of[ANumber], c)); });
    return found;
}

std::vector<Object*> freeobjects() {
    std::vector<Object*> v;
    for (Object* o = objects.first(); o; o = o->next()) {
        const int c = o->objectclass();
        if (((c & CPoint) && (c & CBasic) && (c & CMovable)) || dynamic_cast<Slider*>(o))
            v.push_back(o);
    }
    return v;
}

namespace {

Position where(const std::vector<Object*>& free) {
    Position p;
    for (Object* o : free) {
        if (auto* s = dynamic_cast<Slider*>(o)) {
            p.X.push_back(s->Value);
            p.Y.push_back(0);
        } else {
            p.X.push_back(at(o).x);
            p.Y.push_back(at(o).y);
        }
    }
    return p;
}

void put(const std::vector<Object*>& free, const Position& p) {
    for (std::size_t i = 0; i < free.size() && i < p.X.size(); ++i) {
        if (auto* s = dynamic_cast<Slider*>(free[i]))
            s->setvalue(p.X[i]);
        else
            static_cast<Pointprim*>(free[i])->set(p.X[i], p.Y[i]);
    }
    objects.update();
}

} // namespace

Positions::Positions(std::uint64_t seed)
    : Free(freeobjects()), States(Free.size()), Here(where(Free)), Size(figuresize()), State(seed) {
    for (std::size_t k = 0; k < Free.size(); ++k) Free[k]->getstate(States[k]);
}

Positions::~Positions() {
    for (std::size_t k = 0; k < Free.size(); ++k) Free[k]->setstate(States[k]);
    objects.update();
}

void Positions::next() {
    std::mt19937_64 random(State);
    std::uniform_real_distribution<double> unit(-1, 1), scale(std::log(0.01), std::log(10.0)),
        moderate(0.1, 0.4);
    // Around the figure, each position at a scale of its own; every fourth,
    // the first among them, moves the points a tenth to a little under half
    // the figure's size, so that a counter-example, found there first as a
    // rule, can be seen on the screen.
    const double s = Size * (Count++ % 4 == 0 ? moderate(random) : std::exp(scale(random)));
    ++State;
    Position p = Here;
    for (std::size_t k = 0; k < Free.size(); ++k) {
        if (auto* slider = dynamic_cast<Slider*>(Free[k]))
            p.X[k] = slider->Min + (slider->Max - slider->Min) * (unit(random) + 1) / 2;
        else
            p.X[k] += s * unit(random), p.Y[k] += s * unit(random);
    }
    put(Free, p);
}

Position Positions::now() const {
    return where(Free);
}

Verdict checkrelation(const Relation& r, int n, std::uint64_t seed,
                      const std::function<bool(double)>& progress) {
    Verdict v;
    if (!r.holds()) return v;
    Positions positions(seed);
    bool failed = false;
    for (int i = 0; i < n && !failed; ++i) {
        if (progress && i % 50 == 0 && !progress(static_cast<double>(i) / n)) {
            v.R = Verdict::Stopped;
            return v;
        }
        positions.next();
        if (!r.defined()) {
            ++v.Skipped;
            continue;
        }
        ++v.Checked;
        if (!r.holds()) {
            failed = true;
            v.Counter = positions.now();
        }
    }
    if (failed) {
        v.R = Verdict::HereOnly;
        // The first free object whose move alone breaks it.
        const auto& free = positions.free();
        for (std::size_t k = 0; k < free.size() && !v.Breaker; ++k) {
            Position one = positions.here();
            one.X[k] = v.Counter.X[k], one.Y[k] = v.Counter.Y[k];
            put(free, one);
            if (r.defined() && !r.holds()) v.Breaker = free[k];
        }
    } else {
        v.R = v.Checked * 2 < n ? Verdict::Undecided : Verdict::General;
    }
    return v;
}

void showposition(const Position& p) {
    put(freeobjects(), p);
}

std::string Verdict::text() const {
    auto count = [](int k) {
        std::string s = std::to_string(k);
        for (int i = static_cast<int>(s.size()) - 3; i > 0; i -= 3)
            s.insert(static_cast<std::size_t>(i), ",");
        return s;
    };
    switch (R) {
    case General:
        return "true in general (checked in " + count(Checked) + " random positions)";
    case HereOnly:
        return std::string("true here, but not in general") +
               (Breaker ? ": moving " + std::string(Breaker->name()) + " breaks it" : "");
    case NotHere:
        return "not true here";
    case Stopped:
        return "true here; the check in general was stopped";
    case Undecided:
        return "true here; in most random positions (" + count(Skipped) +
               ") an object of it had no place, so it cannot be said whether it holds in general";
    }
    return "";
}
