// GeoGebra's algebraic definitions: numbers computed from numbers, texts
// joined from strings and numbers, and points as sums of points, in Gyrel's
// calculations, texts and translations.
#include "ggbimporter.h"
#include "io.h"

#include <cctype>
#include <cmath>
#include <cstring>

namespace {

// A token of an expression: a number, a name, a sign, a text in quotes.
struct Token {
    enum Kind { Number, Name, Sign, Text } K;
    std::string S;
};

// A comparison at e[i] as Gyrel writes it ("==" and "≟" as "=", "≥" as
// ">="); false when there is none.
bool comparison(const std::string& e, std::size_t& i, std::vector<Token>& out) {
    static const char* const signs[][2] = {
        {"\xe2\x89\x9f", "="},
        {"\xe2\x89\xa5", ">="},
        {"\xe2\x89\xa4", "<="},
        {"\xe2\x89\xa0", "!="},
        {"==", "="},
        {"!=", "!="},
        {">=", ">="},
        {"<=", "<="},
        {">", ">"},
        {"<", "<"},
        {"=", "="},
    };
    for (const auto& s : signs)
        if (e.compare(i, std::strlen(s[0]), s[0]) == 0) {
            out.push_back({Token::Sign, s[1]});
            i += std::strlen(s[0]);
            return true;
        }
    return false;
}

// Splits an expression into tokens; false when it holds what none is.
bool tokens(const std::string& e, std::vector<Token>& out) {
    std::size_t i = 0;
    while (i < e.size()) {
        const unsigned char c = static_cast<unsigned char>(e[i]);
        if (comparison(e, i, out)) {
            continue;
        } else if (c == ' ' || c == '\t') {
            ++i;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < e.size() &&
                                       std::isdigit(static_cast<unsigned char>(e[i + 1])))) {
            std::size_t j = i;
            while (j < e.size() && (std::isdigit(static_cast<unsigned char>(e[j])) || e[j] == '.'))
                ++j;
            if (j < e.size() && (e[j] == 'E' || e[j] == 'e') && j + 1 < e.size() &&
                (std::isdigit(static_cast<unsigned char>(e[j + 1])) || e[j + 1] == '-' ||
                 e[j + 1] == '+')) {
                j += 2;
                while (j < e.size() && std::isdigit(static_cast<unsigned char>(e[j]))) ++j;
            }
            out.push_back({Token::Number, e.substr(i, j - i)});
            i = j;
        } else if (e.compare(i, 2, "\xc2\xb0") == 0) {
            out.push_back({Token::Sign, "\xc2\xb0"});
            i += 2;
        } else if (e.compare(i, 2, "\xcf\x80") == 0) { // π
            out.push_back({Token::Name, "pi"});
            i += 2;
        } else if (namestart(c)) {
            std::size_t j = i;
            while (j < e.size() && namebyte(static_cast<unsigned char>(e[j]))) {
                // An index in braces belongs to the name: a_{12}.
                if (e[j] == '_' && j + 1 < e.size() && e[j + 1] == '{') {
                    const std::size_t close = e.find('}', j);
                    if (close == std::string::npos) return false;
                    j = close + 1;
                } else {
                    ++j;
                }
            }
            // A command called with brackets is one operand with its inputs.
            if (j < e.size() && e[j] == '[') {
                int depth = 0;
                std::size_t k = j;
                for (; k < e.size(); ++k) {
                    if (e[k] == '[') ++depth;
                    if (e[k] == ']' && --depth == 0) break;
                }
                if (k >= e.size()) return false;
                j = k + 1;
            }
            out.push_back({Token::Name, e.substr(i, j - i)});
            i = j;
        } else if (c == '"') {
            const std::size_t close = e.find('"', i + 1);
            if (close == std::string::npos) return false;
            out.push_back({Token::Text, e.substr(i + 1, close - i - 1)});
            i = close + 1;
        } else if (std::strchr("+-*/^(),", c)) {
            out.push_back({Token::Sign, std::string(1, static_cast<char>(c))});
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// GeoGebra's functions of one number and Gyrel's: the trigonometric ones
// turn radians into Gyrel's degrees and back.
struct Function {
    const char* Ggb;
    const char* Before;
    const char* After;
};
const Function functions[] = {
    {"sqrt", "sqrt(", ")"},
    {"abs", "abs(", ")"},
    {"sin", "sin(180/pi*(", "))"},
    {"cos", "cos(180/pi*(", "))"},
    {"tan", "tan(180/pi*(", "))"},
    {"asin", "(pi/180*asin(", "))"},
    {"arcsin", "(pi/180*asin(", "))"},
    {"acos", "(pi/180*acos(", "))"},
    {"arccos", "(pi/180*acos(", "))"},
    {"atan", "(pi/180*atan(", "))"},
    {"arctan", "(pi/180*atan(", "))"},
};

} // namespace

std::string GgbImporter::numbername(const std::string& label) {
    auto m = Known.find(label);
    if (m == Known.end()) return "";
    if (m->second.K & (KNumber | KBool)) return m->second.Name;
    // An angle counts as its size, a segment as its length, a polygon as
    // its area.
    const int k = m->second.K;
    const char* measure = (k & KAngle)     ? "anglesize"
                          : (k & KSegment) ? "length"
                          : (k & KPolygon) ? "area"
                                           : nullptr;
    if (!measure) return "";
    auto h = Measured.find(label);
    if (h != Measured.end()) return h->second;
    const std::string n = helper(measure, {quoted(m->second)});
    if (!n.empty()) Measured[label] = n;
    return n;
}

bool GgbImporter::numeric(const std::string& exp, std::string& out, std::string& why) {
    std::vector<Token> t;
    if (!tokens(exp, t) || t.empty()) {
        why = "the expression holds what Gyrel cannot compute";
        return false;
    }
    out.clear();
    // Where a function's closing parenthesis must add its own end.
    std::vector<std::string> closing;
    bool operand = false; // the last token ends an operand
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        const bool starts = k.K == Token::Number || k.K == Token::Name || k.S == "(";
        // Side by side, two operands multiply: "2 a", "l h".
        if (operand && starts) out += "*";
        if (k.K == Token::Number) {
            out += k.S;
            operand = true;
        } else if (k.K == Token::Name) {
            const Function* f = nullptr;
            for (const Function& g : functions)
                if (k.S == g.Ggb) f = &g;
            if (f && i + 1 < t.size() && t[i + 1].S == "(") {
                out += f->Before;
                closing.push_back(f->After);
                ++i;
                operand = false;
                continue;
            }
            if (k.S == "pi") {
                out += "pi";
            } else {
                const bool called = k.S.back() == ']';
                const std::string number =
                    called ? (inner(k.S) ? numbername(Inner + k.S) : "") : numbername(k.S);
                if (number.empty()) {
                    why = k.S + " is no number Gyrel has";
                    return false;
                }
                // Angles count in radians in GeoGebra's arithmetic.
                const std::string name = "{" + number + "}";
                out += isangle(called ? Inner + k.S : k.S) ? "(" + name + "*pi/180)" : name;
            }
            operand = true;
        } else if (k.S == "\xc2\xb0") {
            out += "*pi/180";
        } else if (k.S == "(") {
            out += "(";
            closing.push_back(")");
            operand = false;
        } else if (k.S == ")") {
            if (closing.empty()) {
                why = "the parentheses do not match";
                return false;
            }
            out += closing.back();
            closing.pop_back();
            operand = true;
        } else if (k.K == Token::Sign && k.S != ",") {
            out += k.S;
            operand = false;
        } else {
            why = "the expression is none Gyrel can compute";
            return false;
        }
    }
    if (!closing.empty()) {
        why = "the parentheses do not match";
        return false;
    }
    return true;
}

bool GgbImporter::isangle(const std::string& label) const {
    auto m = Known.find(label);
    if (m == Known.end()) return false;
    if (m->second.K & KAngle) return true;
    const XmlNode* e = stored(label);
    return e && e->get("type") == "angle";
}

bool GgbImporter::pointsum(const std::string& label, const std::string& exp, std::string& why) {
    // P + c1 v1 - c2 v2 ...: one point, then vectors, each times a number.
    std::vector<Token> t;
    if (!tokens(exp, t) || t.empty()) return false;
    struct Term {
        bool minus = false;
        std::string coefficient; // GeoGebra's text; empty: 1
        const Made* operand = nullptr;
    };
    std::vector<Term> terms(1);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const Token& k = t[i];
        if (k.K == Token::Sign && (k.S == "+" || k.S == "-")) {
            if (terms.back().operand)
                terms.emplace_back();
            else if (!terms.back().coefficient.empty())
                return false;
            if (k.S == "-") terms.back().minus = !terms.back().minus;
            continue;
        }
        if (terms.back().operand) return false;
        Arg a = arg(k.S);
        if (!a.M && !a.Number && k.K == Token::Name && k.S.back() == ']' && inner(k.S))
            a = arg(Inner + k.S);
        if (a.M && (a.M->K & (KPoint | KVector))) {
            terms.back().operand = a.M;
        } else if (k.S != "*") {
            terms.back().coefficient += (terms.back().coefficient.empty() ? "" : " ") + k.S;
        }
    }
    if (terms.empty() || !terms[0].operand || !(terms[0].operand->K & KPoint) || terms[0].minus ||
        !terms[0].coefficient.empty())
        return false;
    for (std::size_t i = 1; i < terms.size(); ++i)
        if (!terms[i].operand || !(terms[i].operand->K & KVector)) return false;
    if (terms.size() < 2) return false;
    std::string at = quoted(*terms[0].operand);
    for (std::size_t i = 1; i < terms.size(); ++i) {
        std::string vector = quoted(*terms[i].operand);
        if (terms[i].minus || !terms[i].coefficient.empty()) {
            std::string k = "1";
            if (!terms[i].coefficient.empty() && !numeric(terms[i].coefficient, k, why))
                return false;
            if (terms[i].minus) k = "-(" + k + ")";
            const std::string factor = helper("calculate", {quotedtext(k)});
            const std::string o = helper("point", {"0", "0"});
            const std::string scaled =
                factor.empty() || o.empty()
                    ? ""
                    : helper("dilate", {vector, '"' + o + '"', '"' + factor + '"'});
            if (scaled.empty()) return false;
            vector = '"' + scaled + '"';
        }
        if (i + 1 < terms.size()) {
            const std::string moved = helper("translate", {at, vector});
            if (moved.empty()) return false;
            at = '"' + moved + '"';
        } else if (make({label}, {KPoint}, "translate", {at, vector}, exp)) {
            check(label);
        }
    }
    return true;
}

