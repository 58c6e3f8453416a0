#pragma once
// A node of a parsed XML document. Held by std::shared_ptr; a node keeps its
// document alive.
#include <QString>
#include <memory>

#include "framework/shell/XmlException.h"
#include "framework/shell/XmlNodeList.h"

struct XmlDocHandle;
struct _xmlNode;

class XmlNode {
public:
    XmlNode(std::shared_ptr<XmlDocHandle> doc, _xmlNode* node) : doc_(std::move(doc)), node_(node) {}
    virtual ~XmlNode() = default;

    // The nodes an XPath 1.0 query selects, with this node as the context node.
    // Throws XmlException for a query that does not compile or evaluate. A
    // query whose value is not a node set (a number, say) finds no nodes.
    XmlNodeListPtr Xql(const QString& query) const;
    // The node's own XML text, as it would stand in the document: an element
    // with its content ("<string>Tiled</string>"), a text node's escaped text.
    QString ToString() const;
    QString Name() const;
    // The text content of the node and everything below it.
    QString Value() const;

protected:
    std::shared_ptr<XmlDocHandle> doc_;
    _xmlNode* node_;
};
