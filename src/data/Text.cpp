#include "data/Text.h"

namespace dorva::data {

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size() + latin1.size() / 8);
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string Utf8ToLatin1(std::string_view utf8) {
    std::string latin1;
    latin1.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            latin1 += utf8[i];
            continue;
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        const bool whole = length > 1 && i + length <= utf8.size();
        if (whole && length == 2 && byte <= 0xC3 &&
            (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) {
            latin1 +=
                static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        } else {
            latin1 += '?';
        }
        i += whole ? length - 1 : 0;
    }
    return latin1;
}

} // namespace dorva::data
