// The program's own DDE topic Tarvello|DDEClient: the "start" executes, the fields served as items, and a
// burst of ten thousand mixed executes.
#include <random>
#include <string>
#include <vector>

#include "dde_link/execute_command.h"
#include "dde_link_fixture.h"

namespace tarvello::dde_link_testing {
namespace {

TEST(DdeLinkParseStartCommand, ReadsThreeDigitsAndTheWordStartInAnyCase) {
    EXPECT_EQ(ParseStartCommand(L"003start"), std::optional<std::int16_t>(3));
    EXPECT_EQ(ParseStartCommand(L"003START"), std::optional<std::int16_t>(3));
    EXPECT_EQ(ParseStartCommand(L"003Start"), std::optional<std::int16_t>(3));
    EXPECT_EQ(ParseStartCommand(L"003sTaRt"), std::optional<std::int16_t>(3));
    EXPECT_EQ(ParseStartCommand(L"001start"), std::optional<std::int16_t>(1));
    EXPECT_EQ(ParseStartCommand(L"000start"), std::optional<std::int16_t>(0));
    EXPECT_EQ(ParseStartCommand(L"999start"), std::optional<std::int16_t>(999));
    EXPECT_EQ(ParseStartCommand(L"120start"), std::optional<std::int16_t>(120));
}

TEST(DdeLinkParseStartCommand, RefusesEverythingElse) {
    const std::vector<std::wstring> refused = {
        L"",
        L"0",
        L"00",
        L"003",
        L"3start",
        L"03start",
        L"003stop",
        L"003start ",
        L" 003start",
        L"003 start",
        L"003starts",
        L"003star",
        L"+03start",
        L"-03start",
        L" 03start",
        L"03 start",
        L"0x3start",
        L"&H3start",
        L"3.0start",
        L"003st\u0430rt",                // Cyrillic a
        L"\u0663\u0660\u0663start",      // Arabic-Indic digits
        L"\uff10\uff10\uff13start",      // full-width digits
        L"003\u017ftart",                // long s, upper-cases to S
        std::wstring(L"003start\0", 9),  // trailing NUL
        std::wstring(L"00\0start", 8),
        L"003START\r\n",
        L"start003",
        L"003sta\u00aert",
    };
    for (const auto& command : refused) {
        EXPECT_EQ(ParseStartCommand(command), std::nullopt) << "command of length " << command.size();
    }
}

using DdeLinkOwnTopic = DdeLinkTest;

TEST_F(DdeLinkOwnTopic, AnswersUnderTheExecutableNameFromInitializeToTerminate) {
    desk.shell.SetExeBaseName(L"Rotor2");
    EXPECT_FALSE(desk.dde.HasTopic(L"Rotor2", L"DDEClient"));
    module.Initialize();
    EXPECT_TRUE(desk.dde.HasTopic(L"Rotor2", L"DDEClient"));
    EXPECT_FALSE(desk.dde.HasTopic(L"Tarvello", L"DDEClient"));
    EXPECT_EQ(desk.dde.RegisteredCaption(L"Rotor2", L"DDEClient"), L"DDEClient");
    EXPECT_EQ(module.Window()->Caption(), L"DDEClient");
    module.Terminate();
    EXPECT_FALSE(desk.dde.HasTopic(L"Rotor2", L"DDEClient"));
    EXPECT_FALSE(desk.dde.ClientExecute(L"Rotor2", L"DDEClient", L"003start"));
}

TEST_F(DdeLinkOwnTopic, ExecutesAreAcceptedExactlyForStartAndOnlyServer3Connects) {
    StartDxView();
    module.Initialize();
    struct Case {
        std::wstring command;
        bool accepted;
        std::size_t attemptsAfter;
    };
    const std::vector<Case> cases = {
        {L"003start", true, 2}, {L"003START", true, 3},   {L"003Start", true, 4},
        {L"001start", true, 4}, {L"3start", false, 4},    {L"003", false, 4},
        {L"003stop", false, 4}, {L"003start ", false, 4}, {L"", false, 4},
        {L"0", false, 4},       {L"03", false, 4},        {L"006start", true, 4},
        {L"999start", true, 4}, {L"-03start", false, 4},  {L"\u00e4\u00f6\u00fc", false, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", c.command), c.accepted) << c.command.size();
        EXPECT_EQ(Attempts(), c.attemptsAfter) << c.command.size();
    }
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(ErrorLog(), "");  // refusals are neither shown nor logged
    EXPECT_TRUE(desk.shell.MessageBoxes().empty());
}

TEST_F(DdeLinkOwnTopic, AStartWithoutDXViewIsAcceptedAndTheRetryIsScheduled) {
    module.Initialize();
    desk.loop.Advance(5000);
    ASSERT_EQ(DxViewState(), "Idle");
    EXPECT_TRUE(desk.dde.ClientExecute(L"Tarvello", L"DDEClient", L"003start"));
    EXPECT_EQ(DxViewState(), "Retry scheduled");
}

TEST_F(DdeLinkOwnTopic, ServesEveryFieldWithItsInitialTextAndRefusesUnknownItems) {
    module.Initialize();
    const std::vector<std::pair<std::wstring, std::wstring>> fields = {
        {L"SpotPrefix", L""},
        {L"DDELookup", L"DDELookup"},
        {L"SpotLocation", L""},
        {L"Progress", L""},
        {L"Freq", L""},
        {L"Mode", L""},
        {L"PropViewDDECommand", L"PropViewDDECommand"},
        {L"PathfinderDDECommand", L"PathfinderDDECommand"},
        {L"DDESpot", L"DDESpot"},
        {L"DDELog", L"DDELog"},
        {L"DDETransceiverControl", L"DDETransceiverControl"},
        {L"RequestDDEConnection", L"RequestDDEConnection"},
        {L"Label1", L"SpotPrefix"},
        {L"Label2", L"Progress"},
        {L"Label3", L"Mode"},
        {L"Label4", L"Freq"},
        {L"Label5", L"SpotLocation"}};
    for (const auto& [item, text] : fields) {
        EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", item), std::optional<std::wstring>(text)) << item;
    }
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L"label3"), std::optional<std::wstring>(L"Mode"));
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L"Label6"), std::nullopt);
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L""), std::nullopt);
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L"SpotPrefix "), std::nullopt);
}

