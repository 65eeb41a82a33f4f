#include "object.h"
#include "expression.h"
#include "number.h"
#include "objectlist.h"
#include "view.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

IO* defaultio = nullptr;
IO* noio = nullptr;
IO* pointio = nullptr;
IO* lineio = nullptr;
IO* rayio = nullptr;
IO* segmentio = nullptr;
IO* circleio = nullptr;
IO* circle3io = nullptr;
IO* intersectionio = nullptr;
IO* middleio = nullptr;
IO* parallelio = nullptr;
IO* rectangulario = nullptr;
IO* pointonio = nullptr;
IO* angleio = nullptr;
IO* circlethroughio = nullptr;
IO* bisectorio = nullptr;
IO* midperpendiculario = nullptr;
IO* tangentsio = nullptr;
IO* vectorio = nullptr;
IO* reflectio = nullptr;
IO* rotateio = nullptr;
IO* translateio = nullptr;
IO* dilateio = nullptr;
IO* polygonio = nullptr;
IO* regularpolygonio = nullptr;
IO* arc3io = nullptr;
IO* arcio = nullptr;
IO* semicircleio = nullptr;
IO* sectorio = nullptr;
IO* sector3io = nullptr;
IO* distanceio = nullptr;
IO* lengthio = nullptr;
IO* radiusio = nullptr;
IO* anglesizeio = nullptr;
IO* areaio = nullptr;
IO* perimeterio = nullptr;
IO* slopeio = nullptr;
IO* calculateio = nullptr;
IO* sliderio = nullptr;
IO* checkboxio = nullptr;
IO* textio = nullptr;
IO* circleradiusio = nullptr;
IO* locusio = nullptr;

Counts counts;
Count objectcount, pointcount, linecount, raycount, segmentcount, circlecount, middlecount, iscount,
    pointoncount, anglecount, vectorcount, imagecount, polygoncount, arccount, sectorcount,
    numbercount, textcount, locuscount;
ObjectColors objectcolors;

namespace {

// The object counters are in the list from the start.
struct CountsSetup {
    CountsSetup() {
        for (Count* c :
             {&locuscount, &textcount, &numbercount, &sectorcount, &arccount, &polygoncount,
              &imagecount, &vectorcount, &anglecount, &pointoncount, &iscount, &middlecount,
              &circlecount, &segmentcount, &raycount, &linecount, &pointcount, &objectcount})
            counts.add(*c);
    }
} countssetup;

} // namespace

void Counts::add(Count& c) {
    c.Next = First;
    First = &c;
}

void Counts::reset() {
    for (Count* c = First; c; c = c->Next) c->C = 1;
}

const Color ObjectColors::Dark[N] = {Color(0, 0, 0),   Color(0, 0, 160),   Color(140, 0, 160),
                                     Color(0, 160, 0), Color(0, 140, 140), Color(140, 0, 0)};
const Color ObjectColors::Light[N] = {Color(128, 128, 128), Color(128, 128, 255),
                                      Color(240, 128, 255), Color(128, 255, 128),
                                      Color(128, 255, 255), Color(255, 128, 128)};
// Black, blue, pink, green, cyan and brown as their names say, deep enough
// for thin lines on white; the light ones are them mixed with white.
const Color ObjectColors::ModernDark[N] = {Color(33, 33, 33),  Color(21, 101, 192),
                                           Color(216, 27, 96), Color(46, 125, 50),
                                           Color(0, 131, 143), Color(121, 85, 72)};
const Color ObjectColors::ModernLight[N] = {Color(166, 166, 166), Color(150, 188, 232),
                                            Color(240, 152, 184), Color(158, 200, 160),
                                            Color(140, 200, 206), Color(196, 176, 168)};
const char* const ObjectColors::Name[N] = {"black", "blue", "pink", "green", "cyan", "brown"};

int ObjectColors::group(long c) {
    if (!custom(c)) return valid(static_cast<int>(c));
    const Color x = rgb(c);
    int best = 0;
    long nearest = -1;
    for (int i = 0; i < N; ++i) {
        const long dr = x.red() - ModernDark[i].red(), dg = x.green() - ModernDark[i].green(),
                   db = x.blue() - ModernDark[i].blue(), d = dr * dr + dg * dg + db * db;
        if (nearest < 0 || d < nearest) nearest = d, best = i;
    }
    return best;
}

