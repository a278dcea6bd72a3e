// The program's own DDE topic Tarvello|DDEClient: the "start" executes and the fields served as items.
#include <optional>
#include <string>
#include <vector>

#include "dxview_link_fixture.h"

namespace tarvello::dde_link_testing {
namespace {

using DxViewLinkOwnTopic = DxViewLinkTest;

TEST_F(DxViewLinkOwnTopic, ExecutesAreAcceptedExactlyForThreeDigitsAndStartAndOnlyServer3Connects) {
    StartDxView();
    module.Initialize();
    std::size_t attempts = 1;
    for (const auto* command : {L"003start", L"003START", L"003Start", L"003sTaRt"}) {
        EXPECT_TRUE(Execute(command)) << command;
        EXPECT_EQ(Attempts(), ++attempts) << command;
    }
    for (const auto* command : {L"000start", L"001start", L"006start", L"030start", L"300start", L"999start"})
        EXPECT_TRUE(Execute(command)) << command;
    const Texts refused = {L"", L"003", L"3start", L"03start", L"003stop", L"003start ", L" 003start", L"003starts",
                           L"+03start", L"0x3start", L"start003",
                           // look-alikes: Cyrillic a, full-width digits, long s (upper-cases to S), an inner NUL
                           L"003st\u0430rt", L"\uff10\uff10\uff13start", L"003\u017ftart",
                           std::wstring(L"003start\0", 9)};
    for (const auto& command : refused)
        EXPECT_FALSE(Execute(command)) << "command of length " << command.size();
    EXPECT_EQ(Attempts(), attempts);
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(ErrorLog(), "");  // refusals are neither shown nor logged
    EXPECT_TRUE(desk.shell.MessageBoxes().empty());
}

TEST_F(DxViewLinkOwnTopic, ServesPokesAndHotLinksTheFieldsWithTheirInitialTexts) {
    module.Initialize();
    auto request = [&](const std::wstring& item) { return desk.dde.ClientRequest(L"Tarvello", L"DDEClient", item); };
    for (const auto* item : {L"SpotPrefix", L"SpotLocation", L"Progress", L"Freq", L"Mode"})
        EXPECT_EQ(request(item), std::optional<std::wstring>(L"")) << item;
    for (const auto* item : {L"DDELookup", L"PropViewDDECommand", L"PathfinderDDECommand", L"DDESpot", L"DDELog",
                             L"DDETransceiverControl", L"RequestDDEConnection"})
        EXPECT_EQ(request(item), std::optional<std::wstring>(item)) << item;
    const Texts labels = {L"SpotPrefix", L"Progress", L"Mode", L"Freq", L"SpotLocation"};
    for (std::size_t i = 0; i < labels.size(); ++i)
        EXPECT_EQ(request(L"Label" + std::to_wstring(i + 1)), labels[i]) << i;
    EXPECT_EQ(request(L"LABEL3"), std::optional<std::wstring>(L"Mode"));  // item names in any case
    for (const auto* unknown : {L"Label6", L"", L"SpotPrefix "})
        EXPECT_EQ(request(unknown), std::nullopt) << unknown;

    Texts freq;
    ASSERT_TRUE(desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"Freq", [&](const auto& v) { freq.push_back(v); }));
    EXPECT_TRUE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"Freq", L"14025.0"));
    EXPECT_TRUE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"FREQ", L""));
    EXPECT_FALSE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"Nothing", L"x"));
    EXPECT_FALSE(desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"Nothing", [](const std::wstring&) {}));
    EXPECT_EQ(freq, (Texts{L"14025.0", L""}));
    EXPECT_EQ(request(L"Freq"), std::optional<std::wstring>(L""));
}

TEST_F(DxViewLinkOwnTopic, SpotPrefixAndDDELookupCarryDXViewsValuesToOutsideHotLinks) {
    auto& dxview = StartDxView();
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"OH");
    module.Initialize();
    EXPECT_EQ(module.Window()->Field(L"SpotPrefix"), std::optional<std::wstring>(L"OH"));
    Texts spot, lookup;
    desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"SpotPrefix", [&](const auto& v) { spot.push_back(v); });
    desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"DDELookup", [&](const auto& v) { lookup.push_back(v); });
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"DL");
    dxview.SetItem(L"DDEServer", L"DDECommand", L"busy");
    dxview.SetItem(L"DXViewMain", L"ShortPath", L"271");
    desk.loop.RunPending();
    EXPECT_EQ(spot, Texts{L"DL"});
    EXPECT_EQ(lookup, Texts{L"busy"});
    EXPECT_EQ(mainWindow.currentBearingTexts, (Texts{L"", L"271"}));

    // Values still under way from links that a reconnection replaced are dropped.
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"old");
    module.ConnectServer(3);
    desk.loop.RunPending();
    EXPECT_EQ(spot, (Texts{L"DL", L"old"}));
}

TEST_F(DxViewLinkOwnTopic, ARegistrationFailureIsReportedAndDXViewIsStillConnected) {
    StartDxView();
    dde.failRegistration = true;
    module.Initialize();
    EXPECT_FALSE(desk.dde.HasTopic(L"Tarvello", L"DDEClient"));
    EXPECT_EQ(DxViewState(), "Connected");
    const auto entries = ErrorLogEntries();
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[6],
              " > program error 5 in module DDEClientmodule.Initialize: Invalid procedure call or argument");
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV} - see ErrorLog in C:\\Tarvello/ErrorLog.txt");
}

}  // namespace
}  // namespace tarvello::dde_link_testing
