// A fresh simulated desktop with the real common services and a DxViewLink for the DXView link tests,
// a recording stand-in for the control window and a DDE wrapper that lets a test fail the topic registration
// or act while a link opens (as the real layer's wait pumps messages).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/program_error.h"
#include "common/diagnostic_log.h"
#include "common/locale_info.h"
#include "common/utc_clock.h"
#include "dde_link/dxview_link.h"
#include "platform/sim/sim_desktop.h"

namespace tarvello::dde_link_testing {

using Texts = std::vector<std::wstring>;
using Strings = std::vector<std::string>;

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

    Texts captions, bearingTexts, currentBearingTexts, programLog;
    bool failCaption = false;
    bool failProgramLog = false;
};

class HookedDde : public Dde {
public:
    explicit HookedDde(Dde& inner) : inner_(inner) {}
    std::unique_ptr<DdeLink> OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) override {
        if (auto hook = whileOpening)
            hook(name.item);
        return inner_.OpenHotLink(name, std::move(handlers));
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

class DxViewLinkTest : public ::testing::Test {
protected:
    DxViewLinkTest() { diagnostics.Initialize(); }

    sim::SimDdeServer& StartDxView() { return desk.dde.StartServer(L"DXView", {L"DDEServer", L"DXViewMain"}); }
    void StopDxView() { desk.dde.StopServer(L"DXView"); }
    bool Execute(const std::wstring& command) { return desk.dde.ClientExecute(L"Tarvello", L"DDEClient", command); }

    // Connection attempts so far: each begins with the SpotPrefix link.
    std::size_t Attempts() const {
        const auto& all = desk.dde.OpenAttempts();
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), L"DXView|DDEServer!SpotPrefix"));
    }

    // DXView's row of the state table, read from the tables and from the simulated desktop's timers.
    std::string DxViewState() const {
        static const std::map<std::string, std::string> rows = {
            {"0000", "Idle"},     {"1000", "Connected"},           {"0101", "Retry scheduled"},
            {"0010", "Retrying"}, {"1010", "Connected, retrying"}, {"1101", "Connected, retry scheduled"}};
        const std::string flags = {module.IsServerConnected(3) ? '1' : '0', module.IsServerRetryPending(3) ? '1' : '0',
                                   module.IsServerRetrying(3) ? '1' : '0',
                                   static_cast<char>('0' + desk.loop.RunningTimerCount())};
        const auto row = rows.find(flags);
        return row == rows.end() ? "connected/pending/retrying/timers " + flags : row->second;
    }

    // From now on, every connection attempt as "<ms since now> <state while it runs>".
    void RecordAttempts() {
        dde.whileOpening = [this, start = desk.loop.NowMs()](const std::wstring& item) {
            if (item == L"SpotPrefix")
                attempts.push_back(std::to_string(desk.loop.NowMs() - start) + " " + DxViewState());
        };
    }

    std::string ErrorLog() const { return desk.files.Read(L"C:\\Tarvello\\ErrorLog.txt"); }
    // The diagnostic log's lines without their CR LF and without the 20-character time stamp.
    std::vector<std::string> ErrorLogEntries() const {
        std::vector<std::string> lines;
        const std::string log = ErrorLog();
        for (std::size_t begin = 0, end; (end = log.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
            const std::string line = log.substr(begin, end - begin);
            lines.push_back(line.substr(std::min<std::size_t>(20, line.size())));
        }
        return lines;
    }

    Strings attempts;
    sim::SimDesktop desk;
    HookedDde dde{desk.dde};
    Platform platform{dde,        desk.keyboard, desk.windows, desk.profile, desk.help,
                      desk.clock, desk.loop,     desk.files,   desk.shell,   desk.bearingSource};
    RecordingMainWindow mainWindow;
    UtcClock utc{desk.clock, diagnostics};
    LocaleInfo locale{desk.clock, diagnostics};
    DiagnosticLog diagnostics{desk.files, desk.shell, desk.clock, utc, locale};
    ActionGate gate;
    DxViewLink module{platform, gate, diagnostics, mainWindow};
};

}  // namespace tarvello::dde_link_testing
