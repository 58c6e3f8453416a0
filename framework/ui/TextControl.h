#pragma once
// A control that shows text in a font of its own: TextFont ("System" is the
// platform's general UI font; a family that is not installed, such as "Geneva",
// falls back to the platform's sans-serif), TextSize in pixels (0: the default
// size), Bold, Italic, Underline.
#include <QFont>

#include "framework/ui/RectControl.h"

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
    // Gives the widget the font; EditField applies it to its text instead.
    virtual void ApplyFont();

private:
    QString textFont_ = QStringLiteral("System");
    int32_t textSize_ = 0;
    bool bold_ = false, italic_ = false, underline_ = false;
    QString dataSource_, dataField_;
};
