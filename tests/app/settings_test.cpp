#include "app.h"
#include "bitmapps.h"
#include "commands.h"
#include "constructionfile.h"
#include "help.h"
#include "line.h"
#include "menu.h"
#include "point.h"
#include "printer.h"
#include "profile.h"
#include "scripted.h"
#include "settings.h"
#include "view.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

const Color Grey(100, 100, 100);

struct Settings : Main {
    void SetUp() override {
        Main::SetUp();
        grid = 0, axes = 1, grid1 = 1.0, grid2 = 10.0;
        printcomment = 1;
        Printer = "";
        objectcolors.all();
        fontsize = 40, msize = 150, anglesize = 20;
    }
    void TearDown() override {
        grid = 0;
        objectcolors.all();
        fontsize = 40, msize = 150, anglesize = 20;
        window.sized();
    }
    // The grey pixels of column c and of row r of the window's picture.
    static int greyincolumn(int c) {
        int n = 0;
        for (int r = 0; r < bitmap->height(); ++r) n += bitmap->pixel(c, r) == Grey;
        return n;
    }
    static int greyinrow(int r) {
        int n = 0;
        for (int c = 0; c < bitmap->width(); ++c) n += bitmap->pixel(c, r) == Grey;
        return n;
    }
    static void draw() { objects.draw(*bitmap); }
};

} // namespace

TEST_F(Settings, GridAndAxesPixels) {
    ASSERT_EQ(bitmap->width(), 500);
    const int H = bitmap->height();
    auto column = [](double x) {
        return static_cast<int>((x - window.x1()) / (window.x2() - window.x1()) * 500);
    };
    auto row = [&](double y) {
        return static_cast<int>((window.y2() - y) / (window.y2() - window.y1()) * H);
    };

    draw();
    EXPECT_EQ(greyincolumn(column(0)), 0) << "no grid until it is switched on";

    // Ctrl+G: axes three pixels wide, dotted fine lines about 36 pixels
    // apart, solid coarse lines.
    window.command(7010);
    EXPECT_EQ(grid, 1);
    EXPECT_TRUE(menu.checked(7010));
    for (int c : {column(0) - 1, column(0), column(0) + 1}) EXPECT_GE(greyincolumn(c), H - 1) << c;
    EXPECT_LT(greyincolumn(column(0) + 2), H / 10) << "only where lines cross it";
    for (int r : {row(0) - 1, row(0), row(0) + 1}) EXPECT_GE(greyinrow(r), 499) << r;
    int dotted = greyincolumn(column(1));
    EXPECT_GT(dotted, H / 5) << "a fine line";
    EXPECT_LT(dotted, H * 4 / 5) << "a dotted one";
    EXPECT_EQ(column(1) - column(0), 35);
    EXPECT_EQ(greyincolumn(column(1) + 5), 3) << "between lines only the three axis rows";
    int fineh = greyinrow(row(2));
    EXPECT_GT(fineh, 100);
    EXPECT_LT(fineh, 400);

    // Without axes the fine grid still shows, dotted where the axes were.
    axes = 0;
    draw();
    EXPECT_LT(greyincolumn(column(1) + 5), 3);
    axes = 1;

    // Lines 0.36 pixels apart would fill the picture: none are drawn, the
    // axes still are.
    grid1 = 0.01, grid2 = 0.1;
    draw();
    EXPECT_GE(greyincolumn(column(0)), H - 1);
    EXPECT_EQ(greyincolumn(column(1)), 3);
    EXPECT_EQ(greyinrow(row(2)), 3);

    // 0.1: 142 fine vertical lines would be due, but only 100 lines are
    // looked at in all: the fine lines stop at 2.8, and neither horizontal
    // nor coarse lines are drawn.
    grid1 = 0.1, grid2 = 1;
    draw();
    EXPECT_GT(greyincolumn(column(2.8)), 3);
    EXPECT_EQ(greyincolumn(column(3)), 3) << "the 101st line is not drawn";
    EXPECT_EQ(greyincolumn(column(5)), 3) << "nor the coarse line at 5";
    EXPECT_LE(greyinrow(row(2)), 99 + 3) << "only the fine vertical lines cross the row";

    // A view without the origin has no axes: no column and no row is solid.
    window.setsize(2.0, 16.0, 2.0, 16.0);
    ASSERT_GT(window.y1(), 0);
    grid1 = 1, grid2 = 100;
    draw();
    int solid = 0;
    for (int c = 0; c < 500; ++c) solid += greyincolumn(c) >= H - 1;
    for (int r = 0; r < H; ++r) solid += greyinrow(r) >= 499;
    EXPECT_EQ(solid, 0);
    EXPECT_GT(greyincolumn(column(10)), H / 5) << "the fine grid is there";

    window.command(7010);
    EXPECT_EQ(grid, 0);
    EXPECT_FALSE(menu.checked(7010));
}

