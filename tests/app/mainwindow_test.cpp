#include "app.h"
#include "bitmapps.h"
#include "circle.h"
#include "commands.h"
#include "construction.h"
#include "constructionfile.h"
#include "help.h"
#include "intersection.h"
#include "line.h"
#include "mainwindow.h"
#include "objectlist.h"
#include "scripted.h"
#include "toolbar.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the main window asks of the current tool.
struct Probe : Action {
    void perform(int c, int r) override { Calls.push_back("perform " + xy(c, r)); }
    void dragperform(int t, int c, int r) override {
        Calls.push_back("drag " + std::to_string(t) + " " + xy(c, r));
    }
    void inform() override { Calls.push_back("inform"); }
    void start() override { Calls.push_back("start"); }
    void abort() override { Calls.push_back("abort"); }
    static std::string xy(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }
    std::vector<std::string> Calls;
};

} // namespace

TEST_F(Main, StartsWithThePointToolAndItsPrompt) {
    EXPECT_EQ(window.OldA, &noaction);
    EXPECT_STREQ(window.Status->text().text(), "Point: Generate a point!");
    EXPECT_STREQ(window.title().text(), "Gyrel ()");
    EXPECT_EQ(program.Main, &window);
    EXPECT_EQ(window.width(), 500);
    EXPECT_GT(window.height(), 150);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width(), window.width());
    EXPECT_EQ(bitmap->markersize(), 500 / 150);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->F.Height, 500 / 40);
}

TEST_F(Main, EveryToolBarButtonIsInReachAtTheStartSize) {
    QWidget* top = drawing()->window();
    QApplication::processEvents();
    QList<QToolButton*> buttons = top->findChildren<QToolButton*>();
    int shown = 0;
    for (QToolButton* b : buttons) {
        if (!b->defaultAction()) continue; // the tool bar's own overflow arrow
        ++shown;
        EXPECT_TRUE(b->isVisible()) << b->toolTip().toStdString();
        QRect r(b->mapTo(top, QPoint(0, 0)), b->size());
        EXPECT_TRUE(top->rect().contains(r)) << b->toolTip().toStdString();
    }
    EXPECT_EQ(shown, tools.Tb->B->nbuttons());
    // And the drawing area below them.
    QRect last;
    for (QToolButton* b : buttons)
        if (b->defaultAction()) last |= QRect(b->mapTo(top, QPoint(0, 0)), b->size());
    EXPECT_LE(last.bottom(), drawing()->mapTo(top, QPoint(0, 0)).y());
    EXPECT_GT(window.height(), 150);
}

TEST_F(Main, ViewNumbers) {
    window.setsize(600, 400); // a window of 600 x 400 pixels
    window.X1 = -7, window.X2 = 7, window.Y1 = -7, window.Y2 = 7;
    window.compute();
    EXPECT_DOUBLE_EQ(window.pixel(), 14.0 / 600);
    EXPECT_NEAR(window.y1(), -4.6666666666, 1e-9);
    EXPECT_NEAR(window.y2(), 4.6666666666, 1e-9);
    EXPECT_DOUBLE_EQ(window.x(300), 0);
    EXPECT_DOUBLE_EQ(window.y(0), window.y2());
    EXPECT_EQ(window.col(0), 300);
    EXPECT_EQ(window.row(0), 200);

    window.zoomin();
    EXPECT_NEAR(window.x1(), -5.8333333333, 1e-9);
    EXPECT_NEAR(window.x2(), 5.8333333333, 1e-9);
    window.zoomout();
    EXPECT_NEAR(window.x1(), -7, 1e-12);
    EXPECT_NEAR(window.x2(), 7, 1e-12);
    EXPECT_FALSE(objects.changed) << "zooming is no change of the construction";

    window.setsize(2.0, 6.0, 1.0, 3.0);
    window.center();
    EXPECT_DOUBLE_EQ(window.x1(), -1);
    EXPECT_DOUBLE_EQ(window.x2(), 1);
    EXPECT_NEAR((window.y1() + window.y2()) / 2, 2, 1e-12);
    EXPECT_FALSE(objects.changed);

    window.setsize(1.0, 1.0, 0.0, 5.0);
    EXPECT_DOUBLE_EQ(window.x1(), -1) << "an empty view is refused";

    window.setsize(-7.0, 7.0, -7.0, 7.0);
    double w = window.x2() - window.x1(), h = window.y2() - window.y1(), top = window.y2();
    EXPECT_EQ(window.hscrolled(1), 1);
    EXPECT_NEAR(window.x1(), -7 + 0.1 * w, 1e-12) << "Shift left moves the view right";
    EXPECT_TRUE(objects.changed);
    EXPECT_EQ(window.hscrolled(0), 1);
    EXPECT_NEAR(window.x1(), -7, 1e-12);
    EXPECT_EQ(window.vscrolled(2), 1);
    EXPECT_NEAR(window.y2(), top + 0.1 * h, 1e-12);
    EXPECT_EQ(window.hscrolled(5), 1);
    EXPECT_NEAR(window.x1(), -7 + 0.5 * w, 1e-12);
    EXPECT_EQ(window.vscrolled(7), 1);
    EXPECT_EQ(window.hscrolled(2), 0);
    EXPECT_EQ(window.vscrolled(0), 0);

    objects.changed.clear();
    window.Touched = 0;
    window.adjustsize();
    window.sized();
    EXPECT_FALSE(objects.changed) << "the desktop sizes a window nobody has touched yet";
    window.clicked(10, 10, 9);
    window.sized();
    EXPECT_TRUE(objects.changed) << "a new size is a change";
    EXPECT_TRUE(bitmap->invalid);
}

