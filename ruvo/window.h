// The base of windows and the surfaces that draw on a window's client area.
#pragma once

#include "ps.h"

struct WindowPeer; // the toolkit widgets behind a window

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    WindowPeer* handle() const { return Handle; }
    int width() const { return Width; }
    int height() const { return Height; }
    void size(int& w, int& h) const { w = Width, h = Height; }
    void getsize(int& w, int& h) const { size(w, h); }
    void setsize(int w, int h) { Width = w, Height = h; }
    int hasoffset() const { return XOffset > 0 || YOffset > 0; }
    int xoffset() const { return XOffset; }
    int yoffset() const { return YOffset; }
    void capture(int on = 1);
    // Device pixels a pixel of the drawing area has on its screen: 2 on a
    // screen of twice the density; 1 while the window has no widgets.
    double ratio() const;

  protected:
    WindowPeer* Handle = nullptr;
    int Width = 0, Height = 0;    // the drawing area
    int XOffset = 0, YOffset = 0; // its top-left corner inside the client area
};

// Draws on the window's client area; the window shows the result once the
// surface is gone.
class WindowPS : public PS {
  public:
    explicit WindowPS(Window& w);
    ~WindowPS() override;

  protected:
    struct Paint {
        int x, y, w, h;
    };
    WindowPS(Window& w, const Paint& p, int repaint);
    Window* W;
    Paint Paint_{0, 0, 0, 0};
    int Repaint; // show the drawing once done (not while answering a paint request)
};

// The surface of one paint request of a window; made by the window layer only.
class RedrawPS : public WindowPS {
  public:
    RedrawPS(Window& w, int x, int y, int width, int height);
    int paintx() const { return Paint_.x; }
    int painty() const { return Paint_.y; }
    int paintwidth() const { return Paint_.w; }
    int paintheight() const { return Paint_.h; }
};
