#include "windowpeer.h"

#include <QPaintEvent>
#include <QPainter>

Window::~Window() = default;

void Window::capture(int on) {
    if (!Handle || !Handle->Area) return;
    if (on)
        Handle->Area->grabMouse();
    else
        Handle->Area->releaseMouse();
}

QImage& WindowPeer::screen() {
    int w = W->xoffset() + W->width(), h = W->yoffset() + W->height();
    if (Screen.width() != w || Screen.height() != h) {
        QImage s(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
        s.fill(Qt::white);
        if (!Screen.isNull()) {
            QPainter p(&s);
            p.drawImage(0, 0, Screen);
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
    p.drawImage(0, 0, Peer->screen(), w->xoffset(), w->yoffset(), w->width(), w->height());
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
