// config.toml -> config.sco: a 2-character header, then for each section the marker 31, the code and
// its data (list: 2-character count and the fields; grid: 2-character rows and columns and the fields
// row by row), every field ended by byte 30.
#include "Compile.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace dorva::datac {
namespace {

constexpr char kSection = 31;
constexpr char kField = 30;
constexpr std::size_t kMaxCount = 99; // counts are written in 2 characters

constexpr std::array<std::string_view, 14> kListCodes = {"A1", "A5", "HR", "4A", "4B", "4C", "3A",
                                                         "3B", "3C", "3D", "3E", "CC", "Ad", "Hd"};
constexpr std::array<std::string_view, 2> kGridCodes = {"IF", "9E"};

bool IsOneOf(std::string_view code, auto codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

struct Section {
    std::uint32_t line;
    bool grid;
    const toml::table* table;
};

std::string Fields(const Source& source, const toml::array& values, std::string_view what) {
    std::string out;
    for (const toml::node& value : values) {
        out += source.Text(value, what);
        out += kField;
    }
    return out;
}

std::string CompileList(const Source& source, const toml::table& list, const std::string& code) {
    const std::string where = "list \"" + code + "\"";
    const toml::node& entriesNode = source.Require(list, "entries", where);
    const toml::array& entries = source.Array(entriesNode, where + " entries");
    if (entries.size() > kMaxCount) {
        source.Fail(entriesNode, where + " has " + std::to_string(entries.size()) + " entries; at most " +
                                     std::to_string(kMaxCount) + " fit its 2-character count");
    }
    return ZeroPadded(static_cast<std::int64_t>(entries.size()), 2) +
           Fields(source, entries, where + " entry");
}

std::string CompileGrid(const Source& source, const toml::table& grid, const std::string& code) {
    const std::string where = "grid \"" + code + "\"";
    const toml::node& cellsNode = source.Require(grid, "cells", where);
    const toml::array& rows = source.Array(cellsNode, where + " cells");
    if (rows.size() > kMaxCount) {
        source.Fail(cellsNode, where + " has " + std::to_string(rows.size()) + " rows; at most " +
                                   std::to_string(kMaxCount) + " fit its 2-character count");
    }
    std::size_t columns = 0;
    std::string fields;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const toml::array& row = source.Array(*rows.get(r), where + " row");
        if (r == 0) {
            columns = row.size();
            if (columns > kMaxCount) {
                source.Fail(*rows.get(r), where + " has " + std::to_string(columns) + " columns; at most " +
                                              std::to_string(kMaxCount) + " fit its 2-character count");
            }
        } else if (row.size() != columns) {
            source.Fail(*rows.get(r), where + " row " + std::to_string(r) + " has " +
                                          std::to_string(row.size()) + " cells where row 0 has " +
                                          std::to_string(columns) + "; every row needs the same number");
        }
        fields += Fields(source, row, where + " cell");
    }
    return ZeroPadded(static_cast<std::int64_t>(rows.size()), 2) +
           ZeroPadded(static_cast<std::int64_t>(columns), 2) + fields;
}

std::vector<Section> Sections(const Source& source) {
    std::vector<Section> sections;
    const toml::table& root = source.Root();
    for (const auto& [key, grid] : {std::pair{"list", false}, std::pair{"grid", true}}) {
        if (const toml::node* node = root.get(key)) {
            for (const toml::node& element : source.TableArray(*node, std::string("[[") + key + "]]")) {
                sections.push_back({Source::Line(element), grid, element.as_table()});
            }
        }
    }
    // The sections are written in the order they stand in the source, lists and grids mixed.
    std::stable_sort(sections.begin(), sections.end(),
                     [](const Section& a, const Section& b) { return a.line < b.line; });
    return sections;
}

} // namespace

std::string CompileTableFile(const Source& source) {
    const toml::table& root = source.Root();
    source.AllowOnly(root, {"header", "list", "grid"}, "the table file");
    std::string out = source.FixedText(source.Require(root, "header", "the table file"), "header", 2);

    std::map<std::string, std::uint32_t> seen;
    for (const Section& section : Sections(source)) {
        const toml::table& table = *section.table;
        const char* kind = section.grid ? "grid" : "list";
        source.AllowOnly(table, {"code", section.grid ? "cells" : "entries"}, std::string("a ") + kind);
        const toml::node& codeNode = source.Require(table, "code", std::string("a ") + kind);
        const std::string code = source.FixedText(codeNode, "code", 2);
        if (section.grid ? IsOneOf(code, kListCodes) : IsOneOf(code, kGridCodes)) {
            source.Fail(codeNode, "\"" + code + "\" is a " + (section.grid ? "list" : "grid") +
                                      " table; write it as [[" + (section.grid ? "list" : "grid") + "]]");
        }
        if (!IsOneOf(code, kListCodes) && !IsOneOf(code, kGridCodes)) {
            source.Fail(codeNode,
                        "unknown section code \"" + code +
                            "\" (codes are A1 A5 HR 4A 4B 4C 3A 3B 3C 3D 3E CC Ad Hd IF 9E; case matters)");
        }
        if (const auto it = seen.find(code); it != seen.end()) {
            source.Fail(codeNode, "section \"" + code + "\" already stands at line " +
                                      std::to_string(it->second) + "; the program would read only the first");
        }
        seen.emplace(code, section.line);
        out += kSection;
        out += code;
        out += section.grid ? CompileGrid(source, table, code) : CompileList(source, table, code);
    }
    return out;
}

std::optional<int> IfColumns(const Source& configSource) {
    for (const Section& section : Sections(configSource)) {
        const toml::node* code = section.table->get("code");
        const toml::node* cells = section.table->get("cells");
        if (section.grid && code && code->value<std::string>() == "IF" && cells && cells->is_array()) {
            const toml::array& rows = *cells->as_array();
            if (rows.empty() || !rows.get(0)->is_array()) {
                return 0;
            }
            return static_cast<int>(rows.get(0)->as_array()->size());
        }
    }
    return std::nullopt;
}

} // namespace dorva::datac
