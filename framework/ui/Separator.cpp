#include "framework/ui/Separator.h"

#include <QFrame>
#include <QResizeEvent>

namespace {

// Horizontal or vertical by its shape, so a resize can turn it.
class SeparatorWidget : public QFrame {
public:
    SeparatorWidget() { setFrameStyle(QFrame::HLine | QFrame::Sunken); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        const bool vertical = event->size().height() > event->size().width();
        setFrameShape(vertical ? QFrame::VLine : QFrame::HLine);
        QFrame::resizeEvent(event);
    }
};

}  // namespace

Separator::Separator() : RectControl(new SeparatorWidget) {}
