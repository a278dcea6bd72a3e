// The two partner programs on a simulated desktop, as the program expects to find them.
#pragma once

#include "partners/partners.h"
#include "platform/sim/sim_desktop.h"

namespace tarvello::testing {

struct SimDXView {
    sim::SimDdeServer* server = nullptr;
    WindowHandle infoWindow = 0;
    WindowHandle spWindow = 0;
};

inline SimDXView StartSimDXView(sim::SimDesktop& desktop) {
    using namespace partners;
    SimDXView dxview;
    dxview.server = &desktop.dde.StartServer(std::wstring(kDxViewApplication),
                                             {std::wstring(kDxViewServerTopic), std::wstring(kDxViewMainTopic)});
    dxview.infoWindow = desktop.windows.AddWindow(0, L"DXView Info", L"ThunderRT6FormDC");
    dxview.spWindow = desktop.windows.AddWindow(dxview.infoWindow, std::wstring(kRotorStopWindowTitle), L"Button");
    return dxview;
}

struct SimLogger {
    sim::SimDdeServer* server = nullptr;
    WindowHandle window = 0;
};

inline SimLogger StartSimLogger(sim::SimDesktop& desktop,
                                const std::wstring& callsign = L"DL1ABC",
                                const std::wstring& angle = L"123") {
    using namespace partners;
    SimLogger logger;
    logger.server = &desktop.dde.StartServer(std::wstring(kLoggerApplication), {std::wstring(kLoggerTopic)});
    logger.server->SetItem(std::wstring(kLoggerTopic), std::wstring(kCallsignItem), callsign);
    logger.server->SetItem(std::wstring(kLoggerTopic), std::wstring(kBearingItem), angle);
    logger.window = desktop.windows.AddWindow(0, L"Win-Contest - Logbuch", L"ContestMain");
    return logger;
}

}  // namespace tarvello::testing