TEST_F(Settings, GridDialogCorrectsItsSpacings) {
    ScriptedAnswerer s;
    auto gridset = [&](const char* coarse, const char* fine, int clickaxes, int button) {
        s.Dialogs.push_back([=](Dialog& d) {
            d.type(101, coarse);
            d.type(102, fine);
            if (clickaxes) d.click(103);
            d.click(button);
        });
        window.command(7019);
    };
    std::string shown;
    s.Dialogs.push_back([&](Dialog& d) {
        shown = std::string(d.gettext(101).text()) + " " + d.gettext(102).text() + " " +
                std::to_string(d.getcheck(103));
        d.click(9);
        shown += std::string(" ") + help.page().text();
        d.click(2);
    });
    window.command(7019);
    help.close();
    EXPECT_EQ(s.AskedDialogs.back(), 112);
    EXPECT_EQ(shown, "10 1 1 /help/topic1.html");

    gridset("0.0001", "0.0001", 1, 1);
    EXPECT_DOUBLE_EQ(grid1, 0.0001);
    EXPECT_DOUBLE_EQ(grid2, 0.001);
    EXPECT_EQ(axes, 0);
    gridset("2", "2", 1, 1);
    EXPECT_DOUBLE_EQ(grid1, 2);
    EXPECT_DOUBLE_EQ(grid2, 20) << "not above the fine spacing: ten times it";
    EXPECT_EQ(axes, 1);
    gridset("1", "5", 0, 1);
    EXPECT_DOUBLE_EQ(grid2, 50);
    gridset("4", "0.5", 0, 1);
    gridset("7", "3", 1, 2);
    EXPECT_DOUBLE_EQ(grid1, 0.5) << "Cancel changes nothing";
    EXPECT_DOUBLE_EQ(grid2, 4);
    EXPECT_EQ(axes, 1);
    // A spacing of 0, below 0.0001 or no number at all is refused: the
    // dialog stays open, and nothing is taken.
    for (const char* bad : {"0", "-3", "many", "1e999", "", "0.00001"}) {
        int refused = 0;
        std::string why;
        s.Dialogs.push_back([&](Dialog& d) {
            d.type(102, bad);
            d.click(1);
            refused = d.isopen() ? d.Refused : -1;
            why = d.Refusal.text();
        });
        window.command(7019);
        EXPECT_EQ(refused, 102) << bad;
        EXPECT_EQ(why, "Enter a number from 0.0001 to 1e+09.") << bad;
    }
    EXPECT_DOUBLE_EQ(grid1, 0.5) << "texts that are no numbers keep the values";
    EXPECT_DOUBLE_EQ(grid2, 4);

    // With the grid on, OK redraws at once.
    grid = 1;
    bitmap->erase();
    gridset("2", "1", 0, 1);
    int grey = 0;
    for (int c = 0; c < bitmap->width(); ++c) grey += bitmap->pixel(c, 5) == Grey;
    EXPECT_GT(grey, 3);
}

TEST_F(Settings, DisplayDialogHidesColoursAtOnce) {
    ScriptedAnswerer s;
    Point* blue = new Point(1, 1);
    blue->setcolor(1);
    Point* black = new Point(-1, -1);
    (void)black;
    objects.redraw();
    auto inked = [](double x, double y) {
        int n = 0;
        for (int dx = -4; dx <= 4; ++dx)
            for (int dy = -4; dy <= 4; ++dy)
                n += bitmap->pixel(window.col(x) + dx, window.row(y) + dy) != syswindowcolor();
        return n > 0;
    };
    ASSERT_TRUE(inked(1, 1));
    std::string checks;
    int hiddenwhileopen = -1;
    s.Dialogs.push_back([&](Dialog& d) {
        for (int id : {130, 114, 141, 115, 140, 145}) checks += std::to_string(d.getcheck(id));
        d.click(114);
        hiddenwhileopen = !inked(1, 1) && inked(-1, -1);
        d.click(145);
        d.click(2);
    });
    window.command(4002);
    EXPECT_EQ(s.AskedDialogs.back(), 111);
    EXPECT_EQ(checks, "111111");
    EXPECT_EQ(hiddenwhileopen, 1) << "the click redraws while the dialog is open";
    EXPECT_EQ(objectcolors.chosen(1), 0) << "Cancel keeps what was clicked";
    EXPECT_EQ(objectcolors.chosen(5), 0);
    EXPECT_EQ(objectcolors.chosen(0), 1);

    s.Dialogs.push_back([&](Dialog& d) {
        checks = "";
        for (int id : {130, 114, 141, 115, 140, 145}) checks += std::to_string(d.getcheck(id));
        d.click(114);
        d.click(1);
    });
    window.command(4002);
    EXPECT_EQ(checks, "101110");
    EXPECT_EQ(objectcolors.chosen(1), 1);
    EXPECT_TRUE(inked(1, 1));
}

