// An off-screen picture that can be shown in a window and saved as a BMP file.
#pragma once

#include "files.h"
#include "window.h"

class BitmapPS : public PS {
  public:
    explicit BitmapPS(Window& w);
    BitmapPS(Window& w, int wd, int ht);
    BitmapPS(Window& w, int wd, int ht, int bits);
    // A picture with ratio device pixels to each of its wd x ht pixels (for
    // a screen of higher density); it is drawn in its own pixels.
    BitmapPS(Window& w, int wd, int ht, int bits, double ratio);
    ~BitmapPS() override;

    void copy();
    void copy(PS& ps, int x, int y);
    // Writes the picture as a BMP file with nbits bits per pixel (1, 4, 8,
    // 16, 24 or 32); 1 when written, 0 when the file cannot be made.
    int save(const char* filename, int nbits);
    // The same, telling why a file was not written. The file is written
    // whole or not at all: an old file of that name stays when it fails.
    WriteResult write(const char* filename, int nbits);
    QImage* bitmaphandle() const {
        flush();
        return BitmapHandle;
    }
    Color pixel(int x, int y) const;
    int bits() const { return Bits; }
    Window& owner() const { return *W; }
    // Device pixels to each of the picture's pixels.
    double ratio() const;

  protected:
    Window* W;
    QImage* BitmapHandle;
    int Bits;
};

// Puts a picture together from two drawings of parts of it, as if all had
// been drawn in one go: each pixel comes from the part whose object painted
// it later, as their identity pictures (PS::identify) say. All five are of
// one size, one device pixel a pixel.
void compose(BitmapPS& out, const BitmapPS& back, const BitmapPS& backids, const BitmapPS& front,
             const BitmapPS& frontids);

// The main window's off-screen picture of the construction.
class MyBitmapPS : public BitmapPS {
  public:
    using BitmapPS::BitmapPS;
    int invalid = 0; // the picture must be redrawn before it is shown again
};
