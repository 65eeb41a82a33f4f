#include "bitmapps.h"
#include "model.h"
#include "scripted.h"

#include <random>
#include <string>
#include <vector>

using List = Model;

namespace {

// The plain view: 500 pixels over 14 units, tolerance 500 * Pixel / 150.
double tolerance() {
    return view().viewwidth() * view().Pixel / msize;
}

} // namespace

TEST_F(List, SelectChoosesTheNewestNearObject) {
    Point* a = new Point(0, 0);
    Stub* line = new Stub(a);
    line->X = 0.01;
    line->Y = 0;
    Object* got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 0, 1), 2);
    EXPECT_EQ(got, line) << "the newer of the two";
    EXPECT_TRUE(a->mark);
    EXPECT_TRUE(line->mark);

    got = a;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 0, 1), 1) << "the object held wins";
    EXPECT_EQ(got, a);

    got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, CPoint, 0, 1), 1);
    EXPECT_EQ(got, a);

    // The comparison is strict.
    double d = tolerance();
    Point* far = new Point(10, 0);
    got = nullptr;
    EXPECT_EQ(objects.select(10 + d, 0, &got, 0, 0, 1), 0);
    EXPECT_EQ(got, nullptr);
    EXPECT_EQ(objects.select(10 + d * 0.999, 0, &got, 0, 0, 1), 1);
    EXPECT_EQ(got, far);

    // Highlighted objects only when allowed; invalid and hidden ones never.
    far->highlight.set();
    got = nullptr;
    EXPECT_EQ(objects.select(10, 0, &got, 0, 0, 0), 0);
    EXPECT_EQ(objects.select(10, 0, &got, 0, 0, 1), 1);
    far->highlight.clear();
    far->valid = 0;
    got = nullptr;
    EXPECT_EQ(objects.select(10, 0, &got, 0, 0, 1), 0);
    far->valid = 1;
    far->ishidden = 1;
    EXPECT_EQ(objects.select(10, 0, &got, 0, 0, 1), 0);
    view().showhidden = 1;
    EXPECT_EQ(objects.select(10, 0, &got, 0, 0, 1), 1) << "hidden objects while they are shown";
    view().showhidden = 0;
    objectcolors.choose(0, 0);
    EXPECT_EQ(objects.select(0, 0, &got, 0, 0, 1), 0) << "filtered colours are not selectable";
}

TEST_F(List, SelectAsksWhichObject) {
    ScriptedAnswerer s;
    Point* a = new Point(0, 0);
    new Point(5, 5);
    Stub* b = new Stub(a);
    b->X = b->Y = 0;
    std::vector<std::string> listed;
    int preselected = -2;
    s.Dialogs.push_back([&](Dialog& d) {
        for (int i = 0; i < d.listcount(100); ++i) listed.push_back(d.listentry(100, i).text());
        preselected = d.listselection(100);
        d.pick(100, 0);
        d.click(1);
    });
    Object* got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 1, 1), 2);
    EXPECT_EQ(got, a);
    EXPECT_EQ(listed, (std::vector<std::string>{"Point_1", "Stub_1"}));
    EXPECT_EQ(preselected, 1) << "the newest preselected";
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{100}));

    s.Dialogs.push_back([](Dialog& d) { d.doubleclick(100, 1); });
    got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 1, 1), 2);
    EXPECT_EQ(got, b);

    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    got = a;
    EXPECT_EQ(objects.select(0.001, 0, &got, 0, 1, 1), 1) << "held objects need no choice";
    got = nullptr;
    EXPECT_EQ(objects.select(0, 0, &got, 0, 1, 1), 0);
    EXPECT_EQ(got, nullptr) << "cancelled";
}

TEST_F(List, MarkUpdateAndClearWithDependants) {
    Point* p = new Point(0, 0);
    Point* q = new Point(1, 0);
    Stub* c1 = new Stub(p, q);
    Stub* c2 = new Stub(c1);
    c2->Main = c1; // the second of a pair
    Stub* other = new Stub(q);
    Stub* late = new Stub(c2, other);

    objects.mark(c2);
    EXPECT_FALSE(p->mark);
    EXPECT_TRUE(c1->mark) << "the main object first";
    EXPECT_TRUE(c2->mark);
    EXPECT_FALSE(other->mark);
    EXPECT_TRUE(late->mark);

    objects.changed.clear();
    objects.update(p);
    EXPECT_EQ(c1->Updates, 1);
    EXPECT_EQ(c2->Updates, 1);
    EXPECT_EQ(other->Updates, 0);
    EXPECT_EQ(late->Updates, 1);
    EXPECT_TRUE(objects.changed);

    objects.changed.clear();
    objects.update();
    EXPECT_EQ(other->Updates, 1);
    EXPECT_FALSE(objects.changed) << "a full recomputation is no change";

    // Invalid parents make invalid dependants, and they recover.
    p->valid = 0;
    objects.update();
    EXPECT_FALSE(c1->valid);
    EXPECT_FALSE(late->valid);
    EXPECT_TRUE(other->valid);
    p->valid = 1;
    objects.update();
    EXPECT_TRUE(late->valid);

    // Deleting the second of a pair deletes the whole group and its dependants.
    objects.clear(c2);
    EXPECT_EQ(objects.count(), 3);
    EXPECT_EQ(objects.first(), p);
    EXPECT_EQ(objects.last(), other);
    EXPECT_EQ(objects.find("Stub_1", 0, nullptr), nullptr);
    objects.clear(q);
    EXPECT_EQ(objects.count(), 1);
    EXPECT_EQ(objects.last(), p);
    EXPECT_EQ(p->next(), nullptr);

    objects.stopat(4);
    objects.clear();
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(objects.stop(), 1) << "step mode stays on, at the start";
    EXPECT_FALSE(objects.changed);
}