TEST_F(Settings, SizesDialogTakesEffectAtOnce) {
    ScriptedAnswerer s;
    auto sizes = [&](const char* f, const char* p, const char* a, int button) {
        s.Dialogs.push_back([=](Dialog& d) {
            d.type(10, f);
            d.type(11, p);
            d.type(12, a);
            d.click(button);
        });
        window.command(7020);
    };
    std::string shown;
    s.Dialogs.push_back([&](Dialog& d) {
        shown = std::string(d.gettext(10).text()) + " " + d.gettext(11).text() + " " +
                d.gettext(12).text();
        d.click(2);
    });
    window.command(7020);
    EXPECT_EQ(s.AskedDialogs.back(), 119);
    EXPECT_EQ(shown, "40 150 20");

    sizes("10", "10", "10", 1);
    EXPECT_EQ(fontsize, 10);
    EXPECT_EQ(msize, 10);
    EXPECT_EQ(anglesize, 10);
    sizes("25", "100", "30", 1);
    EXPECT_EQ(fontsize, 25);
    EXPECT_EQ(msize, 100);
    EXPECT_EQ(anglesize, 30);
    EXPECT_EQ(font->F.Height, 500 / 25) << "the picture is drawn anew at once";
    EXPECT_EQ(bitmap->markersize(), 500 / 100);
    window.sized();
    EXPECT_EQ(font->F.Height, 500 / 25);
    EXPECT_EQ(bitmap->markersize(), 500 / 100);
    sizes("60", "60", "60", 2);
    EXPECT_EQ(fontsize, 25) << "Cancel";
    // The places of numbers: 0 to 10.
    s.Dialogs.push_back([](Dialog& d) {
        EXPECT_STREQ(d.gettext(13).text(), "2");
        d.type(13, "11");
        d.click(1);
        EXPECT_NE(d.Refused, 0);
        d.type(13, "4");
        d.click(1);
    });
    window.command(7020);
    EXPECT_EQ(window.Decimals, 4);
    window.Decimals = 2;
    // Anything but a size in bounds is refused: OK leaves the dialog open
    // with the field marked; nothing is taken.
    for (const char* bad : {"x", "", "99999999999999999999", "-4", "5", "2000000000", "12.5"}) {
        std::string why;
        int refused = 0, open = 0;
        s.Dialogs.push_back([&](Dialog& d) {
            d.type(11, bad);
            d.click(1);
            open = d.isopen();
            refused = d.Refused;
            why = d.Refusal.text();
        });
        window.command(7020);
        EXPECT_TRUE(open) << bad;
        EXPECT_EQ(refused, 11) << bad;
        EXPECT_EQ(why, "Enter a whole number from 10 to 100000.") << bad;
        EXPECT_EQ(msize, 100) << bad;
    }
}

TEST_F(Settings, ListingIsShownReadOnly) {
    ScriptedAnswerer s;
    Point* p = new Point(1, 2);
    (void)p;
    new Point(3, 4);
    std::string text;
    int readonly = -1;
    int cancel = -1;
    s.Dialogs.push_back([&](Dialog& d) {
        text = d.gettext(101).text();
        for (QWidget* w : QApplication::allWidgets())
            if (auto* e = qobject_cast<QPlainTextEdit*>(w))
                if (e->isVisible() || e->window()->windowTitle() == "Show Construction")
                    readonly = e->isReadOnly();
        cancel = d.hascontrol(2);
        d.click(1);
    });
    window.command(101);
    EXPECT_EQ(s.AskedDialogs.back(), 118);
    String listing("");
    objects.show(listing);
    std::string lines;
    for (const char* c = listing.text(); *c; ++c)
        if (*c != '\r') lines += *c;
    EXPECT_EQ(text, lines);
    EXPECT_NE(text.find("Point_1 : "), std::string::npos) << text;
    EXPECT_NE(text.find("Point_2 : "), std::string::npos);
    EXPECT_EQ(readonly, 1);
    EXPECT_EQ(cancel, 0) << "OK only";
}

