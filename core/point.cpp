#include "point.h"
#include "objectlist.h"
#include "view.h"

#include <cmath>
#include <cstring>
#include <string>

void Track::add(double* x, double* y) {
    if (Count >= Max) return;
    X[Count] = *x;
    Y[Count] = *y;
    ++Count;
}

void Track::draw(PS& ps) {
    if (Count < 2) return;
    ps.move(col(X[0], ps), row(Y[0], ps));
    ps.color(C);
    for (int i = 1; i < Count; ++i) ps.lineto(col(X[i], ps), row(Y[i], ps));
}

Pointprim::Pointprim(double x, double y) : X(x), Y(y) {
    Class = CPoint;
    Io = pointio;
}

Pointprim::Pointprim(double x, double y, Unlisted) : Object(Unlisted{}), X(x), Y(y) {
    Class = CPoint;
}

Standin& Standin::nowhere() {
    static Standin* s = new Standin;
    return *s;
}

Pointprim::~Pointprim() {
    delete T;
}

void Pointprim::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    ps.color(c);
    int cx = col(X, ps), cy = row(Y, ps);
    if (ps.modern()) ps.claim(cx - 5, cy - 5, cx + 6, cy + 6);
    if (ps.modern() && Symbol != 1) {
        // What can be dragged is a dot of its colour; what follows from
        // other objects is a smaller, lighter one.
        if (Class & CMovable)
            ps.dot(cx, cy, 4.5, c, mix(c, ::Color(0, 0, 0), 0.35));
        else
            ps.dot(cx, cy, 3.5, mix(c, ::Color(255, 255, 255), 0.45), c);
    } else {
        ps.mark(cx, cy, Symbol);
    }
    if (T && !Trackpoint) {
        T->draw(ps);
        ps.color(c);
    }
    if (showname) {
        ps.textcolor(c);
        int left, bottom;
        if (ps.modern())
            choose(ps, left, bottom);
        else
            labelplace(ps, left, bottom);
        drawtext1(ps, left, bottom, Name.text());
    }
}

namespace {

// The places of a modern name around its point, w x h pixels: upper right,
// upper left, lower right, lower left, right, left; left and bottom edge
// from the point's pixel.
void around(int place, int w, int h, int& left, int& bottom) {
    const int lefts[6] = {6, -6 - w, 6, -6 - w, 8, -8 - w};
    const int bottoms[6] = {-3, -3, 4 + h, 4 + h, h / 2, h / 2};
    left = lefts[place];
    bottom = bottoms[place];
}

} // namespace

void Pointprim::labelplace(PS& ps, int& left, int& bottom) const {
    const int cx = col(X, ps), cy = row(Y, ps);
    if (ps.modern()) {
        int w = 0, h = 0;
        ps.textextent(Name.text(), w, h);
        around(LabelDx == 0 && LabelDy == 0 ? Place : 0, w, h, left, bottom);
        left += cx;
        bottom += cy;
    } else {
        left = cx + ps.width() / 100;
        bottom = cy;
    }
    left += static_cast<int>(std::lround(LabelDx));
    bottom += static_cast<int>(std::lround(LabelDy));
}

void Pointprim::choose(PS& ps, int& left, int& bottom) {
    const int cx = col(X, ps), cy = row(Y, ps);
    int w = 0, h = 0;
    ps.textextent(Name.text(), w, h);
    Place = 0;
    if (LabelDx == 0 && LabelDy == 0)
        for (int place = 0; place < 6; ++place) {
            around(place, w, h, left, bottom);
            if (!ps.claimed(cx + left, cy + bottom - h, cx + left + w, cy + bottom)) {
                Place = place;
                break;
            }
        }
    around(Place, w, h, left, bottom);
    left += cx + static_cast<int>(std::lround(LabelDx));
    bottom += cy + static_cast<int>(std::lround(LabelDy));
    ps.claim(left, bottom - h, left + w, bottom);
}

