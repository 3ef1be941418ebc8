#pragma once
// Fakes for the channels an announcement goes out on: a voice that records what it is told to say, a
// VASL activation window that keeps its text, and a log file of the test's own under a fixed clock.

#include "data/Announce.h"
#include "voice/SpeechState.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace dorva::test {

class RecordingVoice : public platform::Voice {
public:
    std::vector<std::pair<std::string, int>> spoken; // text and flags
    long Speak(const std::string& text, int flags) override {
        spoken.emplace_back(text, flags);
        return 1;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& said : spoken) {
            texts.push_back(said.first);
        }
        return texts;
    }
};

class FakeActivationWindow : public data::ActivationWindowChannel {
public:
    bool visible = false;
    int visibilityAsked = 0;
    std::string text = "hint";
    bool IsVisible() override {
        ++visibilityAsked;
        return visible;
    }
    void SetText(const std::string& t) override { text = t; }
};

// All three, with speech on once installed. The log file (named after `name` and the process) is
// removed on installing and at the end. Install after the test's ResetProgramState: that forgets them.
class FakeChannels {
public:
    explicit FakeChannels(const std::string& name)
        : logFile(std::filesystem::temp_directory_path() /
                  (name + "-" + std::to_string(::getpid()) + ".txt")) {}
    void Install(const std::string& stamp = "stamp") {
        auto v = std::make_unique<RecordingVoice>();
        voice = v.get();
        voice::gVoice = std::move(v);
        data::gSpeak = 1;
        data::gVoiceAvailable = 1;
        data::SetActivationWindowChannel(&window);
        data::SetLogClock([stamp] { return stamp; });
        std::filesystem::remove(logFile);
        data::gLogFileName = logFile.string();
    }
    ~FakeChannels() {
        data::SetActivationWindowChannel(nullptr);
        std::filesystem::remove(logFile);
    }
    FakeChannels(const FakeChannels&) = delete;
    FakeChannels& operator=(const FakeChannels&) = delete;

    std::string Log() const {
        std::ifstream in(logFile, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    RecordingVoice* voice = nullptr; // owned by voice::gVoice
    FakeActivationWindow window;
    std::filesystem::path logFile;
};

} // namespace dorva::test
