// Modal message boxes and a few small services of the desktop.
#pragma once

class Window;
class Dialog;

enum { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

int Warning(const char* text, const char* title);
int Warning(Window& w, const char* text, const char* title);
int Message(const char* text, const char* title);
int Message(Window& w, const char* text, const char* title);
int Question(const char* text, const char* title);
int Question(Window& w, const char* text, const char* title);
int QuestionAbort(const char* text, const char* title);
int QuestionAbort(Window& w, const char* text, const char* title);
// A box over an open dialog, which stays open under it.
int Warning(Dialog& d, const char* text, const char* title);
int Message(Dialog& d, const char* text, const char* title);
int Question(Dialog& d, const char* text, const char* title);
int QuestionAbort(Dialog& d, const char* text, const char* title);

void Beep(int frequency, double seconds);
int Shift();
int Control();
void dump(const char* s);
void dumplong(long n);
inline void Dump(const char*) {}