TEST_F(DdeLinkOwnTopic, PokesChangeFieldsAndReachOutsideHotLinks) {
    module.Initialize();
    std::vector<std::wstring> freq;
    ASSERT_TRUE(
        desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"Freq", [&](const std::wstring& v) { freq.push_back(v); }));
    EXPECT_TRUE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"Freq", L"14025.0"));
    EXPECT_TRUE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"FREQ", L""));
    EXPECT_FALSE(desk.dde.ClientPoke(L"Tarvello", L"DDEClient", L"Nothing", L"x"));
    EXPECT_EQ(freq, (std::vector<std::wstring>{L"14025.0", L""}));
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L"Freq"), std::optional<std::wstring>(L""));
    EXPECT_FALSE(desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"Nothing", [](const std::wstring&) {}));
}

TEST_F(DdeLinkOwnTopic, SpotPrefixAndDDELookupCarryDXViewsValuesToOutsideHotLinks) {
    auto& dxview = StartDxView();
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"OH");
    std::vector<std::wstring> spot, lookup;
    module.Initialize();
    EXPECT_EQ(module.Window()->Field(L"SpotPrefix"), std::optional<std::wstring>(L"OH"));
    EXPECT_EQ(module.Window()->Field(L"DDELookup"), std::optional<std::wstring>(L""));
    desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"SpotPrefix", [&](const std::wstring& v) { spot.push_back(v); });
    desk.dde.ClientAdvise(L"Tarvello", L"DDEClient", L"DDELookup", [&](const std::wstring& v) { lookup.push_back(v); });
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"DL");
    dxview.SetItem(L"DDEServer", L"DDECommand", L"busy");
    dxview.SetItem(L"DXViewMain", L"ShortPath", L"271");
    desk.loop.RunPending();
    EXPECT_EQ(spot, std::vector<std::wstring>{L"DL"});
    EXPECT_EQ(lookup, std::vector<std::wstring>{L"busy"});
    EXPECT_EQ(mainWindow.currentBearingTexts, (std::vector<std::wstring>{L"", L"271"}));
    EXPECT_EQ(desk.dde.ClientRequest(L"Tarvello", L"DDEClient", L"DDELookup"), std::optional<std::wstring>(L"busy"));

    // Values still under way from links that a reconnection replaced are dropped.
    dxview.SetItem(L"DDEServer", L"SpotPrefix", L"old");
    module.ConnectServer(3);
    EXPECT_EQ(module.Window()->Field(L"SpotPrefix"), std::optional<std::wstring>(L"old"));
    desk.loop.RunPending();
    EXPECT_EQ(spot, (std::vector<std::wstring>{L"DL", L"old"}));
}

