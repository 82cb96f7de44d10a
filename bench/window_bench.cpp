// Whole-program figures for the window, the pool and the user's features,
// measured on the real window (offscreen) against the stand-in search site.
// Usage: window_bench [--quick]   (--quick: fewer rows, for a smoke run)
#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/controls.h"
#include "app/handlers.h"
#include "app/main_window.h"
#include "app/memory_list.h"
#include "app/qt_event_pump.h"
#include "app/startup.h"
#include "http/request_object.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"
#include "text/gbk.h"
#include "tools/search_site/search_site.h"

using namespace app;
using Clock = std::chrono::steady_clock;

namespace {

double seconds_since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

double thread_cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long rss_kib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

void wait_idle() {
    while (pool::worker_pool->running_count > 0)
        pool::event_pump().wait(std::chrono::milliseconds(10));
}

// Time per list read from a worker, window list against the in-memory one.
void list_operation_cost(MainWindow& window, int n) {
    auto per_op = [n](BatchList& list) {
        list_add_row(list, "1");
        std::atomic<bool> done{false};
        double us = 0;
        std::thread worker([&] {
            const auto start = Clock::now();
            for (int i = 0; i < n; ++i)
                (void)list_get_cell(list, 0, 0);
            us = seconds_since(start) * 1e6 / n;
            done = true;
        });
        while (!done)
            pool::event_pump().wait(std::chrono::milliseconds(50));
        worker.join();
        list_clear(list);
        return us;
    };
    MemoryList memory;
    const double window_us = per_op(*window.list);
    const double memory_us = per_op(memory);
    std::printf("list read from a worker: window %.1f us, in-memory %.2f us (%d reads)\n",
                window_us, memory_us, n);
}

void launch_rate(int n) {
    const auto start = Clock::now();
    pool::worker_pool->start([](std::int32_t) { pool::worker_pool->task_done(); }, 10, n);
    wait_idle();
    const double s = seconds_since(start);
    std::printf("empty tasks at limit 10: %d in %.2f s, %.0f launches/s\n", n, s, n / s);
}

// Window-thread CPU while the pool is full of sleeping tasks, how soon a freed
// slot is refilled, and how late a 5 ms timer is served meanwhile.
void waiting_costs(int sleep_ms) {
    std::atomic<long long> freed_at{0}, refill_us{-1};
    const auto origin = Clock::now();
    auto now_us = [origin] {
        return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - origin).count();
    };
    QTimer ticker;
    std::vector<double> lateness_ms;
    QElapsedTimer since_tick;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        lateness_ms.push_back(static_cast<double>(since_tick.nsecsElapsed()) / 1e6 - 5.0);
        since_tick.restart();
    });
    since_tick.start();
    ticker.start(5);
    const double cpu_before = thread_cpu_seconds();
    const auto start = Clock::now();
    pool::worker_pool->start(
        [&, sleep_ms](std::int32_t index) {
            if (index == 11) refill_us = now_us() - freed_at;
            if (index <= 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(sleep_ms + index));
            if (index == 1) freed_at = now_us();
            pool::worker_pool->task_done();
        },
        10, 11);
    const double wall = seconds_since(start);
    const double cpu = thread_cpu_seconds() - cpu_before;
    ticker.stop();
    wait_idle();
    double worst = 0, sum = 0;
    for (double l : lateness_ms) {
        worst = std::max(worst, l);
        sum += l;
    }
    std::printf(
        "10 tasks sleeping %d ms: window thread %.2f%% of a core over %.2f s; slot refilled %.2f "
        "ms after "
        "task_done; 5 ms timer late by %.2f ms on average, %.2f ms at worst (%zu ticks)\n",
        sleep_ms, 100.0 * cpu / wall, wall, static_cast<double>(refill_us) / 1000.0,
        lateness_ms.empty() ? 0.0 : sum / static_cast<double>(lateness_ms.size()), worst,
        lateness_ms.size());
}

