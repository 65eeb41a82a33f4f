// The kinds of dialog items: each puts its value into its control when the
// dialog opens and reads it back when the dialog closes.
#pragma once

#include "dialog.h"

#include <string>

class TextItem : public Dialogitem {
  public:
    TextItem(int id, Dialog& d, const char* s = "") : Dialogitem(id, d), S(s) {}
    void init() override { D->settext(Id, S); }
    void set(const char* s);
    String S;
};

class StringItem : public Dialogitem {
  public:
    StringItem(int id, Dialog& d, const char* s = "") : Dialogitem(id, d), S(s) {}
    void init() override;
    void exit() override { S = D->gettext(Id); }
    void set(const char* s);
    const char* text() const { return S.text(); }
    String S;
};

class MultilineItem : public Dialogitem {
  public:
    MultilineItem(int id, Dialog& d, const char* s = "", int size = 0)
        : Dialogitem(id, d), S(s), Size(size) {}
    void init() override;
    void exit() override { S = D->gettext(Id); }
    void set(const char* s);
    String S;
    int Size;
};

// A number field: its text is taken only when it is a number in the
// field's range ("." or "," before the decimals); OK refuses anything else.
class DoubleItem : public Dialogitem {
  public:
    DoubleItem(int id, Dialog& d, double x) : Dialogitem(id, d), X(x), S("", 64) {}
    void init() override;
    void exit() override;
    const char* refusal() override;
    // The numbers taken: from min (above it, when above is set) to max.
    void range(double min, double max, int above = 0);
    double X;
    String S;

  protected:
    // The number the field's text is; 0 when it is none in the range.
    int read(double& x) const;
    double Min = -1e300, Max = 1e300;
    int Above = 0;
    std::string Why;
};

class LongItem : public Dialogitem {
  public:
    LongItem(int id, Dialog& d, long n) : Dialogitem(id, d), N(n), S("", 64) {}
    void init() override;
    void exit() override;
    const char* refusal() override;
    void set(long n);
    // The whole numbers taken.
    void range(long min, long max);
    long N;
    String S;

  protected:
    long Min = -2147483647L, Max = 2147483647L;
    std::string Why;
};

class CheckItem : public Dialogitem {
  public:
    CheckItem(int id, Dialog& d, int f) : Dialogitem(id, d), F(f ? 1 : 0) {}
    void init() override;
    void exit() override { F = D->getcheck(Id); }
    int command(int code) override;
    void set(int f);
    int F;
};

class RadioItem;

class RadioCheckButton : public CheckItem {
  public:
    RadioCheckButton(int id, Dialog& d, int f, RadioItem& r, int i)
        : CheckItem(id, d, f), R(&r), I(i) {}
    void changed() override;
    RadioItem* R;
    int I;
};

class RadioItem {
  public:
    RadioItem(const int* ids, int n, int sel, Dialog& d);
    virtual ~RadioItem();
    RadioItem(const RadioItem&) = delete;
    RadioItem& operator=(const RadioItem&) = delete;
    virtual void changed() {}
    void select(int i);
    void set(int i) { select(i); }
    operator int() const { return Sel; }
    RadioCheckButton** R;
    int Sel;
    int N;
};

class ListItem : public Dialogitem {
  public:
    ListItem(int id, Dialog& d) : Dialogitem(id, d), S(""), T("") {}
    void exit() override;
    int command(int code) override;
    virtual int doubleclicked() { return 0; }
    int insert(const char* s) { return D->listinsert(Id, s); }
    void remove(int n) { D->listremove(Id, n); }
    void select(int n);
    const char* entry(int n);
    int N = -1;
    String S, T;
};

class MultilistItem : public Dialogitem {
  public:
    MultilistItem(int id, Dialog& d) : Dialogitem(id, d), T("") {}
    int insert(const char* s) { return D->listinsert(Id, s); }
    void remove(int n) { D->listremove(Id, n); }
    void select(int n) { D->listselect(Id, n); }
    void deselect(int n) { D->listdeselect(Id, n); }
    int selected(int n) const { return D->listselected(Id, n); }
    const char* entry(int n);
    String T;
};

class ComboItem : public Dialogitem {
  public:
    ComboItem(int id, Dialog& d) : Dialogitem(id, d), S(""), T("") {}
    void exit() override;
    int insert(const char* s) { return D->listinsert(Id, s); }
    void remove(int n) { D->listremove(Id, n); }
    void select(int n);
    const char* entry(int n);
    const char* text();
    int N = -1;
    String S, T;
};

class PrinterItem : public ListItem {
  public:
    PrinterItem(int id, Dialog& d, const char* printer) : ListItem(id, d), Printer(printer) {}
    void init() override;
    // The selected printer's own settings dialog; 1 when it was offered.
    int properties();
    String Printer;
};
