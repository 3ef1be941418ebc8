#pragma once
// A speech platform for tests: each step succeeds (0) or fails with the error number the test gives
// it, and every call is recorded.

#include "platform/SpeechPlatform.h"

#include <memory>
#include <string>
#include <vector>

namespace dorva::test {

class FakeSpeechPlatform final : public platform::SpeechPlatform {
public:
    long voiceError = 0, contextError = 0, grammarError = 0, dictationError = 0, loadError = 0, ruleError = 0;
    std::vector<std::string> calls, spoken;
    std::string loadedGrammar;

    // Records the call and hands back the error number it was given.
    long Call(const std::string& call, long error) {
        calls.push_back(call);
        return error;
    }

    struct FakeVoice final : platform::Voice {
        explicit FakeVoice(FakeSpeechPlatform& p) : platform(p) {}
        long Speak(const std::string& text, int) override {
            platform.spoken.push_back(text);
            return 1;
        }
        FakeSpeechPlatform& platform;
    };

    struct FakeGrammar final : platform::RecoGrammar {
        explicit FakeGrammar(FakeSpeechPlatform& p) : platform(p) {}
        long DictationSetState(int state) override {
            return platform.Call("DictationSetState " + std::to_string(state), platform.dictationError);
        }
        long CmdLoadFromFile(const std::string& path, int option) override {
            platform.loadedGrammar = path;
            return platform.Call("CmdLoadFromFile " + std::to_string(option), platform.loadError);
        }
        long CmdSetRuleIdState(int ruleId, int state) override {
            return platform.Call("CmdSetRuleIdState " + std::to_string(ruleId) + " " + std::to_string(state),
                                 platform.ruleError);
        }
        FakeSpeechPlatform& platform;
    };

    struct FakeContext final : platform::RecoContext {
        explicit FakeContext(FakeSpeechPlatform& p) : platform(p) {}
        long CreateGrammar(int id, std::unique_ptr<platform::RecoGrammar>& grammar) override {
            if (platform.Call("CreateGrammar " + std::to_string(id), platform.grammarError) == 0) {
                grammar = std::make_unique<FakeGrammar>(platform);
            }
            return platform.grammarError;
        }
        int EventInterests() const override { return interests; }
        void SetEventInterests(int value) override { interests = value; }
        int interests = 0;
        FakeSpeechPlatform& platform;
    };

    long CreateVoice(std::unique_ptr<platform::Voice>& voice) override {
        if (Call("CreateVoice", voiceError) == 0) {
            voice = std::make_unique<FakeVoice>(*this);
        }
        return voiceError;
    }
    long CreateSharedRecoContext(std::unique_ptr<platform::RecoContext>& context) override {
        if (Call("CreateSharedRecoContext", contextError) == 0) {
            context = std::make_unique<FakeContext>(*this);
        }
        return contextError;
    }
};

} // namespace dorva::test
