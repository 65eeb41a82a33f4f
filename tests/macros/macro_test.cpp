#include "arc.h"
#include "circle.h"
#include "constructed.h"
#include "control.h"
#include "derived.h"
#include "intersection.h"
#include "line.h"
#include "locus.h"
#include "macroactions.h"
#include "number.h"
#include "objectlist.h"
#include "point.h"
#include "region.h"
#include "scripted.h"
#include "text.h"
#include "transform.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Recorder : ToolHost {
    void inform(const char* t) override { Prompt = t; }
    std::string Prompt;
};

// The menu as the macros see it.
struct Menu : MacroHost {
    void addentry(int id, const char* name) override { Entries[id] = name; }
    void removeentry(int id) override { Entries.erase(id); }
    void enable(int id, int on) override { Enabled[id] = on; }
    std::map<int, std::string> Entries;
    std::map<int, int> Enabled;
};

int px(double x) {
    return static_cast<int>((x + 7) / 14 * 500);
}
int py(double y) {
    return static_cast<int>((7 - y) / 14 * 500);
}

struct Macros : ::testing::Test {
    Recorder host;
    Menu menu;
    ScriptedAnswerer s;
    void SetUp() override {
        sethost(&host);
        setmacrohost(&menu);
        objects.clear();
        counts.reset();
    }
    void TearDown() override {
        macrodefineaction.abort();
        macrorunaction.abort();
        macrorunaction.Running = nullptr;
        while (macros) {
            Macro* m = macros;
            m->remove();
            delete m;
        }
        objects.clear();
        setmacrohost(nullptr);
        sethost(nullptr);
    }
    static void use(Action& a) {
        a.abort();
        a.start();
        a.inform();
    }
    static void click(Action& a, double x, double y) { a.perform(px(x), py(y)); }
    // Chooses o's place as a parameter, answering the prompt dialog.
    std::string parameter(double x, double y, const char* prompt = nullptr) {
        std::string preset;
        s.Dialogs.push_back([&preset, prompt](Dialog& d) {
            preset = d.gettext(101).text();
            if (prompt) d.type(101, prompt);
            d.click(1);
        });
        click(macrodefineaction, x, y);
        return preset;
    }
    // Completes the definition under this name.
    void complete(const char* name) {
        s.Dialogs.push_back([name](Dialog& d) {
            d.type(101, name);
            d.click(1);
        });
        if (macrodefineaction.State == 2 && macrodefineaction.P && macrodefineaction.T) {
            if (testmacro()) createmacro(name);
        }
        s.Dialogs.clear();
    }
    // Ends the parameters, makes targets of these objects and completes
    // the macro under this name; checks that its file reads back the same,
    // then starts an empty construction to run it in.
    Macro* define(std::initializer_list<Object*> targets, const char* name) {
        macrodefineaction.advance();
        ParameterList** slot = &macrodefineaction.T;
        for (Object* o : targets) {
            *slot = new ParameterList;
            (*slot)->P = o;
            slot = &(*slot)->Next;
        }
        EXPECT_TRUE(testmacro());
        EXPECT_EQ(createmacro(name), 1);
        Macro* made = macros;
        std::string bad;
        std::unique_ptr<Macro> back(readmacro(made->file(), bad));
        EXPECT_TRUE(back) << bad;
        EXPECT_EQ(back ? back->file() : "", made->file());
        objects.clear();
        counts.reset();
        return made;
    }
    // The midpoint macro of two points.
    Macro* midpoint() {
        Point* a = new Point(-2, 0);
        Point* b = new Point(2, 0);
        new Middle(a, b);
        use(macrodefineaction);
        parameter(-2, 0);
        parameter(2, 0);
        macrodefineaction.advance();
        click(macrodefineaction, 0, 0);
        complete("Midpoint");
        return macros;
    }
};

} // namespace

