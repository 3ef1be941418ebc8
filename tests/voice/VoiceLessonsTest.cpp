#include "voice/VoiceLessons.h"

#include <gtest/gtest.h>

using namespace dorva::voice;

namespace {

// A grammar path of whole words, each over the frames given, and a phone loop over the same frames.
UtteranceEvidence Evidence(std::vector<ScoredSegment> words, std::vector<ScoredSegment> phones) {
    UtteranceEvidence e;
    e.grammarPath = std::move(words);
    e.phoneLoop = std::move(phones);
    return e;
}

const LessonPhrase kAttackTwo{"attack using two even", "two"};
const LessonPhrase kTableSeven{"infantry fire table seven", "seven"};

TEST(VoiceLessons, TheNumbersPhonesAreThoseBetweenTheWordsAroundIt) {
    const std::vector<ScoredSegment> loop = {{"SIL", 0, 9, 0},     {"AE", 10, 20, 0}, {"K", 21, 30, 0},
                                             {"TH", 31, 36, 0},    {"UW", 37, 44, 0}, {"IY", 45, 60, 0},
                                             {"+NSN+", 61, 64, 0}, {"SIL", 65, 70, 0}};
    struct Case {
        const char* what;
        std::vector<ScoredSegment> path;
        LessonPhrase lesson;
        std::optional<std::string> phones;
    };
    const std::vector<Case> cases = {
        {"heard right",
         {{"<s>", 0, 9, 0},
          {"attack", 10, 20, 0},
          {"using(2)", 21, 30, 0},
          {"two", 31, 44, 0},
          {"even", 45, 60, 0},
          {"<sil>", 61, 70, 0}},
         kAttackTwo,
         "TH UW"},
        // The search's number is wrong, but its frames are where the player said the lesson's.
        {"heard as another number",
         {{"attack", 10, 20, 0}, {"using", 21, 30, 0}, {"eight", 31, 44, 0}, {"even", 45, 60, 0}},
         kAttackTwo,
         "TH UW"},
        {"heard as a number of two words",
         {{"attack", 10, 20, 0},
          {"using", 21, 30, 0},
          {"twenty", 31, 38, 0},
          {"four", 39, 44, 0},
          {"even", 45, 60, 0}},
         kAttackTwo,
         "TH UW"},
        // The number last: it runs to the end of the last word, fillers and silence left out.
        {"number last",
         {{"infantry", 10, 20, 0}, {"fire(2)", 21, 26, 0}, {"table", 27, 30, 0}, {"seven", 31, 64, 0}},
         kTableSeven,
         "TH UW IY"},
        {"another phrase",
         {{"attack", 10, 20, 0}, {"using", 21, 30, 0}, {"two", 31, 44, 0}, {"plus", 45, 60, 0}},
         kAttackTwo,
         std::nullopt},
        {"no number",
         {{"attack", 10, 20, 0}, {"using", 21, 30, 0}, {"even", 31, 60, 0}},
         kAttackTwo,
         std::nullopt},
        {"nothing heard", {}, kAttackTwo, std::nullopt},
        // A silence the search put after the number is the number's too.
        {"number cut short",
         {{"attack", 10, 20, 0},
          {"using", 21, 30, 0},
          {"two", 31, 33, 0},
          {"<sil>", 34, 44, 0},
          {"even", 45, 60, 0}},
         kAttackTwo,
         "TH UW"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeardNumberPhones(Evidence(c.path, loop), c.lesson), c.phones) << c.what;
    }
    // More phones than any number word has: the loop ran into the words around it.
    std::vector<ScoredSegment> noisy;
    for (int f = 31; f < 45; ++f) {
        noisy.push_back({"T", f, f, 0});
    }
    EXPECT_EQ(HeardNumberPhones(Evidence(cases[0].path, noisy), kAttackTwo), std::nullopt);
}

TEST(VoiceLessons, HeardNumberIsWhatStandsInTheLessonsPlace) {
    for (const auto& [heard, number] :
         std::vector<std::pair<const char*, const char*>>{{"attack using two even", "two"},
                                                          {"attack using twenty four even", "twenty four"},
                                                          {"Attack  using eight even", "eight"},
                                                          {"attack using two minus one", ""},
                                                          {"attack using even", ""},
                                                          {"", ""}}) {
        EXPECT_EQ(HeardNumber(heard, kAttackTwo), number) << heard;
    }
    EXPECT_EQ(HeardNumber("infantry fire table eleven", kTableSeven), "eleven");
}

// Lessons 0 to 2 ask for "one", "two" and "four".
TEST(VoiceLessons, APronunciationThatMakesALessonWrongIsContradicted) {
    const std::vector<PlayerPronunciation> learnt = {{"two", "T EH UW"}, {"four", "F AO L R"}};
    struct Case {
        const char* what;
        std::vector<std::string> heard;
        std::set<std::string> contradicted;
    };
    for (const Case& c : std::vector<Case>{
             {"all right", {"one", "two", "four"}, {}},
             {"another lesson taken for a learnt word", {"two", "two", "four"}, {"two"}},
             {"a learnt word's own lesson heard wrong", {"one", "twelve", "four"}, {"two"}},
             {"both at once", {"one", "four", "twenty four"}, {"two", "four"}},
             {"a lesson not heard tells nothing", {"", "", ""}, {}},
             {"a wrong lesson of a word not learnt", {"nine", "two", "four"}, {}},
         }) {
        EXPECT_EQ(Contradicted(learnt, c.heard), c.contradicted) << c.what;
    }
}

TEST(VoiceLessons, PhoneDistanceCountsTheSoundsChanged) {
    for (const auto& [a, b, distance] :
         std::vector<std::tuple<const char*, const char*, std::size_t>>{{"T UW", "T UW", 0},
                                                                        {"T UW", "T EH UW", 1},
                                                                        {"F AO L R", "F AO R", 1},
                                                                        {"W AA N", "W AH N", 1},
                                                                        {"TH UW", "T UW", 1},
                                                                        {"", "T UW", 2},
                                                                        {"Z AE M AH N", "S EH V AH N", 3}}) {
        EXPECT_EQ(PhoneDistance(a, b), distance) << a << " / " << b;
        EXPECT_EQ(PhoneDistance(b, a), distance) << b << " / " << a;
    }
}

// The dictionary's entries of the lessons' numbers, alternates included, and the accents' beside them.
TEST(VoiceLessons, KnownPronunciationsComeFromTheDictionaryAndTheAccents) {
    const auto known = KnownNumberPronunciations("eight  EY T\r\nthirty TH ER D IY\nthirty(2) TH ER T IY\n"
                                                 "twelve T W EH L V\nthirtyish TH ER T IY IH SH\ntwo\n");
    EXPECT_EQ(known.size(), std::size(kLessonPhrases));
    EXPECT_EQ(known.at("eight"), std::vector<std::string>{"EY T"});
    EXPECT_EQ(known.at("thirty"), (std::vector<std::string>{"TH ER D IY", "TH ER T IY"}));
    EXPECT_EQ(known.at("twelve"), (std::vector<std::string>{"T W EH L V", "T W EH OW V"}));
    EXPECT_TRUE(known.at("two").empty()); // a line without phones is no pronunciation
    EXPECT_TRUE(known.at("one").empty());
}

TEST(VoiceLessons, TheSettingsFormKeepsWhatIsSoundAndSkipsTheRest) {
    const std::vector<PlayerPronunciation> kept = {{"two", "T EH UW"}, {"thirty", "TH AH T IY"}};
    EXPECT_EQ(FormatPronunciations(kept), "two=T EH UW;thirty=TH AH T IY");
    EXPECT_EQ(ParsePronunciations(FormatPronunciations(kept)), kept);
    for (const char* damaged : {"two=t eh uw", "Two=T UW", "two=", "=T UW", "two T UW", "two=T  UW",
                                "two=T1 UW", "two=T T T T T T T T T T"}) {
        EXPECT_TRUE(ParsePronunciations(damaged).empty()) << damaged;
        EXPECT_EQ(ParsePronunciations(std::string(damaged) + ";two=T EH UW"),
                  (std::vector<PlayerPronunciation>{{"two", "T EH UW"}}))
            << damaged;
    }
    EXPECT_TRUE(ParsePronunciations("").empty());
}

TEST(VoiceLessons, TheWindowSaysWhatWasLearntInWords) {
    EXPECT_EQ(LearntNowText(""), "DORVA hears the numbers as its dictionary says them.");
    EXPECT_EQ(LearntNowText("two=T EH UW;four=F AO L R;thirty=TH AH T IY"),
              "DORVA hears you say two, four and thirty your own way.");
    dorva::platform::LessonsResult result;
    result.lessons = 15;
    result.heardRight = 14;
    EXPECT_EQ(LessonsLearntText(result),
              "Your numbers sound as the dictionary has them: there was nothing new "
              "to learn (14 of the 15 phrases were heard right).");
    result.pronunciations = "two=T EH UW";
    EXPECT_EQ(LessonsLearntText(result), "Learnt how you say two. With that, 14 of the 15 phrases were heard "
                                         "right. DORVA listens with it from now on.");
    result.error = 1004;
    result.detail = "the model is gone";
    EXPECT_EQ(LessonsLearntText(result),
              "The lessons could not be learnt from (error 1004: the model is gone). Nothing was changed.");
}

// Every lesson is a phrase the recogniser listens for, and every number word of the spoken commands
// that is not made of others has its lesson.
TEST(VoiceLessons, EveryLessonIsACommandWithItsNumberInIt) {
    std::set<std::string> numbers;
    for (const LessonPhrase& lesson : kLessonPhrases) {
        EXPECT_NE(HeardNumber(lesson.words, lesson), "") << lesson.words;
        numbers.insert(std::string(lesson.number));
    }
    EXPECT_EQ(numbers.size(), std::size(kLessonPhrases));
}

} // namespace
