// Asking the standards search site about one keyword: the search URL, the
// page, and the current edition's row in it.
#pragma once

#include "lookup/extract.h"
#include "text/text.h"

namespace lookup {

// The search site's host ("www.csres.com" unless STDCHECK_HOST or --host says
// otherwise; may carry a port, as "127.0.0.1:8080").
text::Text search_host();
void set_search_host(const text::Text& host);

// The URL of the most recent lookup, "" before the first. Reads and writes are
// whole-value and guarded, so lookups on several threads never see a torn URL.
text::Text last_search_url();
void release_last_search_url();

// "http://" + host + "/s.jsp?keyword=" + keyword, byte for byte, + "&pageNum=1".
text::Text search_url(const text::Text& keyword);

// Stores the search URL in last_search_url, fetches the page with a plain GET
// and returns its current row. Never fails: a failed request gives "未找到现行".
// `url_used`, when given, receives this lookup's own URL.
LookupResult lookup_standard(const text::Text& keyword, text::Text* url_used = nullptr);

}  // namespace lookup
