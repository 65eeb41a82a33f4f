// The modern look against the classic one, on a picture of the plain view:
// 140 x 140 pixels, 10 pixels a unit, the origin at pixel (70, 70).
#include "bitmapps.h"
#include "derived.h"
#include "label.h"
#include "line.h"
#include "model.h"

#include <cmath>

using Style = Model;

namespace {

struct Picture {
    explicit Picture(int modern) {
        ps.smooth(1);
        ps.modern(modern);
    }
    Window w;
    BitmapPS ps{w, 140, 140};
    Color at(int c, int r) const { return ps.pixel(c, r); }
    // How much ink lies in column c between rows r0 and r1 (0 to 1 a pixel).
    double column(int c, int r0, int r1) const {
        double ink = 0;
        for (int r = r0; r < r1; ++r) ink += 1 - at(c, r).green() / 255.0;
        return ink;
    }
    bool white(int c, int r) const { return at(c, r) == Color(255, 255, 255); }
};

} // namespace

TEST_F(Style, ModernPointsAreDotsAndLinesAreWider) {
    Point* a = new Point(-3, 0);
    Point* b = new Point(3, 0);
    a->setcolor(1);
    auto* m = new Middle(a, b);
    m->setcolor(1);
    new Segment(new Point(-5, -3), new Point(5, -3));
    Picture classic(0), modern(1);
    objects.draw(classic.ps);
    objects.draw(modern.ps);
    // A free point is a filled dot of its colour, a dependent one a lighter
    // dot; the classic marks are hollow squares.
    const Color blue = objectcolors.dark(1, 1);
    EXPECT_EQ(modern.at(40, 70), blue);
    EXPECT_EQ(modern.at(42, 70), blue);
    const Color lighter = modern.at(70, 70);
    EXPECT_GT(lighter.red(), blue.red() + 60) << "lighter";
    EXPECT_GT(lighter.blue(), blue.blue());
    EXPECT_TRUE(classic.white(40, 70));
    EXPECT_TRUE(classic.white(70, 70));
    // A line has more ink in each column than the classic one's pixel.
    EXPECT_GT(modern.column(70, 90, 110), 1.25);
    EXPECT_NEAR(classic.column(70, 90, 110), 1, 0.1);
}

TEST_F(Style, ModernNamesStandClearOfTheirDots) {
    Point* p = new Point(0, 0);
    Picture bare(1), named(1);
    objects.draw(bare.ps);
    p->showname = 1;
    objects.draw(named.ps);
    int name = 0;
    for (int r = 0; r < 140; ++r)
        for (int c = 0; c < 140; ++c) {
            if (named.at(c, r) == bare.at(c, r)) continue;
            ++name;
            EXPECT_GT(std::hypot(c - 70, r - 70), 5.5) << c << " " << r;
            EXPECT_GT(c, 70) << "to the right";
            EXPECT_LT(r, 70) << "above";
        }
    EXPECT_GT(name, 10) << "the name is drawn";
}

TEST_F(Style, ModernHiddenLinesAreDashedAndHighlightsGlow) {
    auto* s = new Segment(new Point(-5, 0), new Point(5, 0));
    s->ishidden = 1;
    view().showhidden = 1;
    Picture classic(0), modern(1);
    objects.draw(classic.ps);
    objects.draw(modern.ps);
    view().showhidden = 0;
    int gaps = 0, classicgaps = 0;
    for (int c = 30; c < 110; ++c) {
        gaps += modern.column(c, 60, 80) < 0.05;
        classicgaps += classic.column(c, 60, 80) < 0.05;
    }
    EXPECT_GT(gaps, 15) << "dashes";
    EXPECT_EQ(classicgaps, 0);
    // Highlighted, the modern line lies on a glow two pixels off it; the
    // classic one turns red and has none.
    s->ishidden = 0;
    s->highlight.set();
    Picture glow(1), red(0);
    objects.draw(glow.ps);
    objects.draw(red.ps);
    EXPECT_EQ(glow.at(70, 72), objectcolors.glow());
    EXPECT_EQ(glow.at(70, 70), objectcolors.dark(0, 1));
    EXPECT_TRUE(red.white(70, 72));
    EXPECT_EQ(red.at(70, 70), objectcolors.highlight());
}

TEST_F(Style, ModernNamesTakeTheFirstPlaceNoOtherNameHas) {
    Point* a = new Point(0, 0);
    Point* b = new Point(0, 0.1);
    a->setname("A");
    b->setname("B");
    a->showname = b->showname = 1;
    Picture modern(1), classic(0);
    objects.draw(modern.ps);
    // A's name stands to its upper right; B's, a pixel above, would meet
    // it there and goes to the upper left.
    EXPECT_EQ(labelowner(modern.ps, 1, 0.8), a);
    EXPECT_NE(labelowner(modern.ps, 1, 0.9), b);
    EXPECT_EQ(labelowner(modern.ps, -1, 0.9), b);
    // A name dragged stays where it was put; the classic look places none.
    b->LabelDx = 30;
    objects.draw(modern.ps);
    EXPECT_EQ(labelowner(modern.ps, 4, 0.9), b);
    objects.draw(classic.ps);
    EXPECT_EQ(labelowner(classic.ps, 4, 0.4), b);
}

TEST_F(Style, ALabelOnADotMovesAsideAndIsDraggedAway) {
    Point* a = new Point(-3, 0);
    Point* b = new Point(3, 0);
    Segment* s = new Segment(a, b);
    s->showlength = 1;
    Picture classic(0), modern(1);
    objects.draw(modern.ps);
    // Free, the length stands above the middle of the segment.
    EXPECT_EQ(labelowner(modern.ps, 0, 0.8), s);
    EXPECT_EQ(labelowner(modern.ps, 0, -0.8), nullptr);
    // A point there takes the place: the length goes below.
    new Point(0, 0.9);
    objects.draw(modern.ps);
    EXPECT_EQ(labelowner(modern.ps, 0, -0.8), s);
    EXPECT_NE(labelowner(modern.ps, 0, 0.8), s);
    // The classic look keeps it where it always stood.
    objects.draw(classic.ps);
    EXPECT_EQ(labelowner(classic.ps, 0, 0.8), s);
    // Dragged twenty pixels right from where it stood aside, it stands
    // there in whole pixels, whatever lies under it.
    int sx = 0, sy = 0;
    objects.draw(modern.ps);
    ASSERT_EQ(labelowner(modern.ps, 0, -0.8, &sx, &sy), s);
    EXPECT_EQ(sx, 0);
    EXPECT_GT(sy, 10) << "below, not above";
    LabelHandle h;
    h.hold(s, sx, sy);
    h.grab(0, -0.8);
    h.dragto(20.4 * view().Pixel, -0.8);
    EXPECT_EQ(s->LabelDx, 20);
    EXPECT_EQ(s->LabelDy, sy);
    objects.draw(modern.ps);
    EXPECT_EQ(labelowner(modern.ps, 2, -0.8, &sx, &sy), s);
    EXPECT_EQ(sy, 0) << "a label dragged keeps its place";
    EXPECT_EQ(labelowner(modern.ps, 0, -0.8), nullptr);
}
