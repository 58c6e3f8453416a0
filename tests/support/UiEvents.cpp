#include "tests/support/UiEvents.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QThread>
#include <QToolButton>
#include <QWidget>
#include <algorithm>

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, int32_t x, int32_t y) {
    if (!widget) return;
    const QPointF local(x, y);
    const QPointF global = widget->mapToGlobal(local);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void clickArrow(UpDownArrows& arrows, Qt::ArrowType which) {
    for (QToolButton* arrow : arrows.widget()->findChildren<QToolButton*>())
        if (arrow->arrowType() == which) arrow->click();
}

// Well beyond the runtime's wait before it takes the application as inactive.
constexpr int kDeactivationSettlesMs = 400;

}  // namespace

void SimulateMouseDown(RectControl& control, int32_t x, int32_t y) {
    sendMouse(control.widget(), QEvent::MouseButtonPress, x, y);
}

void SimulateMouseUp(RectControl& control, int32_t x, int32_t y) {
    sendMouse(control.widget(), QEvent::MouseButtonRelease, x, y);
}

void SimulateMouseExit(RectControl& control) {
    if (!control.widget()) return;
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(control.widget(), &event);
}

bool SimulateDrop(RectControl& control, const QMimeData& data) {
    QWidget* widget = control.widget();
    if (!widget) return false;
    const QPoint at(std::max(0, control.Width() / 2), std::max(0, control.Height() / 2));
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &drop);
    return drop.isAccepted();
}

void SimulateApplicationActive(bool active) {
    QCoreApplication::processEvents();  // what the window system said before comes first
    Q_EMIT qGuiApp->applicationStateChanged(active ? Qt::ApplicationActive : Qt::ApplicationInactive);
    if (active) return;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kDeactivationSettlesMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

void SimulateClick(RectControl& button) {
    auto* widget = qobject_cast<QAbstractButton*>(button.widget());
    if (widget) widget->click();
}

void SimulatePressUp(UpDownArrows& arrows) { clickArrow(arrows, Qt::UpArrow); }

void SimulatePressDown(UpDownArrows& arrows) { clickArrow(arrows, Qt::DownArrow); }

void SimulateUserSelect(PopupMenu& popup, int32_t row) {
    auto* combo = static_cast<QComboBox*>(popup.widget());
    if (row >= 0 && row < combo->count() && combo->isEnabled()) combo->setCurrentIndex(row);
}

bool SimulateTimerExpiry(Timer& timer) {
    const int32_t period = timer.Period();
    timer.SetMode(0);
    timer.SetPeriod(1);
    timer.SetMode(1);
    QElapsedTimer clock;
    clock.start();
    while (timer.Mode() != 0 && clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    timer.SetPeriod(period);
    return timer.Mode() == 0;
}
