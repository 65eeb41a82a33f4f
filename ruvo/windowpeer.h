// The Qt widgets behind a Window. Internal to ruvo.
#pragma once

#include "window.h"

#include <QImage>
#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <map>

class QScrollBar;

// The drawing area: shows the window's client picture at the drawing offset.
class Canvas : public QWidget {
  public:
    Canvas(WindowPeer* peer, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    WindowPeer* Peer;
};

struct WindowPeer {
    Window* W = nullptr;
    QWidget* Top = nullptr;                // the top-level widget
    Canvas* Area = nullptr;                // the drawing area widget
    QImage Screen;                         // the picture of the client area
    std::function<void(RedrawPS&)> Redraw; // answers a paint request
    QMainWindow* Frame = nullptr;          // the top-level widget of a StandardWindow
    QScrollBar* HScroll = nullptr;
    QScrollBar* VScroll = nullptr;
    std::map<int, int> Timers; // toolkit timer id -> timer number

    // Makes Screen cover the client area: drawing area plus offsets.
    QImage& screen();
};
