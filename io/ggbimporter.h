// The work of one import: GeoGebra's objects in their order, each made as
// the records of Gyrel's kinds, checked against the values GeoGebra stored.
#pragma once

#include "ggbimport.h"
#include "ggbxml.h"

#include <map>
#include <string>
#include <vector>

class Object;

// The attributes a0, a1, ... of a node (a command's inputs or outputs) in
// the order of their numbers.
std::vector<std::string> numbered(const XmlNode* n);
// The place of homogeneous coordinates x, y, z (z 1 when not given), as
// GeoGebra stores points; false when n is null or the place not finite.
bool storedplace(const XmlNode* n, double& x, double& y);
// Whether a byte starts a GeoGebra name (letters, any byte of a letter
// beyond ASCII), and whether it may stand in one (digits, "_" and "'" too).
bool namestart(unsigned char c);
bool namebyte(unsigned char c);
// A text of LaTeX as plain text: signs and Greek letters as their
// characters, fractions as a/b, overlined letters with a combining overline,
// groups and spacing commands gone. Any other byte stays as it is.
std::string plainlatex(const std::string& latex);

class GgbImporter {
  public:
    // What a GeoGebra object became, by kind.
    enum Kind {
        KPoint = 1,
        KLine = 2, // lines and rays
        KSegment = 4,
        KVector = 8,
        KCircle = 16, // whole circles
        KArc = 32,    // arcs and semicircles
        KSector = 64,
        KPolygon = 128,
        KAngle = 256,
        KNumber = 512,
        KBool = 1024,
        KText = 2048,
        KLocus = 4096,
        KSlider = 8192, // a number shown in the picture
        KStraight = KLine | KSegment | KVector,
        KRound = KCircle | KArc | KSector,
    };
    struct Made {
        std::string Name; // Gyrel's
        int K = 0;
        std::vector<std::string> Points; // a segment's ends, a polygon's vertices
    };

    // Imports the construction of root, with the tools defined in macros
    // (the root of geogebra_macro.xml; null when the file has none).
    GgbImport run(const XmlNode& root, const XmlNode* macros = nullptr);

  private:
    // An input of a command: an object made, or a number.
    struct Arg {
        const Made* M = nullptr;
        double X = 0;
        bool Number = false;
        std::string Text; // as the file wrote it
    };

    void view(const XmlNode& geogebra);
    void element(const XmlNode& e);
    void command(const XmlNode& c);
    void expression(const XmlNode& e);
    // Makes what a use of a tool of the file makes: the tool's construction
    // with its inputs and outputs standing for the use's, its other objects
    // hidden and named apart.
    void macro(const XmlNode& m, const std::vector<std::string>& inputs,
               const std::vector<std::string>& outputs, const std::string& what);

    // The Gyrel name for a GeoGebra label: the label itself where it can be.
    std::string name(const std::string& label);
    // A GeoGebra expression of numbers as Gyrel's calculation; false with
    // the reason when it holds what Gyrel cannot compute.
    bool numeric(const std::string& exp, std::string& out, std::string& why);
    // The Gyrel name of the number label stands for in arithmetic: a
    // number's, a segment's length, a polygon's area (made once, hidden);
    // empty when it stands for none.
    std::string numbername(const std::string& label);
    // Makes label, a point given as a point plus vectors times numbers
    // ("A + a UnitVector[v]"), as translations; false when exp is none.
    bool pointsum(const std::string& label, const std::string& exp, std::string& why);
    // A point "(x, y)" of two expressions of numbers: the origin moved along
    // the axes by their values. False when exp is not of that form.
    bool coordinates(const std::string& label, const std::string& exp, std::string& why);
    // Whether label is an angle (its value counts in radians in GeoGebra).
    bool isangle(const std::string& label) const;
    // The flags of a record for the style GeoGebra stored for label.
    std::string flags(const std::string& label, int kind);
    // Makes the record keyword(args) with the labels as its items (an empty
    // label: a hidden object of Gyrel's naming); false, with the outputs
    // dropped for reason, when Gyrel does not read it.
    bool make(const std::vector<std::string>& labels, const std::vector<int>& kinds,
              const std::string& keyword, const std::vector<std::string>& args,
              const std::string& what, std::vector<Object*>* made = nullptr);
    // A hidden object of its own to build others on (the centre of a
    // rotation about the origin, a compass's radius): its name, or empty
    // when Gyrel cannot make it.
    std::string helper(const std::string& keyword, const std::vector<std::string>& args);
    // The argument text of an object made, quoted.
    static std::string quoted(const Made& m);
    // Reads an input: a label of an object made, or a number.
    Arg arg(const std::string& text) const;
    // Makes what an input that is no label stands for, a command of its own
    // ("Segment[A, B]") or a point of two numbers ("(1, 2)"), as a hidden
    // object known as Inner + text; whether there is one.
    bool inner(const std::string& text);
    // Drops an object, telling what made it and why: what is the command
    // or expression that made it, or (made false) the words that name a
    // free object ("Function f").
    void drop(const std::string& label, const std::string& what, const std::string& reason,
              bool made = true);
    // Compares what label became with the values GeoGebra stored for it.
    void check(const std::string& label);
    // Puts a pair of objects made for two labels (crossing points,
    // tangents) in the order of the places GeoGebra stored for them.
    void order(Object* first, Object* second, const std::string& a, const std::string& b);
    const XmlNode* stored(const std::string& label) const;

    // What each command does, by its name.
    bool geometry(const std::string& cmd, const std::vector<Arg>& in,
                  const std::vector<std::string>& out, const std::string& what);
    bool measures(const std::string& cmd, const std::vector<Arg>& in,
                  const std::vector<std::string>& out, const std::string& what);

    std::map<std::string, Made> Known;
    std::map<std::string, std::string> Gone;     // labels dropped: why
    std::map<std::string, std::string> Measured; // labels: their measure's name
    std::map<std::string, const XmlNode*> Elements;
    std::map<std::string, const XmlNode*> Macros; // the file's tools by command name
    int Expansions = 0;                           // uses of tools made
    double Scale = 1;                             // the view's size, for comparing places
    const std::string Inner = "\x01";             // what inputs made of their own are known by
    int Depth = 0;                                // commands inside inputs being made
    // GeoGebra's view: the origin's pixel and the pixels of a unit.
    double X0 = 215, Y0 = 315, XScale = 50, YScale = 50;
    GgbImport R;
};