TEST_F(Main, RoutesMouseEvents) {
    Probe probe;
    window.A = &probe;
    window.clicked(5, 6, 1);
    window.clicked(5, 6, 0);
    window.clicked(5, 6, 2);
    window.clicked(5, 6, 9);
    EXPECT_EQ(probe.Calls, (std::vector<std::string>{"perform 5,6"}))
        << "a completed click only; double clicks reach no tool";

    probe.Calls.clear();
    window.blocked = 1;
    window.clicked(5, 6, 0);
    EXPECT_TRUE(probe.Calls.empty());
    window.blocked = 0;

    // A dragging tool gets the raw events 1, 9 and 0.
    probe.drag = 1;
    for (int code : {1, 9, 0, 2, 6, 7}) window.clicked(1, 2, code);
    EXPECT_EQ(probe.Calls, (std::vector<std::string>{"drag 1 1,2", "drag 9 1,2", "drag 0 1,2"}));
    window.clicked(1, 2, 6); // the middle button that began panning is let go
    probe.drag = 0;

    // A right drag: the tool is aborted, and started again with its prompt.
    probe.Calls.clear();
    window.clicked(1, 1, 4);
    window.clicked(2, 2, 9);
    window.clicked(2, 2, 0);
    window.clicked(2, 2, 3);
    EXPECT_EQ(probe.Calls, (std::vector<std::string>{"abort", "start", "inform"}));

    // Through the real window: a release without a press reaches no tool.
    probe.Calls.clear();
    QWidget* a = drawing();
    ASSERT_NE(a, nullptr);
    QTest::mouseRelease(a, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(probe.Calls.empty());
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(probe.Calls, (std::vector<std::string>{"perform 10,12"}));
    window.A = &pointaction;
}

TEST_F(Main, TwoClicksOnOnePixelMakeTwoPoints) {
    QWidget* a = drawing();
    ASSERT_NE(a, nullptr);
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(250, 100));
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(250, 100));
    ASSERT_EQ(objects.count(), 2);
    EXPECT_STREQ(objects.first()->name(), "Point_1");
    EXPECT_STREQ(objects.last()->name(), "Point_2");
    auto* p = static_cast<Pointprim*>(objects.first());
    EXPECT_DOUBLE_EQ(p->x(), window.x(250));
    EXPECT_DOUBLE_EQ(p->y(), window.y(100));
    EXPECT_EQ(bitmap->pixel(250 - bitmap->markersize(), 100), Color(0, 0, 0)) << "shown at once";
}

