#include "qtglue.h"
#include "surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cstring>
#include <gtest/gtest.h>

namespace {

struct TextSurface : Surface {
    Font f{"DejaVu Sans", 15};
    TextSurface() : Surface(200, 200) {
        ps.font(f);
        ps.textcolor(Color(0, 0, 0));
    }
};

// The picture shifted by (dx, dy); what leaves it is lost.
PixelSet shifted(const PixelSet& s, int dx, int dy) {
    PixelSet r;
    for (auto [x, y] : s) r.insert({x + dx, y + dy});
    return r;
}

} // namespace

TEST(Text, FontsAreSizedByTheirCell) {
    for (int h : {8, 12, 15, 20, 40}) {
        Font f("DejaVu Sans", h);
        int cell = QFontMetrics(*f.Handle).height();
        EXPECT_LE(cell, h);
        EXPECT_GE(cell, h - 2);
    }
    Font courier("Courier New", 16);
    EXPECT_EQ(courier.symbol(), 0);
    Font symbol("Symbol", 16);
    EXPECT_EQ(symbol.symbol(), 1);
    LogFont lf;
    lf.Height = 12;
    lf.CharSet = Font::SymbolCharset;
    std::strcpy(lf.FaceName, "DejaVu Sans");
    EXPECT_EQ(Font(lf).symbol(), 1);
}

TEST(Text, VerticalAlignment) {
    TextSurface s;
    int w, h;
    s.ps.textextent("Ty", w, h);
    EXPECT_EQ(h, s.ps.textheight());
    EXPECT_GT(w, 0);

    s.ps.text(20, 100, "Ty", 0, 0);
    PixelSet top = ink(s.ps);
    Extent b = bounds(top);
    EXPECT_GE(b.top, 100);
    EXPECT_LT(b.bottom, 100 + h);
    EXPECT_GE(b.left, 20);

    s.clear();
    s.ps.text(20, 100, "Ty", 0, 4);
    EXPECT_EQ(ink(s.ps), shifted(top, 0, -h)) << "bottom edge at y";

    s.clear();
    s.ps.text(20, 100, "Ty", 0, 5);
    EXPECT_EQ(ink(s.ps), shifted(top, 0, h / 2 - h)) << "bottom edge at y + h/2";

    s.clear();
    s.ps.text(20 + w, 100, "Ty", 2, 0);
    EXPECT_EQ(ink(s.ps), top) << "right edge at x";
    s.clear();
    s.ps.text(20 + w / 2, 100, "Ty", 1, 0);
    EXPECT_EQ(ink(s.ps), top) << "centred on x";

    RECT r{0, 0, 2 * w + 40, 2 * h + 200};
    s.clear();
    s.ps.ctext(&r, "Ty");
    EXPECT_EQ(ink(s.ps), shifted(top, (r.right - w) / 2 - 20, (r.bottom - h) / 2 - 100));
}

TEST(Text, CurrentPositionMode) {
    TextSurface s;
    int wa, wb, h;
    s.ps.textextent("Ab", wa, h);
    s.ps.textextent("Cd", wb, h);
    s.ps.alignment(0, 3, 0);
    s.ps.move(10, 50);
    s.ps.text(0, 0, "Ab");
    s.ps.text(0, 0, "Cd");
    EXPECT_EQ(s.ps.x(), 10 + wa + wb);
    PixelSet two = ink(s.ps);

    s.clear();
    s.ps.alignment(0, 0, 1);
    s.ps.text(10, 50, "Ab");
    s.ps.text(10 + wa, 50, "Cd");
    EXPECT_EQ(ink(s.ps), two);
    EXPECT_FALSE(two.empty());

    s.clear();
    s.ps.alignment(0, 4, 1);
    s.ps.text(10, 50 + h, "Ab");
    s.ps.text(10 + wa, 50 + h, "Cd");
    EXPECT_EQ(ink(s.ps), two);
}

