#include "messages.h"
#include "answerer.h"
#include "qtglue.h"

#include <QApplication>
#include <cstdio>

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

static int ask(Box kind, const char* text, const char* title, Dialog& d) {
    return Answerer::current().messagebox(kind, text ? text : "", title ? title : "", d);
}

int Warning(Dialog& d, const char* text, const char* title) {
    return ask(Box::Warning, text, title, d);
}
int Message(Dialog& d, const char* text, const char* title) {
    return ask(Box::Message, text, title, d);
}
int Question(Dialog& d, const char* text, const char* title) {
    return ask(Box::Question, text, title, d);
}
int QuestionAbort(Dialog& d, const char* text, const char* title) {
    return ask(Box::QuestionAbort, text, title, d);
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
