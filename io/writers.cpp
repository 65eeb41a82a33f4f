// The writers and readers of every kind of record.
#include "angle.h"
#include "circle.h"
#include "constructed.h"
#include "derived.h"
#include "intersection.h"
#include "io.h"
#include "line.h"
#include "number.h"
#include "objectlist.h"
#include "transform.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

IOList iolist;
Input input;

IO::IO(const char* name) : Name(name) {
    Next = iolist.First;
    iolist.First = this;
}

const char* IO::write(Object* o) {
    S.clear();
    resadd(o);
    reswrite(o);
    S += '=';
    S += Name.text();
    S += '(';
    depwrite(o);
    S += ");\n";
    return S.c_str();
}

const char* IO::writeclear(Object* o) {
    char d[DescriptionMax] = "";
    o->writeclear(d);
    S = d;
    return S.c_str();
}

void IO::comma() {
    if (!S.empty() && S.back() != '(') S += ',';
}

void IO::flag(const char* text) {
    comma();
    S += text;
}

void IO::resadd(Object* o) {
    S += '"';
    S += o->name();
    S += "\"(";
    if (o->ishidden) flag("hidden");
    if (o->color() != 0) flag(("color:" + colorword(o->color())).c_str());
    if (o->showname) flag("showname");
    std::string condition = o->condition();
    if (!condition.empty()) {
        // A condition with a sign that ends a flag, or a long one, goes in
        // quotes.
        condition = "showif:" + condition;
        if (condition.find_first_of(",()=") != std::string::npos ||
            characters(condition.c_str()) > 63)
            condition = '"' + condition + '"';
        flag(condition.c_str());
    }
    // A caption always goes in quotes: it may hold any sign but a quote.
    if (!o->Caption.empty()) flag(("\"caption:" + o->Caption + '"').c_str());
    writeoffset(this, o->LabelDx, o->LabelDy);
    o->writespecialflags(this);
    S += ')';
}

void IO::item(Object* o) {
    comma();
    resadd(o);
}

void IO::depadd(Object* o) {
    comma();
    S += '"';
    S += o->name();
    S += '"';
}

void IO::number(const char* text) {
    comma();
    S += text;
}

std::string quotedtext(const std::string& t) {
    std::string q = "\"";
    for (char c : t) {
        if (c == '"' || c == '\\')
            q += '\\', q += c;
        else if (c == '\n')
            q += "\\n";
        else if (c != '\r')
            q += c;
    }
    return q + '"';
}

void IO::text(const std::string& t) {
    comma();
    S += quotedtext(t);
}

namespace {

std::string chars(double x, std::chars_format f, int precision) {
    char b[400];
    auto r = precision < 0 ? std::to_chars(b, b + sizeof b, x, f)
                           : std::to_chars(b, b + sizeof b, x, f, precision);
    return std::string(b, r.ptr);
}

// The text when it reads back as x, else the shortest text that does.
std::string exact(double x, const std::string& text) {
    double back;
    auto r = std::from_chars(text.data(), text.data() + text.size(), back);
    if (r.ec == std::errc() && back == x) return text;
    return chars(x, std::chars_format::general, -1);
}

} // namespace

std::string fixed15(double x) {
    if (!(std::fabs(x) < 1e15)) return chars(x, std::chars_format::general, -1);
    return exact(x, chars(x, std::chars_format::fixed, 15));
}

std::string general(double x) {
    return exact(x, general6(x));
}

std::string general6(double x) {
    return chars(x, std::chars_format::general, 6);
}

IO* IOList::find(const char* name) const {
    for (IO* io = First; io; io = io->Next)
        if (!std::strcmp(io->Name.text(), name)) return io;
    return nullptr;
}

bool IOList::longrecord(const char* line) const {
    if (!input.read(line)) return false;
    IO* io = find(input.Name.text());
    return io && io->longrecord();
}