TEST_F(Main, MoveToolGrabsMovablePoints) {
    window.action(&moveaction);
    EXPECT_STREQ(window.Status->text().text(), "Move: Choose a point!");
    Point* fixed = new Point(window.x(100), window.y(100));
    fixed->Class &= ~CMovable;
    window.clicked(100, 100, 1);
    EXPECT_EQ(moveaction.P, nullptr) << "a fixed point cannot be grabbed";
    window.clicked(100, 100, 0);

    // Dependants follow in the same move.
    Point* a = new Point(window.x(200), window.y(100));
    Point* b = new Point(window.x(300), window.y(100));
    Line* l = new Line(a, b);
    window.clicked(300, 100, 1);
    ASSERT_EQ(moveaction.P, b);
    EXPECT_STREQ(window.Status->text().text(), "Move the point!");
    window.clicked(300, 150, 9);
    EXPECT_DOUBLE_EQ(b->y(), window.y(150));
    EXPECT_NEAR(l->vy(), -0.5 / std::hypot(1, 0.5), 1e-12);
    window.clicked(300, 150, 0);
    EXPECT_EQ(moveaction.P, nullptr);
    EXPECT_FALSE(b->highlight);

    // Two points on top of each other: the choice, then the next press grabs.
    ScriptedAnswerer s;
    Point* c = new Point(window.x(400), window.y(50));
    Point* d = new Point(window.x(400), window.y(50));
    s.Dialogs.push_back([](Dialog& dlg) {
        dlg.pick(100, 0);
        dlg.click(1);
    });
    window.clicked(400, 50, 1);
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{100}));
    EXPECT_EQ(moveaction.P, c);
    EXPECT_TRUE(moveaction.pickup);
    window.clicked(420, 60, 9);
    EXPECT_DOUBLE_EQ(c->x(), window.x(400)) << "it does not follow before the next press";
    window.clicked(420, 60, 0);
    window.clicked(400, 50, 1);
    EXPECT_EQ(s.AskedDialogs.size(), 1u) << "no second question";
    EXPECT_EQ(moveaction.P, c);
    EXPECT_FALSE(moveaction.pickup);
    window.clicked(410, 70, 9);
    EXPECT_DOUBLE_EQ(c->x(), window.x(410));
    EXPECT_DOUBLE_EQ(d->x(), window.x(400));
    window.clicked(410, 70, 0);
    window.action(&pointaction);
}

TEST_F(Main, RealWindowShowsAConstructionThatFollowsADrag) {
    window.action(&pointaction);
    Point* a = new Point(-4, 0);
    Point* b = new Point(2, 0);
    Line* l = new Line(a, b);
    l->setname(String(7).text(), linecount);
    Circle* c = new Circle(a, b);
    new Intersection(c, l);
    objects.redraw();
    int row0 = window.row(0);
    EXPECT_EQ(bitmap->pixel(10, row0), Color(0, 0, 0)) << "the line across the view";
    EXPECT_EQ(bitmap->pixel(window.col(-4), window.row(6) + 1), Color(0, 0, 0)) << "the circle";

    // Drag b upwards with the right button, through real mouse events.
    QWidget* area = drawing();
    ASSERT_NE(area, nullptr);
    QPoint from(window.col(2), window.row(0));
    QTest::mousePress(area, Qt::RightButton, {}, from);
    for (int i = 1; i <= 10; ++i) QTest::mouseMove(area, from - QPoint(0, i * 5));
    QTest::mouseRelease(area, Qt::RightButton, {}, from - QPoint(0, 50));
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(b->y(), window.y(from.y() - 50));
    EXPECT_GT(l->vy(), 0.1) << "the line follows";
    EXPECT_NEAR(c->r(), std::hypot(b->x() + 4, b->y()), 1e-12) << "and the circle";
    // The old line's row is empty away from the points now.
    EXPECT_EQ(bitmap->pixel(10, row0), Color(255, 255, 255));
    EXPECT_STREQ(window.Status->text().text(), "Point: Generate a point!")
        << "the point tool starts again";
    if (qEnvironmentVariableIsSet("GYREL_SHOTS"))
        bitmap->save((qgetenv("GYREL_SHOTS") + "/construction.bmp").constData(), 24);
}

