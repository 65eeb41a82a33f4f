// The tools of macros: defining one from parameters and targets, and running
// one on newly chosen parameters.
#pragma once

#include "action.h"
#include "macro.h"

class MacroDefineAction : public Action {
  public:
    void start() override;
    void abort() override;
    void inform() override;
    void perform(int c, int r) override;
    // From choosing parameters on to choosing targets.
    void advance();
    void forget();
    void tforget();
    int isparam(Object* o) const;
    void unhighlight();

    ParameterList* P = nullptr; // the parameters chosen so far
    ParameterList* T = nullptr; // the targets chosen so far
    int State = 0;              // 0 idle, 1 parameters, 2 targets
};

class MacroRunAction : public Action {
  public:
    ~MacroRunAction() override;
    void start() override;
    void abort() override;
    void inform() override;
    void perform(int c, int r) override;
    // No parameter of a run chosen yet.
    int finished() override { return !Param || !Running || Param == Running->P; }
    void startover();
    // Lets the user pick the macro: 1 when one was picked.
    int choose();
    void menuchoose(int id);
    // The macro m goes (deleted, or replaced by one of its name): a run of
    // it stops, and the tool holds no pointer to it any more.
    void release(Macro* m);

    Macro* Running = nullptr;
    ParameterList* Param = nullptr;
    TranslationList* TL = nullptr;

  private:
    void forget();
};

extern MacroDefineAction macrodefineaction;
extern MacroRunAction macrorunaction;

// Whether o can be made from the marked objects; marks what it needs.
int rektest(Object* o);
// Whether one target, or every target of the defining tool, can be made
// from its parameters; says which cannot.
int testmacro(Object* o);
int testmacro();
// Greys out Define Targets and Complete Macro.
void macrodisable();
// Lets the user pick one of the macros; null when there is none or the
// choice was cancelled.
Macro* selmacro();

// The help page of the macro dialogs.
enum { MacroHelp = 15 };
