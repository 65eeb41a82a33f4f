#include "app.h"
#include "commands.h"
#include "derived.h"
#include "help.h"
#include "line.h"
#include "macroactions.h"
#include "menu.h"
#include "point.h"
#include "profile.h"
#include "resources.h"
#include "scripted.h"
#include "settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

TEST_F(Main, ClearLastTakesHelpObjectsWithIt) {
    Point* a = new Point(0, 0);
    Point* b = new Point(1, 0);
    Line* l = makeline(a, b);
    Point* p = new Point(0, 2);
    DepLine* parallel = makeparallel(p, l, 0);
    ASSERT_NE(parallel, nullptr);
    ASSERT_EQ(objects.count(), 6) << "two points, a line, a point, the help point, the parallel";
    window.command(4004);
    EXPECT_EQ(objects.count(), 4) << "the parallel and its hidden help point";
    EXPECT_EQ(objects.last(), p);
    EXPECT_STREQ(window.Status->text().text(), "Point: Generate a point!")
        << "the tool starts again";
    window.command(4004);
    EXPECT_EQ(objects.last(), l);
    // Hidden objects left at the end go with the one cleared after them.
    Point* hidden = new Point(3, 3);
    hidden->ishidden.set();
    new Point(4, 4);
    window.command(4004);
    EXPECT_EQ(objects.last(), l) << "the point, and the hidden one before it";
    EXPECT_EQ(objects.count(), 3);
    window.command(4004);
    EXPECT_EQ(objects.count(), 2) << "a line has no help objects";
    window.command(4004);
    window.command(4004);
    EXPECT_TRUE(objects.empty());
    window.command(4004);
    EXPECT_TRUE(objects.empty()) << "nothing to clear is no error";
}

TEST_F(Main, AboutBoxAndTheCommandLine) {
    ScriptedAnswerer s;
    std::string version, page;
    s.Dialogs.push_back([&](Dialog& d) {
        version = d.gettext(101).text();
        d.notify(998, BN_CLICKED); // F1
        page = help.page().text();
        d.click(1);
    });
    window.command(105);
    EXPECT_EQ(page, "/help/index.html") << "F1 in the About box: the contents";
    help.close();
    ASSERT_EQ(s.AskedDialogs, std::vector<int>{115});
    EXPECT_EQ(version.rfind("Gyrel, Version ", 0), 0u) << version;
    EXPECT_GT(version.size(), std::string("Gyrel, Version ").size());

    char name[] = "gyrel", noabout[] = "noabout", upper[] = "NOABOUT";
    char* quiet[] = {name, noabout, nullptr};
    commandline(2, quiet);
    EXPECT_EQ(s.AskedDialogs.size(), 1u) << "noabout: no About box";
    char* none[] = {name, nullptr};
    commandline(1, none);
    EXPECT_EQ(s.AskedDialogs.back(), 115);
    // NOABOUT is a file name: the load fails with its message, the About
    // box still comes.
    char* file[] = {name, upper, nullptr};
    s.AskedDialogs.clear();
    commandline(2, file);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Could not open\nNOABOUT!");
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{115});

    // A file that loads: the comment dialog, then the About box.
    QTemporaryDir dir;
    std::string gyr = dir.path().toStdString() + "/t.gyr";
    FILE* f = std::fopen(gyr.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("\"A\"()=point(1,2);\n", f);
    std::fclose(f);
    std::vector<char> arg(gyr.begin(), gyr.end());
    arg.push_back(0);
    char* load[] = {name, arg.data(), nullptr};
    s.AskedDialogs.clear();
    commandline(2, load);
    EXPECT_EQ(objects.count(), 1);
    EXPECT_EQ(s.AskedDialogs, (std::vector<int>{105, 115}));
    loadname = "";
    window.settitle();
}

