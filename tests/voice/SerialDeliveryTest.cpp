// A recognition that arrives while a handler is still running (inside a message box's nested event
// loop) runs after that handler, never inside it.
#include "voice/SerialDelivery.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using dorva::voice::SerialDelivery;

namespace {

TEST(SerialDelivery, ADeliveryFromInsideAHandlerWaitsUntilItReturns) {
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
    EXPECT_FALSE(delivery.Running());
}

TEST(SerialDelivery, AHandlerThatThrowsDoesNotBlockTheNext) {
    SerialDelivery delivery;
    EXPECT_THROW(delivery.Run([] { throw std::runtime_error("handler failed"); }), std::runtime_error);
    int runs = 0;
    delivery.Run([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

} // namespace