TEST_F(Main, KeysAndMenusChooseTools) {
    QWidget* a = drawing();
    ASSERT_NE(a, nullptr);
    QTest::keyClick(a, Qt::Key_L);
    EXPECT_EQ(window.A, &lineaction);
    EXPECT_EQ(window.OldA, &pointaction);
    EXPECT_STREQ(window.Status->text().text(), "Line: First point?");
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_STREQ(window.Status->text().text(), "Line: Second point?");
    QTest::keyClick(a, Qt::Key_Escape);
    EXPECT_EQ(window.A, &lineaction);
    EXPECT_STREQ(window.Status->text().text(), "Line: First point?") << "Esc restarts the tool";
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(300, 120));
    ASSERT_EQ(objects.count(), 3);
    EXPECT_STREQ(objects.last()->name(), "Line_1");

    double width = window.x2() - window.x1();
    QTest::keyClick(a, Qt::Key_Plus);
    EXPECT_NEAR(window.x2() - window.x1(), width * 5 / 6, 1e-9);
    QTest::keyClick(a, Qt::Key_Minus);
    EXPECT_NEAR(window.x2() - window.x1(), width, 1e-9);

    // The menu sends the same commands.
    EXPECT_EQ(window.command(2005), 1);
    EXPECT_EQ(window.A, &circleaction);
    EXPECT_EQ(window.command(9999), 0);
    EXPECT_EQ(window.A, &circleaction) << "an unknown command changes nothing";
    EXPECT_EQ(window.command(4001), 1);
    EXPECT_TRUE(window.showhidden);
    EXPECT_EQ(tools.Tb->checked(4001), 1);
    window.command(4001);
    EXPECT_FALSE(window.showhidden);
    EXPECT_EQ(tools.Tb->checked(4001), 0);

    // The tool bar shows the tool and the default colour pressed.
    EXPECT_EQ(tools.Tb->pressed(2005), 1);
    EXPECT_EQ(tools.Tb->pressed(2004), 0);
    EXPECT_EQ(tools.Tb->pressed(7012), 1);
    window.command(7015);
    EXPECT_EQ(objectcolors.defcolor(), 1);
    EXPECT_EQ(tools.Tb->pressed(7015), 1);
    EXPECT_EQ(tools.Tb->pressed(7012), 0);
    window.command(7012);
    tools.Tb->click(1); // the line button
    EXPECT_EQ(window.A, &lineaction);
    EXPECT_EQ(tools.Tb->pressed(2004), 1);
    EXPECT_EQ(tools.Tb->pressed(2005), 0);
    EXPECT_GT(window.yoffset(), 0) << "the drawing area lies below the tool bar";
    window.command(2001);
}

TEST_F(Main, RightClickWithoutMovementOpensThePropertyDialog) {
    ScriptedAnswerer s;
    window.action(&lineaction);
    Point* m = new Point(0, 0);
    Point* p = new Point(2, 0);
    Circle* c = new Circle(m, p);
    objects.redraw();
    QWidget* area = drawing();
    ASSERT_NE(area, nullptr);
    // The line tool waits for its second point when the right button comes.
    QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(window.col(-5), window.row(-3)));
    ASSERT_EQ(lineaction.State, 2);
    Object* first = lineaction.P1;
    int open = 0;
    s.Dialogs.push_back([&](Dialog& d) {
        open = d.Id;
        d.type(104, "4");
        d.click(13); // Fixed Radius
        d.click(1);
    });
    QPoint on(window.col(0), window.row(-2));
    QTest::mousePress(area, Qt::RightButton, {}, on);
    QTest::mouseRelease(area, Qt::RightButton, {}, on);
    QApplication::processEvents();
    EXPECT_EQ(open, 109) << "the circle's dialog";
    EXPECT_TRUE(c->objectclass() & CFixed);
    EXPECT_NEAR(c->r(), 4, 1e-12);
    EXPECT_NEAR(p->x(), 4, 1e-12) << "the radius point where the fixed radius puts it";
    EXPECT_NEAR(p->y(), 0, 1e-12);
    EXPECT_FALSE(c->highlight);
    EXPECT_FALSE(first->highlight);
    EXPECT_EQ(lineaction.State, 1) << "the line tool starts over";
    EXPECT_STREQ(window.Status->text().text(), "Line: First point?");
    EXPECT_EQ(bitmap->pixel(window.col(0), window.row(4)), Color(0, 0, 0))
        << "the picture shows the new radius";

    // A right drag still moves the point, and opens nothing.
    QPoint from(window.col(4), window.row(0));
    QTest::mousePress(area, Qt::RightButton, {}, from);
    QTest::mouseMove(area, from + QPoint(0, -20));
    QTest::mouseRelease(area, Qt::RightButton, {}, from + QPoint(0, -20));
    EXPECT_EQ(s.AskedDialogs.size(), 1u);
    EXPECT_GT(p->y(), 0.5);
    EXPECT_NEAR(c->r(), 4, 1e-12);

    // A right click beside every object opens nothing either.
    QTest::mousePress(area, Qt::RightButton, {}, QPoint(window.col(6), window.row(-3)));
    QTest::mouseRelease(area, Qt::RightButton, {}, QPoint(window.col(6), window.row(-3)));
    EXPECT_EQ(s.AskedDialogs.size(), 1u);
    window.action(&pointaction);
}

