// The simulated message loop fires timers in time order and runs posted events between them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_codepage.h"
#include "platform/sim/sim_event_loop.h"

namespace tarvello::sim {
namespace {

TEST(SimEventLoop, TimersFireInTimeOrderAndStopWhenStopped) {
    SimEventLoop loop;
    std::vector<std::string> fired;
    TimerId slow = loop.StartTimer(50, [&] { fired.push_back("slow"); });
    loop.StartTimer(20, [&] { fired.push_back("fast"); });
    loop.Advance(60);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast", "slow", "fast"}));
    loop.StopTimer(slow);
    fired.clear();
    loop.Advance(40);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast", "fast"}));
}

TEST(Codepage, RoundTripsWindows1252AndReplacesOthers) {
    const std::wstring text = L"zun\u00e4chst \u20ac \u2013";
    const std::string bytes = EncodeCp1252(text);
    EXPECT_EQ(bytes, std::string("zun\xe4"
                                 "chst \x80 \x96"));
    EXPECT_EQ(DecodeCp1252(bytes), text);
    EXPECT_EQ(EncodeCp1252(L"\u0416"), "?");
}

}  // namespace
}  // namespace tarvello::sim
