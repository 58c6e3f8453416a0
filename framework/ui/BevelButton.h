#pragma once
// A bevelled button with a caption; Action when clicked. ButtonType 0 pushes,
// 1 toggles Value on each click, 2 sets Value on a click (sticky). The other
// appearance codes are kept as they are set.
#include "framework/ui/TextControl.h"

class QToolButton;

class BevelButton : public TextControl {
public:
    BevelButton();
    QString KindName() const override { return QStringLiteral("BevelButton"); }
    QString Caption() const;
    void SetCaption(const QString& v);
    int32_t CaptionAlign() const { return captionAlign_; }
    void SetCaptionAlign(int32_t v) { captionAlign_ = v; }
    int32_t CaptionPlacement() const { return captionPlacement_; }
    void SetCaptionPlacement(int32_t v) { captionPlacement_ = v; }
    int32_t CaptionDelta() const { return captionDelta_; }
    void SetCaptionDelta(int32_t v) { captionDelta_ = v; }
    int32_t IconAlign() const { return iconAlign_; }
    void SetIconAlign(int32_t v) { iconAlign_ = v; }
    int32_t IconDX() const { return iconDX_; }
    void SetIconDX(int32_t v) { iconDX_ = v; }
    int32_t IconDY() const { return iconDY_; }
    void SetIconDY(int32_t v) { iconDY_ = v; }
    int32_t Bevel() const { return bevel_; }
    void SetBevel(int32_t v) { bevel_ = v; }
    int32_t HasMenu() const { return hasMenu_; }
    void SetHasMenu(int32_t v) { hasMenu_ = v; }
    bool Value() const { return value_; }
    void SetValue(bool v);
    int32_t MenuValue() const { return menuValue_; }
    void SetMenuValue(int32_t v) { menuValue_ = v; }
    int32_t ButtonType() const { return buttonType_; }
    void SetButtonType(int32_t v) { buttonType_ = v; }
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool v);

protected:
    QStringList shownTexts() const override { return {Caption()}; }
    QRect textRoom() const override;

private:
    void clicked();
    QToolButton* button_;
    int32_t captionAlign_ = 0, captionPlacement_ = 0, captionDelta_ = 0, iconAlign_ = 0;
    int32_t iconDX_ = 0, iconDY_ = 0, bevel_ = 0, hasMenu_ = 0, menuValue_ = 0, buttonType_ = 0;
    bool value_ = false, acceptFocus_ = false;
};
using BevelButtonPtr = std::shared_ptr<BevelButton>;