TEST_F(DdeLinkOwnTopic, ARegistrationFailureIsReportedAndDXViewIsStillConnected) {
    StartDxView();
    dde.failRegistration = true;
    module.Initialize();
    EXPECT_FALSE(desk.dde.HasTopic(L"Tarvello", L"DDEClient"));
    EXPECT_EQ(DxViewState(), "Connected");
    const auto lines = ErrorLogLines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[6].substr(20),
              " > program error 5 in module DDEClientmodule.Initialize: Invalid procedure call or argument");
    EXPECT_EQ(mainWindow.Caption(), L"Tarvello 1.0.0 {DXV} - see ErrorLog in C:\\Tarvello/ErrorLog.txt");
}

// Ten thousand executes in one burst, valid ones in random letter case among garbage of every kind: each is
// answered, accepted exactly when it is a start, and each start for server 3 is one connection attempt.
TEST_F(DdeLinkOwnTopic, ABurstOfTenThousandMixedExecutesIsAnsweredExactly) {
    StartDxView();
    module.Initialize();
    std::mt19937 random(20260305);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto randomCase = [&](std::wstring word) {
        for (auto& c : word)
            c = pick(2) ? static_cast<wchar_t>(c - L'a' + L'A') : c;
        return word;
    };
    std::size_t accepted = 0, acceptedFor3 = 0, answered = 0;
    for (int i = 0; i < 10'000; ++i) {
        std::wstring command;
        bool valid = false;
        const std::wstring digits = {static_cast<wchar_t>(L'0' + pick(10)), static_cast<wchar_t>(L'0' + pick(10)),
                                     static_cast<wchar_t>(L'0' + pick(10))};
        switch (pick(6)) {
            case 0:
                command = digits + randomCase(L"start");
                valid = true;
                break;
            case 1:
                command = L"003" + randomCase(L"start");
                valid = true;
                break;
            case 2:  // a valid start with one character added somewhere
                command = L"003start";
                command.insert(static_cast<std::size_t>(pick(9)), 1, static_cast<wchar_t>(pick(0x10000)));
                break;
            case 3:  // shortened
                command = std::wstring(L"003start").substr(0, static_cast<std::size_t>(pick(8)));
                break;
            case 4:  // random characters of random length: never three digits followed by "start"
                for (int n = pick(40); n > 0; --n)
                    command += static_cast<wchar_t>(1 + pick(0xffff));
                break;
            default:  // another word
                command = digits + randomCase(pick(2) ? L"stop" : L"rotatesp");
                break;
        }
        const bool answer = desk.dde.ClientExecute(L"Tarvello", L"DDEClient", command);
        ++answered;
        ASSERT_EQ(answer, valid) << i;
        if (answer) {
            ++accepted;
            if (command.compare(0, 3, L"003") == 0)
                ++acceptedFor3;
        }
    }
    EXPECT_EQ(answered, 10'000u);
    EXPECT_GT(accepted, 2'500u);
    EXPECT_EQ(Attempts(), 1 + acceptedFor3);
    EXPECT_EQ(desk.dde.OpenLinkCount(), 3u);  // links are replaced, never piled up
    EXPECT_EQ(DxViewState(), "Connected");
    EXPECT_EQ(ErrorLog(), "");
}

}  // namespace
}  // namespace tarvello::dde_link_testing
