#include "text/text.h"

#include <cstring>

#include "text/gbk.h"

namespace text {
namespace {

constexpr std::size_t npos = std::string_view::npos;

unsigned char byte_at(std::string_view t, std::size_t i) {
    return static_cast<unsigned char>(t[i]);
}

bool is_full_width_space(std::string_view t, std::size_t i) {
    return i + 1 < t.size() && byte_at(t, i) == 0xA1 && byte_at(t, i + 1) == 0xA1;
}

char fold(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equal_ignoring_case(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// The first byte-wise match of `needle` at or after `pos`, aligned or not.
// memchr on the first byte has no set-up cost, which matters to the
// extraction's many short searches, and runs at full speed while that byte is
// rare; once it keeps stopping at false candidates, memmem takes over.
std::size_t next_match(std::string_view hay, std::string_view needle, std::size_t pos) {
    constexpr int kFalseHitsBeforeMemmem = 8;
    const std::size_t last = hay.size() - needle.size();  // last possible start
    for (int false_hits = 0; pos <= last && false_hits < kFalseHitsBeforeMemmem; ++false_hits) {
        const void* hit = std::memchr(hay.data() + pos, needle[0], last - pos + 1);
        if (hit == nullptr) return npos;
        const std::size_t p = static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
        if (std::memcmp(hay.data() + p + 1, needle.data() + 1, needle.size() - 1) == 0) return p;
        pos = p + 1;
    }
    if (pos > last) return npos;
    const void* hit = memmem(hay.data() + pos, hay.size() - pos, needle.data(), needle.size());
    return hit == nullptr ? npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
}

std::size_t clamp_count(int count) {
    return count <= 0 ? 0 : static_cast<std::size_t>(count);
}

}  // namespace

bool is_char_start(std::string_view hay, std::size_t known, std::size_t p) {
    // A byte below 0x80 always ends a character, so the characters before `p`
    // are decided by the run of high bytes in front of it.
    std::size_t x = p;
    while (x > known && byte_at(hay, x - 1) >= 0x80)
        --x;
    return (p - x) % 2 == 0;
}

std::size_t find_aligned(std::string_view hay, std::string_view needle, std::size_t from,
                         bool ignore_case) {
    if (from >= hay.size()) return npos;
    if (needle.empty()) return from;
    if (ignore_case) {
        for (std::size_t i = from; i < hay.size() && hay.size() - i >= needle.size();
             i += char_width(hay[i])) {
            if (equal_ignoring_case(hay.data() + i, needle.data(), needle.size())) return i;
        }
        return npos;
    }
    if (needle.size() > hay.size()) return npos;
    std::size_t known = from;
    std::size_t pos = from;
    while (true) {
        const std::size_t p = next_match(hay, needle, pos);
        if (p == npos || is_char_start(hay, known, p)) return p;
        known = p + 1;  // p is a trail byte, so the next byte starts a character
        pos = p + 1;
    }
}

int text_length(std::string_view t) {
    return static_cast<int>(t.size());
}

Text left_text(std::string_view t, int count) {
    return Text(t.substr(0, clamp_count(count)));
}

Text right_text(std::string_view t, int count) {
    const std::size_t n = std::min(clamp_count(count), t.size());
    return Text(t.substr(t.size() - n));
}

Text mid_text(std::string_view t, int start, int count) {
    if (start < 1 || static_cast<std::size_t>(start) > t.size() || count <= 0) return {};
    return Text(t.substr(static_cast<std::size_t>(start - 1), clamp_count(count)));
}

int find_text(std::string_view t, std::string_view target, int start, bool ignore_case) {
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    const std::size_t p = find_aligned(t, target, from, ignore_case);
    return p == npos ? -1 : static_cast<int>(p + 1);
}

Text replace_text(std::string_view t, std::string_view target, std::string_view replacement,
                  bool ignore_case) {
    if (t.empty() || target.empty()) return Text(t);
    Text out;
    out.reserve(t.size());
    std::size_t i = 0;
    while (i < t.size()) {
        const std::size_t p = find_aligned(t, target, i, ignore_case);
        if (p == npos) break;
        out.append(t.substr(i, p - i));
        out.append(replacement);
        i = p + target.size();
    }
    if (i < t.size()) out.append(t.substr(i));
    return out;
}

TextArray split_text(std::string_view t, std::string_view delimiter) {
    TextArray pieces;
    if (t.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.append(Text(t));
        return pieces;
    }
    std::size_t cut = 0;
    while (cut < t.size()) {
        const std::size_t p = find_aligned(t, delimiter, cut);
        if (p == npos) break;
        pieces.append(Text(t.substr(cut, p - cut)));
        cut = p + delimiter.size();
    }
    if (cut < t.size()) pieces.append(Text(t.substr(cut)));
    return pieces;
}

Text trim_text(std::string_view t) {
    std::size_t begin = 0;
    while (begin < t.size()) {
        if (t[begin] == ' ') {
            begin += 1;
        } else if (is_full_width_space(t, begin)) {
            begin += 2;
        } else {
            break;
        }
    }
    // Where the trailing run starts can only be told by walking forward.
    std::size_t end = begin;
    for (std::size_t i = begin; i < t.size();) {
        const std::size_t w = t[i] == ' ' ? 1 : is_full_width_space(t, i) ? 2 : 0;
        if (w != 0) {
            i += w;
            continue;
        }
        i = std::min(t.size(), i + char_width(t[i]));
        end = i;
    }
    return Text(t.substr(begin, end - begin));
}

Text remove_spaces(std::string_view t) {
    Text out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (t[i] == ' ') {
            i += 1;
        } else if (is_full_width_space(t, i)) {
            i += 2;
        } else {
            const std::size_t w = std::min(char_width(t[i]), t.size() - i);
            out.append(t.substr(i, w));
            i += w;
        }
    }
    return out;
}

Text to_upper(std::string_view t) {
    Text out(t);
    for (std::size_t i = 0; i < out.size(); i += char_width(out[i]))
        out[i] = fold(out[i]);
    return out;
}

std::int32_t text_to_int(std::string_view t) {
    // Full-width forms of GBK row A3 read as their ASCII counterparts.
    std::string ascii;
    ascii.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (i + 1 < t.size() && byte_at(t, i) == 0xA3 && byte_at(t, i + 1) >= 0xA1 &&
            byte_at(t, i + 1) <= 0xFE) {
            ascii.push_back(static_cast<char>(byte_at(t, i + 1) - 0x80));
            i += 2;
        } else if (is_full_width_space(t, i)) {
            ascii.push_back(' ');
            i += 2;
        } else {
            const std::size_t w = std::min(char_width(t[i]), t.size() - i);
            ascii.append(t.substr(i, w));
            i += w;
        }
    }
    std::size_t i = 0;
    while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
    std::uint32_t value = 0;  // wraps around in 32 bits, as the reader always has
    while (i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(ascii[i++] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

Text int_to_text(std::int32_t value) {
    return std::to_string(value);
}

Bytes text_to_bytes(std::string_view t) {
    return Bytes(Text(t));
}

Text bytes_to_text(const Bytes& b) {
    const std::string& s = b.str();
    const void* nul = std::memchr(s.data(), 0, s.size());
    if (nul == nullptr) return s;
    return s.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - s.data()));
}

bool text_equal(std::string_view a, std::string_view b) {
    return a == b;
}

Text text_between(std::string_view t, std::string_view start_marker, std::string_view end_marker,
                  int start, bool ignore_case) {
    const Text& quote_word = GBK("#引号");
    const Text open = replace_text(start_marker, quote_word, "\"");
    const Text close = replace_text(end_marker, quote_word, "\"");
    const int s = find_text(t, open, start, ignore_case);
    if (s == -1) return {};
    const int p = s + text_length(open);
    const int e = find_text(t, close, p, ignore_case);
    if (e == -1) return {};
    return mid_text(t, p, e - p);
}

Text text_before(std::string_view t, std::string_view marker, int start, bool ignore_case) {
    const int s = find_text(t, marker, start <= 0 ? 1 : start, ignore_case);
    if (s == -1) return {};
    return left_text(t, s - 1);
}

int bytes_length(const Bytes& b) {
    return static_cast<int>(b.size());
}

Bytes bytes_mid(const Bytes& b, int start, int count) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from >= b.size()) return {};
    return Bytes(b.str().substr(from, clamp_count(count)));
}

int array_count(const TextArray& a) {
    return a.count();
}

void array_append(TextArray& a, const Text& item) {
    a.append(item);
}

}  // namespace text
