#include "metafile.h"
#include "surface.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void record(MetafilePS& m) {
    m.color(Color(0, 0, 255));
    m.move(10, 10);
    m.lineto(90, 10);
    m.circle(50, 50, 20, 1);
    Font f("DejaVu Sans", 14);
    m.font(f);
    m.textcolor(Color(255, 0, 0));
    m.text(5, 70, "Name", 0, 0);
}

// Pixels mostly of blue: the replay may smooth the edges.
int bluish(const PixelSet& s, const BitmapPS& ps) {
    int n = 0;
    for (auto [x, y] : s) n += ps.pixel(x, y).blue() > 150 && ps.pixel(x, y).red() < 120;
    return n;
}

} // namespace

TEST(Metafile, RecordsAndReplays) {
    MetafilePS m(100, 100);
    EXPECT_EQ(m.width(), 100);
    record(m);
    m.erase(); // a recording starts empty and is not wiped
    EXPECT_TRUE(m.metafilehandle().empty());
    m.close();
    ASSERT_FALSE(m.metafilehandle().empty());
    EXPECT_NE(m.metafilehandle().find("<svg"), std::string::npos);

    Surface s(100, 100);
    m.copy(s.ps);
    PixelSet drawn = ink(s.ps);
    EXPECT_GT(bluish(drawn, s.ps), 60) << "the line and the circle";
    bool linehit = false;
    for (int x = 20; x < 80; ++x) linehit |= s.ps.pixel(x, 10) != Color(255, 255, 255);
    EXPECT_TRUE(linehit);
    bool redtext = false;
    for (auto [x, y] : drawn)
        if (y >= 70 && y < 90) redtext |= s.ps.pixel(x, y).red() > 150;
    EXPECT_TRUE(redtext);

    // A copy of the recording plays the same, also after a round trip through a file.
    Metafile copy(m);
    EXPECT_EQ(copy.valid(), 1);
    Surface t(100, 100);
    copy.copy(t.ps);
    EXPECT_EQ(ink(t.ps), drawn);

    QTemporaryDir d;
    QByteArray file = d.filePath("pic.svg").toLocal8Bit();
    ASSERT_EQ(copy.save(file.constData()), 1);
    Metafile loaded(file.constData());
    ASSERT_EQ(loaded.valid(), 1);
    EXPECT_EQ(loaded.width(), 100);
    Surface u(100, 100);
    loaded.copy(u.ps);
    EXPECT_EQ(ink(u.ps), drawn);

    std::string taken = loaded.take();
    EXPECT_FALSE(taken.empty());
    EXPECT_EQ(loaded.valid(), 0);
    EXPECT_EQ(loaded.save(file.constData()), 0);
}

TEST(Metafile, BrokenFiles) {
    Metafile none("/nonexistent/x.svg");
    EXPECT_EQ(none.valid(), 0);
    QTemporaryDir d;
    QString f = d.filePath("bad.svg");
    QFile out(f);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("this is not a picture");
    out.close();
    Metafile bad(f.toLocal8Bit().constData());
    EXPECT_EQ(bad.valid(), 0);
    Surface s(20, 20);
    bad.copy(s.ps);
    EXPECT_TRUE(ink(s.ps).empty());
}

TEST(Metafile, APolylineIsOnePath) {
    MetafilePS m(100, 100);
    std::vector<double> xy;
    for (int i = 0; i <= 200; ++i) {
        xy.push_back(50 + 40 * std::cos(i * 0.0314159));
        xy.push_back(50 + 40 * std::sin(i * 0.0314159));
    }
    m.smooth(1);
    m.polyline(xy.data(), 201);
    m.close();
    const std::string svg = m.metafilehandle();
    EXPECT_EQ(svg.find("<polyline"), svg.rfind("<polyline")) << svg.substr(0, 2000);
    ASSERT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_EQ(svg.find("<line"), std::string::npos);
}
