#include "actions/Results.h"

#include "data/Dice.h"
#include "data/GameLog.h"

namespace dorva::actions {

bool HasEntry(const data::ListTable& list, int position) {
    return position >= 1 && position <= data::UpperBound(list);
}

std::string EntryOrNote(const data::ListTable& list, const char* code, int position,
                        const std::string& roll) {
    if (HasEntry(list, position)) {
        return data::Entry(list, position);
    }
    const std::string table = std::string("(table ") + code;
    if (data::UpperBound(list) < 1) {
        return table + " has no entries)";
    }
    return table + " has no entry" + (roll.empty() ? std::string() : " for " + roll) + ")";
}

std::string DREntry(const data::ListTable& list, const char* code, int dr) {
    return EntryOrNote(list, code, dr - 1, "DR " + std::to_string(dr));
}

int RollTwoDice() {
    return data::RollDice(2, 6, data::kRecord);
}
int RollOneDie() {
    return data::RollDice(1, 6, data::kRecord);
}

std::vector<std::string> PanelTexts(const Panel& panel) {
    std::vector<std::string> texts;
    for (const std::optional<std::string>* text :
         {&panel.upperHeading, &panel.upperText, &panel.lowerHeading, &panel.lowerText}) {
        if (*text && !(*text)->empty()) {
            texts.push_back(**text);
        }
    }
    return texts;
}

void LogShown(const char* screen, const std::string& what, std::vector<std::string> shown,
              const Panel& panel) {
    if (!data::LogsEveryRoll()) {
        return;
    }
    const std::vector<std::string> texts = PanelTexts(panel);
    shown.insert(shown.begin(), what);
    shown.insert(shown.end(), texts.begin(), texts.end());
    data::LogRoll(screen, data::JoinShown(shown, "\r"));
}

} // namespace dorva::actions
