// GeoGebra's LaTeX texts as plain text: the formulas teachers write in
// worksheets (overlines of segments, fractions, roots, Greek letters, signs
// and spaces) in the characters a Gyrel text shows.
#include "ggbimporter.h"

#include <cctype>
#include <map>

namespace {

const std::map<std::string, std::string>& symbols() {
    static const std::map<std::string, std::string> m = {
        {"alpha", "\xce\xb1"},
        {"beta", "\xce\xb2"},
        {"gamma", "\xce\xb3"},
        {"delta", "\xce\xb4"},
        {"epsilon", "\xce\xb5"},
        {"varepsilon", "\xce\xb5"},
        {"zeta", "\xce\xb6"},
        {"eta", "\xce\xb7"},
        {"theta", "\xce\xb8"},
        {"vartheta", "\xcf\x91"},
        {"iota", "\xce\xb9"},
        {"kappa", "\xce\xba"},
        {"lambda", "\xce\xbb"},
        {"mu", "\xce\xbc"},
        {"nu", "\xce\xbd"},
        {"xi", "\xce\xbe"},
        {"pi", "\xcf\x80"},
        {"rho", "\xcf\x81"},
        {"sigma", "\xcf\x83"},
        {"tau", "\xcf\x84"},
        {"upsilon", "\xcf\x85"},
        {"phi", "\xcf\x86"},
        {"varphi", "\xcf\x86"},
        {"chi", "\xcf\x87"},
        {"psi", "\xcf\x88"},
        {"omega", "\xcf\x89"},
        {"Gamma", "\xce\x93"},
        {"Delta", "\xce\x94"},
        {"Theta", "\xce\x98"},
        {"Lambda", "\xce\x9b"},
        {"Xi", "\xce\x9e"},
        {"Pi", "\xce\xa0"},
        {"Sigma", "\xce\xa3"},
        {"Phi", "\xce\xa6"},
        {"Psi", "\xce\xa8"},
        {"Omega", "\xce\xa9"},
        {"cdot", "\xc2\xb7"},
        {"times", "\xc3\x97"},
        {"div", "\xc3\xb7"},
        {"pm", "\xc2\xb1"},
        {"circ", "\xc2\xb0"},
        {"degree", "\xc2\xb0"},
        {"le", "\xe2\x89\xa4"},
        {"leq", "\xe2\x89\xa4"},
        {"ge", "\xe2\x89\xa5"},
        {"geq", "\xe2\x89\xa5"},
        {"neq", "\xe2\x89\xa0"},
        {"ne", "\xe2\x89\xa0"},
        {"approx", "\xe2\x89\x88"},
        {"angle", "\xe2\x88\xa0"},
        {"triangle", "\xe2\x96\xb3"},
        {"perp", "\xe2\x8a\xa5"},
        {"parallel", "\xe2\x88\xa5"},
        {"infty", "\xe2\x88\x9e"},
        {"Rightarrow", "\xe2\x87\x92"},
        {"rightarrow", "\xe2\x86\x92"},
        {"Leftrightarrow", "\xe2\x87\x94"},
        {"to", "\xe2\x86\x92"},
        {"cong", "\xe2\x89\x85"},
        {"sim", "~"},
        {"%", "%"},
        {"$", "$"},
        {"&", "&"},
        {"#", "#"},
        {"_", "_"},
        {"{", "("},
        {"}", ")"},
        {"\\", "\n"},
        {",", " "},
        {";", " "},
        {":", " "},
        {" ", " "},
        {"!", ""},
        {"quad", "  "},
        {"qquad", "    "},
        {"left", ""},
        {"right", ""},
    };
    return m;
}

const char* const superscripts[] = {"\xe2\x81\xb0", "\xc2\xb9",     "\xc2\xb2",     "\xc2\xb3",
                                    "\xe2\x81\xb4", "\xe2\x81\xb5", "\xe2\x81\xb6", "\xe2\x81\xb7",
                                    "\xe2\x81\xb8", "\xe2\x81\xb9"};

class Plain {
  public:
    explicit Plain(const std::string& s) : S(s) {}

