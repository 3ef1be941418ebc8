#include "voice/VoiceLessons.h"

#include "voice/Grammar.h"

#include <algorithm>
#include <iterator>

namespace dorva::voice {

namespace {

// Longer than any number word of the grammar ("sixteen" is seven phones): more means the loop ran
// into the words around it or into noise.
constexpr std::size_t kMostPhones = 9;

std::vector<std::string> Split(std::string_view words) {
    std::vector<std::string> out;
    const std::string normal = NormalizeWords(words);
    std::size_t at = 0;
    while (at < normal.size()) {
        const std::size_t end = std::min(normal.find(' ', at), normal.size());
        out.push_back(normal.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The lesson's words before its number and after it.
struct Shape {
    std::vector<std::string> before;
    std::vector<std::string> after;
};

Shape ShapeOf(const LessonPhrase& lesson) {
    const std::vector<std::string> words = Split(lesson.words);
    Shape shape;
    const auto number = std::find(words.begin(), words.end(), std::string(lesson.number));
    shape.before.assign(words.begin(), number);
    if (number != words.end()) {
        shape.after.assign(number + 1, words.end());
    }
    return shape;
}

// A word of the grammar path without its alternate's mark: "fire(2)" is "fire".
std::string BaseWord(const std::string& label) {
    return label.substr(0, label.find('('));
}

bool IsWord(const std::string& label) {
    return !label.empty() && label.front() != '<' && label.front() != '[' && label.front() != '+';
}

// Where the number lies among the heard words: the index of its first word and one past its last,
// when the words around it are the lesson's.
std::optional<std::pair<std::size_t, std::size_t>> NumberSpan(const std::vector<std::string>& heard,
                                                              const Shape& shape) {
    if (heard.size() <= shape.before.size() + shape.after.size()) {
        return std::nullopt;
    }
    if (!std::equal(shape.before.begin(), shape.before.end(), heard.begin()) ||
        !std::equal(shape.after.rbegin(), shape.after.rend(), heard.rbegin())) {
        return std::nullopt;
    }
    return std::pair{shape.before.size(), heard.size() - shape.after.size()};
}

bool IsPhone(std::string_view phone) {
    return !phone.empty() &&
           std::all_of(phone.begin(), phone.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool IsWordText(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

} // namespace

std::size_t PhoneDistance(std::string_view phones, std::string_view other) {
    const std::vector<std::string> a = Split(phones);
    const std::vector<std::string> b = Split(other);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::map<std::string, std::vector<std::string>> KnownNumberPronunciations(std::string_view dictionary) {
    std::map<std::string, std::vector<std::string>> known;
    for (const LessonPhrase& lesson : kLessonPhrases) {
        known[std::string(lesson.number)];
    }
    for (std::size_t line = 0; line < dictionary.size();) {
        const std::size_t end = std::min(dictionary.find('\n', line), dictionary.size());
        const std::string_view entry = dictionary.substr(line, end - line);
        line = end + 1;
        const std::size_t split = entry.find_first_of(" \t");
        const std::string_view word = entry.substr(0, std::min(entry.find('('), split));
        if (split == std::string_view::npos) {
            continue;
        }
        if (const auto it = known.find(std::string(word)); it != known.end()) {
            std::string phones;
            for (std::size_t at = split; at < entry.size();) {
                const std::size_t first = entry.find_first_not_of(" \t\r", at);
                if (first == std::string_view::npos) {
                    break;
                }
                const std::size_t last = std::min(entry.find_first_of(" \t\r", first), entry.size());
                phones += (phones.empty() ? "" : " ") + std::string(entry.substr(first, last - first));
                at = last;
            }
            if (!phones.empty()) {
                it->second.push_back(phones);
            }
        }
    }
    for (const TaughtPronunciation& taught : kAccentPronunciations) {
        if (const auto it = known.find(std::string(taught.word)); it != known.end()) {
            it->second.emplace_back(taught.phones);
        }
    }
    return known;
}

std::string HeardNumber(std::string_view heardWords, const LessonPhrase& lesson) {
    const std::vector<std::string> heard = Split(heardWords);
    const auto span = NumberSpan(heard, ShapeOf(lesson));
    if (!span) {
        return {};
    }
    std::string number;
    for (std::size_t i = span->first; i < span->second; ++i) {
        number += (number.empty() ? "" : " ") + heard[i];
    }
    return number;
}

std::optional<std::string> HeardNumberPhones(const UtteranceEvidence& evidence, const LessonPhrase& lesson) {
    std::vector<const ScoredSegment*> words;
    std::vector<std::string> names;
    for (const ScoredSegment& s : evidence.grammarPath) {
        if (IsWord(s.label)) {
            words.push_back(&s);
            names.push_back(BaseWord(s.label));
        }
    }
    const auto span = NumberSpan(names, ShapeOf(lesson));
    if (!span) {
        return std::nullopt;
    }
    // From the end of the word before the number to the start of the word after it: the search may
    // have heard another number there, but the frames are the number the player said.
    const int first = span->first > 0 ? words[span->first - 1]->lastFrame + 1 : words.front()->firstFrame;
    const int last =
        span->second < words.size() ? words[span->second]->firstFrame - 1 : words.back()->lastFrame;
    std::string phones;
    std::size_t count = 0;
    for (const ScoredSegment& s : evidence.phoneLoop) {
        const int middle = (s.firstFrame + s.lastFrame) / 2;
        if (middle < first || middle > last || !IsPhone(s.label) || s.label == "SIL") {
            continue;
        }
        phones += (phones.empty() ? "" : " ") + s.label;
        ++count;
    }
    if (count == 0 || count > kMostPhones) {
        return std::nullopt;
    }
    return phones;
}

std::set<std::string> Contradicted(const std::vector<PlayerPronunciation>& learnt,
                                   const std::vector<std::string>& heard) {
    const auto isLearnt = [&learnt](const std::string& word) {
        return std::any_of(learnt.begin(), learnt.end(),
                           [&word](const PlayerPronunciation& p) { return p.word == word; });
    };
    std::set<std::string> contradicted;
    const std::size_t lessons = std::min(heard.size(), std::size(kLessonPhrases));
    for (std::size_t i = 0; i < lessons; ++i) {
        const std::string said(kLessonPhrases[i].number);
        // A lesson not heard at all this time tells nothing either way.
        if (heard[i].empty() || heard[i] == said) {
            continue;
        }
        for (const std::string& word : Split(heard[i])) {
            if (isLearnt(word)) {
                contradicted.insert(word);
            }
        }
        if (isLearnt(said)) {
            contradicted.insert(said);
        }
    }
    return contradicted;
}

std::string FormatPronunciations(const std::vector<PlayerPronunciation>& pronunciations) {
    std::string text;
    for (const PlayerPronunciation& p : pronunciations) {
        text += (text.empty() ? "" : ";") + p.word + "=" + p.phones;
    }
    return text;
}

std::vector<PlayerPronunciation> ParsePronunciations(std::string_view text) {
    std::vector<PlayerPronunciation> out;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view entry = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view word = entry.substr(0, equals);
        std::string_view rest = entry.substr(equals + 1);
        std::string phones;
        std::size_t count = 0;
        bool valid = IsWordText(word) && !rest.empty();
        while (valid && !rest.empty()) {
            const std::size_t blank = std::min(rest.find(' '), rest.size());
            const std::string_view phone = rest.substr(0, blank);
            rest.remove_prefix(std::min(blank + 1, rest.size()));
            valid = IsPhone(phone) && ++count <= kMostPhones;
            phones += (phones.empty() ? "" : " ") + std::string(phone);
        }
        if (valid) {
            out.push_back({std::string(word), phones});
        }
    }
    return out;
}

namespace {

// The words the pronunciations are of, as the player reads them: "two, four and thirty".
std::string LearntWords(std::string_view pronunciations) {
    const std::vector<PlayerPronunciation> learnt = ParsePronunciations(pronunciations);
    std::string list;
    for (std::size_t i = 0; i < learnt.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == learnt.size() ? " and " : ", ") + learnt[i].word;
    }
    return list;
}

} // namespace

std::string LearntNowText(std::string_view pronunciations) {
    const std::string words = LearntWords(pronunciations);
    if (words.empty()) {
        return "DORVA hears the numbers as its dictionary says them.";
    }
    return "DORVA hears you say " + words + " your own way.";
}

std::string LessonsLearntText(const platform::LessonsResult& result) {
    if (result.error != 0) {
        return "The lessons could not be learnt from (error " + std::to_string(result.error) + ": " +
               result.detail + "). Nothing was changed.";
    }
    const std::string heard = std::to_string(result.heardRight) + " of the " +
                              std::to_string(result.lessons) + " phrases were heard right";
    const std::string words = LearntWords(result.pronunciations);
    if (words.empty()) {
        return "Your numbers sound as the dictionary has them: there was nothing new to learn (" + heard +
               ").";
    }
    return "Learnt how you say " + words + ". With that, " + heard + ". DORVA listens with it from now on.";
}

} // namespace dorva::voice
