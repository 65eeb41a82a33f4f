#include "surface.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

TEST(PS, MarksCoverTheirPixels) {
    Surface s;
    EXPECT_EQ(s.ps.markersize(), 4);
    PixelSet diag, upright;
    for (int i = -4; i <= 4; ++i) {
        diag.insert({30 + i, 30 + i});
        diag.insert({30 + i, 30 - i});
        upright.insert({30 + i, 30});
        upright.insert({30, 30 + i});
    }
    s.ps.mark(30, 30, 1);
    EXPECT_EQ(ink(s.ps), diag);
    s.clear();
    s.ps.mark(30, 30, 2);
    EXPECT_EQ(ink(s.ps), upright);
    s.clear();
    s.ps.mark(30, 30, 4);
    PixelSet star = diag;
    star.insert(upright.begin(), upright.end());
    EXPECT_EQ(ink(s.ps), star);

    PixelSet square;
    for (int i = -4; i <= 4; ++i) {
        square.insert({30 + i, 26});
        square.insert({30 + i, 34});
        square.insert({26, 30 + i});
        square.insert({34, 30 + i});
    }
    for (int type : {0, 5, 6, 9, 99, -1}) {
        s.clear();
        s.ps.mark(30, 30, type);
        EXPECT_EQ(ink(s.ps), square) << "type " << type;
    }

    s.clear();
    s.ps.color(Color(0, 0, 255));
    s.ps.mark(30, 30, 10);
    EXPECT_EQ(ink(s.ps), (PixelSet{{30, 30}}));
    EXPECT_EQ(s.ps.pixel(30, 30), Color(0, 0, 255));

    s.clear();
    s.ps.mark(30, 30, 3);
    Extent d = bounds(ink(s.ps));
    EXPECT_EQ(d.left, 26);
    EXPECT_EQ(d.right, 34);
    EXPECT_EQ(d.top, 26);
    EXPECT_EQ(d.bottom, 34);
    EXPECT_EQ(s.ps.pixel(30, 30), Color(255, 255, 255));

    s.clear();
    s.ps.markersize(6);
    s.ps.mark(30, 30, 11);
    Extent c = bounds(ink(s.ps));
    EXPECT_EQ(c.left, 24);
    EXPECT_EQ(c.right, 35);
    EXPECT_EQ(c.top, 24);
    EXPECT_EQ(c.bottom, 35);
    EXPECT_EQ(s.ps.pixel(30, 30), Color(255, 255, 255)) << "a circle mark is not filled";
}

TEST(PS, LinesLeaveOutTheirEndPixel) {
    Surface s;
    s.ps.move(10, 10);
    s.ps.lineto(20, 10);
    PixelSet h;
    for (int x = 10; x < 20; ++x) h.insert({x, 10});
    EXPECT_EQ(ink(s.ps), h);
    EXPECT_EQ(s.ps.x(), 20);
    EXPECT_EQ(s.ps.y(), 10);

    s.clear();
    s.ps.move(40, 40);
    s.ps.lineto(40, 30); // upwards
    s.ps.move(5, 5);
    s.ps.lineto(5, 5); // nothing
    PixelSet v;
    for (int y = 31; y <= 40; ++y) v.insert({40, y});
    EXPECT_EQ(ink(s.ps), v);

    s.clear();
    s.ps.move(10, 10);
    s.ps.lineto(30, 20);
    PixelSet d = ink(s.ps);
    EXPECT_EQ(d.size(), 20u);
    EXPECT_TRUE(d.count({10, 10}));
    EXPECT_FALSE(d.count({30, 20}));

    // A thick pen for one line, then the surface's own pen again.
    s.clear();
    Pen thick(Color(0, 128, 0), 3);
    s.ps.move(10, 30);
    s.ps.lineto(50, 30, thick);
    Extent t = bounds(ink(s.ps));
    EXPECT_EQ(t.bottom - t.top, 2) << "three pixels wide";
    EXPECT_EQ(s.ps.pixel(30, 29), Color(0, 128, 0));
    s.ps.move(10, 50);
    s.ps.lineto(50, 50);
    EXPECT_EQ(s.ps.pixel(30, 50), Color(0, 0, 0));
    EXPECT_EQ(s.ps.pixel(30, 49), Color(255, 255, 255));

    // A dotted pen leaves gaps.
    s.clear();
    Pen dotted(Color(0, 0, 0), 1, Pen::Dotted);
    s.ps.move(0, 5);
    s.ps.lineto(60, 5, dotted);
    size_t n = ink(s.ps).size();
    EXPECT_GT(n, 10u);
    EXPECT_LT(n, 45u);
}