int IOList::interpret(const char* line) {
    if (!input.read(line)) return 0;
    IO* io = find(input.Name.text());
    return io ? io->interpret(input) : 0;
}

namespace {

class PointIO : public IO {
  public:
    PointIO() : IO("point") {}
    void depwrite(Object* o) override {
        auto* p = static_cast<Pointprim*>(o);
        number(fixed15(p->x()).c_str());
        number(fixed15(p->y()).c_str());
    }
    int interpret(Input& in) override {
        double x, y;
        if (!in.shape(1, 2) || !in.number(0, x) || !in.number(1, y)) return 0;
        return in.set(new Point(x, y), 0);
    }
};

// The two-point kinds: line, ray, segment, circle and midpoint.
template <class T> class TwoPointIO : public IO {
  public:
    using Maker = Object* (*)(Pointprim*, Pointprim*);
    TwoPointIO(const char* name, Maker make) : IO(name), Make(make) {}
    void depwrite(Object* o) override {
        auto* t = static_cast<T*>(o);
        depadd(t->p1());
        depadd(t->p2());
    }
    int interpret(Input& in) override {
        Pointprim* p[2];
        if (!in.shape(1, 2) || !in.points(p, 2)) return 0;
        return in.set(Make(p[0], p[1]), 0);
    }

  private:
    Maker Make;
};

class IntersectionIO : public IO {
  public:
    IntersectionIO() : IO("intersection") {}
    void reswrite(Object* o) override {
        if (Object* other = static_cast<Intersection*>(o)->other()) item(other);
    }
    void depwrite(Object* o) override {
        auto* i = static_cast<Intersection*>(o);
        depadd(i->first());
        depadd(i->second());
    }
    int interpret(Input& in) override {
        if (in.Right.n() != 2 || (in.Nleft != 1 && in.Nleft != 2)) return 0;
        // A single point crosses straight objects; a pair needs a circle.
        int mask = in.Nleft == 1 ? CStraight : CStraight | CCircle;
        Object* a = in.object(0, mask);
        Object* b = in.object(1, mask);
        if (!a || !b) return 0;
        if (in.Nleft == 2 && !((a->Class | b->Class) & CCircle)) return 0;
        auto* i = new Intersection(a, b);
        int done = in.set(i, 0);
        if (done && in.Nleft == 2) done = in.set(i->other(), 1);
        return done;
    }
};

// The records of a hidden help point and the line or circle made with it:
// the record's flags say whether the help point is hidden.
int named(Input& in, Object* help, Object* made) {
    help->ishidden = 0;
    return in.set(help, 0) && in.set(made, 1);
}

class PointLineIO : public IO {
  public:
    PointLineIO(const char* name, int perpendicular) : IO(name), Perpendicular(perpendicular) {}
    void reswrite(Object* o) override { item(static_cast<Parallel*>(o)->other()); }
    void depwrite(Object* o) override {
        auto* p = static_cast<Parallel*>(o);
        depadd(p->point());
        depadd(p->line());
    }
    int interpret(Input& in) override {
        if (!in.shape(2, 2)) return 0;
        Object* p = in.object(0, CPoint);
        Object* l = in.object(1, CStraight);
        if (!p || !l) return 0;
        DepLine* d =
            makeparallel(static_cast<Pointprim*>(p), static_cast<Lineprim*>(l), Perpendicular);
        return named(in, d->O, d);
    }

