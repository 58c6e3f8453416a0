#pragma once
// A control that shows text in a font of its own: TextFont ("System" is the
// application's font, the desktop's unless the program set one; a family that
// is not installed, such as "Geneva", falls back to the platform's sans-serif),
// TextSize in pixels (0: that font's size), Bold, Italic, Underline. A text
// that does not fit its box at that size is drawn at the largest smaller size
// that fits (never below 6 pixels): larger desktop fonts leave the layout's
// places and sizes as they are.
#include <QFont>

#include "framework/ui/RectControl.h"

class QFontMetrics;

class TextControl : public RectControl {
public:
    QString TextFont() const { return textFont_; }
    void SetTextFont(const QString& v);
    int32_t TextSize() const { return textSize_; }
    void SetTextSize(int32_t v);
    bool Bold() const { return bold_; }
    void SetBold(bool v);
    bool Italic() const { return italic_; }
    void SetItalic(bool v);
    bool Underline() const { return underline_; }
    void SetUnderline(bool v);
    QString DataSource() const { return dataSource_; }
    void SetDataSource(const QString& v) { dataSource_ = v; }
    QString DataField() const { return dataField_; }
    void SetDataField(const QString& v) { dataField_ = v; }

    // The Qt font for a font name, size and style, by the rules above.
    static QFont FontFor(const QString& family, int32_t size, bool bold, bool italic, bool underline);
    QFont CurrentFont() const { return FontFor(textFont_, textSize_, bold_, italic_, underline_); }

protected:
    explicit TextControl(QWidget* widget);
    void DeclareFontProperties();
    void DeclareDataBinding();
    // Gives the widget the font, fitted to its box; EditField applies it to its text instead.
    virtual void ApplyFont();
    // The texts the control shows in its box; none: the font is never made smaller.
    virtual QStringList shownTexts() const { return {}; }
    // Where the widget's style draws the text, in the widget's coordinates.
    virtual QRect textRoom() const;
    virtual bool textFits(const QFontMetrics& metrics, const QString& text, const QRect& room) const;
    void boxResized() override { ApplyFont(); }

private:
    QFont fittedFont() const;

    QString textFont_ = QStringLiteral("System");
    int32_t textSize_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
    QString dataSource_, dataField_;
};