long colorflag(const char* s) {
    // "#rrggbb": a colour of any value; else a name of the six, black when
    // it is none.
    if (s[0] != '#') return objectcolors.index(s);
    if (std::strlen(s) != 7 || std::strspn(s + 1, "0123456789abcdefABCDEF") != 6) return 0;
    return ObjectColors::Custom | std::strtol(s + 1, nullptr, 16);
}

std::string colorword(long c) {
    if (!ObjectColors::custom(c)) return objectcolors.name(static_cast<int>(c));
    char s[8];
    std::snprintf(s, sizeof s, "#%06lx", c & 0xffffffL);
    return s;
}

int ObjectColors::index(const char* name) const {
    for (int i = 0; i < N; ++i)
        if (std::strcmp(Name[i], name) == 0) return i;
    return 0;
}

void ObjectColors::all() {
    for (int& c : Chosen) c = 1;
}

void ObjectColors::none() {
    for (int& c : Chosen) c = 0;
}

Object::Object() : Color(objectcolors.Defcolor), Name(""), Io(defaultio), valid(1) {
    String prefix(2);
    setname(prefix.text(), objectcount);
    objects.add(this);
}

Object::Object(Unlisted) : Color(0), Name(""), Io(noio), valid(1) {}

Object::~Object() = default;

bool ObjectState::operator==(const ObjectState& s) const {
    return Color == s.Color && Class == s.Class && Flags == s.Flags &&
           !std::memcmp(V, s.V, sizeof V) && !std::memcmp(I, s.I, sizeof I) && T == s.T &&
           Condition == s.Condition && !std::memcmp(Label, s.Label, sizeof Label) &&
           Caption == s.Caption;
}

void Object::getstate(ObjectState& s) const {
    s.Color = Color;
    s.Class = Class;
    s.Flags = showname | ishidden << 1;
    for (double& v : s.V) v = 0;
    for (int& i : s.I) i = 0;
    s.T.clear();
    s.Condition = condition();
    s.Label[0] = LabelDx;
    s.Label[1] = LabelDy;
    s.Caption = Caption;
}

void Object::setstate(const ObjectState& s) {
    Color = s.Color;
    Class = s.Class;
    showname = s.Flags & 1;
    ishidden = s.Flags & 2;
    LabelDx = s.Label[0];
    LabelDy = s.Label[1];
    Caption = s.Caption;
    if (s.Condition != condition()) {
        std::string why;
        condition(s.Condition, why);
    }
}

bool Object::condition(const std::string& text, std::string& why) {
    if (text.find_first_not_of(" \t") == std::string::npos) {
        ShownIf.reset();
        return true;
    }
    // What a file can read back, with room for names that grow.
    if (characters(text.c_str()) > 200) {
        why = "a condition of at most 200 characters";
        return false;
    }
    auto e = std::make_unique<Expression>();
    if (!e->parse(text, numbersbefore(Order ? this : nullptr))) {
        why = e->Why;
        return false;
    }
    ShownIf = std::move(e);
    return true;
}

std::string Object::condition() const {
    return ShownIf ? ShownIf->text() : std::string();
}

bool Object::conditionholds() const {
    return !ShownIf || std::fabs(ShownIf->evaluate(numbervalue)) > 0;
}

const std::vector<Object*>* Object::conditionnames() const {
    return ShownIf ? &ShownIf->names() : nullptr;
}

void Object::drawnstate(ObjectState& s, double size, int linetype, int flag) const {
    Object::getstate(s);
    s.V[0] = (Class & CFixed) ? size : 0;
    s.I[0] = linetype;
    s.I[1] = flag;
}

void Object::setdrawnstate(const ObjectState& s, double& size, int& linetype, Flag& flag) {
    Object::setstate(s);
    if (Class & CFixed) size = s.V[0];
    linetype = s.I[0];
    flag = s.I[1];
}

void Object::writeclear(char* s) {
    std::strcpy(s, "---");
}

int Object::hidden() const {
    // Show All shows what its condition hides too, as it shows hidden
    // objects: in their light shade.
    return ((ishidden || !conditionholds()) && !view().showhidden) || !valid ||
           !objectcolors.Chosen[ObjectColors::group(Color)];
}

