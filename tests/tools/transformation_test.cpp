#include "angle.h"
#include "constructed.h"
#include "construction.h"
#include "control.h"
#include "objectlist.h"
#include "tooltest.h"
#include "transformation.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Maps : ToolTest {
    static Pointprim* point(Object* o) { return static_cast<Pointprim*>(o); }
    // Answers the next number dialog with text, then OK.
    void answer(const char* text) {
        s.Dialogs.push_back([text](Dialog& d) {
            d.type(101, text);
            d.click(1);
        });
    }
};

} // namespace

TEST_F(Maps, PointToolsForTheNewLinesAndCircles) {
    use(circlethroughaction);
    EXPECT_EQ(host.Prompt, "Circle through Three Points: First point?");
    click(circlethroughaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Circle through Three Points: Second point?");
    click(circlethroughaction, 0, 0);
    EXPECT_EQ(objects.count(), 1) << "the same point twice makes nothing";
    EXPECT_EQ(host.Prompt, "Circle through Three Points: Second point?");
    click(circlethroughaction, 4, 0);
    EXPECT_EQ(host.Prompt, "Circle through Three Points: Third point?");
    click(circlethroughaction, 0, 3);
    ASSERT_EQ(objects.count(), 4);
    auto* k = static_cast<CircleThrough*>(objects.last());
    EXPECT_EQ(k->io(), circlethroughio);
    EXPECT_NEAR(k->r(), 2.5, 0.03);
    EXPECT_EQ(host.Prompt, "Circle through Three Points: First point?");
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_FALSE(o->highlight) << o->name();

    use(bisectoraction);
    EXPECT_EQ(host.Prompt, "Angle Bisector: First point?");
    click(bisectoraction, 4, 0);
    click(bisectoraction, 0, 0);
    EXPECT_EQ(host.Prompt, "Angle Bisector: Second point?");
    // Esc lets go of the chosen points.
    use(bisectoraction);
    EXPECT_FALSE(objects.first()->highlight);
    EXPECT_EQ(bisectoraction.State, 1);

    use(midperpendicularaction);
    EXPECT_EQ(host.Prompt, "Perpendicular Bisector: First point?");
    click(midperpendicularaction, 0, 0);
    click(midperpendicularaction, 4, 0);
    EXPECT_EQ(objects.last()->io(), midperpendiculario);

    use(vectoraction);
    EXPECT_EQ(host.Prompt, "Vector: Start point?");
    click(vectoraction, 0, 0);
    EXPECT_EQ(host.Prompt, "Vector: End point?");
    click(vectoraction, 0, 3);
    EXPECT_STREQ(objects.last()->name(), "Vector_1");

    // Tangents: a point, then a circle; a click beside any circle is ignored.
    use(tangentsaction);
    EXPECT_EQ(host.Prompt, "Tangents: From which point?");
    click(tangentsaction, 6, -5);
    EXPECT_EQ(host.Prompt, "Tangents: To which circle?");
    int n = objects.count();
    click(tangentsaction, 6, 6);
    EXPECT_EQ(objects.count(), n);
    click(tangentsaction, 4.5, 1.5); // on the circle through three points
    ASSERT_EQ(objects.count(), n + 2);
    auto* t = static_cast<Tangent*>(objects.last()->previous());
    EXPECT_EQ(t->circle(), k);
    EXPECT_TRUE(t->valid && t->other()->valid);
}

TEST_F(Maps, ReflectionTakesALineOrAPointAsMirror) {
    Point* x = new Point(1, 2);
    Point* o = new Point(0, 0);
    Point* d = new Point(3, 3);
    makeline(o, d);
    use(reflectaction);
    EXPECT_EQ(host.Prompt, "Reflection: Choose the object to reflect!");
    click(reflectaction, 5, -5);
    EXPECT_EQ(reflectaction.State, 1) << "nothing there";
    click(reflectaction, 1, 2);
    EXPECT_TRUE(x->highlight);
    EXPECT_EQ(host.Prompt, "Reflection: Choose the mirror, a line or a point!");
    click(reflectaction, 5, -5);
    EXPECT_EQ(reflectaction.State, 2) << "a mirror must be there";
    click(reflectaction, -2, -2);
    auto* r = point(objects.last());
    EXPECT_STREQ(r->name(), "Point_1'");
    EXPECT_NEAR(r->x(), 2, 1e-12);
    EXPECT_NEAR(r->y(), 1, 1e-12);
    EXPECT_FALSE(x->highlight);
    EXPECT_EQ(host.Prompt, "Reflection: Choose the object to reflect!");
    // The line, in a point: a line again, y = x + 2.
    click(reflectaction, 2, 2);
    click(reflectaction, 1, 2);
    auto* l = static_cast<Lineprim*>(objects.last());
    EXPECT_EQ(l->objectclass(), CStraight);
    EXPECT_NEAR(l->distance(0, 2), 0, 1e-12);
    EXPECT_NEAR(l->distance(-5, -3), 0, 1e-12);
    // A click on a point that lies on the line means the point, both as
    // the object and as the mirror: no choice between the two is asked.
    click(reflectaction, 3, 3);
    EXPECT_TRUE(d->highlight);
    click(reflectaction, 0, 0);
    auto* dd = point(objects.last());
    EXPECT_NEAR(dd->x(), -3, 1e-12);
    EXPECT_NEAR(dd->y(), -3, 1e-12);
    EXPECT_EQ(s.AskedDialogs.size(), 0u) << "a reflection asks nothing";
}

TEST_F(Maps, RotationAsksForDegreesOrTakesAnAngle) {
    Point* e = new Point(2, 0);
    use(rotateaction);
    EXPECT_EQ(host.Prompt, "Rotation: Choose the object to rotate!");
    click(rotateaction, 2, 0);
    EXPECT_EQ(host.Prompt, "Rotation: Which point is the centre?");
    // No angle in the construction: the dialog at once. Not a finite
    // number: OK refuses; Cancel keeps the tool at the centre.
    s.Dialogs.push_back([](Dialog& d) {
        EXPECT_STREQ(d.gettext(101).text(), "60") << "the last degrees given";
        for (const char* bad : {"inf", "nan", "1e400", "x"}) {
            d.type(101, bad);
            d.click(1);
            EXPECT_TRUE(d.isopen()) << bad;
        }
        d.click(2);
    });
    click(rotateaction, 0, 0);
    ASSERT_EQ(s.AskedDialogs.size(), 1u);
    EXPECT_EQ(s.AskedDialogs[0], 130);
    EXPECT_EQ(rotateaction.State, 2);
    EXPECT_EQ(objects.count(), 2) << "the centre was made, no image";
    answer("90");
    click(rotateaction, 0, 0);
    ASSERT_EQ(objects.count(), 3);
    auto* q = point(objects.last());
    EXPECT_NEAR(q->x(), 0, 1e-12);
    EXPECT_NEAR(q->y(), 2, 1e-12);
    EXPECT_EQ(rotateaction.Number, 90);

    // With an angle shown, a click on it takes its size; elsewhere the dialog.
    Point* a1 = new Point(4, 4);
    Point* m = new Point(3, 3);
    Point* a2 = new Point(2, 4);
    new Angle(a1, m, a2);
    click(rotateaction, 2, 0);
    click(rotateaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Rotation: Choose an angle, or click elsewhere to type the degrees!");
    EXPECT_EQ(s.AskedDialogs.size(), 2u);
    click(rotateaction, 3, 3);
    auto* byangle = point(objects.last());
    ASSERT_TRUE(imageof(byangle));
    EXPECT_NE(imageof(byangle)->map().B, nullptr);
    EXPECT_NEAR(byangle->x(), 0, 1e-12);
    EXPECT_NEAR(byangle->y(), 2, 1e-12);
    click(rotateaction, 2, 0);
    click(rotateaction, 0, 0);
    answer("-45.5");
    click(rotateaction, -5, -5);
    EXPECT_EQ(imageof(objects.last())->map().Number, -45.5);
    EXPECT_EQ(s.AskedDialogs.size(), 3u);
    (void)e;
}

TEST_F(Maps, TranslationByAVectorOrTwoPointsAndDilation) {
    Point* x = new Point(0, 0);
    Point* p = new Point(1, 1);
    Point* q = new Point(3, 4);
    new Vector(new Point(-4, -4), new Point(-2, -4));
    use(translateaction);
    click(translateaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Translation: Choose a vector, or the point to move from!");
    click(translateaction, 1, 1);
    EXPECT_EQ(host.Prompt, "Translation: The point to move to?");
    EXPECT_TRUE(p->highlight);
    click(translateaction, 3, 4);
    auto* t = point(objects.last());
    EXPECT_EQ(t->x(), 2);
    EXPECT_EQ(t->y(), 3);
    EXPECT_FALSE(p->highlight || x->highlight);
    click(translateaction, 0, 0);
    click(translateaction, -3, -4);
    t = point(objects.last());
    EXPECT_EQ(t->x(), 2) << "by the vector";
    EXPECT_EQ(t->y(), 0);
    (void)q;

    use(dilateaction);
    EXPECT_EQ(host.Prompt, "Dilation: Choose the object to dilate!");
    click(dilateaction, 3, 4);
    EXPECT_EQ(host.Prompt, "Dilation: Which point is the centre?");
    answer("-2");
    click(dilateaction, 1, 1);
    ASSERT_EQ(s.AskedDialogs.size(), 1u);
    EXPECT_EQ(s.AskedDialogs[0], 131);
    auto* d = point(objects.last());
    EXPECT_EQ(d->x(), -3);
    EXPECT_EQ(d->y(), -5);
    EXPECT_EQ(host.Prompt, "Dilation: Choose the object to dilate!");
}

TEST_F(Maps, ANumbersNameTurnsAndScalesByIt) {
    Point* m = new Point(0, 0);
    new Point(2, 0);
    auto* t = new Slider(90, 0, 360, 1);
    t->setname("t");
    auto* f = new Slider(2, -3, 3, 0.5);
    f->setname("f");
    use(rotateaction);
    click(rotateaction, 2, 0);
    answer(" t ");
    click(rotateaction, 0, 0);
    auto* turned = static_cast<Pointprim*>(objects.last());
    ASSERT_TRUE(imageof(turned));
    EXPECT_EQ(imageof(turned)->map().B, t);
    EXPECT_NEAR(turned->y(), 2, 1e-12);
    t->setvalue(180);
    objects.update();
    EXPECT_NEAR(turned->x(), -2, 1e-12);
    use(dilateaction);
    click(dilateaction, 2, 0);
    answer("f");
    click(dilateaction, 0, 0);
    auto* far = static_cast<Pointprim*>(objects.last());
    ASSERT_TRUE(imageof(far));
    EXPECT_EQ(far->x(), 4);
    f->setvalue(-1);
    objects.update();
    EXPECT_EQ(far->x(), -2);
    // A name of no number is refused like a broken number.
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "M");
        d.click(1);
        EXPECT_TRUE(d.isopen());
        EXPECT_STREQ(d.Refusal.text(),
                     "Enter a number from -1000000 to 1000000, or the name of a number.");
        d.click(2);
    });
    click(dilateaction, 2, 0);
    click(dilateaction, 0, 0);
    (void)m;
}
