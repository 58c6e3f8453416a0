#include "framework/ui/EditField.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <limits>

#include "framework/graphics/Graphics.h"
#include "framework/text/StyledText.h"
#include "framework/text/StyledTextPrinter.h"

class EditFieldEditor : public QTextEdit {
public:
    explicit EditFieldEditor(EditField* field) : field_(field) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool ctrl = event->modifiers() == Qt::ControlModifier;
        if (ctrl && field_->styled_ && !isReadOnly() &&
            (event->key() == Qt::Key_B || event->key() == Qt::Key_I || event->key() == Qt::Key_U)) {
            toggleStyle(event->key());
            event->accept();
            return;
        }
        const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (isReturn && !field_->multiline_) {
            event->ignore();  // one line: Return belongs to the window (its default button)
            return;
        }
        const QString typed = event->text();
        if (field_->limitText_ > 0 && !typed.isEmpty() && typed.at(0).isPrint() && !textCursor().hasSelection() &&
            toPlainText().size() >= field_->limitText_) {
            event->accept();
            return;
        }
        QTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override {
        const bool plainOnly = !field_->styled_ || !field_->multiline_ || field_->limitText_ > 0;
        if (!plainOnly) {
            QTextEdit::insertFromMimeData(source);
            return;
        }
        if (field_->styled_ && !field_->multiline_ && source->hasHtml()) {
            insertOneLine(QTextDocumentFragment::fromHtml(source->html()));
            return;
        }
        QString text = source->text();
        if (!field_->multiline_) text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (field_->limitText_ > 0) {
            const qsizetype room = field_->limitText_ - (toPlainText().size() - textCursor().selectedText().size());
            text.truncate(std::max<qsizetype>(0, room));
        }
        textCursor().insertText(text);
    }

private:
    // Styled text into a one-line field: every run keeps its format (font, size,
    // bold, italic, underline, colour); line and paragraph breaks become blanks.
    void insertOneLine(const QTextDocumentFragment& fragment) {
        QTextDocument pasted;
        QTextCursor(&pasted).insertFragment(fragment);
        qsizetype room = std::numeric_limits<qsizetype>::max();
        if (field_->limitText_ > 0)
            room = std::max<qsizetype>(0, field_->limitText_ - (toPlainText().size() - textCursor().selectedText().size()));
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        for (QTextBlock block = pasted.begin(); block.isValid() && room > 0; block = block.next()) {
            if (block != pasted.begin()) {
                cursor.insertText(QStringLiteral(" "), block.charFormat());
                --room;
            }
            for (auto it = block.begin(); !it.atEnd() && room > 0; ++it) {
                QString text = it.fragment().text();
                text.remove(QChar::ObjectReplacementCharacter);  // pictures have no place in one line
                for (QChar& c : text)
                    if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == QLatin1Char('\n') ||
                        c == QLatin1Char('\r') || c == QLatin1Char('\t'))
                        c = QLatin1Char(' ');
                text.truncate(room);
                cursor.insertText(text, it.fragment().charFormat());
                room -= text.size();
            }
        }
        cursor.endEditBlock();
        setTextCursor(cursor);
    }

    void toggleStyle(int key) {
        const QTextCharFormat current = currentCharFormat();
        QTextCharFormat change;
        if (key == Qt::Key_B) change.setFontWeight(current.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
        else if (key == Qt::Key_I) change.setFontItalic(!current.fontItalic());
        else change.setFontUnderline(!current.fontUnderline());
        mergeCurrentCharFormat(change);
    }

    EditField* field_;
};

