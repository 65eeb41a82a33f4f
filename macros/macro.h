// Macros: a part of a construction kept as a recipe. The parameters are the
// objects it starts from; the steps are the construction-file records of the
// objects it builds, replayed on new parameters with their names translated.
#pragma once

#include "objectlist.h"
#include "textstrings.h"

#include <string>

class Object;

struct ParameterList {
    Object* P = nullptr; // the object chosen while defining
    ParameterList* Next = nullptr;
    String Prompt{""};
    String Name{""};
    int Class = 0;
};

struct ConstructionStep {
    ConstructionStep* Next = nullptr;
    String S{""};
};

// The names of a run: each name the macro uses (Pseudo) stands for an
// object of the construction (Original).
class TranslationList : public Translator {
  public:
    TranslationList(const char* original, const char* pseudo)
        : Original(original), Pseudo(pseudo) {}
    ~TranslationList() override;
    TranslationList(const TranslationList&) = delete;
    TranslationList& operator=(const TranslationList&) = delete;
    // The construction's name for a macro name, from this node on.
    const char* translate(const char* name) override;
    void add(const char* name, const char* own) override;
    void append(TranslationList* t);

    String Original, Pseudo;
    TranslationList* Next = nullptr;
};

// What the macros need of the application: their menu entries and the
// states of the macro commands.
class MacroHost {
  public:
    virtual ~MacroHost() = default;
    // Adds the entry of a macro to the Run Macros menu, and removes it.
    virtual void addentry(int id, const char* name) = 0;
    virtual void removeentry(int id) = 0;
    virtual void enable(int id, int on) = 0;
};
MacroHost& macrohost();
void setmacrohost(MacroHost* h);

class Macro {
  public:
    // A macro of the parameters p (taken over) from the marked objects of
    // the construction.
    Macro(ParameterList* p, const char* name);
    // An empty macro, to be filled from a file.
    explicit Macro(const char* name);
    ~Macro();
    Macro(const Macro&) = delete;
    Macro& operator=(const Macro&) = delete;

    // Leaves the list of macros and the menu.
    void remove();
    // The first macro with this name from here on, or null.
    Macro* find(const char* name);
    void addparameter(ParameterList* p);
    void addstep(const char* s);
    int parameters() const;
    int steps() const;

    // The text of the macro's file.
    std::string file() const;
    // Writes the macro's file; says so when it cannot.
    int save(const char* filename);
    void showcomment();

    Macro* Next = nullptr;
    Macro* Prev = nullptr;
    ParameterList* P = nullptr;
    String Name;
    String Comment;
    ConstructionStep* Step = nullptr;
    int C;
};

extern Macro* macros;    // newest first
extern Count macrocount; // menu ids of macros, from 10000 on

// Makes a macro of the defining tool's parameters under this name, after
// asking when the name is taken: 1 when it was made.
int createmacro(const char* name);
// Adds a loaded macro, after asking when its name is taken: 1 when it was
// added; else it is deleted.
int createmacro(Macro* m);

// Reads a macro from the text of its file: the macro, or null with the line
// that is out of the grammar.
Macro* readmacro(const std::string& text, std::string& badline);
