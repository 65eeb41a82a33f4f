#include "standardwindow.h"
#include "help.h"
#include "keys.h"
#include "menu.h"
#include "qtglue.h"
#include "windowpeer.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QCursor>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>
#include <QWheelEvent>
#include <cstring>
#include <set>

namespace {

const QEvent::Type UserMessage = static_cast<QEvent::Type>(QEvent::User + 24);

struct UserEvent : QEvent {
    UserEvent(int n, long p) : QEvent(UserMessage), N(n), P(p) {}
    int N;
    long P;
};

int virtualkey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return VK_OEM_MINUS;
    case Qt::Key_Comma:
        return VK_OEM_COMMA;
    case Qt::Key_Period:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return 0;
    }
}

int modifiers(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? MOD_SHIFT : 0) | (m & Qt::ControlModifier ? MOD_CONTROL : 0) |
           (m & Qt::AltModifier ? MOD_ALT : 0);
}

int sizestate(const QWidget* w) {
    return w->isMinimized() ? SIZE_MINIMIZED : w->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

int barheight(const QWidget* w) {
    return w && w->isVisibleTo(w->parentWidget()) ? w->height() : 0;
}

QSize innersize(const QWidget* frame, int w, int h, int least);

class Frame : public QMainWindow {
  public:
    explicit Frame(StandardWindow* w) : W(w) {}

    // An outer size asked for before the desktop has put its frame around
    // the window: the frame's size is known only then, and the size is
    // made right once it is.
    void outersize(int w, int h) {
        resize(innersize(this, w, h, 1));
        Pending = framed() ? QSize() : QSize(w, h);
    }

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (W->close()) {
            e->accept();
            program.quit(0);
        } else {
            e->ignore();
        }
    }
    void changeEvent(QEvent* e) override {
        QMainWindow::changeEvent(e);
        if (e->type() == QEvent::WindowStateChange) W->sizeevent(sizestate(this), -1, -1);
    }
    bool event(QEvent* e) override {
        if (Pending.isValid() && framed() &&
            (e->type() == QEvent::Move || e->type() == QEvent::Resize ||
             e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)) {
            QSize p = Pending;
            Pending = QSize();
            resize(innersize(this, p.width(), p.height(), 1));
        }
        if (e->type() == UserMessage) {
            auto* u = static_cast<UserEvent*>(e);
            W->user(u->N, u->P);
            return true;
        }
        return QMainWindow::event(e);
    }
    void timerEvent(QTimerEvent* e) override {
        auto t = W->handle()->Timers.find(e->timerId());
        if (t != W->handle()->Timers.end()) W->timer(t->second);
    }

  private:
    bool framed() const { return frameGeometry().size() != geometry().size(); }
    StandardWindow* W;
    QSize Pending;
};

// The drawing area: mouse, keys and size changes of the window.
class Area : public Canvas {
  public:
    Area(WindowPeer* p, StandardWindow* w, QWidget* parent) : Canvas(p, parent), W(w) {
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void resizeEvent(QResizeEvent* e) override {
        W->sizeevent(sizestate(window()), e->size().width(), e->size().height());
    }
    void mousePressEvent(QMouseEvent* e) override { mouse(e, 1); }
    void mouseReleaseEvent(QMouseEvent* e) override { mouse(e, 2); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mouse(e, 3); }
    void mouseMoveEvent(QMouseEvent* e) override { mouse(e, 0); }
    void keyPressEvent(QKeyEvent* e) override { keys(e, 1); }
    void keyReleaseEvent(QKeyEvent* e) override {
        if (!e->isAutoRepeat()) keys(e, 0);
    }
    bool focusNextPrevChild(bool) override { return false; } // Tab is a key like any other
    void wheelEvent(QWheelEvent* e) override {
        QPoint p = e->position().toPoint();
        // In notches of the wheel: 120 eighths of a degree each; up and
        // right are positive.
        QPoint a = e->angleDelta();
        W->wheel(p.x(), p.y(), -a.x() / 120.0, a.y() / 120.0, modifiers(e->modifiers()));
        e->accept();
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::NativeGesture) {
            auto* g = static_cast<QNativeGestureEvent*>(e);
            if (g->gestureType() == Qt::ZoomNativeGesture) {
                QPoint p = g->position().toPoint();
                W->pinch(p.x(), p.y(), 1 + g->value());
                return true;
            }
        }
        return Canvas::event(e);
    }

