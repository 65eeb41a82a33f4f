#include "discover.h"
#include "derived.h"
#include "line.h"
#include "objectlist.h"
#include "point.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

bool ispoint(const Object* o) {
    return o->objectclass() & CPoint;
}

bool isline(const Object* o) {
    return (o->objectclass() & CStraight) && !(o->objectclass() & CVector);
}

bool iscircle(const Object* o) {
    return (o->objectclass() & CCircle) && !(o->objectclass() & CArc);
}

// What an object was made from, seen through help objects (the hidden
// point of a parallel, the second crossing of two curves): theirs instead.
void madefrom(Object* o, std::set<Object*>& out, int depth = 0) {
    Parents parents(o);
    for (int i = 0; i < parents.size(); ++i) {
        Object* p = parents[i];
        if ((p->objectclass() & CHelp) && depth < 4)
            madefrom(p, out, depth + 1);
        else
            out.insert(p);
    }
}

std::set<Object*> madefrom(Object* o) {
    std::set<Object*> s;
    madefrom(o, s);
    return s;
}

// Whether point p lies on curve c because of how either was made: c made
// through p, p made on c (on it, a crossing of it), or p the middle of two
// points c was made through.
bool on(Object* p, Object* c) {
    const std::set<Object*> of = madefrom(c), from = madefrom(p);
    if (of.count(p) || from.count(c)) return true;
    if (auto* m = dynamic_cast<Middle*>(p))
        return isline(c) && of.count(m->p1()) && of.count(m->p2());
    return false;
}

// Whether some curve of the construction (a line when straight, else a
// circle) holds every point of v by how they were made.
bool oneknownholds(const std::vector<Object*>& v, bool straight) {
    for (Object* c = objects.first(); c; c = c->next()) {
        if (!(straight ? isline(c) : (c->objectclass() & CCircle))) continue;
        if (std::all_of(v.begin(), v.end(), [&](Object* p) { return on(p, c); })) return true;
    }
    return false;
}

// Whether some point lies on every line of v by how they were made.
bool oneknownpoint(const std::vector<Object*>& v) {
    for (Object* p = objects.first(); p; p = p->next())
        if (ispoint(p) && std::all_of(v.begin(), v.end(), [&](Object* l) { return on(p, l); }))
            return true;
    return false;
}

// Whether two of the points coincide, or two of the curves: a relation of
// them says nothing.
bool degenerate(const Relation& r, double size) {
    const double L = RelationTolerance * size;
    for (std::size_t i = 0; i < r.Objects.size(); ++i)
        for (std::size_t j = i + 1; j < r.Objects.size(); ++j) {
            Object *a = r.Objects[i], *b = r.Objects[j];
            if (ispoint(a) && ispoint(b)) {
                auto *p = static_cast<Pointprim*>(a), *q = static_cast<Pointprim*>(b);
                if (std::hypot(p->x() - q->x(), p->y() - q->y()) <= L) return true;
            }
            if (isline(a) && isline(b)) {
                auto* h = static_cast<Lineprim*>(b);
                if (Relation{Relation::Parallel, {a, b}}.holds(size) &&
                    static_cast<Lineprim*>(a)->normal(h->x(), h->y()) <= L)
                    return true;
            }
        }
    return false;
}

} // namespace

bool builtin(const Relation& r) {
    const auto& o = r.Objects;
    switch (r.K) {
    case Relation::OnLine:
    case Relation::OnCircle:
        return on(o[0], o[1]);
    case Relation::Collinear: {
        for (std::size_t i = 0; i < 3; ++i)
            if (auto* m = dynamic_cast<Middle*>(o[i])) {
                const std::set<Object*> ends = {m->p1(), m->p2()};
                if (ends.count(o[(i + 1) % 3]) && ends.count(o[(i + 2) % 3])) return true;
            }
        return oneknownholds(o, true);
    }
    case Relation::Concyclic:
        return oneknownholds(o, false);
    case Relation::Concurrent:
        return oneknownpoint(o);
    case Relation::Parallel:
    case Relation::Perpendicular:
    case Relation::TangentLine:
    case Relation::TangentCircles:
        return madefrom(o[0]).count(o[1]) || madefrom(o[1]).count(o[0]);
    default:
        return false;
    }
}

