#include "framework/ui/TextControl.h"

#include <QFontDatabase>
#include <QFontInfo>

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
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
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

void TextControl::ApplyFont() {
    if (QWidget* w = widget()) w->setFont(CurrentFont());
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
