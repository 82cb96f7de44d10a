#include "http/cookies.h"

namespace http {

Text merge_cookies(Text& sent, Text& returned) {
    sent = text::remove_spaces(sent);
    returned = text::remove_spaces(returned);
    const TextArray old = text::split_text(sent, ";");
    TextArray merged = text::split_text(returned, ";");
    // `merged` grows while `old` is walked, so among old entries of one name
    // the first wins, and a returned entry wins over all of them.
    for (const Text& entry : old) {
        if (!contains_cookie_name(merged, cookie_name(entry))) text::array_append(merged, entry);
    }
    sent.clear();
    for (const Text& entry : merged) {
        if (!text::text_equal(text::right_text(entry, 8), "=deleted")) {
            sent += entry;
            sent += "; ";
        }
    }
    sent = text::left_text(sent, text::text_length(sent) - 2);
    sent = dedupe_text(sent, Text("; "));
    return sent;
}

Text dedupe_text(const Text& t, const std::optional<Text>& separator) {
    TextArray pieces;
    Text sep;
    if (separator) {
        pieces = text::split_text(t, *separator);
        sep = *separator;
    } else {
        split_characters(t, pieces);
    }
    TextArray seen;
    Text out;
    for (const Text& piece : pieces) {
        if (index_of_text(seen, piece) == -1) {
            text::array_append(seen, piece);
            out += piece;
            out += sep;
        }
    }
    return text::left_text(out, text::text_length(out) - text::text_length(sep));
}

Text cookie_name(const Text& entry) {
    const int p = text::find_text(entry, "=");
    if (p == -1) return text::trim_text(entry);
    return text::trim_text(text::left_text(entry, p - 1));
}

bool contains_cookie_name(const TextArray& entries, const Text& name) {
    for (const Text& entry : entries) {
        if (text::text_equal(cookie_name(entry), name)) return true;
    }
    return false;
}

int split_characters(const Text& t, TextArray& pieces) {
    pieces.clear();
    const text::Bytes b = text::text_to_bytes(t);
    const int n = text::bytes_length(b);
    int d = 1;
    while (d <= n) {
        int k = 1;
        if (d < n && (b.at(d) >= 129 || (b.at(d) == 13 && b.at(d + 1) == 10))) k = 2;
        text::array_append(pieces, text::bytes_to_text(text::bytes_mid(b, d, k)));
        d += k;
    }
    return pieces.count();
}

int index_of_text(const TextArray& items, const Text& t) {
    for (int i = 1; i <= items.count(); ++i) {
        if (text::text_equal(items.at(i), t)) return i;
    }
    return -1;
}

}  // namespace http
