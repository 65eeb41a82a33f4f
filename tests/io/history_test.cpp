// Undo and redo, checked against the whole construction as the file writer
// writes it: every record, every name, flag, colour and coordinate.
#include "angle.h"
#include "arc.h"
#include "circle.h"
#include "constructionfile.h"
#include "control.h"
#include "derived.h"
#include "history.h"
#include "intersection.h"
#include "line.h"
#include "number.h"
#include "objectlist.h"
#include "region.h"
#include "scripted.h"
#include "text.h"
#include "view.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct Undo : ::testing::Test {
    ScriptedAnswerer answers;
    void SetUp() override {
        objects.Keep = nullptr;
        filehost().clear();
        objects.comment() = "";
        objects.changed.clear();
    }
    void TearDown() override {
        objects.Keep = nullptr;
        filehost().clear();
    }
    // The construction as written, without the view (which is no part of
    // the history), followed by the next automatic names, so that restored
    // counters show too.
    static std::string text() {
        std::string s = construction();
        s.erase(0, s.find('\n'));
        for (Count* c = counts.First; c; c = c->Next) s += std::to_string(c->C) + " ";
        return s;
    }
    static Object* find(const char* name) { return objects.find(name, 0, nullptr); }
    static Pointprim* point(const char* name) { return static_cast<Pointprim*>(find(name)); }
};

// A construction with dependants of every kind, made as one step.
void build(History& h) {
    h.begin();
    Point* a = new Point(-2, -1);
    Point* b = new Point(2, 0.5);
    Point* c = new Point(0.5, 3);
    Lineprim* ab = makeline(a, b);
    Segment* bc = new Segment(b, c);
    Circle* k = new Circle(a, c);
    new Intersection(k, ab);
    makeparallel(c, ab, 0);
    makeparallel(a, bc, 1);
    new Middle(a, c);
    new Pointon(k, 3, 3);
    makecircle3(c, a, b);
    new Angle(a, b, c);
    objects.update();
    h.end();
}

TEST_F(Undo, EveryKindOfStepUndoesAndRedoesExactly) {
    History h(objects);
    build(h);
    ASSERT_EQ(h.steps(), 1);
    EXPECT_EQ(h.undoname(), "Add Angle_1");

    // Each change, then undone and redone: the file before and after.
    auto step = [&](const char* what, auto change, const char* name) {
        SCOPED_TRACE(what);
        std::string before = text();
        h.begin();
        change();
        h.end();
        std::string after = text();
        ASSERT_NE(before, after);
        EXPECT_EQ(h.undoname(), name);
        ASSERT_TRUE(h.undo());
        EXPECT_EQ(text(), before);
        EXPECT_EQ(h.redoname(), name);
        ASSERT_TRUE(h.redo());
        EXPECT_EQ(text(), after);
        ASSERT_TRUE(h.undo());
        ASSERT_TRUE(h.redo());
        EXPECT_EQ(text(), after);
    };
    step(
        "a drag",
        [] {
            point("Point_1")->set(-3, 0.25);
            objects.update(point("Point_1"));
        },
        "Move Point_1");
    step(
        "a new line", [] { makeline(point("Point_2"), point("Middle_1")); }, "Add Line_4");
    step(
        "a rename and a colour",
        [] {
            Object* o = find("Circle_1");
            o->setname("k");
            o->setcolor(3);
            o->showname = 1;
        },
        "Edit k");
    step(
        "hiding", [] { find("Line_1")->ishidden = 1; }, "Hide Line_1");
    step(
        "unhiding", [] { find("Line_1")->ishidden = 0; }, "Unhide Line_1");
    step(
        "a fixed length, which moves the second point",
        [] {
            auto* s = static_cast<Segment*>(find("Segment_1"));
            s->Class |= CFixed;
            s->R = 1.5;
            objects.update();
        },
        "Edit Segment_1");
    step(
        "a fixed angle",
        [] {
            auto* w = static_cast<Angle*>(find("Angle_1"));
            w->Class |= CFixed;
            w->Phi = 1;
            w->Pixelsize = 33;
            objects.update();
        },
        "Edit Angle_1");
    step(
        "a point symbol and a circle's arcs",
        [] {
            point("Point_3")->Symbol = 10;
            static_cast<Circle*>(find("k"))->Complete = 0;
        },
        "Edit Point_3");
    step(
        "a delete with every dependant", [] { objects.clear(point("Point_1")); }, "Delete Point_1");
    step(
        "clear last with its hidden help point",
        [] {
            objects.clear(objects.last()->original());
            while (!objects.empty() && objects.last()->original()->hidden())
                objects.clear(objects.last()->original());
        },
        "Delete Segment_1");
    step(
        "the comment", [] { objects.comment() = "A triangle\r\nand more"; }, "Edit Comment");
    step(
        "new",
        [] {
            filehost().clear();
            objects.comment() = "";
        },
        "New");
    step(
        "load",
        [] {
            filehost().clear();
            Failure f = readconstruction("window(-7,7,-7,7);\n/*\nLoaded\n*/\n\"P\"()=point(1,2);\n"
                                         "\"Q\"()=point(3,4);\n\"l\"()=line(\"P\",\"Q\");\n");
            EXPECT_EQ(f.Line, 0) << f.Text;
        },
        "Load");
    EXPECT_EQ(find("l") != nullptr, true);

    // All the way back and forth.
    while (h.undo()) {
    }
    EXPECT_TRUE(objects.empty());
    EXPECT_FALSE(h.canundo());
    while (h.redo()) {
    }
    EXPECT_STREQ(objects.last()->name(), "l");
    EXPECT_STREQ(objects.comment().text(), "Loaded");
}

