// One HTTP request with the defaults the system sends: default header lines,
// capitalized header names, Basic proxy credentials, a Cookie header, and the
// cookies the response sets. Failures are results: an empty body and status 0.
#pragma once

#include <memory>
#include <optional>

#include "http/request_object.h"
#include "text/text.h"

namespace http {

// "GET" for 0 and for anything outside 0..7.
Text method_name(int method);

// Parameters in the routine's order. std::optional marks a given-flag; a
// pointer parameter is in/out or out, and nullptr means "not given" (the value
// goes to a scratch variable). Not given means the zero value, except where noted.
Bytes http_request(const Text& url,                          // 1
                   std::optional<int> method = {},           // 2
                   std::optional<Text> body_text = {},       // 3
                   Text* cookies = nullptr,                  // 4: not given: no Cookie, no merge
                   Text* returned_cookies = nullptr,         // 5
                   Text* headers = nullptr,                  // 6
                   Text* response_headers = nullptr,         // 7
                   int* status_code = nullptr,               // 8
                   std::optional<bool> no_redirect = {},     // 9
                   std::optional<Bytes> body_bytes = {},     // 10
                   std::optional<Text> proxy = {},           // 11
                   std::optional<int> timeout_seconds = {},  // 12
                   std::optional<Text> proxy_user = {},      // 13
                   std::optional<Text> proxy_password = {},  // 14
                   std::optional<int> proxy_auth_mode = {},  // 15: not given: 1
                   std::optional<std::shared_ptr<RequestObject>> request_object = {},  // 16
                   std::optional<bool> merge_sent_cookies = {},  // 17: not given: true
                   std::optional<bool> complete_headers = {});   // 18: not given: true

// The first name=value pair of every "Set-Cookie" line, joined by "; ".
Text collect_returned_cookies(const Text& response_headers);

// Appends the default header lines that `headers` lacks (case ignored).
Text complete_default_headers(Text headers, const Text& url, int method);

}  // namespace http
