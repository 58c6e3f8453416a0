// Writing and reading styled text as RTF: round trips of every style, the
// shape of what is written, and documents as other programs write them.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>

#include "framework/text/Rtf.h"
#include "tests/framework/RtfTestSupport.h"

namespace {

QTextCharFormat Format(const QString& family, double points, bool bold = false, bool italic = false,
                       bool underline = false, QColor color = QColor(), bool strike = false) {
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    f.setFontStrikeOut(strike);
    if (color.isValid())
        f.setForeground(color);
    return f;
}

QTextBlockFormat Aligned(Qt::Alignment a) {
    QTextBlockFormat f;
    f.setAlignment(a);
    return f;
}

// Four paragraphs, one per alignment, with every style, escapes and characters
// beyond ASCII and beyond the BMP; an empty paragraph in between.
void FillRichDocument(QTextDocument& doc) {
    QTextCursor c(&doc);
    c.setBlockFormat(Aligned(Qt::AlignHCenter));
    c.insertText(QStringLiteral("Plain "), Format("DejaVu Sans", 12));
    c.insertText(QStringLiteral("bold"), Format("DejaVu Sans", 12, true));
    c.insertText(QStringLiteral(" italic"), Format("DejaVu Sans", 12, false, true));
    c.insertText(QStringLiteral(" under"), Format("DejaVu Sans", 12, false, false, true));
    c.insertText(QStringLiteral(" all"), Format("DejaVu Serif", 18.5, true, true, true, QColor(200, 10, 30)));
    c.insertText(QStringLiteral(" struck"), Format("DejaVu Sans", 12, false, false, false, QColor(), true));
    c.insertBlock(Aligned(Qt::AlignLeft));
    c.insertText(QString::fromUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 \xCE\xA9"),
                 Format("DejaVu Sans Mono", 9, false, false, false, QColor(0, 0, 255)));
    c.insertBlock(Aligned(Qt::AlignRight));
    c.insertBlock(Aligned(Qt::AlignRight));
    c.insertText(QStringLiteral("braces {} and \\ back\tslash") + QChar(QChar::LineSeparator) + QStringLiteral("next line"),
                 Format("DejaVu Serif", 30, false, false, false, QColor(0, 128, 0)));
    c.insertBlock(Aligned(Qt::AlignJustify));
    c.insertText(QStringLiteral("justified; semicolons; and a nbsp") + QChar(QChar::Nbsp) + QStringLiteral("here"),
                 Format("DejaVu Sans", 7.5));
}

void ExpectSameStyledText(const QTextDocument& expected, const QTextDocument& actual) {
    EXPECT_EQ(actual.toRawText(), expected.toRawText());
    EXPECT_EQ(actual.blockCount(), expected.blockCount());
    EXPECT_EQ(AlignmentsOf(actual), AlignmentsOf(expected));
    const auto want = StylesOf(expected);
    const auto got = StylesOf(actual);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(got[i], want[i]) << "at character " << i;
}

QTextDocument* Read(const QString& rtf, QTextDocument& doc) {
    EXPECT_TRUE(DocumentFromRtf(rtf, doc)) << rtf.toStdString();
    return &doc;
}

}  // namespace

TEST(RtfRoundTrip, KeepsTextFontsSizesStylesColoursAndAlignment) {
    QTextDocument original;
    FillRichDocument(original);
    const QString rtf = RtfFromDocument(original);

    QTextDocument copy;
    copy.setPlainText(QStringLiteral("old text that must go"));
    ASSERT_TRUE(DocumentFromRtf(rtf, copy));
    ExpectSameStyledText(original, copy);

    // Writing the copy gives the same RTF: nothing drifts from one save to the next.
    EXPECT_EQ(RtfFromDocument(copy), rtf);
}

