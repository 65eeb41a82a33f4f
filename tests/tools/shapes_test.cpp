#include "arc.h"
#include "control.h"
#include "dialog.h"
#include "line.h"
#include "objectlist.h"
#include "region.h"
#include "shapes.h"
#include "tooltest.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

struct ShapeTools : ToolTest {
    static int count(int kind) {
        int n = 0;
        for (Object* o = objects.first(); o; o = o->next()) n += (o->Class & kind) != 0;
        return n;
    }
};

} // namespace

TEST_F(ShapeTools, APolygonClosesOnItsFirstVertexOrOnReturn) {
    use(polygonaction);
    EXPECT_EQ(host.Prompt, "Polygon: First vertex?");
    click(polygonaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Polygon: Next vertex? (The first vertex again, or Return, closes it.)");
    click(polygonaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Polygon: A polygon needs 3 vertices at least. Next vertex?");
    click(polygonaction, 4, 0);
    click(polygonaction, 4, 0);
    EXPECT_EQ(host.Prompt, "Polygon: That is the vertex before. Next vertex?");
    polygonaction.complete();
    EXPECT_EQ(host.Prompt, "Polygon: A polygon needs 3 vertices at least. Next vertex?");
    EXPECT_EQ(count(CRegion), 0);
    click(polygonaction, 4, 3);
    click(polygonaction, 0, 0);
    ASSERT_EQ(count(CRegion), 1);
    EXPECT_EQ(count(CSegment), 3) << "a side each";
    EXPECT_EQ(count(CPoint), 3);
    Region* r = nullptr;
    for (Object* o = objects.first(); o; o = o->next())
        if (o->Class & CRegion) r = static_cast<Region*>(o);
    EXPECT_NEAR(r->area(), 6, 0.1);
    EXPECT_EQ(polygonaction.State, 1);
    EXPECT_EQ(host.Prompt, "Polygon: First vertex?");
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_FALSE(o->highlight) << o->name();

    // Return closes a quadrilateral of the old corners and a new one.
    click(polygonaction, 0, 0);
    click(polygonaction, 4, 0);
    click(polygonaction, 4, 3);
    click(polygonaction, -2, 3);
    polygonaction.complete();
    EXPECT_EQ(count(CRegion), 2);
    EXPECT_EQ(count(CPoint), 4);
    EXPECT_EQ(static_cast<Region*>(objects.last()->previous()->previous()->previous()->previous())
                  ->vertices(),
              4);
    // Return with nothing begun does nothing.
    polygonaction.complete();
    EXPECT_EQ(count(CRegion), 2);
}

TEST_F(ShapeTools, ARegularPolygonAsksForItsVertices) {
    use(regularpolygonaction);
    EXPECT_EQ(host.Prompt, "Regular Polygon: First point?");
    click(regularpolygonaction, 0, 0);
    EXPECT_EQ(host.Prompt, "Regular Polygon: Second point?");
    click(regularpolygonaction, 0, 0);
    EXPECT_EQ(s.AskedDialogs.size(), 0u) << "the same point twice asks nothing";
    // Cancelled: nothing is made.
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    click(regularpolygonaction, 2, 0);
    EXPECT_EQ(count(CRegion), 0);
    EXPECT_EQ(regularpolygonaction.State, 1);
    // Out of range and a fraction are refused in the dialog; 5 is taken.
    click(regularpolygonaction, 0, 0);
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "101");
        d.click(1);
        EXPECT_TRUE(d.isopen());
        d.type(101, "4.5");
        d.click(1);
        EXPECT_TRUE(d.isopen());
        d.type(101, "5");
        d.click(1);
    });
    click(regularpolygonaction, 2, 0);
    ASSERT_EQ(count(CRegion), 1);
    EXPECT_EQ(regularpolygonaction.N, 5);
    EXPECT_EQ(count(CSegment), 5);
    EXPECT_EQ(count(CPoint), 5);
    auto* p = dynamic_cast<RegularPolygon*>(objects.find("Polygon_1", CRegion, nullptr));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->n(), 5);
    EXPECT_GT(p->vertex(1)->y(), 2) << "counterclockwise: above the side";
    EXPECT_EQ(host.Prompt, "Regular Polygon: First point?");
}

TEST_F(ShapeTools, ArcsAndSectorsFromThreeClicks) {
    use(arc3action);
    EXPECT_EQ(host.Prompt, "Arc through Three Points: Start point?");
    click(arc3action, 2, 0);
    EXPECT_EQ(host.Prompt, "Arc through Three Points: A point on the arc?");
    click(arc3action, 0, 2);
    EXPECT_EQ(host.Prompt, "Arc through Three Points: End point?");
    click(arc3action, -2, 0);
    auto* a = dynamic_cast<Arc3*>(objects.last());
    ASSERT_TRUE(a);
    EXPECT_NEAR(a->sweep(), M_PI, 0.05);
    EXPECT_TRUE(a->checkpoint(0, 2));

    use(sectoraction);
    EXPECT_EQ(host.Prompt, "Sector: Centre?");
    click(sectoraction, 0, 0);
    EXPECT_EQ(host.Prompt, "Sector: Start point?");
    click(sectoraction, 2, 0);
    EXPECT_EQ(host.Prompt, "Sector: A point on the ray where it ends?");
    click(sectoraction, 0, 2);
    auto* sector = dynamic_cast<CenterSector*>(objects.last());
    ASSERT_TRUE(sector);
    EXPECT_NEAR(sector->sweep(), M_PI / 2, 0.05);

    use(sector3action);
    EXPECT_EQ(host.Prompt, "Sector through Three Points: Start point?");
    click(sector3action, 2, 0);
    EXPECT_EQ(host.Prompt, "Sector through Three Points: A point on the arc?");
    click(sector3action, 0, -2);
    EXPECT_EQ(host.Prompt, "Sector through Three Points: End point?");
    click(sector3action, -2, 0);
    auto* fan = dynamic_cast<Sector3*>(objects.last());
    ASSERT_TRUE(fan);
    EXPECT_NEAR(fan->sweep(), M_PI, 0.05);
    EXPECT_EQ(fan->distance(0, -1), 0) << "the half below, where the middle click was";

    use(semicircleaction);
    EXPECT_EQ(host.Prompt, "Semicircle: First point?");
    click(semicircleaction, 2, 0);
    click(semicircleaction, -2, 0);
    auto* half = dynamic_cast<Semicircle*>(objects.last());
    ASSERT_TRUE(half);
    EXPECT_TRUE(half->checkpoint(0, -2)) << "left of the way from (2, 0) to (-2, 0)";
}

TEST_F(ShapeTools, ARegularPolygonMayCountByANumber) {
    auto* n = new Slider(5, 3, 12, 1);
    n->setname("n");
    use(regularpolygonaction);
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "4.5");
        d.click(1);
        EXPECT_TRUE(d.isopen()) << "a whole number only";
        d.type(101, "n");
        d.click(1);
    });
    click(regularpolygonaction, 0, 0);
    click(regularpolygonaction, 2, 0);
    auto* p = dynamic_cast<RegularPolygon*>(objects.last());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Count, n);
    EXPECT_EQ(p->vertices(), 5);
    n->setvalue(8);
    objects.update();
    EXPECT_EQ(p->vertices(), 8);
    // Cancel makes nothing.
    const int before = objects.count();
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    click(regularpolygonaction, 0, 0);
    click(regularpolygonaction, 2, 0);
    EXPECT_EQ(objects.count(), before);
}
