#include "framework/ui/UpDownArrows.h"

#include <QResizeEvent>
#include <QToolButton>

namespace {

class ArrowsWidget : public QWidget {
public:
    ArrowsWidget() : up(new QToolButton(this)), down(new QToolButton(this)) {
        for (QToolButton* b : {up, down}) {
            b->setAutoRepeat(true);
            b->setFocusPolicy(Qt::NoFocus);
        }
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
    }
    QToolButton* up;
    QToolButton* down;

protected:
    void resizeEvent(QResizeEvent* event) override {
        const int w = event->size().width(), h = event->size().height();
        up->setGeometry(0, 0, w, h / 2);
        down->setGeometry(0, h / 2, w, h - h / 2);
    }
};

}  // namespace

UpDownArrows::UpDownArrows() : RectControl(new ArrowsWidget) {
    auto* arrows = static_cast<ArrowsWidget*>(widget());
    DeclareBoolean("AcceptFocus", &UpDownArrows::AcceptFocus, &UpDownArrows::SetAcceptFocus);
    DeclareEvent("Up", EventKind::Plain);
    DeclareEvent("Down", EventKind::Plain);
    QObject::connect(arrows->up, &QToolButton::clicked, arrows->up, [this] { RaiseFromUser(QStringLiteral("Up")); });
    QObject::connect(arrows->down, &QToolButton::clicked, arrows->down,
                     [this] { RaiseFromUser(QStringLiteral("Down")); });
    SetAcceptFocus(false);
}

void UpDownArrows::SetAcceptFocus(bool v) {
    acceptFocus_ = v;
    widget()->setFocusPolicy(v ? Qt::StrongFocus : Qt::NoFocus);
}