TEST(RtfRoundTrip, EmptyAndSingleLineDocuments) {
    QTextDocument empty;
    QTextDocument back;
    back.setPlainText(QStringLiteral("something"));
    ASSERT_TRUE(DocumentFromRtf(RtfFromDocument(empty), back));
    EXPECT_TRUE(back.isEmpty());
    EXPECT_EQ(back.blockCount(), 1);

    QTextDocument one;
    QTextCursor(&one).insertText(QStringLiteral("Zen"), Format("DejaVu Sans", 14, true));
    QTextDocument oneBack;
    ASSERT_TRUE(DocumentFromRtf(RtfFromDocument(one), oneBack));
    ExpectSameStyledText(one, oneBack);
    EXPECT_EQ(oneBack.blockCount(), 1);  // the closing \par adds no empty paragraph
}

TEST(RtfRoundTrip, PropertiesLeftOpenTakeTheDocumentDefaults) {
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Serif"), 16));
    QTextOption centred = doc.defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    doc.setDefaultTextOption(centred);
    QTextCursor(&doc).insertText(QStringLiteral("defaults"));

    const QString rtf = RtfFromDocument(doc);
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\qc")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\fs32")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("DejaVu Serif;")));

    QTextDocument plainDoc;  // another default font and alignment: the written values hold
    ASSERT_TRUE(DocumentFromRtf(rtf, plainDoc));
    EXPECT_EQ(StyleAt(plainDoc, 0).family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(StyleAt(plainDoc, 0).points, 16);
    EXPECT_EQ(AlignmentsOf(plainDoc).front(), Qt::AlignHCenter);
}

TEST(RtfWriter, WritesAnAsciiRtf1DocumentWithTables) {
    QTextDocument doc;
    FillRichDocument(doc);
    const QString rtf = RtfFromDocument(doc);
    EXPECT_TRUE(rtf.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0")));
    EXPECT_TRUE(rtf.trimmed().endsWith(u'}'));
    EXPECT_TRUE(rtf.contains(QStringLiteral("{\\fonttbl{\\f0")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("{\\colortbl;\\red200\\green10\\blue30;")));
    for (QChar c : rtf)
        ASSERT_LT(c.unicode(), 0x80) << "non-ASCII character in RTF";

    EXPECT_TRUE(rtf.contains(QStringLiteral("Caf\\u233\\'e9")));      // with a 1252 fallback
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\u8364\\'80")));        // the euro sign is 0x80 in 1252
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\u20013?")));           // no 1252 byte: '?'
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\u-10179?\\u-8704?")));  // U+1F600 as a signed surrogate pair
    EXPECT_TRUE(rtf.contains(QStringLiteral("braces \\{\\} and \\\\ back\\tab slash\\line next")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\qj")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\qr")));
    EXPECT_TRUE(rtf.contains(QStringLiteral("\\fs37")));  // 18.5 points in half-points
    EXPECT_EQ(rtf.count(QStringLiteral("\\par")) - rtf.count(QStringLiteral("\\pard")), doc.blockCount());
}

TEST(RtfReader, ReadsTheSimplestCommonForm) {
    QTextDocument doc;
    Read(QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
                        "\\f0\\fs24 Hello \\b bold\\b0  \\cf1 red\\par}"),
         doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Hello bold red"));
    EXPECT_EQ(doc.blockCount(), 1);
    const CharStyle hello = StyleAt(doc, 0);
    EXPECT_EQ(hello.family, QStringLiteral("Helvetica"));
    EXPECT_EQ(hello.points, 12);
    EXPECT_FALSE(hello.bold);
    EXPECT_FALSE(hello.color.isValid());
    EXPECT_TRUE(StyleAt(doc, 6).bold);
    EXPECT_FALSE(StyleAt(doc, 10).bold);
    EXPECT_EQ(StyleAt(doc, 11).color, QColor(255, 0, 0));
    EXPECT_FALSE(StyleAt(doc, 11).bold);
}

