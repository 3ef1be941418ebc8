// commands.toml -> dorva.cfg (the grammar the recogniser loads) and DORVA2_What_Can_I_Say.txt (the
// list the player reads), both from the same rules so that they never drift apart. The layout of
// dorva.cfg is described in tools/datac/README.md.
#include "Compile.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace dorva::datac {
namespace {

// The rule names the command dispatcher knows; any other name would never do anything.
constexpr std::array<std::string_view, 44> kRuleNames = {"activationroll",
                                                         "manualactivation",
                                                         "clearactivationmodifiers",
                                                         "rolladie",
                                                         "rolldice",
                                                         "table6a",
                                                         "table6b",
                                                         "table6c",
                                                         "table6d",
                                                         "table6e",
                                                         "table6f",
                                                         "table6g",
                                                         "table6h",
                                                         "athroughgg",
                                                         "1through10",
                                                         "xthroughy",
                                                         "location",
                                                         "repeat",
                                                         "AttackWithoutDRM",
                                                         "AttackWithDRM",
                                                         "starttalking",
                                                         "stoptalking",
                                                         "startlistening",
                                                         "stoplistening",
                                                         "actionsinfantrymove",
                                                         "actionsholdodd",
                                                         "actionsholdeven",
                                                         "actionsadvance",
                                                         "actionsvehiclemove",
                                                         "actionsdirection",
                                                         "actionsinfantryactions",
                                                         "actionsvehicleactions",
                                                         "actionsiftattack",
                                                         "actionslatwattack",
                                                         "actionsordvsveh",
                                                         "actionsordvsinf",
                                                         "actionsiftlookup",
                                                         "actionslatwlookup",
                                                         "actionsordvsvehlookup",
                                                         "actionsordvsinflookup",
                                                         "closecombatadvance",
                                                         "closecombatntc",
                                                         "closecombatpairings",
                                                         "closecombatattack"};
constexpr std::string_view kAttackWithout = "AttackWithoutDRM";
constexpr std::string_view kAttackWith = "AttackWithDRM";

// Grammar rules spoken through a pattern, and the slots each pattern holds in their order; a slot's
// value is the phrase's property of the same place. Every other rule is spoken through say.
struct PatternRule {
    std::string_view rule;
    std::vector<std::string_view> slots;
};
const std::array<PatternRule, 6> kPatternRules = {{
    {kAttackWithout, {"firepower"}},
    {kAttackWith, {"firepower", "sign", "modifier"}},
    {"actionsiftlookup", {"dr"}},
    {"actionslatwlookup", {"dr"}},
    {"actionsordvsvehlookup", {"dr"}},
    {"actionsordvsinflookup", {"dr"}},
}};

const PatternRule* FindPatternRule(std::string_view rule) {
    for (const PatternRule& p : kPatternRules) {
        if (p.rule == rule) {
            return &p;
        }
    }
    return nullptr;
}

struct Choice {
    std::string say;
    std::string value; // the property value as written in the grammar
};

const std::array<Choice, 2> kSigns = {Choice{"minus", "-1"}, Choice{"plus", "1"}};

struct Phrase {
    std::string words;
    std::string properties; // empty, or the values separated by blanks
};

struct Rule {
    std::string name;
    std::string help;
    std::vector<std::string> shown; // the phrases as the list shows them
    std::vector<Phrase> phrases;
    std::vector<std::string_view> slots; // of its pattern
    std::string screen;                  // the heading it stands under in the list; empty: none
};

// How the list shows a pattern's slots, in the order of the lists of choices at its end.
constexpr std::array<std::pair<const char*, const char*>, 4> kSlotWords = {{
    {"{firepower}", "<firepower>"},
    {"{sign}", "<minus or plus>"},
    {"{modifier}", "<modifier>"},
    {"{dr}", "<DR>"},
}};

// A phrase of the grammar: words of letters, digits, apostrophes and hyphens, one blank between two
// words. Nothing in it may be taken for the grammar file's own marks (" = ", "#", braces).
void CheckPhrase(const Source& source, const toml::node& at, const std::string& phrase, bool pattern) {
    if (phrase.empty() || phrase.front() == ' ' || phrase.back() == ' ' ||
        phrase.find("  ") != std::string::npos) {
        source.Fail(at, "phrase \"" + Latin1ToUtf8(phrase) +
                            "\" must be words with one blank between two words, no blank at either end");
    }
    for (const char c : phrase) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == ' ' || c == '\'' || c == '-' || (pattern && (c == '{' || c == '}'));
        if (!ok) {
            source.Fail(at, "phrase \"" + Latin1ToUtf8(phrase) + "\": the character '" +
                                Latin1ToUtf8(std::string(1, c)) +
                                "' cannot be spoken (letters, digits, blanks, ' and - only)");
        }
    }
}

