// Regions: polygons of vertices of the construction, regular polygons on a
// side, and what every filled shape shares (area, perimeter, the fill).
#pragma once

#include "point.h"

#include <vector>

// A filled shape: a region knows its area and the length around it, and
// whether its inside is drawn.
class Shape {
  public:
    virtual ~Shape() = default;
    // The area, positive whichever way the outline runs.
    virtual double area() const = 0;
    virtual double perimeter() const = 0;
    Flag Filled{1};

  protected:
    // The fill's file flag: 1 when s is "unfilled", which takes the fill away.
    int fillflag(const char* s);
    // The flags of a shape: "unfilled" when it is, then its line type's.
    void writeflags(FlagSink* io, int linetype, int objectclass) const;
    // The state of o as a shape: its own, its line type and the fill.
    void shapestate(const Object& o, ObjectState& s, int linetype) const;
    void setshapestate(Object& o, const ObjectState& s, int& linetype);
};

// The file flag of a shape drawn without its inside: "unfilled".
extern const char* const UnfilledFlag;

// Fills the ring of pixel places xy (x, y pairs; NaN pairs are left out)
// in the light shade of colour c, cut to the surface first.
void fillshape(PS& ps, const std::vector<double>& xy, Color c);

// A polygon's region: the ring of its vertices' places, filled in the light
// shade of its colour and outlined. Self-crossing rings are drawn and
// measured as they stand (the area by the shoelace formula).
class Region : public Object, public Shape {
  public:
    Region();

    void draw(PS& ps) override;
    void drawfill(PS& ps) override;
    double distance(double x, double y) override;
    void values(ValueSink& s) const override;
    int setspecialflag(const char* s) override;
    void writespecialflags(FlagSink* io) override;
    void getstate(ObjectState& s) const override;
    void setstate(const ObjectState& s) override;
    void edit() override;
    double magnitude() const override;
    double area() const override;
    double perimeter() const override;
    // The area, negative when the vertices run clockwise.
    double signedarea() const;
    // Whether (x, y) lies inside (nonzero winding, as the fill).
    int inside(double x, double y) const;
    // The mean of the vertices' places, where labels of the region stand.
    void centre(double& x, double& y) const;

    int vertices() const { return static_cast<int>(XY.size() / 2); }
    const std::vector<double>& places() const { return XY; }

    std::vector<double> XY; // the vertices' places, x, y one after the other
    int Linetype = 0;
};

// The polygon of 3 to 1,000 vertices of the construction, in their order.
class Polygon : public Region {
  public:
    enum { MinVertices = 3, MaxVertices = 1000 };
    explicit Polygon(const std::vector<Pointprim*>& v);
    void update() override;
    int dep(Object** o) override;
    const std::vector<Object*>* alldep() const override { return &V; }
    void writeclear(char* s) override;
    Pointprim* vertex(int i) const { return static_cast<Pointprim*>(V[static_cast<size_t>(i)]); }
    std::vector<Object*> V;
};

class RegularVertex;
class Number;

// The regular polygon of N vertices on the side AB, counterclockwise: A and
// B are its first vertices, the others are its points made with it.
class RegularPolygon : public Region {
  public:
    enum { MinVertices = 3, MaxVertices = 100 };
    RegularPolygon(Pointprim* a, Pointprim* b, int n);
    void update() override;
    int dep(Object** o) override;
    void writeclear(char* s) override;
    Pointprim* a() const { return A; }
    Pointprim* b() const { return B; }
    int n() const { return N; }
    RegularVertex* vertex(int i) const { return Vertices[static_cast<size_t>(i)]; }

    Pointprim* A;
    Pointprim* B;
    int N;
    std::vector<RegularVertex*> Vertices; // the vertices after A and B
    // The number object the vertex count follows (rounded; none outside 3
    // to 100); null for a fixed count. Such a polygon makes no vertices of
    // its own.
    Number* Count = nullptr;
};

// A vertex of a regular polygon after its first two, written with its
// polygon's record.
class RegularVertex : public Pointprim {
  public:
    RegularVertex(RegularPolygon* p, int k);
    void update() override;
    int dep(Object** o) override;
    Object* original() override { return P; }
    void writeclear(char* s) override;
    RegularPolygon* P;
    int K; // its place in the polygon's ring
};

// Makes a regular polygon as the tools and files do: the polygon, then its
// N - 2 new vertices; null when n is out of range.
RegularPolygon* makeregularpolygon(Pointprim* a, Pointprim* b, int n);
// A regular polygon whose vertex count is the value of a number object.
RegularPolygon* makeregularpolygon(Pointprim* a, Pointprim* b, Number* count);
