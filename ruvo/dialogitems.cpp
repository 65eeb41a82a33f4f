#include "dialogitems.h"
#include "printer.h"

#include <algorithm>
#include <charconv>
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

namespace {

// The text of a field without the blanks around it.
std::string trimmed(const char* s) {
    std::string t(s);
    std::size_t a = t.find_first_not_of(" \t"), b = t.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
}

// The whole of a text as a number: a "+" may stand before it, nothing
// after it; 0 when it is none.
template <class T> int whole(const std::string& t, T& x) {
    const char* p = t.c_str();
    if (*p == '+' && p[1] != '-') ++p;
    auto r = std::from_chars(p, t.c_str() + t.size(), x);
    return r.ec == std::errc() && r.ptr == t.c_str() + t.size();
}

// A number as "%g" shows it, with "." in every locale.
std::string shown(double x, int precision) {
    char b[64];
    auto r = std::to_chars(b, b + sizeof b, x, std::chars_format::general, precision);
    return std::string(b, r.ptr);
}

} // namespace

void DoubleItem::init() {
    S = shown(X, 10).c_str();
    D->settext(Id, S);
    applystate();
}

int DoubleItem::read(double& x) const {
    std::string t = trimmed(D->gettext(Id).text());
    // A decimal comma, as many keyboards have it, is a decimal point.
    if (t.find('.') == std::string::npos && std::count(t.begin(), t.end(), ',') == 1)
        t[t.find(',')] = '.';
    // Infinity and not-a-number are no values a user means.
    if (!whole(t, x) || !std::isfinite(x)) return 0;
    return (Above ? x > Min : x >= Min) && x <= Max;
}

void DoubleItem::exit() {
    S = D->gettext(Id);
    double x;
    if (read(x)) X = x;
}

const char* DoubleItem::refusal() {
    double x;
    if (read(x)) return nullptr;
    if (Min <= -1e300 && Max >= 1e300)
        Why = "Enter a number, such as 2.5.";
    else if (Max >= 1e300)
        Why = "Enter a number " + std::string(Above ? "greater than " : "from ") + shown(Min, 6) +
              (Above ? "." : " on.");
    else if (Above)
        Why =
            "Enter a number greater than " + shown(Min, 6) + " and at most " + shown(Max, 6) + ".";
    else
        Why = "Enter a number from " + shown(Min, 6) + " to " + shown(Max, 6) + ".";
    return Why.c_str();
}

void DoubleItem::range(double min, double max, int above) {
    Min = min, Max = max, Above = above;
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
    if (!refusal()) S.tolong(N);
}

const char* LongItem::refusal() {
    long n = 0;
    if (whole(trimmed(D->gettext(Id).text()), n) && n >= Min && n <= Max) return nullptr;
    Why = "Enter a whole number from " + std::to_string(Min) + " to " + std::to_string(Max) + ".";
    return Why.c_str();
}

void LongItem::range(long min, long max) {
    Min = min, Max = max;
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
