// One action at a time; see action_gate.h.
#include "common/action_gate.h"

#include <utility>

namespace tarvello {
namespace {

// Restores a flag however the scope is left, also when an action ends the process by unwinding.
class FlagScope {
public:
    FlagScope(bool& flag, bool value) : flag_(flag), previous_(flag) { flag_ = value; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

void ActionGate::Run(std::function<void()> action) {
    if (Busy()) {
        waiting_.push_back(std::move(action));
        return;
    }
    RunNow(action);
    RunWaiting();
}

void ActionGate::OpenWhile(const std::function<void()>& body) {
    FlagScope open(open_, true);
    body();
}

void ActionGate::RunNow(const std::function<void()>& action) {
    // An action started inside an opened gate closes it again for its own waits.
    FlagScope running(running_, true);
    FlagScope closed(open_, false);
    action();
}

void ActionGate::RunWaiting() {
    while (!waiting_.empty() && !Busy()) {
        std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        RunNow(next);
    }
}

}  // namespace tarvello
