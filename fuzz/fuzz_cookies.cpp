// Cookie merging, header normalization and cookie collection on any bytes: no
// crash, and the documented shape of each result.
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "http/cookies.h"
#include "http/headers.h"
#include "http/request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string in(reinterpret_cast<const char*>(data), size);
    in = in.substr(0, in.find('\0'));
    const std::size_t cut = in.find('|');
    std::string sent = in.substr(0, cut);
    std::string returned = cut == std::string::npos ? std::string() : in.substr(cut + 1);

    const std::string merged = http::merge_cookies(sent, returned);
    FUZZ_CHECK(merged == sent);
    // Spaces are gone, except a 0x20 byte that trails a lead byte.
    FUZZ_CHECK(text::remove_spaces(returned) == returned);
    FUZZ_CHECK(http::merge_cookies(sent, returned).size() <= merged.size() + returned.size() + 2);

    const std::string block = http::normalize_header_block(in);
    for (const std::string& line : text::split_text(block, "\r\n")) {
        FUZZ_CHECK(line.find(": ") != std::string::npos);
    }

    const std::string cookies = http::collect_returned_cookies(in);
    FUZZ_CHECK(cookies.empty() || in.find("Set-Cookie") != std::string::npos);
    (void)http::dedupe_text(in);
    return 0;
}
