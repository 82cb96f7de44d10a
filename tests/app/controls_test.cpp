// The control operations' contracts, on the window thread and from workers.
#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <thread>

#include <unistd.h>

#include <QTimer>
#include "app/main_window.h"
#include "app/memory_list.h"
#include "pool/worker_pool.h"
#include "tests/app/gui_support.h"
#include "text/gbk.h"

using namespace app;

namespace {

// Runs the same contract over the window's list and the in-memory one.
class ListContract : public ::testing::TestWithParam<bool> {
  protected:
    BatchList& list() { return GetParam() ? *window_.list : static_cast<BatchList&>(memory_); }
    MainWindow window_;
    MemoryList memory_;
};

TEST_P(ListContract, AddGetSetFindDeleteClear) {
    BatchList& l = list();
    EXPECT_EQ(list_add_row(l, "1"), 0);
    EXPECT_EQ(list_add_row(l, "2"), 1);
    EXPECT_EQ(list_add_row(l, "3"), 2);
    EXPECT_EQ(list_add_row(l, "4"), 3);
    EXPECT_EQ(list_row_count(l), 4);
    list_set_cell(l, 0, 2, GBK("未找到现行"));
    list_set_cell(l, 1, 2, GBK("现行") + " ");
    list_set_cell(l, 2, 2, GBK("有新标准"));
    list_set_cell(l, 3, 2, GBK("现行"));
    list_set_cell(l, 9, 2, "ignored");
    EXPECT_EQ(list_find_row(l, GBK("现行"), 2), 3);
    EXPECT_EQ(list_find_row(l, "absent", 2), -1);
    EXPECT_EQ(list_get_cell(l, -1, 1), "");
    EXPECT_EQ(list_get_cell(l, 4, 1), "");
    EXPECT_EQ(list_get_cell(l, 0, 5), "");
    const Text long_cell(100000, 'x');
    list_set_cell(l, 0, 4, long_cell);
    EXPECT_EQ(list_get_cell(l, 0, 4), long_cell);

    list_delete_row(l, 2);
    EXPECT_EQ(list_row_count(l), 3);
    EXPECT_EQ(list_get_cell(l, 2, 0), "4");  // moved up, label kept
    list_clear(l);
    EXPECT_EQ(list_row_count(l), 0);
    EXPECT_EQ(list_add_row(l, "again"), 0);
}

TEST_P(ListContract, IdentityFollowsTheRowAndDeleteIfChecksFirst) {
    BatchList& l = list();
    for (const char* label : {"a", "b", "c"})
        list_add_row(l, label);
    const auto [id, label] = l.read_row(2, 0);
    EXPECT_EQ(label, "c");
    list_delete_row(l, 0);
    EXPECT_TRUE(l.set_cells_of(id, 2, 2, {"s", "n", "t"}));
    EXPECT_EQ(list_get_cell(l, 1, 2), "s");  // found where it moved
    EXPECT_EQ(list_get_cell(l, 1, 4), "t");
    EXPECT_FALSE(l.delete_row_if(0, 2, "s"));
    EXPECT_TRUE(l.delete_row_if(1, 2, "s"));
    EXPECT_EQ(list_row_count(l), 1);
    list_clear(l);
    EXPECT_FALSE(l.set_cells_of(id, 0, 2, {"x"}));
}

TEST_P(ListContract, FromWorkerThreads) {
    BatchList& l = list();
    std::atomic<int> done{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&l, &done, t] {
            for (int i = 0; i < 50; ++i) {
                const int row = list_add_row(l, std::to_string(t) + ":" + std::to_string(i));
                list_set_cell(l, row, 1, "v");
            }
            ++done;
        });
    }
    EXPECT_TRUE(guitest::serve_until([&] { return done == 4; }));
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(list_row_count(l), 200);
    EXPECT_EQ(list_find_row(l, "", 1), -1);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListContract, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "window" : "memory"; });

