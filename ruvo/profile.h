// The user's stored settings: named texts kept between runs in an INI file in
// the desktop's per-user configuration folder ($XDG_CONFIG_HOME, else
// ~/.config). Numbers are kept as their decimal texts. A setting that is
// missing or cannot be read gives the default asked for; a write that fails
// (a read-only folder, a full disk) is not reported and changes nothing.
#pragma once

#include "textstrings.h"

class Profile {
  public:
    // key names the program's settings; file names their file
    // (<config>/<file>/<file>.ini).
    explicit Profile(const char* key, const char* file = "gyrel");

    // The number stored as name; fallback when there is none, or when the text
    // stored is no whole decimal number in the range of the type.
    int readint(const char* name, int fallback);
    long readlong(const char* name, long fallback);
    double readdouble(const char* name, double fallback);
    void writeint(const char* name, int value);
    void writelong(const char* name, long value);
    void writedouble(const char* name, double value);
    // The text stored as name, else fallback; valid until the next read.
    const char* read(const char* name, const char* fallback);
    void write(const char* name, const char* text);
    // Forgets one setting, or every setting of the program.
    void remove(const char* name);
    void remove();

    // The settings file.
    String file() const;

    String A;      // the key path: "Software\" and the program's key
    String S;      // the full key path of the last setting read or written
    String Buffer; // the text read
    char buffer[64] = {};
    char def[64] = {};

  private:
    void path(const char* name); // S for the setting name
    // The text stored under A + "\" + name; 0 when there is none.
    int lookup(const char* name);
    void store(const char* name, const char* text);
    String File;
};