bool Pointprim::onlabel(double x, double y, PS& ps) {
    if (!showname || !valid || hidden()) return false;
    int left, bottom, w = 0, h = 0;
    labelplace(ps, left, bottom);
    ps.textextent(Name.text(), w, h);
    const double c = colf(x, ps), r = rowf(y, ps);
    return c >= left - 2 && c <= left + w + 2 && r >= bottom - h - 2 && r <= bottom + 2;
}

void Pointprim::grab(double x, double y) {
    Held.take(x, y, LabelDx, LabelDy);
}

void Pointprim::dragto(double x, double y) {
    // Whole pixels, as the name is drawn.
    Held.follow(x, y, LabelDx, LabelDy, true);
    LabelDx = std::round(LabelDx);
    LabelDy = std::round(LabelDy);
}

double Pointprim::distance(double x, double y) {
    return std::hypot(x - X, y - Y);
}

void Pointprim::writeclear(char* s) {
    std::strcpy(s, String(119).text());
}

const char* symbolword(int symbol) {
    switch (symbol) {
    case 1:
        return "cross";
    case 10:
        return "point";
    case 11:
        return "circle";
    default:
        return "square";
    }
}

void Pointprim::writespecialflags(FlagSink* io) {
    writeoffset(io, LabelDx, LabelDy);
    if (Symbol != 5) io->flag((std::string("symbol:") + symbolword(Symbol)).c_str());
    if ((Class & CBasic) && !(Class & CMovable)) io->flag("fixed");
}

int Pointprim::setspecialflag(const char* s) {
    if (offsetflag(s, LabelDx, LabelDy)) return 1;
    // A fixed point cannot be dragged; only basic points have that choice.
    if (!std::strcmp(s, "fixed")) {
        if (!(Class & CBasic)) return 0;
        Class &= ~CMovable;
        return 1;
    }
    static const char prefix[] = "symbol:";
    if (std::strncmp(s, prefix, sizeof prefix - 1) != 0) return 0;
    const char* w = s + sizeof prefix - 1;
    for (int symbol : {5, 11, 10, 1})
        if (std::strcmp(w, symbolword(symbol)) == 0) {
            Symbol = symbol;
            return 1;
        }
    return 0;
}

void Pointprim::deletetrack() {
    delete T;
    T = nullptr;
    highlight.unfix();
    highlight.clear();
}

void Pointprim::starttrack() {
    if (T)
        T->start();
    else
        T = new Track;
    T->add(&X, &Y);
}

void Pointprim::updatetrack() {
    if (T) T->add(&X, &Y);
}

void Pointprim::resettrack() {
    if (!T) return;
    deletetrack();
    T = new Track;
    T->add(&X, &Y);
    if (!Trackpoint) {
        highlight.set();
        highlight.fix();
    }
}

void Pointprim::computetracks() {
    if (!T) return;
    int n = T->count();
    if (n == 0) return;
    // The driver's own track is replayed, not extended.
    Track path = *T;
    set(path.x(0), path.y(0));
    objects.update();
    objects.resettracks();
    for (int i = 1; i < n; ++i) {
        set(path.x(i), path.y(i));
        objects.update();
        objects.updatetracks();
    }
}

Point::Point(double x, double y) : Pointprim(x, y) {
    Class |= CBasic | CMovable;
    setname(String(5).text(), pointcount);
}

void Pointprim::getstate(ObjectState& s) const {
    Object::getstate(s);
    s.V[0] = X;
    s.V[1] = Y;
    s.I[0] = Symbol;
    s.V[6] = LabelDx;
    s.V[7] = LabelDy;
}

void Pointprim::setstate(const ObjectState& s) {
    Object::setstate(s);
    X = s.V[0];
    Y = s.V[1];
    Symbol = s.I[0];
    LabelDx = s.V[6];
    LabelDy = s.V[7];
}

void Pointprim::values(ValueSink& s) const {
    s.number("x", X);
    s.number("y", Y);
}
