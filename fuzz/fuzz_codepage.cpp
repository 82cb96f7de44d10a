// Any bytes as UTF-8 or GBK: no crash, no NUL in a Text, and GBK that came out
// of the conversion reads back without loss.
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "text/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string in(reinterpret_cast<const char*>(data), size);
    in = in.substr(0, in.find('\0'));
    const std::string gbk = text::utf8_to_gbk(in);
    FUZZ_CHECK(gbk.find('\0') == std::string::npos);
    const std::string utf8 = text::gbk_to_utf8(gbk);
    FUZZ_CHECK(text::utf8_to_gbk(utf8) == gbk);
    (void)text::gbk_to_utf8(in);
    return 0;
}
