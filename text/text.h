// The text model every other library speaks: GBK byte strings addressed by
// 1-based byte positions, with the operations whose exact results the lookup,
// the HTTP client and the handlers rely on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// A GBK (code page 936) byte string without NUL bytes. Lengths and positions
// count bytes; the first byte is position 1. The empty string stands for an
// absent value. A byte of 0x80 or above and the byte after it are one
// double-byte character for the character-aligned operations.
using Text = std::string;

// A length-counted byte sequence that may hold NUL bytes.
class Bytes {
  public:
    Bytes() = default;
    explicit Bytes(std::string bytes) : bytes_(std::move(bytes)) {}
    Bytes(const char* data, std::size_t size) : bytes_(data, size) {}

    const std::string& str() const { return bytes_; }
    std::string& str() { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    const char* data() const { return bytes_.data(); }

    // 1-based byte access; callers keep i inside 1..bytes_length.
    std::uint8_t at(int i) const { return static_cast<std::uint8_t>(bytes_[i - 1]); }
    void set(int i, std::uint8_t value) { bytes_[i - 1] = static_cast<char>(value); }

    friend bool operator==(const Bytes&, const Bytes&) = default;

  private:
    std::string bytes_;
};

// A 1-based growable array of Text; elements are copied in and out.
class TextArray {
  public:
    TextArray() = default;
    TextArray(std::initializer_list<Text> items) : items_(items) {}

    int count() const { return static_cast<int>(items_.size()); }
    // 1-based element access; callers keep i inside 1..count.
    const Text& at(int i) const { return items_[static_cast<std::size_t>(i - 1)]; }
    Text& at(int i) { return items_[static_cast<std::size_t>(i - 1)]; }
    void append(Text item) { items_.push_back(std::move(item)); }
    void clear() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    const std::vector<Text>& items() const { return items_; }

    friend bool operator==(const TextArray&, const TextArray&) = default;

  private:
    std::vector<Text> items_;
};

// Character walk: the number of bytes the character starting with `lead` takes.
inline std::size_t char_width(char lead) {
    return static_cast<unsigned char>(lead) >= 0x80 ? 2 : 1;
}

// --- Text operations ---------------------------------------------------------

int text_length(std::string_view t);
Text left_text(std::string_view t, int count);
Text right_text(std::string_view t, int count);
Text mid_text(std::string_view t, int start, int count);

// 1-based position of the first character-aligned occurrence of `target` at or
// after `start` (0 or 1 both mean the first byte), or -1.
int find_text(std::string_view t, std::string_view target, int start = 0, bool ignore_case = false);
Text replace_text(std::string_view t, std::string_view target, std::string_view replacement = {},
                  bool ignore_case = false);
TextArray split_text(std::string_view t, std::string_view delimiter);
Text trim_text(std::string_view t);
Text remove_spaces(std::string_view t);
Text to_upper(std::string_view t);
std::int32_t text_to_int(std::string_view t);
Text int_to_text(std::int32_t value);
Bytes text_to_bytes(std::string_view t);
Text bytes_to_text(const Bytes& b);
bool text_equal(std::string_view a, std::string_view b);

template <typename... Parts>
Text concat_text(const Parts&... parts) {
    Text out;
    out.reserve((std::string_view(parts).size() + ...));
    (out.append(std::string_view(parts)), ...);
    return out;
}

// The bytes strictly between the first `start_marker` at or after `start` and
// the first `end_marker` after it; "" when either is missing. "#引号" in a
// marker stands for a double quote.
Text text_between(std::string_view t, std::string_view start_marker, std::string_view end_marker,
                  int start = 0, bool ignore_case = false);
// The bytes before the first `marker` at or after `start`; "" when it is missing.
Text text_before(std::string_view t, std::string_view marker, int start = 0,
                 bool ignore_case = false);

// --- Byte and array operations -----------------------------------------------

int bytes_length(const Bytes& b);
Bytes bytes_mid(const Bytes& b, int start, int count);
int array_count(const TextArray& a);
void array_append(TextArray& a, const Text& item);

// --- Building blocks shared with the lookup's zero-copy extraction -------------

// 0-based offset of the first character-aligned occurrence of `needle` in
// `hay` at or after `from` (`from` must be a character start), or npos.
std::size_t find_aligned(std::string_view hay, std::string_view needle, std::size_t from,
                         bool ignore_case = false);

// True when byte offset `p` starts a character of the walk that has a
// character start at `known` (known <= p).
bool is_char_start(std::string_view hay, std::size_t known, std::size_t p);

}  // namespace text
