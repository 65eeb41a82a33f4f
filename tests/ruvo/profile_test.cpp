#include "profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

// Settings in a folder of the test's own, as $XDG_CONFIG_HOME.
struct Settings : ::testing::Test {
    void SetUp() override {
        Before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", Folder.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", Before); }
    // Replaces the settings file by these lines.
    void file(const char* lines) {
        QDir().mkpath(Folder.path() + "/gyrel");
        QFile f(Folder.path() + "/gyrel/gyrel.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(lines);
    }
    std::string content() {
        QFile f(Folder.path() + "/gyrel/gyrel.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "";
    }
    QTemporaryDir Folder;
    QByteArray Before;
};

} // namespace

TEST_F(Settings, RoundTripUnderTheirNames) {
    Profile p("GYR-GYG");
    EXPECT_STREQ(p.A.text(), "Software\\GYR-GYG");
    EXPECT_EQ(std::string(p.file().text()), Folder.path().toStdString() + "/gyrel/gyrel.ini");
    EXPECT_EQ(p.readint("fontsize", 40), 40) << "nothing stored yet";
    EXPECT_STREQ(p.read("printer", ""), "");

    p.writeint("fontsize", 55);
    p.writeint("window-x", -20);
    p.write("printer", "Laser \xc3\xa4 B\xc3\xbcro \xce\xb1, 2");
    p.writelong("big", 1234567890L);
    p.writedouble("spacing", 0.1);
    EXPECT_STREQ(p.S.text(), "Software\\GYR-GYG\\spacing");

    Profile q("GYR-GYG");
    EXPECT_EQ(q.readint("fontsize", 40), 55);
    EXPECT_EQ(q.readint("window-x", 0), -20);
    EXPECT_STREQ(q.read("printer", ""), "Laser \xc3\xa4 B\xc3\xbcro \xce\xb1, 2")
        << "commas and every letter survive";
    EXPECT_EQ(q.readlong("big", 0), 1234567890L);
    EXPECT_DOUBLE_EQ(q.readdouble("spacing", 0), 0.1);

    std::string text = content();
    EXPECT_NE(text.find("[GYR-GYG]"), std::string::npos) << text;
    EXPECT_NE(text.find("fontsize=55"), std::string::npos) << "numbers as decimal texts";
    EXPECT_NE(text.find("spacing=0.1"), std::string::npos) << "a decimal point, not a comma";

    q.remove("fontsize");
    EXPECT_EQ(q.readint("fontsize", 40), 40);
    EXPECT_EQ(q.readint("window-x", 0), -20);
    q.remove();
    EXPECT_EQ(q.readint("window-x", 0), 0);
    EXPECT_STREQ(q.read("printer", "none"), "none");
}

TEST_F(Settings, GarbageGivesTheDefault) {
    file("[GYR-GYG]\n"
         "fontsize=abc\n"
         "pointsize=12abc\n"
         "anglesize=99999999999999999999\n"
         "window-x=1, 2\n"
         "window-y= 7\n"
         "window-w=\n"
         "window-h=@Variant(\\0\\0\\0\\x7f)\n"
         "printer=\"unterminated\n"
         "\x01\xff\xfe binary junk = = =\n");
    Profile p("GYR-GYG");
    EXPECT_EQ(p.readint("fontsize", 40), 40);
    EXPECT_EQ(p.readint("pointsize", 150), 150) << "a number with text after it";
    EXPECT_EQ(p.readint("anglesize", 20), 20) << "a number the type cannot hold";
    EXPECT_EQ(p.readint("window-x", 5), 5) << "a list";
    EXPECT_EQ(p.readint("window-y", 5), 7) << "blanks around a number are fine";
    EXPECT_EQ(p.readint("window-w", 5), 5);
    EXPECT_EQ(p.readint("window-h", 5), 5);
    EXPECT_DOUBLE_EQ(p.readdouble("fontsize", 1.5), 1.5);
    p.read("printer", "");
    p.writeint("fontsize", 30);
    EXPECT_EQ(p.readint("fontsize", 40), 30) << "a garbled file can still be written";
}

TEST_F(Settings, NumbersTooLargeForAnInt) {
    file("[GYR-GYG]\nfontsize=4294967336\nnegative=-2147483648\n");
    Profile p("GYR-GYG");
    EXPECT_EQ(p.readint("fontsize", 40), 40);
    EXPECT_EQ(p.readlong("fontsize", 40), 4294967336L);
    EXPECT_EQ(p.readint("negative", 0), INT_MIN);
}

TEST_F(Settings, AFolderThatCannotBeWrittenStopsNothing) {
    // The configuration folder is a file: nothing can be made below it.
    QFile blocker(Folder.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", (Folder.path() + "/blocked").toLocal8Bit());
    Profile p("GYR-GYG");
    p.writeint("fontsize", 12);
    p.write("printer", "x");
    EXPECT_EQ(p.readint("fontsize", 40), 40);
    EXPECT_STREQ(p.read("printer", "default"), "default");

    // A folder that does not exist yet is made.
    qputenv("XDG_CONFIG_HOME", (Folder.path() + "/new/config").toLocal8Bit());
    Profile q("GYR-GYG");
    q.writeint("fontsize", 12);
    EXPECT_EQ(Profile("GYR-GYG").readint("fontsize", 40), 12);
    EXPECT_TRUE(QFile::exists(Folder.path() + "/new/config/gyrel/gyrel.ini"));

    // A relative $XDG_CONFIG_HOME does not count: the home folder's is used.
    qputenv("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(std::string(Profile("GYR-GYG").file().text()),
              QDir::homePath().toStdString() + "/.config/gyrel/gyrel.ini");
}
