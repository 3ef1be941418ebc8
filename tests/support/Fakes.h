#pragma once

#include "data/Messages.h"
#include "platform/Seams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace dorva::test {

// Each die takes the next scripted value; a test that scripted nothing gets repeatable dice, and one
// that did fails when the program rolls more than it scripted.
class ScriptedDice final : public platform::DieSource {
public:
    void Script(const std::vector<int>& values) {
        scripted_ = true;
        values_.insert(values_.end(), values.begin(), values.end());
    }
    std::size_t Remaining() const { return values_.size(); }
    int Rolled() const { return rolled_; }
    int Die(int sides) override {
        ++rolled_;
        if (values_.empty()) {
            if (scripted_) {
                ADD_FAILURE() << "the program rolled more dice than the test scripted";
            }
            return std::uniform_int_distribution<int>(1, sides > 0 ? sides : 1)(generator_);
        }
        const int value = values_.front();
        values_.pop_front();
        EXPECT_TRUE(value >= 1 && value <= sides) << "scripted a " << value << " for a die of " << sides;
        return value;
    }

private:
    std::deque<int> values_;
    bool scripted_ = false;
    int rolled_ = 0;
    std::mt19937 generator_{7};
};

struct FakeDialogs final : platform::Dialogs {
    void Message(const std::string& text) override { messages.push_back(text); }
    bool Ask(const std::string& question) override {
        questions.push_back(question);
        return yes;
    }
    std::optional<std::string> SaveFileName(const std::string& caption, const std::string& preset,
                                            const std::string& filter) override {
        asked.push_back({caption, preset, filter});
        return answer;
    }
    // The player closes a modal window at once.
    int RunModal(platform::ModalWindow& window) override {
        modal.push_back(window.Name());
        return 0;
    }

    struct Question {
        std::string caption, preset, filter;
    };
    std::optional<std::string> answer; // what the player chooses in a file dialog; nothing: cancel
    bool yes = false;                  // the player's answer to a question
    std::vector<std::string> messages, modal, questions;
    std::vector<Question> asked;
};

struct FakeQuitter final : platform::Quitter {
    void QuitNow() override { throw data::ProgramEnded("quit"); }
    void EndRun(int status) override { endings.push_back(status); }
    std::vector<int> endings;
};

struct FakeClock final : platform::Clock {
    std::string LogStamp() override { return "stamp"; }
    std::string TimeOfDay() override { return "12:00:00"; }
};

struct FakeActivationWindow final : platform::ActivationWindow {
    bool IsVisible() override { return visible; }
    void SetText(const std::string& t) override { text = t; }
    std::string Text() override { return text; }
    void PutBack(const std::string& t) override { text = t; }
    bool visible = false;
    std::string text = "hint";
};

// Each step succeeds (0) or fails with the error number the test gives it; the calls are recorded.
class FakeSpeechPlatform final : public platform::SpeechPlatform {
public:
    long voiceError = 0, contextError = 0, grammarError = 0, dictationError = 0, loadError = 0, ruleError = 0,
         wakeWordError = 0;
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, int>> spoken; // text and flags
    std::string loadedGrammar;
    std::optional<bool> stopWhenTalkedOver;    // as the recognition context was told last
    std::optional<std::string> pronunciations; // the player's, as the context was told last
    long lessonsError = 0;
    int lessonsBegun = 0, lessonsCancelled = 0;
    std::vector<int> lessonsRepeated;
    bool repeatRefused = false; // as when the learning began meanwhile

    long Call(const std::string& call, long error) {
        calls.push_back(call);
        return error;
    }
    std::vector<std::string> SpokenTexts() const {
        std::vector<std::string> texts(spoken.size());
        std::transform(spoken.begin(), spoken.end(), texts.begin(),
                       [](const auto& said) { return said.first; });
        return texts;
    }

    struct Voice final : platform::Voice {
        explicit Voice(FakeSpeechPlatform& p) : platform(p) {}
        long Speak(const std::string& text, int flags) override {
            platform.spoken.emplace_back(text, flags);
            return 1;
        }
        FakeSpeechPlatform& platform;
    };
    struct Grammar final : platform::RecoGrammar {
        explicit Grammar(FakeSpeechPlatform& p) : platform(p) {}
        long DictationSetState(int state) override {
            return platform.Call("DictationSetState " + std::to_string(state), platform.dictationError);
        }
        long CmdLoadFromFile(const std::string& path, int option) override {
            platform.loadedGrammar = path;
            return platform.Call("CmdLoadFromFile " + std::to_string(option), platform.loadError);
        }
        long SetWakeWord(bool on) override {
            return platform.Call(std::string("SetWakeWord ") + (on ? "1" : "0"), platform.wakeWordError);
        }
        long CmdSetRuleIdState(int ruleId, int state) override {
            return platform.Call("CmdSetRuleIdState " + std::to_string(ruleId) + " " + std::to_string(state),
                                 platform.ruleError);
        }
        FakeSpeechPlatform& platform;
    };
    struct Context final : platform::RecoContext {
        explicit Context(FakeSpeechPlatform& p) : platform(p) {}
        long CreateGrammar(int id, std::unique_ptr<platform::RecoGrammar>& grammar) override {
            if (platform.Call("CreateGrammar " + std::to_string(id), platform.grammarError) == 0) {
                grammar = std::make_unique<Grammar>(platform);
            }
            return platform.grammarError;
        }
        int EventInterests() const override { return interests; }
        void SetEventInterests(int value) override { interests = value; }
        void SetStopWhenTalkedOver(bool on) override { platform.stopWhenTalkedOver = on; }
        void SetPronunciations(const std::string& text) override { platform.pronunciations = text; }
        long BeginLessons() override {
            ++platform.lessonsBegun;
            return platform.lessonsError;
        }
        void CancelLessons() override { ++platform.lessonsCancelled; }
        bool RepeatLesson(int lesson) override {
            platform.lessonsRepeated.push_back(lesson);
            return !platform.repeatRefused;
        }
        int interests = 0;
        FakeSpeechPlatform& platform;
    };

    long CreateVoice(std::unique_ptr<platform::Voice>& voice) override {
        if (Call("CreateVoice", voiceError) == 0) {
            voice = std::make_unique<Voice>(*this);
        }
        return voiceError;
    }
    long CreateSharedRecoContext(std::unique_ptr<platform::RecoContext>& context) override {
        if (Call("CreateSharedRecoContext", contextError) == 0) {
            context = std::make_unique<Context>(*this);
        }
        return contextError;
    }
};

} // namespace dorva::test