TEST_F(Macros, MidpointOfTwoPoints) {
    Point* a = new Point(-2, 0);
    Point* b = new Point(2, 0);
    Middle* m = new Middle(a, b);
    use(macrodefineaction);
    EXPECT_EQ(host.Prompt, "Choose Parameter Objects");
    EXPECT_EQ(menu.Enabled[5002], 0);
    EXPECT_EQ(parameter(-2, 0, "First end"), "Choose a point!");
    EXPECT_TRUE(a->highlight);
    EXPECT_EQ(menu.Enabled[5002], 1);
    // A chosen object is not chosen again.
    click(macrodefineaction, -2, 0);
    EXPECT_EQ(s.AskedDialogs.size(), 1u);
    // Cancel in the prompt dialog drops the click; an empty prompt is "No Prompt.".
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    click(macrodefineaction, 2, 0);
    EXPECT_FALSE(b->highlight);
    parameter(2, 0, "");
    ASSERT_NE(macrodefineaction.P, nullptr);
    EXPECT_STREQ(macrodefineaction.P->Next->Prompt.text(), "No Prompt.");

    macrodefineaction.advance();
    EXPECT_EQ(host.Prompt, "Choose Target Objects");
    EXPECT_FALSE(a->highlight) << "the parameters are no longer highlighted";
    click(macrodefineaction, -2, 0);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "This Target is a parameter!\nTarget skipped.");
    click(macrodefineaction, 0, 0);
    EXPECT_TRUE(m->highlight);
    EXPECT_EQ(menu.Enabled[5003], 1);
    complete("Midpoint");

    ASSERT_NE(macros, nullptr);
    Macro* mac = macros;
    EXPECT_STREQ(mac->Name.text(), "Midpoint");
    EXPECT_EQ(mac->parameters(), 2);
    ASSERT_EQ(mac->steps(), 1);
    EXPECT_STREQ(mac->Step->S.text(), "\"Middle_1\"()=middle(\"Point_1\",\"Point_2\");\n");
    EXPECT_STREQ(mac->P->Name.text(), "Point_1");
    EXPECT_EQ(mac->P->Class & CPoint, CPoint);
    EXPECT_GE(mac->C, 10000);
    EXPECT_EQ(menu.Entries[mac->C], "Midpoint");
    for (int id : {7102, 5005, 102, 7101}) EXPECT_EQ(menu.Enabled[id], 1) << id;
    EXPECT_EQ(macrodefineaction.State, 1) << "a new definition begins";
    EXPECT_EQ(macrodefineaction.P, nullptr);
    EXPECT_FALSE(m->highlight);

    // Run it: two clicks on free places make two points and their midpoint,
    // which gets a name of its own.
    macrorunaction.Running = mac;
    use(macrorunaction);
    EXPECT_EQ(host.Prompt, "Midpoint : First end");
    click(macrorunaction, -4, 3);
    EXPECT_EQ(host.Prompt, "Midpoint : No Prompt.");
    click(macrorunaction, 4, 5);
    ASSERT_EQ(objects.count(), 6);
    auto* mid = static_cast<Pointprim*>(objects.last());
    EXPECT_STREQ(mid->name(), "Middle_2");
    EXPECT_NEAR(mid->x(), 0, 0.05) << "halfway between the clicks";
    EXPECT_NEAR(mid->y(), 4, 0.05);
    EXPECT_EQ(translation, nullptr);
    EXPECT_EQ(host.Prompt, "Midpoint : First end") << "ready for the next run";
    // The next run takes existing points.
    click(macrorunaction, -2, 0);
    click(macrorunaction, 2, 0);
    EXPECT_EQ(objects.count(), 7);
    EXPECT_DOUBLE_EQ(static_cast<Pointprim*>(objects.last())->x(), 0);
}

