// Autosave: a copy of unsaved work in the state folder, gone once the work
// is saved, and offered at the next start when Gyrel was killed.
#include "app.h"
#include "constructionfile.h"
#include "point.h"
#include "profile.h"
#include "run.h"
#include "scripted.h"
#include "settings.h"

#include <QFile>
#include <QTest>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

void click(double x, double y) {
    QTest::mouseClick(Main::drawing(), Qt::LeftButton, {}, QPoint(window.col(x), window.row(y)));
}

// The copies in the state folder.
std::vector<std::string> copies() {
    std::vector<std::string> v;
    std::error_code e;
    for (const auto& f : std::filesystem::directory_iterator(Autosave::folder(), e))
        if (f.path().extension() == ".gyr") v.push_back(f.path().string());
    return v;
}

struct Autosaving : Main, TempFiles {
    void SetUp() override {
        Main::SetUp();
        window.autosave.remove();
        std::error_code e;
        std::filesystem::remove_all(Autosave::folder(), e);
        window.A = &pointaction;
    }
};

} // namespace

TEST_F(Autosaving, ACopyWhileThereAreChangesAndNoneOnceSaved) {
    ScriptedAnswerer s;
    EXPECT_EQ(Autosave::folder(), qgetenv("XDG_STATE_HOME").toStdString() + "/gyrel");
    click(1, 1);
    EXPECT_TRUE(copies().empty()) << "not before the timer";
    window.timer(Autosave::Timer);
    ASSERT_EQ(copies().size(), 1u);
    std::string copy = window.autosave.copy();
    EXPECT_EQ(copies()[0], copy);
    EXPECT_NE(copy.find("/autosave-" + std::to_string(getpid()) + ".gyr"), std::string::npos);
    QFile f(QString::fromStdString(copy));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    std::string text = f.readAll().toStdString();
    EXPECT_NE(text.find("=point("), std::string::npos) << text;
    f.close();

    // Twenty changes write it at once, without the timer.
    for (int i = 0; i < Autosave::Steps; ++i) click(-5 + 0.4 * i, -3);
    f.open(QIODevice::ReadOnly);
    objects.clear();
    Failure r = readconstruction(f.readAll().toStdString());
    EXPECT_EQ(r.Line, 0);
    EXPECT_EQ(objects.count(), 1 + Autosave::Steps) << "the copy holds every change";
    f.close();
    objects.changed.set();

    // Saved: the copy goes; a change after it comes back with the timer.
    s.Files.push_back(path("saved.gyr"));
    window.command(1004);
    EXPECT_FALSE(objects.changed);
    EXPECT_TRUE(copies().empty());
    window.timer(Autosave::Timer);
    EXPECT_TRUE(copies().empty()) << "no copy of what is saved";
    click(4, 4);
    window.timer(Autosave::Timer);
    EXPECT_EQ(copies().size(), 1u);
    window.command(UndoCommand);
    EXPECT_TRUE(copies().empty()) << "undone back to the saved state";

    // Off: nothing is written.
    window.autosave.Seconds = 0;
    click(5, 5);
    window.timer(Autosave::Timer);
    EXPECT_TRUE(copies().empty());
    // The seconds live in the settings file.
    window.autosave.Seconds = 30;
    writesizes();
    EXPECT_EQ(profile.readint("autosave", -1), 30);
    window.autosave.Seconds = 60;
    readsizes();
    EXPECT_EQ(window.autosave.Seconds, 30);
    profile.writeint("autosave", 999999);
    readsizes();
    EXPECT_EQ(window.autosave.Seconds, 60) << "a stored value out of range gives the default";
    s.Answers = {IDNO};
    EXPECT_EQ(window.close(), 1);
    EXPECT_TRUE(copies().empty()) << "closed normally";
}

// A Gyrel is killed with unsaved work (a process of its own, forked from
// this one, with its window as it stands); the next start offers the copy.
TEST_F(Autosaving, AKilledGyrelsWorkIsOfferedAtTheNextStart) {
    ScriptedAnswerer s;
    write("work.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n");
    s.Dialogs.push_back([](Dialog& d) { d.click(1); });
    doload(path("work.gyr").c_str());
    ASSERT_EQ(objects.count(), 1);
    std::fflush(nullptr);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        click(3, -2);
        window.timer(Autosave::Timer);
        for (;;) pause();
    }
    std::string copy = Autosave::folder() + "/autosave-" + std::to_string(child) + ".gyr";
    for (int i = 0; i < 200 && !QFile::exists(QString::fromStdString(copy)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(copy))) << "written before the kill";
    EXPECT_TRUE(WIFSIGNALED(status));

    // The next start: Yes restores it, marked changed, with its file name.
    objects.clear();
    objects.changed.clear();
    loadname = "";
    s.Answers = {IDYES};
    EXPECT_EQ(window.autosave.recover(), 1);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    const std::string asked = "Gyrel was not closed normally. Restore the construction of ";
    EXPECT_EQ(s.AskedBoxes[0].text.rfind(asked + "20", 0), 0u) << s.AskedBoxes[0].text;
    EXPECT_EQ(s.AskedBoxes[0].text.size(), asked.size() + 17) << "a date and a time";
    EXPECT_EQ(objects.count(), 2) << "A, and the point made before the kill";
    EXPECT_TRUE(objects.changed);
    EXPECT_EQ(std::string(loadname.text()), path("work.gyr"));
    EXPECT_EQ(drawing()->window()->windowTitle().toStdString(), "Gyrel (work.gyr*)");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(copy)));
    EXPECT_EQ(copies(), std::vector<std::string>{window.autosave.copy()})
        << "the restored work lives on in this Gyrel's own copy";

    // No removes a copy and keeps what is there.
    std::string other = Autosave::folder() + "/autosave-999999.gyr";
    QFile f(QString::fromStdString(other));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("window(-7,7,-7,7);\n\"Z\"()=point(0,0);\n// autosave of: /x.gyr\n"
            "// autosave at: 2026-12-10 09:15\n");
    f.close();
    s.AskedBoxes.clear();
    s.Answers = {IDNO};
    EXPECT_EQ(window.autosave.recover(), 0);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, asked + "2026-12-10 09:15?");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(other)));
    EXPECT_EQ(objects.count(), 2);
}
