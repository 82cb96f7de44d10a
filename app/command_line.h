// The command line: the window's handlers over an in-memory form.
//   stdcheck query NUMBER            prints the report the 查询 tab would show
//   stdcheck batch FILE [--speed N]  imports FILE, checks every row, prints the list
//   --host HOST (or STDCHECK_HOST), --help, --version
#pragma once

#include <string>
#include <vector>

namespace app {

// Runs a command; returns the exit code (2 for a usage error or an unreadable FILE).
int run_command_line(int argc, char** argv);

// A list cell on one tab-separated line: tab, CR, LF and backslash escaped.
std::string escape_cell(const std::string& utf8);

}  // namespace app
