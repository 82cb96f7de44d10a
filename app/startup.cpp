#include "app/startup.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/command_line.h"
#include "app/handlers.h"
#include "app/list_lock.h"
#include "app/main_window.h"
#include "app/qt_event_pump.h"
#include "app/qt_text.h"
#include "http/request_object.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"

namespace app {

void release_globals() {
    lookup::release_last_search_url();
    pool::release_worker_pool();
}

namespace {

// Wires the window's events to their handlers.
void bind_window(MainWindow& window) {
    window.on_created = [] { create_list_lock(); };
    QObject::connect(window.按钮1, &QPushButton::clicked, &window,
                     [&window] { run_single_query(window.edit1, window.edit2); });
    QObject::connect(window.按钮2, &QPushButton::clicked, &window,
                     [&window] { import_number_list(window.通用对话框1, *window.list); });
    QObject::connect(window.按钮3, &QPushButton::clicked, &window,
                     [&window] { start_batch_check(window.edit3, window.list); });
    QObject::connect(window.按钮4, &QPushButton::clicked, &window,
                     [&window] { delete_rows_with_status(window.list, status_current_edition()); });
    QObject::connect(window.按钮5, &QPushButton::clicked, &window,
                     [&window] { delete_rows_with_status(window.list, status_newer_edition()); });
    window.on_list_double_click = [&window](int x, int y, int key_state) {
        copy_cell_to_clipboard(
            *window.list,
            [&window](HitTestInfo& info) {
                list_sub_item_hit_test(control_handle(window.超级列表框1), info);
            },
            x, y, key_state);
    };
    window.on_will_be_destroyed = [] {
        delete_list_lock();
        // No task may start for a list that is gone.
        if (pool::worker_pool != nullptr) pool::worker_pool->stop();
    };
}

}  // namespace

std::unique_ptr<MainWindow> start_program() {
    pool::create_worker_pool();
    auto window = std::make_unique<MainWindow>();
    bind_window(*window);
    window->show();
    window->on_created();
    return window;
}

void finish_program(std::unique_ptr<MainWindow> window) {
    window.reset();  // its will-be-destroyed event ran at the close
    release_globals();
}

[[noreturn]] void run(int argc, char** argv) {
    if (argc > 1) {
        const int code = run_command_line(argc, argv);
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(code);
    }
    QApplication application(argc, argv);
    http::platform_http_start();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QtEventPump pump;
    pool::set_event_pump(&pump);

    auto window = start_program();
    QApplication::exec();
    finish_program(std::move(window));

    // Tasks still running end with the process: nothing waits for them, and
    // neither the application nor any static object is torn down under them.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

}  // namespace app
