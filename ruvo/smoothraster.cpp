#include "smoothraster.h"

#include <QImage>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Blends an opaque colour over two pixels, p by a and q by b in 0..256, as
// two blends do; with SIMD, both in one go, channel by channel.
inline void blend2(QRgb* p, unsigned a, QRgb* q, unsigned b, QRgb s) {
#ifdef __SSE2__
    const QRgb dp = *p, dq = *q;
    if (dp == s && dq == s) return;
    const __m128i zero = _mm_setzero_si128();
    const __m128i d = _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(dp)),
                                                           _mm_cvtsi32_si128(static_cast<int>(dq))),
                                        zero);
    const __m128i c = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(s)), zero);
    __m128i w = _mm_cvtsi32_si128(static_cast<int>(a | b << 16));
    w = _mm_unpacklo_epi16(w, w);
    w = _mm_unpacklo_epi32(w, w); // a in the first pixel's four channels, b in the second's
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(256), w);
    const __m128i r =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(c, w), _mm_mullo_epi16(d, rest)), 8);
    const __m128i packed = _mm_packus_epi16(r, zero);
    *p = static_cast<QRgb>(_mm_cvtsi128_si32(packed));
    *q = static_cast<QRgb>(_mm_cvtsi128_si32(_mm_srli_si128(packed, 4)));
#else
    blend(p, s, a);
    blend(q, s, b);
#endif
}

inline unsigned share(double coverage) {
    if (coverage <= 0) return 0;
    if (coverage >= 1) return 256;
    return static_cast<unsigned>(coverage * 256 + 0.5);
}

struct Canvas {
    QRgb* bits;
    qsizetype stride;
    RasterClip c;   // where to draw now
    RasterClip all; // the whole of what is drawn, of which c may be a part
    QRgb colour;
};