bool GgbImporter::coordinates(const std::string& label, const std::string& exp, std::string& why) {
    // "(x, y)" with its one comma outside any inner brackets.
    std::size_t first = exp.find_first_not_of(' '), last = exp.find_last_not_of(' ');
    if (first == std::string::npos || exp[first] != '(' || exp[last] != ')') return false;
    std::size_t comma = std::string::npos;
    int depth = 0;
    for (std::size_t i = first + 1; i < last; ++i) {
        const char c = exp[i];
        if (c == '(' || c == '[' || c == '{') ++depth;
        if (c == ')' || c == ']' || c == '}') --depth;
        if (depth < 0 || c == ';') return false;
        if (c == ',' && depth == 0) {
            if (comma != std::string::npos) return false;
            comma = i;
        }
    }
    if (depth != 0 || comma == std::string::npos) return false;
    std::string x, y;
    if (!numeric(exp.substr(first + 1, comma - first - 1), x, why) ||
        !numeric(exp.substr(comma + 1, last - comma - 1), y, why))
        return true;
    // The point of each axis at its number (the unit point stretched about
    // the origin), then the first moved by the way from the origin to the
    // second: no vector, which would vanish where a number is 0.
    const std::string o = helper("point", {"0", "0"});
    if (o.empty()) return true;
    auto at = [&](const char* ux, const char* uy, const std::string& amount) -> std::string {
        const std::string unit = helper("point", {ux, uy});
        const std::string factor = unit.empty() ? "" : helper("calculate", {quotedtext(amount)});
        return factor.empty()
                   ? ""
                   : helper("dilate", {'"' + unit + '"', '"' + o + '"', '"' + factor + '"'});
    };
    const std::string a = at("1", "0", x), b = a.empty() ? "" : at("0", "1", y);
    if (!b.empty() &&
        make({label}, {KPoint}, "translate", {'"' + a + '"', '"' + o + '"', '"' + b + '"'}, exp))
        check(label);
    return true;
}

