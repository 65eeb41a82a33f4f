#include "ggbimport.h"
#include "constructionfile.h"
#include "ggbarchive.h"
#include "ggbimporter.h"
#include "io.h"
#include "objectlist.h"
#include "point.h"
#include "view.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>

std::string GgbDropped::line() const {
    return Command + ": " + Reason;
}

namespace {

// A number of an attribute; otherwise when it is none or not finite.
double number(const XmlNode* n, const char* attribute, double otherwise) {
    if (!n) return otherwise;
    const std::string* a = n->attribute(attribute);
    if (!a) return otherwise;
    double x = otherwise;
    const char* p = a->c_str();
    if (*p == '+') ++p;
    auto r = std::from_chars(p, a->c_str() + a->size(), x);
    return r.ec == std::errc() && std::isfinite(x) ? x : otherwise;
}

// A number of a file as a whole number within [lo, hi], however large.
int whole(double x, int lo, int hi) {
    return static_cast<int>(std::clamp(x, static_cast<double>(lo), static_cast<double>(hi)));
}

// The values of an object by their keys, as the JSON output lists them.
class Values : public ValueSink {
  public:
    void number(const char* key, double x) override { V[key] = {x}; }
    void numbers(const char* key, const double* v, int n) override {
        V[key].assign(v, v + std::max(n, 0));
    }
    void points(const char* key, const double* xy, int n) override {
        V[key].assign(xy, xy + 2 * std::max(n, 0));
    }
    void text(const char*, const std::string&) override {}
    const std::vector<double>* get(const char* key) const {
        auto f = V.find(key);
        return f == V.end() ? nullptr : &f->second;
    }
    std::map<std::string, std::vector<double>> V;
};

std::string shortnumber(double x) {
    char b[32];
    std::snprintf(b, sizeof b, "%.10g", x);
    return b;
}

} // namespace

bool storedplace(const XmlNode* n, double& x, double& y) {
    const double z = number(n, "z", 1);
    x = number(n, "x", NAN) / z;
    y = number(n, "y", NAN) / z;
    return n && std::isfinite(x) && std::isfinite(y);
}

bool namestart(unsigned char c) {
    return std::isalpha(c) || c >= 0x80;
}

bool namebyte(unsigned char c) {
    return namestart(c) || std::isdigit(c) || c == '_' || c == '\'';
}

bool isggb(const std::string& bytes) {
    return bytes.size() >= 4 && bytes.compare(0, 4, "PK\x03\x04") == 0;
}

GgbImport importggb(const std::string& bytes) {
    GgbImport r;
    GgbEntries entries;
    if (!unzipggb(bytes, entries, r.Error)) return r;
    return importggbxml(entries.Construction, entries.Macros);
}

GgbImport importggbxml(const std::string& xml, const std::string& macros) {
    GgbImport r;
    XmlNode root, tools;
    if (!readxml(xml, root, r.Error)) return r;
    if (!macros.empty() && !readxml(macros, tools, r.Error)) {
        r.Error = "geogebra_macro.xml: " + r.Error;
        return r;
    }
    if (root.Name != "geogebra") {
        r.Error = "geogebra.xml holds no GeoGebra construction";
        return r;
    }
    return GgbImporter().run(root, macros.empty() ? nullptr : &tools);
}

GgbImport GgbImporter::run(const XmlNode& root, const XmlNode* macros) {
    view(root);
    if (macros)
        for (const XmlNode& m : macros->Children)
            if (m.Name == "macro" && m.attribute("cmdName")) Macros[m.get("cmdName")] = &m;
    const XmlNode* c = root.child("construction");
    if (!c) {
        R.Error = "geogebra.xml holds no construction";
        return R;
    }
    // The style and the stored values of an object follow what made it.
    for (const XmlNode& n : c->Children)
        if (n.Name == "element") {
            const std::string* label = n.attribute("label");
            if (label) Elements[*label] = &n;
        }
    for (const XmlNode& n : c->Children) {
        if (n.Name == "element")
            element(n);
        else if (n.Name == "command")
            command(n);
        else if (n.Name == "expression")
            expression(n);
    }
    objects.update();
    return R;
}

