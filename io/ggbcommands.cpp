// GeoGebra's commands as Gyrel's records: what a command makes depends on
// the kinds of its inputs (Circle[M, A], Circle[M, 3], Circle[A, B, C]).
#include "ggbimporter.h"
#include "io.h"
#include "objectlist.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

// The attributes a0, a1, ... of a node in the order of their numbers.
std::vector<std::string> numbered(const XmlNode* n) {
    std::vector<std::pair<long, std::string>> items;
    if (n)
        for (const auto& a : n->Attributes) {
            if (a.first.size() < 2 || a.first[0] != 'a' || a.first.size() > 6) continue;
            char* end;
            const long i = std::strtol(a.first.c_str() + 1, &end, 10);
            if (*end || i < 0) continue;
            items.emplace_back(i, a.second);
        }
    std::sort(items.begin(), items.end());
    std::vector<std::string> v;
    for (auto& i : items) v.push_back(i.second);
    return v;
}

namespace {

std::string join(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += (s.empty() ? "" : ", ") + x;
    return s;
}

} // namespace

void GgbImporter::command(const XmlNode& c) {
    const std::string cmd = c.get("name");
    const std::vector<std::string> inputs = numbered(c.child("input"));
    std::vector<std::string> outputs = numbered(c.child("output"));
    const std::string what = cmd + "[" + join(inputs) + "]";
    // What was made already (a label twice) stays as it is.
    for (std::string& o : outputs)
        if (Known.count(o) || Gone.count(o)) o.clear();
    if (std::all_of(outputs.begin(), outputs.end(), [](const std::string& o) { return o.empty(); }))
        return;
    // The file's own tools come before the commands of the same name.
    if (Macros.count(cmd)) {
        for (const std::string& i : inputs)
            if (Gone.count(i)) {
                for (const std::string& o : outputs)
                    drop(o, what, "it depends on " + i + ", which is not imported");
                return;
            }
        macro(*Macros[cmd], inputs, outputs, what);
        return;
    }
    std::vector<Arg> in;
    for (const std::string& i : inputs) {
        // The axes are lines through hidden points of their own.
        if ((i == "xAxis" || i == "yAxis") && !Known.count(i)) {
            const std::string o = helper("point", {"0", "0"}),
                              e = helper("point", i == "xAxis"
                                                      ? std::vector<std::string>{"1", "0"}
                                                      : std::vector<std::string>{"0", "1"});
            const std::string a =
                o.empty() || e.empty() ? "" : helper("line", {'"' + o + '"', '"' + e + '"'});
            if (!a.empty()) Known[i] = {a, KLine, {}};
        }
        auto g = Gone.find(i);
        if (g != Gone.end()) {
            for (const std::string& o : outputs)
                drop(o, what, "it depends on " + i + ", which is not imported");
            return;
        }
        Arg a = arg(i);
        if (!a.M && !a.Number && inner(i)) a = arg(Inner + i);
        if (!a.M && !a.Number) {
            for (const std::string& o : outputs)
                drop(o, what, "the input " + i + " is not supported");
            return;
        }
        in.push_back(a);
    }
    if (!geometry(cmd, in, outputs, what) && !measures(cmd, in, outputs, what))
        for (const std::string& o : outputs)
            drop(o, what, "the command " + cmd + " is not supported");
    for (const std::string& o : outputs)
        if (!o.empty()) check(o);
}

namespace {

// Splits "Name[a, b]" or "Name(a, b)" into the name and its inputs, at the
// commas outside brackets; false when text is no such call.
bool call(const std::string& text, std::string& name, std::vector<std::string>& args) {
    const std::size_t open = text.find_first_of("[(");
    if (open == 0 || open == std::string::npos || text.size() < open + 2) return false;
    const char close = text[open] == '[' ? ']' : ')';
    if (text.back() != close) return false;
    name = text.substr(0, open);
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    args.clear();
    int depth = 0;
    std::string part;
    for (std::size_t i = open + 1; i + 1 < text.size(); ++i) {
        const char c = text[i];
        if (c == '[' || c == '(') ++depth;
        if (c == ']' || c == ')') --depth;
        if (depth < 0) return false;
        if (c == ',' && depth == 0) {
            args.push_back(part);
            part.clear();
        } else if (!(part.empty() && c == ' ')) {
            part += c;
        }
    }
    while (!part.empty() && part.back() == ' ') part.pop_back();
    args.push_back(part);
    return depth == 0;
}

} // namespace

