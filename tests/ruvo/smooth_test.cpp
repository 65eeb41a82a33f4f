// Smooth drawing: antialiased strokes through the pixel centres, one
// logical pixel wide at any density, drawn in order however they are
// shared out.
#include "picture.h"
#include "smoothraster.h"
#include "surface.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <vector>

namespace {

// How much of a white pixel a black stroke covers, 0 to 1.
double darkness(QRgb p) {
    return 1 - qGreen(p) / 255.0;
}

struct SmoothSurface : Surface {
    SmoothSurface(int w = 60, int h = 60) : Surface(w, h) { ps.smooth(1); }
};

} // namespace

TEST(Smooth, StraightLinesAndMarksHaveTheSharpPixels) {
    // Across or down the picture a smooth line covers its pixels whole,
    // and leaves out its end pixel, as the sharp line does.
    Surface sharp;
    SmoothSurface smooth;
    for (Surface* s : {&sharp, static_cast<Surface*>(&smooth)}) {
        s->ps.move(5, 10);
        s->ps.lineto(40, 10);
        s->ps.move(50, 5);
        s->ps.lineto(50, 45);
        s->ps.move(40, 50);
        s->ps.lineto(8, 50);
        for (int type : {0, 2, 10}) s->ps.mark(15 + 12 * type / 2, 30, type);
    }
    const QImage a = *sharp.ps.bitmaphandle(), b = *smooth.ps.bitmaphandle();
    EXPECT_EQ(a, b);
    EXPECT_EQ(smooth.ps.pixel(39, 10), Color(0, 0, 0));
    EXPECT_EQ(smooth.ps.pixel(40, 10), Color(255, 255, 255));
    EXPECT_EQ(smooth.ps.pixel(8, 50), Color(255, 255, 255));
    EXPECT_EQ(smooth.ps.pixel(9, 50), Color(0, 0, 0));
}

TEST(Smooth, SlantedLinesShareEachColumnByDistance) {
    // Each column of a shallow line holds one pixel's worth of ink, centred
    // on the ideal line through the pixel centres; steep lines the same by
    // rows.
    for (bool steep : {false, true}) {
        SmoothSurface s(80, 80);
        int x0 = 5, y0 = 10, x1 = 70, y1 = 37;
        if (steep) std::swap(x0, y0), std::swap(x1, y1);
        s.ps.move(x0, y0);
        s.ps.lineto(x1, y1);
        const QImage& im = *s.ps.bitmaphandle();
        for (int u = 8; u < 66; ++u) {
            double ink = 0, moment = 0;
            for (int v = 0; v < 80; ++v) {
                double d = darkness(steep ? im.pixel(v, u) : im.pixel(u, v));
                ink += d;
                moment += d * v;
            }
            // The band runs half a pixel back along the line, which
            // leaves its centre line where it was.
            const double slope = 27.0 / 65;
            const double centre = (steep ? x0 : y0) + slope * (u - (steep ? y0 : x0));
            EXPECT_NEAR(ink, 1, 0.02) << "at " << u;
            EXPECT_NEAR(moment / ink, centre, 0.05) << "at " << u;
        }
    }
}

TEST(Smooth, CirclesCentreOnTheirCentrePixel) {
    // The ring of circle(x, y, r) is centred where the sharp circle is and
    // has its radius; every pixel far from it stays white.
    SmoothSurface s(100, 100);
    s.ps.circle(50, 50, 30, 1);
    const QImage& im = *s.ps.bitmaphandle();
    double ink = 0, mx = 0, my = 0, radius = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            double d = darkness(im.pixel(x, y));
            double r = std::hypot(x + 0.5 - 50, y + 0.5 - 50);
            if (std::fabs(r - 29.5) > 1.6) {
                EXPECT_EQ(d, 0) << x << "," << y;
            }
            ink += d;
            mx += d * x;
            my += d * y;
            radius += d * r;
        }
    // The sharp circle's pixels centre on (49.5, 49.5), halfway between
    // the pixels around its centre.
    EXPECT_NEAR(mx / ink, 49.5, 0.01);
    EXPECT_NEAR(my / ink, 49.5, 0.01);
    EXPECT_NEAR(radius / ink, 29.5, 0.05);
    EXPECT_NEAR(ink, 2 * M_PI * 29.5, 2);
}