void GgbImporter::expression(const XmlNode& e) {
    const std::string label = e.get("label"), exp = e.get("exp");
    if (label.empty() || Known.count(label) || Gone.count(label)) return;
    const XmlNode* element = stored(label);
    const std::string type = element ? element->get("type") : e.get("type");
    std::string why = "definitions by expressions of this kind are not supported";
    std::vector<Token> t;
    if (tokens(exp, t))
        for (const Token& k : t)
            if (k.K == Token::Name && Gone.count(k.S)) {
                drop(label, exp, "it depends on " + k.S + ", which is not imported");
                return;
            }
    t.clear();
    if (type == "text" && tokens(exp, t)) {
        // Strings, names and numbers joined with "+". A LaTeX text is made
        // plain; the numbers it shows stand in it as marks meanwhile.
        const XmlNode* latex = element ? element->child("isLaTeX") : nullptr;
        const bool formula = latex && latex->get("val") == "true";
        std::vector<Token> u;
        for (std::size_t i = 0; i < t.size(); ++i) {
            // An operand in brackets of its own: "(Name[G])".
            if (t[i].S == "(" && i + 2 < t.size() && t[i + 2].S == ")" &&
                t[i + 1].K != Token::Sign) {
                u.push_back(t[i + 1]);
                i += 2;
            } else {
                u.push_back(t[i]);
            }
        }
        std::string text;
        std::vector<std::string> shown;
        bool ok = !u.empty();
        for (std::size_t i = 0; ok && i < u.size(); ++i) {
            const std::string& k = u[i].S;
            if (i % 2 == 1) {
                ok = k == "+";
            } else if (u[i].K == Token::Text) {
                text += k;
            } else if (u[i].K == Token::Name && k.size() > 6 && k.compare(0, 5, "Name[") == 0 &&
                       k.back() == ']' && Known.count(k.substr(5, k.size() - 6))) {
                // An object's name: GeoGebra's label, which is Gyrel's name.
                text += k.substr(5, k.size() - 6);
            } else if (u[i].K == Token::Name && !numbername(k).empty()) {
                text += "\x03" + std::to_string(shown.size()) + "\x04";
                shown.push_back(numbername(k));
            } else {
                ok = false;
            }
        }
        if (formula) text = plainlatex(text);
        // Braces would name numbers in Gyrel's texts; then the marks become
        // the numbers' names in braces.
        std::string words;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            const std::size_t end = c == '\x03' ? text.find('\x04', i) : std::string::npos;
            if (end != std::string::npos) {
                const std::size_t n = std::strtoul(text.c_str() + i + 1, nullptr, 10);
                words += n < shown.size() ? "{" + shown[n] + "}" : "";
                i = end;
            } else if (c != '\x03' && c != '\x04') {
                words += c == '{' ? '(' : c == '}' ? ')' : c;
            }
        }
        text = words;
        if (ok) {
            const XmlNode* start = element ? element->child("startPoint") : nullptr;
            const XmlNode* screen = element ? element->child("absoluteScreenLocation") : nullptr;
            std::vector<std::string> where = {"0", "0"};
            if (start && start->attribute("exp")) {
                // At a point: the text goes with it.
                // A point of its own when GeoGebra gave a command: "Midpoint[A, B]".
                Arg at = arg(start->get("exp"));
                if (!at.M && !at.Number && inner(start->get("exp")))
                    at = arg(Inner + start->get("exp"));
                if (!at.M || !(at.M->K & KPoint)) {
                    drop(label, exp,
                         "it stands at " + start->get("exp") + ", which is not imported");
                    return;
                }
                where = {quoted(*at.M)};
            } else if (start || screen) {
                double x, y;
                if (start) {
                    storedplace(start, x, y);
                } else {
                    x = (std::atof(screen->get("x").c_str()) - X0) / XScale;
                    y = (Y0 - std::atof(screen->get("y").c_str())) / YScale;
                }
                if (std::isfinite(x) && std::isfinite(y)) where = {general(x), general(y)};
            }
            std::vector<std::string> args = {quotedtext(text)};
            args.insert(args.end(), where.begin(), where.end());
            make({label}, {KText}, "text", args, exp);
            return;
        }
        why = "only texts of strings and numbers joined with + are supported";
    } else if (type == "point" && tokens(exp, t) && t.size() == 5 && t[1].S == "+" &&
               t[3].S == "-") {
        // P + Q - R: P moved by the vector from R to Q.
        const Arg p = arg(t[0].S), q = arg(t[2].S), r = arg(t[4].S);
        if (p.M && q.M && r.M && (p.M->K & q.M->K & r.M->K & KPoint)) {
            if (make({label}, {KPoint}, "translate", {quoted(*p.M), quoted(*r.M), quoted(*q.M)},
                     exp))
                check(label);
            return;
        }
    } else if (type == "point" && pointsum(label, exp, why)) {
        return;
    } else if (type == "point" && coordinates(label, exp, why)) {
        if (!Known.count(label) && !Gone.count(label)) drop(label, exp, why);
        return;
    } else if (type == "numeric" || type == "angle" || type.empty()) {
        std::string gyrel;
        if (numeric(exp, gyrel, why)) {
            if (type == "angle") gyrel = "(" + gyrel + ")*180/pi";
            if (make({label}, {KNumber}, "calculate", {quotedtext(gyrel)}, exp)) check(label);
            return;
        }
    }
    drop(label, exp, why);
}