TEST_F(Settings, PrinterDialog) {
    ScriptedAnswerer s;
    std::vector<std::string> names;
    int selected = -2;
    s.Dialogs.push_back([&](Dialog& d) {
        for (int i = 0; i < d.listcount(103); ++i) names.push_back(d.listentry(103, i).text());
        selected = d.listselection(103);
        d.click(102);
        d.click(2);
    });
    window.command(106);
    EXPECT_EQ(s.AskedDialogs.back(), 117);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "PDF file") << "the built-in printer is always offered";
    EXPECT_EQ(names[static_cast<std::size_t>(selected)], defaultprintername().text());
    EXPECT_EQ(printcomment, 1) << "Cancel";
    EXPECT_STREQ(Printer.text(), "");
    EXPECT_EQ(s.PrinterDialogs, 0);

    s.Dialogs.push_back([&](Dialog& d) {
        d.pick(103, d.listcount(103) - 1);
        d.click(102);
        d.click(1);
    });
    window.command(106);
    EXPECT_STREQ(Printer.text(), "PDF file");
    EXPECT_EQ(printcomment, 0);
    EXPECT_EQ(s.PrinterDialogs, 1) << "then the printer's own settings";

    // A stored printer that is gone: the list starts at the first entry.
    Printer = "Gone since yesterday";
    s.Dialogs.push_back([&](Dialog& d) {
        selected = d.listselection(103);
        d.click(1);
    });
    window.command(106);
    EXPECT_EQ(selected, 0);
    EXPECT_STREQ(Printer.text(), names[0].c_str());
}

