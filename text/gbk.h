// GBK literals written readably in UTF-8 source. GBK("现行") is a const Text&
// holding the GBK bytes, converted once on first use (thread-safe), so the
// sources need no GBK execution character set (clang has none).
#pragma once

#include "text/codepage.h"
#include "text/text.h"

#define GBK(utf8_literal)                                                        \
    ([]() -> const ::text::Text& {                                               \
        static const ::text::Text converted = ::text::utf8_to_gbk(utf8_literal); \
        return converted;                                                        \
    }())
