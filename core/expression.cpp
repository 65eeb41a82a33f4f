#include "expression.h"
#include "object.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

const double Degree = M_PI / 180;

// The sine of x degrees, exact where the result is a whole or a half.
double sindeg(double x) {
    double r = std::fmod(x, 360.0);
    if (r < 0) r += 360;
    if (r == 0 || r == 180) return 0;
    if (r == 90) return 1;
    if (r == 270) return -1;
    if (r == 30 || r == 150) return 0.5;
    if (r == 210 || r == 330) return -0.5;
    return std::sin(r * Degree);
}

double cosdeg(double x) {
    return sindeg(x + 90);
}

const char* const Functions[] = {"sqrt", "abs",  "sin",  "cos", "tan",
                                 "asin", "acos", "atan", "min", "max"};
const int Unary = 8; // the first eight take one number, the rest two

double call(int f, double a, double b) {
    switch (f) {
    case 0:
        return a >= 0 ? std::sqrt(a) : NAN;
    case 1:
        return std::fabs(a);
    case 2:
        return sindeg(a);
    case 3:
        return cosdeg(a);
    case 4: {
        double c = cosdeg(a);
        return c == 0 ? NAN : sindeg(a) / c;
    }
    case 5:
        return a >= -1 && a <= 1 ? std::asin(a) / Degree : NAN;
    case 6:
        return a >= -1 && a <= 1 ? std::acos(a) / Degree : NAN;
    case 7:
        return std::atan(a) / Degree;
    case 8:
        return std::min(a, b);
    default:
        return std::max(a, b);
    }
}

// 1 when a op b holds, else 0; NaN when either is. Equal means equal up to
// the rounding of the computations that gave them.
double compare(int op, double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return NAN;
    const bool equal = std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
    switch (op) {
    case 0:
        return a < b && !equal;
    case 1:
        return a > b && !equal;
    case 2:
        return a < b || equal;
    case 3:
        return a > b || equal;
    case 4:
        return equal;
    default:
        return !equal;
    }
}

bool namebyte(unsigned char c, bool first) {
    return std::isalpha(c) || c == '_' || c == '\'' || c >= 0x80 || (!first && std::isdigit(c));
}

} // namespace

// A recursive descent over the text, writing the program as it goes.
class ExpressionParser {
  public:
    ExpressionParser(Expression& e, const Expression::Lookup& lookup) : E(e), Find(lookup) {}

    bool run() {
        if (!comparison(0)) return false;
        blanks();
        if (P < E.Text.size()) return fail("an operator or the end expected");
        return true;
    }

  private:
    // Unicode signs taken for their ASCII ones.
    bool sign(char ascii, const char* utf8) {
        blanks();
        if (ascii && P < E.Text.size() && E.Text[P] == ascii) {
            ++P;
            return true;
        }
        std::size_t n = std::strlen(utf8);
        if (n && E.Text.compare(P, n, utf8) == 0) {
            P += n;
            return true;
        }
        return false;
    }
    void blanks() {
        while (P < E.Text.size() && (E.Text[P] == ' ' || E.Text[P] == '\t')) ++P;
    }
    bool fail(const char* why) {
        E.Why = why;
        E.At = P;
        return false;
    }
    void emit(Expression::Code c, double x = 0, int i = 0, int grow = 0) {
        E.Program.push_back({c, x, i});
        Depth += grow;
        E.Stack = std::max(E.Stack, Depth);
    }
    bool deeper(int level) { return level < Expression::MaxDepth || fail("nested too deeply"); }

