#include "framework/ui/BevelButton.h"

#include <QStyle>
#include <QToolButton>

BevelButton::BevelButton() : TextControl(new QToolButton), button_(static_cast<QToolButton*>(widget())) {
    button_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    DeclareString("Caption", &BevelButton::Caption, &BevelButton::SetCaption);
    DeclareInt32("CaptionAlign", &BevelButton::CaptionAlign, &BevelButton::SetCaptionAlign);
    DeclareInt32("CaptionPlacement", &BevelButton::CaptionPlacement, &BevelButton::SetCaptionPlacement);
    DeclareInt32("CaptionDelta", &BevelButton::CaptionDelta, &BevelButton::SetCaptionDelta);
    DeclareInt32("IconAlign", &BevelButton::IconAlign, &BevelButton::SetIconAlign);
    DeclareInt32("IconDX", &BevelButton::IconDX, &BevelButton::SetIconDX);
    DeclareInt32("IconDY", &BevelButton::IconDY, &BevelButton::SetIconDY);
    DeclareInt32("Bevel", &BevelButton::Bevel, &BevelButton::SetBevel);
    DeclareInt32("HasMenu", &BevelButton::HasMenu, &BevelButton::SetHasMenu);
    DeclareBoolean("Value", &BevelButton::Value, &BevelButton::SetValue);
    DeclareInt32("MenuValue", &BevelButton::MenuValue, &BevelButton::SetMenuValue);
    DeclareInt32("ButtonType", &BevelButton::ButtonType, &BevelButton::SetButtonType);
    DeclareBoolean("AcceptFocus", &BevelButton::AcceptFocus, &BevelButton::SetAcceptFocus);
    DeclareFontProperties();
    DeclareEvent("Action", EventKind::Plain);
    QObject::connect(button_, &QToolButton::clicked, button_, [this] { clicked(); });
    SetAcceptFocus(false);
}

QString BevelButton::Caption() const { return button_->text(); }

void BevelButton::SetCaption(const QString& v) {
    button_->setText(v);
    ApplyFont();
}

// Inside the bevel's frame.
QRect BevelButton::textRoom() const {
    const int frame = button_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button_);
    return button_->rect().adjusted(frame, frame, -frame, -frame);
}

void BevelButton::SetValue(bool v) {
    value_ = v;
    button_->setDown(v && buttonType_ != 0);
}

void BevelButton::SetAcceptFocus(bool v) {
    acceptFocus_ = v;
    button_->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus);
}

void BevelButton::clicked() {
    if (buttonType_ == 1) SetValue(!value_);
    else if (buttonType_ == 2) SetValue(true);
    RaiseFromUser(QStringLiteral("Action"));
}
