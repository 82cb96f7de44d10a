// GoogleTest main for the window tests: a headless QApplication whose event
// loop the pool's waits serve, as in the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/qt_event_pump.h"
#include "http/request_object.h"
#include "pool/worker_pool.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    http::platform_http_start();
    app::QtEventPump pump;
    pool::set_event_pump(&pump);
    ::testing::InitGoogleTest(&argc, argv);
    const int code = RUN_ALL_TESTS();
    pool::set_event_pump(nullptr);
    std::fflush(stdout);
    std::_Exit(code);  // tasks some tests leave behind end with the process
}
