// Voice benchmark: how well and how fast the program hears its commands, and how soon it speaks.
//
//   dorva-bench-voice [--voices tune|check|all] [--jobs N] [--audio DIR] [--details FILE] [--no-speak]
//   dorva-bench-voice --speak-only
//
// --audio keeps the synthesised recordings in DIR and reuses them in later runs; --details writes
// one JSON line per recording with everything the recogniser said about it (with
// DORVA_RECOGNIZE_SEGMENTS set, also both decoders' segments, which the thresholds were tuned on).
// DORVA_BENCH_VERBOSE prints each speaking latency.
//
// Recognition: every phrase of the grammar and every sentence of table-talk.txt (no command at all)
// is synthesised by espeak-ng with ten voices and variants, padded with 300 ms of silence, and run
// through dorva-recognize, one process a voice, so that each voice starts from a fresh recogniser
// as the program does. Printed per voice set: the share of phrases heard as the right rule with the
// right values, the share of table talk taken for a command, and the time from the end of speech in
// the audio to the decision (the audio the endpointer waited for, plus the time the decision took).
// The first four voices are the ones the phrases and thresholds were tuned on; the other six are
// the honest check.
//
// Speaking: a private PulseAudio server (tests/voice/e2e/pulse.sh), the program's own voice, and a
// recorder on the speaker's monitor; printed is the time from Speak to the first sample there.
#include "voice/Grammar.h"
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
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using Clock = std::chrono::steady_clock;

struct VoiceSpec {
    std::string name; // espeak-ng voice and variant
    int rate;         // words a minute; 0 for the voice's own
    int pitch;        // 0 to 99; -1 for the voice's own
    bool tuning;      // the phrases and thresholds were chosen on this voice
};

const std::vector<VoiceSpec> kVoices = {
    {"en-us", 0, -1, true},       {"en+m3", 0, -1, true},
    {"en-us+f2", 150, 70, true},  {"en-gb-x-rp+klatt", 190, -1, true},
    {"en", 0, -1, false},         {"en+f3", 0, -1, false},
    {"en-us+m7", 200, 35, false}, {"en-gb-x-rp+f4", 160, -1, false},
    {"en-us+m4", 180, 60, false}, {"en-gb-x-rp+f1", 170, -1, false},
};

constexpr double kPaddingSeconds = 0.3;

struct Sample {
    std::string text;
    std::string rule; // empty for table talk
    std::vector<std::string> properties;
};

struct Spoken {
    const Sample* sample = nullptr;
    const VoiceSpec* voice = nullptr;
    fs::path file;
    double speechEndMs = 0;
    std::vector<json> heard;
};

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
        const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s * 32768.0f, -32768.0f, 32767.0f)));
        put(static_cast<std::uint16_t>(v), 2);
    }
    std::ofstream(file, std::ios::binary) << bytes;
}