TEST_F(Main, EditToolFromKeyAndToolBar) {
    ScriptedAnswerer s;
    QWidget* a = drawing();
    ASSERT_NE(a, nullptr);
    QTest::keyClick(a, Qt::Key_E);
    EXPECT_EQ(window.A, &editaction);
    EXPECT_STREQ(window.Status->text().text(), "Edit: Object?");
    EXPECT_EQ(tools.Tb->pressed(3004), 1);
    Point* p = new Point(1, 1);
    objects.redraw();
    std::string page;
    s.Dialogs.push_back([&](Dialog& d) {
        d.click(145); // brown
        d.click(9);
        EXPECT_TRUE(d.isopen()) << "Help keeps the dialog open";
        page = help.page().text();
        d.click(1);
    });
    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(window.col(1), window.row(1)));
    EXPECT_EQ(p->color(), 5);
    EXPECT_EQ(page, "/help/topic9.html");
    // Every dialog's help page is there.
    for (int topic : {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
        help.open(topic);
        EXPECT_EQ(std::string(help.page().text()), "/help/topic" + std::to_string(topic) + ".html");
    }
    help.close();
    EXPECT_TRUE(objects.changed);
    window.command(2001);
    tools.Tb->click(15); // the sixteenth button
    EXPECT_EQ(window.A, &editaction);
    window.command(2001);
}

namespace {

std::string slurp(const std::string& name) {
    QFile f(QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return "";
    return f.readAll().toStdString();
}

} // namespace

TEST_F(Main, SaveAsSaveLoadAndNew) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    std::string base = dir.path().toStdString() + "/triangle";
    loadname = "";
    Point* a = new Point(-1, 0);
    new Segment(a, new Point(2, 1));
    objects.comment() = "Two points.";
    s.Files.push_back(base);
    window.command(1004);
    ASSERT_EQ(s.AskedFiles.size(), 1u);
    EXPECT_EQ(s.AskedFiles[0].saving, 1);
    EXPECT_EQ(s.AskedFiles[0].title, "Save Construction");
    EXPECT_EQ(s.AskedFiles[0].pattern, "*.gyr");
    EXPECT_STREQ(loadname.text(), (base + ".gyr").c_str()) << "the extension is added";
    EXPECT_STREQ(window.title().text(), "Gyrel (triangle.gyr)");
    EXPECT_FALSE(objects.changed);
    std::string saved = slurp(base + ".gyr");
    EXPECT_NE(saved.find("\"Segment_1\"()=segment(\"Point_1\",\"Point_2\");"), std::string::npos);

    // Save writes to the same file without asking.
    a->set(-3, 0);
    objects.changed.set();
    window.command(1003);
    EXPECT_EQ(s.AskedFiles.size(), 1u);
    EXPECT_NE(slurp(base + ".gyr").find("point(-3.000000000000000,"), std::string::npos);