TEST(Smooth, ArcsAreTheirPartOfTheRing) {
    // A quarter from three o'clock counterclockwise to twelve, and three
    // quarters back: each the part of the whole ring the sharp arc covers.
    for (bool wide : {false, true}) {
        Surface sharp(100, 100);
        SmoothSurface smooth(100, 100);
        SmoothSurface whole(100, 100);
        const double from = wide ? -M_PI / 2 : 0, to = wide ? 0 : -M_PI / 2;
        sharp.ps.arc(50, 50, 30, 1, from, to);
        smooth.ps.arc(50, 50, 30, 1, from, to);
        whole.ps.circle(50, 50, 30, 1);
        const Extent a = bounds(ink(sharp.ps)), b = bounds(ink(smooth.ps));
        EXPECT_NEAR(a.left, b.left, 1);
        EXPECT_NEAR(a.right, b.right, 1);
        EXPECT_NEAR(a.top, b.top, 1);
        EXPECT_NEAR(a.bottom, b.bottom, 1);
        const QImage& part = *smooth.ps.bitmaphandle();
        const QImage& all = *whole.ps.bitmaphandle();
        double inked = 0, total = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool quarter = x >= 50 && y < 50;
                const QRgb p = part.pixel(x, y);
                total += darkness(all.pixel(x, y));
                inked += darkness(p);
                // Inside its part the arc is the ring; outside, nothing.
                if (quarter != wide) {
                    EXPECT_EQ(p, all.pixel(x, y)) << x << "," << y;
                } else {
                    EXPECT_EQ(p, qRgb(255, 255, 255)) << x << "," << y;
                }
            }
        EXPECT_NEAR(inked / total, wide ? 0.75 : 0.25, 0.01);
    }
}

