#include "app/command_line.h"

#include <unistd.h>
#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>

#include "app/handlers.h"
#include "app/list_lock.h"
#include "app/list_model.h"
#include "app/memory_list.h"
#include "app/qt_event_pump.h"
#include "app/startup.h"
#include "http/request_object.h"
#include "lookup/search.h"
#include "pool/worker_pool.h"
#include "text/codepage.h"

namespace app {

namespace {

constexpr const char* kUsage =
    "usage: stdcheck                              open the window\n"
    "       stdcheck query NUMBER                 check one standard number, e.g. GB/T50001-2010\n"
    "       stdcheck batch FILE [--speed N]       check every line of a UTF-8 list file\n"
    "options: --host HOST   the search site (default www.csres.com; also STDCHECK_HOST)\n"
    "         --speed N     rows in progress at once for batch (default 2)\n"
    "         --help, --version\n";

struct Command {
    std::string name;
    std::string argument;
    std::string speed = "2";
    std::optional<std::string> host;
};

// Answers the import's file question with the path from the command line.
class GivenFile final : public FileDialog {
  public:
    explicit GivenFile(const std::string& path) : path_(path) {}
    bool ask() override {
        file_name = text::utf8_to_gbk(path_);
        return true;
    }

  private:
    std::string path_;
};

int usage_error(const std::string& message) {
    std::fprintf(stderr, "stdcheck: %s (see stdcheck --help)\n", message.c_str());
    return 2;
}

std::string crlf_to_lf(std::string s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out.push_back(s[i]);
    }
    return out;
}

int run_query(const Command& command) {
    MemoryEditBox number(text::utf8_to_gbk(command.argument));
    MemoryEditBox report;
    run_single_query(number, report);
    const std::string shown = crlf_to_lf(text::gbk_to_utf8(report.text()));
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    return 0;
}

void print_list(MemoryList& list) {
    std::string out;
    for (int c = 0; c < 5; ++c)
        out += (c ? "\t" : "") + text::gbk_to_utf8(column_title(c));
    out += "\n";
    const int rows = list.row_count();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 5; ++c)
            out += (c ? "\t" : "") + escape_cell(text::gbk_to_utf8(list.cell(r, c)));
        out += "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int run_batch(const Command& command) {
    if (!std::ifstream(command.argument, std::ios::binary)) {
        return usage_error("cannot read " + command.argument + ": " + std::strerror(errno));
    }
    auto list = std::make_shared<MemoryList>();
    GivenFile file(command.argument);
    import_number_list(file, *list);
    MemoryEditBox speed(text::utf8_to_gbk(command.speed));

    const bool progress = ::isatty(STDERR_FILENO) != 0;
    const auto started = std::chrono::steady_clock::now();
    const int total = list->row_count();
    auto report_progress = [&] {
        int done = 0;
        for (int r = 0; r < total; ++r)
            done += list->cell(r, 2).empty() ? 0 : 1;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr, "\r%d/%d rows checked, %.1f s", done, total, seconds);
    };
    start_batch_check(speed, list);
    // The handler returns with up to speed - 1 rows still in progress.
    auto last_report = std::chrono::steady_clock::now();
    while (pool::worker_pool->running_count > 0) {
        pool::event_pump().wait(std::chrono::milliseconds(100));
        if (progress &&
            std::chrono::steady_clock::now() - last_report > std::chrono::milliseconds(200)) {
            report_progress();
            last_report = std::chrono::steady_clock::now();
        }
    }
    if (progress) {
        report_progress();
        std::fputc('\n', stderr);
    }
    print_list(*list);
    return 0;
}

}  // namespace

std::string escape_cell(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

int run_command_line(int argc, char** argv) {
    Command command;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("stdcheck %s\n", STDCHECK_VERSION);
            return 0;
        }
        if (arg == "--host" || arg == "--speed") {
            if (i + 1 >= argc) return usage_error(arg + " needs a value");
            (arg == "--host" ? command.host.emplace() : command.speed) = argv[++i];
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return usage_error("unknown option " + arg);
        positional.push_back(arg);
    }
    if (positional.empty()) return usage_error("missing command");
    command.name = positional[0];
    if (command.name != "query" && command.name != "batch")
        return usage_error("unknown command " + command.name);
    if (positional.size() < 2) {
        return usage_error(command.name + " needs " +
                           (command.name == "query" ? "a NUMBER" : "a FILE"));
    }
    if (positional.size() > 2) return usage_error("unexpected argument " + positional[2]);
    command.argument = positional[1];
    if (command.host) {
        if (command.host->empty()) return usage_error("--host needs a value");
        lookup::set_search_host(*command.host);
    }

    QCoreApplication application(argc, argv);
    http::platform_http_start();
    QtEventPump pump;
    pool::set_event_pump(&pump);
    pool::create_worker_pool();
    create_list_lock();  // the in-memory form exists from here to the end
    const int code = command.name == "query" ? run_query(command) : run_batch(command);
    delete_list_lock();
    release_globals();
    pool::set_event_pump(nullptr);
    return code;
}

}  // namespace app
