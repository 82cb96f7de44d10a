// Keeping one cookie set across requests: the cookies a request sent merged
// with those its response set, and repeated pieces of a delimited text removed.
#pragma once

#include <optional>

#include "text/text.h"

namespace http {

using text::Text;
using text::TextArray;

// Returned entries first (in response order), then the sent entries whose names
// the response did not set, less every entry ending in "=deleted", with exact
// repeats removed; joined by "; ". Leaves the merged set in `sent` and the
// returned cookies less their spaces in `returned`.
Text merge_cookies(Text& sent, Text& returned);

// The pieces of `t` between `separator`s (or its characters, when no separator
// is given), each kept at its first appearance.
Text dedupe_text(const Text& t, const std::optional<Text>& separator = std::nullopt);

// The text before the entry's first "=", trimmed; the whole entry, trimmed, without one.
Text cookie_name(const Text& entry);
bool contains_cookie_name(const TextArray& entries, const Text& name);

// Splits `t` into characters: two bytes for a lead byte 0x81-0xFF or a CR LF
// with a byte after it, else one. Returns the number of pieces.
int split_characters(const Text& t, TextArray& pieces);

// 1-based index of the first element equal to `t`, or -1.
int index_of_text(const TextArray& items, const Text& t);

}  // namespace http
