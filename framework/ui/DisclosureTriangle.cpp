#include "framework/ui/DisclosureTriangle.h"

#include <QToolButton>

DisclosureTriangle::DisclosureTriangle() : RectControl(new QToolButton), button_(static_cast<QToolButton*>(widget())) {
    button_->setAutoRaise(true);
    DeclareBoolean("Value", &DisclosureTriangle::Value, &DisclosureTriangle::SetValue);
    DeclareInt32("Facing", &DisclosureTriangle::Facing, &DisclosureTriangle::SetFacing);
    DeclareBoolean("AcceptFocus", &DisclosureTriangle::AcceptFocus, &DisclosureTriangle::SetAcceptFocus);
    DeclareEvent("Action", EventKind::Plain);
    QObject::connect(button_, &QToolButton::clicked, button_, [this] {
        value_ = !value_;
        showArrow();
        RaiseFromUser(QStringLiteral("Action"));
    });
    SetAcceptFocus(false);
    showArrow();
}

void DisclosureTriangle::showArrow() {
    button_->setArrowType(value_ ? Qt::DownArrow : (facing_ == 1 ? Qt::LeftArrow : Qt::RightArrow));
}

void DisclosureTriangle::SetValue(bool v) {
    if (v == value_) return;
    value_ = v;
    showArrow();
    Raise(QStringLiteral("Action"));
}

void DisclosureTriangle::SetFacing(int32_t v) {
    facing_ = v;
    showArrow();
}

void DisclosureTriangle::SetAcceptFocus(bool v) {
    acceptFocus_ = v;
    button_->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus);
}
