#pragma once
// A drawing area; shows its Backdrop picture at its top-left corner.
#include "framework/graphics/Picture.h"
#include "framework/ui/RectControl.h"

class Canvas : public RectControl {
public:
    Canvas();
    QString KindName() const override { return QStringLiteral("Canvas"); }
    PicturePtr Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr p);
    bool AcceptTabs() const { return acceptTabs_; }
    void SetAcceptTabs(bool v) { acceptTabs_ = v; }
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool v);
    bool UseFocusRing() const { return useFocusRing_; }
    void SetUseFocusRing(bool v) { useFocusRing_ = v; }

private:
    PicturePtr backdrop_;
    bool acceptTabs_ = false, acceptFocus_ = false, useFocusRing_ = true;
};
using CanvasPtr = std::shared_ptr<Canvas>;