void GgbImporter::view(const XmlNode& geogebra) {
    const XmlNode* ev = geogebra.child("euclidianView");
    const XmlNode* cs = ev ? ev->child("coordSystem") : nullptr;
    const XmlNode* size = ev ? ev->child("size") : nullptr;
    if (!cs) return;
    const double scale = number(cs, "scale", 50), yscale = number(cs, "yscale", scale);
    const double x0 = number(cs, "xZero", 215), y0 = number(cs, "yZero", 315);
    // Files of early versions give no size: the window of their time.
    const double w = number(size, "width", 800), h = number(size, "height", 600);
    if (!(scale > 1e-12 && yscale > 1e-12 && w >= 1 && h >= 1)) return;
    const double x1 = -x0 / scale, x2 = (w - x0) / scale;
    const double y1 = (y0 - h) / yscale, y2 = y0 / yscale;
    if (!std::isfinite(x1 + x2 + y1 + y2)) return;
    filehost().setsize(x1, x2, y1, y2);
    X0 = x0, Y0 = y0, XScale = scale, YScale = yscale;
    Scale = std::max(x2 - x1, y2 - y1);
}

std::string GgbImporter::name(const std::string& label) {
    // A label Gyrel can keep as it is: printable, not too long, not taken.
    bool fits = !label.empty() && label.size() <= 200 && characters(label.c_str()) <= 63;
    for (unsigned char c : label)
        if (c < 0x20 || c == '"' || c == '\\' || c == 0x7f) fits = false;
    std::string base = fits ? label : "Imported";
    if (!objects.find(base.c_str(), 0, nullptr)) return base;
    for (int i = 2;; ++i) {
        std::string n = base + "_" + std::to_string(i);
        if (!objects.find(n.c_str(), 0, nullptr)) return n;
    }
}

const XmlNode* GgbImporter::stored(const std::string& label) const {
    auto f = Elements.find(label);
    return f == Elements.end() ? nullptr : f->second;
}

std::string GgbImporter::flags(const std::string& label, int kind) {
    std::vector<std::string> f;
    const XmlNode* e = stored(label);
    if (!e) {
        f.push_back("hidden");
    } else {
        const XmlNode* show = e->child("show");
        // GeoGebra draws numbers only as sliders.
        if ((show && show->get("object") == "false") || ((kind & KNumber) && !(kind & KSlider)))
            f.push_back("hidden");
        const XmlNode* colour = e->child("objColor");
        if (colour) {
            const int r = whole(number(colour, "r", 0), 0, 255),
                      g = whole(number(colour, "g", 0), 0, 255),
                      b = whole(number(colour, "b", 0), 0, 255);
            if (r || g || b) {
                char c[16];
                std::snprintf(c, sizeof c, "color:#%02x%02x%02x", r, g, b);
                f.push_back(c);
            }
        }
        // What the label shows: 0 the name, 1 name and value, 2 the value,
        // 3 the caption, 9 caption and value.
        const bool labelled = show && show->get("label") == "true";
        const int mode = whole(number(e->child("labelMode"), "val", 0), -1, 100);
        const bool valued = labelled && (mode == 1 || mode == 2 || mode == 9);
        const XmlNode* caption = e->child("caption");
        if (labelled && (mode == 3 || mode == 9) && caption && !(kind & (KBool | KText))) {
            // Its own name for "%n"; the dollars of a formula go.
            std::string text = caption->get("val"), shown;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text.compare(i, 2, "%n") == 0)
                    shown += label, ++i;
                else if (text[i] != '$')
                    shown += text[i];
            }
            shown = Object::fitcaption(shown);
            if (!shown.empty() && shown != label) f.push_back("\"caption:" + shown + '"');
        }
        if (labelled && mode != 2 && !(kind & (KNumber | KBool | KText))) f.push_back("showname");
        if (valued && (kind & KSegment)) f.push_back("showlength");
        if (valued && (kind & KAngle)) f.push_back("showsize");
        if (const XmlNode* line = e->child("lineStyle")) {
            if (kind & (KStraight | KRound | KPolygon | KAngle | KLocus)) {
                // One line type: a dashed line is dotted however thick.
                // Thicknesses were pixels (2 usual) before version 3, then
                // a scale with 5 usual.
                if (number(line, "type", 0) != 0)
                    f.push_back("dotted");
                else if (number(line, "thickness", 2) >= 7)
                    f.push_back("thick");
            }
        }
        if (kind & KPoint) {
            const int style = whole(number(e->child("pointStyle"), "val", 0), -1, 100);
            if (style == 1 || style == 3)
                f.push_back("symbol:cross");
            else if (style == 0 || style == 2)
                f.push_back("symbol:circle");
        }
        if (kind & (KSlider | KBool)) {
            // Where a control stands: on the screen or in the plane.
            const XmlNode* slider = e->child("slider");
            const XmlNode* screen = e->child("absoluteScreenLocation");
            const XmlNode* offset = e->child("labelOffset");
            double x = NAN, y = NAN;
            if (slider && slider->attribute("x")) {
                x = number(slider, "x", NAN);
                y = number(slider, "y", NAN);
                if (slider->get("absoluteScreenLocation") == "true")
                    x = (x - X0) / XScale, y = (Y0 - y) / YScale;
            } else if (const XmlNode* at = screen ? screen : offset) {
                x = (number(at, "x", NAN) - X0) / XScale;
                y = (Y0 - number(at, "y", NAN)) / YScale;
            }
            if (std::isfinite(x) && std::isfinite(y)) {
                f.push_back("x:" + general(x));
                f.push_back("y:" + general(y));
            }
        }
        if (const XmlNode* c = e->child("condition")) {
            // Shown while a condition holds, when Gyrel can say it.
            std::string gyrel, why;
            const std::string condition = c->get("showObject");
            if (!condition.empty()) {
                if (numeric(condition, gyrel, why) && gyrel.find('"') == std::string::npos)
                    f.push_back('"' + ("showif:" + gyrel) + '"');
                else
                    R.Notes.push_back(label + ": shown always, its condition " + condition +
                                      " is not supported");
            }
        }
    }
    std::string s;
    for (const std::string& x : f) s += (s.empty() ? "" : ",") + x;
    return s;
}

