#pragma once
// A speech platform for tests: each piece succeeds or fails with the error number the test gives it,
// and every call is recorded.

#include "voice/SpeechPlatform.h"

#include <memory>
#include <string>
#include <vector>

namespace dorva::test {

class FakeSpeechPlatform final : public voice::SpeechPlatform {
public:
    // 0 lets a step succeed; anything else is the error number it fails with.
    long voiceError = 0;
    long contextError = 0;
    long grammarError = 0;
    long dictationError = 0;
    long loadError = 0;
    long ruleError = 0;

    std::vector<std::string> calls;
    std::vector<std::string> spoken;
    std::string loadedGrammar;

    class FakeVoice final : public voice::Voice {
    public:
        explicit FakeVoice(FakeSpeechPlatform& p) : platform(p) {}
        long Speak(const std::string& text, int) override {
            platform.spoken.push_back(text);
            return 1;
        }
        FakeSpeechPlatform& platform;
    };

    class FakeGrammar final : public voice::RecoGrammar {
    public:
        explicit FakeGrammar(FakeSpeechPlatform& p) : platform(p) {}
        long DictationSetState(int state) override {
            platform.calls.push_back("DictationSetState " + std::to_string(state));
            return platform.dictationError;
        }
        long CmdLoadFromFile(const std::string& path, int option) override {
            platform.calls.push_back("CmdLoadFromFile " + std::to_string(option));
            platform.loadedGrammar = path;
            return platform.loadError;
        }
        long CmdSetRuleIdState(int ruleId, int state) override {
            platform.calls.push_back("CmdSetRuleIdState " + std::to_string(ruleId) + " " +
                                     std::to_string(state));
            return platform.ruleError;
        }
        FakeSpeechPlatform& platform;
    };

    class FakeContext final : public voice::RecoContext {
    public:
        explicit FakeContext(FakeSpeechPlatform& p) : platform(p) {}
        long CreateGrammar(int id, std::unique_ptr<voice::RecoGrammar>& grammar) override {
            platform.calls.push_back("CreateGrammar " + std::to_string(id));
            if (platform.grammarError != 0) {
                return platform.grammarError;
            }
            grammar = std::make_unique<FakeGrammar>(platform);
            return 0;
        }
        int EventInterests() const override { return interests; }
        void SetEventInterests(int value) override { interests = value; }
        int interests = 0;
        FakeSpeechPlatform& platform;
    };

    long CreateVoice(std::unique_ptr<voice::Voice>& voice) override {
        calls.push_back("CreateVoice");
        if (voiceError != 0) {
            return voiceError;
        }
        voice = std::make_unique<FakeVoice>(*this);
        return 0;
    }
    long CreateSharedRecoContext(std::unique_ptr<voice::RecoContext>& context) override {
        calls.push_back("CreateSharedRecoContext");
        if (contextError != 0) {
            return contextError;
        }
        context = std::make_unique<FakeContext>(*this);
        return 0;
    }
};

} // namespace dorva::test
