// The calling thread's event service, handed to the pool by the window (or the
// command line), so that the pool can wait without knowing the toolkit.
#pragma once

#include <chrono>

namespace pool {

class EventPump {
  public:
    virtual ~EventPump() = default;
    // Serves the events already waiting; returns at once when there are none.
    virtual void serve_pending() = 0;
    // Blocks until an event arrives (and serves it), wake() is called, or
    // `longest` has passed. A wake() made before the wait ends the wait at once.
    virtual void wait(std::chrono::microseconds longest) = 0;
    // Ends a current or the next wait early. Any thread may call it.
    virtual void wake() = 0;
};

// A pump for a thread without a window: nothing to serve, waits on a condition.
class PlainEventPump : public EventPump {
  public:
    void serve_pending() override {}
    void wait(std::chrono::microseconds longest) override;
    void wake() override;

  private:
    struct State;
    State& state();
};

}  // namespace pool
