#include "voice/Grammar.h"

#include "data/SupportFolder.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace dorva::voice {
namespace {

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '\'' ||
           c == '-';
}

// Words of letters, digits, apostrophes and hyphens with one blank between two words: anything
// else could be taken for JSGF's own marks, or could never be spoken.
std::string CheckWords(std::string_view words) {
    if (words.empty()) {
        return "a phrase needs at least one word";
    }
    if (words.front() == ' ' || words.back() == ' ' || words.find("  ") != std::string_view::npos) {
        return "the words of a phrase are separated by single blanks";
    }
    for (const char c : words) {
        if (c != ' ' && !IsWordCharacter(c)) {
            return std::string("the character '") + c + "' cannot be spoken";
        }
    }
    return {};
}

std::string CheckValue(std::string_view value) {
    if (value.empty()) {
        return "property values are separated by single blanks";
    }
    for (const char c : value) {
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 127) {
            return "a property value holds only visible characters";
        }
    }
    return {};
}

std::vector<std::string> SplitBlanks(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t blank = text.find(' ', start);
        parts.emplace_back(text.substr(start, blank - start));
        if (blank == std::string_view::npos) {
            return parts;
        }
        start = blank + 1;
    }
}

GrammarReading Failure(std::size_t line, std::string message) {
    GrammarReading reading;
    reading.errorLine = line;
    reading.error = std::move(message);
    return reading;
}

} // namespace

