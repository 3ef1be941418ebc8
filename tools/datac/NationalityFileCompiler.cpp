// nationalities/<Name>.toml -> <Name>.sdf: a 2-character header and tag, then for each section the
// marker 31, the code, the first variant's date (6 characters) and data, and for every further variant
// the marker 29, its date and data. Text lists: 3-character count and fields. Squads: 3-character row
// count, per row class, special-forces marker and two fields, then a 1-character period count and per
// period from date, to date (6 characters each) and modifier (2 characters).
#include "Compile.h"

#include <algorithm>
#include <array>
#include <map>

namespace dorva::datac {
namespace {

constexpr char kSection = 31;
constexpr char kField = 30;
constexpr char kVariant = 29;
constexpr std::size_t kMaxCount = 999; // counts are written in 3 characters
constexpr std::size_t kMaxPeriods = 9; // the period count is 1 character
constexpr std::int32_t kLastGameDate = 194612;

constexpr std::array<std::string_view, 7> kTextCodes = {"01", "03", "04", "06", "5I", "5O", "6A"};
constexpr std::string_view kSquadCode = "02";
constexpr std::string_view kClasses = "E12CG";

std::string CompileTexts(const Source& source, const toml::table& variant, const std::string& where) {
    source.AllowOnly(variant, {"date", "entries"}, where);
    const toml::node& entriesNode = source.Require(variant, "entries", where);
    const toml::array& entries = source.Array(entriesNode, where + " entries");
    if (entries.size() > kMaxCount) {
        source.Fail(entriesNode, where + " has " + std::to_string(entries.size()) + " entries; at most " +
                                     std::to_string(kMaxCount) + " fit the 3-character count");
    }
    std::string out = ZeroPadded(static_cast<std::int64_t>(entries.size()), 3);
    for (const toml::node& entry : entries) {
        out += source.Text(entry, "entry");
        out += kField;
    }
    return out;
}

std::string Modifier(std::int64_t value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? " " + text : text;
}

std::string CompileSquads(const Source& source, const toml::table& variant, const std::string& where) {
    source.AllowOnly(variant, {"date", "rows", "periods"}, where);
    const toml::node& rowsNode = source.Require(variant, "rows", where);
    const toml::array& rows = source.TableArray(rowsNode, where + " rows");
    if (rows.size() > kMaxCount) {
        source.Fail(rowsNode, where + " has " + std::to_string(rows.size()) + " rows; at most " +
                                  std::to_string(kMaxCount) + " fit the 3-character count");
    }
    std::string out = ZeroPadded(static_cast<std::int64_t>(rows.size()), 3);
    for (const toml::node& rowNode : rows) {
        const toml::table& row = *rowNode.as_table();
        source.AllowOnly(row, {"class", "special", "first", "second"}, "a squad row");
        const toml::node& classNode = source.Require(row, "class", "a squad row");
        const std::string cls = source.Text(classNode, "class");
        if (cls.size() != 1 || kClasses.find(cls[0]) == std::string_view::npos) {
            source.Fail(classNode, "class \"" + Latin1ToUtf8(cls) + "\" must be one of E 1 2 C G");
        }
        out += cls;
        out += source.Boolean(source.Require(row, "special", "a squad row"), "special") ? '1' : '0';
        out += source.Text(source.Require(row, "first", "a squad row"), "first") + kField;
        out += source.Text(source.Require(row, "second", "a squad row"), "second") + kField;
    }
    const toml::node* periodsNode = variant.get("periods");
    if (!periodsNode) {
        return out + "0";
    }
    const toml::array& periods = source.TableArray(*periodsNode, where + " periods");
    if (periods.size() > kMaxPeriods) {
        source.Fail(*periodsNode, where + " has " + std::to_string(periods.size()) + " periods; at most " +
                                      std::to_string(kMaxPeriods) + " fit the 1-character count");
    }
    out += std::to_string(periods.size());
    for (const toml::node& periodNode : periods) {
        const toml::table& period = *periodNode.as_table();
        source.AllowOnly(period, {"from", "to", "modifier"}, "a period");
        const toml::node& fromNode = source.Require(period, "from", "a period");
        const std::int32_t from = source.Date(fromNode, "from");
        const std::int32_t to = source.Date(source.Require(period, "to", "a period"), "to");
        if (from > to) {
            source.Fail(fromNode, "period from " + std::to_string(from) + " ends before it begins (to " +
                                      std::to_string(to) + ")");
        }
        // Two characters hold -9 to 99.
        const std::int64_t modifier =
            source.Integer(source.Require(period, "modifier", "a period"), "modifier", -9, 99);
        out += std::to_string(from) + std::to_string(to) + Modifier(modifier);
    }
    return out;
}

// A text list variant and the game dates it serves: after the date of the variant before it, up to
// its own.
struct TextVariant {
    std::int32_t after = 0, upTo = 0;
    const toml::array* entries = nullptr;
};

bool ServeACommonDate(const TextVariant& a, const TextVariant& b) {
    return std::max(a.after, b.after) < std::min(a.upTo, b.upTo);
}

// Alternatives "a[n] b[6] " are resolved only on the way of an AFV activation. A self-propelled gun
// reads its SPG entry, or through "NOTE1" the AFV entry of the same DR, as it stands: an alternative
// there would reach the player as raw text.
void CheckAlternatives(const Source& source,
                       const std::map<std::string, std::vector<TextVariant>>& variants) {
    const auto spg = variants.find("6A");
    if (spg == variants.end()) {
        return;
    }
    for (const TextVariant& s : spg->second) {
        for (std::size_t i = 0; i < s.entries->size(); ++i) {
            const toml::node& entry = *s.entries->get(i);
            const std::string text = source.Text(entry, "entry");
            if (text.find('[') != std::string::npos) {
                source.Fail(entry, "SPG entry " + std::to_string(i + 1) +
                                       " offers alternatives; only AFV entries have them chosen by a die");
            }
            const auto afv = variants.find("06");
            if (text != "NOTE1" || afv == variants.end()) {
                continue;
            }
            for (const TextVariant& a : afv->second) {
                if (i < a.entries->size() && ServeACommonDate(s, a) &&
                    source.Text(*a.entries->get(i), "entry").find('[') != std::string::npos) {
                    source.Fail(*a.entries->get(i),
                                "AFV entry " + std::to_string(i + 1) +
                                    " offers alternatives, but SPG entry " + std::to_string(i + 1) +
                                    " sends self-propelled guns to it (\"NOTE1\") at a date it "
                                    "serves, and nothing chooses among them there");
                }
            }
        }
    }
}

} // namespace

std::string CompileNationalityFile(const Source& source) {
    const toml::table& root = source.Root();
    source.AllowOnly(root, {"header", "tag", "section"}, "the nationality file");
    std::string out = source.FixedText(source.Require(root, "header", "the nationality file"), "header", 2);
    out += source.FixedText(source.Require(root, "tag", "the nationality file"), "tag", 2);

    std::map<std::string, std::uint32_t> seen;
    std::map<std::string, std::vector<TextVariant>> textVariants;
    const toml::node* sectionsNode = root.get("section");
    if (!sectionsNode) {
        return out;
    }
    for (const toml::node& sectionNode : source.TableArray(*sectionsNode, "[[section]]")) {
        const toml::table& section = *sectionNode.as_table();
        source.AllowOnly(section, {"code", "variant"}, "a section");
        const toml::node& codeNode = source.Require(section, "code", "a section");
        const std::string code = source.FixedText(codeNode, "code", 2);
        const bool squads = code == kSquadCode;
        if (!squads && std::find(kTextCodes.begin(), kTextCodes.end(), code) == kTextCodes.end()) {
            source.Fail(codeNode, "unknown section code \"" + code +
                                      "\" (codes are 01 02 03 04 06 5I 5O 6A; case matters)");
        }
        if (const auto it = seen.find(code); it != seen.end()) {
            source.Fail(codeNode, "section \"" + code + "\" already stands at line " +
                                      std::to_string(it->second) + "; the program would read only the first");
        }
        seen.emplace(code, Source::Line(sectionNode));

        const std::string where = "section \"" + code + "\"";
        const toml::node& variantsNode = source.Require(section, "variant", where);
        const toml::array& variants = source.TableArray(variantsNode, where + " variants");
        if (variants.empty()) {
            source.Fail(variantsNode, where + " has no variant");
        }
        std::int32_t previous = 0;
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const toml::table& variant = *variants.get(v)->as_table();
            const toml::node& dateNode = source.Require(variant, "date", where + " variant");
            const std::int32_t date = source.Date(dateNode, "date");
            if (v > 0 && date <= previous) {
                source.Fail(dateNode, where + ": date " + std::to_string(date) + " does not come after " +
                                          std::to_string(previous) + "; variant dates must rise");
            }
            if (v + 1 == variants.size() && date < kLastGameDate) {
                source.Fail(dateNode, where + ": the last variant is dated " + std::to_string(date) +
                                          "; it must be 194612 or later so that every game date finds one");
            }
            if (!squads) {
                if (const toml::node* entries = variant.get("entries"); entries && entries->is_array()) {
                    textVariants[code].push_back({v == 0 ? 0 : previous, date, entries->as_array()});
                }
            }
            previous = date;
            out += v == 0 ? std::string(1, kSection) + code : std::string(1, kVariant);
            out += std::to_string(date);
            out += squads ? CompileSquads(source, variant, where + " variant")
                          : CompileTexts(source, variant, where + " variant");
        }
    }
    CheckAlternatives(source, textVariants);
    return out;
}

} // namespace dorva::datac