TEST(RtfReader, ReadsAWordProcessorDocument) {
    // Generator, list text, code-page bytes, \emdash, a field whose result shows.
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Caf\\'e9 \\'93quoted\\'94 \\i italic\\i0\\emdash done\\par\r\n"
        "\\pard\\qc\\f1\\fs32 {\\field{\\*\\fldinst{HYPERLINK \"http://example.org\"}}{\\fldrslt{\\ul\\cf0 link}}}"
        " centred\\par\r\n}\r\n\0");
    QTextDocument doc;
    Read(rtf, doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D italic\xE2\x80\x94" "done\nlink centred"));
    EXPECT_EQ(StyleAt(doc, 0).family, QStringLiteral("Calibri"));
    EXPECT_EQ(StyleAt(doc, 0).points, 11);
    EXPECT_TRUE(StyleAt(doc, int(doc.toPlainText().indexOf(u"italic"))).italic);
    const int link = int(doc.toPlainText().indexOf(u"link"));
    EXPECT_TRUE(StyleAt(doc, link).underline);
    EXPECT_FALSE(StyleAt(doc, link + 5).underline);  // the field's group ended
    EXPECT_EQ(StyleAt(doc, link).family, QStringLiteral("Arial"));
    EXPECT_EQ(StyleAt(doc, link).points, 16);
    const auto alignments = AlignmentsOf(doc);
    ASSERT_EQ(alignments.size(), 2u);
    EXPECT_EQ(alignments[1], Qt::AlignHCenter);
}

TEST(RtfReader, ReadsACocoaTextEditorDocument) {
    // Backslash-newline paragraphs, \uc0 characters, an expanded colour table to skip.
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2639\n"
        "\\cocoatextscaling0\\cocoaplatform0{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil\\fcharset0 Menlo-Regular;}\n"
        "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green0\\blue255;}\n"
        "{\\*\\expandedcolortbl;;\\csgenericrgb\\c0\\c0\\c100000;}\n"
        "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww11520\\viewh8400\\viewkind0\n"
        "\\pard\\tx566\\tx1133\\pardirnatural\\qc\\partightenfactor0\n\n"
        "\\f0\\fs24 \\cf0 Plain \\cf2 blue \\ul underlined\\ulnone \\\n"
        "second line\\\n"
        "\\f1 code \\uc0\\u8364 \\u8220 q\\u8221 }");
    QTextDocument doc;
    Read(rtf, doc);
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("Plain blue underlined\nsecond line\ncode \xE2\x82\xAC\xE2\x80\x9Cq\xE2\x80\x9D"));
    EXPECT_EQ(StyleAt(doc, 0).family, QStringLiteral("Helvetica"));
    EXPECT_EQ(StyleAt(doc, 6).color, QColor(0, 0, 255));
    EXPECT_TRUE(StyleAt(doc, 11).underline);
    EXPECT_FALSE(StyleAt(doc, 0).underline);
    const int code = int(doc.toPlainText().indexOf(u"code"));
    EXPECT_EQ(StyleAt(doc, code).family, QStringLiteral("Menlo-Regular"));
    for (Qt::Alignment a : AlignmentsOf(doc))
        EXPECT_EQ(a, Qt::AlignHCenter);
}

TEST(RtfReader, ReadsAnOfficeSuiteDocument) {
    // Style sheet, info and page styles skipped; \deff names a font with an
    // alternative name inside its entry; character groups restore the format.
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\deff3\\adeflang1025\n"
        "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f3\\froman\\fprq2\\fcharset0 Liberation Serif"
        "{\\*\\falt Times New Roman};}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\n"
        "{\\stylesheet{\\s0\\snext0\\ql\\widctlpar\\cf0\\kerning1\\dbch\\af5\\loch\\f3\\fs24\\lang1033 Normal;}"
        "{\\*\\cs15\\snext15 Emphasis;}}\n"
        "{\\info{\\creatim\\yr2024\\mo1\\dy2}{\\author Somebody}{\\title Hidden title}}\n"
        "{\\*\\pgdsctbl{\\pgdsc0\\pgdscuse451\\pgwsxn12240 Default Page Style;}}\n"
        "\\formshade\\paperh15840\\paperw12240\\sectd\\pgndec\n"
        "{\\*\\ftnsep\\chftnsep}\\pgndec\\pard\\plain \\s0\\ql\\widctlpar\\hyphpar0\\cf0\\loch\\f3\\fs24"
        "{\\cf2\\b\\loch Red bold}{\\loch  and }{\\i\\loch slanted}\\par }");
    QTextDocument doc;
    Read(rtf, doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("Red bold and slanted"));
    EXPECT_EQ(StyleAt(doc, 0).family, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(StyleAt(doc, 0).color, QColor(255, 0, 0));
    EXPECT_TRUE(StyleAt(doc, 0).bold);
    EXPECT_FALSE(StyleAt(doc, 9).bold);
    EXPECT_FALSE(StyleAt(doc, 9).color == QColor(255, 0, 0));
    EXPECT_TRUE(StyleAt(doc, 14).italic);
}

