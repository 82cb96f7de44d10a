// One task per list row, each on a thread of its own, at most `limit` in
// flight, launched from the window thread while it keeps serving events.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "pool/event_pump.h"

namespace pool {

// A task routine: takes the 1-based launch index, runs on its own thread, and
// calls worker_pool->task_done() once at its end.
using PoolTask = std::function<void(std::int32_t index)>;

class WorkerPool {
  public:
    // Tasks launched and not yet reported done; shared by nested runs.
    std::atomic<std::int32_t> running_count{0};
    std::atomic<std::int32_t> paused{0};
    std::atomic<std::int32_t> stop_requested{0};

    // Nothing of its own: runs just before the instance is released.
    void destroy() {}
    // A new instance whose three fields equal this one's.
    WorkerPool* copy() const;
    // Launches task(1..count) in order, at most `limit` in flight (a limit below
    // 1 counts as 1), serving events while it waits. Returns the seconds taken,
    // once the last task is launched and fewer than `limit` are in flight.
    double start(const PoolTask& task, std::int32_t limit, std::int32_t count);
    void pause();
    void resume();
    void stop();
    void task_done();
};

// The program's single pool. After release_worker_pool it is no longer used
// for launching, but its memory stays valid until the process ends, so a task
// still running can report done safely.
extern WorkerPool* worker_pool;
void create_worker_pool();
void release_worker_pool();

// The pump the pool waits with; the window installs its own at start-up.
void set_event_pump(EventPump* pump);
EventPump& event_pump();

// Waits `units` microseconds, serving the calling thread's events meanwhile.
void delay_with_events(std::int32_t units);
// Returns freed heap memory to the system (glibc malloc_trim).
void trim_working_set();
// Milliseconds from a monotonic clock; wraps around in 32 bits.
std::int32_t tick_count();

}  // namespace pool
