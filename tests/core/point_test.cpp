#include "bitmapps.h"
#include "model.h"

#include <set>

using PointObjects = Model;

namespace {

// Pixels of a picture that differ from white.
std::set<std::pair<int, int>> ink(const BitmapPS& ps) {
    std::set<std::pair<int, int>> s;
    for (int y = 0; y < ps.height(); ++y)
        for (int x = 0; x < ps.width(); ++x)
            if (ps.pixel(x, y) != Color(255, 255, 255)) s.insert({x, y});
    return s;
}

// A point on the line through two points: stands in for the dependants.
class Follower : public Pointprim {
  public:
    Follower(Pointprim* a) : Pointprim(0, 0), A(a) {}
    void update() override { set(A->x() * 2, A->y() + 1); }
    int dep(Object** o) override {
        o[0] = A;
        return 1;
    }
    Pointprim* A;
};

} // namespace

TEST_F(PointObjects, DrawsItsMarkAndName) {
    Window w;
    BitmapPS ps(w, 140, 140); // 10 pixels a unit in the plain view
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    Point* p = new Point(0, 0);
    p->draw(ps);
    auto square = ink(ps);
    EXPECT_EQ(square.size(), 32u) << "a square of half-size 4 around (70, 70)";
    EXPECT_TRUE(square.count({66, 66}));
    EXPECT_TRUE(square.count({74, 74}));
    EXPECT_EQ(ps.pixel(66, 66), Color(0, 0, 0));

    for (int symbol : {11, 10, 1}) {
        ps.bar(0, 0, 140, 140, Color(255, 255, 255));
        p->Symbol = symbol;
        p->draw(ps);
        if (symbol == 10) {
            EXPECT_EQ(ink(ps).size(), 1u);
        } else if (symbol == 1) {
            EXPECT_TRUE(ink(ps).count({74, 74}));
        } else {
            EXPECT_FALSE(ink(ps).count({70, 70}));
        }
    }

    // The name's bottom-left corner at the point's row, w/100 to the right.
    Font f("DejaVu Sans", 14);
    font = &f;
    ps.font(f);
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    p->Symbol = 10;
    p->showname = 1;
    p->highlight.set();
    p->draw(ps);
    auto named = ink(ps);
    int left = 1000, bottom = -1;
    for (auto [x, y] : named)
        if (x > 70) left = std::min(left, x), bottom = std::max(bottom, y);
    EXPECT_GE(left, 71);
    EXPECT_LE(left, 73);
    EXPECT_LT(bottom, 70);
    EXPECT_GT(bottom, 60);
    EXPECT_EQ(ps.pixel(70, 70), Color(200, 0, 0));
    font = nullptr;

    // Nothing for invalid or hidden points.
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    p->valid = 0;
    p->draw(ps);
    p->valid = 1;
    p->ishidden = 1;
    p->draw(ps);
    EXPECT_TRUE(ink(ps).empty());
}

TEST_F(PointObjects, TracksAreCappedAndReplayed) {
    Point* driver = new Point(0, 0);
    Follower* traced = new Follower(driver);
    objects.update();

    // Choosing the traced point; the first drag makes the dragged point the driver.
    traced->starttrack();
    traced->highlight.set();
    traced->highlight.fix();
    EXPECT_EQ(objects.tracking(), 1);
    EXPECT_EQ(objects.findtrackpoint(), nullptr);
    objects.resettracks();
    driver->trackpoint(1);
    driver->starttrack();
    EXPECT_EQ(objects.findtrackpoint(), driver);
    for (int i = 1; i <= 1100; ++i) {
        driver->set(i * 0.01, 0);
        objects.update();
        driver->updatetrack();
        objects.updatetracks();
    }
    EXPECT_EQ(driver->track()->count(), 1024);
    EXPECT_EQ(traced->track()->count(), 1024);
    EXPECT_DOUBLE_EQ(traced->X, 22) << "the point still moves";
    EXPECT_DOUBLE_EQ(traced->track()->x(1023), 2 * 10.23);

    // Replaying the driver's path recomputes the locus.
    objects.resettracks();
    EXPECT_EQ(traced->track()->count(), 1);
    EXPECT_TRUE(traced->highlight) << "traced points are pinned red";
    driver->computetracks();
    EXPECT_EQ(traced->track()->count(), 1024);
    EXPECT_DOUBLE_EQ(traced->track()->x(0), 0);
    EXPECT_DOUBLE_EQ(traced->track()->x(500), 2 * 5.0);
    EXPECT_DOUBLE_EQ(driver->X, 10.23) << "the driver ends at its last recorded position";
    EXPECT_EQ(driver->track()->count(), 1024);

    objects.unhighlight();
    EXPECT_TRUE(traced->highlight);
    objects.deletetracks();
    EXPECT_EQ(traced->track(), nullptr);
    EXPECT_EQ(driver->trackpoint(), 0);
    EXPECT_FALSE(traced->highlight) << "the pin is released";
    EXPECT_EQ(objects.tracking(), 0);
}

TEST_F(PointObjects, TrackDrawing) {
    Window w;
    BitmapPS ps(w, 140, 140);
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    Point* p = new Point(0, 0);
    p->Symbol = 10;
    p->setcolor(1);
    p->starttrack();
    p->draw(ps);
    EXPECT_EQ(ink(ps).size(), 1u) << "one position draws no track";
    p->set(2, 0);
    p->updatetrack();
    p->set(0, 0);
    p->draw(ps);
    EXPECT_EQ(ps.pixel(75, 70), Color(0, 0, 0)) << "tracks are black";
    EXPECT_EQ(ps.pixel(89, 70), Color(0, 0, 0));
    EXPECT_EQ(ps.pixel(90, 70), Color(255, 255, 255)) << "the end pixel is left out";
    ps.bar(0, 0, 140, 140, Color(255, 255, 255));
    p->trackpoint(1);
    p->draw(ps);
    EXPECT_EQ(ink(ps).size(), 1u) << "the driver's own track is not drawn";

    EXPECT_EQ(p->setspecialflag("symbol:cross"), 1);
    EXPECT_EQ(p->Symbol, 1);
    EXPECT_EQ(p->setspecialflag("symbol:square"), 1);
    EXPECT_EQ(p->Symbol, 5);
    EXPECT_EQ(p->setspecialflag("symbol:star"), 0);
    EXPECT_EQ(p->setspecialflag("color:blue"), 0);
}
