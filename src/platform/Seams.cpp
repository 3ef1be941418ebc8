#include "platform/Seams.h"

#include "platform/NullSpeechPlatform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

namespace dorva::platform {
namespace {

std::mt19937_64& Generator() {
    static std::mt19937_64 generator;
    return generator;
}

class GeneratorDice final : public DieSource {
public:
    int Die(int sides) override {
        // 53 random bits give every double in [0, 1) on an even grid, never 1 itself.
        const double r = static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
        return static_cast<int>(r * sides) + 1;
    }
};

class StandardErrorDialogs final : public Dialogs {
public:
    void Message(const std::string& text) override { std::fprintf(stderr, "DORVA II: %s\n", text.c_str()); }
    // With no one to answer, nothing that needs a yes is done.
    bool Ask(const std::string&) override { return false; }
    std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                            const std::string&) override {
        return std::nullopt;
    }
    int RunModal(ModalWindow& window) override { return window.Exec(); }
};

std::string Formatted(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[64];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, n);
}

class SystemClock final : public Clock {
public:
    std::string LogStamp() override { return Formatted("%x %X"); }
    std::string TimeOfDay() override { return Formatted("%X"); }
};

class ExitQuitter final : public Quitter {
public:
    void QuitNow() override {
        std::fflush(nullptr);
        std::_Exit(1);
    }
    void EndRun(int status) override { std::exit(status); }
};

class NoActivationWindow final : public ActivationWindow {
public:
    bool IsVisible() override { return false; }
    void SetText(const std::string&) override {}
    std::string Text() override { return {}; }
    void PutBack(const std::string&) override {}
};

struct Installed {
    DieSource* dice = nullptr;
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    Quitter* quitter = nullptr;
    ActivationWindow* activationWindow = nullptr;
    SpeechPlatform* speech = nullptr;
};

Installed& Seams() {
    static Installed installed;
    return installed;
}

template <class Interface, class Default> Interface& OrDefault(Interface* installed) {
    static Default fallback;
    return installed ? *installed : fallback;
}

} // namespace

DieSource& Dice() {
    return OrDefault<DieSource, GeneratorDice>(Seams().dice);
}
Dialogs& CurrentDialogs() {
    return OrDefault<Dialogs, StandardErrorDialogs>(Seams().dialogs);
}
Clock& CurrentClock() {
    return OrDefault<Clock, SystemClock>(Seams().clock);
}
Quitter& CurrentQuitter() {
    return OrDefault<Quitter, ExitQuitter>(Seams().quitter);
}
ActivationWindow& CurrentActivationWindow() {
    return OrDefault<ActivationWindow, NoActivationWindow>(Seams().activationWindow);
}
SpeechPlatform& CurrentSpeechPlatform() {
    return OrDefault<SpeechPlatform, NullSpeechPlatform>(Seams().speech);
}

void SetDieSource(DieSource* source) {
    Seams().dice = source;
}
void SetDialogs(Dialogs* dialogs) {
    Seams().dialogs = dialogs;
}
void SetClock(Clock* clock) {
    Seams().clock = clock;
}
void SetQuitter(Quitter* quitter) {
    Seams().quitter = quitter;
}
void SetActivationWindow(ActivationWindow* window) {
    Seams().activationWindow = window;
}
void SetSpeechPlatform(SpeechPlatform* platform) {
    Seams().speech = platform;
}

void ResetSeams() {
    Seams() = Installed{};
    Generator().seed(std::mt19937_64::default_seed);
}

void SeedGenerator() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(now >> 32),
                      static_cast<std::uint64_t>(std::random_device{}())};
    Generator().seed(seq);
}

void SeedGenerator(std::uint64_t seed) {
    Generator().seed(seed);
}

} // namespace dorva::platform