    // New asks before unsaved changes go: Cancel keeps them.
    a->set(-4, 0);
    objects.changed.set();
    s.Answers = {IDCANCEL};
    window.command(4005);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].kind, Box::QuestionAbort);
    EXPECT_EQ(s.AskedBoxes[0].text, "Save Construction");
    EXPECT_EQ(objects.count(), 3);
    // No clears; the view, the name and the comment go too.
    window.X1 = 1, window.X2 = 5;
    window.compute();
    s.Answers = {IDNO};
    window.command(4005);
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(window.x1(), -7);
    EXPECT_STREQ(loadname.text(), "");
    EXPECT_STREQ(window.title().text(), "Gyrel ()");
    EXPECT_STREQ(objects.comment().text(), "");

    // Load: the construction, its name, its comment in the comment dialog.
    s.Files.push_back(base + ".gyr");
    std::string comment;
    s.Dialogs.push_back([&](Dialog& d) {
        comment = d.gettext(101).text();
        d.click(2);
    });
    window.command(1001);
    EXPECT_EQ(s.AskedFiles.back().saving, 0);
    EXPECT_EQ(s.AskedFiles.back().title, "Load Construction");
    EXPECT_EQ(objects.count(), 3);
    EXPECT_DOUBLE_EQ(static_cast<Pointprim*>(objects.first())->x(), -3);
    EXPECT_STREQ(window.title().text(), "Gyrel (triangle.gyr)");
    EXPECT_EQ(s.AskedDialogs.back(), 105);
    EXPECT_EQ(comment, "Two points.");
    EXPECT_FALSE(objects.changed);
    EXPECT_FALSE(window.blocked);

    // Yes saves first; when that does not happen, the construction stays.
    objects.changed.set();
    loadname = "";
    s.Answers = {IDYES};
    window.command(4005);
    EXPECT_EQ(objects.count(), 3) << "the save was cancelled, nothing is lost";
    s.Answers = {IDYES};
    s.Files.push_back(dir.path().toStdString() + "/kept.gyr");
    window.command(4005);
    EXPECT_TRUE(objects.empty());
    EXPECT_NE(slurp(dir.path().toStdString() + "/kept.gyr").find("segment"), std::string::npos);
}

TEST_F(Main, BrokenFilesAreNeverOverwrittenAndCommentsEdited) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    std::string name = dir.path().toStdString() + "/broken.gyr";
    {
        QFile f(QString::fromStdString(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"A\"()=point(1,1);\n\"B\"()=nonsense;\n\"C\"()=point(2,2);\n");
    }
    loadname = "";
    int blocked = -1;
    s.Dialogs.push_back([&](Dialog& d) {
        blocked = window.blocked;
        d.click(1);
    });
    doload(name.c_str());
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{120});
    EXPECT_EQ(blocked, 1) << "clicks wait while a file loads";
    EXPECT_EQ(objects.count(), 1);
    EXPECT_STREQ(loadname.text(), "") << "Save asks for a name instead of cutting the file";

    // The comment dialog: OK with a new text marks the change.
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "first\nsecond");
        d.click(1);
    });
    objects.changed.clear();
    window.command(7011);
    EXPECT_STREQ(objects.comment().text(), "first\r\nsecond");
    EXPECT_TRUE(objects.changed);
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    objects.changed.clear();
    window.command(7011);
    EXPECT_FALSE(objects.changed) << "the same text changes nothing";
    objects.comment() = "";
    // A file without a comment, its empty comment taken with OK, is as
    // it was read.
    {
        std::ofstream f(name, std::ios::binary | std::ios::trunc);
        f << "window(-5,5,-3.5,3.5);\n\"A\"(showname)=point(-3,-2);\n";
    }
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    doload(name.c_str());
    EXPECT_EQ(objects.count(), 1);
    EXPECT_FALSE(objects.changed);
    EXPECT_STREQ(window.title().text(), "Gyrel (broken.gyr)");
}

