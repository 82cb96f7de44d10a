#include "pool/worker_pool.h"

#include <malloc.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace pool {

namespace {

using Clock = std::chrono::steady_clock;

// How long a full or paused run sleeps at most before it tests again; a task's
// task_done, resume and stop wake it at once, and window events are served as
// they arrive.
constexpr auto kLongestIdleWait = std::chrono::milliseconds(50);
// malloc_trim walks the whole heap; trimming on every pass of a busy loop
// would cost more than it returns.
constexpr auto kTrimInterval = std::chrono::milliseconds(100);

// Never destroyed: a task still running at exit may yet wake it.
PlainEventPump* const default_pump = new PlainEventPump;
std::atomic<EventPump*> current_pump{default_pump};

void trim_if_due(Clock::time_point& last_trim) {
    const auto now = Clock::now();
    if (now - last_trim >= kTrimInterval) {
        trim_working_set();
        last_trim = now;
    }
}

}  // namespace

WorkerPool* worker_pool = nullptr;

struct PlainEventPump::State {
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};

PlainEventPump::State& PlainEventPump::state() {
    static State* const s = new State;  // outlives every task, as the pump does
    return *s;
}

void PlainEventPump::wait(std::chrono::microseconds longest) {
    State& s = state();
    std::unique_lock lock(s.mutex);
    s.cv.wait_for(lock, longest, [&] { return s.woken; });
    s.woken = false;
}

void PlainEventPump::wake() {
    State& s = state();
    {
        std::lock_guard lock(s.mutex);
        s.woken = true;
    }
    s.cv.notify_one();
}

void set_event_pump(EventPump* pump) {
    current_pump = pump != nullptr ? pump : default_pump;
}
EventPump& event_pump() {
    return *current_pump.load();
}

WorkerPool* WorkerPool::copy() const {
    auto* twin = new WorkerPool;
    twin->running_count = running_count.load();
    twin->paused = paused.load();
    twin->stop_requested = stop_requested.load();
    return twin;
}

double WorkerPool::start(const PoolTask& task, std::int32_t limit, std::int32_t count) {
    const std::int32_t started_at = tick_count();
    if (limit < 1) limit = 1;  // no second task could ever start otherwise
    paused = 0;
    stop_requested = 0;
    auto last_trim = Clock::now() - kTrimInterval;
    for (std::int32_t i = 1; i <= count; ++i) {
        if (stop_requested == 1) break;
        ++running_count;
        try {
            std::thread([task, i] { task(i); }).detach();
        } catch (const std::system_error&) {
            --running_count;  // no thread, so no task_done will ever come for it
        }
        while (running_count >= limit || (paused == 1 && stop_requested == 0)) {
            trim_if_due(last_trim);
            event_pump().wait(kLongestIdleWait);
        }
        delay_with_events(1);
    }
    trim_working_set();
    return static_cast<double>(tick_count() - started_at) / 1000.0;
}

void WorkerPool::pause() {
    paused = 1;
}

void WorkerPool::resume() {
    paused = 0;
    event_pump().wake();
}

void WorkerPool::stop() {
    stop_requested = 1;
    event_pump().wake();
}

void WorkerPool::task_done() {
    --running_count;
    event_pump().wake();
}

namespace {

// Instances that were released or replaced. They are kept, never freed, for
// the whole process: a task still running may yet call task_done on one.
std::vector<WorkerPool*>& retired_pools() {
    static auto* retired = new std::vector<WorkerPool*>;
    return *retired;
}

}  // namespace

void create_worker_pool() {
    if (worker_pool != nullptr) retired_pools().push_back(worker_pool);
    worker_pool = new WorkerPool;
}

void release_worker_pool() {
    if (worker_pool == nullptr) return;
    worker_pool->destroy();
    retired_pools().push_back(worker_pool);
    // `worker_pool` keeps pointing at it, so a late task_done still lands on
    // live memory; the process's end reclaims it.
}

void delay_with_events(std::int32_t units) {
    const auto due = Clock::now() + std::chrono::microseconds(units < 0 ? 0 : units);
    EventPump& pump = event_pump();
    pump.serve_pending();
    for (auto now = Clock::now(); now < due; now = Clock::now()) {
        pump.wait(std::chrono::duration_cast<std::chrono::microseconds>(due - now));
    }
}

void trim_working_set() {
    malloc_trim(0);
}

std::int32_t tick_count() {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

}  // namespace pool
