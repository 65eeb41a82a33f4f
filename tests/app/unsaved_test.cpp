// Unsaved work in the running window: every change the Undo menu can take
// back counts, the title says so, and undoing back to the saved state makes
// the construction unchanged again.
#include "app.h"
#include "macro.h"
#include "macroactions.h"
#include "point.h"
#include "profile.h"
#include "scripted.h"
#include "settings.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string title() {
    return Main::drawing()->window()->windowTitle().toStdString();
}

// Loads a file of two points A and B, answering its comment dialog.
void loadpoints(ScriptedAnswerer& s, const std::string& file) {
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"B\"()=point(-3,-1);\n", f);
    std::fclose(f);
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    doload(file.c_str());
    ASSERT_EQ(objects.count(), 2);
}

// A right drag of the point at (x, y) by 40 pixels up, through the widget.
void rightdrag(double x, double y) {
    QWidget* area = Main::drawing();
    QPoint from(window.col(x), window.row(y));
    QTest::mousePress(area, Qt::RightButton, {}, from);
    for (int i = 1; i <= 4; ++i) QTest::mouseMove(area, from - QPoint(0, i * 10));
    QTest::mouseRelease(area, Qt::RightButton, {}, from - QPoint(0, 40));
}

struct Unsaved : Main {};

} // namespace

TEST_F(Unsaved, ADragOrAHideAsksBeforeExitAndUndoBringsBackTheSavedState) {
    ScriptedAnswerer s;
    profile.remove();
    QTemporaryDir dir;
    std::string file = dir.path().toStdString() + "/points.gyr";
    loadpoints(s, file);
    EXPECT_EQ(title(), "Gyrel (points.gyr)");
    EXPECT_EQ(window.close(), 1) << "a construction just loaded goes without a question";
    EXPECT_TRUE(s.AskedBoxes.empty());

    auto* a = static_cast<Pointprim*>(objects.find("A", 0, nullptr));
    rightdrag(1, 2);
    ASSERT_GT(a->y(), 2.5) << "the drag moved A";
    EXPECT_EQ(title(), "Gyrel (points.gyr*)");
    s.Answers = {IDCANCEL};
    EXPECT_EQ(window.close(), 0) << "the drag is unsaved work";
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Save Construction");

    // Undone, the construction is as its file again.
    window.command(UndoCommand);
    EXPECT_DOUBLE_EQ(a->y(), 2);
    EXPECT_EQ(title(), "Gyrel (points.gyr)");
    EXPECT_EQ(window.close(), 1);
    EXPECT_EQ(s.AskedBoxes.size(), 1u);

    // A hide with the hide tool, then Save: unchanged; Undo after the save
    // is a change again.
    window.command(3005);
    QTest::mouseClick(drawing(), Qt::LeftButton, {}, QPoint(window.col(-3), window.row(-1)));
    auto* b = objects.find("B", 0, nullptr);
    ASSERT_TRUE(b->ishidden);
    EXPECT_EQ(title(), "Gyrel (points.gyr*)");
    window.command(1003); // Save
    EXPECT_FALSE(objects.changed);
    EXPECT_EQ(title(), "Gyrel (points.gyr)");
    window.command(UndoCommand);
    EXPECT_FALSE(b->ishidden);
    EXPECT_TRUE(objects.changed);
    EXPECT_EQ(title(), "Gyrel (points.gyr*)");
    window.command(RedoCommand);
    EXPECT_FALSE(objects.changed) << "redone, it is as saved";
    window.A = &pointaction;
}

namespace {

Macro* midpointmacro(const char* name) {
    std::string bad;
    std::string text = std::string("N:") + name +
                       "\n/*\n*/\nP:A\nL:First\nT:point\nP:B\nL:Second\nT:point\n"
                       "S:\"M\"()=middle(\"A\",\"B\");\n";
    Macro* m = readmacro(text, bad);
    EXPECT_NE(m, nullptr) << bad;
    return m;
}

void click(double x, double y) {
    QTest::mouseClick(Main::drawing(), Qt::LeftButton, {}, QPoint(window.col(x), window.row(y)));
}

} // namespace

// Deleting or replacing the macro that runs ends its run; nothing touches
// the freed macro (the sanitizer build checks it).
TEST_F(Unsaved, ARunningMacroCanBeDeletedOrReplaced) {
    ScriptedAnswerer s;
    ASSERT_EQ(createmacro(midpointmacro("Mid")), 1);
    auto pick = [&s] {
        s.Dialogs.push_back([](Dialog& d) {
            d.pick(101, 0);
            d.click(1);
        });
    };
    pick();
    window.command(7102); // Run Macro
    ASSERT_EQ(window.A, &macrorunaction);
    click(1, 1); // the first parameter
    pick();
    s.Answers = {IDYES};
    window.command(102); // Delete Macro
    EXPECT_EQ(macros, nullptr);
    EXPECT_EQ(macrorunaction.Running, nullptr);
    EXPECT_EQ(window.A, &pointaction) << "the run ended with its macro";
    click(2, 2);
    click(3, 3);
    EXPECT_EQ(objects.count(), 3) << "the clicks make points, no midpoint";

    // A macro of the same name replaces the one that runs.
    Macro* old = midpointmacro("Mid");
    ASSERT_EQ(createmacro(old), 1);
    pick();
    window.command(7102);
    click(-1, -1);
    s.Answers = {IDYES};
    ASSERT_EQ(createmacro(midpointmacro("Mid")), 1);
    EXPECT_EQ(macrorunaction.Running, nullptr);
    click(-2, -2);
    window.history.end();
    window.A = &pointaction;
    while (macros) {
        Macro* m = macros;
        m->remove();
        delete m;
    }
}
