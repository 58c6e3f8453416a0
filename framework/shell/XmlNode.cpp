#include "framework/shell/XmlNode.h"

#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <mutex>

#include "framework/shell/XmlDocHandle.h"

namespace {

void discardGeneric(void*, const char*, ...) {}
void discardStructured(void*, xmlErrorPtr) {}
xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

QString fromXml(const xmlChar* s) { return s ? QString::fromUtf8(reinterpret_cast<const char*>(s)) : QString(); }

}  // namespace

void xmlGuardInit() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
    });
    // Error handlers are kept per thread by libxml2.
    xmlSetGenericErrorFunc(nullptr, discardGeneric);
    xmlSetStructuredErrorFunc(nullptr, discardStructured);
}

XmlNodeListPtr XmlNode::Xql(const QString& query) const {
    xmlGuardInit();
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(doc_->doc),
                                                                             xmlXPathFreeContext);
    if (!context) throw XmlException(XML_ERR_NO_MEMORY, QStringLiteral("Out of memory"), QString(), QString());
    context->node = node_;
    context->error = discardStructured;  // the error is read from lastError below

    auto fail = [&]() -> XmlException {
        const xmlError& e = context->lastError;
        const QString message = fromXml(reinterpret_cast<const xmlChar*>(e.message)).trimmed();
        return XmlException(e.code ? e.code : XML_XPATH_EXPR_ERROR,
                            message.isEmpty() ? QStringLiteral("Invalid query") : message, QString(), query);
    };
    const QByteArray utf8 = query.toUtf8();
    std::unique_ptr<xmlXPathCompExpr, decltype(&xmlXPathFreeCompExpr)> compiled(
        xmlXPathCtxtCompile(context.get(), reinterpret_cast<const xmlChar*>(utf8.constData())), xmlXPathFreeCompExpr);
    if (!compiled) throw fail();
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathCompiledEval(compiled.get(), context.get()), xmlXPathFreeObject);
    if (!result) throw fail();

    std::vector<XmlNodePtr> nodes;
    if (result->type == XPATH_NODESET && result->nodesetval) {
        const xmlNodeSetPtr set = result->nodesetval;
        for (int i = 0; i < set->nodeNr; ++i) {
            xmlNodePtr n = set->nodeTab[i];
            // Namespace nodes are copies owned by the result; they do not outlive it.
            if (!n || n->type == XML_NAMESPACE_DECL) continue;
            nodes.push_back(std::make_shared<XmlNode>(doc_, n));
        }
    }
    return std::make_shared<XmlNodeList>(std::move(nodes));
}

QString XmlNode::ToString() const {
    xmlGuardInit();
    if (node_->type == XML_DOCUMENT_NODE) {
        xmlChar* text = nullptr;
        int size = 0;
        xmlDocDumpMemoryEnc(doc_->doc, &text, &size, "UTF-8");
        const QString out = QString::fromUtf8(reinterpret_cast<const char*>(text), size);
        xmlFree(text);
        return out;
    }
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
    if (!buffer) return QString();
    xmlNodeDump(buffer.get(), doc_->doc, node_, 0, 0);
    return QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())), xmlBufferLength(buffer.get()));
}

QString XmlNode::Name() const { return fromXml(node_->name); }

QString XmlNode::Value() const {
    xmlChar* content = xmlNodeGetContent(node_);
    const QString out = fromXml(content);
    xmlFree(content);
    return out;
}
