// Turning a standard number as the user wrote it into its normalized form and
// the search keyword (the normalized number less its four-byte edition year).
#pragma once

#include "text/text.h"

namespace lookup {

// Removes / \ | * ? : , - " and every space (ASCII and full-width) from
// `number`, character by character; leaves the result in `number` and returns it.
text::Text normalize_number(text::Text& number);

// Normalizes `number` in place and returns it less its last four bytes.
text::Text search_keyword(text::Text& number);

}  // namespace lookup
