// The action gate: one action at a time, opened while a modal message box runs its own message loop.
#include "common/action_gate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvello {
namespace {

TEST(ActionGate, QueuesBehindARunningActionRunsAtOnceWhileOpenAndClosesAgainForTheActionItRan) {
    ActionGate gate;
    std::vector<std::string> order;
    gate.Run([&] {
        order.push_back("a begins");
        gate.Run([&] { order.push_back("b"); });  // waits for a
        gate.OpenWhile([&] {
            gate.Run([&] {  // a message box is open: runs at once
                order.push_back("c begins");
                gate.Run([&] { order.push_back("d"); });  // waits for c, whose own waits close the gate
                order.push_back("c ends");
            });
        });
        order.push_back("a ends");
    });
    EXPECT_EQ(order, (std::vector<std::string>{"a begins", "c begins", "c ends", "b", "d", "a ends"}));
    EXPECT_FALSE(gate.Busy());
    EXPECT_EQ(gate.Waiting(), 0u);
}

}  // namespace
}  // namespace tarvello