std::string GgbImporter::quoted(const Made& m) {
    return '"' + m.Name + '"';
}

GgbImporter::Arg GgbImporter::arg(const std::string& text) const {
    Arg a;
    a.Text = text;
    auto f = Known.find(text);
    if (f != Known.end()) {
        a.M = &f->second;
        return a;
    }
    // A number, in degrees when it ends in the degree sign.
    std::string t = text;
    bool degrees = false;
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\xc2\xb0") == 0) {
        degrees = true;
        t.resize(t.size() - 2);
    }
    while (!t.empty() && t.back() == ' ') t.pop_back();
    const char* p = t.c_str();
    if (*p == '+') ++p;
    double x;
    auto r = std::from_chars(p, t.c_str() + t.size(), x);
    if (!t.empty() && r.ec == std::errc() && r.ptr == t.c_str() + t.size() && std::isfinite(x)) {
        a.Number = true;
        a.X = degrees ? x * M_PI / 180 : x; // radians, as GeoGebra counts
    }
    return a;
}

void GgbImporter::drop(const std::string& label, const std::string& what, const std::string& reason,
                       bool made) {
    if (label.empty() || Gone.count(label) || Known.count(label)) return;
    Gone[label] = reason;
    // What an input or a tool made of its own fails with the command that
    // has it.
    if (label.compare(0, Inner.size(), Inner) == 0 || label.compare(0, 1, "\x02") == 0) return;
    // A free object is told by its kind and name, a made one by its command.
    R.Dropped.push_back({label, made ? label + " = " + what : what, reason});
}

