#include "Source.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace dorva::datac {
namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string CodePoint(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

} // namespace

bool Utf8ToLatin1(std::string_view utf8, std::string& latin1, char32_t& offending) {
    // toml++ has already checked that the text is well-formed UTF-8.
    latin1.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t c = 0;
        std::size_t length = 1;
        if (lead < 0x80) {
            c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            c = lead & 0x1Fu;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            c = lead & 0x0Fu;
            length = 3;
        } else {
            c = lead & 0x07u;
            length = 4;
        }
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        if (c > 0xFF) {
            offending = c;
            return false;
        }
        latin1 += static_cast<char>(static_cast<unsigned char>(c));
        i += length;
    }
    return true;
}

Source Source::Parse(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw SourceError(file, 0, "cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseText(text.str(), file);
}

Source Source::ParseText(std::string_view text, const std::string& file) {
    try {
        return Source(file, toml::parse(text, file));
    } catch (const toml::parse_error& e) {
        throw SourceError(file, e.source().begin.line, std::string(e.description()));
    }
}

void Source::Fail(const toml::node& at, const std::string& message) const {
    Fail(Line(at), message);
}

void Source::Fail(std::uint32_t line, const std::string& message) const {
    throw SourceError(file_, line, message);
}

void Source::AllowOnly(const toml::table& table, std::initializer_list<std::string_view> allowed,
                       std::string_view where) const {
    for (const auto& [key, value] : table) {
        bool known = false;
        for (std::string_view a : allowed) {
            known = known || key.str() == a;
        }
        if (!known) {
            std::string list;
            for (std::string_view a : allowed) {
                list += (list.empty() ? "" : ", ") + std::string(a);
            }
            Fail(key.source().begin.line, "unknown key " + Quoted(key.str()) + " in " + std::string(where) +
                                              " (known keys: " + list + ")");
        }
    }
}

const toml::node& Source::Require(const toml::table& table, std::string_view key,
                                  std::string_view where) const {
    const toml::node* node = table.get(key);
    if (!node) {
        Fail(table, std::string(where) + " has no " + Quoted(key));
    }
    return *node;
}

const toml::table& Source::Table(const toml::node& node, std::string_view what) const {
    if (!node.is_table()) {
        Fail(node, std::string(what) + " must be a table");
    }
    return *node.as_table();
}

const toml::array& Source::Array(const toml::node& node, std::string_view what) const {
    if (!node.is_array()) {
        Fail(node, std::string(what) + " must be an array");
    }
    return *node.as_array();
}

const toml::array& Source::TableArray(const toml::node& node, std::string_view what) const {
    const toml::array& array = Array(node, what);
    for (const toml::node& element : array) {
        if (!element.is_table()) {
            Fail(element, "every element of " + std::string(what) + " must be a table");
        }
    }
    return array;
}

std::int64_t Source::Integer(const toml::node& node, std::string_view what) const {
    if (!node.is_integer()) {
        Fail(node, std::string(what) + " must be a whole number");
    }
    return node.as_integer()->get();
}

std::int64_t Source::Integer(const toml::node& node, std::string_view what, std::int64_t low,
                             std::int64_t high) const {
    const std::int64_t value = Integer(node, what);
    if (value < low || value > high) {
        Fail(node, std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(low) +
                       " to " + std::to_string(high));
    }
    return value;
}

bool Source::Boolean(const toml::node& node, std::string_view what) const {
    if (!node.is_boolean()) {
        Fail(node, std::string(what) + " must be true or false");
    }
    return node.as_boolean()->get();
}

std::string Source::Text(const toml::node& node, std::string_view what) const {
    if (!node.is_string()) {
        Fail(node, std::string(what) + " must be a text in double quotes");
    }
    const std::string& utf8 = node.as_string()->get();
    std::string latin1;
    char32_t offending = 0;
    if (!Utf8ToLatin1(utf8, latin1, offending)) {
        Fail(node, std::string(what) + " " + Quoted(utf8) + ": character " + CodePoint(offending) +
                       " is not in Latin-1; the built files hold single-byte texts");
    }
    for (const char c : latin1) {
        if (c == 29 || c == 30 || c == 31) {
            Fail(node, std::string(what) + " " + Quoted(utf8) + ": the byte " + std::to_string(int(c)) +
                           " separates the parts of the built files and cannot stand in a text");
        }
    }
    return latin1;
}

std::string Source::FixedText(const toml::node& node, std::string_view what, std::size_t length) const {
    std::string text = Text(node, what);
    if (text.size() != length) {
        Fail(node, std::string(what) + " " + Quoted(Latin1ToUtf8(text)) + " must be exactly " +
                       std::to_string(length) + " characters");
    }
    return text;
}

std::int32_t Source::Date(const toml::node& node, std::string_view what) const {
    const std::int64_t date = Integer(node, what);
    if (date < 100000 || date > 999999 || date % 100 < 1 || date % 100 > 12) {
        Fail(node, std::string(what) + " " + std::to_string(date) +
                       " is not a date YYYYMM (six digits, month 01 to 12)");
    }
    return static_cast<std::int32_t>(date);
}

std::string ZeroPadded(std::int64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

} // namespace dorva::datac