bool GgbImporter::inner(const std::string& text) {
    if (Depth >= 8 || Known.count(Inner + text)) return Known.count(Inner + text) > 0;
    std::string name;
    std::vector<std::string> args;
    double x, y;
    if (call(text, name, args)) {
        // A command inside an input: made as a hidden object of its own.
        XmlNode c;
        c.Name = "command";
        c.Attributes = {{"name", name}};
        XmlNode ins, outs;
        for (std::size_t i = 0; i < args.size(); ++i)
            ins.Attributes.emplace_back("a" + std::to_string(i), args[i]);
        outs.Attributes = {{"a0", Inner + text}};
        ins.Name = "input";
        outs.Name = "output";
        c.Children = {ins, outs};
        ++Depth;
        command(c);
        --Depth;
    } else if (text.size() > 4 && text.front() == '(' && text.back() == ')' &&
               call("P" + text, name, args) && args.size() == 2 && arg(args[0]).Number &&
               arg(args[1]).Number) {
        // A point of two numbers: a fixed point of its own.
        x = arg(args[0]).X, y = arg(args[1]).X;
        const std::string p = helper("point", {fixed15(x), fixed15(y)});
        if (!p.empty()) Known[Inner + text] = {p, KPoint, {}};
    } else if (text.size() > 4 && text.front() == '(' && text.back() == ')' &&
               text.find(',') != std::string::npos) {
        // A point of numbers computed from others: hidden and following them.
        std::string why;
        ++Depth;
        coordinates(Inner + text, text, why);
        --Depth;
    } else {
        // A number computed from others ("-beta", "2 a"), in GeoGebra's
        // units: angles in radians.
        // An expression may hold the same text again: the depth ends it.
        std::string gyrel, why;
        ++Depth;
        const bool computed = numeric(text, gyrel, why);
        --Depth;
        if (computed) {
            const std::string k = helper("calculate", {quotedtext(gyrel)});
            if (!k.empty()) Known[Inner + text] = {k, KNumber, {}};
        }
    }
    return Known.count(Inner + text) > 0;
}

