// The records of construction files: one writer and reader per object kind,
// chained in the list iolist, and the record parser Input shared by
// construction files and macro steps.
#pragma once

#include "object.h"
#include "textstrings.h"

#include <string>
#include <vector>

class Input;
class Pointprim;

// The writer and reader of one kind of record, named by its keyword.
class IO : public FlagSink {
  public:
    explicit IO(const char* name);
    ~IO() override = default;
    IO(const IO&) = delete;
    IO& operator=(const IO&) = delete;

    // The record of o with its line end; empty for objects written with
    // another object's record.
    virtual const char* write(Object* o);
    // The second item of a record, where there is one.
    virtual void reswrite(Object*) {}
    // The parameters.
    virtual void depwrite(Object*) {}
    // Makes the objects of a parsed record; 1 when they were made and named.
    virtual int interpret(Input&) { return 0; }
    // Whether the record holds a list without a small bound (a polygon's
    // vertices), so that its line may be longer than other records'.
    virtual int longrecord() const { return 0; }
    // Whether the record's quoted parameters are texts (an expression, a
    // caption) rather than names: longer, and with escapes (Input::text).
    virtual int texts() const { return 0; }

    // The one-line description of o.
    const char* writeclear(Object* o);

    void flag(const char* text) override;
    // An item: the quoted name and the flags of o.
    void resadd(Object* o);
    // A second item, after the first.
    void item(Object* o);
    // A parameter naming o.
    void depadd(Object* o);
    // A numeric parameter.
    void number(const char* text);
    // A quoted text parameter, its double quotes, backslashes and line
    // breaks escaped.
    void text(const std::string& t);
    // A "," unless the record has just opened a list.
    void comma();

    std::string S;
    String Name;
    IO* Next = nullptr;
};

// Second intersection points, the lines of parallels and perpendiculars and
// the circles of circle3: written with the record of the object they belong to.
class NoIO : public IO {
  public:
    NoIO() : IO("otherintersection") {}
    const char* write(Object*) override { return ""; }
};

class IOList {
  public:
    // Parses one record and lets the writer of its keyword make its objects;
    // 0 when the line does not parse or the record fails.
    int interpret(const char* line);
    // The writer of a keyword; null when there is none.
    IO* find(const char* name) const;
    // Whether a line is a record of a long list (IO::longrecord), which may
    // take a longer line than other records.
    bool longrecord(const char* line) const;
    IO* First = nullptr;
};

extern IOList iolist;

// Points the model's writers of calculations, sliders, check boxes, texts and
// circles with a number radius at theirs; part of installing the writers.
void installnumberrecords();

class Input {
  public:
    // The most left items (a regular polygon's record has one per new
    // vertex) and parameters (a polygon's record one per vertex).
    enum { Max = 100, MaxParameters = 1000 };
    // Parses a record; 0 when it does not follow the record syntax.
    int read(const char* line);
    // The object that parameter i names, of a class in mask; null when none.
    Object* object(int i, int mask);
    // The points that the first n parameters name; 0 when one is missing.
    int points(Pointprim** p, int n);
    // The number of parameter i; 0 when it is none.
    int number(int i, double& x);
    // Whether parameter i was written as a quoted text: a name.
    int quoted(int i) const;
    // The whole quoted text of parameter i of a record of texts; null when
    // it is none.
    const std::string* text(int i) const;
    // Gives o the name of left item i and applies its flags; 0 when the name
    // is taken or a flag is unknown.
    int set(Object* o, int i);
    // Whether the record has n left items and m parameters.
    int shape(int n, int m) const { return Nleft == n && Right.n() == m; }

    std::vector<Strings> Left; // the items read, and slots kept for more
    int Nleft = 0;
    String Name;
    Strings Right{MaxParameters};
    std::vector<char> Quoted;       // for each parameter: written in quotes
    std::vector<std::string> Texts; // a record of texts: each parameter whole
    // Why the last record failed, when the parser knows more than that it
    // failed: "the name A is used twice"; empty otherwise.
    std::string Reason;
};

extern Input input;

// A text as a record's parameter: in quotes, with quotes and backslashes
// escaped and line ends as "\n".
std::string quotedtext(const std::string& t);
// A number as the files write it: "%0.15f" for coordinates, "%g" for the
// rest, each in the shortest exact form when that one would lose digits; "."
// as the decimal separator in every locale.
std::string fixed15(double x);
std::string general(double x);
// "%g" exactly, also when it loses digits (the view line).
std::string general6(double x);
