// Measures, under Wine, how long a key takes to become a DXView command: from a key-down injected into the
// system input to the line the DXView stand-in journals (both stamped with the performance counter, one clock
// for all processes). Return and F11 200 times each, F8 to the posted button-down 50 times.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "harness/tarvello_e2e.h"
#include "support/journal.h"

namespace e2e {
namespace {

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%s over %zu presses: median %.1f ms, p95 %.1f ms, max %.1f ms\n", what, ms.size(), ms[ms.size() / 2],
                ms[ms.size() * 95 / 100], ms.back());
}

class KeyLatency : public TarvelloE2E {
protected:
    // The stamps of DXView's journal entries that begin with prefix.
    std::vector<long long> Stamps(const std::string& prefix) const {
        std::vector<long long> stamps;
        for (const auto& entry : test_support::ReadJournal(FolderFile(L"DXView-journal.txt"))) {
            if (entry.text.starts_with(prefix))
                stamps.push_back(entry.ms);
        }
        return stamps;
    }
    // Presses key once and returns the delay to the next journal entry that begins with prefix.
    double Press(BYTE key, const std::string& prefix) {
        const size_t before = Stamps(prefix).size();
        const double start = NowMs();
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), 0, 0);
        std::vector<long long> stamps;
        const bool seen = WaitFor([&] { return (stamps = Stamps(prefix)).size() > before; }, 3000);
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
        WaitFor([] { return false; }, 30);  // let the next poll see the key up before the next press
        EXPECT_TRUE(seen) << prefix;
        return seen ? static_cast<double>(stamps[before]) - start : 3000.0;
    }
};

TEST_F(KeyLatency, KeyToStatusText) {
    // The same path without the DXView stand-in's side: key-down to Tarvello's own status text.
    ASSERT_NO_FATAL_FAILURE(StartAll(L"--angle 180"));
    std::vector<double> f11;
    for (int i = 0; i < 50; ++i) {
        const BYTE key = i % 2 == 0 ? VK_F11 : VK_ESCAPE;
        const std::wstring expected = i % 2 == 0 ? L"Rotor dreht" : L" ";
        const double start = NowMs();
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), 0, 0);
        ASSERT_TRUE(WaitFor([&] { return ChildText(main_, 1008) == expected; }, 3000));
        if (i % 2 == 0)
            f11.push_back(NowMs() - start);
        keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
        WaitFor([] { return false; }, 30);
    }
    Report("F11 to status text", f11);
}

TEST_F(KeyLatency, KeyToCommand) {
    ASSERT_NO_FATAL_FAILURE(StartAll(L"--angle 180"));
    std::vector<double> ret, f11, f8;
    for (int i = 0; i < 200; ++i)
        ret.push_back(Press(VK_RETURN, "EXECUTE 003selectbearing"));
    for (int i = 0; i < 200; ++i)
        f11.push_back(Press(VK_F11, "EXECUTE 003rotatesp"));
    for (int i = 0; i < 50; ++i)
        f8.push_back(Press(VK_F8, "LBUTTONDOWN"));
    Report("Return to execute", ret);
    Report("F11 to execute", f11);
    Report("F8 to button-down", f8);
}

}  // namespace
}  // namespace e2e
