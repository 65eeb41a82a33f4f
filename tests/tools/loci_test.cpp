#include "changing.h"
#include "circle.h"
#include "constructed.h"
#include "construction.h"
#include "control.h"
#include "derived.h"
#include "dialog.h"
#include "history.h"
#include "intersection.h"
#include "line.h"
#include "loci.h"
#include "locus.h"
#include "tooltest.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct LocusTools : ToolTest {
    static Locus* newest() {
        for (Object* o = objects.last(); o; o = o->previous())
            if (auto* l = dynamic_cast<Locus*>(o)) return l;
        return nullptr;
    }
    // The midpoint of (4, 0) and a point q on the circle of radius 2
    // about the origin.
    void build() {
        Point* o = new Point(0, 0);
        Circle* c = new Circle(o, new Point(2, 0));
        Q = new Pointon(c, 0, 2);
        Far = new Point(4, 0);
        M = new Middle(Far, Q);
    }
    Pointon* Q = nullptr;
    Point* Far = nullptr;
    Middle* M = nullptr;
};

} // namespace

TEST_F(LocusTools, TheToolTakesThePointThenWhatDrivesIt) {
    build();
    use(locusaction);
    EXPECT_EQ(host.Prompt, "Locus: Which point draws the curve?");
    click(locusaction, 2, 1);
    EXPECT_TRUE(M->highlight);
    EXPECT_EQ(host.Prompt, "Locus: Driven by which point on a line or circle, or slider?");
    EXPECT_FALSE(locusaction.finished());
    // The far point is free: it drives nothing along a path.
    click(locusaction, 4, 0);
    EXPECT_FALSE(newest());
    EXPECT_EQ(host.Prompt.rfind("Locus: That does not move the point.", 0), 0u) << host.Prompt;
    click(locusaction, 0, 2);
    Locus* l = newest();
    ASSERT_TRUE(l);
    EXPECT_EQ(l->P, M);
    EXPECT_EQ(l->Q, Q);
    EXPECT_TRUE(l->valid);
    EXPECT_FALSE(M->highlight);
    EXPECT_TRUE(locusaction.finished());
    EXPECT_EQ(host.Prompt, "Locus: Which point draws the curve?");
    // A slider drives a locus too: a point at its distance on a ray.
    auto* slider = new Slider(1, 0, 3, 0.5);
    slider->X = -6, slider->Y = -6;
    Object* hit = nullptr;
    ASSERT_TRUE(objects.select(-6, -6, &hit, CNumber, 0, 0));
    Point* c = new Point(-3, 3);
    auto* k = new CircleRadius(c, slider, 0);
    auto* top = new Intersection(k, makeline(c, new Point(-3, 6)));
    ASSERT_TRUE(top->valid);
    click(locusaction, top->x(), top->y());
    click(locusaction, -6, -6);
    ASSERT_NE(newest(), l);
    EXPECT_EQ(newest()->Q, slider);
}

TEST_F(LocusTools, MakeLocusTurnsTheTrackIntoALocusOfTheDraggedPoint) {
    build();
    EXPECT_EQ(makelocus(), 0) << "no track";
    use(trackaction);
    click(trackaction, M->x(), M->y());
    ASSERT_TRUE(M->track());
    // A free point dragged while tracking drives no locus.
    use(moveaction);
    moveaction.dragperform(1, px(4), py(0));
    moveaction.dragperform(9, px(4), py(1));
    moveaction.dragperform(0, px(4), py(1));
    EXPECT_EQ(makelocus(), 0);
    EXPECT_TRUE(M->track()) << "the track stays";
    objects.deletetracks();
    click(trackaction, M->x(), M->y());
    moveaction.dragperform(1, px(0), py(2));
    for (int i = 1; i <= 4; ++i) moveaction.dragperform(9, px(-0.5 * i), py(2));
    moveaction.dragperform(0, px(-2), py(2));
    ASSERT_EQ(makelocus(), 1);
    Locus* l = newest();
    ASSERT_TRUE(l);
    EXPECT_EQ(l->P, M);
    EXPECT_EQ(l->Q, Q);
    EXPECT_FALSE(M->track()) << "the track is gone";
    EXPECT_FALSE(objects.tracking());
    for (const auto& p : l->pieces())
        for (std::size_t i = 0; i + 1 < p.size(); i += 2)
            EXPECT_NEAR(std::hypot(p[i] - Far->x() / 2, p[i + 1] - Far->y() / 2), 1, 1e-9);
}

TEST_F(LocusTools, ThePropertyDialogSetsTheSampleLimitAndLineType) {
    build();
    auto* l = new Locus(M, Q);
    s.Dialogs.push_back([](Dialog& d) {
        d.settext(104, "5");
        d.click(1);
        EXPECT_EQ(d.Refused, 104) << "fewer than 10 samples";
        d.settext(104, "100001");
        d.click(1);
        EXPECT_EQ(d.Refused, 104);
        d.settext(104, "300");
        d.click(10);
        d.click(1);
    });
    objects.changed.clear();
    l->edit();
    EXPECT_EQ(l->Limit, 300);
    EXPECT_EQ(l->Linetype, 1);
    EXPECT_TRUE(objects.changed);
    l->update();
    int n = 0;
    for (const auto& p : l->pieces()) n += static_cast<int>(p.size() / 2);
    EXPECT_LE(n, 300);
}

TEST_F(LocusTools, UndoTakesTheLocusAndItsChangesBack) {
    build();
    History h(objects);
    h.begin();
    h.end();
    use(locusaction);
    h.begin();
    click(locusaction, 2, 1);
    click(locusaction, 0, 2);
    h.end();
    Locus* l = newest();
    ASSERT_TRUE(l);
    const auto made = l->pieces();
    // A drag of the far point is a step; undone, the curve is as it was.
    use(moveaction);
    h.begin();
    moveaction.dragperform(1, px(4), py(0));
    moveaction.dragperform(9, px(3), py(3));
    moveaction.dragperform(0, px(3), py(3));
    h.subject(Far);
    h.end();
    EXPECT_NE(l->pieces(), made);
    ASSERT_TRUE(h.undo());
    EXPECT_EQ(l->pieces(), made);
    // The property dialog's change is a step too.
    s.Dialogs.push_back([](Dialog& d) {
        d.settext(104, "50");
        d.click(1);
    });
    h.begin();
    l->edit();
    objects.update();
    h.end();
    EXPECT_EQ(l->Limit, 50);
    ASSERT_TRUE(h.undo());
    EXPECT_EQ(l->Limit, 2000);
    ASSERT_TRUE(h.undo());
    EXPECT_FALSE(newest()) << "the tool's locus is undone";
    ASSERT_TRUE(h.redo());
    ASSERT_TRUE(newest());
    EXPECT_EQ(newest()->pieces(), made);
}

TEST_F(LocusTools, EditOpensTheLocusDialog) {
    build();
    auto* l = new Locus(M, Q);
    std::string caption;
    s.Dialogs.push_back([&caption](Dialog& d) {
        caption = d.caption().text();
        d.click(2);
    });
    use(editaction);
    click(editaction, 1, 0);
    EXPECT_EQ(caption, "Locus");
    (void)l;
}