TEST(Smooth, ThinLinesKeepTheirWidthOnADenserPicture) {
    TestWindow w(60, 60);
    BitmapPS ps(w, 60, 60, 32, 2.0);
    ps.smooth(1);
    ps.bar(0, 0, 60, 60, Color(255, 255, 255));
    ps.color(Color(0, 0, 0));
    ps.move(10, 20);
    ps.lineto(40, 20);
    ps.circle(30, 40, 10, 1);
    ps.point(5, 5, Color(0, 0, 0));
    const QImage& im = *ps.bitmaphandle();
    ASSERT_EQ(im.width(), 120);
    // One logical row, two device rows, covered whole; the end pixel left
    // out.
    for (int x = 20; x < 80; ++x) {
        EXPECT_EQ(im.pixel(x, 40), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(im.pixel(x, 41), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(im.pixel(x, 39), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(im.pixel(x, 42), qRgb(255, 255, 255)) << x;
    }
    EXPECT_EQ(im.pixel(80, 40), qRgb(255, 255, 255));
    // A point is its logical pixel: four device pixels.
    for (int y = 9; y <= 12; ++y)
        for (int x = 9; x <= 12; ++x)
            EXPECT_EQ(im.pixel(x, y) == qRgb(0, 0, 0), x >= 10 && x <= 11 && y >= 10 && y <= 11);
    // The ring has about two device pixels of ink along its whole length.
    double ink = 0;
    for (int y = 50; y < 120; ++y)
        for (int x = 30; x < 100; ++x) ink += darkness(im.pixel(x, y));
    EXPECT_NEAR(ink / (2 * M_PI * 19), 2, 0.1);
}

TEST(Smooth, StrokesKeepTheirOrderWithWhatThePainterDraws) {
    // Strokes wait in a batch; a fill, text or a look at the picture draws
    // them first, so later drawing covers them as it would have.
    SmoothSurface s;
    s.ps.move(5, 10);
    s.ps.lineto(50, 10);
    s.ps.bar(20, 5, 10, 10, Color(255, 0, 0));
    s.ps.move(25, 8);
    s.ps.lineto(25, 30);
    EXPECT_EQ(s.ps.pixel(10, 10), Color(0, 0, 0));
    EXPECT_EQ(s.ps.pixel(22, 10), Color(255, 0, 0));
    EXPECT_EQ(s.ps.pixel(25, 10), Color(0, 0, 0));
    EXPECT_EQ(s.ps.pixel(25, 20), Color(0, 0, 0));
    s.ps.color(Color(0, 0, 255));
    s.ps.move(5, 40);
    s.ps.lineto(50, 40);
    Font f("Courier New", 20);
    s.ps.font(f);
    s.ps.textcolor(Color(0, 128, 0));
    s.ps.text(5, 30, "MMMM");
    // The text drawn over the line, not under it.
    bool green = false;
    for (int x = 5; x < 50; ++x) green = green || s.ps.pixel(x, 40) == Color(0, 128, 0);
    EXPECT_TRUE(green);
}

TEST(Smooth, TwoThreadsDrawWhatOneDraws) {
    // Many strokes in one batch are shared out between two threads; the
    // picture is the same as when each stroke is drawn on its own.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-100, 700), unit(0, 1);
    QImage together(600, 500, QImage::Format_RGB32), alone(600, 500, QImage::Format_RGB32);
    together.fill(Qt::white);
    alone.fill(Qt::white);
    SmoothBatch many, one;
    const RasterClip clip{3, 7, 590, 480};
    for (int i = 0; i < 3000; ++i) {
        const unsigned rgb = static_cast<unsigned>(random()) & 0xffffff;
        const double width = i % 3 == 0 ? 2 : i % 3 == 1 ? 1 : 1.5;
        if (i % 50 == 0) {
            double cx = at(random), cy = at(random), r = 80 * unit(random);
            many.ring(together, clip, cx, cy, r, width, rgb);
            one.ring(alone, clip, cx, cy, r, width, rgb);
        } else {
            double x0 = at(random), y0 = at(random), x1 = at(random), y1 = at(random);
            many.line(together, clip, x0, y0, x1, y1, width, rgb);
            one.line(alone, clip, x0, y0, x1, y1, width, rgb);
        }
        one.draw();
    }
    many.draw();
    EXPECT_TRUE(one.empty());
    EXPECT_TRUE(many.empty());
    EXPECT_EQ(together, alone);
    // Nothing outside the clip rectangle.
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 600; ++x)
            if (x < 3 || x >= 590 || y < 7 || y >= 480) {
                ASSERT_EQ(together.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
            }
}

TEST(Smooth, StrokesFarOutsideOrBrokenDrawOnlyWhatIsVisible) {
    QImage im(200, 100, QImage::Format_RGB32);
    im.fill(Qt::white);
    SmoothBatch b;
    const RasterClip clip{0, 0, 200, 100};
    // A line a billion pixels long crosses the picture once.
    b.line(im, clip, -1e9, 50, 1e9, 50.5, 1, 0);
    b.line(im, clip, 1e300, 0, -1e300, 1, 1, 0);
    b.line(im, clip, NAN, 0, 10, 10, 1, 0);
    b.line(im, clip, 0, INFINITY, 10, 10, 1, 0);
    b.line(im, clip, 5, 5, 5, 5, 1, 0);
    b.line(im, clip, 5, 5, 50, 5, 0, 0);
    b.ring(im, clip, 100, 50, -3, 1, 0);
    b.ring(im, clip, NAN, 50, 3, 1, 0);
    b.ring(im, clip, 100, 5e8, 5e8 - 40, 1, 0);
    b.line(im, clip, 0, 0, 10, 10, 1e300, 0);
    b.ring(im, clip, 50, 50, 10, 1e300, 0);
    b.draw();
    int inked = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) inked += im.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(inked, 400);
    for (int x = 0; x < 200; ++x) EXPECT_NE(im.pixel(x, 50), qRgb(255, 255, 255)) << x;
    // Any mixture of extreme values draws without fault (the sanitizers
    // watch every conversion).
    const double extreme[] = {0, -1, 0.5, 99.5, 250, -1e5, 1e9, -3e9, 1e18, -1e300, 1e300};
    std::mt19937 random(3);
    QImage scratch(200, 300, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    auto any = [&] { return extreme[random() % std::size(extreme)]; };
    for (int i = 0; i < 3000; ++i) {
        const RasterClip c{static_cast<int>(random() % 50), static_cast<int>(random() % 50),
                           static_cast<int>(random() % 250), static_cast<int>(random() % 350)};
        if (i % 4 == 0)
            b.ring(scratch, c, any(), any(), any(), any(), 0xff);
        else
            b.line(scratch, c, any(), any(), any(), any(), 1 + i % 3, 0xff00);
    }
    b.draw();
    // The huge ring's top is a flat arc through row 40.
    EXPECT_NE(im.pixel(100, 40), qRgb(255, 255, 255));
    EXPECT_NE(im.pixel(5, 40), qRgb(255, 255, 255));
    EXPECT_EQ(im.pixel(100, 30), qRgb(255, 255, 255));
}

TEST(Smooth, OverATransparentPictureTheInkIsItsCoverage) {
    PicturePS ps(PicturePS::Png, 40, 40, 1);
    ps.erase();
    ps.color(Color(255, 0, 0));
    ps.move(2, 3);
    ps.lineto(35, 20);
    const std::string bytes = ps.bytes();
    QImage im = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                 static_cast<int>(bytes.size()));
    ASSERT_FALSE(im.isNull());
    im = im.convertToFormat(QImage::Format_ARGB32);
    int seen = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            QRgb p = im.pixel(x, y);
            if (qAlpha(p) == 0) continue;
            ++seen;
            // Red wherever there is any ink: the colour is not darkened by
            // the transparent background.
            EXPECT_GE(qRed(p), 250) << x << "," << y;
            EXPECT_EQ(qGreen(p), 0);
        }
    EXPECT_GT(seen, 33);
}

TEST(Smooth, APolylineKeepsItsFractionsSmoothAndItsPixelsSharp) {
    // Sharp, a polyline is the lines to its places cut down to whole
    // pixels, and its last pixel.
    const double xy[] = {5.7, 10.2, 20.4, 14.9, 33.1, 30.6, 50.8, 31.3};
    Surface sharp, lines;
    sharp.ps.polyline(xy, 4);
    lines.ps.move(5, 10);
    for (int i = 1; i < 4; ++i)
        lines.ps.lineto(static_cast<int>(xy[2 * i]), static_cast<int>(xy[2 * i + 1]));
    lines.ps.point(50, 31, Color(0, 0, 0));
    EXPECT_EQ(*sharp.ps.bitmaphandle(), *lines.ps.bitmaphandle());
    // Smooth, its ink lies on the line through the places themselves: a
    // shallow line from (0.5, 10.3) to (59.5, 20.1) has a pixel's worth of
    // ink in each column, centred half a pixel above the place's row (the
    // centre of pixel row r is at r + 0.5).
    SmoothSurface s(60, 40);
    const double line[] = {0.5, 10.3, 30, 15.2, 59.5, 20.1};
    s.ps.polyline(line, 3);
    const QImage& im = *s.ps.bitmaphandle();
    for (int u = 4; u < 56; ++u) {
        double ink = 0, moment = 0;
        for (int v = 0; v < 40; ++v) {
            const double d = darkness(im.pixel(u, v));
            ink += d;
            moment += d * v;
        }
        const double centre = 10.3 + (u + 0.5 - 0.5) * 9.8 / 59 - 0.5;
        EXPECT_NEAR(ink, 1, 0.03) << "at " << u;
        EXPECT_NEAR(moment / ink, centre, 0.06) << "at " << u;
    }
    // Steps of a few pixels round a circle join without a light or a dark
    // pixel: the top quarter has a pixel of ink in each column.
    SmoothSurface round(80, 80);
    std::vector<double> ring;
    for (int i = 0; i <= 46; ++i) {
        ring.push_back(40 + 30 * std::cos(i * M_PI / 23));
        ring.push_back(40 - 30 * std::sin(i * M_PI / 23));
    }
    round.ps.polyline(ring.data(), 47);
    const QImage& r = *round.ps.bitmaphandle();
    for (int u = 22; u < 58; ++u) {
        double ink = 0;
        for (int v = 0; v < 40; ++v) ink += darkness(r.pixel(u, v));
        EXPECT_NEAR(ink, 1, 0.06) << "at " << u;
    }
}
