#include "activation/ActivationRoll.h"

#include "activation/State.h"
#include "activation/UnitDetermination.h"
#include "data/Announce.h"
#include "data/Dice.h"
#include "data/GameLog.h"
#include "data/State.h"
#include "setup/State.h"
#include "voice/Speak.h"

namespace dorva::activation {

std::int16_t TotalModifiers() {
    int total = 0;
    for (int i = kAdjVpo; i <= kTerrain; ++i) {
        total += data::gModifierTable[static_cast<std::size_t>(i)];
    }
    return static_cast<std::int16_t>(total);
}

std::int16_t CheckModifier(bool checked) {
    return checked ? std::int16_t{-1} : std::int16_t{0};
}
std::int16_t HeightModifier(int position) {
    return static_cast<std::int16_t>(-position);
}
std::int16_t TerrainModifier(int position) {
    return static_cast<std::int16_t>(position);
}

std::string ModifiersText(int total) {
    return (total >= 0 ? " " : "") + std::to_string(total);
}

Outcome DecideOutcome(int acDie, int finalDR, int acNumber) {
    if (acDie == 6) {
        return Outcome::AutomaticallyRemoved;
    }
    if (acDie == 1) {
        return Outcome::AutomaticallyActivated;
    }
    return finalDR <= acNumber ? Outcome::Activated : Outcome::Removed;
}

std::string ResultText(Outcome outcome) {
    switch (outcome) {
    case Outcome::AutomaticallyRemoved:
        return kAutomaticallyRemoved;
    case Outcome::AutomaticallyActivated:
        return kAutomaticallyActivated;
    case Outcome::Activated:
        return kActivated;
    case Outcome::Removed:
        break;
    }
    return kRemoved;
}

Rgb ResultColour(Outcome outcome) {
    switch (outcome) {
    case Outcome::AutomaticallyRemoved:
        return {255, 0, 0};
    case Outcome::AutomaticallyActivated:
        return {0, 0, 255};
    default:
        return {0, 0, 0};
    }
}

std::string VaslText(Outcome outcome) {
    switch (outcome) {
    case Outcome::AutomaticallyRemoved:
    case Outcome::Removed:
        return kRemovedShort;
    default:
        return gTempDisplayUnits;
    }
}

std::string LogText(Outcome outcome) {
    switch (outcome) {
    case Outcome::AutomaticallyRemoved:
        return kAutomaticallyRemoved;
    case Outcome::Removed:
        return kRemovedShort;
    default:
        return gTempDisplayUnits;
    }
}

Outcome RollActivation() {
    const int die = data::RollDice(1, 6, data::kRecord);
    acDieRoll = die;
    finalDieRoll = static_cast<std::int16_t>(TotalModifiers() + die);
    // The units are determined on every roll, so their dice count in the statistics also when the
    // counter is removed.
    gTempDisplayUnits = DisplayActivatedUnits();
    return DecideOutcome(die, finalDieRoll, setup::gACNumber);
}

std::string RollLogText(const std::string& resultLine) {
    return data::JoinShown({"DR = " + std::to_string(acDieRoll.value_or(0)),
                            "Modifiers = " + std::to_string(TotalModifiers()),
                            "Final DR = " + std::to_string(finalDieRoll),
                            "AC# = " + std::to_string(setup::gACNumber), resultLine},
                           ", ");
}

void AnnounceActivation(Outcome outcome, const std::string& resultLine) {
    if (data::ActivationWindowVisible()) {
        data::ShowActivationText(VaslText(outcome));
    }
    if (data::LogsEveryRoll()) {
        // The roll heads the entry, and the units follow on lines of their own.
        data::AppendLogEntry(std::string(kActivationScreen) + ": " + RollLogText(resultLine) + "\r" +
                             data::CutLogEntry(LogText(outcome)));
    } else if (data::gKeepLogFile == 1) {
        data::WriteLogEntry(LogText(outcome));
    }
    voice::SpeakText(resultLine, voice::kSpeakAsync);
}

std::optional<Outcome> Reevaluate() {
    if (!acDieRoll || *acDieRoll == 1 || *acDieRoll == 6) {
        return std::nullopt;
    }
    return DecideOutcome(*acDieRoll, TotalModifiers() + *acDieRoll, setup::gACNumber);
}

std::string ManualActivation() {
    const std::string units = DisplayActivatedUnits();
    if (data::ActivationWindowVisible()) {
        data::ShowActivationText(units);
    }
    if (data::gKeepLogFile == 1) {
        // A unit the player chose to reveal without a roll must not pass for a rolled one.
        const std::string screen = data::LogsEveryRoll() ? std::string(kActivationScreen) + ": " : "";
        data::WriteLogEntry(screen + kManualActivationMark + units);
    }
    return units;
}

} // namespace dorva::activation