namespace {

// The pages of a PDF file as pictures of dpi dots per inch (through
// pdftoppm from poppler-utils).
std::vector<QImage> pages(const QString& pdf, int dpi) {
    QTemporaryDir d;
    int rc = QProcess::execute("pdftoppm",
                               {"-r", QString::number(dpi), "-png", pdf, d.path() + "/page"});
    EXPECT_EQ(rc, 0) << "pdftoppm must be installed";
    std::vector<QImage> v;
    for (const QString& f : QDir(d.path()).entryList({"*.png"}, QDir::Files, QDir::Name))
        v.emplace_back(d.path() + "/" + f);
    return v;
}

// The box around the pixels darker than light grey in rows [top, bottom).
QRect ink(const QImage& im, int top, int bottom) {
    QRect box;
    for (int y = std::max(top, 0); y < std::min(bottom, im.height()); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (qGray(im.pixel(x, y)) < 200) box |= QRect(x, y, 1, 1);
    return box;
}

// The page of the "PDF file" printer: its printable size in device pixels
// and where that lies on the paper.
struct Page {
    int W, H;
    QPoint offset;
    int dpi;
};
Page pdfpage() {
    QTemporaryDir d;
    PrinterPS p("probe", "PDF file");
    p.setoutput((d.path() + "/probe.pdf").toLocal8Bit().constData());
    p.start();
    Page g{p.width(), p.height(), {}, 300};
    g.offset = p.context()->pageLayout().paintRectPixels(g.dpi).topLeft();
    p.stop();
    return g;
}

struct Printing : Settings {
    void SetUp() override {
        Settings::SetUp();
        Printer = "PDF file";
        // Only the axes: they span the picture's width and height.
        grid = 1, grid1 = 0.0001, grid2 = 0.001;
        objects.comment() = "Hello world of geometry.";
    }
    void TearDown() override {
        objects.comment() = "";
        window.adjustsize();
        window.sized();
        Settings::TearDown();
    }
    // Prints with the drawing area w x h into a new PDF file.
    QString print(int w, int h) {
        window.setsize(w, h);
        QString file = Dir.path() + "/print.pdf";
        S.Files.push_back(file.toStdString());
        window.command(7203);
        return file;
    }
    QTemporaryDir Dir;
    ScriptedAnswerer S;
};

} // namespace

TEST(PageLayout, WideAndTallPictures) {
    PageLayout m = pagelayout(2000, 3000, 500, 300);
    EXPECT_EQ(m.d, 200);
    EXPECT_EQ(m.f, 1600);
    EXPECT_EQ(m.l, 960);
    EXPECT_EQ(m.cx, 1000);
    EXPECT_EQ(m.cy, 680);
    EXPECT_EQ(m.filling, 0);
    m = pagelayout(2000, 3000, 300, 600);
    EXPECT_EQ(m.l, 2600) << "page height less both margins";
    EXPECT_EQ(m.f, 1300);
    EXPECT_EQ(m.cx, 200 + 650) << "from the left margin";
    EXPECT_EQ(m.cy, 1500);
    EXPECT_EQ(m.filling, 1);
    m = pagelayout(2000, 2000, 1, 1);
    EXPECT_EQ(m.filling, 0) << "exactly as tall as the page allows";
    EXPECT_EQ(m.l, 1600);
    m = pagelayout(2000, 1999, 1, 1);
    EXPECT_EQ(m.filling, 1);
    EXPECT_EQ(m.l, 1599);
    EXPECT_EQ(m.f, 1599);
    m = pagelayout(999, 3000, 300, 299);
    EXPECT_EQ(m.d, 99);
    EXPECT_EQ(m.f, 801);
    EXPECT_EQ(m.l, 798) << "truncated";
    EXPECT_EQ(m.cy, 99 + 399);
}

TEST_F(Printing, WideWindowPrintsThePictureAndTheCommentBelow) {
    Page g = pdfpage();
    QString file = print(600, 300);
    ASSERT_EQ(S.AskedBoxes.size(), 1u);
    EXPECT_EQ(S.AskedBoxes[0].kind, Box::Question);
    EXPECT_EQ(S.AskedBoxes[0].text, "Really print on\nPDF file?");
    EXPECT_EQ(S.AskedBoxes[0].title, "Gyrel");
    ASSERT_EQ(S.AskedFiles.size(), 1u);
    EXPECT_EQ(S.AskedFiles[0].saving, 1);
    EXPECT_EQ(S.AskedFiles[0].pattern, "*.pdf");

    const int dpi = 100;
    std::vector<QImage> v = pages(file, dpi);
    ASSERT_EQ(v.size(), 1u) << "the comment fits under the picture";
    PageLayout m = pagelayout(g.W, g.H, 600, 300);
    EXPECT_EQ(m.filling, 0);
    auto at = [&](double devicepixels) { return static_cast<int>(devicepixels * dpi / g.dpi); };
    QRect picture(at(g.offset.x() + m.cx - m.f / 2), at(g.offset.y() + m.cy - m.l / 2), at(m.f),
                  at(m.l));
    int commenttop = at(g.offset.y() + m.l + 2 * m.d);
    QRect drawn = ink(v[0], 0, commenttop - at(m.d) / 2);
    EXPECT_NEAR(drawn.left(), picture.left(), 2);
    EXPECT_NEAR(drawn.right(), picture.right(), 2);
    EXPECT_NEAR(drawn.top(), picture.top(), 2);
    EXPECT_NEAR(drawn.bottom(), picture.bottom(), 2);
    EXPECT_NEAR(drawn.width(), v[0].width() * 8 / 10, v[0].width() / 20)
        << "four fifths of the page width";

    QRect text = ink(v[0], commenttop - at(m.d) / 2, v[0].height());
    ASSERT_FALSE(text.isEmpty()) << "the comment";
    EXPECT_GE(text.top(), commenttop);
    EXPECT_LT(text.top(), commenttop + at(m.f / fontsize));
    EXPECT_NEAR(text.left(), at(g.offset.x() + m.d), at(m.f / fontsize) / 2);
    EXPECT_LT(text.height(), at(m.f / fontsize) * 2) << "one line of text of the printer font";
}

TEST_F(Printing, TallWindowFillsThePageAndTheCommentGoesOn) {
    Page g = pdfpage();
    QString file = print(300, 600);
    const int dpi = 100;
    std::vector<QImage> v = pages(file, dpi);
    ASSERT_EQ(v.size(), 2u);
    PageLayout m = pagelayout(g.W, g.H, 300, 600);
    EXPECT_EQ(m.filling, 1);
    auto at = [&](double devicepixels) { return static_cast<int>(devicepixels * dpi / g.dpi); };
    QRect drawn = ink(v[0], 0, v[0].height());
    EXPECT_NEAR(drawn.left(), at(g.offset.x() + m.d), 2) << "at the left margin";
    EXPECT_NEAR(drawn.width(), at(m.f), 2);
    EXPECT_NEAR(drawn.top(), at(g.offset.y() + m.d), 2);
    EXPECT_NEAR(drawn.height(), at(m.l), 2);
    QRect text = ink(v[1], 0, v[1].height());
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.top(), at(g.offset.y() + m.d));
    EXPECT_LT(text.top(), at(g.offset.y() + m.d + m.f / fontsize));

