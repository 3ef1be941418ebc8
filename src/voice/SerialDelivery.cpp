#include "voice/SerialDelivery.h"

namespace dorva::voice {

void SerialDelivery::Run(std::function<void()> handler) {
    waiting_.push_back(std::move(handler));
    if (running_) {
        return;
    }
    running_ = true;
    struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{running_};
    while (!waiting_.empty()) {
        const std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        if (next) {
            next();
        }
    }
}

} // namespace dorva::voice
