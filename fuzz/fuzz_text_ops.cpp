// The search, split and replace family on any bytes: aligned results only, and
// a split that joins back to the text less a trailing delimiter.
#include <cstdint>
#include <string>

#include "fuzz/check.h"
#include "text/text.h"

namespace {

bool is_char_start(const std::string& t, std::size_t from, std::size_t p) {
    std::size_t i = from;
    while (i < p)
        i += text::char_width(t[i]);
    return i == p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // First byte: target length and start; the rest: target then text.
    const std::size_t target_len = 1 + data[0] % 8;
    const int start = data[1] % 16;
    const std::string rest(reinterpret_cast<const char*>(data + 2), size - 2);
    if (rest.size() < target_len) return 0;
    const std::string target = rest.substr(0, target_len);
    const std::string t = rest.substr(target_len);

    for (bool ignore_case : {false, true}) {
        const int pos = text::find_text(t, target, start, ignore_case);
        const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
        if (pos != -1) {
            FUZZ_CHECK(pos >= 1 && static_cast<std::size_t>(pos) >= from + 1);
            FUZZ_CHECK(static_cast<std::size_t>(pos - 1) + target.size() <= t.size());
            FUZZ_CHECK(is_char_start(t, from, static_cast<std::size_t>(pos - 1)));
            if (!ignore_case) FUZZ_CHECK(t.compare(pos - 1, target.size(), target) == 0);
        }
    }

    const text::TextArray pieces = text::split_text(t, target);
    std::string joined;
    for (int i = 1; i <= pieces.count(); ++i) {
        if (i > 1) joined += target;
        joined += pieces.at(i);
    }
    const bool trailing = t.size() >= target.size() &&
                          t.compare(t.size() - target.size(), target.size(), target) == 0 &&
                          joined.size() + target.size() == t.size();
    FUZZ_CHECK(joined == t || (trailing && joined + target == t));

    FUZZ_CHECK(text::replace_text(t, target, target) == t);
    const std::string removed = text::replace_text(t, target, "");
    FUZZ_CHECK(removed.size() <= t.size());
    FUZZ_CHECK(text::trim_text(t).size() <= t.size());
    FUZZ_CHECK(text::remove_spaces(t).size() <= t.size());
    FUZZ_CHECK(text::to_upper(t).size() == t.size());
    (void)text::text_to_int(t);
    (void)text::text_between(t, target, target.substr(0, 1));
    (void)text::text_before(t, target, start);
    return 0;
}