    // A comment longer than a page goes on over as many pages as it needs.
    std::string many;
    for (int i = 0; i < 400; ++i) many += "Line " + std::to_string(i) + "\r\n";
    objects.comment() = many.c_str();
    v = pages(print(300, 600), 30);
    EXPECT_GE(v.size(), 4u);
    EXPECT_LE(v.size(), 12u);

    // Without "Print Comment", or with no comment, only the picture.
    printcomment = 0;
    EXPECT_EQ(pages(print(300, 600), 30).size(), 1u);
    printcomment = 1;
    objects.comment() = "";
    EXPECT_EQ(pages(print(300, 600), 30).size(), 1u) << "no empty page for an empty comment";
}

TEST_F(Printing, RefusalsPrintNothing) {
    QString file = Dir.path() + "/print.pdf";
    Printer = "A printer that is gone";
    window.command(7203);
    ASSERT_EQ(S.AskedBoxes.size(), 1u);
    EXPECT_EQ(S.AskedBoxes[0].kind, Box::Warning);
    EXPECT_EQ(S.AskedBoxes[0].text, "No Printer active!");
    EXPECT_EQ(S.AskedBoxes[0].title, "Gyrel");

    Printer = "PDF file";
    S.Answers = {IDNO};
    window.command(7203);
    EXPECT_TRUE(S.AskedFiles.empty()) << "No asks nothing more";
    window.command(7203); // the file chooser is cancelled
    EXPECT_EQ(S.AskedFiles.size(), 1u);
    EXPECT_FALSE(QFile::exists(file));

    // A folder that is not there: said so, nothing left behind.
    S.Files.push_back((Dir.path() + "/missing/print.pdf").toStdString());
    size_t before = S.AskedBoxes.size();
    window.command(7203);
    ASSERT_EQ(S.AskedBoxes.size(), before + 2);
    EXPECT_EQ(S.AskedBoxes.back().kind, Box::Warning);
    EXPECT_EQ(S.AskedBoxes.back().text.rfind("Could not open\n", 0), 0u)
        << S.AskedBoxes.back().text;

    // An old file is replaced once the new one is complete, and only the
    // file asked for is left in the folder.
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    print(500, 300);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"print.pdf"});

    // An empty Printer means the system's default printer.
    Printer = "";
    S.Files.push_back(file.toStdString());
    window.command(7203);
    EXPECT_STREQ(Printer.text(), defaultprintername().text());
}

TEST_F(Settings, ClipboardHoldsSvgAndAnImage) {
    new Point(1, 1);
    grid = 1;
    objects.redraw();
    window.command(107);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat("image/svg+xml"));
    ASSERT_TRUE(data->hasImage());
    QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(window.width(), window.height()));
    QSvgRenderer svg(data->data("image/svg+xml"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, window.width(), window.height()));
    QImage back(window.width(), window.height(), QImage::Format_RGB32);
    back.fill(Qt::white);
    QPainter painter(&back);
    svg.render(&painter);
    painter.end();
    // The picture of the window: the axes and the point's mark are there.
    auto dark = [](const QImage& im, int x, int y) { return qGray(im.pixel(x, y)) < 160; };
    int c = window.col(0), r = window.row(-2);
    EXPECT_TRUE(dark(back, c, r)) << "the vertical axis";
    EXPECT_TRUE(dark(image, c, r));
    int marks = 0;
    for (int dx = -4; dx <= 4; ++dx)
        for (int dy = -4; dy <= 4; ++dy)
            marks += dark(back, window.col(1) + dx, window.row(1) + dy);
    EXPECT_GT(marks, 4) << "the point, drawn with mark size 4";
    EXPECT_FALSE(dark(back, window.col(3) + 2, window.row(-1.5) + 2)) << "empty elsewhere";
}

