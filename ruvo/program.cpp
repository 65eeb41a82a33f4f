#include "program.h"
#include "qtglue.h"
#include "standardwindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QSessionManager>

Program program;

namespace {

// The queue of window objects waiting for the program to start. Reached
// through a function so that objects made by static initialisation in any
// order find it, and never destroyed, so that they can leave it at exit.
WindowObjects& pending() {
    static auto* queue = new WindowObjects;
    return *queue;
}

} // namespace

WindowObject::WindowObject() {
    if (!program.started) pending().append(this);
}

WindowObject::~WindowObject() {
    pending().remove(this);
}

void WindowObject::ready() {
    if (program.started) create();
}

void WindowObjects::append(WindowObject* o) {
    o->Next = nullptr;
    if (Last)
        Last->Next = o;
    else
        First = o;
    Last = o;
}

void WindowObjects::remove(WindowObject* o) {
    WindowObject* before = nullptr;
    for (WindowObject* p = First; p; before = p, p = p->Next) {
        if (p != o) continue;
        (before ? before->Next : First) = p->Next;
        if (Last == p) Last = before;
        p->Next = nullptr;
        return;
    }
}

void WindowObjects::create() {
    // Objects leave the queue as they are created, in construction order.
    while (WindowObject* o = First) {
        remove(o);
        o->create();
    }
}

Program::Program() : Wos(&pending()) {}

Program::~Program() = default;

void Program::set(int instance, int previnstance, int show) {
    Instance = instance;
    PrevInstance = previnstance;
    Show = show;
    started = 1;
}

int Program::loop() {
    // Logging out asks the main window as its close button does: Cancel
    // keeps the session and the window; otherwise the program ends here, so
    // that its windows are not asked a second time.
    static bool watching = false;
    if (!watching) {
        watching = true;
        QObject::connect(qApp, &QGuiApplication::commitDataRequest, [this](QSessionManager& m) {
            if (!Main || !m.allowsInteraction()) return;
            int go = Main->close();
            m.release();
            if (go)
                quit(0);
            else
                m.cancel();
        });
    }
    running = 1;
    Param = QApplication::exec();
    running = 0;
    return Param;
}

void Program::quit(int code) {
    Param = code;
    QCoreApplication::exit(code);
}

const String& Program::filename() {
    QByteArray path = QCoreApplication::applicationFilePath().toLocal8Bit().left(255);
    Filename.copy(path.constData(), 256);
    return Filename;
}

WindowClass::WindowClass(const char* name, int icon, int style, int extra)
    : Name(name), Icon(icon), Style(style), Extra(extra) {
    ready();
}

void WindowClass::create() {
    if (Registered || program.PrevInstance) return;
    Registered = 1;
    if (!QGuiApplication::windowIcon().isNull()) return;
    QIcon icon(QString(":/icons/%1.svg").arg(Icon));
    if (!icon.isNull() && !icon.availableSizes().isEmpty()) QGuiApplication::setWindowIcon(icon);
}
