// XmlDocument on any bytes, as the program reads a file: libxml2 detects the
// encoding itself. Parse, run the placement query and print what it found.
// Only XmlException may come out.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "framework/shell/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString query = QStringLiteral(
        "/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = \"Placement\"]/following-sibling::string[1]");
    try {
        const XmlDocumentPtr doc =
            XmlDocument::FromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        const XmlNodePtr root = doc->DocumentElement();
        if (!root) return 0;
        const XmlNodeListPtr nodes = root->Xql(query);
        for (int32_t i = 0; i < nodes->Length(); ++i) (void)nodes->Item(i)->ToString();
        const XmlNodeListPtr all = root->Xql(QStringLiteral("//node()|//@*"));
        if (all->Length() > 0) (void)all->Item(all->Length() - 1)->ToString();
        (void)root->Value();
    } catch (const XmlException&) {
    }
    return 0;
}
