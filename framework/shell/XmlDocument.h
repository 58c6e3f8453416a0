#pragma once
// An XML document parsed with libxml2 and queried with XPath 1.0. Parsing
// never touches the network and never loads or expands external entities or
// DTDs; libxml2 prints nothing. A document that is not well-formed throws
// XmlException with the line of the error.
#include <memory>

#include "framework/files/FolderItem.h"
#include "framework/shell/XmlNode.h"

class XmlDocument : public XmlNode {
public:
    // Parses the file (its own encoding declaration applies). Throws
    // XmlException for a Nil or unreadable file as well.
    explicit XmlDocument(const FolderItemPtr& file);
    // Parses text (taken as Unicode, whatever its declaration says).
    explicit XmlDocument(const QString& text);

    // Parses bytes as a file's content (their own encoding declaration applies).
    static std::shared_ptr<XmlDocument> FromBytes(const QByteArray& bytes);

    // The root element; Nil for a document without one.
    XmlNodePtr DocumentElement() const;

private:
    explicit XmlDocument(std::shared_ptr<XmlDocHandle> handle);
};

using XmlDocumentPtr = std::shared_ptr<XmlDocument>;
