// The desktop's file and colour choosers.
#pragma once

#include "ps.h"
#include "textstrings.h"

class Window;

// Pairs of description and pattern offered in a file chooser.
class Filters {
  public:
    void add(const char* description, const char* pattern);
    int n() const { return N; }
    const char* description(int i) const { return D[i].text(); }
    const char* pattern(int i) const { return P[i].text(); }
    // The type the user chose in the file chooser, -1 before a choice.
    int Chosen = -1;

  private:
    enum { Max = 32 };
    String D[Max], P[Max];
    int N = 0;
};

class FileSelector {
  public:
    FileSelector(Window* w, const char* filter, int saving, const char* title, const char* ext);
    FileSelector(Window* w, const char* filter, int saving, const char* title, const char* ext,
                 Filters* filters);
    // The chosen path, or an empty text after Cancel.
    const char* select(Window* owner = nullptr);

    int Freturn = 0;
    Window* W;
    String Filter;
    String Title;
    String File;
    String Ext;
    Filters* F;
    int Saving;

  private:
    String Empty;
};

class ColorSelector {
  public:
    explicit ColorSelector(Window* w, Color c = Color()) : W(w), C(c) {}
    Color select();
    Color Cust[16];
    Window* W;
    Color C;
    int R = 0; // 1 after a choice, 2 after Cancel
};
