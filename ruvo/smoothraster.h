// Antialiased strokes written straight into a 32-bit picture (RGB32 or
// premultiplied ARGB32): each pixel gets the share of it that the stroke
// covers, blended over what is there. Coordinates are device pixels and
// continuous: pixel (i, j) covers [i, i + 1) x [j, j + 1). Only the part
// inside the clip rectangle is visited, so a stroke far larger than the
// picture costs what its visible part costs.
#pragma once

#include <map>
#include <tuple>
#include <vector>

class QImage;

struct RasterClip {
    int x1, y1, x2, y2; // device pixels; x2 and y2 are outside
};

// The images that smooth strokes can be drawn into.
bool smoothrasterable(const QImage& im);

// Blends an opaque colour s over the pixel p by a share a in 0..256, two
// channels at a time. An opaque source blends the same way over
// premultiplied pixels, and keeps an opaque pixel opaque.
inline void blend(unsigned* p, unsigned s, unsigned a) {
    const unsigned d = *p;
    if (d == s) return; // much drawn over, as where many lines meet
    const unsigned b = 256 - a;
    const unsigned rb = (((s & 0xff00ffu) * a + (d & 0xff00ffu) * b) >> 8) & 0xff00ffu;
    const unsigned ag = (((s >> 8) & 0xff00ffu) * a + ((d >> 8) & 0xff00ffu) * b) & 0xff00ff00u;
    *p = rb | ag;
}

// Fills the polygon of n places xy (x, y pairs in device pixels) into a
// 32-bit image within the clip, by nonzero winding. Sharp: the pixels whose
// centres lie inside take the colour. Smooth: each pixel takes the colour
// by the share of it inside (two rows of samples a pixel, exact along
// them) times alpha, in 0..256.
void fillpolygon(QImage& im, RasterClip clip, const double* xy, int n, unsigned rgb, bool smooth,
                 unsigned alpha);

// A straight band: its major axis u (x, or y when transposed) runs from u0
// to u1 > u0, its centre on the other axis v is v0 + m (u - u0), and it
// reaches h across v on either side of it.
struct Band {
    bool transposed;
    int whole; // the width when it is a whole number of pixels (up to 16), or 0
    double u0, v0, u1, m, h;
    // The band of a segment and a width; false when there is none.
    bool make(double x0, double y0, double x1, double y1, double width);
};

// The part of a ring between two directions from its centre, counterclockwise
// on the screen from u to v: u, v and whether they are more than half a turn
// apart. All of it when not part.
struct Sector {
    bool part = false, wide = false;
    double ux = 1, uy = 0, vx = 1, vy = 0;
    // Whether the direction (dx, dy) in the picture's pixels (y down) lies
    // in it.
    bool holds(double dx, double dy) const;
};

// Strokes gathered to be drawn together into one image and clip rectangle,
// in the order they came. A large batch shares the work out between two
// threads, each drawing every stroke on alternate stripes of rows, which
// gives the same pixels as drawing them one after the other.
class SmoothBatch {
  public:
    // Strokes kept before they are drawn: enough to share the work out,
    // few enough to keep the memory small.
    enum { Most = 4096 };
    // A band of the given width along the segment from (x0, y0) to
    // (x1, y1), its ends cut square across the segment's major axis.
    // Across that axis it is as high as it is wide, whatever its slope,
    // as thin lines are drawn smoothly.
    void line(QImage& im, RasterClip c, double x0, double y0, double x1, double y1, double width,
              unsigned rgb);
    // A ring of the given width centred on the circle of radius r about
    // (cx, cy).
    void ring(QImage& im, RasterClip c, double cx, double cy, double r, double width, unsigned rgb);
    // The arc of such a ring from the direction at angle start, span
    // radians counterclockwise on the screen (angles as on paper: 0 to the
    // right, a quarter turn up).
    void arc(QImage& im, RasterClip c, double cx, double cy, double r, double width, double start,
             double span, unsigned rgb);
    // The inside of the polygon of n places xy, blended by its coverage
    // times alpha (0..256), as fillpolygon fills it.
    void fill(QImage& im, RasterClip c, const double* xy, int n, unsigned rgb, unsigned alpha);
    // A filled disc of radius r about (cx, cy) in colour rgb, its outer
    // rim pixels wide in colour rim.
    void dot(QImage& im, RasterClip c, double cx, double cy, double r, double rimwidth,
             unsigned rgb, unsigned rim);
    // Draws what has been gathered and forgets it.
    void draw();

    // The shares of the pixels around a dot that the disc and its inside
    // cover, 0 to 256: w x h pixels from (x0, y0) off the pixel that holds
    // the centre.
    struct Mask {
        int x0, y0, w, h;
        std::vector<unsigned short> disc, inside;
    };
    bool empty() const { return Strokes.empty(); }

  private:
    struct Stroke {
        Band band; // a ring keeps its centre in u0, v0, its radius in u1, its width in h
        unsigned rgb;
        bool ring;
        Sector sector;    // of a ring
        RasterClip box{}; // around an arc
        // A fill: its places from Places[first], n of them (0: no fill),
        // and its alpha.
        int first = 0, n = 0;
        unsigned alpha = 0;
        const Mask* mask = nullptr; // of a dot, whose rim colour is alpha
    };
    // Gathers s, and for a fill its places xy; draws first what was
    // gathered for another picture or clip.
    void add(QImage& im, RasterClip c, Stroke s, const double* xy = nullptr);
    std::vector<Stroke> Strokes;
    std::vector<double> Places; // of the fills
    // The masks of the dots drawn so far, by radius, rim width and where
    // the centre lies in its pixel, each in sixteenths.
    std::map<std::tuple<int, int, int, int>, Mask> Masks;
    QImage* Image = nullptr;
    RasterClip Clip{0, 0, 0, 0};
};
