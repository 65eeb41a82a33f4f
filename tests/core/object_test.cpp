#include "angle.h"
#include "bitmapps.h"
#include "model.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using Objects = Model;

TEST_F(Objects, DefaultNamesSkipNamesInUse) {
    Object* help = new Object;
    EXPECT_STREQ(help->name(), "Object_1") << "help objects keep the provisional name";
    Point* a = new Point(0, 0);
    Point* b = new Point(1, 1);
    EXPECT_STREQ(a->name(), "Point_1");
    EXPECT_STREQ(b->name(), "Point_2");
    EXPECT_EQ(a->objectclass(), 35);
    EXPECT_EQ(a->Symbol, 5);
    pointcount.C = 1; // overtaken by names loaded from a file
    Point* c = new Point(2, 2);
    EXPECT_STREQ(c->name(), "Point_3");
    EXPECT_EQ(pointcount.C, 4);
    counts.reset();
    EXPECT_EQ(pointcount.C, 1);
    EXPECT_EQ(objectcount.C, 1);

    // Renaming: a taken name is refused, the own name changes nothing,
    // double quotes become single quotes.
    a->setname("Point_2");
    EXPECT_STREQ(a->name(), "Point_1");
    a->setname("Point_1");
    EXPECT_STREQ(a->name(), "Point_1");
    a->setname("\"point\"");
    EXPECT_STREQ(a->name(), "'point'");
    EXPECT_EQ(objects.find("'point'", 0, nullptr), a);
    EXPECT_EQ(objects.find("Point_1", 0, nullptr), nullptr) << "the old name is free again";
    char raw[] = "A\"B";
    b->setname1(raw);
    EXPECT_STREQ(b->name(), "A'B");
}

TEST_F(Objects, VisibilityAndColours) {
    Window w;
    BitmapPS ps(w, 10, 10), modern(w, 10, 10);
    modern.modern(1);
    Point* p = new Point(0, 0);
    p->setcolor(1);
    EXPECT_EQ(p->hidden(), 0);
    EXPECT_EQ(p->drawcolor(ps), Color(0, 0, 160));
    EXPECT_EQ(p->drawcolor(modern), Color(21, 101, 192)) << "the modern blue";
    p->ishidden = 1;
    EXPECT_EQ(p->hidden(), 1);
    view().showhidden = 1;
    EXPECT_EQ(p->hidden(), 0) << "shown on demand";
    EXPECT_EQ(p->drawcolor(ps), Color(128, 128, 255)) << "in the light shade";
    EXPECT_EQ(p->drawcolor(modern), Color(150, 188, 232));
    p->highlight.set();
    EXPECT_EQ(p->drawcolor(ps), Color(200, 0, 0)) << "highlight wins";
    EXPECT_EQ(p->drawcolor(modern), Color(150, 188, 232)) << "a glow shows it instead";
    p->highlight.clear();
    view().showhidden = 0;
    p->ishidden = 0;
    objectcolors.choose(1, 0);
    EXPECT_EQ(p->hidden(), 1) << "blue is filtered out";
    EXPECT_EQ(p->drawcolor(ps), Color(0, 0, 160)) << "its colour is still computed";
    objectcolors.all();
    p->valid = 0;
    EXPECT_EQ(p->hidden(), 1);

    objectcolors.defcolor(3);
    Point* q = new Point(1, 1);
    EXPECT_EQ(q->color(), 3);
    EXPECT_EQ(objectcolors.index("cyan"), 4);
    EXPECT_EQ(objectcolors.index("Cyan"), 0);
    EXPECT_STREQ(objectcolors.name(5), "brown");
    EXPECT_EQ(objectcolors.dark(2), Color(140, 0, 160));
    EXPECT_EQ(objectcolors.light(5), Color(255, 128, 128));
    objectcolors.none();
    EXPECT_EQ(objectcolors.chosen(0), 0);
}

TEST_F(Objects, FlagsAndArg) {
    Flag f;
    f.toggle();
    EXPECT_EQ(f, 1);
    f.toggle();
    EXPECT_EQ(f, 0);
    FixFlag h;
    h.set();
    h.fix();
    h.clear();
    EXPECT_EQ(h, 1) << "pinned";
    h.unfix();
    h.clear();
    EXPECT_EQ(h, 0);

    double phi = 5;
    EXPECT_EQ(arg(0, 0, &phi), 0);
    EXPECT_EQ(phi, 5);
    EXPECT_EQ(arg(1e-16, 1e-16, &phi), 0);
    EXPECT_EQ(arg(-1, 0, &phi), 1);
    EXPECT_DOUBLE_EQ(phi, M_PI);
    EXPECT_EQ(arg(0, -2, &phi), 1);
    EXPECT_DOUBLE_EQ(phi, -M_PI / 2);
}

