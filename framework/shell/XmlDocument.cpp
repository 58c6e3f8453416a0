#include "framework/shell/XmlDocument.h"

#include <libxml/parser.h>

#include <QFile>
#include <limits>

#include "framework/files/RegularFile.h"
#include "framework/shell/XmlDocHandle.h"

namespace {

// No network, no external entities or DTDs, no printing: errors are reported
// through the exception alone.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

struct FirstError {
    bool set = false;
    int code = 0;
    int line = 0;
    QString message, node;
};

// Keeps the first error: libxml2 goes on after a fatal one, and its last
// error ("Premature end of data") would hide the cause.
void keepFirstError(void* userData, xmlErrorPtr error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(userData);
    auto* first = ctxt ? static_cast<FirstError*>(ctxt->_private) : nullptr;
    if (!first || first->set || !error || error->level < XML_ERR_ERROR) return;
    first->set = true;
    first->code = error->code;
    first->line = error->line;
    first->message = QString::fromUtf8(error->message).trimmed();
    first->node = QString::fromUtf8(error->str1);
}

std::shared_ptr<XmlDocHandle> parse(const QByteArray& bytes, const char* encoding) {
    xmlGuardInit();
    if (bytes.size() > std::numeric_limits<int>::max())
        throw XmlException(XML_ERR_NO_MEMORY, QStringLiteral("Document too large"), QString(), QString());
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> ctxt(xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!ctxt) throw XmlException(XML_ERR_NO_MEMORY, QStringLiteral("Out of memory"), QString(), QString());
    FirstError first;
    ctxt->_private = &first;
    ctxt->sax->serror = keepFirstError;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt.get(), bytes.constData(), int(bytes.size()), nullptr, encoding, kParseOptions);
    if (doc) return std::make_shared<XmlDocHandle>(doc);
    if (first.set)
        throw XmlException(first.code, first.message, first.line > 0 ? QString::number(first.line) : QString(),
                           first.node);
    const xmlError* e = xmlCtxtGetLastError(ctxt.get());
    if (!e || e->code == XML_ERR_OK)
        throw XmlException(XML_ERR_DOCUMENT_EMPTY, QStringLiteral("Document is empty"), QStringLiteral("1"), QString());
    throw XmlException(e->code, QString::fromUtf8(e->message).trimmed(),
                       e->line > 0 ? QString::number(e->line) : QString(), QString::fromUtf8(e->str1));
}

std::shared_ptr<XmlDocHandle> parseFile(const FolderItemPtr& file) {
    if (!file) throw XmlException(XML_IO_LOAD_ERROR, QStringLiteral("No file"), QString(), QString());
    // Only a regular file, and not one beyond any document we read: a FIFO
    // or a device at the path must not block or flood the program.
    constexpr qint64 kMaxDocument = 64 * 1024 * 1024;
    ReadProblem problem = ReadProblem::None;
    const QByteArray bytes = ReadRegularFile(file->AbsolutePath(), kMaxDocument, &problem);
    if (problem != ReadProblem::None)
        throw XmlException(XML_IO_LOAD_ERROR, QStringLiteral("Cannot read the file"), QString(), file->AbsolutePath());
    return parse(bytes, nullptr);
}

}  // namespace

XmlDocument::XmlDocument(const FolderItemPtr& file) : XmlNode(parseFile(file), nullptr) {
    node_ = reinterpret_cast<xmlNodePtr>(doc_->doc);
}

XmlDocument::XmlDocument(const QString& text) : XmlNode(parse(text.toUtf8(), "UTF-8"), nullptr) {
    node_ = reinterpret_cast<xmlNodePtr>(doc_->doc);
}

XmlDocument::XmlDocument(std::shared_ptr<XmlDocHandle> handle) : XmlNode(std::move(handle), nullptr) {
    node_ = reinterpret_cast<xmlNodePtr>(doc_->doc);
}

XmlDocumentPtr XmlDocument::FromBytes(const QByteArray& bytes) {
    return XmlDocumentPtr(new XmlDocument(parse(bytes, nullptr)));
}

XmlNodePtr XmlDocument::DocumentElement() const {
    xmlNodePtr root = xmlDocGetRootElement(doc_->doc);
    return root ? std::make_shared<XmlNode>(doc_, root) : nullptr;
}
