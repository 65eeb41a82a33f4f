#include "angle.h"
#include "label.h"
#include "objectlist.h"
#include "region.h"
#include "view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

Angle::Angle(Pointprim* p1, Pointprim* m, Pointprim* p2)
    : P1(p1), P2(p2), M(m), Pixelsize(std::max(anglesize, 5)) {
    Class = CAngle;
    setname(String(56).text(), anglecount);
    Io = angleio;
    update();
}

int Angle::dep(Object** o) {
    o[0] = P1;
    o[1] = P2;
    o[2] = M;
    return 3;
}

void Angle::update() {
    if (!P1->valid || !P2->valid || !M->valid) {
        valid = 0;
        return;
    }
    valid = 1;
    if (!arg(P1->x() - M->x(), P1->y() - M->y(), &Phi1)) valid = 0;
    if (!arg(P2->x() - M->x(), P2->y() - M->y(), &Phi2)) valid = 0;
    if (valid && (Class & CFixed)) {
        Phi2 = Phi1 + Phi;
        double r = std::hypot(P2->x() - M->x(), P2->y() - M->y());
        P2->set(M->x() + r * std::cos(Phi2), M->y() + r * std::sin(Phi2));
        if (!arg(P2->x() - M->x(), P2->y() - M->y(), &Phi2)) valid = 0;
    }
    Phi = Phi2 - Phi1;
}

double Angle::size() const {
    return std::fabs(std::fmod(Phi * 180 * (1 / M_PI) + 360, 360));
}

void Angle::writeclear(char* s) {
    std::snprintf(s, DescriptionMax, String(129).text(), P1->name(), M->name(), P2->name());
}

void Angle::writespecialflags(FlagSink* io) {
    writestyle(io, Linetype, Class);
    if (showsize) io->flag("showsize");
    if (Pixelsize != 20) io->flag(("size_" + std::to_string(Pixelsize)).c_str());
}

int Angle::setspecialflag(const char* s) {
    if (styleflag(s, Linetype, Class)) return 1;
    if (!std::strcmp(s, "showsize")) {
        showsize = 1;
    } else if (!std::strncmp(s, "size_", 5)) {
        long n = std::atol(s + 5);
        Pixelsize = static_cast<int>(std::clamp(n, 5L, 100000L));
    } else {
        return 0;
    }
    return 1;
}

int Angle::labelreach(PS& ps, const char* text, int rho, double b) const {
    int w, h;
    textsize(ps, text, w, h);
    const double hw = w / 2.0, hh = h / 2.0;
    // Beyond the arc by the label's half extent along the bisector b...
    double reach = rho + 3 + std::fabs(std::cos(b)) * hw + std::fabs(std::sin(b)) * hh;
    // ...and far enough between the legs that it meets neither.
    double half = (Phi2 - Phi1) / 2;
    if (half < 0) half += M_PI;
    if (half < M_PI / 2 - 1e-9) {
        const double s = std::sin(std::max(half, 1e-3));
        for (double leg : {Phi1, Phi2})
            reach = std::max(reach,
                             (std::fabs(std::sin(leg)) * hw + std::fabs(std::cos(leg)) * hh) / s);
    }
    // A narrow angle's label stays near it.
    return static_cast<int>(std::min(reach, rho + 3.0 * h + w));
}

void Angle::draw(PS& ps) {
    if (!valid || hidden()) return;
    ::Color c = drawcolor(ps);
    ps.color(c);
    int cx = col(M->x(), ps), cy = row(M->y(), ps);
    int rho = ps.width() / std::max(Pixelsize, 5);
    if (ps.modern()) {
        // A translucent sector under the arc.
        std::vector<double> xy = {static_cast<double>(cx), static_cast<double>(cy)};
        double span = Phi2 - Phi1;
        if (span < 0) span += 2 * M_PI;
        const int n = std::max(8, static_cast<int>(span * rho / 3));
        for (int i = 0; i <= n; ++i) {
            const double a = Phi1 + span * i / n;
            xy.insert(xy.end(), {cx + rho * std::cos(a), cy - rho * std::sin(a)});
        }
        fillshape(ps, xy, fillcolor(ps));
    }
    if (std::unique_ptr<Pen> pen{stylepen(c, Linetype)}) {
        ps.arc(cx, cy, rho, 1.0, -Phi1, -Phi2, *pen);
    } else {
        ps.arc(cx, cy, rho, 1.0, -Phi1, -Phi2);
    }
    if (!showname && !showsize) return;
    char text[DescriptionMax];
    if (ps.modern()) {
        // Beyond the arc, on the angle's bisector.
        const std::string shown =
            showsize ? valuetext(ps, showname ? labelname() : nullptr, size(), "\u00b0")
                     : shownname(labelname(), ps);
        const double b = (Phi1 + Phi2) / 2 + (Phi2 < Phi1 ? M_PI : 0);
        const int reach = labelreach(ps, shown.c_str(), rho, b);
        ps.textcolor(c);
        drawlabel(ps, *this, static_cast<int>(cx + reach * std::cos(-b)),
                  static_cast<int>(cy + reach * std::sin(-b)),
                  static_cast<int>(cx + rho * std::cos(-b)),
                  static_cast<int>(cy + rho * std::sin(-b)), shown.c_str());
        return;
    }
    if (showname && showsize)
        std::snprintf(text, sizeof text, "%s=%g", labelname(), size());
    else if (showname)
        std::snprintf(text, sizeof text, "%s", labelname());
    else
        std::snprintf(text, sizeof text, "%g", size());
    double b = (Phi1 + Phi2) / 2 + (Phi2 < Phi1 ? M_PI : 0);
    int half = rho / 2;
    ps.textcolor(c);
    const int lx = static_cast<int>(cx + half * std::cos(-b)),
              ly = static_cast<int>(cy + half * std::sin(-b));
    drawlabel(ps, *this, lx, ly, lx, ly, text);
}

void Angle::getstate(ObjectState& s) const {
    drawnstate(s, Phi, Linetype, showsize);
    s.I[2] = Pixelsize;
}

void Angle::setstate(const ObjectState& s) {
    setdrawnstate(s, Phi, Linetype, showsize);
    Pixelsize = s.I[2];
}

void Angle::values(ValueSink& s) const {
    s.number("degrees", size());
}