TEST_F(Macros, TargetsMustBeMadeFromTheParameters) {
    Point* a = new Point(-2, 0);
    Point* b = new Point(2, 0);
    Point* c = new Point(0, 3);
    Line* l = makeline(a, b);
    use(macrodefineaction);
    parameter(0, 3);
    EXPECT_EQ(parameter(-1, 0), "Choose a line object!") << "the line, not a point, is nearest";
    DepLine* par = makeparallel(c, l, 0);
    new Point(4, 5);
    macrodefineaction.advance();
    click(macrodefineaction, 4, 5);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Target Point_4 cannot be constructed\nfrom these parameters!");
    EXPECT_EQ(macrodefineaction.T, nullptr);
    click(macrodefineaction, 3, 3);
    ASSERT_NE(macrodefineaction.T, nullptr);
    EXPECT_EQ(macrodefineaction.T->P, par);
    complete("Parallel");
    ASSERT_NE(macros, nullptr);
    ASSERT_EQ(macros->steps(), 1) << "the line of a parallel comes with its record";
    EXPECT_NE(std::string(macros->Step->S.text()).find("=parallel(\"Point_3\",\"Line_1\");"),
              std::string::npos)
        << macros->Step->S.text();
    EXPECT_EQ(macros->P->Next->Class & CStraight, CStraight);

    // A line parameter: a click beside every line does nothing.
    macrorunaction.Running = macros;
    use(macrorunaction);
    EXPECT_EQ(host.Prompt, "Parallel : Choose a point!");
    click(macrorunaction, 5, 5); // a new point
    EXPECT_EQ(host.Prompt, "Parallel : Choose a line object!");
    int before = objects.count();
    click(macrorunaction, 6, -6);
    EXPECT_EQ(objects.count(), before) << "no line there";
    EXPECT_EQ(host.Prompt, "Parallel : Choose a line object!");
    click(macrorunaction, 1, 0);
    EXPECT_EQ(objects.count(), before + 2) << "the help point and the parallel";
    auto* made = static_cast<Lineprim*>(objects.last());
    EXPECT_EQ(made->objectclass() & CStraight, CStraight);
    EXPECT_LT(made->distance(5, 5), 0.05) << "through the new point";
    EXPECT_LT(std::abs(made->distance(-5, 5) - made->distance(5, 5)), 0.1)
        << "parallel to the line";
}

TEST_F(Macros, NamesAndIdsOfMacros) {
    Macro* first = midpoint();
    ASSERT_NE(first, nullptr);
    int id = first->C;
    // The same name again: No keeps the old macro and the selection.
    use(macrodefineaction);
    parameter(-2, 0);
    parameter(2, 0);
    macrodefineaction.advance();
    click(macrodefineaction, 0, 0);
    s.Answers = {IDNO};
    EXPECT_EQ(createmacro("Midpoint"), 0);
    EXPECT_EQ(s.AskedBoxes.back().text, "Delete Macro Midpoint?");
    EXPECT_EQ(macros, first);
    EXPECT_NE(macrodefineaction.T, nullptr) << "the selection stays";
    s.Answers = {IDYES};
    EXPECT_EQ(createmacro("Midpoint"), 1);
    ASSERT_NE(macros, nullptr);
    EXPECT_EQ(macros->Next, nullptr) << "one macro of that name";
    EXPECT_EQ(macros->C, id + 1) << "ids are never used again";
    EXPECT_EQ(menu.Entries.size(), 1u);
    EXPECT_EQ(menu.Entries.count(id), 0u);
    Macro* last = macros;
    last->remove();
    delete last;
    for (int i : {7102, 5005, 102, 7101}) EXPECT_EQ(menu.Enabled[i], 0) << i;
}

TEST_F(Macros, AFailingStepStopsTheRun) {
    auto* m = new Macro("Broken");
    auto* p = new ParameterList;
    p->Name = "X";
    p->Prompt = "Pick";
    p->Class = CPoint;
    m->addparameter(p);
    m->addstep("\"M\"()=middle(\"X\",\"X\");");
    m->addstep("\"N\"()=middle(\"X\",\"Nowhere\");");
    m->addstep("\"O\"()=middle(\"X\",\"M\");");
    createmacro(m);
    macrorunaction.Running = m;
    use(macrorunaction);
    click(macrorunaction, 1, 1);
    ASSERT_FALSE(s.AskedBoxes.empty());
    EXPECT_EQ(s.AskedBoxes.back().text, "Error in Macro!");
    EXPECT_EQ(objects.count(), 2) << "the point and the first step's midpoint stay";
    EXPECT_EQ(translation, nullptr);
    EXPECT_EQ(objects.find("M", 0, nullptr), nullptr) << "made under its own name";
}

