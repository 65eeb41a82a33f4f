#include "json.h"
#include "files.h"
#include "io.h"
#include "objectlist.h"
#include "view.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string jsonstring(const std::string& text) {
    std::string s = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            s += "\\\"";
            break;
        case '\\':
            s += "\\\\";
            break;
        case '\n':
            s += "\\n";
            break;
        case '\r':
            s += "\\r";
            break;
        case '\t':
            s += "\\t";
            break;
        default:
            if (c < 0x20) {
                char b[8];
                std::snprintf(b, sizeof b, "\\u%04x", c);
                s += b;
            } else {
                s += static_cast<char>(c);
            }
        }
    }
    return s + '"';
}

std::string jsonnumber(double x) {
    if (!std::isfinite(x)) return "null";
    char b[64];
    auto r = std::to_chars(b, b + sizeof b, x);
    return std::string(b, r.ptr);
}

namespace {

// Gathers an object's numbers as the members of its JSON object.
class Members : public ValueSink {
  public:
    void number(const char* key, double x) override { add(key, jsonnumber(x)); }
    void numbers(const char* key, const double* v, int n) override { add(key, list(v, n)); }
    void points(const char* key, const double* xy, int n) override {
        std::string s = "[";
        for (int i = 0; i < n; ++i) s += (i ? ", " : "") + list(xy + 2 * i, 2);
        add(key, s + "]");
    }
    void text(const char* key, const std::string& t) override { add(key, jsonstring(t)); }
    std::string S;

  private:
    static std::string list(const double* v, int n) {
        std::string s = "[";
        for (int i = 0; i < n; ++i) s += (i ? ", " : "") + jsonnumber(v[i]);
        return s + "]";
    }
    void add(const char* key, const std::string& value) {
        S += ", " + jsonstring(key) + ": " + value;
    }
};

// The keyword of the record that writes o: objects written with another
// object's record (a second intersection, the line of a parallel) have its.
std::string kind(Object* o) {
    IO* io = o->io();
    if (io == noio && o->original() != o) io = o->original()->io();
    return io ? io->Name.text() : "";
}

std::string object(Object* o) {
    std::string s = "{\"name\": " + jsonstring(o->name()) + ", \"kind\": " + jsonstring(kind(o)) +
                    ", \"parents\": [";
    Parents parents(o);
    for (int i = 0; i < parents.size(); ++i) s += (i ? ", " : "") + jsonstring(parents[i]->name());
    s += "], \"hidden\": ";
    s += o->ishidden ? "true" : "false";
    if (!o->Caption.empty()) s += ", \"caption\": " + jsonstring(o->Caption);
    s += ", \"valid\": ";
    s += o->valid ? "true" : "false";
    if (o->valid) {
        Members m;
        o->values(m);
        s += m.S;
    }
    return s + "}";
}

} // namespace

std::string constructionjson() {
    const View& v = view();
    std::string s = "{\"view\": [" + jsonnumber(v.X1) + ", " + jsonnumber(v.X2) + ", " +
                    jsonnumber(v.Y1) + ", " + jsonnumber(v.Y2) + "],\n";
    s += " \"comment\": " + jsonstring(objects.comment().text()) + ",\n";
    s += " \"objects\": [";
    for (Object* o = objects.first(); o; o = o->next())
        s += std::string(o == objects.first() ? "\n  " : ",\n  ") + object(o);
    s += objects.empty() ? "]}\n" : "\n ]}\n";
    return toutf8(s);
}
