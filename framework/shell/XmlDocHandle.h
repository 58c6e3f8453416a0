#pragma once
// Private to the XML classes: the parsed libxml2 document, shared by every
// node taken from it so that the nodes stay valid as long as any is held.
#include <libxml/tree.h>

#include <memory>

struct XmlDocHandle {
    explicit XmlDocHandle(xmlDocPtr d) : doc(d) {}
    ~XmlDocHandle() { xmlFreeDoc(doc); }
    XmlDocHandle(const XmlDocHandle&) = delete;
    XmlDocHandle& operator=(const XmlDocHandle&) = delete;
    xmlDocPtr doc;
};

// Silences libxml2's printing of errors to stderr and forbids it to load any
// external resource (DTDs, entities, anything from the network). Idempotent.
void xmlGuardInit();
