// The property-list reader under the desktop record and the platform tools:
// what it does with input that libplist alone would mishandle.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/PropertyList.h"

namespace {

// A binary property list from its objects (one-byte offsets and references), top object 0.
QByteArray bplist(const std::vector<QByteArray>& objects) {
    QByteArray out("bplist00");
    QByteArray table;
    for (const QByteArray& o : objects) {
        table.append(char(out.size()));
        out.append(o);
    }
    const int tableOffset = int(out.size());
    out.append(table);
    QByteArray trailer(32, '\0');
    trailer[6] = 1;  // offset size
    trailer[7] = 1;  // reference size
    trailer[15] = char(objects.size());
    trailer[31] = char(tableOffset);
    return out + trailer;
}

QByteArray ascii(const QByteArray& s) { return char(0x50 | s.size()) + s; }

QByteArray be32(uint32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char(v >> (8 * (3 - i)));
    return b;
}

// The same with four-byte offsets and references, for large object graphs.
QByteArray bplistWide(const std::vector<QByteArray>& objects) {
    QByteArray out("bplist00");
    QByteArray table;
    for (const QByteArray& o : objects) {
        table.append(be32(uint32_t(out.size())));
        out.append(o);
    }
    const uint32_t tableOffset = uint32_t(out.size());
    out.append(table);
    QByteArray trailer(32, '\0');
    trailer[6] = 4;
    trailer[7] = 4;
    trailer.replace(12, 4, be32(uint32_t(objects.size())));
    trailer.replace(28, 4, be32(tableOffset));
    return out + trailer;
}

// Object i is an array of `width` references to object i + 1; the last is `leaf`.
QByteArray chain(int depth, int width, const QByteArray& leaf = QByteArray("\xA0", 1)) {
    std::vector<QByteArray> objects;
    for (int i = 0; i + 1 < depth; ++i) objects.push_back(char(0xA0 | width) + be32(uint32_t(i + 1)).repeated(width));
    objects.push_back(leaf);
    return bplistWide(objects);
}

QByteArray nestedXml(int depth) {
    return QByteArray("<plist version=\"1.0\">") + QByteArray("<array>").repeated(depth) +
           QByteArray("</array>").repeated(depth) + QByteArray("</plist>");
}

}  // namespace

TEST(PropertyList, ReadsBinaryAndXmlAlike) {
    const QByteArray binary = bplist({QByteArray("\xD1\x01\x02", 3), ascii("Placement"), ascii("Tiled")});
    const PlistPtr root = PropertyList::fromBytes(binary);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(PropertyList::stringValue(PropertyList::dictItem(root.get(), "Placement")), QStringLiteral("Tiled"));
    const PlistPtr again = PropertyList::fromBytes(PropertyList::toXml(root.get()));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(PropertyList::stringValue(PropertyList::dictItem(again.get(), "Placement")), QStringLiteral("Tiled"));
    EXPECT_FALSE(PropertyList::stringValue(PropertyList::dictItem(again.get(), "missing")).has_value());
    EXPECT_EQ(PropertyList::fromBytes(QByteArray()), nullptr);
    EXPECT_EQ(PropertyList::fromBytes("not a property list"), nullptr);
}

TEST(PropertyList, RefusesStringsWithNulThatLibplistCannotHold) {
    EXPECT_NE(PropertyList::fromBytes(bplist({QByteArray("\xD1\x01\x02", 3), ascii("a_b"), ascii("x")})), nullptr);
    EXPECT_EQ(PropertyList::fromBytes(bplist({QByteArray("\xD1\x01\x02", 3), ascii(QByteArray("a\0b", 3)), ascii("x")})),
              nullptr);
    EXPECT_EQ(PropertyList::fromBytes(bplist({QByteArray("\xD1\x01\x02", 3), ascii("k"), ascii(QByteArray("x\0", 2))})),
              nullptr);
    const QByteArray utf16Nul("\x62\x00\x41\x00\x00", 5);  // UTF-16 "A", U+0000
    EXPECT_EQ(PropertyList::fromBytes(bplist({QByteArray("\xD1\x01\x02", 3), ascii("k"), utf16Nul})), nullptr);
}