TEST_F(Undo, ObjectsTakenAwayAreTheVerySameWhenTheyComeBack) {
    History h(objects);
    build(h);
    Object* line = find("Line_1");
    Object* help = find("Parallel_1");
    h.begin();
    objects.clear(point("Point_1"));
    h.end();
    EXPECT_EQ(find("Line_1"), nullptr);
    h.undo();
    EXPECT_EQ(find("Line_1"), line) << "pointers other objects hold stay good";
    EXPECT_EQ(find("Parallel_1"), help);
    // Order and the name index are as they were: a new object still goes last.
    h.begin();
    Point* p = new Point(0, 0);
    h.end();
    EXPECT_EQ(objects.last(), p);
    EXPECT_STREQ(p->name(), "Point_4");
    h.undo();
    h.begin();
    Point* q = new Point(0, 0);
    h.end();
    EXPECT_STREQ(q->name(), "Point_4") << "the counter came back with the undo";
    EXPECT_FALSE(h.canredo()) << "a new step ends the redos";
}

TEST_F(Undo, ALongRandomSequenceGoesBackToTheStartAndForwardToTheEnd) {
    History h(objects);
    build(h);
    std::mt19937 rnd(7);
    auto any = [&](int mask) -> Object* {
        std::vector<Object*> v;
        for (Object* o = objects.first(); o; o = o->next())
            if (!mask || (o->objectclass() & mask)) v.push_back(o);
        return v.empty() ? nullptr : v[rnd() % v.size()];
    };
    std::vector<std::string> texts{text()};
    for (int i = 0; i < 300; ++i) {
        h.begin();
        switch (rnd() % 7) {
        case 0:
            new Point(static_cast<int>(rnd() % 13) - 6.0, static_cast<int>(rnd() % 13) - 6.0);
            break;
        case 1: {
            auto* a = static_cast<Pointprim*>(any(CPoint));
            auto* b = static_cast<Pointprim*>(any(CPoint));
            if (a && b && a != b) new Circle(a, b);
            break;
        }
        case 2:
            if (auto* p = static_cast<Pointprim*>(any(CMovable))) {
                p->set(p->x() + 0.5, p->y() - 0.25);
                objects.update(p);
            }
            break;
        case 3:
            if (Object* o = any(0)) objects.clear(o->original());
            break;
        case 4:
            if (Object* o = any(0)) o->setcolor(static_cast<long>(rnd() % 6));
            break;
        case 5:
            if (Object* o = any(0)) o->setname(("n" + std::to_string(i)).c_str());
            break;
        default:
            if (rnd() % 10 == 0) filehost().clear();
            break;
        }
        int steps = h.steps();
        h.end();
        // Every change of the file is a step (a step may change what the
        // file does not show: the colour of a hidden help point).
        if (h.steps() > steps)
            texts.push_back(text());
        else
            ASSERT_EQ(text(), texts.back()) << "a change that is no step, at " << i;
    }
    ASSERT_EQ(h.steps(), static_cast<int>(texts.size())) << "the first step built it";
    for (size_t i = texts.size() - 1; i > 0; --i) {
        ASSERT_TRUE(h.undo());
        ASSERT_EQ(text(), texts[i - 1]) << "undo back to " << i - 1;
    }
    for (size_t i = 1; i < texts.size(); ++i) {
        ASSERT_TRUE(h.redo());
        ASSERT_EQ(text(), texts[i]) << "redo to " << i;
    }
}

TEST_F(Undo, TheChangedFlagFollowsTheSavedState) {
    History h(objects);
    build(h);
    // Saved: the flag is clear, and a step that changes nothing keeps it so.
    objects.changed.clear();
    h.begin();
    h.end();
    h.begin();
    new Point(1, 1);
    h.end();
    EXPECT_TRUE(objects.changed);
    h.undo();
    EXPECT_FALSE(objects.changed) << "back where it was saved";
    h.undo();
    EXPECT_TRUE(objects.changed);
    h.redo();
    EXPECT_FALSE(objects.changed);
    h.redo();
    EXPECT_TRUE(objects.changed);
    // A change outside the history (the view) makes the saved state
    // unreachable.
    h.undo();
    objects.changed.set();
    h.begin();
    new Point(2, 2);
    h.end();
    h.undo();
    EXPECT_TRUE(objects.changed);
}

