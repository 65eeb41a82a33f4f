#include "bitmapps.h"
#include "files.h"
#include "qtglue.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

BitmapPS::BitmapPS(Window& w) : BitmapPS(w, w.width(), w.height(), 32) {}

BitmapPS::BitmapPS(Window& w, int wd, int ht) : BitmapPS(w, wd, ht, 32) {}

BitmapPS::BitmapPS(Window& w, int wd, int ht, int bits) : BitmapPS(w, wd, ht, bits, 1.0) {}

BitmapPS::BitmapPS(Window& w, int wd, int ht, int bits, double ratio)
    : W(&w), BitmapHandle(new QImage(static_cast<int>(std::ceil(std::max(wd, 1) * ratio)),
                                     static_cast<int>(std::ceil(std::max(ht, 1) * ratio)),
                                     QImage::Format_RGB32)),
      Bits(bits) {
    BitmapHandle->setDevicePixelRatio(ratio);
    BitmapHandle->fill(Qt::white);
    begin(BitmapHandle, wd, ht);
}

BitmapPS::~BitmapPS() {
    end();
    delete BitmapHandle;
}

void BitmapPS::copy() {
    WindowPS ps(*W);
    copy(ps, 0, 0);
}

void BitmapPS::copy(PS& ps, int x, int y) {
    if (!ps.handle()) return;
    flush();
    if (BitmapHandle->devicePixelRatio() == 1.0)
        ps.handle()->drawImage(x, y, *BitmapHandle, 0, 0, Width, Height);
    else
        ps.handle()->drawImage(QRectF(x, y, Width, Height), *BitmapHandle);
}

void compose(BitmapPS& out, const BitmapPS& back, const BitmapPS& backids, const BitmapPS& front,
             const BitmapPS& frontids) {
    QImage* o = out.bitmaphandle();
    const QImage *b = back.bitmaphandle(), *bi = backids.bitmaphandle();
    const QImage *f = front.bitmaphandle(), *fi = frontids.bitmaphandle();
    int w = o->width(), h = o->height();
    for (const QImage* i : {b, bi, f, fi})
        if (i->width() != w || i->height() != h || i->depth() != 32) return;
    for (int y = 0; y < h; ++y) {
        auto* to = reinterpret_cast<QRgb*>(o->scanLine(y));
        auto* bk = reinterpret_cast<const QRgb*>(b->constScanLine(y));
        auto* bid = reinterpret_cast<const QRgb*>(bi->constScanLine(y));
        auto* fr = reinterpret_cast<const QRgb*>(f->constScanLine(y));
        auto* fid = reinterpret_cast<const QRgb*>(fi->constScanLine(y));
        for (int x = 0; x < w; ++x)
            to[x] = (fid[x] & 0xffffff) > (bid[x] & 0xffffff) ? fr[x] : bk[x];
    }
}

double BitmapPS::ratio() const {
    return BitmapHandle->devicePixelRatio();
}

Color BitmapPS::pixel(int x, int y) const {
    flush();
    double r = BitmapHandle->devicePixelRatio();
    int dx = static_cast<int>(x * r), dy = static_cast<int>(y * r);
    if (!BitmapHandle->valid(dx, dy)) return Color();
    return fromqcolor(QColor(BitmapHandle->pixel(dx, dy)));
}

namespace {

struct Rgb {
    int r, g, b;
};

// The colour tables written for 1, 4 and 8 bits: black and white; the sixteen
// standard colours; those sixteen, a 6 x 6 x 6 colour cube and 24 greys.
std::vector<Rgb> colortable(int nbits) {
    static const Rgb vga[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    std::vector<Rgb> t;
    if (nbits == 1) return {{0, 0, 0}, {255, 255, 255}};
    t.assign(vga, vga + 16);
    if (nbits == 4) return t;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) t.push_back({r * 51, g * 51, b * 51});
    for (int i = 0; i < 24; ++i) t.push_back({8 + i * 10, 8 + i * 10, 8 + i * 10});
    return t;
}

int nearest(const std::vector<Rgb>& t, QRgb c) {
    int best = 0;
    long bestd = -1;
    for (std::size_t i = 0; i < t.size(); ++i) {
        long dr = t[i].r - qRed(c), dg = t[i].g - qGreen(c), db = t[i].b - qBlue(c);
        long d = dr * dr + dg * dg + db * db;
        if (bestd < 0 || d < bestd) {
            bestd = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

void put16(std::string& v, unsigned n) {
    v.push_back(static_cast<char>(n & 255));
    v.push_back(static_cast<char>(n >> 8 & 255));
}

void put32(std::string& v, unsigned n) {
    put16(v, n & 0xFFFF);
    put16(v, n >> 16);
}

} // namespace

int BitmapPS::save(const char* filename, int nbits) {
    return write(filename, nbits) == Written;
}

WriteResult BitmapPS::write(const char* filename, int nbits) {
    if (nbits != 1 && nbits != 4 && nbits != 8 && nbits != 16 && nbits != 24 && nbits != 32)
        return NotWritten;
    int w = Width, h = Height;
    unsigned row = static_cast<unsigned>((nbits * w - 1) / 32 + 1) * 4;
    unsigned s = row * static_cast<unsigned>(h);
    std::vector<Rgb> table = nbits <= 8 ? colortable(nbits) : std::vector<Rgb>();
    unsigned c = static_cast<unsigned>(table.size()) * 4;
    if (nbits <= 8) c = 4u << nbits;

    std::string v;
    v.reserve(54 + c + s);
    v.push_back('B');
    v.push_back('M');
    put32(v, c + s + 54);
    put32(v, 0);
    put32(v, c + 54);
    put32(v, 40);
    put32(v, static_cast<unsigned>(w));
    put32(v, static_cast<unsigned>(h));
    put16(v, 1);
    put16(v, static_cast<unsigned>(nbits));
    for (int i = 0; i < 6; ++i) put32(v, 0);
    for (unsigned i = 0; i < c / 4; ++i) {
        Rgb e = i < table.size() ? table[i] : Rgb{0, 0, 0};
        v.push_back(static_cast<char>(e.b));
        v.push_back(static_cast<char>(e.g));
        v.push_back(static_cast<char>(e.r));
        v.push_back(0);
    }

    const QImage& im = *bitmaphandle();
    QRgb lastc = 0;
    int lasti = -1;
    for (int y = h - 1; y >= 0; --y) {
        std::size_t start = v.size();
        v.resize(start + row, 0);
        auto* out = reinterpret_cast<unsigned char*>(&v[start]);
        const QRgb* line = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb p = line[x];
            if (nbits <= 8) {
                if (lasti < 0 || p != lastc) {
                    lastc = p;
                    lasti = nearest(table, p);
                }
                int bit = x * nbits;
                int shift = 8 - nbits - bit % 8;
                out[bit / 8] |= static_cast<unsigned char>(lasti << shift);
            } else if (nbits == 16) {
                unsigned q = (qRed(p) >> 3) << 10 | (qGreen(p) >> 3) << 5 | qBlue(p) >> 3;
                out[2 * x] = q & 255;
                out[2 * x + 1] = q >> 8 & 255;
            } else {
                int k = nbits / 8;
                out[k * x] = static_cast<unsigned char>(qBlue(p));
                out[k * x + 1] = static_cast<unsigned char>(qGreen(p));
                out[k * x + 2] = static_cast<unsigned char>(qRed(p));
            }
        }
    }

    return writefile(filename, v);
}
