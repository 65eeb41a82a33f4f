// The construction: one ordered list of objects in creation order. Every
// object is computed only from objects before it, so recomputing is one pass.
#pragma once

#include "dialogitems.h"
#include "object.h"

#include <string>
#include <unordered_map>
#include <vector>

class Pointprim;

// Translates the names of a macro's steps while a macro runs.
class Translator {
  public:
    virtual ~Translator() = default;
    // The construction's name for a macro name, or null when there is none.
    virtual const char* translate(const char* name) = 0;
    // Records that the macro's name stands for the construction's name.
    virtual void add(const char* name, const char* own) = 0;
};

extern Translator* translation; // the active translation, null outside macro runs

class ObjectList {
  public:
    ObjectList();
    ~ObjectList();
    ObjectList(const ObjectList&) = delete;
    ObjectList& operator=(const ObjectList&) = delete;

    void add(Object* o);
    void remove(Object* o);
    void clear();
    void clear(Object* o);

    void unmark();
    void mark(Object* p);
    void update();
    void update(Object* p);
    void unhighlight();

    void draw(PS& ps);
    void redraw();

    int select(double x, double y, Object** pret, int flags, int select, int mayhighlight);
    Object* find(const char* name, int flags, Object* last);
    // Offers to create the intersection of the two lines or circles near
    // (x, y); 0 when the user declines or no point results.
    int intersect(double x, double y, Object** P);
    int exists(const char* name);
    void show(String& s);

    // The construction file: written whole, or read record by record. These
    // are the file layer's (io/), which the application links.
    int save(const char* filename);
    int load(const char* filename);

    void advancestop(int k);
    void stopat(int n) { Stop = n; }
    int stop() const { return Stop; }

    int tracking();
    Pointprim* findtrackpoint();
    void resettracks();
    void updatetracks();
    void deletetracks();

    Object* first() const { return First; }
    Object* last() const { return Last; }
    int empty() const { return First == nullptr; }
    String& comment() { return Comment; }
    int count() const { return N; }

    // Keeps the name index up to date when an object of the list is renamed.
    void renamed(Object* o, const char* old);

    Object* First = nullptr;
    Object* Last = nullptr;
    String Comment;
    int Stop = 0;
    Flag changed;

  private:
    void unindex(Object* o, const std::string& name);
    void unlink(Object* o);
    // The objects of each name, in list order.
    std::unordered_map<std::string, std::vector<Object*>> Names;
    unsigned long Orders = 0;
    int N = 0;
};

extern ObjectList objects;

// The list of the "Object Choice" dialog: the marked objects, the newest
// one selected; a double click chooses.
class ObjectsItem : public ListItem {
  public:
    ObjectsItem(int id, Dialog& d) : ListItem(id, d) {}
    void init() override;
    int doubleclicked() override { return 1; }
};
