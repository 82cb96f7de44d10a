// Start-up and shutdown of the program, and its entry.
#pragma once

#include <memory>

namespace app {

class MainWindow;

// The program: the window with no arguments, a command otherwise. Does not
// return: the process ends with the exit code once everything is released.
[[noreturn]] void run(int argc, char** argv);

// The exit routine: releases last_search_url, then the worker pool.
void release_globals();

// Start-up steps 2 to 4 on an application that exists: the pool, the window
// with its handlers bound, shown, and its created event run. The caller then
// runs the event loop and, once it ends, finish_program.
std::unique_ptr<MainWindow> start_program();
void finish_program(std::unique_ptr<MainWindow> window);

}  // namespace app
