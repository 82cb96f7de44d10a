#include "tools/search_site/search_site.h"

#include <civetweb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>

#include "text/codepage.h"

namespace search_site {

namespace {

bool iequals(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string status_cell(const std::string& status) {
    if (status == "现行") return "<td ><font color=\"#000000\">现行</font></td>";
    return "<td ><font color=\"#FF0000\">" + status + "</font></td>";
}

void send_response(mg_connection* conn, int status, const std::string& body,
                   const std::string& extra_headers = "",
                   std::size_t announced = std::string::npos) {
    const char* reason = status == 200 ? "OK" : status == 500 ? "Internal Server Error" : "Status";
    mg_printf(conn,
              "HTTP/1.1 %d %s\r\nContent-Type: text/html; charset=GBK\r\nContent-Length: %zu\r\n"
              "Connection: close\r\n%s\r\n",
              status, reason, announced == std::string::npos ? body.size() : announced,
              extra_headers.c_str());
    mg_write(conn, body.data(), body.size());
}

// The keyword as it arrives: the raw query less "keyword=" and the last "&pageNum=...".
std::string keyword_of(const std::string& query) {
    std::string k = query.rfind("keyword=", 0) == 0 ? query.substr(8) : query;
    const std::size_t page = k.rfind("&pageNum=");
    return page == std::string::npos ? k : k.substr(0, page);
}

}  // namespace

std::string RecordedRequest::header(const std::string& name) const {
    for (const auto& [n, v] : headers) {
        if (iequals(n, name)) return v;
    }
    return {};
}

bool RecordedRequest::has_header(const std::string& name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& h) { return iequals(h.first, name); });
}

std::string render_page(const std::vector<Edition>& rows, bool gbk) {
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
        "<title>标准搜索</title></head><body>\n<table width=\"100%\">\n"
        "<tr><th>标准编号</th><th>标准名称</th><th>发布日期</th><th>发布部门</th><th>状态</th></"
        "tr>\n";
    int n = 0;
    for (const Edition& e : rows) {
        const std::string ref = "/detail/" + std::to_string(++n) + ".html";
        page += "<tr bgcolor=\"" + std::string(n % 2 ? "#FFFFFF" : "#F5F5F5") +
                "\" onclick=\"mClk('" + ref + "')\" style=\"cursor:pointer\"><td><a href=\"" + ref +
                "\">编号：" + e.number + "&nbsp;</a></td><td>标题：" + e.title +
                "&nbsp;</td><td>发布日期：" + e.date + "&nbsp;</td><td>发布部门：" + e.publisher +
                "&nbsp;</td>" + status_cell(e.status) + "</tr>\n";
    }
    if (rows.empty()) page += "<tr><td colspan=\"5\">没有找到相关标准</td></tr>\n";
    page += "</table></body></html>\n";
    return gbk ? text::utf8_to_gbk(page) : page;
}

SearchSite::SearchSite() : SearchSite(Options{}) {}

SearchSite::SearchSite(Options options)
    : options_(std::move(options)), latency_ms_(options_.latency_ms) {
    for (const Edition& e : options_.fixtures)
        gbk_keywords_.push_back(text::utf8_to_gbk(e.keyword));
    static const unsigned init = mg_init_library(0);
    (void)init;
    mg_callbacks callbacks{};
    callbacks.begin_request = &SearchSite::on_request;
    const std::string ports = "127.0.0.1:" + std::to_string(options_.port);
    const char* config[] = {
        "listening_ports",   ports.c_str(), "num_threads", "64", "enable_keep_alive", "no",
        "linger_timeout_ms", "0",           nullptr};
    context_ = mg_start(&callbacks, this, config);
    if (context_ == nullptr) throw std::runtime_error("search-site: cannot listen on " + ports);
    mg_server_port bound[4] = {};
    if (mg_get_server_ports(context_, 4, bound) > 0) port_ = bound[0].port;
}

SearchSite::~SearchSite() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopping_cv_.notify_all();
    if (context_ == nullptr) return;
    // The server's listening thread polls in 2 s quanta and mg_stop waits for
    // it; connecting to the port wakes it, so a stop takes milliseconds.
    std::atomic<bool> stopped{false};
    std::thread waker([this, &stopped] {
        while (!stopped) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_port = htons(static_cast<std::uint16_t>(port_));
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    mg_stop(context_);
    stopped = true;
    waker.join();
}

void SearchSite::set_latency(int ms) {
    std::lock_guard lock(mutex_);
    latency_ms_ = ms;
}

void SearchSite::set_fault(const std::string& keyword, Fault fault) {
    std::lock_guard lock(mutex_);
    faults_[keyword] = fault;
}

void SearchSite::set_fault_for_all(Fault fault) {
    std::lock_guard lock(mutex_);
    fault_for_all_ = fault;
}

void SearchSite::clear_faults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
    fault_for_all_ = {};
}