bool GgbImporter::geometry(const std::string& cmd, const std::vector<Arg>& in,
                           const std::vector<std::string>& out, const std::string& what) {
    const std::size_t n = in.size();
    auto is = [&](std::size_t i, int kinds) { return i < n && in[i].M && (in[i].M->K & kinds); };
    auto num = [&](std::size_t i) {
        return i < n && (in[i].Number || (in[i].M && (in[i].M->K & (KNumber | KAngle))));
    };
    auto q = [&](std::size_t i) { return quoted(*in[i].M); };
    auto first = [&]() { return out.empty() ? std::string() : out[0]; };
    // A number input as Gyrel takes it: a value, or a number object's name;
    // angles in degrees.
    auto value = [&](std::size_t i, bool degrees) {
        if (in[i].Number) return general(degrees ? in[i].X * 180 / M_PI : in[i].X);
        return q(i);
    };
    auto origin = [&]() { return helper("point", {"0", "0"}); };
    // The two objects a record of the first two inputs makes, named as
    // GeoGebra stored their places.
    auto paired = [&](const std::vector<std::string>& labels, int kind, const char* keyword) {
        std::vector<Object*> made;
        if (make(labels, {kind}, keyword, {q(0), q(1)}, what, &made) && made.size() == 2 &&
            made[0] && made[1]) {
            made[0]->update();
            made[1]->update();
            order(made[0], made[1], labels[0], labels[1]);
        }
    };

    if (cmd == "Point" && n == 1 && is(0, KStraight | KRound | KLocus)) {
        const XmlNode* e = stored(first());
        const XmlNode* c = e ? e->child("coords") : nullptr;
        if (!c) return false;
        double x, y;
        if (!storedplace(c, x, y)) return false;
        return make({first()}, {KPoint}, "pointon", {q(0), general(x), general(y)}, what), true;
    }
    if ((cmd == "Segment" || cmd == "Ray" || cmd == "Vector") && n == 2 && is(0, KPoint) &&
        is(1, KPoint)) {
        const int kind = cmd == "Segment" ? KSegment : cmd == "Ray" ? KLine : KVector;
        std::string keyword = cmd == "Segment" ? "segment" : cmd == "Ray" ? "ray" : "vector";
        if (make({first()}, {kind}, keyword, {q(0), q(1)}, what) && !first().empty())
            Known[first()].Points = {in[0].M->Name, in[1].M->Name};
        return true;
    }
    if (cmd == "Segment" && n == 2 && is(0, KPoint) && num(1)) {
        // Of a given length: to the point that far to the right of A.
        const std::string o = origin(), unit = helper("point", {"1", "0"});
        const std::string along =
            o.empty() || unit.empty()
                ? ""
                : helper("dilate", {'"' + unit + '"', '"' + o + '"', value(1, false)});
        const std::string end = out.size() > 1 ? out[1] : std::string();
        std::vector<Object*> made;
        if (along.empty() ||
            !make({end}, {KPoint}, "translate", {q(0), '"' + o + '"', '"' + along + '"'}, what,
                  &made) ||
            made.size() != 1 || !made[0])
            return false;
        const std::string b = made[0]->name();
        if (!end.empty()) check(end);
        if (make({first()}, {KSegment}, "segment", {q(0), '"' + b + '"'}, what) && !first().empty())
            Known[first()].Points = {in[0].M->Name, b};
        return true;
    }
    if (cmd == "Vector" && n == 1 && is(0, KPoint)) {
        // A point's position: from the origin to it.
        const std::string o = origin();
        if (o.empty()) return false;
        return make({first()}, {KVector}, "vector", {'"' + o + '"', q(0)}, what), true;
    }
    if ((cmd == "Ray" || cmd == "Line") && n == 2 && is(0, KPoint) && is(1, KVector)) {
        // Through a point in a direction: through the point moved by it.
        const std::string b = helper("translate", {q(0), q(1)});
        if (b.empty()) return false;
        return make({first()}, {KLine}, cmd == "Ray" ? "ray" : "line", {q(0), '"' + b + '"'}, what),
               true;
    }
    if (cmd == "Line" && n == 2 && is(0, KPoint) && is(1, KPoint))
        return make({first()}, {KLine}, "line", {q(0), q(1)}, what), true;
    if ((cmd == "Line" || cmd == "OrthogonalLine") && n == 2 && is(0, KPoint) && is(1, KStraight)) {
        make({"", first()}, {KPoint, KLine}, cmd == "Line" ? "parallel" : "rectangular",
             {q(0), q(1)}, what);
        return true;
    }
    if (cmd == "Circle" && n == 2 && is(0, KPoint)) {
        // A circle about a point keeps it as its centre, for arcs of it.
        bool made = false;
        if (is(1, KPoint)) {
            made = make({first()}, {KCircle}, "circle", {q(0), q(1)}, what);
        } else if (num(1)) {
            made = make({first()}, {KCircle}, "circleradius", {q(0), value(1, false)}, what);
        } else if (is(1, KSegment)) {
            // A compass: the radius is the segment's length.
            const std::string r = helper("length", {q(1)});
            if (r.empty()) return false;
            made = make({first()}, {KCircle}, "circleradius", {q(0), '"' + r + '"'}, what);
        } else {
            return false;
        }
        if (made && !first().empty()) Known[first()].Points = {in[0].M->Name};
        return true;
    }
    if ((cmd == "Center" || cmd == "Centre") && n == 1 && is(0, KCircle) &&
        in[0].M->Points.size() == 1) {
        // The centre a circle was made about, as a point of its own.
        const std::string centre = '"' + in[0].M->Points[0] + '"';
        return make({first()}, {KPoint}, "dilate", {centre, centre, "1"}, what), true;
    }
    if (cmd == "Circle" && n == 3 && is(0, KPoint) && is(1, KPoint) && is(2, KPoint)) {
        // Through three points: about the crossing of two perpendicular
        // bisectors, so that it has a centre for arcs and Center.
        const std::string g = helper("midperpendicular", {q(0), q(1)}),
                          h = helper("midperpendicular", {q(1), q(2)});
        const std::string m =
            g.empty() || h.empty() ? "" : helper("intersection", {'"' + g + '"', '"' + h + '"'});
        if (m.empty()) return false;
        if (make({first()}, {KCircle}, "circle", {'"' + m + '"', q(0)}, what) && !first().empty())
            Known[first()].Points = {m};
        return true;
    }
    if ((cmd == "Arc" || cmd == "Sector") && n == 3 && is(0, KCircle) &&
        in[0].M->Points.size() == 1 && is(1, KPoint) && is(2, KPoint)) {
        // Of a circle about a centre, from one point to another.
        const std::string centre = '"' + in[0].M->Points[0] + '"';
        return make({first()}, {cmd == "Arc" ? KArc : KSector}, cmd == "Arc" ? "arc" : "sector",
                    {centre, q(1), q(2)}, what),
               true;
    }
    if ((cmd == "Midpoint" || cmd == "LineBisector") && n == 1 && is(0, KSegment) &&
        in[0].M->Points.size() == 2) {
        const std::string a = '"' + in[0].M->Points[0] + '"', b = '"' + in[0].M->Points[1] + '"';
        if (cmd == "Midpoint") return make({first()}, {KPoint}, "middle", {a, b}, what), true;
        return make({first()}, {KLine}, "midperpendicular", {a, b}, what), true;
    }
    if (cmd == "Midpoint" && n == 2 && is(0, KPoint) && is(1, KPoint))
        return make({first()}, {KPoint}, "middle", {q(0), q(1)}, what), true;
    if (cmd == "LineBisector" && n == 2 && is(0, KPoint) && is(1, KPoint))
        return make({first()}, {KLine}, "midperpendicular", {q(0), q(1)}, what), true;
    if (cmd == "AngularBisector" && n == 3 && is(0, KPoint) && is(1, KPoint) && is(2, KPoint))
        return make({first()}, {KLine}, "bisector", {q(0), q(1), q(2)}, what), true;
    if (cmd == "Angle" && n == 3 && is(0, KPoint) && is(1, KPoint) && is(2, KPoint))
        return make({first()}, {KAngle}, "angle", {q(0), q(1), q(2)}, what), true;
    if (cmd == "Intersect" && (n == 2 || n == 3) && is(0, KStraight | KRound) &&
        is(1, KStraight | KRound)) {
        const bool pair = ((in[0].M->K | in[1].M->K) & KRound) != 0;
        if (!pair) return make({first()}, {KPoint}, "intersection", {q(0), q(1)}, what), true;
        std::vector<std::string> labels = {first(), out.size() > 1 ? out[1] : ""};
        // Only the crossing of the given number, or near the given point.
        if (n == 3 && in[2].Number && in[2].X == 2) labels = {"", first()};
        return paired(labels, KPoint, "intersection"), true;
    }
    if (cmd == "Tangent" && n == 2 && is(0, KPoint) && is(1, KCircle))
        return paired({first(), out.size() > 1 ? out[1] : ""}, KLine, "tangents"), true;
    if (cmd == "Polygon" && n >= 3 &&
        std::all_of(in.begin(), in.end(), [](const Arg& a) { return a.M && (a.M->K & KPoint); })) {
        std::vector<std::string> args;
        for (std::size_t i = 0; i < n; ++i) args.push_back(q(i));
        if (!make({first()}, {KPolygon}, "polygon", args, what)) return true;
        for (std::size_t i = 0; i < n && !first().empty(); ++i)
            Known[first()].Points.push_back(in[i].M->Name);
        // Its sides, from each vertex to the next.
        for (std::size_t i = 1; i < out.size() && i <= n; ++i)
            if (!out[i].empty() &&
                make({out[i]}, {KSegment}, "segment", {q(i - 1), q(i % n)}, what)) {
                Known[out[i]].Points = {in[i - 1].M->Name, in[i % n].M->Name};
                check(out[i]);
            }
        return true;
    }
    if (cmd == "Polygon" && n == 3 && is(0, KPoint) && is(1, KPoint) && in[2].Number &&
        in[2].X == std::floor(in[2].X) && in[2].X >= 3 && in[2].X <= 1000) {
        // A regular polygon: the polygon, its sides, its new vertices.
        const std::size_t count = static_cast<std::size_t>(in[2].X);
        std::vector<std::string> labels = {first()};
        for (std::size_t i = 0; i + 2 < count; ++i)
            labels.push_back(1 + count + i < out.size() ? out[1 + count + i] : "");
        std::vector<Object*> made;
        if (!make(labels, {KPolygon, KPoint}, "regularpolygon", {q(0), q(1), general(in[2].X)},
                  what, &made))
            return true;
        std::vector<std::string> vertices = {in[0].M->Name, in[1].M->Name};
        for (std::size_t i = 1; i < made.size(); ++i)
            vertices.push_back(made[i] ? made[i]->name() : "");
        if (!first().empty()) Known[first()].Points = vertices;
        for (std::size_t i = 1; i + 1 < labels.size(); ++i) check(labels[i]);
        for (std::size_t i = 0; i < count && 1 + i < out.size(); ++i) {
            const std::string& a = vertices[i];
            const std::string& b = vertices[(i + 1) % count];
            if (!out[1 + i].empty() &&
                make({out[1 + i]}, {KSegment}, "segment", {'"' + a + '"', '"' + b + '"'}, what)) {
                Known[out[1 + i]].Points = {a, b};
                check(out[1 + i]);
            }
        }
        return true;
    }
    if (cmd == "Semicircle" && n == 2 && is(0, KPoint) && is(1, KPoint))
        return make({first()}, {KArc}, "semicircle", {q(0), q(1)}, what), true;
    if ((cmd == "CircleArc" || cmd == "CircumcircleArc" || cmd == "CircleSector" ||
         cmd == "CircumcircleSector") &&
        n == 3 && is(0, KPoint) && is(1, KPoint) && is(2, KPoint)) {
        const bool sector = cmd == "CircleSector" || cmd == "CircumcircleSector";
        const std::string keyword = cmd == "CircleArc"         ? "arc"
                                    : cmd == "CircleSector"    ? "sector"
                                    : cmd == "CircumcircleArc" ? "arc3"
                                                               : "sector3";
        return make({first()}, {sector ? KSector : KArc}, keyword, {q(0), q(1), q(2)}, what), true;
    }
    const int movable = KPoint | KStraight | KRound | KPolygon;
    if (cmd == "Mirror" && n == 2 && is(0, movable) && is(1, KPoint | KStraight))
        return make({first()}, {in[0].M->K}, "reflect", {q(0), q(1)}, what), true;
    if (cmd == "Translate" && n == 2 && is(0, movable) && is(1, KVector))
        return make({first()}, {in[0].M->K}, "translate", {q(0), q(1)}, what), true;
    if ((cmd == "Rotate" || cmd == "Dilate") && (n == 2 || n == 3) && is(0, movable) && num(1) &&
        (n == 2 || is(2, KPoint))) {
        const std::string centre = n == 3 ? q(2) : '"' + origin() + '"';
        if (centre == "\"\"") return false;
        std::string amount = value(1, cmd == "Rotate");
        // A plain number turns by radians; Gyrel turns by degrees.
        if (cmd == "Rotate" && !in[1].Number && (in[1].M->K & KNumber) && !(in[1].M->K & KAngle)) {
            const XmlNode* e = stored(in[1].Text);
            if (!e || e->get("type") != "angle") {
                const std::string d = helper("calculate", {"\"{" + in[1].M->Name + "}*180/pi\""});
                if (d.empty()) return false;
                amount = '"' + d + '"';
            }
        }
        return make({first()}, {in[0].M->K}, cmd == "Rotate" ? "rotate" : "dilate",
                    {q(0), centre, amount}, what),
               true;
    }
    if ((cmd == "OrthogonalVector" || cmd == "UnitVector") && n == 1 && is(0, KVector)) {
        // Turned a quarter about the origin, or shrunk to length 1.
        const std::string o = origin();
        if (o.empty()) return false;
        if (cmd == "OrthogonalVector")
            return make({first()}, {KVector}, "rotate", {q(0), '"' + o + '"', "90"}, what), true;
        const std::string length = helper("length", {q(0)});
        const std::string k =
            length.empty() ? "" : helper("calculate", {quotedtext("1/{" + length + "}")});
        if (k.empty()) return false;
        return make({first()}, {KVector}, "dilate", {q(0), '"' + o + '"', '"' + k + '"'}, what),
               true;
    }
    if (cmd == "Locus" && n == 2 && is(0, KPoint) && is(1, KPoint | KNumber))
        return make({first()}, {KLocus}, "locus", {q(0), q(1)}, what), true;
    return false;
}

