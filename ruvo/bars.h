// The status bar at the bottom of a window and the tool bar at its top.
#pragma once

#include "textstrings.h"

class Window;
class StandardWindow;

class StatusBar {
  public:
    StatusBar(StandardWindow& w, int id);
    StatusBar(StandardWindow& w, int panes, double* f, int id);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    int setpanes();
    void settext(const char* s, int align = 0);
    void settext(int pane, const char* s, int align = 0, int style = 0);
    const String& text() const { return Text; }
    String text(int pane) const;
    int panes() const { return Panes; }

    StandardWindow* W;
    String Text;
    void* Handle; // the toolkit status bar
    int Panes;
    int Id;
    double* F;
};

struct Button {
    int image; // index of the image, -1 for a separator
    int command;
    int state; // enabled, pressed, checked bits
    int style; // Push, Check or Separator
    int data;
    int string;
    enum { Push = 0, Check = 2, Separator = 1 };
    enum { Enabled = 4, Checked = 1, Pressed = 2 };
};

class Buttons {
  public:
    enum { Max = 256 };
    void addbutton(int id, const char* tip = "");
    void addcheck(int id, const char* tip = "");
    void addseparator();
    const char* tip(int id) const;
    const char* tipnumber(int i) const;
    const Button* button(int i) const;
    const Button* buttons() const { return B; }
    int size() const { return N; }
    int nbuttons() const { return Nb; }

  private:
    void add(int id, const char* tip, int style);
    Button B[Max];
    String Tip[Max];
    int N = 0;
    int Nb = 0;
};

class ToolBar {
  public:
    ToolBar(StandardWindow& w, int bitmapid, Buttons& b, int id);
    ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    void press(int id);
    void release(int id);
    void check(int id);
    void uncheck(int id);
    int pressed(int id) const;
    int checked(int id) const;
    int height() const;
    // Presses button i (separators not counted) as the user would.
    void click(int i);

    void* Handle; // the toolkit tool bar
    int Id;
    StandardWindow* W;
    Buttons* B;
};
