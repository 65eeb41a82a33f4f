// The undo history of a construction: each change the user makes is one
// step that can be undone and redone.
#pragma once

#include "objectlist.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A step records what changed, not a copy of the construction: the objects
// that joined or left the list (kept alive, so undo puts back the very same
// objects), the states of the objects that changed, the name counters and
// the comment. Steps are undone last first, so the list is always exactly as
// a step left it when the step is undone or redone.
class History : public Keeper {
  public:
    enum { Depth = 1000 }; // steps kept for undo

    explicit History(ObjectList& list);
    ~History() override;
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Opens a step, unless one is open: the state of every object and the
    // counters are noted, so that the step can tell what changed.
    void begin();
    int isopen() const { return Open != nullptr; }
    // What a step is called when its change is not plain: "Move", "Run
    // Macro"; and the object it is about. Both only for the open step.
    void verb(const char* v);
    void subject(Object* o);
    // The whole name of the open step ("Run Macro bisector").
    void label(const std::string& l);
    // Closes the open step. A step that changed nothing is dropped; any
    // other becomes the newest undo step and ends every redo.
    void end();

    int canundo() const { return !Undo.empty(); }
    int canredo() const { return !Redo.empty(); }
    // What the next undo or redo does: "Move Point_3"; empty when none.
    std::string undoname() const;
    std::string redoname() const;
    // Undo or redo one step and recompute the construction; the list's
    // `changed` is clear exactly when the construction is as last saved.
    // 0 when there is nothing to do. A step still open is closed first.
    int undo();
    int redo();

    // The construction now is as its file: saved, loaded or new.
    void saved();
    // Forgets every step.
    void clear();

    // The name of the construction's file, which New and Load change and
    // undo gives back (so Save never writes to the file of another).
    String* File = nullptr;

    int steps() const { return static_cast<int>(Undo.size()); }
    // The memory the steps hold, in bytes (the kept objects not counted).
    size_t memory() const;

    // Keeper.
    void added(Object* o) override;
    void removed(Object* o, Object* previous, unsigned long order) override;
    void cleared(ObjectChain&& c) override;
    void renamed(Object* o, const char* old) override;

  private:
    struct Op {
        enum Kind { Add, Remove, Clear, Rename } K;
        Object* O;
        Object* Previous;
        unsigned long Order; // of a rename: its names in Renames
        std::unique_ptr<ObjectChain> Chain;
    };
    struct Change {
        Object* O;
        ObjectState Before, After;
    };
    struct Step {
        std::vector<Op> Ops;
        std::vector<std::pair<std::string, std::string>> Renames; // old, new
        // A step that made the whole list (a Load, or the first objects):
        // undone, the list it made is kept whole with its name index.
        int Whole = 0;
        std::unique_ptr<ObjectChain> Made;
        std::vector<Change> Changes;
        std::vector<long> CountsBefore, CountsAfter;
        std::string CommentBefore, CommentAfter;
        int CommentChanged = 0;
        std::string FileBefore, FileAfter;
        int FileChanged = 0;
        std::string Verb, Label;
        Object* Subject = nullptr;
        std::string Name;
        long Id = 0;       // numbers the list's states for the saved mark
        long IdBefore = 0; // the state it was made from
        int Undone = 0;
    };
    // The step being recorded, with every object's state when it opened.
    struct OpenStep {
        std::unique_ptr<Step> S;
        std::vector<std::pair<Object*, ObjectState>> States;
        unsigned long Newest = 0; // objects after this one are new in the step
    };

    static std::vector<long> counters();
    static void counters(const std::vector<long>& c);
    void name(Step& s);
    void apply(Step& s, int forward);
    void recompute(Step& s, int forward);
    static void rename(Object* o, const std::string& name);
    // Deletes the objects a step keeps out of the list.
    static void drop(Step& s);
    // Moves the newest step of undo (forward 0) or redo over to the other.
    int step(int forward);

    ObjectList& L;
    std::unique_ptr<OpenStep> Open;
    std::deque<std::unique_ptr<Step>> Undo; // oldest first
    std::deque<std::unique_ptr<Step>> Redo; // newest undone last
    // The state last saved or loaded under each file name ("" for a New
    // construction), -1 when none is reachable: a construction is unchanged
    // when its state is the one saved under its file name.
    long& savedstate();
    std::map<std::string, long> Saved;
    long Now = 0; // the state the list is in
    long Ids = 0;
    int Applying = 0; // undo and redo rename objects: no step of their own
};
