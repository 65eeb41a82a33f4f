#include "macro.h"
#include "constructionfile.h"
#include "dialogitems.h"
#include "files.h"
#include "io.h"
#include "macroactions.h"
#include "messages.h"
#include "resources.h"

#include <cstring>
#include <memory>
#include <vector>

Macro* macros = nullptr;
Count macrocount{10000, nullptr};

namespace {

class NoMacroHost : public MacroHost {
  public:
    void addentry(int, const char*) override {}
    void removeentry(int) override {}
    void enable(int, int) override {}
};
NoMacroHost nomacrohost;
MacroHost* installedhost = nullptr;

enum { CommentMax = 2048, CommentRead = 2044, LineMax = 499, FieldMax = 255 };

using C = ControlSpec;
const ControlSpec commentcontrols[] = {
    {C::MultiEdit, 101, "", 0, 3}, {C::Default, 1, "OK", 1, 1}, {C::Button, 2, "Cancel", 1, 1},
    {C::Button, 9, "Help", 1, 1},  {C::Last, 0, nullptr, 0, 0},
};
const DialogSpec commentdialog = {113, "Macro Comment", commentcontrols};
const bool defined = (definedialog(&commentdialog), true);

// The commands that need a macro.
const int macrocommands[] = {7102, 5005, 102, 7101};

void deleteparameters(ParameterList* p) {
    while (p) {
        ParameterList* n = p->Next;
        delete p;
        p = n;
    }
}

int starts(const std::string& s, const char* p) {
    return s.compare(0, std::strlen(p), p) == 0;
}

// The text of a line after its tag, as the program's texts hold it: up to
// a zero byte, at most n characters, without carriage returns at its end
// (which a line end would take away when it is read again).
std::string field(const std::string& line, std::size_t n = std::string::npos) {
    std::string f = line.substr(2);
    f.resize(characterbytes(f.c_str(), n));
    while (!f.empty() && f.back() == '\r') f.pop_back();
    return f;
}

// Where the n characters of s from byte i end (a character is a byte that
// does not continue one, with the bytes that continue it); npos when fewer
// than n are left. So a line of letters beyond ASCII is cut into pieces of
// as many letters as one of ASCII, each letter whole.
std::size_t after(const std::string& s, std::size_t i, std::size_t n) {
    for (std::size_t c = 0; c < n; ++c) {
        if (i >= s.size()) return std::string::npos;
        ++i;
        while (i < s.size() && continues(s[i])) ++i;
    }
    return i;
}

// Puts m at the front of the list, in the menu, and makes the macro
// commands available.
void insert(Macro* m) {
    m->Next = macros;
    m->Prev = nullptr;
    if (macros) macros->Prev = m;
    macros = m;
    macrohost().addentry(m->C, m->Name);
    for (int id : macrocommands) macrohost().enable(id, 1);
}

// Whether a macro named name may be made: none has that name, or the user
// lets the old one go.
int makeroom(const char* name) {
    Macro* old = macros ? macros->find(name) : nullptr;
    if (!old) return 1;
    if (Question(textwith(72, name), String(1)) != IDYES) return 0;
    old->remove();
    delete old;
    return 1;
}

} // namespace

MacroHost& macrohost() {
    return installedhost ? *installedhost : nomacrohost;
}

void setmacrohost(MacroHost* h) {
    installedhost = h;
}

TranslationList::~TranslationList() {
    // The list is deleted from its head, node by node, without recursion.
    TranslationList* t = Next;
    while (t) {
        TranslationList* n = t->Next;
        t->Next = nullptr;
        delete t;
        t = n;
    }
}

const char* TranslationList::translate(const char* name) {
    for (TranslationList* t = this; t; t = t->Next)
        if (std::strcmp(t->Pseudo.text(), name) == 0) return t->Original.text();
    return nullptr;
}

void TranslationList::append(TranslationList* t) {
    TranslationList* last = this;
    while (last->Next) last = last->Next;
    last->Next = t;
}

void TranslationList::add(const char* name, const char* own) {
    append(new TranslationList(own, name));
}

Macro::Macro(ParameterList* p, const char* name)
    : P(p), Name(name), Comment("", CommentMax), C(static_cast<int>(macrocount.count())) {
    (void)defined;
    for (ParameterList* q = P; q; q = q->Next) {
        q->Class = q->P->objectclass();
        q->Name = q->P->name();
    }
    // The marks are those of the test just made: the objects the targets
    // need, from the parameters on.
    for (Object* o = objects.first(); o; o = o->next()) {
        if (!o->mark || macrodefineaction.isparam(o) || !o->io()) continue;
        const char* s = o->io()->write(o);
        if (*s) addstep(s);
    }
}

Macro::Macro(const char* name)
    : Name(name), Comment("", CommentMax), C(static_cast<int>(macrocount.count())) {}

Macro::~Macro() {
    macrorunaction.release(this);
    deleteparameters(P);
    while (Step) {
        ConstructionStep* n = Step->Next;
        delete Step;
        Step = n;
    }
}

void Macro::remove() {
    if (Prev) Prev->Next = Next;
    if (Next) Next->Prev = Prev;
    if (macros == this) macros = Next;
    Next = Prev = nullptr;
    macrohost().removeentry(C);
    if (!macros)
        for (int id : macrocommands) macrohost().enable(id, 0);
}

Macro* Macro::find(const char* name) {
    for (Macro* m = this; m; m = m->Next)
        if (std::strcmp(m->Name.text(), name) == 0) return m;
    return nullptr;
}

void Macro::addparameter(ParameterList* p) {
    ParameterList** end = &P;
    while (*end) end = &(*end)->Next;
    *end = p;
}

