#include "angle.h"
#include "circle.h"
#include "construction.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"
#include "scripted.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The plain view: 500 x 500 pixels over [-7, 7]; pixel (250, 250) is (0, 0).
struct Recorder : ToolHost {
    void inform(const char* t) override { Prompt = t; }
    void cursor(CursorKind k) override { Cursor = k; }
    std::string Prompt;
    CursorKind Cursor = PenCursorKind;
};

int px(double x) {
    return static_cast<int>((x + 7) / 14 * 500);
}
int py(double y) {
    return static_cast<int>((7 - y) / 14 * 500);
}

struct Tools : ::testing::Test {
    Recorder host;
    void SetUp() override {
        sethost(&host);
        objects.clear();
        counts.reset();
    }
    void TearDown() override {
        objects.clear();
        sethost(nullptr);
    }
    // Makes the tool current as the main window does.
    void use(Action& a) {
        a.abort();
        a.start();
        a.inform();
    }
    void click(Action& a, double x, double y) { a.perform(px(x), py(y)); }
    // Two circles through each other's centres (-1, 0) and (1, 0); their
    // upper crossing is at (0, cy).
    static double crossingcircles() {
        Point* a = new Point(-1, 0);
        Point* b = new Point(1, 0);
        new Circle(a, b);
        new Circle(b, a);
        return std::sqrt(3.0);
    }
};

} // namespace

TEST_F(Tools, LineToolTakesTwoDifferentPoints) {
    use(lineaction);
    EXPECT_EQ(host.Prompt, "Line: First point?");
    EXPECT_EQ(host.Cursor, ToolHost::PointCursorKind);
    click(lineaction, -2, 1);
    ASSERT_EQ(objects.count(), 1);
    Object* first = objects.first();
    EXPECT_TRUE(first->highlight);
    EXPECT_EQ(host.Prompt, "Line: Second point?");
    EXPECT_EQ(host.Cursor, ToolHost::PenCursorKind);
    click(lineaction, -2, 1);
    EXPECT_EQ(objects.count(), 1) << "the same point twice makes nothing";
    EXPECT_EQ(lineaction.State, 2);
    click(lineaction, 3, 1);
    ASSERT_EQ(objects.count(), 3);
    EXPECT_STREQ(objects.last()->name(), "Line_1");
    EXPECT_EQ(objects.last()->objectclass(), CStraight);
    EXPECT_FALSE(first->highlight);
    EXPECT_EQ(host.Prompt, "Line: First point?");
    EXPECT_EQ(lineaction.finished(), 1);

    // An existing point is taken, not made again.
    click(lineaction, 3, 1);
    click(lineaction, 0, -4);
    EXPECT_EQ(objects.count(), 5);
    EXPECT_EQ(static_cast<Lineprim*>(objects.last())->p1(), objects.find("Point_2", 0, nullptr));

    // Aborting in the middle takes the highlight away.
    click(rayaction, 5, 5);
    use(rayaction);
    click(rayaction, 5, 5);
    Object* held = rayaction.P1;
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(held->highlight);
    rayaction.abort();
    EXPECT_FALSE(held->highlight);
    EXPECT_EQ(rayaction.State, 0);
}

TEST_F(Tools, EveryTwoPointToolMakesItsObject) {
    struct Case {
        TwoPointAction* a;
        int cls;
        const char* prefix;
    };
    double y = -5;
    for (Case k : {Case{&segmentaction, CStraight | CSegment, "Segment_"},
                   Case{&rayaction, CStraight, "Ray_"}, Case{&circleaction, CCircle, "Circle_"},
                   Case{&middleaction, CPoint, "Middle_"}}) {
        use(*k.a);
        click(*k.a, -3, y);
        click(*k.a, 3, y);
        EXPECT_EQ(objects.last()->objectclass(), k.cls) << k.prefix;
        EXPECT_EQ(std::string(objects.last()->name()).rfind(k.prefix, 0), 0u);
        y += 2.5;
    }
}

