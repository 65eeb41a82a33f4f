#include "macroactions.h"
#include "construction.h"
#include "dialogitems.h"
#include "io.h"
#include "messages.h"
#include "point.h"
#include "resources.h"

#include <string>

MacroDefineAction macrodefineaction;
MacroRunAction macrorunaction;

namespace {

using C = ControlSpec;

const ControlSpec parametercontrols[] = {
    {C::Static, -1, "Prompt for this Parameter", 0, 3},
    {C::Edit, 101, "", 1, 3},
    {C::Default, 1, "OK", 2, 1},
    {C::Button, 2, "Cancel", 2, 1},
    {C::Button, 9, "Help", 2, 1},
    {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec parameterdialog = {102, "Parameter", parametercontrols};

const ControlSpec listcontrols[] = {
    {C::List, 101, "", 0, 3},     {C::Default, 1, "OK", 1, 1}, {C::Button, 2, "Cancel", 1, 1},
    {C::Button, 9, "Help", 1, 1}, {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec listdialog = {104, "Macros", listcontrols};

const bool defined = (definedialog(&parameterdialog), definedialog(&listdialog), true);

void deletelist(ParameterList*& p) {
    while (p) {
        ParameterList* n = p->Next;
        delete p;
        p = n;
    }
}

void append(ParameterList*& list, ParameterList* p) {
    ParameterList** end = &list;
    while (*end) end = &(*end)->Next;
    *end = p;
}

void tell(int id) {
    Message(String(id), String(1));
}

// The macro list, newest first, with the oldest chosen; a double click
// picks an entry as OK does.
class MacroList : public ListItem {
  public:
    using ListItem::ListItem;
    void init() override {
        int n = 0;
        for (Macro* m = macros; m; m = m->Next, ++n) insert(m->Name);
        select(n - 1);
    }
    int doubleclicked() override {
        D->close(1);
        return 1;
    }
};

} // namespace

void macrodisable() {
    macrohost().enable(5002, 0);
    macrohost().enable(5003, 0);
}

void MacroDefineAction::start() {
    (void)defined;
    forget();
    State = 1;
    host().cursor(ToolHost::PointCursorKind);
    macrodisable();
}

void MacroDefineAction::abort() {
    unhighlight();
    forget();
    State = 0;
    macrodisable();
}

void MacroDefineAction::inform() {
    prompt(State == 2 ? 61 : 60);
}

void MacroDefineAction::advance() {
    unhighlight();
    State = 2;
    inform();
}

void MacroDefineAction::forget() {
    deletelist(P);
    tforget();
}

void MacroDefineAction::tforget() {
    deletelist(T);
}

int MacroDefineAction::isparam(Object* o) const {
    for (ParameterList* p = P; p; p = p->Next)
        if (p->P == o) return 1;
    return 0;
}

void MacroDefineAction::unhighlight() {
    for (ParameterList* p = P; p; p = p->Next) p->P->highlight.clear();
    for (ParameterList* p = T; p; p = p->Next) p->P->highlight.clear();
    objects.redraw();
}

void MacroDefineAction::perform(int c, int r) {
    Object* o = nullptr;
    // Parameters and targets: points, lines, circles and numbers; targets
    // also regions, angles and texts.
    const int mask = State == 1 ? CPoint | CStraight | CCircle | CNumber
                                : CPoint | CStraight | CCircle | CNumber | CRegion | CAngle | CText;
    if (!objects.select(actionx(c), actiony(r), &o, mask, 1, 0) || !o) return;
    if (State == 1) {
        const int k = o->objectclass();
        int id = k & CNumber ? 243 : k & CCircle ? 65 : k & CStraight ? 64 : 63;
        Dialog d(host().owner(), 102, host().help(), MacroHelp);
        StringItem text(101, d, String(id));
        d.carryout();
        if (d.result() != 1) return;
        auto* p = new ParameterList;
        p->P = o;
        p->Prompt = text.S.empty() ? String(69).text() : text.S.text();
        append(P, p);
        macrohost().enable(5002, 1);
    } else if (State == 2) {
        if (isparam(o)) {
            tell(68);
            return;
        }
        if (!testmacro(o)) return;
        auto* t = new ParameterList;
        t->P = o;
        append(T, t);
        macrohost().enable(5003, 1);
    } else {
        return;
    }
    o->highlight.set();
    objects.redraw();
}

int rektest(Object* o) {
    if (o->mark) return 1;
    o->mark.set();
    Parents parents(o);
    if (parents.size() == 0) return 0; // a basic point that is no parameter
    for (Object* p : parents)
        if (!p || !rektest(p)) return 0;
    return 1;
}

namespace {

void markparameters() {
    objects.unmark();
    for (ParameterList* p = macrodefineaction.P; p; p = p->Next) p->P->mark.set();
}

int cannot(Object* o) {
    Message(textwith(67, o->name()), String(1));
    return 0;
}

} // namespace

int testmacro(Object* o) {
    markparameters();
    return rektest(o) ? 1 : cannot(o);
}

int testmacro() {
    markparameters();
    for (ParameterList* t = macrodefineaction.T; t; t = t->Next)
        if (!rektest(t->P)) return cannot(t->P);
    return 1;
}

Macro* selmacro() {
    if (!macros) return nullptr;
    Dialog d(host().owner(), 104, host().help(), MacroHelp);
    MacroList list(101, d);
    d.carryout();
    if (d.result() != 1 || list.N < 0) return nullptr;
    Macro* m = macros;
    for (int i = 0; m && i < list.N; ++i) m = m->Next;
    return m;
}

MacroRunAction::~MacroRunAction() {
    delete TL;
}

void MacroRunAction::forget() {
    delete TL;
    TL = nullptr;
}

void MacroRunAction::start() {
    Param = Running ? Running->P : nullptr;
    forget();
    host().cursor(ToolHost::PointCursorKind);
}

void MacroRunAction::startover() {
    Param = Running ? Running->P : nullptr;
    forget();
    objects.unhighlight();
    objects.redraw();
    inform();
}

void MacroRunAction::abort() {
    Param = nullptr;
    objects.unhighlight();
    objects.redraw();
    forget();
}

void MacroRunAction::inform() {
    std::string s = Running ? Running->Name.text() : "???";
    s += " : ";
    if (Param) s += Param->Prompt.text();
    host().inform(s.c_str());
}

void MacroRunAction::release(Macro* m) {
    if (Running != m) return;
    abort();
    Running = nullptr;
}

void MacroRunAction::menuchoose(int id) {
    Running = nullptr;
    for (Macro* m = macros; m; m = m->Next)
        if (m->C == id) Running = m;
}

void MacroRunAction::perform(int c, int r) {
    if (!Running || !Param) return;
    double x = actionx(c), y = actiony(r);
    // The candidates are counted first: a cancelled choice among several
    // drops the click; only a click near none goes on, for a point, to the
    // offered intersection and a new point.
    Object* o = nullptr;
    int n = objects.select(x, y, &o, Param->Class, 0, 1);
    if (n > 1) {
        o = nullptr;
        if (!objects.select(x, y, &o, Param->Class, 1, 1) || !o) return;
    } else if (n == 0 || !o) {
        if (!(Param->Class & CPoint)) return;
        o = nullptr;
        if (!objects.intersect(x, y, &o)) return;
        if (!o) o = new Point(x, y);
    }
    o->highlight.set();
    objects.redraw();
    auto* t = new TranslationList(o->name(), Param->Name);
    if (TL)
        TL->append(t);
    else
        TL = t;
    Param = Param->Next;
    if (Param) {
        inform();
        return;
    }
    translation = TL;
    for (ConstructionStep* s = Running->Step; s; s = s->Next) {
        if (!iolist.interpret(s->S)) {
            translation = nullptr;
            Message(String(81), String(1));
            break;
        }
    }
    translation = nullptr;
    startover();
}

int MacroRunAction::choose() {
    // A cancelled choice leaves the current tool as it was.
    Macro* m = selmacro();
    if (!m) return 0;
    Running = m;
    return 1;
}
