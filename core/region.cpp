#include "region.h"
#include "label.h"
#include "line.h"
#include "number.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

const char* const UnfilledFlag = "unfilled";

namespace {

// Cuts the ring xy to the half plane where side(x, y) >= 0 (one step of
// Sutherland and Hodgman's clipping), into out.
template <class Side> void cut(const std::vector<double>& xy, std::vector<double>& out, Side side) {
    out.clear();
    size_t n = xy.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        double ax = xy[2 * i], ay = xy[2 * i + 1], bx = xy[2 * j], by = xy[2 * j + 1];
        double sa = side(ax, ay), sb = side(bx, by);
        if (sa >= 0) out.insert(out.end(), {ax, ay});
        if ((sa >= 0) != (sb >= 0)) {
            double t = sa / (sa - sb);
            out.insert(out.end(), {ax + t * (bx - ax), ay + t * (by - ay)});
        }
    }
}

} // namespace

void fillshape(PS& ps, const std::vector<double>& xy, Color c) {
    // The scratch rings of the drawing, kept between shapes.
    static std::vector<double> ring, other;
    static Points points;
    ring.clear();
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        if (std::isfinite(xy[i]) && std::isfinite(xy[i + 1]))
            ring.insert(ring.end(), {xy[i], xy[i + 1]});
    if (ring.size() < 6) return;
    // Far places are cut to a margin around the surface, where whole pixels
    // hold them exactly enough.
    const double m = 4, w = ps.width() + m, h = ps.height() + m;
    double x1 = ring[0], x2 = ring[0], y1 = ring[1], y2 = ring[1];
    for (size_t i = 0; i < ring.size(); i += 2) {
        x1 = std::min(x1, ring[i]), x2 = std::max(x2, ring[i]);
        y1 = std::min(y1, ring[i + 1]), y2 = std::max(y2, ring[i + 1]);
    }
    if (x2 < -m || y2 < -m || x1 > w || y1 > h) return;
    if (x1 < -m || y1 < -m || x2 > w || y2 > h) {
        cut(ring, other, [&](double x, double) { return x + m; });
        cut(other, ring, [&](double x, double) { return w - x; });
        cut(ring, other, [&](double, double y) { return y + m; });
        cut(other, ring, [&](double, double y) { return h - y; });
        if (ring.size() < 6) return;
    }
    points.clear();
    for (size_t i = 0; i < ring.size(); i += 2) points.add(topixel(ring[i]), topixel(ring[i + 1]));
    ps.fillregion(points, c);
}

int Shape::fillflag(const char* s) {
    if (std::strcmp(s, UnfilledFlag)) return 0;
    Filled = 0;
    return 1;
}

void Shape::writeflags(FlagSink* io, int linetype, int objectclass) const {
    if (!Filled) io->flag(UnfilledFlag);
    writestyle(io, linetype, objectclass);
}

void Shape::shapestate(const Object& o, ObjectState& s, int linetype) const {
    o.drawnstate(s, 0, linetype, Filled);
}

void Shape::setshapestate(Object& o, const ObjectState& s, int& linetype) {
    double none = 0;
    o.setdrawnstate(s, none, linetype, Filled);
}

Region::Region() {
    Class = CRegion;
}

double Region::signedarea() const {
    double a = 0;
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        a += XY[2 * i] * XY[2 * j + 1] - XY[2 * j] * XY[2 * i + 1];
    }
    return a / 2;
}

double Region::area() const {
    return std::fabs(signedarea());
}

double Region::perimeter() const {
    double p = 0;
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        p += std::hypot(XY[2 * j] - XY[2 * i], XY[2 * j + 1] - XY[2 * i + 1]);
    }
    return p;
}

double Region::magnitude() const {
    double m = 0;
    for (double v : XY) m = std::max(m, std::fabs(v));
    return m;
}

int Region::inside(double x, double y) const {
    int winding = 0;
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        double ax = XY[2 * i], ay = XY[2 * i + 1], bx = XY[2 * j], by = XY[2 * j + 1];
        double cross = (bx - ax) * (y - ay) - (x - ax) * (by - ay);
        if (ay <= y && by > y && cross > 0) ++winding;
        if (ay > y && by <= y && cross < 0) --winding;
    }
    return winding != 0;
}

double Region::distance(double x, double y) {
    if (inside(x, y)) return 0;
    double d = 1e10;
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        double ax = XY[2 * i], ay = XY[2 * i + 1], vx = XY[2 * j] - ax, vy = XY[2 * j + 1] - ay;
        double l2 = vx * vx + vy * vy;
        double t = l2 > 0 ? std::clamp(((x - ax) * vx + (y - ay) * vy) / l2, 0.0, 1.0) : 0;
        d = std::min(d, std::hypot(x - ax - t * vx, y - ay - t * vy));
    }
    return d;
}

void Region::drawfill(PS& ps) {
    if (!valid || hidden() || !Filled || XY.size() < 6) return;
    static std::vector<double> pixels;
    pixels.resize(XY.size());
    for (size_t i = 0; i < XY.size(); i += 2) {
        pixels[i] = colf(XY[i], ps);
        pixels[i + 1] = rowf(XY[i + 1], ps);
    }
    fillshape(ps, pixels, fillcolor(ps));
}