namespace {

QColor qcolor(Color c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

EditField::EditField() : TextControl(new EditFieldEditor(this)), editor_(static_cast<EditFieldEditor*>(widget())) {
    editor_->setAcceptRichText(true);
    editor_->setTabChangesFocus(true);
    DeclareBoolean("Border", &EditField::Border, &EditField::SetBorder);
    DeclareBoolean("Multiline", &EditField::Multiline, &EditField::SetMultiline);
    DeclareBoolean("ScrollbarHorizontal", &EditField::ScrollbarHorizontal, &EditField::SetScrollbarHorizontal);
    DeclareBoolean("ScrollbarVertical", &EditField::ScrollbarVertical, &EditField::SetScrollbarVertical);
    DeclareBoolean("Styled", &EditField::Styled, &EditField::SetStyled);
    DeclareBoolean("Password", &EditField::Password, &EditField::SetPassword);
    DeclareBoolean("UseFocusRing", &EditField::UseFocusRing, &EditField::SetUseFocusRing);
    DeclareColor("TextColor", &EditField::TextColor, &EditField::SetTextColor);
    DeclareColor("BackColor", &EditField::BackColor, &EditField::SetBackColor);
    DeclareString("Format", &EditField::Format, &EditField::SetFormat);
    DeclareString("Text", &EditField::Text, &EditField::SetText);
    DeclareString("Mask", &EditField::Mask, &EditField::SetMask);
    DeclareBoolean("ReadOnly", &EditField::ReadOnly, &EditField::SetReadOnly);
    DeclareInt32("LimitText", &EditField::LimitText, &EditField::SetLimitText);
    DeclareBoolean("AcceptTabs", &EditField::AcceptTabs, &EditField::SetAcceptTabs);
    DeclareInt32("Alignment", &EditField::Alignment, &EditField::SetAlignment);
    DeclareFontProperties();
    DeclareDataBinding();
    SetMultiline(multiline_);
    SetBackColor(backColor_);
    SetTextColor(textColor_);
}

EditField::~EditField() = default;

QTextDocument* EditField::document() const { return editor_->document(); }

QTextEdit* EditField::editor() const { return editor_; }

void EditField::applyCharFormat(const QTextCharFormat& format) {
    QTextCursor cursor = editor_->textCursor();
    if (!cursor.hasSelection()) {
        cursor.select(QTextCursor::Document);
        cursor.mergeCharFormat(format);
    } else {
        cursor.mergeCharFormat(format);
    }
    editor_->mergeCurrentCharFormat(format);
}

void EditField::ApplyFont() {
    const QFont font = CurrentFont();
    editor_->document()->setDefaultFont(font);
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
    applyCharFormat(format);
}

void EditField::SetBorder(bool v) {
    border_ = v;
    editor_->setFrameStyle(v ? (QFrame::StyledPanel | QFrame::Sunken) : QFrame::NoFrame);
}

void EditField::applyScrollbars() {
    editor_->setVerticalScrollBarPolicy(multiline_ && scrollbarVertical_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    editor_->setHorizontalScrollBarPolicy(scrollbarHorizontal_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void EditField::SetMultiline(bool v) {
    multiline_ = v;
    editor_->setProperty(kTakesReturnProperty, v);
    editor_->setLineWrapMode(v ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    editor_->document()->setDocumentMargin(v ? 4 : 2);
    applyScrollbars();
}

void EditField::SetScrollbarHorizontal(bool v) {
    scrollbarHorizontal_ = v;
    applyScrollbars();
}

void EditField::SetScrollbarVertical(bool v) {
    scrollbarVertical_ = v;
    applyScrollbars();
}

void EditField::SetStyled(bool v) {
    styled_ = v;
    editor_->setAcceptRichText(v);
}

void EditField::SetTextColor(Color c) {
    textColor_ = c;
    QTextCharFormat format;
    format.setForeground(qcolor(c));
    applyCharFormat(format);
}

void EditField::SetBackColor(Color c) {
    backColor_ = c;
    QPalette palette = editor_->palette();
    palette.setColor(QPalette::Base, qcolor(c));
    editor_->setPalette(palette);
}

QString EditField::Text() const { return editor_->toPlainText(); }

void EditField::SetText(const QString& v) {
    QTextCharFormat format;
    format.setFont(CurrentFont());
    format.setForeground(qcolor(textColor_));
    editor_->clear();
    QTextCursor cursor(editor_->document());
    cursor.insertText(v, format);
    editor_->setCurrentCharFormat(format);
    applyAlignment();
}

void EditField::SetReadOnly(bool v) {
    readOnly_ = v;
    editor_->setReadOnly(v);
}

void EditField::SetAcceptTabs(bool v) {
    acceptTabs_ = v;
    editor_->setTabChangesFocus(!v);
}

void EditField::SetAlignment(int32_t v) {
    alignment_ = v;
    applyAlignment();
}

void EditField::applyAlignment() {
    const Qt::Alignment a = alignment_ == 2 ? Qt::AlignHCenter : (alignment_ == 3 ? Qt::AlignRight : Qt::AlignLeft);
    QTextOption option = editor_->document()->defaultTextOption();
    option.setAlignment(a);
    editor_->document()->setDefaultTextOption(option);
    QTextCursor cursor(editor_->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat block;
    block.setAlignment(a);
    cursor.mergeBlockFormat(block);
}

std::shared_ptr<::StyledText> EditField::StyledText() { return std::make_shared<::StyledText>(editor_->document()); }

std::shared_ptr<StyledTextPrinter> EditField::styledTextPrinter(QPainter* painter, int32_t width) {
    return std::make_shared<StyledTextPrinter>(*editor_->document(), painter, width);
}

std::shared_ptr<StyledTextPrinter> EditField::styledTextPrinter(const std::shared_ptr<Graphics>& g, int32_t width) {
    return std::make_shared<StyledTextPrinter>(*editor_->document(), g ? &g->Painter() : nullptr, width);
}

std::shared_ptr<StyledTextPrinter> EditField::styledTextPrinter(const PicturePtr& picture, int32_t width) {
    return std::make_shared<StyledTextPrinter>(*editor_->document(), picture ? &picture->Image() : nullptr, width);
}
