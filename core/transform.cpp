#include "transform.h"
#include "angle.h"
#include "edit.h"
#include "number.h"
#include "objectlist.h"

#include <cmath>
#include <cstdio>
#include <string>

int Transformation::takes(Kind k, Object* a, Object* b) {
    if (!a) return 0;
    switch (k) {
    case Reflection:
        return !b && (a->Class & (CPoint | CStraight));
    case Rotation:
        return (a->Class & CPoint) && (!b || (b->Class & (CAngle | CNumber)));
    case Translation:
        return b ? (a->Class & CPoint) && (b->Class & CPoint) : (a->Class & CVector) != 0;
    case Dilation:
        return (a->Class & CPoint) && (!b || (b->Class & CNumber));
    }
    return 0;
}

namespace {

// Cosine and sine of an angle in degrees, exact for the quarter turns.
void turn(double degrees, double& c, double& s) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360;
    if (d == 0 || d == 90 || d == 180 || d == 270) {
        int q = static_cast<int>(d) / 90;
        static const double cs[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        c = cs[q][0];
        s = cs[q][1];
        return;
    }
    double r = d * (M_PI / 180);
    c = std::cos(r);
    s = std::sin(r);
}

} // namespace

int Transformation::compute() {
    // A vector without length is invalid but still moves by nothing.
    int vector = K == Translation && !B;
    if ((!A->valid && !vector) || (B && !B->valid)) return 0;
    Cx = Cy = Tx = Ty = 0;
    M[0] = M[3] = 1;
    M[1] = M[2] = 0;
    switch (K) {
    case Reflection:
        if (A->Class & CPoint) {
            auto* p = static_cast<Pointprim*>(A);
            Cx = p->x();
            Cy = p->y();
            M[0] = M[3] = -1;
        } else {
            // From the line's own two points rather than its unit direction:
            // a mirror through lattice points reflects lattice points exactly.
            auto* l = static_cast<Lineprim*>(A);
            double dx = l->x1() - l->x(), dy = l->y1() - l->y(), n = dx * dx + dy * dy;
            if (!(n > 0)) {
                dx = l->vx();
                dy = l->vy();
                n = 1;
            }
            Cx = l->x();
            Cy = l->y();
            M[0] = (dx * dx - dy * dy) / n;
            M[1] = M[2] = 2 * dx * dy / n;
            M[3] = -M[0];
        }
        break;
    case Rotation: {
        auto* p = static_cast<Pointprim*>(A);
        Cx = p->x();
        Cy = p->y();
        double degrees = !B                     ? Number
                         : (B->Class & CNumber) ? static_cast<::Number*>(B)->value()
                                                : static_cast<Angle*>(B)->size();
        if (!std::isfinite(degrees)) return 0;
        if (degrees != Degrees) {
            turn(degrees, Cos, Sin);
            Degrees = degrees;
        }
        M[0] = M[3] = Cos;
        M[1] = -Sin;
        M[2] = Sin;
        break;
    }
    case Translation:
        if (B) {
            auto* p = static_cast<Pointprim*>(A);
            auto* q = static_cast<Pointprim*>(B);
            Tx = q->x() - p->x();
            Ty = q->y() - p->y();
        } else {
            auto* v = static_cast<Lineprim*>(A);
            if (v->valid) {
                Tx = v->x1() - v->x();
                Ty = v->y1() - v->y();
            } else if (!v->p1()->valid || !v->p2()->valid) {
                return 0;
            } // else its points coincide: it moves by nothing
        }
        break;
    case Dilation: {
        auto* p = static_cast<Pointprim*>(A);
        double factor = B ? static_cast<::Number*>(B)->value() : Number;
        if (!std::isfinite(factor)) return 0;
        Cx = p->x();
        Cy = p->y();
        M[0] = M[3] = factor;
        break;
    }
    }
    return 1;
}

void Transformation::apply(double& x, double& y) const {
    double dx = x - Cx, dy = y - Cy;
    x = Cx + M[0] * dx + M[1] * dy + Tx;
    y = Cy + M[2] * dx + M[3] * dy + Ty;
}

int Transformation::dep(Object** o) const {
    o[0] = A;
    if (!B) return 1;
    o[1] = B;
    return 2;
}

void Transformation::describe(char* s, const char* original) const {
    char number[64];
    std::snprintf(number, sizeof number, "%g", Number);
    switch (K) {
    case Reflection:
        std::snprintf(s, DescriptionMax, String(142).text(), original, A->name());
        break;
    case Rotation:
        std::snprintf(s, DescriptionMax, String(B && (B->Class & CAngle) ? 144 : 143).text(),
                      original, A->name(), B ? B->name() : number);
        break;
    case Translation:
        if (B)
            std::snprintf(s, DescriptionMax, String(146).text(), original, A->name(), B->name());
        else
            std::snprintf(s, DescriptionMax, String(145).text(), original, A->name());
        break;
    case Dilation:
        std::snprintf(s, DescriptionMax, String(147).text(), original, A->name(),
                      B ? B->name() : number);
        break;
    }
}

IO* Transformation::io() const {
    IO* const writers[4] = {reflectio, rotateio, translateio, dilateio};
    return writers[K];
}

int Image::imagedep(Object** o) const {
    o[0] = Source;
    return 1 + Map.dep(o + 1);
}

PointImage::PointImage(Pointprim* p, const Transformation& t) : Pointprim(0, 0), Image(p, t) {
    Io = Map.io();
    update();
}

void PointImage::update() {
    valid = 0;
    if (!Source->valid || !Map.compute()) return;
    auto* p = static_cast<Pointprim*>(Source);
    double x = p->x(), y = p->y();
    Map.apply(x, y);
    set(x, y);
    valid = 1;
}

RegionImage::RegionImage(Region* r, const Transformation& t) : Image(r, t) {
    Io = Map.io();
    update();
}

void RegionImage::update() {
    valid = 0;
    if (!Source->valid || !Map.compute()) return;
    XY = static_cast<Region*>(Source)->places();
    for (size_t i = 0; i + 1 < XY.size(); i += 2) Map.apply(XY[i], XY[i + 1]);
    valid = 1;
}

namespace {

Object* make(Object* o, const Transformation& t) {
    if (o->Class & CPoint) return new PointImage(static_cast<Pointprim*>(o), t);
    if (auto* s = dynamic_cast<Sector*>(o)) return new ShapeImage<Sector>(s, t);
    if (auto* r = dynamic_cast<Region*>(o)) return new RegionImage(r, t);
    if (o->Class & CArc) return new ShapeImage<Arc>(o, t);
    if (o->Class & CCircle) return new ShapeImage<Circle>(o, t);
    if (o->Class & CVector) return new ShapeImage<Vector>(o, t);
    if (o->Class & CSegment) return new ShapeImage<Segment>(o, t);
    if (dynamic_cast<Ray*>(o)) return new ShapeImage<Ray>(o, t);
    if (o->Class & CStraight) return new ShapeImage<Line>(o, t);
    return nullptr;
}

} // namespace

Object* makeimage(Object* o, const Transformation& t) {
    if (!o || !Transformation::takes(t.K, t.A, t.B)) return nullptr;
    Object* image = make(o, t);
    if (!image) return nullptr;
    std::string primed = std::string(o->name()) + "'";
    if (characters(primed.c_str()) <= MaxName && !objects.exists(primed.c_str()))
        image->setname(primed.c_str());
    else
        image->setname(String(141).text(), imagecount);
    return image;
}

const Image* imageof(Object* o) {
    return dynamic_cast<const Image*>(o);
}
