#include "lookup/search.h"

#include <cstdlib>
#include <mutex>

#include "http/request.h"

namespace lookup {

using text::Text;

namespace {

struct Globals {
    std::mutex mutex;
    Text host;
    bool host_set = false;
    Text last_url;
};

Globals& globals() {
    static Globals g;
    return g;
}

}  // namespace

Text search_host() {
    Globals& g = globals();
    std::lock_guard lock(g.mutex);
    if (!g.host_set) {
        const char* env = std::getenv("STDCHECK_HOST");
        g.host = (env != nullptr && *env != '\0') ? env : "www.csres.com";
        g.host_set = true;
    }
    return g.host;
}

void set_search_host(const Text& host) {
    Globals& g = globals();
    std::lock_guard lock(g.mutex);
    g.host = host;
    g.host_set = true;
}

Text last_search_url() {
    Globals& g = globals();
    std::lock_guard lock(g.mutex);
    return g.last_url;
}

void release_last_search_url() {
    Globals& g = globals();
    std::lock_guard lock(g.mutex);
    Text().swap(g.last_url);
}

Text search_url(const Text& keyword) {
    return text::concat_text("http://", search_host(), "/s.jsp?keyword=", keyword, "&pageNum=1");
}

LookupResult lookup_standard(const Text& keyword, Text* url_used) {
    const Text url = search_url(keyword);
    {
        Globals& g = globals();
        std::lock_guard lock(g.mutex);
        g.last_url = url;
    }
    if (url_used != nullptr) *url_used = url;
    const text::Bytes body = http::http_request(url, 0);
    return extract_current_row(text::bytes_to_text(body));
}

}  // namespace lookup
