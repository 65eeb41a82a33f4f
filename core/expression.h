// Expressions of numbers and named number objects: + - * / ^, parentheses,
// sqrt, abs, sin, cos, tan, asin, acos, atan (in degrees), min, max and pi,
// and a comparison of two of them (< > <= >= = != and their Unicode signs;
// more only in parentheses), which is 1 when it holds and 0 when not.
// Parsed once into a program for a small stack machine, evaluated at every
// recomputation.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class Object;

class Expression {
  public:
    // What a name stands for: an object with a value, or null when the
    // name is none that may be used here.
    using Lookup = std::function<Object*(const std::string& name)>;
    // What the value of a named object is now; NaN while it has none.
    using Value = std::function<double(Object* o)>;

    // Parses text; false with the reason and the byte where the fault is
    // when it is no expression.
    bool parse(const std::string& text, const Lookup& lookup);
    // The value; NaN when a name has no value or the result is not finite.
    double evaluate(const Value& value) const;

    // The text, with the present names of the objects it names (they may
    // have been renamed since it was parsed).
    std::string text() const;
    // The objects the names stand for, each once, in the order they appear.
    const std::vector<Object*>& names() const { return Names; }
    std::string Why;    // why the last parse failed
    std::size_t At = 0; // where

    // The deepest nesting of parentheses, signs and powers taken.
    enum { MaxDepth = 200 };

  private:
    enum Code { Number, Name, Add, Sub, Mul, Div, Pow, Neg, Call1, Call2, Compare };
    struct Step {
        Code code;
        double x = 0; // a number
        int i = 0;    // a name's place in Names, or a function's number
    };
    std::string Text;
    // Where each name stands in Text: its first byte, its length and its
    // place in Names.
    struct Span {
        std::size_t At, Length;
        int Name;
    };
    std::vector<Span> Spans;
    std::vector<Step> Program;
    std::vector<Object*> Names;
    int Stack = 0; // the deepest the stack gets
    friend class ExpressionParser;
};