TEST_F(List, Stepping) {
    std::vector<Object*> o;
    for (int i = 0; i < 6; ++i) o.push_back(new Point(i, 0));
    o[3]->ishidden = 1; // object 4
    objects.stopat(3);
    objects.advancestop(1);
    EXPECT_EQ(objects.stop(), 5);
    objects.advancestop(-1);
    EXPECT_EQ(objects.stop(), 3);
    objects.stopat(1);
    objects.advancestop(-1);
    EXPECT_EQ(objects.stop(), 1);
    objects.stopat(6);
    objects.advancestop(1);
    EXPECT_EQ(objects.stop(), 6);
    objects.stopat(1);
    objects.advancestop(10);
    EXPECT_EQ(objects.stop(), 6);
    objects.advancestop(-10);
    EXPECT_EQ(objects.stop(), 1);

    // Auxiliary objects come with the object before them.
    o[2]->Class |= CHelp;
    objects.stopat(2);
    objects.advancestop(-1);
    EXPECT_EQ(objects.stop(), 1);
    objects.advancestop(1);
    EXPECT_EQ(objects.stop(), 3) << "object 2 and its help object 3";
    objects.stopat(0);
    objects.advancestop(1);
    EXPECT_EQ(objects.stop(), 0);
}

TEST_F(List, FindExistsAndShow) {
    Point* a = new Point(0, 0);
    Stub* s = new Stub(a);
    s->setname("Point_2");
    Point* b = new Point(1, 1);
    EXPECT_STREQ(b->name(), "Point_3");
    EXPECT_EQ(objects.find("Point_2", CStraight, nullptr), nullptr) << "a stub is no line";
    EXPECT_EQ(objects.find("Point_2", 0, nullptr), s);
    EXPECT_EQ(objects.find("Point_3", 0, s), nullptr) << "only before last";
    EXPECT_EQ(objects.find("Point_1", CPoint, s), a);
    EXPECT_EQ(objects.exists("Point_3"), 0) << "the last object is not seen";
    EXPECT_EQ(objects.exists("Point_1"), 1);

    String listing("");
    objects.show(listing);
    EXPECT_STREQ(listing.text(),
                 "Point_1 : Basic Point\r\nPoint_2 : ---\r\nPoint_3 : Basic Point\r\n");

    struct Identity : Translator {
        const char* translate(const char* n) override {
            return std::string(n) == "A" ? "Point_1" : nullptr;
        }
        void add(const char*, const char*) override {}
    } t;
    translation = &t;
    EXPECT_EQ(objects.find("A", 0, nullptr), a);
    EXPECT_EQ(objects.find("Point_1", 0, nullptr), nullptr) << "untranslated names find nothing";
    translation = nullptr;
}

TEST_F(List, NameIndexAgreesWithAScan) {
    std::mt19937 random(7);
    auto scan = [](const char* name, int flags, Object* last) -> Object* {
        for (Object* o = objects.first(); o && o != last; o = o->next())
            if (std::string(o->name()) == name && (!flags || (o->Class & flags))) return o;
        return nullptr;
    };
    std::vector<std::string> names;
    for (int round = 0; round < 400; ++round) {
        int what = static_cast<int>(random() % 10);
        if (what < 5 || objects.empty()) {
            Object* o = what % 2 ? static_cast<Object*>(new Point(0, 0)) : new Stub();
            names.push_back(o->name());
        } else if (what < 7) {
            // Rename some object, sometimes to a name in use.
            int k = static_cast<int>(random() % static_cast<unsigned>(objects.count()));
            Object* o = objects.first();
            while (k--) o = o->next();
            std::string n = names[random() % names.size()];
            if (random() % 2) {
                o->setname(n.c_str());
            } else {
                o->setname1(n.data());
            }
            names.push_back("Renamed_" + std::to_string(round));
            o->setname(names.back().c_str());
        } else {
            int k = static_cast<int>(random() % static_cast<unsigned>(objects.count()));
            Object* o = objects.first();
            while (k--) o = o->next();
            objects.clear(o);
        }
        for (int probe = 0; probe < 10 && !names.empty(); ++probe) {
            const std::string& n = names[random() % names.size()];
            int flags = static_cast<int>(random() % 3) * CPoint;
            Object* last = nullptr;
            if (!objects.empty() && random() % 2) {
                int k = static_cast<int>(random() % static_cast<unsigned>(objects.count()));
                last = objects.first();
                while (k--) last = last->next();
            }
            ASSERT_EQ(objects.find(n.c_str(), flags, last), scan(n.c_str(), flags, last)) << n;
            Object* other = scan(n.c_str(), 0, objects.last());
            ASSERT_EQ(objects.exists(n.c_str()), other != nullptr) << n;
        }
    }
}

TEST_F(List, StepModeReportsTheLastVisibleObject) {
    struct Recorder : View {
        void inform(const char* t) override { Text = t; }
        std::string Text = "unset";
    } r;
    setview(&r);
    Window w;
    BitmapPS ps(w, 100, 100);
    new Point(0, 0);
    Point* b = new Point(1, 1);
    new Point(2, 2);
    objects.stopat(2);
    objects.draw(ps);
    EXPECT_EQ(r.Text, "Point_2 : Basic Point");
    b->ishidden = 1;
    objects.draw(ps);
    EXPECT_EQ(r.Text, "Point_1 : Basic Point");
    objects.stopat(0);
    r.Text = "unset";
    objects.draw(ps);
    EXPECT_EQ(r.Text, "unset");
    setview(nullptr);
}