  private:
    int Perpendicular;
};

class PointonIO : public IO {
  public:
    PointonIO() : IO("pointon") {}
    void depwrite(Object* o) override {
        auto* p = static_cast<Pointon*>(o);
        depadd(p->object());
        number(general(p->x()).c_str());
        number(general(p->y()).c_str());
    }
    int interpret(Input& in) override {
        double x, y;
        if (!in.shape(1, 3)) return 0;
        Object* o = in.object(0, CStraight | CCircle | CLocus);
        if (!o || !in.number(1, x) || !in.number(2, y)) return 0;
        auto* p = new Pointon(o, x, y);
        // A position that already lies on the object, as the writer wrote
        // it, is kept to the last bit: projecting it again could move it.
        double scale = std::max({1.0, std::fabs(x), std::fabs(y), o->magnitude()});
        if (p->valid && o->distance(x, y) <= 1e-9 * scale) p->set(x, y);
        return in.set(p, 0);
    }
};

class Circle3IO : public IO {
  public:
    Circle3IO() : IO("circle3") {}
    void reswrite(Object* o) override { item(static_cast<Circle3*>(o)->c()); }
    void depwrite(Object* o) override {
        auto* h = static_cast<Circle3*>(o);
        depadd(h->m());
        depadd(h->p1());
        depadd(h->p2());
    }
    int interpret(Input& in) override {
        Pointprim* p[3]; // centre, the two points of the radius
        if (!in.shape(2, 3) || !in.points(p, 3)) return 0;
        Circle3Circle* c = makecircle3(p[0], p[1], p[2]);
        return named(in, c->O, c);
    }
};

class AngleIO : public IO {
  public:
    AngleIO() : IO("angle") {}
    void depwrite(Object* o) override {
        auto* a = static_cast<Angle*>(o);
        depadd(a->p1());
        depadd(a->m());
        depadd(a->p2());
    }
    int interpret(Input& in) override {
        Pointprim* p[3]; // first point, corner, second point
        if (!in.shape(1, 3) || !in.points(p, 3)) return 0;
        return in.set(new Angle(p[0], p[1], p[2]), 0);
    }
};

// The kinds made from two or three points in the order of their record:
// circle through three points, angle bisector, perpendicular bisector.
template <class T, int N> class PointsIO : public IO {
  public:
    PointsIO(const char* name) : IO(name) {}
    void depwrite(Object* o) override {
        for (int i = 0; i < N; ++i) depadd(static_cast<T*>(o)->point(i));
    }
    int interpret(Input& in) override {
        Pointprim* p[N];
        if (!in.shape(1, N) || !in.points(p, N)) return 0;
        if constexpr (N == 2)
            return in.set(new T(p[0], p[1]), 0);
        else
            return in.set(new T(p[0], p[1], p[2]), 0);
    }
};

class TangentsIO : public IO {
  public:
    TangentsIO() : IO("tangents") {}
    void reswrite(Object* o) override { item(static_cast<Tangent*>(o)->other()); }
    void depwrite(Object* o) override {
        auto* t = static_cast<Tangent*>(o);
        depadd(t->point());
        depadd(t->circle());
    }
    int interpret(Input& in) override {
        if (!in.shape(2, 2)) return 0;
        Object* p = in.object(0, CPoint);
        Object* c = in.object(1, CCircle);
        if (!p || !c) return 0;
        auto* t = new Tangent(static_cast<Pointprim*>(p), static_cast<Circle*>(c));
        return in.set(t, 0) && in.set(t->other(), 1);
    }
};

// A polygon: its vertices in their order, 3 to 1,000 of them, none the
// same as the one before it (the last is before the first).
class PolygonIO : public IO {
  public:
    PolygonIO() : IO("polygon") {}
    int longrecord() const override { return 1; }
    void depwrite(Object* o) override {
        for (Object* v : static_cast<Polygon*>(o)->V) depadd(v);
    }
    int interpret(Input& in) override {
        int n = in.Right.n();
        if (in.Nleft != 1 || n < Polygon::MinVertices || n > Polygon::MaxVertices) return 0;
        std::vector<Pointprim*> v(static_cast<size_t>(n));
        if (!in.points(v.data(), n)) return 0;
        for (int i = 0; i < n; ++i)
            if (v[static_cast<size_t>(i)] == v[static_cast<size_t>((i + 1) % n)]) return 0;
        return in.set(new Polygon(v), 0);
    }
};

// A regular polygon: its first two vertices and the number of vertices; its
// new vertices are the record's further items.
class RegularPolygonIO : public IO {
  public:
    RegularPolygonIO() : IO("regularpolygon") {}
    int longrecord() const override { return 1; }
    void reswrite(Object* o) override {
        for (RegularVertex* v : static_cast<RegularPolygon*>(o)->Vertices) item(v);
    }
    void depwrite(Object* o) override {
        auto* p = static_cast<RegularPolygon*>(o);
        depadd(p->a());
        depadd(p->b());
        if (p->Count)
            depadd(p->Count);
        else
            number(std::to_string(p->n()).c_str());
    }
    int interpret(Input& in) override {
        Pointprim* p[2];
        double x;
        if (in.Right.n() != 3 || !in.points(p, 2) || p[0] == p[1]) return 0;
        // A quoted name: the count follows a number object; the polygon
        // makes no vertices of its own.
        if (in.quoted(2)) {
            Object* count = in.object(2, CNumber);
            if (!count || in.Nleft != 1) return 0;
            return in.set(makeregularpolygon(p[0], p[1], static_cast<Number*>(count)), 0);
        }
        if (!in.number(2, x)) return 0;
        if (!(x >= RegularPolygon::MinVertices && x <= RegularPolygon::MaxVertices) ||
            x != std::floor(x))
            return 0;
        int n = static_cast<int>(x);
        if (in.Nleft != n - 1) return 0;
        RegularPolygon* r = makeregularpolygon(p[0], p[1], n);
        if (!r || !in.set(r, 0)) return 0;
        for (int k = 0; k < n - 2; ++k)
            if (!in.set(r->vertex(k), k + 1)) return 0;
        return 1;
    }
};

// A measure of one object.
class MeasureIO : public IO {
  public:
    MeasureIO(const char* name, Measure::Kind kind) : IO(name), Kind(kind) {}
    void depwrite(Object* o) override { depadd(static_cast<Measure*>(o)->O); }
    int interpret(Input& in) override {
        if (!in.shape(1, 1)) return 0;
        Object* o = in.object(0, 0);
        if (!Measure::takes(Kind, o)) return 0;
        return in.set(new Measure(Kind, o), 0);
    }