TEST(PropertyList, RepeatedKeysKeepTheFirstSoLookupAndWritingAgree) {
    const QByteArray binary = bplist({QByteArray("\xD2\x01\x01\x02\x03", 5), ascii("k"), ascii("first"), ascii("second")});
    const PlistPtr root = PropertyList::fromBytes(binary);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(plist_dict_get_size(root.get()), 1u);
    EXPECT_EQ(PropertyList::stringValue(PropertyList::dictItem(root.get(), "k")), QStringLiteral("first"));
    const PlistPtr again = PropertyList::fromBytes(PropertyList::toXml(root.get()));
    EXPECT_EQ(PropertyList::stringValue(PropertyList::dictItem(again.get(), "k")), QStringLiteral("first"));
}

TEST(PropertyList, NestingAndExpansionAreBoundedBeforeLibplistSeesThem) {
    // libplist parses and frees recursively, and expands every reference of
    // a binary list into a node of its own: these are refused before it runs.
    const struct {
        const char* what;
        QByteArray bytes;
        bool read;
    } cases[] = {
        {"XML 200 deep", nestedXml(200), true},
        {"XML 300 deep", nestedXml(300), false},
        {"XML 300,000 deep", nestedXml(300000), false},
        {"binary 200 deep", chain(200, 1), true},
        {"binary 300 deep", chain(300, 1), false},
        {"binary 100,000 deep", chain(100000, 1), false},
        {"binary 2^40 nodes from 40 objects", chain(40, 2), false},
        {"binary cycle", chain(3, 1, QByteArray("\xA1\0\0\0\0", 5)), false},
        {"binary dangling reference", chain(3, 1, QByteArray("\xA1\0\0\0\x09", 5)), false},
    };
    for (const auto& c : cases) EXPECT_EQ(PropertyList::fromBytes(c.bytes) != nullptr, c.read) << c.what;
}

TEST(PropertyList, XmlInItsDeclaredEncodingReadsAndWritesAsUtf8) {
    const QByteArray latin1("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                            "<plist version=\"1.0\"><dict><key>k\xE9</key><string>caf\xE9</string></dict></plist>");
    const PlistPtr root = PropertyList::fromBytes(latin1);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(PropertyList::stringValue(PropertyList::dictItem(root.get(), "k\xC3\xA9")), QString::fromUtf8("caf\xC3\xA9"));
    const QByteArray xml = PropertyList::toXml(root.get());
    EXPECT_TRUE(xml.contains("<string>caf\xC3\xA9</string>")) << xml.toStdString();
}

TEST(DesktopRecordFile, EachCorruptRecordIsKeptAsideUnderItsOwnName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/com.apple.desktop.plist");
    const QByteArray corrupt[] = {nestedXml(300000), QByteArray("bplist00 second damage"), QByteArray("third")};
    const QString aside[] = {path + QStringLiteral(".bad"), path + QStringLiteral(".bad-2"), path + QStringLiteral(".bad-3")};
    for (const QByteArray& bytes : corrupt) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        DesktopRecord record(path);
        EXPECT_EQ(record.picture(QStringLiteral("DP-1"), true), QString());
        record.setPicture(QStringLiteral("DP-1"), true, QStringLiteral("/a.jpg"));
        EXPECT_TRUE(record.save());
        EXPECT_EQ(DesktopRecord(path).picture(QStringLiteral("DP-1"), true), QStringLiteral("/a.jpg"));
    }
    for (int i = 0; i < 3; ++i) {
        QFile f(aside[i]);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << i;
        EXPECT_TRUE(f.readAll() == corrupt[i]) << i;
    }
}

TEST(PropertyList, RecordOfAnotherShapeReadsAsEmptyAndIsReplacedWhole) {
    DesktopRecord record = DesktopRecord::fromBytes("<plist version=\"1.0\"><array><string>x</string></array></plist>");
    EXPECT_EQ(record.picture(QStringLiteral("DP-1"), true), QString());
    record.setPicture(QStringLiteral("DP-1"), true, QStringLiteral("/a.jpg"));
    EXPECT_EQ(DesktopRecord::fromBytes(record.toXml()).picture(QStringLiteral("DP-1"), false), QStringLiteral("/a.jpg"));
}
