// The request object over libcurl's easy interface: synchronous, one easy
// handle per object, redirects followed unless switched off.
#pragma once

#include <memory>

#include "http/request_object.h"

namespace http {

// A response body above this ends the request as a failure.
constexpr std::size_t kMaxResponseBody = 64u << 20;

std::shared_ptr<RequestObject> make_curl_request();

}  // namespace http
