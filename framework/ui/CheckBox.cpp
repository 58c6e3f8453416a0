#include "framework/ui/CheckBox.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>

CheckBox::CheckBox() : TextControl(new QCheckBox), box_(static_cast<QCheckBox*>(widget())) {
    DeclareString("Caption", &CheckBox::Caption, &CheckBox::SetCaption);
    DeclareBoolean("Value", &CheckBox::Value, &CheckBox::SetValue);
    DeclareFontProperties();
    DeclareDataBinding();
    DeclareEvent("Action", EventKind::Plain);
    QObject::connect(box_, &QCheckBox::toggled, box_, [this](bool checked) {
        if (checked == value_) return;
        value_ = checked;
        RaiseFromUser(QStringLiteral("Action"));
    });
}

QString CheckBox::Caption() const { return box_->text(); }

void CheckBox::SetCaption(const QString& v) {
    box_->setText(v);
    ApplyFont();
}

// Beside the indicator.
QRect CheckBox::textRoom() const {
    QStyleOptionButton option;
    option.initFrom(box_);
    option.text = box_->text();
    return box_->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box_);
}

void CheckBox::SetValue(bool v) {
    if (v == value_) return;
    value_ = v;
    {
        const QSignalBlocker block(box_);
        box_->setChecked(v);
    }
    Raise(QStringLiteral("Action"));
}