  private:
    Measure::Kind Kind;
};

// The images: the original, then what gives the map (a mirror; a centre
// and degrees or an angle; a vector or two points; a centre and a factor).
class TransformIO : public IO {
  public:
    TransformIO(const char* name, Transformation::Kind kind) : IO(name), Kind(kind) {}
    void depwrite(Object* o) override {
        const Image* image = imageof(o);
        if (!image) return;
        const Transformation& t = image->map();
        depadd(image->source());
        depadd(t.A);
        if (t.B)
            depadd(t.B);
        else if (t.K == Transformation::Rotation || t.K == Transformation::Dilation)
            number(general(t.Number).c_str());
    }
    int interpret(Input& in) override {
        if (in.Nleft != 1 || in.Right.n() < 2 || in.Right.n() > 3) return 0;
        Object* original = in.object(0, CPoint | CStraight | CCircle | CRegion);
        if (!original) return 0;
        Transformation t(Kind, nullptr, nullptr, 0);
        int three = in.Right.n() == 3;
        switch (Kind) {
        case Transformation::Reflection:
            if (three) return 0;
            t.A = in.object(1, CPoint | CStraight);
            break;
        case Transformation::Rotation:
            if (!three || !(t.A = in.object(1, CPoint))) return 0;
            if (!by(in, CAngle | CNumber, t)) return 0;
            break;
        case Transformation::Translation:
            t.A = in.object(1, three ? CPoint : CVector);
            if (three && !(t.B = in.object(2, CPoint))) return 0;
            break;
        case Transformation::Dilation:
            if (!three || !(t.A = in.object(1, CPoint)) || !by(in, CNumber, t)) return 0;
            break;
        }
        if (!t.A) return 0;
        return in.set(makeimage(original, t), 0);
    }

