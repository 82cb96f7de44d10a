#include "http/request.h"

#include <array>

#include "http/cookies.h"
#include "http/headers.h"

namespace http {

namespace {
constexpr std::array<const char*, 8> kMethods = {"GET",     "POST",   "HEAD",  "PUT",
                                                 "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kDefaultTimeoutMs = 15000;
constexpr int kOptionRedirects = 6;
constexpr int kOptionSecurityFlags = 4;
constexpr int kIgnoreCertificateErrors = 0x3300;
}  // namespace

Text method_name(int method) {
    if (method < 0 || method > 7) method = 0;
    return kMethods[static_cast<std::size_t>(method)];
}

Text complete_default_headers(Text headers, const Text& url, int method) {
    auto add_unless_present = [&headers](const char* name, const Text& line) {
        if (text::find_text(headers, name, 0, true) == -1) headers += line;
    };
    add_unless_present("Accept:", "\r\nAccept: */*");
    add_unless_present("Referer:", "\r\nReferer: " + url);
    add_unless_present("Accept-Language:", "\r\nAccept-Language: zh-cn");
    add_unless_present("User-Agent:",
                       "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    if (method == 1) {
        add_unless_present("Content-Type:", "\r\nContent-Type: application/x-www-form-urlencoded");
    }
    return headers;
}

Text collect_returned_cookies(const Text& response_headers) {
    Text returned;
    for (const Text& line : text::split_text(response_headers, "\r\n")) {
        if (!text::text_equal(text::text_before(line, ": "), "Set-Cookie")) continue;
        Text entry;
        if (text::find_text(line, ";") != -1) {
            entry = text::trim_text(text::text_between(line, "Set-Cookie:", ";"));
        } else {
            entry = text::trim_text(text::replace_text(line, "Set-Cookie:", "", true));
        }
        returned += entry;
        returned += "; ";
    }
    return text::left_text(returned, text::text_length(returned) - 2);
}

Bytes http_request(const Text& url, std::optional<int> method, std::optional<Text> body_text,
                   Text* cookies, Text* returned_cookies, Text* headers, Text* response_headers,
                   int* status_code, std::optional<bool> no_redirect,
                   std::optional<Bytes> body_bytes, std::optional<Text> proxy,
                   std::optional<int> timeout_seconds, std::optional<Text> proxy_user,
                   std::optional<Text> proxy_password, std::optional<int> proxy_auth_mode,
                   std::optional<std::shared_ptr<RequestObject>> request_object,
                   std::optional<bool> merge_sent_cookies, std::optional<bool> complete_headers) {
    const bool merge = merge_sent_cookies.value_or(true);
    const bool complete = complete_headers.value_or(true);
    int m = method.value_or(0);
    if (m < 0 || m > 7) m = 0;

    std::shared_ptr<RequestObject> object;
    if (request_object) {
        object = *request_object;  // a reference of our own; may hold no object
    } else {
        object = request_object_factory() ? request_object_factory()() : nullptr;
        if (!object) return {};  // nothing created: out parameters stay as they were
    }
    // A borrowed reference that holds no object makes every platform call fail.
    auto call = [&object](auto&& operation) {
        if (object) operation(*object);
    };

    Text scratch_headers, scratch_response_headers, scratch_returned;
    int scratch_status = 0;
    Text& block = headers ? *headers : scratch_headers;
    Text& response = response_headers ? *response_headers : scratch_response_headers;
    Text& returned = returned_cookies ? *returned_cookies : scratch_returned;
    int& status = status_code ? *status_code : scratch_status;

    const int timeout = timeout_seconds.value_or(0);
    if (timeout != -1) {
        const int t = timeout >= 1 ? timeout * 1000 : kDefaultTimeoutMs;
        call([t](RequestObject& o) { o.set_timeouts(t, t, t, t); });
    }
    const Text proxy_server = proxy.value_or(Text());
    if (!proxy_server.empty()) call([&](RequestObject& o) { o.set_proxy(2, proxy_server); });
    call([&](RequestObject& o) { o.open(method_name(m), url, false); });
    if (no_redirect.value_or(false)) {
        call([](RequestObject& o) { o.set_option(kOptionRedirects, 0); });
    }
    call([](RequestObject& o) { o.set_option(kOptionSecurityFlags, kIgnoreCertificateErrors); });

    if (complete) block = complete_default_headers(block, url, m);
    block = normalize_header_block(block);

    const Text user = proxy_user.value_or(Text());
    if (!proxy_server.empty() && !user.empty() && proxy_auth_mode.value_or(1) == 1) {
        const Text credentials = text::concat_text(user, ":", proxy_password.value_or(Text()));
        const Text value = "Basic " + base64_encode(text::text_to_bytes(credentials));
        call([&](RequestObject& o) { o.set_request_header("Proxy-Authorization", value); });
    }
    if (cookies) call([&](RequestObject& o) { o.set_request_header("Cookie", *cookies); });

    if (text::find_text(block, "\r\n") == -1) {
        if (!block.empty()) {
            call([&](RequestObject& o) {
                o.set_request_header(header_name(block), header_value(block));
            });
        }
    } else {
        for (const Text& line : text::split_text(block, "\r\n")) {
            if (line.empty()) continue;
            call([&](RequestObject& o) {
                o.set_request_header(header_name(line), header_value(line));
            });
        }
    }

    const Bytes bytes_body = body_bytes.value_or(Bytes());
    if (!bytes_body.empty()) {
        call([&](RequestObject& o) { o.send(bytes_body); });
    } else {
        const Text text_body = body_text.value_or(Text());
        call([&](RequestObject& o) { o.send(text_body); });
    }

    Bytes body;
    call([&](RequestObject& o) { body = o.response_body(); });
    response.clear();
    call([&](RequestObject& o) { response = o.all_response_headers(); });
    status = 0;
    call([&](RequestObject& o) { status = o.status(); });
    returned = collect_returned_cookies(response);
    if (merge && cookies) returned = merge_cookies(*cookies, returned);
    return body;
}

}  // namespace http