    // The text from I up to the end or the "}" that closes the group it
    // stands in (taken), at most 32 groups deep.
    std::string group(int depth) {
        std::string out;
        while (I < S.size()) {
            const char c = S[I];
            if (c == '}') {
                ++I;
                if (depth > 0) return out;
            } else if (c == '{') {
                ++I;
                out += depth < 32 ? group(depth + 1) : "";
            } else if (c == '\\') {
                out += command(depth);
            } else if (c == '^' || c == '_') {
                ++I;
                const std::string a = argument(depth);
                out += c == '^' ? raised(a) : a;
            } else if (c == '~') {
                ++I;
                out += ' ';
            } else if (c == '$') {
                ++I;
            } else {
                out += c;
                ++I;
            }
        }
        return out;
    }

  private:
    // One character or a group after a command, "^" or "_".
    std::string argument(int depth) {
        while (I < S.size() && S[I] == ' ') ++I;
        if (I >= S.size()) return "";
        if (S[I] == '{') {
            ++I;
            return depth < 32 ? group(depth + 1) : "";
        }
        if (S[I] == '\\') return command(depth + 1);
        std::size_t end = I + 1;
        while (end < S.size() && (static_cast<unsigned char>(S[end]) & 0xc0) == 0x80) ++end;
        std::string one = S.substr(I, end - I);
        I = end;
        return one;
    }

    std::string command(int depth) {
        ++I; // the backslash
        std::size_t end = I;
        while (end < S.size() && std::isalpha(static_cast<unsigned char>(S[end]))) ++end;
        if (end == I && end < S.size()) ++end; // a sign: "\,", "\{"
        const std::string name = S.substr(I, end - I);
        I = end;
        if (depth > 32) return "";
        auto f = symbols().find(name);
        if (f != symbols().end()) return f->second;
        if (name == "frac" || name == "dfrac" || name == "tfrac") {
            const std::string a = argument(depth), b = argument(depth);
            return wrapped(a) + "/" + wrapped(b);
        }
        if (name == "sqrt") return "\xe2\x88\x9a" + wrapped(argument(depth));
        if (name == "overline" || name == "bar") {
            // Each character with a combining overline.
            std::string a = argument(depth), out;
            for (std::size_t i = 0; i < a.size();) {
                std::size_t e = i + 1;
                while (e < a.size() && (static_cast<unsigned char>(a[e]) & 0xc0) == 0x80) ++e;
                out += a.substr(i, e - i);
                if (a[i] != ' ' && a[i] != '\x03' && a[i] != '\x04') out += "\xcc\x85";
                i = e;
            }
            return out;
        }
        if (name == "vec" || name == "overrightarrow") return argument(depth) + "\xe2\x83\x97";
        // Fonts, text and what Gyrel has no sign for: their argument as it is.
        if (name == "text" || name == "mathrm" || name == "textbf" || name == "mathbf" ||
            name == "textit" || name == "mathit" || name == "mbox" || name == "operatorname")
            return argument(depth);
        return name;
    }

    static std::string raised(const std::string& a) {
        std::string out;
        for (char c : a) {
            if (c < '0' || c > '9') return "^" + wrapped(a);
            out += superscripts[c - '0'];
        }
        return out;
    }

    // A fraction's or root's part, in brackets unless it is one word.
    static std::string wrapped(const std::string& a) {
        return a.find_first_of(" +-*/") == std::string::npos ? a : "(" + a + ")";
    }

    const std::string& S;
    std::size_t I = 0;
};

} // namespace

std::string plainlatex(const std::string& latex) {
    Plain p(latex);
    // Spaces run together, as a formula's spaces do.
    std::string plain, text = p.group(0);
    for (char c : text)
        if (c != ' ' || plain.empty() || plain.back() != ' ') plain += c;
    return plain;
}