std::vector<Choice> Choices(const Source& source, const char* key, std::int64_t low, std::int64_t high,
                            std::optional<int> ifColumns) {
    std::vector<Choice> choices;
    const toml::node* node = source.Root().get(key);
    if (!node) {
        return choices;
    }
    const std::string what = std::string("a ") + key;
    std::map<std::string, std::uint32_t> seen;
    const bool firepower = std::string_view(key) == "firepower";
    for (const toml::node& element : source.TableArray(*node, std::string("[[") + key + "]]")) {
        const toml::table& table = *element.as_table();
        if (firepower) {
            source.AllowOnly(table, {"say", "value", "column"}, what);
        } else {
            source.AllowOnly(table, {"say", "value"}, what);
        }
        const toml::node& sayNode = source.Require(table, "say", what);
        const std::string say = source.Text(sayNode, "say");
        CheckPhrase(source, sayNode, say, false);
        if (const auto it = seen.find(say); it != seen.end()) {
            source.Fail(sayNode, "\"" + say + "\" already stands at line " + std::to_string(it->second));
        }
        seen.emplace(say, Source::Line(sayNode));
        const std::int64_t value = source.Integer(source.Require(table, "value", what), "value", low, high);
        std::string property = firepower ? ZeroPadded(value, 2) : std::to_string(value);
        if (firepower) {
            const toml::node& columnNode = source.Require(table, "column", what);
            const std::int64_t column = source.Integer(columnNode, "column", 0, 99);
            if (ifColumns && column >= *ifColumns) {
                source.Fail(columnNode, "column " + std::to_string(column) +
                                            " is outside the IF table, which has " +
                                            std::to_string(*ifColumns) + " columns (0 to " +
                                            std::to_string(*ifColumns - 1) + ")");
            }
            property += ZeroPadded(column, 2);
        }
        choices.push_back({say, property});
    }
    return choices;
}

// Expands a pattern into one phrase for each combination of its slots' choices, the first slot
// varying slowest. The properties are the slots' values in the pattern's order; an attack's are 0:
// firepower and IF column ("0402"), 1: the sign (-1 or 1), 2: the modifier; a look-up's 0: the DR.
std::vector<Phrase> Expand(const Source& source, const toml::node& at, const std::string& pattern,
                           const PatternRule& rule,
                           const std::map<std::string, std::vector<Choice>>& choices) {
    std::vector<std::string> slots;
    std::vector<std::string> pieces{std::string()}; // literal text before, between and after the slots
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{') {
            const std::size_t close = pattern.find('}', i);
            if (close == std::string::npos) {
                source.Fail(at, "pattern \"" + pattern + "\": \"{\" without \"}\"");
            }
            slots.push_back(pattern.substr(i + 1, close - i - 1));
            pieces.emplace_back();
            i = close;
        } else if (pattern[i] == '}') {
            source.Fail(at, "pattern \"" + pattern + "\": \"}\" without \"{\"");
        } else {
            pieces.back() += pattern[i];
        }
    }
    if (!std::equal(slots.begin(), slots.end(), rule.slots.begin(), rule.slots.end())) {
        std::string list;
        for (const std::string_view e : rule.slots) {
            list += (list.empty() ? "" : ", ") + ("{" + std::string(e) + "}");
        }
        source.Fail(at, "pattern \"" + pattern + "\" of " + std::string(rule.rule) + " must hold " + list +
                            ", each once and in this order");
    }
    for (const std::string& slot : slots) {
        if (choices.at(slot).empty()) {
            source.Fail(at, std::string(rule.rule) + " needs at least one [[" + slot + "]]");
        }
    }
    std::vector<Phrase> phrases{{pieces[0], std::string()}};
    for (std::size_t s = 0; s < slots.size(); ++s) {
        std::vector<Phrase> longer;
        for (const Phrase& p : phrases) {
            for (const Choice& c : choices.at(slots[s])) {
                longer.push_back(
                    {p.words + c.say + pieces[s + 1], p.properties + (s == 0 ? "" : " ") + c.value});
            }
        }
        phrases = std::move(longer);
    }
    return phrases;
}

