#include "random/Messages.h"

#include "data/Messages.h"

#include <array>
#include <utility>

namespace dorva::random {
namespace {

// clang-format off
const std::array<std::pair<int, std::string>, 11> kMessages = {{
    {kCountNotANumber, "Number of Locations must be a number."},
    {kBoundsOfMixedType, "To and From values must be the same type; i.e., both letters or numbers"},
    {kNumberFromBelowOne, "From value must be at least 1"},
    {kNumberFromAbove999, "From value must be no more than 999"},
    {kNumberToNotAboveFrom, "To value must be greater than From Value"},
    {kNumberToAbove1000, "To value must be no more than 1000"},
    {kRowFromBelowOne, "From value must be at least 1"},
    {kRowFromAboveYY, "From value must be no more than YY"},
    {kRowToNotAboveFrom, "To value must be greater than From Value"},
    {kRowToAboveZZ, "To value must be no more than ZZ"},
    {kCountAboveLimit, "Number of Locations must be no more than " + std::to_string(kMostLocations)},
}};
// clang-format on

const std::string kNone;

} // namespace

const std::string& MessageText(int number) {
    for (const auto& [n, text] : kMessages) {
        if (n == number) {
            return text;
        }
    }
    return kNone;
}

int ShowNumberedMessage(int number) {
    data::ShowMessage(MessageText(number), false);
    return number;
}

} // namespace dorva::random
