// A recognition that arrives while a handler is still running (inside a message box's nested event
// loop) runs after that handler, never inside it; a handler that throws holds up none after it.
#include "voice/SerialDelivery.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using dorva::voice::SerialDelivery;

namespace {

TEST(SerialDelivery, ADeliveryFromInsideAHandlerWaitsUntilItReturnsAndAThrowHoldsUpNone) {
    SerialDelivery delivery;
    std::vector<std::string> log;
    delivery.Run([&] {
        log.push_back("first begins");
        // What a nested event loop would do while the first handler waits for its message box.
        delivery.Run([&] { log.push_back("second"); });
        delivery.Run([&] { log.push_back("third"); });
        log.push_back("first ends");
    });
    EXPECT_EQ(log, (std::vector<std::string>{"first begins", "first ends", "second", "third"}));
    EXPECT_THROW(delivery.Run([] { throw std::runtime_error("handler failed"); }), std::runtime_error);
    EXPECT_FALSE(delivery.Running());
    delivery.Run([&] { log.push_back("after the throw"); });
    EXPECT_EQ(log.back(), "after the throw");
}

} // namespace
