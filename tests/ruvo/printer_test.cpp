#include "printer.h"
#include "scripted.h"
#include "surface.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Printer, CatalogueAlwaysHasThePdfPrinter) {
    std::vector<String> names = printernames();
    ASSERT_FALSE(names.empty());
    EXPECT_STREQ(names.back().text(), "PDF file");
    String d = defaultprintername();
    EXPECT_FALSE(d.empty());
    String p;
    char* name = p.getprinter();
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, d.text());
    EXPECT_EQ(p.size(), 256);
}

TEST(Printer, UnknownPrinterIsNotResolved) {
    PrinterPS ps("Gyrel", "No such printer anywhere");
    EXPECT_EQ(ps.known(), 0);
    ps.start();
    EXPECT_EQ(ps.started(), 0);
    EXPECT_EQ(ps.handle(), nullptr);
    TestWindow w(10, 10);
    ScriptedAnswerer s;
    EXPECT_EQ(ps.devmode(w), 0);
    EXPECT_EQ(s.PrinterDialogs, 0);
}

TEST(Printer, PdfPrinterWritesPages) {
    QTemporaryDir d;
    QByteArray file = d.filePath("out.pdf").toLocal8Bit();
    {
        PrinterPS ps("Gyrel", "PDF file");
        ASSERT_EQ(ps.known(), 1);
        EXPECT_STREQ(ps.device().text(), "PDF file");
        ps.setoutput(file.constData());
        ps.start();
        ASSERT_EQ(ps.started(), 1);
        EXPECT_GT(ps.width(), 1000) << "page size in device pixels";
        EXPECT_GT(ps.height(), ps.width());
        ps.set(100, 100, 1000, 1000);
        ps.move(0, 0);
        ps.lineto(1000, 1000);
        ps.multiline("A comment that goes on.", 0, 0, 800, 800);
        ps.formfeed();
        ps.circle(500, 500, 300, 1);
        ps.stop();
        EXPECT_EQ(ps.started(), 0);
    }
    QFile f(QString::fromLocal8Bit(file));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
              2)
        << "two pages";
}

TEST(Printer, SettingsDialogGoesThroughTheAnswerer) {
    TestWindow w(10, 10);
    ScriptedAnswerer s;
    PrinterPS ps("Gyrel", "PDF file");
    EXPECT_EQ(ps.devmode(w), 1);
    EXPECT_EQ(ps.extdevmode(w), 1);
    EXPECT_EQ(s.PrinterDialogs, 2);
    EXPECT_NE(ps.context(), nullptr);
}