std::string Joined(const std::vector<Choice>& choices) {
    std::string out;
    for (const Choice& c : choices) {
        out += (out.empty() ? "" : ", ") + c.say;
    }
    return out;
}

} // namespace

CommandFiles CompileCommands(const Source& source, std::optional<int> ifColumns) {
    const toml::table& root = source.Root();
    source.AllowOnly(root, {"intro", "rule", "firepower", "modifier", "dr"}, "the commands file");
    const std::map<std::string, std::vector<Choice>> choices = {
        {"firepower", Choices(source, "firepower", 1, 99, ifColumns)},
        {"sign", {kSigns.begin(), kSigns.end()}},
        {"modifier", Choices(source, "modifier", 0, 99, std::nullopt)},
        {"dr", Choices(source, "dr", 2, 12, std::nullopt)},
    };
    // Where each screen's rules began: a screen's rules stand together under its heading.
    std::map<std::string, std::uint32_t> screens;

    std::vector<Rule> rules;
    std::map<std::string, std::uint32_t> names;
    std::map<std::string, std::uint32_t> phrases;
    static const toml::array kNoRules;
    const toml::node* rulesNode = root.get("rule");
    for (const toml::node& element : rulesNode ? source.TableArray(*rulesNode, "[[rule]]") : kNoRules) {
        const toml::table& table = *element.as_table();
        source.AllowOnly(table, {"name", "help", "say", "pattern", "screen"}, "a rule");
        const toml::node& nameNode = source.Require(table, "name", "a rule");
        Rule rule;
        rule.name = source.Text(nameNode, "name");
        if (std::find(kRuleNames.begin(), kRuleNames.end(), rule.name) == kRuleNames.end()) {
            source.Fail(nameNode, "unknown rule name \"" + Latin1ToUtf8(rule.name) +
                                      "\": the program acts only on its own command names (case matters)");
        }
        if (const auto it = names.find(rule.name); it != names.end()) {
            source.Fail(nameNode,
                        "rule \"" + rule.name + "\" already stands at line " + std::to_string(it->second));
        }
        names.emplace(rule.name, Source::Line(nameNode));
        const std::string where = "rule \"" + rule.name + "\"";
        rule.help = source.Text(source.Require(table, "help", where), "help");
        if (rule.help.find_first_of("\r\n") != std::string::npos) {
            source.Fail(*table.get("help"), "help must be one line");
        }

        if (const toml::node* screen = table.get("screen")) {
            rule.screen = source.Text(*screen, "screen");
            if (rule.screen.empty() || rule.screen.find_first_of("\r\n") != std::string::npos) {
                source.Fail(*screen, "screen must be one line, not empty");
            }
        }
        if (rules.empty() || rules.back().screen != rule.screen) {
            const toml::node& at = table.get("screen") ? *table.get("screen") : nameNode;
            if (const auto it = screens.find(rule.screen); it != screens.end()) {
                source.Fail(at, where + " stands apart from the other rules " +
                                    (rule.screen.empty() ? std::string("without a screen")
                                                         : "of screen \"" + rule.screen + "\"") +
                                    ", which begin at line " + std::to_string(it->second) +
                                    "; a screen's rules stand together under its heading");
            }
            screens.emplace(rule.screen, Source::Line(at));
        }

        const PatternRule* patterned = FindPatternRule(rule.name);
        const toml::node* say = table.get("say");
        const toml::node* pattern = table.get("pattern");
        if (patterned) {
            if (say || !pattern) {
                source.Fail(say ? *say : element, where + " is spoken through a pattern, not through say");
            }
            const std::string text = source.Text(*pattern, "pattern");
            CheckPhrase(source, *pattern, text, true);
            rule.shown.push_back(text);
            rule.phrases = Expand(source, *pattern, text, *patterned, choices);
            rule.slots = patterned->slots;
        } else {
            if (pattern || !say) {
                source.Fail(pattern ? *pattern : element, where +
                                                              " is spoken through say = [phrases]; only the "
                                                              "attack and look-up rules take a pattern");
            }
            const toml::array& list = source.Array(*say, where + " say");
            if (list.empty()) {
                source.Fail(*say, where + " has no phrase");
            }
            for (const toml::node& phraseNode : list) {
                const std::string text = source.Text(phraseNode, "phrase");
                CheckPhrase(source, phraseNode, text, false);
                rule.shown.push_back(text);
                rule.phrases.push_back({text, std::string()});
            }
        }
        for (const Phrase& p : rule.phrases) {
            if (const auto it = phrases.find(p.words); it != phrases.end()) {
                source.Fail(pattern ? *pattern : *say, "phrase \"" + p.words + "\" already stands at line " +
                                                           std::to_string(it->second) +
                                                           "; the recogniser could not tell the two apart");
            }
            phrases.emplace(p.words, Source::Line(pattern ? *pattern : *say));
        }
        rules.push_back(std::move(rule));
    }

    CommandFiles files;
    files.grammar = "# DORVA II command grammar, written by dorva-datac from commands.toml.\n"
                    "# rule <name>, then one phrase a line indented by two blanks; after \" = \" the\n"
                    "# phrase's semantic property values 0, 1, 2 separated by blanks.\n";
    for (const Rule& rule : rules) {
        files.grammar += "rule " + rule.name + "\n";
        for (const Phrase& p : rule.phrases) {
            files.grammar += "  " + p.words + (p.properties.empty() ? "" : " = " + p.properties) + "\n";
        }
    }

    std::string& list = files.whatCanISay;
    if (const toml::node* intro = root.get("intro")) {
        std::string text = source.Text(*intro, "intro");
        std::erase(text, '\r');
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        for (const char c : text) {
            list += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        list += "\r\n\r\n";
    }
    std::vector<std::string_view> used; // the slots of the list's rules, in order of first use
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const Rule& rule = rules[r];
        if (!rule.screen.empty() && (r == 0 || rules[r - 1].screen != rule.screen)) {
            list += rule.screen + "\r\n" + std::string(rule.screen.size(), '-') + "\r\n\r\n";
        }
        list += rule.help + "\r\n";
        for (const std::string& shown : rule.shown) {
            std::string text = shown;
            for (const auto& [slot, words] : kSlotWords) {
                if (const std::size_t at = text.find(slot); at != std::string::npos) {
                    text.replace(at, std::string_view(slot).size(), words);
                }
            }
            list += "    " + text + "\r\n";
        }
        list += "\r\n";
        for (const std::string_view slot : rule.slots) {
            if (std::find(used.begin(), used.end(), slot) == used.end()) {
                used.push_back(slot);
            }
        }
    }
    // The slots said by their choices' words; the sign's two words stand in its placeholder.
    for (const auto& [slot, words] : kSlotWords) {
        const std::string_view name = std::string_view(slot).substr(1, std::string_view(slot).size() - 2);
        if (name != "sign" && std::find(used.begin(), used.end(), name) != used.end()) {
            list += std::string(words) + " is one of: " + Joined(choices.at(std::string(name))) + "\r\n";
        }
    }
    return files;
}

} // namespace dorva::datac
