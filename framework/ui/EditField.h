#pragma once
// A text field on a rich-text editor. Styled fields keep fonts, sizes, bold,
// italic, underline and colours per run (Ctrl+B, Ctrl+I, Ctrl+U; rich paste);
// with Multiline False the field keeps one line and passes Return on to its
// window. Alignment: 0 default (left), 1 left, 2 centred, 3 right.
//
// TextColor: setting it colours the selection, or the whole text when nothing
// is selected, and is the colour of new typing; it reads back the colour last set.
#include <memory>

#include "framework/graphics/Picture.h"
#include "framework/ui/TextControl.h"

class QPainter;
class QTextDocument;
class QTextEdit;
class StyledText;
class StyledTextPrinter;
class Graphics;
class EditFieldEditor;

class EditField : public TextControl {
public:
    EditField();
    ~EditField() override;
    QString KindName() const override { return QStringLiteral("EditField"); }
    // Set (True) on the editor widget of a multi-line field: Return is its own, not the window's.
    static constexpr const char* kTakesReturnProperty = "takesReturn";

    bool Border() const { return border_; }
    void SetBorder(bool v);
    bool Multiline() const { return multiline_; }
    void SetMultiline(bool v);
    bool ScrollbarHorizontal() const { return scrollbarHorizontal_; }
    void SetScrollbarHorizontal(bool v);
    bool ScrollbarVertical() const { return scrollbarVertical_; }
    void SetScrollbarVertical(bool v);
    bool Styled() const { return styled_; }
    void SetStyled(bool v);
    bool Password() const { return password_; }
    void SetPassword(bool v) { password_ = v; }
    bool UseFocusRing() const { return useFocusRing_; }
    void SetUseFocusRing(bool v) { useFocusRing_ = v; }
    Color TextColor() const { return textColor_; }
    void SetTextColor(Color c);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    QString Format() const { return format_; }
    void SetFormat(const QString& v) { format_ = v; }
    // The plain text (runs joined, paragraphs separated by "\n").
    QString Text() const;
    // Replaces the whole text by plain text in the field's font and TextColor.
    void SetText(const QString& v);
    QString Mask() const { return mask_; }
    void SetMask(const QString& v) { mask_ = v; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // The most characters the field takes from typing and pasting; 0: no limit.
    int32_t LimitText() const { return limitText_; }
    void SetLimitText(int32_t v) { limitText_ = v; }
    bool AcceptTabs() const { return acceptTabs_; }
    void SetAcceptTabs(bool v);
    int32_t Alignment() const { return alignment_; }
    void SetAlignment(int32_t v);

    // The field's styled text (a view on its document; RTFData reads and replaces it).
    std::shared_ptr<::StyledText> StyledText();
    // A printer that lays the field's styled text out in a block of that width,
    // drawing through the painter.
    std::shared_ptr<StyledTextPrinter> styledTextPrinter(QPainter* painter, int32_t width);
    std::shared_ptr<StyledTextPrinter> styledTextPrinter(const std::shared_ptr<Graphics>& g, int32_t width);
    std::shared_ptr<StyledTextPrinter> styledTextPrinter(const PicturePtr& picture, int32_t width);

    QTextDocument* document() const;
    QTextEdit* editor() const;

protected:
    void ApplyFont() override;

private:
    friend class EditFieldEditor;
    void applyAlignment();
    void applyScrollbars();
    // Merges the format into the selection, or the whole text when nothing is selected,
    // and into the format of new typing.
    void applyCharFormat(const class QTextCharFormat& format);
    EditFieldEditor* editor_;
    bool border_ = true, multiline_ = true, scrollbarHorizontal_ = false, scrollbarVertical_ = true;
    bool styled_ = true, password_ = false, useFocusRing_ = true, readOnly_ = false, acceptTabs_ = false;
    Color textColor_ = RGB(0, 0, 0), backColor_ = RGB(255, 255, 255);
    QString format_, mask_;
    int32_t limitText_ = 0, alignment_ = 0;
};
using EditFieldPtr = std::shared_ptr<EditField>;