void Macro::addstep(const char* s) {
    ConstructionStep** end = &Step;
    while (*end) end = &(*end)->Next;
    *end = new ConstructionStep;
    (*end)->S = s;
}

int Macro::parameters() const {
    int n = 0;
    for (ParameterList* p = P; p; p = p->Next) ++n;
    return n;
}

int Macro::steps() const {
    int n = 0;
    for (ConstructionStep* s = Step; s; s = s->Next) ++n;
    return n;
}

std::string Macro::file() const {
    std::string t = "N:";
    t += Name.text();
    t += "\n/*\n";
    writecomment(t, Comment.text());
    t += "*/\n";
    for (ParameterList* p = P; p; p = p->Next) {
        t += "P:";
        t += p->Name.text();
        t += "\nL:";
        t += p->Prompt.text();
        t += '\n';
        switch (p->Class & (CPoint | CStraight | CCircle | CNumber)) {
        case CNumber:
            t += "T:number\n";
            break;
        case CPoint:
            t += "T:point\n";
            break;
        case CStraight:
            t += "T:line\n";
            break;
        case CCircle:
            t += "T:circle\n";
            break;
        default:
            break;
        }
    }
    for (ConstructionStep* s = Step; s; s = s->Next) {
        t += "S:";
        t += s->S.text();
        if (t.back() != '\n') t += '\n';
    }
    return t;
}

int Macro::save(const char* filename) {
    switch (writefile(filename, toutf8(file()))) {
    case NotOpened:
        Warning(textwith(40, shownname(filename)), String(1));
        return 0;
    case NotWritten:
        Warning(textwith(41, shownname(filename)), String(1));
        return 0;
    case Written:
        break;
    }
    return 1;
}

void Macro::showcomment() {
    Dialog d(host().owner(), 113, host().help(), MacroHelp);
    // No longer than a macro file may hold, so that what is saved loads.
    MultilineItem text(101, d, Comment.text(), CommentRead);
    d.carryout();
    if (d.result() != 1) return;
    std::string t = commentfromdialog(text.S.text(), CommentRead);
    Comment = t.c_str();
}

int createmacro(const char* name) {
    if (!makeroom(name)) return 0;
    Macro* m = new Macro(macrodefineaction.P, name);
    macrodefineaction.P = nullptr;
    // The tool starts a new definition; the highlights go.
    macrodefineaction.abort();
    macrodefineaction.start();
    macrodefineaction.inform();
    insert(m);
    return 1;
}

int createmacro(Macro* m) {
    if (!makeroom(m->Name)) {
        delete m;
        return 0;
    }
    insert(m);
    return 1;
}

Macro* readmacro(const std::string& text, std::string& badline) {
    // The lines as the file has them: a line feed ends each, and a last
    // line without one is not taken. A line longer than the limit is read
    // in pieces, as a reader of lines of that length reads it, except in
    // the comment, where a line is text and is taken whole.
    std::vector<std::string> lines;
    std::vector<bool> goeson; // whether a piece continues the one before it
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t i = 0;
        for (std::size_t next; (next = after(line, i, LineMax)) != std::string::npos; i = next) {
            lines.push_back(line.substr(i, next - i));
            goeson.push_back(i > 0);
        }
        lines.push_back(line.substr(i));
        goeson.push_back(i > 0);
    }
    std::size_t n = 0;
    // The whole line whose first piece is at n; n is left at its last piece.
    auto whole = [&]() {
        std::string line = lines[n];
        while (n + 1 < lines.size() && goeson[n + 1]) line += lines[++n];
        return line;
    };
    auto fail = [&](const std::string& line) -> Macro* {
        badline = line;
        return nullptr;
    };
    if (lines.empty() || !starts(lines[0], "N:")) return fail(lines.empty() ? "" : lines[0]);
    if (lines.size() < 2) return fail(lines[0]);
    std::unique_ptr<Macro> m(new Macro(field(lines[0], FieldMax).c_str()));
    n = 1;
    if (starts(lines[n], "/*")) {
        whole();
        std::string c;
        for (++n;; ++n) {
            if (n >= lines.size()) return fail("");
            std::string line = whole();
            if (starts(line, "*/")) break;
            addcommentline(c, line);
            if (static_cast<std::size_t>(characters(c.c_str())) > CommentRead) return fail(line);
        }
        m->Comment = c.c_str();
        ++n;
    }
    while (n < lines.size() && !starts(lines[n], "S:")) {
        if (!starts(lines[n], "P:") || n + 1 >= lines.size()) return fail(lines[n]);
        if (!starts(lines[n + 1], "L:") || n + 2 >= lines.size()) return fail(lines[n + 1]);
        const std::string& kind = lines[n + 2];
        int c = kind == "T:point"    ? CPoint
                : kind == "T:line"   ? CStraight
                : kind == "T:circle" ? CCircle
                : kind == "T:number" ? CNumber
                                     : 0;
        if (!c) return fail(kind);
        auto* p = new ParameterList;
        p->Name = field(lines[n], FieldMax).c_str();
        p->Prompt = field(lines[n + 1], FieldMax).c_str();
        p->Class = c;
        m->addparameter(p);
        n += 3;
    }
    for (; n < lines.size(); ++n) {
        if (lines[n].empty()) continue;
        if (!starts(lines[n], "S:")) return fail(lines[n]);
        // The record of a long list (a polygon's) is one step however long
        // its line; other lines go on in lines of their own.
        std::size_t first = n;
        std::string step = field(whole());
        if (n > first && !iolist.longrecord(step.c_str())) {
            n = first;
            step = field(lines[n]);
        }
        m->addstep(step.c_str());
    }
    return m.release();
}
