// Measures the execute round trip of the program's DDE layer to the DXView stand-in under Wine: 1,000
// executes, each timed from the post to the acknowledgement. Prints median, 99th percentile and maximum.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "harness/tarvello_e2e.h"
#include "platform/win32/win32_dde.h"

namespace e2e {
namespace {

class DdeRoundTrip : public TarvelloE2E {};

TEST_F(DdeRoundTrip, OneThousandExecutesToDXView) {
    // The harness waits until the stand-in has registered its DDE names.
    StartStandIn(L"DXView");
    tarvello::win32::Win32Dde dde;
    auto link = dde.OpenHotLink({L"DXView", L"DDEServer", L"DDECommand"}, {});
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < 1000; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        link->Execute(i % 2 == 0 ? L"003rotatesp" : L"003selectbearing" + std::to_wstring(i % 360));
        QueryPerformanceCounter(&end);
        ms.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                     static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("execute round trip over %zu executes: median %.3f ms, p99 %.3f ms, max %.3f ms\n", ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
}

}  // namespace
}  // namespace e2e