bool GgbImporter::make(const std::vector<std::string>& labels, const std::vector<int>& kinds,
                       const std::string& keyword, const std::vector<std::string>& args,
                       const std::string& what, std::vector<Object*>* made) {
    std::string line;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const int kind = i < kinds.size() ? kinds[i] : kinds.back();
        std::string n = name(labels[i].empty() ? "_" + std::to_string(R.Made + i) : labels[i]);
        // A name chosen here must not meet another item's of this record.
        if (std::find(names.begin(), names.end(), n) != names.end()) n = name(n + "_");
        names.push_back(n);
        line += (i ? "," : "") +
                ('"' + n + "\"(" + (labels[i].empty() ? "hidden" : flags(labels[i], kind)) + ")");
    }
    line += "=" + keyword + "(";
    for (std::size_t i = 0; i < args.size(); ++i) line += (i ? "," : "") + args[i];
    line += ");";
    if (!readrecord(line)) {
        const std::string reason =
            input.Reason.empty() ? "Gyrel cannot build it from these objects" : input.Reason;
        for (const std::string& l : labels) drop(l, what, reason);
        return false;
    }
    if (made) made->clear();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        ++R.Made;
        const std::string& n = names[i];
        Object* o = objects.find(n.c_str(), 0, nullptr);
        if (made) made->push_back(o);
        if (labels[i].empty()) continue;
        Made m;
        m.Name = o ? o->name() : n;
        m.K = i < kinds.size() ? kinds[i] : kinds.back();
        Known[labels[i]] = m;
    }
    return true;
}

std::string GgbImporter::helper(const std::string& keyword, const std::vector<std::string>& args) {
    const std::string n = name("_help");
    // What it rests on stays where it is.
    std::string line =
        '"' + n + (keyword == "point" ? "\"(hidden,fixed)=" : "\"(hidden)=") + keyword + "(";
    for (std::size_t i = 0; i < args.size(); ++i) line += (i ? "," : "") + args[i];
    if (!readrecord(line + ");")) return "";
    ++R.Made;
    return n;
}

void GgbImporter::element(const XmlNode& e) {
    const std::string label = e.get("label");
    if (label.empty() || Known.count(label) || Gone.count(label)) return;
    const std::string type = e.get("type");
    if (type == "point") {
        double x, y;
        if (!storedplace(e.child("coords"), x, y)) {
            drop(label, "Point " + label, "it has no place", false);
            return;
        }
        const XmlNode* fixed = e.child("fixed");
        std::string style = flags(label, KPoint);
        if (fixed && fixed->get("val") == "true") style += style.empty() ? "fixed" : ",fixed";
        const std::string n = name(label);
        if (!readrecord('"' + n + "\"(" + style + ")=point(" + fixed15(x) + "," + fixed15(y) +
                        ");")) {
            drop(label, "Point " + label, "it cannot be read", false);
            return;
        }
        ++R.Made;
        Known[label] = {n, KPoint, {}};
        check(label);
        return;
    }
    if (type == "numeric" || type == "angle") {
        const double v = number(e.child("value"), "val", NAN);
        if (!std::isfinite(v)) {
            drop(label, "Number " + label, "it has no value", false);
            return;
        }
        const bool angle = type == "angle";
        const double shown = angle ? v * 180 / M_PI : v;
        if (const XmlNode* s = e.child("slider")) {
            double lo = number(s, "min", 0), hi = number(s, "max", 10);
            if (angle) lo *= 180 / M_PI, hi *= 180 / M_PI;
            const XmlNode* an = e.child("animation");
            double step = number(an, "step", (hi - lo) / 100);
            if (angle) step *= 180 / M_PI;
            if (make({label}, {KNumber | KSlider}, "slider",
                     {general(shown), general(lo), general(hi), general(std::fabs(step))},
                     "Slider " + label))
                check(label);
            return;
        }
        if (make({label}, {KNumber}, "calculate", {'"' + general(shown) + '"'}, "Number " + label))
            check(label);
        return;
    }
    if (type == "line") {
        // A line given by its equation a x + b y + c = 0: through two
        // points of its own.
        const XmlNode* c = e.child("coords");
        const double a = number(c, "x", NAN), b = number(c, "y", NAN), d = number(c, "z", NAN);
        const double n = a * a + b * b;
        if (!(n > 0) || !std::isfinite(d) || !std::isfinite(n)) {
            drop(label, "Line " + label, "it has no equation", false);
            return;
        }
        const double fx = -a * d / n, fy = -b * d / n, r = std::sqrt(n);
        const std::string p = helper("point", {fixed15(fx), fixed15(fy)}),
                          q = helper("point", {fixed15(fx - b / r), fixed15(fy + a / r)});
        if (!p.empty() && !q.empty() &&
            make({label}, {KLine}, "line", {'"' + p + '"', '"' + q + '"'}, "Line " + label))
            check(label);
        return;
    }
    if (type == "conic") {
        // A circle given by its equation: about a centre of its own.
        const XmlNode* m = e.child("matrix");
        const double a0 = number(m, "A0", NAN), a1 = number(m, "A1", NAN),
                     a2 = number(m, "A2", NAN), a3 = number(m, "A3", NAN),
                     a4 = number(m, "A4", NAN), a5 = number(m, "A5", NAN);
        const double cx = -a4 / a0, cy = -a5 / a0, r2 = cx * cx + cy * cy - a2 / a0;
        if (a0 != 0 && std::fabs(a0 - a1) <= 1e-12 * std::fabs(a0) && a3 == 0 && r2 > 0 &&
            std::isfinite(cx + cy + r2)) {
            const std::string centre = helper("point", {fixed15(cx), fixed15(cy)});
            if (!centre.empty() &&
                make({label}, {KCircle}, "circleradius",
                     {'"' + centre + '"', general(std::sqrt(r2))}, "Circle " + label))
                check(label);
            return;
        }
    }
    if (type == "boolean") {
        const bool on = e.child("value") && e.child("value")->get("val") == "true";
        const XmlNode* caption = e.child("caption");
        const std::string text = caption ? caption->get("val") : label;
        make({label}, {KBool}, "checkbox", {on ? "1" : "0", quotedtext(text)},
             "Check box " + label);
        return;
    }
    static const std::map<std::string, std::string> reasons = {
        {"function", "function graphs are not supported"},
        {"functionconditional", "function graphs are not supported"},
        {"curvecartesian", "curves are not supported"},
        {"implicitpoly", "implicit curves are not supported"},
        {"image", "pictures are not supported"},
        {"list", "lists are not supported"},
        {"button", "buttons are not supported"},
        {"textfield", "input boxes are not supported"},
        {"conic", "conics other than circles are not supported"},
    };
    auto r = reasons.find(type);
    std::string why = r != reasons.end() ? r->second
                      : type.size() > 2 && type.compare(type.size() - 2, 2, "3d") == 0
                          ? "3D objects are not supported"
                          : "objects of the type \"" + type + "\" are not supported";
    std::string kind = type;
    if (!kind.empty())
        kind[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kind[0])));
    drop(label, kind + " " + label, why, false);
}

