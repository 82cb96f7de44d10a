// Helpers for the window tests.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace guitest {

// Serves events until `done` holds or `ms` pass; false on time-out.
inline bool serve_until(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

}  // namespace guitest