TEST_F(Undo, MemoryGrowsWithTheChangeNotWithTheConstruction) {
    History h(objects);
    h.begin();
    for (int i = 0; i < 20000; ++i) new Point(i % 100, i / 100);
    h.end();
    size_t before = h.memory();
    Pointprim* p = point("Point_77");
    for (int i = 0; i < 10; ++i) {
        h.begin();
        p->set(p->x() + 1, 0);
        objects.update(p);
        h.end();
    }
    EXPECT_LT(h.memory() - before, 16 * 1024u) << "ten drags of one point";
    // The oldest steps go once there are more than the history keeps.
    for (int i = 0; i < History::Depth + 5; ++i) {
        h.begin();
        p->set(i, 1);
        h.end();
    }
    EXPECT_EQ(h.steps(), static_cast<int>(History::Depth));
    h.clear();
    EXPECT_FALSE(h.canundo());
    EXPECT_EQ(objects.count(), 20000);
}

} // namespace

TEST_F(Undo, ShapesComeBackWithTheirVerticesFillsAndLineTypes) {
    History h(objects);
    h.begin();
    Point* a = new Point(0, 0);
    Point* b = new Point(2, 0);
    Point* c = new Point(1, 2);
    auto* tri = new Polygon({a, b, c});
    RegularPolygon* hex = makeregularpolygon(a, b, 6);
    for (int k = 0; k < 4; ++k)
        new Segment(hex->vertex(k), k < 3 ? static_cast<Pointprim*>(hex->vertex(k + 1)) : a);
    auto* s = new CenterSector(c, a, b);
    new CenterArc(c, b, a);
    objects.update();
    h.end();
    const std::string start = text();
    auto step = [&](auto change) {
        std::string before = text();
        h.begin();
        change();
        h.end();
        std::string after = text();
        ASSERT_NE(before, after);
        ASSERT_TRUE(h.undo());
        EXPECT_EQ(text(), before);
        ASSERT_TRUE(h.redo());
        EXPECT_EQ(text(), after);
    };
    step([&] {
        c->set(1, 3);
        objects.update(c);
    });
    step([&] {
        tri->Filled = 0;
        tri->Linetype = 2;
        s->Filled = 0;
        s->Linetype = 1;
    });
    // Deleting a vertex of the hexagon takes the hexagon, its vertices and
    // its sides; deleting a vertex of the triangle takes the triangle.
    step([&] { objects.clear(hex->vertex(2)); });
    step([&] { objects.clear(c); });
    while (h.undo()) {
    }
    ASSERT_TRUE(h.redo());
    EXPECT_EQ(text(), start);
}

TEST_F(Undo, ChangesOfNumbersAndTextsAreUndoneWhole) {
    History h(objects);
    const std::string made = R"("M"()=point(0.000000000000000,0.000000000000000);
"r"(x:-6,y:6)=slider(2,0,5,0.5);
"b"(x:-6,y:5)=checkbox(1,"circle");
"k"(showif:b)=circleradius("M","r");
"d"(x:-6,y:4)=calculate("2*r");
"t"()=text("d is {d}",1,1);
)";
    h.begin();
    ASSERT_EQ(readconstruction(made).Line, 0);
    h.end();
    const std::string before = text();
    // One step changes a value, a caption, an expression, a text, places, a
    // label's place, a condition and a name.
    h.begin();
    auto* r = static_cast<Slider*>(find("r"));
    r->setvalue(4);
    static_cast<CheckBox*>(find("b"))->Caption = "the circle";
    std::string why;
    ASSERT_TRUE(static_cast<Calculation*>(find("d"))->change("r + 1", why));
    static_cast<Text*>(find("t"))->change("d = {d}\nr = {r}");
    r->Places = 3;
    r->Dx = 12;
    ASSERT_TRUE(find("k")->condition("r > 3", why));
    find("d")->setname("dd");
    objects.update();
    h.end();
    const std::string after = text();
    EXPECT_NE(after, before);
    EXPECT_NE(after.find("\"t\"()=text(\"d = {dd}\\nr = {r}\",1,1);"), std::string::npos) << after;
    EXPECT_EQ(static_cast<Text*>(find("t"))->shown(), "d = 5.00\nr = 4.000");
    h.undo();
    EXPECT_EQ(text(), before);
    EXPECT_EQ(static_cast<Text*>(find("t"))->shown(), "d is 4.00");
    EXPECT_EQ(static_cast<Circle*>(find("k"))->r(), 2);
    h.redo();
    EXPECT_EQ(text(), after);
    EXPECT_EQ(static_cast<Circle*>(find("k"))->r(), 4);
}
