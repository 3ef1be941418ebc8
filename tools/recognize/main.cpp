// dorva-recognize: what the program's recogniser hears in recordings, one JSON line per utterance,
// and the phrases of the grammar it listens for, one JSON line per phrase.
#include "voice/Grammar.h"
#include "voice/Resampler.h"
#include "voice/WavFile.h"
#include "voice/engine/CommandListener.h"
#include "voice/engine/Lessons.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace dorva::voice;
using nlohmann::json;

constexpr const char* kUsage =
    "usage: dorva-recognize [--grammar FILE] [--wake-word] --phrases\n"
    "       dorva-recognize [--grammar FILE] [--wake-word] [--model DIR] [--details]\n"
    "                       [--lessons DIR | --pronunciations TEXT] FILE.wav...\n"
    "The grammar is DORVA_Support/dorva.cfg beside the program unless --grammar names another;\n"
    "--model names the PocketSphinx model folder (en-us/ and cmudict-en-us.dict); --details adds\n"
    "the words heard, the score gap, the verdict, where in the file the utterance ended\n"
    "(end_ms) and how long the decision took after that audio had arrived (compute_ms); with the\n"
    "environment variable DORVA_RECOGNIZE_SEGMENTS set, also both decoders' best paths and each\n"
    "frame's loudness (frame_db, from the grammar path's first frame on).\n"
    "--wake-word puts the wake word \"dorva\" before every phrase, as the program's option does.\n"
    "--lessons learns from the voice lessons recorded in DIR (00.wav, 01.wav, ... in the lessons'\n"
    "order) before it hears the recordings, as the program does, and first writes a line with what it\n"
    "learnt (\"pronunciations\", as the settings keep them); no recordings are needed then.\n"
    "--pronunciations hears with the player's pronunciations given as the settings keep them.\n";

int Usage() {
    std::cerr << kUsage;
    return 2;
}

std::filesystem::path DefaultGrammar() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::current_path() : exe.parent_path()) / "DORVA_Support" / "dorva.cfg";
}

json Properties(const std::vector<std::string>& values) {
    json list = json::array();
    for (const std::string& v : values) {
        list.push_back(v);
    }
    return list;
}

int ListPhrases(const std::filesystem::path& grammarFile, bool wakeWord) {
    GrammarReading reading = ReadGrammarFile(grammarFile);
    if (!reading.grammar) {
        std::cerr << "dorva-recognize: " << grammarFile.string()
                  << (reading.errorLine ? ":" + std::to_string(reading.errorLine) : "") << ": "
                  << reading.error << "\n";
        return 1;
    }
    if (wakeWord) {
        reading.grammar = WithWakeWord(std::move(*reading.grammar));
    }
    for (const GrammarRule& rule : reading.grammar->rules) {
        for (const GrammarPhrase& phrase : rule.phrases) {
            std::cout << json{{"phrase", phrase.words},
                              {"rule", rule.name},
                              {"properties", Properties(phrase.properties)}}
                             .dump()
                      << "\n";
        }
    }
    return 0;
}

const char* VerdictName(Verdict verdict) {
    switch (verdict) {
    case Verdict::Command:
        return "command";
    case Verdict::NoHypothesis:
        return "no hypothesis";
    case Verdict::PoorFit:
        return "poor fit";
    case Verdict::SpeechAbsorbed:
        return "speech absorbed";
    case Verdict::NoWakeWord:
        return "no wake word";
    case Verdict::Unsettled:
        return "unsettled";
    case Verdict::UnlikePlayer:
        return "unlike the player";
    }
    return "";
}

json UtteranceLine(const std::string& file, const engine::Utterance& u, std::int64_t fileStart,
                   double computeMs, bool details) {
    json line{{"file", file}};
    if (u.command) {
        line["rule"] = u.result.ruleName;
        line["properties"] = Properties(u.result.properties);
    } else {
        line["rule"] = nullptr;
    }
    if (details) {
        line["heard"] = u.result.phrase;
        line["gap"] = std::round(u.gapPerFrame * 1000) / 1000;
        line["absorbed"] = AbsorbedFrames(u.evidence);
        line["margin"] = PartialMargin(u.evidence);
        line["frames"] = u.evidence.frames;

        line["verdict"] = u.wakeWordAlone ? "wake word alone" : VerdictName(u.verdict);
        // Where in the file the utterance was ended, and how long deciding took after that audio.
        line["end_ms"] = static_cast<double>(u.endSample - fileStart) * 1000.0 / engine::kListenSampleRate;
        line["compute_ms"] = std::round(computeMs * 100) / 100;
        if (std::getenv("DORVA_RECOGNIZE_SEGMENTS")) {
            for (const auto& [key, path] : {std::pair{"grammar_path", &u.evidence.grammarPath},
                                            std::pair{"phone_loop", &u.evidence.phoneLoop}}) {
                json list = json::array();
                for (const ScoredSegment& s : *path) {
                    list.push_back(json::array({s.label, s.firstFrame, s.lastFrame, s.score}));
                }
                line[key] = list;
            }
            json loudness = json::array();
            for (const float db : u.evidence.frameDb) {
                loudness.push_back(std::round(db * 10) / 10);
            }
            line["frame_db"] = loudness;
        }
    }
    return line;
}

// 16 kHz samples of the recording, or nothing with the reason written out.
std::optional<std::vector<std::int16_t>> ReadSamples(const std::string& file) {
    const WavReading reading = ReadWavFile(file);
    if (!reading.audio) {
        std::cerr << "dorva-recognize: " << file << ": " << reading.error << "\n";
        return std::nullopt;
    }
    const std::vector<float> audio =
        Resample(reading.audio->mono, reading.audio->sampleRate, engine::kListenSampleRate);
    std::vector<std::int16_t> samples(audio.size());
    std::transform(audio.begin(), audio.end(), samples.begin(), ToPcm16);
    return samples;
}

