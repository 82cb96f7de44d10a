// A request object that records every platform call in order and answers
// with a canned response, for tests where the order of calls matters.
#pragma once

#include <string>
#include <vector>

#include "http/request_object.h"

namespace http::testing {

class RecordingRequest : public RequestObject {
  public:
    std::vector<std::string> calls;
    Bytes body{"page"};
    Text headers;
    int status_code = 200;
    bool refuse_headers_with_breaks = true;

    bool set_timeouts(int a, int b, int c, int d) override {
        return record("SetTimeouts " + std::to_string(a) + " " + std::to_string(b) + " " +
                      std::to_string(c) + " " + std::to_string(d));
    }
    bool set_proxy(int setting, const Text& proxy) override {
        return record("SetProxy " + std::to_string(setting) + " " + proxy);
    }
    bool open(const Text& method, const Text& url, bool async) override {
        return record("Open " + method + " " + url + (async ? " async" : " sync"));
    }
    bool set_option(int index, int value) override {
        return record("Option " + std::to_string(index) + "=" + std::to_string(value));
    }
    bool set_request_header(const Text& name, const Text& value) override {
        return record("Header " + name + "|" + value);
    }
    bool send(const Bytes& b) override { return record("SendBytes " + b.str()); }
    bool send(const Text& t) override { return record("SendText " + t); }
    Bytes response_body() override { return body; }
    Text all_response_headers() override { return headers; }
    int status() override { return status_code; }

    // Only the calls that begin with `prefix`.
    std::vector<std::string> calls_starting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& c : calls) {
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        }
        return out;
    }

  private:
    bool record(std::string call) {
        calls.push_back(std::move(call));
        return true;
    }
};

}  // namespace http::testing
