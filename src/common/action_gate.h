// One action at a time. The rotor actions, button clicks, DXView retry ticks, outside "start" requests and
// link-closed notices each run to their end before the next one starts. While one runs, its DDE waits keep
// the message loop going, so the timers and clicks of others arrive meanwhile: those wait in line and run,
// in the order they came, as soon as the running action has ended.
#pragma once

#include <deque>
#include <functional>

namespace tarvello {

class ActionGate {
public:
    // Runs action now when no other action runs; otherwise queues it behind the running one.
    void Run(std::function<void()> action);
    // While body runs (a modal message box, whose own message loop goes on), actions that come run at once,
    // as they would without the gate, and the ones waiting follow them.
    void OpenWhile(const std::function<void()>& body);
    bool Busy() const { return running_ && !open_; }
    std::size_t Waiting() const { return waiting_.size(); }

private:
    void RunNow(const std::function<void()>& action);
    void RunWaiting();

    bool running_ = false;
    bool open_ = false;
    std::deque<std::function<void()>> waiting_;
};

}  // namespace tarvello
