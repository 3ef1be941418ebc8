#include "actions/Spoken.h"

#include "data/Announce.h"
#include "voice/Speak.h"
#include "voice/State.h"

#include <array>
#include <string_view>
#include <utility>

namespace dorva::actions {
namespace {

bool IsWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whole words, letter case included, and what the voice says for them. The table texts are ours, so
// the list holds the abbreviations they use that the voice gets wrong.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kSaidAs = {{
    {"dr", "D R"},
    {"vs", "versus"},
    {"Ordance", "Ordnance"},
    {"LATW", "L A T W"},
    {"LOS", "L O S"},
    {"ADJ", "adjacent"},
    {"AFV", "A F V"},
    {"HE", "H E"},
    {"AP", "A P"},
    {"SW", "S W"},
}};

} // namespace

std::string OneLine(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + start, end - start);
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        while (!line.empty() && line.back() == ' ') {
            line.remove_suffix(1);
        }
        if (line.size() >= 2 && line.front() == '(' && line.back() == ')') {
            line = line.substr(1, line.size() - 2);
        }
        if (!line.empty()) {
            if (!out.empty()) {
                out += out.back() == ':' ? " " : ", ";
            }
            out += line;
        }
        start = end + 1;
    }
    return out;
}

std::string ResultSentence(const std::string& heading, const std::string& text) {
    const std::string said = OneLine(text);
    return said.empty() ? heading : heading + ": " + said;
}

std::string RollWords(const std::string& roll) {
    std::string words = roll;
    if (const std::size_t dice = words.find(" ("); dice != std::string::npos) {
        words.resize(dice);
    }
    if (const std::size_t equals = words.find(" = "); equals != std::string::npos) {
        words.replace(equals, 3, " ");
    }
    if (words.rfind("Dir ", 0) == 0) {
        words.replace(0, 3, "Direction");
    }
    return words;
}

std::string InfantryMoveSentence(const std::string& holdOdd, const std::string& holdEven,
                                 const std::string& advance) {
    return "Infantry movement DRs: Hold odd hex " + holdOdd + ", Hold even hex " + holdEven + ", Advance " +
           advance;
}

std::string UnitActionsSentence(const std::string& actionDR, const std::string& panic,
                                const std::string& hold, const std::string& advance) {
    return RollWords(actionDR) + ", " + OneLine(panic) + "; Hold: " + OneLine(hold) +
           "; Advance: " + OneLine(advance);
}

std::string SpokenWords(const std::string& sentence) {
    std::string out;
    std::size_t i = 0;
    while (i < sentence.size()) {
        if (sentence[i] == '/') {
            out += " or ";
            ++i;
            continue;
        }
        if (!IsWordCharacter(sentence[i])) {
            out += sentence[i++];
            continue;
        }
        std::size_t end = i;
        while (end < sentence.size() && IsWordCharacter(sentence[end])) {
            ++end;
        }
        const std::string_view word(sentence.data() + i, end - i);
        std::string_view said = word;
        for (const auto& [written, spoken] : kSaidAs) {
            if (word == written) {
                said = spoken;
            }
        }
        out += said;
        // "vs." is said as a word, without the stop that would end the sentence.
        if (word == "vs" && end < sentence.size() && sentence[end] == '.') {
            ++end;
        }
        i = end;
    }
    return out;
}

void AnnounceResult(const std::string& sentence) {
    if (!voice::gVoiceCommandRunning && voice::gSpeak != 1) {
        return;
    }
    data::ShowInActivationWindow(sentence);
    voice::SpeakText(SpokenWords(sentence), voice::kSpeakAsync);
}

} // namespace dorva::actions
