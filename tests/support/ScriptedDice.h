#pragma once
// Scripted dice for tests: each die the program rolls takes the next value of the script.

#include "data/Dice.h"

#include <deque>
#include <gtest/gtest.h>
#include <initializer_list>

namespace dorva::test {

class ScriptedDice {
public:
    ScriptedDice() {
        data::SetDieSource([this](int sides) { return Next(sides); });
    }
    explicit ScriptedDice(std::initializer_list<int> values) : ScriptedDice() { Add(values); }
    ~ScriptedDice() { data::SetDieSource(nullptr); }
    ScriptedDice(const ScriptedDice&) = delete;
    ScriptedDice& operator=(const ScriptedDice&) = delete;

    void Add(std::initializer_list<int> values) { values_.insert(values_.end(), values); }
    template <class Values> void AddAll(const Values& values) { values_.insert(values_.end(), values.begin(), values.end()); }
    std::size_t Remaining() const { return values_.size(); }
    int Rolled() const { return rolled_; }
    // When the script runs out, further dice give this value (0: fail the test instead).
    void SetFallback(int value) { fallback_ = value; }

private:
    int Next(int sides) {
        ++rolled_;
        if (values_.empty()) {
            if (fallback_ == 0) {
                ADD_FAILURE() << "the program rolled more dice than the test scripted";
                return 1;
            }
            return fallback_;
        }
        const int value = values_.front();
        values_.pop_front();
        EXPECT_GE(value, 1);
        EXPECT_LE(value, sides) << "scripted a " << value << " for a die of " << sides << " sides";
        return value;
    }

    std::deque<int> values_;
    int rolled_ = 0;
    int fallback_ = 0;
};

} // namespace dorva::test
