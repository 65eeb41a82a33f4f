// The program's resources, kept as declarative tables in code: menus by name,
// dialogs by number, button images by number. The application defines them
// before it first uses them.
#pragma once

// One line of a menu description. A popup holds the lines up to its MenuEnd;
// a popup inside a popup is a sub-menu. Captions mark mnemonics with "&" and
// put a key hint after "\t".
struct MenuSpec {
    enum Kind { Popup, Item, Separator, End };
    Kind kind;
    const char* caption;
    int id;
};

// One control of a dialog. Controls are laid out in a grid of rows, each row
// left to right in table order; span widens a control over several columns,
// so fields of different rows line up. A group draws a titled box around the
// controls after it, up to its GroupEnd. Rows of buttons only sit at the
// bottom right.
struct ControlSpec {
    enum Kind {
        Static,    // a text; id -1 when the program never sets it
        Button,    // a push button
        Default,   // the push button that Enter presses
        Edit,      // one line of text
        MultiEdit, // several lines of text
        Check,     // a check box
        Radio,     // a radio button
        List,      // a list of texts, one selectable
        MultiList, // a list of texts, several selectable
        Combo,     // a drop-down list
        Group,     // a titled box around the controls up to GroupEnd
        GroupEnd,  // ends the box of the group before it
        Last
    };
    Kind kind;
    int id;
    const char* caption;
    int row;
    int span;
};

struct DialogSpec {
    int id;
    const char* caption;
    const ControlSpec* controls; // ended by a control of kind Last
};

void definemenu(const char* name, const MenuSpec* lines); // ended by an extra End
const MenuSpec* findmenu(const char* name);
void definedialog(const DialogSpec* d);
const DialogSpec* finddialog(int id);
// Button images as SVG texts, in button order.
void definebitmap(int id, const char* const* svgs, int n);
const char* const* findbitmap(int id, int& n);
