#pragma once
// The command grammar dorva.cfg read back: its rules in file order, each rule's phrases and the
// semantic property values a phrase carries. The layout is written by dorva-datac (see its README).
// The recogniser needs the grammar three ways: as JSGF text for the decoder, as a lookup from the
// words it heard back to the rule and properties, and as prefixes for deciding when a command ended.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorva::voice {

struct GrammarPhrase {
    std::string words;                   // as written: single blanks between words
    std::vector<std::string> properties; // values of properties 0, 1, 2, ...; empty when none
};

struct GrammarRule {
    std::string name;
    std::vector<GrammarPhrase> phrases;
};

struct GrammarMatch {
    const GrammarRule* rule = nullptr;
    const GrammarPhrase* phrase = nullptr;
};

class Grammar {
public:
    std::vector<GrammarRule> rules;
    // Every phrase begins with the wake word (WithWakeWord).
    bool wakeWord = false;

    // The phrase whose words these are, ignoring case and the amount of blank between words.
    std::optional<GrammarMatch> Find(std::string_view words) const;
    // Whether some phrase starts with these whole words and goes on after them ("repeat" before
    // "repeat that"): a speaker who stops there may only be pausing.
    bool StartsLongerPhrase(std::string_view words) const;
    // Every distinct word of every phrase, lower case, in order of first use.
    std::vector<std::string> Words() const;
    std::size_t PhraseCount() const;
};

// The grammar, or why it could not be read: the line (counted from 1; 0 for the file as a whole)
// and what is wrong there.
struct GrammarReading {
    std::optional<Grammar> grammar;
    std::size_t errorLine = 0;
    std::string error;
};

GrammarReading ParseGrammar(std::string_view text);
GrammarReading ReadGrammarFile(const std::filesystem::path& file);

// Lower case, runs of blanks as one blank, no blank at either end: the form phrases are compared in.
std::string NormalizeWords(std::string_view words);

// The words of the grammar that a pronunciation dictionary (the text of a CMU dictionary: a word, its
// alternates marked "word(2)", then its phones, one entry a line) lacks, in the grammar's order. The
// wake word is never missing: the decoder is taught it.
std::vector<std::string> WordsMissingFrom(const Grammar& grammar, std::string_view dictionary);

// The word that begins every command at a noisy table, when the player asks for it: the program's own
// name. Table talk seldom holds it, so a sentence that resembles a command is no longer taken for one.
// No dictionary knows it; the decoder is taught how it sounds.
inline constexpr std::string_view kWakeWord = "dorva";
// A word and a way of saying it that the decoder is taught, beside its dictionary's own.
struct TaughtPronunciation {
    std::string_view word;
    std::string_view phones;
};
// The wake word, said with the "r" and without it.
inline constexpr TaughtPronunciation kWakeWordPronunciations[] = {{kWakeWord, "D AO R V AH"},
                                                                  {kWakeWord, "D AO V AH"}};
// Words of the grammar as accents say them and the US-English dictionary does not. Each was kept
// because, on the tuning voices, it made more commands right than it let table talk through (the
// score gap was then tightened by one to hold table talk where it was); "four" said without its "r"
// (F AO) was tried and dropped, since "one" after "minus" was then heard as "four".
inline constexpr TaughtPronunciation kAccentPronunciations[] = {
    // The "l" said as a vowel: "twelve" was heard as "twenty" or "two".
    {"twelve", "T W EH OW V"},
    // The British open "a", which the model takes for no word at all.
    {"tank", "T AA NG K"},
    // The British "oh" that begins as "uh": "roll", in twelve commands, was refused.
    {"roll", "R AH UW L"},
    // The same "oh" in "hold": four of the twenty hold movements were refused.
    {"hold", "HH AH UW L D"},
    // "ac-tiv-ation" with the "i" of "active", where the dictionary has only the weak vowel: six of
    // the thirty commands with it were refused, and "activation roll" is the most used of all.
    {"activation", "AE K T IH V EY SH AH N"},
};

// The grammar with the wake word before every phrase; each phrase keeps its rule and its values.
Grammar WithWakeWord(Grammar grammar);
// The grammar as it was before WithWakeWord: what the player says after the wake word alone.
Grammar WithoutWakeWord(Grammar grammar);
// The rule of the wake word said on its own: no command, but the next utterance is heard as what
// follows it. No command bears the name: the grammar's compiler takes only the dispatcher's names.
inline constexpr std::string_view kWakeWordAloneRule = "<dorva>";
// How long after the wake word said on its own the player may begin the command: time to look back
// at the board, while talk that follows a stray "Dorva" soon goes back to needing the word.
inline constexpr int kFollowUpSeconds = 4;

// The grammar as JSGF for PocketSphinx: one public rule that is any of the commands, each command a
// rule of its own whose alternatives are its phrases in lower case.
std::string BuildJsgf(const Grammar& grammar);

} // namespace dorva::voice