TEST_F(Macros, FilesRoundTripAndTheirFormatErrors) {
    Macro* m = midpoint();
    ASSERT_NE(m, nullptr);
    m->Comment = "Midpoint of two points.";
    std::string text = m->file();
    EXPECT_EQ(text, "N:Midpoint\n/*\nMidpoint of two points.\n*/\nP:Point_1\nL:Choose a point!\n"
                    "T:point\nP:Point_2\nL:Choose a point!\nT:point\n"
                    "S:\"Middle_1\"()=middle(\"Point_1\",\"Point_2\");\n");
    std::string bad;
    Macro* back = readmacro(text, bad);
    ASSERT_NE(back, nullptr) << bad;
    EXPECT_EQ(back->file(), text);
    EXPECT_EQ(back->P->Class, CPoint);
    delete back;

    QTemporaryDir dir;
    std::string name = dir.path().toStdString() + "/mid.mac";
    EXPECT_EQ(m->save(name.c_str()), 1);
    QFile f(QString::fromStdString(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), text);
    EXPECT_EQ(m->save((dir.path().toStdString() + "/no/such/m.mac").c_str()), 0);
    EXPECT_EQ(s.AskedBoxes.back().text.rfind("Could not open\n", 0), 0u);

    auto reads = [&](const std::string& t) {
        bad = "?";
        Macro* r = readmacro(t, bad);
        std::string steps = r ? std::to_string(r->steps()) : "error: " + bad;
        delete r;
        return steps;
    };
    const std::string head = "N:M\n/*\n*/\nP:A\nL:Pick\nT:point\n";
    EXPECT_EQ(reads("N:M\nP:A\nL:Pick\nT:point\nS:x\n"), "1") << "no comment block";
    EXPECT_EQ(reads("N:M\n/*\n*/\n"), "0") << "no parameters, no steps";
    EXPECT_EQ(reads(head + "S:a\n\nS:b\n"), "2") << "empty lines between steps";
    EXPECT_EQ(reads(head + "S:a\nS:b"), "1") << "a last line without line end";
    EXPECT_EQ(reads("N:M\n/*\n*/\nP:A\nL:Pick\nT:Point\n"), "error: T:Point");
    EXPECT_EQ(reads("N:M\n/*\n*/\nP:A\nT:point\n"), "error: T:point");
    EXPECT_EQ(reads("N:M\n/*\n*/\nP:A\nL:x\n"), "error: L:x");
    EXPECT_EQ(reads(head + "S:a\nP:B\n"), "error: P:B");
    EXPECT_EQ(reads("X:M\n/*\n"), "error: X:M");
    EXPECT_EQ(reads(""), "error: ");
    EXPECT_EQ(reads("N:M\n"), "error: N:M") << "a second line is needed";
    EXPECT_EQ(reads("N:M\n/*\nnever ends\n"), "error: ");
    EXPECT_EQ(reads(head + "S:" + std::string(600, 'a') + "\n"), "error: " + std::string(103, 'a'))
        << "a line longer than 499 characters goes on as a line of its own";
    std::string longcomment = "N:M\n/*\n";
    for (int i = 0; i < 50; ++i) longcomment += std::string(50, 'c') + "\n";
    EXPECT_EQ(reads(longcomment + "*/\n").rfind("error: ", 0), 0u) << "more than 2044 characters";
    // Comments come back with their paragraphs.
    Macro* c = readmacro("N:C\n/*\nfirst line\nsame paragraph\n\nsecond\n*/\n", bad);
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->Comment.text(), "first line same paragraph\r\nsecond");
    delete c;
    // A comment line is taken whole however long it is, and so is the line
    // that ends the comment; a word longer than a step line comes back.
    const std::string word(1200, 'w');
    c = readmacro("N:C\n/*\n" + word + "\n*/" + std::string(600, ' ') + "x\nS:a\n", bad);
    ASSERT_NE(c, nullptr) << bad;
    EXPECT_EQ(std::string(c->Comment.text()), word);
    EXPECT_EQ(c->steps(), 1);
    Macro* again = readmacro(c->file(), bad);
    ASSERT_NE(again, nullptr) << bad;
    EXPECT_EQ(std::string(again->Comment.text()), word);
    delete again;
    delete c;

    // The comment dialog takes no more than a macro file can give back.
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, std::string(3000, 'q').c_str());
        d.click(1);
    });
    m->showcomment();
    EXPECT_EQ(std::string(m->Comment.text()), std::string(2044, 'q'));
    again = readmacro(m->file(), bad);
    ASSERT_NE(again, nullptr) << bad;
    EXPECT_STREQ(again->Comment.text(), m->Comment.text());
    delete again;

    // A step of five names of 63 Greek letters is longer than a line of
    // bytes may be, not longer than one of letters: it reads back whole.
    std::string gn[5];
    for (int i = 0; i < 5; ++i) {
        for (int k = 0; k < 62; ++k) gn[i] += "\xce\xb1";
        gn[i] += std::string("\xce") + static_cast<char>('\xb1' + i);
    }
    std::string greek = "N:\xce\xa3\nP:" + gn[2] +
                        "\nL:\xce\x9c\xce\xad\xcf\x83\xce\xbf\nT:point\n"
                        "S:\"" +
                        gn[0] + "\"(hidden),\"" + gn[1] + "\"()=circle3(\"" + gn[2] + "\",\"" +
                        gn[3] + "\",\"" + gn[4] + "\");\n";
    ASSERT_GT(greek.size(), 600u);
    Macro* g = readmacro(greek, bad);
    ASSERT_NE(g, nullptr) << bad;
    EXPECT_EQ(g->file().find("S:\"" + gn[0]) != std::string::npos, true);
    Macro* back2 = readmacro(g->file(), bad);
    ASSERT_NE(back2, nullptr) << bad;
    EXPECT_EQ(back2->file(), g->file());
    EXPECT_STREQ(back2->Name.text(), "\xce\xa3");
    delete back2;
    delete g;
}

