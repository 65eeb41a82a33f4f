// Thin strokes that a surface writes straight into its image, because the
// painter does not draw them as they must be: sharp lines with exactly the
// pixels of the pixel rules, and smooth lines, points, circles and arcs
// through the pixel centres, gathered into batches.
#include "ps.h"
#include "smoothraster.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <vector>

QImage* PS::sharptarget(int& ox, int& oy) const {
    QPaintDevice* d = Handle ? Handle->device() : nullptr;
    if (Smooth || !d || d->devType() != QInternal::Image) return nullptr;
    auto* im = static_cast<QImage*>(d);
    QImage::Format f = im->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
        f != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    const QTransform& t = Handle->deviceTransform();
    if (t.type() > QTransform::TxTranslate ||
        Handle->compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    ox = static_cast<int>(t.dx());
    oy = static_cast<int>(t.dy());
    return im;
}

int PS::rasterfill(Points& p, Color c, unsigned alpha) {
    RasterClip clip;
    int ox = 0, oy = 0;
    QImage* im = Smooth ? smoothtarget(clip) : sharptarget(ox, oy);
    if (!im) return 0;
    static std::vector<double> xy;
    xy.resize(static_cast<size_t>(p.N) * 2);
    for (int i = 0; i < p.N; ++i) {
        xy[2 * static_cast<size_t>(i)] = Smooth ? devx(p.P[i].x) : p.P[i].x + ox;
        xy[2 * static_cast<size_t>(i) + 1] = Smooth ? devy(p.P[i].y) : p.P[i].y + oy;
    }
    if (!Smooth) clip = {CX1, CY1, CX2, CY2};
    const QRgb rgb = Ident ? (IdColor | 0xff000000u) : qRgb(c.red(), c.green(), c.blue());
    if (Smooth)
        Batch->fill(*im, clip, xy.data(), p.N, rgb, alpha);
    else {
        flush();
        ::fillpolygon(*im, clip, xy.data(), p.N, rgb, false, 256);
    }
    return 1;
}

int PS::rasterline(int x0, int y0, int x1, int y1, Color c) {
    int ox = 0, oy = 0;
    QImage* im = sharptarget(ox, oy);
    if (!im) return 0;
    const int cx1 = std::max(CX1, 0), cy1 = std::max(CY1, 0);
    const int cx2 = std::min(CX2, im->width()), cy2 = std::min(CY2, im->height());
    const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    // Only the steps whose pixels can lie in the clip rectangle: a line far
    // longer than the picture costs what its visible part costs.
    double lo = 0, hi = static_cast<double>(n);
    auto keep = [&](double from, double delta, int low, int high) {
        if (delta == 0) {
            if (from < low - 1 || from > high) hi = -1;
            return;
        }
        double a = (low - 1 - from) * n / delta, b = (high - from) * n / delta;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    };
    keep(x0 + ox, static_cast<double>(dx), cx1, cx2);
    keep(y0 + oy, static_cast<double>(dy), cy1, cy2);
    if (hi < lo) return 1;
    const long long first = std::max(0LL, static_cast<long long>(std::floor(lo)) - 1);
    const long long last = std::min(n, static_cast<long long>(std::ceil(hi)) + 2);
    const QRgb pixel = qRgb(c.red(), c.green(), c.blue());
    // Along the major axis a step a pixel; the minor axis moves by
    // |minor| / n a step, rounded to the nearest pixel (halves away from the
    // start), kept as a whole quotient and remainder of (2 |minor| i + n) / 2n.
    const bool xmajor = std::llabs(dx) >= std::llabs(dy);
    const long long major = xmajor ? dx : dy, minor = xmajor ? dy : dx;
    const long long step = 2 * std::llabs(minor), whole = 2 * n;
    // The first remainder in 128 bits: step * first may pass 2^63.
    __extension__ using Wide = __int128;
    const Wide acc = static_cast<Wide>(step) * first + n;
    long long q = static_cast<long long>(acc / whole), r = static_cast<long long>(acc % whole);
    const int sj = major > 0 ? 1 : -1, sk = minor > 0 ? 1 : -1;
    auto* bits = reinterpret_cast<QRgb*>(im->bits());
    const qsizetype stride = im->bytesPerLine() / 4;
    const unsigned long long w = static_cast<unsigned long long>(cx2 - cx1),
                             h = static_cast<unsigned long long>(cy2 - cy1);
    // Position and place in the image step along together: a step along
    // the major axis each time, along the minor one when the remainder
    // carries.
    auto run = [&](auto x_major) {
        constexpr bool Along = decltype(x_major)::value;
        long long x = x0 + ox + (Along ? sj * first : sk * q),
                  y = y0 + oy + (Along ? sk * q : sj * first);
        const long long amajor = Along ? sj : sj * stride, aminor = Along ? sk * stride : sk;
        long long at = y * stride + x;
        for (long long i = first; i < last; ++i) {
            if (static_cast<unsigned long long>(x - cx1) < w &&
                static_cast<unsigned long long>(y - cy1) < h)
                bits[at] = pixel;
            (Along ? x : y) += sj;
            at += amajor;
            r += step;
            if (r >= whole) {
                r -= whole;
                (Along ? y : x) += sk;
                at += aminor;
            }
        }
    };
    if (xmajor)
        run(std::true_type());
    else
        run(std::false_type());
    return 1;
}

QImage* PS::smoothtarget(RasterClip& clip) const {
    if (!TargetKnown) {
        TargetKnown = 1;
        Target = nullptr;
        QPaintDevice* d = Handle ? Handle->device() : nullptr;
        if (!Smooth || Ident || !d || d->devType() != QInternal::Image) return nullptr;
        auto* im = static_cast<QImage*>(d);
        const QTransform& t = Handle->deviceTransform();
        if (!smoothrasterable(*im) || t.type() > QTransform::TxScale ||
            Handle->compositionMode() != QPainter::CompositionMode_SourceOver)
            return nullptr;
        auto edge = [](double v) { return static_cast<int>(std::clamp(std::round(v), -1e9, 1e9)); };
        Target = im;
        Scale = t.m11();
        ShiftX = t.dx();
        ShiftY = t.dy();
        TargetClip[0] = edge((CX1 - OX) * Scale + ShiftX);
        TargetClip[1] = edge((CY1 - OY) * t.m22() + ShiftY);
        TargetClip[2] = edge((CX2 - OX) * Scale + ShiftX);
        TargetClip[3] = edge((CY2 - OY) * t.m22() + ShiftY);
    }
    clip = {TargetClip[0], TargetClip[1], TargetClip[2], TargetClip[3]};
    return Target;
}

// A picture's pixels are square: one scale serves both axes.
double PS::devx(double x) const {
    return (x + 0.5) * Scale + ShiftX;
}

double PS::devy(double y) const {
    return (y + 0.5) * Scale + ShiftY;
}

double PS::penwidth() const {
    const QPen& p = Handle->pen();
    const double w = p.isCosmetic() ? 1 : std::max(p.widthF(), 1.0);
    return std::max(w, Modern ? 1.5 : 1.0) * Scale;
}

int PS::smoothline(int x0, int y0, int x1, int y1, Color c) {
    RasterClip clip;
    QImage* im = smoothtarget(clip);
    if (!im) return 0;
    // From the start pixel up to the end pixel, which is left out as the
    // sharp lines leave it out: the band runs half its width back from
    // the pixel centres.
    double ax = devx(x0), ay = devy(y0), bx = devx(x1), by = devy(y1);
    const double w = penwidth(), len = std::hypot(bx - ax, by - ay);
    const double ux = (bx - ax) / len * w / 2, uy = (by - ay) / len * w / 2;
    band(*im, clip, ax - ux, ay - uy, bx - ux, by - uy, w, qRgb(c.red(), c.green(), c.blue()));
    return 1;
}

void PS::polyline(const double* xy, int n, Pen* p) {
    if (!Handle || n < 2) return;
    if (p) otherpen(inkpen(*p->Handle));
    const Pen* pen = p ? p : HandlePen;
    const bool thin = pen && pen->width() <= 1 && pen->style() == Pen::Solid;
    const QPaintDevice* d = Handle->device();
    RasterClip clip;
    QImage* im = thin ? smoothtarget(clip) : nullptr;
    if (im) {
        // Bands as smoothline draws them, each ending where the next
        // starts. Their square ends are moved along them onto pixel edges,
        // and a band starts on the edge where the one before it ended: two
        // bands that each covered part of a pixel at a joint would leave it
        // lighter than the line, and rounding each end on its own could
        // leave a pixel out or cover it twice.
        const double w = penwidth();
        const unsigned rgb = qRgb(pen->color().red(), pen->color().green(), pen->color().blue());
        int axis = -1;  // the major axis of the band before: 0 across, 1 down
        double cut = 0; // where it ended on that axis
        for (int i = 1; i < n; ++i) {
            const double ax = devx(xy[2 * i - 2] - 0.5), ay = devy(xy[2 * i - 1] - 0.5);
            const double bx = devx(xy[2 * i] - 0.5), by = devy(xy[2 * i + 1] - 0.5);
            const double len = std::hypot(bx - ax, by - ay);
            if (!(len > 0)) continue;
            const double ux = (bx - ax) / len * w / 2, uy = (by - ay) / len * w / 2;
            const double px = ax - ux, py = ay - uy, dx = bx - ax, dy = by - ay;
            const int major = std::fabs(dx) >= std::fabs(dy) ? 0 : 1;
            const double from = major ? py : px, span = major ? dy : dx;
            const double f0 = major == axis ? (cut - from) / span : 0;
            const double end = std::round(from + span), f1 = (end - from) / span;
            if (f1 <= f0) continue;
            band(*im, clip, px + f0 * dx, py + f0 * dy, px + f1 * dx, py + f1 * dy, w, rgb);
            axis = major;
            cut = end;
        }
    } else if (Smooth || (d && d->devType() != QInternal::Image)) {
        // One path, its corners round.
        flush();
        QPen round = Handle->pen();
        round.setJoinStyle(Qt::RoundJoin);
        otherpen(round);
        QPolygonF line;
        line.reserve(n);
        for (int i = 0; i < n; ++i) line << QPointF(xy[2 * i], xy[2 * i + 1]);
        Handle->drawPolyline(line);
        selectpen();
    } else {
        auto at = [](double v) { return static_cast<int>(std::floor(v)); };
        move(at(xy[0]), at(xy[1]));
        for (int i = 1; i < n; ++i) drawline(at(xy[2 * i]), at(xy[2 * i + 1]), pen);
        if (thin) point(X, Y, pen->color());
    }
    if (p) selectpen();
}

void PS::modern(int on) {
    flush();
    TargetKnown = 0;
    PenKnown = 0;
    Modern = on ? 1 : 0;
}

void PS::dashed(int on) {
    Dashed = on ? 1 : 0;
    PenKnown = 0;
}

void PS::glow(int on, Color c) {
    Glow = on ? 1 : 0;
    GlowColor = c;
}

void PS::band(QImage& im, const RasterClip& clip, double x0, double y0, double x1, double y1,
              double w, unsigned rgb) {
    if (Glow)
        Batch->line(im, clip, x0, y0, x1, y1, w + 4 * Scale,
                    qRgb(GlowColor.red(), GlowColor.green(), GlowColor.blue()));
    if (!Dashed) {
        Batch->line(im, clip, x0, y0, x1, y1, w, rgb);
        return;
    }
    const double len = std::hypot(x1 - x0, y1 - y0), on = DashOn * Scale, off = DashOff * Scale;
    if (!(len > 0) || len / (on + off) > 1e5) return;
    for (double t = 0; t < len; t += on + off) {
        const double a = t / len, b = std::min(t + on, len) / len;
        Batch->line(im, clip, x0 + a * (x1 - x0), y0 + a * (y1 - y0), x0 + b * (x1 - x0),
                    y0 + b * (y1 - y0), w, rgb);
    }
}

void PS::ringarc(QImage& im, const RasterClip& clip, double cx, double cy, double r, double w,
                 double start, double span, unsigned rgb) {
    const bool whole = span >= 2 * M_PI;
    auto piece = [&](double width, double from, double over, unsigned colour) {
        if (whole && over >= 2 * M_PI)
            Batch->ring(im, clip, cx, cy, r, width, colour);
        else
            Batch->arc(im, clip, cx, cy, r, width, from, over, colour);
    };
    if (Glow)
        piece(w + 4 * Scale, start, span,
              qRgb(GlowColor.red(), GlowColor.green(), GlowColor.blue()));
    if (!Dashed || !(r > 0)) {
        piece(w, start, span, rgb);
        return;
    }
    const double on = DashOn * Scale / r, off = DashOff * Scale / r;
    if (span / (on + off) > 1e5) return;
    for (double a = 0; a < span; a += on + off) piece(w, start + a, std::min(on, span - a), rgb);
}

void PS::dot(int x, int y, double r, Color fill, Color rim) {
    if (!Handle || !(r > 0)) return;
    RasterClip clip;
    const unsigned f = qRgb(fill.red(), fill.green(), fill.blue());
    if (QImage* im = smoothtarget(clip)) {
        const double cx = devx(x), cy = devy(y), R = r * Scale;
        const unsigned g = qRgb(GlowColor.red(), GlowColor.green(), GlowColor.blue());
        if (Glow) Batch->dot(*im, clip, cx, cy, R + 2 * Scale, 0, g, g);
        Batch->dot(*im, clip, cx, cy, R, Scale, f, qRgb(rim.red(), rim.green(), rim.blue()));
        return;
    }
    flush();
    const double s = Smooth ? 0.5 : 0;
    otherpen(QPen(ink(rim), 1));
    Handle->setBrush(ink(fill));
    Handle->drawEllipse(QPointF(x + s, y + s), r - 0.5, r - 0.5);
    Handle->setBrush(Qt::NoBrush);
    selectpen();
}

