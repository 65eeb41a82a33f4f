// The standard top-level window: a menu bar, a tool bar at the top, a status
// bar at the bottom and the drawing area between them. Window-system events
// reach it as calls of its virtual operations with small event codes.
#pragma once

#include "keys.h"
#include "program.h"
#include "window.h"

class Menu;
class StatusBar;
class ToolBar;

// A mouse cursor: drawn in code from rows of '#' (black), '.' (white) and
// blanks (transparent), with its hot spot.
class Cursor {
  public:
    Cursor(const char* const* rows, int hotx, int hoty);
    explicit Cursor(int shape); // one of the desktop's cursors, as setcursor(int)
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    void* Handle; // the toolkit cursor
};

// Sizes reported to statechanged.
enum { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };
// Window style bits that ask for scroll bars.
enum { WS_HSCROLL = 0x100000, WS_VSCROLL = 0x200000 };
// Scroll codes reported to scroll(flags, code, pos).
enum {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8
};

class StandardWindow : public Window, public WindowObject {
  public:
    StandardWindow(const char* title, int w, int h, const char* classname = "", int style = 0);
    ~StandardWindow() override;

    // Virtual events, in this order.
    void create() override;
    virtual void redraw(PS&) {}
    virtual void sized() {}
    virtual void statechanged(int) {}
    virtual void key(int, int, int) {}
    virtual void clicked(int, int, int) {}
    virtual int close() { return 1; }
    virtual void user(int, long) {}
    virtual void timer(int) {}
    virtual void scroll(int, int, int) {}
    // The mouse wheel at a pixel of the drawing area: dx, dy in notches
    // (positive: right, up), with the modifiers (MOD_ bits) held.
    virtual void wheel(int, int, double, double, int) {}
    // A pinch on a touchpad at a pixel: the view is to grow by factor.
    virtual void pinch(int, int, double) {}

    void init();
    RECT& client();
    void setmenu(Menu* m) { Windowmenu = m; }
    Menu* menu() const { return Windowmenu; }
    void destroy();
    // Gives back the window's widgets without ending the program.
    void release();
    void settitle(const char* t);
    // Asks for the whole window to be painted again.
    void invalidate();
    const String& title() const { return Title; }
    void setcursor(int type);
    void setcursor(Cursor& c);
    void adjust(int& w, int& h);
    void clientmin(int w, int h);
    void clientmax(int w, int h);
    void clientsize(int w, int h);
    void setscroll(int flag, int pos);
    void adjustsize();

    // Outer window placement on the screen.
    void place(int x, int y);
    void outer(int& x, int& y, int& w, int& h);
    void outersize(int w, int h);

    // A command number, as a menu item, accelerator or tool bar button sends
    // it: 1 when a handler took it.
    virtual int command(int id);
    // Posts user message n, delivered later as user(n, p).
    void usermessage(int n, long p);
    void settimer(int n, int milliseconds);
    void killtimer(int n);

    // Called by the toolkit glue with the window-system events.
    void sizeevent(int state, int cw, int ch);
    void mouseevent(int x, int y, int button, int kind);
    void keyevent(int down, int vk, int character, int modifiers);

    StatusBar* Sb = nullptr;
    ToolBar* Tb = nullptr;
    int State = SIZE_RESTORED;

  protected:
    RECT Rect{0, 0, 0, 0};
    Menu* Windowmenu = nullptr;
    String Title;
    int Style;
    StandardWindow* Parent = nullptr;
    Cursor* OldCursor = nullptr;
    Cursor* NewCursor = nullptr;
    int B1down = 0, B2down = 0, B3down = 0;
    int Minwidth = 0, Maxwidth = 0, Minheight = 0, Maxheight = 0;
    String Classname;
    int Defaultw, Defaulth;

  private:
    Cursor* Shapes[5] = {}; // the desktop's cursors, made when first chosen
};

// The part of the primary screen that windows may cover.
RECT primaryscreen();
// Whether a window at (x, y) of w x h shows enough of its top on some screen
// to be grabbed there.
int onscreen(int x, int y, int w, int h);

// Modifier bits given to keyevent.
enum { MOD_SHIFT = 1, MOD_CONTROL = 2, MOD_ALT = 4 };
