// The window thread's event service for the pool, over Qt's event loop.
#pragma once

#include <QAbstractEventDispatcher>

#include "pool/event_pump.h"

namespace app {

class QtEventPump final : public pool::EventPump {
  public:
    // Built on the thread whose events it serves.
    QtEventPump();
    void serve_pending() override;
    void wait(std::chrono::microseconds longest) override;
    void wake() override;

  private:
    QAbstractEventDispatcher* dispatcher_;
};

}  // namespace app
