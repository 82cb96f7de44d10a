// The user's features end to end: the real window (offscreen), its handlers,
// the pool and the lookup against the stand-in search site.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <fstream>

#include <unistd.h>

#include "app/controls.h"
#include "app/handlers.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/startup.h"
#include "lookup/normalize.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"
#include "tests/app/gui_support.h"
#include "text/gbk.h"
#include "tools/search_site/search_site.h"

using namespace app;
using search_site::FaultKind;
using text::Text;

namespace {

Text gbk(const char* utf8) {
    return text::utf8_to_gbk(utf8);
}

class Features : public ::testing::Test {
  protected:
    void SetUp() override {
        lookup::set_search_host(site_.host());
        window_ = start_program();
        window_->选择夹1->setCurrentIndex(1);
    }
    void TearDown() override {
        wait_for_tasks();
        set_file_dialog_seam({});
        if (window_->isVisible()) window_->close();
        finish_program(std::move(window_));
    }

    static void wait_for_tasks() {
        ASSERT_TRUE(
            guitest::serve_until([] { return pool::worker_pool->running_count == 0; }, 20000));
    }
    // The import, answered with a file holding `bytes`.
    void import_bytes(const std::string& bytes) {
        // One file per process: ctest runs tests side by side.
        const std::string path =
            ::testing::TempDir() + "numbers_" + std::to_string(::getpid()) + ".txt";
        std::ofstream(path, std::ios::binary) << bytes;
        set_file_dialog_seam([path](const QString&) {
            return std::optional<QString>(QString::fromStdString(path));
        });
        window_->按钮2->click();
    }
    Text cell(int row, int column) { return list_get_cell(*window_->list, row, column); }
    int rows() { return list_row_count(*window_->list); }
    std::vector<Text> column(int c) {
        std::vector<Text> out;
        for (int r = 0; r < rows(); ++r)
            out.push_back(cell(r, c));
        return out;
    }
    Text url(const char* keyword) const {
        return "http://" + site_.host() + "/s.jsp?keyword=" + keyword + "&pageNum=1";
    }
    Text query(const char* number) {
        window_->编辑框1->setText(QString::fromUtf8(number));
        window_->按钮1->click();
        return get_control_text(window_->edit2);
    }

