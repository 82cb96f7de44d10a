#include "text/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <utility>

namespace text {
namespace {

std::string iconv_name(int code_page) {
    switch (code_page) {
        case kCodePageUtf8:
            return "UTF-8";
        case kCodePageGbk:
            return "CP936";
        default:
            return "CP" + std::to_string(code_page);
    }
}

// One converter per direction and thread: an iconv_t keeps shift state and must
// not be shared between threads, and opening one costs more than a short
// conversion.
iconv_t converter(const std::string& from, const std::string& to) {
    struct Cache {
        std::map<std::pair<std::string, std::string>, iconv_t> open;
        ~Cache() {
            for (auto& [key, cd] : open) {
                if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
            }
        }
    };
    thread_local Cache cache;
    auto [it, inserted] = cache.open.try_emplace({from, to}, reinterpret_cast<iconv_t>(-1));
    if (inserted) it->second = iconv_open(to.c_str(), from.c_str());
    if (it->second != reinterpret_cast<iconv_t>(-1))
        iconv(it->second, nullptr, nullptr, nullptr, nullptr);
    return it->second;
}

// Converts `in`; at a sequence iconv cannot take, `on_error` appends a stand-in
// to `out` and returns how many input bytes to skip.
template <typename OnError>
std::string convert(iconv_t cd, std::string_view in, OnError on_error) {
    std::string out;
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    std::size_t used = 0;
    while (src_left > 0) {
        char* dst = out.data() + used;
        std::size_t dst_left = out.size() - used;
        const std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
        used = out.size() - dst_left;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: a malformed or incomplete sequence, or a character
        // the target lacks.
        out.resize(used);
        const std::size_t skip = std::min(src_left, on_error(std::string_view(src, src_left), out));
        used = out.size();
        out.resize(used + src_left * 2 + 16);
        src += skip;
        src_left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

constexpr char kReplacementUtf16[] = {'\xFD', '\xFF'};

}  // namespace

Bytes multibyte_to_wide(std::string_view t, int code_page) {
    std::string wide = convert(converter(iconv_name(code_page), "UTF-16LE"), t,
                               [](std::string_view, std::string& out) {
                                   out.append(kReplacementUtf16, 2);
                                   return std::size_t{1};
                               });
    wide.append(2, '\0');
    return Bytes(std::move(wide));
}

Text wide_to_multibyte(const Bytes& wide, int code_page) {
    std::string_view units(wide.data(), wide.size() & ~std::size_t{1});
    for (std::size_t i = 0; i < units.size(); i += 2) {
        if (units[i] == '\0' && units[i + 1] == '\0') {
            units = units.substr(0, i);
            break;
        }
    }
    return convert(converter("UTF-16LE", iconv_name(code_page)), units,
                   [](std::string_view rest, std::string& out) {
                       out.push_back('?');
                       // A surrogate pair is one character and one "?".
                       const auto unit = [&](std::size_t i) {
                           return static_cast<unsigned>(static_cast<unsigned char>(rest[i])) |
                                  static_cast<unsigned>(static_cast<unsigned char>(rest[i + 1]))
                                      << 8;
                       };
                       if (rest.size() >= 4 && unit(0) >= 0xD800 && unit(0) < 0xDC00 &&
                           unit(2) >= 0xDC00 && unit(2) < 0xE000) {
                           return std::size_t{4};
                       }
                       return std::size_t{2};
                   });
}

Text utf8_to_gbk(std::string_view utf8) {
    return wide_to_multibyte(multibyte_to_wide(utf8));
}

std::string gbk_to_utf8(std::string_view gbk) {
    return convert(converter("CP936", "UTF-8"), gbk, [](std::string_view, std::string& out) {
        out.append("\xEF\xBF\xBD");
        return std::size_t{1};
    });
}

}  // namespace text
