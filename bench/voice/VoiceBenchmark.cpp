// Voice benchmark: how well and how fast the program hears its commands, and how soon it speaks.
//
//   dorva-bench-voice [--voices tune|check|flite|all] [--jobs N] [--audio DIR] [--details FILE]
//                     [--grammar FILE] [--rules PREFIX,...] [--wake-word] [--lessons] [--no-speak]
//   dorva-bench-voice --speak-only
//
// --audio keeps the synthesised recordings in DIR and reuses them in later runs; --details writes
// one JSON line per recording with everything the recogniser said about it (with
// DORVA_RECOGNIZE_SEGMENTS set, also both decoders' segments, which the thresholds were tuned on).
// DORVA_BENCH_VERBOSE prints each speaking latency.
//
// Recognition: every phrase of the grammar and every sentence of table-talk.txt (no command at all) is
// synthesised by espeak-ng with twenty voices and variants (120 to 210 words a minute, pitches from 35 to
// 75), padded with silence, and run through dorva-recognize, one process a voice, so that each voice starts
// from a fresh recogniser as the program does. Half the recordings are heard in a room: a reverberation and
// pink noise or babble 25 to 35 dB below the speaker, which goes on after the command. The recogniser listens
// for every phrase whatever the switches, as the program does: a switch command is said where it changes
// something ("start talking" while the program is silent), and once more, after everything else, where it
// changes nothing; the table talk is said once more while listening is off. The voices are split once,
// before any tuning, into a tuning half and a held-out half; wording and thresholds are chosen on the tuning
// half only, and the held-out figures are the ones that count. Eight voices of another synthesiser, flite,
// are a second set never tuned on (--voices flite), printed apart. Printed per half: commands heard right
// (rule and values), wrong and rejected; how many the grammar search's best path alone got right, with no
// rejection at all (the most any rejection rule could reach); commands heard as their opposite (the other
// switch, another table, another firepower); table talk taken for a command; a switch said where it changes
// nothing taken for the other switch; table talk taken for a command while listening is off; and the time
// from the end of speech in the audio to the decision (the audio the endpointer waited for, plus the time the
// decision took). --rules prints the held-out figures of the grammar's rules whose names start with the given
// prefixes as well.
// --wake-word measures the program's wake-word option: every command is said after "Dorva," and the
// recogniser listens for phrases that begin with it; the table talk stays as it is. Every fourth command is
// said again, last, after "Dorva" and a pause of 0.7 to 1.5 s, and counted apart.
// --lessons measures what the voice lessons give: each voice first says the lessons' phrases, clean and a
// little slower and higher than its commands (a player reading them out at the set-up screen does not
// say them as at the table), and its recogniser learns from them before it hears anything else.
//
// Speaking: a private PulseAudio server (tests/voice/e2e/pulse.sh), the program's own voice, and a
// recorder on the speaker's monitor; printed is the time from Speak to the first sample there.
#include "voice/Grammar.h"
#include "voice/Resampler.h"
#include "voice/VoiceLessons.h"
#include "voice/WavFile.h"
#include "voice/engine/SpeechEngines.h"

#include <nlohmann/json.hpp>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

// Which figures a voice's recordings count towards. Phrases and thresholds may be chosen on the
// tuning half, never on the others.
enum class Half { Tuning, HeldOut, OtherSynthesizer };

struct VoiceSpec {
    std::string name; // espeak-ng voice and variant, or flite voice for the other synthesiser
    int rate;         // words a minute; 0 for the voice's own
    int pitch;        // espeak-ng: 0 to 99; flite: mean pitch in Hz; -1 for the voice's own
    Half half;
};

// Twenty voices, split before any tuning: the first ten are the ones earlier wording and thresholds
// were already chosen on, so they can only be the tuning half; the other ten were never used to
// choose anything and are the figures that count. Rates run from 120 to 210 words a minute.
const std::vector<VoiceSpec> kVoices = {
    {"en-us", 0, -1, Half::Tuning},
    {"en+m3", 0, -1, Half::Tuning},
    {"en-us+f2", 150, 70, Half::Tuning},
    {"en-gb-x-rp+klatt", 190, -1, Half::Tuning},
    {"en", 0, -1, Half::Tuning},
    {"en+f3", 0, -1, Half::Tuning},
    {"en-us+m7", 200, 35, Half::Tuning},
    {"en-gb-x-rp+f4", 160, -1, Half::Tuning},
    {"en-us+m4", 180, 60, Half::Tuning},
    {"en-gb-x-rp+f1", 170, -1, Half::Tuning},
    {"en-gb-scotland+f3", 150, 60, Half::HeldOut},
    {"en-029+m1", 190, -1, Half::HeldOut},
    {"en-us-nyc+f4", 170, -1, Half::HeldOut},
    {"en-gb-x-gbclan+m4", 130, 45, Half::HeldOut},
    {"en-gb-x-gbcwmd+f2", 160, 75, Half::HeldOut},
    {"en-us+m6", 210, -1, Half::HeldOut},
    {"en+klatt2", 175, 35, Half::HeldOut},
    {"en-gb-x-rp+m7", 145, -1, Half::HeldOut},
    {"en-us+f5", 120, 65, Half::HeldOut},
    {"en-us+klatt4", 180, 50, Half::HeldOut},
    // Another synthesiser altogether, never tuned on: every espeak-ng voice shares one set of
    // formant rules and one way of joining sounds, which the tuning half may fit without fitting
    // speech that was made any other way. flite's voices are built from recordings of four speakers
    // (awb a Scottish one), so they sit nearer to a player than any variant of espeak-ng.
    {"kal16", 0, -1, Half::OtherSynthesizer},
    {"awb", 0, -1, Half::OtherSynthesizer},
    {"rms", 0, -1, Half::OtherSynthesizer},
    {"slt", 0, -1, Half::OtherSynthesizer},
    {"awb", 140, 95, Half::OtherSynthesizer},
    {"slt", 200, 210, Half::OtherSynthesizer},
    {"rms", 150, 85, Half::OtherSynthesizer},
    {"kal16", 190, 125, Half::OtherSynthesizer},
};

