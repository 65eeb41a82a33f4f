// The tools a GeoGebra file defines for itself (geogebra_macro.xml): each
// use is made as the tool's construction with the use's objects.
#include "ggbimporter.h"

#include <cctype>
#include <set>

namespace {

// The text with every name of the tool put as the use calls it.
std::string renamed(const std::string& text, const std::map<std::string, std::string>& to) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            // A string in quotes stays as it is.
            std::size_t close = text.find('"', i + 1);
            close = close == std::string::npos ? text.size() : close + 1;
            out.append(text, i, close - i);
            i = close;
        } else if (namestart(static_cast<unsigned char>(text[i]))) {
            std::size_t j = i;
            while (j < text.size() && namebyte(static_cast<unsigned char>(text[j]))) ++j;
            const std::string name = text.substr(i, j - i);
            auto f = to.find(name);
            out += f == to.end() ? name : f->second;
            i = j;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// Every label the tool's construction gives its objects.
std::set<std::string> labels(const XmlNode& construction) {
    std::set<std::string> all;
    for (const XmlNode& n : construction.Children) {
        if (n.Name == "element" || n.Name == "expression") {
            const std::string* l = n.attribute("label");
            if (l) all.insert(*l);
        } else if (n.Name == "command") {
            for (const std::string& o : numbered(n.child("output")))
                if (!o.empty()) all.insert(o);
        }
    }
    return all;
}

} // namespace

void GgbImporter::macro(const XmlNode& m, const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs, const std::string& what) {
    const std::vector<std::string> ins = numbered(m.child("macroInput")),
                                   outs = numbered(m.child("macroOutput"));
    const XmlNode* construction = m.child("construction");
    auto fail = [&](const std::string& why) {
        for (const std::string& o : outputs) drop(o, what, why);
    };
    if (!construction) return fail("the tool has no construction");
    if (ins.size() != inputs.size())
        return fail("the tool takes " + std::to_string(ins.size()) + " inputs");
    if (Depth >= 8) return fail("tools are used within each other too deep");
    // The tool's inputs and outputs stand for the use's; the rest of its
    // objects get names of their own.
    const std::string apart = "\x02" + std::to_string(++Expansions) + ":";
    std::map<std::string, std::string> to;
    for (const std::string& l : labels(*construction)) to[l] = apart + l;
    for (std::size_t i = 0; i < ins.size(); ++i) to[ins[i]] = inputs[i];
    for (std::size_t i = 0; i < outs.size(); ++i)
        if (i < outputs.size() && !outputs[i].empty()) to[outs[i]] = outputs[i];
    const std::set<std::string> given(ins.begin(), ins.end());
    ++Depth;
    for (const XmlNode& n : construction->Children) {
        XmlNode copy = n;
        copy.Children.clear();
        if (n.Name == "element") {
            // The tool's inputs are the use's objects.
            if (given.count(n.get("label"))) continue;
            copy.Children = n.Children;
        } else if (n.Name == "command") {
            copy.Children = n.Children;
            for (XmlNode& c : copy.Children)
                if (c.Name == "input" || c.Name == "output")
                    for (auto& a : c.Attributes) a.second = renamed(a.second, to);
        } else if (n.Name != "expression") {
            continue;
        }
        for (auto& a : copy.Attributes)
            if (a.first == "label" || a.first == "exp") a.second = renamed(a.second, to);
        if (copy.Name == "element")
            element(copy);
        else if (copy.Name == "command")
            command(copy);
        else
            expression(copy);
    }
    --Depth;
    for (const std::string& o : outputs)
        if (!o.empty() && !Known.count(o))
            drop(o, what, "the tool's construction does not make it");
}