TEST_F(Tools, OfferedIntersectionsAndCircleThree) {
    ScriptedAnswerer s;
    double cy = crossingcircles();
    use(lineaction);
    int n = objects.count();
    s.Answers = {IDNO};
    click(lineaction, 0, cy);
    EXPECT_EQ(objects.count(), n) << "No drops the click";
    EXPECT_EQ(lineaction.State, 1);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Generate intersection of\nCircle_1 and Circle_2?");
    s.Answers = {IDYES};
    click(lineaction, 0, cy);
    EXPECT_EQ(objects.count(), n + 2) << "the pair of crossings";
    EXPECT_EQ(lineaction.State, 2);
    ASSERT_NE(lineaction.P1, nullptr);
    EXPECT_NEAR(lineaction.P1->y(), cy, 1e-9) << "the crossing under the click";
    lineaction.abort();

    // Circle (3): only existing points give the radius.
    use(circle3action);
    EXPECT_EQ(host.Prompt, "Circle (3): Center?");
    click(circle3action, 4, 4);
    EXPECT_EQ(host.Prompt, "Circle (3): First point of radius?");
    n = objects.count();
    click(circle3action, 5, -5);
    EXPECT_EQ(objects.count(), n) << "a click beside all points does nothing";
    EXPECT_EQ(circle3action.State, 2);
    click(circle3action, -1, 0);
    EXPECT_EQ(host.Prompt, "Circle (3): Second point of radius?");
    click(circle3action, 1, 0);
    auto* c3 = dynamic_cast<Circle3Circle*>(objects.last());
    ASSERT_NE(c3, nullptr);
    EXPECT_NEAR(c3->r(), 2, 1e-12);
    EXPECT_TRUE(c3->O->ishidden);
    EXPECT_EQ(host.Prompt, "Circle (3): Center?");
}

TEST_F(Tools, ParallelsIntersectionsAnglesAndPointsOnObjects) {
    Point* a = new Point(-3, 0);
    Point* b = new Point(3, 0);
    Line* l = new Line(a, b);
    l->setname("l");
    Point* m = new Point(0, -4);
    Circle* c = new Circle(m, new Point(0, -2));
    use(parallelaction);
    EXPECT_EQ(host.Prompt, "Parallel: Choose a line object!");
    click(parallelaction, 0, -2);
    EXPECT_EQ(parallelaction.State, 1) << "a circle is no line";
    click(parallelaction, 0, 0);
    EXPECT_EQ(parallelaction.State, 2);
    EXPECT_TRUE(l->highlight);
    click(parallelaction, 2, 3);
    auto* d = dynamic_cast<DepLine*>(objects.last());
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->O->ishidden);
    EXPECT_STREQ(d->name(), "Line_1");
    EXPECT_NEAR(d->vy(), 0, 1e-12);
    EXPECT_FALSE(l->highlight);

    use(intersectionaction);
    click(intersectionaction, 0, 0);
    click(intersectionaction, 0, 0);
    EXPECT_EQ(intersectionaction.State, 2) << "the same line twice does nothing";
    int n = objects.count();
    click(intersectionaction, 0, -2);
    EXPECT_EQ(objects.count(), n + 2) << "a line and a circle: two points";
    EXPECT_EQ(host.Prompt, "Cut: First objekt?");

    use(angleaction);
    click(angleaction, -3, 0);
    click(angleaction, 3, 0);
    EXPECT_TRUE(a->highlight);
    EXPECT_TRUE(b->highlight);
    EXPECT_EQ(host.Prompt, "Angle: Second Point?");
    use(angleaction); // Esc
    EXPECT_FALSE(a->highlight);
    EXPECT_FALSE(b->highlight);
    EXPECT_EQ(host.Prompt, "Angle: First Point?");
    click(angleaction, 3, 0);
    click(angleaction, -3, 0);
    click(angleaction, 0, -4);
    auto* angle = dynamic_cast<Angle*>(objects.last());
    ASSERT_NE(angle, nullptr);
    EXPECT_EQ(angle->M, a);

    use(pointonaction);
    EXPECT_EQ(host.Prompt, "Point on Object: Object?");
    n = objects.count();
    click(pointonaction, 1, 0.01);
    click(pointonaction, 1, -4 + std::sqrt(3.0) + 0.01);
    click(pointonaction, 5, 5);
    EXPECT_EQ(objects.count(), n + 2) << "clicks beside are ignored";
    EXPECT_STREQ(objects.last()->name(), "ObjPoint_2");
    EXPECT_NEAR(static_cast<Pointprim*>(objects.last())->distance(0, -4), 2, 1e-12);
    (void)c;

    EXPECT_EQ(actionof(2004), &lineaction);
    EXPECT_EQ(actionof(2007), &rectangularaction);
    EXPECT_EQ(actionof(7018), &middleaction);
    EXPECT_EQ(actionof(9999), nullptr);
}

