// The decoders on a synthesised command, with the shipped model and grammar; no audio server.
#include "voice/CommandRejection.h"
#include "voice/Grammar.h"
#include "voice/Resampler.h"
#include "voice/WavFile.h"
#include "voice/engine/CommandListener.h"
#include "voice/engine/SpeechEngines.h"
#include "voice/engine/SphinxDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace dorva::voice;

namespace {

std::vector<std::int16_t> Synthesised(const std::string& words) {
    // A name of the run's own: the sanitizer build's tests may run beside the plain build's.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("dorva-decoder-test-" + std::to_string(getpid()) + ".wav");
    const std::string command = "espeak-ng -v en-us -w '" + file.string() + "' '" + words + "'";
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

std::unique_ptr<engine::SphinxDecoder> Decoder() {
    const std::filesystem::path model = engine::DefaultEngineSettings().modelFolder;
    std::unique_ptr<engine::SphinxDecoder> decoder;
    std::string detail;
    EXPECT_EQ(engine::SphinxDecoder::Open({model / "en-us", model / "cmudict-en-us.dict"}, decoder, detail),
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

} // namespace
