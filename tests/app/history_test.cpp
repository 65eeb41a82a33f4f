// Undo and redo in the running window: every kind of change is one step,
// reached by the menu, the keys and the commands.
#include "app.h"
#include "changing.h"
#include "circle.h"
#include "commands.h"
#include "construction.h"
#include "constructionfile.h"
#include "line.h"
#include "macro.h"
#include "macroactions.h"
#include "mainwindow.h"
#include "menu.h"
#include "objectlist.h"
#include "scripted.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The construction as the file writer writes it, without the view.
std::string text() {
    std::string s = construction();
    return s.erase(0, s.find('\n'));
}

// The caption of the first item of the Actions menu with the given text.
std::string caption(int index) {
    return menu.caption(2, index).text();
}

void press(int c, int r, int code) {
    window.clicked(c, r, code);
}

void leftclick(double x, double y) {
    press(window.col(x), window.row(y), 1);
    press(window.col(x), window.row(y), 0);
}

struct Steps : Main {};

} // namespace

TEST_F(Steps, AToolsObjectsAreOneStepNamedInTheMenu) {
    EXPECT_FALSE(menu.enabled(UndoCommand));
    EXPECT_FALSE(menu.enabled(RedoCommand));
    EXPECT_EQ(caption(0), "&Undo\t^Z");
    window.command(2004);
    leftclick(-3, 0);
    leftclick(3, 1);
    ASSERT_EQ(objects.count(), 3);
    EXPECT_TRUE(menu.enabled(UndoCommand));
    EXPECT_EQ(caption(0), "&Undo Add Line_1\t^Z");
    std::string built = text();

    // Ctrl+Z takes the line and both its new points; Ctrl+Y brings them back.
    QWidget* area = drawing();
    ASSERT_NE(area, nullptr);
    QTest::keyClick(area, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(objects.empty());
    EXPECT_FALSE(menu.enabled(UndoCommand));
    EXPECT_TRUE(menu.enabled(RedoCommand));
    EXPECT_EQ(caption(1).substr(0, 16), "&Redo Add Line_1");
    QTest::keyClick(area, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(text(), built);
    QTest::keyClick(area, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(area, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text(), built) << "Ctrl+Shift+Z redoes too";

    // Undo in the middle of a tool takes what it made so far, and the tool
    // starts over.
    leftclick(0, 3);
    EXPECT_EQ(lineaction.State, 2);
    EXPECT_EQ(objects.count(), 4);
    window.command(UndoCommand);
    EXPECT_EQ(text(), built);
    EXPECT_EQ(lineaction.State, 1);
    EXPECT_STREQ(window.Status->text().text(), "Line: First point?");
    window.action(&pointaction);
}

TEST_F(Steps, DragsEditsHidingAndDeletingAreSteps) {
    ScriptedAnswerer s;
    Point* a = new Point(-2, 0);
    Point* b = new Point(2, 0);
    new Circle(a, b);
    new Line(a, b);
    objects.redraw();
    window.history.clear();
    std::string start = text();

    // A right drag from press to release is one step.
    window.action(&lineaction);
    press(window.col(2), window.row(0), 4);
    press(window.col(2) + 5, window.row(0) - 10, 9);
    press(window.col(2) + 10, window.row(0) - 20, 9);
    press(window.col(2) + 10, window.row(0) - 20, 3);
    EXPECT_NE(text(), start);
    EXPECT_EQ(window.history.undoname(), "Move Point_2");
    std::string moved = text();
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);
    EXPECT_DOUBLE_EQ(b->x(), 2);
    window.command(RedoCommand);
    EXPECT_EQ(text(), moved);
    window.command(UndoCommand);

    // A property edit from a right click on the circle.
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "k");
        d.click(1);
    });
    press(window.col(-2), window.row(4), 4);
    press(window.col(-2), window.row(4), 3);
    ASSERT_EQ(s.AskedDialogs, std::vector<int>{109});
    EXPECT_STREQ(objects.find("k", 0, nullptr)->name(), "k");
    EXPECT_EQ(window.history.undoname(), "Edit k");
    window.command(UndoCommand);
    EXPECT_EQ(objects.find("k", 0, nullptr), nullptr);
    EXPECT_EQ(text(), start);

    // Hiding with the hide tool.
    window.command(3005);
    leftclick(-2, 4);
    EXPECT_EQ(window.history.undoname(), "Hide Circle_1");
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);

    // Deleting a point takes its dependants; undo brings them all back.
    window.command(3006);
    s.Dialogs.push_back([](Dialog& d) {
        d.pick(100, 0); // the point, not the line through it
        d.click(1);
    });
    leftclick(-2, 0);
    EXPECT_EQ(objects.count(), 1);
    EXPECT_EQ(window.history.undoname(), "Delete Point_1");
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);

    // Clear Last, and the comment.
    window.command(4004);
    EXPECT_EQ(objects.count(), 3);
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);
    s.Dialogs.push_back([](Dialog& d) {
        d.type(101, "Two circles");
        d.click(1);
    });
    window.command(7011);
    EXPECT_EQ(window.history.undoname(), "Edit Comment");
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);
    window.action(&pointaction);
}