TEST_F(Main, ExitAndNewAskBeforeUnsavedWorkGoes) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    profile.remove();
    new Point(1, 1);
    objects.changed.set();
    loadname = "";

    // Cancel: nothing happens, nothing is written.
    s.Answers = {IDCANCEL};
    EXPECT_EQ(window.close(), 0);
    EXPECT_EQ(profile.readint("fontsize", -1), -1);
    // Yes with a cancelled save: the program stays.
    s.Answers = {IDYES};
    EXPECT_EQ(window.close(), 0);
    EXPECT_EQ(s.AskedFiles.size(), 1u);
    // Yes with a save that fails: the program stays.
    s.Answers = {IDYES};
    s.Files.push_back(dir.path().toStdString() + "/missing/x.gyr");
    EXPECT_EQ(window.close(), 0);
    EXPECT_EQ(profile.readint("fontsize", -1), -1);
    EXPECT_EQ(objects.count(), 1);
    // Yes with a save that works: the settings are written.
    s.Answers = {IDYES};
    loadname = "";
    s.Files.push_back(dir.path().toStdString() + "/x.gyr");
    EXPECT_EQ(window.close(), 1);
    EXPECT_EQ(profile.readint("fontsize", -1), fontsize);
    EXPECT_FALSE(objects.changed);
    // No: goes without saving.
    objects.changed.set();
    s.Answers = {IDNO};
    profile.remove();
    EXPECT_EQ(window.close(), 1);
    EXPECT_EQ(profile.readint("pointsize", -1), msize);
    // An unchanged construction goes without a question.
    objects.changed.clear();
    size_t asked = s.AskedBoxes.size();
    EXPECT_EQ(window.close(), 1);
    EXPECT_EQ(s.AskedBoxes.size(), asked);
    profile.remove();
    loadname = "";
    window.settitle();
    window.action(&pointaction);
}

TEST_F(Main, EveryCommandOfTheMenuAndTheKeysIsBound) {
    std::set<int> ids;
    const MenuSpec* m = findmenu("Menu");
    ASSERT_NE(m, nullptr);
    // Popups end with an End each; one more End ends the table.
    for (int depth = 0; !(m->kind == MenuSpec::End && depth == 0); ++m) {
        if (m->kind == MenuSpec::Popup) ++depth;
        if (m->kind == MenuSpec::End) --depth;
        if (m->kind == MenuSpec::Item) ids.insert(m->id);
    }
    ASSERT_NE(program.Accel, nullptr);
    for (int i = 0; i < program.Accel->n(); ++i) ids.insert((*program.Accel)[i].id);
    ids.insert(2011); // the tool bar's Clear Tracks
    ScriptedAnswerer s;
    for (int id : ids) {
        bool bound = false;
        for (Menuentry* e = menu.First; e; e = e->Next) bound = bound || e->Id == id;
        EXPECT_TRUE(bound) << id;
    }
    // Every one runs, with every dialog cancelled and every question
    // answered yes.
    new Point(1, 1);
    for (int id : ids) window.command(id);
    window.action(&pointaction);
    if (!bitmap) window.sized(); // Exit let the picture go
    // The two toggles went once: back as they were.
    window.command(4001);
    window.command(7010);
    EXPECT_FALSE(window.showhidden);
    EXPECT_EQ(grid, 0);
    // The 95 of the menu table, undo, redo, export, smooth, zoom to fit,
    // the empty Recent Files entry and Return.
    EXPECT_EQ(ids.size(), 102u);
}

TEST_F(Main, ToolBarStateAndStepKeys) {
    window.command(2004);
    EXPECT_EQ(tools.Tb->pressed(2004), 1);
    int line = tools.Tn;
    EXPECT_EQ(idm_actions[line], 2004);
    window.command(3006);
    EXPECT_EQ(window.A, actionof(3006));
    EXPECT_EQ(tools.Tn, line) << "Delete has no button: the line's stays the tools' one";
    EXPECT_EQ(tools.Tb->pressed(2004), 0) << "but shows released while deleting";
    window.command(2004);
    EXPECT_EQ(tools.Tb->pressed(2004), 1);

    // Show All and the grid have check marks that follow them.
    window.command(4001);
    EXPECT_TRUE(menu.checked(4001));
    window.command(4001);
    EXPECT_FALSE(menu.checked(4001));
    window.command(7010);
    EXPECT_TRUE(menu.checked(7010));
    window.command(7010);
    EXPECT_FALSE(menu.checked(7010));

    // The step keys step only while the step tool is current.
    for (int i = 0; i < 5; ++i) new Point(i, 0);
    window.command(4006);
    int at = objects.stop();
    EXPECT_GT(at, 0);
    window.command(4008);
    EXPECT_EQ(objects.stop(), at + 1);
    window.command(4007);
    EXPECT_EQ(objects.stop(), at);
    window.command(2001);
    int left = objects.stop();
    window.command(4008);
    window.command(4009);
    EXPECT_EQ(objects.stop(), left) << "not while another tool is current";
    objects.stopat(0);
}

