// The decoders on a synthesised command, with the shipped model and grammar; no audio server.
#include "voice/CommandRejection.h"
#include "voice/Grammar.h"
#include "voice/Resampler.h"
#include "voice/WavFile.h"
#include "voice/engine/CommandListener.h"
#include "voice/engine/Lessons.h"
#include "voice/engine/SpeechEngines.h"
#include "voice/engine/SphinxDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace dorva::voice;

namespace {

// espeak-ng's options choose the voice: "-v en-us" by default.
std::vector<std::int16_t> Synthesised(const std::string& words, const std::string& voice = "-v en-us") {
    // A name of the run's own: the sanitizer build's tests may run beside the plain build's.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("dorva-decoder-test-" + std::to_string(getpid()) + ".wav");
    const std::string command = "espeak-ng " + voice + " -w '" + file.string() + "' '" + words + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const WavReading reading = ReadWavFile(file);
    std::filesystem::remove(file);
    if (!reading.audio) {
        ADD_FAILURE() << reading.error;
        return {};
    }
    const std::vector<float> audio =
        Resample(reading.audio->mono, reading.audio->sampleRate, engine::kListenSampleRate);
    std::vector<std::int16_t> samples(audio.size());
    std::transform(audio.begin(), audio.end(), samples.begin(), ToPcm16);
    return samples;
}

Grammar ShippedGrammar() {
    const std::filesystem::path file =
        std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin" / "DORVA_Support" / "dorva.cfg";
    GrammarReading reading = ReadGrammarFile(file);
    EXPECT_TRUE(reading.grammar) << reading.error;
    return reading.grammar.value_or(Grammar{});
}

// The words a listener with these settings hears in the command, said once after start-up.
std::string Heard(const engine::EngineSettings& settings, const std::vector<std::int16_t>& command) {
    std::unique_ptr<engine::CommandListener> listener;
    std::string detail;
    if (engine::CommandListener::Open(settings, listener, detail) != 0 ||
        listener->SetGrammar(ShippedGrammar(), detail) != 0) {
        ADD_FAILURE() << detail;
        return {};
    }
    std::vector<std::int16_t> audio = command;
    audio.insert(audio.end(), engine::kListenSampleRate, 0);
    std::string heard;
    for (const engine::Utterance& u : listener->Feed(audio)) {
        heard += u.evidence.hypothesis;
    }
    return NormalizeWords(heard);
}

std::unique_ptr<engine::SphinxDecoder> Decoder() {
    const std::filesystem::path model = engine::DefaultEngineSettings().modelFolder;
    std::unique_ptr<engine::SphinxDecoder> decoder;
    std::string detail;
    EXPECT_EQ(
        engine::SphinxDecoder::Open({model / "en-us", model / "cmudict-en-us.dict", 50, {}}, decoder, detail),
        0)
        << detail;
    const std::filesystem::path grammar =
        std::filesystem::path(std::getenv("DORVA_TEST_BINARY_DIR")) / "bin" / "DORVA_Support" / "dorva.cfg";
    GrammarReading reading = ReadGrammarFile(grammar);
    EXPECT_TRUE(reading.grammar) << reading.error;
    if (decoder && reading.grammar) {
        EXPECT_EQ(decoder->SetGrammar(*reading.grammar, detail), 0) << detail;
    }
    return decoder;
}

// A fresh decoder's live cepstral mean is the model's, from other voices and microphones. The first
// utterance is searched again through the mean it taught: it comes out as it does from a decoder
// that had that mean before it heard a word (searched through the model's mean, this command fits
// its phrase 12 a frame worse).
TEST(SphinxDecoder, TheFirstUtteranceIsSearchedThroughTheMeanItTaught) {
    const std::vector<std::int16_t> command = Synthesised("attack using thirty even");
    ASSERT_FALSE(command.empty());
    const auto fresh = Decoder();
    const auto taught = Decoder();
    ASSERT_TRUE(fresh && taught);
    fresh->Process(command);
    const UtteranceEvidence first = fresh->EndUtterance();
    taught->SetCepstralMean(fresh->CepstralMean());
    taught->Process(command);
    const UtteranceEvidence later = taught->EndUtterance();
    EXPECT_EQ(NormalizeWords(first.hypothesis), "attack using thirty even");
    EXPECT_EQ(first.hypothesis, later.hypothesis);
    EXPECT_NEAR(GapPerFrame(first), GapPerFrame(later), 2.0);
}

// A British voice whose firepower "four" the dictionary's pronunciations hear as "twelve": once its
// lessons (said a little slower and higher, as a player reading them out would) are learnt from, its
// "four" is heard right, and so are the lessons. Stopped, the learning ends at once with nothing
// learnt.
TEST(VoiceLessons, AVoicesOwnFourIsHeardOnceItsLessonsAreLearnt) {
    std::vector<std::vector<std::int16_t>> lessons;
    for (const LessonPhrase& lesson : kLessonPhrases) {
        // With the pause before and after it that the microphone hears around a phrase read out.
        std::vector<std::int16_t> said(engine::kListenSampleRate * 3 / 10, 0);
        const std::vector<std::int16_t> words =
            Synthesised(std::string(lesson.words), "-v en-gb-x-rp+f1 -s 153 -p 56");
        said.insert(said.end(), words.begin(), words.end());
        said.resize(said.size() + engine::kListenSampleRate * 3 / 10, 0);
        lessons.push_back(std::move(said));
    }
    engine::EngineSettings settings = engine::DefaultEngineSettings();
    const std::atomic<bool> stopped{true};
    const engine::LessonOutcome cut = engine::LearnFromLessons(settings, ShippedGrammar(), lessons, &stopped);
    EXPECT_NE(cut.error, 0);
    EXPECT_TRUE(cut.learnt.empty());

    const engine::LessonOutcome outcome = engine::LearnFromLessons(settings, ShippedGrammar(), lessons);
    ASSERT_EQ(outcome.error, 0) << outcome.detail;
    EXPECT_EQ(outcome.heardRight, static_cast<int>(std::size(kLessonPhrases)));
    const std::vector<std::int16_t> command =
        Synthesised("attack using four plus one", "-v en-gb-x-rp+f1 -s 170");
    EXPECT_EQ(Heard(settings, command), "attack using twelve plus one");
    settings.pronunciations = outcome.learnt;
    EXPECT_EQ(Heard(settings, command), "attack using four plus one");
}

} // namespace