void Object::setname(const char* prefix, Count& counter) {
    char candidate[128];
    do std::snprintf(candidate, sizeof candidate, "%s_%ld", prefix, counter.count());
    while (objects.exists(candidate));
    setname(candidate);
}

void Object::setname(const char* s) {
    // The name is checked as it will be stored, with its quotes replaced.
    std::string copy(s);
    std::replace(copy.begin(), copy.end(), '"', '\'');
    if (objects.find(copy.c_str(), 0, nullptr)) return;
    setname1(copy.data());
}

void Object::setname1(char* s) {
    for (char* p = s; *p; ++p)
        if (*p == '"') *p = '\'';
    std::string old(Name.text());
    Name = s;
    if (Order) objects.renamed(this, old.c_str());
}

int Object::setflags(Strings& item) {
    for (int i = 1; i < item.n(); ++i) {
        const char* f = item[i].text();
        if (!std::strncmp(f, "hidden", 6))
            ishidden = 1;
        else if (!std::strncmp(f, "color:", 6))
            setcolor(colorflag(f + 6));
        else if (!std::strcmp(f, "showname"))
            showname = 1;
        else if (!std::strncmp(f, "caption:", 8))
            setcaption(f + 8);
        else if (!std::strncmp(f, "showif:", 7)) {
            std::string why;
            if (!condition(f + 7, why)) return 0;
        } else if (!setspecialflag(f) && !offsetflag(f, LabelDx, LabelDy))
            return 0;
    }
    return 1;
}

std::string Object::fitcaption(const std::string& text) {
    std::string fit;
    int n = 0;
    for (std::size_t i = 0; i < text.size() && n < CaptionMax; ++n) {
        std::size_t end = i + 1;
        while (end < text.size() && continues(text[end])) ++end;
        const char c = text[i];
        if (c == '"')
            fit += '\'';
        else if (c == '\n' || c == '\r' || c == '\t')
            fit += ' ';
        else
            fit.append(text, i, end - i);
        i = end;
    }
    return fit;
}

int Object::depmarked() {
    for (Object* o : Parents(this))
        if (o->mark) return 1;
    return 0;
}

::Color Object::drawcolor(const PS& ps) const {
    const int modern = ps.modern();
    // The modern look shows a highlight as a glow, in the object's colour.
    if (highlight && !modern) return objectcolors.highlight();
    if (ishidden || !conditionholds()) return fillcolor(ps);
    if (ObjectColors::custom(Color)) return ObjectColors::rgb(Color);
    return objectcolors.dark(static_cast<int>(Color), modern);
}

::Color Object::fillcolor(const PS& ps) const {
    if (ObjectColors::custom(Color))
        return mix(ObjectColors::rgb(Color), ::Color(255, 255, 255), 0.55);
    return objectcolors.light(static_cast<int>(Color), ps.modern());
}

namespace {

// Walks the pieces of a label: runs in the normal font, ASCII characters
// after a backslash in the symbol font, an escaped backslash as one normal
// character.
// piece(text, n, symbol) measures or draws one piece.
template <class F> void pieces(const char* s, F piece) {
    const char* p = s;
    while (*p) {
        if (*p != '\\') {
            const char* q = p;
            while (*q && *q != '\\') ++q;
            piece(p, static_cast<int>(q - p), false);
            p = q;
        } else if (p[1] == '\\') {
            piece(p + 1, 1, false);
            p += 2;
        } else if (static_cast<unsigned char>(p[1]) >= 0x80) {
            // A letter beyond ASCII has no place in the symbol layout: it is
            // drawn whole, as it is.
            int n = static_cast<int>(characterbytes(p + 1, 1));
            piece(p + 1, n, false);
            p += 1 + n;
        } else if (p[1]) {
            piece(p + 1, 1, true);
            p += 2;
        } else {
            break; // a backslash at the end ends the label
        }
    }
}

Font* normalfont() {
    return pfont ? pfont : font;
}
Font* symbolicfont() {
    return pfont ? psymbolfont : symbolfont;
}

// Writes one piece at the current position, advancing it.
void write(PS& ps, const char* p, int n, bool symbol) {
    char run[PS::MaxRun + 1];
    n = std::min(n, static_cast<int>(PS::MaxRun));
    std::memcpy(run, p, static_cast<std::size_t>(n));
    run[n] = 0;
    if (symbol && symbolicfont()) ps.font(*symbolicfont());
    ps.text(0, 0, run);
    if (symbol && normalfont()) ps.font(*normalfont());
}

void writeall(PS& ps, const char* s) {
    pieces(s, [&ps](const char* p, int n, bool symbol) { write(ps, p, n, symbol); });
}

} // namespace

