// The base of every construction object, the name counters, the object
// colours with their filter, and label drawing.
#pragma once

#include "flags.h"
#include "ps.h"
#include "textstrings.h"

#include <memory>
#include <string>
#include <vector>

class Expression;
class IO;
class Strings;

// Where an object writes its file flags: the construction file's writers.
class FlagSink {
  public:
    virtual ~FlagSink() = default;
    // Appends one flag to the record being written.
    virtual void flag(const char* text) = 0;
};

// Where an object gives its computed numbers, each under a name: the JSON
// view of a construction.
class ValueSink {
  public:
    virtual ~ValueSink() = default;
    virtual void number(const char* key, double x) = 0;
    // A list of n numbers.
    virtual void numbers(const char* key, const double* v, int n) = 0;
    // A list of n points, their coordinates x, y one after the other.
    virtual void points(const char* key, const double* xy, int n) = 0;
    virtual void text(const char* key, const std::string& s) = 0;
};

const double EPS = 1e-10;

// The room for an object's description and label (writeclear): three names
// of 63 characters of up to four bytes each and the words around them.
const int DescriptionMax = 1024;

// What of an object the user can change and undo gives back, besides its
// name (which the list reports when it changes): colour, kind bits and
// flags, and the numbers of its kind (a position, a fixed size, a line type).
struct ObjectState {
    long Color = 0;
    int Class = 0;
    int Flags = 0;
    double V[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int I[3] = {0, 0, 0};
    std::string T;            // a text of the kind: an expression, a caption
    std::string Condition;    // the condition the object is shown under
    double Label[2] = {0, 0}; // the offset of its label
    std::string Caption;      // the text its label shows in place of its name
    // Numbers compare bit for bit, so an unchanged NaN is unchanged.
    bool operator==(const ObjectState& s) const;
    bool operator!=(const ObjectState& s) const { return !(*this == s); }
};

// Kind bits of Object::Class.
enum {
    CPoint = 1,
    CBasic = 2,
    CStraight = 4,
    CCircle = 8,
    CMovable = 32,
    CHelp = 64,
    CFixed = 128,
    CSegment = 256,
    CVector = 512,
    CAngle = 1024,
    CArc = 2048,    // a piece of a circle (also CCircle) or a sector
    CRegion = 4096, // a filled polygon or sector
    CNumber = 8192, // a number: a measure or a calculation
    CText = 16384,  // a text
    CLocus = 32768  // the path of a point
};

// The most objects an object gives through dep; a polygon gives its
// vertices through alldep instead.
const int DepMax = 3;

// The writers of construction files, one per kind; the file layer installs
// them. Null while it is not part of the program.
extern IO* defaultio;
extern IO* noio;
extern IO* pointio;
extern IO* lineio;
extern IO* rayio;
extern IO* segmentio;
extern IO* circleio;
extern IO* circle3io;
extern IO* intersectionio;
extern IO* middleio;
extern IO* parallelio;
extern IO* rectangulario;
extern IO* pointonio;
extern IO* angleio;
extern IO* circlethroughio;
extern IO* bisectorio;
extern IO* midperpendiculario;
extern IO* tangentsio;
extern IO* vectorio;
extern IO* reflectio;
extern IO* rotateio;
extern IO* translateio;
extern IO* dilateio;
extern IO* polygonio;
extern IO* regularpolygonio;
extern IO* arc3io;
extern IO* arcio;
extern IO* semicircleio;
extern IO* sectorio;
extern IO* sector3io;
extern IO* distanceio;
extern IO* lengthio;
extern IO* radiusio;
extern IO* anglesizeio;
extern IO* areaio;
extern IO* perimeterio;
extern IO* slopeio;
extern IO* calculateio;
extern IO* sliderio;
extern IO* checkboxio;
extern IO* textio;
extern IO* circleradiusio;
extern IO* locusio;

class Count {
  public:
    long count() { return C++; }
    long C = 1;
    Count* Next = nullptr;
};

class Counts {
  public:
    void add(Count& c);
    void reset();
    Count* First = nullptr;
};

extern Counts counts;
extern Count objectcount, pointcount, linecount, raycount, segmentcount, circlecount, middlecount,
    iscount, pointoncount, anglecount, vectorcount, imagecount, polygoncount, arccount, sectorcount,
    numbercount, textcount, locuscount;

class ObjectColors {
  public:
    enum { N = 6 };
    static const Color Light[N], Dark[N];
    static const Color ModernLight[N], ModernDark[N]; // the modern look's shades
    static const char* const Name[N];
    int Defcolor = 0;
    int Chosen[N] = {1, 1, 1, 1, 1, 1};

