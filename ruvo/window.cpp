#include "windowpeer.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

Window::~Window() = default;

void Window::capture(int on) {
    if (!Handle || !Handle->Area) return;
    if (on)
        Handle->Area->grabMouse();
    else
        Handle->Area->releaseMouse();
}

double Window::ratio() const {
    return Handle && Handle->Area ? Handle->Area->devicePixelRatioF() : 1.0;
}

QImage& WindowPeer::screen() {
    // The picture has the screen's device pixels; painters on it draw in
    // the drawing area's own pixels.
    int w = W->xoffset() + W->width(), h = W->yoffset() + W->height();
    double r = W->ratio();
    int dw = static_cast<int>(std::ceil(std::max(w, 1) * r));
    int dh = static_cast<int>(std::ceil(std::max(h, 1) * r));
    if (Screen.width() != dw || Screen.height() != dh || Screen.devicePixelRatio() != r) {
        QImage s(dw, dh, QImage::Format_RGB32);
        s.setDevicePixelRatio(r);
        s.fill(Qt::white);
        if (!Screen.isNull()) {
            QPainter p(&s);
            p.drawImage(QPointF(0, 0), Screen);
        }
        Screen = s;
    }
    return Screen;
}

Canvas::Canvas(WindowPeer* peer, QWidget* parent) : QWidget(parent), Peer(peer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void Canvas::paintEvent(QPaintEvent* e) {
    Window* w = Peer->W;
    if (Peer->Redraw) {
        QRect r = e->rect();
        RedrawPS ps(*w, r.x(), r.y(), r.width(), r.height());
        Peer->Redraw(ps);
    }
    QPainter p(this);
    const QImage& s = Peer->screen();
    double k = s.devicePixelRatio();
    p.drawImage(QRectF(0, 0, w->width(), w->height()), s,
                QRectF(w->xoffset() * k, w->yoffset() * k, w->width() * k, w->height() * k));
}

WindowPS::WindowPS(Window& w) : WindowPS(w, Paint{0, 0, w.width(), w.height()}, 1) {}

WindowPS::WindowPS(Window& w, const Paint& p, int repaint) : W(&w), Paint_(p), Repaint(repaint) {
    WindowPeer* peer = w.handle();
    begin(peer ? &peer->screen() : nullptr, w.width(), w.height());
    if (w.hasoffset()) set(w.xoffset(), w.yoffset(), w.width(), w.height());
}

WindowPS::~WindowPS() {
    end();
    WindowPeer* peer = W->handle();
    if (Repaint && peer && peer->Area) peer->Area->update();
}

RedrawPS::RedrawPS(Window& w, int x, int y, int width, int height)
    : WindowPS(w, Paint{x, y, width, height}, 0) {}