Canvas canvas(QImage& im, RasterClip c, unsigned rgb) {
    c.x1 = std::max(c.x1, 0);
    c.y1 = std::max(c.y1, 0);
    c.x2 = std::min(c.x2, im.width());
    c.y2 = std::min(c.y2, im.height());
    return {reinterpret_cast<QRgb*>(im.bits()), im.bytesPerLine() / 4, c, c, 0xff000000u | rgb};
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

// A band along the major axis u from u0 to u1 (u0 < u1), its centre at
// v0 + m (u - u0) on the minor axis v, h across v on either side.
// Transposed: u runs down the rows and v along them.
bool Band::make(double x0, double y0, double x1, double y1, double width) {
    // Wider than any pen: its half width would not fit the fixed point.
    if (!finite({x0, y0, x1, y1}) || !(width > 0 && width < 1e6)) return false;
    const double dx = x1 - x0, dy = y1 - y0;
    transposed = std::fabs(dx) < std::fabs(dy);
    if (transposed) std::swap(x0, y0), std::swap(x1, y1);
    if (x0 == x1) return false;
    if (x1 < x0) std::swap(x0, x1), std::swap(y0, y1);
    u0 = x0, v0 = y0, u1 = x1;
    m = (y1 - y0) / (x1 - x0);
    // Like a thin line drawn the classic way, the band is as high across
    // its major axis as it is wide, whatever its slope.
    h = width / 2;
    whole = width == std::floor(width) && width <= 16 ? static_cast<int>(width) : 0;
    return true;
}

namespace {

// The share in 0..256 of the pixel whose upper edge is at edge that the
// band from from to to covers across, all in fixed point: the difference
// of the two ends cut to 256ths, so that the shares of the pixels of a
// column always add up to the band's width.
inline long long covered(long long from, long long to, long long edge) {
    return std::max((std::min(to, edge + (1LL << 32)) >> 24) - (std::max(from, edge) >> 24), 0LL);
}

// The columns from i up to last of a band w pixels wide (W when not 0) whose
// pixels all lie inside the rows; stops at the first column that has
// pixels outside them and returns it. The band's upper edge in column i is
// at v - half, in fixed point, and moves by step a column.
template <int W>
int wholecolumns(QRgb* bits, qsizetype along, qsizetype across, int i, int last, long long& v,
                 long long step, long long half, int vlo, unsigned span, int w, QRgb c) {
    if (W) w = W;
    for (; i < last; ++i, v += step) {
        const long long edge = v - half;
        const int j0 = static_cast<int>(edge >> 32);
        if (static_cast<unsigned>(j0 - vlo) > span) break;
        QRgb* p = bits + i * along + j0 * across;
        const unsigned f = static_cast<unsigned>(static_cast<std::uint32_t>(edge) >> 24);
        blend2(p, 256 - f, p + w * across, f, c);
        for (int r = 1; r < w; ++r) p[r * across] = c;
    }
    return i;
}

// The columns from i up to last of a band whose pixels all lie inside the
// rows vlo to vhi, its width not a whole number of pixels: the pixels at
// its edges get the part of them inside it, those between are covered
// whole, as the general loop would blend them. Stops at the first column
// that has pixels outside the rows and returns it. The band's centre in
// column i is at v, in fixed point, and moves by step a column.
int partcolumns(QRgb* bits, qsizetype along, qsizetype across, int i, int last, long long& v,
                long long step, long long half, int vlo, int vhi, QRgb c) {
    for (; i < last; ++i, v += step) {
        const long long from = v - half, to = v + half;
        const int j0 = static_cast<int>(from >> 32), j1 = static_cast<int>((to - 1) >> 32);
        if (j0 < vlo || j1 >= vhi) break;
        QRgb* p = bits + i * along + j0 * across;
        if (j0 == j1) {
            blend(p, c, static_cast<unsigned>((to >> 24) - (from >> 24)));
            continue;
        }
        blend(p, c, 256 - (static_cast<std::uint32_t>(from) >> 24));
        for (int j = j0 + 1; j < j1; ++j) p[(j - j0) * across] = c;
        blend(p + (j1 - j0) * across, c,
              static_cast<unsigned>((to >> 24) - (static_cast<long long>(j1) << 8)));
    }
    return i;
}

// Positions across are kept in fixed point with 32 bits of fraction, so
// each column costs a few integer steps.
template <bool Transposed> void drawband(const Canvas& k, const Band& d) {
    const int ulo = Transposed ? k.c.y1 : k.c.x1, uhi = Transposed ? k.c.y2 : k.c.x2;
    const int vlo = Transposed ? k.c.x1 : k.c.y1, vhi = Transposed ? k.c.x2 : k.c.y2;
    if (ulo >= uhi || vlo >= vhi) return;
    const double u0 = d.u0, v0 = d.v0, u1 = d.u1, m = d.m, h = d.h;
    double a = std::max(u0, static_cast<double>(ulo)), b = std::min(u1, static_cast<double>(uhi));
    // Only where the band can reach the clip rectangle across.
    if (m != 0) {
        double ua = u0 + (vlo - h - 1 - v0) / m, ub = u0 + (vhi + h + 1 - v0) / m;
        if (ua > ub) std::swap(ua, ub);
        a = std::max(a, ua);
        b = std::min(b, ub);
    } else if (v0 + h < vlo || v0 - h > vhi) {
        return;
    }
    if (!(a < b)) return;
    constexpr double One = 4294967296.0; // 1 in fixed point
    const int i0 = static_cast<int>(std::floor(a)), i1 = static_cast<int>(std::ceil(b));
    const long long half = static_cast<long long>(h * One);
    const long long step = static_cast<long long>(m * One);
    // The centre across, stepped from the first column of the whole clip
    // rectangle in whole steps, so that it is the same in every column
    // whatever part of the rectangle is drawn. Since the band rises by a
    // pixel a column at most, it is far from the picture there only when it
    // misses the picture.
    const int origin = Transposed ? k.all.y1 : k.all.x1;
    const double start = v0 + m * (origin + 0.5 - u0);
    if (!(std::fabs(start) < 1e9)) return;
    long long v = static_cast<long long>(std::floor(start * One)) + step * (i0 - origin);
    const long long top = static_cast<long long>(vlo) << 32;
    const long long bottom = static_cast<long long>(vhi) << 32;
    // A pixel's place: along a column of the band, and from one column to
    // the next.
    const qsizetype across = Transposed ? 1 : k.stride, along = Transposed ? k.stride : 1;
    const QRgb c = k.colour;
    // One column; inside is the part of its width inside the band's length.
    auto column = [&](int i, long long at, unsigned inside) {
        const long long from = std::max(at - half, top), to = std::min(at + half, bottom);
        if (from >= to) return;
        const int j0 = static_cast<int>(from >> 32), j1 = static_cast<int>((to - 1) >> 32);
        QRgb* p = k.bits + i * along + j0 * across;
        for (int j = j0; j <= j1; ++j, p += across) {
            const long long cover = covered(from, to, static_cast<long long>(j) << 32);
            blend(p, c, static_cast<unsigned>(cover * inside + 128) >> 8);
        }
    };
    // The columns wholly inside the band's length, and those at its ends.
    const int f0 = static_cast<int>(std::ceil(std::max(u0, static_cast<double>(i0))));
    const int f1 = static_cast<int>(std::floor(std::min(u1, static_cast<double>(i1))));
    auto end = [&](int i) {
        return share(std::min(u1, i + 1.0) - std::max(u0, static_cast<double>(i)));
    };
    // Inside the band's length and away from the clip edges across, each
    // column blends the same number of pixels without a branch that
    // depends on where the band crosses the rows.
    const int rows = static_cast<int>(std::ceil(2 * h)) + 1;
    auto inner = [&](int i, long long at) {
        const long long from = at - half, to = at + half;
        const int j0 = static_cast<int>(from >> 32);
        if (from < top || j0 + rows > vhi) return false;
        QRgb* p = k.bits + i * along + j0 * across;
        long long edge = static_cast<long long>(j0) << 32;
        for (int r = 0; r < rows; ++r, edge += 1LL << 32, p += across) {
            blend(p, c, static_cast<unsigned>(covered(from, to, edge)));
        }
        return true;
    };
    int i = i0;
    for (; i < std::min(f0, i1); ++i, v += step) column(i, v, end(i));
    // A band a whole number of pixels wide, as every line one pixel wide is
    // on a screen of whole density: the loop with nothing in it that its
    // blends do not need. The two pixels at the band's edges share a pixel
    // between them by where the edges cross; those between are covered
    // whole. Widths 1 and 2 (one pixel at densities 1 and 2) have a loop of
    // their own each.
    auto whole = [&](auto width) {
        const int w = width() ? width() : d.whole;
        if (vhi - vlo < w + 1) return;
        QRgb* const bits = k.bits;
        constexpr int W = decltype(width)::value;
        const unsigned span = static_cast<unsigned>(vhi - 1 - w - vlo);
        while (i < f1) {
            i = wholecolumns<W>(bits, along, across, i, f1, v, step, half, vlo, span, w, c);
            if (i < f1) {
                column(i, v, 256);
                ++i, v += step;
            }
        }
    };
    if (d.whole == 1)
        whole(std::integral_constant<int, 1>());
    else if (d.whole == 2)
        whole(std::integral_constant<int, 2>());
    else if (d.whole)
        whole(std::integral_constant<int, 0>());
    else
        while (i < f1) {
            i = partcolumns(k.bits, along, across, i, f1, v, step, half, vlo, vhi, c);
            if (i < f1) {
                column(i, v, 256);
                ++i, v += step;
            }
        }
    for (; i < f1; ++i, v += step)
        if (!inner(i, v)) column(i, v, 256);
    for (; i < i1; ++i, v += step) column(i, v, end(i));
}

void drawband(const Canvas& k, const Band& d) {
    if (d.transposed)
        drawband<true>(k, d);
    else
        drawband<false>(k, d);
}

// The pixels i0 to i1 of a row of a ring from rin to rout about a centre
// dx0 from the first pixel's centre along the row and dy across, dy2 its
// square: each gets the share of it between the two radii, measured along
// the radius through its centre.
// Rings of a radius up to about the picture's size are measured in single
// precision, which halves the cost of the square roots and still places
// every pixel's share to a hundredth of a pixel.
template <bool Part, typename Real>
void ringrun(QRgb* row, int i0, int i1, Real dx0, Real dy, Real rin, Real rout, QRgb c,
             const Sector& a) {
    Real dx = dx0;
    const Real dy2 = dy * dy, half = Real(0.5);
    for (int i = i0; i <= i1; ++i, dx += 1) {
        if (Part && !a.holds(dx, dy)) continue;
        const Real d = std::sqrt(dx * dx + dy2);
        const Real cover = std::min(d + half, rout) - std::max(d - half, rin);
        if (cover > 0)
            blend(row + i, c, cover >= 1 ? 256 : static_cast<unsigned>(cover * 256 + half));
    }
}

void ring(const Canvas& k, double cx, double cy, double r, double width, const Sector& a) {
    if (!finite({cx, cy, r, width}) || width <= 0 || r < 0) return;
    const double rin = r - width / 2, rout = r + width / 2;
    // Pixels whose centre lies within half a pixel of the ring.
    const double ro = rout + 0.5, ri = rin - 0.5;
    const int j0 = std::max(
        k.c.y1, static_cast<int>(std::floor(std::clamp(cy - ro, k.c.y1 - 1.0, k.c.y2 + 1.0))));
    const int j1 = std::min(
        k.c.y2, static_cast<int>(std::ceil(std::clamp(cy + ro, k.c.y1 - 1.0, k.c.y2 + 1.0))));
    auto run = [&](int j, double dy, double from, double to) {
        const int i0 = std::max(k.c.x1, static_cast<int>(std::ceil(
                                            std::clamp(from - 0.5, k.c.x1 - 1.0, k.c.x2 + 1.0))));
        const int i1 = std::min(k.c.x2 - 1, static_cast<int>(std::floor(
                                                std::clamp(to - 0.5, k.c.x1 - 1.0, k.c.x2 + 1.0))));
        QRgb* row = k.bits + j * k.stride;
        const double dx = i0 + 0.5 - cx;
        if (rout < 8192) {
            const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
            const float fi = static_cast<float>(rin), fo = static_cast<float>(rout);
            if (a.part)
                ringrun<true>(row, i0, i1, fx, fy, fi, fo, k.colour, a);
            else
                ringrun<false>(row, i0, i1, fx, fy, fi, fo, k.colour, a);
        } else if (a.part) {
            ringrun<true>(row, i0, i1, dx, dy, rin, rout, k.colour, a);
        } else {
            ringrun<false>(row, i0, i1, dx, dy, rin, rout, k.colour, a);
        }
    };
    for (int j = j0; j < j1; ++j) {
        const double dy = j + 0.5 - cy;
        if (std::fabs(dy) >= ro) continue;
        const double xo = std::sqrt(ro * ro - dy * dy);
        if (ri > 0 && std::fabs(dy) < ri) {
            const double xi = std::sqrt(ri * ri - dy * dy);
            run(j, dy, cx - xo, cx - xi);
            run(j, dy, cx + xi, cx + xo);
        } else {
            run(j, dy, cx - xo, cx + xo);
        }
    }
}

} // namespace

bool smoothrasterable(const QImage& im) {
    return im.format() == QImage::Format_RGB32 ||
           im.format() == QImage::Format_ARGB32_Premultiplied;
}

void SmoothBatch::line(QImage& im, RasterClip c, double x0, double y0, double x1, double y1,
                       double width, unsigned rgb) {
    Stroke s;
    if (!s.band.make(x0, y0, x1, y1, width)) return;
    s.ring = false;
    s.rgb = rgb;
    add(im, c, s);
}

void SmoothBatch::ring(QImage& im, RasterClip c, double cx, double cy, double r, double width,
                       unsigned rgb) {
    arc(im, c, cx, cy, r, width, 0, 2 * M_PI, rgb);
}

bool Sector::holds(double dx, double dy) const {
    // Counterclockwise on the screen, where y grows downwards.
    const double from = ux * -dy - uy * dx, to = dx * vy - -dy * vx;
    return wide ? from >= 0 || to >= 0 : from >= 0 && to >= 0;
}

void SmoothBatch::arc(QImage& im, RasterClip c, double cx, double cy, double r, double width,
                      double start, double span, unsigned rgb) {
    if (!finite({cx, cy, r}) || !(width > 0 && width < 1e6) || r < 0) return;
    Stroke s;
    s.ring = true;
    s.rgb = rgb;
    s.band.u0 = cx, s.band.v0 = cy, s.band.u1 = r, s.band.h = width;
    s.sector.part = std::isfinite(start) && std::isfinite(span) && span > 0 && span < 2 * M_PI;
    if (s.sector.part) {
        s.sector.ux = std::cos(start), s.sector.uy = std::sin(start);
        s.sector.vx = std::cos(start + span), s.sector.vy = std::sin(start + span);
        s.sector.wide = span > M_PI;
        // Only the box around the arc is looked at: its ends, and the
        // points furthest right, up, left and down that it passes.
        double x1 = std::min(s.sector.ux, s.sector.vx), x2 = std::max(s.sector.ux, s.sector.vx);
        double y1 = std::min(s.sector.uy, s.sector.vy), y2 = std::max(s.sector.uy, s.sector.vy);
        for (int q = 0; q < 4; ++q) {
            const double dx = q == 0 ? 1 : q == 2 ? -1 : 0, dy = q == 1 ? 1 : q == 3 ? -1 : 0;
            if (s.sector.holds(dx, -dy)) {
                x1 = std::min(x1, dx), x2 = std::max(x2, dx);
                y1 = std::min(y1, dy), y2 = std::max(y2, dy);
            }
        }
        const double reach = width / 2 + 1;
        auto edge = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
        s.box = {edge(std::floor(cx + r * x1 - reach)), edge(std::floor(cy - r * y2 - reach)),
                 edge(std::ceil(cx + r * x2 + reach)), edge(std::ceil(cy - r * y1 + reach))};
    }
    add(im, c, s);
}

void SmoothBatch::add(QImage& im, RasterClip c, Stroke s, const double* xy) {
    if (!smoothrasterable(im)) return;
    if (!Strokes.empty() &&
        (&im != Image || c.x1 != Clip.x1 || c.y1 != Clip.y1 || c.x2 != Clip.x2 || c.y2 != Clip.y2))
        draw();
    Image = &im;
    Clip = c;
    if (xy) {
        s.first = static_cast<int>(Places.size());
        Places.insert(Places.end(), xy, xy + 2 * s.n);
    }
    Strokes.push_back(s);
    if (Strokes.size() >= Most) draw();
}

void SmoothBatch::fill(QImage& im, RasterClip c, const double* xy, int n, unsigned rgb,
                       unsigned alpha) {
    if (n < 3) return;
    Stroke s;
    s.ring = false;
    s.rgb = rgb;
    s.n = n;
    s.alpha = alpha;
    add(im, c, s, xy);
}

void SmoothBatch::dot(QImage& im, RasterClip c, double cx, double cy, double r, double rimwidth,
                      unsigned rgb, unsigned rim) {
    if (!finite({cx, cy, r, rimwidth}) || !(r > 0 && r < 64) || std::fabs(cx) > 1e8 ||
        std::fabs(cy) > 1e8)
        return;
    // Dots of a picture have a few sizes and mostly lie on pixel centres:
    // their shares are worked out once.
    const double px = std::floor(cx), py = std::floor(cy);
    const auto key = std::make_tuple(static_cast<int>(std::lround(r * 16)),
                                     static_cast<int>(std::lround(rimwidth * 16)),
                                     static_cast<int>(std::lround((cx - px) * 16)),
                                     static_cast<int>(std::lround((cy - py) * 16)));
    auto found = Masks.find(key);
    if (found == Masks.end()) {
        Mask m;
        const double fx = std::get<2>(key) / 16.0, fy = std::get<3>(key) / 16.0;
        const double R = std::get<0>(key) / 16.0, in = R - std::get<1>(key) / 16.0;
        const int reach = static_cast<int>(std::ceil(R)) + 1;
        m.x0 = m.y0 = -reach;
        m.w = m.h = 2 * reach + 1;
        // Each share: the part of the pixel within the radius, measured
        // across the edge through the pixel's centre.
        auto share = [](double edge, double d) {
            return static_cast<unsigned short>(
                std::lround(std::clamp(edge + 0.5 - d, 0.0, 1.0) * 256));
        };
        for (int j = 0; j < m.h; ++j)
            for (int i = 0; i < m.w; ++i) {
                const double d = std::hypot(m.x0 + i + 0.5 - fx, m.y0 + j + 0.5 - fy);
                m.disc.push_back(share(R, d));
                m.inside.push_back(share(in, d));
            }
        found = Masks.emplace(key, std::move(m)).first;
    }
    Stroke s;
    s.ring = false;
    s.rgb = rgb;
    s.alpha = rim;
    s.mask = &found->second;
    s.band.u0 = px, s.band.v0 = py;
    add(im, c, s);
}

namespace {

// A dot's mask put with its centre's pixel at (px, py): the rim colour by
// the disc's shares, then the colour by the inside's.
void drawdot(const Canvas& k, const SmoothBatch::Mask& m, int px, int py, QRgb rim) {
    const int x1 = std::max(k.c.x1, px + m.x0), x2 = std::min(k.c.x2, px + m.x0 + m.w);
    const int y1 = std::max(k.c.y1, py + m.y0), y2 = std::min(k.c.y2, py + m.y0 + m.h);
    for (int y = y1; y < y2; ++y) {
        QRgb* p = k.bits + y * k.stride;
        const int row = (y - py - m.y0) * m.w - px - m.x0;
        for (int x = x1; x < x2; ++x) {
            if (const unsigned a = m.disc[static_cast<size_t>(row + x)]) blend(p + x, rim, a);
            if (const unsigned a = m.inside[static_cast<size_t>(row + x)])
                blend(p + x, k.colour, a);
        }
    }
}

} // namespace

void SmoothBatch::draw() {
    if (Strokes.empty()) return;
    const Canvas whole = canvas(*Image, Clip, 0);
    const int y1 = whole.c.y1, y2 = whole.c.y2;
    QImage& image = *Image;
    const std::vector<double>& places = Places;
    auto stroke = [&image, &places](const Canvas& k, const Stroke& s) {
        if (s.mask) {
            drawdot(k, *s.mask, static_cast<int>(s.band.u0), static_cast<int>(s.band.v0),
                    0xff000000u | s.alpha);
        } else if (s.n) {
            fillpolygon(image, k.c, places.data() + s.first, s.n, s.rgb, true, s.alpha);
        } else if (s.ring && s.sector.part) {
            Canvas in = k;
            in.c = {std::max(k.c.x1, s.box.x1), std::max(k.c.y1, s.box.y1),
                    std::min(k.c.x2, s.box.x2), std::min(k.c.y2, s.box.y2)};
            if (in.c.x1 < in.c.x2 && in.c.y1 < in.c.y2)
                ::ring(in, s.band.u0, s.band.v0, s.band.u1, s.band.h, s.sector);
        } else if (s.ring)
            ::ring(k, s.band.u0, s.band.v0, s.band.u1, s.band.h, s.sector);
        else
            drawband(k, s.band);
    };
    // When there is much to draw, the rows are cut into stripes, each
    // drawn with every stroke clipped to it, and a thread of the pool draws
    // every other stripe.
    constexpr int Stripe = 128;
    const int stripes = (y2 - y1 + Stripe - 1) / Stripe;
    auto part = [&](int first, int every) {
        Canvas k = whole;
        for (int i = first; i < stripes; i += every) {
            k.c.y1 = y1 + i * Stripe;
            k.c.y2 = std::min(y2, k.c.y1 + Stripe);
            for (const Stroke& s : Strokes) {
                k.colour = 0xff000000u | s.rgb;
                stroke(k, s);
            }
        }
    };
    if (Strokes.size() < 64 || stripes < 4 || QThread::idealThreadCount() < 2) {
        Canvas k = whole;
        for (const Stroke& s : Strokes) {
            k.colour = 0xff000000u | s.rgb;
            stroke(k, s);
        }
        Strokes.clear();
        Places.clear();
        return;
    }
    QSemaphore done;
    QThreadPool::globalInstance()->start([&] {
        part(1, 2);
        done.release();
    });
    part(0, 2);
    done.acquire();
    Strokes.clear();
    Places.clear();
}
