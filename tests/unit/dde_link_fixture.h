// A fresh simulated desktop with the real common services and a DDEClientModule for the DXView link tests,
// a recording stand-in for the control window and a DDE wrapper that lets a test fail the topic registration
// or act while a link opens (as the real layer's wait pumps messages).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/common.h"
#include "common/locale_info.h"
#include "common/utc.h"
#include "dde_link/dde_client_module.h"
#include "platform/program_error.h"
#include "platform/sim/sim_desktop.h"

namespace tarvello::dde_link_testing {

class RecordingMainWindow : public MainWindowAccess {
public:
    void SetCaption(const std::wstring& caption) override {
        if (failCaption)
            throw ProgramError(error_number::kInvalidArgument);
        captions.push_back(caption);
    }
    void SetBearingText(const std::wstring& text) override { bearingTexts.push_back(text); }
    void SetCurrentBearingText(const std::wstring& text) override { currentBearingTexts.push_back(text); }
    void AppendProgramLog(const std::wstring& entryText) override {
        if (failProgramLog)
            throw ProgramError(error_number::kPermissionDenied);
        programLog.push_back(entryText);
    }
    std::wstring Caption() const { return captions.empty() ? std::wstring() : captions.back(); }

    std::vector<std::wstring> captions;
    std::vector<std::wstring> bearingTexts;
    std::vector<std::wstring> currentBearingTexts;
    std::vector<std::wstring> programLog;
    bool failCaption = false;
    bool failProgramLog = false;
};

class HookedDde : public Dde {
public:
    explicit HookedDde(Dde& inner) : inner_(inner) {}
    std::unique_ptr<DdeLink> OpenHotLink(const std::wstring& application,
                                         const std::wstring& topic,
                                         const std::wstring& item,
                                         DdeLinkHandlers handlers) override {
        if (whileOpening) {
            auto hook = whileOpening;
            hook(item);
        }
        return inner_.OpenHotLink(application, topic, item, std::move(handlers));
    }
    std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                        const std::wstring& topic,
                                                        const std::wstring& windowCaption,
                                                        DdeTopicHandler& handler) override {
        if (failRegistration)
            throw ProgramError(error_number::kInvalidArgument);
        return inner_.RegisterTopic(application, topic, windowCaption, handler);
    }

    std::function<void(const std::wstring& item)> whileOpening;
    bool failRegistration = false;

private:
    Dde& inner_;
};

class DdeLinkTest : public ::testing::Test {
protected:
    DdeLinkTest() { common.Initialize(); }

    sim::SimDdeServer& StartDxView() {
        auto& dxview = desk.dde.StartServer(L"DXView", {L"DDEServer", L"DXViewMain"});
        return dxview;
    }
    void StopDxView() { desk.dde.StopServer(L"DXView"); }

    // Connection attempts so far: each begins with the SpotPrefix link.
    std::size_t Attempts() const {
        std::size_t n = 0;
        for (const auto& a : desk.dde.OpenAttempts())
            n += a == L"DXView|DDEServer!SpotPrefix" ? 1 : 0;
        return n;
    }

    // DXView's row of the state table, read from the tables and from the simulated desktop's timers.
    std::string DxViewState() const {
        const bool c = module.IsServerConnected(3);
        const bool p = module.IsServerRetryPending(3);
        const bool r = module.IsServerRetrying(3);
        const bool t = desk.loop.RunningTimerCount() == 1;
        if (desk.loop.RunningTimerCount() > 1)
            return "more than one timer";
        if (!c && !p && !r && !t)
            return "Idle";
        if (c && !p && !r && !t)
            return "Connected";
        if (!c && p && !r && t)
            return "Retry scheduled";
        if (!c && !p && r && !t)
            return "Retrying";
        if (c && p && !r && t)
            return "Connected, retry scheduled";
        return std::string("connected ") + (c ? "1" : "0") + " pending " + (p ? "1" : "0") + " retrying " +
               (r ? "1" : "0") + " timer " + (t ? "1" : "0");
    }

    std::string ErrorLog() const { return desk.files.Read(L"C:\\Tarvello\\ErrorLog.txt"); }
    // The diagnostic log's lines without their CR LF; each begins with a 20-character time stamp.
    std::vector<std::string> ErrorLogLines() const {
        std::vector<std::string> lines;
        const std::string log = ErrorLog();
        for (std::size_t begin = 0, end; (end = log.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
            lines.push_back(log.substr(begin, end - begin));
        }
        return lines;
    }

    sim::SimDesktop desk;
    HookedDde dde{desk.dde};
    Platform platform{dde,       desk.keyboard, desk.windows, desk.profile,
                      desk.help, desk.clock,    desk.shell,   desk.bearingSource};
    RecordingMainWindow mainWindow;
    UTC utc{desk.clock, common};
    LocaleInfo locale{desk.clock, common};
    Common common{desk.shell, desk.clock, utc, locale};
    DDEClientModule module{platform, common, mainWindow};
};

}  // namespace tarvello::dde_link_testing
