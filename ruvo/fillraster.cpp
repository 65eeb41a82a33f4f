// Polygons filled straight into a picture: the insides of regions, sharp
// or blended by their coverage, without the painter's cost per shape.
#include "smoothraster.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// Where the edges cross a horizontal line, with the way each edge runs.
struct Crossing {
    double x;
    int dir;
};

// An edge that is not horizontal: from its top at height y0, where it is at
// x0, down to y1, moving dx a unit of height; dir says which way it runs.
struct Edge {
    double y0, y1, x0, dx;
    int dir;
};

void edges(const double* xy, int n, std::vector<Edge>& out) {
    out.clear();
    for (int i = 0; i < n; ++i) {
        int j = i + 1 < n ? i + 1 : 0;
        double ya = xy[2 * i + 1], yb = xy[2 * j + 1];
        if (ya == yb) continue;
        double xa = xy[2 * i], xb = xy[2 * j];
        double dx = (xb - xa) / (yb - ya);
        if (ya < yb)
            out.push_back({ya, yb, xa, dx, 1});
        else
            out.push_back({yb, ya, xb, dx, -1});
    }
}

// The crossings of the row at height y, sorted along it.
void crossings(const std::vector<Edge>& e, double y, std::vector<Crossing>& out) {
    out.clear();
    for (const Edge& d : e)
        if (y >= d.y0 && y < d.y1) out.push_back({d.x0 + (y - d.y0) * d.dx, d.dir});
    // Mostly two or a few: sorted by insertion.
    for (size_t i = 1; i < out.size(); ++i)
        for (size_t k = i; k > 0 && out[k].x < out[k - 1].x; --k) std::swap(out[k], out[k - 1]);
}

// Calls span(a, b) for each piece of the row inside by nonzero winding.
template <class Span> void spans(const std::vector<Crossing>& c, Span span) {
    int winding = 0;
    for (size_t k = 0; k + 1 < c.size(); ++k) {
        winding += c[k].dir;
        if (winding != 0 && c[k + 1].x > c[k].x) span(c[k].x, c[k + 1].x);
    }
}

} // namespace

void fillpolygon(QImage& im, RasterClip clip, const double* xy, int n, unsigned rgb, bool smooth,
                 unsigned alpha) {
    if (n < 3) return;
    clip.x1 = std::max(clip.x1, 0);
    clip.y1 = std::max(clip.y1, 0);
    clip.x2 = std::min(clip.x2, im.width());
    clip.y2 = std::min(clip.y2, im.height());
    double ylo = xy[1], yhi = xy[1], xlo = xy[0], xhi = xy[0];
    for (int i = 1; i < n; ++i) {
        xlo = std::min(xlo, xy[2 * i]), xhi = std::max(xhi, xy[2 * i]);
        ylo = std::min(ylo, xy[2 * i + 1]), yhi = std::max(yhi, xy[2 * i + 1]);
    }
    if (!(xlo < clip.x2 && xhi > clip.x1 && ylo < clip.y2 && yhi > clip.y1)) return;
    const int r0 = std::max(clip.y1, static_cast<int>(std::floor(ylo)));
    const int r1 = std::min(clip.y2, static_cast<int>(std::ceil(yhi)) + 1);
    const int c0 = std::max(clip.x1, static_cast<int>(std::floor(xlo)));
    const int c1 = std::min(clip.x2, static_cast<int>(std::ceil(xhi)) + 1);
    if (r0 >= r1 || c0 >= c1) return;
    auto* bits = reinterpret_cast<QRgb*>(im.bits());
    const qsizetype stride = im.bytesPerLine() / 4;
    // Scratch kept between fills; one of each for each thread drawing.
    thread_local std::vector<Crossing> cross;
    thread_local std::vector<Edge> edge;
    edges(xy, n, edge);
    if (!smooth) {
        for (int r = r0; r < r1; ++r) {
            crossings(edge, r + 0.5, cross);
            QRgb* row = bits + r * stride;
            spans(cross, [&](double a, double b) {
                // The pixels whose centres lie in [a, b).
                int i0 = std::max(c0, static_cast<int>(std::ceil(a - 0.5)));
                int i1 = std::min(c1, static_cast<int>(std::ceil(b - 0.5)));
                if (i1 > i0) std::fill(row + i0, row + i1, rgb);
            });
        }
        return;
    }
    // Coverage of the row's pixels in 1/256 of a pixel (Share a sample row),
    // as whole steps added where a span begins and taken where it ends, and
    // the partial pixels at its ends; only the columns touched are visited.
    const int w = c1 - c0, Rows = 2, Share = 256 / Rows;
    thread_local std::vector<int> step, part;
    step.assign(static_cast<size_t>(w) + 2, 0);
    part.assign(static_cast<size_t>(w) + 2, 0);
    for (int r = r0; r < r1; ++r) {
        int lo = w, hi = -1;
        for (int k = 0; k < Rows; ++k) {
            crossings(edge, r + (k + 0.5) / Rows, cross);
            spans(cross, [&](double a, double b) {
                a = std::clamp(a - c0, 0.0, static_cast<double>(w));
                b = std::clamp(b - c0, 0.0, static_cast<double>(w));
                if (b <= a) return;
                const int ia = static_cast<int>(a), ib = static_cast<int>(b);
                lo = std::min(lo, ia);
                hi = std::max(hi, ib);
                auto at = [](int i) { return static_cast<size_t>(i); };
                if (ia == ib) {
                    part[at(ia)] += static_cast<int>((b - a) * Share + 0.5);
                    return;
                }
                part[at(ia)] += static_cast<int>((ia + 1 - a) * Share + 0.5);
                step[at(ia) + 1] += Share;
                step[at(ib)] -= Share;
                part[at(ib)] += static_cast<int>((b - ib) * Share + 0.5);
            });
        }
        if (hi < lo) continue;
        QRgb* row = bits + r * stride + c0;
        int whole = 0;
        for (int i = lo; i <= hi; ++i) {
            const size_t at = static_cast<size_t>(i);
            whole += step[at];
            const int cover = std::min(256, whole + part[at]);
            step[at] = part[at] = 0;
            if (i < w && cover > 0) blend(row + i, rgb, static_cast<unsigned>(cover) * alpha >> 8);
        }
        step[static_cast<size_t>(hi) + 1] = 0;
    }
}
