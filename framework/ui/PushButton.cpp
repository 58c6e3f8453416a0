#include "framework/ui/PushButton.h"

#include <QPushButton>

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

void PushButton::SetCaption(const QString& v) { button_->setText(v); }

void PushButton::SetDefault(bool v) {
    default_ = v;
    button_->setDefault(v);
}

void PushButton::Push() {
    if (button_->isEnabled()) button_->click();
}