TEST_F(Main, APointsNameIsDraggedAwayKeptInTheFileAndUndone) {
    Point* a = new Point(0, 0);
    a->showname = 1;
    a->setname("A");
    objects.redraw();
    window.action(&moveaction);
    // The name stands to the right of the point, above its centre line.
    const int c = window.col(0) + 12, r = window.row(0) - 5;
    ASSERT_EQ(objects.labelat(actionx(c), actiony(r)), a);
    EXPECT_EQ(objects.labelat(actionx(c + 200), actiony(r)), nullptr);
    window.clicked(c, r, 1);
    for (int i = 1; i <= 5; ++i) window.clicked(c + 4 * i, r - 2 * i, 9);
    window.clicked(c + 20, r - 10, 0);
    EXPECT_NEAR(a->LabelDx, 20, 0.5);
    EXPECT_NEAR(a->LabelDy, -10, 0.5);
    EXPECT_EQ(a->x(), 0) << "the point stays";
    EXPECT_EQ(objects.labelat(actionx(c + 20), actiony(r - 10)), a);
    // Saved and read back, the name keeps its place.
    const std::string text = construction();
    EXPECT_NE(text.find("dx:20"), std::string::npos) << text;
    objects.clear();
    ASSERT_EQ(readconstruction(text).Line, 0);
    auto* back = static_cast<Pointprim*>(objects.find("A", 0, nullptr));
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->LabelDx, 20, 0.5);
    EXPECT_NEAR(back->LabelDy, -10, 0.5);
    // A drag of the name is one step of the history.
    window.history.clear();
    objects.redraw();
    const int c2 = window.col(0) + 32, r2 = window.row(0) - 15;
    window.clicked(c2, r2, 1);
    window.clicked(c2 + 30, r2, 9);
    window.clicked(c2 + 30, r2, 0);
    EXPECT_NEAR(back->LabelDx, 50, 0.5);
    window.command(UndoCommand);
    EXPECT_NEAR(back->LabelDx, 20, 0.5);
    window.action(&pointaction);
}

TEST_F(Main, AGeoGebraFileOpensAsANewConstructionThatSaveAsksToName) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    const std::string samples = GYREL_SOURCE_DIR "/tests/io/ggb-samples/";
    // Load offers both kinds of files; a GeoGebra file comes in whole.
    s.Files.push_back(samples + "thales.ggb");
    window.command(1001);
    ASSERT_EQ(s.AskedFiles.size(), 1u);
    EXPECT_EQ(s.AskedFiles[0].saving, 0);
    EXPECT_GE(objects.count(), 9);
    ASSERT_TRUE(objects.find("C", CPoint, nullptr));
    EXPECT_STREQ(window.title().text(), "Gyrel (thales.gyr*)");
    EXPECT_TRUE(s.AskedDialogs.empty()) << "nothing was dropped";
    // Save asks where it goes: the GeoGebra file is never written.
    const std::string saved = dir.path().toStdString() + "/thales.gyr";
    s.Files.push_back(saved);
    window.command(1003);
    EXPECT_EQ(s.AskedFiles.size(), 2u);
    EXPECT_EQ(s.AskedFiles.back().saving, 1);
    EXPECT_NE(slurp(saved).find("semicircle(\"A\",\"B\")"), std::string::npos);
    EXPECT_STREQ(window.title().text(), "Gyrel (thales.gyr)");
    // Saved once, it saves in place.
    objects.changed.set();
    window.command(1003);
    EXPECT_EQ(s.AskedFiles.size(), 2u);
    // What could not come is listed in one dialog.
    std::string listed, caption;
    s.Dialogs.push_back([&](Dialog& d) {
        listed = d.gettext(101).text();
        caption = d.caption().text();
        d.click(1);
    });
    objects.changed.clear();
    doload((samples + "Streckung_worksheet.ggb").c_str());
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{150});
    EXPECT_EQ(caption, "GeoGebra Import");
    EXPECT_NE(listed.find("Image pic1: pictures are not supported"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\n"), std::string::npos) << "one object a line";
    // A broken one says why and leaves an empty construction.
    const std::string broken = dir.path().toStdString() + "/broken.ggb";
    {
        std::ofstream f(broken, std::ios::binary);
        f << "PK\x03\x04 and nothing else";
    }
    objects.changed.clear();
    s.Answers = {IDOK};
    doload(broken.c_str());
    ASSERT_FALSE(s.AskedBoxes.empty());
    EXPECT_NE(s.AskedBoxes.back().text.find("cannot be opened"), std::string::npos);
    EXPECT_TRUE(objects.empty());
    loadname = "";
    window.imported = 0;
}