    // A sum, or two sums compared: 1 when the comparison holds, else 0.
    bool comparison(int level) {
        if (!sum(level)) return false;
        // The two-byte signs before their one-byte beginnings.
        static const struct {
            char ascii;
            const char* text;
            int op;
        } ops[] = {{0, "<=", 2},           {0, ">=", 3},
                   {0, "==", 4},           {0, "!=", 5},
                   {0, "\xe2\x89\xa4", 2}, {0, "\xe2\x89\xa5", 3},
                   {0, "\xe2\x89\xa0", 5}, {'<', "", 0},
                   {'>', "", 1},           {'=', "", 4}};
        for (const auto& o : ops) {
            if (!sign(o.ascii, o.text)) continue;
            if (!sum(level)) return false;
            emit(Expression::Compare, 0, o.op, -1);
            return true;
        }
        return true;
    }
    // level counts the parentheses, signs and powers around: each grammar
    // layer passes it on, and only a nesting adds to it.
    bool sum(int level) {
        if (!deeper(level) || !product(level)) return false;
        for (;;) {
            if (sign('+', "")) {
                if (!product(level)) return false;
                emit(Expression::Add, 0, 0, -1);
            } else if (sign('-', "\xe2\x88\x92")) {
                if (!product(level)) return false;
                emit(Expression::Sub, 0, 0, -1);
            } else {
                return true;
            }
        }
    }
    bool product(int level) {
        if (!deeper(level) || !power(level)) return false;
        for (;;) {
            if (sign('*', "\xc3\x97")) {
                if (!power(level)) return false;
                emit(Expression::Mul, 0, 0, -1);
            } else if (sign('/', "\xc3\xb7")) {
                if (!power(level)) return false;
                emit(Expression::Div, 0, 0, -1);
            } else {
                return true;
            }
        }
    }
    // A power binds to the right and tighter than a sign before it:
    // -2^2 is -4, 2^-1 is 0.5.
    bool power(int level) {
        if (!deeper(level)) return false;
        if (sign('-', "\xe2\x88\x92")) {
            if (!power(level + 1)) return false;
            emit(Expression::Neg);
            return true;
        }
        if (sign('+', "")) return power(level + 1);
        if (!primary(level)) return false;
        if (sign('^', "")) {
            if (!power(level + 1)) return false;
            emit(Expression::Pow, 0, 0, -1);
        }
        return true;
    }
    bool primary(int level) {
        if (!deeper(level)) return false;
        blanks();
        if (P >= E.Text.size()) return fail("a number or a name expected");
        const char* begin = E.Text.data() + P;
        unsigned char c = static_cast<unsigned char>(*begin);
        if (std::isdigit(c) || c == '.') {
            double x;
            auto r = std::from_chars(begin, E.Text.data() + E.Text.size(), x);
            if (r.ec != std::errc() || !std::isfinite(x)) return fail("no number");
            P += static_cast<std::size_t>(r.ptr - begin);
            emit(Expression::Number, x, 0, 1);
            return true;
        }
        if (sign('(', "")) {
            if (!comparison(level + 1)) return false;
            if (!sign(')', "")) return fail("a \")\" expected");
            return true;
        }
        if (E.Text.compare(P, 2, "\xcf\x80") == 0) { // pi
            P += 2;
            emit(Expression::Number, M_PI, 0, 1);
            return true;
        }
        if (c == '{') {
            // A name in braces: up to the first "}" that ends the name of a
            // number, so that a name may hold braces itself ("a_{1}").
            std::size_t start = P, close = E.Text.find('}', P + 1);
            if (close == std::string::npos) return fail("a \"}\" expected");
            Object* o = nullptr;
            // A name is at most 63 characters of at most four bytes.
            for (std::size_t end = close; end != std::string::npos && end - P <= 4 * 63 + 1 && !o;
                 end = E.Text.find('}', end + 1))
                if ((o = Find(E.Text.substr(P + 1, end - P - 1)))) close = end;
            if (!o) return fail("no number of that name");
            P = close + 1;
            return found(o, start, P - start);
        }
        if (!namebyte(c, true)) return fail("a number or a name expected");
        std::size_t start = P;
        while (P < E.Text.size() && namebyte(static_cast<unsigned char>(E.Text[P]), false)) ++P;
        std::string name = E.Text.substr(start, P - start);
        blanks();
        if (P < E.Text.size() && E.Text[P] == '(') return function(name, start, level);
        Object* o = Find(name);
        if (!o && name == "pi") {
            emit(Expression::Number, M_PI, 0, 1);
            return true;
        }
        if (!o) {
            P = start;
            return fail("no number of that name");
        }
        return found(o, start, name.size());
    }
    // The name of o, length bytes at start.
    bool found(Object* o, std::size_t start, std::size_t length) {
        auto at = std::find(E.Names.begin(), E.Names.end(), o);
        if (at == E.Names.end()) at = E.Names.insert(at, o);
        const int index = static_cast<int>(at - E.Names.begin());
        E.Spans.push_back({start, length, index});
        emit(Expression::Name, 0, index, 1);
        return true;
    }
    bool function(const std::string& name, std::size_t start, int level) {
        int f = -1;
        for (int i = 0; i < static_cast<int>(sizeof Functions / sizeof *Functions); ++i)
            if (name == Functions[i]) f = i;
        if (f < 0) {
            P = start;
            return fail("no function of that name");
        }
        ++P; // the "("
        if (!sum(level + 1)) return false;
        if (f >= Unary) {
            if (!sign(',', "")) return fail("a \",\" expected");
            if (!sum(level + 1)) return false;
        }
        if (!sign(')', "")) return fail("a \")\" expected");
        emit(f >= Unary ? Expression::Call2 : Expression::Call1, 0, f, f >= Unary ? -1 : 0);
        return true;
    }