TEST(Text, WordWrap) {
    TextSurface s;
    int aaa = s.ps.textwidth("aaa", 3);
    const char* t = "aaa bbb";
    const char* next = s.ps.oneline(t, 5, 5, aaa + 2, 100);
    EXPECT_EQ(next, t + 4);
    PixelSet line = ink(s.ps);
    s.clear();
    s.ps.text(5, 5, "aaa", 0, 0);
    EXPECT_EQ(ink(s.ps), line) << "only aaa was drawn";

    s.clear();
    const char* word = "overflowing";
    EXPECT_EQ(s.ps.oneline(word, 5, 5, 3, 100), word + std::strlen(word));
    EXPECT_GT(bounds(ink(s.ps)).right, 20) << "a first word wider than the box is drawn whole";

    const char* crlf = "one\r\ntwo";
    EXPECT_EQ(s.ps.oneline(crlf, 5, 5, 500, 100), crlf + 5);
    const char* lf = "one\ntwo";
    EXPECT_EQ(s.ps.oneline(lf, 5, 5, 500, 100), lf + 4);
    const char* cr = "one\r";
    EXPECT_EQ(s.ps.oneline(cr, 5, 5, 500, 100), cr + 4) << "never past the end";
    const char* fits = "aaa bbb ccc";
    EXPECT_EQ(s.ps.oneline(fits, 5, 5, 500, 100), fits + std::strlen(fits));

    // A box lower than a line takes nothing.
    s.clear();
    int l = s.ps.textheight("Ty", 2);
    const char* text = "aaa bbb ccc";
    EXPECT_EQ(s.ps.multiline(text, 0, 0, 500, l - 1), text);
    EXPECT_TRUE(ink(s.ps).empty());

    // Two lines fit, the third is returned.
    int two = l + l * 9 / 8 + 1;
    const char* rest = s.ps.multiline(text, 0, 0, aaa + 2, two);
    EXPECT_STREQ(rest, "ccc");
    Extent b = bounds(ink(s.ps));
    EXPECT_GE(b.top, 1);
    EXPECT_LT(b.bottom, 1 + l * 9 / 8 + l);

    EXPECT_STREQ(s.ps.multiline("  x  ", 0, 0, 500, 500), "");
}

TEST(Text, Diameter) {
    TextSurface s;
    int w, h;
    s.ps.textextent("Name", w, h);
    EXPECT_DOUBLE_EQ(s.ps.textdiameter("Name", 1, 0), w);
    EXPECT_DOUBLE_EQ(s.ps.textdiameter("Name", 0, 2), 2.0 * h / 4);
    EXPECT_DOUBLE_EQ(s.ps.textdiameter("Name", 3, -4), (3.0 * w + 4.0 * h) / 25);
    EXPECT_EQ(s.ps.textdiameter("Name", 0, 0), 0) << "no direction, no distance";
}

TEST(Text, SymbolFontShowsGreekLetters) {
    EXPECT_EQ(symbolchar('a'), U'\u03B1');
    EXPECT_EQ(symbolchar('b'), U'\u03B2');
    EXPECT_EQ(symbolchar('c'), U'\u03C7');
    EXPECT_EQ(symbolchar('j'), U'\u03D5');
    EXPECT_EQ(symbolchar('q'), U'\u03B8');
    EXPECT_EQ(symbolchar('w'), U'\u03C9');
    EXPECT_EQ(symbolchar('z'), U'\u03B6');
    EXPECT_EQ(symbolchar('D'), U'\u0394');
    EXPECT_EQ(symbolchar('W'), U'\u03A9');
    EXPECT_EQ(symbolchar('1'), U'1');
    EXPECT_EQ(symbolchar(0xB0), U'\u00B0');

    TextSurface s;
    Font symbol("Symbol", 30);
    s.ps.font(symbol);
    s.ps.text(10, 10, "a", 0, 0);
    PixelSet alpha = ink(s.ps);
    EXPECT_FALSE(alpha.empty());

    // The same glyph as the Unicode alpha drawn in that font.
    QImage im(200, 200, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    p.setFont(*symbol.Handle);
    p.setPen(Qt::black);
    p.drawText(10, 10 + p.fontMetrics().ascent(), QString(QChar(0x03B1)));
    p.end();
    PixelSet expected;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (im.pixel(x, y) != qRgb(255, 255, 255)) expected.insert({x, y});
    EXPECT_EQ(alpha, expected);

    // Back in the normal font a is a Latin letter.
    s.clear();
    s.ps.font(s.f);
    s.ps.text(10, 10, "a", 0, 0);
    EXPECT_NE(ink(s.ps), alpha);
}
