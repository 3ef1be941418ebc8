#pragma once
// The operations the program calls on the platform's speech service. Every operation that can fail
// returns 0 on success or the platform's error number.

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dorva::platform {

// Event interest of the recognition context that makes it deliver audio-level events.
inline constexpr int kAudioLevelInterest = 65536;

// Error numbers of this program's own platform when a piece of the speech service is missing.
inline constexpr long kErrNoVoiceEngine = 1001;
inline constexpr long kErrNoRecognizer = 1002;
inline constexpr long kErrNoAudioServer = 1003;
inline constexpr long kErrNoAcousticModel = 1004;
inline constexpr long kErrGrammarFile = 1005;
// The grammar holds a word that the recogniser's pronunciation dictionary lacks.
inline constexpr long kErrGrammarWord = 1006;
// The audio server has no source to listen to, or the one in use was removed.
inline constexpr long kErrNoMicrophone = 1007;

// What a recognition hands the program: the matched top-level rule's name and the semantic property
// values that the grammar attaches to the phrase (properties 0, 1, 2 as text).
struct RecoResult {
    std::string ruleName;
    std::vector<std::string> properties;
    std::string phrase; // the words heard, for diagnostics only
    // A false recognition that fits a command well but lacks the wake word the player has asked for.
    bool lacksWakeWord = false;
};

// What the voice lessons taught the recogniser.
struct LessonsResult {
    long error = 0; // the lessons could not be learnt from: the error number, and why in detail
    std::string detail;
    std::string pronunciations; // the player's pronunciations as the settings keep them
    int heardRight = 0;         // lessons heard right with them
    int lessons = 0;
};

class Voice {
public:
    virtual ~Voice() = default;
    // Returns at once; texts handed over while one is playing queue behind it. Flags: 1 asynchronous,
    // 9 asynchronous with speech markup (such as a spell element). The stream number is not used.
    virtual long Speak(const std::string& text, int flags) = 0;
};

class RecoGrammar {
public:
    virtual ~RecoGrammar() = default;
    virtual long DictationSetState(int state) = 0;                             // 0: inactive
    virtual long CmdLoadFromFile(const std::string& path, int loadOption) = 0; // 1: dynamic
    virtual long CmdSetRuleIdState(int ruleId, int state) = 0;                 // 0, 1: all rules active
    // Whether every phrase must begin with the wake word ("Dorva"), for the grammar loaded now and later.
    virtual long SetWakeWord(bool on) = 0;
};

class RecoContext {
public:
    virtual ~RecoContext() = default;
    virtual long CreateGrammar(int grammarId, std::unique_ptr<RecoGrammar>& grammar) = 0;
    virtual int EventInterests() const = 0;
    virtual void SetEventInterests(int interests) = 0;
    // Whether the program's voice falls silent when the player talks over it. Only where the program
    // hears the player through its own voice (an echo canceller) can it tell; on by default.
    virtual void SetStopWhenTalkedOver(bool on) = 0;

    // The player's own pronunciations, as the settings keep them (LessonsResult): heard with from the
    // next utterance on; "" goes back to the dictionary's alone.
    virtual void SetPronunciations(const std::string& pronunciations) { (void)pronunciations; }
    // The voice lessons: from now on nothing heard is obeyed; each utterance is taken as the next
    // lesson phrase, or not (onLessonHeard), and after the last one the recogniser learns from them
    // and hears with what it learnt (onLessonsLearnt), then obeys commands again. 0, or the error
    // number when nothing is listening.
    virtual long BeginLessons() { return kErrNoRecognizer; }
    // Back to commands before the last lesson; what was learnt before stays.
    virtual void CancelLessons() {}
    // The lesson at this index, one already heard or the one awaited, is taken again from the next
    // utterance, and those after it in turn. False once the lessons have ended or the learning began.
    virtual bool RepeatLesson(int lesson) {
        (void)lesson;
        return false;
    }

    // Events, always delivered on the user-interface thread between the program's other events.
    std::function<void(const RecoResult&)> onRecognition;
    std::function<void(const RecoResult&)> onFalseRecognition;
    std::function<void(int level)> onAudioLevel; // 0 to 100, only while the audio-level interest is set
    // The recogniser stopped hearing after its set-up had succeeded (the audio server went away, the
    // microphone was removed, its decoders did not load): the error number. It keeps trying, and
    // onRecovery follows once it hears again.
    std::function<void(long error)> onFailure;
    std::function<void()> onRecovery;
    // Where the program cannot take its own voice out of what the microphone hears, it does not obey
    // what it hears while it speaks; a command heard then is reported here instead.
    std::function<void()> onSpokenOver;
    // With the wake word on, the player said it on its own: the command may follow after a pause.
    std::function<void()> onWakeWord;
    // The wait after it ended with nothing said (or the wake word was switched off meanwhile): a
    // command must begin with the wake word again, if it is on.
    std::function<void()> onWakeWordExpired;
    // The lesson at this index was heard (understood), or what was heard did not sound like it and
    // it is asked for again.
    std::function<void(int lesson, bool understood)> onLessonHeard;
    std::function<void(const LessonsResult&)> onLessonsLearnt;
};

class SpeechPlatform {
public:
    virtual ~SpeechPlatform() = default;
    virtual long CreateVoice(std::unique_ptr<Voice>& voice) = 0;
    virtual long CreateSharedRecoContext(std::unique_ptr<RecoContext>& context) = 0;
};

} // namespace dorva::platform
