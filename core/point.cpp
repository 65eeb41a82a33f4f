#include "point.h"
#include "label.h"
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

void Pointprim::claimdot(PS& ps) const {
    if (!valid || hidden()) return;
    const int cx = col(X, ps), cy = row(Y, ps);
    ps.claim(cx - 5, cy - 5, cx + 6, cy + 6);
}

void Pointprim::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    ps.color(c);
    int cx = col(X, ps), cy = row(Y, ps);
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
        int w, h;
        textsize(ps, labelname(), w, h);
        // The modern name takes the first free place of six around its
        // point: upper right, upper left, lower right, lower left, right,
        // left.
        Spot spots[6] = {{cx + ps.width() / 100, cy - h}};
        int n = 1;
        if (ps.modern()) {
            const int lefts[6] = {6, -6 - w, 6, -6 - w, 8, -8 - w};
            const int tops[6] = {-3 - h, -3 - h, 4, 4, h / 2 - h, h / 2 - h};
            for (n = 0; n < 6; ++n) spots[n] = {cx + lefts[n], cy + tops[n]};
        }
        int left, top;
        placelabel(ps, *this, w, h, spots, n, left, top);
        drawtext1(ps, left, top + h, labelname());
    }
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
    if (Symbol != 5) io->flag((std::string("symbol:") + symbolword(Symbol)).c_str());
    if ((Class & CBasic) && !(Class & CMovable)) io->flag("fixed");
}

int Pointprim::setspecialflag(const char* s) {
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
}

void Pointprim::setstate(const ObjectState& s) {
    Object::setstate(s);
    X = s.V[0];
    Y = s.V[1];
    Symbol = s.I[0];
}

void Pointprim::values(ValueSink& s) const {
    s.number("x", X);
    s.number("y", Y);
}
