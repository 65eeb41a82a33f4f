#include "constructed.h"
#include "derived.h"
#include "dialog.h"
#include "intersection.h"
#include "line.h"
#include "objectlist.h"
#include "relation.h"
#include "relations.h"
#include "tooltest.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

using RelationTools = ToolTest;

Point* P(double x, double y, const char* name) {
    auto* p = new Point(x, y);
    p->setname(name);
    return p;
}

} // namespace

TEST_F(RelationTools, ThreePointsByHandHoldHereOnlyAndShowWhereTheyDoNot) {
    Point* a = P(-3, -3, "A");
    Point* b = P(0, 0, "B");
    Point* c = P(3, 3, "C");
    use(relationaction);
    EXPECT_EQ(host.Prompt, "Relation: The first object? (Then up to three more; Return asks.)");
    click(relationaction, -3, -3);
    EXPECT_EQ(host.Prompt, "Relation: Another object? (Return asks about those picked.)");
    EXPECT_TRUE(a->highlight);
    click(relationaction, 0, 0);
    click(relationaction, 3, 3);
    std::string shown;
    bool offered = false;
    s.Dialogs.push_back([&](Dialog& d) {
        shown = d.gettext(101).text();
        offered = d.hascontrol(102);
        d.click(102);
    });
    relationaction.complete();
    EXPECT_NE(shown.find("A, B and C lie on one line \xe2\x80\x94 true here, but not in general"),
              std::string::npos)
        << shown;
    EXPECT_TRUE(offered);
    EXPECT_FALSE(a->highlight) << "the tool starts again";
    EXPECT_FALSE((Relation{Relation::Collinear, {a, b, c}}.holds())) << "the counter-example";
    EXPECT_TRUE(objects.changed);
    EXPECT_EQ(host.Prompt, "Relation: The first object? (Then up to three more; Return asks.)");
    // One object is no question; Return asks nothing.
    click(relationaction, a->x(), a->y());
    relationaction.complete();
    EXPECT_EQ(s.AskedDialogs.size(), 1u);
}

TEST_F(RelationTools, TheFourthObjectAsksAndAParallelHoldsInGeneral) {
    Point* a = P(-4, 0, "A");
    Point* b = P(4, 0, "B");
    Point* c = P(0, 3, "C");
    Line* g = makeline(a, b);
    g->setname("g");
    DepLine* h = makeparallel(c, g, 0);
    h->setname("h");
    Point* d = P(5, 5, "D");
    (void)d;
    use(relationaction);
    std::string shown;
    s.Dialogs.push_back([&](Dialog& dialog) { shown = dialog.gettext(101).text(); });
    click(relationaction, -2, 0); // g
    click(relationaction, -2, 3); // h
    click(relationaction, 0, 3);  // C
    click(relationaction, 5, 5);  // D: the fourth
    EXPECT_NE(shown.find("g and h are parallel \xe2\x80\x94 true in general"), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("C lies on h \xe2\x80\x94 true in general"), std::string::npos) << shown;
}

TEST_F(RelationTools, DiscoverListsTheEulerLineAndMakesIt) {
    Point* a = P(-4, -2, "A");
    Point* b = P(5, -1.5, "B");
    Point* c = P(0.5, 4, "C");
    new Segment(a, b);
    auto* bc = new Segment(b, c);
    auto* ca = new Segment(c, a);
    auto* s1 = new Intersection(new Segment(a, new Middle(b, c)), new Segment(b, new Middle(c, a)));
    s1->setname("S");
    auto* u = new Intersection(new Midperpendicular(a, b), new Midperpendicular(b, c));
    u->setname("U");
    auto* h = new Intersection(makeparallel(a, bc, 1), makeparallel(b, ca, 1));
    h->setname("H");
    use(discoveraction);
    EXPECT_EQ(host.Prompt, "Discover: Which point, line or circle?");
    std::vector<std::string> entries;
    s.Dialogs.push_back([&](Dialog& d) {
        for (int i = 0; i < d.listcount(101); ++i) entries.push_back(d.listentry(101, i).text());
        d.click(103); // Make
    });
    const int before = objects.count();
    click(discoveraction, s1->x(), s1->y());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], "S, U and H lie on one line");
    ASSERT_EQ(objects.count(), before + 1);
    auto* line = dynamic_cast<Line*>(objects.last());
    ASSERT_TRUE(line);
    EXPECT_TRUE((Relation{Relation::OnLine, {h, line}}.holds()));
    // Show highlights the finding's objects.
    s.Dialogs.push_back([&](Dialog& d) { d.click(102); });
    click(discoveraction, s1->x(), s1->y());
    EXPECT_TRUE(h->highlight && u->highlight && s1->highlight);
}

TEST_F(RelationTools, ALongCheckTellsItsProgressAndCanBeStopped) {
    Point* a = P(-4, -2, "A");
    Point* b = P(5, -1.5, "B");
    Point* c = P(0.5, 4, "C");
    auto* m = new Middle(a, b);
    m->setname("M");
    use(relationaction);
    std::string shown;
    s.Dialogs.push_back([&](Dialog& d) { shown = d.gettext(101).text(); });
    s.StopAt = 2;
    click(relationaction, -4, -2);
    click(relationaction, 5, -1.5);
    click(relationaction, m->x(), m->y());
    relationaction.complete();
    EXPECT_EQ(s.Progressed, 2);
    EXPECT_EQ(s.ProgressTitle, "Relation");
    EXPECT_NE(shown.find("A, B and M lie on one line \xe2\x80\x94 true here; the check in general "
                         "was stopped"),
              std::string::npos)
        << shown;
    EXPECT_EQ(a->x(), -4) << "the figure as it was";
    // Discover stopped finds nothing and says so; the next check runs whole.
    auto* bc = new Segment(b, c);
    auto* ca = new Segment(c, a);
    auto* u = new Intersection(new Midperpendicular(a, b), new Midperpendicular(b, c));
    u->setname("U");
    auto* h = new Intersection(makeparallel(a, bc, 1), makeparallel(b, ca, 1));
    h->setname("H");
    new Intersection(new Segment(c, m), new Segment(a, new Middle(b, c)));
    std::vector<std::string> entries;
    auto list = [&](Dialog& d) {
        entries.clear();
        for (int i = 0; i < d.listcount(101); ++i) entries.push_back(d.listentry(101, i).text());
    };
    s.Dialogs.push_back(list);
    s.Progressed = 0;
    use(discoveraction);
    click(discoveraction, h->x(), h->y());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], "Stopped before anything was found.");
    EXPECT_EQ(s.ProgressTitle, "Discover");
    s.StopAt = -1;
    s.Dialogs.push_back(list);
    click(discoveraction, h->x(), h->y());
    EXPECT_FALSE(entries.empty());
    EXPECT_NE(entries[0], "Stopped before anything was found.");
}
