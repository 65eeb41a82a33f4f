#include "messages.h"
#include "answerer.h"
#include "printer.h"
#include "qtglue.h"
#include "windowpeer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <cstdio>

Answerer::~Answerer() = default;

namespace {

// Shows the real widgets.
class QtAnswerer : public Answerer {
  public:
    int messagebox(Box kind, const char* text, const char* title, Window* owner) override {
        QWidget* parent = owner && owner->handle() ? owner->handle()->Top : nullptr;
        QMessageBox box(parent);
        box.setWindowTitle(qstr(title));
        box.setText(qstr(text));
        box.setIcon(kind == Box::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
        switch (kind) {
        case Box::Warning:
        case Box::Message:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Box::Question:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case Box::QuestionAbort:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        }
        int r = box.exec();
        switch (r) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
        }
    }

    int printersetup(PrinterPS& printer, Window* owner) override {
        QWidget* parent = owner && owner->handle() ? owner->handle()->Top : nullptr;
        if (!printer.context()) return 0;
        QPrintDialog d(printer.context(), parent);
        d.exec();
        return 1;
    }
};

QtAnswerer realwidgets;
Answerer* installed = nullptr;

} // namespace

Answerer* Answerer::install(Answerer* a) {
    Answerer* old = installed;
    installed = a;
    return old;
}

Answerer& Answerer::current() {
    return installed ? *installed : realwidgets;
}

static int ask(Box kind, const char* text, const char* title, Window* w) {
    return Answerer::current().messagebox(kind, text ? text : "", title ? title : "", w);
}

int Warning(const char* text, const char* title) {
    return ask(Box::Warning, text, title, nullptr);
}
int Warning(Window& w, const char* text, const char* title) {
    return ask(Box::Warning, text, title, &w);
}
int Message(const char* text, const char* title) {
    return ask(Box::Message, text, title, nullptr);
}
int Message(Window& w, const char* text, const char* title) {
    return ask(Box::Message, text, title, &w);
}
int Question(const char* text, const char* title) {
    return ask(Box::Question, text, title, nullptr);
}
int Question(Window& w, const char* text, const char* title) {
    return ask(Box::Question, text, title, &w);
}
int QuestionAbort(const char* text, const char* title) {
    return ask(Box::QuestionAbort, text, title, nullptr);
}
int QuestionAbort(Window& w, const char* text, const char* title) {
    return ask(Box::QuestionAbort, text, title, &w);
}

void Beep(int, double) {
    QApplication::beep();
}

int Shift() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

int Control() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void dump(const char* s) {
    Message(s, "Dump");
}

void dumplong(long n) {
    char b[256];
    std::snprintf(b, sizeof b, "Hex %lX\nDecimal %ld", static_cast<unsigned long>(n), n);
    dump(b);
}