TEST_F(Main, TheReadmeExampleLoadsAndFollowsADrag) {
    ScriptedAnswerer s;
    s.Dialogs.push_back([](Dialog& d) { d.click(1); }); // its comment
    doload(GYREL_SOURCE_DIR "/docs/circumcircle.gyr");
    ASSERT_EQ(objects.count(), 15);
    auto* a = static_cast<Pointprim*>(objects.find("A", 0, nullptr));
    auto* b = static_cast<Pointprim*>(objects.find("B", 0, nullptr));
    auto* c = static_cast<Pointprim*>(objects.find("C", 0, nullptr));
    auto* m = static_cast<Pointprim*>(objects.find("M", 0, nullptr));
    ASSERT_TRUE(a && b && c && m);
    auto distance = [](Pointprim* p, Pointprim* q) {
        return std::hypot(p->x() - q->x(), p->y() - q->y());
    };
    EXPECT_NEAR(distance(m, a), distance(m, b), 1e-9);
    EXPECT_NEAR(distance(m, a), distance(m, c), 1e-9);
    a->set(-2, -4);
    objects.update();
    EXPECT_NEAR(distance(m, a), distance(m, b), 1e-9) << "M stays the circumcentre";
    EXPECT_NEAR(distance(m, a), distance(m, c), 1e-9);
    loadname = "";
    window.settitle();
}

TEST_F(Main, TheCloseButtonAsksLikeExit) {
    ScriptedAnswerer s;
    profile.remove();
    new Point(1, 1);
    objects.changed.set();
    QWidget* frame = drawing()->window();
    ASSERT_NE(frame, nullptr);
    s.Answers = {IDCANCEL};
    frame->close();
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Save Construction");
    EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the window open";
    EXPECT_EQ(profile.readint("window-x", -12345), -12345) << "and writes nothing";
    EXPECT_EQ(objects.count(), 1);
    objects.changed.clear();
}

