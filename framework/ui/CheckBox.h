#pragma once
// A check box. Action when the user ticks or clears it, and at once when code
// sets Value to a different value (setting the same value raises nothing).
#include "framework/ui/TextControl.h"

class QCheckBox;

class CheckBox : public TextControl {
public:
    CheckBox();
    QString KindName() const override { return QStringLiteral("CheckBox"); }
    QString Caption() const;
    void SetCaption(const QString& v);
    bool Value() const { return value_; }
    void SetValue(bool v);

protected:
    QStringList shownTexts() const override { return {Caption()}; }
    QRect textRoom() const override;

private:
    QCheckBox* box_;
    bool value_ = false;
};
using CheckBoxPtr = std::shared_ptr<CheckBox>;
