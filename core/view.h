// What the construction model needs of the main window: the view rectangle,
// the pixel size, whether hidden objects are shown, the status line, the grid
// and the owner of its dialogs. The application's main window provides it.
#pragma once

#include "flags.h"
#include "ps.h"

class Window;
class MyBitmapPS;
class Help;

class View {
  public:
    virtual ~View() = default;
    // The visible part of the construction and the length of one pixel.
    double X1 = -7, X2 = 7, Y1 = -7, Y2 = 7;
    double Pixel = 14.0 / 500;
    Flag showhidden;  // hidden objects are shown, in their light shade
    int Decimals = 2; // places after the point of the values of numbers
    Color Recent[16]; // the colours chosen last in property dialogs, newest first
    // Size of the drawing area in pixels.
    virtual int viewwidth() const { return 500; }
    virtual int viewheight() const { return 500; }
    // Shows a text in the status line.
    virtual void inform(const char*) {}
    // Draws grid and axes, when they are switched on.
    virtual void drawgrid(PS&) {}
    // The window that owns the model's dialogs, and their help.
    virtual Window* owner() { return nullptr; }
    virtual Help* help() { return nullptr; }
};

// The view in use: the main window once it is installed, else a plain view
// of [-7, 7] x [-7, 7] on 500 pixels.
View& view();
// Installs v (null: the plain view) and gives back the one before.
View* setview(View* v);

// Pixel column and row of construction coordinates on a surface, unrounded.
inline double colf(double x, const PS& ps) {
    const View& v = view();
    return (x - v.X1) / (v.X2 - v.X1) * ps.width();
}
inline double rowf(double y, const PS& ps) {
    const View& v = view();
    return (v.Y2 - y) / (v.Y2 - v.Y1) * ps.height();
}
// A pixel coordinate as an int, truncated toward zero. Coordinates beyond
// 1e8 pixels, and undefined ones, end up 1e8 pixels off the surface.
inline int topixel(double v) {
    return static_cast<int>(v > -1e8 ? (v < 1e8 ? v : 1e8) : (v == v ? -1e8 : 1e8));
}
// Pixel column and row of construction coordinates on a surface.
inline int col(double x, const PS& ps) {
    return topixel(colf(x, ps));
}
inline int row(double y, const PS& ps) {
    return topixel(rowf(y, ps));
}

// Settings the model draws and selects with.
extern int msize;     // mark size and selection tolerance divisor
extern int anglesize; // arc size divisor of new angles
extern Font* font;    // screen fonts, made by the main window
extern Font* symbolfont;
extern Font* pfont; // printer fonts, only while printing
extern Font* psymbolfont;
extern MyBitmapPS* bitmap; // the main window's picture of the construction
