#include "changing.h"
#include "circle.h"
#include "derived.h"
#include "line.h"
#include "objectlist.h"
#include "scripted.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Recorder : ToolHost {
    void inform(const char* t) override { Prompt = t; }
    void releasetool() override { ++Released; }
    std::string Prompt;
    int Released = 0;
};

int px(double x) {
    return static_cast<int>(std::lround((x + 7) / 14 * 500));
}
int py(double y) {
    return static_cast<int>(std::lround((7 - y) / 14 * 500));
}

struct Changing : ::testing::Test {
    Recorder host;
    ScriptedAnswerer answers; // a dialog without a script is cancelled
    void SetUp() override {
        sethost(&host);
        objects.clear();
        objects.stopat(0);
        counts.reset();
    }
    void TearDown() override {
        objects.clear();
        objects.stopat(0);
        sethost(nullptr);
    }
    void use(Action& a) {
        a.abort();
        a.start();
        a.inform();
    }
    // A drag with the left button from (x1, y1) to (x2, y2) in steps.
    void drag(Action& a, double x1, double y1, double x2, double y2) {
        a.dragperform(1, px(x1), py(y1));
        for (int i = 1; i <= 4; ++i)
            a.dragperform(9, px(x1 + (x2 - x1) * i / 4), py(y1 + (y2 - y1) * i / 4));
        a.dragperform(0, px(x2), py(y2));
    }
};

} // namespace

TEST_F(Changing, HideAndDelete) {
    Point* a = new Point(-4, -2);
    Point* b = new Point(4, -2);
    Point* c = new Point(0, 3);
    Segment* ab = new Segment(a, b);
    new Segment(b, c);
    new Segment(c, a);
    Middle* m = new Middle(a, b);
    DepLine* perpendicular = makeparallel(m, ab, 1);
    (void)perpendicular;

    use(hideaction);
    EXPECT_EQ(host.Prompt, "Hide/Unhide: Choose an object!");
    hideaction.perform(px(-2), py(0.5));
    Object* ca = objects.find("Segment_3", 0, nullptr);
    ASSERT_NE(ca, nullptr);
    EXPECT_TRUE(ca->ishidden);
    hideaction.perform(px(-2), py(0.5));
    EXPECT_TRUE(ca->ishidden) << "hidden objects are found only while they are shown";
    host.showhidden = 1;
    hideaction.perform(px(-2), py(0.5));
    EXPECT_FALSE(ca->ishidden);
    host.showhidden = 0;

    // Deleting a vertex removes both sides through it and all built on them.
    use(deleteaction);
    EXPECT_EQ(host.Prompt, "Delete: Choose an object!");
    EXPECT_EQ(host.Released, 1) << "no tool button shows pressed";
    answers.Dialogs.push_back([](Dialog& d) {
        d.pick(100, 0); // the point, the oldest of the candidates
        d.click(1);
    });
    deleteaction.perform(px(-4), py(-2));
    EXPECT_EQ(objects.find("Point_1", 0, nullptr), nullptr);
    EXPECT_EQ(objects.find("Segment_1", 0, nullptr), nullptr);
    EXPECT_EQ(objects.find("Segment_3", 0, nullptr), nullptr);
    EXPECT_EQ(objects.find("Middle_1", 0, nullptr), nullptr);
    EXPECT_EQ(objects.find("Line_1", 0, nullptr), nullptr);
    EXPECT_NE(objects.find("Segment_2", 0, nullptr), nullptr);
    EXPECT_EQ(objects.count(), 3);
    deleteaction.perform(px(6), py(6));
    EXPECT_EQ(objects.count(), 3) << "a click on nothing deletes nothing";
}

TEST_F(Changing, MovingAlongAnObject) {
    Point* centre = new Point(0, 0);
    Circle* c = new Circle(centre, new Point(3, 0));
    Point* free = new Point(5, 5);
    use(moveonaction);
    EXPECT_EQ(host.Prompt, "Point on Object: Object?");
    EXPECT_FALSE(moveonaction.drag);
    moveonaction.perform(px(0), py(3));
    EXPECT_TRUE(moveonaction.drag);
    EXPECT_TRUE(c->highlight);
    EXPECT_EQ(host.Prompt, "Move: Choose a point!");
    moveonaction.dragperform(1, px(5), py(5));
    EXPECT_NEAR(std::hypot(free->x(), free->y()), 3, 1e-9) << "it jumps onto the circle";
    moveonaction.dragperform(9, px(-5), py(1));
    EXPECT_NEAR(std::hypot(free->x(), free->y()), 3, 1e-9);
    EXPECT_LT(free->x(), 0);
    moveonaction.dragperform(0, px(-5), py(1));
    EXPECT_FALSE(c->highlight);
    EXPECT_TRUE(moveonaction.drag) << "more points can follow the same circle";
    moveonaction.abort();
    EXPECT_FALSE(moveonaction.drag);
}

TEST_F(Changing, TracksWhileDragging) {
    Point* a = new Point(0, 0);
    Point* b = new Point(2, 0);
    Middle* m = new Middle(a, b);
    use(trackaction);
    EXPECT_EQ(host.Prompt, "Track: Track of which point(s)?");
    trackaction.perform(px(1), py(0));
    ASSERT_NE(m->track(), nullptr);
    EXPECT_TRUE(m->highlight);
    drag(moveaction, 2, 0, 2, 4);
    EXPECT_EQ(b->trackpoint(), 1) << "the dragged point drives the tracks";
    EXPECT_EQ(m->track()->count(), 5);
    EXPECT_NEAR(m->track()->y(4), 2, 0.03);
    trackaction.startagain();
    EXPECT_NE(m->track(), nullptr) << "a right drag keeps the tracks";
    use(trackaction);
    EXPECT_EQ(m->track(), nullptr) << "choosing the tool again clears them";
    EXPECT_FALSE(m->highlight);
}

TEST_F(Changing, Stepping) {
    for (int i = 0; i < 4; ++i) new Point(i, 0);
    use(stepaction);
    EXPECT_EQ(objects.stop(), 1);
    EXPECT_EQ(host.Prompt, "Execute step by step with cursor keys");
    stepaction.perform(0, 0);
    EXPECT_EQ(objects.stop(), 2);
    use(stepaction);
    EXPECT_EQ(objects.stop(), 1) << "Esc begins again with the first object";
    stepaction.abort();
    EXPECT_EQ(objects.stop(), 0);
}
