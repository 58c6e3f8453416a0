#include <gtest/gtest.h>

#include <QFile>

#include "framework/shell/XmlDocument.h"
#include "tests/support/TestEnvironment.h"

namespace {

// The query the main window uses on the desktop record.
const QString kPlacementQuery = QStringLiteral(
    "/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = \"Placement\"]/following-sibling::string[1]");

QString plist(const QString& backgroundBody) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
               "<plist version=\"1.0\">\n<dict>\n\t<key>Background</key>\n\t<dict>\n%1\t</dict>\n</dict>\n</plist>\n")
        .arg(backgroundBody);
}

QString entry(const QString& key, const QString& placement) {
    return QStringLiteral("\t\t<key>%1</key>\n\t\t<dict>\n\t\t\t<key>ImageFilePath</key>\n\t\t\t<string>/p/a.jpg</string>\n"
                          "\t\t\t<key>Placement</key>\n\t\t\t<string>%2</string>\n\t\t</dict>\n")
        .arg(key, placement);
}

QString lastPlacement(const QString& text) {
    XmlDocument doc(text);
    const XmlNodeListPtr nodes = doc.DocumentElement()->Xql(kPlacementQuery);
    if (nodes->Length() < 1) return QString();
    return nodes->Item(nodes->Length() - 1)->ToString();
}

}  // namespace

TEST(XmlDocument, PlacementQueryIsTheOneOfTheMainWindow) { EXPECT_EQ(kPlacementQuery.size(), 121); }

TEST(XmlDocument, PlacementQueryYieldsEachPlacementAsItsElementText) {
    for (const char* placement : {"Crop", "SizeToFit", "FillScreen", "Centered", "Tiled"}) {
        const QString p = QString::fromLatin1(placement);
        EXPECT_EQ(lastPlacement(plist(entry(QStringLiteral("default"), p))), QStringLiteral("<string>%1</string>").arg(p));
    }
}

TEST(XmlDocument, PlacementQueryReachesEveryDictionaryWithAPlacementAndTheLastDecides) {
    const QString text = plist(entry(QStringLiteral("default"), QStringLiteral("Crop")) +
                               entry(QStringLiteral("69671680"), QStringLiteral("Centered")) +
                               entry(QStringLiteral("69732928"), QStringLiteral("Tiled")));
    XmlDocument doc(text);
    const auto nodes = doc.DocumentElement()->Xql(kPlacementQuery);
    ASSERT_EQ(nodes->Length(), 3);
    EXPECT_EQ(nodes->Item(0)->ToString(), QStringLiteral("<string>Crop</string>"));
    EXPECT_EQ(nodes->Item(2)->ToString(), QStringLiteral("<string>Tiled</string>"));
    EXPECT_EQ(nodes->Item(3), nullptr);
    EXPECT_EQ(nodes->Item(-1), nullptr);

    // Document order, not the order of the keys' names: the last dictionary wins.
    EXPECT_EQ(lastPlacement(plist(entry(QStringLiteral("zzz"), QStringLiteral("Tiled")) +
                                  entry(QStringLiteral("default"), QStringLiteral("SizeToFit")))),
              QStringLiteral("<string>SizeToFit</string>"));
}

TEST(XmlDocument, PlacementQueryFindsNothingWithoutTheKeys) {
    EXPECT_EQ(lastPlacement(plist(QString())), QString());
    // A dictionary without "default" is not reached, even with a placement.
    EXPECT_EQ(lastPlacement(plist(entry(QStringLiteral("other"), QStringLiteral("Tiled")).replace(
                  QStringLiteral("<key>Background</key>"), QStringLiteral("<key>Elsewhere</key>")))),
              QString());
    // The first string after the key, even when something else comes between.
    const QString gap = QStringLiteral(
        "\t\t<key>default</key>\n\t\t<dict><key>Placement</key><integer>3</integer><string>Centered</string>"
        "<string>Tiled</string></dict>\n");
    EXPECT_EQ(lastPlacement(plist(gap)), QStringLiteral("<string>Centered</string>"));
}

