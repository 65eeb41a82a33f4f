// Maps of the plane and the images they make: reflections, rotations,
// translations and dilations of points, lines, rays, segments, vectors,
// circles, arcs, sectors and polygons. Every image has the kind of its original, so whatever takes
// a point, a straight object or a circle takes an image too.
#pragma once

#include "arc.h"
#include "circle.h"
#include "line.h"
#include "placed.h"
#include "region.h"

#include <type_traits>
#include <utility>

// A map of the plane given by objects of the construction: the reflection
// in a straight object or a point, the rotation about a point by a number of
// degrees or by an angle's size, the translation by the vector between two
// points or by a vector, the dilation from a point by a factor.
class Transformation {
  public:
    enum Kind { Reflection, Rotation, Translation, Dilation };
    Transformation(Kind k, Object* a, Object* b, double number)
        : K(k), A(a), B(b), Number(number) {}

    // Whether objects a and b (b may be null) can give a map of kind k:
    // a mirror that is straight or a point; a centre that is a point, with
    // an angle or none; two points or a vector.
    static int takes(Kind k, Object* a, Object* b);

    // Computes the map from the present position of its objects; 0 when
    // one of them is invalid.
    int compute();
    // The image of (x, y) under the map computed last.
    void apply(double& x, double& y) const;
    // Whether the map turns the plane over (a reflection in a line), so
    // that what ran counterclockwise runs clockwise.
    int reverses() const { return K == Reflection && A && (A->Class & CStraight); }
    // The objects the map is given by: one or two.
    int dep(Object** o) const;
    // The description of an image of the object named original.
    void describe(char* s, const char* original) const;
    // The writer of images under maps of this kind.
    IO* io() const;

    Kind K;
    Object* A;     // the mirror, the centre, the vector or its start point
    Object* B;     // the angle or the end point of the vector; else null
    double Number; // the degrees or the factor when there is no angle

  private:
    // p -> C + M (p - C) + T
    double Cx = 0, Cy = 0, M[4] = {1, 0, 0, 1}, Tx = 0, Ty = 0;
    // The cosine and sine of the degrees turned last, kept while they stay.
    double Degrees = 0, Cos = 1, Sin = 0;
};

// What every image has: its original and its map.
class Image {
  public:
    Image(Object* o, const Transformation& t) : Source(o), Map(t) {}
    virtual ~Image() = default;
    Object* source() const { return Source; }
    const Transformation& map() const { return Map; }

  protected:
    // The original, then the objects of the map.
    int imagedep(Object** o) const;
    Object* Source;
    Transformation Map;
};

class PointImage : public Pointprim, public Image {
  public:
    PointImage(Pointprim* p, const Transformation& t);
    void update() override;
    int dep(Object** o) override { return imagedep(o); }
    void writeclear(char* s) override { Map.describe(s, Source->name()); }
};

// The image of a line, ray, segment, vector, circle, arc or sector: the
// images of the original's places (two points of a line; the centre and a
// point of a circle; the centre, start and end of an arc) are its places.
// A map that turns the plane over swaps an arc's start and end, so that the
// image still runs counterclockwise.
template <class Base> class ShapeImage : public Placed<Base>, public Image {
  public:
    ShapeImage(Object* o, const Transformation& t) : Image(o, t) {
        this->Io = Map.io();
        update();
    }
    void update() override { Placed<Base>::update(); }
    int dep(Object** o) override { return imagedep(o); }
    void writeclear(char* s) override { Map.describe(s, Source->name()); }

  protected:
    int place(double* p) override {
        constexpr bool arc = std::is_base_of_v<Arc, Base>;
        using Kind = std::conditional_t<
            arc, Arc, std::conditional_t<std::is_base_of_v<Circle, Base>, Circle, Lineprim>>;
        if (!Source->valid || !Map.compute()) return 0;
        int n = static_cast<const Kind*>(Source)->places(p);
        for (int i = 0; i < n; ++i) Map.apply(p[2 * i], p[2 * i + 1]);
        if (arc && Map.reverses()) {
            std::swap(p[2], p[4]);
            std::swap(p[3], p[5]);
        }
        return 1;
    }
};

// The image of a polygon: the images of its vertices' places.
class RegionImage : public Region, public Image {
  public:
    RegionImage(Region* r, const Transformation& t);
    void update() override;
    int dep(Object** o) override { return imagedep(o); }
    void writeclear(char* s) override { Map.describe(s, Source->name()); }
};

// The image of o under t, of o's kind, named after o with a prime ("A'")
// when that name is free; null when o is nothing a map can take.
Object* makeimage(Object* o, const Transformation& t);
// The image side of o, when o is an image.
const Image* imageof(Object* o);
