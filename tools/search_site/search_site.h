// A stand-in for the standards search site on 127.0.0.1: serves GBK result
// pages from a fixture table, records every request as it arrived, and injects
// latency and faults. Used in-process by tests and as the `search-site` program
// by the demo and the benchmarks.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct mg_context;
struct mg_connection;

namespace search_site {

// One edition as the site lists it; texts in UTF-8, served as GBK. A `status`
// of "现行" gets the site's exact current cell, any other a red status cell.
struct Edition {
    std::string keyword;  // the search keyword that lists it, e.g. "GBT50001"
    std::string number;
    std::string title;
    std::string date;
    std::string publisher;
    std::string status;
};

std::vector<Edition> default_fixtures();
// Reads UTF-8 lines "keyword<TAB>number<TAB>title<TAB>date<TAB>publisher<TAB>status";
// blank lines and lines starting with "#" are skipped. False with `error` set on failure.
bool load_fixtures(const std::string& path, std::vector<Edition>& out, std::string& error);

// The result page for these editions, in GBK (in UTF-8 when `gbk` is false).
std::string render_page(const std::vector<Edition>& rows, bool gbk = true);

enum class FaultKind {
    kNone,
    kDelay,      // answer after `delay_ms` more
    kStall,      // read the request, never answer (until the site stops)
    kStatus500,  // the normal page with status 500
    kReset,      // close the connection without an answer
    kTruncated,  // announce the whole page, send half of it, close
    kNulByte,    // a NUL byte before the result rows
    kHuge,       // a body of 65 MiB
    kNotGbk,     // the page in UTF-8, so no GBK marker matches
};

struct Fault {
    FaultKind kind = FaultKind::kNone;
    int delay_ms = 0;
};

struct RecordedRequest {
    std::string method;
    std::string target;  // as sent: path (or absolute URL through a proxy) and raw query
    std::vector<std::pair<std::string, std::string>> headers;  // in arrival order
    std::string body;

    // The value of the first header of that name (case ignored), or "".
    std::string header(const std::string& name) const;
    bool has_header(const std::string& name) const;
};

class SearchSite {
  public:
    struct Options {
        int port = 0;  // 0: any free port
        int latency_ms = 0;
        std::vector<Edition> fixtures = default_fixtures();
    };

    SearchSite();
    explicit SearchSite(Options options);
    ~SearchSite();
    SearchSite(const SearchSite&) = delete;
    SearchSite& operator=(const SearchSite&) = delete;

    bool running() const { return context_ != nullptr; }
    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

    void set_latency(int ms);
    // `keyword` as it arrives in the query, byte for byte.
    void set_fault(const std::string& keyword, Fault fault);
    void set_fault_for_all(Fault fault);
    void clear_faults();

    std::vector<RecordedRequest> requests() const;
    void clear_requests();

  private:
    static int on_request(mg_connection* conn);
    int handle(mg_connection* conn);
    // Sleeps, waking early when the site stops; false when it stopped.
    bool pause_for(int ms);
    void serve_search(mg_connection* conn, const std::string& keyword);

    Options options_;
    std::vector<std::string> gbk_keywords_;  // each fixture's keyword as it arrives in GBK
    mg_context* context_ = nullptr;
    int port_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable stopping_cv_;
    bool stopping_ = false;
    int latency_ms_ = 0;
    std::map<std::string, Fault> faults_;
    Fault fault_for_all_;
    std::vector<RecordedRequest> requests_;
};

}  // namespace search_site