TEST_F(Macros, PointParametersOfferIntersectionsAndCancelledChoicesDropTheClick) {
    Macro* mid = midpoint();
    ASSERT_NE(mid, nullptr);
    objects.clear();
    counts.reset();
    // Two lines crossing at (0, 1).
    makeline(new Point(-3, -2), new Point(3, 4));
    makeline(new Point(-3, 4), new Point(3, -2));
    int n = objects.count();
    macrorunaction.Running = mid;
    use(macrorunaction);
    s.Answers = {IDNO};
    click(macrorunaction, 0, 1);
    EXPECT_EQ(s.AskedBoxes.back().kind, Box::Question) << "the intersection is offered";
    EXPECT_EQ(objects.count(), n) << "No leaves the parameter unchosen";
    EXPECT_EQ(host.Prompt, "Midpoint : Choose a point!");
    s.Answers = {IDYES};
    click(macrorunaction, 0, 1);
    EXPECT_EQ(objects.count(), n + 1) << "the intersection";
    // Two points on one spot: the choice is asked; Cancel drops the click.
    new Point(5, 5);
    new Point(5, 5);
    n = objects.count();
    click(macrorunaction, 5, 5);
    EXPECT_EQ(objects.count(), n) << "no new point for a cancelled choice";
    EXPECT_NE(macrorunaction.Param, nullptr);
    EXPECT_EQ(macrorunaction.Param, mid->P->Next) << "still the second parameter";
}