  private:
    static int finite(Input& in, int i, double& x) { return in.number(i, x) && std::isfinite(x); }
    // The third parameter: an object of a class in mask or a number. A
    // name in quotes is an object before it is a number; a bare word a
    // number before it is an object.
    static int by(Input& in, int mask, Transformation& t) {
        if (in.quoted(2)) t.B = in.object(2, mask);
        if (!t.B && !finite(in, 2, t.Number)) t.B = in.object(2, mask);
        return t.B || finite(in, 2, t.Number);
    }
    Transformation::Kind Kind;
};

Object* line(Pointprim* a, Pointprim* b) {
    return makeline(a, b);
}
template <class T> Object* make(Pointprim* a, Pointprim* b) {
    return new T(a, b);
}

// In the order of the table of writers; each goes to the front of iolist.
IO unimplemented("unimplemented");
NoIO otherintersection;
PointIO points;
TwoPointIO<Lineprim> lines("line", line);
TwoPointIO<Lineprim> rays("ray", make<Ray>);
TwoPointIO<Lineprim> segments("segment", make<Segment>);
TwoPointIO<Circle> circles("circle", make<Circle>);
TwoPointIO<Middle> middles("middle", make<Middle>);
IntersectionIO intersections;
PointLineIO parallels("parallel", 0);
PointLineIO rectangulars("rectangular", 1);
PointonIO pointons;
Circle3IO circle3s;
AngleIO angles;
PointsIO<CircleThrough, 3> circlethroughs("circlethrough");
PointsIO<Bisector, 3> bisectors("bisector");
PointsIO<Midperpendicular, 2> midperpendiculars("midperpendicular");
TangentsIO tangentses;
TwoPointIO<Lineprim> vectors("vector", make<Vector>);
TransformIO reflections("reflect", Transformation::Reflection);
TransformIO rotations("rotate", Transformation::Rotation);
TransformIO translations("translate", Transformation::Translation);
TransformIO dilations("dilate", Transformation::Dilation);
PolygonIO polygons;
RegularPolygonIO regularpolygons;
PointsIO<Arc3, 3> arc3s("arc3");
PointsIO<CenterArc, 3> arcs("arc");
PointsIO<Semicircle, 2> semicircles("semicircle");
PointsIO<CenterSector, 3> sectors("sector");
PointsIO<Sector3, 3> sector3s("sector3");
PointsIO<Distance, 2> distances("distance");
MeasureIO lengths("length", Measure::Length), radii("radius", Measure::Radius),
    anglesizes("anglesize", Measure::AngleSize), areas("area", Measure::Area),
    perimeters("perimeter", Measure::Perimeter), slopes("slope", Measure::Slope);

// The model's objects find their writers through these.
struct Install {
    Install() {
        defaultio = &unimplemented;
        noio = &otherintersection;
        pointio = &points;
        lineio = &lines;
        rayio = &rays;
        segmentio = &segments;
        circleio = &circles;
        middleio = &middles;
        intersectionio = &intersections;
        parallelio = &parallels;
        rectangulario = &rectangulars;
        pointonio = &pointons;
        circle3io = &circle3s;
        angleio = &angles;
        circlethroughio = &circlethroughs;
        bisectorio = &bisectors;
        midperpendiculario = &midperpendiculars;
        tangentsio = &tangentses;
        vectorio = &vectors;
        reflectio = &reflections;
        rotateio = &rotations;
        translateio = &translations;
        dilateio = &dilations;
        polygonio = &polygons;
        regularpolygonio = &regularpolygons;
        arc3io = &arc3s;
        arcio = &arcs;
        semicircleio = &semicircles;
        sectorio = &sectors;
        sector3io = &sector3s;
        distanceio = &distances;
        lengthio = &lengths;
        radiusio = &radii;
        anglesizeio = &anglesizes;
        areaio = &areas;
        perimeterio = &perimeters;
        slopeio = &slopes;
        installnumberrecords();
    }
} install;

} // namespace
