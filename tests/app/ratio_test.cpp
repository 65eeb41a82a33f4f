// On a screen of twice the density (the offscreen platform scaled by two), a
// smooth picture has twice the pixels each way and the same construction in
// the same places; a sharp one keeps the pixels of the pixel rules.
#include "app.h"
#include "bitmapps.h"
#include "commands.h"
#include "point.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Ratio : Main {};

} // namespace

TEST_F(Ratio, ASmoothPictureHasTheScreensDensity) {
    ASSERT_DOUBLE_EQ(window.ratio(), 2.0) << "QT_SCALE_FACTOR=2 for this test";
    new Point(0, 0);
    objects.redraw();
    EXPECT_EQ(bitmap->bitmaphandle()->size(), QSize(window.width(), window.height()))
        << "sharp: one device pixel a pixel";
    window.command(SmoothCommand);
    ASSERT_TRUE(window.Smooth);
    const QImage& im = *bitmap->bitmaphandle();
    EXPECT_EQ(im.size(), QSize(2 * window.width(), 2 * window.height()));
    EXPECT_DOUBLE_EQ(im.devicePixelRatio(), 2.0);
    EXPECT_EQ(bitmap->width(), window.width()) << "drawn in the drawing area's pixels";
    // The point's mark lies around the centre, in device pixels twice as far.
    int c = window.col(0), r = window.row(0), m = bitmap->markersize();
    int dark = 0;
    for (int x = 2 * (c - m) - 2; x <= 2 * (c + m) + 2; ++x)
        for (int y = 2 * (r - m) - 2; y <= 2 * (r + m) + 2; ++y)
            dark += qGray(im.pixel(x, y)) < 128;
    EXPECT_GT(dark, 8);
    EXPECT_EQ(qGray(im.pixel(2 * c + 6 * m, 2 * r)), 255) << "and nothing beside it";
    window.command(SmoothCommand);
}