// Synthesises the text (or reuses the file from an earlier run) and gives where its speech ends.
std::optional<double> Synthesize(const VoiceSpec& voice, const std::string& text, const fs::path& file) {
    std::string bytes;
    if (fs::exists(file)) {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        std::string command = "espeak-ng -v " + voice.name;
        if (voice.rate > 0) {
            command += " -s " + std::to_string(voice.rate);
        }
        if (voice.pitch >= 0) {
            command += " -p " + std::to_string(voice.pitch);
        }
        command += " --stdout " + ShellQuote(text) + " 2>/dev/null";
        const dorva::voice::WavReading raw = dorva::voice::ParseWav(ReadCommand(command));
        if (!raw.audio) {
            return std::nullopt;
        }
        const auto pad = static_cast<std::size_t>(kPaddingSeconds * raw.audio->sampleRate);
        std::vector<float> padded(pad, 0.0f);
        padded.insert(padded.end(), raw.audio->mono.begin(), raw.audio->mono.end());
        padded.insert(padded.end(), pad, 0.0f);
        WriteWav16(file, padded, raw.audio->sampleRate);
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const dorva::voice::WavReading wav = dorva::voice::ParseWav(bytes);
    if (!wav.audio) {
        return std::nullopt;
    }
    const std::vector<float>& mono = wav.audio->mono;
    std::size_t last = mono.size();
    while (last > 0 && std::abs(mono[last - 1]) < 1e-3f) {
        --last;
    }
    return static_cast<double>(last) * 1000.0 / wav.audio->sampleRate;
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

bool RightCommand(const Spoken& s) {
    int accepted = 0;
    bool right = false;
    for (const json& line : s.heard) {
        if (Accepted(line)) {
            ++accepted;
            right = right || (line["rule"] == s.sample->rule &&
                              line["properties"].get<std::vector<std::string>>() == s.sample->properties);
        }
    }
    return right && accepted == 1;
}

bool FalseCommand(const Spoken& s) {
    return std::any_of(s.heard.begin(), s.heard.end(), [](const json& line) { return Accepted(line); });
}

struct Figures {
    int commands = 0, right = 0, talk = 0, falseCommands = 0;
    std::vector<double> latencies;
};

void PrintFigures(const std::string& title, const Figures& f) {
    std::printf("  %-30s accuracy %6.2f %% (%d/%d)   false commands %5.2f %% (%d/%d)   end of speech to "
                "decision: median %4.0f ms, 90th percentile %4.0f ms\n",
                title.c_str(), f.commands ? 100.0 * f.right / f.commands : 0.0, f.right, f.commands,
                f.talk ? 100.0 * f.falseCommands / f.talk : 0.0, f.falseCommands, f.talk, Median(f.latencies),
                Percentile(f.latencies, 0.9));
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
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--voices" && i + 1 < argc) {
            voiceSet = argv[++i];
        } else if (arg == "--jobs" && i + 1 < argc) {
            jobs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--audio" && i + 1 < argc) {
            audioDir = argv[++i];
        } else if (arg == "--details" && i + 1 < argc) {
            detailsFile = argv[++i];
        } else if (arg == "--grammar" && i + 1 < argc) {
            grammarFile = argv[++i];
        } else if (arg == "--no-speak") {
            speak = false;
        } else {
            std::cerr << "usage: dorva-bench-voice [--voices tune|check|all] [--jobs N] [--audio DIR] "
                         "[--details FILE] [--grammar FILE] [--no-speak]\n"
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
            samples.push_back({phrase.words, rule.name, phrase.properties});
        }
    }
    const std::size_t commandCount = samples.size();
    std::ifstream talk(sourceDir / "bench" / "voice" / "table-talk.txt");
    for (std::string line; std::getline(talk, line);) {
        if (!line.empty() && line[0] != '#') {
            samples.push_back({line, "", {}});
        }
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
        if (voiceSet == "all" || (voiceSet == "tune") == v.tuning) {
            voices.push_back(&v);
        }
    }
    std::printf("Recognition: %zu phrases of the grammar and %zu sentences of table talk, %zu voices\n",
                commandCount, samples.size() - commandCount, voices.size());
    std::fflush(stdout);

    // Synthesis, then one recogniser process a voice, jobs at a time.
    std::vector<std::vector<Spoken>> spoken(voices.size());
    for (std::size_t v = 0; v < voices.size(); ++v) {
        const fs::path folder = audioDir / Slug(voices[v]->name + "_" + std::to_string(voices[v]->rate) +
                                                "_" + std::to_string(voices[v]->pitch));
        fs::create_directories(folder);
        for (const Sample* sample : order) {
            Spoken s{sample, voices[v], folder / (Slug(sample->text) + ".wav"), 0, {}};
            const std::optional<double> end = Synthesize(*voices[v], sample->text, s.file);
            if (!end) {
                std::cerr << "espeak-ng could not say \"" << sample->text << "\" with " << voices[v]->name
                          << "\n";
                return 1;
            }
            s.speechEndMs = *end;
            spoken[v].push_back(std::move(s));
        }
    }
    const auto recognitionStart = Clock::now();
    std::vector<Run> runs;
    for (std::size_t v = 0; v < voices.size(); ++v) {
        Run run{{recognizer.string(), "--details", "--grammar", grammarFile.string()},
                audioDir / ("heard-" + std::to_string(v) + ".jsonl")};
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
            if (!spoken[v][i].sample->rule.empty() && (&*spoken[v][i].sample - &samples[0]) % 10 == 0) {
                firsts.push_back(
                    {&spoken[v][i], audioDir / ("first-" + std::to_string(firsts.size()) + ".jsonl")});
                runs.push_back(
                    {{recognizer.string(), "--grammar", grammarFile.string(), spoken[v][i].file.string()},
                     firsts.back().output});
            }
        }
    }
    RunAll(runs, jobs);
    const double recognitionSeconds = std::chrono::duration<double>(Clock::now() - recognitionStart).count();

    std::ofstream details;
    if (!detailsFile.empty()) {
        details.open(detailsFile);
    }
    Figures tuning;
    Figures check;
    int firstRight = 0;
    int firstCount = 0;
    std::map<std::string, std::pair<int, int>> perRule; // rule -> right, total
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
        Figures& figures = voices[v]->tuning ? tuning : check;
        for (const Spoken& s : spoken[v]) {
            const bool command = !s.sample->rule.empty();
            if (command) {
                ++figures.commands;
                const bool right = RightCommand(s);
                figures.right += right;
                perRule[s.sample->rule].first += right;
                ++perRule[s.sample->rule].second;
                if (right) {
                    for (const json& line : s.heard) {
                        if (Accepted(line)) {
                            figures.latencies.push_back(line["end_ms"].get<double>() - s.speechEndMs +
                                                        line["compute_ms"].get<double>());
                        }
                    }
                }
            } else {
                ++figures.talk;
                figures.falseCommands += FalseCommand(s);
            }
            if (details) {
                details << json{{"voice", s.voice->name},
                                {"tuning", s.voice->tuning},
                                {"text", s.sample->text},
                                {"rule", s.sample->rule},
                                {"properties", s.sample->properties},
                                {"speech_end_ms", s.speechEndMs},
                                {"heard", s.heard}}
                               .dump()
                        << "\n";
            }
        }
    }
    Figures all = tuning;
    all.commands += check.commands;
    all.right += check.right;
    all.talk += check.talk;
    all.falseCommands += check.falseCommands;
    all.latencies.insert(all.latencies.end(), check.latencies.begin(), check.latencies.end());
    if (tuning.commands) {
        PrintFigures("tuning voices (first four):", tuning);
    }
    if (check.commands) {
        PrintFigures("check voices (other six):", check);
    }
    PrintFigures("all voices:", all);
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
        firstRight += RightCommand(s);
    }
    std::printf("  first command after start-up (each a fresh recogniser): %d of %d right\n", firstRight,
                firstCount);
    std::string weakest;
    for (const auto& [rule, counts] : perRule) {
        if (counts.first < counts.second) {
            weakest += " " + rule + " " + std::to_string(counts.first) + "/" + std::to_string(counts.second);
        }
    }
    std::printf("  rules not always right:%s\n", weakest.empty() ? " none" : weakest.c_str());
    std::printf(
        "  targets: accuracy >= 95 %%, false commands <= 5 %%, median end of speech to decision <= 400 ms "
        "(recognition took %.0f s)\n",
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
