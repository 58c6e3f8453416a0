// StyledText over a field's document, and StyledTextPrinter drawing the strip
// text into pictures offscreen.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTextCursor>

#include <memory>

#include "framework/text/StyledText.h"
#include "framework/text/StyledTextPrinter.h"
#include "tests/framework/RtfTestSupport.h"

namespace {

QTextCharFormat Coloured(QColor color, double points = 14, bool bold = false) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("DejaVu Sans")});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setForeground(color);
    return f;
}

QTextBlockFormat Centred() {
    QTextBlockFormat f;
    f.setAlignment(Qt::AlignHCenter);
    return f;
}

QImage White(int w = 600, int h = 240) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The bounding box of every pixel that is not white, and of those close to a colour.
struct Ink {
    QRect any;
    QRect matching;
};

Ink InkOf(const QImage& image, QColor near = QColor()) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            if ((p & 0xFFFFFF) == 0xFFFFFF)
                continue;
            ink.any |= QRect(x, y, 1, 1);
            if (near.isValid() && std::abs(qRed(p) - near.red()) < 60 && std::abs(qGreen(p) - near.green()) < 60 &&
                std::abs(qBlue(p) - near.blue()) < 60)
                ink.matching |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

}  // namespace

TEST(StyledText, GivesTextAndRtfOfTheDocumentItViews) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("Zen "), Coloured(Qt::red));
    c.insertText(QStringLiteral("bold"), Coloured(Qt::blue, 20, true));
    auto text = std::make_shared<StyledText>(&doc);
    EXPECT_EQ(text->Text(), QStringLiteral("Zen bold"));
    EXPECT_EQ(text->Document(), &doc);

    const QString rtf = text->RTFData();
    QTextDocument other;
    StyledText otherText(&other);
    otherText.SetRTFData(rtf);
    EXPECT_EQ(otherText.Text(), QStringLiteral("Zen bold"));
    EXPECT_EQ(StylesOf(other), StylesOf(doc));
    EXPECT_EQ(otherText.RTFData(), rtf);

    otherText.SetRTFData(QStringLiteral("not rtf at all"));  // keeps the text
    EXPECT_EQ(otherText.Text(), QStringLiteral("Zen bold"));
    otherText.SetRTFData(QStringLiteral("{\\rtf1 replaced}"));
    EXPECT_EQ(otherText.Text(), QStringLiteral("replaced"));
}

TEST(StyledText, OutlivingItsDocumentIsHarmless) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setPlainText(QStringLiteral("short-lived"));
    StyledText text(doc.get());
    doc.reset();
    EXPECT_EQ(text.Document(), nullptr);
    EXPECT_EQ(text.Text(), QString());
    EXPECT_EQ(text.RTFData(), QString());
    text.SetRTFData(QStringLiteral("{\\rtf1 x}"));
}

TEST(StyledTextPrinter, DrawsTheRunColoursInsideTheBlockCentred) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.setBlockFormat(Centred());
    c.insertText(QStringLiteral("Hi"), Coloured(QColor(220, 0, 0)));
    c.insertText(QStringLiteral(" there"), Coloured(QColor(0, 0, 220)));
    QImage image = White();
    StyledTextPrinter printer(doc, &image, 254);
    EXPECT_EQ(printer.Width(), 254);
    printer.DrawBlock(100, 30, 40);

    const QRect block(100, 30, 254, 40);
    const Ink red = InkOf(image, QColor(220, 0, 0));
    const Ink blue = InkOf(image, QColor(0, 0, 220));
    ASSERT_FALSE(red.matching.isEmpty());
    ASSERT_FALSE(blue.matching.isEmpty());
    EXPECT_TRUE(block.contains(red.any));
    EXPECT_LT(red.matching.right(), blue.matching.left());  // "Hi" before " there"
    // Centred within the block, and no document margin above the line.
    const double inkCentre = (red.any.left() + red.any.right()) / 2.0;
    EXPECT_NEAR(inkCentre, 100 + 127, 3.0);
    EXPECT_LT(red.any.top() - 30, 8);
    EXPECT_TRUE(printer.AtEnd());
}

TEST(StyledTextPrinter, LeftTextStartsAtTheBlockEdgeWithoutMargin) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("HHHH"), Coloured(Qt::black, 14));
    ASSERT_EQ(doc.documentMargin(), 4);  // the default that the printer must not keep
    QImage image = White();
    StyledTextPrinter(doc, &image, 254).DrawBlock(50, 10, 60);
    const Ink ink = InkOf(image);
    ASSERT_FALSE(ink.any.isEmpty());
    EXPECT_GE(ink.any.left(), 50);
    EXPECT_LT(ink.any.left() - 50, 4);
}

