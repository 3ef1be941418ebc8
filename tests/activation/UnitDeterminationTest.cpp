#include "activation/UnitDetermination.h"
#include "../support/ScriptedDice.h"

#include <gtest/gtest.h>

namespace dorva::activation {
namespace {

TEST(PickOne, ChoosesTheFirstAlternativeThatReachesTheDie) {
    for (const auto& [die, chosen] : {std::pair{3, "b"}, {1, "a"}, {6, "c"}}) {
        test::ScriptedDice dice{die};
        EXPECT_EQ(PickOne("a[2] b[4] c[6]"), chosen);
    }
}

} // namespace
} // namespace dorva::activation
