// The platform request object: just the operations the request routine relies
// on. Every operation reports failure by returning false (or an empty value);
// the routine never stops on one.
#pragma once

#include <functional>
#include <memory>

#include "text/text.h"

namespace http {

using text::Bytes;
using text::Text;

class RequestObject {
  public:
    virtual ~RequestObject() = default;

    // Four time-outs in milliseconds.
    virtual bool set_timeouts(int resolve_ms, int connect_ms, int send_ms, int receive_ms) = 0;
    // Setting 2: send the request through the named proxy server.
    virtual bool set_proxy(int setting, const Text& proxy) = 0;
    // Synchronous requests only (`async` false).
    virtual bool open(const Text& method, const Text& url, bool async) = 0;
    // Option 6 = 0 turns redirects off; option 4 = 0x3300 ignores certificate errors.
    virtual bool set_option(int index, int value) = 0;
    // Refuses (false) a name or value holding CR, LF or NUL, and an empty name.
    virtual bool set_request_header(const Text& name, const Text& value) = 0;
    // Returns when the whole response is in or the request failed.
    virtual bool send(const Bytes& body) = 0;
    virtual bool send(const Text& body) = 0;
    virtual Bytes response_body() = 0;
    // The final response's header lines without the status line, separated by CR LF.
    virtual Text all_response_headers() = 0;
    virtual int status() = 0;
};

// Makes a new request object, or nullptr when none can be had.
using RequestObjectFactory = std::function<std::shared_ptr<RequestObject>()>;

// The factory the routine uses for a request that brings no object of its own:
// libcurl's, unless a test has put a recording one in its place.
RequestObjectFactory& request_object_factory();

// Once per program, before any thread: the HTTP library's global set-up.
void platform_http_start();

}  // namespace http