TEST(StyledTextPrinter, ClipsToTheHeightAndTheBlockWidth) {
    QTextDocument doc;
    QTextCursor c(&doc);
    // Big letters: one line is far higher than the block; a long word must wrap within 254 pixels.
    c.insertText(QStringLiteral("Tall WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"), Coloured(QColor(0, 150, 0), 40, true));
    QImage image = White(800, 400);
    StyledTextPrinter printer(doc, &image, 254);
    printer.DrawBlock(200, 100, 20);
    const Ink ink = InkOf(image, QColor(0, 150, 0));
    ASSERT_FALSE(ink.matching.isEmpty()) << "a line higher than the block is still drawn, cut";
    EXPECT_TRUE(QRect(200, 100, 254, 20).contains(ink.any)) << ink.any.x() << "," << ink.any.y() << " "
                                                            << ink.any.width() << "x" << ink.any.height();

    QImage wide = White(800, 600);
    StyledTextPrinter all(doc, &wide, 254);
    all.DrawBlock(200, 0, 600);
    const Ink wrapped = InkOf(wide);
    EXPECT_TRUE(QRect(200, 0, 254, 600).contains(wrapped.any));
    EXPECT_GT(wrapped.any.height(), 100);  // several lines
}

TEST(StyledTextPrinter, SuccessiveBlocksContinueWhereTheLastEnded) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("RRRR"), Coloured(QColor(220, 0, 0), 12));
    c.insertBlock();
    c.insertText(QStringLiteral("GGGG"), Coloured(QColor(0, 160, 0), 12));
    c.insertBlock();
    c.insertText(QStringLiteral("BBBB"), Coloured(QColor(0, 0, 220), 12));
    const int lineHeight = QFontMetrics(Coloured(Qt::black, 12).font()).height();

    QImage image = White(300, 300);
    StyledTextPrinter printer(doc, &image, 254);
    printer.DrawBlock(0, 0, lineHeight + 2);  // room for one line, not two
    EXPECT_FALSE(InkOf(image, QColor(220, 0, 0)).matching.isEmpty());
    EXPECT_TRUE(InkOf(image, QColor(0, 160, 0)).matching.isEmpty());
    EXPECT_FALSE(printer.AtEnd());

    printer.DrawBlock(0, 100, 2 * lineHeight + 2);  // the other two
    const Ink green = InkOf(image, QColor(0, 160, 0));
    const Ink blue = InkOf(image, QColor(0, 0, 220));
    ASSERT_FALSE(green.matching.isEmpty());
    ASSERT_FALSE(blue.matching.isEmpty());
    EXPECT_GE(green.any.top(), 0);
    EXPECT_GE(green.matching.top(), 100);
    EXPECT_GT(blue.matching.top(), green.matching.bottom() - 2);
    EXPECT_EQ(InkOf(image, QColor(220, 0, 0)).matching.bottom() < 100, true);  // red drawn once
    EXPECT_TRUE(printer.AtEnd());

    const QImage before = image.copy();
    printer.DrawBlock(0, 200, 100);  // nothing left
    EXPECT_EQ(image, before);
}

TEST(StyledTextPrinter, CopiesTheTextAndDrawsThroughAGivenPainter) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("Copy"), Coloured(QColor(220, 0, 0)));
    QTextDocument plainDoc;
    QTextCursor(&plainDoc).insertText(QStringLiteral("Auto"));  // no colour of its own

    QImage image = White();
    QPainter painter(&image);
    StyledTextPrinter printer(doc, &painter, 254);
    StyledTextPrinter autoColour(plainDoc, &painter, 254);
    autoColour.SetDefaultTextColor(QColor(0, 0, 220));
    // Later edits to the field do not change what is printed.
    QTextCursor edit(&doc);
    edit.select(QTextCursor::Document);
    edit.insertText(QStringLiteral("Changed"), Coloured(QColor(0, 160, 0)));

    printer.DrawBlock(0, 0, 50);
    autoColour.DrawBlock(300, 0, 50);
    EXPECT_FALSE(painter.hasClipping());  // the painter's state is given back
    EXPECT_EQ(painter.transform(), QTransform());
    painter.end();

    EXPECT_FALSE(InkOf(image.copy(0, 0, 300, 240), QColor(220, 0, 0)).matching.isEmpty());
    EXPECT_TRUE(InkOf(image, QColor(0, 160, 0)).matching.isEmpty());
    EXPECT_FALSE(InkOf(image.copy(300, 0, 300, 240), QColor(0, 0, 220)).matching.isEmpty());
}

TEST(StyledTextPrinter, NothingToDrawOnOrNothingToDraw) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("x"), Coloured(Qt::black));
    QImage image = White(100, 100);
    const QImage before = image.copy();
    StyledTextPrinter(doc, &image, 0).DrawBlock(0, 0, 50);
    StyledTextPrinter(doc, &image, 254).DrawBlock(0, 0, 0);
    StyledTextPrinter(doc, static_cast<QPainter*>(nullptr), 254).DrawBlock(0, 0, 50);
    QPainter inactive;
    StyledTextPrinter(doc, &inactive, 254).DrawBlock(0, 0, 50);
    EXPECT_EQ(image, before);

    QTextDocument empty;
    StyledTextPrinter emptyPrinter(empty, &image, 254);
    emptyPrinter.DrawBlock(0, 0, 50);
    EXPECT_EQ(image, before);
}
