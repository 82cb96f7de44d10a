// Start-up and shutdown: the lock's life, and a close while a handler waits in the pool.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/list_lock.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"

using namespace app;

namespace {

TEST(Lifecycle, CloseRightAfterStartCreatesAndDeletesTheLockOnce) {
    const int created = list_lock_creations();
    const int deleted = list_lock_deletions();
    auto window = start_program();
    EXPECT_EQ(list_lock_creations(), created + 1);
    QTimer::singleShot(0, window.get(), &QWidget::close);
    QCoreApplication::exec();
    EXPECT_EQ(list_lock_deletions(), deleted + 1);
    finish_program(std::move(window));
    EXPECT_EQ(lookup::last_search_url(), "");
    EXPECT_EQ(list_lock_deletions(), deleted + 1);
}

TEST(Lifecycle, CloseDuringARunEndsAfterTheHandlerReturns) {
    auto window = start_program();
    std::vector<std::string> order;
    std::atomic<bool> hold{true};
    std::atomic<int> after_delete_entered{-1};
    QObject::connect(window->按钮3, &QPushButton::clicked, [&] {
        order.push_back("handler start");
        pool::worker_pool->start(
            [&](std::int32_t index) {
                ListLockGuard guard;  // tasks hold list_lock as a batch does
                while (hold)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                list_set_cell(*window->list, index - 1, 2, "late");  // the list is gone by now
                if (index == 1) after_delete_entered = enter_list_lock() ? 1 : 0;
                pool::worker_pool->task_done();
            },
            1, 3);
        order.push_back("handler end");
    });
    QTimer::singleShot(0, window->按钮3, &QPushButton::click);
    QTimer::singleShot(50, window.get(), [&] {
        order.push_back("close");
        window->close();
        order.push_back("closed");
        hold = false;
    });
    QCoreApplication::exec();
    order.push_back("loop ended");
    EXPECT_EQ(order, (std::vector<std::string>{"handler start", "close", "closed", "handler end",
                                               "loop ended"}));
    EXPECT_EQ(after_delete_entered, 0);  // a deleted lock is not entered
    EXPECT_EQ(window->list_model->rowCount(), 0);
    finish_program(std::move(window));
}

TEST(ListLock, WaiterIsReleasedWhenTheLockIsDeleted) {
    create_list_lock();
    ASSERT_TRUE(enter_list_lock());
    EXPECT_TRUE(enter_list_lock());  // re-entrant for its holder
    leave_list_lock();
    std::atomic<int> waiter_got{-1};
    std::thread waiter([&] { waiter_got = enter_list_lock() ? 1 : 0; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(waiter_got, -1);
    delete_list_lock();
    waiter.join();
    EXPECT_EQ(waiter_got, 0);
    leave_list_lock();  // the old holder's leave returns at once
    EXPECT_FALSE(enter_list_lock());
}

}  // namespace
