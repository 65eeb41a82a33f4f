// Owned text (UTF-8 in a byte interface) with file-name and number helpers,
// the numbered UI texts of the application, and small text utilities for
// the file readers.
#pragma once

#include <cstddef>
#include <vector>

class String {
  public:
    static int defaultsize;

    String();
    String(const char* text);
    String(const char* text, int size);
    explicit String(int id);
    String(const String& s);
    String(String&& s) noexcept;
    ~String();

    String& operator=(const char* text);
    String& operator=(const String& s);
    String& operator=(String&& s) noexcept;

    char* text() const { return P; }
    int size() const { return Size; }
    operator char*() const { return P; }
    bool empty() const { return P[0] == 0; }
    int length() const;

    void copy(const char* text, int size);
    void copy(const char* text);
    void cat(const char* text);

    char* filename() const;
    void stripfilename();
    char* extension() const;
    void extension(const char* ext);
    int testextension(const char* ext) const;

    int todouble(double& x) const;
    int tolong(long& x) const;

    char* getprinter();

  private:
    char* P;  // buffer of Size + 1 bytes, always zero-terminated
    int Size; // capacity in characters, not counting the terminating zero
};

// One entry of a numbered UI text table; the table ends with id 0.
struct stringtable {
    int i;
    const char* s;
};

// The UI text table in use; null until the application sets it.
extern const stringtable* progstrings;

// Up to max texts of 63 characters (8 unless told).
class Strings {
  public:
    enum { Max = 8 };
    // Texts of up to 63 characters each, or of slot - 1 when slot is given.
    explicit Strings(int max = Max, int slot = 0) : Limit(max), Slot(slot) {}
    int add(const char* text);
    String& operator[](int i) { return S[static_cast<std::size_t>(i)]; }
    String& s(int i) { return S[static_cast<std::size_t>(i)]; }
    int n() const { return N; }
    void clear() { N = 0; }

  private:
    std::vector<String> S; // the slots, kept when cleared
    int N = 0;
    int Limit;
    int Slot;
};

char* stripnl(char* p);

// Whether a byte continues a UTF-8 character rather than starting one.
inline int continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
// The characters of a UTF-8 text: bytes that do not continue a character.
int characters(const char* s);
// How many bytes the first n characters of s take (all of s when shorter),
// so that a text cut there keeps every character whole.
std::size_t characterbytes(const char* s, std::size_t n);

// UI text id with its "%s" replaced by s.
String textwith(int id, const char* s);
