// search-site --port N [--latency MS] [--fixtures FILE]
// Serves the stand-in search site on 127.0.0.1 until interrupted; prints
// "listening on 127.0.0.1:PORT" once it accepts connections.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include "tools/search_site/search_site.h"

namespace {

volatile std::sig_atomic_t stop_requested = 0;

void on_signal(int) {
    stop_requested = 1;
}

int usage_error(const char* message) {
    std::fprintf(stderr,
                 "search-site: %s\nusage: search-site --port N [--latency MS] [--fixtures FILE]\n",
                 message);
    return 2;
}

bool parse_int(const char* s, int& out) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (end == s || *end != '\0' || v < 0 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    search_site::SearchSite::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::printf("usage: search-site --port N [--latency MS] [--fixtures FILE]\n");
            return 0;
        }
        if (arg != "--port" && arg != "--latency" && arg != "--fixtures")
            return usage_error(("unknown option " + arg).c_str());
        if (i + 1 >= argc) return usage_error((arg + " needs a value").c_str());
        const char* value = argv[++i];
        if (arg == "--port" && !parse_int(value, options.port))
            return usage_error("--port takes a number");
        if (arg == "--latency" && !parse_int(value, options.latency_ms))
            return usage_error("--latency takes milliseconds");
        if (arg == "--fixtures") {
            std::string error;
            if (!search_site::load_fixtures(value, options.fixtures, error))
                return usage_error(error.c_str());
        }
    }
    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);
    try {
        search_site::SearchSite site(options);
        std::printf("listening on %s\n", site.host().c_str());
        std::fflush(stdout);
        while (!stop_requested)
            pause();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
