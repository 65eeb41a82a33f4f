#include "program.h"
#include "qtglue.h"
#include "windowpeer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QResizeEvent>

Program program;

int Program::loop() {
    Param = QApplication::exec();
    return Param;
}

void Program::quit(int code) {
    QCoreApplication::exit(code);
}

const String& Program::filename() {
    Filename.copy(QCoreApplication::applicationFilePath().toLocal8Bit().left(255).constData(), 256);
    return Filename;
}

namespace {

class Frame : public QMainWindow {
  public:
    explicit Frame(StandardWindow* w) : W(w) {}

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (W->close())
            program.quit(0);
        else
            e->ignore();
    }

  private:
    StandardWindow* W;
};

class Area : public Canvas {
  public:
    Area(WindowPeer* p, StandardWindow* w, QWidget* parent) : Canvas(p, parent), W(w) {}

  protected:
    void resizeEvent(QResizeEvent* e) override {
        if (e->size().width() == 0 && e->size().height() == 0) return;
        W->setsize(e->size().width(), e->size().height());
        update();
        W->sized();
    }

  private:
    StandardWindow* W;
};

} // namespace

StandardWindow::StandardWindow(const char* title, int w, int h)
    : Title(title), Defaultw(w), Defaulth(h) {}

StandardWindow::~StandardWindow() {
    if (Handle) delete Handle->Top;
    delete Handle;
}

void StandardWindow::create() {
    if (Handle) return;
    Handle = new WindowPeer;
    Handle->W = this;
    Frame* f = new Frame(this);
    Handle->Top = f;
    Handle->Area = new Area(Handle, this, f);
    Handle->Redraw = [this](RedrawPS& ps) { redraw(ps); };
    f->setCentralWidget(Handle->Area);
    f->setWindowTitle(qstr(Title.text()));
    f->resize(Defaultw, Defaulth);
}

void StandardWindow::init() {
    create();
    Handle->Top->show();
}

void StandardWindow::settitle(const char* t) {
    Title = t;
    if (Handle) Handle->Top->setWindowTitle(qstr(t));
}
