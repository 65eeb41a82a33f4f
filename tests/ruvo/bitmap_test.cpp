#include "program.h"
#include "surface.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Draws a picture in colours of the sixteen-colour table and some that are not.
void paint(BitmapPS& ps) {
    ps.bar(0, 0, ps.width(), ps.height(), Color(255, 255, 255));
    ps.bar(0, 0, 30, 20, Color(0, 0, 255));
    ps.bar(30, 0, 30, 20, Color(128, 0, 0));
    ps.bar(60, 0, 40, 20, Color(0, 128, 128));
    ps.color(Color(0, 0, 0));
    ps.move(0, 30);
    ps.lineto(100, 30);
    ps.circle(50, 35, 10, 1);
    ps.bar(0, 45, 10, 5, Color(250, 10, 5)); // near red
}

QString tempfile(QTemporaryDir& d, const char* name) {
    return d.filePath(name);
}

} // namespace

TEST(Bitmap, FourBitFileLayoutAndPixels) {
    TestWindow w(100, 50);
    BitmapPS ps(w, 100, 50);
    paint(ps);
    QTemporaryDir d;
    QString f = tempfile(d, "pic.bmp");
    ASSERT_EQ(ps.save(f.toLocal8Bit().constData(), 4), 1);
    EXPECT_EQ(QFileInfo(f).size(), 2718);

    QFile raw(f);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    QByteArray b = raw.readAll();
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    auto u32 = [&](int at) {
        return static_cast<unsigned>(static_cast<unsigned char>(b[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(b[at + 1])) << 8 |
               static_cast<unsigned>(static_cast<unsigned char>(b[at + 2])) << 16 |
               static_cast<unsigned>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    EXPECT_EQ(u32(2), 2718u);
    EXPECT_EQ(u32(10), 54u + 64);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 100u);
    EXPECT_EQ(u32(22), 50u);
    EXPECT_EQ(b[28], 4);

    QImage back(f, "BMP");
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), QSize(100, 50));
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(QColor(back.pixel(x, y)).rgb(), ps.bitmaphandle()->pixel(x, y))
                << x << "," << y;
    EXPECT_EQ(QColor(back.pixel(5, 47)), QColor(255, 0, 0)) << "mapped to the nearest colour";
}

TEST(Bitmap, OtherDepths) {
    TestWindow w(37, 11);
    BitmapPS ps(w, 37, 11);
    paint(ps);
    ps.bar(33, 8, 4, 3, Color(255, 255, 255));
    QTemporaryDir d;
    struct Depth {
        int bits;
        qint64 size;
    };
    for (Depth k : {Depth{1, 54 + 8 + 11 * 8}, Depth{8, 54 + 1024 + 11 * 40},
                    Depth{24, 54 + 11 * 112}, Depth{16, 54 + 11 * 76}, Depth{32, 54 + 11 * 148}}) {
        QString f = tempfile(d, "d.bmp");
        ASSERT_EQ(ps.save(f.toLocal8Bit().constData(), k.bits), 1);
        EXPECT_EQ(QFileInfo(f).size(), k.size) << k.bits;
        QImage back(f, "BMP");
        ASSERT_FALSE(back.isNull()) << k.bits;
        EXPECT_EQ(back.size(), QSize(37, 11));
        QColor blue = k.bits == 1    ? QColor(0, 0, 0)
                      : k.bits == 16 ? QColor(0, 0, 248)
                                     : QColor(0, 0, 255);
        EXPECT_EQ(QColor(back.pixel(5, 5)), blue) << k.bits;
        QColor dark = k.bits == 1 ? QColor(0, 0, 0) : QColor(128, 0, 0);
        EXPECT_EQ(QColor(back.pixel(31, 5)), dark) << k.bits;
        QColor white = k.bits == 16 ? QColor(248, 248, 248) : QColor(255, 255, 255);
        EXPECT_EQ(QColor(back.pixel(36, 10)), white) << k.bits;
    }
    EXPECT_EQ(ps.save(tempfile(d, "x.bmp").toLocal8Bit().constData(), 3), 0);
    EXPECT_FALSE(QFileInfo::exists(tempfile(d, "x.bmp")));
}

TEST(Bitmap, UnwritableFileWritesNothing) {
    TestWindow w(10, 10);
    BitmapPS ps(w, 10, 10);
    EXPECT_EQ(ps.save("/nonexistent-dir/x.bmp", 4), 0);
}

TEST(Bitmap, CopiesOntoOtherSurfacesAndWindows) {
    TestWindow w(20, 20);
    BitmapPS a(w, 20, 20), b(w, 40, 40);
    a.bar(0, 0, 20, 20, Color(0, 0, 255));
    b.bar(0, 0, 40, 40, Color(255, 255, 255));
    a.copy(b, 10, 5);
    EXPECT_EQ(b.pixel(10, 5), Color(0, 0, 255));
    EXPECT_EQ(b.pixel(29, 24), Color(0, 0, 255));
    EXPECT_EQ(b.pixel(30, 24), Color(255, 255, 255));
    EXPECT_EQ(b.pixel(9, 5), Color(255, 255, 255));

    MyBitmapPS m(w);
    EXPECT_EQ(m.width(), 20);
    EXPECT_EQ(m.invalid, 0);
}
