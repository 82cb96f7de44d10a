#include "lookup/normalize.h"

#include <array>
#include <string_view>

namespace lookup {

using text::Text;

namespace {
constexpr std::array<std::string_view, 9> kStripCharacters = {"/", "\\", "|", "*", "?",
                                                              ":", ",",  "-", "\""};
}

Text normalize_number(Text& number) {
    for (std::string_view c : kStripCharacters) {
        number = text::replace_text(number, c, "", true);
        number = text::remove_spaces(number);
    }
    return number;
}

Text search_keyword(Text& number) {
    normalize_number(number);
    return text::left_text(number, text::text_length(number) - 4);
}

}  // namespace lookup