constexpr double kPaddingSeconds = 0.3;

// How "Speak results" and "Recognize speech" stand when a sample is said.
struct Switches {
    bool speaking = true;
    bool listening = true;
};

struct Sample {
    std::string text;
    std::string rule; // empty for table talk
    std::vector<std::string> properties;
    // The switches as the player says it: for a command, where it changes something.
    Switches switches;
    // A switch command said where it changes nothing ("stop talking" while silent), or table talk
    // while listening is off: what the recogniser must not turn into the other switch.
    bool idle = false;
    // With the wake word: said after "Dorva" and a pause this long, which ends the utterance there.
    int pauseMs = 0;
};

// Whether the rule's command would change anything with the switches as they are: while listening
// is off, only "start listening" would.
bool ChangesSomething(std::string_view rule, Switches switches) {
    if (!switches.listening) {
        return rule == "startlistening";
    }
    return rule != "startlistening" && rule != (switches.speaking ? "starttalking" : "stoptalking");
}

// The first of the four states of the switches in which the rule changes something (or nothing).
Switches StateWhere(const std::string& rule, bool changes) {
    for (const bool listening : {true, false}) {
        for (const bool speaking : {true, false}) {
            if (ChangesSomething(rule, {speaking, listening}) == changes) {
                return {speaking, listening};
            }
        }
    }
    return {};
}

struct Spoken {
    const Sample* sample = nullptr;
    const VoiceSpec* voice = nullptr;
    fs::path file;
    double speechEndMs = 0;
    std::vector<json> heard;
    bool inRoom = false;
};

bool IsVoiceSet(std::string_view name) {
    return name == "tune" || name == "check" || name == "flite" || name == "all";
}

// The name --voices takes for the half.
std::string HalfName(Half half) {
    switch (half) {
    case Half::Tuning:
        return "tune";
    case Half::HeldOut:
        return "check";
    case Half::OtherSynthesizer:
        return "flite";
    }
    return {};
}

std::string Slug(const std::string& text) {
    std::string slug;
    for (const char c : text) {
        slug += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return slug.substr(0, 80);
}

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return out;
    }
    char buffer[65536];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    pclose(pipe);
    return out;
}