std::string NormalizeWords(std::string_view words) {
    std::string out;
    bool blank = false;
    for (const char c : words) {
        if (c == ' ' || c == '\t') {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += ' ';
            blank = false;
        }
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

std::optional<GrammarMatch> Grammar::Find(std::string_view words) const {
    const std::string wanted = NormalizeWords(words);
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (const GrammarRule& rule : rules) {
        for (const GrammarPhrase& phrase : rule.phrases) {
            if (NormalizeWords(phrase.words) == wanted) {
                return GrammarMatch{&rule, &phrase};
            }
        }
    }
    return std::nullopt;
}

bool Grammar::StartsLongerPhrase(std::string_view words) const {
    const std::string prefix = NormalizeWords(words) + ' ';
    if (prefix.size() == 1) {
        return false;
    }
    for (const GrammarRule& rule : rules) {
        for (const GrammarPhrase& phrase : rule.phrases) {
            if (NormalizeWords(phrase.words).starts_with(prefix)) {
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> Grammar::Words() const {
    std::vector<std::string> words;
    std::set<std::string> seen;
    for (const GrammarRule& rule : rules) {
        for (const GrammarPhrase& phrase : rule.phrases) {
            for (std::string& word : SplitBlanks(NormalizeWords(phrase.words))) {
                if (seen.insert(word).second) {
                    words.push_back(std::move(word));
                }
            }
        }
    }
    return words;
}

std::size_t Grammar::PhraseCount() const {
    std::size_t count = 0;
    for (const GrammarRule& rule : rules) {
        count += rule.phrases.size();
    }
    return count;
}

GrammarReading ParseGrammar(std::string_view text) {
    Grammar grammar;
    std::unordered_map<std::string, std::size_t> ruleLines;
    std::unordered_map<std::string, std::size_t> phraseLines;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        // A copy edited on another system may carry CR LF line ends; the CR is not part of the line.
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.starts_with("rule ")) {
            const std::string name(line.substr(5));
            if (name.empty() || name.find_first_of(" \t") != std::string::npos) {
                return Failure(lineNumber, "\"rule\" is followed by one name without blanks");
            }
            if (const auto seen = ruleLines.find(name); seen != ruleLines.end()) {
                return Failure(lineNumber,
                               "rule " + name + " already stands at line " + std::to_string(seen->second));
            }
            if (!grammar.rules.empty() && grammar.rules.back().phrases.empty()) {
                return Failure(lineNumber, "rule " + grammar.rules.back().name + " has no phrase");
            }
            ruleLines.emplace(name, lineNumber);
            grammar.rules.push_back({name, {}});
            continue;
        }
        if (!line.starts_with("  ") || line.size() < 3 || line[2] == ' ') {
            return Failure(lineNumber,
                           "a line is a comment, \"rule <name>\", or a phrase indented by two blanks");
        }
        if (grammar.rules.empty()) {
            return Failure(lineNumber, "a phrase before the first rule");
        }
        std::string_view body = line.substr(2);
        GrammarPhrase phrase;
        const std::size_t equals = body.find(" = ");
        if (equals != std::string_view::npos) {
            for (std::string& value : SplitBlanks(body.substr(equals + 3))) {
                if (std::string problem = CheckValue(value); !problem.empty()) {
                    return Failure(lineNumber, problem);
                }
                phrase.properties.push_back(std::move(value));
            }
            body = body.substr(0, equals);
        }
        if (std::string problem = CheckWords(body); !problem.empty()) {
            return Failure(lineNumber, problem);
        }
        phrase.words = std::string(body);
        const std::string key = NormalizeWords(phrase.words);
        if (const auto seen = phraseLines.find(key); seen != phraseLines.end()) {
            return Failure(lineNumber, "the phrase \"" + phrase.words + "\" already stands at line " +
                                           std::to_string(seen->second) +
                                           ": the recogniser could not tell the two apart");
        }
        phraseLines.emplace(key, lineNumber);
        grammar.rules.back().phrases.push_back(std::move(phrase));
    }
    if (grammar.rules.empty()) {
        return Failure(0, "the grammar has no rule");
    }
    if (grammar.rules.back().phrases.empty()) {
        return Failure(lineNumber, "rule " + grammar.rules.back().name + " has no phrase");
    }
    GrammarReading reading;
    reading.grammar = std::move(grammar);
    return reading;
}

GrammarReading ReadGrammarFile(const std::filesystem::path& file) {
    std::string bytes;
    if (!data::ReadFileBytes(file, bytes)) {
        return Failure(0, "cannot read " + file.string());
    }
    return ParseGrammar(bytes);
}

std::string BuildJsgf(const Grammar& grammar) {
    std::string jsgf = "#JSGF V1.0;\ngrammar dorva;\npublic <command> =";
    // Rule names of the file may start with a digit ("1through10"), which JSGF does not take as a
    // rule name; the decoder only ever reports words, so numbered rules do.
    for (std::size_t i = 0; i < grammar.rules.size(); ++i) {
        jsgf += (i == 0 ? " <r" : " | <r") + std::to_string(i) + ">";
    }
    jsgf += ";\n";
    for (std::size_t i = 0; i < grammar.rules.size(); ++i) {
        jsgf += "<r" + std::to_string(i) + "> =";
        const std::vector<GrammarPhrase>& phrases = grammar.rules[i].phrases;
        for (std::size_t p = 0; p < phrases.size(); ++p) {
            jsgf += (p == 0 ? " " : " | ") + NormalizeWords(phrases[p].words);
        }
        jsgf += ";\n";
    }
    return jsgf;
}

Grammar WithWakeWord(Grammar grammar) {
    for (GrammarRule& rule : grammar.rules) {
        for (GrammarPhrase& phrase : rule.phrases) {
            phrase.words = std::string(kWakeWord) + " " + phrase.words;
        }
    }
    grammar.wakeWord = true;
    return grammar;
}

Grammar WithoutWakeWord(Grammar grammar) {
    if (!grammar.wakeWord) {
        return grammar;
    }
    const std::string prefix = std::string(kWakeWord) + " ";
    for (GrammarRule& rule : grammar.rules) {
        for (GrammarPhrase& phrase : rule.phrases) {
            phrase.words.erase(0, prefix.size());
        }
    }
    grammar.wakeWord = false;
    return grammar;
}

std::vector<std::string> WordsMissingFrom(const Grammar& grammar, std::string_view dictionary) {
    const std::vector<std::string> words = grammar.Words();
    const std::unordered_set<std::string_view> wanted(words.begin(), words.end());
    // A dictionary holds a hundred thousand entries and a grammar a few dozen words: the first two
    // letters turn most entries away before any hashing (start-up waits for this scan).
    std::vector<bool> wantedStart(1U << 16U);
    const auto start = [](std::string_view text) {
        const auto byte = [&](std::size_t i) {
            return i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
        };
        return (byte(0) << 8U) | byte(1);
    };
    for (const std::string_view word : wanted) {
        wantedStart[start(word)] = true;
    }
    std::unordered_set<std::string_view> found;
    for (std::size_t line = 0; line < dictionary.size();) {
        std::size_t end = dictionary.find('\n', line);
        end = end == std::string_view::npos ? dictionary.size() : end;
        const std::string_view entry = dictionary.substr(line, end - line);
        line = end + 1;
        const std::string_view word = entry.substr(0, entry.find_first_of(" \t("));
        if (!wantedStart[start(word)]) {
            continue;
        }
        if (wanted.contains(word)) {
            found.insert(word);
        }
    }
    std::vector<std::string> missing;
    for (const std::string& word : words) {
        if (word != kWakeWord && !found.contains(word)) {
            missing.push_back(word);
        }
    }
    return missing;
}

} // namespace dorva::voice