TEST(PS, ColorKeepsItsPenWhenUnchanged) {
    Surface s;
    const Pen* p = s.ps.pen();
    EXPECT_EQ(s.ps.color(Color(0, 0, 0)), Color(0, 0, 0));
    EXPECT_EQ(s.ps.pen(), p);
    EXPECT_EQ(s.ps.color(Color(200, 0, 0)), Color(0, 0, 0));
    EXPECT_NE(s.ps.pen(), nullptr);
    EXPECT_EQ(s.ps.pen()->color(), Color(200, 0, 0));
    const Pen* q = s.ps.pen();
    EXPECT_EQ(s.ps.color(Color(200, 0, 0)), Color(200, 0, 0));
    EXPECT_EQ(s.ps.pen(), q);
    EXPECT_EQ(s.ps.col(), Color(200, 0, 0));

    s.ps.point(3, 4, Color(1, 2, 3));
    EXPECT_EQ(s.ps.pixel(3, 4), Color(1, 2, 3));
    EXPECT_EQ(ink(s.ps).size(), 1u);
    EXPECT_EQ(s.ps.pen(), q) << "a pixel does not change the pen";
}

TEST(PS, RectanglesExcludeRightAndBottomEdges) {
    Surface s;
    s.ps.rectangle(5, 5, 10, 6);
    PixelSet r = ink(s.ps);
    Extent b = bounds(r);
    EXPECT_EQ(b.left, 5);
    EXPECT_EQ(b.right, 14);
    EXPECT_EQ(b.top, 5);
    EXPECT_EQ(b.bottom, 10);
    EXPECT_EQ(r.size(), 2u * 10 + 2 * 4);

    s.clear();
    s.ps.bar(5, 5, 10, 6, Color(0, 0, 255));
    PixelSet f = ink(s.ps);
    EXPECT_EQ(f.size(), 60u);
    EXPECT_EQ(bounds(f).right, 14);

    s.clear();
    s.ps.filledrectangle(5, 5, 10, 6, Color(0, 0, 255));
    EXPECT_EQ(ink(s.ps).size(), 60u);
    EXPECT_EQ(s.ps.pixel(5, 5), Color(0, 0, 0)) << "outline in the pen's colour";
    EXPECT_EQ(s.ps.pixel(14, 10), Color(0, 0, 0));
    EXPECT_EQ(s.ps.pixel(8, 8), Color(0, 0, 255));
    EXPECT_EQ(s.ps.pixel(15, 8), Color(255, 255, 255));

    s.clear();
    Brush green(Color(0, 255, 0));
    s.ps.bar(0, 0, 3, 3, green);
    EXPECT_EQ(ink(s.ps).size(), 9u);
    EXPECT_EQ(s.ps.pixel(2, 2), Color(0, 255, 0));

    s.clear();
    Pen red(Color(255, 0, 0));
    s.ps.rectangle(20, 20, 4, 4, red);
    EXPECT_EQ(s.ps.pixel(23, 23), Color(255, 0, 0));
    EXPECT_EQ(s.ps.pen()->color(), Color(0, 0, 0));
}

