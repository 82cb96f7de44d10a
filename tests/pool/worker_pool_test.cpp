#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "pool/worker_pool.h"

using namespace pool;
using namespace std::chrono_literals;

namespace {

// Records what the tasks saw; tasks hold until released when asked to.
struct Recorder {
    std::mutex mutex;
    std::vector<int> launched;
    std::atomic<int> in_flight{0};
    std::atomic<int> most_in_flight{0};
    std::atomic<bool> release{false};
    std::atomic<int> finished{0};
    std::vector<int> finished_at_start = std::vector<int>(64, -1);

    PoolTask task(std::chrono::milliseconds work = 0ms, bool hold = false) {
        return [this, work, hold](std::int32_t i) {
            {
                std::lock_guard lock(mutex);
                launched.push_back(i);
                finished_at_start[static_cast<std::size_t>(i)] = finished;
            }
            const int now = ++in_flight;
            for (int seen = most_in_flight;
                 now > seen && !most_in_flight.compare_exchange_weak(seen, now);) {
            }
            std::this_thread::sleep_for(work);
            while (hold && !release)
                std::this_thread::sleep_for(1ms);
            --in_flight;
            ++finished;
            worker_pool->task_done();
        };
    }
    std::vector<int> launched_copy() {
        std::lock_guard lock(mutex);
        return launched;
    }
};

// Waits for every task of the test to report done; a bounded wait, so that a
// fault fails the test instead of hanging the run.
void wait_idle() {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (worker_pool->running_count > 0) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "tasks never reported done";
        std::this_thread::sleep_for(1ms);
    }
}

class Pool : public ::testing::Test {
  protected:
    void SetUp() override { create_worker_pool(); }
    void TearDown() override { wait_idle(); }
};

TEST_F(Pool, CountZeroLaunchesNothing) {
    Recorder r;
    EXPECT_LT(worker_pool->start(r.task(), 2, 0), 0.5);
    EXPECT_TRUE(r.launched_copy().empty());
    EXPECT_EQ(worker_pool->running_count, 0);
}

TEST_F(Pool, LimitAboveCountNeverWaitsForATask) {
    Recorder r;
    worker_pool->start(r.task(0ms, true), 10, 5);
    EXPECT_EQ(worker_pool->running_count, 5);  // all still running when start returned
    r.release = true;
    wait_idle();
}

TEST_F(Pool, LimitTwoWaitsForASlotBeforeEachFurtherLaunch) {
    Recorder r;
    worker_pool->start(r.task(20ms), 2, 8);
    EXPECT_LE(worker_pool->running_count, 1);
    wait_idle();
    std::vector<int> launched = r.launched_copy();
    std::sort(launched.begin(), launched.end());
    EXPECT_EQ(launched, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r.most_in_flight, 2);
    // Task k is launched only once k - 2 tasks have reported done.
    for (int k = 3; k <= 8; ++k)
        EXPECT_GE(r.finished_at_start[static_cast<std::size_t>(k)], k - 2) << k;
}

TEST_F(Pool, LimitBelowOneRunsAsOne) {
    for (int limit : {0, -3}) {
        Recorder r;
        worker_pool->start(r.task(1ms), limit, 4);
        EXPECT_EQ(worker_pool->running_count, 0);
        EXPECT_EQ(r.launched_copy().size(), 4u);
        EXPECT_EQ(r.most_in_flight, 1);
    }
}

TEST_F(Pool, StopFromATaskEndsLaunching) {
    std::atomic<int> ran{0};
    worker_pool->start(
        [&](std::int32_t i) {
            ++ran;
            if (i == 3) worker_pool->stop();
            worker_pool->task_done();
        },
        1, 10);
    EXPECT_EQ(ran, 3);
}

TEST_F(Pool, PauseAndResumeFromOtherThreads) {
    Recorder r;
    std::atomic<bool> resumed{false};
    std::thread resumer;
    std::atomic<long long> launch_two_after_resume{-1};
    worker_pool->start(
        [&](std::int32_t i) {
            if (i == 1) {
                worker_pool->pause();
                resumer = std::thread([&] {
                    std::this_thread::sleep_for(50ms);
                    resumed = true;
                    worker_pool->resume();
                });
            } else if (i == 2) {
                launch_two_after_resume = resumed ? 1 : 0;
            }
            worker_pool->task_done();
        },
        1, 2);
    resumer.join();
    wait_idle();
    EXPECT_EQ(launch_two_after_resume, 1);
}

TEST_F(Pool, StopWhilePausedEndsTheRun) {
    std::atomic<int> ran{0};
    std::thread stopper;
    worker_pool->start(
        [&](std::int32_t i) {
            ++ran;
            if (i == 1) {
                worker_pool->pause();
                stopper = std::thread([] {
                    std::this_thread::sleep_for(20ms);
                    worker_pool->stop();
                });
            }
            worker_pool->task_done();
        },
        1, 4);
    stopper.join();
    EXPECT_EQ(ran, 1);
}

TEST_F(Pool, FlagsSetBeforeARunHaveNoEffect) {
    worker_pool->pause();
    worker_pool->stop();
    Recorder r;
    worker_pool->start(r.task(), 3, 3);
    wait_idle();  // start returns with up to two tasks still running
    EXPECT_EQ(r.launched_copy().size(), 3u);
}

// A pump that starts a nested run the first time it serves events, as a second
// click would from inside the first run's wait.
class NestingPump : public PlainEventPump {
  public:
    std::function<void()> once;
    void serve_pending() override {
        if (once) {
            auto run = std::move(once);
            once = nullptr;
            run();
        }
    }
};

TEST_F(Pool, NestedRunSharesTheRunningCount) {
    Recorder outer, inner;
    NestingPump pump;
    std::atomic<int> inner_saw_at_start{-1};
    pump.once = [&] {
        inner_saw_at_start = worker_pool->running_count.load();
        worker_pool->start(inner.task(5ms), 2, 4);
    };
    set_event_pump(&pump);
    worker_pool->start(outer.task(0ms, true), 3, 1);  // one outer task holds a slot
    set_event_pump(nullptr);
    EXPECT_EQ(inner_saw_at_start, 1);
    EXPECT_EQ(inner.most_in_flight, 1);  // limit 2 less the outer task's slot
    EXPECT_EQ(inner.launched_copy().size(), 4u);
    outer.release = true;
    wait_idle();
}

TEST(PoolRelease, TaskDoneAfterReleaseIsSafe) {
    create_worker_pool();
    std::atomic<bool> go{false};
    std::atomic<bool> done{false};
    worker_pool->start(
        [&](std::int32_t) {
            while (!go)
                std::this_thread::sleep_for(1ms);
            worker_pool->task_done();
            done = true;
        },
        5, 1);
    release_worker_pool();
    go = true;
    while (!done)
        std::this_thread::sleep_for(1ms);
}

TEST(DelayWithEvents, ReturnsAfterItsTimeAndServesEvents) {
    struct CountingPump : PlainEventPump {
        int served = 0;
        void serve_pending() override { ++served; }
    } pump;
    set_event_pump(&pump);
    delay_with_events(1);
    EXPECT_GE(pump.served, 1);
    const auto start = std::chrono::steady_clock::now();
    delay_with_events(20000);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);
    set_event_pump(nullptr);
}

}  // namespace
