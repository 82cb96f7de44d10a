#include "http/headers.h"

namespace http {

Text normalize_header_block(const Text& block) {
    Text out;
    for (const Text& piece : text::split_text(block, "\r\n")) {
        if (text::find_text(piece, ": ") == -1) continue;
        const text::TextArray parts = text::split_text(piece, ": ");
        Text name = parts.count() >= 1 ? parts.at(1) : Text();
        if (text::find_text(name, "-") == -1) {
            name = capitalize_first(name);
        } else {
            Text joined;
            const text::TextArray words = text::split_text(name, "-");
            for (int i = 1; i <= words.count(); ++i) {
                if (i > 1) joined += "-";
                joined += capitalize_first(words.at(i));
            }
            name = joined;
        }
        if (parts.count() == 2) {
            out += text::concat_text(name, ": ", parts.at(2), "\r\n");
        } else {
            out += text::concat_text(name, ": \r\n");
        }
    }
    return text::left_text(out, text::text_length(out) - 2);
}

Text capitalize_first(const Text& t) {
    return text::concat_text(text::to_upper(text::left_text(t, 1)),
                             text::mid_text(t, 2, text::text_length(t)));
}

Text header_name(const Text& line) {
    const int p = text::find_text(line, ":");
    if (p == -1) return {};
    return text::trim_text(text::left_text(line, p - 1));
}

Text header_value(const Text& line) {
    const int p = text::find_text(line, ":");
    if (p == -1) return {};
    return text::trim_text(text::right_text(line, text::text_length(line) - p));
}

Text base64_encode(const text::Bytes& bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const std::string& in = bytes.str();
    Text out;
    out.reserve((in.size() + 2) / 3 * 4);
    std::size_t i = 0;
    auto byte = [&](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(in[k]));
    };
    for (; i + 3 <= in.size(); i += 3) {
        const unsigned v = byte(i) << 16 | byte(i + 1) << 8 | byte(i + 2);
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63],
                kAlphabet[v & 63]};
    }
    if (in.size() - i == 1) {
        const unsigned v = byte(i) << 16;
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], '=', '='};
    } else if (in.size() - i == 2) {
        const unsigned v = byte(i) << 16 | byte(i + 1) << 8;
        out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63], '='};
    }
    return out;
}

}  // namespace http