TEST(XmlDocument, MalformedXmlThrowsWithTheLineOfTheError) {
    const QString broken = QStringLiteral("<plist>\n<dict>\n<key>a</key>\n</plist>\n");
    try {
        XmlDocument doc(broken);
        FAIL() << "no exception";
    } catch (const XmlException& e) {
        EXPECT_GT(e.ErrorNumber(), 0);
        EXPECT_FALSE(e.Message().isEmpty());
        EXPECT_EQ(e.Line(), QStringLiteral("4"));
        EXPECT_EQ(e.Node(), QStringLiteral("dict"));
    }
    EXPECT_THROW(XmlDocument{QString()}, XmlException);
    EXPECT_THROW(XmlDocument{QStringLiteral("<a></b>")}, XmlException);
    EXPECT_THROW(XmlDocument{FolderItemPtr()}, XmlException);
    EXPECT_THROW(XmlDocument(GetFolderItem(TestEnvironment::Home() + QStringLiteral("/missing.xml"))), XmlException);
}

TEST(XmlDocument, BadQueryThrows) {
    XmlDocument doc(QStringLiteral("<a/>"));
    EXPECT_THROW(doc.DocumentElement()->Xql(QStringLiteral("/a[")), XmlException);
    EXPECT_THROW(doc.DocumentElement()->Xql(QStringLiteral("nosuchfunction()")), XmlException);
    // A query that is not a node set finds no nodes.
    EXPECT_EQ(doc.DocumentElement()->Xql(QStringLiteral("count(/a)"))->Length(), 0);
}

TEST(XmlDocument, ExternalEntitiesAreNeverLoaded) {
    const QString secretFile = TestEnvironment::Home() + QStringLiteral("/secret.txt");
    {
        QFile f(secretFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("TOP-SECRET");
    }
    const QString dtd = TestEnvironment::Home() + QStringLiteral("/ext.dtd");
    {
        QFile f(dtd);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<!ENTITY e2 \"FROM-DTD\">");
    }
    const QString viaEntity = QStringLiteral("<!DOCTYPE a [<!ENTITY e SYSTEM \"file://%1\">]><a>&e;</a>").arg(secretFile);
    const QString viaDtd = QStringLiteral("<!DOCTYPE a SYSTEM \"file://%1\"><a>&e2;</a>").arg(dtd);
    for (const QString& text : {viaEntity, viaDtd}) {
        try {
            XmlDocument doc(text);
            const QString all = doc.ToString() + doc.DocumentElement()->Value();
            EXPECT_FALSE(all.contains(QStringLiteral("TOP-SECRET")));
            EXPECT_FALSE(all.contains(QStringLiteral("FROM-DTD")));
        } catch (const XmlException&) {
            // Refusing the document is as good as not loading the entity.
        }
    }
}

TEST(XmlDocument, ParsesFilesAndKeepsUnicode) {
    const QString path = TestEnvironment::Home() + QStringLiteral("/doc.xml");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<a n=\"1\"><b>caf\xe9</b><b>x &amp; y</b></a>");
    }
    XmlDocument doc(GetFolderItem(path, 0));
    const XmlNodePtr root = doc.DocumentElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), QStringLiteral("a"));
    const auto bs = root->Xql(QStringLiteral("b"));  // relative to the node
    ASSERT_EQ(bs->Length(), 2);
    EXPECT_EQ(bs->Item(0)->ToString(), QString::fromUtf8("<b>café</b>"));
    EXPECT_EQ(bs->Item(1)->ToString(), QStringLiteral("<b>x &amp; y</b>"));
    EXPECT_EQ(bs->Item(1)->Value(), QStringLiteral("x & y"));
    EXPECT_EQ(root->Xql(QStringLiteral("b/text()"))->Item(0)->ToString(), QString::fromUtf8("café"));

    // Text is Unicode already: a declared encoding does not re-decode it.
    XmlDocument fromText(QString::fromUtf8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><s>ü€</s>"));
    EXPECT_EQ(fromText.DocumentElement()->ToString(), QString::fromUtf8("<s>ü€</s>"));
}

TEST(XmlDocument, NodesOutliveTheirDocumentObject) {
    XmlNodePtr kept;
    {
        auto doc = std::make_shared<XmlDocument>(QStringLiteral("<a><b>kept</b></a>"));
        kept = doc->DocumentElement()->Xql(QStringLiteral("/a/b"))->Item(0);
    }
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->ToString(), QStringLiteral("<b>kept</b>"));
}