    int index(const char* name) const;
    void all();
    void none();
    Color light(int i, int modern = 0) const { return (modern ? ModernLight : Light)[valid(i)]; }
    Color dark(int i, int modern = 0) const { return (modern ? ModernDark : Dark)[valid(i)]; }
    const char* name(int i) const { return Name[valid(i)]; }
    int defcolor() const { return Defcolor; }
    void defcolor(int i) { Defcolor = valid(i); }
    void choose(int i, int f) { Chosen[valid(i)] = f ? 1 : 0; }
    int chosen(int i) const { return Chosen[valid(i)]; }
    Color highlight() const { return Color(200, 0, 0); }
    Color glow() const { return Color(255, 196, 90); } // the modern look's highlight
    Color gridcolor() const { return Color(100, 100, 100); }
    static int valid(int i) { return i >= 0 && i < N ? i : 0; }
    // A colour of any value: this bit and its red, green and blue.
    enum : long { Custom = 0x1000000L };
    static bool custom(long c) { return (c & Custom) != 0; }
    static Color rgb(long c) {
        return Color(static_cast<int>(c >> 16 & 255), static_cast<int>(c >> 8 & 255),
                     static_cast<int>(c & 255));
    }
    static long custom(Color c) {
        return Custom | static_cast<long>(c.red()) << 16 | c.green() << 8 | c.blue();
    }
    // The index of a colour for the colour filter: any other colour counts
    // as the nearest of the six (as the modern look draws them).
    static int group(long c);
};

extern ObjectColors objectcolors;

// The colour of a file's "color:" flag ("#rrggbb" or a name), and the word
// for a colour there.
long colorflag(const char* s);
std::string colorword(long c);

// A name as it is shown: in the modern look a Greek letter's name ("alpha",
// "Gamma") is the letter.
std::string shownname(const char* name, const PS& ps);
// A value as it is shown, after its name when name is not null: classic
// "name=value" in six digits; modern "name = value" with the view's places
// after the point and the unit.
std::string valuetext(const PS& ps, const char* name, double value, const char* unit);

class Object {
  public:
    Object();
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual void draw(PS&) {}
    // The fill of a region, drawn before every outline, point and label.
    virtual void drawfill(PS&) {}
    virtual double distance(double, double) { return 1e10; }
    virtual void update() {}
    virtual int dep(Object**) { return 0; }
    // The objects computed from, when there can be more than DepMax of
    // them; null for the kinds that give them through dep.
    virtual const std::vector<Object*>* alldep() const { return nullptr; }
    virtual Object* original() { return this; }
    virtual int project(double*, double*) { return 1; }
    // The size of the numbers the object is computed with (its coordinates
    // and radius): distances to it carry rounding errors relative to it.
    virtual double magnitude() const { return 0; }
    virtual void writeclear(char* s);
    virtual void writespecialflags(FlagSink*) {}
    // The numbers the object is computed to, while it is valid.
    virtual void values(ValueSink&) const {}
    virtual int setspecialflag(const char*) { return 0; }
    virtual void edit() {}
    virtual void getstate(ObjectState& s) const;
    virtual void setstate(const ObjectState& s);
    // The state of a drawn line, circle or angle: the object's own, its line
    // type, and its size (length, radius, angle) only while it is fixed (else
    // the size is derived); flag, its label flag, goes after the line type.
    void drawnstate(ObjectState& s, double size, int linetype, int flag) const;
    void setdrawnstate(const ObjectState& s, double& size, int& linetype, Flag& flag);

