#include "framework/ui/PushButton.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

PushButton::PushButton() : TextControl(new QPushButton), button_(static_cast<QPushButton*>(widget())) {
    button_->setAutoDefault(false);
    DeclareString("Caption", &PushButton::Caption, &PushButton::SetCaption);
    DeclareBoolean("Default", &PushButton::Default, &PushButton::SetDefault);
    DeclareBoolean("Cancel", &PushButton::Cancel, &PushButton::SetCancel);
    DeclareFontProperties();
    DeclareEvent("Action", EventKind::Plain);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { RaiseFromUser(QStringLiteral("Action")); });
}

QString PushButton::Caption() const { return button_->text(); }

void PushButton::SetCaption(const QString& v) {
    button_->setText(v);
    ApplyFont();
}

void PushButton::SetDefault(bool v) {
    default_ = v;
    button_->setDefault(v);
    ApplyFont();  // some styles give a default button a wider frame
}

// Inside the bevel.
QRect PushButton::textRoom() const {
    QStyleOptionButton option;
    option.initFrom(button_);
    option.text = button_->text();
    if (button_->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button_->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
    return button_->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button_);
}

void PushButton::Push() {
    if (button_->isEnabled()) button_->click();
}
