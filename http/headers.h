// Header blocks as the request routine handles them: "Name: value" lines
// separated by CR LF, names capitalized part by part.
#pragma once

#include "text/text.h"

namespace http {

using text::Text;

// Keeps the lines holding ": ", capitalizes each "-"-separated part of the
// name, and drops the value of a line whose value itself holds ": ".
Text normalize_header_block(const Text& block);
Text capitalize_first(const Text& t);
// The trimmed text before / after the line's first ":"; "" without one.
Text header_name(const Text& line);
Text header_value(const Text& line);

// RFC 4648 Base64, standard alphabet, "=" padding, no line breaks.
Text base64_encode(const text::Bytes& bytes);

}  // namespace http
