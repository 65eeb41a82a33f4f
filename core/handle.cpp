#include "handle.h"
#include "number.h"
#include "view.h"

#include <algorithm>

void Grip::follow(double x, double y, double& placex, double& placey, bool pixels) const {
    if (!pixels) {
        placex = FromX + x - X;
        placey = FromY + y - Y;
        return;
    }
    const double p = view().Pixel;
    placex = std::clamp(FromX + (x - X) / p, -1e5, 1e5);
    placey = std::clamp(FromY - (y - Y) / p, -1e5, 1e5);
}

void writeoffset(FlagSink* io, double dx, double dy) {
    if (dx != 0) io->flag(("dx:" + flagnumber(dx)).c_str());
    if (dy != 0) io->flag(("dy:" + flagnumber(dy)).c_str());
}

int offsetflag(const char* s, double& dx, double& dy) {
    double v;
    if (numberflag(s, "dx:", v))
        dx = std::clamp(v, -1e5, 1e5);
    else if (numberflag(s, "dy:", v))
        dy = std::clamp(v, -1e5, 1e5);
    else
        return 0;
    return 1;
}