TEST_F(Settings, BitmapFileHoldsThePictureInSixteenColours) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    Point* p = new Point(1, 1);
    p->setcolor(1);
    grid = 1;
    objects.redraw();
    std::string name = dir.path().toStdString() + "/picture";
    s.Files.push_back(name);
    window.command(108);
    ASSERT_EQ(s.AskedFiles.size(), 1u);
    EXPECT_EQ(s.AskedFiles[0].saving, 1);
    EXPECT_EQ(s.AskedFiles[0].title, "Save Bitmap");
    EXPECT_EQ(s.AskedFiles[0].pattern, "*.bmp");
    EXPECT_EQ(s.AskedFiles[0].extension, "bmp");
    QFile f(QString::fromStdString(name + ".bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the default extension is added";
    QByteArray b = f.readAll();
    ASSERT_GT(b.size(), 54);
    EXPECT_TRUE(b.startsWith("BM"));
    EXPECT_EQ(b[28], 4) << "4 bits a pixel";
    QImage im;
    ASSERT_TRUE(im.loadFromData(b, "BMP"));
    ASSERT_EQ(im.size(), QSize(bitmap->width(), bitmap->height()));
    // Every pixel is the nearest of the sixteen colours to the window's.
    int differ = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            Color c = bitmap->pixel(x, y);
            QRgb q = im.pixel(x, y);
            auto near = [](int u, int v) { return std::abs(u - v) <= 64; };
            differ +=
                !(near(c.red(), qRed(q)) && near(c.green(), qGreen(q)) && near(c.blue(), qBlue(q)));
        }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(qGray(im.pixel(window.col(0), window.row(-2))), 128) << "the grey axis";
    EXPECT_EQ(im.pixel(5, 5), qRgb(255, 255, 255));

    // A file that cannot be made is reported, and nothing is written.
    s.Files.push_back(dir.path().toStdString() + "/no/such/folder/x.bmp");
    window.command(108);
    ASSERT_EQ(s.AskedBoxes.size(), 1u);
    EXPECT_EQ(s.AskedBoxes[0].kind, Box::Warning);
    EXPECT_EQ(s.AskedBoxes[0].text.rfind("Could not open\n", 0), 0u) << s.AskedBoxes[0].text;
    EXPECT_FALSE(QDir(dir.path() + "/no").exists());
    // Cancel writes nothing.
    window.command(108);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"picture.bmp"});
}

TEST_F(Settings, SurviveARestart) {
    profile.remove();
    // Closing stores the placement, the printer and the sizes.
    fontsize = 33, msize = 120, anglesize = 15;
    window.Decimals = 5;
    Printer = "PDF file";
    int x, y, w, h;
    window.outer(x, y, w, h);
    ASSERT_EQ(window.close(), 1);
    EXPECT_EQ(profile.readint("fontsize", 0), 33);
    EXPECT_EQ(profile.readint("pointsize", 0), 120);
    EXPECT_EQ(profile.readint("anglesize", 0), 15);
    EXPECT_STREQ(profile.read("printer", ""), "PDF file");
    EXPECT_EQ(profile.readint("window-x", -1), x);
    EXPECT_EQ(profile.readint("window-y", -1), y);
    EXPECT_EQ(profile.readint("window-w", -1), w);
    EXPECT_EQ(profile.readint("window-h", -1), h);

    // They come back at the next start.
    fontsize = msize = anglesize = window.Decimals = 0;
    readsizes();
    EXPECT_EQ(fontsize, 33);
    EXPECT_EQ(msize, 120);
    EXPECT_EQ(anglesize, 15);
    EXPECT_EQ(window.Decimals, 5);
    window.Decimals = 2;
    profile.writeint("window-x", 70);
    profile.writeint("window-y", 60);
    profile.writeint("window-w", 640);
    profile.writeint("window-h", 480);
    readplacement();
    int x2, y2, w2, h2;
    window.outer(x2, y2, w2, h2);
    EXPECT_EQ(w2, 640);
    EXPECT_EQ(h2, 480);

    // Sizes the program never stores, and texts, give the defaults.
    profile.writeint("fontsize", 5);
    profile.write("pointsize", "big");
    profile.writeint("anglesize", 2000000);
    readsizes();
    EXPECT_EQ(fontsize, 40);
    EXPECT_EQ(msize, 150);
    EXPECT_EQ(anglesize, 20);
    window.outersize(w, h);
    window.place(x, y);
    profile.writeint("window-w", 0);
    profile.writeint("window-h", -10);
    profile.write("window-x", "left");
    readplacement();
    window.outer(x2, y2, w2, h2);
    EXPECT_EQ(w2, w) << "a size of nothing keeps the window as it is";
    EXPECT_EQ(h2, h);

    // A place off every screen (a screen that was unplugged) comes back onto
    // the primary screen.
    profile.writeint("window-x", 30000);
    profile.writeint("window-y", -20000);
    profile.writeint("window-w", 640);
    profile.writeint("window-h", 480);
    readplacement();
    window.outer(x2, y2, w2, h2);
    RECT screen = primaryscreen();
    EXPECT_TRUE(onscreen(x2, y2, w2, h2));
    EXPECT_GE(x2, screen.left);
    EXPECT_LT(x2, screen.right - 40);
    EXPECT_GE(y2, screen.top);
    EXPECT_FALSE(onscreen(30000, -20000, 640, 480));
    EXPECT_TRUE(onscreen(screen.left - 300, screen.top, 400, 300))
        << "partly on the screen is fine";
    window.outersize(w, h);
    window.place(x, y);

    // Cancel at the unsaved-changes question keeps everything.
    profile.remove();
    new Point(1, 1);
    objects.changed.set();
    ScriptedAnswerer s;
    s.Answers = {IDCANCEL};
    EXPECT_EQ(window.close(), 0);
    EXPECT_EQ(profile.readint("fontsize", -1), -1) << "nothing is written";
    profile.remove();
}