void WriteWav16(const fs::path& file, const std::vector<float>& samples, int rate) {
    std::string bytes = "RIFF";
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    put(36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2);
    put(1, 2);
    put(static_cast<std::uint32_t>(rate), 4);
    put(static_cast<std::uint32_t>(rate * 2), 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(dataBytes, 4);
    for (const float s : samples) {
        put(static_cast<std::uint16_t>(dorva::voice::ToPcm16(s)), 2);
    }
    std::ofstream(file, std::ios::binary) << bytes;
}

std::size_t LastSound(const std::vector<float>& samples) {
    std::size_t last = samples.size();
    while (last > 0 && std::abs(samples[last - 1]) < 1e-3f) {
        --last;
    }
    return last;
}

// How a recording is heard: clean, or at a table in a room. Half the recordings get a room: a
// reverberation and a background of pink noise or of other people talking, 25 to 35 dB below the
// speaker (the player sits at the microphone, the others further off).
struct Room {
    bool used = false;
    bool babble = false; // other voices rather than pink noise
    double noiseDb = 0;  // the background's RMS level against the speech's
    double rt60 = 0;     // seconds for the reverberation to fall by 60 dB
    unsigned seed = 0;
};

Room RoomFor(std::size_t voiceIndex, std::size_t sampleIndex) {
    std::mt19937 random(static_cast<unsigned>(voiceIndex * 7919 + sampleIndex * 104729 + 17));
    Room room;
    room.used = (voiceIndex + sampleIndex) % 2 == 1;
    room.babble = random() % 2 == 0;
    room.noiseDb = std::uniform_real_distribution<double>(-35.0, -25.0)(random);
    room.rt60 = std::uniform_real_distribution<double>(0.25, 0.6)(random);
    room.seed = static_cast<unsigned>(random());
    return room;
}

std::string RoomTag(const Room& room) {
    if (!room.used) {
        return "";
    }
    char tag[64];
    std::snprintf(tag, sizeof tag, "_%s%.0f_rt%.0f", room.babble ? "babble" : "pink", -room.noiseDb,
                  room.rt60 * 100);
    return tag;
}

double Rms(const std::vector<float>& samples) {
    double sum = 0;
    for (const float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

std::vector<float> PinkNoise(std::size_t count, std::mt19937& random) {
    // Paul Kellet's economy filter over white noise: within a decibel of 1/f over the speech band.
    std::normal_distribution<float> white(0.0f, 1.0f);
    std::vector<float> noise(count);
    float b0 = 0, b1 = 0, b2 = 0;
    for (float& n : noise) {
        const float w = white(random);
        b0 = 0.99765f * b0 + w * 0.0990460f;
        b1 = 0.96300f * b1 + w * 0.2965164f;
        b2 = 0.57000f * b2 + w * 1.0526913f;
        n = b0 + b1 + b2 + w * 0.1848f;
    }
    return noise;
}

// A room as a sparse impulse response: the direct sound, then reflections at random delays whose
// level falls off exponentially with the room's reverberation time. Sparse, so that convolving a few
// thousand recordings takes seconds.
std::vector<float> Reverberate(const std::vector<float>& dry, int rate, double rt60, std::mt19937& random) {
    struct Tap {
        std::size_t delay;
        float gain;
    };
    std::vector<Tap> taps{{0, 1.0f}};
    const auto length = static_cast<std::size_t>(rt60 * rate);
    std::uniform_int_distribution<std::size_t> delay(static_cast<std::size_t>(0.003 * rate), length);
    std::uniform_real_distribution<float> sign(-1.0f, 1.0f);
    for (int i = 0; i < 600; ++i) {
        const std::size_t d = delay(random);
        const double decay = std::pow(10.0, -3.0 * static_cast<double>(d) / static_cast<double>(length));
        taps.push_back({d, static_cast<float>(0.12 * decay) * sign(random)});
    }
    std::vector<float> wet(dry.size() + length, 0.0f);
    for (const Tap& tap : taps) {
        for (std::size_t i = 0; i < dry.size(); ++i) {
            wet[i + tap.delay] += dry[i] * tap.gain;
        }
    }
    wet.resize(dry.size());
    const double scale = Rms(dry) / std::max(1e-9, Rms(wet));
    for (float& s : wet) {
        s = static_cast<float>(s * scale);
    }
    return wet;
}

// The samples of the WAVE file that a synthesiser's command writes to its standard output.
std::vector<float> SamplesOf(const std::string& command, int& sampleRate) {
    const dorva::voice::WavReading raw = dorva::voice::ParseWav(ReadCommand(command));
    if (!raw.audio) {
        return {};
    }
    sampleRate = raw.audio->sampleRate;
    return raw.audio->mono;
}

std::vector<float> SpeakToSamples(const std::string& voice, int rate, int pitch, const std::string& text,
                                  int& sampleRate) {
    std::string command = "espeak-ng -v " + voice;
    if (rate > 0) {
        command += " -s " + std::to_string(rate);
    }
    if (pitch >= 0) {
        command += " -p " + std::to_string(pitch);
    }
    if (text.starts_with("<speak>")) {
        command += " -m";
    }
    command += " --stdout " + ShellQuote(text) + " 2>/dev/null";
    return SamplesOf(command, sampleRate);
}

std::vector<float> FliteToSamples(const std::string& voice, int rate, int pitch, const std::string& text,
                                  int& sampleRate) {
    // flite has no rate in words a minute; its voices speak at about espeak-ng's own 175.
    std::string command = "flite -voice " + voice;
    if (rate > 0) {
        command += " --setf duration_stretch=" + std::to_string(175.0 / rate);
    }
    if (pitch >= 0) {
        command += " --setf int_f0_target_mean=" + std::to_string(pitch);
    }
    command += " -t " + ShellQuote(text) + " -o /dev/stdout 2>/dev/null";
    return SamplesOf(command, sampleRate);
}

// The voice saying the text; with a pause, "Dorva", the pause, then the rest of "Dorva, <command>".
std::vector<float> Say(const VoiceSpec& voice, const std::string& text, int pauseMs, int& sampleRate) {
    const std::string command = pauseMs > 0 ? text.substr(std::string_view("Dorva, ").size()) : text;
    if (voice.half != Half::OtherSynthesizer) {
        return SpeakToSamples(voice.name, voice.rate, voice.pitch,
                              pauseMs > 0 ? "<speak>Dorva<break time=\"" + std::to_string(pauseMs) +
                                                "ms\"/>" + command + "</speak>"
                                          : text,
                              sampleRate);
    }
    if (pauseMs == 0) {
        return FliteToSamples(voice.name, voice.rate, voice.pitch, text, sampleRate);
    }
    // flite reads no markup: the pause is laid between the two parts, said apart.
    std::vector<float> speech = FliteToSamples(voice.name, voice.rate, voice.pitch, "Dorva", sampleRate);
    int rate = 0;
    const std::vector<float> rest = FliteToSamples(voice.name, voice.rate, voice.pitch, command, rate);
    if (speech.empty() || rest.empty() || rate != sampleRate) {
        return {};
    }
    speech.resize(LastSound(speech) + static_cast<std::size_t>(pauseMs) * sampleRate / 1000, 0.0f);
    speech.insert(speech.end(), rest.begin(), rest.end());
    return speech;
}

// Other people at the table: several voices saying table talk at once, made once a run.
const std::vector<float>& BabbleTrack() {
    static std::vector<float> track;
    if (!track.empty()) {
        return track;
    }
    const std::vector<std::pair<std::string, std::string>> talkers = {
        {"en+m2", "so the squad moves into the woods and the leader follows right behind them"},
        {"en-us+f1", "I rolled boxcars again which means the gun is out of action for the turn"},
        {"en-gb+m5", "the half track goes down the road and stops next to the stone building there"},
        {"en+f4", "could you pass me the counters and the chart for the defensive fire phase"},
    };
    for (std::size_t t = 0; t < talkers.size(); ++t) {
        int rate = 0;
        const std::vector<float> voice = SpeakToSamples(talkers[t].first, 0, -1, talkers[t].second, rate);
        // Each talker starts at another moment and repeats, so that the voices overlap all along.
        std::size_t start = t * 9000;
        for (int repeat = 0; repeat < 4; ++repeat, start += voice.size() + 3000 * (t + 1)) {
            if (track.size() < start + voice.size()) {
                track.resize(start + voice.size(), 0.0f);
            }
            for (std::size_t i = 0; i < voice.size(); ++i) {
                track[start + i] += voice[i];
            }
        }
    }
    return track;
}

std::vector<float> Background(const Room& room, std::size_t count, double speechRms, std::mt19937& random) {
    std::vector<float> noise;
    if (room.babble && !BabbleTrack().empty()) {
        const std::vector<float>& track = BabbleTrack();
        const std::size_t start = std::uniform_int_distribution<std::size_t>(0, track.size() - 1)(random);
        for (std::size_t i = 0; i < count; ++i) {
            noise.push_back(track[(start + i) % track.size()]);
        }
    } else {
        noise = PinkNoise(count, random);
    }
    const double scale = speechRms * std::pow(10.0, room.noiseDb / 20.0) / std::max(1e-9, Rms(noise));
    for (float& n : noise) {
        n = static_cast<float>(n * scale);
    }
    return noise;
}

// Synthesises the text as heard in the room (or reuses the file from an earlier run) and gives where
// its speech ends.
std::optional<double> Synthesize(const VoiceSpec& voice, const Room& room, const std::string& text,
                                 int pauseMs, const fs::path& file) {
    const fs::path endFile = file.string() + ".end";
    if (!fs::exists(file) || !fs::exists(endFile)) {
        int rate = 0;
        const std::vector<float> speech = Say(voice, text, pauseMs, rate);
        if (speech.empty()) {
            return std::nullopt;
        }
        const auto pad = static_cast<std::size_t>(kPaddingSeconds * rate);
        std::vector<float> padded(pad, 0.0f);
        padded.insert(padded.end(), speech.begin(), speech.end());
        // In a room the background goes on after the command, as it does at a table: the end of the
        // command has to be found in the noise, not where the recording stops.
        padded.insert(padded.end(), room.used ? pad * 4 : pad, 0.0f);
        if (room.used) {
            std::mt19937 random(room.seed);
            padded = Reverberate(padded, rate, room.rt60, random);
            const std::vector<float> noise = Background(room, padded.size(), Rms(speech), random);
            for (std::size_t i = 0; i < padded.size(); ++i) {
                padded[i] += noise[i];
            }
        }
        WriteWav16(file, padded, rate);
        // Where the speech ends, from the clean speech: the room's tail and background are no speech.
        std::ofstream(endFile) << static_cast<double>(pad + LastSound(speech)) * 1000.0 / rate;
    }
    double endMs = 0;
    if (!(std::ifstream(endFile) >> endMs)) {
        return std::nullopt;
    }
    return endMs;
}

// Runs a program with its standard output into a file; the process id.
pid_t Spawn(const std::vector<std::string>& args, const fs::path& output) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct Run {
    std::vector<std::string> args;
    fs::path output;
};

// Runs the programs, so many at a time.
void RunAll(const std::vector<Run>& runs, int jobs) {
    std::size_t next = 0;
    int running = 0;
    while (next < runs.size() || running > 0) {
        while (next < runs.size() && running < jobs) {
            if (Spawn(runs[next].args, runs[next].output) > 0) {
                ++running;
            }
            ++next;
        }
        int status = 0;
        if (running > 0 && wait(&status) > 0) {
            --running;
        } else if (running > 0) {
            break;
        }
    }
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1,
                           static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

bool Accepted(const json& line) {
    return !line["rule"].is_null();
}

// A command heard as its opposite is worse than one not heard at all: the player asked for one thing
// and the program did another that is hard to notice (the other switch, another table, another
// firepower). The other switch heard where it changes nothing ("stop talking" while silent) did
// nothing the other way: it is a wrong command, not an opposite one.
bool Opposite(const Sample& said, const json& heard) {
    const std::string rule = heard["rule"].get<std::string>();
    const auto props = heard["properties"].get<std::vector<std::string>>();
    const auto stem = [](const std::string& name) {
        for (const std::string_view verb : {"start", "stop"}) {
            if (name.starts_with(verb)) {
                return name.substr(verb.size());
            }
        }
        return std::string();
    };
    if (!stem(said.rule).empty() && stem(said.rule) == stem(rule) && said.rule != rule) {
        return ChangesSomething(rule, said.switches);
    }
    if (said.rule.starts_with("table6") && rule.starts_with("table6")) {
        return said.rule != rule;
    }
    const bool saidAttack = said.rule.starts_with("Attack");
    if (saidAttack && rule.starts_with("Attack") && !said.properties.empty() && !props.empty()) {
        return said.properties[0] != props[0];
    }
    return false;
}

enum class Outcome { Right, Wrong, Rejected };

Outcome Judge(const Spoken& s) {
    int accepted = 0;
    bool right = false;
    for (const json& line : s.heard) {
        if (Accepted(line)) {
            ++accepted;
            right = right || (line["rule"] == s.sample->rule &&
                              line["properties"].get<std::vector<std::string>>() == s.sample->properties);
        }
    }
    if (accepted == 0) {
        return Outcome::Rejected;
    }
    return right && accepted == 1 ? Outcome::Right : Outcome::Wrong;
}

// Whether the grammar search's own best path was the command, whatever the rejection made of it: the
// ceiling no rejection rule can rise above. The command is the longest utterance that held words, so
// that noise heard after it does not count.
bool BestPathRight(const Spoken& s, const dorva::voice::Grammar& grammar) {
    const json* longest = nullptr;
    for (const json& line : s.heard) {
        if (!line.value("heard", "").empty() &&
            (!longest || line.value("frames", 0) > longest->value("frames", 0))) {
            longest = &line;
        }
    }
    if (!longest) {
        return false;
    }
    std::string words = dorva::voice::NormalizeWords((*longest)["heard"].get<std::string>());
    if (const std::string wake = std::string(dorva::voice::kWakeWord) + " "; words.starts_with(wake)) {
        words.erase(0, wake.size());
    }
    const std::optional<dorva::voice::GrammarMatch> match = grammar.Find(words);
    return match && match->rule->name == s.sample->rule && match->phrase->properties == s.sample->properties;
}

// With listening off the recogniser still hears the whole grammar, so that the other phrases compete
// with "start listening"; only that one is obeyed, and only that one is counted.
bool FalseCommand(const Spoken& s) {
    const bool listening = s.sample->switches.listening;
    return std::any_of(s.heard.begin(), s.heard.end(), [listening](const json& line) {
        return Accepted(line) && (listening || line["rule"] == "startlistening");
    });
}

struct Figures {
    int commands = 0, right = 0, wrong = 0, rejected = 0, opposites = 0, talk = 0, falseCommands = 0;
    int inRoom = 0, rightInRoom = 0, bestPathRight = 0;
    int idleSwitches = 0, idleOpposites = 0, pausedTalk = 0, pausedFalse = 0;
    std::vector<double> latencies;
    std::vector<std::string> oppositeExamples;

    void Add(const Figures& other) {
        commands += other.commands, right += other.right, wrong += other.wrong, rejected += other.rejected;
        opposites += other.opposites, talk += other.talk, falseCommands += other.falseCommands;
        inRoom += other.inRoom, rightInRoom += other.rightInRoom, bestPathRight += other.bestPathRight;
        idleSwitches += other.idleSwitches, idleOpposites += other.idleOpposites;
        pausedTalk += other.pausedTalk, pausedFalse += other.pausedFalse;
        latencies.insert(latencies.end(), other.latencies.begin(), other.latencies.end());
    }
};

double Share(int part, int whole) {
    return whole ? 100.0 * part / whole : 0.0;
}

void PrintFigures(const std::string& title, const Figures& f) {
    std::printf("  %s\n", title.c_str());
    std::printf("    commands %d: right %.1f %%, wrong %.1f %%, rejected %.1f %% (in a room: %.1f %% right); "
                "opposite commands %d\n",
                f.commands, Share(f.right, f.commands), Share(f.wrong, f.commands),
                Share(f.rejected, f.commands), Share(f.rightInRoom, f.inRoom), f.opposites);
    std::printf("    with no rejection at all (the grammar search's best path): right %.1f %%\n",
                Share(f.bestPathRight, f.commands));
    if (f.talk) {
        std::printf("    table talk %d: false commands %.1f %% (%d)\n", f.talk,
                    Share(f.falseCommands, f.talk), f.falseCommands);
    }
    if (f.idleSwitches) {
        std::printf("    switch commands said where they change nothing %d: taken for the other switch %d\n",
                    f.idleSwitches, f.idleOpposites);
    }
    if (f.pausedTalk) {
        std::printf("    table talk while listening is off %d: taken for \"start listening\" %.1f %% (%d)\n",
                    f.pausedTalk, Share(f.pausedFalse, f.pausedTalk), f.pausedFalse);
    }
    std::printf("    end of speech to decision: median %.0f ms, 90th percentile %.0f ms\n",
                Median(f.latencies), Percentile(f.latencies, 0.9));
    for (const std::string& example : f.oppositeExamples) {
        std::printf("    opposite: %s\n", example.c_str());
    }
}

// --- Speaking latency ---

struct PrivateServer {
    fs::path dir;
    pid_t pid = -1;
    ~PrivateServer() {
        // The server is no child of this process (a shell started it): wait for it by polling.
        if (pid > 0 && kill(pid, SIGTERM) == 0) {
            const auto deadline = Clock::now() + std::chrono::seconds(5);
            while (kill(pid, 0) == 0 && Clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            kill(pid, SIGKILL);
        }
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

bool StartServer(const fs::path& pulseScript, PrivateServer& server) {
    char pattern[] = "/tmp/dorva-bench-pulse-XXXXXX";
    if (!mkdtemp(pattern)) {
        return false;
    }
    server.dir = pattern;
    // pulse_start leaves the server running in the background; its process id is in server.pid.
    const std::string command =
        "bash -c " + ShellQuote("source " + pulseScript.string() + " && pulse_start " + server.dir.string() +
                                " >/dev/null");
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    std::ifstream(server.dir / "server.pid") >> server.pid;
    // The server was started by a shell that has ended; it is no child of this process.
    setenv("PULSE_SERVER", ("unix:" + (server.dir / "native").string()).c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (server.dir / "client.conf").c_str(), 1);
    return server.pid > 0;
}

void MeasureSpeaking(const fs::path& pulseScript) {
    PrivateServer server;
    if (!StartServer(pulseScript, server)) {
        std::printf("Speaking: could not start a private PulseAudio server (pulseaudio installed?)\n");
        return;
    }
    // A recorder on what the speaker plays, in pieces of 5 ms so that it adds little of its own.
    const pa_sample_spec format{PA_SAMPLE_S16LE, 16000, 1};
    pa_buffer_attr attr{static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1),
                        static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1), 160};
    int error = 0;
    pa_simple* recorder = pa_simple_new(nullptr, "dorva-bench-voice", PA_STREAM_RECORD, "speaker.monitor",
                                        "speaker probe", &format, nullptr, &attr, &error);
    if (!recorder) {
        std::printf("Speaking: cannot record the speaker: %s\n", pa_strerror(error));
        return;
    }
    std::atomic<bool> stop{false};
    std::atomic<Clock::rep> lastSound{0};
    std::atomic<Clock::rep> firstSoundAfter{0};
    std::atomic<Clock::rep> armedAt{0};
    std::thread listen([&] {
        std::int16_t buffer[80];
        while (!stop) {
            if (pa_simple_read(recorder, buffer, sizeof buffer, nullptr) < 0) {
                return;
            }
            const auto now = Clock::now().time_since_epoch().count();
            const bool sound =
                std::any_of(std::begin(buffer), std::end(buffer), [](std::int16_t s) { return s != 0; });
            if (sound) {
                lastSound = now;
                if (armedAt != 0 && firstSoundAfter == 0) {
                    firstSoundAfter = now;
                }
            }
        }
    });
    // The voice is created a while before it first speaks, as at the program's start-up. Spoken at
    // once, its first sentence would wait for the null sink, which renders in blocks of up to two
    // seconds until a stream asks for less, and only shortens its block once the current one ends.
    std::unique_ptr<dorva::platform::SpeechPlatform> platform = dorva::voice::engine::CreateSpeechEngines();
    std::unique_ptr<dorva::platform::Voice> voice;
    if (const long created = platform->CreateVoice(voice); created != 0) {
        std::printf("Speaking: the voice could not be created (error %ld)\n", created);
        stop = true;
        listen.join();
        pa_simple_free(recorder);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    const std::vector<std::string> texts = {
        "You rolled a three and a four", "On <spell>A</spell> through G G you rolled 5",
        "I will start talking", "Table six delta: the gun is malfunctioned"};
    std::vector<double> latencies;
    for (int round = 0; round < 12; ++round) {
        // Quiet first: the previous sentence has played to its end.
        const auto quietSince = Clock::now();
        while (Clock::now() - quietSince < std::chrono::seconds(10) &&
               Clock::now().time_since_epoch().count() - lastSound <
                   std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(400)).count()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        firstSoundAfter = 0;
        const std::string& text = texts[static_cast<std::size_t>(round) % texts.size()];
        const auto start = Clock::now();
        armedAt = start.time_since_epoch().count();
        voice->Speak(text, text.find('<') != std::string::npos ? 9 : 1);
        while (firstSoundAfter == 0 && Clock::now() - start < std::chrono::seconds(5)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        armedAt = 0;
        if (firstSoundAfter != 0) {
            latencies.push_back(std::chrono::duration<double, std::milli>(
                                    Clock::duration(firstSoundAfter - start.time_since_epoch().count()))
                                    .count());
            if (std::getenv("DORVA_BENCH_VERBOSE")) {
                std::printf("    %.1f ms\n", latencies.back());
            }
        }
    }
    voice.reset();
    platform.reset();
    stop = true;
    listen.join();
    pa_simple_free(recorder);
    std::printf("Speaking (private PulseAudio server, null sink): Speak to the first sample at the server: "
                "median %.0f ms, slowest %.0f ms over %zu sentences (target <= 100 ms)\n",
                Median(latencies),
                latencies.empty() ? NAN : *std::max_element(latencies.begin(), latencies.end()),
                latencies.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--speak-only") {
        MeasureSpeaking(fs::path(DORVA_SOURCE_DIR) / "tests" / "voice" / "e2e" / "pulse.sh");
        return 0;
    }
    const fs::path exeFolder = fs::read_symlink("/proc/self/exe").parent_path();
    fs::path grammarFile = exeFolder / "DORVA_Support" / "dorva.cfg";
    const fs::path recognizer = exeFolder / "dorva-recognize";
    const fs::path sourceDir = DORVA_SOURCE_DIR;
    std::string voiceSet = "all";
    int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    fs::path audioDir;
    fs::path detailsFile;
    bool speak = true;
    bool wakeWord = false;
    bool lessons = false;
    std::vector<std::string> onlyRules;
    std::string onlyRulesText;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--voices" && i + 1 < argc && IsVoiceSet(argv[i + 1])) {
            voiceSet = argv[++i];
        } else if (arg == "--jobs" && i + 1 < argc) {
            jobs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--audio" && i + 1 < argc) {
            audioDir = argv[++i];
        } else if (arg == "--details" && i + 1 < argc) {
            detailsFile = argv[++i];
        } else if (arg == "--grammar" && i + 1 < argc) {
            grammarFile = argv[++i];
        } else if (arg == "--rules" && i + 1 < argc) {
            onlyRulesText = argv[++i];
            std::stringstream list(onlyRulesText);
            for (std::string prefix; std::getline(list, prefix, ',');) {
                onlyRules.push_back(prefix);
            }
        } else if (arg == "--no-speak") {
            speak = false;
        } else if (arg == "--wake-word") {
            wakeWord = true;
        } else if (arg == "--lessons") {
            lessons = true;
        } else {
            std::cerr << "usage: dorva-bench-voice [--voices tune|check|flite|all] [--jobs N] [--audio DIR] "
                         "[--details FILE] [--grammar FILE] [--rules PREFIX,...] [--wake-word] [--lessons]\n"
                         "                         [--no-speak]\n"
                         "       dorva-bench-voice --speak-only\n";
            return 2;
        }
    }

    const dorva::voice::GrammarReading reading = dorva::voice::ReadGrammarFile(grammarFile);
    if (!reading.grammar) {
        std::cerr << grammarFile.string() << ": " << reading.error << "\n";
        return 1;
    }
    std::vector<Sample> samples;
    for (const auto& rule : reading.grammar->rules) {
        for (const auto& phrase : rule.phrases) {
            samples.push_back({wakeWord ? "Dorva, " + phrase.words : phrase.words, rule.name,
                               phrase.properties, StateWhere(rule.name, true)});
        }
    }
    const std::size_t commandCount = samples.size();
    std::ifstream talk(sourceDir / "bench" / "voice" / "table-talk.txt");
    for (std::string line; std::getline(talk, line);) {
        if (!line.empty() && line[0] != '#') {
            samples.push_back({line, "", {}, {}, false});
        }
    }
    const std::size_t talkCount = samples.size() - commandCount;
    // Then, after everything else, the switch commands where they change nothing, and the table
    // talk again while listening is off.
    for (std::size_t i = 0; i < commandCount; ++i) {
        if (samples[i].rule.starts_with("start") || samples[i].rule.starts_with("stop")) {
            Sample idle = samples[i];
            idle.switches = StateWhere(idle.rule, false);
            idle.idle = true;
            samples.push_back(idle);
        }
    }
    for (std::size_t i = commandCount; i < commandCount + talkCount; ++i) {
        samples.push_back({samples[i].text, "", {}, {true, false}, true});
    }
    // With the wake word, last of all, every fourth command again, said after "Dorva" and a pause of
    // 0.7 to 1.5 s: a player who looks back at the board before saying the command.
    for (std::size_t i = 0; wakeWord && i < commandCount; i += 4) {
        Sample paused = samples[i];
        paused.pauseMs = 700 + static_cast<int>(i * 137 % 800);
        samples.push_back(paused);
    }
    // Table talk among the commands, as at a real table: every fifth utterance.
    std::vector<const Sample*> order;
    std::size_t nextTalk = commandCount;
    for (std::size_t i = 0; i < commandCount; ++i) {
        order.push_back(&samples[i]);
        if (i % 5 == 4 && nextTalk < samples.size()) {
            order.push_back(&samples[nextTalk++]);
        }
    }
    for (; nextTalk < samples.size(); ++nextTalk) {
        order.push_back(&samples[nextTalk]);
    }

    bool removeAudio = false;
    if (audioDir.empty()) {
        char pattern[] = "/tmp/dorva-bench-voice-XXXXXX";
        audioDir = mkdtemp(pattern);
        removeAudio = true;
    }
    std::vector<const VoiceSpec*> voices;
    for (const VoiceSpec& v : kVoices) {
        if (voiceSet == "all" || voiceSet == HalfName(v.half)) {
            voices.push_back(&v);
        }
    }
    std::printf("Recognition: %zu phrases of the grammar and %zu sentences of table talk, %zu voices\n",
                commandCount, talkCount, voices.size());
    std::fflush(stdout);

    // Synthesis, jobs at a time, then one recogniser process a voice, jobs at a time.
    std::vector<std::vector<Spoken>> spoken(voices.size());
    for (std::size_t v = 0; v < voices.size(); ++v) {
        const fs::path folder = audioDir / Slug(voices[v]->name + "_" + std::to_string(voices[v]->rate) +
                                                "_" + std::to_string(voices[v]->pitch));
        fs::create_directories(folder);
        for (const Sample* sample : order) {
            const Room room = RoomFor(static_cast<std::size_t>(voices[v] - kVoices.data()),
                                      static_cast<std::size_t>(sample - samples.data()));
            // Named apart from the same words said where they count: the heard lines find their
            // recording by its name.
            const std::string name = Slug(sample->text) + RoomTag(room) + (sample->idle ? "-idle" : "") +
                                     (sample->pauseMs > 0 ? "-paused" : "");
            spoken[v].push_back({sample, voices[v], folder / (name + ".wav"), 0, {}, room.used});
        }
    }
    BabbleTrack(); // made once, before the workers share it
    std::atomic<std::size_t> nextSynthesis{0};
    std::atomic<bool> synthesisFailed{false};
    const std::size_t perVoice = order.size();
    std::vector<std::thread> synthesizers;
    for (int j = 0; j < jobs; ++j) {
        synthesizers.emplace_back([&] {
            for (std::size_t i = nextSynthesis++; i < voices.size() * perVoice; i = nextSynthesis++) {
                Spoken& s = spoken[i / perVoice][i % perVoice];
                const Room room = RoomFor(static_cast<std::size_t>(s.voice - kVoices.data()),
                                          static_cast<std::size_t>(s.sample - samples.data()));
                const std::optional<double> end =
                    Synthesize(*s.voice, room, s.sample->text, s.sample->pauseMs, s.file);
                if (!end) {
                    std::cerr << "the synthesiser could not say \"" << s.sample->text << "\" with "
                              << s.voice->name << "\n";
                    synthesisFailed = true;
                }
                s.speechEndMs = end.value_or(0);
            }
        });
    }
    for (std::thread& t : synthesizers) {
        t.join();
    }
    // The lessons: 10 % slower and a little higher than the voice's commands, never in a room.
    std::vector<fs::path> lessonFolders(voices.size());
    for (std::size_t v = 0; lessons && v < voices.size(); ++v) {
        VoiceSpec reader = *voices[v];
        const bool flite = reader.half == Half::OtherSynthesizer;
        reader.rate = (reader.rate > 0 ? reader.rate : 175) * 9 / 10;
        reader.pitch = reader.pitch >= 0 ? reader.pitch + (flite ? 10 : 6) : (flite ? -1 : 56);
        lessonFolders[v] = spoken[v].front().file.parent_path() / "lessons";
        fs::create_directories(lessonFolders[v]);
        for (std::size_t i = 0; i < std::size(dorva::voice::kLessonPhrases); ++i) {
            const std::string name = (i < 10 ? "0" : "") + std::to_string(i) + ".wav";
            if (!Synthesize(reader, Room{}, std::string(dorva::voice::kLessonPhrases[i].words), 0,
                            lessonFolders[v] / name)) {
                synthesisFailed = true;
            }
        }
    }
    if (synthesisFailed) {
        return 1;
    }
    // What each voice's lessons taught, learnt once and handed to every recogniser of that voice.
    std::vector<std::string> learnt(voices.size());
    if (lessons) {
        std::vector<Run> lessonRuns;
        for (std::size_t v = 0; v < voices.size(); ++v) {
            lessonRuns.push_back({{recognizer.string(), "--grammar", grammarFile.string(), "--lessons",
                                   lessonFolders[v].string()},
                                  audioDir / ("lessons-" + std::to_string(v) + ".jsonl")});
        }
        RunAll(lessonRuns, jobs);
        for (std::size_t v = 0; v < voices.size(); ++v) {
            std::ifstream line(lessonRuns[v].output);
            std::string text;
            std::getline(line, text);
            const json taught = json::parse(text, nullptr, false);
            if (taught.is_discarded() || !taught.contains("pronunciations")) {
                std::cerr << "the lessons of " << voices[v]->name << " taught nothing: " << text << "\n";
                return 1;
            }
            learnt[v] = taught["pronunciations"].get<std::string>();
            std::printf("  lessons of %s: %d of %zu heard right; learnt %s\n", voices[v]->name.c_str(),
                        taught["heard_right"].get<int>(), std::size(dorva::voice::kLessonPhrases),
                        learnt[v].c_str());
        }
        std::fflush(stdout);
    }
    const auto recognitionStart = Clock::now();
    std::vector<Run> runs;
    for (std::size_t v = 0; v < voices.size(); ++v) {
        Run run{{recognizer.string(), "--details", "--grammar", grammarFile.string()},
                audioDir / ("heard-" + std::to_string(v) + ".jsonl")};
        if (wakeWord) {
            run.args.push_back("--wake-word");
        }
        if (lessons) {
            run.args.insert(run.args.end(), {"--pronunciations", learnt[v]});
        }
        for (const Spoken& s : spoken[v]) {
            run.args.push_back(s.file.string());
        }
        runs.push_back(std::move(run));
    }
    // The first command after start-up: every tenth phrase of the grammar, each heard by a fresh
    // recogniser of its own, so that none of them has heard anything before.
    struct First {
        const Spoken* spoken;
        fs::path output;
    };
    std::vector<First> firsts;
    for (std::size_t v = 0; v < voices.size(); ++v) {
        for (std::size_t i = 0; i < spoken[v].size(); ++i) {
            const Sample& sample = *spoken[v][i].sample;
            if (!sample.rule.empty() && !sample.idle && sample.pauseMs == 0 &&
                (&sample - &samples[0]) % 10 == 0) {
                firsts.push_back(
                    {&spoken[v][i], audioDir / ("first-" + std::to_string(firsts.size()) + ".jsonl")});
                runs.push_back(
                    {{recognizer.string(), "--grammar", grammarFile.string()}, firsts.back().output});
                if (wakeWord) {
                    runs.back().args.push_back("--wake-word");
                }
                if (lessons) {
                    runs.back().args.insert(runs.back().args.end(), {"--pronunciations", learnt[v]});
                }
                runs.back().args.push_back(spoken[v][i].file.string());
            }
        }
    }
    RunAll(runs, jobs);
    const double recognitionSeconds = std::chrono::duration<double>(Clock::now() - recognitionStart).count();

    std::ofstream details;
    if (!detailsFile.empty()) {
        details.open(detailsFile);
    }
    std::map<Half, Figures> halves;
    std::map<Half, Figures> paused; // commands said after "Dorva" and a pause, kept apart from the others
    std::map<std::string, Figures> heldOutByRule;
    int firstRight = 0;
    int firstCount = 0;
    for (std::size_t v = 0; v < voices.size(); ++v) {
        std::map<std::string, Spoken*> byFile;
        for (Spoken& s : spoken[v]) {
            byFile[s.file.string()] = &s;
        }
        std::ifstream heard(audioDir / ("heard-" + std::to_string(v) + ".jsonl"));
        for (std::string line; std::getline(heard, line);) {
            const json j = json::parse(line, nullptr, false);
            if (j.is_object() && byFile.count(j.value("file", ""))) {
                byFile[j["file"]]->heard.push_back(j);
            }
        }
        for (const Spoken& s : spoken[v]) {
            Figures one;
            if (s.sample->idle && s.sample->rule.empty()) {
                one.pausedTalk = 1;
                one.pausedFalse = FalseCommand(s);
            } else if (s.sample->idle) {
                one.idleSwitches = 1;
                for (const json& line : s.heard) {
                    if (Accepted(line) && Opposite(*s.sample, line)) {
                        ++one.idleOpposites;
                        halves[voices[v]->half].oppositeExamples.push_back(
                            "\"" + s.sample->text + "\" (" + s.voice->name +
                            ", where it changes nothing) as " + line["rule"].get<std::string>());
                    }
                }
            } else if (!s.sample->rule.empty()) {
                one.commands = 1;
                const Outcome outcome = Judge(s);
                one.right = outcome == Outcome::Right;
                one.bestPathRight = BestPathRight(s, *reading.grammar);
                one.wrong = outcome == Outcome::Wrong;
                one.rejected = outcome == Outcome::Rejected;
                one.inRoom = s.inRoom;
                one.rightInRoom = s.inRoom && one.right;
                for (const json& line : s.heard) {
                    if (!Accepted(line)) {
                        continue;
                    }
                    if (one.right) {
                        one.latencies.push_back(line["end_ms"].get<double>() - s.speechEndMs +
                                                line["compute_ms"].get<double>());
                    } else if (Opposite(*s.sample, line)) {
                        ++one.opposites;
                        halves[voices[v]->half].oppositeExamples.push_back(
                            "\"" + s.sample->text + "\" (" + s.voice->name + ") as " +
                            line.value("heard", line["rule"].get<std::string>()));
                    }
                }
            } else {
                one.talk = 1;
                one.falseCommands = FalseCommand(s);
            }
            (s.sample->pauseMs > 0 ? paused : halves)[voices[v]->half].Add(one);
            if (voices[v]->half == Half::HeldOut && !s.sample->rule.empty() && !s.sample->idle &&
                s.sample->pauseMs == 0) {
                heldOutByRule[s.sample->rule].Add(one);
            }
            if (details) {
                details << json{{"voice", s.voice->name},
                                {"half", HalfName(s.voice->half)},
                                {"room", s.inRoom},
                                {"text", s.sample->text},
                                {"rule", s.sample->rule},
                                {"properties", s.sample->properties},
                                {"speech_end_ms", s.speechEndMs},
                                {"speaking", s.sample->switches.speaking},
                                {"listening", s.sample->switches.listening},
                                {"idle", s.sample->idle},
                                {"pause_ms", s.sample->pauseMs},
                                {"heard", s.heard}}
                               .dump()
                        << "\n";
            }
        }
    }
    for (const First& f : firsts) {
        std::ifstream heard(f.output);
        Spoken s = *f.spoken;
        s.heard.clear();
        for (std::string line; std::getline(heard, line);) {
            const json j = json::parse(line, nullptr, false);
            if (j.is_object()) {
                s.heard.push_back(j);
            }
        }
        ++firstCount;
        firstRight += Judge(s) == Outcome::Right;
    }
    if (halves[Half::Tuning].commands) {
        PrintFigures("tuning half (ten voices the wording and thresholds may be chosen on):",
                     halves[Half::Tuning]);
    }
    if (paused[Half::Tuning].commands) {
        PrintFigures("tuning half, commands said after \"Dorva\" and a pause:", paused[Half::Tuning]);
    }
    if (halves[Half::HeldOut].commands) {
        PrintFigures("HELD-OUT half (ten voices never tuned on; these figures count):",
                     halves[Half::HeldOut]);
        if (!onlyRules.empty()) {
            Figures chosen;
            for (const auto& [rule, figures] : heldOutByRule) {
                if (std::any_of(onlyRules.begin(), onlyRules.end(),
                                [&rule](const std::string& prefix) { return rule.starts_with(prefix); })) {
                    chosen.Add(figures);
                }
            }
            PrintFigures("held-out half, the rules " + onlyRulesText + " alone:", chosen);
        }
        if (paused[Half::HeldOut].commands) {
            PrintFigures("held-out half, commands said after \"Dorva\" and a pause:", paused[Half::HeldOut]);
        }
        std::string weakest;
        for (const auto& [rule, figures] : heldOutByRule) {
            if (figures.right < figures.commands) {
                weakest +=
                    " " + rule + " " + std::to_string(figures.right) + "/" + std::to_string(figures.commands);
            }
        }
        std::printf("  held-out rules not always right:%s\n", weakest.empty() ? " none" : weakest.c_str());
    }
    if (halves[Half::OtherSynthesizer].commands) {
        PrintFigures("OTHER SYNTHESISER (eight voices of flite, never tuned on; these figures count too):",
                     halves[Half::OtherSynthesizer]);
    }
    if (paused[Half::OtherSynthesizer].commands) {
        PrintFigures("other synthesiser, commands said after \"Dorva\" and a pause:",
                     paused[Half::OtherSynthesizer]);
    }
    std::printf("  first command after start-up (each a fresh recogniser): %d of %d right\n", firstRight,
                firstCount);
    std::printf("  goals on the held-out half: right >= 97 %%, false commands <= 3 %%, no opposite command, "
                "median end of speech to decision <= 200 ms (recognition took %.0f s)\n",
                recognitionSeconds);
    std::fflush(stdout);
    if (removeAudio) {
        fs::remove_all(audioDir);
    }
    if (speak) {
        MeasureSpeaking(sourceDir / "tests" / "voice" / "e2e" / "pulse.sh");
    }
    return 0;
}