std::vector<RecordedRequest> SearchSite::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void SearchSite::clear_requests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

bool SearchSite::pause_for(int ms) {
    std::unique_lock lock(mutex_);
    if (ms <= 0) return !stopping_;
    return !stopping_cv_.wait_for(lock, std::chrono::milliseconds(ms),
                                  [this] { return stopping_; });
}

int SearchSite::on_request(mg_connection* conn) {
    auto* self = static_cast<SearchSite*>(mg_get_request_info(conn)->user_data);
    return self->handle(conn);
}

int SearchSite::handle(mg_connection* conn) {
    const mg_request_info* info = mg_get_request_info(conn);
    RecordedRequest request;
    request.method = info->request_method ? info->request_method : "";
    request.target = info->request_uri ? info->request_uri : "";
    const std::string query = info->query_string ? info->query_string : "";
    if (info->query_string) request.target += "?" + query;
    for (int i = 0; i < info->num_headers; ++i) {
        request.headers.emplace_back(info->http_headers[i].name, info->http_headers[i].value);
    }
    char buffer[4096];
    for (int n; (n = mg_read(conn, buffer, sizeof buffer)) > 0;)
        request.body.append(buffer, static_cast<std::size_t>(n));
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }

    // Route on the path, also for a proxy's absolute target.
    std::string path = info->request_uri ? info->request_uri : "";
    if (path.rfind("http://", 0) == 0) {
        const std::size_t slash = path.find('/', 7);
        path = slash == std::string::npos ? "/" : path.substr(slash);
    }
    if (path == "/s.jsp") {
        serve_search(conn, keyword_of(query));
    } else if (path == "/redirect") {
        const std::string to = query.rfind("to=", 0) == 0 ? query.substr(3) : "/echo";
        send_response(conn, 302, "moved", "Location: " + to + "\r\n");
    } else if (path == "/cookies") {
        send_response(conn, 200, "cookies",
                      "Set-Cookie: a=1; Path=/; Expires=Wed, 21 Oct 2037 07:28:00 GMT\r\n"
                      "Set-Cookie: b=2\r\nset-cookie: c=3\r\n");
    } else if (path == "/echo") {
        send_response(conn, 200, request.method + "\n" + request.body);
    } else if (path.rfind("/status/", 0) == 0) {
        send_response(conn, std::atoi(path.c_str() + 8), "status page");
    } else {
        send_response(conn, 404, "not found");
    }
    return 1;
}

void SearchSite::serve_search(mg_connection* conn, const std::string& keyword) {
    Fault fault;
    int latency = 0;
    {
        std::lock_guard lock(mutex_);
        const auto it = faults_.find(keyword);
        fault = it != faults_.end() ? it->second : fault_for_all_;
        latency = latency_ms_;
    }
    if (!pause_for(latency)) return;

    std::vector<Edition> rows;
    for (std::size_t i = 0; i < options_.fixtures.size(); ++i) {
        if (gbk_keywords_[i] == keyword) rows.push_back(options_.fixtures[i]);
    }
    std::string page = render_page(rows, fault.kind != FaultKind::kNotGbk);

    switch (fault.kind) {
        case FaultKind::kNone:
        case FaultKind::kNotGbk:
            send_response(conn, 200, page);
            return;
        case FaultKind::kDelay:
            if (pause_for(fault.delay_ms)) send_response(conn, 200, page);
            return;
        case FaultKind::kStall:
            pause_for(24 * 3600 * 1000);
            return;
        case FaultKind::kStatus500:
            send_response(conn, 500, page);
            return;
        case FaultKind::kReset:
            return;  // nothing written: the connection closes without an answer
        case FaultKind::kTruncated:
            send_response(conn, 200, page.substr(0, page.size() / 2), "", page.size());
            return;
        case FaultKind::kNulByte:
            page.insert(page.find("<table"), 1, '\0');
            send_response(conn, 200, page);
            return;
        case FaultKind::kHuge: {
            const std::size_t total = 65u << 20;
            const std::string chunk(1u << 20, 'x');
            mg_printf(conn, "HTTP/1.1 200 OK\r\nContent-Length: %zu\r\nConnection: close\r\n\r\n",
                      total);
            for (std::size_t sent = 0; sent < total && !stopping_; sent += chunk.size()) {
                if (mg_write(conn, chunk.data(), chunk.size()) <= 0) break;
            }
            return;
        }
    }
}

}  // namespace search_site
