#include "textstrings.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

int String::defaultsize = 64;
const stringtable* progstrings = nullptr;

namespace {

char* newbuffer(int size) {
    char* p = new char[static_cast<std::size_t>(size) + 1];
    p[0] = 0;
    return p;
}

int textlength(const char* text) {
    return text ? static_cast<int>(std::strlen(text)) : 0;
}

const char* lookup(int id) {
    if (!progstrings) return "???";
    for (const stringtable* e = progstrings;; ++e) {
        if (e->i == id) return e->s;
        if (e->i == 0) return "???";
    }
}

} // namespace

String::String() : P(newbuffer(defaultsize)), Size(defaultsize) {}

String::String(const char* text) : String(text, 0) {}

String::String(const char* text, int size) {
    int l = textlength(text);
    Size = l > size ? l : size;
    P = newbuffer(Size);
    if (l) std::memcpy(P, text, static_cast<std::size_t>(l) + 1);
}

String::String(int id) : String(lookup(id)) {}

String::String(const String& s) : P(newbuffer(s.Size)), Size(s.Size) {
    std::strcpy(P, s.P);
}

String::String(String&& s) noexcept : P(newbuffer(defaultsize)), Size(defaultsize) {
    std::swap(P, s.P);
    std::swap(Size, s.Size);
}

String::~String() {
    delete[] P;
}

String& String::operator=(const char* text) {
    copy(text);
    return *this;
}

String& String::operator=(const String& s) {
    if (this != &s) copy(s.P);
    return *this;
}

String& String::operator=(String&& s) noexcept {
    std::swap(P, s.P);
    std::swap(Size, s.Size);
    return *this;
}

int String::length() const {
    return static_cast<int>(std::strlen(P));
}

void String::copy(const char* text, int size) {
    int l = textlength(text);
    int n = l > size ? l : size;
    char* p = newbuffer(n);
    if (l) std::memcpy(p, text, static_cast<std::size_t>(l) + 1);
    delete[] P;
    P = p;
    Size = n;
}

void String::copy(const char* text) {
    int l = textlength(text);
    if (text == P) return;
    if (l > Size) {
        // The text may point into our own buffer, so allocate before releasing.
        char* p = newbuffer(l);
        std::memcpy(p, text, static_cast<std::size_t>(l) + 1);
        delete[] P;
        P = p;
        Size = l;
        return;
    }
    std::memmove(P, text ? text : "", static_cast<std::size_t>(l) + 1);
}

void String::cat(const char* text) {
    int l = length();
    int t = textlength(text);
    if (l + t > Size) {
        char* p = newbuffer(l + t);
        std::memcpy(p, P, static_cast<std::size_t>(l));
        std::memcpy(p + l, text, static_cast<std::size_t>(t) + 1);
        delete[] P;
        P = p;
        Size = l + t;
        return;
    }
    std::memmove(P + l, text ? text : "", static_cast<std::size_t>(t) + 1);
}

char* String::filename() const {
    // Scan backwards; the first character is never taken as a separator.
    for (char* q = P + length() - 1; q > P; --q)
        if (*q == '\\' || *q == ':' || *q == '/') return q + 1;
    return P;
}

void String::stripfilename() {
    *filename() = 0;
}

char* String::extension() const {
    char* end = P + length();
    for (char* q = end - 1; q >= P; --q) {
        if (*q == '\\' || *q == '/' || *q == ':') break;
        if (*q == '.') return q;
    }
    return end;
}

void String::extension(const char* ext) {
    *extension() = 0;
    cat(ext);
}

int String::testextension(const char* ext) const {
    const char* a = extension();
    const char* b = ext ? ext : "";
    for (; *a && *b; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) !=
            std::toupper(static_cast<unsigned char>(*b)))
            return 0;
    return *a == 0 && *b == 0;
}

namespace {

// Reads a number at the start of p, after blanks and a plus sign, the same
// in every locale ("." is the decimal separator): 1 and v when the type can
// hold it, and whether nothing follows it in whole.
template <class T> int readnumber(const char* p, T& v, int& whole) {
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (*p == '+' && p[1] != '-') ++p;
    const char* end = p + std::strlen(p);
    auto r = std::from_chars(p, end, v);
    whole = r.ptr == end;
    return r.ec == std::errc();
}

} // namespace

int String::todouble(double& x) const {
    // Infinities and not-a-number are no numbers.
    double v;
    int whole;
    if (!readnumber(P, v, whole) || !std::isfinite(v)) return 0;
    x = v;
    return whole;
}

int String::tolong(long& x) const {
    long v;
    int whole;
    if (!readnumber(P, v, whole)) return 0;
    x = v;
    return whole;
}

int Strings::add(const char* text) {
    if (N >= Limit) return 0;
    if (static_cast<std::size_t>(N) == S.size()) {
        if (Slot > 0)
            S.emplace_back("", Slot);
        else
            S.emplace_back();
    }
    // The limit counts characters: a name of Greek letters is as long as
    // one of Latin ones.
    if (characters(text) + 1 > S[N].size()) return 0;
    S[N].copy(text);
    ++N;
    return 1;
}

char* stripnl(char* p) {
    std::size_t l = std::strlen(p);
    if (l > 0 && p[l - 1] == '\n') p[l - 1] = 0;
    return p;
}

int characters(const char* s) {
    int n = 0;
    for (; *s; ++s) n += !continues(*s);
    return n;
}

std::size_t characterbytes(const char* s, std::size_t n) {
    std::size_t b = 0;
    for (std::size_t c = 0; s[b]; ++b) {
        if (!continues(s[b]) && c++ == n) break;
    }
    return b;
}

String textwith(int id, const char* s) {
    std::string t(String(id).text());
    std::string::size_type at = t.find("%s");
    if (at != std::string::npos) t.replace(at, 2, s ? s : "");
    return String(t.c_str());
}
