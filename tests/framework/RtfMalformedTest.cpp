// Damaged and hostile RTF: the reader returns, keeps the text it can, and what
// it built writes and reads back unchanged.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include "framework/text/Rtf.h"
#include "tests/framework/RtfTestSupport.h"

namespace {

QString ReadText(const QString& rtf) {
    QTextDocument doc;
    EXPECT_TRUE(DocumentFromRtf(rtf, doc)) << rtf.left(200).toStdString();
    return doc.toRawText();
}

}  // namespace

TEST(RtfMalformed, UnbalancedAndTruncatedInputKeepsItsText) {
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 Hello {\\b world")), QStringLiteral("Hello world"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 Hello}}} more}")), QStringLiteral("Hello"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\")), QStringLiteral("abc"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\fs")), QStringLiteral("abc"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\fs-")), QStringLiteral("abc-"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\'")), QStringLiteral("abc"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\'4")), QStringLiteral("abc"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\'zz}")), QStringLiteral("abczz"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\u")), QStringLiteral("abc"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 abc\\u233")), QString::fromUtf8("abc\xC3\xA9"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial")), QString());
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1{\\colortbl;\\red")), QString());
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 {\\*}a{\\*\\}b}")), QStringLiteral("a}b"));  // a lone \* is dropped
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1")), QString());
}

TEST(RtfMalformed, HugeAndNegativeParametersAreClamped) {
    QTextDocument doc;
    ASSERT_TRUE(DocumentFromRtf(QStringLiteral("{\\rtf1 \\fs99999999999999999999 big\\fs-4 \\fs0 still}"), doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("bigstill"));
    EXPECT_EQ(StyleAt(doc, 0).points, 1638);
    EXPECT_EQ(StyleAt(doc, 3).points, 1638);  // nonsense sizes change nothing

    ASSERT_TRUE(DocumentFromRtf(QStringLiteral("{\\rtf1{\\colortbl;\\red999\\green-5\\blue128;}"
                                               "\\f2147483647\\cf99999999999 a\\cf1 b\\cf-1 c}"),
                                doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("abc"));
    EXPECT_FALSE(StyleAt(doc, 0).color.isValid());
    EXPECT_EQ(StyleAt(doc, 1).color, QColor(255, 0, 128));
    EXPECT_EQ(StyleAt(doc, 2).color, QColor(255, 0, 128));

    // \u outside 16 bits, or naming NUL, gives no character; its fallback is still skipped.
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 \\u-65536?x\\u99999999?y\\u-32768?z\\uc99999999999\\u65?q}")),
              QString::fromUtf8("xy\xE8\x80\x80zA"));
}

TEST(RtfMalformed, DeepNestingIsBoundedAndKeepsTheText) {
    const int depth = 100000;
    const QString deep = QStringLiteral("{\\rtf1 start ") + QString(depth, u'{') + QStringLiteral("\\b deep") +
                         QString(depth, u'}') + QStringLiteral(" after}");
    QTextDocument doc;
    ASSERT_TRUE(DocumentFromRtf(deep, doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("start deep after"));
    EXPECT_TRUE(StyleAt(doc, 6).bold);

    // Never closed at all.
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 x") + QString(depth, u'{') + QStringLiteral("y")), QStringLiteral("xy"));
}

TEST(RtfMalformed, BinaryDataIsSkippedWithinTheInput) {
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 a\\bin4 {{{{b}")), QStringLiteral("ab"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 before\\bin99999999999 xyz}")), QStringLiteral("before"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 a{\\pict\\bin3 }}}}b}")), QStringLiteral("ab"));
    EXPECT_EQ(ReadText(QStringLiteral("{\\rtf1 a\\bin-5 b}")), QStringLiteral("ab"));
}

TEST(RtfMalformed, CharactersThatWouldBreakTheDocumentAreDropped) {
    QString input = QStringLiteral("{\\rtf1 a");
    input += QChar(0);
    input += QChar(0xFDD0);  // the document's own frame markers
    input += QChar(0xFDD1);
    input += QChar(QChar::ObjectReplacementCharacter);
    input += QStringLiteral("b\\'00\\'0d\\'0a\\u8233?c");
    input += QChar(0xD800);  // a lone surrogate
    input += QStringLiteral("d\\u-10179?e}");
    QTextDocument doc;
    ASSERT_TRUE(DocumentFromRtf(input, doc));
    EXPECT_EQ(doc.blockCount(), 1);
    EXPECT_EQ(doc.toRawText(), QStringLiteral("ab") + QChar(QChar::LineSeparator) + QStringLiteral("c") +
                                   QChar(QChar::ReplacementCharacter) + QStringLiteral("d") +
                                   QChar(QChar::ReplacementCharacter) + QStringLiteral("e"));
}

// Random streams of RTF tokens: whatever the reader makes of them, writing
// that and reading it again must give the same styled text.
TEST(RtfMalformed, AnythingReadSurvivesAWriteAndReadBack) {
    const QStringList tokens = {
        "{", "}", "{", "}", "\\b", "\\b0", "\\i", "\\ul", "\\ulnone", "\\strike", "\\plain", "\\pard", "\\par",
        "\\qc", "\\qr", "\\qj", "\\ql", "\\line", "\\tab", "\\f0", "\\f1", "\\f7", "\\fs", "\\fs8", "\\fs50",
        "\\fs99999", "\\cf1", "\\cf2", "\\cf9", "\\u233?", "\\u-10179", "\\u-8704", "\\uc0", "\\uc3", "\\'e9",
        "\\'8", "\\'", "\\*", "\\fonttbl", "\\colortbl", "\\red9", "\\blue300", ";", "\\info", "\\pict",
        "\\bin2", "\\\\", "\\{", "\\}", "\\~", "\\", " ", "x", "Yz", "\u00e9", "\n", "\\ansicpg1251",
        "\\ansicpg932", "\\fcharset128", "{\\fonttbl{\\f1 Serif;}}", "{\\colortbl;\\red255\\green0\\blue0;}"};
    QRandomGenerator random(20240607);
    for (int round = 0; round < 1500; ++round) {
        QString rtf = QStringLiteral("{\\rtf1");
        const int count = int(random.bounded(60));
        for (int i = 0; i < count; ++i)
            rtf += tokens[int(random.bounded(qsizetype(tokens.size())))];
        QTextDocument first;
        ASSERT_TRUE(DocumentFromRtf(rtf, first));
        const QString written = RtfFromDocument(first);
        QTextDocument second;
        ASSERT_TRUE(DocumentFromRtf(written, second)) << written.toStdString();
        ASSERT_EQ(second.toRawText(), first.toRawText()) << rtf.toStdString();
        ASSERT_EQ(StylesOf(second), StylesOf(first)) << rtf.toStdString();
        ASSERT_EQ(AlignmentsOf(second), AlignmentsOf(first)) << rtf.toStdString();
        ASSERT_EQ(RtfFromDocument(second), written) << rtf.toStdString();
    }
}
