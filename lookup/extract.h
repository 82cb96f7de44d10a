// Finding the first edition marked current in a search-result page and reading
// its fields, by plain text search with fixed markers.
#pragma once

#include <string_view>

#include "text/text.h"

namespace lookup {

// The current edition's row as the site lists it. `status` is "现行" when the
// page holds a current cell, else "未找到现行" with every other field empty.
struct LookupResult {
    text::Text detail_ref;
    text::Text number;
    text::Text title;
    text::Text publish_date;
    text::Text publisher;
    text::Text status;

    friend bool operator==(const LookupResult&, const LookupResult&) = default;
};

// The page's markers and status texts, as GBK.
const text::Text& current_marker();
const text::Text& status_current();
const text::Text& status_not_found();

LookupResult extract_current_row(std::string_view page);

}  // namespace lookup
