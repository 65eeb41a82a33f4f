#include "dialogitems.h"
#include "printer.h"

#include <cmath>
#include <cstdio>
#include <cstring>

void TextItem::set(const char* s) {
    S = s;
    if (D->isopen()) D->settext(Id, S);
}

void StringItem::init() {
    D->settext(Id, S);
    applystate();
}

void StringItem::set(const char* s) {
    S = s;
    if (D->isopen()) D->settext(Id, S);
}

void MultilineItem::init() {
    D->settext(Id, S);
    if (Size > 0) D->setlimit(Id, Size);
    applystate();
}

void MultilineItem::set(const char* s) {
    S = s;
    if (D->isopen()) D->settext(Id, S);
}

void DoubleItem::init() {
    char b[64];
    std::snprintf(b, sizeof b, "%-.10g", X);
    S = b;
    D->settext(Id, S);
    applystate();
}

void DoubleItem::exit() {
    S = D->gettext(Id);
    // Infinity and not-a-number are no values a user means: they are
    // refused like any other text that is no number.
    double x;
    if (std::sscanf(S.text(), "%lg", &x) == 1 && std::isfinite(x)) X = x;
}

void LongItem::init() {
    char b[64];
    std::snprintf(b, sizeof b, "%-ld", N);
    S = b;
    D->settext(Id, S);
    applystate();
}

void LongItem::exit() {
    S = D->gettext(Id);
    // A number followed by other text is read up to it; one too large is
    // refused like text that is no number.
    S.tolong(N);
}

void LongItem::set(long n) {
    N = n;
    if (D->isopen()) init();
}

void CheckItem::init() {
    D->setcheck(Id, F);
    applystate();
}

int CheckItem::command(int) {
    int f = D->getcheck(Id);
    if (f != F) {
        F = f;
        changed();
    }
    return 1;
}

void CheckItem::set(int f) {
    F = f ? 1 : 0;
    if (D->isopen()) D->setcheck(Id, F);
}

void RadioCheckButton::changed() {
    if (!F) return;
    if (R->Sel >= 0 && R->Sel < R->N && R->Sel != I) R->R[R->Sel]->set(0);
    R->Sel = I;
    R->changed();
}

RadioItem::RadioItem(const int* ids, int n, int sel, Dialog& d)
    : R(new RadioCheckButton*[static_cast<std::size_t>(n)]), Sel(sel >= 0 && sel < n ? sel : -1),
      N(n) {
    for (int i = 0; i < n; ++i) R[i] = new RadioCheckButton(ids[i], d, i == Sel, *this, i);
}

RadioItem::~RadioItem() {
    for (int i = 0; i < N; ++i) delete R[i];
    delete[] R;
}

void RadioItem::select(int i) {
    if (i < 0 || i >= N) return;
    if (Sel >= 0 && Sel < N) R[Sel]->set(0);
    Sel = i;
    R[i]->set(1);
}

void ListItem::exit() {
    N = D->listselection(Id);
    S = N >= 0 ? D->listentry(Id, N) : String("");
}

int ListItem::command(int code) {
    if (code == LBN_DBLCLK) return doubleclicked() ? 0 : 1;
    changed();
    return 1;
}

void ListItem::select(int n) {
    N = n;
    D->listselect(Id, n);
}

const char* ListItem::entry(int n) {
    T = D->listentry(Id, n);
    return T.text();
}

const char* MultilistItem::entry(int n) {
    T = D->listentry(Id, n);
    return T.text();
}

void ComboItem::exit() {
    N = D->listselection(Id);
    S = N >= 0 ? D->listentry(Id, N) : String("");
}

void ComboItem::select(int n) {
    N = n;
    D->listselect(Id, n);
}

const char* ComboItem::entry(int n) {
    T = D->listentry(Id, n);
    return T.text();
}

const char* ComboItem::text() {
    T = D->gettext(Id);
    return T.text();
}

void PrinterItem::init() {
    std::vector<String> names = printernames();
    String wanted = Printer.empty() ? defaultprintername() : Printer;
    int sel = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        insert(names[i]);
        if (std::strcmp(names[i].text(), wanted.text()) == 0) sel = static_cast<int>(i);
    }
    select(sel);
}

int PrinterItem::properties() {
    int n = D->listselection(Id);
    if (n < 0) return 0;
    PrinterPS p("", D->listentry(Id, n).text());
    return D->W ? p.devmode(*D->W) : 0;
}