TEST(PS, CirclesAndArcs) {
    Surface s;
    s.ps.circle(30, 30, 10, 1);
    Extent c = bounds(ink(s.ps));
    EXPECT_EQ(c.left, 20);
    EXPECT_EQ(c.right, 39);
    EXPECT_EQ(c.top, 20);
    EXPECT_EQ(c.bottom, 39);
    EXPECT_EQ(s.ps.pixel(30, 30), Color(255, 255, 255));

    s.clear();
    s.ps.circle(30, 30, 10, 0.5);
    c = bounds(ink(s.ps));
    EXPECT_NEAR(c.left, 20, 1); // flat ellipses may reach one pixel further sideways
    EXPECT_NEAR(c.right, 39, 1);
    EXPECT_EQ(c.top, 25);
    EXPECT_EQ(c.bottom, 34);

    // Circles of every size cover exactly x - r ... x + r - 1.
    for (int r = 1; r < 29; ++r) {
        s.clear();
        s.ps.circle(30, 30, r, 1);
        c = bounds(ink(s.ps));
        ASSERT_EQ(c.left, 30 - r) << r;
        ASSERT_EQ(c.right, 29 + r) << r;
        ASSERT_EQ(c.top, 30 - r) << r;
        ASSERT_EQ(c.bottom, 29 + r) << r;
    }

    s.clear();
    s.ps.circle(30, 30, 0, 1);
    EXPECT_TRUE(ink(s.ps).empty());

    // From the rightmost point up over the top and the left side down to the
    // bottom: three quarters, leaving out the lower right quarter.
    s.clear();
    s.ps.arc(30, 30, 15, 1, 0, M_PI / 2);
    PixelSet a = ink(s.ps);
    int upperright = 0, upperleft = 0, lowerleft = 0, lowerright = 0;
    for (auto [x, y] : a) {
        if (x > 32 && y < 28) ++upperright;
        if (x < 28 && y < 28) ++upperleft;
        if (x < 28 && y > 32) ++lowerleft;
        if (x > 32 && y > 32) ++lowerright;
    }
    EXPECT_GT(upperright, 5);
    EXPECT_GT(upperleft, 5);
    EXPECT_GT(lowerleft, 5);
    EXPECT_EQ(lowerright, 0);
    Extent ab = bounds(a);
    EXPECT_EQ(ab.left, 15);
    EXPECT_EQ(ab.top, 15);

    // The other way round only the lower right quarter remains.
    s.clear();
    s.ps.arc(30, 30, 15, 1, M_PI / 2, 0);
    upperleft = lowerright = 0;
    for (auto [x, y] : ink(s.ps)) {
        if (x < 28 && y < 28) ++upperleft;
        if (x > 32 && y > 32) ++lowerright;
    }
    EXPECT_EQ(upperleft, 0);
    EXPECT_GT(lowerright, 5);

    // Equal rays give the whole circle.
    s.clear();
    s.ps.arc(30, 30, 10, 1, 1.0, 1.0);
    s.ps.circle(30, 30, 10, 1); // draws over the same pixels
    PixelSet full = ink(s.ps);
    s.clear();
    s.ps.circle(30, 30, 10, 1);
    EXPECT_EQ(full, ink(s.ps));

    // A given pen, then the surface's pen again.
    s.clear();
    Pen thick(Color(255, 0, 0), 3);
    s.ps.circle(30, 30, 10, 1, thick);
    EXPECT_GT(ink(s.ps).size(), 100u);
    EXPECT_EQ(s.ps.pen()->color(), Color(0, 0, 0));
}

TEST(PS, PolygonsOriginAndClipping) {
    Surface s;
    Points p;
    p.add(10, 10);
    p.add(30, 10);
    p.add(30, 30);
    p.add(10, 30);
    s.ps.polygon(p, Color(0, 0, 255), Color(255, 0, 0));
    EXPECT_EQ(s.ps.pixel(20, 20), Color(0, 0, 255));
    EXPECT_EQ(s.ps.pixel(10, 20), Color(255, 0, 0));
    EXPECT_EQ(s.ps.col(), Color(255, 0, 0)) << "the outline colour stays in effect";

    s.clear();
    s.ps.fillpolygon(p, Color(0, 255, 0));
    EXPECT_EQ(s.ps.pixel(20, 20), Color(0, 255, 0));
    EXPECT_EQ(s.ps.pixel(10, 20), Color(0, 255, 0));

    // A sub-rectangle as the drawing area: origin moved, drawing clipped.
    s.clear();
    s.ps.color(Color(0, 0, 0));
    s.ps.set(10, 10, 20, 20);
    EXPECT_EQ(s.ps.width(), 20);
    s.ps.move(-20, 5);
    s.ps.lineto(60, 5);
    PixelSet l;
    for (int x = 10; x < 30; ++x) l.insert({x, 15});
    EXPECT_EQ(ink(s.ps), l);

    s.clear();
    s.ps.set(0, 0, 60, 60);
    s.ps.clip(5, 5, 10, 10);
    s.ps.bar(0, 0, 60, 60, Color(0, 0, 0));
    Extent b = bounds(ink(s.ps));
    EXPECT_EQ(b.left, 5);
    EXPECT_EQ(b.right, 14);
    s.ps.unclip();
    s.ps.bar(50, 50, 2, 2, Color(0, 0, 0));
    EXPECT_EQ(s.ps.pixel(51, 51), Color(0, 0, 0));

    s.ps.erase();
    EXPECT_TRUE(ink(s.ps).empty()) << "erase fills with the window background";
}

TEST(PS, NoDeviceDrawsNothing) {
    // A window that was never created gives a surface without a device.
    TestWindow w(50, 40);
    WindowPS ps(w);
    EXPECT_EQ(ps.handle(), nullptr);
    EXPECT_EQ(ps.width(), 50);
    ps.move(0, 0);
    ps.lineto(10, 10);
    ps.circle(5, 5, 3, 1);
    ps.text(1, 1, "x");
    EXPECT_EQ(ps.textheight(), 0);
    EXPECT_EQ(ps.x(), 10);
}

