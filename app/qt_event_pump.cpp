#include "app/qt_event_pump.h"

#include <QCoreApplication>
#include <QTimer>

namespace app {

QtEventPump::QtEventPump() : dispatcher_(QAbstractEventDispatcher::instance()) {}

void QtEventPump::serve_pending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::wait(std::chrono::microseconds longest) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(longest).count();
    if (ms < 1) {
        serve_pending();
        return;
    }
    // The timer bounds the wait; any event, or a wakeUp from another thread,
    // ends it sooner.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(static_cast<int>(ms));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::wake() {
    dispatcher_->wakeUp();
}

}  // namespace app
