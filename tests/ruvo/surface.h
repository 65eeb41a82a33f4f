// Helpers for pixel tests on an off-screen picture.
#pragma once

#include "bitmapps.h"

#include <QImage>

#include <set>
#include <utility>

// A window that never shows, so that pictures can be made for it.
class TestWindow : public Window {
  public:
    TestWindow(int w, int h) { setsize(w, h); }
};

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of ps that differ from white.
inline PixelSet ink(const BitmapPS& ps) {
    PixelSet s;
    for (int y = 0; y < ps.bitmaphandle()->height(); ++y)
        for (int x = 0; x < ps.bitmaphandle()->width(); ++x)
            if (ps.pixel(x, y) != Color(255, 255, 255)) s.insert({x, y});
    return s;
}

struct Extent {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
};

inline Extent bounds(const PixelSet& s) {
    Extent b;
    for (auto [x, y] : s) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
    }
    return b;
}

// A white picture with a black pen.
struct Surface {
    TestWindow W;
    BitmapPS ps;
    Surface(int w = 60, int h = 60) : W(w, h), ps(W, w, h) {
        ps.bar(0, 0, w, h, Color(255, 255, 255));
        ps.color(Color(0, 0, 0));
    }
    void clear() { ps.bar(0, 0, ps.width(), ps.height(), Color(255, 255, 255)); }
};
