// Pictures of a construction: the Export command, and the command line run
// as a real program without a display.
#include "app.h"
#include "commands.h"
#include "dialog.h"
#include "help.h"
#include "point.h"
#include "run.h"
#include "scripted.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace {

// A triangle in a view twice as wide as high: A at the centre, B and C
// near the corners.
const char* const triangle = "window(-8,8,-4,4);\n"
                             "/*\nA triangle.\n*/\n"
                             "\"A\"()=point(0,0);\n"
                             "\"B\"()=point(6,-3);\n"
                             "\"C\"(color:blue)=point(-6,3);\n"
                             "\"a\"()=segment(\"B\",\"C\");\n";

// Whether a dark pixel lies within d of (x, y).
bool dark(const QImage& im, int x, int y, int d = 2) {
    for (int dx = -d; dx <= d; ++dx)
        for (int dy = -d; dy <= d; ++dy) {
            QColor c = im.pixelColor(x + dx, y + dy);
            if (c.alpha() > 128 && qGray(c.rgb()) < 128) return true;
        }
    return false;
}

struct Pictures : Main, TempFiles {};

} // namespace

TEST_F(Pictures, TheCommandLineDrawsWithoutADisplay) {
    write("tri.gyr", triangle);
    Outcome r = gyrel({"--export", file("tri.png"), "--width", "400", file("tri.gyr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QImage png(file("tri.png"));
    ASSERT_EQ(png.size(), QSize(400, 200)) << "the view's aspect";
    // The points where the view puts them: 25 pixels a unit.
    EXPECT_TRUE(dark(png, 200, 100)) << "A";
    EXPECT_TRUE(dark(png, 350, 175)) << "B";
    EXPECT_TRUE(dark(png, 50, 25)) << "C";
    EXPECT_FALSE(dark(png, 300, 40)) << "nothing there";

    // The SVG draws the same picture.
    ASSERT_EQ(gyrel({"--export", file("tri.svg"), "--width", "400", file("tri.gyr")}).status, 0);
    QSvgRenderer svg(file("tri.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage back(400, 200, QImage::Format_ARGB32);
    back.fill(Qt::white);
    QPainter painter(&back);
    svg.render(&painter);
    painter.end();
    QImage flat(400, 200, QImage::Format_ARGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, png);
    long differ = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 400; ++x)
            differ += std::abs(qGray(back.pixel(x, y)) - qGray(flat.pixel(x, y))) > 96;
    EXPECT_LT(differ, 400 * 200 / 100) << "within a small tolerance";
    EXPECT_TRUE(dark(back, 350, 175));

    // The PDF: one page of the view's aspect.
    ASSERT_EQ(gyrel({"--export", file("tri.pdf"), file("tri.gyr")}).status, 0);
    QFile pdf(file("tri.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    QString text = QString::fromLatin1(pdf.readAll());
    EXPECT_TRUE(text.startsWith("%PDF"));
    EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b")), 1);
    QRegularExpressionMatch box =
        QRegularExpression("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)").match(text);
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble() / box.captured(2).toDouble(), 2.0, 0.01);
}

TEST_F(Pictures, ListingCheckAndTheirFailures) {
    write("tri.gyr", triangle);
    Outcome list = gyrel({"--list", file("tri.gyr")});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.toStdString(), "A : Basic Point\nB : Basic Point\nC : Basic Point\n"
                                      "a : Line segment from B to C\n");
    EXPECT_EQ(gyrel({"--check", file("tri.gyr")}).status, 0);

    // A broken record: its file and line, no picture, status 1.
    write("bad.gyr", "window(-7,7,-7,7);\n\"A\"()=point(1,2);\n\"l\"()=line(\"A\",\"B\");\n");
    for (QStringList args : {QStringList{"--check"}, QStringList{"--export", file("bad.png")}}) {
        Outcome r = gyrel(args << file("bad.gyr"));
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith(file("bad.gyr") + ":3: error: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("\"l\"()=line(\"A\",\"B\");"));
    }
    EXPECT_FALSE(QFile::exists(file("bad.png")));

    // A missing file, an unknown option, a wrong width, a wrong kind: 2
    // with one line.
    for (QStringList args :
         {QStringList{"--check", file("none.gyr")}, QStringList{"--frob"},
          QStringList{"--export", file("x.png"), "--width", "0", file("tri.gyr")},
          QStringList{"--export", file("x.jpg"), file("tri.gyr")}}) {
        Outcome r = gyrel(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    Outcome usage = gyrel({"--help"});
    EXPECT_EQ(usage.status, 0);
    EXPECT_TRUE(usage.out.startsWith("Usage: gyrel"));
    Outcome version = gyrel({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("gyrel "));
}

TEST_F(Pictures, TheExportCommandWritesEveryKind) {
    ScriptedAnswerer s;
    new Point(0, 0);
    objects.redraw();
    s.Files.push_back(path("view.svg"));
    window.command(ExportCommand);
    ASSERT_EQ(s.AskedFiles.size(), 1u);
    EXPECT_EQ(s.AskedFiles[0].saving, 1);
    QSvgRenderer svg(file("view.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), QSize(window.width(), window.height()));

    s.Files.push_back(path("view.pdf"));
    window.command(ExportCommand);
    QFile pdf(file("view.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    // PNG asks for the width and the background: twice the window's, clear.
    s.Files.push_back(path("view.png"));
    s.Dialogs.push_back([](Dialog& d) {
        d.click(102);
        d.click(106);
        d.click(1);
    });
    window.command(ExportCommand);
    QImage png(file("view.png"));
    ASSERT_EQ(png.width(), 2 * window.width());
    EXPECT_NEAR(png.height(), 2 * window.height(), 1);
    EXPECT_EQ(png.pixelColor(5, 5).alpha(), 0) << "transparent";
    EXPECT_TRUE(dark(png, png.width() / 2, png.height() / 2, png.width() / 150))
        << "the point's mark at the centre";

    // A file that cannot be written says so.
    s.Files.push_back(path("no/such/folder/view.svg"));
    window.command(ExportCommand);
    ASSERT_FALSE(s.AskedBoxes.empty());
    EXPECT_EQ(s.AskedBoxes.back().kind, Box::Warning);
}

TEST_F(Pictures, ANameWithoutExtensionTakesTheChosenTypeAndAWidthMustBeANumber) {
    ScriptedAnswerer s;
    new Point(0, 0);
    objects.redraw();
    // "PNG image" chosen, no extension typed: a PNG, asked for its width;
    // "abc" is refused, the dialog says what it takes, 300 is taken.
    s.Files.push_back(path("plain"));
    s.FileTypes.push_back(2);
    std::string why;
    int open = 0;
    std::string page;
    s.Dialogs.push_back([&](Dialog& d) {
        d.notify(998, BN_CLICKED); // F1
        page = help.page().text();
        d.click(104);
        d.type(105, "abc");
        d.click(1);
        open = d.isopen();
        why = d.Refusal.text();
        d.type(105, "300");
        d.click(1);
    });
    window.command(ExportCommand);
    EXPECT_TRUE(open);
    EXPECT_EQ(page, "/help/topic16.html") << "F1 in the PNG dialog";
    help.close();
    EXPECT_EQ(why, "Enter a whole number from 1 to 20000.");
    EXPECT_FALSE(QFile::exists(file("plain.svg")));
    QImage png(file("plain.png"));
    EXPECT_EQ(png.width(), 300);
    // The width field is not asked about while another width is chosen.
    s.Files.push_back(path("twice"));
    s.FileTypes.push_back(2);
    s.Dialogs.push_back([](Dialog& d) {
        d.click(102);
        d.type(105, "abc");
        d.click(1);
    });
    window.command(ExportCommand);
    EXPECT_EQ(QImage(file("twice.png")).width(), 2 * window.width());
    s.Files.push_back(path("drawing"));
    s.FileTypes.push_back(1);
    window.command(ExportCommand);
    EXPECT_TRUE(QFile::exists(file("drawing.pdf")));
}