TEST_F(Settings, SmoothDrawingIsAStoredCheckItemAndBitmapsStaySharp) {
    ScriptedAnswerer s;
    QTemporaryDir dir;
    Point* a = new Point(-5, -2);
    Point* b = new Point(4, 3);
    new Segment(a, b);
    objects.redraw();
    // The sharp picture: black and white only.
    auto shades = [] {
        std::set<unsigned> seen;
        for (int y = 0; y < bitmap->height(); ++y)
            for (int x = 0; x < bitmap->width(); ++x) seen.insert(bitmap->pixel(x, y).C);
        return seen.size();
    };
    EXPECT_EQ(shades(), 2u);
    EXPECT_FALSE(menu.checked(SmoothCommand));
    std::string sharpfile = dir.path().toStdString() + "/sharp.bmp";
    s.Files.push_back(sharpfile);
    window.command(108);
    QImage sharp = bitmap->bitmaphandle()->copy();

    // Smooth: shades of grey along the slanted segment, in the same place.
    window.command(SmoothCommand);
    EXPECT_TRUE(window.Smooth);
    EXPECT_TRUE(menu.checked(SmoothCommand));
    EXPECT_GT(shades(), 4u);
    QImage smooth = bitmap->bitmaphandle()->copy();
    auto small = [](const QImage& im) {
        return im.scaled(im.width() / 5, im.height() / 5, Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
    };
    QImage s1 = small(sharp), s2 = small(smooth);
    int far = 0;
    for (int y = 0; y < s1.height(); ++y)
        for (int x = 0; x < s1.width(); ++x)
            far += std::abs(qGray(s1.pixel(x, y)) - qGray(s2.pixel(x, y))) > 64;
    EXPECT_LE(far, 2) << "the same objects in the same places";

    // Save as Bitmap keeps the sharp pixels.
    std::string smoothfile = dir.path().toStdString() + "/smooth.bmp";
    s.Files.push_back(smoothfile);
    window.command(108);
    QFile f1(QString::fromStdString(sharpfile)), f2(QString::fromStdString(smoothfile));
    ASSERT_TRUE(f1.open(QIODevice::ReadOnly) && f2.open(QIODevice::ReadOnly));
    EXPECT_EQ(f1.readAll(), f2.readAll());

    // The choice is stored, and comes back.
    writesizes();
    window.Smooth = 0;
    readsizes();
    EXPECT_TRUE(window.Smooth);
    window.command(SmoothCommand);
    writesizes();
    readsizes();
    EXPECT_FALSE(window.Smooth);
}

TEST_F(Settings, ANewUserGetsTheModernStyleAndAnOldSettingsFileKeepsClassic) {
    profile.remove();
    readsizes();
    EXPECT_EQ(window.Style, MainWindow::Modern) << "no settings file yet";
    // A file an earlier version wrote has the sizes and no style.
    profile.writeint("smooth", 1);
    readsizes();
    EXPECT_EQ(window.Style, MainWindow::Classic);
    // The choice is stored and comes back.
    window.Style = MainWindow::Modern;
    writesizes();
    window.Style = MainWindow::Classic;
    readsizes();
    EXPECT_EQ(window.Style, MainWindow::Modern);
    // The menu switches the window's picture, and nothing else.
    new Point(1, 1);
    const std::string before = construction();
    window.command(ClassicCommand);
    EXPECT_EQ(window.Style, MainWindow::Classic);
    EXPECT_FALSE(bitmap->modern());
    window.command(ModernCommand);
    EXPECT_TRUE(bitmap->modern());
    EXPECT_TRUE(bitmap->smooth()) << "the modern look is smooth";
    EXPECT_EQ(construction(), before) << "the construction is as it was";
    profile.remove();
    sharp();
}