TEST_F(Main, MacroCommandsThroughTheMenus) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    std::string file = dir.path().toStdString() + "/mid.mac";
    {
        QFile f(QString::fromStdString(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("N:Midpoint\n/*\nHalfway.\n*/\nP:A\nL:First point\nT:point\nP:B\nL:Second "
                "point\nT:point\nS:\"M\"()=middle(\"A\",\"B\");\n");
    }
    EXPECT_FALSE(menu.enabled(7102));
    // Load: the file, then its comment.
    s.Files.push_back(file);
    std::string comment;
    s.Dialogs.push_back([&](Dialog& d) {
        comment = d.gettext(101).text();
        d.click(1);
    });
    window.command(5006);
    EXPECT_EQ(s.AskedFiles.back().title, "Load Macro");
    EXPECT_EQ(s.AskedFiles.back().pattern, "*.mac");
    ASSERT_NE(macros, nullptr);
    EXPECT_EQ(comment, "Halfway.");
    for (int id : {7102, 5005, 102, 7101}) EXPECT_TRUE(menu.enabled(id)) << id;
    int entries = menu.items(5);
    EXPECT_EQ(menu.caption(5, entries - 1).text(), std::string("Midpoint"));

    // Its entry runs it: two clicks, a midpoint.
    window.command(macros->C);
    EXPECT_EQ(window.A, &macrorunaction);
    EXPECT_STREQ(window.Status->text().text(), "Midpoint : First point");
    macrorunaction.perform(window.col(-2), window.row(1));
    macrorunaction.perform(window.col(2), window.row(3));
    ASSERT_EQ(objects.count(), 3);
    EXPECT_NEAR(static_cast<Pointprim*>(objects.last())->y(), 2, 0.1);

    // F5 asks which macro; Cancel leaves the tool as it was.
    window.command(2001);
    window.command(7102);
    EXPECT_EQ(s.AskedDialogs.back(), 104);
    EXPECT_EQ(window.A, &pointaction);

    // Save it under a new name, load that again: the name is taken, Yes
    // replaces it with a new menu id.
    std::string copy = dir.path().toStdString() + "/copy";
    s.Dialogs.push_back([](Dialog& d) { d.click(1); }); // the macro list
    s.Files.push_back(copy);
    window.command(5005);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(copy + ".mac")));
    int id = macros->C;
    s.Files.push_back(copy + ".mac");
    s.Answers = {IDYES};
    window.command(5006);
    EXPECT_EQ(s.AskedBoxes.back().text, "Delete Macro Midpoint?");
    ASSERT_NE(macros, nullptr);
    EXPECT_EQ(macros->Next, nullptr);
    EXPECT_GT(macros->C, id);
    EXPECT_EQ(menu.items(5), entries);

    // A broken file: the line, and nothing added.
    {
        QFile f(QString::fromStdString(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("N:Other\nP:A\nL:x\nT:Point\n");
    }
    s.Files.push_back(file);
    window.command(5006);
    EXPECT_EQ(s.AskedBoxes.back().text, "Format error in macro file in line:\nT:Point");
    EXPECT_EQ(macros->Next, nullptr);
    EXPECT_FALSE(window.blocked);

    // Delete: the entry goes, and the commands that need a macro.
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    window.command(102);
    EXPECT_EQ(macros, nullptr);
    EXPECT_EQ(menu.items(5), entries - 1);
    EXPECT_FALSE(menu.enabled(7102));
    window.action(&pointaction);
}

TEST_F(Main, SubmenusShowTheirKeyHints) {
    QMenu* step = nullptr;
    for (QMenu* m : drawing()->window()->findChildren<QMenu*>())
        if (m->title() == "Ste&p") step = m;
    ASSERT_NE(step, nullptr);
    std::vector<std::string> hints;
    for (QAction* a : step->actions()) hints.push_back(a->text().section('\t', 1).toStdString());
    EXPECT_EQ(hints, (std::vector<std::string>{"^Down", "^Up", "^PageDown", "^PageUp"}));
}

TEST_F(Main, DesktopKeysZoomToFitAndRecentFiles) {
    ScriptedAnswerer s;
    ASSERT_NE(program.Accel, nullptr);
    // The usual keys beside the old ones, which stay.
    const std::pair<std::pair<int, int>, int> keys[] = {
        {{'O', MOD_CONTROL}, 1001}, {{'L', MOD_CONTROL}, 1001},
        {{'N', MOD_CONTROL}, 4005}, {{'S', MOD_CONTROL | MOD_SHIFT}, 1004},
        {{'A', MOD_CONTROL}, 1004}, {{'Q', MOD_CONTROL}, 1002},
        {{'X', MOD_CONTROL}, 1002}, {{'0', MOD_CONTROL}, ZoomFitCommand}};
    for (auto [key, id] : keys)
        EXPECT_EQ(program.Accel->findkey(key.first, key.second), id) << char(key.first);
    QTest::keyClick(drawing(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(s.AskedFiles.size(), 1u) << "Ctrl+O opens the file chooser";
    EXPECT_EQ(s.AskedFiles[0].saving, 0);

    // Zoom to Fit: every visible object inside the view, with a margin.
    Point* a = new Point(100, 100);
    Point* b = new Point(130, 80);
    Point* hidden = new Point(-500, 0);
    hidden->ishidden.set();
    objects.changed.clear();
    window.command(ZoomFitCommand);
    for (Point* p : {a, b}) {
        EXPECT_GT(p->x(), window.x1() + 0.05 * (window.x2() - window.x1()));
        EXPECT_LT(p->x(), window.x2() - 0.05 * (window.x2() - window.x1()));
        EXPECT_GT(p->y(), window.y1());
        EXPECT_LT(p->y(), window.y2());
    }
    EXPECT_NEAR((window.x1() + window.x2()) / 2, 115, 1e-9);
    EXPECT_LT(window.x2() - window.x1(), 200) << "the hidden point is no part of it";
    EXPECT_TRUE(objects.changed) << "the view is part of the file";
    objects.clear();
    objects.changed.clear();

    // Recent Files: the last eight loaded or saved, newest first.
    QTemporaryDir dir;
    std::vector<std::string> names;
    for (int i = 0; i < 9; ++i) {
        std::string f = dir.path().toStdString() + "/c" + std::to_string(i) + ".gyr";
        FILE* file = std::fopen(f.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("\"A\"()=point(1,2);\n", file);
        std::fclose(file);
        s.Dialogs.push_back([](Dialog& d) { d.click(1); });
        doload(f.c_str());
        names.push_back(f);
    }
    EXPECT_STREQ(profile.read("recent1", ""), names[8].c_str());
    // A file named relative to the working folder is kept with its whole path.
    QString here = QDir::currentPath();
    QDir::setCurrent(dir.path());
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    doload("c8.gyr");
    QDir::setCurrent(here);
    EXPECT_STREQ(profile.read("recent1", ""), names[8].c_str());
    EXPECT_STREQ(profile.read("recent2", ""), names[7].c_str()) << "once, not twice";
    EXPECT_STREQ(profile.read("recent8", ""), names[1].c_str());
    EXPECT_TRUE(menu.enabled(RecentFirst + 7));
    // Its entry loads a file again and puts it first.
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    window.command(RecentFirst + 3); // c5
    EXPECT_STREQ(loadname.text(), names[5].c_str());
    EXPECT_STREQ(profile.read("recent1", ""), names[5].c_str());
    // A file that is gone leaves the list.
    std::remove(names[4].c_str());
    window.command(RecentFirst + 4); // c4
    EXPECT_STREQ(profile.read("recent8", ""), "");
    ASSERT_FALSE(s.AskedBoxes.empty());
    EXPECT_EQ(s.AskedBoxes.back().text.rfind("Could not open", 0), 0u);
    loadname = "";
    objects.clear();
    objects.changed.clear();
    for (int i = 1; i <= RecentMax; ++i) profile.write(("recent" + std::to_string(i)).c_str(), "");
    recentmenu();
}

TEST_F(Main, ShiftCaptionsSayWhereTheDrawingGoesAndColourButtonsTheirColour) {
    Point* p = new Point(0, 0);
    std::map<std::string, std::pair<int, int>> moves; // caption: the point's pixel step
    for (int id : {7004, 7003, 7001, 7002}) {
        window.setsize(-7.0, 7.0, -7.0, 7.0);
        int c = window.col(p->x()), r = window.row(p->y());
        window.command(id);
        std::string caption;
        QMenu* shift = nullptr;
        for (QMenu* m : drawing()->window()->findChildren<QMenu*>())
            if (m->title() == "&Shift") shift = m;
        ASSERT_NE(shift, nullptr);
        for (QAction* a : shift->actions())
            if (a->data().toInt() == id) caption = a->text().toStdString();
        moves[caption.substr(0, caption.find('\t'))] = {window.col(p->x()) - c,
                                                        window.row(p->y()) - r};
    }
    EXPECT_LT(moves["Shift drawing left"].first, 0);
    EXPECT_GT(moves["Shift drawing right"].first, 0);
    EXPECT_LT(moves["Shift drawing up"].second, 0);
    EXPECT_GT(moves["Shift drawing down"].second, 0);
    EXPECT_EQ(moves.size(), 4u);

    std::set<std::string> tips;
    for (QToolButton* b : drawing()->window()->findChildren<QToolButton*>())
        if (b->defaultAction() && b->toolTip().startsWith("Default Color"))
            tips.insert(b->toolTip().toStdString());
    EXPECT_EQ(tips, (std::set<std::string>{"Default Color: Black", "Default Color: Blue",
                                           "Default Color: Brown", "Default Color: Cyan",
                                           "Default Color: Green", "Default Color: Pink"}));
    objects.changed.clear();
}
