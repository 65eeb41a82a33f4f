// Unsaved work in the running window: every change the Undo menu can take
// back counts, the title says so, and undoing back to the saved state makes
// the construction unchanged again.
#include "app.h"
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

struct Unsaved : Main {
    void TearDown() override {
        objects.changed.clear();
        loadname = "";
        window.settitle();
    }
};

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