TEST(WindowList, DetachedListReadsEmptyAndIgnoresWritesFromAnyThread) {
    MainWindow window;
    list_add_row(*window.list, "1");
    window.list->detach();
    EXPECT_EQ(list_row_count(*window.list), 0);
    std::atomic<bool> done{false};
    Text read = "unset";
    int added = 0;
    std::thread worker([&] {
        read = list_get_cell(*window.list, 0, 0);
        added = list_add_row(*window.list, "2");
        done = true;
    });
    EXPECT_TRUE(guitest::serve_until([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(read, "");
    EXPECT_EQ(added, -1);
    EXPECT_EQ(window.list_model->rowCount(), 1);
}

TEST(EditBoxes, AppendLandsAtTheEndWhateverTheCaret) {
    MainWindow window;
    set_control_text(window.edit2, "\r\n");
    window.编辑框2->moveCursor(QTextCursor::Start);
    append_edit_text(window.edit2, "a\r\n");
    QTextCursor selection = window.编辑框2->textCursor();
    selection.setPosition(0);
    selection.setPosition(1, QTextCursor::KeepAnchor);
    window.编辑框2->setTextCursor(selection);
    append_edit_text(window.edit2, GBK("标准"));
    EXPECT_EQ(get_control_text(window.edit2), "\r\na\r\n" + GBK("标准"));
    EXPECT_FALSE(window.编辑框2->document()->isUndoAvailable());
    set_control_text(window.edit1, GBK("GB/T 50001－2010"));
    EXPECT_EQ(get_control_text(window.edit1), GBK("GB/T 50001－2010"));
}

TEST(ListHitTest, RowUnderThePointOrMinusOne) {
    MainWindow window;
    window.选择夹1->setCurrentIndex(1);
    window.show();
    for (int i = 0; i < 3; ++i)
        list_add_row(*window.list, std::to_string(i + 1));
    list_set_cell(*window.list, 1, 3, "GB 1-2020");
    const int row_height = window.超级列表框1->rowHeight(0);
    const int x = window.超级列表框1->columnViewportPosition(3) + 10;
    EXPECT_EQ(window.hit_test(x, row_height + row_height / 2), std::make_pair(1, 3));
    EXPECT_EQ(window.hit_test(x, row_height * 3 + 40).first, -1);

    std::vector<std::tuple<int, int, int>> clicks;
    window.on_list_double_click = [&](int px, int py, int keys) {
        clicks.emplace_back(px, py, keys);
    };
    QTest::mouseDClick(window.超级列表框1->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                       QPoint(x, row_height * 3 + 40));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(std::get<2>(clicks[0]), 2);
    EXPECT_EQ(window.hit_test(std::get<0>(clicks[0]), std::get<1>(clicks[0])).first, -1);
}

TEST(Files, ReadFileGivesEverythingOrNothing) {
    EXPECT_TRUE(read_file("").empty());
    EXPECT_TRUE(read_file("/nonexistent/file").empty());
    EXPECT_TRUE(read_file("/proc/self").empty());
    const std::string path =
        ::testing::TempDir() + "read_file_" + std::to_string(::getpid()) + ".bin";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite("a\0b", 1, 3, f);
        std::fclose(f);
    }
    EXPECT_EQ(read_file(path).str(), std::string("a\0b", 3));
    EXPECT_FALSE(run_directory().empty());
    EXPECT_NE(run_directory().back(), '/');
}

TEST(ProcessEvents, ReturnsAtOnceWhenNothingWaits) {
    const auto start = std::chrono::steady_clock::now();
    process_events();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(DelayWithEvents, ASteadyStreamOfEventsDoesNotHoldItUp) {
    QTimer stream;
    int fired = 0;
    QObject::connect(&stream, &QTimer::timeout, [&] { ++fired; });
    stream.start(0);  // an event on every pass of the loop
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    pool::delay_with_events(1);
    pool::delay_with_events(2000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_GT(fired, 0);
}

}  // namespace
