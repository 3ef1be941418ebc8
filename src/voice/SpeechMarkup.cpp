#include "voice/SpeechMarkup.h"

#include <cstdint>
#include <optional>

namespace dorva::voice {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// One character of text, escaped for XML; control characters (line breaks among them) are a pause
// between words, nothing to pronounce.
void AppendText(std::string& out, std::uint32_t code) {
    switch (code) {
    case '<':
        out += "&lt;";
        return;
    case '>':
        out += "&gt;";
        return;
    case '&':
        out += "&amp;";
        return;
    default:
        break;
    }
    if (code < 0x20 || code == 0x7F) {
        out += ' ';
        return;
    }
    AppendUtf8(out, code);
}

// The character an XML reference at the start of text stands for, and its length.
std::optional<std::pair<std::uint32_t, std::size_t>> Reference(std::string_view text) {
    const std::size_t semicolon = text.find(';');
    if (semicolon == std::string_view::npos || semicolon > 10) {
        return std::nullopt;
    }
    const std::string_view name = text.substr(1, semicolon - 1);
    const std::size_t length = semicolon + 1;
    for (const auto& [entity, code] : {std::pair{"amp", '&'}, std::pair{"lt", '<'}, std::pair{"gt", '>'},
                                       std::pair{"quot", '"'}, std::pair{"apos", '\''}}) {
        if (name == entity) {
            return std::pair{static_cast<std::uint32_t>(code), length};
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return std::nullopt;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint32_t code = 0;
    for (const char c : digits) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (hex && Lower(c) >= 'a' && Lower(c) <= 'f') {
            digit = static_cast<std::uint32_t>(Lower(c) - 'a' + 10);
        } else {
            return std::nullopt;
        }
        code = code * (hex ? 16 : 10) + digit;
        if (code > 0x10FFFF) {
            return std::nullopt;
        }
    }
    if (code == 0) {
        return std::nullopt;
    }
    return std::pair{code, length};
}

// The length of the element tag at the start of text ("<spell>", "</spell>", "<silence msec=\"5\"/>",
// "<!-- x -->"), or 0 when the "<" opens no tag and is a character of the text.
std::size_t TagLength(std::string_view text) {
    if (text.size() < 3) {
        return 0;
    }
    const char first = text[1];
    const bool opensTag =
        IsLetter(first) || first == '!' || first == '?' || (first == '/' && IsLetter(text[2]));
    if (!opensTag) {
        return 0;
    }
    if (text.starts_with("<!--")) {
        const std::size_t end = text.find("-->");
        return end == std::string_view::npos ? 0 : end + 3;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '>') {
            return i + 1;
        }
        if (text[i] == '<') {
            return 0;
        }
    }
    return 0;
}

} // namespace

std::string ToEspeakSsml(std::string_view text, int flags) {
    const bool markup = (flags & kSpeakMarkupFlag) != 0;
    std::string out = "<speak>";
    bool spelling = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '<') {
            if (const std::size_t length = TagLength(text.substr(i)); length != 0) {
                const std::string_view tag = text.substr(i, length);
                const bool closing = tag[1] == '/';
                std::string name;
                for (std::size_t k = closing ? 2 : 1; k < tag.size() && IsLetter(tag[k]); ++k) {
                    name += Lower(tag[k]);
                }
                const bool empty = tag.size() >= 2 && tag[tag.size() - 2] == '/';
                if (name == "spell" && !closing && !empty && !spelling) {
                    out += "<say-as interpret-as=\"characters\">";
                    spelling = true;
                } else if (name == "spell" && closing && spelling) {
                    out += "</say-as>";
                    spelling = false;
                }
                i += length;
                continue;
            }
        }
        if (c == '&' && markup) {
            if (const auto reference = Reference(text.substr(i))) {
                AppendText(out, reference->first);
                i += reference->second;
                continue;
            }
        }
        AppendText(out, static_cast<unsigned char>(c));
        ++i;
    }
    if (spelling) {
        out += "</say-as>";
    }
    out += "</speak>";
    return out;
}

} // namespace dorva::voice
