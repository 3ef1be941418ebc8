#pragma once
// Everything outside the program that the program reaches: the dice, message boxes and file
// dialogs, the speech service, the clock, the end of the run and the VASL activation window.
//
// Each is one interface with one setter. Nothing installed (or nullptr) means the default written
// here, which needs no window system: dice from one pseudo-random generator, messages on standard
// error, no file dialog, the C library's clock, an end by exit(), no VASL activation window and a
// speech service that fails its creation. The program installs its windows' versions at start-up;
// tests install fakes. ResetSeams() gives every seam its default back.

#include "platform/SpeechPlatform.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dorva::platform {

// The faces of one die. The default draws r in [0, 1) from the generator and gives int(r * sides) + 1.
class DieSource {
public:
    virtual ~DieSource() = default;
    virtual int Die(int sides) = 0;
};

// A window shown modally (the set-up screen, the statistics, the about box).
class ModalWindow {
public:
    virtual ~ModalWindow() = default;
    virtual std::string Name() const = 0;
    // Shows the window and returns when it is closed, with its result.
    virtual int Exec() = 0;
};

// Texts and paths here are UTF-8.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with the title "DORVA II", the text and only an OK button.
    virtual void Message(const std::string& text) = 0;
    // A modal box with the title "DORVA II", the question and the buttons Yes and No; true for Yes.
    virtual bool Ask(const std::string& question) = 0;
    // A save-file dialog that offers preset; the chosen path, or nothing when the player cancels.
    // filter reads "description|pattern|description|pattern".
    virtual std::optional<std::string> SaveFileName(const std::string& caption, const std::string& preset,
                                                    const std::string& filter) = 0;
    virtual int RunModal(ModalWindow& window) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The stamp of a game-log line: the locale's short date, a blank, its long time without a zone.
    virtual std::string LogStamp() = 0;
    // The time of day in the locale's time format.
    virtual std::string TimeOfDay() = 0;
};

class Quitter {
public:
    virtual ~Quitter() = default;
    // Ends the run at once after a fatal message: no window closes in order, nothing is saved.
    virtual void QuitNow() = 0;
    // Ends the run normally (the toolbar closed, File > Exit): the event loops return status.
    virtual void EndRun(int status) = 0;
};

// The VASL activation window as the result channels see it; texts are table text (Latin-1).
class ActivationWindow {
public:
    virtual ~ActivationWindow() = default;
    // Asking creates the window hidden when it does not exist yet, which shows nothing.
    virtual bool IsVisible() = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() = 0;
    // Shows again a text that was there before (the result a passing notice covered): no new result.
    virtual void PutBack(const std::string& text) = 0;
};

DieSource& Dice();
Dialogs& CurrentDialogs();
Clock& CurrentClock();
Quitter& CurrentQuitter();
ActivationWindow& CurrentActivationWindow();
SpeechPlatform& CurrentSpeechPlatform();

void SetDieSource(DieSource* source);
void SetDialogs(Dialogs* dialogs);
void SetClock(Clock* clock);
void SetQuitter(Quitter* quitter);
void SetActivationWindow(ActivationWindow* window);
void SetSpeechPlatform(SpeechPlatform* platform);

// Every seam back to its default, and the generator back to its first seed.
void ResetSeams();

// The default dice's generator: seeded from the clock (each time the activation screen loads) or
// with a fixed value (benchmarks).
void SeedGenerator();
void SeedGenerator(std::uint64_t seed);

} // namespace dorva::platform