    Object* next() const { return Next; }
    void next(Object* o) { Next = o; }
    Object* previous() const { return Previous; }
    void previous(Object* o) { Previous = o; }
    int objectclass() const { return Class; }
    void objectclass(int c) { Class = c; }
    long color() const { return Color; }
    void setcolor(long c) {
        Color = ObjectColors::custom(c) ? c & (ObjectColors::Custom | 0xffffffL)
                                        : ObjectColors::valid(static_cast<int>(c));
    }
    int hidden() const;
    const char* name() const { return Name.text(); }
    void setname(const char* prefix, Count& counter);
    void setname(const char* s);
    void setname1(char* s);
    void setio(IO* io) { Io = io; }
    IO* io() const { return Io; }
    int depmarked();
    // Applies the flags of a record's item (texts 1 on; text 0 is the name):
    // hidden, colour and name flags, the rest by the kind; 0 when the kind
    // does not know one.
    int setflags(Strings& item);
    // Shows the object only while an expression of earlier number objects
    // is true (not 0): "b" for a check box, "d > 3"; an empty text shows it
    // always. False with the reason in why when the text is no such
    // expression.
    bool condition(const std::string& text, std::string& why);
    // The text of the condition; empty when there is none.
    std::string condition() const;
    // Whether the condition holds: true without one, false while it has no
    // value.
    bool conditionholds() const;
    // The number objects the condition reads; null when there is none.
    const std::vector<Object*>* conditionnames() const;
    // The colour this object draws in now.
    // The colour the object is drawn in, and the light one of its inside.
    ::Color drawcolor(const PS& ps) const;
    ::Color fillcolor(const PS& ps) const;

    Object* Next = nullptr;
    Object* Previous = nullptr;
    int Class = 0;
    long Color;
    String Name;
    IO* Io;
    Flag mark;
    Flag valid;
    Flag showname;
    Flag ishidden;
    FixFlag highlight;

    // The position of the object in its list, kept by the list; 0 outside it.
    unsigned long Order = 0;
    // Where its label was dragged: pixels right and down of its own place.
    double LabelDx = 0, LabelDy = 0;
    // What its label shows in place of its name; empty: its name. At most
    // CaptionMax characters, no double quote (one is taken as ') and no line
    // break, so that it stands in a record's flag.
    std::string Caption;
    enum { CaptionMax = 200 };
    const char* labelname() const { return Caption.empty() ? Name.text() : Caption.c_str(); }
    // Sets the caption from any text, made fit as above.
    void setcaption(const std::string& text) { Caption = fitcaption(text); }
    static std::string fitcaption(const std::string& text);
    // The condition the object is drawn under; null: always.
    std::unique_ptr<Expression> ShownIf;

  protected:
    // An object outside the list, unnamed: the stand-in for the defining
    // points of lines and circles placed by a rule.
    struct Unlisted {};
    explicit Object(Unlisted);
    // Marks the constructors of kinds that leave the name to the caller.
    struct Unnamed {};
};

// The objects o is computed from, however many: read them through this
// rather than dep.
class Parents {
  public:
    explicit Parents(Object* o) {
        const std::vector<Object*>* all = o->alldep();
        if (all) {
            P = all->data();
            N = static_cast<int>(all->size());
        } else {
            N = o->dep(Few);
            P = Few;
        }
        // What its condition reads is computed before it too.
        if (const std::vector<Object*>* c = o->ShownIf ? o->conditionnames() : nullptr) {
            More.assign(P, P + N);
            More.insert(More.end(), c->begin(), c->end());
            P = More.data();
            N = static_cast<int>(More.size());
        }
    }
    Parents(const Parents&) = delete;
    Parents& operator=(const Parents&) = delete;
    int size() const { return N; }
    Object* operator[](int i) const { return P[i]; }
    Object* const* begin() const { return P; }
    Object* const* end() const { return P + N; }

  private:
    Object* Few[DepMax] = {};
    std::vector<Object*> More;
    Object* const* P;
    int N;
};

// The file flags of drawn lines, circles and angles: "thick" and "dotted"
// set the line type, "fixed" the fixed bit; 1 when s is one of them.
int styleflag(const char* s, int& linetype, int& objectclass);
// Writes the file flags of a line type and the fixed bit.
void writestyle(FlagSink* io, int linetype, int objectclass);
// The pen of a line type in colour c: thick (1) or dotted (2); null for the
// surface's own pen (0). The caller deletes it.
Pen* stylepen(Color c, int linetype);

// Label texts (a backslash puts the next character in the symbol font):
// centred at pixel (x, y), from its left and bottom edge, from its left
// and top edge; and the width and height of one.
void drawtext(PS& ps, int x, int y, const char* s);
void drawtext1(PS& ps, int x, int y, const char* s);
void drawtextat(PS& ps, int left, int top, const char* s);
void textsize(PS& ps, const char* s, int& w, int& h);
int arg(double vx, double vy, double* phi);
