// Ten thousand mixed executes on Tarvello's own topic while it is linked to the DXView stand-in, under Wine:
// every one gets the right answer, and the process keeps its memory and handle counts. Prints the figures.
#include <gtest/gtest.h>
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include "base/program_error.h"
#include "harness/tarvello_e2e.h"
#include "platform/win32/win32_dde.h"

namespace e2e {
namespace {

class ExecuteBurst : public TarvelloE2E {};

TEST_F(ExecuteBurst, TenThousandExecutesAreEachAnsweredAndLeaveNothingBehind) {
    ASSERT_NO_FATAL_FAILURE(StartAll());
    ASSERT_TRUE(WaitFor([&] { return ShowsConnected(); }, 3000));
    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"Tarvello", L"DDEClient", L"DDELookup"}, {});
    const std::wstring commands[] = {L"003start", L"001START",           L"3start",   L"003stop", L"00", L"003start ",
                                     L"abcstart", L"\u00e4\u00f6\u00fc", L"999start", L"003StArT"};
    const bool accepted[] = {true, true, false, false, false, false, false, false, true, true};
    auto burst = [&](int count, int* acceptedCount, int* wrongAnswers) {
        for (int i = 0; i < count; ++i) {
            const int k = i % 10;
            bool ok = true;
            try {
                // Every hundredth command really reconnects DXView; the other starts name servers without links.
                link->Execute(k == 0 && i % 100 != 0 ? std::wstring(L"002start") : commands[k]);
            } catch (const tarvello::ProgramError& e) {
                ok = false;
                if (e.Number() != tarvello::error_number::kDdeRefused)
                    ++*wrongAnswers;
            }
            if (ok)
                ++*acceptedCount;
            if (ok != accepted[k])
                ++*wrongAnswers;
        }
    };
    int warmAccepted = 0, warmWrong = 0;
    burst(1000, &warmAccepted, &warmWrong);
    PROCESS_MEMORY_COUNTERS before{};
    GetProcessMemoryInfo(tarvello_->Handle(), &before, sizeof(before));
    DWORD handlesBefore = 0;
    GetProcessHandleCount(tarvello_->Handle(), &handlesBefore);
    int acceptedCount = 0, wrongAnswers = 0;
    burst(10000, &acceptedCount, &wrongAnswers);
    PROCESS_MEMORY_COUNTERS after{};
    GetProcessMemoryInfo(tarvello_->Handle(), &after, sizeof(after));
    DWORD handlesAfter = 0;
    GetProcessHandleCount(tarvello_->Handle(), &handlesAfter);
    const auto kib = [](SIZE_T bytes) { return static_cast<unsigned long long>(bytes / 1024); };
    std::printf(
        "10000 executes: %d accepted; pagefile %llu -> %llu KiB, working set %llu -> %llu KiB, handles %lu -> %lu\n",
        acceptedCount, kib(before.PagefileUsage), kib(after.PagefileUsage), kib(before.WorkingSetSize),
        kib(after.WorkingSetSize), handlesBefore, handlesAfter);
    EXPECT_EQ(wrongAnswers + warmWrong, 0);
    EXPECT_EQ(acceptedCount, 4000);
    EXPECT_LE(after.PagefileUsage, before.PagefileUsage + 2 * 1024 * 1024);
    EXPECT_LE(handlesAfter, handlesBefore + 8);
    EXPECT_TRUE(tarvello_->Running());
    EXPECT_TRUE(ShowsConnected());
}

}  // namespace
}  // namespace e2e