bool GgbImporter::measures(const std::string& cmd, const std::vector<Arg>& in,
                           const std::vector<std::string>& out, const std::string& what) {
    const std::size_t n = in.size();
    auto is = [&](std::size_t i, int kinds) { return i < n && in[i].M && (in[i].M->K & kinds); };
    const std::string first = out.empty() ? std::string() : out[0];
    if (cmd == "Distance" && n == 2 && is(0, KPoint) && is(1, KPoint))
        return make({first}, {KNumber}, "distance", {quoted(*in[0].M), quoted(*in[1].M)}, what),
               true;
    const XmlNode* line = n == 2 && in[1].M && (in[1].M->K & KLine) ? stored(in[1].Text) : nullptr;
    if (cmd == "Distance" && is(0, KPoint) && line && line->get("type") == "line") {
        // From a point to a line: to its foot on the line.
        std::vector<Object*> perpendicular;
        if (!make({"", ""}, {KPoint, KLine}, "rectangular", {quoted(*in[0].M), quoted(*in[1].M)},
                  what, &perpendicular) ||
            perpendicular.size() != 2 || !perpendicular[1])
            return false;
        const std::string foot = helper(
            "intersection", {'"' + std::string(perpendicular[1]->name()) + '"', quoted(*in[1].M)});
        return !foot.empty() &&
                   make({first}, {KNumber}, "distance", {quoted(*in[0].M), '"' + foot + '"'}, what),
               true;
    }
    struct Measure {
        const char* Command;
        const char* Keyword;
        int Kinds;
    };
    static const Measure measured[] = {
        {"Length", "length", KSegment | KVector | KArc},
        {"Area", "area", KPolygon | KCircle | KSector},
        {"Perimeter", "perimeter", KPolygon | KCircle | KSector},
        {"Circumference", "perimeter", KCircle},
        {"Slope", "slope", KStraight},
        {"Radius", "radius", KRound},
    };
    for (const Measure& m : measured)
        if (cmd == m.Command && n == 1 && is(0, m.Kinds))
            return make({first}, {KNumber}, m.Keyword, {quoted(*in[0].M)}, what), true;
    return false;
}