void GgbImporter::check(const std::string& label) {
    auto k = Known.find(label);
    const XmlNode* e = stored(label);
    if (k == Known.end() || !e) return;
    Object* o = objects.find(k->second.Name.c_str(), 0, nullptr);
    if (!o) return;
    const XmlNode* c = e->child("coords");
    if (!o->valid) {
        // GeoGebra's undefined objects are Gyrel's invalid ones; a point
        // GeoGebra had a place for must have one here too.
        double x, y;
        if ((k->second.K & KPoint) && c && storedplace(c, x, y))
            R.Mismatches.push_back(label + ": GeoGebra stored (" + shortnumber(x) + ", " +
                                   shortnumber(y) + ") where Gyrel has no point");
        return;
    }
    Values v;
    o->values(v);
    const double tolerance = 1e-9 * std::max(Scale, 1.0);
    auto far = [&](double a, double b) { return !(std::fabs(a - b) <= tolerance); };
    std::string wrong;
    if ((k->second.K & KPoint) && c) {
        double x, y;
        const auto *gx = v.get("x"), *gy = v.get("y");
        if (gx && gy && storedplace(c, x, y) && (far((*gx)[0], x) || far((*gy)[0], y)))
            wrong = "(" + shortnumber(x) + ", " + shortnumber(y) + ") against (" +
                    shortnumber((*gx)[0]) + ", " + shortnumber((*gy)[0]) + ")";
    } else if ((k->second.K & (KLine | KSegment)) && c) {
        double a = number(c, "x", NAN), b = number(c, "y", NAN), d = number(c, "z", NAN);
        const double n = std::hypot(a, b);
        const auto* g = v.get("normal");
        if (g && g->size() == 3 && n > 0 && std::isfinite(d)) {
            a /= n, b /= n, d /= n;
            const auto& h = *g;
            const bool same = !far(h[0], a) && !far(h[1], b) && !far(h[2], d);
            const bool opposite = !far(h[0], -a) && !far(h[1], -b) && !far(h[2], -d);
            if (!same && !opposite)
                wrong = "the line " + shortnumber(a) + " x + " + shortnumber(b) + " y + " +
                        shortnumber(d) + " = 0 against " + shortnumber(h[0]) + " x + " +
                        shortnumber(h[1]) + " y + " + shortnumber(h[2]) + " = 0";
        }
    } else if (const XmlNode* m = (k->second.K & KRound) ? e->child("matrix") : nullptr) {
        const double a0 = number(m, "A0", NAN), a2 = number(m, "A2", NAN),
                     a4 = number(m, "A4", NAN), a5 = number(m, "A5", NAN);
        const double cx = -a4 / a0, cy = -a5 / a0, r = std::sqrt(cx * cx + cy * cy - a2 / a0);
        const auto *gc = v.get("center"), *gr = v.get("radius");
        if (gc && gr && gc->size() == 2 && std::isfinite(cx + cy + r) &&
            (far((*gc)[0], cx) || far((*gc)[1], cy) || far((*gr)[0], r)))
            wrong = "the centre (" + shortnumber(cx) + ", " + shortnumber(cy) + ") and radius " +
                    shortnumber(r) + " against (" + shortnumber((*gc)[0]) + ", " +
                    shortnumber((*gc)[1]) + ") and " + shortnumber((*gr)[0]);
    } else if (k->second.K & (KNumber | KAngle)) {
        double x = number(e->child("value"), "val", NAN);
        const auto* g = v.get((k->second.K & KAngle) ? "degrees" : "value");
        if ((k->second.K & KAngle) || e->get("type") == "angle") x *= 180 / M_PI;
        if (g && std::isfinite(x) && far((*g)[0], x))
            wrong = shortnumber(x) + " against " + shortnumber((*g)[0]);
    }
    if (!wrong.empty()) R.Mismatches.push_back(label + ": GeoGebra stored " + wrong);
}

