#include "activation/ActivationRoll.h"

#include <gtest/gtest.h>

namespace dorva::activation {
namespace {

TEST(Outcome, NaturalOneAndSixWinOverTheModifiers) {
    EXPECT_EQ(DecideOutcome(1, 9, 3), Outcome::AutomaticallyActivated);
    EXPECT_EQ(DecideOutcome(6, 2, 3), Outcome::AutomaticallyRemoved);
    EXPECT_EQ(DecideOutcome(3, 3, 3), Outcome::Activated);
    EXPECT_EQ(DecideOutcome(2, 4, 3), Outcome::Removed);
}

} // namespace
} // namespace dorva::activation
