#include "voice/engine/Lessons.h"

#include "data/SupportFolder.h"
#include "voice/engine/CommandListener.h"
#include "voice/engine/SphinxDecoder.h"

#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace dorva::voice::engine {

namespace {

// Contradictions are taken out one round at a time: a word dropped can make another lesson right.
constexpr int kRounds = 4;
// An accent changes a sound of a word, not the word: the free loop's phones are kept only where they
// differ from a way the recogniser knows by one phone. Keeping everything the loop heard made the
// tuning voices' commands worse (97.0 → 96.3 % right: a "one" heard as "M W AO G" took the "four"
// of "four plus two"); one phone changed made them better (97.6 %, opposite commands 13 → 7), two
// less so (97.4 %, 11). A number the lessons heard as another one is learnt as it was said, however
// far that is from the dictionary's: the player's own lesson shows the known ways are not the
// player's (97.7 %; keeping only those learnt next to nothing, since a number read out slowly is
// rarely wrong where the same voice's commands are).
constexpr std::size_t kMostChanged = 1;

// The utterances a fresh listener hears in each recording, one recording after another as in a
// game, with a second of silence after each so that one lesson's end is not heard with the next.
long HearLessons(const EngineSettings& settings, const Grammar& grammar,
                 std::span<const std::vector<std::int16_t>> recordings,
                 std::vector<std::vector<Utterance>>& heard, std::string& detail,
                 const std::atomic<bool>* stop) {
    std::unique_ptr<CommandListener> listener;
    long error = CommandListener::Open(settings, listener, detail);
    if (error == 0) {
        error = listener->SetGrammar(grammar, detail);
    }
    if (error != 0) {
        return error;
    }
    heard.assign(recordings.size(), {});
    const std::vector<std::int16_t> pause(kListenSampleRate, 0);
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        if (stop && *stop) {
            detail = "the recogniser was stopped";
            return platform::kErrNoRecognizer;
        }
        if (recordings[i].empty()) {
            continue;
        }
        for (const std::span<const std::int16_t> audio : {std::span(recordings[i]), std::span(pause)}) {
            for (Utterance& u : listener->Feed(audio)) {
                heard[i].push_back(std::move(u));
            }
        }
        if (std::optional<Utterance> last = listener->Finish()) {
            heard[i].push_back(std::move(*last));
        }
    }
    return 0;
}

// The number heard in a lesson: from its last utterance with words, which is the one the player
// finished with.
std::string NumberHeard(const std::vector<Utterance>& utterances, const LessonPhrase& lesson) {
    for (auto u = utterances.rbegin(); u != utterances.rend(); ++u) {
        if (!u->evidence.hypothesis.empty()) {
            return HeardNumber(u->evidence.hypothesis, lesson);
        }
    }
    return {};
}

int CountRight(const std::vector<std::vector<Utterance>>& heard, std::vector<std::string>& numbers) {
    numbers.clear();
    int right = 0;
    for (std::size_t i = 0; i < heard.size(); ++i) {
        numbers.push_back(NumberHeard(heard[i], kLessonPhrases[i]));
        right += numbers.back() == kLessonPhrases[i].number ? 1 : 0;
    }
    return right;
}

} // namespace

LessonOutcome LearnFromLessons(const EngineSettings& settings, const Grammar& grammar,
                               std::span<const std::vector<std::int16_t>> recordings,
                               const std::atomic<bool>* stop) {
    LessonOutcome outcome;
    const std::size_t lessons = std::min(recordings.size(), std::size(kLessonPhrases));
    recordings = recordings.first(lessons);
    EngineSettings own = settings;
    own.pronunciations.clear();
    std::vector<std::vector<Utterance>> heard;
    if ((outcome.error = HearLessons(own, grammar, recordings, heard, outcome.detail, stop)) != 0) {
        return outcome;
    }
    std::vector<std::string> numbers;
    outcome.heardRight = CountRight(heard, numbers);
    std::string dictionary;
    data::ReadFileBytes(CommandListener::Settings(settings).dictionary, dictionary);
    const std::map<std::string, std::vector<std::string>> known = KnownNumberPronunciations(dictionary);
    for (std::size_t i = 0; i < lessons; ++i) {
        for (auto u = heard[i].rbegin(); u != heard[i].rend(); ++u) {
            std::optional<std::string> phones = HeardNumberPhones(u->evidence, kLessonPhrases[i]);
            if (!phones) {
                continue;
            }
            std::size_t nearest = std::numeric_limits<std::size_t>::max();
            for (const std::string& way : known.at(std::string(kLessonPhrases[i].number))) {
                nearest = std::min(nearest, PhoneDistance(*phones, way));
            }
            const bool misheard = !numbers[i].empty() && numbers[i] != kLessonPhrases[i].number;
            if (nearest > 0 && (nearest <= kMostChanged || misheard)) {
                outcome.learnt.push_back({std::string(kLessonPhrases[i].number), std::move(*phones)});
            }
            break;
        }
    }
    for (int round = 0; round < kRounds && !outcome.learnt.empty(); ++round) {
        own.pronunciations = outcome.learnt;
        if ((outcome.error = HearLessons(own, grammar, recordings, heard, outcome.detail, stop)) != 0) {
            outcome.learnt.clear();
            return outcome;
        }
        outcome.heardRight = CountRight(heard, numbers);
        const std::set<std::string> contradicted = Contradicted(outcome.learnt, numbers);
        if (contradicted.empty()) {
            break;
        }
        std::erase_if(outcome.learnt,
                      [&](const PlayerPronunciation& p) { return contradicted.count(p.word) != 0; });
    }
    return outcome;
}

} // namespace dorva::voice::engine
