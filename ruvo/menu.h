// Menus whose items send command numbers to plain handler functions, and the
// accelerator table that turns keys into command numbers.
#pragma once

#include "program.h"

class QMenu;
class StandardWindow;
struct MenuSpec;

using Handler = void (*)();

struct Menuentry {
    Menuentry* Next;
    int Id;
    Handler F;
};

class Menu : public WindowObject {
  public:
    explicit Menu(StandardWindow& w, const char* name = "Menu");
    ~Menu() override;
    void create() override;
    void init();

    void add(int id, Handler f);
    int call(int id);
    void append(int sub, int id, const char* s, Handler f);
    void remove(int sub, int id);
    // The same for a popup anywhere in the menu, named by its caption as in
    // the menu table ("&Recent Files").
    void append(const char* popup, int id, const char* s, Handler f);
    void remove(const char* popup, int id);
    void check(int id, int f);
    void enable(int id, int f);
    // Gives an item a new caption, written as in the menu table.
    void settext(int id, const char* caption);
    int command() const { return Command; }
    // The state of an item: checked, enabled, and its caption (empty when absent).
    int checked(int id) const;
    int enabled(int id) const;
    String caption(int sub, int index) const;
    int items(int sub) const;

    Menuentry* First = nullptr;
    StandardWindow* W;
    void* Handle = nullptr; // the toolkit menu bar
    int Attached = 0;       // the window's widgets own the menu bar
    int Command = 0;
    String Name;

  private:
    void drop(int id);
    // Puts an item into the popup m, or takes it out; nothing without one.
    void appendto(QMenu* m, int id, const char* s, Handler f);
    void removefrom(QMenu* m, int id);
};

// Keys that send commands. A Char entry acts on the typed character, a Key
// entry on the key (a VK_ code) with the modifiers (MOD_ bits).
struct Accel {
    enum Kind { Char, Key };
    Kind kind;
    int key;
    int modifiers;
    int id;
};

class Accelerators {
  public:
    Accelerators(const Accel* table, int n) : T(table), N(n) {}
    int findkey(int vk, int modifiers) const;
    int findchar(int c) const;
    int n() const { return N; }
    const Accel& operator[](int i) const { return T[i]; }

  private:
    const Accel* T;
    int N;
};