  private:
    void mouse(QMouseEvent* e, int kind) {
        int button = e->button() == Qt::LeftButton     ? 1
                     : e->button() == Qt::RightButton  ? 2
                     : e->button() == Qt::MiddleButton ? 3
                                                       : 0;
        if (kind && !button) return;
        QPoint p = e->position().toPoint();
        W->mouseevent(p.x(), p.y(), button, kind);
    }
    void keys(QKeyEvent* e, int down) {
        QString t = e->text();
        int c = t.size() == 1 ? t.at(0).toLatin1() : 0;
        W->keyevent(down, virtualkey(e->key()), static_cast<unsigned char>(c),
                    modifiers(e->modifiers()));
    }
    StandardWindow* W;
};

Qt::CursorShape shapeof(int type) {
    switch (type) {
    case 1:
        return Qt::IBeamCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::WaitCursor;
    case 4:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

Cursor::Cursor(const char* const* rows, int hotx, int hoty) {
    int h = 0, w = 0;
    while (rows[h]) w = std::max<int>(w, static_cast<int>(std::strlen(rows[h]))), ++h;
    QImage im(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32);
    im.fill(Qt::transparent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; rows[y][x]; ++x)
            if (rows[y][x] == '#')
                im.setPixel(x, y, qRgb(0, 0, 0));
            else if (rows[y][x] == '.')
                im.setPixel(x, y, qRgb(255, 255, 255));
    Handle = new QCursor(QPixmap::fromImage(im), hotx, hoty);
}

Cursor::Cursor(int shape) : Handle(new QCursor(shapeof(shape))) {}

Cursor::~Cursor() {
    delete static_cast<QCursor*>(Handle);
}

StandardWindow::StandardWindow(const char* title, int w, int h, const char* classname, int style)
    : Title(title), Style(style), Classname(classname), Defaultw(w), Defaulth(h) {
    ready();
}

namespace {

// The windows whose widgets exist. Never destroyed, so that windows made by
// static initialisation can still leave it at exit.
std::set<StandardWindow*>& live() {
    static auto* windows = new std::set<StandardWindow*>;
    return *windows;
}

} // namespace

void Program::end() {
    releasehelps();
    while (!live().empty()) (*live().begin())->release();
}

void StandardWindow::release() {
    live().erase(this);
    if (!Handle) return;
    Handle->Redraw = nullptr;
    delete Handle->Frame;
    delete Handle;
    Handle = nullptr;
}

StandardWindow::~StandardWindow() {
    if (program.running) {
        // The program is being ended from inside its loop (the desktop went
        // away): the toolkit is half torn down, so its widgets are left alone.
        live().erase(this);
        Handle = nullptr;
    }
    release();
    for (Cursor* c : Shapes) delete c;
    if (program.Main == this) program.Main = nullptr;
}

void StandardWindow::create() {
    if (Handle) return;
    Handle = new WindowPeer;
    Handle->W = this;
    live().insert(this);
    Frame* f = new Frame(this);
    Handle->Frame = f;
    Handle->Top = f;
    QWidget* centre = new QWidget(f);
    auto* grid = new QGridLayout(centre);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    Handle->Area = new Area(Handle, this, centre);
    grid->addWidget(Handle->Area, 0, 0);
    // The scroll bars report their actions with the scroll codes.
    auto bar = [this, centre](Qt::Orientation o, int flag) {
        auto* s = new QScrollBar(o, centre);
        s->setRange(0, 100);
        QObject::connect(s, &QAbstractSlider::actionTriggered, [this, s, flag](int action) {
            int code = action == QAbstractSlider::SliderSingleStepSub   ? SB_LINEUP
                       : action == QAbstractSlider::SliderSingleStepAdd ? SB_LINEDOWN
                       : action == QAbstractSlider::SliderPageStepSub   ? SB_PAGEUP
                       : action == QAbstractSlider::SliderPageStepAdd   ? SB_PAGEDOWN
                       : action == QAbstractSlider::SliderToMinimum     ? SB_TOP
                       : action == QAbstractSlider::SliderToMaximum     ? SB_BOTTOM
                                                                        : SB_THUMBTRACK;
            scroll(flag, code, s->sliderPosition());
        });
        return s;
    };
    if (Style & WS_VSCROLL) grid->addWidget(Handle->VScroll = bar(Qt::Vertical, WS_VSCROLL), 0, 1);
    if (Style & WS_HSCROLL)
        grid->addWidget(Handle->HScroll = bar(Qt::Horizontal, WS_HSCROLL), 1, 0);
    Handle->Redraw = [this](RedrawPS& ps) { redraw(ps); };
    f->setCentralWidget(centre);
    f->setWindowTitle(qstr(Title.text()));
    f->resize(Defaultw, Defaulth);
}

void StandardWindow::init() {
    create();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Handle->Frame->show();
    Handle->Area->repaint();
    QApplication::restoreOverrideCursor();
}

RECT& StandardWindow::client() {
    int sb = Handle ? barheight(Handle->Frame->statusBar()) : 0;
    Rect = RECT{0, 0, XOffset + Width, YOffset + Height + (Sb ? sb : 0)};
    return Rect;
}

void StandardWindow::destroy() {
    if (!Handle) return;
    Handle->Redraw = nullptr;
    Handle->Frame->hide();
    Handle->Frame->deleteLater();
    delete Handle;
    Handle = nullptr;
    live().erase(this);
    if (program.Main == this || !program.Main) program.quit(0);
}

void StandardWindow::settitle(const char* t) {
    Title = t;
    if (Handle) Handle->Frame->setWindowTitle(qstr(t));
}

void StandardWindow::invalidate() {
    if (Handle) Handle->Frame->update(), Handle->Area->update();
}

void StandardWindow::setcursor(int type) {
    if (type < 0 || type > 5) return;
    if (type == 5) {
        NewCursor = nullptr;
        if (Handle) {
            if (OldCursor)
                Handle->Area->setCursor(*static_cast<QCursor*>(OldCursor->Handle));
            else
                Handle->Area->unsetCursor();
        }
        return;
    }
    if (!Shapes[type]) Shapes[type] = new Cursor(type);
    setcursor(*Shapes[type]);
}

void StandardWindow::setcursor(Cursor& c) {
    OldCursor = NewCursor;
    NewCursor = &c;
    if (Handle) Handle->Area->setCursor(*static_cast<QCursor*>(c.Handle));
}

void StandardWindow::adjust(int& w, int& h) {
    if (!Handle) return;
    QMenuBar* mb = Handle->Frame->menuWidget() ? Handle->Frame->menuBar() : nullptr;
    h += mb && !mb->actions().isEmpty() ? mb->sizeHint().height() : 0;
    QRect inner = Handle->Frame->geometry(), outer = Handle->Frame->frameGeometry();
    w += outer.width() - inner.width();
    h += outer.height() - inner.height();
}

namespace {

// The widget size of a frame whose outer size, decorations included, is w x h.
QSize innersize(const QWidget* frame, int w, int h, int least) {
    QRect inner = frame->geometry(), outer = frame->frameGeometry();
    return QSize(std::max(least, w - (outer.width() - inner.width())),
                 std::max(least, h - (outer.height() - inner.height())));
}

} // namespace

void StandardWindow::clientmin(int w, int h) {
    adjust(w, h);
    Minwidth = w;
    Minheight = h;
    if (Handle) Handle->Frame->setMinimumSize(innersize(Handle->Frame, w, h, 0));
}

void StandardWindow::clientmax(int w, int h) {
    adjust(w, h);
    Maxwidth = w;
    Maxheight = h;
    if (Handle) Handle->Frame->setMaximumSize(innersize(Handle->Frame, w, h, 1));
}

void StandardWindow::clientsize(int w, int h) {
    if (!Handle) return;
    // The client area holds the drawing area and the bars; the menu bar lies
    // outside it.
    QMenuBar* mb = Handle->Frame->menuWidget() ? Handle->Frame->menuBar() : nullptr;
    int menu = mb && !mb->actions().isEmpty() ? mb->sizeHint().height() : 0;
    Handle->Frame->resize(w, h + menu);
}

void StandardWindow::place(int x, int y) {
    if (Handle) Handle->Frame->move(x, y);
}

void StandardWindow::outer(int& x, int& y, int& w, int& h) {
    if (!Handle) return;
    QRect r = Handle->Frame->frameGeometry();
    x = r.x();
    y = r.y();
    w = r.width();
    h = r.height();
}

void StandardWindow::outersize(int w, int h) {
    if (Handle) static_cast<Frame*>(Handle->Frame)->outersize(w, h);
}

RECT primaryscreen() {
    QScreen* s = QGuiApplication::primaryScreen();
    QRect r = s ? s->availableGeometry() : QRect(0, 0, 640, 480);
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

int onscreen(int x, int y, int w, int h) {
    // The title strip: a piece of it must lie on a screen.
    QRect top(x, y, std::max(w, 1), std::min(std::max(h, 1), 30));
    for (QScreen* s : QGuiApplication::screens()) {
        QRect seen = s->availableGeometry().intersected(top);
        if (seen.width() >= 40 && seen.height() >= 10) return 1;
    }
    return 0;
}

void StandardWindow::setscroll(int flag, int pos) {
    if (!Handle) return;
    QScrollBar* s = flag == WS_VSCROLL ? Handle->VScroll : Handle->HScroll;
    if (s) s->setValue(pos);
}

void StandardWindow::adjustsize() {
    if (!Handle) return;
    YOffset = Tb ? barheight(Handle->Frame->findChild<QToolBar*>()) : 0;
    XOffset = 0;
    Width = Handle->Area->width();
    Height = Handle->Area->height();
}

void StandardWindow::sizeevent(int state, int cw, int ch) {
    if (state != State) {
        State = state;
        statechanged(state);
    }
    if (state == SIZE_MINIMIZED || cw < 0) return;
    if (cw == 0 && ch == 0) return;
    int w = Width, h = Height;
    adjustsize();
    if (w != Width || h != Height) {
        if (Handle) Handle->Area->update();
        sized();
    }
}

void StandardWindow::mouseevent(int x, int y, int button, int kind) {
    static const int codes[4][4] = {
        {9, 9, 9, 9}, // moves
        {9, 1, 0, 2}, // left: down, up, double click
        {9, 4, 3, 5}, // right
        {9, 7, 6, 8}, // middle
    };
    int* down = button == 1 ? &B1down : button == 2 ? &B2down : &B3down;
    if (kind == 1) *down = 1;
    if (kind == 2) {
        if (!*down) return; // a release without its press in this window
        *down = 0;
    }
    clicked(x, y, codes[button][kind]);
}

void StandardWindow::keyevent(int down, int vk, int character, int mods) {
    if (!down) {
        key(5, 0, vk);
        return;
    }
    int accelerated = program.Main == this && program.Accel;
    if (accelerated && vk) {
        int id = program.Accel->findkey(vk, mods);
        if (id) {
            command(id);
            return;
        }
    }
    if (vk) key(6, 0, vk);
    if (!character || character == 127) return;
    if (accelerated) {
        int id = program.Accel->findchar(character);
        if (id) {
            command(id);
            return;
        }
    }
    key(10, character, 0);
}

int StandardWindow::command(int id) {
    return Windowmenu && Windowmenu->call(id);
}

void StandardWindow::usermessage(int n, long p) {
    if (Handle) QCoreApplication::postEvent(Handle->Frame, new UserEvent(n, p));
}

void StandardWindow::settimer(int n, int milliseconds) {
    if (!Handle) return;
    killtimer(n);
    Handle->Timers[Handle->Frame->startTimer(milliseconds)] = n;
}

void StandardWindow::killtimer(int n) {
    if (!Handle) return;
    for (auto t = Handle->Timers.begin(); t != Handle->Timers.end();)
        if (t->second == n) {
            Handle->Frame->killTimer(t->first);
            t = Handle->Timers.erase(t);
        } else {
            ++t;
        }
}