TEST_F(Tools, EditToolOpensTheDialogOfTheObjectUnderTheCursor) {
    ScriptedAnswerer s;
    Point* m = new Point(0, 0);
    Point* p = new Point(2, 0);
    Circle* c = new Circle(m, p);
    use(editaction);
    EXPECT_EQ(host.Prompt, "Edit: Object?");
    EXPECT_EQ(host.Cursor, ToolHost::PointCursorKind);
    EXPECT_EQ(actionof(3004), &editaction);
    int highlighted = -1;
    s.Dialogs.push_back([&](Dialog& d) {
        highlighted = c->highlight;
        d.type(104, "3");
        d.click(13);
        d.click(1);
    });
    objects.changed.clear();
    click(editaction, 0, -2);
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{109});
    EXPECT_EQ(highlighted, 1) << "the object shows highlighted while its dialog is open";
    EXPECT_FALSE(c->highlight);
    EXPECT_NEAR(p->x(), 3, 1e-12) << "the construction is recomputed after the dialog";
    EXPECT_TRUE(objects.changed);

    // A pinned highlight stays; a click beside every object asks nothing.
    m->highlight.set();
    m->highlight.fix();
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    click(editaction, 0, 0);
    EXPECT_TRUE(m->highlight);
    click(editaction, 6, 6);
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{109, 107}));

    // Two objects under the cursor: the choice first, then the dialog.
    Point* q = new Point(3, 0);
    s.Dialogs.push_back([](Dialog& d) {
        d.pick(100, 0);
        d.click(1);
    });
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "Q");
        d.click(1);
    });
    click(editaction, 3, 0);
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{109, 107, 100, 107}));
    EXPECT_STREQ(p->name(), "Q") << "the radius point, first in the list";
    EXPECT_STREQ(q->name(), "Point_3");
}

TEST_F(Tools, PointOnObjectKeepsTheObjectOfItsLastClick) {
    ScriptedAnswerer s;
    Point* m = new Point(0, 0);
    Circle* c = new Circle(m, new Point(2, 0));
    Line* l = new Line(new Point(-5, 2), new Point(5, 2));
    use(pointonaction);
    click(pointonaction, 0, -2);
    ASSERT_EQ(pointonaction.O, c);
    // Near the top the circle touches the line: no question, on the circle.
    int n = objects.count();
    click(pointonaction, 0, 2);
    EXPECT_TRUE(s.AskedDialogs.empty());
    ASSERT_EQ(objects.count(), n + 1);
    EXPECT_EQ(static_cast<Pointon*>(objects.last())->O, c);
    // Elsewhere on the line, the line is taken and kept.
    click(pointonaction, 4, 2);
    EXPECT_EQ(pointonaction.O, l);
    click(pointonaction, 0, 2);
    EXPECT_EQ(static_cast<Pointon*>(objects.last())->O, l);
    EXPECT_TRUE(s.AskedDialogs.empty());
}

TEST_F(Tools, CancelledChoiceDropsTheClick) {
    ScriptedAnswerer s;
    // Two points on top of each other, where two circles cross.
    double cy = crossingcircles();
    new Point(0, cy);
    new Point(0, cy);
    int n = objects.count();
    for (Action* t : {static_cast<Action*>(&lineaction), static_cast<Action*>(&angleaction),
                      static_cast<Action*>(&circle3action), static_cast<Action*>(&pointonaction)}) {
        use(*t);
        s.Dialogs.push_back([](Dialog& d) { d.click(2); });
        click(*t, 0, cy);
        EXPECT_EQ(objects.count(), n) << "no new point";
        EXPECT_TRUE(s.AskedBoxes.empty()) << "no offered intersection";
        EXPECT_TRUE(t->finished());
    }
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{100, 100, 100, 100}));
    // Chosen, the point is taken.
    use(lineaction);
    s.Dialogs.push_back([](Dialog& d) {
        d.pick(100, 0);
        d.click(1);
    });
    click(lineaction, 0, cy);
    EXPECT_EQ(lineaction.State, 2);
    EXPECT_EQ(objects.count(), n);
}
