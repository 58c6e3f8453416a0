#include "framework/ui/StaticText.h"

#include <QFontMetrics>
#include <QLabel>
#include <climits>

StaticText::StaticText() : TextControl(new QLabel), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DeclareString("Text", &StaticText::Text, &StaticText::SetText);
    DeclareInt32("TextAlign", &StaticText::TextAlign, &StaticText::SetTextAlign);
    DeclareColor("TextColor", &StaticText::TextColor, &StaticText::SetTextColor);
    DeclareBoolean("Multiline", &StaticText::Multiline, &StaticText::SetMultiline);
    DeclareFontProperties();
    DeclareDataBinding();
}

QString StaticText::Text() const { return label_->text(); }

void StaticText::SetText(const QString& v) {
    label_->setText(v);
    ApplyFont();
}

QStringList StaticText::shownTexts() const { return {label_->text()}; }

bool StaticText::textFits(const QFontMetrics& metrics, const QString& text, const QRect& room) const {
    if (!multiline_) return TextControl::textFits(metrics, text, room);
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX / 2), Qt::TextWordWrap, text);
    return wrapped.width() <= room.width() && wrapped.height() <= room.height();
}

void StaticText::SetTextAlign(int32_t v) {
    textAlign_ = v;
    const Qt::Alignment h = v == 1 ? Qt::AlignHCenter : (v == 2 ? Qt::AlignRight : Qt::AlignLeft);
    label_->setAlignment(h | Qt::AlignTop);
}

void StaticText::SetTextColor(Color c) {
    textColor_ = c;
    if (c == RGB(0, 0, 0)) {
        label_->setPalette(QPalette());  // nothing of its own: the theme's colours
        return;
    }
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor(c.red, c.green, c.blue));
    label_->setPalette(palette);
}

void StaticText::SetMultiline(bool v) {
    multiline_ = v;
    label_->setWordWrap(v);
    ApplyFont();
}
