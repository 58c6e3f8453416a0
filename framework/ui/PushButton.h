#pragma once
// A push button; Action when clicked. The Default button is pressed by Return or
// Enter in its window, the Cancel button by Escape.
#include "framework/ui/TextControl.h"

class QPushButton;

class PushButton : public TextControl {
public:
    PushButton();
    QString KindName() const override { return QStringLiteral("PushButton"); }
    QString Caption() const;
    void SetCaption(const QString& v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Clicks the button as the user would (nothing while it is disabled).
    void Push();

protected:
    QStringList shownTexts() const override { return {Caption()}; }
    QRect textRoom() const override;

private:
    QPushButton* button_;
    bool default_ = false, cancel_ = false;
};
using PushButtonPtr = std::shared_ptr<PushButton>;
