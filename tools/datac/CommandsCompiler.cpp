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
constexpr std::array<std::string_view, 24> kRuleNames = {
    "activationroll",   "manualactivation", "clearactivationmodifiers",
    "rolladie",         "rolldice",         "table6a",
    "table6b",          "table6c",          "table6d",
    "table6e",          "table6f",          "table6g",
    "table6h",          "athroughgg",       "1through10",
    "xthroughy",        "location",         "repeat",
    "AttackWithoutDRM", "AttackWithDRM",    "starttalking",
    "stoptalking",      "startlistening",   "stoplistening"};
constexpr std::string_view kAttackWithout = "AttackWithoutDRM";
constexpr std::string_view kAttackWith = "AttackWithDRM";

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
};

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

// Expands an attack pattern: every firepower, and with a modifier every sign and every modifier. The
// properties are 0: firepower and IF column ("0402"), 1: the sign (-1 or 1), 2: the modifier.
std::vector<Phrase> Expand(const Source& source, const toml::node& at, const std::string& pattern,
                           std::string_view rule, const std::vector<Choice>& firepowers,
                           const std::vector<Choice>& modifiers) {
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
    const bool withModifier = rule == kAttackWith;
    const std::vector<std::string> expected = withModifier
                                                  ? std::vector<std::string>{"firepower", "sign", "modifier"}
                                                  : std::vector<std::string>{"firepower"};
    if (slots != expected) {
        std::string list;
        for (const std::string& e : expected) {
            list += (list.empty() ? "" : ", ") + ("{" + e + "}");
        }
        source.Fail(at, "pattern \"" + pattern + "\" of " + std::string(rule) + " must hold " + list +
                            ", each once and in this order");
    }
    if (firepowers.empty()) {
        source.Fail(at, std::string(rule) + " needs at least one [[firepower]]");
    }
    if (withModifier && modifiers.empty()) {
        source.Fail(at, std::string(rule) + " needs at least one [[modifier]]");
    }
    std::vector<Phrase> phrases;
    for (const Choice& fp : firepowers) {
        if (!withModifier) {
            phrases.push_back({pieces[0] + fp.say + pieces[1], fp.value});
            continue;
        }
        for (const Choice& sign : kSigns) {
            for (const Choice& m : modifiers) {
                phrases.push_back({pieces[0] + fp.say + pieces[1] + sign.say + pieces[2] + m.say + pieces[3],
                                   fp.value + " " + sign.value + " " + m.value});
            }
        }
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
    source.AllowOnly(root, {"intro", "rule", "firepower", "modifier"}, "the commands file");
    const std::vector<Choice> firepowers = Choices(source, "firepower", 1, 99, ifColumns);
    const std::vector<Choice> modifiers = Choices(source, "modifier", 0, 99, std::nullopt);

    std::vector<Rule> rules;
    std::map<std::string, std::uint32_t> names;
    std::map<std::string, std::uint32_t> phrases;
    static const toml::array kNoRules;
    const toml::node* rulesNode = root.get("rule");
    for (const toml::node& element : rulesNode ? source.TableArray(*rulesNode, "[[rule]]") : kNoRules) {
        const toml::table& table = *element.as_table();
        source.AllowOnly(table, {"name", "help", "say", "pattern"}, "a rule");
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

        const bool attack = rule.name == kAttackWithout || rule.name == kAttackWith;
        const toml::node* say = table.get("say");
        const toml::node* pattern = table.get("pattern");
        if (attack) {
            if (say || !pattern) {
                source.Fail(say ? *say : element, where + " is spoken through a pattern, not through say");
            }
            const std::string text = source.Text(*pattern, "pattern");
            CheckPhrase(source, *pattern, text, true);
            rule.shown.push_back(text);
            rule.phrases = Expand(source, *pattern, text, rule.name, firepowers, modifiers);
        } else {
            if (pattern || !say) {
                source.Fail(pattern ? *pattern : element, where +
                                                              " is spoken through say = [phrases]; only the "
                                                              "attack rules take a pattern");
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
    bool attacks = false;
    for (const Rule& rule : rules) {
        list += rule.help + "\r\n";
        for (const std::string& shown : rule.shown) {
            std::string text = shown;
            for (const auto& [slot, words] :
                 {std::pair{"{firepower}", "<firepower>"}, std::pair{"{sign}", "<minus or plus>"},
                  std::pair{"{modifier}", "<modifier>"}}) {
                if (const std::size_t at = text.find(slot); at != std::string::npos) {
                    text.replace(at, std::string_view(slot).size(), words);
                }
            }
            list += "    " + text + "\r\n";
        }
        list += "\r\n";
        attacks = attacks || rule.name == kAttackWithout || rule.name == kAttackWith;
    }
    if (attacks) {
        list += "<firepower> is one of: " + Joined(firepowers) + "\r\n";
        if (names.count(std::string(kAttackWith)) != 0) {
            list += "<modifier> is one of: " + Joined(modifiers) + "\r\n";
        }
    }
    return files;
}

} // namespace dorva::datac
