// Modal dialogs built from the dialog tables (resources.h), driven by a Dialog
// and one Dialogitem per control whose value the program sets or reads. A
// caller builds the dialog and its items with the current values, runs it,
// and takes the items' values back when it ended with OK (Result 1).
#pragma once

#include "program.h"

class Window;
class Help;
class Dialog;
struct DialogPeer;

// Notification codes given to Dialogitem::command.
enum { BN_CLICKED = 0, LBN_SELCHANGE = 1, LBN_DBLCLK = 2, CBN_SELCHANGE = 1, EN_CHANGE = 0x300 };

class Dialogitem {
  public:
    Dialogitem(int id, Dialog& d);
    virtual ~Dialogitem();
    Dialogitem(const Dialogitem&) = delete;
    Dialogitem& operator=(const Dialogitem&) = delete;
    virtual void init() {}
    virtual void exit() {}
    // A notification from the control: non-zero keeps the dialog open.
    virtual int command(int code);
    virtual void changed() {}
    // Why the control's text cannot be taken, in one line that says what
    // can ("Enter a number from 1 to 20000."); null when it can. OK keeps
    // the dialog open while an item refuses.
    virtual const char* refusal() { return nullptr; }
    void setreadonly();

    Dialogitem* Next = nullptr;
    Dialog* D;
    int Id;
    int Readonly = 0;
    int Disabled = 0;

  protected:
    void applystate(); // read-only and disabled flags onto the control
};

class Dialog : public WindowObject {
  public:
    Dialog(Window* w, int id, Help* helper = nullptr, int page = 0);
    ~Dialog() override;
    // Opens the dialog without waiting for it.
    void create() override;
    // Runs the dialog until it closes; 1 when it ran, else the answer of the
    // warning that it could not be made.
    int carryout();
    int result() const { return Result; }
    void entry(Dialogitem* item);
    void unlink(Dialogitem* item);
    int isopen() const;

    // The controls, as items and answerers see them.
    void settext(int id, const char* s);
    String gettext(int id) const;
    void setlimit(int id, int n);
    // Offers the Greek letters in a text field: a button at its end opens
    // them, and the chosen one is typed where the cursor stands.
    void offerletters(int id);
    void setcheck(int id, int f);
    int getcheck(int id) const;
    void enable(int id, int f);
    void setreadonly(int id, int f);
    void focus(int id);
    int listinsert(int id, const char* s);
    void listremove(int id, int n);
    void listselect(int id, int n);
    void listdeselect(int id, int n);
    int listselected(int id, int n) const;
    int listselection(int id) const;
    int listcount(int id) const;
    String listentry(int id, int n) const;
    int hascontrol(int id) const;
    String caption() const;

    // What a user does: types into an edit control, clicks a control, picks a
    // list entry, double-clicks one.
    void type(int id, const char* s);
    void click(int id);
    void pick(int id, int n);
    void doubleclick(int id, int n);

    // A notification from control id; items decide whether it closes.
    void notify(int id, int code);
    // Closes the dialog with the given Result: every item's exit runs. OK
    // (1) does not close while an item refuses its text: the field is
    // marked, the reason shown under it, and the dialog stays open.
    void close(int id);
    // The control that refused the last OK, and why; 0 and "" after one
    // that closed.
    int Refused = 0;
    String Refusal;
    // Runs the real dialog's own loop until it closes.
    void exec();

    void* WHandle = nullptr;
    Window* W;
    int Id;
    DialogPeer* Handle = nullptr;
    Dialog* Next = nullptr;
    int Result = -1;
    Dialogitem* Items = nullptr;
    Help* Helper;
    int Page;
    int Focus = 0;

  private:
    int build();
    void open();
    void teardown();
    void leave(); // leaves the list of open dialogs
    Dialogitem* item(int id) const;
    // Marks the field that refused and shows why; 0 takes the mark away.
    void mark(int id, const char* why);
};

extern Dialog* activedlg; // the dialog being opened
extern Dialog* dlgs;      // the open dialogs, most recent first
