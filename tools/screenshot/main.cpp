// stdcheck-screenshot OUTDIR [LIST]: opens the window against the stand-in
// search site, runs a query on 查询 and a checked list on 批量查询, and saves
// each tab as OUTDIR/screenshot-query.png and OUTDIR/screenshot-batch.png.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <cstdio>

#include "app/main_window.h"
#include "app/qt_event_pump.h"
#include "app/startup.h"
#include "http/request_object.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"
#include "tools/search_site/search_site.h"

namespace {

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms || pool::worker_pool->running_count > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: stdcheck-screenshot OUTDIR [LIST]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString list =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("examples/numbers.txt");
    QApplication application(argc, argv);
    http::platform_http_start();
    app::QtEventPump pump;
    pool::set_event_pump(&pump);
    search_site::SearchSite site;
    lookup::set_search_host(site.host());

    auto window = app::start_program();
    window->编辑框1->setText(QStringLiteral("GB/T50001-2010"));
    window->按钮1->click();
    settle(300);
    const bool query_saved = window->grab().save(out + QStringLiteral("/screenshot-query.png"));

    window->选择夹1->setCurrentIndex(1);
    app::set_file_dialog_seam([list](const QString&) { return std::optional<QString>(list); });
    window->按钮2->click();
    window->按钮3->click();
    settle(300);
    window->超级列表框1->selectRow(1);
    settle(100);
    const bool batch_saved = window->grab().save(out + QStringLiteral("/screenshot-batch.png"));
    std::printf("%s\n", query_saved && batch_saved ? "saved" : "not saved");
    std::fflush(stdout);
    std::_Exit(query_saved && batch_saved ? 0 : 1);
}