TEST(PS, LinesAreTheWholeLinesPixelsLessTheEnd) {
    Surface s;
    // A steep line keeps every pixel within half a pixel of the ideal line.
    s.ps.move(32, 32);
    s.ps.lineto(24, 52);
    PixelSet steep = ink(s.ps);
    EXPECT_EQ(steep.size(), 20u) << "one pixel a row, the end row left out";
    for (auto [x, y] : steep) {
        double ideal = 32 - 8.0 * (y - 32) / 20;
        EXPECT_LE(std::abs(x - ideal), 0.5) << x << "," << y;
        EXPECT_NE(y, 52);
    }
    // In every direction: one pixel for each step along the major axis, from
    // the start to just before the end, each within half a pixel.
    for (auto [ex, ey] : std::vector<std::pair<int, int>>{
             {40, 5}, {58, 17}, {55, 40}, {40, 58}, {22, 55}, {5, 40}, {5, 22}, {17, 5}}) {
        s.clear();
        s.ps.move(30, 30);
        s.ps.lineto(ex, ey);
        PixelSet line = ink(s.ps);
        int n = std::max(std::abs(ex - 30), std::abs(ey - 30));
        EXPECT_EQ(static_cast<int>(line.size()), n) << ex << "," << ey;
        EXPECT_TRUE(line.count({30, 30}));
        EXPECT_FALSE(line.count({ex, ey}));
        for (auto [x, y] : line) {
            double d = std::abs((x - 30.0) * (ey - 30) - (y - 30.0) * (ex - 30)) /
                       std::max(std::abs(ex - 30), std::abs(ey - 30));
            EXPECT_LE(d, 0.5 + 1e-9) << ex << "," << ey << ": " << x << "," << y;
        }
    }
    // A line far longer than the picture draws its visible part, at once.
    s.clear();
    s.ps.move(-100000000, 20);
    s.ps.lineto(100000000, 21);
    PixelSet row = ink(s.ps);
    EXPECT_EQ(static_cast<int>(row.size()), s.ps.width());
    // A 1 x 1 outline is its one pixel.
    s.clear();
    s.ps.rectangle(7, 9, 1, 1);
    EXPECT_EQ(ink(s.ps), (PixelSet{{7, 9}}));
    s.clear();
    s.ps.rectangle(7, 9, 3, 1);
    EXPECT_EQ(ink(s.ps), (PixelSet{{7, 9}, {8, 9}, {9, 9}}));
}

TEST(PS, RegionFillsAreThePaintersPixelsOrATranslucentShare) {
    // Sharp: exactly the pixels the painter's own aliased fill sets, for
    // triangles, a concave ring, a self-crossing one, and one beyond the
    // picture; clipped as everything is. (Where an edge runs exactly
    // through pixel centres the two may take different sides.)
    const std::vector<std::vector<PSPoint>> shapes = {
        {{5, 5}, {50, 9}, {20, 40}},
        {{3, 50}, {57, 58}, {30, 2}},
        {{10, 10}, {50, 10}, {50, 50}, {30, 20}, {10, 50}},
        {{5, 5}, {55, 50}, {55, 5}, {4, 53}},
        {{-100, 30}, {200, 20}, {30, 300}},
    };
    for (size_t k = 0; k < shapes.size(); ++k) {
        Points p;
        for (PSPoint q : shapes[k]) p.add(q.x, q.y);
        Surface ours, theirs;
        ours.ps.clip(2, 3, 50, 52);
        theirs.ps.clip(2, 3, 50, 52);
        ours.ps.fillregion(p, Color(0, 0, 255));
        QPainter* painter = theirs.ps.handle();
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(255, 0, 0));
        QPolygon q;
        for (PSPoint v : shapes[k]) q << QPoint(v.x, v.y);
        painter->drawPolygon(q, Qt::WindingFill);
        EXPECT_EQ(ink(ours.ps), ink(theirs.ps)) << k;
    }
    // Smooth: a quarter of the colour inside, what lies below showing.
    Surface s;
    s.ps.bar(0, 20, 60, 2, Color(0, 0, 0));
    s.ps.smooth(1);
    Points p;
    for (PSPoint q : shapes[0]) p.add(q.x, q.y);
    s.ps.fillregion(p, Color(0, 0, 255));
    s.ps.flush();
    Color inside = s.ps.pixel(25, 15), line = s.ps.pixel(25, 20), outside = s.ps.pixel(55, 45);
    EXPECT_NEAR(inside.red(), 191, 2);
    EXPECT_EQ(inside.blue(), 255);
    EXPECT_LT(line.red(), 10) << "the black line below stays dark";
    EXPECT_GT(line.blue(), 50);
    EXPECT_EQ(outside, Color(255, 255, 255));
}
