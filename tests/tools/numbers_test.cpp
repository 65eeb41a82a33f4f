#include "angle.h"
#include "circle.h"
#include "constructed.h"
#include "control.h"
#include "dialog.h"
#include "edit.h"
#include "history.h"
#include "line.h"
#include "numbers.h"
#include "objectlist.h"
#include "region.h"
#include "text.h"
#include "tooltest.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct NumberTools : ToolTest {
    template <class T> static T* newest() {
        for (Object* o = objects.last(); o; o = o->previous())
            if (auto* t = dynamic_cast<T*>(o)) return t;
        return nullptr;
    }
};

} // namespace

TEST_F(NumberTools, MeasureTakesWhatIsClickedOrTwoPoints) {
    Point* a = new Point(0, 0);
    Point* b = new Point(3, 4);
    Point* c = new Point(3, 0);
    new Segment(a, b);
    new Circle(c, new Point(5, 0));
    use(measureaction);
    EXPECT_EQ(
        host.Prompt,
        "Measure: A segment, arc, circle, angle, region or line, or the first of two points?");
    click(measureaction, 1.5, 2);
    ASSERT_TRUE(newest<Measure>());
    EXPECT_EQ(newest<Measure>()->K, Measure::Length);
    EXPECT_EQ(newest<Measure>()->value(), 5);
    click(measureaction, 3, -2);
    EXPECT_EQ(newest<Measure>()->K, Measure::Radius);
    EXPECT_EQ(newest<Measure>()->value(), 2);
    click(measureaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Measure: Second point?");
    click(measureaction, 3, 0);
    ASSERT_TRUE(newest<Distance>());
    EXPECT_EQ(newest<Distance>()->value(), 3);
    EXPECT_TRUE(measureaction.finished());
}

TEST_F(NumberTools, PlacedObjectsAreSetUpInTheirDialogAndCancelLeavesNothing) {
    History h(objects);
    new Point(0, 0);
    h.begin();
    h.end();
    const int steps = h.steps();
    // Cancel: no slider, and no step to undo.
    use(slideraction);
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    objects.changed.clear();
    h.begin();
    click(slideraction, 1, 1);
    h.end();
    EXPECT_FALSE(newest<Slider>());
    EXPECT_FALSE(objects.changed) << "nothing to save";
    EXPECT_EQ(h.steps(), steps);
    // A range that is none is refused; then one that is.
    s.Dialogs.push_back([](Dialog& d) {
        d.settext(101, "r");
        d.settext(106, "5");
        d.settext(108, "1");
        d.click(1);
        EXPECT_EQ(d.Refused, 111) << "the step refuses the range";
        d.settext(106, "0");
        d.settext(108, "10");
        d.settext(111, "0.5");
        d.settext(104, "2.4");
        d.click(1);
    });
    click(slideraction, 1, 1);
    Slider* r = newest<Slider>();
    ASSERT_TRUE(r);
    EXPECT_STREQ(r->name(), "r");
    EXPECT_EQ(r->value(), 2.5);
    EXPECT_EQ(r->Max, 10);
    EXPECT_NEAR(r->X, 1, 0.03);
    // A calculation refuses a fault and names its place.
    use(calculateaction);
    s.Dialogs.push_back([](Dialog& d) {
        d.settext(106, "r * (2 +");
        d.click(1);
        EXPECT_EQ(d.Refused, 106);
        EXPECT_EQ(std::string(d.Refusal.text()), "At character 9: a number or a name expected.");
        d.settext(106, "r * 2");
        d.click(1);
    });
    click(calculateaction, -3, 3);
    ASSERT_TRUE(newest<Calculation>());
    EXPECT_EQ(newest<Calculation>()->value(), 5);
    // A text on a point is attached to it.
    use(textaction);
    s.Dialogs.push_back([](Dialog& d) {
        d.settext(106, "r is {r}");
        d.click(1);
    });
    click(textaction, 0, 0);
    ASSERT_TRUE(newest<Text>());
    EXPECT_TRUE(newest<Text>()->At);
    EXPECT_EQ(newest<Text>()->shown(), "r is 2.50");
}

TEST_F(NumberTools, TheMoveToolDragsSlidersAndLabelsAndTicksCheckBoxes) {
    History h(objects);
    auto* r = new Slider(2, 0, 10, 1);
    r->X = -5;
    r->Y = 5;
    auto* box = new CheckBox(1, "circle");
    box->X = -5;
    box->Y = -5;
    Point* m = new Point(0, -3);
    auto* k = new CircleRadius(m, r, 0);
    std::string why;
    EXPECT_FALSE(box->condition(k->name(), why)) << "no number";
    ASSERT_TRUE(k->condition(box->name(), why));
    // The box's dialog lists the objects after it, the circle it shows
    // chosen; choosing the point too makes the box show it.
    s.Dialogs.push_back([](Dialog& d) {
        EXPECT_FALSE(d.listselected(112, 0));
        EXPECT_TRUE(d.listselected(112, 1));
        d.listselect(112, 0);
        d.click(1);
    });
    ASSERT_EQ(editnumber(box), 1);
    EXPECT_EQ(m->condition(), box->name());
    EXPECT_EQ(k->condition(), box->name());
    use(moveaction);
    // The knob from 2 to about 6: the circle follows in the same drag.
    const double pixel = view().Pixel;
    h.begin();
    moveaction.dragperform(1, px(-5 + 2 * Slider::Length * pixel / 10), py(5));
    EXPECT_EQ(moveaction.subject(), r);
    moveaction.dragperform(9, px(-5 + 6 * Slider::Length * pixel / 10), py(5));
    EXPECT_EQ(k->r(), 6);
    moveaction.dragperform(0, px(-5 + 6 * Slider::Length * pixel / 10), py(5));
    h.end();
    EXPECT_TRUE(moveaction.finished());
    h.undo();
    EXPECT_EQ(r->value(), 2);
    EXPECT_EQ(k->r(), 2);
    // A click on the box hides the circle; undo shows it again.
    h.begin();
    moveaction.dragperform(1, px(-5) + 5, py(-5) + 5);
    moveaction.dragperform(0, px(-5) + 5, py(-5) + 5);
    h.end();
    EXPECT_EQ(box->value(), 0);
    EXPECT_TRUE(k->hidden());
    h.undo();
    EXPECT_FALSE(k->hidden());
    // A right click on the slider's line opens its dialog and leaves its
    // value; a left click puts the knob there.
    const int c = px(-5 + 8 * Slider::Length * pixel / 10);
    s.Dialogs.push_back([](Dialog& d) {
        EXPECT_STREQ(d.gettext(101).text(), "Slider_1");
        d.click(2);
    });
    moveaction.dragperform(4, c, py(5));
    moveaction.dragperform(3, c, py(5));
    EXPECT_EQ(s.AskedDialogs.size(), 2u) << "the box's, then the slider's";
    EXPECT_EQ(r->value(), 2);
    moveaction.dragperform(1, c, py(5));
    moveaction.dragperform(0, c, py(5));
    EXPECT_EQ(r->value(), 8);
    EXPECT_EQ(k->r(), 8);
}

TEST_F(NumberTools, ACircleWithRadiusTakesANumberOrANumbersName) {
    auto* r = new Slider(2, 0, 5, 0.5);
    r->setname("r");
    use(circleradiusaction);
    EXPECT_EQ(host.Prompt, "Circle with Radius: Centre?");
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "0");
        d.click(1);
        EXPECT_TRUE(d.isopen()) << "no circle of radius 0";
        d.type(101, "1,5");
        d.click(1);
    });
    click(circleradiusaction, 1, 1);
    auto* fixed = newest<CircleRadius>();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->r(), 1.5);
    EXPECT_FALSE(fixed->Radius);
    s.Dialogs.push_back([](Dialog& d) {
        EXPECT_STREQ(d.gettext(101).text(), "1.5") << "the radius given last";
        d.type(101, "r");
        d.click(1);
    });
    click(circleradiusaction, 1, 1);
    auto* following = newest<CircleRadius>();
    ASSERT_NE(following, fixed);
    EXPECT_EQ(following->Centre, fixed->Centre) << "the same centre";
    r->setvalue(3.5);
    objects.update();
    EXPECT_EQ(following->r(), 3.5);
}