    Expression& E;
    const Expression::Lookup& Find;
    std::size_t P = 0;
    int Depth = 0;
};

bool Expression::parse(const std::string& text, const Lookup& lookup) {
    Text = text;
    Program.clear();
    Names.clear();
    Spans.clear();
    Stack = 0;
    Why.clear();
    At = 0;
    ExpressionParser p(*this, lookup);
    if (p.run()) return true;
    Program.clear();
    Names.clear();
    Spans.clear();
    return false;
}

std::string Expression::text() const {
    std::string t;
    std::size_t p = 0;
    for (const Span& s : Spans) {
        t.append(Text, p, s.At - p);
        // A name that reads back as a name stands bare, any other in braces;
        // so does one that would run into what stands before or after it.
        const std::string name = Names[static_cast<std::size_t>(s.Name)]->name();
        const std::size_t end = s.At + s.Length;
        auto joins = [](char c) {
            return namebyte(static_cast<unsigned char>(c), false) || c == '.' || c == '(';
        };
        bool bare =
            !name.empty() && namebyte(static_cast<unsigned char>(name[0]), true) && name != "pi" &&
            (t.empty() || !joins(t.back())) && (end >= Text.size() || !joins(Text[end])) &&
            std::all_of(name.begin(), name.end(),
                        [](char c) { return namebyte(static_cast<unsigned char>(c), false); });
        t += bare ? name : "{" + name + "}";
        p = s.At + s.Length;
    }
    return t.append(Text, p, std::string::npos);
}

double Expression::evaluate(const Value& value) const {
    if (Program.empty()) return NAN;
    thread_local std::vector<double> stack;
    stack.resize(static_cast<std::size_t>(Stack) + 1);
    double* s = stack.data();
    int n = 0;
    for (const Step& step : Program) {
        switch (step.code) {
        case Number:
            s[n++] = step.x;
            break;
        case Name:
            s[n++] = value(Names[static_cast<std::size_t>(step.i)]);
            break;
        case Add:
            --n, s[n - 1] += s[n];
            break;
        case Sub:
            --n, s[n - 1] -= s[n];
            break;
        case Mul:
            --n, s[n - 1] *= s[n];
            break;
        case Div:
            --n, s[n - 1] /= s[n];
            break;
        case Pow:
            --n, s[n - 1] = std::pow(s[n - 1], s[n]);
            break;
        case Neg:
            s[n - 1] = -s[n - 1];
            break;
        case Call1:
            s[n - 1] = call(step.i, s[n - 1], 0);
            break;
        case Call2:
            --n, s[n - 1] = call(step.i, s[n - 1], s[n]);
            break;
        case Compare:
            --n, s[n - 1] = compare(step.i, s[n - 1], s[n]);
            break;
        }
    }
    return std::isfinite(s[0]) ? s[0] : NAN;
}
