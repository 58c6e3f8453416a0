#include "framework/ui/TextControl.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

namespace {

// Smaller than this, a caption is no longer worth reading.
constexpr int kSmallestPixelSize = 6;

}  // namespace

TextControl::TextControl(QWidget* widget) : RectControl(widget) {}

void TextControl::DeclareFontProperties() {
    DeclareString("TextFont", &TextControl::TextFont, &TextControl::SetTextFont);
    DeclareInt32("TextSize", &TextControl::TextSize, &TextControl::SetTextSize);
    DeclareBoolean("Bold", &TextControl::Bold, &TextControl::SetBold);
    DeclareBoolean("Italic", &TextControl::Italic, &TextControl::SetItalic);
    DeclareBoolean("Underline", &TextControl::Underline, &TextControl::SetUnderline);
    ApplyFont();
}

void TextControl::DeclareDataBinding() {
    DeclareString("DataSource", &TextControl::DataSource, &TextControl::SetDataSource);
    DeclareString("DataField", &TextControl::DataField, &TextControl::SetDataField);
}

QFont TextControl::FontFor(const QString& family, int32_t size, bool bold, bool italic, bool underline) {
    // The application's font: the desktop's font unless the program set one.
    QFont font = QGuiApplication::font();
    const bool system = family.isEmpty() || family.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0;
    if (!system) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
        } else {
            QFont probe(QStringLiteral("sans-serif"));
            probe.setStyleHint(QFont::SansSerif);
            font.setFamily(QFontInfo(probe).family());
        }
    }
    // Sizes count pixels: the layouts were drawn at 72 dots per inch, where a
    // point is a pixel, and their labels fit their boxes only so.
    if (size > 0) font.setPixelSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

QRect TextControl::textRoom() const { return widget()->contentsRect(); }

bool TextControl::textFits(const QFontMetrics& metrics, const QString& text, const QRect& room) const {
    return metrics.horizontalAdvance(text) <= room.width();
}

// Worked out when the text, the font or the box changes, never while painting.
QFont TextControl::fittedFont() const {
    QFont font = CurrentFont();
    const QStringList texts = shownTexts();
    if (texts.isEmpty() || Width() <= 0 || Height() <= 0) return font;
    const QRect room = textRoom();
    auto fits = [&] {
        const QFontMetrics metrics(font);
        return std::all_of(texts.begin(), texts.end(), [&](const QString& t) { return textFits(metrics, t, room); });
    };
    for (int size = QFontInfo(font).pixelSize(); size > kSmallestPixelSize && !fits();) font.setPixelSize(--size);
    return font;
}

void TextControl::ApplyFont() {
    if (QWidget* w = widget()) w->setFont(fittedFont());
}

void TextControl::SetTextFont(const QString& v) {
    textFont_ = v;
    ApplyFont();
}

void TextControl::SetTextSize(int32_t v) {
    textSize_ = v;
    ApplyFont();
}

void TextControl::SetBold(bool v) {
    bold_ = v;
    ApplyFont();
}

void TextControl::SetItalic(bool v) {
    italic_ = v;
    ApplyFont();
}

void TextControl::SetUnderline(bool v) {
    underline_ = v;
    ApplyFont();
}
