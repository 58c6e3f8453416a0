// The property-list reader under the desktop record and the platform tools:
// what it does with input that libplist alone would mishandle.
#include <gtest/gtest.h>

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

TEST(PropertyList, RefusesNestingBeyondAnyRecord) {
    auto nested = [](int depth) {
        return QByteArray("<plist version=\"1.0\">") + QByteArray("<array>").repeated(depth) +
               QByteArray("</array>").repeated(depth) + QByteArray("</plist>");
    };
    EXPECT_NE(PropertyList::fromBytes(nested(200)), nullptr);
    EXPECT_EQ(PropertyList::fromBytes(nested(300)), nullptr);
}

TEST(PropertyList, RecordOfAnotherShapeReadsAsEmptyAndIsReplacedWhole) {
    DesktopRecord record = DesktopRecord::fromBytes("<plist version=\"1.0\"><array><string>x</string></array></plist>");
    EXPECT_EQ(record.picture(QStringLiteral("DP-1"), true), QString());
    record.setPicture(QStringLiteral("DP-1"), true, QStringLiteral("/a.jpg"));
    EXPECT_EQ(DesktopRecord::fromBytes(record.toXml()).picture(QStringLiteral("DP-1"), false), QStringLiteral("/a.jpg"));
}
