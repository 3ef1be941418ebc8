#pragma once
// Reading a TOML source of the support files: every value checked, every mistake reported with the
// source file and line.

#include "data/Text.h"

#include <toml++/toml.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dorva::datac {

// A mistake in a source, reported as "file:line: message".
class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& file, std::uint32_t line, const std::string& message)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

// UTF-8 text of a source to the single-byte Latin-1 text of the built files; nullopt-like failure is
// reported by the caller through the offending code point.
bool Utf8ToLatin1(std::string_view utf8, std::string& latin1, char32_t& offending);
using data::Latin1ToUtf8;

// One source file being compiled.
class Source {
public:
    // Parses the file; a TOML syntax error is reported as a SourceError.
    static Source Parse(const std::string& file);
    static Source ParseText(std::string_view text, const std::string& file);

    const std::string& File() const { return file_; }
    const toml::table& Root() const { return root_; }

    [[noreturn]] void Fail(const toml::node& at, const std::string& message) const;
    [[noreturn]] void Fail(std::uint32_t line, const std::string& message) const;
    static std::uint32_t Line(const toml::node& node) { return node.source().begin.line; }

    // Every key of table must be one of allowed.
    void AllowOnly(const toml::table& table, std::initializer_list<std::string_view> allowed,
                   std::string_view where) const;
    // The value of a key that must be present.
    const toml::node& Require(const toml::table& table, std::string_view key, std::string_view where) const;

    const toml::table& Table(const toml::node& node, std::string_view what) const;
    const toml::array& Array(const toml::node& node, std::string_view what) const;
    // An array whose every element is a table (an array of tables or of inline tables).
    const toml::array& TableArray(const toml::node& node, std::string_view what) const;
    std::int64_t Integer(const toml::node& node, std::string_view what) const;
    std::int64_t Integer(const toml::node& node, std::string_view what, std::int64_t low,
                         std::int64_t high) const;
    bool Boolean(const toml::node& node, std::string_view what) const;
    // A text of the built files: Latin-1 only, none of the separator bytes 29, 30 and 31.
    std::string Text(const toml::node& node, std::string_view what) const;
    // A text of exactly length characters.
    std::string FixedText(const toml::node& node, std::string_view what, std::size_t length) const;
    // A date YYYYMM: six digits, month 01 to 12.
    std::int32_t Date(const toml::node& node, std::string_view what) const;

private:
    Source(std::string file, toml::table root) : file_(std::move(file)), root_(std::move(root)) {}
    std::string file_;
    toml::table root_;
};

// A number right-aligned in width characters with leading zeros ("07", "016").
std::string ZeroPadded(std::int64_t value, std::size_t width);

} // namespace dorva::datac