TEST_F(Macros, PerpendicularBisectorSavedDeletedLoadedAndRunAgain) {
    // The bisector of A and B through the crossings of two circles.
    Point* a = new Point(-2, 0);
    Point* b = new Point(2, 0);
    use(macrodefineaction);
    parameter(-2, 0);
    parameter(2, 0);
    Circle* ca = new Circle(a, b);
    Circle* cb = new Circle(b, a);
    auto* x = new Intersection(ca, cb);
    Line* bisector = makeline(x, static_cast<Pointprim*>(x->other()));
    macrodefineaction.advance();
    macrodefineaction.T = new ParameterList;
    macrodefineaction.T->P = bisector;
    ASSERT_TRUE(testmacro());
    ASSERT_EQ(createmacro("Bisector"), 1);
    Macro* m = macros;
    ASSERT_EQ(m->steps(), 4) << "two circles, their crossings in one record, the line";
    int id = m->C;

    // A run on fresh clicks: the line is the bisector of the new points.
    auto run = [&](Macro* mac) {
        macrorunaction.Running = mac;
        use(macrorunaction);
        click(macrorunaction, -4, 4);
        click(macrorunaction, 2, 5);
        return static_cast<Lineprim*>(objects.last());
    };
    int before = objects.count();
    Lineprim* l = run(m);
    EXPECT_EQ(objects.count(), before + 2 + 5) << "two points, two circles, two crossings, a line";
    auto* p = static_cast<Pointprim*>(objects.find("Point_3", 0, nullptr));
    auto* q = static_cast<Pointprim*>(objects.find("Point_4", 0, nullptr));
    ASSERT_TRUE(p && q);
    double mx = (p->x() + q->x()) / 2, my = (p->y() + q->y()) / 2;
    EXPECT_LT(l->distance(mx, my), 1e-9) << "through the midpoint";
    EXPECT_NEAR(l->distance(p->x(), p->y()), l->distance(q->x(), q->y()), 1e-9);
    EXPECT_STREQ(l->name(), "Line_2") << "a name of its own";

    // Saved, deleted, loaded: the same steps, a new id, the same result.
    QTemporaryDir dir;
    std::string name = dir.path().toStdString() + "/bisector.mac";
    ASSERT_EQ(m->save(name.c_str()), 1);
    std::string saved = m->file();
    m->remove();
    delete m;
    EXPECT_EQ(macros, nullptr);
    QFile f(QString::fromStdString(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    std::string bad;
    Macro* back = readmacro(f.readAll().toStdString(), bad);
    ASSERT_NE(back, nullptr) << bad;
    ASSERT_EQ(createmacro(back), 1);
    EXPECT_EQ(back->C, id + 1) << "ids go on after a deletion";
    EXPECT_EQ(back->steps(), 4);
    EXPECT_EQ(back->P->Class, CPoint) << "a loaded point parameter takes any point";
    double px = p->x(); // p goes with the construction
    objects.clear();
    counts.reset();
    Lineprim* again = run(back);
    ASSERT_EQ(objects.count(), 7);
    auto* p2 = static_cast<Pointprim*>(objects.find("Point_1", 0, nullptr));
    auto* q2 = static_cast<Pointprim*>(objects.find("Point_2", 0, nullptr));
    ASSERT_TRUE(p2 && q2);
    EXPECT_DOUBLE_EQ(p2->x(), px);
    EXPECT_NEAR(again->distance((p2->x() + q2->x()) / 2, (p2->y() + q2->y()) / 2), 0, 1e-9);
    EXPECT_NE(saved.find("=intersection(\"Circle_1\",\"Circle_2\");\nS:"), std::string::npos)
        << saved;
}

TEST_F(Macros, ARotationInsideRunsOnNewPoints) {
    // The equilateral triangle's third corner: B turned about A by 60
    // degrees, then the tangents from it to the circle about A through B.
    Point* a = new Point(0, 0);
    Point* b = new Point(2, 0);
    use(macrodefineaction);
    parameter(0, 0);
    parameter(2, 0);
    using T = Transformation;
    Object* c = makeimage(b, T(T::Rotation, a, nullptr, 60));
    auto* k = new Circle(a, b);
    Object* far = makeimage(c, T(T::Dilation, a, nullptr, 2));
    auto* t = new Tangent(static_cast<Pointprim*>(far), k);
    macrodefineaction.advance();
    macrodefineaction.T = new ParameterList;
    macrodefineaction.T->P = c;
    macrodefineaction.T->Next = new ParameterList;
    macrodefineaction.T->Next->P = t;
    ASSERT_TRUE(testmacro());
    ASSERT_EQ(createmacro("Turn"), 1);
    Macro* m = macros;
    ASSERT_EQ(m->steps(), 4) << "the image, the circle, the far image, the tangents";
    EXPECT_NE(m->file().find("=rotate("), std::string::npos) << m->file();

    objects.clear();
    counts.reset();
    macrorunaction.Running = m;
    use(macrorunaction);
    click(macrorunaction, -4, 1);
    click(macrorunaction, -1, 5);
    ASSERT_EQ(objects.count(), 2 + 5) << "two points, the image, the circle, the far image, "
                                         "the two tangents";
    auto* p = static_cast<Pointprim*>(objects.find("Point_1", 0, nullptr));
    auto* q = static_cast<Pointprim*>(objects.find("Point_2", 0, nullptr));
    auto* turned = static_cast<Pointprim*>(p->next()->next());
    ASSERT_TRUE(p && q && turned->valid);
    EXPECT_EQ(imageof(turned)->source(), q);
    EXPECT_NEAR(std::hypot(turned->x() - p->x(), turned->y() - p->y()),
                std::hypot(q->x() - p->x(), q->y() - p->y()), 1e-9);
    EXPECT_NEAR(std::hypot(turned->x() - q->x(), turned->y() - q->y()),
                std::hypot(q->x() - p->x(), q->y() - p->y()), 1e-9)
        << "equilateral";
    auto* tangent = static_cast<Tangent*>(objects.last()->previous());
    ASSERT_TRUE(tangent->valid && tangent->other()->valid);
    EXPECT_NEAR(tangent->distance(p->x(), p->y()), tangent->circle()->r(), 1e-9);
    EXPECT_EQ(objects.last(), tangent->other());
}

TEST_F(Macros, PolygonsOfTheParametersAreTargets) {
    // Four vertices as parameters; the targets: their quadrilateral, the
    // square on the first side, and the quadrilateral reflected in its
    // first side.
    Point* v[4] = {new Point(0, 0), new Point(2, 0), new Point(3, 2), new Point(0, 3)};
    use(macrodefineaction);
    for (Point* p : v) parameter(p->x(), p->y());
    auto* quad = new Polygon({v[0], v[1], v[2], v[3]});
    RegularPolygon* square = makeregularpolygon(v[0], v[1], 4);
    Line* side = makeline(v[0], v[1]);
    Object* mirrored =
        makeimage(quad, Transformation(Transformation::Reflection, side, nullptr, 0));
    macrodefineaction.advance();
    macrodefineaction.T = new ParameterList;
    macrodefineaction.T->P = quad;
    macrodefineaction.T->Next = new ParameterList;
    macrodefineaction.T->Next->P = square->vertex(1);
    macrodefineaction.T->Next->Next = new ParameterList;
    macrodefineaction.T->Next->Next->P = mirrored;
    ASSERT_TRUE(testmacro());
    ASSERT_EQ(createmacro("Shapes"), 1);
    Macro* m = macros;
    ASSERT_EQ(m->steps(), 4) << m->file();
    std::string bad;
    std::unique_ptr<Macro> back(readmacro(m->file(), bad));
    ASSERT_TRUE(back) << bad;
    EXPECT_EQ(back->file(), m->file());

    objects.clear();
    counts.reset();
    macrorunaction.Running = m;
    use(macrorunaction);
    for (auto [x, y] : {std::pair{1.0, 1.0}, {5.0, 1.0}, {5.0, 4.0}, {1.0, 5.0}})
        click(macrorunaction, x, y);
    Region* made = nullptr;
    RegularPolygon* sq = nullptr;
    Region* image = nullptr;
    for (Object* o = objects.first(); o; o = o->next()) {
        if (dynamic_cast<Polygon*>(o)) made = static_cast<Region*>(o);
        if (dynamic_cast<RegularPolygon*>(o)) sq = static_cast<RegularPolygon*>(o);
        if (imageof(o)) image = static_cast<Region*>(o);
    }
    ASSERT_TRUE(made && sq && image);
    EXPECT_NEAR(made->area(), 14, 0.2);
    EXPECT_NEAR(sq->area(), 16, 0.1);
    EXPECT_NEAR(image->area(), made->area(), 1e-9);
    EXPECT_NEAR(sq->vertex(1)->x(), 1, 0.05);
    EXPECT_NEAR(sq->vertex(1)->y(), 5, 0.05);
}

TEST_F(Macros, ASectorThroughThreePointsRunsOnNewPoints) {
    Point* v[3] = {new Point(2, 0), new Point(0, 2), new Point(-2, 0)};
    use(macrodefineaction);
    for (Point* p : v) parameter(p->x(), p->y());
    auto* fan = new Sector3(v[0], v[1], v[2]);
    macrodefineaction.advance();
    macrodefineaction.T = new ParameterList;
    macrodefineaction.T->P = fan;
    ASSERT_TRUE(testmacro());
    ASSERT_EQ(createmacro("Fan"), 1);
    Macro* m = macros;
    EXPECT_NE(m->file().find("=sector3("), std::string::npos) << m->file();
    std::string bad;
    std::unique_ptr<Macro> back(readmacro(m->file(), bad));
    ASSERT_TRUE(back) << bad;
    EXPECT_EQ(back->file(), m->file());

    objects.clear();
    counts.reset();
    macrorunaction.Running = m;
    use(macrorunaction);
    // The lower half this time: through (0, -3).
    for (auto [x, y] : {std::pair{3.0, 0.0}, {0.0, -3.0}, {-3.0, 0.0}}) click(macrorunaction, x, y);
    auto* made = dynamic_cast<Sector3*>(objects.last());
    ASSERT_TRUE(made);
    EXPECT_NEAR(made->area(), 9 * M_PI / 2, 0.2);
    EXPECT_EQ(made->distance(0, -1), 0);
}

TEST_F(Macros, AStepOfALongPolygonIsReadWhole) {
    std::string names;
    for (int i = 0; i < 60; ++i)
        names += std::string(i ? "," : "") + "\"Vertex" + std::to_string(i) + "\"";
    std::string step = "\"P\"()=polygon(" + names + ");";
    ASSERT_GT(step.size(), 499u);
    std::string head = "N:M\n/*\n*/\nP:Vertex0\nL:Pick\nT:point\n";
    std::string bad;
    std::unique_ptr<Macro> m(readmacro(head + "S:" + step + "\n", bad));
    ASSERT_TRUE(m) << bad;
    EXPECT_EQ(m->steps(), 1);
    EXPECT_EQ(std::string(m->Step->S.text()), step);
}

TEST_F(Macros, NumbersAreParametersAndTargets) {
    // A circle about a point with a slider's radius, shown while the radius
    // is above 1, its diameter calculated and written in a text.
    Point* m = new Point(0, 0);
    auto* r = new Slider(2, 0, 5, 0.5);
    r->setname("r");
    r->X = -6;
    r->Y = 6;
    auto* k = new CircleRadius(m, r, 0);
    std::string why;
    ASSERT_TRUE(k->condition("r > 1", why));
    Expression e;
    ASSERT_TRUE(e.parse("2 * r", numbersbefore(nullptr)));
    auto* d = new Calculation(std::move(e));
    d->setname("d");
    auto* t = new Text("diameter {d}", 0, 0, m);
    use(macrodefineaction);
    parameter(0, 0);
    EXPECT_EQ(parameter(-5, 6), "Number?");
    Macro* made = define({k, t}, "Diameter");
    Point* p = new Point(1, 1);
    auto* s2 = new Slider(3, 0, 5, 0.5);
    s2->setname("s");
    s2->X = 2;
    s2->Y = -6;
    macrorunaction.Running = made;
    use(macrorunaction);
    click(macrorunaction, 1, 1);
    click(macrorunaction, 3, -6);
    Circle* circle = nullptr;
    Text* text = nullptr;
    for (Object* o = objects.first(); o; o = o->next()) {
        if (dynamic_cast<CircleRadius*>(o)) circle = static_cast<Circle*>(o);
        if (dynamic_cast<Text*>(o)) text = static_cast<Text*>(o);
    }
    ASSERT_TRUE(circle && text);
    EXPECT_EQ(circle->r(), 3);
    EXPECT_EQ(circle->condition(), "s > 1");
    EXPECT_EQ(text->shown(), "diameter 6.00");
    EXPECT_EQ(text->At, p);
    s2->setvalue(0.5);
    objects.update();
    EXPECT_TRUE(circle->hidden());
    EXPECT_EQ(text->shown(), "diameter 1.00");
}

TEST_F(Macros, ALocusIsATargetAndRunsOnNewPoints) {
    // The midpoint of F and a point on the circle of radius 2 about O runs
    // on the circle of radius 1 about the middle of F and O.
    Point* o = new Point(0, 0);
    Point* f = new Point(4, 0);
    auto* c = new CircleRadius(o, nullptr, 2);
    auto* q = new Pointon(c, 0, 2);
    auto* l = new Locus(new Middle(f, q), q);
    ASSERT_TRUE(l->valid);
    use(macrodefineaction);
    parameter(0, 0);
    parameter(4, 0);
    Macro* made = define({l}, "Midpoint Circle");
    new Point(-2, 2);
    new Point(2, -2);
    macrorunaction.Running = made;
    use(macrorunaction);
    click(macrorunaction, -2, 2);
    click(macrorunaction, 2, -2);
    Locus* run = nullptr;
    for (Object* x = objects.first(); x; x = x->next())
        if (auto* found = dynamic_cast<Locus*>(x)) run = found;
    ASSERT_TRUE(run);
    ASSERT_TRUE(run->valid);
    int n = 0;
    for (const auto& p : run->pieces())
        for (std::size_t i = 0; i + 1 < p.size(); i += 2, ++n)
            EXPECT_NEAR(std::hypot(p[i], p[i + 1]), 1, 1e-9);
    EXPECT_GT(n, 100);
}
