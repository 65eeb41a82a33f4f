// The realistic construction of the benchmarks: cells of every kind of
// object, spread over the view, their parents looked up by name as a file
// reader does.
#pragma once

#include "angle.h"
#include "circle.h"
#include "constructed.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"
#include "transform.h"

#include <string>

namespace {

const int PerCell = 26; // objects made by one cell

inline Pointprim* named(const std::string& n, int flags) {
    return static_cast<Pointprim*>(objects.find(n.c_str(), flags, nullptr));
}

// One cell of the construction, its parents looked up by name like a file
// reader would. The cells are spread over the view.
inline void cell(int i) {
    double x = -6.5 + (i * 7 % 131) / 10.0, y = -6.5 + (i * 13 % 127) / 10.0;
    std::string a = "A" + std::to_string(i), b = "B" + std::to_string(i),
                c = "C" + std::to_string(i);
    (new Point(x, y))->setname(a.c_str());
    (new Point(x + 0.4, y + 0.1))->setname(b.c_str());
    (new Point(x + 0.1, y + 0.5))->setname(c.c_str());
    Pointprim* A = named(a, CPoint);
    Pointprim* B = named(b, CPoint);
    Pointprim* C = named(c, CPoint);
    Segment* ab = new Segment(A, B);
    Line* bc = new Line(B, C);
    bc->setname(String(7).text(), linecount);
    new Ray(C, A);
    Circle* k = new Circle(A, B);
    new Intersection(bc, k);
    Middle* m = new Middle(A, B);
    makeparallel(C, static_cast<Lineprim*>(objects.find(ab->name(), CStraight, nullptr)), 0);
    makeparallel(m, ab, 1);
    new Pointon(k, x + 1, y);
    new Angle(A, B, C);
    // The constructions and maps beyond the first tools.
    new CircleThrough(A, B, C);
    new Bisector(A, B, C);
    new Midperpendicular(A, C);
    new Tangent(C, k);
    Vector* v = new Vector(B, C);
    using T = Transformation;
    makeimage(C, T(T::Reflection, ab, nullptr, 0));
    makeimage(k, T(T::Rotation, A, nullptr, 60));
    makeimage(ab, T(T::Translation, v, nullptr, 0));
    makeimage(m, T(T::Dilation, A, nullptr, 2));
}

inline void build(int n) {
    objects.clear();
    counts.reset();
    for (int i = 0; i < n / PerCell; ++i) cell(i);
}

} // namespace
