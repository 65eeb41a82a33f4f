#include "text.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

Text::Text(const std::string& text, double x, double y, Pointprim* at)
    : At(at), X(x), Y(y), Source(text) {
    Class = CText;
    setname(String(229).text(), textcount);
    Io = textio;
    split();
    update();
}

void Text::split() {
    Pieces.clear();
    Parents.clear();
    if (At) Parents.push_back(At);
    Object* before = Order ? this : nullptr;
    std::string plain;
    auto flush = [&] {
        if (!plain.empty()) Pieces.push_back({std::move(plain), nullptr});
        plain.clear();
    };
    std::size_t p = 0;
    while (p < Source.size()) {
        if (Source[p] == '{') {
            // A name is at most 63 characters of up to four bytes.
            std::size_t close = Source.find('}', p + 1);
            if (close != std::string::npos && close - p <= 256) {
                std::string name = Source.substr(p + 1, close - p - 1);
                if (Object* n = objects.find(name.c_str(), CNumber, before)) {
                    flush();
                    Pieces.push_back({std::string(), n});
                    if (std::find(Parents.begin(), Parents.end(), n) == Parents.end())
                        Parents.push_back(n);
                    p = close + 1;
                    continue;
                }
            }
        }
        plain += Source[p++];
    }
    flush();
}

void Text::change(const std::string& text) {
    Source = text;
    split();
    update();
}

std::string Text::source() const {
    std::string s;
    for (const Piece& p : Pieces)
        s += p.Number ? "{" + std::string(p.Number->name()) + "}" : p.Text;
    return s;
}

std::string Text::shown() const {
    std::string s;
    for (const Piece& p : Pieces) s += p.Number ? static_cast<Number*>(p.Number)->shown() : p.Text;
    return s;
}

void Text::update() {
    valid = !At || At->valid;
}

namespace {

// The lines of a text.
std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> l(1);
    for (char c : s) {
        if (c == '\n')
            l.emplace_back();
        else
            l.back() += c;
    }
    return l;
}

} // namespace

void Text::draw(PS& ps) {
    if (hidden()) return;
    int c, r;
    if (At) {
        c = col(At->x(), ps) + static_cast<int>(std::lround(X));
        r = row(At->y(), ps) + static_cast<int>(std::lround(Y));
    } else {
        c = col(X, ps);
        r = row(Y, ps);
    }
    ps.textcolor(drawcolor(ps));
    // The place is the top left corner: each line stands on its foot.
    const int h = ps.textheight() + 2;
    for (const std::string& line : lines(shown())) {
        r += h;
        drawtext1(ps, c, r, line.c_str());
    }
}

void Text::box(double& left, double& top, double& right, double& bottom) const {
    const double p = view().Pixel;
    if (At) {
        left = At->x() + X * p;
        top = At->y() - Y * p;
    } else {
        left = X;
        top = Y;
    }
    int widest = 1, n = 0;
    for (const std::string& line : lines(shown())) {
        widest = std::max(widest, characters(line.c_str()));
        ++n;
    }
    right = left + 8.0 * widest * p;
    bottom = top - 16.0 * n * p;
}

double Text::distance(double x, double y) {
    double left, top, right, bottom;
    box(left, top, right, bottom);
    double dx = x < left ? left - x : std::max(0.0, x - right);
    double dy = y < bottom ? bottom - y : std::max(0.0, y - top);
    return std::hypot(dx, dy);
}

void Text::writeclear(char* s) {
    std::string t = shown();
    std::replace(t.begin(), t.end(), '\n', ' ');
    if (characters(t.c_str()) > 40) t = t.substr(0, characterbytes(t.c_str(), 40)) + "...";
    std::snprintf(s, DescriptionMax, String(230).text(), t.c_str());
}

void Text::values(ValueSink& s) const {
    s.text("text", shown());
}

void Text::getstate(ObjectState& s) const {
    Object::getstate(s);
    s.V[0] = X;
    s.V[1] = Y;
    s.T = source();
}

void Text::setstate(const ObjectState& s) {
    Object::setstate(s);
    X = s.V[0];
    Y = s.V[1];
    if (s.T != source()) change(s.T);
}

void Text::writespecialflags(FlagSink* io) {
    if (At) writeoffset(io, X, Y);
}

int Text::setspecialflag(const char* s) {
    return At && offsetflag(s, X, Y);
}

void Text::grab(double x, double y) {
    Held.take(x, y, X, Y);
}

void Text::dragto(double x, double y) {
    Held.follow(x, y, X, Y, At != nullptr);
}