TEST(RtfReader, DecodesTheCodePageOfTheDocumentAndOfEachFont) {
    QTextDocument cyrillic;
    Read(QStringLiteral("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}}\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par}"),
         cyrillic);
    EXPECT_EQ(cyrillic.toPlainText(), QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"));

    // A double-byte character set named by the font, and \uc2 skipping both fallback bytes.
    QTextDocument japanese;
    Read(QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fnil\\fcharset128 MS Mincho;}}"
                        "a\\f1 \\'82\\'a0\\f0 b{\\uc2\\u12356\\'82\\'a2}c\\par}"),
         japanese);
    EXPECT_EQ(japanese.toPlainText(), QString::fromUtf8("a\xE3\x81\x82" "b\xE3\x81\x84" "c"));

    // The symbols of RTF itself.
    QTextDocument symbols;
    Read(QStringLiteral("{\\rtf1 a\\~b\\_c\\-d\\lquote x\\rquote\\ldblquote y\\rdblquote\\bullet\\endash\\tab z\\line w}"),
         symbols);
    EXPECT_EQ(symbols.toRawText(), QString::fromUtf8("a\xC2\xA0" "b\xE2\x80\x91" "cd\xE2\x80\x98x\xE2\x80\x99\xE2\x80\x9Cy"
                                                    "\xE2\x80\x9D\xE2\x80\xA2\xE2\x80\x93\tz\xE2\x80\xA8w"));
}

TEST(RtfReader, GroupsAndResetsScopeTheFormat) {
    QTextDocument doc;
    Read(QStringLiteral("{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\b\\i\\ul\\cf1\\fs40 A{\\b0\\i0\\ulnone\\cf0\\fs20 B}C"
                        "\\plain D\\qr\\par E\\par \\pard F\\par}"),
         doc);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("ABCD\nE\nF"));
    const CharStyle a = StyleAt(doc, 0), b = StyleAt(doc, 1), c = StyleAt(doc, 2), d = StyleAt(doc, 3);
    EXPECT_TRUE(a.bold && a.italic && a.underline);
    EXPECT_EQ(a.points, 20);
    EXPECT_EQ(a.color, QColor(0, 128, 0));
    EXPECT_FALSE(b.bold || b.italic || b.underline || b.color.isValid());
    EXPECT_EQ(b.points, 10);
    EXPECT_EQ(c, a);
    EXPECT_FALSE(d.bold || d.italic || d.underline || d.color.isValid());
    EXPECT_EQ(d.points, 12);
    // \qr stays for the next paragraph until \pard.
    EXPECT_EQ(AlignmentsOf(doc), (std::vector<Qt::Alignment>{Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft}));
}

TEST(RtfReader, TextThatIsNotRtfLeavesTheDocumentAlone) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("keep me"));
    for (const QString& input : {QString(), QStringLiteral("plain words"), QStringLiteral("{\\rt"),
                                 QStringLiteral("rtf1 {\\rtf1 x}"), QStringLiteral("{\\RTF1 x}"),
                                 QStringLiteral("<html>{\\rtf1}</html>")}) {
        EXPECT_FALSE(DocumentFromRtf(input, doc)) << input.toStdString();
        EXPECT_EQ(doc.toPlainText(), QStringLiteral("keep me"));
    }
    // Leading blanks and a byte-order mark are still RTF.
    EXPECT_TRUE(DocumentFromRtf(QString(QChar(0xFEFF)) + QStringLiteral(" \r\n{\\rtf1 new}"), doc));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("new"));
}
