// The command line never waits for a person: a file the reader refuses is
// one line on standard error, in the real program and in the program's own
// process with an answerer that nobody may ask.
#include "app.h"
#include "cli.h"
#include "dialog.h"
#include "point.h"
#include "run.h"
#include "scripted.h"

#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const twice = "window(-7,7,-7,7);\n"
                          "\"A\"()=point(1,2);\n"
                          "\"B\"()=point(3,1);\n"
                          "\"A\"()=point(1,2);\n"
                          "\"s\"()=segment(\"A\",\"B\");\n";

// Fails the test at anything asked of a person.
class Nobody : public Answerer {
  public:
    Nobody() : Before(Answerer::install(this)) {}
    ~Nobody() override { Answerer::install(Before); }
    int messagebox(Box, const char* text, const char*, Window*) override {
        ADD_FAILURE() << "a message box: " << text;
        return IDCANCEL;
    }
    int printersetup(PrinterPS&, Window*) override {
        ADD_FAILURE() << "the printer dialog";
        return 0;
    }
    void dialog(Dialog& d) override { ADD_FAILURE() << "dialog " << d.Id; }
    String file(const FileRequest&) override {
        ADD_FAILURE() << "a file chooser";
        return String("");
    }
    int color(Color&, Color*, Window*) override {
        ADD_FAILURE() << "a colour chooser";
        return 0;
    }

  private:
    Answerer* Before;
};

// Runs the command line in this process; the arguments as the shell gives them.
int run(std::vector<std::string> args) {
    args.insert(args.begin(), "gyrel");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return runtool(static_cast<int>(args.size()), argv.data());
}

struct CommandLine : Main, TempFiles {};

} // namespace

TEST_F(CommandLine, ANameUsedTwiceIsOneLineOnStandardErrorAndNoWait) {
    write("twice.gyr", twice);
    for (QStringList args : {QStringList{"--check"}, QStringList{"--list"},
                             QStringList{"--export", file("twice.svg")}}) {
        Outcome r = gyrel(args << file("twice.gyr"), 10000);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString() << " (-1: it hung)";
        EXPECT_EQ(r.err, file("twice.gyr") + ":4: error: the name A is used twice\n");
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file("twice.svg")));
}

TEST_F(CommandLine, NoPathOfTheCommandLineAsksAnything) {
    Nobody nobody;
    write("twice.gyr", twice);
    write("broken.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"l\"()=line(\"A\",\"Q\");\n");
    write("good.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"B\"()=point(3,1);\n");
    // A changed construction in the window is no reason to ask either.
    new Point(0, 0);
    objects.changed.set();
    for (const char* f : {"twice.gyr", "broken.gyr"}) {
        EXPECT_EQ(run({"--check", path(f)}), 1) << f;
        EXPECT_EQ(run({"--list", path(f)}), 1) << f;
        EXPECT_EQ(run({"--export", path("x.png"), path(f)}), 1) << f;
    }
    EXPECT_EQ(run({"--check", path("missing.gyr")}), 2);
    EXPECT_EQ(run({"--export", path("good.png"), "--width", "200", path("good.gyr")}), 0);
    EXPECT_TRUE(QFile::exists(file("good.png")));
    EXPECT_EQ(run({"--frob"}), 2);
    EXPECT_EQ(&view(), static_cast<View*>(&window)) << "the window's view is back";
    objects.changed.clear();
}

TEST_F(CommandLine, TheWindowKeepsNoObjectNamedLikeAQuestionMark) {
    ScriptedAnswerer s;
    write("twice.gyr", twice);
    std::string shown;
    s.Dialogs.push_back([&](Dialog& d) {
        shown = d.gettext(101).text();
        d.click(1);
    });
    doload(path("twice.gyr").c_str());
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].text, "Name has been used before!");
    EXPECT_EQ(s.AskedDialogs, std::vector<int>{120});
    EXPECT_EQ(shown, "\"A\"()=point(1,2);");
    EXPECT_EQ(objects.count(), 2) << "A and B, and nothing of the failing record";
    for (Object* o = objects.first(); o; o = o->next()) EXPECT_STRNE(o->name(), "???");
    EXPECT_STREQ(loadname.text(), "") << "a broken file is never saved over";
}