// Learns from the lessons in the folder into the settings; false when they cannot be read.
bool Learn(const std::filesystem::path& folder, const std::filesystem::path& grammarFile,
           engine::EngineSettings& settings) {
    const GrammarReading reading = ReadGrammarFile(grammarFile);
    if (!reading.grammar) {
        std::cerr << "dorva-recognize: " << grammarFile.string() << ": " << reading.error << "\n";
        return false;
    }
    std::vector<std::vector<std::int16_t>> recordings;
    for (std::size_t i = 0; i < std::size(kLessonPhrases); ++i) {
        const std::string name = (i < 10 ? "0" : "") + std::to_string(i) + ".wav";
        std::optional<std::vector<std::int16_t>> samples = ReadSamples((folder / name).string());
        if (!samples) {
            return false;
        }
        recordings.push_back(std::move(*samples));
    }
    const engine::LessonOutcome outcome = engine::LearnFromLessons(settings, *reading.grammar, recordings);
    if (outcome.error != 0) {
        std::cerr << "dorva-recognize: the lessons failed with error " << outcome.error << ": "
                  << outcome.detail << "\n";
        return false;
    }
    json learnt = json::object();
    for (const PlayerPronunciation& p : outcome.learnt) {
        learnt[p.word] = p.phones;
    }
    std::cout << json{{"pronunciations", FormatPronunciations(outcome.learnt)},
                      {"learnt", learnt},
                      {"heard_right", outcome.heardRight}}
                     .dump()
              << "\n";
    settings.pronunciations = outcome.learnt;
    return true;
}

int Recognize(const std::filesystem::path& grammarFile, const std::filesystem::path& model,
              const std::vector<std::string>& recordings, bool details, bool wakeWord,
              const std::filesystem::path& lessons, const std::string& pronunciations) {
    engine::EngineSettings settings = engine::DefaultEngineSettings();
    if (!model.empty()) {
        settings.modelFolder = model;
    }
    settings.pronunciations = ParsePronunciations(pronunciations);
    if (!lessons.empty() && !Learn(lessons, grammarFile, settings)) {
        return 3;
    }
    std::unique_ptr<engine::CommandListener> listener;
    std::string detail;
    long error = engine::CommandListener::Open(settings, listener, detail);
    if (error == 0) {
        error = listener->LoadGrammar(grammarFile, detail);
    }
    if (error == 0 && wakeWord) {
        error = listener->SetGrammar(WithWakeWord(listener->CurrentGrammar()), detail);
    }
    if (error != 0) {
        std::cerr << "dorva-recognize: the recogniser's set-up failed with error " << error << ": " << detail
                  << "\n";
        return 3;
    }
    int status = 0;
    for (const std::string& file : recordings) {
        std::optional<std::vector<std::int16_t>> read = ReadSamples(file);
        if (!read) {
            status = 1;
            continue;
        }
        std::vector<std::int16_t>& samples = *read;
        // One recording after another, as one stream: the recogniser carries over what it has
        // learnt of the channel, as it does between the commands of a game. A stretch of silence
        // keeps one file's last word apart from the next one's first.
        samples.insert(samples.end(), engine::kListenSampleRate, 0);
        const std::int64_t fileStart = listener->SamplesFed();
        // Fed as the microphone delivers it, so that --details can tell how long the decision
        // itself took once the utterance's last piece of audio had arrived.
        constexpr std::size_t kPiece = engine::kListenSampleRate * 30 / 1000;
        for (std::size_t at = 0; at < samples.size(); at += kPiece) {
            const auto piece =
                std::span<const std::int16_t>(samples).subspan(at, std::min(kPiece, samples.size() - at));
            const auto started = std::chrono::steady_clock::now();
            const std::vector<engine::Utterance> heard = listener->Feed(piece);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
            for (const engine::Utterance& u : heard) {
                std::cout << UtteranceLine(file, u, fileStart, took.count(), details).dump() << "\n";
            }
        }
        if (const std::optional<engine::Utterance> last = listener->Finish()) {
            std::cout << UtteranceLine(file, *last, fileStart, 0, details).dump() << "\n";
        }
        std::cout.flush();
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path grammar = DefaultGrammar();
    std::filesystem::path model;
    std::filesystem::path lessons;
    std::string pronunciations;
    bool phrases = false;
    bool details = false;
    bool wakeWord = false;
    std::vector<std::string> recordings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--grammar" || arg == "--model") && i + 1 < argc) {
            (arg == "--grammar" ? grammar : model) = argv[++i];
        } else if (arg == "--lessons" && i + 1 < argc) {
            lessons = argv[++i];
        } else if (arg == "--pronunciations" && i + 1 < argc) {
            pronunciations = argv[++i];
        } else if (arg == "--phrases") {
            phrases = true;
        } else if (arg == "--details") {
            details = true;
        } else if (arg == "--wake-word") {
            wakeWord = true;
        } else if (arg.starts_with("--")) {
            return Usage();
        } else {
            recordings.push_back(arg);
        }
    }
    if (phrases) {
        return recordings.empty() ? ListPhrases(grammar, wakeWord) : Usage();
    }
    if (recordings.empty() && lessons.empty()) {
        return Usage();
    }
    return Recognize(grammar, model, recordings, details, wakeWord, lessons, pronunciations);
}