TEST_F(Steps, NewAndLoadComeBackWithTheirFileAndTheChangedFlagFollows) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    std::string file = dir.path().toStdString() + "/two.gyr";
    loadname = "";
    window.command(2001);
    leftclick(1, 1);
    leftclick(2, 2);
    s.Files.push_back(file);
    window.command(1004);
    ASSERT_FALSE(objects.changed);
    std::string saved = text();

    // A change, undone: unchanged again; redone: changed.
    leftclick(3, 3);
    EXPECT_TRUE(objects.changed);
    window.command(UndoCommand);
    EXPECT_FALSE(objects.changed) << "back to what was saved";
    window.command(RedoCommand);
    EXPECT_TRUE(objects.changed);
    window.command(UndoCommand);

    // New, undone: the construction and its file name come back.
    window.command(4005);
    EXPECT_TRUE(objects.empty());
    EXPECT_STREQ(loadname.text(), "");
    EXPECT_EQ(window.history.undoname(), "New");
    window.command(UndoCommand);
    EXPECT_EQ(text(), saved);
    EXPECT_STREQ(loadname.text(), file.c_str());
    EXPECT_STREQ(window.title().text(), "Gyrel (two.gyr)");

    // Load, undone: what was there before, and no file name to save into.
    window.command(4005);
    window.command(2001);
    leftclick(-4, -4);
    s.Answers = {IDNO};
    s.Files.push_back(file);
    s.Dialogs.push_back([](Dialog& d) { d.click(2); });
    window.command(1001);
    EXPECT_EQ(text(), saved);
    EXPECT_EQ(window.history.undoname(), "Load");
    window.command(UndoCommand);
    EXPECT_EQ(objects.count(), 1);
    EXPECT_STREQ(loadname.text(), "");
    EXPECT_TRUE(objects.changed);
    window.command(RedoCommand);
    EXPECT_EQ(text(), saved);
    EXPECT_STREQ(loadname.text(), file.c_str());
    EXPECT_FALSE(objects.changed);
}

TEST_F(Steps, AMacroRunIsOneStep) {
    ScriptedAnswerer s;
    std::string bad;
    Macro* m = readmacro("N:Mid\n/*\n*/\nP:A\nL:First\nT:point\nP:B\nL:Second\nT:point\n"
                         "S:\"M\"()=middle(\"A\",\"B\");\n",
                         bad);
    ASSERT_NE(m, nullptr) << bad;
    ASSERT_EQ(createmacro(m), 1);
    new Point(-1, -1);
    window.history.clear();
    std::string start = text();
    macrorunaction.Running = m;
    window.action(&macrorunaction);
    leftclick(-1, -1);
    EXPECT_FALSE(window.history.canundo()) << "the run is not done yet";
    leftclick(3, 3);
    EXPECT_EQ(objects.count(), 3) << "a new point and the midpoint";
    EXPECT_EQ(window.history.undoname(), "Run Macro Mid");
    window.command(UndoCommand);
    EXPECT_EQ(text(), start);
    window.command(RedoCommand);
    EXPECT_EQ(objects.count(), 3);
    window.action(&pointaction);
    m->remove();
    delete m;
}