void Region::draw(PS& ps) {
    if (!valid || hidden() || XY.size() < 4) return;
    ::Color c = drawcolor(ps);
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        size_t j = (i + 1) % n;
        drawsegment(ps, XY[2 * i], XY[2 * i + 1], XY[2 * j], XY[2 * j + 1], Linetype, c);
    }
    if (showname) {
        double x, y;
        centre(x, y);
        ps.textcolor(c);
        drawlabel(ps, *this, col(x, ps), row(y, ps), col(x, ps), row(y, ps), labelname());
    }
}

void Region::centre(double& x, double& y) const {
    x = y = 0;
    size_t n = XY.size() / 2;
    for (size_t i = 0; i < n; ++i) x += XY[2 * i], y += XY[2 * i + 1];
    x /= static_cast<double>(std::max<size_t>(n, 1));
    y /= static_cast<double>(std::max<size_t>(n, 1));
}

void Region::values(ValueSink& s) const {
    s.points("vertices", XY.data(), vertices());
    s.number("area", area());
    s.number("perimeter", perimeter());
}

int Region::setspecialflag(const char* s) {
    if (!std::strcmp(s, "fixed")) return 0;
    return fillflag(s) || styleflag(s, Linetype, Class);
}

void Region::writespecialflags(FlagSink* io) {
    writeflags(io, Linetype, Class);
}

void Region::getstate(ObjectState& s) const {
    shapestate(*this, s, Linetype);
}

void Region::setstate(const ObjectState& s) {
    setshapestate(*this, s, Linetype);
}

Polygon::Polygon(const std::vector<Pointprim*>& v) : V(v.begin(), v.end()) {
    setname(String(182).text(), polygoncount);
    Io = polygonio;
    update();
}

void Polygon::update() {
    valid = 1;
    XY.resize(V.size() * 2);
    for (size_t i = 0; i < V.size(); ++i) {
        auto* p = static_cast<Pointprim*>(V[i]);
        if (!p->valid) {
            valid = 0;
            return;
        }
        XY[2 * i] = p->x();
        XY[2 * i + 1] = p->y();
    }
}

int Polygon::dep(Object** o) {
    // The vertices, all of them through alldep; the first few here.
    int n = std::min(static_cast<int>(V.size()), static_cast<int>(DepMax));
    std::copy(V.begin(), V.begin() + n, o);
    return n;
}

void Polygon::writeclear(char* s) {
    // As many names as the room takes, then "...".
    std::string names;
    for (size_t i = 0; i < V.size(); ++i) {
        std::string next = (i ? ", " : "") + std::string(V[i]->name());
        if (names.size() + next.size() + 64 > static_cast<size_t>(DescriptionMax)) {
            names += ", ...";
            break;
        }
        names += next;
    }
    std::snprintf(s, DescriptionMax, String(183).text(), names.c_str());
}

RegularPolygon::RegularPolygon(Pointprim* a, Pointprim* b, int n) : A(a), B(b), N(n) {
    setname(String(182).text(), polygoncount);
    Io = regularpolygonio;
    update();
}

void RegularPolygon::update() {
    if (Count) {
        const double n = std::round(Count->value());
        N = n >= MinVertices && n <= MaxVertices ? static_cast<int>(n) : 0;
    }
    XY.resize(static_cast<size_t>(N) * 2);
    valid = A->valid && B->valid;
    double ax = A->x(), ay = A->y(), bx = B->x(), by = B->y();
    double s = std::hypot(bx - ax, by - ay);
    if (!valid || s < EPS || N < MinVertices) {
        valid = 0;
        return;
    }
    // The centre lies left of A -> B, at the inradius from the side's middle;
    // each vertex is A turned about it, so no error adds up along the ring.
    double t = 0.5 / std::tan(M_PI / N);
    double cx = (ax + bx) / 2 - (by - ay) * t, cy = (ay + by) / 2 + (bx - ax) * t;
    for (int k = 0; k < N; ++k) {
        double phi = 2 * M_PI * k / N, c = std::cos(phi), sn = std::sin(phi);
        XY[2 * k] = cx + c * (ax - cx) - sn * (ay - cy);
        XY[2 * k + 1] = cy + sn * (ax - cx) + c * (ay - cy);
    }
    XY[0] = ax, XY[1] = ay, XY[2] = bx, XY[3] = by;
}

int RegularPolygon::dep(Object** o) {
    o[0] = A;
    o[1] = B;
    if (!Count) return 2;
    o[2] = Count;
    return 3;
}

void RegularPolygon::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(184).text(), N, A->name(), B->name());
}

RegularVertex::RegularVertex(RegularPolygon* p, int k) : Pointprim(0, 0), P(p), K(k) {
    setname(String(5).text(), pointcount);
    Io = noio;
    update();
}

void RegularVertex::update() {
    valid = P->valid;
    if (valid) set(P->XY[2 * static_cast<size_t>(K)], P->XY[2 * static_cast<size_t>(K) + 1]);
}

int RegularVertex::dep(Object** o) {
    o[0] = P;
    return 1;
}

void RegularVertex::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(185).text(), K + 1, P->name());
}

RegularPolygon* makeregularpolygon(Pointprim* a, Pointprim* b, Number* count) {
    auto* p = new RegularPolygon(a, b, 0);
    p->Count = count;
    p->update();
    return p;
}

RegularPolygon* makeregularpolygon(Pointprim* a, Pointprim* b, int n) {
    if (n < RegularPolygon::MinVertices || n > RegularPolygon::MaxVertices) return nullptr;
    auto* p = new RegularPolygon(a, b, n);
    for (int k = 2; k < n; ++k) p->Vertices.push_back(new RegularVertex(p, k));
    return p;
}
