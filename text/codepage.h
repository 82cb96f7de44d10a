// Conversions between code pages over glibc iconv: UTF-8 and GBK (code page
// 936) on the way in and out of the system, through UTF-16 as the import does.
#pragma once

#include <string>
#include <string_view>

#include "text/text.h"

namespace text {

constexpr int kCodePageGbk = 936;
constexpr int kCodePageUtf8 = 65001;

// `t` in `code_page` to UTF-16LE code units plus one terminating zero unit.
// Each malformed sequence becomes U+FFFD and the conversion goes on.
Bytes multibyte_to_wide(std::string_view t, int code_page = kCodePageUtf8);

// UTF-16LE text, up to its first zero unit, into `code_page`; a character the
// code page lacks becomes "?".
Text wide_to_multibyte(const Bytes& wide, int code_page = kCodePageGbk);

// UTF-8 bytes to GBK, through UTF-16.
Text utf8_to_gbk(std::string_view utf8);

// GBK to UTF-8, for showing system text in the window and on the terminal.
// A byte sequence that is not GBK becomes U+FFFD.
std::string gbk_to_utf8(std::string_view gbk);

}  // namespace text