std::string write_list(int rows, const std::string& name) {
    const std::string path = "/tmp/" + name + std::to_string(::getpid()) + ".txt";
    std::ofstream out(path, std::ios::binary);
    const char* numbers[] = {"GB/T50001-2010", "GB50016-2014", "JGJ/T98-2010", "GB/T1.1-2009",
                             "GB50045-1995"};
    for (int i = 0; i < rows; ++i)
        out << numbers[i % 5] << "\r\n";
    return path;
}

double import_seconds(MainWindow& window, const std::string& path) {
    set_file_dialog_seam(
        [path](const QString&) { return std::optional<QString>(QString::fromStdString(path)); });
    const auto start = Clock::now();
    window.按钮2->click();
    return seconds_since(start);
}

void batch_runs(MainWindow& window, search_site::SearchSite& site, int rows) {
    const std::string path = write_list(rows, "batch");
    for (int latency : {0, 20}) {
        site.set_latency(latency);
        for (const char* speed : {"2", "10"}) {
            import_seconds(window, path);
            window.编辑框3->setText(speed);
            const auto start = Clock::now();
            window.按钮3->click();
            wait_idle();
            const double s = seconds_since(start);
            const double floor = rows * latency / 1000.0;
            std::printf(
                "batch of %d rows, latency %d ms, speed %s: %.2f s; floor %.2f s; %s\n", rows,
                latency, speed, s, floor,
                latency ? (std::to_string(s / floor).substr(0, 5) + "x the floor").c_str()
                        : (std::to_string(s * 1000.0 / rows).substr(0, 5) + " ms per row").c_str());
        }
    }
    std::remove(path.c_str());
}

void import_filter_memory(MainWindow& window, int import_rows, int filter_rows) {
    const long rss_before = rss_kib();
    const std::string big = write_list(import_rows, "import");
    const double s = import_seconds(window, big);
    std::printf("import of %d lines: %.3f s\n", import_rows, s);
    for (int r = 0; r < import_rows; ++r) {
        list_set_cell(*window.list, r, 2, status_newer_edition());
        list_set_cell(*window.list, r, 3, "GB/T 50001-2017");
        list_set_cell(*window.list, r, 4, GBK("房屋建筑制图统一标准"));
    }
    QCoreApplication::processEvents();
    std::printf(
        "memory with %d rows, all five columns filled: %.1f MB above the empty window (%.1f MB in "
        "all)\n",
        import_rows, static_cast<double>(rss_kib() - rss_before) / 1024.0,
        static_cast<double>(rss_kib()) / 1024.0);
    std::remove(big.c_str());

    list_clear(*window.list);
    for (int r = 0; r < filter_rows; ++r) {
        list_add_row(*window.list, std::to_string(r + 1));
        list_set_cell(*window.list, r, 2, r % 2 ? status_unknown() : status_current_edition());
    }
    const auto start = Clock::now();
    window.按钮4->click();
    wait_idle();
    std::printf("filter over %d rows, every other one matching: %.2f s, %d rows left\n",
                filter_rows, seconds_since(start), list_row_count(*window.list));
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
    QApplication application(argc, argv);
    http::platform_http_start();
    QtEventPump pump;
    pool::set_event_pump(&pump);
    search_site::SearchSite site;
    lookup::set_search_host(site.host());
    auto window = start_program();
    window->选择夹1->setCurrentIndex(1);

    std::printf("cores: %ld\n", sysconf(_SC_NPROCESSORS_ONLN));
    list_operation_cost(*window, quick ? 2000 : 20000);
    launch_rate(quick ? 1000 : 10000);
    waiting_costs(quick ? 500 : 2000);
    batch_runs(*window, site, quick ? 100 : 1000);
    import_filter_memory(*window, quick ? 10000 : 100000, quick ? 1000 : 10000);
    std::fflush(stdout);
    std::_Exit(0);
}
