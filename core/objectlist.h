// The construction: one ordered list of objects in creation order. Every
// object is computed only from objects before it, so recomputing is one pass.
#pragma once

#include "dialogitems.h"
#include "object.h"

#include <string>
#include <unordered_map>
#include <vector>

class Pointprim;
class MyBitmapPS;

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

// The objects of each name, in list order.
using NameIndex = std::unordered_map<std::string, std::vector<Object*>>;

// A whole list's objects taken out of it, with their name index.
struct ObjectChain {
    Object* First = nullptr;
    Object* Last = nullptr;
    int N = 0;
    NameIndex Names;
};

// Hears of every object that joins or leaves the list while it is installed
// (the undo history). Objects that leave are then kept by it, not deleted.
class Keeper {
  public:
    virtual ~Keeper() = default;
    virtual void added(Object* o) = 0;
    // o has left the list from behind previous (null: from the front) at
    // position order; the keeper owns it now.
    virtual void removed(Object* o, Object* previous, unsigned long order) = 0;
    // Every object has left the list; the keeper owns them now.
    virtual void cleared(ObjectChain&& c) = 0;
    // An object of the list was renamed.
    virtual void renamed(Object* o, const char* old) = 0;
};

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
    // While p is dragged, the picture is redrawn from a picture of
    // everything p does not move and the objects it moves (a sharp picture
    // keeps, pixel by pixel, the object that the whole drawing paints last);
    // null ends it.
    void layerfor(Object* p);

    int select(double x, double y, Object** pret, int flags, int select, int mayhighlight);
    Object* find(const char* name, int flags, Object* last);
    // The object whose label, as the window drew it last, lies at (x, y),
    // and how many pixels (sx, sy) it stood off its first place; null when
    // none does.
    Object* labelat(double x, double y, int* sx = nullptr, int* sy = nullptr);
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

    // For undo: objects leave and come back exactly where they stood,
    // without telling the keeper and without touching `changed`.
    // Takes o out of the list.
    void detach(Object* o);
    // Puts o back behind previous (null: at the front) with its old position.
    void relink(Object* o, Object* previous, unsigned long order);
    // Takes every object out; the list is empty afterwards.
    ObjectChain take();
    // Gives back a chain that take gave, into an empty list.
    void put(ObjectChain&& c);

    Keeper* Keep = nullptr;

    Object* First = nullptr;
    Object* Last = nullptr;
    String Comment;
    int Stop = 0;
    Flag changed;

  private:
    void unindex(Object* o, const std::string& name);
    void unlink(Object* o);
    void index(Object* o);
    // The drawing of draw, leaving out the marked objects when asked.
    void drawall(PS& ps, int unmarkedonly);
    // The picture of a drag frame from the layer; 0 when there is none to use.
    int drawlayered();
    NameIndex Names;
    Object* Dragged = nullptr;
    void droplayer();
    std::vector<Object*> Moving;     // what the drag redraws, in list order
    std::vector<unsigned> MovingIds; // their places in the list, from 1
    MyBitmapPS* Layer = nullptr;     // everything else
    MyBitmapPS* LayerIds = nullptr;  // sharp: which object painted each pixel
    MyBitmapPS* Front = nullptr;     // sharp: the moving objects alone
    MyBitmapPS* FrontIds = nullptr;
    double LayerView[6] = {}; // the view, the hidden flag and the sharpness it was drawn for
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