void drawtext1(PS& ps, int x, int y, const char* s) {
    ps.alignment(0, 4, 0);
    ps.move(x, y);
    writeall(ps, s);
}

void textsize(PS& ps, const char* s, int& w, int& h) {
    w = h = 0;
    pieces(s, [&](const char* p, int n, bool symbol) {
        if (symbol && symbolicfont()) ps.font(*symbolicfont());
        int pw, ph;
        ps.textextent(p, n, pw, ph);
        w += pw;
        h = ph;
        if (symbol && normalfont()) ps.font(*normalfont());
    });
}

void drawtextat(PS& ps, int left, int top, const char* s) {
    ps.alignment(0, 3, 0);
    ps.move(left, top);
    writeall(ps, s);
}

void drawtext(PS& ps, int x, int y, const char* s) {
    int w, h;
    textsize(ps, s, w, h);
    drawtextat(ps, x - w / 2, y - h / 2, s);
}

int styleflag(const char* s, int& linetype, int& objectclass) {
    if (!std::strcmp(s, "thick"))
        linetype = 1;
    else if (!std::strcmp(s, "dotted"))
        linetype = 2;
    else if (!std::strcmp(s, "fixed"))
        objectclass |= CFixed;
    else
        return 0;
    return 1;
}

void writestyle(FlagSink* io, int linetype, int objectclass) {
    if (linetype == 1) io->flag("thick");
    if (linetype == 2) io->flag("dotted");
    if (objectclass & CFixed) io->flag("fixed");
}

Pen* stylepen(Color c, int linetype) {
    if (linetype == 1) return new Pen(c, 3);
    if (linetype == 2) return new Pen(c, 1, Pen::Dotted);
    return nullptr;
}

int arg(double vx, double vy, double* phi) {
    if (std::fabs(vx) < 1e-15 && std::fabs(vy) < 1e-15) return 0;
    *phi = std::atan2(vy, vx);
    return 1;
}

std::string shownname(const char* name, const PS& ps) {
    static const char* const words[24] = {
        "alpha", "beta",  "gamma",  "delta",   "epsilon", "zeta", "eta",     "theta",
        "iota",  "kappa", "lambda", "mu",      "nu",      "xi",   "omicron", "pi",
        "rho",   "sigma", "tau",    "upsilon", "phi",     "chi",  "psi",     "omega"};
    if (!ps.modern()) return name;
    for (int i = 0; i < 24; ++i) {
        const bool capital = std::toupper(static_cast<unsigned char>(words[i][0])) == name[0];
        if ((name[0] == words[i][0] || capital) && !std::strcmp(name + 1, words[i] + 1)) {
            // The capitals lie 32 below the small letters; final sigma
            // (U+03C2) is skipped by the small ones.
            unsigned code =
                (capital ? 0x391 : 0x3B1) + static_cast<unsigned>(i) + (i >= 17 ? 1 : 0);
            std::string s;
            s += static_cast<char>(0xC0 | code >> 6);
            s += static_cast<char>(0x80 | (code & 0x3F));
            return s;
        }
    }
    return name;
}

std::string valuetext(const PS& ps, const char* name, double value, const char* unit) {
    char v[400];
    if (!ps.modern()) {
        std::snprintf(v, sizeof v, "%g", value);
        return name ? std::string(name) + "=" + v : v;
    }
    const int places = std::clamp(view().Decimals, 0, 10);
    std::snprintf(v, sizeof v, "%.*f", places, value);
    // No "-0" for a value that rounds to nothing.
    std::string s = v;
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    s += unit;
    return name ? shownname(name, ps) + " = " + s : s;
}
