#pragma once
// A label. TextAlign: 0 left, 1 centred, 2 right. Multiline wraps words.
// TextColor black, the layouts' default, draws in the theme's text colour
// (black on light themes, light on dark ones); any other colour is kept.
#include "framework/ui/TextControl.h"

class QLabel;

class StaticText : public TextControl {
public:
    StaticText();
    QString KindName() const override { return QStringLiteral("StaticText"); }
    QString Text() const;
    void SetText(const QString& v);
    int32_t TextAlign() const { return textAlign_; }
    void SetTextAlign(int32_t v);
    Color TextColor() const { return textColor_; }
    void SetTextColor(Color c);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool v);

protected:
    QStringList shownTexts() const override;
    bool textFits(const QFontMetrics& metrics, const QString& text, const QRect& room) const override;

private:
    QLabel* label_;
    int32_t textAlign_ = 0;
    Color textColor_ = RGB(0, 0, 0);
    bool multiline_ = false;
};
using StaticTextPtr = std::shared_ptr<StaticText>;
