#pragma once
// Runs event handlers one at a time and in order. A handler may open a message box, whose nested
// event loop would deliver the next recognition inside the handler still running; such a delivery
// waits here and runs once the outer handler has returned, so no handler is ever re-entered.

#include <deque>
#include <functional>

namespace dorva::voice {

class SerialDelivery {
public:
    // Runs the handler now, or after the handlers already running or waiting when called from inside
    // one of them.
    void Run(std::function<void()> handler);
    bool Running() const { return running_; }

private:
    std::deque<std::function<void()>> waiting_;
    bool running_ = false;
};

} // namespace dorva::voice