std::vector<Found> discover(Object* x, int n, std::uint64_t seed,
                            const std::function<bool(double)>& progress) {
    // The visible objects, but x, by their sorts.
    std::vector<Object*> points, lines, circles;
    for (Object* o = objects.first(); o; o = o->next()) {
        if (o == x || o->ishidden || !o->valid || dynamic_cast<Parallel*>(o)) continue;
        if (ispoint(o)) points.push_back(o);
        if (isline(o)) lines.push_back(o);
        if (iscircle(o)) circles.push_back(o);
    }
    const double size = figuresize();
    std::vector<Relation> candidates;
    auto consider = [&](Relation::Kind k, std::vector<Object*> v) {
        Relation r{k, std::move(v)};
        if (r.holds(size) && !degenerate(r, size) && !builtin(r)) candidates.push_back(r);
    };
    if (x->valid && ispoint(x)) {
        for (Object* l : lines) consider(Relation::OnLine, {x, l});
        for (Object* k : circles) consider(Relation::OnCircle, {x, k});
        // In a large construction the pairs and triples are taken among the
        // points nearest to x, so that the search stays short.
        auto* px = static_cast<Pointprim*>(x);
        std::stable_sort(points.begin(), points.end(), [px](Object* a, Object* b) {
            auto *p = static_cast<Pointprim*>(a), *q = static_cast<Pointprim*>(b);
            return std::hypot(p->x() - px->x(), p->y() - px->y()) <
                   std::hypot(q->x() - px->x(), q->y() - px->y());
        });
        const std::size_t pairs = std::min<std::size_t>(points.size(), NearestForLines),
                          triples = std::min<std::size_t>(points.size(), NearestForCircles);
        for (std::size_t i = 0; i < pairs; ++i)
            for (std::size_t j = i + 1; j < pairs; ++j)
                consider(Relation::Collinear, {x, points[i], points[j]});
        for (std::size_t i = 0; i < triples; ++i)
            for (std::size_t j = i + 1; j < triples; ++j)
                for (std::size_t k = j + 1; k < triples; ++k)
                    consider(Relation::Concyclic, {x, points[i], points[j], points[k]});
    } else if (x->valid && isline(x)) {
        for (Object* p : points) consider(Relation::OnLine, {p, x});
        for (Object* l : lines) consider(Relation::Parallel, {x, l});
        for (Object* l : lines) consider(Relation::Perpendicular, {x, l});
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t j = i + 1; j < lines.size(); ++j)
                consider(Relation::Concurrent, {x, lines[i], lines[j]});
        for (Object* k : circles) consider(Relation::TangentLine, {x, k});
    } else if (x->valid && (x->objectclass() & CCircle)) {
        for (Object* p : points) consider(Relation::OnCircle, {p, x});
        for (Object* l : lines) consider(Relation::TangentLine, {l, x});
        for (Object* k : circles) consider(Relation::TangentCircles, {x, k});
    }
    // Every candidate is tested in the same positions; one that fails goes.
    std::vector<Found> found;
    for (Relation& r : candidates) found.push_back({r, 0});
    {
        Positions positions(seed);
        for (int i = 0; i < n && !found.empty(); ++i) {
            if (progress && i % 50 == 0 && !progress(static_cast<double>(i) / n)) {
                found.clear();
                break;
            }
            positions.next();
            const double s = figuresize();
            for (std::size_t f = 0; f < found.size();) {
                const Relation& r = found[f].R;
                const bool valid = r.defined();
                if (valid && !r.holds(s)) {
                    found.erase(found.begin() + static_cast<std::ptrdiff_t>(f));
                    continue;
                }
                if (valid) ++found[f].Checked;
                ++f;
            }
        }
    }
    // What was seldom tested cannot be told.
    found.erase(std::remove_if(found.begin(), found.end(),
                               [n](const Found& f) { return f.Checked * 2 < n; }),
                found.end());
    return found;
}
