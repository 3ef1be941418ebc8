#include "random/RandomNumbers.h"

#include "data/Announce.h"
#include "data/Dice.h"
#include "data/State.h"
#include "random/Messages.h"
#include "random/State.h"
#include "voice/Speak.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace dorva::random {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

void Announce(const std::string& shown, const std::string& spoken, int flags) {
    data::ShowInActivationWindow(shown);
    voice::SpeakText(spoken, flags);
}

// A bound typed with a fraction (10.5) means the whole number nearest to it, halves rounding up.
double WholeNumber(double value) {
    return std::round(value);
}

} // namespace

int SingleDieRoll() {
    const int dr = data::RollDice(1, 6, data::kRecord);
    Announce("dr = " + std::to_string(dr), "You rolled a " + std::to_string(dr), voice::kSpeakAsync);
    return dr;
}

TwoDice TwoDiceRoll() {
    // Two single dice, so that the statistics count two drs and no DR.
    TwoDice dice;
    dice.colored = data::RollDice(1, 6, data::kRecord);
    dice.white = data::RollDice(1, 6, data::kRecord);
    const std::string colored = std::to_string(dice.colored), white = std::to_string(dice.white);
    const std::string total = std::to_string(dice.Total());
    Announce("DR = " + colored + ", " + white + ". Total = " + total,
             "You rolled a red " + colored + " and a black " + white + " for a total of  " + total,
             voice::kSpeakAsync);
    return dice;
}

std::string AToGGRoll() {
    const std::string row = RowName(data::RollDice(1, 33, data::kRecord));
    Announce("On A through GG you rolled " + row, "On <spell>A</spell> through G G you rolled " + row,
             voice::kSpeakAsyncMarkup);
    return row;
}

int OneToTenRoll() {
    const int number = data::RollDice(1, 10, data::kRecord);
    const std::string sentence = "On 1 through 10 you rolled " + std::to_string(number);
    Announce(sentence, sentence, voice::kSpeakAsync);
    return number;
}

bool IsNumberBound(std::string_view text) {
    return !text.empty() && IsDigit(text.front());
}

double LeadingNumber(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
        }
    }
    double value = 0;
    const auto [last, error] =
        std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    (void)last;
    if (error == std::errc::result_out_of_range) {
        return std::numeric_limits<double>::infinity();
    }
    return error == std::errc() ? value : 0;
}

int RowPosition(std::string_view name) {
    const int last = data::UpperBound(data::gTableHR);
    for (int position = 0; position <= last; ++position) {
        if (EqualIgnoringCase(data::Entry(data::gTableHR, position), name)) {
            return position;
        }
    }
    return last + 1;
}

std::string RowName(int position) {
    // Positions beyond the list (a number range shown as rows past ZZ, or a hex-row list shorter
    // than the rolls expect) have no name; the number is shown instead, so a roll never fails.
    const std::string& name = data::Entry(data::gTableHR, position);
    return position < 1 || name.empty() ? std::to_string(position) : name;
}

std::vector<int> XToYNumberCase() {
    std::vector<int> shown;
    if (fromValue < 1) {
        shown.push_back(ShowNumberedMessage(kNumberFromBelowOne));
    } else if (fromValue > 999) {
        shown.push_back(ShowNumberedMessage(kNumberFromAbove999));
    }
    if (toValue <= fromValue) {
        shown.push_back(ShowNumberedMessage(kNumberToNotAboveFrom));
    } else if (toValue > 1000) {
        shown.push_back(ShowNumberedMessage(kNumberToAbove1000));
    }
    return shown;
}

std::vector<int> XToYLetterCase(std::string_view fromText, std::string_view toText) {
    fromValue = RowPosition(fromText);
    toValue = RowPosition(toText);
    // The limits are the positions of YY and ZZ in the list the program is supplied with, fixed
    // whatever the list's length.
    std::vector<int> shown;
    if (fromValue < 1) {
        shown.push_back(ShowNumberedMessage(kRowFromBelowOne));
    } else if (fromValue > 51) {
        shown.push_back(ShowNumberedMessage(kRowFromAboveYY));
    }
    if (toValue <= fromValue) {
        shown.push_back(ShowNumberedMessage(kRowToNotAboveFrom));
    } else if (toValue > 52) {
        shown.push_back(ShowNumberedMessage(kRowToAboveZZ));
    }
    return shown;
}

RangeRoll DieXThroughY(std::string_view fromText, std::string_view toText, bool showAsLetters) {
    RangeRoll roll;
    const bool fromNumber = IsNumberBound(fromText);
    if (fromNumber != IsNumberBound(toText)) {
        roll.messages.push_back(ShowNumberedMessage(kBoundsOfMixedType));
        return roll;
    }
    if (fromNumber) {
        // A From with a fraction is rounded like the To, so that every result is a whole number.
        fromValue = WholeNumber(LeadingNumber(fromText));
        toValue = WholeNumber(LeadingNumber(toText));
        roll.messages = XToYNumberCase();
    } else {
        roll.letterRange = true;
        showAsLetters = true;
        roll.messages = XToYLetterCase(fromText, toText);
    }
    if (!roll.messages.empty()) {
        return roll;
    }

    // Accepted bounds are whole numbers from 1 to 1000.
    const int from = static_cast<int>(fromValue);
    const int sides = static_cast<int>(toValue) - from + 1;
    const int result = from + data::RollDice(1, sides, data::kRecord) - 1;
    roll.result = showAsLetters ? RowName(result) : std::to_string(result);
    const std::string sentence = "On X through Y you rolled " + *roll.result;
    Announce(sentence, sentence, voice::kSpeakAsync);
    return roll;
}

} // namespace dorva::random