namespace {

struct Labels : Objects {
    Window w;
    Font normal{"DejaVu Sans", 16};
    Font symbol{"Symbol", 16};
    void SetUp() override {
        Objects::SetUp();
        font = &normal;
        symbolfont = &symbol;
    }
    void TearDown() override {
        font = symbolfont = nullptr;
        Objects::TearDown();
    }
    // The pixels a label leaves on a fresh picture.
    template <class F> std::vector<unsigned> picture(F draw) {
        BitmapPS ps(w, 200, 60);
        ps.bar(0, 0, 200, 60, Color(255, 255, 255));
        ps.font(normal);
        ps.textcolor(Color(0, 0, 0));
        draw(ps);
        std::vector<unsigned> v;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 200; ++x) v.push_back(ps.pixel(x, y).C);
        return v;
    }
};

} // namespace

TEST_F(Labels, BackslashEscapes) {
    auto two = picture([](PS& ps) { drawtext1(ps, 10, 40, "a\\\\b"); });
    auto one = picture([](PS& ps) {
        ps.alignment(0, 4, 0);
        ps.move(10, 40);
        ps.text(0, 0, "a");
        ps.text(0, 0, "\\");
        ps.text(0, 0, "b");
    });
    EXPECT_EQ(two, one) << "two backslashes show one";

    auto cut = picture([](PS& ps) { drawtext1(ps, 10, 40, "abc\\"); });
    auto plain = picture([](PS& ps) { drawtext1(ps, 10, 40, "abc"); });
    EXPECT_EQ(cut, plain) << "a final backslash ends the label";

    auto greek = picture([](PS& ps) { drawtext1(ps, 10, 40, "\\a"); });
    auto latin = picture([](PS& ps) { drawtext1(ps, 10, 40, "a"); });
    auto alpha = picture([this](PS& ps) {
        ps.font(symbol);
        ps.alignment(0, 4, 0);
        ps.move(10, 40);
        ps.text(0, 0, "a");
    });
    EXPECT_EQ(greek, alpha);
    EXPECT_NE(greek, latin);

    // A centred label is a left-aligned one moved by half its extent.
    int width = 0, h = 0;
    {
        BitmapPS ps(w, 10, 10);
        ps.font(normal);
        int w1, w2, w3;
        ps.textextent("x", 1, w1, h);
        ps.font(symbol);
        ps.textextent("a", 1, w2, h);
        ps.font(normal);
        ps.textextent("y", 1, w3, h);
        width = w1 + w2 + w3;
    }
    auto centred = picture([](PS& ps) { drawtext(ps, 100, 30, "x\\ay"); });
    auto placed = picture([&](PS& ps) {
        ps.alignment(0, 3, 0);
        ps.move(100 - width / 2, 30 - h / 2);
        ps.text(0, 0, "x");
        ps.font(symbol);
        ps.text(0, 0, "a");
        ps.font(normal);
        ps.text(0, 0, "y");
    });
    EXPECT_EQ(centred, placed);
}

TEST_F(Labels, LettersBeyondAsciiAreDrawnWholeAndDescribedWhole) {
    // After a backslash, a letter beyond ASCII is drawn as it is, whole.
    auto escaped = picture([](PS& ps) { drawtext1(ps, 10, 40, "\\\xce\xb2x"); });
    auto plain = picture([](PS& ps) { drawtext1(ps, 10, 40, "\xce\xb2x"); });
    EXPECT_EQ(escaped, plain);

    // Three names of 63 Greek letters fit a description.
    std::string n[3];
    Point* p[3];
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 62; ++k) n[i] += "\xce\xb1";
        n[i] += std::string("\xce") + static_cast<char>('\xb2' + i);
        p[i] = new Point(i, i * i);
        p[i]->setname(n[i].c_str());
        ASSERT_EQ(n[i], p[i]->name());
    }
    Angle* a = new Angle(p[0], p[1], p[2]);
    char d[DescriptionMax];
    a->writeclear(d);
    for (const std::string& name : n) EXPECT_NE(std::string(d).find(name), std::string::npos);
}
