// The record parser: left items with their flags, the keyword and the
// parameters of one line.
#include "io.h"
#include "objectlist.h"
#include "point.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum { TokenMax = 63, TextMax = 10000, FlagMax = 1000 };

int blank(char c) {
    return c == ' ' || c == '\t';
}

// Reads one token at p into t: a quoted text runs to the next double quote,
// any other to the next ",", ")", "=", "(" or the end. At most 63
// characters are taken, each whole; the rest stays where a delimiter is
// expected; a quoted one takes up to quotedmax (an item's flag in quotes: a
// long condition). A quoted text of a record of texts (text set) takes up to
// 10,000 characters, with a backslash before a double quote or a backslash
// for itself, and backslash n for a line break.
const char* token(const char* p, std::string& t, bool text = false, int quotedmax = TokenMax) {
    t.clear();
    while (blank(*p)) ++p;
    int n = 0;
    auto take = [&] {
        t += *p++;
        while (continues(*p)) t += *p++;
        ++n;
    };
    if (*p == '"' && text) {
        ++p;
        while (*p && *p != '"' && n < TextMax) {
            if (*p == '\\' && (p[1] == '"' || p[1] == '\\' || p[1] == 'n')) {
                t += p[1] == 'n' ? '\n' : p[1];
                p += 2;
                ++n;
            } else {
                take();
            }
        }
        if (*p == '"') ++p;
    } else if (*p == '"') {
        ++p;
        while (*p && *p != '"' && n < quotedmax) take();
        if (*p == '"') ++p;
    } else {
        while (*p && !std::strchr(",)=(", *p) && n < TokenMax) take();
    }
    while (blank(*p)) ++p;
    return p;
}

// Reads tokens separated by "," up to ")" into s, after the "(" at p. When
// empty is set, "()" holds no token. When quoted is given, it gets for each
// token whether it was a quoted text. When texts is given, the list is the
// parameters of a record of texts: each token goes there whole, and s gets
// the ones short enough for a name or a number (else an empty text). Null
// when the list is broken.
const char* list(const char* p, Strings& s, int empty, std::vector<char>* quoted = nullptr,
                 std::vector<std::string>* texts = nullptr, int quotedmax = TokenMax) {
    if (*p++ != '(') return nullptr;
    if (empty && *p == ')') return p + 1;
    std::string t;
    for (;;) {
        while (blank(*p)) ++p;
        if (quoted) quoted->push_back(*p == '"');
        p = token(p, t, texts != nullptr, quotedmax);
        if (texts) {
            texts->push_back(t);
            if (characters(t.c_str()) > TokenMax) t.clear();
        }
        if (!s.add(t.c_str())) return nullptr;
        if (*p == ')') return p + 1;
        if (*p++ != ',') return nullptr;
    }
}

} // namespace

int Input::read(const char* line) {
    Nleft = 0;
    Right.clear();
    Quoted.clear();
    Texts.clear();
    Name = "";
    Reason.clear();
    const char* p = line;
    std::string t;
    for (;;) {
        if (Nleft == Max) return 0;
        // An item's flags in quotes may be long: a condition.
        if (static_cast<std::size_t>(Nleft) == Left.size())
            Left.emplace_back(Strings::Max, FlagMax + 1);
        Strings& item = Left[static_cast<std::size_t>(Nleft)];
        item.clear();
        p = token(p, t);
        if (!item.add(t.c_str())) return 0;
        if (!(p = list(p, item, 1, nullptr, nullptr, FlagMax))) return 0;
        ++Nleft;
        if (*p == '=') break;
        if (*p != ',') return 0;
        ++p;
    }
    p = token(p + 1, t);
    Name = t.c_str();
    IO* io = iolist.find(Name.text());
    if (!(p = list(p, Right, 0, &Quoted, io && io->texts() ? &Texts : nullptr))) return 0;
    return *p == ';';
}

Object* Input::object(int i, int mask) {
    if (i < 0 || i >= Right.n()) return nullptr;
    return objects.find(Right[i].text(), mask, nullptr);
}

int Input::points(Pointprim** p, int n) {
    for (int i = 0; i < n; ++i) {
        Object* o = object(i, CPoint);
        if (!o) return 0;
        p[i] = static_cast<Pointprim*>(o);
    }
    return 1;
}

int Input::number(int i, double& x) {
    return i >= 0 && i < Right.n() && Right[i].todouble(x);
}

const std::string* Input::text(int i) const {
    if (!quoted(i) || i >= static_cast<int>(Texts.size())) return nullptr;
    return &Texts[static_cast<std::size_t>(i)];
}

int Input::quoted(int i) const {
    return i >= 0 && i < static_cast<int>(Quoted.size()) && Quoted[static_cast<std::size_t>(i)];
}

int Input::set(Object* o, int i) {
    if (!o || i < 0 || i >= Nleft) return 0;
    Strings& item = Left[static_cast<std::size_t>(i)];
    if (translation) {
        // A macro step: its names stand for the objects it makes.
        translation->add(item[0].text(), o->name());
        return o->setflags(item);
    }
    // The name is checked as it will be stored, with its quotes replaced.
    std::string name(item[0].text());
    std::replace(name.begin(), name.end(), '"', '\'');
    if (objects.find(name.c_str(), 0, o)) {
        Reason = "the name " + name + " is used twice";
        return 0;
    }
    o->setname1(name.data());
    // The other object of a two-item record is made with an automatic name
    // that may be this one: it gets another, so that no name is there twice.
    for (Object* c = o->next(); c; c = c->next())
        if (name == c->name()) c->setname(String(2).text(), objectcount);
    return o->setflags(item);
}
