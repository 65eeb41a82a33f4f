// The XML of a GeoGebra file as a small tree, read with limits that keep a
// hostile file from costing more than a real one.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct XmlNode {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Attributes;
    std::vector<XmlNode> Children;
    // The value of an attribute; null when it has none of that name.
    const std::string* attribute(const std::string& name) const;
    // The value of an attribute, or otherwise.
    std::string get(const std::string& name, const std::string& otherwise = "") const;
    // The first child of that name; null when there is none.
    const XmlNode* child(const std::string& name) const;
};

// The limits of a file read: elements deep, elements in all.
const int XmlDepthMax = 64;
const int XmlNodesMax = 2000000;

// Reads the text of an XML document into root; false with the reason in
// why when it is no well-formed document, declares a document type
// (entities), or goes beyond the limits. Text between elements is dropped:
// GeoGebra keeps everything in attributes.
bool readxml(const std::string& text, XmlNode& root, std::string& why);