void GgbImporter::order(Object* first, Object* second, const std::string& a, const std::string& b) {
    // Which of GeoGebra's objects is which: a place stored for either
    // decides, a point's or a line's.
    auto off = [&](const std::string& label, Object* o) -> double {
        const XmlNode* e = label.empty() ? nullptr : stored(label);
        const XmlNode* c = e ? e->child("coords") : nullptr;
        Values v;
        if (!c || !o->valid) return NAN;
        o->values(v);
        const double x = number(c, "x", NAN), y = number(c, "y", NAN), z = number(c, "z", NAN);
        const auto *px = v.get("x"), *py = v.get("y"), *n = v.get("normal");
        if (px && py) return std::hypot((*px)[0] - x / z, (*py)[0] - y / z);
        const double r = std::hypot(x, y);
        if (n && n->size() == 3 && r > 0) {
            const auto& h = *n;
            return std::min(
                std::fabs(h[0] - x / r) + std::fabs(h[1] - y / r) + std::fabs(h[2] - z / r),
                std::fabs(h[0] + x / r) + std::fabs(h[1] + y / r) + std::fabs(h[2] + z / r));
        }
        return NAN;
    };
    bool swap = false;
    if (std::isfinite(off(a, first)) && std::isfinite(off(a, second)))
        swap = off(a, second) < off(a, first);
    else if (std::isfinite(off(b, first)) && std::isfinite(off(b, second)))
        swap = off(b, first) < off(b, second);
    if (!swap) return;
    // The names and the looks change places; the objects stay as computed.
    std::string n1 = first->name(), n2 = second->name(), t = "\x01";
    first->setname1(t.data());
    second->setname1(n1.data());
    first->setname1(n2.data());
    std::swap(first->Color, second->Color);
    Flag h = first->ishidden, s = first->showname;
    first->ishidden = second->ishidden, first->showname = second->showname;
    second->ishidden = h, second->showname = s;
    auto* p = dynamic_cast<Pointprim*>(first);
    auto* q = dynamic_cast<Pointprim*>(second);
    if (p && q) std::swap(p->Symbol, q->Symbol);
}
