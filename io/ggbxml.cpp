#include "ggbxml.h"

#include <QXmlStreamReader>

const std::string* XmlNode::attribute(const std::string& name) const {
    for (const auto& a : Attributes)
        if (a.first == name) return &a.second;
    return nullptr;
}

std::string XmlNode::get(const std::string& name, const std::string& otherwise) const {
    const std::string* a = attribute(name);
    return a ? *a : otherwise;
}

const XmlNode* XmlNode::child(const std::string& name) const {
    for (const XmlNode& c : Children)
        if (c.Name == name) return &c;
    return nullptr;
}

bool readxml(const std::string& text, XmlNode& root, std::string& why) {
    root = XmlNode();
    QXmlStreamReader r(QByteArray::fromRawData(text.data(), static_cast<int>(text.size())));
    std::vector<XmlNode*> open;
    int nodes = 0;
    bool rooted = false;
    while (!r.atEnd()) {
        switch (r.readNext()) {
        case QXmlStreamReader::DTD:
            why = "the XML declares a document type, which GeoGebra files never do";
            return false;
        case QXmlStreamReader::EntityReference:
            why = "the XML refers to an entity that is not declared";
            return false;
        case QXmlStreamReader::StartElement: {
            if (++nodes > XmlNodesMax) {
                why = "the XML has more than " + std::to_string(XmlNodesMax) + " elements";
                return false;
            }
            if (static_cast<int>(open.size()) >= XmlDepthMax) {
                why = "the XML is nested more than " + std::to_string(XmlDepthMax) + " deep";
                return false;
            }
            XmlNode* n;
            if (open.empty()) {
                if (rooted) break; // the reader refuses a second root itself
                rooted = true;
                n = &root;
            } else {
                open.back()->Children.emplace_back();
                n = &open.back()->Children.back();
            }
            n->Name = r.name().toString().toStdString();
            const QXmlStreamAttributes attributes = r.attributes();
            n->Attributes.reserve(static_cast<std::size_t>(attributes.size()));
            for (const QXmlStreamAttribute& a : attributes)
                n->Attributes.emplace_back(a.qualifiedName().toString().toStdString(),
                                           a.value().toString().toStdString());
            open.push_back(n);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.empty()) open.pop_back();
            break;
        default:
            break;
        }
    }
    if (r.hasError()) {
        why = "the XML is broken at line " + std::to_string(r.lineNumber()) + ": " +
              r.errorString().toStdString();
        return false;
    }
    if (!rooted) {
        why = "the XML holds no element";
        return false;
    }
    return true;
}
