#include "http/curl_request.h"

#include <curl/curl.h>

#include <chrono>
#include <mutex>
#include <vector>

namespace http {
namespace {

using Clock = std::chrono::steady_clock;

bool has_line_break_or_nul(const Text& t) {
    return t.find_first_of(std::string("\r\n\0", 3)) != Text::npos;
}

class CurlRequest final : public RequestObject {
  public:
    explicit CurlRequest(CURL* easy) : easy_(easy) {}
    ~CurlRequest() override {
        curl_slist_free_all(header_list_);
        curl_easy_cleanup(easy_);
    }

    bool set_timeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) override {
        // Name resolution and connecting share libcurl's connect time-out;
        // sending and receiving are watched as stalls in the progress callback.
        connect_ms_ = std::max(resolve_ms, connect_ms);
        send_ms_ = send_ms;
        receive_ms_ = receive_ms;
        return true;
    }

    bool set_proxy(int setting, const Text& proxy) override {
        if (setting != 2) return false;
        return curl_easy_setopt(easy_, CURLOPT_PROXY, proxy.c_str()) == CURLE_OK;
    }

    bool open(const Text& method, const Text& url, bool async) override {
        // A new Open starts a new request on the same object: nothing of the
        // previous one's header lines or redirect setting carries over.
        opened_ = false;
        curl_slist_free_all(header_list_);
        header_list_ = nullptr;
        follow_redirects_ = true;
        if (async || has_line_break_or_nul(url)) return false;
        // Let libcurl's URL parser judge the URL now, as "Open" would.
        CURLU* parsed = curl_url();
        const bool valid =
            parsed != nullptr && curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
        curl_url_cleanup(parsed);
        if (!valid || curl_easy_setopt(easy_, CURLOPT_URL, url.c_str()) != CURLE_OK) return false;
        method_ = method;
        opened_ = true;
        return true;
    }

    bool set_option(int index, int value) override {
        if (index == 6) {
            follow_redirects_ = value != 0;
            return true;
        }
        if (index == 4) {
            ignore_certificate_errors_ = value != 0;
            return true;
        }
        return false;
    }

    bool set_request_header(const Text& name, const Text& value) override {
        if (!opened_ || name.empty() || has_line_break_or_nul(name) ||
            has_line_break_or_nul(value) || name.find(':') != Text::npos) {
            return false;
        }
        // "Name;" is libcurl's way to send a header with an empty value.
        const Text line = value.empty() ? name + ";" : name + ": " + value;
        curl_slist* grown = curl_slist_append(header_list_, line.c_str());
        if (grown == nullptr) return false;
        header_list_ = grown;
        return true;
    }

    bool send(const Bytes& body) override { return perform(body.str()); }
    bool send(const Text& body) override { return perform(body); }

    Bytes response_body() override { return Bytes(body_); }

    Text all_response_headers() override {
        Text out;
        for (const Text& line : header_lines_) {
            if (!out.empty()) out += "\r\n";
            out += line;
        }
        return out;
    }

    int status() override { return status_; }

  private:
    bool perform(const std::string& body) {
        body_.clear();
        header_lines_.clear();
        status_ = 0;
        if (!opened_) return false;

        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, follow_redirects_ ? 1L : 0L);
        curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, 10L);
        curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYPEER, ignore_certificate_errors_ ? 0L : 1L);
        curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, ignore_certificate_errors_ ? 0L : 2L);
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connect_ms_));
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, header_list_);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlRequest::on_body);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlRequest::on_header);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlRequest::on_progress);
        curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);

        // The handle may have carried another method before.
        curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, nullptr);
        curl_easy_setopt(easy_, CURLOPT_NOBODY, 0L);
        if (method_ == "HEAD") {
            curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
        } else if (method_ == "GET" && body.empty()) {
            curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
        } else {
            if (!body.empty() || method_ == "POST") {
                curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE,
                                 static_cast<curl_off_t>(body.size()));
                curl_easy_setopt(easy_, CURLOPT_COPYPOSTFIELDS, body.data());
            }
            if (method_ != "POST") curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, method_.c_str());
        }

        last_activity_ = Clock::now();
        last_down_ = last_up_ = 0;
        too_large_ = false;
        const CURLcode rc = curl_easy_perform(easy_);
        if (rc != CURLE_OK) {
            body_.clear();
            header_lines_.clear();
            return false;
        }
        long code = 0;
        curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &code);
        status_ = static_cast<int>(code);
        return true;
    }

    static std::size_t on_body(char* data, std::size_t size, std::size_t count, void* self_ptr) {
        auto* self = static_cast<CurlRequest*>(self_ptr);
        const std::size_t n = size * count;
        if (self->body_.size() + n > kMaxResponseBody) {
            self->too_large_ = true;
            return 0;  // libcurl ends the transfer with a write error
        }
        self->body_.append(data, n);
        self->last_activity_ = Clock::now();
        return n;
    }

    static std::size_t on_header(char* data, std::size_t size, std::size_t count, void* self_ptr) {
        auto* self = static_cast<CurlRequest*>(self_ptr);
        const std::size_t n = size * count;
        std::string line(data, n);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.rfind("HTTP/", 0) == 0) {
            self->header_lines_.clear();  // a new response: keep only the final one's
        } else if (!line.empty()) {
            self->header_lines_.push_back(line);
        }
        self->last_activity_ = Clock::now();
        return n;
    }

    // Ends a transfer that has stalled longer than its send or receive time-out.
    static int on_progress(void* self_ptr, curl_off_t, curl_off_t now_down, curl_off_t,
                           curl_off_t now_up) {
        auto* self = static_cast<CurlRequest*>(self_ptr);
        const auto now = Clock::now();
        const bool sending = now_up != self->last_up_;
        if (now_down != self->last_down_ || sending) self->last_activity_ = now;
        self->last_down_ = now_down;
        self->last_up_ = now_up;
        const int limit = sending ? self->send_ms_ : self->receive_ms_;
        if (limit <= 0) return 0;
        const auto idle =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - self->last_activity_);
        return idle.count() > limit ? 1 : 0;
    }

    CURL* easy_;
    curl_slist* header_list_ = nullptr;
    Text method_ = "GET";
    bool opened_ = false;
    bool follow_redirects_ = true;
    bool ignore_certificate_errors_ = false;
    // Until set_timeouts: the platform's own time-outs (no stall limit).
    int connect_ms_ = 60000;
    int send_ms_ = 0;
    int receive_ms_ = 0;

    std::string body_;
    std::vector<Text> header_lines_;
    int status_ = 0;
    bool too_large_ = false;
    Clock::time_point last_activity_;
    curl_off_t last_down_ = 0;
    curl_off_t last_up_ = 0;
};

}  // namespace

void platform_http_start() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::shared_ptr<RequestObject> make_curl_request() {
    platform_http_start();
    CURL* easy = curl_easy_init();
    if (easy == nullptr) return nullptr;
    return std::make_shared<CurlRequest>(easy);
}

RequestObjectFactory& request_object_factory() {
    static RequestObjectFactory factory = make_curl_request;
    return factory;
}

}  // namespace http
