#include "framework/ui/StaticText.h"

#include <QLabel>

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

void StaticText::SetText(const QString& v) { label_->setText(v); }

void StaticText::SetTextAlign(int32_t v) {
    textAlign_ = v;
    const Qt::Alignment h = v == 1 ? Qt::AlignHCenter : (v == 2 ? Qt::AlignRight : Qt::AlignLeft);
    label_->setAlignment(h | Qt::AlignTop);
}

void StaticText::SetTextColor(Color c) {
    textColor_ = c;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor(c.red, c.green, c.blue));
    label_->setPalette(palette);
}

void StaticText::SetMultiline(bool v) {
    multiline_ = v;
    label_->setWordWrap(v);
}