    search_site::SearchSite site_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(Features, QueryReportsTheTypedEditionAsCurrent) {
    EXPECT_EQ(query("GB/T50001-2017"),
              gbk("\r\n标准状态：现行\r\n\r\n标准编号：GB/T "
                  "50001-2017\r\n\r\n标准名称：房屋建筑制图统一标准\r\n\r\n"
                  "查询结果网页：") +
                  url("GBT50001") + "\r\n\r\n");
}

TEST_F(Features, QueryReportsTheCurrentEditionWhenYearsDiffer) {
    EXPECT_EQ(query("GB/T 50001-2010"),
              gbk("\r\n标准状态：未知\r\n\r\n最新标准：GB/T "
                  "50001-2017\r\n\r\n标准名称：房屋建筑制图统一标准\r\n\r\n"
                  "发布日期：2017-09-"
                  "27\r\n\r\n发布部门：中华人民共和国住房和城乡建设部\r\n\r\n查询结果网页：") +
                  url("GBT50001") + "\r\n\r\n");
}

TEST_F(Features, QueryWithoutACurrentEditionAndASecondClickReplacesTheReport) {
    query("GB/T50001-2017");
    EXPECT_EQ(query("GB50045-1995"),
              gbk("\r\n状态未知\r\n\r\n请查看查询结果网页：") + url("GB50045") + "\r\n\r\n");
    site_.set_fault_for_all({FaultKind::kReset, 0});
    EXPECT_EQ(query(""), gbk("\r\n状态未知\r\n\r\n请查看查询结果网页：") + url("") + "\r\n\r\n");
}

TEST_F(Features, QueryMatchesASiteNumberWithATrailingFullWidthSpace) {
    const Text report = query("GB/T50104-2010");
    EXPECT_EQ(report.rfind(gbk("\r\n标准状态：现行"), 0), 0u);
    EXPECT_NE(report.find(gbk("标准编号：GB/T 50104-2010　\r\n")), Text::npos);
}

struct ImportCase {
    const char* name;
    std::string bytes;
    std::vector<Text> lines;
    friend void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }
};

class Import : public Features, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(Import, RowsAsRead) {
    list_add_row(*window_->list, "old");
    import_bytes(GetParam().bytes);
    EXPECT_EQ(column(1), GetParam().lines);
    std::vector<Text> labels;
    for (std::size_t i = 1; i <= GetParam().lines.size(); ++i)
        labels.push_back(std::to_string(i));
    EXPECT_EQ(column(0), labels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Import,
    ::testing::Values(
        ImportCase{"three_lines",
                   "GB/T50001-2010\r\nGB/T 50001-2001\r\nJGJ/T 98-2010",
                   {"GB/T50001-2010", "GB/T 50001-2001", "JGJ/T 98-2010"}},
        ImportCase{"final_break_adds_nothing", "a\r\nb\r\n", {"a", "b"}},
        ImportCase{"blank_line", "a\r\n\r\nb", {"a", "", "b"}},
        ImportCase{"leading_break", "\r\na", {"", "a"}},
        ImportCase{"bare_lf_not_split", "a\nb\n", {"a\nb\n"}},
        ImportCase{"lone_cr_stays", "a\rb\r\nc", {"a\rb", "c"}},
        ImportCase{"bom_kept_as_character",
                   "\xEF\xBB\xBF"
                   "a\r\nb",
                   {"?a", "b"}},
        // FF FE are two bytes that are not UTF-8, then "G", then the cut.
        ImportCase{"utf16_cut_at_first_zero", std::string("\xFF\xFEG\0B\0", 6), {"??G"}},
        ImportCase{"invalid_utf8_replaced",
                   "a\xFF"
                   "b\r\nc",
                   {"a?b", "c"}},
        ImportCase{"chinese_and_missing_in_gbk", "建筑\xED\x95\x9C", {gbk("建筑") + "?"}},
        ImportCase{"empty_file", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Features, ImportCancelLeavesTheListAndUnreadableFileEmptiesIt) {
    import_bytes("a\r\nb");
    QString started_in;
    set_file_dialog_seam([&](const QString& dir) {
        started_in = dir;
        return std::optional<QString>();
    });
    window_->按钮2->click();
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(started_in, QCoreApplication::applicationDirPath());
    set_file_dialog_seam([](const QString&) {
        return std::optional<QString>(QStringLiteral("/nonexistent/list.txt"));
    });
    window_->按钮2->click();
    EXPECT_EQ(rows(), 0);
}

const char* kMixedList =
    "GB/T50001-2017\r\nGB/T50001-2010\r\nGB 50016-2006\r\nGB50045-1995\r\nGB/T99999-2020\r\n"
    "GB/T 50001-2020\r\nGB50001\r\n\r\nGB/T1.1-2020\r\n";

TEST_F(Features, BatchGivesEveryStatusWhateverOrderRowsFinishIn) {
    import_bytes(kMixedList);
    site_.set_fault("GBT50001", {FaultKind::kDelay, 30});  // these rows finish late
    window_->编辑框3->setText("4");
    window_->按钮3->click();
    wait_for_tasks();
    EXPECT_EQ(column(2),
              (std::vector<Text>{gbk("现行"), gbk("有新标准"), gbk("有新标准"), gbk("未知"),
                                 gbk("未知"), gbk("未知"), gbk("未知"), gbk("现行"), gbk("现行")}));
    EXPECT_EQ(cell(1, 3), "GB/T 50001-2017");
    EXPECT_EQ(cell(1, 4), gbk("房屋建筑制图统一标准"));
    EXPECT_EQ(cell(3, 3), "");
}

TEST_F(Features, SpeedBelowOneOrNotANumberRunsAtOne) {
    for (const char* speed : {"0", "abc", "-3"}) {
        import_bytes("GB/T50001-2010\r\nGB50016-2014");
        window_->编辑框3->setText(speed);
        window_->按钮3->click();
        wait_for_tasks();
        EXPECT_EQ(column(2), (std::vector<Text>{gbk("有新标准"), gbk("现行")})) << speed;
    }
}

// Sets column 2 of a fresh list of `n` rows: `status` where `marked` says so.
void fill_statuses(BatchList& list, int n, const std::function<bool(int)>& marked,
                   const Text& status) {
    list_clear(list);
    for (int i = 0; i < n; ++i) {
        const int row = list_add_row(list, std::to_string(i + 1));
        // Unmarked rows hold the other status, "未知" or nothing.
        const Text other = status == gbk("现行") ? gbk("有新标准") : gbk("现行");
        const Text unmarked[] = {other, gbk("未知"), ""};
        list_set_cell(list, row, 2, marked(i) ? status : unmarked[i % 3]);
    }
}

TEST_F(Features, FilterRemovesExactlyTheMarkedRowsOfTwentyFive) {
    fill_statuses(
        *window_->list, 25, [](int i) { return i < 3 || i == 19; }, gbk("现行"));
    window_->按钮4->click();
    wait_for_tasks();
    std::vector<Text> expected;
    for (int i = 0; i < 25; ++i) {
        if (!(i < 3 || i == 19)) expected.push_back(std::to_string(i + 1));
    }
    EXPECT_EQ(column(0), expected);
}

TEST_F(Features, FilterOverAThousandInterleavedRows) {
    fill_statuses(
        *window_->list, 1000, [](int i) { return i % 2 == 0; }, gbk("有新标准"));
    window_->按钮5->click();
    wait_for_tasks();
    ASSERT_EQ(rows(), 500);
    for (int r = 0; r < 500; ++r) {
        EXPECT_EQ(cell(r, 0), std::to_string(2 * r + 2));
        EXPECT_NE(cell(r, 2), gbk("有新标准"));
    }
    // Then the other filter over what is left: "未知" and empty rows stay, in order.
    window_->按钮4->click();
    wait_for_tasks();
    for (int r = 0; r < rows(); ++r) {
        EXPECT_NE(cell(r, 2), gbk("现行"));
        if (r > 0) {
            EXPECT_LT(std::stoi(cell(r - 1, 0)), std::stoi(cell(r, 0)));
        }
    }
    EXPECT_EQ(rows(), 333);  // 500 less the 167 odd rows i with i % 3 == 0
}

TEST_F(Features, DoubleClickCopiesTheCellOrTheEmptyText) {
    import_bytes("GB/T50001-2010\r\nGB50016-2014");
    window_->按钮3->click();
    wait_for_tasks();
    QTableView* view = window_->超级列表框1;
    const QPoint on_cell = view->visualRect(view->model()->index(0, 3)).center();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, on_cell);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("GB/T 50001-2017"));
    const QPoint below = view->visualRect(view->model()->index(1, 3)).center() + QPoint(0, 200);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
}

TEST_F(Features, QueryDuringABatchShowsItsOwnUrl) {
    import_bytes("GB50016-2014\r\nGB50016-2006\r\nGB50016-2014\r\nGB50016-2006");
    site_.set_fault("GB50016", {FaultKind::kDelay, 40});
    window_->编辑框3->setText("1");
    window_->编辑框1->setText("JGJ/T98-2010");
    QTimer::singleShot(60, window_->按钮1, &QPushButton::click);  // inside the batch's wait
    window_->按钮3->click();
    wait_for_tasks();
    const Text report = get_control_text(window_->edit2);
    EXPECT_NE(report.find(gbk("查询结果网页：") + url("JGJT98")), Text::npos)
        << text::gbk_to_utf8(report);
    EXPECT_EQ(column(2),
              (std::vector<Text>{gbk("现行"), gbk("有新标准"), gbk("现行"), gbk("有新标准")}));
}

// Every row that has a result shows the result of its own number.
void expect_results_match_their_rows(BatchList& list) {
    for (int r = 0; r < list_row_count(list); ++r) {
        Text own = list_get_cell(list, r, 1);
        Text found = list_get_cell(list, r, 3);
        if (found.empty()) continue;
        EXPECT_EQ(lookup::search_keyword(own), lookup::search_keyword(found)) << "row " << r;
    }
}

TEST_F(Features, ImportDuringABatchNeverGetsAnotherRowsResult) {
    import_bytes(
        "GB/T50001-2010\r\nGB50016-2006\r\nJGJ/T98-2010\r\nGB/T1.1-2009\r\nGB/"
        "T50001-2017\r\nGB50016-2014");
    site_.set_latency(15);
    window_->编辑框3->setText("3");
    QTimer::singleShot(40, window_.get(),
                       [this] { import_bytes("GB/T1.1-2020\r\nJGJ/T98-2010\r\nGB50016-2014"); });
    window_->按钮3->click();
    wait_for_tasks();
    ASSERT_EQ(rows(), 3);
    expect_results_match_their_rows(*window_->list);
}

TEST_F(Features, FilterDuringABatchNeverGetsAnotherRowsResult) {
    import_bytes(
        "GB/T50001-2010\r\nGB50016-2006\r\nJGJ/T98-2010\r\nGB/T1.1-2009\r\nGB/"
        "T50001-2017\r\nGB50016-2014\r\n"
        "GB/T1.1-2020\r\nGB/T50104-2010");
    window_->按钮3->click();
    wait_for_tasks();
    site_.set_latency(15);
    window_->编辑框3->setText("4");
    // Second batch; meanwhile the "有新标准" rows go, moving the others up.
    QTimer::singleShot(30, window_->按钮5, &QPushButton::click);
    window_->按钮3->click();
    wait_for_tasks();
    EXPECT_EQ(list_find_row(*window_->list, gbk("有新标准"), 2), -1);
    expect_results_match_their_rows(*window_->list);
    for (int r = 0; r < rows(); ++r)
        EXPECT_EQ(cell(r, 2), gbk("现行")) << r;
}

TEST_F(Features, CloseDuringABatchEndsCleanly) {
    import_bytes(kMixedList);
    site_.set_latency(30);
    window_->编辑框3->setText("3");
    QTimer::singleShot(0, window_->按钮3, &QPushButton::click);
    QTimer::singleShot(50, window_.get(), &QWidget::close);
    QCoreApplication::exec();  // ends once the batch handler has returned
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(rows(), 0);  // the list went with the window
}

}  // namespace
